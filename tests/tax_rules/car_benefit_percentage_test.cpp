// The appropriate percentage: the CO2 rules against the years' real band tables, and the
// engine-size and fuel-letter tables row by row.
#include "car_benefit_percentage.h"

#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "car_benefit_test_helpers.h"
#include "support/temporary_folder.h"

namespace {

using car_test::limits_for;
using car_test::set_co2_table;
using car_test::YearLimits;
using test_support::day_number;

constexpr short kPetrol = 1, kDiesel = 2, kHybrid = 4, kZeroEmission = 5, kGas = 6, kConverted = 7,
                kEuroDiesel = 8, kE85 = 9, kTen = 10;

CarRateTables rates_of(const YearLimits& year) {
  CarRateTables rates;
  rates.co2Bands = year.limits.co2Bands;
  rates.co2BandCount = year.co2BandCount;
  rates.electricRangeBands = year.limits.electricRangeBands;
  rates.electricRangeBandCount = year.rangeBandCount;
  return rates;
}

double co2_rule(long taxYear, double co2, short fuelType = kPetrol, long registered = 0, double range = 0) {
  const YearLimits year = limits_for(taxYear);
  if (registered == 0) registered = day_number(1, 6, taxYear - 2);
  return co2_percentage(taxYear, rates_of(year), co2, range, fuelType, registered);
}

// ---- CO2 rules -------------------------------------------------------------------------------

TEST(Co2Percentage, FallsInTheBandWhoseLowerBoundItHasReached) {
  // 2015-16 (EIM24655): 0-50 5%, 51-75 9%, 76-94 13%, 95-99 14%, then 1% per 5 g/km to 37%.
  const struct { double co2; double expected; } cases[] = {
      {0, 5},    {50, 5},    {51, 9},    {75, 9},    {76, 13},  {94, 13},  {94.9, 13},
      {95, 14},  {99, 14},   {100, 15},  {209, 36},  {210, 37}, {400, 37},
  };
  for (const auto& c : cases) EXPECT_DOUBLE_EQ(co2_rule(2016, c.co2), c.expected) << c.co2;
  // 2002-03: everything below the second bound is in the first band.
  EXPECT_DOUBLE_EQ(co2_rule(2003, 100), 15);
  EXPECT_DOUBLE_EQ(co2_rule(2003, 169), 15);
  EXPECT_DOUBLE_EQ(co2_rule(2003, 170), 16);
}

TEST(Co2Percentage, ZeroEmissionCarHasFixedFiguresBefore2016) {
  const struct { long year; double co2; double expected; } cases[] = {
      {2003, 0, 9}, {2010, 0, 9}, {2010, 150, 9}, {2011, 0, 0}, {2015, 0, 0}, {2015, 200, 0},
      {2016, 0, 5}, {2017, 0, 7}, {2016, 60, 9},
  };
  for (const auto& c : cases) {
    EXPECT_DOUBLE_EQ(co2_rule(c.year, c.co2, kZeroEmission), c.expected) << c.year << " " << c.co2;
  }
}

TEST(Co2Percentage, EmptyTableGivesNothingButTheFixedZeroEmissionFigure) {
  const CarRateTables empty;
  EXPECT_DOUBLE_EQ(co2_percentage(2016, empty, 120, 0, kPetrol, 0), 0);
  EXPECT_DOUBLE_EQ(co2_percentage(2021, empty, 120, 0, kDiesel, day_number(1, 1, 2019)), 0);
  EXPECT_DOUBLE_EQ(co2_percentage(2010, empty, 0, 0, kZeroEmission, 0), 9);
  // A discount on an empty table would go below nothing: the percentage stays 0.
  EXPECT_DOUBLE_EQ(co2_percentage(2005, empty, 100, 0, kHybrid, 0), 0);
}

TEST(Co2Percentage, DieselSupplementByFuelTypeAndYear) {
  const long before2006 = day_number(31, 12, 2005);
  const long from2006 = day_number(1, 1, 2006);
  const struct { long year; double co2; short fuel; long registered; double expected; } cases[] = {
      {2016, 95, kDiesel, 0, 17},              // 14 + 3
      {2016, 200, kDiesel, 0, 37},             // 35 + 2: the supplement stops at the maximum
      {2016, 210, kDiesel, 0, 37},             // 37 + 0
      {2019, 95, kDiesel, 0, 24},              // 20 + 4 from 2018-19
      {2024, 120, kDiesel, 0, 33},             // 29 + 4
      {2005, 200, kDiesel, 0, 29},             // 26 + 3
      {2005, 200, kEuroDiesel, before2006, 26},  // Euro IV diesel: no supplement to 2005-06
      {2006, 200, kEuroDiesel, from2006, 27},    // not even when registered in 2006
      {2008, 200, kEuroDiesel, before2006, 27},  // 2006-07 to 2010-11: only when registered from 2006
      {2008, 200, kEuroDiesel, from2006, 30},
      {2011, 200, kEuroDiesel, before2006, 29},
      {2012, 200, kEuroDiesel, before2006, 33},  // 2011-12 to 2017-18: every such diesel
      {2018, 200, kEuroDiesel, before2006, 37},
      {2019, 95, kEuroDiesel, from2006, 20},     // from 2018-19 the RDE2 diesel: exempt
      {2016, 95, kHybrid, 0, 14},
      {2016, 95, kTen, 0, 14},
  };
  for (const auto& c : cases) {
    const long registered = c.registered != 0 ? c.registered : day_number(1, 6, c.year - 2);
    EXPECT_DOUBLE_EQ(co2_rule(c.year, c.co2, c.fuel, registered), c.expected)
        << c.year << " co2 " << c.co2 << " fuel " << c.fuel;
  }
}

TEST(Co2Percentage, ElectricRangeDecidesForOneToFiftyGramsFrom2021) {
  const long wltp = day_number(1, 5, 2020);
  // 2020-21 cars registered from 6 April 2020 (480 Appendix 2): by range 0-29 12%, 30-39 10%,
  // 40-69 6%, 70-129 3%, 130+ 0%.
  const struct { double co2; double range; double expected; } cases[] = {
      {30, 0, 12},  {30, 29, 12},  {30, 29.9, 12}, {30, 30, 10}, {30, 39, 10}, {30, 40, 6}, {1, 70, 3},
      {50, 130, 0}, {50, 500, 0},  {0, 500, 0},    {51, 500, 13}, {54, 0, 13},  {55, 0, 14},
  };
  for (const auto& c : cases) {
    EXPECT_DOUBLE_EQ(co2_rule(2021, c.co2, kPetrol, wltp, c.range), c.expected) << c.co2 << " " << c.range;
  }
  // Before 2020-21 the CO2 table decides even for 1 to 50 g/km.
  EXPECT_DOUBLE_EQ(co2_rule(2020, 30, kPetrol, wltp, 200), 16);
  // A year with no range table gives a base of 0 for these cars.
  YearLimits year = limits_for(2021);
  year.rangeBandCount = 0;
  EXPECT_DOUBLE_EQ(co2_percentage(2021, rates_of(year), 30, 100, kPetrol, wltp), 0);
}

// Cars first registered before 6 April 2020 paid 2 points more in 2020-21 and 1 more in 2021-22,
// nothing from 2022-23, when one table covers every car (480 Appendix 2 shows identical columns).
TEST(Co2Percentage, TransitionalAdditionIsTwoThenOneThenNothing) {
  const long before = day_number(5, 4, 2020);
  const long after = day_number(6, 4, 2020);
  const struct { long year; long registered; double co2; double range; double expected; } cases[] = {
      {2021, before, 120, 0, 29}, {2021, after, 120, 0, 27},  {2021, before, 30, 35, 12},
      {2021, before, 0, 0, 0},    {2022, before, 120, 0, 29}, {2022, after, 120, 0, 28},
      {2022, before, 0, 0, 1},    {2023, before, 120, 0, 29}, {2023, after, 120, 0, 29},
      {2024, before, 120, 0, 29}, {2024, before, 30, 35, 12}, {2020, before, 120, 0, 28},
  };
  for (const auto& c : cases) {
    EXPECT_DOUBLE_EQ(co2_rule(c.year, c.co2, kPetrol, c.registered, c.range), c.expected)
        << c.year << " co2 " << c.co2 << " registered " << c.registered;
  }
}

// With the addition, the newer cars' table gives the published older-car column of 2020-21 and
// 2021-22 at every CO2 figure: 1-50 g/km 2%, 51-54 15%, then 1% per 5 g/km to 37% at 160 g/km
// (480 Appendix 2, cars registered before 6 April 2020).
TEST(Co2Percentage, OlderCarsMatchThePublishedColumnInBothTransitionalYears) {
  YearLimits older;
  std::memset(&older, 0, sizeof older);
  set_co2_table(older, {{0, 0}, {1, 2}, {51, 15}}, 55, 16, 37, 4);
  const long registered = day_number(1, 1, 2019);
  for (long year : {2021L, 2022L}) {
    for (int co2 = 1; co2 <= 250; ++co2) {
      const double range = 130;  // the 1-50 g/km cars: the 130+ mile row is the 2% of the column
      const double expected = co2_percentage(2020, rates_of(older), co2, range, kPetrol, registered);
      ASSERT_DOUBLE_EQ(co2_rule(year, co2, kPetrol, registered, range), expected)
          << year << " co2 " << co2;
    }
  }
}

TEST(Co2Percentage, CappedAtThirtySevenFrom2021Only) {
  YearLimits year;
  std::memset(&year, 0, sizeof year);
  set_co2_table(year, {{0, 20}}, 100, 36, 37, 4);
  year.limits.co2Bands[2].dieselSupplement = 4;  // a table whose supplement passes 37
  const long registered = day_number(1, 1, 2021);
  EXPECT_DOUBLE_EQ(co2_percentage(2020, rates_of(year), 105, 0, kDiesel, registered), 41);
  EXPECT_DOUBLE_EQ(co2_percentage(2021, rates_of(year), 105, 0, kDiesel, registered), 37);
  // The transitional addition on the top band is capped too.
  EXPECT_DOUBLE_EQ(co2_rule(2021, 170, kPetrol, day_number(1, 1, 2019)), 37);
}

// 2028-29 (FA 2025 s5): the electric range bands end, so every car of 1-50 g/km takes the
// table's 18% whatever its range; the maximum is 38. The same tables in 2027-28 follow the range
// and stop at 37. Nothing is added for registration before 6 April 2020.
TEST(Co2Percentage, From2029NoRangeBandsAndAMaximumOfThirtyEight) {
  YearLimits year;
  std::memset(&year, 0, sizeof year);
  set_co2_table(year, {{0, 7}, {1, 18}, {51, 19}, {55, 20}, {60, 21}, {65, 22}}, 75, 22, 38, 4);
  car_test::set_range_table(year, {{0, 17}, {30, 15}, {40, 11}, {70, 8}, {130, 5}});
  year.limits.co2Bands[year.co2BandCount - 1].dieselSupplement = 4;  // a supplement passing the maximum
  const long registered = day_number(1, 1, 2019);
  const struct {
    long taxYear;
    double co2, range;
    short fuel;
    double expected;
  } cases[] = {
      {2029, 0, 0, kZeroEmission, 7}, {2029, 30, 100, kPetrol, 18}, {2028, 30, 100, kPetrol, 8},
      {2029, 50, 0, kPetrol, 18},     {2029, 51, 0, kPetrol, 19},   {2029, 74, 0, kPetrol, 22},
      {2029, 120, 0, kPetrol, 31},    {2029, 120, 0, kDiesel, 35},  {2029, 160, 0, kDiesel, 38},
      {2028, 160, 0, kDiesel, 37},    {2029, 300, 0, kPetrol, 38},
  };
  for (const auto& c : cases) {
    EXPECT_DOUBLE_EQ(co2_percentage(c.taxYear, rates_of(year), c.co2, c.range, c.fuel, registered), c.expected)
        << c.taxYear << " " << c.co2 << " g/km, fuel " << c.fuel;
  }
}

TEST(Co2Percentage, AlternativeFuelDiscountsBefore2012) {
  const struct { long year; short fuel; double co2; double expected; } cases[] = {
      // 2004-05, threshold 145 g/km: 2 (hybrid) or 1 (gas) plus 1 per full 20 g/km below it.
      {2005, kHybrid, 100, 11},  // 15 - 2 - 2 (45 below)
      {2005, kHybrid, 125, 12},  // 20 below: one step
      {2005, kHybrid, 126, 13},  // 19 below: none
      {2005, kHybrid, 200, 24},  // 26 - 2
      {2005, kGas, 100, 12},
      {2005, kConverted, 100, 14},
      {2005, kE85, 200, 26},
      // From 2006-07: flat 3 and 2, none for conversions.
      {2007, kHybrid, 100, 12},
      {2007, kGas, 100, 13},
      {2007, kConverted, 100, 15},
      // From 2008-09 nothing below the threshold (the 10% cars); E85 takes 2 above 12%.
      {2009, kHybrid, 100, 10},
      {2009, kHybrid, 121, 12},
      {2009, kE85, 121, 13},
      {2009, kE85, 100, 10},
      {2008, kE85, 200, 27},
      // 2010-11: the threshold is the third entry (121), not the 76 g/km band.
      {2011, kHybrid, 100, 10},
      {2011, kHybrid, 121, 12},
      {2011, kGas, 135, 14},
      // From 2011-12: no discounts.
      {2012, kHybrid, 150, 20},
      {2012, kE85, 150, 20},
  };
  for (const auto& c : cases) {
    EXPECT_DOUBLE_EQ(co2_rule(c.year, c.co2, c.fuel), c.expected) << c.year << " fuel " << c.fuel << " co2 " << c.co2;
  }
}

// ---- Engine-size rules -----------------------------------------------------------------------

// Engine codes giving bands 0, 1 and 2: for diesel 3, 1 and 5; for other fuels 1, 2 and 3.
short code_for_band(short fuelType, int band) {
  if (fuelType == kDiesel) return band == 0 ? 3 : band == 1 ? 1 : 5;
  return static_cast<short>(band + 1);
}

double engine_rule(long taxYear, long registered, short fuelType, short engineCode) {
  return engine_size_percentage(taxYear, day_number(1, 1, 1998), registered, fuelType, engineCode);
}

TEST(EngineSizePercentage, CarsRegisteredBefore1998From2012EveryRow) {
  // ITEPA 2003 s142, as amended by FA 2014 s24, FA 2015 s8 and FA 2016 s8.
  const struct { long year; double band[3]; } rows[] = {
      {2012, {15, 22, 32}}, {2014, {15, 22, 32}}, {2016, {15, 22, 32}}, {2017, {16, 27, 37}},
      {2018, {18, 29, 37}}, {2019, {20, 31, 37}}, {2020, {23, 34, 37}}, {2021, {24, 35, 37}},
      {2028, {24, 35, 37}}, {2029, {25, 36, 38}},
  };
  const long registered = day_number(31, 12, 1997);
  for (const auto& row : rows) {
    for (short fuel : {kPetrol, kDiesel, kEuroDiesel, kTen}) {
      for (int band = 0; band < 3; ++band) {
        EXPECT_DOUBLE_EQ(engine_rule(row.year, registered, fuel, code_for_band(fuel, band)), row.band[band])
            << row.year << " fuel " << fuel << " band " << band;
      }
    }
  }
  // No registration date counts as before the cut-off.
  EXPECT_DOUBLE_EQ(engine_rule(2019, 0, kPetrol, 1), 20);
}

TEST(EngineSizePercentage, CarsRegisteredFrom1998From2012ByLetterEveryRow) {
  // ITEPA 2003 s140 (EIM24950) with the diesel supplement.
  const struct { long year; short fuel; double band[3]; } rows[] = {
      {2012, kPetrol, {15, 25, 35}}, {2012, kDiesel, {18, 28, 35}}, {2012, kZeroEmission, {0, 0, 35}},
      {2012, kEuroDiesel, {18, 28, 35}}, {2012, kTen, {0, 0, 35}},
      {2015, kPetrol, {15, 25, 35}}, {2015, kDiesel, {18, 28, 35}},
      {2016, kPetrol, {15, 25, 37}}, {2016, kDiesel, {18, 28, 37}}, {2016, kTen, {0, 0, 37}},
      {2017, kPetrol, {16, 27, 37}}, {2017, kDiesel, {19, 30, 37}}, {2017, kZeroEmission, {0, 0, 37}},
      {2018, kPetrol, {18, 29, 37}}, {2018, kDiesel, {21, 32, 37}}, {2018, kEuroDiesel, {21, 32, 37}},
      {2018, kTen, {0, 0, 37}},
      {2019, kPetrol, {20, 31, 37}}, {2019, kDiesel, {24, 35, 37}}, {2019, kEuroDiesel, {20, 31, 37}},
      {2019, kZeroEmission, {20, 31, 37}}, {2019, kTen, {20, 31, 37}},
      {2020, kPetrol, {23, 34, 37}}, {2020, kDiesel, {27, 37, 37}}, {2020, kEuroDiesel, {23, 34, 37}},
      {2021, kPetrol, {24, 35, 37}}, {2021, kDiesel, {28, 37, 37}}, {2021, kEuroDiesel, {24, 35, 37}},
      {2027, kHybrid, {24, 35, 37}}, {2027, kDiesel, {28, 37, 37}},
      // 2028-29 (FA 2025 s5): one point more, the diesel's supplement of 4 stopping at 38.
      {2029, kPetrol, {25, 36, 38}}, {2029, kDiesel, {29, 38, 38}}, {2029, kEuroDiesel, {25, 36, 38}},
  };
  const long registered = day_number(1, 1, 2000);
  for (const auto& row : rows) {
    for (int band = 0; band < 3; ++band) {
      EXPECT_DOUBLE_EQ(engine_rule(row.year, registered, row.fuel, code_for_band(row.fuel, band)), row.band[band])
          << row.year << " fuel " << row.fuel << " band " << band;
    }
  }
  // The cut-off day itself counts as on or after it.
  EXPECT_DOUBLE_EQ(engine_rule(2015, day_number(1, 1, 1998), kPetrol, 2), 25);
  // Engine code 0 is the smallest band for every fuel, diesel included.
  EXPECT_DOUBLE_EQ(engine_rule(2015, registered, kDiesel, 0), 18);
  EXPECT_DOUBLE_EQ(engine_rule(2015, registered, kPetrol, 0), 15);
}

TEST(EngineSizePercentage, To2011ByRawEngineCode) {
  const long older = day_number(1, 1, 1990);
  const long newer = day_number(1, 1, 2000);
  const long from2006 = day_number(1, 1, 2006);
  const struct { long year; long registered; short fuel; double code1, code2, code3; } rows[] = {
      {2005, older, kPetrol, 15, 22, 32},        {2005, older, kDiesel, 22, 32, 15},
      {2005, older, kZeroEmission, 15, 15, 15},  {2010, older, kE85, 0, 0, 0},
      {2010, older, kHybrid, 15, 22, 32},
      {2005, newer, kPetrol, 15, 25, 35},        {2005, newer, kDiesel, 28, 35, 18},
      {2005, newer, kZeroEmission, 9, 9, 9},     {2006, newer, kHybrid, 13, 23, 33},
      {2007, newer, kHybrid, 12, 22, 32},        {2011, newer, kHybrid, 12, 22, 32},
      {2006, newer, kGas, 14, 24, 34},           {2007, newer, kGas, 15, 25, 35},
      {2006, newer, kConverted, 14, 24, 34},     {2007, newer, kConverted, 15, 25, 35},
      {2008, newer, kE85, 15, 25, 35},           {2009, newer, kE85, 13, 23, 33},
      {2006, from2006, kEuroDiesel, 15, 25, 35}, {2007, from2006, kEuroDiesel, 18, 28, 35},
      {2011, from2006, kEuroDiesel, 18, 28, 35}, {2011, newer, kEuroDiesel, 15, 25, 35},
  };
  for (const auto& row : rows) {
    EXPECT_DOUBLE_EQ(engine_rule(row.year, row.registered, row.fuel, 1), row.code1) << row.year << " " << row.fuel;
    EXPECT_DOUBLE_EQ(engine_rule(row.year, row.registered, row.fuel, 2), row.code2) << row.year << " " << row.fuel;
    EXPECT_DOUBLE_EQ(engine_rule(row.year, row.registered, row.fuel, 3), row.code3) << row.year << " " << row.fuel;
  }
}

TEST(FuelLetter, ThreeErasOfTheTable) {
  //                         code:  -1   0    1    2    3    4    5    6    7    8    9    10   11
  const struct { long year; const char* letters[13]; } eras[] = {
      {2003, {"", "", "A", "D", "A", "A", "E", "A", "A", "D", "A", "", ""}},
      {2018, {"", "", "A", "D", "A", "A", "E", "A", "A", "D", "A", "", ""}},
      {2019, {"", "", "A", "D", "A", "A", "A", "A", "A", "A", "A", "A", ""}},
      {2020, {"", "", "A", "D", "A", "A", "A", "A", "A", "F", "A", "A", ""}},
      {2028, {"", "", "A", "D", "A", "A", "A", "A", "A", "F", "A", "A", ""}},
  };
  for (const auto& era : eras) {
    for (int code = -1; code <= 11; ++code) {
      EXPECT_EQ(std::string(fuel_letter(static_cast<short>(code), era.year)), era.letters[code + 1])
          << era.year << " code " << code;
    }
  }
}

}  // namespace
