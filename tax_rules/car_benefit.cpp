// The company car and fuel benefit: the entry point, the choice of path, and what both paths
// share (days unavailable, price and contributions, the appropriate percentage).
#include "qarntash/tax_rules/car_benefit.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include "car_benefit_figures.h"
#include "car_benefit_internal.h"
#include "car_benefit_percentage.h"
#include "platform/dates.h"
#include "platform/rounding.h"

// Defined here too, so the DLL exports it: a Windows host comparing a result with it by reference
// (as a test's EXPECT_EQ does) imports it rather than taking the inline value.
constexpr double CarBenefits::kNotComputed;

namespace {

// Optional remuneration arrangements: from 2017-18 the salary given up may replace the cash
// equivalent.
constexpr long kFirstYearOfAlternativeAmounts = 2018;
// Fuel withdrawal and start dates reduce the fuel benefit from 2003-04, when the fuel benefit
// became a percentage of a fixed amount.
constexpr long kFirstYearOfFuelDates = 2004;

// The first and last day the car was available, inside the period: dates outside it count as the
// period's own bounds, so that a car available since an earlier year is not given negative days.
// A car not available at all in the period (made available after it ends, or withdrawn before it
// starts) is unavailable on every day of it, never on more days than the period has.
struct Availability {
  long from;
  long to;
};
Availability availability(const TLD_ISYI_CAR& car, long periodStart, long periodEnd) {
  const long from = std::max<long>(car.availableFrom == 0 ? periodStart : car.availableFrom, periodStart);
  const long to = std::min<long>(car.availableTo == 0 ? periodEnd : car.availableTo, periodEnd);
  if (from > to) return {periodEnd + 1, periodEnd};
  return {from, to};
}

}  // namespace

namespace car_benefit_internal {

bool is_yes(const char (&flag)[2]) { return flag[0] == 'Y'; }

double round_pence(double amount) { return ttround(amount, 2, 2); }
double round_pounds(double amount) { return ttround(amount, 0, 2); }

// The days of a tax year as the benefit rules count them: 365, plus 1 in a tax year whose number
// is divisible by 4 (2019-20 holds 29 February 2020).
std::string money_text(double amount) {
  const double rounded = ttround(amount, 2, 2);
  // Sized for the number itself: "%.2f" of 1e308 is 312 characters.
  const int length = std::snprintf(nullptr, 0, "%.2f", rounded);
  if (length <= 0) return "\xC2\xA3?";
  std::string digits(static_cast<std::size_t>(length) + 1, '\0');
  std::snprintf(&digits[0], digits.size(), "%.2f", rounded);
  digits.resize(static_cast<std::size_t>(length));
  const bool negative = !digits.empty() && digits[0] == '-';
  if (negative) digits.erase(0, 1);
  std::size_t whole = digits.find('.');
  if (whole == std::string::npos) whole = digits.size();  // "inf", "nan": no digits to group
  std::string shown = negative ? "-\xC2\xA3" : "\xC2\xA3";
  const bool grouped = whole != digits.size();
  for (std::size_t i = 0; i < whole; ++i) {
    if (grouped && i > 0 && (whole - i) % 3 == 0) shown += ',';
    shown += digits[i];
  }
  return shown + digits.substr(whole);
}

double days_in_tax_year(long taxYear) { return taxYear % 4 == 0 ? 366.0 : 365.0; }

}  // namespace car_benefit_internal

using namespace car_benefit_internal;

double CarBenefits::Calc(CAR_SUMS& sums, TLD_ISYI_CAR* car, const TLD_0501_CAR_LIMITS* limits, int co2BandCount,
                         long taxYear, long periodStart, long periodEnd, int rangeBandCount) {
  return Run(sums, car, limits, co2BandCount, taxYear, periodStart, periodEnd, rangeBandCount, nullptr);
}

double CarBenefits::CalcWithWorking(CAR_SUMS& sums, TLD_ISYI_CAR* car, const TLD_0501_CAR_LIMITS* limits,
                                    int co2BandCount, long taxYear, long periodStart, long periodEnd,
                                    int rangeBandCount, CarBenefitWorking& working) {
  working = CarBenefitWorking();
  return Run(sums, car, limits, co2BandCount, taxYear, periodStart, periodEnd, rangeBandCount, &working);
}

double CarBenefits::Run(CAR_SUMS& sums, TLD_ISYI_CAR* car, const TLD_0501_CAR_LIMITS* limits, int co2BandCount,
                        long taxYear, long periodStart, long periodEnd, int rangeBandCount,
                        CarBenefitWorking* working) {
  if (car == nullptr || limits == nullptr) return 0.0;
  // A count beyond the record's room would read past it; take the nearest count that fits.
  CarRateTables rates;
  rates.co2Bands = limits->co2Bands;
  rates.co2BandCount = std::clamp(co2BandCount, 0, kMaxCo2Bands);
  rates.electricRangeBands = limits->electricRangeBands;
  rates.electricRangeBandCount = std::clamp(rangeBandCount, 0, kMaxElectricRangeBands);
  CarBenefitFigures figures;
  CarBenefits calculation(sums, *car, *limits, rates, taxYear, periodStart, periodEnd, figures);
  const double benefit = calculation.DoCalc();

  // Amounts near the largest double overflow on the way (a price plus accessories, a benefit less
  // a reduction); the floors at nil would hide a NaN as 0. Such a car has no figures to give.
  if (const char* failed = first_figure_not_finite(figures, sums)) {
    std::memset(&sums, 0, sizeof sums);
    if (working != nullptr) {
      working->computed = false;
      CarBenefitStep step;
      step.kind = CarBenefitStep::kNote;
      step.description = std::string("The car benefit cannot be worked out: ") + failed + " is too large";
      step.basis = "amounts must be finite and small enough that every figure stays finite";
      working->steps.push_back(step);
    }
    return kNotComputed;
  }
  if (working != nullptr) describe_car_benefit(figures, *car, *limits, sums, taxYear, *working);
  return benefit;
}

