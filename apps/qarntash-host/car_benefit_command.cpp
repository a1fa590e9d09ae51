// `qarntash-host car-benefit`: the company car and fuel benefit of one car for a tax year,
// printed as the employment page and written to the report folder.
//
//   qarntash-host car-benefit --car examples/company_car.json --tax-year 2023
//   qarntash-host car-benefit --list-price 30000 --co2 120 --fuel-type 1 --registered 2020-01-01 --tax-year 2023
//
// The car comes from a JSON file of TLD_ISYI_CAR's fields by name, from flags, or both (a flag
// replaces the file's field). The year's statutory limits come from the host's data file.
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <memory>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>

#include "car_benefit_pdf.h"
#include "car_limits.h"
#include "commands.h"
#include "employment_page.h"
#include "qarntash/qarntash.h"
#include "report_output.h"

namespace host {

namespace {

struct CarOptions {
  std::string car_file;
  long tax_year = 0;
  std::string from;
  std::string to;
  std::string output = kDefaultReportFolder;
  std::string pdf_file;  // also write the page as a PDF here
  std::string limits_file = std::string(QARNTASH_HOST_DATA_DIR) + "/car_benefit_limits.json";
  nlohmann::json flags = nlohmann::json::object();  // car fields given as flags
};

std::string iso_date(long day_number) {
  DateParts parts{};
  fp_inttodate(day_number, &parts);
  char text[48];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d", static_cast<int>(parts.year), parts.month, parts.day);
  return text;
}

long date_option(const std::string& name, const std::string& text, long fallback) {
  if (text.empty()) return fallback;
  const long date = parse_date(text);
  if (date == 0) throw CLI::ValidationError(name, "not a date: " + text);
  return date;
}

TLD_ISYI_CAR read_car(const CarOptions& options) {
  nlohmann::json car = nlohmann::json::object();
  if (!options.car_file.empty()) {
    std::ifstream file(options.car_file);
    if (!file) throw CLI::ValidationError("--car", "cannot read " + options.car_file);
    car = nlohmann::json::parse(file, nullptr, false);
    if (car.is_discarded() || !car.is_object()) {
      throw CLI::ValidationError("--car", options.car_file + " is not a JSON object");
    }
  }
  car.update(options.flags);
  if (car.empty()) throw CLI::ValidationError("car", "give the car with --car FILE or with flags such as --list-price");
  TLD_ISYI_CAR record{};
  std::string error;
  if (!read_car_json(car.dump(), record, error)) throw CLI::ValidationError("car", error);
  return record;
}

// A flag that sets one field of the car.
struct CarFlag {
  const char* flag;
  const char* field;  // of TLD_ISYI_CAR
  const char* help;
};

void add_car_flags(CLI::App* command, const std::shared_ptr<CarOptions>& options) {
  static const CarFlag amounts[] = {
      {"--list-price", "listPrice", "List price of the car, pounds"},
      {"--accessories", "accessories", "Accessories, pounds"},
      {"--contribution", "capitalContribution", "Capital contributions by the employee, pounds"},
      {"--payments", "privateUsePayments", "Payments by the employee for private use, pounds"},
      {"--co2", "co2", "CO2 emissions, g/km"},
      {"--electric-range", "electricRange", "Range on electricity alone, miles"},
  };
  for (const CarFlag& amount : amounts) {
    const std::string field = amount.field;
    command->add_option_function<double>(
        amount.flag, [options, field](double value) { options->flags[field] = value; }, amount.help);
  }
  command->add_option_function<int>(
      "--fuel-type", [options](int value) { options->flags["fuelType"] = value; },
      "Fuel type code: 1 petrol, 2 diesel, 3 no reciprocating engine, 5 zero-emission, ...");
  command->add_option_function<int>(
      "--engine-code", [options](int value) { options->flags["engineCode"] = value; }, "Engine size code");
  static const CarFlag dates[] = {
      {"--registered", "registeredDate", "First registered, YYYY-MM-DD or DD/MM/YYYY"},
      {"--available-from", "availableFrom", "First day the car was available in the period"},
      {"--available-to", "availableTo", "Last day the car was available in the period"},
  };
  for (const CarFlag& date : dates) {
    const std::string field = date.field;
    const std::string flag = date.flag;
    command->add_option_function<std::string>(
        date.flag,
        [options, field, flag](const std::string& text) { options->flags[field] = iso_date(date_option(flag, text, 0)); },
        date.help);
  }
  command->add_flag_function(
      "--fuel", [options](std::int64_t) { options->flags["fuelProvided"] = "Y"; },
      "Private fuel is provided for the whole period");
}

void run(const CarOptions& options) {
  const TLD_ISYI_CAR car = read_car(options);
  TLD_0501_CAR_LIMITS limits{};
  int co2_bands = 0;
  int range_bands = 0;
  std::string error;
  if (!load_car_limits(options.limits_file, options.tax_year, limits, co2_bands, range_bands, error)) {
    throw CLI::ValidationError("--tax-year", error);
  }
  const long year_start = CDateToolKit::getTaxYrStart(options.tax_year);
  const long year_end = CDateToolKit::getTaxYrEnd(options.tax_year);
  const long from = date_option("--from", options.from, year_start);
  const long to = date_option("--to", options.to, year_end);
  if (from < year_start || to > year_end || from > to) {
    throw CLI::ValidationError("--from/--to", "the period must lie within tax year " +
                                                  std::to_string(options.tax_year) + " (" +
                                                  fpw_DATE_VALUE(year_start).string_value() + " to " +
                                                  fpw_DATE_VALUE(year_end).string_value() + ")");
  }
  // The car's availability and fuel dates are days within the period; one outside it would count
  // the days between as unavailable.
  const struct {
    const char* name;
    long date;
  } dates[] = {{"availableFrom", car.availableFrom}, {"availableTo", car.availableTo},
               {"fuelFrom", car.fuelFrom}, {"fuelTo", car.fuelTo}};
  for (const auto& date : dates) {
    if (date.date != 0 && (date.date < from || date.date > to)) {
      throw CLI::ValidationError(date.name, fpw_DATE_VALUE(date.date).string_value() +
                                                " is outside the period " + fpw_DATE_VALUE(from).string_value() +
                                                " to " + fpw_DATE_VALUE(to).string_value());
    }
  }
  const CarBenefitPage page = work_out_car_benefit(car, limits, co2_bands, range_bands, options.tax_year, from, to);
  if (!page_can_show(page, error)) throw CLI::ValidationError("car", error);
  use_report_folder(options.output);
  if (!print_car_benefit_report(page) || !show_last_report()) throw CLI::RuntimeError(1);
  if (!options.pdf_file.empty()) {
    if (!write_car_benefit_pdf(page, options.pdf_file, error)) throw CLI::ValidationError("--pdf", error);
    std::cout << "(PDF written to " << options.pdf_file << ")\n";
  }

  CarLimitsNotes notes;
  if (read_car_limits_notes(options.limits_file, options.tax_year, notes, error) && notes.status != "confirmed") {
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
  command->add_option("--car", options->car_file, "JSON file of the car's TLD_ISYI_CAR fields by name");
  command->add_option("--tax-year", options->tax_year, "Tax year N (6 April N-1 to 5 April N)")->required();
  command->add_option("--from", options->from, "First day of the period (default 6 April N-1)");
  command->add_option("--to", options->to, "Last day of the period (default 5 April N)");
  command->add_option("--pdf", options->pdf_file, "Also write the employment page to this PDF file");
  command->add_option("--output", options->output, "Folder for the report file")->capture_default_str();
  command->add_option("--limits", options->limits_file, "The statutory limits data file")->capture_default_str();
  add_car_flags(command, options);
  command->callback([options]() { run(*options); });
}

}  // namespace host
