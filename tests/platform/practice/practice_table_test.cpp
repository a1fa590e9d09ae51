#include "platform/practice/practice_table.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/errors.h"
#include "platform/practice_tables.h"
#include "platform/store_faults.h"
#include "platform/types.h"
#include "support/both_backends.h"
#include "support/practice_folder.h"

namespace {

using platform::PracticeTable;
using platform::StoreStatus;

// Relationships owned by trust `owner`, one per (kind, related individual).
int add_relationship(const test_support::PracticeFolder& practice, std::int32_t owner, std::uint8_t kind,
                     std::int32_t related, std::int32_t number, std::int32_t share) {
  PracticeTable<ZORV1371_REC> table("test", practice.data_path().c_str());
  ZORV1371_REC& row = table.record();
  row = ZORV1371_REC{};
  row.owner_type = 5;
  row.owner_number = owner;
  row.kind = kind;
  row.related_type = 1;
  row.related_number = related;
  row.relationship_number = number;
  table.tld() = ZORV1371_TLD{0, 0, share};
  return table.insert().code();
}

using test_support::Backend;

class PracticeTableWalk : public ::testing::TestWithParam<Backend> {
 protected:
  void SetUp() override {
    ASSERT_EQ(practice.status(), 0) << practice.problem();
    // Trust 5001 has three relationships, its neighbours one each: the walk must not stray.
    ASSERT_EQ(add_relationship(practice, 5000, 1, 1009, 1, 0), 0);
    ASSERT_EQ(add_relationship(practice, 5001, 2, 1002, 2, 2500), 0);
    ASSERT_EQ(add_relationship(practice, 5001, 1, 1001, 3, 0), 0);
    ASSERT_EQ(add_relationship(practice, 5001, 2, 1003, 4, 7500), 0);
    ASSERT_EQ(add_relationship(practice, 5002, 1, 1001, 5, 0), 0);
  }

