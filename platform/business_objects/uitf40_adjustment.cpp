// A UITF 40 adjustment of any kind: its instalments, totals and checks.
#include <algorithm>

#include "platform/rounding.h"
#include "platform/uitf40_adjustment.h"

namespace Velmar::BusinessRules::Taxation::BusinessTax {
namespace {

// The adjustment is charged in at most six instalments: the sixth takes whatever is left.
constexpr long kInstalments = 6;

// The two first years that a trade may choose between: 2005-06 and 2006-07.
constexpr long kEarlyFirstYear = 2006;
constexpr long kUsualFirstYear = 2007;

}  // namespace

CUITF40Adjustment::CUITF40Adjustment(const UITF40AdjustmentData& figures) : m_Committed(figures) {}

CUITF40Adjustment::CUITF40Adjustment(const CUITF40Adjustment& other)
    : m_Committed(other.m_Committed),
      m_TotalAdjustment(other.m_TotalAdjustment),
      m_FirstYearOfAdjustment(other.m_FirstYearOfAdjustment),
      m_ProfitForThePeriod(other.m_ProfitForThePeriod),
      m_PeriodBeforeStartDate(other.m_PeriodBeforeStartDate) {
  m_Periods.reserve(other.m_Periods.size());
  for (const auto& period : other.m_Periods) m_Periods.push_back(period->Copy());
}

CUITF40Adjustment& CUITF40Adjustment::operator=(const CUITF40Adjustment& other) {
  if (this == &other) return *this;
  std::vector<std::unique_ptr<CUITF40AdjustmentPeriod>> periods;
  periods.reserve(other.m_Periods.size());
  for (const auto& period : other.m_Periods) periods.push_back(period->Copy());
  m_Committed = other.m_Committed;
  m_TotalAdjustment = other.m_TotalAdjustment;
  m_FirstYearOfAdjustment = other.m_FirstYearOfAdjustment;
  m_ProfitForThePeriod = other.m_ProfitForThePeriod;
  m_PeriodBeforeStartDate = other.m_PeriodBeforeStartDate;
  m_Periods = std::move(periods);
  return *this;
}

CUITF40Adjustment::~CUITF40Adjustment() = default;

bool CUITF40Adjustment::Persist() {
  m_Committed = Describe();
  return true;
}

CUITF40AdjustmentPeriod* CUITF40Adjustment::GetPeriod(int period) {
  return period >= 1 && period <= GetNumberOfPeriods() ? m_Periods[static_cast<std::size_t>(period - 1)].get()
                                                       : nullptr;
}

const CUITF40AdjustmentPeriod* CUITF40Adjustment::PeriodAt(long period) const {
  return period >= 1 && period <= GetNumberOfPeriods() ? m_Periods[static_cast<std::size_t>(period - 1)].get()
                                                       : nullptr;
}

bool CUITF40Adjustment::Populate() {
  Load(m_Committed);
  return true;
}

int CUITF40Adjustment::GetNumberOfPeriods() const { return static_cast<int>(m_Periods.size()); }
bool CUITF40Adjustment::HasFirstYearChoice() const { return false; }
bool CUITF40Adjustment::HasCTAPs(int) const { return false; }
bool CUITF40Adjustment::UsesReset() const { return false; }

void CUITF40Adjustment::Load(const UITF40AdjustmentData& figures) {
  std::vector<std::unique_ptr<CUITF40AdjustmentPeriod>> periods;
  periods.reserve(figures.periods.size());
  for (const UITF40PeriodData& period : figures.periods) periods.push_back(MakePeriod(period));
  m_TotalAdjustment = figures.totalAdjustment;
  m_FirstYearOfAdjustment = figures.firstYearOfAdjustment;
  m_ProfitForThePeriod = figures.profitForThePeriod;
  m_PeriodBeforeStartDate = figures.periodBeforeStartDate;
  m_Periods = std::move(periods);
  Compute();
}

std::unique_ptr<CUITF40AdjustmentPeriod> CUITF40Adjustment::MakePeriod(const UITF40PeriodData& figures) const {
  return std::make_unique<CUITF40AdjustmentPeriod>(figures);
}

UITF40AdjustmentData CUITF40Adjustment::Describe() const {
  UITF40AdjustmentData figures;
  figures.totalAdjustment = m_TotalAdjustment;
  figures.firstYearOfAdjustment = m_FirstYearOfAdjustment;
  figures.profitForThePeriod = m_ProfitForThePeriod;
  figures.periodBeforeStartDate = m_PeriodBeforeStartDate;
  for (const auto& period : m_Periods) figures.periods.push_back(period->Describe());
  return figures;
}

long CUITF40Adjustment::GetFirstYearOfAdjustment() const {
  if (!HasFirstYearChoice()) return m_FirstYearOfAdjustment;
  return m_FirstYearOfAdjustment == kEarlyFirstYear ? kEarlyFirstYear : kUsualFirstYear;
}

// The first period that charges an instalment: with a first-year choice, the first period of the
// chosen tax year or later; otherwise the first period. 0 when no period charges one.
long CUITF40Adjustment::FirstChargedPeriod() const {
  if (!HasFirstYearChoice()) return m_Periods.empty() ? 0 : 1;
  const long first_year = GetFirstYearOfAdjustment();
  for (long i = 1; i <= GetNumberOfPeriods(); ++i) {
    if (PeriodAt(i)->GetTaxYear() >= first_year) return i;
  }
  return 0;
}

// Amounts are worked on with the total's sign taken out, so a negative adjustment spreads as a
// positive one does.
void CUITF40Adjustment::Compute() {
  const double sign = m_TotalAdjustment < 0 ? -1.0 : 1.0;
  const double sixth = ttround(m_TotalAdjustment / kInstalments, 2, 2);
  const long first = FirstChargedPeriod();
  const long last = GetNumberOfPeriods();
  double untaxed = m_TotalAdjustment;
  for (long i = 1; i <= last; ++i) {
    CUITF40AdjustmentPeriod& period = *m_Periods[static_cast<std::size_t>(i - 1)];
    const long instalment = first == 0 ? 0 : i - first + 1;
    const double left = sign * std::max(0.0, sign * untaxed);
    if (instalment < 1 || instalment > kInstalments) {
      period.ApplyInstalment(0, UITF40RuleNone, false);
    } else if (instalment == kInstalments || i == last) {
      period.ApplyInstalment(left, UITF40RuleBalance, true);
    } else {
      period.ApplyInstalment(sign * std::min(sign * sixth, sign * left), UITF40RuleOneSixth, true);
    }
    untaxed -= period.GetAmountTaxed();
  }
}

void CUITF40Adjustment::Reset() {
  for (auto& period : m_Periods) period->ClearOverride();
  Compute();
}

void CUITF40Adjustment::SetTotalAdjustment(double amount) {
  m_TotalAdjustment = amount;
  Compute();
}

void CUITF40Adjustment::SetFirstYearOfAdjustment(long taxYear) {
  m_FirstYearOfAdjustment = taxYear;
  Compute();
}

double CUITF40Adjustment::GetTotalPaymentsForAllPeriods() const {
  double total = 0;
  for (const auto& period : m_Periods) total += period->GetAmountTaxed();
  return total;
}

double CUITF40Adjustment::TotalUntaxedAtEndOfPeriod(long period) const {
  double untaxed = m_TotalAdjustment;
  for (long i = 1; i <= std::min<long>(period, GetNumberOfPeriods()); ++i) untaxed -= PeriodAt(i)->GetAmountTaxed();
  return untaxed;
}

bool CUITF40Adjustment::LowProfitsCheckForPeriod(long period, double profit) const {
  const CUITF40AdjustmentPeriod* charged = PeriodAt(period);
  if (charged == nullptr || !charged->CanBeOverridden()) return false;
  return ttdoubcmp(profit / kInstalments, charged->GetAmountTaxed()) < 0;
}

bool CUITF40Adjustment::ValidateOverrideAmount(double amount) const {
  const double sign = m_TotalAdjustment < 0 ? -1.0 : 1.0;
  return ttdoubcmp(sign * amount, 0) >= 0 && ttdoubcmp(sign * amount, sign * m_TotalAdjustment) <= 0;
}

bool CUITF40Adjustment::DoTotalPaymentsExceedTotalAdjustment() const {
  const double sign = m_TotalAdjustment < 0 ? -1.0 : 1.0;
  return ttdoubcmp(sign * GetTotalPaymentsForAllPeriods(), sign * m_TotalAdjustment) > 0;
}

}  // namespace Velmar::BusinessRules::Taxation::BusinessTax
