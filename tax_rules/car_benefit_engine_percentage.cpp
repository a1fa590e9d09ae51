// The appropriate percentage of a car without a CO2 figure, set by its engine size
// (ITEPA 2003 s140 for cars registered from 1 January 1998, s142 for older cars), and the fuel
// letters that the rules from 2011-12 compare.
#include <cstddef>
#include <cstring>

#include "car_benefit_percentage.h"
#include "platform/dates.h"

namespace {

using namespace fuel_type;

// ---- Fuel letters --------------------------------------------------------------------------
// "A" ordinary fuel, "D" diesel with the supplement, "E" zero emission, "F" the RDE2 diesel of
// 2019-20 on (it pays no supplement but is named apart). Indexed by fuel type code 0..10; "" for
// codes the year does not know.
struct FuelLetterRow {
  long firstYear;
  const char* letters[11];
};
constexpr FuelLetterRow kFuelLetterRows[] = {
    {0, {"", "A", "D", "A", "A", "E", "A", "A", "D", "A", ""}},
    {2019, {"", "A", "D", "A", "A", "A", "A", "A", "A", "A", "A"}},
    {2020, {"", "A", "D", "A", "A", "A", "A", "A", "F", "A", "A"}},
};

// ---- From 2011-12 --------------------------------------------------------------------------
// Engine bands: 0 up to 1400cc, 1 1401 to 2000cc, 2 over 2000cc.
int engine_band(short fuelType, short engineCode) {
  if (fuelType == kDiesel) {
    if (engineCode == 0 || engineCode == 3) return 0;
    return engineCode == 1 ? 1 : 2;
  }
  if (engineCode <= 1) return 0;
  return engineCode == 2 ? 1 : 2;
}

// Cars registered before 1998 (s142), by engine band.
struct OlderCarRow {
  long firstYear;
  double band[3];
};
constexpr OlderCarRow kOlderCarRows[] = {
    {2012, {15, 22, 32}}, {2017, {16, 27, 37}}, {2018, {18, 29, 37}},
    {2019, {20, 31, 37}}, {2020, {23, 34, 37}}, {2021, {24, 35, 37}},
    {2029, {25, 36, 38}},  // 2028-29: FA 2025 s5 raises each figure by one and the maximum to 38
};

// Cars registered from 1998 (s140 with the diesel supplement), by engine band and fuel letter.
// A letter a row does not list takes 0; the largest engines take one figure whatever the letter.
struct LetterRates {
  double a, d, e, f;
};
struct NewerCarRow {
  long firstYear;
  LetterRates band0;
  LetterRates band1;
  double band2;
};
constexpr NewerCarRow kNewerCarRows[] = {
    {2012, {15, 18, 0, 0}, {25, 28, 0, 0}, 35},
    {2016, {15, 18, 0, 0}, {25, 28, 0, 0}, 37},
    {2017, {16, 19, 0, 0}, {27, 30, 0, 0}, 37},
    {2018, {18, 21, 0, 0}, {29, 32, 0, 0}, 37},
    {2019, {20, 24, 0, 0}, {31, 35, 0, 0}, 37},
    {2020, {23, 27, 0, 23}, {34, 37, 0, 34}, 37},
    {2021, {24, 28, 0, 24}, {35, 37, 0, 35}, 37},
    // 2028-29 (FA 2025 s5): 25, 36 and 38; the diesel supplement of 4 stops at the maximum of 38.
    {2029, {25, 29, 0, 25}, {36, 38, 0, 36}, 38},
};

// The row in force in a tax year: the last whose first year has come. Rows start at the
// earliest year their table covers; earlier years take the first row.
template <typename Row, std::size_t N>
const Row& row_for(const Row (&rows)[N], long taxYear) {
  const Row* chosen = &rows[0];
  for (const Row& row : rows) {
    if (row.firstYear <= taxYear) chosen = &row;
  }
  return *chosen;
}

double by_letter(const LetterRates& rates, const char* letter) {
  if (std::strcmp(letter, "A") == 0) return rates.a;
  if (std::strcmp(letter, "D") == 0) return rates.d;
  if (std::strcmp(letter, "E") == 0) return rates.e;
  if (std::strcmp(letter, "F") == 0) return rates.f;
  return 0.0;
}

double from_2012(long taxYear, bool older, short fuelType, short engineCode) {
  const int band = engine_band(fuelType, engineCode);
  if (older) return row_for(kOlderCarRows, taxYear).band[band];
  const NewerCarRow& row = row_for(kNewerCarRows, taxYear);
  if (band == 2) return row.band2;
  return by_letter(band == 0 ? row.band0 : row.band1, fuel_letter(fuelType, taxYear));
}

// ---- To 2010-11, by the raw engine code ----------------------------------------------------
// Reductions for alternative fuels on the newer cars' figures.
struct EngineFuelDiscount {
  short fuelType;
  long firstYear;
  long lastYear;
  double points;
};
constexpr EngineFuelDiscount kEngineFuelDiscounts[] = {
    {kHybrid, 0, 2006, 2}, {kHybrid, 2007, 2011, 3}, {kGas, 0, 2006, 1}, {kConvertedToGas, 0, 2006, 1},
    {kE85, 2009, 2011, 2},
};
// The Euro IV diesel registered from 1 January 2006 pays the 3-point supplement from 2006-07.
constexpr long kFirstYearOfEuroDieselSupplement = 2007;
constexpr double kEuroDieselSupplement = 3;

double to_2011_older(short fuelType, short engineCode) {
  if (fuelType == kDiesel) {
    if (engineCode == 1) return 22;
    return engineCode == 3 ? 15 : 32;
  }
  if (fuelType == kZeroEmission) return 15;
  if (fuelType == kE85) return 0;
  if (engineCode == 1) return 15;
  return engineCode == 2 ? 22 : 32;
}

double to_2011_newer(long taxYear, long registeredDate, short fuelType, short engineCode) {
  double percentage;
  if (fuelType == kDiesel) {
    percentage = engineCode == 1 ? 28 : engineCode == 3 ? 18 : 35;
  } else if (fuelType == kZeroEmission) {
    percentage = 9;
  } else {
    const double supplement = fuelType == kEuroDiesel && taxYear >= kFirstYearOfEuroDieselSupplement &&
                                      registeredDate >= fp_builddate(1, 1, 2006)
                                  ? kEuroDieselSupplement
                                  : 0;
    percentage = engineCode == 1 ? 15 + supplement : engineCode == 2 ? 25 + supplement : 35;
  }
  for (const EngineFuelDiscount& row : kEngineFuelDiscounts) {
    if (row.fuelType == fuelType && row.firstYear <= taxYear && taxYear <= row.lastYear) percentage -= row.points;
  }
  return percentage;
}

constexpr long kFirstYearOfEngineBands = 2012;

}  // namespace

const char* fuel_letter(short fuelType, long taxYear) {
  if (fuelType < 0 || fuelType > 10) return "";
  return row_for(kFuelLetterRows, taxYear).letters[fuelType];
}

double engine_size_percentage(long taxYear, long registrationCutoff, long registeredDate, short fuelType,
                              short engineCode) {
  const bool older = registeredDate < registrationCutoff;
  if (taxYear >= kFirstYearOfEngineBands) return from_2012(taxYear, older, fuelType, engineCode);
  return older ? to_2011_older(fuelType, engineCode) : to_2011_newer(taxYear, registeredDate, fuelType, engineCode);
}
