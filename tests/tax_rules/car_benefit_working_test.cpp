// The working that CalcWithWorking tells beside Calc: the same figures from the one calculation,
// parts that add up to their results, and a failure in place of figures that would overflow.
#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <string>

#include <gtest/gtest.h>

#include "car_benefit_test_helpers.h"
#include "platform/rounding.h"

namespace {

using car_test::limits_for;
using car_test::make_car;
using car_test::set_flag;
using car_test::YearLimits;

// A car of any kind the records allow: every path, fuel, day count and payment.
TLD_ISYI_CAR random_car(std::mt19937& random, const car_test::Period& period) {
  auto pick = [&random](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
  TLD_ISYI_CAR car = make_car(8000 + pick(90000) + pick(100) / 100.0, pick(300), static_cast<short>(pick(11)));
  car.engineCode = static_cast<short>(pick(4));
  car.mileageBand = static_cast<short>(pick(4));
  car.accessories = pick(3) == 0 ? pick(5000) : 0;
  car.capitalContribution = pick(3) == 0 ? pick(8000) : 0;
  car.privateUsePayments = pick(4) == 0 ? pick(12000) : 0;
  car.registeredDate = static_cast<std::int32_t>(period.start - pick(9000));
  car.availableFrom = pick(4) == 0 ? static_cast<std::int32_t>(period.start + pick(300)) : 0;
  car.availableTo = pick(5) == 0 ? static_cast<std::int32_t>(period.end - pick(200)) : 0;
  car.fuelFrom = pick(5) == 0 ? static_cast<std::int32_t>(period.start + pick(200)) : 0;
  car.fuelTo = pick(5) == 0 ? static_cast<std::int32_t>(period.end - pick(200)) : 0;
  car.extraDaysUnavailable = pick(6) == 0 ? pick(400) : 0;
  car.electricRange = pick(200);
  set_flag(car.fuelProvided, pick(2) == 0);
  set_flag(car.fuelContinues, pick(4) == 0);
  set_flag(car.noCo2Figure, pick(6) == 0);
  set_flag(car.lowerMileageRelief, pick(2) == 0);
  set_flag(car.useReplacementPrice, pick(8) == 0);
  car.replacementPrice = 20000 + pick(30000);
  set_flag(car.alternativeAmounts, pick(3) == 0);
  car.carAlternativeAmount = pick(2) == 0 ? pick(15000) : 0;
  car.fuelAlternativeAmount = pick(2) == 0 ? pick(9000) : 0;
  return car;
}

// Each part's lines add up to its result: from the last figure a part starts from (a cash
// equivalent, the fuel's basis, or a salary given up that is taxed), every amount after it.
void expect_parts_add_up(const CarBenefitWorking& working, const std::string& label) {
  for (int part : {CarBenefitStep::kCar, CarBenefitStep::kFuel}) {
    double sum = 0;
    bool started = false;
    for (const CarBenefitStep& step : working.steps) {
      if (step.part != part) continue;
      const std::string& text = step.description;
      const bool start = text.rfind("Cash equivalent at", 0) == 0 || text.rfind("Fuel benefit at", 0) == 0 ||
                         text.rfind("Fuel scale charge", 0) == 0 ||
                         text.rfind("Salary given up, larger", 0) == 0;
      if (step.kind == CarBenefitStep::kResult) {
        if (started) {
          EXPECT_NEAR(sum, step.amount, 0.011) << label << ": " << text;
        }
      } else if (start) {
        sum = step.amount;
        started = true;
      } else if (started && step.kind == CarBenefitStep::kAmount && text != "Cash equivalent" &&
                 text != "Fuel cash equivalent") {
        sum += step.amount;
      }
    }
  }
}

TEST(CarBenefitWorking, GivesCalcsFiguresForManyCarsAndAddsUp) {
  std::mt19937 random(17);
  int alternative = 0;
  for (long year : {2001L, 2003L, 2004L, 2010L, 2011L, 2016L, 2018L, 2020L, 2021L, 2023L}) {
    const YearLimits limits = limits_for(year);
    const car_test::Period period = car_test::whole_year(year);
    for (int i = 0; i < 3000; ++i) {
      const TLD_ISYI_CAR car = random_car(random, period);
      TLD_ISYI_CAR plain = car, worked = car;
      CAR_SUMS plainSums, workedSums;
      std::memset(&plainSums, 0xAB, sizeof plainSums);
      std::memset(&workedSums, 0xCD, sizeof workedSums);
      CarBenefitWorking working;
      const double benefit = CarBenefits::Calc(plainSums, &plain, &limits.limits, limits.co2BandCount, year,
                                               period.start, period.end, limits.rangeBandCount);
      const double told = CarBenefits::CalcWithWorking(workedSums, &worked, &limits.limits, limits.co2BandCount,
                                                       year, period.start, period.end, limits.rangeBandCount, working);
      const std::string label = std::to_string(year) + " car " + std::to_string(i);
      ASSERT_EQ(std::memcmp(&benefit, &told, sizeof benefit), 0) << label;
      ASSERT_EQ(std::memcmp(&plainSums, &workedSums, sizeof plainSums), 0) << label;
      ASSERT_EQ(std::memcmp(&plain, &worked, sizeof plain), 0) << label;
      ASSERT_TRUE(working.computed) << label;
      ASSERT_GE(working.steps.size(), 4u) << label;
      alternative += working.path == "alternative amounts";

      double carResult = -1, fuelResult = 0, total = -1;
      for (const CarBenefitStep& step : working.steps) {
        ASSERT_TRUE(std::isfinite(step.amount)) << label;
        if (step.kind != CarBenefitStep::kResult) continue;
        if (step.part == CarBenefitStep::kCar) carResult = step.amount;
        if (step.part == CarBenefitStep::kFuel) fuelResult = step.amount;
        if (step.part == CarBenefitStep::kTotal) total = step.amount;
      }
      // Copied out: the packed fields are not aligned for a reference.
      const double carBenefit = workedSums.carBenefit, fuelBenefit = workedSums.fuelBenefit;
      EXPECT_EQ(carResult, carBenefit) << label;
      EXPECT_EQ(fuelResult, fuelBenefit) << label;
      EXPECT_DOUBLE_EQ(total, ttround(carBenefit + fuelBenefit, 2, 2)) << label;
      expect_parts_add_up(working, label);
    }
  }
  EXPECT_GT(alternative, 1000);  // both paths were tried
}

// Amounts near the largest double overflow on the way; Calc reports that instead of a NaN that
// the floors at nil would have shown as a plausible 0. Large amounts that stay finite are worked
// out, and their texts keep every digit.
TEST(CarBenefitWorking, AFigureThatOverflowsIsAFailureNotANaN) {
  const double huge = 1e308;
  const struct {
    const char* name;
    double listPrice, accessories, contribution, carAmount;
    const char* failed;  // null: worked out
  } cases[] = {
      {"price and accessories", huge, huge, 0, 0, "the price"},
      {"contribution of minus 1e308", huge, 0, -huge, 0, "the price for the benefit"},
      {"infinite list price", std::numeric_limits<double>::infinity(), 0, 0, 0, "the list price"},
      {"NaN accessories", 30000, std::nan(""), 0, 0, "the accessories"},
      {"salary given up of minus 1e308", 30000, 0, 0, -huge, nullptr},
      {"list price of 1e308, times the percentage", huge, 0, 0, 0, "the cash equivalent"},
      {"list price of 1e306", 1e306, 0, 0, 0, nullptr},
  };
  const YearLimits limits = limits_for(2023);
  const car_test::Period period = car_test::whole_year(2023);
  for (const auto& c : cases) {
    TLD_ISYI_CAR car = make_car(c.listPrice, 120);
    car.accessories = c.accessories;
    car.capitalContribution = c.contribution;
    car.carAlternativeAmount = c.carAmount;
    set_flag(car.alternativeAmounts, c.carAmount != 0);
    set_flag(car.fuelProvided, true);
    CAR_SUMS sums;
    CarBenefitWorking working;
    const double benefit = CarBenefits::CalcWithWorking(sums, &car, &limits.limits, limits.co2BandCount, 2023,
                                                        period.start, period.end, limits.rangeBandCount, working);
    if (c.failed != nullptr) {
      EXPECT_EQ(benefit, CarBenefits::kNotComputed) << c.name;
      EXPECT_FALSE(working.computed) << c.name;
      ASSERT_EQ(working.steps.size(), 1u) << c.name;
      EXPECT_NE(working.steps[0].description.find(c.failed), std::string::npos) << working.steps[0].description;
      const CAR_SUMS zero{};
      EXPECT_EQ(std::memcmp(&sums, &zero, sizeof sums), 0) << c.name;
      continue;
    }
    EXPECT_TRUE(std::isfinite(benefit)) << c.name;
    EXPECT_TRUE(working.computed) << c.name;
    for (const CarBenefitStep& step : working.steps) {
      EXPECT_TRUE(std::isfinite(step.amount)) << c.name << ": " << step.description;
      // Every amount quoted in a description keeps its pence, however many digits come before.
      const std::size_t pound = step.description.find("\xC2\xA3");
      if (pound != std::string::npos && step.description.find(".00", pound) == std::string::npos) {
        ADD_FAILURE() << c.name << ": " << step.description;
      }
    }
  }
  // The salary of minus 1e308, named in full inside its note.
  TLD_ISYI_CAR car = make_car(30000, 120);
  set_flag(car.alternativeAmounts, true);
  car.carAlternativeAmount = -huge;
  CAR_SUMS sums;
  CarBenefitWorking working;
  CarBenefits::CalcWithWorking(sums, &car, &limits.limits, limits.co2BandCount, 2023, period.start, period.end,
                               limits.rangeBandCount, working);
  bool named = false;
  for (const CarBenefitStep& step : working.steps) {
    if (step.description.rfind("Salary given up -\xC2\xA3" "100,000,000,000,000,", 0) == 0 &&
        step.description.find(".00: less, so not taxed") != std::string::npos) {
      named = true;
    }
  }
  EXPECT_TRUE(named);
}

}  // namespace