CarBenefits::CarBenefits(CAR_SUMS& sums, TLD_ISYI_CAR& car, const TLD_0501_CAR_LIMITS& limits,
                         const CarRateTables& rates, long taxYear, long periodStart, long periodEnd,
                         CarBenefitFigures& figures)
    : m_sums(sums),
      m_car(&car),
      m_limits(&limits),
      m_rates(rates),
      m_taxYear(taxYear),
      m_periodStart(periodStart),
      m_periodEnd(periodEnd),
      m_daysInYear(days_in_tax_year(taxYear)),
      m_figures(figures) {}

double CarBenefits::DoCalc() {
  const bool alternative = m_taxYear >= kFirstYearOfAlternativeAmounts && is_yes(m_car->alternativeAmounts) &&
                           (m_car->carAlternativeAmount != 0.0 || m_car->fuelAlternativeAmount != 0.0);
  return alternative ? AlternativeAmountCalc() : StandardCalc();
}

double CarBenefits::ApplyCarTaxRate(double amount) const {
  return round_pounds(m_sums.percentage / 100.0 * amount);
}

// Days outside the car's availability: from the period start to the day before it became
// available, and from the day after it went to the period end.
long CarBenefits::GetCarDaysUnavailable() const {
  if (m_car->availableFrom == 0 && m_car->availableTo == 0) return 0;
  const Availability available = availability(*m_car, m_periodStart, m_periodEnd);
  return (available.from - m_periodStart) + (m_periodEnd - available.to);
}

// Days without fuel: the car's days unavailable (or, when fuel continues, only those before it
// became available), plus the days after fuel was withdrawn for good. The days before fuel was
// first provided are not counted: the law reduces the fuel benefit only for days the car was
// unavailable and, where fuel stops and is not provided again in the year, for the days after it
// stopped; a late start gives no reduction (EIM25565).
long CarBenefits::GetFuelDaysUnavailable(bool fuelProvided, bool fuelContinues) const {
  const Availability available = availability(*m_car, m_periodStart, m_periodEnd);
  const long from = available.from;
  long to = available.to;
  long days = GetCarDaysUnavailable();
  if (fuelContinues) {
    to = m_periodEnd;
    days = from - m_periodStart;
  }
  const bool fuelDatesGiven = m_car->fuelFrom != 0 || m_car->fuelTo != 0;
  if (fuelProvided && fuelDatesGiven && m_taxYear >= kFirstYearOfFuelDates) {
    long fuelEnd;
    if (m_car->fuelTo != 0 && !fuelContinues) {
      fuelEnd = m_car->fuelTo;
    } else {
      fuelEnd = m_car->availableTo > 0 ? std::min<long>(m_periodEnd, m_car->availableTo) : m_periodEnd;
    }
    // Fuel counts only while the car was available. Fuel that began only after the car went, or
    // stopped before it came, was never provided with the car: every day of from..to is without
    // fuel, never more days than the car was there.
    const long fuelStart = std::max<long>(m_car->fuelFrom == 0 ? from : m_car->fuelFrom, from);
    if (fuelStart > to || fuelEnd < fuelStart) {
      days += to - from + 1;
    } else {
      days += to - std::min(fuelEnd, to);
    }
  }
  return days;
}

// Contributions (capped), the replacement price, and the price and net price.
void CarBenefits::WorkOutPrice(bool capPrice) {
  // Copied out first: std::min would bind a reference to a packed (unaligned) field.
  const double cap = m_limits->contributionCap;
  m_figures.contributionGiven = m_car->capitalContribution;
  m_sums.capitalContribution = std::min(round_pence(m_car->capitalContribution), cap);

  if (is_yes(m_car->useReplacementPrice) && m_car->replacementPrice > m_limits->replacementPriceThreshold) {
    m_figures.replacedListPrice = m_car->listPrice;
    m_car->listPrice = m_car->replacementPrice;
    m_car->useReplacementPrice[0] = 'N';
    m_car->useReplacementPrice[1] = '\0';
    m_car->replacementPrice = 0.0;
  }

  m_figures.listPrice = m_car->listPrice;
  m_figures.accessories = m_car->accessories;
  m_sums.price = m_car->listPrice + m_car->accessories;
  m_sums.netPrice = m_sums.price - m_sums.capitalContribution;
  m_figures.priceBeforeCap = m_sums.netPrice;
  if (capPrice && m_sums.netPrice > m_limits->priceCap) m_sums.netPrice = m_limits->priceCap;
}

// The CO2 rules when the car has a usable CO2 figure (and always for the zero-emission car),
// else the engine-size rules with their 1 January 1998 registration cut-off.
double CarBenefits::AppropriatePercentage(bool co2FigureUsable) const {
  if ((!is_yes(m_car->noCo2Figure) && co2FigureUsable) || m_car->fuelType == fuel_type::kZeroEmission) {
    m_figures.percentageRule = PercentageRule::kCo2;
    return co2_percentage(m_taxYear, m_rates, m_car->co2, m_car->electricRange, m_car->fuelType,
                          m_car->registeredDate);
  }
  m_figures.percentageRule = PercentageRule::kEngineSize;
  return engine_size_percentage(m_taxYear, fp_builddate(1, 1, 1998), m_car->registeredDate, m_car->fuelType,
                                m_car->engineCode);
}
