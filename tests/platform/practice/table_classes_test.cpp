#include <gtest/gtest.h>

#include <cstring>

#include "platform/errors.h"
#include "platform/practice_tables.h"
#include "platform/table_classes.h"
#include "platform/types.h"
#include "support/practice_folder.h"

namespace {

TEST(TableClasses, PmDbaseOpensARecordTypesTableOnTheConfiguredDataPath) {
  test_support::PracticeFolder practice;
  ASSERT_EQ(practice.status(), 0);
  ASSERT_EQ(practice.insert("ZORV1005.TTL", test_support::client_record("AB12", 1, 1001)), 0);

  PM_DBASE<zorv1005_rec> clients;
  FA_BASIC* table = clients.access_pointer();
  ASSERT_TRUE(table->is_open());
  const PMCO_INT_REF reference{1, 1001};
  table->clear_key();
  std::memcpy(table->key_buffer(), &reference, sizeof reference);
  ASSERT_EQ(table->fa_geteq(1, 0, "getID", faba001_constants().key_not_found), 0);
  EXPECT_STREQ(clients.record()->client_id, "AB12");
}

TEST(TableClasses, OnlyUnexpectedFailuresAreReported) {
  test_support::PracticeFolder practice({"ZORV1005.TTL"});
  PM_DBASE<zorv1005_rec> clients;
  FA_BASIC* table = clients.access_pointer();
  platform::ReportCapture reports;
  table->clear_key();
  EXPECT_EQ(table->fa_geteq(1, 0, "getID", faba001_constants().key_not_found), BTR_KEY_NOT_FOUND);
  EXPECT_EQ(table->fa_get(BTR_GET_LESS, 1, 0, "walk", faba001_constants().report_none), BTR_END_OF_FILE);
  EXPECT_TRUE(reports.lines().empty());
  EXPECT_EQ(table->fa_get(BTR_GET_GREATER, 1, 0, "walk", faba001_constants().report_all), BTR_END_OF_FILE);
  ASSERT_EQ(reports.lines().size(), 1u);
  EXPECT_TRUE(reports.contains("walk"));
}

TEST(TableClasses, ATableThatCannotOpenHasZeroedBuffersAndRefusesEveryOperation) {
  test_support::PracticeFolder practice({"zorv2006.ttl"});
  platform::ReportCapture reports;
  PM_DBASE<ZORV1101_REC> individuals;  // its table was not made
  FA_BASIC* table = individuals.access_pointer();
  EXPECT_FALSE(table->is_open());
  EXPECT_EQ(table->open_status(), BTR_FILE_NOT_FOUND);
  EXPECT_EQ(+individuals.record()->date_of_death, 0);  // + reads the packed field by value
  EXPECT_EQ(table->fa_geteq(0, 0, "getDateOfDeath", faba001_constants().key_not_found), BTR_FILE_NOT_OPEN);
  EXPECT_EQ(reports.lines().size(), 2u);  // the open and the read
}

TEST(TableClasses, ATaggedPartIsUnpackedAfterAReadAndPackedBeforeAWrite) {
  test_support::PracticeFolder practice({"zorv1371.ttl"});
  {
    PM_DBASE<ZORV1371_REC> relationships;
    ZORV1371_REC* record = relationships.record();
    std::memset(record, 0, sizeof *record);
    record->owner_type = 5;
    record->owner_number = 42;
    record->kind = 3;
    record->related_type = 1;
    record->related_number = 900;
    record->relationship_number = 1;
    relationships.tld()->start_date = 44000;
    relationships.tld()->share = 5000;
    ASSERT_EQ(relationships.access_pointer()->fa_get(BTR_INSERT, 0, 0, "test", faba001_constants().report_all), 0);
  }
  PM_DBASE<ZORV1371_REC> relationships;
  FA_BASIC* table = relationships.access_pointer();
  ZORV1371_KEYBUF key{};
  key.owner_type = 5;
  key.owner_number = 42;
  key.kind = 3;
  std::memcpy(table->key_buffer(), &key, sizeof key);
  ASSERT_EQ(table->fa_get(BTR_GET_GREATER_OR_EQUAL, 2, 0, "getFirst", faba001_constants().report_none), 0);
  std::memcpy(&key, table->key_buffer(), sizeof key);
  EXPECT_EQ(+key.related_number, 900);
  EXPECT_EQ(+relationships.tld()->start_date, 44000);
  EXPECT_EQ(+relationships.tld()->end_date, 0);
  EXPECT_EQ(+relationships.tld()->share, 5000);

  relationships.tld()->end_date = 44500;
  ASSERT_EQ(table->fa_get(BTR_UPDATE, 2, 0, "test", faba001_constants().report_all), 0);
  relationships.tld()->end_date = 0;
  ASSERT_EQ(table->fa_get(BTR_GET_EQUAL, 2, 0, "test", faba001_constants().report_all), 0);
  EXPECT_EQ(+relationships.tld()->end_date, 44500);
}

TEST(TableClasses, DataPathComesFromTheConfigurationUnlessGiven) {
  test_support::PracticeFolder practice({"ZORV1005.TTL"});
  EXPECT_EQ(std::string(fadl001_DB_path(nullptr)), practice.data_path());
  EXPECT_EQ(std::string(fadl001_DB_path("/elsewhere")), "/elsewhere");
}

}  // namespace
