#include "qarntash/transfer/proprietor_unit.h"

#include <sstream>

namespace {

const char kRule[] = "-----------------------------------------------------------";
static_assert(sizeof(kRule) == 59 + 1, "the rule is 59 hyphens");

// The expenses as the text shows them: by label in alphabetical order, not in field order.
struct ExpenseLine {
  const char* label;
  double (DTU_Proprietor_Expenses::*amount)() const;
};
constexpr ExpenseLine kExpenseLines[] = {
    {"Advertising Promotional and Entertainment: ",
     &DTU_Proprietor_Expenses::GetAdvertisingPromotionalAndEntertainment},
    {"Business Entertainment Costs: ", &DTU_Proprietor_Expenses::GetBusinessEntertainmentCosts},
    {"Bad Debts: ", &DTU_Proprietor_Expenses::GetBadDebts},
    {"Construction Industry: ", &DTU_Proprietor_Expenses::GetConstructionIndustrySubcontractorCosts},
    {"Cost of Sales: ", &DTU_Proprietor_Expenses::GetCostOfSales},
    {"Depreciation and Loss of Sale: ", &DTU_Proprietor_Expenses::GetDepreciationAndLossOnSale},
    {"Employee Costs: ", &DTU_Proprietor_Expenses::GetEmployeeCosts},
    {"General Admin: ", &DTU_Proprietor_Expenses::GetGeneralAdmin},
    {"Interest: ", &DTU_Proprietor_Expenses::GetInterest},
    {"Legal and Professional: ", &DTU_Proprietor_Expenses::GetLegalAndProfessional},
    {"Motor: ", &DTU_Proprietor_Expenses::GetMotor},
    {"Other Direct Costs: ", &DTU_Proprietor_Expenses::GetOtherDirectCosts},
    {"Other Expenses: ", &DTU_Proprietor_Expenses::GetOtherExpenses},
    {"Other Finance Charges: ", &DTU_Proprietor_Expenses::GetOtherFinanceCharges},
    {"Premises Costs: ", &DTU_Proprietor_Expenses::GetPremisesCosts},
    {"Repairs: ", &DTU_Proprietor_Expenses::GetRepairs},
    {"Travel and Subsistence: ", &DTU_Proprietor_Expenses::GetTravelAndSubsistance},
};
static_assert(sizeof(kExpenseLines) / sizeof(kExpenseLines[0]) == 17, "every expense is shown");

}  // namespace

DTU_Proprietor::DTU_Proprietor(const PMCO_INT_REF& source, const PMCO_INT_REF& destination,
                               long accountPeriod, long taxYear, long employmentNo,
                               DTU_PeriodDataType periodDataType, long updatePeriodID)
    : DTU(source, destination, taxYear),
      m_AccountPeriod(static_cast<std::int32_t>(accountPeriod)),
      m_BusinessSubType(),
      m_PeriodDataType(periodDataType),
      m_UpdatePeriodID(static_cast<std::int32_t>(updatePeriodID)),
      m_EmploymentNo(static_cast<std::int32_t>(employmentNo)),
      m_Expenses(DTU_Proprietor_Expenses::StandardExpenses),
      m_DisallowableExpenses(DTU_Proprietor_Expenses::DisallowableExpenses) {}

DTU_Proprietor::~DTU_Proprietor() = default;

std::string DTU_Proprietor::GetStringRepresentation(const fpw_DATE_VALUE& periodStart,
                                                    const fpw_DATE_VALUE& periodEnd) const {
  std::ostringstream text;
  text << "\n\n";
  text << "Account Period ID: " << getAccountPeriod() << "\n";
  text << "Account Period Sub Type: " << static_cast<std::int32_t>(m_BusinessSubType) << "\n";
  text << kRule << "\n";
  text << "Update Period Type: " << static_cast<std::int32_t>(m_PeriodDataType) << "\n";
  text << "Update Period Start: " << periodStart.string_value() << "\n";
  text << "Update Period End: " << periodEnd.string_value() << "\n";
  text << kRule << "\n";
  text << "\n";

  const DTU_Proprietor_Income& income = GetIncome();
  text << "Business Income: " << income.GetBusinessIncome() << "\n";
  text << "Other Income or Profits: " << income.GetOtherIncomeOrProfits() << "\n";
  text << "SEISS: " << income.GetSEISS() << "\n";
  text << "\n";

  const DTU_Proprietor_Expenses& expenses = GetExpenses();
  for (const ExpenseLine& line : kExpenseLines) {
    text << line.label << (expenses.*line.amount)() << "\n";
  }
  text << "Type: " << static_cast<std::int32_t>(expenses.GetType()) << "\n";
  text << "\n\n";
  return text.str();
}
