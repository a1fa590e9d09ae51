#include "qarntash/transfer/partner_unit.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/errors.h"
#include "transfer/failing_allocation.h"
#include "transfer/field_values.h"

namespace {

const PMCO_INT_REF kSource{1, 1001};
const PMCO_INT_REF kDestination{1, 2002};

// Whether `line` is a "Refresh failed" report with `code`, flag 0, from DTU_Partner.
bool is_refresh_failed(const std::string& line, int code) {
  const std::string prefix = "error " + std::to_string(code) + " in DTU_Partner line ";
  const std::string suffix = ": Refresh failed";
  return line.compare(0, prefix.size(), prefix) == 0 && line.size() > suffix.size() &&
         line.compare(line.size() - suffix.size(), suffix.size(), suffix) == 0;
}

// A period with a profit that identifies it.
DTU_Partner_AP* add_period(DTU_Partner& unit, unsigned long account_period, double profit) {
  DTU_Partner_AP* period = unit.createAccountPeriod(account_period);
  period->setProfit(profit);
  unit.addPeriodData(period);
  return period;
}

// ----- fields -----

TEST(PartnerUnit, StartsWithZeroAmountsAndKeepsEachOfItsOwn) {
  DTU_Partner record(kSource, kDestination, 2022);
  EXPECT_EQ(record.GetSource(), kSource);
  EXPECT_EQ(record.GetDestination(), kDestination);
  EXPECT_EQ(record.GetTaxYear(), 2022);
  TEST_EXPECT_ZERO_LOWER_CASE_FIELDS(QARNTASH_PARTNER_FIELDS)
  int n = 0;
  TEST_SET_LOWER_CASE_FIELDS(QARNTASH_PARTNER_FIELDS)
  n = 0;
  TEST_EXPECT_LOWER_CASE_FIELDS(QARNTASH_PARTNER_FIELDS)
}

TEST(PartnerPeriod, ACreatedPeriodIsEmptyAndBelongsToTheCaller) {
  platform::ReportCapture reports;
  const DTU_Partner unit(kSource, kDestination, 2022);
  const std::unique_ptr<DTU_Partner_AP> period(unit.createAccountPeriod(7));
  ASSERT_NE(period, nullptr);
  const DTU_Partner_AP& record = *period;
  EXPECT_EQ(record.getAccountPeriod(), 7);
  TEST_EXPECT_ZERO_LOWER_CASE_FIELDS(QARNTASH_PARTNER_PERIOD_FIELDS)
  TEST_EXPECT_ZERO_LOWER_CASE_FIELDS(QARNTASH_PARTNER_PERIOD_FLAGS)
  DTU_Partner_AP out;
  EXPECT_FALSE(unit.getPeriod(0, out)) << "a created period is not in the list until added";
  EXPECT_TRUE(reports.lines().empty());
}

TEST(PartnerPeriod, CopiesCarryEveryAmountTheAccountPeriodAndBothFlags) {
  DTU_Partner_AP original(42);
  {
    DTU_Partner_AP& record = original;
    int n = 0;
    TEST_SET_LOWER_CASE_FIELDS(QARNTASH_PARTNER_PERIOD_FIELDS)
    TEST_SET_LOWER_CASE_FIELDS(QARNTASH_PARTNER_PERIOD_FLAGS)
  }
  const DTU_Partner_AP constructed(original);
  DTU_Partner_AP assigned;
  assigned = original;
  for (const DTU_Partner_AP* copy : {&constructed, static_cast<const DTU_Partner_AP*>(&assigned)}) {
    const DTU_Partner_AP& record = *copy;
    EXPECT_EQ(record.getAccountPeriod(), 42);
    int n = 0;
    TEST_EXPECT_LOWER_CASE_FIELDS(QARNTASH_PARTNER_PERIOD_FIELDS)
    TEST_EXPECT_LOWER_CASE_FIELDS(QARNTASH_PARTNER_PERIOD_FLAGS)
  }
}

// ----- the list of periods -----

TEST(PartnerPeriods, ANewUnitHasNoPeriodAndLeavesTheOutputAlone) {
  platform::ReportCapture reports;
  const DTU_Partner unit(kSource, kDestination, 2022);
  DTU_Partner_AP out(5);
  out.setLoss(12.5);
  EXPECT_FALSE(unit.getPeriod(0, out));
  EXPECT_EQ(out.getAccountPeriod(), 5);
  EXPECT_EQ(out.getLoss(), 12.5);
  EXPECT_TRUE(reports.lines().empty()) << "reading past the end is not an error";
}

TEST(PartnerPeriods, ComeBackByPositionInTheOrderAdded) {
  platform::ReportCapture reports;
  DTU_Partner unit(kSource, kDestination, 2022);
  add_period(unit, 10, 100.0);
  add_period(unit, 11, 200.0);

  DTU_Partner_AP out;
  ASSERT_TRUE(unit.getPeriod(1, out));
  EXPECT_EQ(out.getAccountPeriod(), 11);
  EXPECT_EQ(out.getProfit(), 200.0);
  ASSERT_TRUE(unit.getPeriod(0, out));
  EXPECT_EQ(out.getAccountPeriod(), 10);
  EXPECT_FALSE(unit.getPeriod(2, out));
  EXPECT_FALSE(unit.getPeriod(static_cast<unsigned long>(-1), out));
  EXPECT_EQ(out.getAccountPeriod(), 10) << "a failed read leaves the output as it was";
  EXPECT_TRUE(reports.lines().empty());
}

TEST(PartnerPeriods, APeriodReadOutIsACopy) {
  DTU_Partner unit(kSource, kDestination, 2022);
  add_period(unit, 10, 100.0);
  DTU_Partner_AP out;
  ASSERT_TRUE(unit.getPeriod(0, out));
  out.setProfit(-1.0);
  out.setIsCashBasisUsed(1);
  DTU_Partner_AP again;
  ASSERT_TRUE(unit.getPeriod(0, again));
  EXPECT_EQ(again.getProfit(), 100.0);
  EXPECT_EQ(again.getIsCashBasisUsed(), 0);
}

TEST(PartnerPeriods, ANullPeriodIsReportedWithCodeZeroAndNotAdded) {
  platform::ReportCapture reports;
  DTU_Partner unit(kSource, kDestination, 2022);
  unit.addPeriodData(nullptr);
  ASSERT_EQ(reports.lines().size(), 1u);
  EXPECT_TRUE(is_refresh_failed(reports.lines()[0], 0)) << reports.lines()[0];
  EXPECT_EQ(reports.lines()[0].find("[flag"), std::string::npos) << "flag 0";
  DTU_Partner_AP out;
  EXPECT_FALSE(unit.getPeriod(0, out));
}

TEST(PartnerPeriods, APeriodAddedAgainIsReportedWithCodeZeroAndNotAddedTwice) {
  platform::ReportCapture reports;
  DTU_Partner unit(kSource, kDestination, 2022);
  DTU_Partner_AP* period = add_period(unit, 10, 100.0);
  unit.addPeriodData(period);  // a second place would delete it twice with the unit
  ASSERT_EQ(reports.lines().size(), 1u);
  EXPECT_TRUE(is_refresh_failed(reports.lines()[0], 0)) << reports.lines()[0];
  DTU_Partner_AP out;
  EXPECT_TRUE(unit.getPeriod(0, out));
  EXPECT_FALSE(unit.getPeriod(1, out));
}

// ----- copies of a whole unit -----

TEST(PartnerCopies, ACopyHasItsOwnPeriods) {
  auto original = std::make_unique<DTU_Partner>(kSource, kDestination, 2022);
  original->setClass4NIC(321.0);
  DTU_Partner_AP* held = add_period(*original, 10, 100.0);
  add_period(*original, 11, 200.0);

  const DTU_Partner copy(*original);
  EXPECT_EQ(copy.getClass4NIC(), 321.0);
  EXPECT_EQ(copy.GetTaxYear(), 2022);

  // The caller may still change a period it handed over; the copy does not see it.
  held->setProfit(-5.0);
  DTU_Partner_AP out;
  ASSERT_TRUE(copy.getPeriod(0, out));
  EXPECT_EQ(out.getProfit(), 100.0);

  // The copy outlives its source: each deletes only its own periods (a shared period would be
  // read after it was freed, or freed twice, under the sanitizers).
  original.reset();
  ASSERT_TRUE(copy.getPeriod(1, out));
  EXPECT_EQ(out.getAccountPeriod(), 11);
  EXPECT_EQ(out.getProfit(), 200.0);
  EXPECT_FALSE(copy.getPeriod(2, out));
}

TEST(PartnerCopies, PeriodsAddedLaterBelongToOneUnitOnly) {
  DTU_Partner original(kSource, kDestination, 2022);
  DTU_Partner copy(original);
  add_period(original, 10, 100.0);
  add_period(copy, 20, 200.0);
  DTU_Partner_AP out;
  ASSERT_TRUE(original.getPeriod(0, out));
  EXPECT_EQ(out.getAccountPeriod(), 10);
  EXPECT_FALSE(original.getPeriod(1, out));
  ASSERT_TRUE(copy.getPeriod(0, out));
  EXPECT_EQ(out.getAccountPeriod(), 20);
  EXPECT_FALSE(copy.getPeriod(1, out));
}

// ----- when memory runs out -----

TEST(PartnerFailures, AUnitWithoutAListReportsEachUse) {
  platform::ReportCapture reports;
  test_support::FailingAllocation fail_list(1);
  DTU_Partner unit(kSource, kDestination, 2022);
  ASSERT_TRUE(fail_list.triggered());

  DTU_Partner_AP out(3);
  EXPECT_FALSE(unit.getPeriod(0, out));
  EXPECT_EQ(out.getAccountPeriod(), 3);
  std::unique_ptr<DTU_Partner_AP> period(unit.createAccountPeriod(8));
  ASSERT_NE(period, nullptr);
  unit.addPeriodData(period.get());  // not taken: it stays ours, and is freed by us

  ASSERT_EQ(reports.lines().size(), 2u);
  EXPECT_TRUE(is_refresh_failed(reports.lines()[0], 1)) << reports.lines()[0];
  EXPECT_TRUE(is_refresh_failed(reports.lines()[1], 0)) << reports.lines()[1];
}

TEST(PartnerFailures, CreatingAPeriodWithoutMemoryGivesNullAndCodeTwo) {
  platform::ReportCapture reports;
  const DTU_Partner unit(kSource, kDestination, 2022);
  test_support::FailingAllocation fail_period(1);
  EXPECT_EQ(unit.createAccountPeriod(7), nullptr);
  ASSERT_EQ(reports.lines().size(), 1u);
  EXPECT_TRUE(is_refresh_failed(reports.lines()[0], 2)) << reports.lines()[0];
}

// A copy that cannot duplicate every period keeps none (rather than some, silently), and leaks
// none of those it had made.
TEST(PartnerFailures, ACopyThatRunsOutOfMemoryHasNoListAndSaysSoWhenRead) {
  DTU_Partner original(kSource, kDestination, 2022);
  add_period(original, 10, 100.0);
  add_period(original, 11, 200.0);
  add_period(original, 12, 300.0);
  for (int nth = 1; nth <= 4; ++nth) {  // the list, then each of the three periods
    platform::ReportCapture reports;
    test_support::FailingAllocation fail(nth);
    const DTU_Partner copy(original);
    ASSERT_TRUE(fail.triggered()) << nth;
    DTU_Partner_AP out;
    EXPECT_FALSE(copy.getPeriod(0, out)) << nth;
    ASSERT_EQ(reports.lines().size(), 1u) << nth;
    EXPECT_TRUE(is_refresh_failed(reports.lines()[0], 1)) << nth;
  }
  DTU_Partner_AP out;
  EXPECT_TRUE(original.getPeriod(2, out));
}

}  // namespace
