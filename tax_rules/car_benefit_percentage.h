// The appropriate percentage of a company car: the share of its price that is taxed each year
// (internal to the library; CarBenefits::Calc is its caller).
//
// Two sets of rules decide it:
//   - the CO2 rules, from 2002-03 for cars with a CO2 figure: the year's CO2 band table (given by
//     the host inside TLD_0501_CAR_LIMITS), from 2020-21 to 2027-28 the electric range table for
//     cars of 1 to 50 g/km, then the diesel supplement, the transitional addition for cars
//     registered before 6 April 2020, the alternative-fuel discounts before 2011-12 and the
//     year's maximum (37% from 2020-21, 38% from 2028-29);
//   - the engine-size rules for cars without a CO2 figure, whose percentages the law fixes year
//     by year (held here as tables), split at a registration cut-off (1 January 1998).
// Tax year N runs from 6 April N-1 to 5 April N. Percentages are per cent (15.0 is 15%). Nothing
// here fails: inputs outside the rules' range give the percentage their nearest rule gives, and
// a fuel type or engine code that no rule names is treated as the rules' "any other".
#pragma once

#include <cstdint>

#include "qarntash/tax_rules/car_benefit_records.h"

// The fuel type codes that the rules name (qarntash/tax_rules/car_benefit.h describes them all).
namespace fuel_type {
constexpr short kDiesel = 2;
constexpr short kHybrid = 4;
constexpr short kZeroEmission = 5;
constexpr short kGas = 6;
constexpr short kConvertedToGas = 7;
constexpr short kEuroDiesel = 8;
constexpr short kE85 = 9;
}  // namespace fuel_type

// The year's two band tables as the CO2 rules read them, entries in ascending lower bound.
struct CarRateTables {
  const CarCo2Band* co2Bands = nullptr;
  int co2BandCount = 0;
  const CarElectricRangeBand* electricRangeBands = nullptr;
  int electricRangeBandCount = 0;
};

// The car as the CO2 rules see it: CO2 and range in whole units, rounded down (from 2020-21 the
// law rounds a figure that is not whole down; earlier figures are whole anyway).
struct EmissionInputs {
  std::int32_t taxYear;
  std::int16_t fuelType;
  std::int32_t co2;             // g/km
  std::int32_t electricRange;   // miles
  std::int32_t registeredDate;  // day number, 0 = not entered
};

// The percentage by the CO2 rules. Returns 0 when the band table is empty (and the car is not
// the zero-emission car of a year before 2015-16, which has its fixed 9% or 0%).
double co2_percentage(long taxYear, const CarRateTables& rates, double co2, double electricRange, short fuelType,
                      long registeredDate);

// The percentage by the engine-size rules. A car registered before `registrationCutoff` follows
// the older cars' table. The caller passes 1 January 1998 as the cut-off.
double engine_size_percentage(long taxYear, long registrationCutoff, long registeredDate, short fuelType,
                              short engineCode);

// The one-letter class of a fuel type that the engine-size rules from 2011-12 compare: "A", "D",
// "E" or "F", or "" (no letter) for a code the year does not know.
const char* fuel_letter(short fuelType, long taxYear);
