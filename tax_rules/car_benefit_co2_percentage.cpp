// The appropriate percentage of a car with a CO2 figure, from tax year 2002-03.
#include <cmath>
#include <limits>

#include "car_benefit_percentage.h"
#include "platform/dates.h"

namespace {

using namespace fuel_type;

// Percentages that the law fixes for the zero-emission car before the 2015-16 band table gave it
// a band of its own: 15% less the 6% electric reduction to 2009-10, then 0% (FA 2010 s58).
constexpr long kLastYearOfZeroEmissionNine = 2010;
constexpr long kFirstYearOfZeroEmissionBands = 2016;

// From 2020-21 to 2027-28 cars of 1 to 50 g/km take their percentage from their electric range.
// From 2028-29 the range bands end (FA 2025 s5): every such car takes the band table's 1 g/km
// entry (18%).
constexpr long kFirstYearOfElectricRange = 2021;
constexpr long kLastYearOfElectricRange = 2028;
constexpr int kElectricRangeLowestCo2 = 1;
constexpr int kElectricRangeHighestCo2 = 50;

// No car pays more than the year's maximum: 37% from 2020-21 (the 480 guide, Appendix 2), 38%
// from 2028-29 (FA 2025 s5). Before 2020-21 the band tables stopped at their maximum themselves.
struct MaximumRow {
  long firstYear;
  double percentage;
};
constexpr MaximumRow kMaximumPercentages[] = {{2021, 37.0}, {2029, 38.0}};

// The year's maximum, or none (a negative figure) before the first row.
double maximum_percentage(long taxYear) {
  double maximum = -1.0;
  for (const MaximumRow& row : kMaximumPercentages) {
    if (row.firstYear <= taxYear) maximum = row.percentage;
  }
  return maximum;
}

// Cars first registered before 6 April 2020 kept their higher (NEDC-based) percentages for two
// years after the WLTP tables began: 2 points more in 2020-21 and 1 more in 2021-22. From 2022-23
// one table applies whatever the registration date, so nothing is added.
struct TransitionalRow {
  long taxYear;
  double points;
};
constexpr TransitionalRow kTransitionalAdditions[] = {{2021, 2.0}, {2022, 1.0}};
constexpr int kWltpRegistrationDay = 6, kWltpRegistrationMonth = 4, kWltpRegistrationYear = 2020;

// The Euro IV diesel (fuel type 8) paid no supplement until 2006-07. From 2006-07 to 2010-11 it
// paid one only when first registered on or after 1 January 2006; from 2011-12 every such diesel
// paid it; from 2018-19 the code names the RDE2 diesel, which is exempt.
constexpr long kFirstYearOfEuroDieselSupplement = 2007;
constexpr long kLastYearOfEuroDieselDateTest = 2011;
constexpr long kLastYearOfEuroDieselSupplement = 2018;

// Discounts for alternative fuels before 2011-12 (EIM24720 to 2005-06, EIM24725 after): hybrids
// (4) and gas cars (6) took 2 and 1 points to 2005-06, plus one more for each full 20 g/km below
// the year's lower threshold, then 3 and 2 points flat; cars converted to gas (7) 1 point to
// 2005-06; E85 cars (9) 2 points from 2008-09 when above 12%.
struct AlternativeFuelDiscount {
  short fuelType;
  long firstYear;
  long lastYear;
  double points;
  bool onePointPerTwentyBelowThreshold;
  double onlyAbovePercentage;
};
constexpr AlternativeFuelDiscount kAlternativeFuelDiscounts[] = {
    {kHybrid, 0, 2006, 2.0, true, 0.0},         {kHybrid, 2007, 2011, 3.0, false, 0.0},
    {kGas, 0, 2006, 1.0, true, 0.0},            {kGas, 2007, 2011, 2.0, false, 0.0},
    {kConvertedToGas, 0, 2006, 1.0, false, 0.0}, {kE85, 2009, 2011, 2.0, false, 12.0},
};
// From 2008-09 the discounts are not given to cars below the threshold (the QUALEC cars of 10%).
constexpr long kFirstYearDiscountNeedsThreshold = 2009;
// The threshold is the lower bound of the band table's second entry to 2009-10; 2010-11 added a
// band for 1 to 75 g/km in front of it, so it is the third.
constexpr long kLastYearThresholdIsSecondEntry = 2010;
constexpr double kGramsPerDiscountStep = 20.0;

// Whole units, rounded down, kept inside the 32-bit range (NaN counts as 0).
std::int32_t whole_units(double value) {
  if (!(value == value)) return 0;
  const double floored = std::floor(value);
  if (floored <= std::numeric_limits<std::int32_t>::min()) return std::numeric_limits<std::int32_t>::min();
  if (floored >= std::numeric_limits<std::int32_t>::max()) return std::numeric_limits<std::int32_t>::max();
  return static_cast<std::int32_t>(floored);
}

// The entry a value falls in: the last entry whose successor's lower bound the value has not
// reached. Any value below the second entry's bound falls in the first. -1 for an empty table.
template <typename Band>
int band_index(const Band* bands, int count, std::int32_t value) {
  if (bands == nullptr || count <= 0) return -1;
  int index = 0;
  while (index + 1 < count && value >= bands[index + 1].lowerBound) ++index;
  return index;
}

bool pays_diesel_supplement(const EmissionInputs& car) {
  if (car.fuelType == kDiesel) return true;
  if (car.fuelType != kEuroDiesel) return false;
  if (car.taxYear < kFirstYearOfEuroDieselSupplement || car.taxYear > kLastYearOfEuroDieselSupplement) return false;
  if (car.taxYear <= kLastYearOfEuroDieselDateTest) return car.registeredDate >= fp_builddate(1, 1, 2006);
  return true;
}

double transitional_addition(const EmissionInputs& car) {
  if (car.co2 == 0) return 0.0;
  if (car.registeredDate >= fp_builddate(kWltpRegistrationDay, kWltpRegistrationMonth, kWltpRegistrationYear)) {
    return 0.0;
  }
  for (const TransitionalRow& row : kTransitionalAdditions) {
    if (row.taxYear == car.taxYear) return row.points;
  }
  return 0.0;
}

double alternative_fuel_discount(const EmissionInputs& car, const CarRateTables& rates, double percentage) {
  const int threshold_entry = car.taxYear <= kLastYearThresholdIsSecondEntry ? 1 : 2;
  // A table too short to hold the threshold gives no threshold: no steps, and no test on it.
  const bool has_threshold = threshold_entry < rates.co2BandCount;
  const std::int32_t threshold = has_threshold ? rates.co2Bands[threshold_entry].lowerBound : 0;
  if (car.taxYear >= kFirstYearDiscountNeedsThreshold && has_threshold && car.co2 < threshold) return 0.0;
  const double below = static_cast<double>(threshold) - car.co2;
  const int steps = has_threshold && below > 0 ? static_cast<int>(below / kGramsPerDiscountStep + 0.001) : 0;

  for (const AlternativeFuelDiscount& row : kAlternativeFuelDiscounts) {
    if (row.fuelType != car.fuelType || car.taxYear < row.firstYear || car.taxYear > row.lastYear) continue;
    if (percentage <= row.onlyAbovePercentage) return 0.0;
    return row.points + (row.onePointPerTwentyBelowThreshold ? steps : 0);
  }
  return 0.0;
}

}  // namespace

