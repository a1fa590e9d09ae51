// File: platform/dates.h
//
// Day numbers and the date class, as every program of the suite sees dates.
//
// A day number is a `long` holding a 32-bit value: day 1 is 1 January 1900, consecutive days have
// consecutive numbers, and 0 means "no date". The calendar is the proleptic Gregorian one (1900 is
// not a leap year: day 60 is 1 March 1900). Dates run from 1 January 1900 to 31 December 9999.
//
// Building a date from day, month and year:
//   - a day past the end of its month is taken as the month's last day, so 29 February in a year
//     that is not a leap year is 28 February (a period that ends on 29 February 2020 moved back a
//     year ends on 28 February 2019; the 18th birthday of someone born on 29 February 2004 is
//     taken as 28 February 2022);
//   - a month outside 1..12, a day below 1 or a year outside 1900..9999 gives 0, no date.
// Splitting a day number of 0 or below, or beyond 31 December 9999, gives all-zero parts.
//
// Usage:
//   long d = fp_builddate(6, 4, 2021);          // 6 April 2021
//   fpw_DATE_VALUE date(d + 1);
//   date.day();                                  // 7
//   date.string_value();                         // "07/04/2021"
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/export.h"

#pragma pack(push, 1)
// The date-parts record that the free conversion functions read and fill.
struct DateParts {     // off size
  std::int32_t year;   //  0   4   full year: 2021, not 21
  std::int8_t day;     //  4   1   day comes before month
  std::int8_t month;   //  5   1
};
#pragma pack(pop)
static_assert(sizeof(DateParts) == 6, "DateParts is a 6-byte record");
static_assert(offsetof(DateParts, year) == 0, "DateParts.year at 0");
static_assert(offsetof(DateParts, day) == 4, "DateParts.day at 4");
static_assert(offsetof(DateParts, month) == 5, "DateParts.month at 5");

extern "C" {
// Day number of the date in `parts` (0 for a null pointer or a date that is not valid).
PLATFORM_API long fp_datetoint(const DateParts* parts);
// Fills `parts` from a day number (all zero for a day number outside the range). Null is ignored.
PLATFORM_API void fp_inttodate(long day_number, DateParts* parts);
// Day number of day/month/year, by the rules in the header comment.
PLATFORM_API long fp_builddate(int day, int month, int year);
// The same two conversions as fp_datetoint and fp_inttodate, under their other names.
PLATFORM_API long date_to_int(const DateParts* parts);
PLATFORM_API void int_to_date(long day_number, DateParts* parts);
// The same as fp_builddate.
PLATFORM_API long la_builddate(int day, int month, int year);
}

// True when `year` is a leap year by the Gregorian rule.
PLATFORM_API bool platform_is_leap_year(int year);

// One date, held as its day number. Copyable; 0 is a valid object meaning "no date".
class PLATFORM_API fpw_DATE_VALUE {
 public:
  fpw_DATE_VALUE() = default;
  fpw_DATE_VALUE(long day_number);  // NOLINT: converts from a day number as the suite's code expects
  fpw_DATE_VALUE(int day, int month, int year);

  long value() const { return day_number_; }
  long date_value() const { return day_number_; }
  operator long() const { return day_number_; }

  int day() const;
  int month() const;
  int year() const;
  bool is_leapyear() const;

  // Moves the date by whole years. 29 February moved into a year that is not a leap year becomes
  // 28 February. `leap` is the caller's statement that the date's own year is a leap year; the
  // date works that out itself, so the argument is kept for the callers' sake and not relied on.
  // A move that leaves the range gives 0. No date (0) stays 0.
  void add_year(int years, bool leap);

  // The date as a report shows it: "dd/mm/yyyy"; "" for no date.
  std::string string_value() const;

 private:
  DateParts parts() const;
  long day_number_ = 0;
};
