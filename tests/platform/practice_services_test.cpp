// The practice-management stand-ins over a practice folder: branches, addresses, agents and
// accounting periods.
#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "platform/accounting_periods.h"
#include "platform/errors.h"
#include "platform/practice_management.h"
#include "support/practice_folder.h"
#include "support/temporary_folder.h"

namespace {

using test_support::day_number;
using test_support::TaggedRecord;

void add_agent(const test_support::PracticeFolder& practice, std::int32_t branch, std::int32_t kind,
               const std::string& name) {
  const ZORV1410_REC key{branch, kind, {}};
  TaggedRecord record(&key, 8);
  record.add_text(101, name);
  ASSERT_EQ(practice.insert("zorv1410.ttl", record.data(), record.size()), 0);
}

void add_address(const test_support::PracticeFolder& practice, PMCO_INT_REF owner, std::int32_t kind,
                 const std::string& line1, const std::string& postcode) {
  ZORV1008_REC key{};
  key.owner_type = owner.type;
  key.owner_number = owner.number;
  key.address_kind = kind;
  TaggedRecord record(&key, 16);
  record.add_text(101, line1).add_text(106, postcode);
  ASSERT_EQ(practice.insert("ZORV1008.TTL", record.data(), record.size()), 0);
}

TEST(PracticeBranches, AreTheAgentsBranchesAndAClientOutsideThemIsThePractices) {
  test_support::PracticeFolder practice({"zorv1410.ttl"});
  add_agent(practice, 3, 10, "North");
  add_agent(practice, 1, 10, "Head office");
  add_agent(practice, 1, 11, "Head office, payroll");
  PMST_BRANCH_LIST branches;
  EXPECT_EQ(branches.branches(), (std::vector<long>{1, 3}));

  PMST_BRREL_LIST branch_relations;
  PMCL_RELATIONS relations(&branch_relations, false);
  const struct { std::int32_t recorded; long expected; } cases[] = {{1, 1}, {3, 3}, {2, 0}, {0, 0}, {-1, 0}};
  for (const auto& c : cases) {
    zorv1005_rec client{};
    client.branch = c.recorded;
    EXPECT_EQ(relations.get_client_branch(&client, -1, -1), c.expected) << c.recorded;
  }
  EXPECT_EQ(relations.get_client_branch(nullptr, -1, -1), 0);
}

TEST(PracticeAddresses, ReadByOwnerKindAndSequenceOrLeftAsTheyWere) {
  test_support::PracticeFolder practice({"ZORV1008.TTL", "zorv1410.ttl"});
  add_address(practice, {kPmBranchPartyType, 2}, 8, "2 High Street", "LS1 1AA");
  add_agent(practice, 2, 10, "Leeds agent");
  add_address(practice, {kPmAgentPartyType, 2}, 10, "Agent House", "LS2 2BB");
  add_agent(practice, 4, 10, "Agent without an address");

  ZORV1008_TLD address{};
  EXPECT_EQ(adac006_get_address({kPmBranchPartyType, 2}, 8, 0, &address), 0);
  EXPECT_STREQ(address.line1, "2 High Street");
  EXPECT_STREQ(address.postcode, "LS1 1AA");
  EXPECT_EQ(adac006_get_address({kPmBranchPartyType, 3}, 8, 0, &address), 4);
  EXPECT_STREQ(address.line1, "2 High Street");
  EXPECT_EQ(adac006_get_address({kPmBranchPartyType, 2}, 8, 0, nullptr), 1);

  ZORV1410_TLD agent{};
  EXPECT_EQ(pmco052_read_agent(&agent, &address, 2, 10, 2894), 0);
  EXPECT_STREQ(agent.name, "Leeds agent");
  EXPECT_STREQ(address.line1, "Agent House");
  EXPECT_EQ(pmco052_read_agent(&agent, &address, 4, 10, 2894), 0);
  EXPECT_STREQ(agent.name, "Agent without an address");
  EXPECT_STREQ(address.line1, "");

  platform::ReportCapture reports;
  std::strcpy(agent.name, "kept");
  EXPECT_EQ(pmco052_read_agent(&agent, &address, 9, 10, 2894), 4);
  EXPECT_STREQ(agent.name, "kept");
  EXPECT_TRUE(reports.contains("2894"));
}

TEST(AccountingPeriods, RunFromTheDayAfterThePreviousEndOfTheSameKind) {
  test_support::PracticeFolder practice({"zorv1202.ttl"});
  const auto period = [](std::int32_t client, long end, std::int16_t kind, std::int32_t id) {
    return ZORV1202_REC{client, static_cast<std::int32_t>(end), kind, id};
  };
  const ZORV1202_REC rows[] = {
      period(41, day_number(31, 3, 2019), 1, 101), period(41, day_number(30, 9, 2019), 2, 150),
      period(41, day_number(31, 3, 2020), 1, 102), period(41, day_number(31, 3, 2021), 1, 103),
      period(41, -5, 1, 199),                      period(42, day_number(31, 12, 2020), 1, 201),
  };
  for (const ZORV1202_REC& row : rows) ASSERT_EQ(practice.insert("zorv1202.ttl", row), 0);

  const struct { long client; long date; short kind; bool found; std::uint32_t id; long start, end; } cases[] = {
      {41, day_number(1, 1, 2010), 1, true, 101, 0, day_number(31, 3, 2019)},
      {41, day_number(31, 3, 2019), 1, true, 101, 0, day_number(31, 3, 2019)},
      {41, day_number(1, 4, 2019), 1, true, 102, day_number(1, 4, 2019), day_number(31, 3, 2020)},
      {41, day_number(31, 3, 2021), 1, true, 103, day_number(1, 4, 2020), day_number(31, 3, 2021)},
      {41, day_number(1, 4, 2021), 1, false, 0, 0, 0},
      {41, day_number(1, 4, 2019), 2, true, 150, 0, day_number(30, 9, 2019)},
      {42, day_number(1, 4, 2021), 1, false, 0, 0, 0},
      {43, day_number(1, 4, 2019), 1, false, 0, 0, 0},
      {41, 0, 1, false, 0, 0, 0},
  };
  for (const auto& c : cases) {
    fvex_BAP period;
    fvex_BAP_FCB search;
    EXPECT_EQ(search.find_for_date(c.client, c.date, false, c.kind, period, false), c.found) << c.client << " " << c.date;
    EXPECT_EQ(search.is_valid(), c.found);
    EXPECT_EQ(period.BAP(), c.id) << c.client << " " << c.date;
    EXPECT_EQ(period.start_date(), c.start);
    EXPECT_EQ(period.end_date(), c.end);
  }
}

}  // namespace
