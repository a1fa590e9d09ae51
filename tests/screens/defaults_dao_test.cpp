// The practice defaults table object: one entry type per object, entry 44's six bytes.
#include "defaults_and_settings_dao.h"

#include <gtest/gtest.h>

#include "platform/errors.h"
#include "screens/stored_defaults.h"

namespace {

using test_support::DemoPractice;
using test_support::PracticeFolder;

TEST(DefaultsAndSettingsDAO, RefusesAnEntryTypeOtherThanTheOneItServes) {
  PracticeFolder demo{DemoPractice{}};
  CDefaultsAndSettingsDAO fresh;
  EXPECT_FALSE(fresh.Write(20));  // not an entry type of this library
  EXPECT_FALSE(fresh.Read(20));

  CDefaultsAndSettingsDAO dao;
  ASSERT_TRUE(dao.Read(kZorv2000ComputationOptions));
  dao.values().return_identifier = 3;
  dao.values().r40_lock = false;
  EXPECT_FALSE(dao.Write(kZorv2000TaxReturnOptions));  // would write entry 19's fields into 16
  EXPECT_FALSE(dao.Read(kZorv2000TaxReturnOptions));
  EXPECT_EQ(dao.values().return_identifier, 3);  // nothing read either

  ZORV2000_ENTRY16_TLD stored{};
  ASSERT_TRUE(test_support::stored_entry(demo, kZorv2000TaxReturnOptions, zorv2000_entry16_tagged_fields(), stored));
  EXPECT_EQ(stored.return_identifier[0], 2);
  EXPECT_EQ(+stored.lock_flags, 0x41);
  EXPECT_TRUE(dao.Write(kZorv2000ComputationOptions));
}

TEST(DefaultsAndSettingsDAO, ReadsAndWritesOnlyTheSixFlagBytesOfEntry44) {
  PracticeFolder demo{DemoPractice{}};
  {
    CDefaultsAndSettingsDAO dao;
    ASSERT_TRUE(dao.Read(kZorv2000Entry44));
    EXPECT_EQ(std::string(dao.values().entry44_flags, 6), "YNYNYY");
    std::memcpy(dao.values().entry44_flags, "NNNNNY", 6);
    ASSERT_TRUE(dao.Write(kZorv2000Entry44));
  }
  ZORV2000_ENTRY44_TLD stored{};
  ASSERT_TRUE(test_support::stored_entry(demo, kZorv2000Entry44, zorv2000_entry44_tagged_fields(), stored));
  EXPECT_EQ(std::string(stored.flag_bytes, 6), "NNNNNY");
  EXPECT_STREQ(stored.text_4402, "X");
  EXPECT_STREQ(stored.text_4403, "Z");

  PracticeFolder empty;
  CDefaultsAndSettingsDAO dao;
  std::memcpy(dao.values().entry44_flags, "NNNNNN", 6);
  EXPECT_FALSE(dao.Read(kZorv2000Entry44));
  EXPECT_EQ(std::string(dao.values().entry44_flags, 6), "YYYYYY");
}

TEST(DefaultsAndSettingsDAO, ALookupFailureIsReportedWithItsMessageNumber) {
  PracticeFolder demo{DemoPractice{}};
  CDefaultsAndSettingsDAO dao;
  platform::ReportCapture reports;
  platform::StoreFaults faults;
  faults.fail_next(BTR_GET_EQUAL, BTR_FILE_BUSY);
  EXPECT_FALSE(dao.Write(kZorv2000ComputationOptions));
  EXPECT_EQ(faults.calls(), 1);  // no write after the failed lookup
  EXPECT_TRUE(reports.contains("record store message 3112: zorv2000.ttl operation 5 key 0 status 85"));
}

}  // namespace