double co2_percentage(long taxYear, const CarRateTables& rates, double co2, double electricRange, short fuelType,
                      long registeredDate) {
  const EmissionInputs car{static_cast<std::int32_t>(taxYear), fuelType, whole_units(co2),
                           whole_units(electricRange), static_cast<std::int32_t>(registeredDate)};

  if (car.taxYear < kFirstYearOfZeroEmissionBands && car.fuelType == kZeroEmission) {
    return car.taxYear <= kLastYearOfZeroEmissionNine ? 9.0 : 0.0;
  }

  double percentage = 0.0;
  const int band = band_index(rates.co2Bands, rates.co2BandCount, car.co2);
  if (band >= 0) {
    const CarCo2Band& chosen = rates.co2Bands[band];
    percentage = chosen.percentage;
    if (car.taxYear >= kFirstYearOfElectricRange && car.taxYear <= kLastYearOfElectricRange &&
        car.co2 >= kElectricRangeLowestCo2 &&
        car.co2 <= kElectricRangeHighestCo2) {
      const int range_band =
          band_index(rates.electricRangeBands, rates.electricRangeBandCount, car.electricRange);
      percentage = range_band >= 0 ? rates.electricRangeBands[range_band].percentage : 0.0;
    }
    if (pays_diesel_supplement(car)) percentage += chosen.dieselSupplement;
    percentage += transitional_addition(car);
  }

  percentage -= alternative_fuel_discount(car, rates, percentage);
  const double maximum = maximum_percentage(car.taxYear);
  if (maximum >= 0.0 && percentage > maximum) percentage = maximum;
  // A discount larger than a short table's percentage must not make the benefit negative.
  return percentage < 0.0 ? 0.0 : percentage;
}
