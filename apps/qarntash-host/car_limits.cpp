// Loading a tax year's car benefit limits from the host program's data file.
#include "car_limits.h"

#include <cmath>
#include <cstring>
#include <limits>

#include <nlohmann/json.hpp>

#include "json_input.h"

namespace host {
namespace {

using nlohmann::json;

// Each amount with its setter (a function rather than a pointer to member: the record is packed,
// and a pointer to member is written as if its double were aligned).
struct AmountField {
  const char* name;
  void (*set)(TLD_0501_CAR_LIMITS&, double);
  double highest;  // a percentage at most 100, money at most kMaxLimitAmount
};
// No statutory figure comes near it; a larger one is a damaged file, and would overflow the
// calculation's figures.
constexpr double kMaxLimitAmount = 100000000;
constexpr double kMaxPercentage = 100;
constexpr AmountField kAmountFields[] = {
    {"flatPercentage", [](TLD_0501_CAR_LIMITS& l, double v) { l.flatPercentage = v; }, kMaxPercentage},
    {"priceCap", [](TLD_0501_CAR_LIMITS& l, double v) { l.priceCap = v; }, kMaxLimitAmount},
    {"contributionCap", [](TLD_0501_CAR_LIMITS& l, double v) { l.contributionCap = v; }, kMaxLimitAmount},
    {"replacementPriceThreshold", [](TLD_0501_CAR_LIMITS& l, double v) { l.replacementPriceThreshold = v; }, kMaxLimitAmount},
    {"fuelScaleOther", [](TLD_0501_CAR_LIMITS& l, double v) { l.fuelScaleOther = v; }, kMaxLimitAmount},
    {"fuelScaleDieselSmall", [](TLD_0501_CAR_LIMITS& l, double v) { l.fuelScaleDieselSmall = v; }, kMaxLimitAmount},
    {"fuelScaleDieselLarge", [](TLD_0501_CAR_LIMITS& l, double v) { l.fuelScaleDieselLarge = v; }, kMaxLimitAmount},
    {"fuelScalePetrolSmall", [](TLD_0501_CAR_LIMITS& l, double v) { l.fuelScalePetrolSmall = v; }, kMaxLimitAmount},
    {"fuelScalePetrolMedium", [](TLD_0501_CAR_LIMITS& l, double v) { l.fuelScalePetrolMedium = v; }, kMaxLimitAmount},
    {"fuelScalePetrolLarge", [](TLD_0501_CAR_LIMITS& l, double v) { l.fuelScalePetrolLarge = v; }, kMaxLimitAmount},
    {"mileageReduction1", [](TLD_0501_CAR_LIMITS& l, double v) { l.mileageReduction1 = v; }, kMaxPercentage},
    {"mileageReduction2", [](TLD_0501_CAR_LIMITS& l, double v) { l.mileageReduction2 = v; }, kMaxPercentage},
    {"olderCarReduction", [](TLD_0501_CAR_LIMITS& l, double v) { l.olderCarReduction = v; }, kMaxPercentage},
    {"fuelMultiplier", [](TLD_0501_CAR_LIMITS& l, double v) { l.fuelMultiplier = v; }, kMaxLimitAmount},
};
constexpr const char* kOlderCarAge = "olderCarAge";
constexpr const char* kCo2Bands = "co2Bands";
constexpr const char* kElectricRangeBands = "electricRangeBands";

// The data file's document: the limits built into the program when `data_file` is empty.
bool read_document(const std::string& data_file, json& document, std::string& error) {
  std::string text;
  if (data_file.empty()) {
    text = builtin_car_limits_json();
  } else if (!read_input_file(data_file, text, error)) {
    error = "the car benefit limits file: " + error;
    return false;
  }
  const std::string name = data_file.empty() ? "the built-in car benefit limits" : data_file;
  std::string fault;
  if (!parse_json_strictly(text, document, fault)) {
    error = name + " is not a JSON object (" + fault + ")";
    return false;
  }
  if (!document.is_object()) {
    error = name + " is not a JSON object";
    return false;
  }
  return true;
}

// The year's entry of the data file, or false with the reason.
bool find_year(const std::string& data_file, long tax_year, json& year, std::string& error) {
  json document;
  if (!read_document(data_file, document, error)) return false;
  const std::string source = data_file.empty() ? "the built-in limits" : data_file;
  const auto years = document.find("years");
  const std::string key = std::to_string(tax_year);
  if (years == document.end() || !years->is_object() || years->find(key) == years->end()) {
    error = "no car benefit limits for tax year " + key + " in " + source;
    return false;
  }
  year = (*years)[key];
  if (!year.is_object() || !year.contains("limits") || !year["limits"].is_object()) {
    error = "tax year " + key + ": no \"limits\" object";
    return false;
  }
  return true;
}

bool is_known_limit(const std::string& key) {
  for (const AmountField& field : kAmountFields) {
    if (key == field.name) return true;
  }
  return key == kOlderCarAge || key == kCo2Bands || key == kElectricRangeBands;
}

// A band: an array of `width` numbers of 0 or more, the first a whole number, the others
// percentages of at most 100.
bool read_band(const json& band, std::size_t width, std::int32_t& lower, double values[2]) {
  if (!band.is_array() || band.size() != width) return false;
  for (const json& value : band) {
    if (!value.is_number() || !(value.get<double>() >= 0)) return false;
  }
  for (std::size_t i = 1; i < width; ++i) {
    if (!(band[i].get<double>() <= kMaxPercentage)) return false;
  }
  const double bound = band[0].get<double>();
  if (bound != std::floor(bound) || bound > std::numeric_limits<std::int32_t>::max()) return false;
  lower = static_cast<std::int32_t>(bound);
  for (std::size_t i = 1; i < width; ++i) values[i - 1] = band[i].get<double>();
  return true;
}

// Reads a band table into `count` entries through `store(index, lower, values)`.
template <typename Store>
bool read_bands(const json& limits, const char* key, std::size_t width, int room, int& count, Store store,
                std::string& error) {
  const json& bands = limits[key];
  if (!bands.is_array()) {
    error = std::string(key) + " must be an array of bands";
    return false;
  }
  if (bands.size() > static_cast<std::size_t>(room)) {
    error = std::string(key) + " has " + std::to_string(bands.size()) + " bands; the record holds " +
            std::to_string(room);
    return false;
  }
  count = 0;
  std::int32_t previous = -1;
  for (const json& band : bands) {
    std::int32_t lower = 0;
    double values[2] = {0, 0};
    if (!read_band(band, width, lower, values)) {
      error = std::string(key) + " band " + std::to_string(count + 1) + " must be " + std::to_string(width) +
              " numbers of 0 or more, the first whole and the others percentages of at most 100";
      return false;
    }
    if (lower <= previous) {
      error = std::string(key) + " band " + std::to_string(count + 1) + " is not above the band before it";
      return false;
    }
    previous = lower;
    store(count++, lower, values);
  }
  return true;
}

bool read_limits(const json& limits, TLD_0501_CAR_LIMITS& out, int& co2_count, int& range_count,
                 std::vector<std::string>& unpublished, std::string& error) {
  for (const auto& item : limits.items()) {
    if (!is_known_limit(item.key())) {
      error = "unknown limit \"" + item.key() + "\"";
      return false;
    }
  }
  std::memset(&out, 0, sizeof out);
  for (const AmountField& field : kAmountFields) {
    if (!limits.contains(field.name)) {
      error = std::string("no \"") + field.name + "\"";
      return false;
    }
    const json& value = limits[field.name];
    if (value.is_null()) {
      unpublished.push_back(field.name);
      continue;
    }
    if (!value.is_number() || !(value.get<double>() >= 0 && value.get<double>() <= field.highest)) {
      error = std::string("\"") + field.name + "\" must be a number from 0 to " +
              (field.highest == kMaxPercentage ? "100" : "100000000");
      return false;
    }
    field.set(out, value.get<double>());
  }
  if (!limits.contains(kOlderCarAge) || !limits[kOlderCarAge].is_number_integer() ||
      limits[kOlderCarAge].get<long long>() < 0 || limits[kOlderCarAge].get<long long>() > 100) {
    error = std::string("\"") + kOlderCarAge + "\" must be a whole number of years from 0 to 100";
    return false;
  }
  out.olderCarAge = static_cast<std::int16_t>(limits[kOlderCarAge].get<long long>());
  for (const char* key : {kCo2Bands, kElectricRangeBands}) {
    if (!limits.contains(key)) {
      error = std::string("no \"") + key + "\"";
      return false;
    }
  }
  return read_bands(limits, kCo2Bands, 3, kMaxCo2Bands, co2_count,
                    [&out](int i, std::int32_t lower, const double* values) {
                      out.co2Bands[i].lowerBound = lower;
                      out.co2Bands[i].percentage = values[0];
                      out.co2Bands[i].dieselSupplement = values[1];
                    },
                    error) &&
         read_bands(limits, kElectricRangeBands, 2, kMaxElectricRangeBands, range_count,
                    [&out](int i, std::int32_t lower, const double* values) {
                      out.electricRangeBands[i].lowerBound = lower;
                      out.electricRangeBands[i].percentage = values[0];
                    },
                    error);
}

std::string text_of(const json& object, const char* key) {
  const auto found = object.find(key);
  return found != object.end() && found->is_string() ? found->get<std::string>() : std::string();
}

}  // namespace

bool car_limits_years(const std::string& data_file, long& first_year, long& last_year, std::string& error) {
  json document;
  if (!read_document(data_file, document, error)) return false;
  const auto years = document.find("years");
  long first = 0;
  long last = 0;
  if (years != document.end() && years->is_object()) {
    for (const auto& year : years->items()) {
      const std::string& key = year.key();
      if (key.empty() || key.size() > 4 || key.find_first_not_of("0123456789") != std::string::npos) continue;
      const long number = std::stol(key);
      if (first == 0 || number < first) first = number;
      if (number > last) last = number;
    }
  }
  if (first == 0) {
    error = "no tax years in " + (data_file.empty() ? std::string("the built-in limits") : data_file);
    return false;
  }
  first_year = first;
  last_year = last;
  return true;
}

bool load_car_limits(const std::string& data_file, long tax_year, TLD_0501_CAR_LIMITS& limits, int& co2_band_count,
                     int& electric_band_count, std::string& error) {
  json year;
  if (!find_year(data_file, tax_year, year, error)) return false;
  TLD_0501_CAR_LIMITS loaded;
  int co2_count = 0;
  int range_count = 0;
  std::vector<std::string> unpublished;
  if (!read_limits(year["limits"], loaded, co2_count, range_count, unpublished, error)) {
    error = "tax year " + std::to_string(tax_year) + ": " + error;
    return false;
  }
  limits = loaded;
  co2_band_count = co2_count;
  electric_band_count = range_count;
  return true;
}

bool read_car_limits_notes(const std::string& data_file, long tax_year, CarLimitsNotes& notes, std::string& error) {
  json year;
  if (!find_year(data_file, tax_year, year, error)) return false;
  CarLimitsNotes read;
  TLD_0501_CAR_LIMITS ignored;
  int co2_count = 0;
  int range_count = 0;
  if (!read_limits(year["limits"], ignored, co2_count, range_count, read.unpublished, error)) {
    error = "tax year " + std::to_string(tax_year) + ": " + error;
    return false;
  }
  read.label = text_of(year, "label");
  read.status = text_of(year, "status");
  if (year.contains("sources") && year["sources"].is_array()) {
    for (const json& source : year["sources"]) {
      if (!source.is_object()) continue;
      const std::string url = text_of(source, "url");
      read.sources.push_back(text_of(source, "ref") + (url.empty() ? "" : ": " + url));
    }
  }
  if (year.contains("notes") && year["notes"].is_array()) {
    for (const json& note : year["notes"]) {
      if (note.is_string()) read.notes.push_back(note.get<std::string>());
    }
  }
  notes = read;
  return true;
}

}  // namespace host
