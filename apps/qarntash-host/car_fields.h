// The fields of a car (TLD_ISYI_CAR) as the host program reads them, from a car file or from
// flags: each field's name, kind, place in the record and the values it accepts. No car can have
// a negative price, more days unavailable than a year has, or a fuel type the rules do not know,
// and amounts are bounded so that every figure of the calculation stays finite and printable.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "qarntash/tax_rules/car_benefit_records.h"

namespace host {

enum class CarFieldKind { kDate, kFlag, kCode, kDays, kAmount };

struct CarField {
  const char* name;  // the TLD_ISYI_CAR field name, also the car file's key
  CarFieldKind kind;
  std::size_t offset;
  double lowest;  // codes, days and amounts: the allowed range
  double highest;
  const char* unit;  // "pounds", "g/km", ... (empty for none)
};

// The largest amount of money the host accepts for a car: a car worth more is an input error.
constexpr double kMaxCarAmount = 100000000;
// Fuel type and engine size codes that the rules know.
constexpr int kLowestFuelType = 1;
constexpr int kHighestFuelType = 10;

const std::vector<CarField>& car_fields();
// The field of that name, or null.
const CarField* find_car_field(const std::string& name);
// What the field takes, for an error: "a number from 0 to 100,000,000 (pounds)".
std::string allowed_values(const CarField& field);
// The car file's keys, the fuel types and the engine codes, for the program's help.
std::string car_fields_help();

}  // namespace host
