// Day numbers: day 1 is 1 January 1900 on the proleptic Gregorian calendar.
#include "platform/dates.h"

#include <cstdio>

namespace {

constexpr int kFirstYear = 1900;
constexpr int kLastYear = 9999;

// Days from 1 March of year 0 reckoning (Howard Hinnant's civil-days algorithm), shifted so that
// 1 January 1900 is day 1.
constexpr long long days_from_civil(long long y, int m, int d) {
  y -= m <= 2 ? 1 : 0;
  const long long era = (y >= 0 ? y : y - 399) / 400;
  const long long year_of_era = y - era * 400;
  const long long day_of_year = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const long long day_of_era = year_of_era * 365 + year_of_era / 4 - year_of_era / 100 + day_of_year;
  return era * 146097 + day_of_era - 719468;
}

constexpr long long kEpochOffset = days_from_civil(kFirstYear, 1, 1) - 1;
constexpr long long kLastDayNumber = days_from_civil(kLastYear, 12, 31) - kEpochOffset;

DateParts civil_from_days(long long day_number) {
  const long long z = day_number + kEpochOffset + 719468;
  const long long era = (z >= 0 ? z : z - 146096) / 146097;
  const long long day_of_era = z - era * 146097;
  const long long year_of_era =
      (day_of_era - day_of_era / 1460 + day_of_era / 36524 - day_of_era / 146096) / 365;
  const long long day_of_year = day_of_era - (365 * year_of_era + year_of_era / 4 - year_of_era / 100);
  const long long mp = (5 * day_of_year + 2) / 153;
  const int day = static_cast<int>(day_of_year - (153 * mp + 2) / 5 + 1);
  const int month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  DateParts parts{};
  parts.year = static_cast<std::int32_t>(year_of_era + era * 400 + (month <= 2 ? 1 : 0));
  parts.day = static_cast<std::int8_t>(day);
  parts.month = static_cast<std::int8_t>(month);
  return parts;
}

int days_in_month(int month, int year) {
  static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && platform_is_leap_year(year) ? 29 : kDays[month - 1];
}

long build(int day, int month, int year) {
  if (month < 1 || month > 12 || day < 1 || year < kFirstYear || year > kLastYear) return 0;
  const int last = days_in_month(month, year);
  if (day > last) day = last;
  return static_cast<long>(days_from_civil(year, month, day) - kEpochOffset);
}

DateParts split(long day_number) {
  if (day_number < 1 || day_number > kLastDayNumber) return DateParts{};
  return civil_from_days(day_number);
}

}  // namespace

bool platform_is_leap_year(int year) {
  return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

extern "C" {

long fp_datetoint(const DateParts* parts) {
  return parts == nullptr ? 0 : build(parts->day, parts->month, parts->year);
}

void fp_inttodate(long day_number, DateParts* parts) {
  if (parts != nullptr) *parts = split(day_number);
}

long fp_builddate(int day, int month, int year) { return build(day, month, year); }
long date_to_int(const DateParts* parts) { return fp_datetoint(parts); }
void int_to_date(long day_number, DateParts* parts) { fp_inttodate(day_number, parts); }
long la_builddate(int day, int month, int year) { return build(day, month, year); }

}  // extern "C"

fpw_DATE_VALUE::fpw_DATE_VALUE(long day_number) : day_number_(day_number) {}

fpw_DATE_VALUE::fpw_DATE_VALUE(int day, int month, int year) : day_number_(build(day, month, year)) {}

DateParts fpw_DATE_VALUE::parts() const { return split(day_number_); }
int fpw_DATE_VALUE::day() const { return parts().day; }
int fpw_DATE_VALUE::month() const { return parts().month; }
int fpw_DATE_VALUE::year() const { return parts().year; }

bool fpw_DATE_VALUE::is_leapyear() const {
  const DateParts p = parts();
  return p.year != 0 && platform_is_leap_year(p.year);
}

void fpw_DATE_VALUE::add_year(int years, bool /*leap*/) {
  const DateParts p = parts();
  if (p.year == 0) {
    day_number_ = 0;
    return;
  }
  const long long year = static_cast<long long>(p.year) + years;
  day_number_ = year < kFirstYear || year > kLastYear ? 0 : build(p.day, p.month, static_cast<int>(year));
}

std::string fpw_DATE_VALUE::string_value() const {
  const DateParts p = parts();
  if (p.year == 0) return std::string();
  char text[16];
  std::snprintf(text, sizeof text, "%02d/%02d/%04d", p.day, p.month, static_cast<int>(p.year));
  return text;
}
