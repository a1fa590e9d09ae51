#include "date_text.h"

#include <cstdio>

#include "platform/dates.h"

namespace host {

long exact_date(int day, int month, int year) {
  const long date = fp_builddate(day, month, year);
  DateParts parts{};
  fp_inttodate(date, &parts);
  return date != 0 && parts.day == day ? date : 0;
}

long parse_date(const std::string& text) {
  int day = 0;
  int month = 0;
  int year = 0;
  char tail = 0;
  if (std::sscanf(text.c_str(), "%4d-%2d-%2d%c", &year, &month, &day, &tail) == 3 ||
      std::sscanf(text.c_str(), "%2d/%2d/%4d%c", &day, &month, &year, &tail) == 3) {
    return exact_date(day, month, year);
  }
  return 0;
}

std::string tax_year_label(long tax_year) {
  char text[48];
  std::snprintf(text, sizeof text, "%ld-%02ld", tax_year - 1, tax_year % 100);
  return text;
}

}  // namespace host
