// `qarntash-host car-benefit`: the company car and fuel benefit of one car for a tax year,
// printed as the employment page and written to the report folder.
//
//   qarntash-host car-benefit --car examples/company_car.json --tax-year 2023
//   qarntash-host car-benefit --list-price 30000 --co2 120 --fuel-type 1 --registered 2020-01-01 --tax-year 2023
//
// The car comes from a JSON file of TLD_ISYI_CAR's fields by name, from flags, or both (a flag
// replaces the file's field). The year's statutory limits are built into the program (or come
// from --limits FILE). Whatever no car can be (a negative price, a fuel type the rules do not
// know, a period that ends before it starts) is refused with a one-line error naming the field
// and what it takes.
#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <cstdio>
#include <iostream>
#include <memory>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>

#include "car_fields.h"
#include "car_benefit_pdf.h"
#include "car_limits.h"
#include "commands.h"
#include "employment_page.h"
#include "json_input.h"
#include "qarntash/qarntash.h"
#include "report_output.h"

namespace host {

namespace {

struct CarOptions {
  std::string car_file;
  std::string tax_year_text;
  std::string from;
  std::string to;
  std::string output = kDefaultReportFolder;
  std::string pdf_file;  // also write the page as a PDF here
  std::string limits_file;                          // empty: the limits built into the program
  nlohmann::json flags = nlohmann::json::object();  // car fields given as flags
};

std::string iso_date(long day_number) {
  DateParts parts{};
  fp_inttodate(day_number, &parts);
  char text[48];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d", static_cast<int>(parts.year), parts.month, parts.day);
  return text;
}

std::string shown(long day_number) { return fpw_DATE_VALUE(day_number).string_value(); }

long date_option(const std::string& name, const std::string& text, long fallback) {
  if (text.empty()) return fallback;
  const long date = parse_date(text);
  if (date == 0) throw CLI::ValidationError(name, "not a date: \"" + text + "\" (give YYYY-MM-DD or DD/MM/YYYY)");
  return date;
}

// A number as a person writes it: digits with an optional sign and decimal part. Nothing else is
// taken (no hexadecimal, exponent, "inf" or "nan", and no empty text read as 0).
bool read_plain_number(const std::string& text, double& number) {
  std::size_t i = text.size() > 0 && text[0] == '-' ? 1 : 0;
  const std::size_t digits_start = i;
  while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) ++i;
  if (i == digits_start || i > digits_start + 15) return false;
  if (i < text.size() && text[i] == '.') {
    const std::size_t decimals_start = ++i;
    while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) ++i;
    if (i == decimals_start) return false;
  }
  if (i != text.size()) return false;
  number = std::strtod(text.c_str(), nullptr);
  return true;
}

// Reads a flag's text as the car field's value, within the field's range.
nlohmann::json flag_value(const std::string& flag, const CarField& field, const std::string& text) {
  double number = 0;
  const bool whole = field.kind != CarFieldKind::kAmount;
  if (!read_plain_number(text, number) || !(number >= field.lowest && number <= field.highest) ||
      (whole && number != std::floor(number))) {
    throw CLI::ValidationError(flag, "must be " + allowed_values(field) + ", not \"" + text + "\"");
  }
  if (whole) return static_cast<long>(number);
  return number;
}

long tax_year_option(const std::string& text, const std::string& limits_file) {
  long first = 0;
  long last = 0;
  std::string error;
  if (!car_limits_years(limits_file, first, last, error)) throw CLI::ValidationError("--limits", error);
  double number = 0;
  if (!read_plain_number(text, number) || number != std::floor(number) || number < first || number > last) {
    throw CLI::ValidationError("--tax-year", "must be a tax year from " + std::to_string(first) + " to " +
                                                 std::to_string(last) + " (the years of the car benefit limits), not \"" +
                                                 text + "\"");
  }
  return static_cast<long>(number);
}

