#include "value_format.h"

#include <cfloat>
#include <cmath>
#include <cstdio>
#include <map>
#include <sstream>

#include "platform/dates.h"
#include "platform/rounding.h"

namespace platform::report_printer {

namespace {

// "cs:uk de:2" -> {cs: uk, de: 2}. A pair without a colon is ignored; a later pair of the same
// key wins.
std::map<std::string, std::string> parse_options(const char* options) {
  std::map<std::string, std::string> result;
  if (options == nullptr) return result;
  std::istringstream words(options);
  std::string word;
  while (words >> word) {
    const std::size_t colon = word.find(':');
    if (colon == std::string::npos) continue;
    result[word.substr(0, colon)] = word.substr(colon + 1);
  }
  return result;
}

std::string option(const std::map<std::string, std::string>& options, const char* key,
                   const char* fallback) {
  const auto found = options.find(key);
  return found == options.end() ? fallback : found->second;
}

// "1234567.5" -> "1,234,567.5": commas between each group of three whole-pound digits.
std::string with_commas(const std::string& digits) {
  const std::size_t point = digits.find('.');
  const std::size_t whole = point == std::string::npos ? digits.size() : point;
  std::string result;
  for (std::size_t i = 0; i < whole; ++i) {
    if (i > 0 && (whole - i) % 3 == 0) result += ',';
    result += digits[i];
  }
  return result + digits.substr(whole);
}

int decimal_places(const std::map<std::string, std::string>& options) {
  const std::string text = option(options, "de", "2");
  if (text.size() != 1 || text[0] < '0' || text[0] > '6') return 2;
  return text[0] - '0';
}

const char* const kMonthNames[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                   "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

std::string number_part(int value, const std::string& style) {
  char text[8];
  std::snprintf(text, sizeof text, style == "nz" ? "%d" : "%02d", value);
  return text;
}

}  // namespace

std::string format_money(const mm_buffer* money, const char* options_text) {
  if (money == nullptr) return "";
  const double value = money->value;
  if (value == DBL_MAX) return "";  // the empty number: a blank field
  if (!std::isfinite(value)) return "#";
  const auto options = parse_options(options_text);
  const int decimals = decimal_places(options);
  // Halves go away from zero, as the suite's rounding does everywhere (printf would take 0.125
  // to 0.12).
  const double whole = option(options, "ro", "no") == "ye" ? ttround(value, 0, 2) : value;
  const double shown = ttround(whole, decimals, 2);

  char digits[400];
  std::snprintf(digits, sizeof digits, "%.*f", decimals, std::fabs(shown));
  // Zero is judged on the figure as shown: -0.004 to 2 places is zero, not "(0.00)".
  bool is_zero = true;
  for (const char* c = digits; *c != '\0'; ++c) {
    if (*c >= '1' && *c <= '9') is_zero = false;
  }
  if (is_zero) {
    const std::string zero = option(options, "ze", "ze");
    if (zero == "ni") return "nil";
    if (zero == "bl") return "";
    if (zero == "da") return "-";
  }
  std::string figure = option(options, "co", "no") == "ye" ? with_commas(digits) : digits;
  if (option(options, "cs", "no") == "uk") figure = "\xC2\xA3" + figure;  // the pound sign
  if (is_zero || shown > 0) return figure;
  return option(options, "ne", "mi") == "br" ? "(" + figure + ")" : "-" + figure;
}

std::string format_date(long day_number, const char* options_text) {
  if (day_number == 0) return "";
  DateParts parts{};
  fp_inttodate(day_number, &parts);
  if (parts.year == 0) return "";
  const auto options = parse_options(options_text);
  const std::string day_style = option(options, "da", "be");
  const std::string month_style = option(options, "mo", "be");
  const std::string year_style = option(options, "ye", "2");

  const std::string day = number_part(parts.day, day_style);
  const std::string year = year_style == "4" ? std::to_string(parts.year)
                                              : number_part(parts.year % 100, "be");
  if (month_style == "na") return day + " " + kMonthNames[parts.month - 1] + " " + year;
  return day + "/" + number_part(parts.month, month_style) + "/" + year;
}

}  // namespace platform::report_printer
