// Reading a UITF 40 adjustment from JSON: every key checked, every failure named.
#include "uitf40_json.h"

#include <cmath>
#include <functional>
#include <map>

#include <nlohmann/json.hpp>

namespace host {
namespace {

using nlohmann::json;
using namespace Velmar::BusinessRules::Taxation::BusinessTax;

// A reader of one key's value: returns what the value should have been, or null when it is read.
using KeyReader = std::function<const char*(const json&)>;

const char* read_amount(const json& value, double& amount) {
  if (!value.is_number() || !std::isfinite(value.get<double>())) return "a number";
  amount = value.get<double>();
  return nullptr;
}

const char* read_whole(const json& value, long lowest, long highest, long& number, const char* expected) {
  if (!value.is_number()) return expected;
  const double read = value.get<double>();
  if (read != std::floor(read) || read < lowest || read > highest) return expected;
  number = static_cast<long>(read);
  return nullptr;
}

const char* read_tax_year(const json& value, long& year) {
  return read_whole(value, 1901, 9999, year, "a tax year from 1901 to 9999 (the year in which it ends)");
}

const char* read_flag(const json& value, bool& flag) {
  if (!value.is_boolean()) return "true or false";
  flag = value.get<bool>();
  return nullptr;
}

const char* read_text(const json& value, std::string& text) {
  if (!value.is_string()) return "a text";
  text = value.get<std::string>();
  return nullptr;
}

// Reads an object key by key; `where` names it in an error ("periods[2]").
bool read_object(const json& object, const std::string& where, const std::map<std::string, KeyReader>& readers,
                 std::string& error) {
  if (!object.is_object()) {
    error = where + " must be a JSON object";
    return false;
  }
  for (const auto& item : object.items()) {
    const auto reader = readers.find(item.key());
    if (reader == readers.end()) {
      error = "unknown key \"" + item.key() + "\" in " + where;
      return false;
    }
    if (const char* expected = reader->second(item.value())) {
      error = where + " \"" + item.key() + "\" must be " + expected;
      return false;
    }
  }
  return true;
}

bool read_ctap(const json& object, const std::string& where, UITF40CTAPData& ctap, std::string& error) {
  return read_object(object, where,
                     {
                         {"label", [&](const json& v) { return read_text(v, ctap.label); }},
                         {"taxYear", [&](const json& v) { return read_tax_year(v, ctap.taxYear); }},
                         {"days", [&](const json& v) { return read_whole(v, 0, 10000, ctap.days, "a number of days"); }},
                         {"chargeable", [&](const json& v) { return read_flag(v, ctap.chargeable); }},
                         {"overridden", [&](const json& v) { return read_flag(v, ctap.overridden); }},
                         {"overrideAmount", [&](const json& v) { return read_amount(v, ctap.overrideAmount); }},
                     },
                     error);
}

bool read_period(const json& object, const std::string& where, bool company, UITF40PeriodData& period,
                 std::string& error) {
  std::string ctap_error;
  const bool ok = read_object(
      object, where,
      {
          {"label", [&](const json& v) { return read_text(v, period.label); }},
          {"taxYear", [&](const json& v) { return read_tax_year(v, period.taxYear); }},
          {"overridden", [&](const json& v) { return read_flag(v, period.overridden); }},
          {"overrideAmount", [&](const json& v) { return read_amount(v, period.overrideAmount); }},
          {"ctaps",
           [&](const json& v) -> const char* {
             if (!company) return "left out: only a company's periods have CTAPs";
             if (!v.is_array()) return "a list of CTAPs";
             for (std::size_t i = 0; i < v.size(); ++i) {
               UITF40CTAPData ctap;
               if (!read_ctap(v[i], where + " ctaps[" + std::to_string(i) + "]", ctap, ctap_error)) {
                 return ctap_error.c_str();
               }
               period.ctaps.push_back(ctap);
             }
             return nullptr;
           }},
      },
      error);
  // A fault inside a CTAP is already a whole sentence.
  if (!ok && !ctap_error.empty()) error = ctap_error;
  return ok;
}

}  // namespace

bool read_uitf40_json(const std::string& json_text, bool company, UITF40AdjustmentData& figures, long& tax_year,
                      std::string& error) {
  const json object = json::parse(json_text, nullptr, false);
  if (object.is_discarded()) {
    error = "the adjustment is not JSON";
    return false;
  }
  UITF40AdjustmentData read;
  long year = tax_year;
  bool has_total = false;
  bool has_periods = false;
  std::string period_error;
  const bool ok = read_object(
      object, "the adjustment",
      {
          {"taxYear", [&](const json& v) { return read_tax_year(v, year); }},
          {"totalAdjustment",
           [&](const json& v) {
             has_total = true;
             return read_amount(v, read.totalAdjustment);
           }},
          {"firstYearOfAdjustment",
           [&](const json& v) {
             return read_whole(v, 2006, 2007, read.firstYearOfAdjustment, "2006 (2005-06) or 2007 (2006-07)");
           }},
          {"profitForThePeriod", [&](const json& v) { return read_amount(v, read.profitForThePeriod); }},
          {"periodBeforeStartDate", [&](const json& v) { return read_flag(v, read.periodBeforeStartDate); }},
          {"periods",
           [&](const json& v) -> const char* {
             has_periods = true;
             if (!v.is_array() || v.empty()) return "a list of one period or more";
             for (std::size_t i = 0; i < v.size(); ++i) {
               UITF40PeriodData period;
               if (!read_period(v[i], "periods[" + std::to_string(i) + "]", company, period, period_error)) {
                 return period_error.c_str();
               }
               read.periods.push_back(period);
             }
             return nullptr;
           }},
      },
      error);
  if (!ok) {
    // A fault inside a period or CTAP is already a whole sentence.
    if (!period_error.empty()) error = period_error;
    return false;
  }
  if (!has_total || !has_periods) {
    error = std::string("the adjustment needs \"") + (has_total ? "periods" : "totalAdjustment") + "\"";
    return false;
  }
  figures = read;
  tax_year = year;
  return true;
}

}  // namespace host