TLD_ISYI_CAR read_car(const CarOptions& options) {
  nlohmann::json car = nlohmann::json::object();
  if (!options.car_file.empty()) {
    std::string text;
    std::string error;
    if (!read_input_file(options.car_file, text, error)) throw CLI::ValidationError("--car", error);
    if (!parse_json_strictly(text, car, error)) throw CLI::ValidationError("--car", options.car_file + " is " + error);
    if (!car.is_object()) throw CLI::ValidationError("--car", options.car_file + " is not a JSON object");
  }
  car.update(options.flags);
  if (car.empty()) throw CLI::ValidationError("car", "give the car with --car FILE or with flags such as --list-price");
  TLD_ISYI_CAR record{};
  std::string error;
  if (!read_car_json(car.dump(), record, error)) throw CLI::ValidationError("car", error);
  if (record.fuelType == 0) {
    throw CLI::ValidationError("car", "car field \"fuelType\" must be given: " +
                                          allowed_values(*find_car_field("fuelType")) + " (see --help)");
  }
  return record;
}

// What no car can be within the period from..to: availability or fuel that ends before it starts,
// a date outside the period (the days between would count as unavailable), a registration after
// the period (the car did not exist in it), more extra days unavailable than it was available.
void check_car_in_period(const TLD_ISYI_CAR& car, long from, long to) {
  const struct {
    const char* name;
    long date;
  } dates[] = {{"availableFrom", car.availableFrom}, {"availableTo", car.availableTo},
               {"fuelFrom", car.fuelFrom}, {"fuelTo", car.fuelTo}};
  for (const auto& date : dates) {
    if (date.date != 0 && (date.date < from || date.date > to)) {
      throw CLI::ValidationError(date.name, shown(date.date) + " is outside the period " + shown(from) + " to " +
                                                shown(to));
    }
  }
  if (car.availableFrom != 0 && car.availableTo != 0 && car.availableFrom > car.availableTo) {
    throw CLI::ValidationError("availableFrom", shown(car.availableFrom) + " is after availableTo " +
                                                    shown(car.availableTo));
  }
  if (car.fuelFrom != 0 && car.fuelTo != 0 && car.fuelFrom > car.fuelTo && std::string(car.fuelContinues) != "Y") {
    throw CLI::ValidationError("fuelFrom", shown(car.fuelFrom) + " is after fuelTo " + shown(car.fuelTo));
  }
  if (car.registeredDate > to) {
    throw CLI::ValidationError("registeredDate", shown(car.registeredDate) + " is after the end of the period " +
                                                     shown(to) + ": the car cannot be charged before it existed");
  }
  const long first_available = car.availableFrom != 0 ? car.availableFrom : from;
  const long last_available = car.availableTo != 0 ? car.availableTo : to;
  const long days_available = last_available - first_available + 1;
  if (car.extraDaysUnavailable > days_available) {
    throw CLI::ValidationError("extraDaysUnavailable", std::to_string(car.extraDaysUnavailable) +
                                                           " is more than the " + std::to_string(days_available) +
                                                           " days the car was available in the period");
  }
}

void add_car_flags(CLI::App* command, const std::shared_ptr<CarOptions>& options) {
  static const struct {
    const char* flag;
    const char* field;  // of TLD_ISYI_CAR
    const char* help;
  } numbers[] = {
      {"--list-price", "listPrice", "List price of the car, pounds"},
      {"--accessories", "accessories", "Accessories, pounds"},
      {"--contribution", "capitalContribution", "Capital contributions by the employee, pounds"},
      {"--payments", "privateUsePayments", "Payments by the employee for private use, pounds"},
      {"--co2", "co2", "CO2 emissions, g/km"},
      {"--electric-range", "electricRange", "Range on electricity alone, miles"},
      {"--fuel-type", "fuelType", "Fuel type code, 1 to 10 (listed below)"},
      {"--engine-code", "engineCode", "Engine size code, 0 to 3 (listed below)"},
  };
  for (const auto& number : numbers) {
    const CarField& field = *find_car_field(number.field);
    const std::string flag = number.flag;
    command->add_option_function<std::string>(
        number.flag,
        [options, &field, flag](const std::string& text) { options->flags[field.name] = flag_value(flag, field, text); },
        number.help);
  }
  static const struct {
    const char* flag;
    const char* field;
    const char* help;
  } dates[] = {
      {"--registered", "registeredDate", "First registered, YYYY-MM-DD or DD/MM/YYYY"},
      {"--available-from", "availableFrom", "First day the car was available in the period"},
      {"--available-to", "availableTo", "Last day the car was available in the period"},
  };
  for (const auto& date : dates) {
    const std::string field = date.field;
    const std::string flag = date.flag;
    command->add_option_function<std::string>(
        date.flag,
        [options, field, flag](const std::string& text) {
          if (text.empty()) throw CLI::ValidationError(flag, "not a date: \"\" (give YYYY-MM-DD or DD/MM/YYYY)");
          options->flags[field] = iso_date(date_option(flag, text, 0));
        },
        date.help);
  }
  command->add_flag_function(
      "--fuel", [options](std::int64_t) { options->flags["fuelProvided"] = "Y"; },
      "Private fuel is provided for the whole period");
}

