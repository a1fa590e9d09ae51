// The company car and fuel benefit: the entry point, the choice of path, and what both paths
// share (days unavailable, price and contributions, the appropriate percentage).
#include "qarntash/tax_rules/car_benefit.h"

#include <algorithm>

#include "car_benefit_internal.h"
#include "car_benefit_percentage.h"
#include "platform/dates.h"
#include "platform/rounding.h"

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
double days_in_tax_year(long taxYear) { return taxYear % 4 == 0 ? 366.0 : 365.0; }

}  // namespace car_benefit_internal

using namespace car_benefit_internal;

double CarBenefits::Calc(CAR_SUMS& sums, TLD_ISYI_CAR* car, const TLD_0501_CAR_LIMITS* limits, int co2BandCount,
                         long taxYear, long periodStart, long periodEnd, int rangeBandCount) {
  if (car == nullptr || limits == nullptr) return 0.0;
  // A count beyond the record's room would read past it; take the nearest count that fits.
  CarRateTables rates;
  rates.co2Bands = limits->co2Bands;
  rates.co2BandCount = std::clamp(co2BandCount, 0, kMaxCo2Bands);
  rates.electricRangeBands = limits->electricRangeBands;
  rates.electricRangeBandCount = std::clamp(rangeBandCount, 0, kMaxElectricRangeBands);
  CarBenefits calculation(sums, *car, *limits, rates, taxYear, periodStart, periodEnd);
  return calculation.DoCalc();
}

CarBenefits::CarBenefits(CAR_SUMS& sums, TLD_ISYI_CAR& car, const TLD_0501_CAR_LIMITS& limits,
                         const CarRateTables& rates, long taxYear, long periodStart, long periodEnd)
    : m_sums(sums),
      m_car(&car),
      m_limits(&limits),
      m_rates(rates),
      m_taxYear(taxYear),
      m_periodStart(periodStart),
      m_periodEnd(periodEnd),
      m_daysInYear(days_in_tax_year(taxYear)) {}

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
// became available), plus the days before fuel was first provided and after it was withdrawn.
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
    // Fuel counts only while the car was available: fuel dates outside from..to are taken as its
    // bounds, and fuel withdrawn before it started (or started after the car went) leaves the
    // whole of from..to without fuel, never more days than the car was there.
    const long fuelStart = std::clamp<long>(m_car->fuelFrom == 0 ? from : m_car->fuelFrom, from, to + 1);
    fuelEnd = std::clamp<long>(fuelEnd, fuelStart - 1, to);
    days += (fuelStart - from) + (to - fuelEnd);
  }
  return days;
}

// Contributions (capped), the replacement price, and the price and net price.
void CarBenefits::WorkOutPrice(bool capPrice) {
  // Copied out first: std::min would bind a reference to a packed (unaligned) field.
  const double cap = m_limits->contributionCap;
  m_sums.capitalContribution = std::min(round_pence(m_car->capitalContribution), cap);

  if (is_yes(m_car->useReplacementPrice) && m_car->replacementPrice > m_limits->replacementPriceThreshold) {
    m_car->listPrice = m_car->replacementPrice;
    m_car->useReplacementPrice[0] = 'N';
    m_car->useReplacementPrice[1] = '\0';
    m_car->replacementPrice = 0.0;
  }

  m_sums.price = m_car->listPrice + m_car->accessories;
  m_sums.netPrice = m_sums.price - m_sums.capitalContribution;
  if (capPrice && m_sums.netPrice > m_limits->priceCap) m_sums.netPrice = m_limits->priceCap;
}

// The CO2 rules when the car has a usable CO2 figure (and always for the zero-emission car),
// else the engine-size rules with their 1 January 1998 registration cut-off.
double CarBenefits::AppropriatePercentage(bool co2FigureUsable) const {
  if ((!is_yes(m_car->noCo2Figure) && co2FigureUsable) || m_car->fuelType == fuel_type::kZeroEmission) {
    return co2_percentage(m_taxYear, m_rates, m_car->co2, m_car->electricRange, m_car->fuelType,
                          m_car->registeredDate);
  }
  return engine_size_percentage(m_taxYear, fp_builddate(1, 1, 1998), m_car->registeredDate, m_car->fuelType,
                                m_car->engineCode);
}
