// host::read_car_json on arbitrary text, and CarBenefits::Calc over every car it takes.
//
// Invariants: a refused car is left unchanged with a reason; a car that is taken has every field
// within the range the host allows (car_fields.h), and its benefits for 2022-23 on the built-in
// limits are finite and not negative, so that no accepted input can reach an overflowing figure.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "car_fields.h"
#include "car_limits.h"
#include "fuzz/reference_numbers_fuzz.h"
#include "qarntash/tax_rules/car_benefit.h"
#include "qarntash/tax_rules/tax_year_calendar.h"

namespace {

double number_at(const TLD_ISYI_CAR& car, const host::CarField& field) {
  const char* place = reinterpret_cast<const char*>(&car) + field.offset;
  switch (field.kind) {
    case host::CarFieldKind::kCode: {
      std::int16_t code;
      std::memcpy(&code, place, sizeof code);
      return code;
    }
    case host::CarFieldKind::kDays: {
      std::int32_t days;
      std::memcpy(&days, place, sizeof days);
      return days;
    }
    default: {
      double amount;
      std::memcpy(&amount, place, sizeof amount);
      return amount;
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text = fuzz::text_of(data, size, false);
  TLD_ISYI_CAR car;
  std::memset(&car, 0x5A, sizeof car);
  std::string error;
  if (!host::read_car_json(text, car, error)) {
    FUZZ_CHECK(!error.empty(), text);
    FUZZ_CHECK(reinterpret_cast<const unsigned char*>(&car)[0] == 0x5A, text);
    return 0;
  }
  for (const host::CarField& field : host::car_fields()) {
    if (field.kind == host::CarFieldKind::kDate || field.kind == host::CarFieldKind::kFlag) continue;
    const double value = number_at(car, field);
    FUZZ_CHECK(value == 0 || (value >= field.lowest && value <= field.highest), text);
  }

  static TLD_0501_CAR_LIMITS limits;
  static int co2_bands = 0;
  static int range_bands = 0;
  static const bool loaded = host::load_car_limits("", 2023, limits, co2_bands, range_bands, error);
  FUZZ_CHECK(loaded, error);
  CAR_SUMS sums;
  const double benefit = CarBenefits::Calc(sums, &car, &limits, co2_bands, 2023, CDateToolKit::getTaxYrStart(2023),
                                           CDateToolKit::getTaxYrEnd(2023), range_bands);
  FUZZ_CHECK(std::isfinite(benefit) && benefit >= 0, text);
  FUZZ_CHECK(std::isfinite(sums.fuelBenefit), text);
  return 0;
}
