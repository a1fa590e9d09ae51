// The computation and tax return options against practice folders: the demo practice (entries
// 16, 19 and 44 with other programs' bits), an empty one (no entries) and single stored rows.
#include <gtest/gtest.h>

#include "qarntash/screens/computation_options.h"
#include "qarntash/screens/tax_return_options.h"
#include "screens/stored_defaults.h"

namespace {

using test_support::DemoPractice;
using test_support::PracticeFolder;

TEST(ComputationOptions, LoadsTheStoredEntryOrTheNoEntryDefaults) {
  CComputationOptions fresh;  // before Load: the constructor's values
  EXPECT_EQ(fresh.GetCompStatus(), STATUS_INTERIM);
  EXPECT_FALSE(fresh.GetEmploymentIOPLockStatus());
  EXPECT_FALSE(fresh.GetSuppressAgentDetails());
  EXPECT_FALSE(fresh.GetSuppressPaymentDueDate());

  PracticeFolder demo{DemoPractice{}};
  ASSERT_EQ(demo.status(), 0);
  CComputationOptions stored;
  EXPECT_TRUE(stored.Load());
  EXPECT_EQ(stored.GetCompStatus(), STATUS_INTERIM);
  EXPECT_FALSE(stored.GetDateTimeStamp());
  EXPECT_TRUE(stored.GetEmploymentIOPLockStatus());
  EXPECT_FALSE(stored.GetSuppressPaymentDueDate());
  EXPECT_TRUE(stored.GetSuppressAgentDetails());

  PracticeFolder empty;
  CComputationOptions defaults;
  defaults.SetSuppressAgentDetails(true);
  EXPECT_FALSE(defaults.Load());
  EXPECT_EQ(defaults.GetCompStatus(), STATUS_INTERIM);
  EXPECT_FALSE(defaults.GetDateTimeStamp());
  EXPECT_TRUE(defaults.GetEmploymentIOPLockStatus());
  EXPECT_FALSE(defaults.GetSuppressPaymentDueDate());
  EXPECT_FALSE(defaults.GetSuppressAgentDetails());  // a clear bit, not what the object held
}

TEST(ComputationOptions, SaveChangesOnlyItsOwnBitsAndFields) {
  PracticeFolder demo{DemoPractice{}};
  CComputationOptions options;
  ASSERT_TRUE(options.Load());
  options.SetDateTimeStamp(true);
  options.SetCompStatus(STATUS_UNRECORDED);
  options.SetEmploymentIOPLockStatus(false);
  options.SetSuppressPaymentDueDate(true);
  options.SetSuppressAgentDetails(false);
  ASSERT_TRUE(options.Save());

  ZORV2000_ENTRY19_TLD stored{};
  ASSERT_TRUE(test_support::stored_entry(demo, kZorv2000ComputationOptions, zorv2000_entry19_tagged_fields(), stored));
  EXPECT_EQ(stored.date_time_stamp, 'Y');
  EXPECT_EQ(stored.computation_status[0], 3);
  EXPECT_EQ(stored.unused_156, 'A');  // fields of other programs, as they were
  EXPECT_EQ(stored.unused_157, 'B');
  EXPECT_EQ(+stored.employment_flags, 0x80);
  EXPECT_EQ(+stored.suppress_flags, 0x10 | 0x01);

  CComputationOptions reloaded;
  ASSERT_TRUE(reloaded.Load());
  EXPECT_EQ(reloaded.GetCompStatus(), STATUS_UNRECORDED);
  EXPECT_TRUE(reloaded.GetDateTimeStamp());
}

TEST(TaxReturnOptions, ReadsEachStoredCodeAsTheRulesSay) {
  const struct Row {
    char return_identifier, status;
    const char* echecklist;
    ReturnID expected_id;
    Status expected_status;
    bool expected_echecklist;
  } rows[] = {
      {2, 1, "Y", RETURN_ID_CLIENT_UTR, STATUS_FINAL, true},
      {3, 3, "N", RETURN_ID_NEITHER, STATUS_UNRECORDED, false},
      {0, 0, "", RETURN_ID_CLIENT_ID, STATUS_INTERIM, true},  // an empty e-checklist field is "Y"
      {7, 9, "X", RETURN_ID_CLIENT_ID, STATUS_INTERIM, false},
      {1, 2, "y", RETURN_ID_CLIENT_ID, STATUS_INTERIM, false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << "id " << int{row.return_identifier} << " status " << int{row.status}
                                    << " e-checklist \"" << row.echecklist << "\"");
    PracticeFolder practice({"zorv2000.ttl"});
    ZORV2000_ENTRY16_TLD entry{};
    entry.return_identifier[0] = row.return_identifier;
    entry.return_status[0] = row.status;
    std::strncpy(entry.echecklist_current, row.echecklist, 1);
    std::strncpy(entry.default_date, "Y", 2);
    entry.lock_flags = 0x02;
    ASSERT_EQ(test_support::store_entry(practice, kZorv2000TaxReturnOptions, zorv2000_entry16_tagged_fields(), entry), 0);
    CTaxReturnOptions options;
    ASSERT_TRUE(options.Load());
    EXPECT_EQ(options.GetReturnID(), row.expected_id);
    EXPECT_EQ(options.GetReturnStatus(), row.expected_status);
    EXPECT_EQ(options.GetEChecklistCurrentFiguresSelection(), row.expected_echecklist);
    EXPECT_TRUE(options.GetDefaultDate());
    EXPECT_FALSE(options.GetPrintAPhone());
    EXPECT_FALSE(options.GetElectronicTaxReturnSelection());
    EXPECT_TRUE(options.GetFinalTaxReturnSelection());
    EXPECT_FALSE(options.GetR40Selection());
  }
}

TEST(TaxReturnOptions, StartsFromTheNoEntryValuesAndSaveInsertsTheEntry) {
  const CTaxReturnOptions fresh;  // the locks and summaries have values before any Load
  EXPECT_TRUE(fresh.GetElectronicTaxReturnSelection() && fresh.GetFinalTaxReturnSelection() && fresh.GetR40Selection());
  EXPECT_FALSE(fresh.GetIncludeBenefitSummaries());

  PracticeFolder empty;
  CTaxReturnOptions options;
  EXPECT_FALSE(options.Load());
  EXPECT_EQ(options.GetReturnID(), RETURN_ID_CLIENT_ID);
  EXPECT_EQ(options.GetReturnStatus(), STATUS_INTERIM);
  options.SetReturnID(static_cast<ReturnID>(9));  // not a code: stored as 1
  options.SetR40TaxReturnTick(false);
  ASSERT_TRUE(options.Save());
  ZORV2000_ENTRY16_TLD stored{};
  ASSERT_TRUE(test_support::stored_entry(empty, kZorv2000TaxReturnOptions, zorv2000_entry16_tagged_fields(), stored));
  EXPECT_EQ(stored.return_identifier[0], 1);
  EXPECT_EQ(stored.return_status[0], 2);
  EXPECT_STREQ(stored.default_date, "N");
  EXPECT_STREQ(stored.echecklist_current, "Y");
  EXPECT_STREQ(stored.benefit_summaries, "N");
  EXPECT_EQ(+stored.lock_flags, 0x03);
}

TEST(TaxReturnOptions, SaveKeepsTheOtherLockBits) {
  PracticeFolder demo{DemoPractice{}};
  CTaxReturnOptions options;
  ASSERT_TRUE(options.Load());
  EXPECT_EQ(options.GetReturnID(), RETURN_ID_CLIENT_UTR);
  EXPECT_EQ(options.GetReturnStatus(), STATUS_FINAL);
  EXPECT_TRUE(options.GetElectronicTaxReturnSelection());
  EXPECT_FALSE(options.GetFinalTaxReturnSelection());
  options.SetElectronicTaxReturnTick(false);
  options.SetR40TaxReturnTick(true);
  ASSERT_TRUE(options.Save());
  ZORV2000_ENTRY16_TLD stored{};
  ASSERT_TRUE(test_support::stored_entry(demo, kZorv2000TaxReturnOptions, zorv2000_entry16_tagged_fields(), stored));
  EXPECT_EQ(+stored.lock_flags, 0x40 | 0x04);
}

TEST(PracticeDefaults, AFailedLookupOrWriteSavesNothingAndSaysSo) {
  PracticeFolder demo{DemoPractice{}};
  ZORV2000_ENTRY19_TLD before{};
  ASSERT_TRUE(test_support::stored_entry(demo, kZorv2000ComputationOptions, zorv2000_entry19_tagged_fields(), before));
  CComputationOptions options;
  options.SetDateTimeStamp(true);
  {
    platform::StoreFaults faults;
    faults.fail_next(BTR_GET_EQUAL, BTR_IO_ERROR);
    EXPECT_FALSE(options.Save());
    EXPECT_EQ(faults.calls(), 2);  // the open and the lookup: no write after it
  }
  {
    platform::StoreFaults faults;
    faults.fail_next(BTR_UPDATE, BTR_RECORD_CONFLICT);
    EXPECT_FALSE(options.Save());
  }
  ZORV2000_ENTRY19_TLD after{};
  ASSERT_TRUE(test_support::stored_entry(demo, kZorv2000ComputationOptions, zorv2000_entry19_tagged_fields(), after));
  EXPECT_EQ(std::memcmp(&before, &after, sizeof before), 0);

  PracticeFolder empty;
  platform::StoreFaults faults;
  faults.fail_next(BTR_INSERT, BTR_IO_ERROR);
  EXPECT_FALSE(CTaxReturnOptions().Save());
}

TEST(PracticeDefaults, WithoutTheTableLoadGivesTheDefaultsAndSaveFails) {
  PracticeFolder no_defaults_table({"zorv3000.ttl"});
  CTaxReturnOptions options;
  EXPECT_FALSE(options.Load());
  EXPECT_TRUE(options.GetR40Selection());
  EXPECT_FALSE(options.Save());
  EXPECT_FALSE(CComputationOptions().Save());
}

}  // namespace
