// Reading a car (TLD_ISYI_CAR) from a JSON object keyed by the record's field names.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include <nlohmann/json.hpp>

#include "car_fields.h"
#include "car_limits.h"
#include "date_text.h"
#include "json_input.h"

namespace host {
namespace {

using nlohmann::json;

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

// A number within the field's range (NaN and the infinities are not), whole when it must be.
bool number_in_range(const CarField& field, const json& value) {
  if (!value.is_number()) return false;
  const double number = value.get<double>();
  if (!(number >= field.lowest && number <= field.highest)) return false;
  return field.kind == CarFieldKind::kAmount || number == std::floor(number);
}

// Stores one value, or returns false when it is not what the field takes.
bool store_field(TLD_ISYI_CAR& car, const CarField& field, const json& value) {
  switch (field.kind) {
    case CarFieldKind::kDate: {
      if (value.is_null() || (value.is_string() && value.get<std::string>().empty())) {
        store<std::int32_t>(car, field.offset, 0);
        return true;
      }
      const long date = value.is_string() ? parse_iso_date(value.get<std::string>()) : 0;
      if (date == 0) return false;
      store<std::int32_t>(car, field.offset, static_cast<std::int32_t>(date));
      return true;
    }
    case CarFieldKind::kFlag: {
      const std::string flag = value.is_string() ? value.get<std::string>() : std::string();
      if (flag != "Y" && flag != "N") return false;
      const char bytes[2] = {flag[0], '\0'};
      std::memcpy(reinterpret_cast<char*>(&car) + field.offset, bytes, sizeof bytes);
      return true;
    }
    case CarFieldKind::kCode:
      if (!number_in_range(field, value)) return false;
      store<std::int16_t>(car, field.offset, static_cast<std::int16_t>(value.get<double>()));
      return true;
    case CarFieldKind::kDays:
      if (!number_in_range(field, value)) return false;
      store<std::int32_t>(car, field.offset, static_cast<std::int32_t>(value.get<double>()));
      return true;
    case CarFieldKind::kAmount:
      if (!number_in_range(field, value)) return false;
      store<double>(car, field.offset, value.get<double>());
      return true;
  }
  return false;
}

}  // namespace

bool read_car_json(const std::string& json_text, TLD_ISYI_CAR& car, std::string& error) {
  json object;
  std::string fault;
  if (!parse_json_strictly(json_text, object, fault)) {
    error = "the car is not a JSON object (" + fault + ")";
    return false;
  }
  if (!object.is_object()) {
    error = "the car is not a JSON object";
    return false;
  }
  TLD_ISYI_CAR read;
  std::memset(&read, 0, sizeof read);
  for (const CarField& field : car_fields()) {
    if (field.kind == CarFieldKind::kFlag) store_field(read, field, "N");
  }
  for (const auto& item : object.items()) {
    const CarField* field = find_car_field(item.key());
    if (field == nullptr) {
      error = "unknown car field \"" + item.key() + "\"";
      return false;
    }
    if (!store_field(read, *field, item.value())) {
      error = "car field \"" + item.key() + "\" must be " + allowed_values(*field);
      return false;
    }
  }
  car = read;
  return true;
}

}  // namespace host
