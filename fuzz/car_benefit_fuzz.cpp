// CarBenefits::Calc and CalcWithWorking over any car: the first 216 bytes are the car record, the
// next 8 the year's fuel multiplier, then one byte choosing the tax year (2000 to 2029) and one the
// CO2 band count. The other limits are the year's real ones.
//
// Invariants: the result is finite, and either not negative or kNotComputed with the sums all
// zero; both calls give the same bytes; every step of the working has a finite amount, the car
// and fuel results are the sums' figures, and every amount quoted in a description keeps its
// pence ("£" then digits and commas, a point and two digits), however large it is.
#include <cctype>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "fuzz/reference_numbers_fuzz.h"
#include "tax_rules/car_benefit_test_helpers.h"

namespace {

bool money_texts_keep_their_pence(const std::string& text) {
  for (std::size_t at = text.find("\xC2\xA3"); at != std::string::npos; at = text.find("\xC2\xA3", at + 2)) {
    std::size_t i = at + 2;
    const std::size_t digits_start = i;
    while (i < text.size() && (std::isdigit(static_cast<unsigned char>(text[i])) || text[i] == ',')) ++i;
    if (i == digits_start) {
      // An amount that is not a number ("£inf", "£nan") cannot come from a computed working.
      return false;
    }
    if (i + 2 >= text.size() || text[i] != '.' || !std::isdigit(static_cast<unsigned char>(text[i + 1])) ||
        !std::isdigit(static_cast<unsigned char>(text[i + 2]))) {
      return false;
    }
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  TLD_ISYI_CAR car;
  if (size < sizeof car + 10) return 0;
  std::memcpy(&car, data, sizeof car);
  double multiplier;
  std::memcpy(&multiplier, data + sizeof car, sizeof multiplier);
  const long year = 2000 + data[sizeof car + 8] % 30;
  car_test::YearLimits limits = car_test::limits_for(year);
  limits.limits.fuelMultiplier = multiplier;
  const int co2_bands = data[sizeof car + 9] % 40 - 4;
  const car_test::Period period = car_test::whole_year(year);
  const std::string label = "tax year " + std::to_string(year);

  TLD_ISYI_CAR plain = car, worked = car;
  CAR_SUMS plain_sums, worked_sums;
  CarBenefitWorking working;
  const double benefit = CarBenefits::Calc(plain_sums, &plain, &limits.limits, co2_bands, year, period.start,
                                           period.end, limits.rangeBandCount);
  const double told = CarBenefits::CalcWithWorking(worked_sums, &worked, &limits.limits, co2_bands, year,
                                                   period.start, period.end, limits.rangeBandCount, working);
  FUZZ_CHECK(std::memcmp(&benefit, &told, sizeof benefit) == 0, label);
  FUZZ_CHECK(std::memcmp(&plain_sums, &worked_sums, sizeof plain_sums) == 0, label);
  FUZZ_CHECK(std::memcmp(&plain, &worked, sizeof plain) == 0, label);
  FUZZ_CHECK(std::isfinite(benefit), label);
  if (benefit == CarBenefits::kNotComputed) {
    const CAR_SUMS zero{};
    FUZZ_CHECK(std::memcmp(&worked_sums, &zero, sizeof zero) == 0, label);
    FUZZ_CHECK(!working.computed && working.steps.size() == 1, label);
    return 0;
  }
  FUZZ_CHECK(benefit >= 0 && benefit == worked_sums.carBenefit && working.computed, label);
  for (const CarBenefitStep& step : working.steps) {
    FUZZ_CHECK(std::isfinite(step.amount), step.description);
    FUZZ_CHECK(money_texts_keep_their_pence(step.description), step.description);
    FUZZ_CHECK(money_texts_keep_their_pence(step.basis), step.basis);
    if (step.kind == CarBenefitStep::kResult && step.part == CarBenefitStep::kCar) {
      FUZZ_CHECK(step.amount == worked_sums.carBenefit, step.description);
    }
    if (step.kind == CarBenefitStep::kResult && step.part == CarBenefitStep::kFuel) {
      FUZZ_CHECK(step.amount == worked_sums.fuelBenefit, step.description);
    }
  }
  return 0;
}
