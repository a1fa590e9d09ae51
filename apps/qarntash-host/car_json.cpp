// Reading a car (TLD_ISYI_CAR) from a JSON object keyed by the record's field names.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>

#include <nlohmann/json.hpp>

#include "car_limits.h"
#include "date_text.h"

namespace host {
namespace {

using nlohmann::json;

enum class Kind { kDate, kFlag, kCode, kDays, kAmount };

struct CarField {
  const char* name;
  Kind kind;
  std::size_t offset;
};

#define CAR_FIELD(name, kind) {#name, Kind::kind, offsetof(TLD_ISYI_CAR, name)}
const CarField kCarFields[] = {
    CAR_FIELD(registeredDate, kDate),
    CAR_FIELD(engineCode, kCode),
    CAR_FIELD(mileageBand, kCode),
    CAR_FIELD(fuelProvided, kFlag),
    CAR_FIELD(availableFrom, kDate),
    CAR_FIELD(availableTo, kDate),
    CAR_FIELD(fuelType, kCode),
    CAR_FIELD(useReplacementPrice, kFlag),
    CAR_FIELD(replacementPrice, kAmount),
    CAR_FIELD(lowerMileageRelief, kFlag),
    CAR_FIELD(listPrice, kAmount),
    CAR_FIELD(capitalContribution, kAmount),
    CAR_FIELD(privateUsePayments, kAmount),
    CAR_FIELD(accessories, kAmount),
    CAR_FIELD(co2, kAmount),
    CAR_FIELD(noCo2Figure, kFlag),
    CAR_FIELD(fuelFrom, kDate),
    CAR_FIELD(fuelTo, kDate),
    CAR_FIELD(fuelContinues, kFlag),
    CAR_FIELD(extraDaysUnavailable, kDays),
    CAR_FIELD(alternativeAmounts, kFlag),
    CAR_FIELD(carAlternativeAmount, kAmount),
    CAR_FIELD(fuelAlternativeAmount, kAmount),
    CAR_FIELD(electricRange, kAmount),
};
#undef CAR_FIELD

// Day number of a strict "YYYY-MM-DD" date, 0 when it is not one (a day past the month's end
// included: the platform would take it as the month's last day).
long parse_iso_date(const std::string& text) {
  if (text.size() != 10 || text[4] != '-' || text[7] != '-') return 0;
  for (std::size_t i : {0u, 1u, 2u, 3u, 5u, 6u, 8u, 9u}) {
    if (text[i] < '0' || text[i] > '9') return 0;
  }
  const int year = std::stoi(text.substr(0, 4));
  const int month = std::stoi(text.substr(5, 2));
  const int day = std::stoi(text.substr(8, 2));
  return exact_date(day, month, year);
}

template <typename T>
void store(TLD_ISYI_CAR& car, std::size_t offset, T value) {
  std::memcpy(reinterpret_cast<char*>(&car) + offset, &value, sizeof value);
}

bool whole_in(const json& value, long long lowest, long long highest) {
  if (!value.is_number()) return false;
  const double number = value.get<double>();
  return number == std::floor(number) && number >= static_cast<double>(lowest) &&
         number <= static_cast<double>(highest);
}

// Stores one value, or returns what it should have been.
const char* store_field(TLD_ISYI_CAR& car, const CarField& field, const json& value) {
  switch (field.kind) {
    case Kind::kDate: {
      if (value.is_null() || (value.is_string() && value.get<std::string>().empty())) {
        store<std::int32_t>(car, field.offset, 0);
        return nullptr;
      }
      const long date = value.is_string() ? parse_iso_date(value.get<std::string>()) : 0;
      if (date == 0) return "a date as YYYY-MM-DD";
      store<std::int32_t>(car, field.offset, static_cast<std::int32_t>(date));
      return nullptr;
    }
    case Kind::kFlag: {
      const std::string flag = value.is_string() ? value.get<std::string>() : std::string();
      if (flag != "Y" && flag != "N") return "\"Y\" or \"N\"";
      const char bytes[2] = {flag[0], '\0'};
      std::memcpy(reinterpret_cast<char*>(&car) + field.offset, bytes, sizeof bytes);
      return nullptr;
    }
    case Kind::kCode:
      if (!whole_in(value, std::numeric_limits<std::int16_t>::min(), std::numeric_limits<std::int16_t>::max())) {
        return "a whole number from -32768 to 32767";
      }
      store<std::int16_t>(car, field.offset, static_cast<std::int16_t>(value.get<double>()));
      return nullptr;
    case Kind::kDays:
      if (!whole_in(value, -100000, 100000)) return "a whole number of days";
      store<std::int32_t>(car, field.offset, static_cast<std::int32_t>(value.get<double>()));
      return nullptr;
    case Kind::kAmount:
      if (!value.is_number()) return "a number";
      store<double>(car, field.offset, value.get<double>());
      return nullptr;
  }
  return "a value";
}

}  // namespace

bool read_car_json(const std::string& json_text, TLD_ISYI_CAR& car, std::string& error) {
  const json object = json::parse(json_text, nullptr, false);
  if (object.is_discarded() || !object.is_object()) {
    error = "the car is not a JSON object";
    return false;
  }
  TLD_ISYI_CAR read;
  std::memset(&read, 0, sizeof read);
  for (const CarField& field : kCarFields) {
    if (field.kind == Kind::kFlag) store_field(read, field, "N");
  }
  for (const auto& item : object.items()) {
    const CarField* field = nullptr;
    for (const CarField& known : kCarFields) {
      if (item.key() == known.name) field = &known;
    }
    if (field == nullptr) {
      error = "unknown car field \"" + item.key() + "\"";
      return false;
    }
    if (const char* expected = store_field(read, *field, item.value())) {
      error = "car field \"" + item.key() + "\" must be " + expected;
      return false;
    }
  }
  car = read;
  return true;
}

}  // namespace host