  test_support::PracticeFolder practice{GetParam(), {"zorv1371.ttl"}};
  const ZORV1371_KEYBUF trust_5001{5, 5001, 0, 0, 0, 0};
  static constexpr int kOwnerBytes = 5;  // type byte and number
};

TEST_P(PracticeTableWalk, VisitsExactlyTheRecordsOfAKeyPrefixInKeyOrder) {
  PracticeTable<ZORV1371_REC> relationships("walk");
  std::vector<std::int32_t> numbers;
  std::vector<std::int32_t> shares;
  const StoreStatus walked = relationships.walk(2, trust_5001, kOwnerBytes, [&](const ZORV1371_REC& found) {
    numbers.push_back(+found.relationship_number);  // + reads packed fields by value
    shares.push_back(+relationships.tld().share);
  });
  EXPECT_TRUE(walked.ok()) << walked.code();
  EXPECT_EQ(numbers, (std::vector<std::int32_t>{3, 2, 4}));  // kind 1, then kind 2 by related party
  EXPECT_EQ(shares, (std::vector<std::int32_t>{0, 2500, 7500}));
}

TEST_P(PracticeTableWalk, StopsWhenTheVisitorSaysSoAndAtTheEndOfTheTable) {
  PracticeTable<ZORV1371_REC> relationships("walk");
  int visits = 0;
  EXPECT_TRUE(relationships.walk(2, trust_5001, kOwnerBytes, [&](const ZORV1371_REC&) { return ++visits < 2; }).ok());
  EXPECT_EQ(visits, 2);

  visits = 0;  // prefix 0: every record from the first key to the end of the table
  EXPECT_TRUE(relationships.walk(2, ZORV1371_KEYBUF{}, 0, [&](const ZORV1371_REC&) { ++visits; }).ok());
  EXPECT_EQ(visits, 5);

  visits = 0;  // past the last key: nothing, and no failure
  const ZORV1371_KEYBUF beyond{6, 0, 0, 0, 0, 0};
  EXPECT_TRUE(relationships.walk(2, beyond, kOwnerBytes, [&](const ZORV1371_REC&) { ++visits; }).ok());
  EXPECT_EQ(visits, 0);
}

TEST_P(PracticeTableWalk, AFailureMidWalkIsReportedWithTheCallTagAndReturned) {
  PracticeTable<ZORV1371_REC> relationships("RelatedParties");
  platform::ReportCapture reports;
  platform::StoreFaults faults;
  faults.fail_next(BTR_GET_NEXT, BTR_IO_ERROR);
  int visits = 0;
  const StoreStatus walked = relationships.walk(2, trust_5001, kOwnerBytes, [&](const ZORV1371_REC&) { ++visits; });
  EXPECT_EQ(walked.code(), BTR_IO_ERROR);
  EXPECT_EQ(visits, 1);
  ASSERT_EQ(reports.lines().size(), 1u);
  EXPECT_TRUE(reports.contains("RelatedParties"));
}

STORE_SUITE_ON_BOTH_BACKENDS(PracticeTableWalk);

class PracticeTableCalls : public ::testing::TestWithParam<Backend> {};
STORE_SUITE_ON_BOTH_BACKENDS(PracticeTableCalls);

TEST_P(PracticeTableCalls, FindsARecordAndSaysQuietlyWhenThereIsNone) {
  test_support::PracticeFolder practice(GetParam(), {"ZORV1005.TTL"});
  ASSERT_EQ(practice.insert("ZORV1005.TTL", test_support::client_record("AB12", 1, 1001)), 0);
  PracticeTable<zorv1005_rec> clients("getID");
  platform::ReportCapture reports;
  ASSERT_TRUE(clients.is_open());
  EXPECT_TRUE(clients.find(1, PMCO_INT_REF{1, 1001}).ok());
  EXPECT_STREQ(clients.record().client_id, "AB12");
  const StoreStatus missing = clients.find(1, PMCO_INT_REF{2, 1001});
  EXPECT_TRUE(missing.not_found());
  EXPECT_FALSE(missing.failed());
  EXPECT_TRUE(reports.lines().empty());
}

TEST_P(PracticeTableCalls, ATableThatDidNotOpenAnswersNoTableToEveryCall) {
  test_support::PracticeFolder practice(GetParam(), {"zorv2006.ttl"});
  platform::ReportCapture reports;
  PracticeTable<ZORV1101_REC> individuals("getDateOfDeath");  // its table was not made
  EXPECT_FALSE(individuals.is_open());
  EXPECT_EQ(individuals.open_status().code(), BTR_FILE_NOT_FOUND);
  EXPECT_TRUE(individuals.find(0, std::int32_t{1001}).no_table());
  bool visited = false;
  EXPECT_TRUE(individuals.walk(0, std::int32_t{0}, 0, [&](const ZORV1101_REC&) { visited = true; }).no_table());
  EXPECT_FALSE(visited);
  EXPECT_TRUE(individuals.insert().no_table());
  EXPECT_EQ(+individuals.record().date_of_death, 0);  // + reads the packed field by value
  EXPECT_EQ(reports.lines().size(), 1u);               // the open, once
}

TEST_P(PracticeTableCalls, AFaultedOpenIsANoTableAsARealOneIs) {
  test_support::PracticeFolder practice(GetParam(), {"ZORV1005.TTL"});
  platform::StoreFaults faults;
  faults.fail_next(platform::kStoreOpenOperation, BTR_NOT_A_TABLE_FILE);
  PracticeTable<zorv1005_rec> clients("getID");
  EXPECT_EQ(clients.open_status().code(), BTR_NOT_A_TABLE_FILE);
  EXPECT_TRUE(clients.find(1, PMCO_INT_REF{1, 1001}).no_table());
}

TEST_P(PracticeTableCalls, OpensOnTheDataPathConfiguredWhenItIsMade) {
  test_support::PracticeFolder first(GetParam(), {"ZORV1005.TTL"});
  ASSERT_EQ(first.insert("ZORV1005.TTL", test_support::client_record("FIRST", 1, 1)), 0);
  {
    test_support::PracticeFolder second(GetParam(), {"ZORV1005.TTL"});  // now the configured data path
    ASSERT_EQ(second.insert("ZORV1005.TTL", test_support::client_record("SECOND", 1, 1)), 0);
    PracticeTable<zorv1005_rec> clients("getID");
    ASSERT_TRUE(clients.find(1, PMCO_INT_REF{1, 1}).ok());
    EXPECT_STREQ(clients.record().client_id, "SECOND");
  }
  PracticeTable<zorv1005_rec> clients("getID");
  ASSERT_TRUE(clients.find(1, PMCO_INT_REF{1, 1}).ok());
  EXPECT_STREQ(clients.record().client_id, "FIRST");
}

}  // namespace
