#include "qarntash/transfer/proprietor_unit.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "support/temporary_folder.h"
#include "transfer/field_values.h"

namespace {

using test_support::day_number;

const PMCO_INT_REF kSource{1, 1001};
const PMCO_INT_REF kDestination{1, 2002};
const auto kPeriodType = static_cast<DTU_Proprietor::DTU_PeriodDataType>(4);

DTU_Proprietor make_unit() {
  // account period 17, tax year 2022, employment 3, period type 4, update period 9
  return DTU_Proprietor(kSource, kDestination, 17, 2022, 3, kPeriodType, 9);
}

// ----- construction and fields -----

TEST(ProprietorUnit, KeepsItsIdentifyingValuesInTheConstructorsOrder) {
  const DTU_Proprietor unit = make_unit();
  EXPECT_EQ(unit.GetSource(), kSource);
  EXPECT_EQ(unit.GetDestination(), kDestination);
  EXPECT_EQ(unit.getAccountPeriod(), 17);
  EXPECT_EQ(unit.GetTaxYear(), 2022);
  EXPECT_EQ(unit.GetEmploymentNo(), 3);
  EXPECT_EQ(unit.GetPeriodDataType(), kPeriodType);
  EXPECT_EQ(unit.GetUpdatePeriodID(), 9);
  EXPECT_EQ(unit.GetBusinessSubType(), 0);
  EXPECT_EQ(unit.GetExpenses().GetType(), 1);
  EXPECT_EQ(unit.GetDisallowableExpenses().GetType(), 2);

  DTU_Proprietor changed = make_unit();
  changed.SetBusinessSubType(static_cast<DTU_Proprietor::BusinessSubType>(-7));
  EXPECT_EQ(changed.GetBusinessSubType(), -7);  // kept unchanged, whatever the host's value
}

// Checks that a new section holds zero everywhere, fills every field with a value of its own, then
// reads them all back from a copy.
#define EXPECT_EVERY_FIELD_KEPT_AND_COPIED(Section, LIST, ...) \
  {                                                            \
    Section original{__VA_ARGS__};                             \
    {                                                          \
      Section& record = original;                              \
      TEST_EXPECT_ZERO_FIELDS(LIST)                            \
      int n = 0;                                               \
      TEST_SET_FIELDS(LIST)                                    \
    }                                                          \
    const Section record(original);                            \
    int n = 0;                                                 \
    TEST_EXPECT_FIELDS(LIST)                                   \
  }

TEST(ProprietorSections, StartAtZeroAndKeepEveryFieldThroughACopy) {
  EXPECT_EVERY_FIELD_KEPT_AND_COPIED(DTU_Proprietor_Income, QARNTASH_PROPRIETOR_INCOME_FIELDS);
  EXPECT_EVERY_FIELD_KEPT_AND_COPIED(DTU_Proprietor_Expenses, QARNTASH_PROPRIETOR_EXPENSES_FIELDS,
                                     DTU_Proprietor_Expenses::StandardExpenses);
  EXPECT_EVERY_FIELD_KEPT_AND_COPIED(DTU_Proprietor_CapitalAllowances,
                                     QARNTASH_PROPRIETOR_CAPITAL_ALLOWANCES_FIELDS);
  EXPECT_EVERY_FIELD_KEPT_AND_COPIED(DTU_Proprietor_BalancingCharges,
                                     QARNTASH_PROPRIETOR_BALANCING_CHARGES_FIELDS);
  EXPECT_EVERY_FIELD_KEPT_AND_COPIED(DTU_Proprietor_Assets, QARNTASH_PROPRIETOR_ASSETS_FIELDS);
  EXPECT_EVERY_FIELD_KEPT_AND_COPIED(DTU_Proprietor_Liabilities, QARNTASH_PROPRIETOR_LIABILITIES_FIELDS);
  EXPECT_EVERY_FIELD_KEPT_AND_COPIED(DTU_Proprietor_RepresentedBy, QARNTASH_PROPRIETOR_REPRESENTED_BY_FIELDS);
  EXPECT_EVERY_FIELD_KEPT_AND_COPIED(DTU_Proprietor_TaxAdjustments,
                                     QARNTASH_PROPRIETOR_TAX_ADJUSTMENTS_FIELDS);
  EXPECT_EVERY_FIELD_KEPT_AND_COPIED(DTU_Proprietor_AdjustmentsToArriveAtTaxableFigure,
                                     QARNTASH_PROPRIETOR_TAXABLE_FIGURE_ADJUSTMENTS_FIELDS);
  EXPECT_EVERY_FIELD_KEPT_AND_COPIED(DTU_Proprietor_LandAndProperty,
                                     QARNTASH_PROPRIETOR_LAND_AND_PROPERTY_FIELDS);
}

TEST(ProprietorSections, LandAndPropertyKeepsItsAccessorNamesAndWholeDayNumbers) {
  DTU_Proprietor_LandAndProperty record;
  record.SetIncomeType(static_cast<DTU_Proprietor_LandAndProperty::IncomeType>(5));
  record.SetAcquiredDate(day_number(6, 4, 2021));
  record.SetDisposedDate(day_number(31, 12, 9999));
  record.SetNumProps(4000000000u);
  EXPECT_EQ(record.GetincomeType(), 5);
  EXPECT_EQ(record.GetAcquiredDate(), day_number(6, 4, 2021));
  EXPECT_EQ(record.GetDisposedDate(), day_number(31, 12, 9999));
  EXPECT_EQ(record.GetNumProps(), 4000000000u);
}

TEST(ProprietorSections, ExpensesGiveEachAmountAsAMoneyBufferWithZeroFlags) {
  DTU_Proprietor_Expenses record(DTU_Proprietor_Expenses::StandardExpenses);
  int n = 0;
  TEST_SET_FIELDS(QARNTASH_PROPRIETOR_EXPENSES_FIELDS)
  n = 0;
#define EXPECT_MONEY_BUFFER(field_type, name)                                               \
  EXPECT_EQ(record.Get##name##MB().value, test_support::field_value<double>(++n)) << #name; \
  EXPECT_EQ(record.Get##name##MB().flags, 0) << #name;
  QARNTASH_PROPRIETOR_EXPENSES_FIELDS(EXPECT_MONEY_BUFFER, )
#undef EXPECT_MONEY_BUFFER
  EXPECT_EQ(record.GetTravelAndSubsistanceMB().value, record.GetTravelAndSubsistance());
}

// The sections lie back to back after the unit's own fields, as the host programs read them.
TEST(ProprietorUnit, SectionsFollowOneAnotherWithoutGaps) {
  const DTU_Proprietor unit = make_unit();
  const struct {
    const void* address;
    std::size_t size;
  } sections[] = {
      {&unit.GetIncome(), sizeof(DTU_Proprietor_Income)},
      {&unit.GetExpenses(), sizeof(DTU_Proprietor_Expenses)},
      {&unit.GetDisallowableExpenses(), sizeof(DTU_Proprietor_Expenses)},
      {&unit.GetCapitalAllowances(), sizeof(DTU_Proprietor_CapitalAllowances)},
      {&unit.GetBalancingCharges(), sizeof(DTU_Proprietor_BalancingCharges)},
      {&unit.GetAssets(), sizeof(DTU_Proprietor_Assets)},
      {&unit.GetLiabilities(), sizeof(DTU_Proprietor_Liabilities)},
      {&unit.GetRepresentedBy(), sizeof(DTU_Proprietor_RepresentedBy)},
      {&unit.GetTaxAdjustments(), sizeof(DTU_Proprietor_TaxAdjustments)},
      {&unit.GetAdjustmentsToArriveAtTaxableFigure(),
       sizeof(DTU_Proprietor_AdjustmentsToArriveAtTaxableFigure)},
      {&unit.GetLandAndProperty(), sizeof(DTU_Proprietor_LandAndProperty)},
  };
  std::size_t expected = sizeof(DTU) + 5 * 4;  // the base, then five 32-bit fields
  for (const auto& section : sections) {
    EXPECT_EQ(static_cast<const char*>(section.address) - reinterpret_cast<const char*>(&unit),
              static_cast<std::ptrdiff_t>(expected));
    expected += section.size;
  }
  EXPECT_EQ(expected, sizeof(DTU_Proprietor));
}

// ----- totals -----

// One term of a total: the field's setter and how it counts (+1 added, -1 subtracted, 0 left out).
template <typename Section>
struct TotalTerm {
  const char* field;
  void (Section::*set)(double);
  int sign;
};

// Sets one field at a time and checks the total sees exactly that field with its sign; then sets
// them all and checks the whole sum.
template <typename Section, std::size_t N>
void expect_total_counts(const TotalTerm<Section> (&terms)[N]) {
  Section all;
  double expected_all = 0.0;
  double amount = 0.0;
  for (const TotalTerm<Section>& term : terms) {
    amount += 1000.0;
    Section one;
    (one.*term.set)(amount);
    EXPECT_EQ(one.GetTotal(), term.sign * amount) << term.field;
    (all.*term.set)(amount);
    expected_all += term.sign * amount;
  }
  EXPECT_EQ(all.GetTotal(), expected_all);
}

TEST(ProprietorTotals, CapitalAllowancesCountOnlyTheFirstThree) {
  using S = DTU_Proprietor_CapitalAllowances;
  const TotalTerm<S> terms[] = {
      {"Cars", &S::SetCars, 1},
      {"BusinessPlantAndMachinery", &S::SetBusinessPlantAndMachinery, 1},
      {"AgriculturalOrIndustrialBuildingsAllowance", &S::SetAgriculturalOrIndustrialBuildingsAllowance, 1},
      {"AnnualAllowancesAt25pCent", &S::SetAnnualAllowancesAt25pCent, 0},
      {"FirstYearAllowances40And50pCent", &S::SetFirstYearAllowances40And50pCent, 0},
      {"AnnualAllowancesForExpensiveCars", &S::SetAnnualAllowancesForExpensiveCars, 0},
      {"AgriculturalOrIndustrialBuildingsAllowancePost2007",
       &S::SetAgriculturalOrIndustrialBuildingsAllowancePost2007, 0},
      {"Enhanced100pCentAndOtherCAs", &S::SetEnhanced100pCentAndOtherCAs, 0},
      {"AllowancesOnSale", &S::SetAllowancesOnSale, 0},
      {"AnnualInvestmentAllowance", &S::SetAnnualInvestmentAllowance, 0},
      {"WrittenOffSmallPoolsValue", &S::SetWrittenOffSmallPoolsValue, 0},
      {"AnnualAllowancesAt10Percent", &S::SetAnnualAllowancesAt10Percent, 0},
      {"AnnualAllowancesAt20Percent", &S::SetAnnualAllowancesAt20Percent, 0},
      {"StructuresAndBuildingsAllowance", &S::SetStructuresAndBuildingsAllowance, 0},
      {"ElectricChargePointAllowance", &S::SetElectricChargePointAllowance, 0},
  };
  expect_total_counts(terms);

  S allowances;
  allowances.SetAnnualInvestmentAllowance(5000.0);
  allowances.SetIncludesEnhancedCapitalAllowancesForEnvFriendlyExpenditure(true);
  EXPECT_EQ(allowances.GetTotal(), 0.0);
}

TEST(ProprietorTotals, BalancingChargesLeaveOutCarsAndZeroEmissionGoodsVehicles) {
  using S = DTU_Proprietor_BalancingCharges;
  const TotalTerm<S> terms[] = {
      {"Cars", &S::SetCars, 0},
      {"BusinessPlantAndMachinery", &S::SetBusinessPlantAndMachinery, 1},
      {"AgriculturalOrIndustrialBuildingsAllowance", &S::SetAgriculturalOrIndustrialBuildingsAllowance, 1},
      {"Equipment", &S::SetEquipment, 1},
      {"ZeroEmissionGoodsVehicles", &S::SetZeroEmissionGoodsVehicles, 0},
      {"ElectricChargePointAllowance", &S::SetElectricChargePointAllowance, 1},
      {"Other", &S::SetOther, 1},
  };
  expect_total_counts(terms);

  S charges;
  charges.SetCars(800.0);
  charges.SetZeroEmissionGoodsVehicles(300.0);
  EXPECT_EQ(charges.GetTotal(), 0.0);
}

TEST(ProprietorTotals, AssetsAndLiabilitiesCountEveryField) {
  using A = DTU_Proprietor_Assets;
  const TotalTerm<A> assets[] = {
      {"PlantMachineryAndMotorVehicles", &A::SetPlantMachineryAndMotorVehicles, 1},
      {"OtherFixedAssets", &A::SetOtherFixedAssets, 1},
      {"StockAndWorkInProgress", &A::SetStockAndWorkInProgress, 1},
      {"DebtorsPrepaymentsOtherCurrentAssets", &A::SetDebtorsPrepaymentsOtherCurrentAssets, 1},
      {"BankAndBuildingSocietyBalances", &A::SetBankAndBuildingSocietyBalances, 1},
      {"CashInHand", &A::SetCashInHand, 1},
      {"OtherAssets", &A::SetOtherAssets, 1},
  };
  expect_total_counts(assets);

  using L = DTU_Proprietor_Liabilities;
  const TotalTerm<L> liabilities[] = {
      {"TradeCreditors", &L::SetTradeCreditors, 1},
      {"LoansAndOverdrawnBankAccounts", &L::SetLoansAndOverdrawnBankAccounts, 1},
      {"OtherLiabilities", &L::SetOtherLiabilities, 1},
  };
  expect_total_counts(liabilities);
}

TEST(ProprietorTotals, RepresentedBySubtractsDrawings) {
  using S = DTU_Proprietor_RepresentedBy;
  const TotalTerm<S> terms[] = {
      {"BalanceAtStartOfPeriod", &S::SetBalanceAtStartOfPeriod, 1},
      {"NetProfitOrLoss", &S::SetNetProfitOrLoss, 1},
      {"CapitalIntroducted", &S::SetCapitalIntroducted, 1},
      {"Drawings", &S::SetDrawings, -1},
  };
  expect_total_counts(terms);

  S capital;
  capital.SetBalanceAtStartOfPeriod(100.0);
  capital.SetNetProfitOrLoss(50.0);
  capital.SetCapitalIntroducted(0.0);
  capital.SetDrawings(30.0);
  EXPECT_EQ(capital.GetTotal(), 120.0);
  capital.SetNetProfitOrLoss(-200.0);  // a loss
  EXPECT_EQ(capital.GetTotal(), -130.0);
}

// ----- text -----

// The text of unit 17 (period type 4, 6 April 2021 to 5 April 2022) with the given sub type,
// income amounts and expense amounts, the expenses in the order shown.
std::string expected_text(const char* sub_type, const char* const (&income)[3],
                          const char* const (&expenses)[17]) {
  static const char* const kExpenseLabels[17] = {"Advertising Promotional and Entertainment",
                                                 "Business Entertainment Costs",
                                                 "Bad Debts",
                                                 "Construction Industry",
                                                 "Cost of Sales",
                                                 "Depreciation and Loss of Sale",
                                                 "Employee Costs",
                                                 "General Admin",
                                                 "Interest",
                                                 "Legal and Professional",
                                                 "Motor",
                                                 "Other Direct Costs",
                                                 "Other Expenses",
                                                 "Other Finance Charges",
                                                 "Premises Costs",
                                                 "Repairs",
                                                 "Travel and Subsistence"};
  const std::string rule(59, '-');
  std::string text = std::string("\n\nAccount Period ID: 17\nAccount Period Sub Type: ") + sub_type + "\n" +
                     rule + "\nUpdate Period Type: 4\nUpdate Period Start: 06/04/2021\n" +
                     "Update Period End: 05/04/2022\n" + rule + "\n\n" + "Business Income: " + income[0] +
                     "\nOther Income or Profits: " + income[1] + "\nSEISS: " + income[2] + "\n\n";
  for (int i = 0; i < 17; ++i) text += std::string(kExpenseLabels[i]) + ": " + expenses[i] + "\n";
  return text + "Type: 1\n\n\n";
}

std::string text_of(const DTU_Proprietor& unit) {
  return unit.GetStringRepresentation(fpw_DATE_VALUE(day_number(6, 4, 2021)),
                                      fpw_DATE_VALUE(day_number(5, 4, 2022)));
}

TEST(ProprietorText, AFreshUnitShowsEveryAmountAsZero) {
  const char* const zeros[17] = {"0", "0", "0", "0", "0", "0", "0", "0", "0",
                                 "0", "0", "0", "0", "0", "0", "0", "0"};
  EXPECT_EQ(text_of(make_unit()), expected_text("0", {"0", "0", "0"}, zeros));
}

TEST(ProprietorText, AFilledUnitShowsItsAmountsInTheStreamsDefaultForm) {
  DTU_Proprietor unit = make_unit();
  unit.SetBusinessSubType(static_cast<DTU_Proprietor::BusinessSubType>(2));
  DTU_Proprietor_Income& income = unit.GetIncome();
  income.SetBusinessIncome(1000000.0);  // six significant digits: exponent form
  income.SetOtherIncomeOrProfits(0.1 + 0.2);
  income.SetSEISS(1234.5678);
  // A value of its own for each expense (numbered in field order), so that a label on the wrong
  // amount shows.
  DTU_Proprietor_Expenses& expenses = unit.GetExpenses();
  expenses.SetCostOfSales(1);
  expenses.SetConstructionIndustrySubcontractorCosts(2);
  expenses.SetOtherDirectCosts(3);
  expenses.SetEmployeeCosts(4);
  expenses.SetPremisesCosts(5);
  expenses.SetRepairs(6);
  expenses.SetGeneralAdmin(7);
  expenses.SetMotor(8);
  expenses.SetTravelAndSubsistance(9);
  expenses.SetAdvertisingPromotionalAndEntertainment(10);
  expenses.SetBusinessEntertainmentCosts(11);
  expenses.SetLegalAndProfessional(12);
  expenses.SetBadDebts(-13.5);
  expenses.SetInterest(14);
  expenses.SetOtherFinanceCharges(15);
  expenses.SetDepreciationAndLossOnSale(16);
  expenses.SetOtherExpenses(999999.0);
  // Neither the disallowable expenses nor the other sections are shown.
  unit.GetDisallowableExpenses().SetMotor(777.0);
  unit.GetAssets().SetCashInHand(555.0);

  const char* const shown[17] = {"10", "11", "-13.5", "2",      "1",  "16", "4", "7", "14",
                                 "12", "8",  "3",     "999999", "15", "5",  "6", "9"};
  EXPECT_EQ(text_of(unit), expected_text("2", {"1e+06", "0.3", "1234.57"}, shown));
}

TEST(ProprietorText, AbsentPeriodDatesShowAsEmpty) {
  const std::string text = make_unit().GetStringRepresentation(fpw_DATE_VALUE(0), fpw_DATE_VALUE(0));
  EXPECT_NE(text.find("Update Period Start: \nUpdate Period End: \n"), std::string::npos);
}

// ----- copies -----

TEST(ProprietorCopies, ACopyCarriesEverythingAndIsIndependent) {
  DTU_Proprietor original = make_unit();
  original.SetBusinessSubType(static_cast<DTU_Proprietor::BusinessSubType>(3));
  original.GetIncome().SetSEISS(1.0);
  original.GetExpenses().SetMotor(2.0);
  original.GetDisallowableExpenses().SetMotor(3.0);
  original.GetCapitalAllowances().SetCars(4.0);
  original.GetBalancingCharges().SetOther(5.0);
  original.GetAssets().SetBankAndBuildingSocietyBalances(6.0);
  original.GetLiabilities().SetTradeCreditors(7.0);
  original.GetRepresentedBy().SetDrawings(8.0);
  original.GetTaxAdjustments().SetDeductionsFromNetProfit(9.0);
  original.GetAdjustmentsToArriveAtTaxableFigure().SetCashBasisAdjustments(10.0);
  original.GetLandAndProperty().SetPrvUsFinanceChargesExp(11.0);

  DTU_Proprietor copy(original);
  EXPECT_EQ(copy.GetSource(), kSource);
  EXPECT_EQ(copy.GetDestination(), kDestination);
  EXPECT_EQ(copy.GetTaxYear(), 2022);
  EXPECT_EQ(copy.getAccountPeriod(), 17);
  EXPECT_EQ(copy.GetBusinessSubType(), 3);
  EXPECT_EQ(copy.GetDisallowableExpenses().GetType(), 2);
  EXPECT_EQ(text_of(copy), text_of(original));

  // Change every section through the copy: the original keeps its values.
  copy.SetBusinessSubType(static_cast<DTU_Proprietor::BusinessSubType>(0));
  copy.GetIncome().SetSEISS(-1.0);
  copy.GetExpenses().SetMotor(-1.0);
  copy.GetDisallowableExpenses().SetMotor(-1.0);
  copy.GetCapitalAllowances().SetCars(-1.0);
  copy.GetBalancingCharges().SetOther(-1.0);
  copy.GetAssets().SetBankAndBuildingSocietyBalances(-1.0);
  copy.GetLiabilities().SetTradeCreditors(-1.0);
  copy.GetRepresentedBy().SetDrawings(-1.0);
  copy.GetTaxAdjustments().SetDeductionsFromNetProfit(-1.0);
  copy.GetAdjustmentsToArriveAtTaxableFigure().SetCashBasisAdjustments(-1.0);
  copy.GetLandAndProperty().SetPrvUsFinanceChargesExp(-1.0);

  const DTU_Proprietor& first = original;
  EXPECT_EQ(first.GetBusinessSubType(), 3);
  EXPECT_EQ(first.GetIncome().GetSEISS(), 1.0);
  EXPECT_EQ(first.GetExpenses().GetMotor(), 2.0);
  EXPECT_EQ(first.GetDisallowableExpenses().GetMotor(), 3.0);
  EXPECT_EQ(first.GetCapitalAllowances().GetCars(), 4.0);
  EXPECT_EQ(first.GetBalancingCharges().GetOther(), 5.0);
  EXPECT_EQ(first.GetAssets().GetBankAndbuildingSocietyBalances(), 6.0);
  EXPECT_EQ(first.GetLiabilities().GetTradeCreditors(), 7.0);
  EXPECT_EQ(first.GetRepresentedBy().GetDrawings(), 8.0);
  EXPECT_EQ(first.GetTaxAdjustments().GetDeductionsFromNetProfit(), 9.0);
  EXPECT_EQ(first.GetAdjustmentsToArriveAtTaxableFigure().GetCashBasisAdjustments(), 10.0);
  EXPECT_EQ(first.GetLandAndProperty().GetPrvUsFinanceChargesExp(), 11.0);
}

}  // namespace
