// The car and fuel benefit calculation: whole calculations worked by hand, then the days
// unavailable, the path chosen and the guards, table by table.
//
// Hand-checked figures use the appropriate percentages of HMRC's published tables (480 guide,
// Appendix 2; EIM24650) and the fuel multipliers of EIM25580, as set up in
// car_benefit_test_helpers.h; the arithmetic is written beside each case.
#include "qarntash/tax_rules/car_benefit.h"

#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "car_benefit_test_helpers.h"
#include "support/temporary_folder.h"

// Whole-number fields of the packed records are compared as long{field}: EXPECT_EQ takes its
// arguments by reference, which must not bind to an unaligned field.

namespace {

using car_test::calc;
using car_test::limits_for;
using car_test::make_car;
using car_test::Period;
using car_test::set_flag;
using car_test::whole_year;
using car_test::YearLimits;
using test_support::day_number;

constexpr short kPetrol = 1, kDiesel = 2, kZeroEmission = 5;

// ---- Whole calculations ----------------------------------------------------------------------

// 2022-23, 30,000 pounds, 120 g/km: 29% (480 App. 2, 120-124 g/km). 30,000 x 29% = 8,700.
TEST(CarBenefit, CarAvailableAllYear) {
  const YearLimits year = limits_for(2023);
  TLD_ISYI_CAR car = make_car(30000, 120);
  CAR_SUMS sums;
  EXPECT_DOUBLE_EQ(calc(sums, car, year, 2023), 8700.00);
  EXPECT_DOUBLE_EQ(sums.percentage, 29);
  EXPECT_DOUBLE_EQ(sums.price, 30000);
  EXPECT_DOUBLE_EQ(sums.netPrice, 30000);
  EXPECT_DOUBLE_EQ(sums.fullBenefit, 8700);
  EXPECT_DOUBLE_EQ(sums.carBenefit, 8700);
  EXPECT_EQ(long{sums.carDaysUnavailable}, 0);
  EXPECT_DOUBLE_EQ(sums.unavailableReduction, 0);
  EXPECT_DOUBLE_EQ(sums.fuelBenefit, 0);
  EXPECT_STREQ(sums.fuelScaleText, "");
}

// The same car from 6 October 2022, with fuel. Unavailable 6 April to 5 October: 183 days of 365.
//   car:  8,700 x 182 / 365 = 4,338.08 (reduction 4,361.92)
//   fuel: 29% x 25,300 = 7,337; x 182 / 365 = 3,658.45; reduction 7,337 x 183 / 365 = 3,678.55 -> 3,679
TEST(CarBenefit, CarAvailableFromSixthOctoberWithFuel) {
  const YearLimits year = limits_for(2023);
  TLD_ISYI_CAR car = make_car(30000, 120);
  car.availableFrom = day_number(6, 10, 2022);
  set_flag(car.fuelProvided, true);
  CAR_SUMS sums;
  EXPECT_DOUBLE_EQ(calc(sums, car, year, 2023), 4338.08);
  EXPECT_EQ(long{sums.carDaysUnavailable}, 183);
  EXPECT_NEAR(sums.unavailableReduction, 4361.917808, 1e-6);
  EXPECT_DOUBLE_EQ(sums.fuelBenefit, 3658.45);
  EXPECT_DOUBLE_EQ(sums.fuelUnavailableReduction, 3679);
  EXPECT_STREQ(sums.fuelScaleText, "Petrol 1400 - 2000cc");
}

// Fuel withdrawn on 5 January 2023: 90 days without fuel (6 Jan to 5 Apr); 7,337 x 275 / 365 =
// 5,527.88. Fuel that continues ignores the withdrawal.
TEST(CarBenefit, FuelWithdrawnAndFuelThatContinues) {
  const YearLimits year = limits_for(2023);
  TLD_ISYI_CAR car = make_car(30000, 120);
  set_flag(car.fuelProvided, true);
  car.fuelTo = day_number(5, 1, 2023);
  CAR_SUMS sums;
  calc(sums, car, year, 2023);
  EXPECT_DOUBLE_EQ(sums.fuelBenefit, 5527.88);
  EXPECT_DOUBLE_EQ(sums.fuelUnavailableReduction, 1809);
  EXPECT_DOUBLE_EQ(sums.carBenefit, 8700);

  set_flag(car.fuelContinues, true);
  calc(sums, car, year, 2023);
  EXPECT_DOUBLE_EQ(sums.fuelBenefit, 7337);
}

// Contributions of 6,000 are limited to 5,000: (30,000 - 5,000) x 29% = 7,250.
TEST(CarBenefit, ContributionsAboveTheCapAreLimitedToIt) {
  const YearLimits year = limits_for(2023);
  TLD_ISYI_CAR car = make_car(30000, 120);
  car.capitalContribution = 6000;
  CAR_SUMS sums;
  EXPECT_DOUBLE_EQ(calc(sums, car, year, 2023), 7250);
  EXPECT_DOUBLE_EQ(sums.capitalContribution, 5000);
  EXPECT_DOUBLE_EQ(sums.netPrice, 25000);
}

// A replacement price of 20,000 (above the 15,000 threshold) replaces a list price of 10,000:
// 20,000 x 29% = 5,800; the car record now carries it as its list price.
TEST(CarBenefit, ReplacementPriceRewritesTheCar) {
  const YearLimits year = limits_for(2023);
  TLD_ISYI_CAR car = make_car(10000, 120);
  set_flag(car.useReplacementPrice, true);
  car.replacementPrice = 20000;
  car.accessories = 500;
  CAR_SUMS sums;
  EXPECT_DOUBLE_EQ(calc(sums, car, year, 2023), 5945);  // (20,000 + 500) x 29%
  EXPECT_DOUBLE_EQ(car.listPrice, 20000);
  EXPECT_STREQ(car.useReplacementPrice, "N");
  EXPECT_DOUBLE_EQ(car.replacementPrice, 0);
  // A second run sees the replacement as the list price and gives the same benefit.
  EXPECT_DOUBLE_EQ(calc(sums, car, year, 2023), 5945);

  // At or below the threshold the list price stays.
  TLD_ISYI_CAR low = make_car(10000, 120);
  set_flag(low.useReplacementPrice, true);
  low.replacementPrice = 15000;
  EXPECT_DOUBLE_EQ(calc(sums, low, year, 2023), 2900);
  EXPECT_DOUBLE_EQ(low.listPrice, 10000);
  EXPECT_STREQ(low.useReplacementPrice, "Y");
}

// 100,000 pounds at 200 g/km. 2010-11: 29%, net price capped at 80,000: 23,200. 2011-12: 30%,
// no cap: 30,000 (EIM24650).
TEST(CarBenefit, PriceCappedIn2011NotIn2012) {
  CAR_SUMS sums;
  TLD_ISYI_CAR car2011 = make_car(100000, 200);
  EXPECT_DOUBLE_EQ(calc(sums, car2011, limits_for(2011), 2011), 23200);
  EXPECT_DOUBLE_EQ(sums.price, 100000);
  EXPECT_DOUBLE_EQ(sums.netPrice, 80000);
  TLD_ISYI_CAR car2012 = make_car(100000, 200);
  EXPECT_DOUBLE_EQ(calc(sums, car2012, limits_for(2012), 2012), 30000);
  EXPECT_DOUBLE_EQ(sums.netPrice, 100000);
}

// 2000-01, 20,000 pounds: 35% = 7,000, cut to 25% (5,000) for 2,500 to 18,000 business miles and
// to 15% (3,000) for 18,000+. With the lower relief the 18,000+ band takes the 25% and the middle
// band nothing.
TEST(CarBenefit, BusinessMileageIn2001) {
  const YearLimits year = limits_for(2001);
  const struct { short band; bool lowerRelief; double benefit; double percentage; const char* text; } cases[] = {
      {0, false, 7000, 35, ""},
      {2, false, 5000, 25, "2500 - 18000"},
      {2, true, 7000, 35, ""},
      {3, false, 3000, 15, "18000+"},
      {3, true, 5000, 25, "18000+"},
  };
  for (const auto& c : cases) {
    TLD_ISYI_CAR car = make_car(20000, 0);
    car.mileageBand = c.band;
    set_flag(car.lowerMileageRelief, c.lowerRelief);
    CAR_SUMS sums;
    EXPECT_DOUBLE_EQ(calc(sums, car, year, 2001), c.benefit) << c.band << " " << c.lowerRelief;
    EXPECT_DOUBLE_EQ(sums.percentage, c.percentage) << c.band << " " << c.lowerRelief;
    EXPECT_DOUBLE_EQ(sums.mileageReduction, 7000 - c.benefit);
    EXPECT_STREQ(sums.mileageBandText, c.text);
    // The rest of the text field is zero bytes.
    for (std::size_t i = std::strlen(c.text); i < sizeof sums.mileageBandText; ++i) {
      EXPECT_EQ(sums.mileageBandText[i], '\0');
    }
  }
}

// 2000-01: a car registered on 1 May 1996 is four years old by 5 April 2001: a quarter off.
// 20,000 x 35% = 7,000, less 1,750 = 5,250. Registered 6 April 1997 it is not.
TEST(CarBenefit, OlderCarReduction) {
  const YearLimits year = limits_for(2001);
  CAR_SUMS sums;
  TLD_ISYI_CAR old_car = make_car(20000, 0);
  old_car.registeredDate = day_number(1, 5, 1996);
  EXPECT_DOUBLE_EQ(calc(sums, old_car, year, 2001), 5250);
  EXPECT_DOUBLE_EQ(sums.olderCarReductionAmount, 1750);
  TLD_ISYI_CAR newer = make_car(20000, 0);
  newer.registeredDate = day_number(6, 4, 1997);
  EXPECT_DOUBLE_EQ(calc(sums, newer, year, 2001), 7000);
  EXPECT_DOUBLE_EQ(sums.olderCarReductionAmount, 0);
}

// 2015-16 (tax year 2016) has 366 days; 1999-2000 (tax year 2000) is counted as 365 although it
// holds 29 February 2000, since the extra day counts only from 2002-03. Both cars went on
// 5 February: 60 days unavailable.
//   2016: 20,000 x 15% (100 g/km) = 3,000; 3,000 x 60 / 366 = 491.80; 2,508.20
//   2000: 20,000 x 35% = 7,000; 7,000 x 60 / 365 = 1,150.68; 5,849.32
TEST(CarBenefit, DaysInYearOf2016And2000) {
  CAR_SUMS sums;
  TLD_ISYI_CAR car2016 = make_car(20000, 100);
  car2016.availableTo = day_number(5, 2, 2016);
  EXPECT_DOUBLE_EQ(calc(sums, car2016, limits_for(2016), 2016), 2508.20);
  EXPECT_EQ(long{sums.carDaysUnavailable}, 60);
  TLD_ISYI_CAR car2000 = make_car(20000, 0);
  car2000.availableTo = day_number(5, 2, 2000);
  EXPECT_DOUBLE_EQ(calc(sums, car2000, limits_for(2000), 2000), 5849.32);
  EXPECT_EQ(long{sums.carDaysUnavailable}, 60);
}

TEST(CarBenefit, PrivateUsePaymentsLargerThanTheBenefitGiveNothing) {
  CAR_SUMS sums;
  TLD_ISYI_CAR car = make_car(30000, 120);
  car.privateUsePayments = 9000;  // above the 8,700 benefit
  EXPECT_DOUBLE_EQ(calc(sums, car, limits_for(2023), 2023), 0);
  EXPECT_DOUBLE_EQ(sums.carBenefit, 0);

  set_flag(car.alternativeAmounts, true);
  car.carAlternativeAmount = 100;
  EXPECT_DOUBLE_EQ(calc(sums, car, limits_for(2023), 2023), 0);
  car.carAlternativeAmount = 8800;
  EXPECT_DOUBLE_EQ(calc(sums, car, limits_for(2023), 2023), 0);
}

// ---- Fuel scale charges before 2003-04 -------------------------------------------------------

TEST(FuelScale, TextAndChargeByFuelAndEngine) {
  // 2002-03 charges (SI 2002/706): petrol 2,240 / 2,850 / 4,200, diesel 2,850 / 4,200, other 4,200.
  const struct { short fuel; short engine; const char* text; double charge; } cases[] = {
      {1, 1, "Petrol up to 1400cc", 2240},     {1, 2, "Petrol 1400 - 2000cc", 2850},
      {1, 3, "Petrol 2001cc +", 4200},         {4, 1, "Petrol up to 1400cc", 2240},
      {6, 2, "Petrol 1400 - 2000cc", 2850},    {7, 0, "Petrol 2001cc +", 4200},
      {2, 1, "Diesel up to 2000cc", 2850},     {2, 3, "Diesel up to 2000cc", 2850},
      {2, 2, "Diesel 2001cc +", 4200},         {8, 1, "Euro Diesel up to 2000cc", 2850},
      {8, 2, "Euro Diesel up to 2000cc", 2850}, {8, 3, "Euro Diesel 2001cc +", 4200},
      {3, 1, "Non combustion", 4200},          {5, 1, "Non combustion", 4200},
      {9, 1, "Non combustion", 4200},          {0, 1, "Non combustion", 4200},
  };
  const YearLimits year = limits_for(2003);
  for (const auto& c : cases) {
    TLD_ISYI_CAR car = make_car(20000, 150, c.fuel);
    car.engineCode = c.engine;
    set_flag(car.fuelProvided, true);
    CAR_SUMS sums;
    calc(sums, car, year, 2003);
    EXPECT_STREQ(sums.fuelScaleText, c.text) << c.fuel << " " << c.engine;
    EXPECT_DOUBLE_EQ(sums.fuelBenefit, c.charge) << c.fuel << " " << c.engine;
  }
}

// From 2003-04 the charge is the percentage of the multiplier; the text is still given.
TEST(FuelScale, FromTwoThousandFourTheMultiplierReplacesTheScale) {
  TLD_ISYI_CAR car = make_car(20000, 200, kDiesel);
  car.engineCode = 3;
  set_flag(car.fuelProvided, true);
  CAR_SUMS sums;
  calc(sums, car, limits_for(2004), 2004);
  // 2003-04: 200 g/km is 24%, +3 for diesel = 27%; 27% x 14,400 = 3,888 (EIM25580).
  EXPECT_DOUBLE_EQ(sums.percentage, 27);
  EXPECT_DOUBLE_EQ(sums.fuelBenefit, 3888);
  EXPECT_STREQ(sums.fuelScaleText, "Diesel up to 2000cc");
}

// ---- Days unavailable ------------------------------------------------------------------------

TEST(DaysUnavailable, CarAndFuelDaysByDates) {
  // Tax year 2023: 6 April 2022 to 5 April 2023 (365 days). The alternative path reports both
  // counts; an amount far below the cash equivalent keeps the figures otherwise standard.
  const YearLimits year = limits_for(2023);
  const long ps = day_number(6, 4, 2022);
  const long pe = day_number(5, 4, 2023);
  const struct {
    const char* name;
    long from, to, fuelFrom, fuelTo;
    bool continues;
    int extra;
    int carDays, fuelDays;
  } cases[] = {
      {"all year", 0, 0, 0, 0, false, 0, 0, 0},
      {"from 6 Oct", day_number(6, 10, 2022), 0, 0, 0, false, 0, 183, 183},
      {"to 5 Jan", 0, day_number(5, 1, 2023), 0, 0, false, 0, 90, 90},
      {"first and last day", ps, pe, 0, 0, false, 0, 0, 0},
      {"fuel from 6 May: a late start takes no days off", 0, 0, day_number(6, 5, 2022), 0, false, 0, 0, 0},
      {"fuel to 5 Jan", 0, 0, 0, day_number(5, 1, 2023), false, 0, 0, 90},
      {"fuel to ignored when continuing", 0, 0, 0, day_number(5, 1, 2023), true, 0, 0, 0},
      {"continuing fuel still counts the car's end", 0, day_number(5, 1, 2023), 0, day_number(5, 1, 2023), true, 0,
       90, 90},
      {"continuing fuel without fuel dates ignores the car's end", 0, day_number(5, 1, 2023), 0, 0, true, 0, 90, 0},
      {"extra days", day_number(6, 10, 2022), 0, 0, 0, false, 10, 193, 193},
      {"negative extra days ignored", 0, 0, 0, 0, false, -5, 0, 0},
      {"car from before the period", day_number(1, 1, 2020), 0, 0, 0, false, 0, 0, 0},
      {"car to after the period", 0, day_number(1, 1, 2025), 0, 0, false, 0, 0, 0},
      {"car from after the period", day_number(1, 1, 2025), 0, 0, 0, false, 0, 365, 365},
      {"car to before the period", 0, day_number(1, 1, 2020), 0, 0, false, 0, 365, 365},
      {"car from after the period, fuel continuing", day_number(1, 1, 2025), 0, 0, 0, true, 0, 365, 365},
      {"car withdrawn before it was available", day_number(6, 10, 2022), day_number(5, 10, 2022), 0, 0, false, 0,
       365, 365},
      {"fuel from before the car", day_number(6, 10, 2022), 0, day_number(6, 4, 2022), 0, false, 0, 183, 183},
      {"fuel to after the period", 0, 0, 0, day_number(1, 1, 2025), false, 0, 0, 0},
      {"fuel withdrawn before the car came", day_number(6, 10, 2022), 0, 0, day_number(1, 9, 2022), false, 0, 183,
       365},
      {"fuel withdrawn before the period", 0, 0, 0, day_number(1, 1, 2022), false, 0, 0, 365},
      {"fuel from after the car went", 0, day_number(5, 1, 2023), day_number(1, 2, 2023), 0, false, 0, 90, 365},
  };
  for (const auto& c : cases) {
    TLD_ISYI_CAR car = make_car(30000, 120);
    car.availableFrom = c.from;
    car.availableTo = c.to;
    car.fuelFrom = c.fuelFrom;
    car.fuelTo = c.fuelTo;
    car.extraDaysUnavailable = c.extra;
    set_flag(car.fuelContinues, c.continues);
    set_flag(car.fuelProvided, true);
    set_flag(car.alternativeAmounts, true);
    car.carAlternativeAmount = 1;
    CAR_SUMS sums;
    CarBenefits::Calc(sums, &car, &year.limits, year.co2BandCount, 2023, ps, pe, year.rangeBandCount);
    EXPECT_EQ(long{sums.carDaysUnavailable}, c.carDays) << c.name;
    EXPECT_EQ(long{sums.fuelDaysUnavailable}, c.fuelDays) << c.name;
  }
}

// The fuel charge in the standard path as fuel dates leave it: before 2003-04 they do not reduce
// the scale charge; fuel withdrawn on 1 January 2022, before the 2022-23 period began, leaves all
// 365 days without fuel, so the reduction is the whole 7,337 (29% x 25,300) and never more. Fuel
// first provided on 1 July to a car there all year is charged in full (a late start is no
// reduction); fuel withdrawn on 30 September for good loses the 187 days after it:
// 7,337 x 178 / 365 = 3,578.04.
TEST(DaysUnavailable, FuelDatesAndTheStandardPathsFuelCharge) {
  const struct {
    const char* name;
    long year;
    double co2;
    long fuelFrom, fuelTo;
    double fuelBenefit, fuelReduction;
  } cases[] = {
      {"2002-03: fuel dates do not count", 2003, 150, 0, day_number(5, 10, 2002), 2240, 0},
      {"fuel withdrawn before the period", 2023, 120, 0, day_number(1, 1, 2022), 0, 7337},
      {"fuel from 1 July", 2023, 120, day_number(1, 7, 2022), 0, 7337, 0},
      {"fuel withdrawn on 30 September, not reinstated", 2023, 120, 0, day_number(30, 9, 2022), 3578.04, 3759},
      {"fuel from 1 July to 30 September", 2023, 120, day_number(1, 7, 2022), day_number(30, 9, 2022), 3578.04,
       3759},
  };
  for (const auto& c : cases) {
    TLD_ISYI_CAR car = make_car(20000, c.co2);
    car.engineCode = 1;  // petrol up to 1400cc before 2003-04
    set_flag(car.fuelProvided, true);
    car.fuelFrom = c.fuelFrom;
    car.fuelTo = c.fuelTo;
    CAR_SUMS sums;
    calc(sums, car, limits_for(c.year), c.year);
    EXPECT_DOUBLE_EQ(sums.fuelBenefit, c.fuelBenefit) << c.name;
    EXPECT_DOUBLE_EQ(sums.fuelUnavailableReduction, c.fuelReduction) << c.name;
  }
}

// ---- Alternative amounts ---------------------------------------------------------------------

// 2019-20 (366 days), 30,000 pounds at 120 g/km: 28%; cash equivalent 8,400. Contributions 2,000
// (net price 28,000: 7,840), private-use payments 100.
TEST(AlternativeAmounts, TheLargerOfTheAmountAndTheCashEquivalentIsTaxed) {
  const struct { double amount; double benefit; } cases[] = {
      {10000, 9340},  // the amount: 10,000 - 28% x 2,000 (560) - 100
      {5000, 7740},   // the cash equivalent: 7,840 - 100
  };
  for (const auto& c : cases) {
    TLD_ISYI_CAR car = make_car(30000, 120);
    car.capitalContribution = 2000;
    car.privateUsePayments = 100;
    set_flag(car.alternativeAmounts, true);
    car.carAlternativeAmount = c.amount;
    CAR_SUMS sums;
    EXPECT_DOUBLE_EQ(calc(sums, car, limits_for(2020), 2020), c.benefit) << c.amount;
    EXPECT_DOUBLE_EQ(sums.fullBenefit, 7840);
    EXPECT_DOUBLE_EQ(sums.percentage, 28);
  }
}

// Unavailable from 6 April to 5 October 2019 (183 of 366 days): cash equivalent 8,400 less
// 8,400 x 183 / 366 = 4,200, so 4,200; the whole-pound reduction is shown.
TEST(AlternativeAmounts, UnavailableDaysReduceTheComparedCashEquivalent) {
  TLD_ISYI_CAR car = make_car(30000, 120);
  car.availableFrom = day_number(6, 10, 2019);
  set_flag(car.alternativeAmounts, true);
  car.carAlternativeAmount = 5000;  // above 4,200 now
  CAR_SUMS sums;
  EXPECT_DOUBLE_EQ(calc(sums, car, limits_for(2020), 2020), 5000);
  EXPECT_DOUBLE_EQ(sums.unavailableReductionWhole, 4200);
  EXPECT_DOUBLE_EQ(sums.unavailableReduction, 4200);
  EXPECT_EQ(long{sums.carDaysUnavailable}, 183);
}

// Fuel: 28% x 24,100 = 6,748.
TEST(AlternativeAmounts, FuelTakesTheLargerOfTheAmountAndTheCashEquivalent) {
  const struct { double fuelAmount; double expected; } cases[] = {{3000, 6748}, {8000, 8000}};
  for (const auto& c : cases) {
    TLD_ISYI_CAR car = make_car(30000, 120);
    set_flag(car.fuelProvided, true);
    set_flag(car.alternativeAmounts, true);
    car.fuelAlternativeAmount = c.fuelAmount;
    CAR_SUMS sums;
    EXPECT_DOUBLE_EQ(calc(sums, car, limits_for(2020), 2020), 8400);
    EXPECT_DOUBLE_EQ(sums.fuelBenefit, c.expected) << c.fuelAmount;
  }
  // Without fuel the fuel amount gives nothing.
  TLD_ISYI_CAR car = make_car(30000, 120);
  set_flag(car.alternativeAmounts, true);
  car.fuelAlternativeAmount = 8000;
  CAR_SUMS sums;
  calc(sums, car, limits_for(2020), 2020);
  EXPECT_DOUBLE_EQ(sums.fuelBenefit, 0);
}

TEST(AlternativeAmounts, StandardPathWhenTheFlagOrAnAmountOrTheYearIsMissing) {
  // The paths differ in what they report: only the alternative path gives the fuel days, only
  // the standard path the fuel scale text.
  const struct { const char* name; long year; bool flag; double carAmount; double fuelAmount; bool alternative; } cases[] = {
      {"both amounts 0", 2020, true, 0, 0, false},
      {"flag N", 2020, false, 10000, 0, false},
      {"2016-17", 2017, true, 10000, 0, false},
      {"car amount", 2018, true, 10000, 0, true},
      {"fuel amount only", 2020, true, 0, 10, true},
  };
  for (const auto& c : cases) {
    TLD_ISYI_CAR car = make_car(30000, 120);
    car.availableFrom = day_number(6, 10, c.year - 1);
    set_flag(car.fuelProvided, true);
    set_flag(car.alternativeAmounts, c.flag);
    car.carAlternativeAmount = c.carAmount;
    car.fuelAlternativeAmount = c.fuelAmount;
    CAR_SUMS sums;
    calc(sums, car, limits_for(c.year), c.year);
    EXPECT_EQ(sums.fuelDaysUnavailable != 0, c.alternative) << c.name;
    EXPECT_EQ(sums.fuelScaleText[0] != '\0', !c.alternative) << c.name;
  }
}

// ---- Guards ----------------------------------------------------------------------------------

TEST(CarBenefitGuards, NullCarOrLimitsTouchesNothing) {
  CAR_SUMS sums;
  std::memset(&sums, 0x5A, sizeof sums);
  const YearLimits year = limits_for(2023);
  TLD_ISYI_CAR car = make_car(30000, 120);
  const Period period = whole_year(2023);
  EXPECT_DOUBLE_EQ(CarBenefits::Calc(sums, nullptr, &year.limits, year.co2BandCount, 2023, period.start,
                                     period.end, 0),
                   0);
  EXPECT_DOUBLE_EQ(CarBenefits::Calc(sums, &car, nullptr, 0, 2023, period.start, period.end, 0), 0);
  for (std::size_t i = 0; i < sizeof sums; ++i) EXPECT_EQ(reinterpret_cast<unsigned char*>(&sums)[i], 0x5A);
}

TEST(CarBenefitGuards, EveryCallClearsTheWholeSumsRecord) {
  CAR_SUMS sums;
  std::memset(&sums, 0x5A, sizeof sums);
  TLD_ISYI_CAR car = make_car(30000, 120);
  calc(sums, car, limits_for(2023), 2023);
  EXPECT_EQ(sums.unused16[0], 0);
  EXPECT_EQ(sums.unused141[15], 0);
  EXPECT_EQ(long{sums.fuelDaysUnavailable}, 0);
  EXPECT_STREQ(sums.mileageBandText, "");
}

TEST(CarBenefitGuards, BandCountsBeyondTheRecordAreTakenAsItsRoom) {
  const YearLimits year = limits_for(2023);
  TLD_ISYI_CAR car = make_car(30000, 300);
  const Period period = whole_year(2023);
  CAR_SUMS sums;
  // The 2023 table fills 25 entries; the rest of the 31 are zero-bound entries after the last,
  // which a count of 1000 would otherwise run past.
  EXPECT_DOUBLE_EQ(CarBenefits::Calc(sums, &car, &year.limits, 1000, 2023, period.start, period.end, 1000),
                   CarBenefits::Calc(sums, &car, &year.limits, kMaxCo2Bands, 2023, period.start, period.end,
                                     kMaxElectricRangeBands));
  EXPECT_DOUBLE_EQ(CarBenefits::Calc(sums, &car, &year.limits, -4, 2023, period.start, period.end, -4), 0);
}

TEST(CarBenefitGuards, ZeroEmissionCarFollowsTheCo2RulesWithoutAFigure) {
  TLD_ISYI_CAR car = make_car(40000, 0, kZeroEmission);
  set_flag(car.noCo2Figure, true);
  CAR_SUMS sums;
  EXPECT_DOUBLE_EQ(calc(sums, car, limits_for(2023), 2023), 800);  // 2%
  EXPECT_DOUBLE_EQ(calc(sums, car, limits_for(2010), 2010), 3600);  // 9%
}

// Before 2015-16 a CO2 figure of 0 is no figure: the engine-size rules apply.
TEST(CarBenefitGuards, CarWithoutCo2FigureUsesEngineSize) {
  const struct { long year; double co2; bool noFigure; double percentage; } cases[] = {
      {2015, 0, false, 25},    // engine code 2, registered 2010: 25%
      {2015, 120, true, 25},
      {2015, 120, false, 17},  // 2014-15: 120 g/km is 17%
      {2016, 0, false, 5},     // from 2015-16 0 g/km is a figure: 5%
  };
  for (const auto& c : cases) {
    TLD_ISYI_CAR car = make_car(20000, c.co2, kPetrol);
    car.registeredDate = day_number(1, 1, 2010);
    set_flag(car.noCo2Figure, c.noFigure);
    CAR_SUMS sums;
    calc(sums, car, limits_for(c.year), c.year);
    EXPECT_DOUBLE_EQ(sums.percentage, c.percentage) << c.year << " " << c.co2;
  }
}

}  // namespace
