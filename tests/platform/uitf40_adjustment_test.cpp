// The stand-in business objects of a UITF 40 adjustment: instalments, overrides, totals, CTAPs,
// copies and the broker.
#include "platform/uitf40_adjustment.h"

#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include "support/uitf40_figures.h"
#include "support/virtual_slot.h"

namespace {

using namespace Velmar::BusinessRules::Taxation;
using namespace Velmar::BusinessRules::Taxation::BusinessTax;
using test_support::company_figures;
using test_support::trade_figures;

// Each period's amount taxed, to the penny.
void expect_amounts_taxed(CUITF40Adjustment& adjustment, const std::vector<double>& expected, const char* name) {
  ASSERT_EQ(adjustment.GetNumberOfPeriods(), static_cast<int>(expected.size())) << name;
  for (int i = 1; i <= adjustment.GetNumberOfPeriods(); ++i) {
    EXPECT_NEAR(adjustment.GetPeriod(i)->GetAmountTaxed(), expected[static_cast<std::size_t>(i - 1)], 0.001)
        << name << " period " << i;
  }
}

TEST(UITF40Adjustment, SpreadsASixthAPeriodAndTaxesTheRestByTheSixth) {
  const struct {
    const char* name;
    double total;
    long first_tax_year;
    int periods;
    long first_year_chosen;
    std::vector<double> expected;
  } cases[] = {
      {"six periods", 6000, 2007, 6, 0, {1000, 1000, 1000, 1000, 1000, 1000}},
      {"pennies left by rounding", 1000, 2007, 6, 0, {166.67, 166.67, 166.67, 166.67, 166.67, 166.65}},
      {"eight periods", 6000, 2007, 8, 0, {1000, 1000, 1000, 1000, 1000, 1000, 0, 0}},
      {"four periods: the last takes the rest", 600, 2007, 4, 0, {100, 100, 100, 300}},
      {"2005-06 present, 2006-07 chosen by default", 600, 2006, 7, 0, {0, 100, 100, 100, 100, 100, 100}},
      {"2005-06 chosen", 600, 2006, 7, 2006, {100, 100, 100, 100, 100, 100, 0}},
      {"negative adjustment", -600, 2007, 6, 0, {-100, -100, -100, -100, -100, -100}},
      {"no periods", 600, 2007, 0, 0, {}},
  };
  for (const auto& c : cases) {
    auto figures = trade_figures(c.total, c.first_tax_year, c.periods);
    figures.firstYearOfAdjustment = c.first_year_chosen;
    CUITF40AdjustmentTrades adjustment(figures);
    expect_amounts_taxed(adjustment, c.expected, c.name);
    EXPECT_NEAR(adjustment.GetTotalPaymentsForAllPeriods(), c.periods > 0 ? c.total : 0, 0.001) << c.name;
    for (int i = 1; i <= c.periods; ++i) {
      const bool charged = c.expected[static_cast<std::size_t>(i - 1)] != 0;
      EXPECT_EQ(adjustment.GetPeriod(i)->CanBeOverridden(), charged) << c.name << " period " << i;
      EXPECT_EQ(adjustment.GetPeriod(i)->GetRuleUsed() == UITF40RuleNone, !charged) << c.name << " period " << i;
    }
  }
}

TEST(UITF40Adjustment, AnOverrideChangesItsPeriodAndCapsTheInstalmentsAfterIt) {
  CUITF40AdjustmentTrades adjustment(trade_figures(6000, 2007, 6));
  CUITF40AdjustmentPeriod& second = *adjustment.GetPeriod(2);
  second.SetOverridden(true);
  second.SetOverrideAmount(2500);
  adjustment.Compute();
  expect_amounts_taxed(adjustment, {1000, 2500, 1000, 1000, 500, 0}, "overridden");
  EXPECT_DOUBLE_EQ(second.GetExcessOverDefault(), 1500);
  EXPECT_EQ(second.GetRuleUsed(), UITF40RuleOverride);
  EXPECT_DOUBLE_EQ(adjustment.GetPeriod(3)->GetExcessOverDefault(), 0);
  EXPECT_DOUBLE_EQ(adjustment.TotalUntaxedAtEndOfPeriod(0), 6000);
  EXPECT_DOUBLE_EQ(adjustment.TotalUntaxedAtEndOfPeriod(2), 2500);
  EXPECT_DOUBLE_EQ(adjustment.TotalUntaxedAtEndOfPeriod(9), 0);
  EXPECT_FALSE(adjustment.DoTotalPaymentsExceedTotalAdjustment());

  adjustment.GetPeriod(1)->SetOverridden(true);
  adjustment.GetPeriod(1)->SetOverrideAmount(4000);
  adjustment.Compute();
  EXPECT_TRUE(adjustment.DoTotalPaymentsExceedTotalAdjustment()) << "4000 + 2500 is more than 6000";

  adjustment.Reset();
  expect_amounts_taxed(adjustment, std::vector<double>(6, 1000), "reset");
  EXPECT_FALSE(second.IsOverridden());
}

TEST(UITF40Adjustment, APeriodThatChargesNothingTakesNoOverride) {
  CUITF40AdjustmentTrades adjustment(trade_figures(600, 2006, 7));  // 2005-06 charges nothing
  adjustment.GetPeriod(1)->SetOverridden(true);
  adjustment.GetPeriod(1)->SetOverrideAmount(50);
  EXPECT_FALSE(adjustment.GetPeriod(1)->IsOverridden());
  EXPECT_DOUBLE_EQ(adjustment.GetPeriod(1)->GetOverrideAmount(), 0);
}

TEST(UITF40Adjustment, ChecksProfitsOverridesAndTotalsAgainstTheAdjustment) {
  CUITF40AdjustmentTrades positive(trade_figures(6000, 2006, 7));
  CUITF40AdjustmentTrades negative(trade_figures(-600, 2007, 6));
  const struct {
    CUITF40Adjustment* adjustment;
    long period;
    double profit;
    bool low;
  } profit_cases[] = {
      {&positive, 2, 5999, true},    // 999.83 is below the 1000 charged
      {&positive, 2, 6000, false},
      {&positive, 2, -60, true},     // a loss
      {&positive, 1, 0, false},      // 2005-06 charges nothing
      {&positive, 0, 0, false},
      {&positive, 8, 0, false},
  };
  for (const auto& c : profit_cases) {
    EXPECT_EQ(c.adjustment->LowProfitsCheckForPeriod(c.period, c.profit), c.low) << c.period << " " << c.profit;
  }
  const struct {
    CUITF40Adjustment* adjustment;
    double amount;
    bool valid;
  } override_cases[] = {
      {&positive, 0, true},     {&positive, 6000, true}, {&positive, 6000.01, false},
      {&positive, -1, false},   {&negative, -600, true}, {&negative, -600.5, false},
      {&negative, 1, false},
  };
  for (const auto& c : override_cases) {
    EXPECT_EQ(c.adjustment->ValidateOverrideAmount(c.amount), c.valid) << c.adjustment->GetTotalAdjustment() << " "
                                                                       << c.amount;
  }
}

TEST(UITF40Adjustment, SharesAnAccountPeriodsInstalmentBetweenItsCTAPsByDays) {
  auto figures = company_figures(6000, 6, 2, {200, 165, 0});
  figures.periods[1].ctaps[2].chargeable = false;
  CUITF40AdjustmentCTax company(figures);
  auto& split = *static_cast<CUITF40AdjustmentAccountPeriod*>(company.GetPeriod(2));
  EXPECT_TRUE(company.HasCTAPs(2));
  EXPECT_FALSE(company.HasCTAPs(1));
  EXPECT_FALSE(company.HasCTAPs(7));
  EXPECT_EQ(split.GetNumberOfSubPeriods(), 3);
  EXPECT_DOUBLE_EQ(split.GetCTAP(1)->GetDefaultAmount(), 547.95);  // 1000 x 200 / 365
  EXPECT_DOUBLE_EQ(split.GetCTAP(2)->GetDefaultAmount(), 452.05);
  EXPECT_EQ(split.GetCTAP(3)->GetRuleUsed(), UITF40RuleNone);
  EXPECT_EQ(split.GetCTAP(4), nullptr);
  EXPECT_FALSE(split.IsOverrideEditable()) << "a split period is overridden through its CTAPs";

  split.SetOverridden(true);  // changes nothing: the figures are the CTAPs'
  EXPECT_FALSE(split.IsOverridden());
  split.GetCTAP(2)->SetOverridden(true);
  split.GetCTAP(2)->SetOverrideAmount(1452.05);
  company.Compute();
  EXPECT_TRUE(split.IsOverridden());
  EXPECT_DOUBLE_EQ(split.GetAmountTaxed(), 2000);
  EXPECT_DOUBLE_EQ(split.GetExcessOverDefault(), 1000);
  EXPECT_DOUBLE_EQ(company.TotalUntaxedAtEndOfPeriod(2), 3000);
}

TEST(UITF40Adjustment, CopiesAreIndependentAndCommitOnlyWhenPersisted) {
  CUITF40AdjustmentCTax company(company_figures(6000, 6, 3, {100, 265}));
  CUITF40AdjustmentCTax backup(company);
  auto& split = *static_cast<CUITF40AdjustmentAccountPeriod*>(company.GetPeriod(3));
  split.GetCTAP(1)->SetOverridden(true);
  split.GetCTAP(1)->SetOverrideAmount(10);
  company.GetPeriod(1)->SetOverridden(true);
  company.GetPeriod(1)->SetOverrideAmount(20);
  EXPECT_FALSE(backup.GetPeriod(3)->IsOverridden());

  EXPECT_TRUE(company.PersistAllCTAPsInPeriod(3));
  EXPECT_FALSE(company.PersistAllCTAPsInPeriod(7));
  EXPECT_TRUE(company.GetCommittedFigures().periods[2].ctaps[0].overridden);
  EXPECT_FALSE(company.GetCommittedFigures().periods[0].overridden) << "only the CTAPs of period 3";

  company.Populate();
  EXPECT_TRUE(company.GetPeriod(3)->IsOverridden());
  EXPECT_FALSE(company.GetPeriod(1)->IsOverridden());

  company = backup;
  EXPECT_FALSE(company.GetPeriod(3)->IsOverridden());
  EXPECT_FALSE(company.GetCommittedFigures().periods[2].ctaps[0].overridden);
}

TEST(UITF40Broker, GivesAPartnershipsSharedAdjustmentAndClonesIt) {
  CTaxBusinessObjectBroker::Clear();
  const PMCO_INT_REF partnership{1, 42};
  EXPECT_EQ(CTaxBusinessObjectBroker::GetTradesUITF40(partnership), nullptr);
  CTaxBusinessObjectBroker::SetTradesUITF40(partnership,
                                           std::make_shared<CUITF40AdjustmentTrades>(trade_figures(600, 2007, 6)));
  const counted_ptr<CUITF40AdjustmentTrades> shared = CTaxBusinessObjectBroker::GetTradesUITF40(partnership);
  ASSERT_NE(shared, nullptr);
  std::unique_ptr<CUITF40AdjustmentTrades> copy(CUITF40AdjustmentTrades::Clone(*shared));
  ASSERT_NE(copy, nullptr);
  copy->SetTotalAdjustment(1200);
  EXPECT_DOUBLE_EQ(shared->GetTotalAdjustment(), 600);
  *shared = *copy;
  EXPECT_DOUBLE_EQ(CTaxBusinessObjectBroker::GetTradesUITF40(partnership)->GetPeriod(1)->GetDefaultAmount(), 200);
  CTaxBusinessObjectBroker::Clear();
}

TEST(UITF40Broker, KeepsASoleTradersFiguresUntilPersisted) {
  CTaxBusinessObjectBroker::Clear();
  const PMCO_INT_REF client{1, 7};
  const PMCO_INT_REF business{1, 8};
  CUITF40AdjustmentSoleTrader missing(client, business, 900);
  EXPECT_FALSE(missing.Populate());
  EXPECT_EQ(missing.GetNumberOfPeriods(), 0);

  CTaxBusinessObjectBroker::SetSoleTraderUITF40(client, business, trade_figures(600, 2007, 6, 50));
  CUITF40AdjustmentSoleTrader trader(client, business, 900);
  ASSERT_TRUE(trader.Populate());
  EXPECT_DOUBLE_EQ(trader.GetProfitForThePeriod(), 900) << "the profit given, not the stored one";
  trader.GetPeriod(1)->SetOverridden(true);
  trader.GetPeriod(1)->SetOverrideAmount(150);
  UITF40AdjustmentData stored;
  ASSERT_TRUE(CTaxBusinessObjectBroker::GetSoleTraderUITF40(client, business, stored));
  EXPECT_FALSE(stored.periods[0].overridden);
  trader.Persist();
  ASSERT_TRUE(CTaxBusinessObjectBroker::GetSoleTraderUITF40(client, business, stored));
  EXPECT_TRUE(stored.periods[0].overridden);
  EXPECT_DOUBLE_EQ(stored.periods[0].overrideAmount, 150);
  CTaxBusinessObjectBroker::Clear();
}

#ifdef QARNTASH_HAS_VIRTUAL_SLOTS
using test_support::slot_of;

// The screens call an adjustment and its periods through their tables of virtual functions: each
// operation must keep its slot. The adjustment's destructor comes first and takes two slots.
TEST(UITF40Adjustment, KeepsEachVirtualOperationInItsSlot) {
  using A = CUITF40Adjustment;
  using P = CUITF40AdjustmentPeriod;
  const struct {
    std::ptrdiff_t slot;
    std::ptrdiff_t expected;
    const char* operation;
  } rows[] = {
      {slot_of(&A::Persist), 2, "Persist"},
      {slot_of(&A::GetPeriod), 3, "GetPeriod"},
      {slot_of(&A::Populate), 4, "Populate"},
      {slot_of(&A::GetNumberOfPeriods), 5, "GetNumberOfPeriods"},
      {slot_of(&A::GetPeriodHeading), 6, "GetPeriodHeading"},
      {slot_of(&A::GetTotalPaidLabel), 7, "GetTotalPaidLabel"},
      {slot_of(&A::GetFirstYearLabel), 8, "GetFirstYearLabel"},
      {slot_of(&A::GetUntaxedLabel), 9, "GetUntaxedLabel"},
      {slot_of(&A::HasFirstYearChoice), 10, "HasFirstYearChoice"},
      {slot_of(&A::HasCTAPs), 11, "HasCTAPs"},
      {slot_of(&A::UsesReset), 12, "UsesReset"},
      {slot_of(&P::GetText), 0, "GetText"},
      {slot_of(&P::GetTaxYear), 1, "GetTaxYear"},
      {slot_of(&P::GetDefaultAmount), 2, "GetDefaultAmount"},
      {slot_of(&P::IsOverridden), 3, "IsOverridden"},
      {slot_of(&P::GetOverrideAmount), 4, "GetOverrideAmount"},
      {slot_of(&P::GetExcessOverDefault), 5, "GetExcessOverDefault"},
      {slot_of(&P::SetOverrideAmount), 6, "SetOverrideAmount"},
      {slot_of(&P::SetOverridden), 7, "SetOverridden"},
      {slot_of(&P::GetNumberOfSubPeriods), 8, "GetNumberOfSubPeriods"},
      {slot_of(&P::IsOverrideEditable), 9, "IsOverrideEditable"},
      {slot_of(&P::CanBeOverridden), 10, "CanBeOverridden"},
  };
  for (const auto& row : rows) EXPECT_EQ(row.slot, row.expected) << row.operation;
}
#endif

}  // namespace