std::string car_benefit_help(const std::string& limits_file) {
  std::string help = car_fields_help();
  long first = 0;
  long last = 0;
  std::string error;
  if (car_limits_years(limits_file, first, last, error)) {
    char years[96];
    std::snprintf(years, sizeof years, "%ld (%ld-%02ld) to %ld (%ld-%02ld)", first, first - 1, first % 100, last,
                  last - 1, last % 100);
    help += std::string("Tax years of the ") + (limits_file.empty() ? "built-in " : "") +
            "car benefit limits: " + years + ".\n";
  }
  return help;
}

void run(const CarOptions& options) {
  const long tax_year = tax_year_option(options.tax_year_text, options.limits_file);
  const TLD_ISYI_CAR car = read_car(options);
  TLD_0501_CAR_LIMITS limits{};
  int co2_bands = 0;
  int range_bands = 0;
  std::string error;
  if (!load_car_limits(options.limits_file, tax_year, limits, co2_bands, range_bands, error)) {
    throw CLI::ValidationError("--tax-year", error);
  }
  const long year_start = CDateToolKit::getTaxYrStart(tax_year);
  const long year_end = CDateToolKit::getTaxYrEnd(tax_year);
  const long from = date_option("--from", options.from, year_start);
  const long to = date_option("--to", options.to, year_end);
  if (from > to) throw CLI::ValidationError("--from", shown(from) + " is after --to " + shown(to));
  if (from < year_start || to > year_end) {
    throw CLI::ValidationError("--from/--to", "the period must lie within tax year " + std::to_string(tax_year) +
                                                  " (" + shown(year_start) + " to " + shown(year_end) + ")");
  }
  check_car_in_period(car, from, to);
  const CarBenefitPage page = work_out_car_benefit(car, limits, co2_bands, range_bands, tax_year, from, to);
  if (!page_can_show(page, error)) throw CLI::ValidationError("car", error);
  use_report_folder(options.output);
  if (!print_car_benefit_report(page) || !show_last_report()) throw CLI::RuntimeError(1);
  if (!options.pdf_file.empty()) {
    if (!write_car_benefit_pdf(page, options.pdf_file, error)) throw CLI::ValidationError("--pdf", error);
    std::cout << "(PDF written to " << options.pdf_file << ")\n";
  }

  CarLimitsNotes notes;
  if (read_car_limits_notes(options.limits_file, tax_year, notes, error) && notes.status != "confirmed") {
    std::string status = notes.status;
    std::replace(status.begin(), status.end(), '_', ' ');
    std::cout << "Note: the " << notes.label << " limits are " << status << ".\n";
    for (const std::string& field : notes.unpublished) std::cout << "  not yet published: " << field << "\n";
  }
}

}  // namespace

void add_car_benefit_command(CLI::App& app) {
  auto options = std::make_shared<CarOptions>();
  CLI::App* command =
      app.add_subcommand("car-benefit", "Work out a company car's benefit for a tax year and print the employment page");
  command->add_option("--car", options->car_file, "JSON file of the car's TLD_ISYI_CAR fields by name (listed below)");
  command->add_option("--tax-year", options->tax_year_text, "Tax year N (6 April N-1 to 5 April N)")->required();
  command->add_option("--from", options->from, "First day of the period (default 6 April N-1)");
  command->add_option("--to", options->to, "Last day of the period (default 5 April N)");
  command->add_option("--pdf", options->pdf_file, "Also write the employment page to this PDF file");
  command->add_option("--output", options->output, "Folder for the report file")->capture_default_str();
  command->add_option("--limits", options->limits_file,
                      "A statutory limits data file of the built-in file's form (default: the built-in limits)");
  add_car_flags(command, options);
  command->footer([options]() { return car_benefit_help(options->limits_file); });
  command->callback([options]() { run(*options); });
}

}  // namespace host
