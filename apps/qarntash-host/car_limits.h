// The host program's car benefit inputs: each tax year's statutory limits from its data file
// (data/car_benefit_limits.json, built into the program, or a file of the same form given by
// name), and a car read from JSON.
//
// The data file keys tax years by the year in which they end ("2023" is 6 April 2022 to 5 April
// 2023). Each year holds its label, status, sources and notes, and a "limits" object whose keys
// are the field names of TLD_0501_CAR_LIMITS; its CO2 bands are [lower bound g/km, percentage,
// diesel supplement] and its electric range bands [lower bound miles, percentage]. A figure that
// is not yet published is null: it loads as 0 and is named in CarLimitsNotes::unpublished.
//
// Usage:
//   TLD_0501_CAR_LIMITS limits;
//   int co2Bands = 0, rangeBands = 0;
//   std::string error;
//   if (!host::load_car_limits(path, 2023, limits, co2Bands, rangeBands, error)) { report error }
//   TLD_ISYI_CAR car;
//   if (!host::read_car_json(R"({"listPrice": 30000, "co2": 120})", car, error)) { report error }
#pragma once

#include <string>
#include <vector>

#include "qarntash/tax_rules/car_benefit_records.h"

namespace host {

// The text of data/car_benefit_limits.json as the program was built with it, so that a moved or
// installed program needs no file beside it. Every function below that takes `data_file` reads
// these built-in limits when it is empty.
const char* builtin_car_limits_json();

// The first and last tax years in the data file (the years between may have gaps only if the
// file has). False, with `error`, when the file cannot be read or holds no years.
bool car_limits_years(const std::string& data_file, long& first_year, long& last_year, std::string& error);

// Fills `limits` (every byte: padding and unused table entries are zero) and the two band counts
// with the year's figures. On failure returns false with `error` saying what is wrong (the file
// cannot be read, is not a regular file, is not JSON, has no such year, or a figure is missing,
// of the wrong type, negative, too large (a percentage over 100, an amount over 100 million), out
// of order or too many for the record) and leaves the outputs unchanged.
bool load_car_limits(const std::string& data_file, long tax_year, TLD_0501_CAR_LIMITS& limits, int& co2_band_count,
                     int& electric_band_count, std::string& error);

// What the data file says about a year beyond its figures, for a report to cite.
struct CarLimitsNotes {
  std::string label;                     // "2022-23"
  std::string status;                    // "confirmed", or how far the figures are confirmed
  std::vector<std::string> sources;      // "EIM24650: https://..."
  std::vector<std::string> notes;
  std::vector<std::string> unpublished;  // limits fields not yet published (loaded as 0)
};

// Reads the year's label, status, sources, notes and unpublished figures. The same failures as
// load_car_limits; `notes` is unchanged on failure.
bool read_car_limits_notes(const std::string& data_file, long tax_year, CarLimitsNotes& notes, std::string& error);

// Fills `car` from a JSON object whose keys are the field names of TLD_ISYI_CAR. Fields not
// given are 0, and flags "N". Dates are "YYYY-MM-DD" ("" or null for no date), flags "Y" or "N",
// codes and day counts whole numbers, amounts numbers, each within its range (car_fields.h: no
// amount is negative or over 100 million pounds, fuel types are 1 to 10). An unknown key, a key
// given twice, a value of the wrong type or out of range, or text that is not a JSON object (or is
// nested too deep) gives false and an `error` naming the key and what it takes; `car` is then
// unchanged.
bool read_car_json(const std::string& json_text, TLD_ISYI_CAR& car, std::string& error);

}  // namespace host
