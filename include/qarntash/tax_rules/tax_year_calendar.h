// File: qarntash/tax_rules/tax_year_calendar.h
//
// The UK tax-year calendar that every program of the suite shares.
//
// Dates are day numbers (`long`; see platform/dates.h): consecutive days differ by 1, later dates
// are larger, and 0 means "no date". Tax year N runs from 6 April N-1 to 5 April N, both days
// included, and is named by the year in which it ends: tax year 2022 is 6 April 2021 to 5 April
// 2022. For Lloyd's underwriting, tax year N is the calendar year N-1.
//
// In the predicates that take a year first and a date second, a date of 0 gives true: an absent
// end date is after every year end, an absent start date before every year start. IsInTaxYear and
// IsInLloydsTaxYear give 0 no special meaning.
//
// Nothing here reports errors and nothing keeps state, except the shared buffer that
// juldate_to_text writes when given no buffer of its own.
//
// Usage:
//   long d = fp_builddate(6, 4, 2021);
//   CDateToolKit::GetTaxYear(d);                  // 2022
//   CDateToolKit::IsInTaxYear(d, 2022);           // true
//   char text[16];
//   juldate_to_text(static_cast<int>(d), text, 1);  // "06/04/21"
#pragma once

#include "platform/dates.h"
#include "qarntash/export.h"

class QARNTASH_API CDateToolKit {
 public:
  // For the calling programs; nothing in the library reads them.
  static const long m_DAYS_IN_YEAR;                     // 365
  static const long m_NO_OF_DAYS_IN_EIGHTEEN_MONTHS;    // 550

  // 6 April N-1 <= date <= 5 April N.
  static bool IsInTaxYear(long date, long taxYear);
  // Date 0, or 6 April N-1 <= date <= 5 April N.
  static bool IsInCurrentYear(int taxYear, long date);
  // Date 0, or date after 5 April N.
  static bool IsAfterEndOfCurrentYear(int taxYear, long date);
  static bool IsAfterEndOfYear(int taxYear, long date);
  // Date 0, or date before 6 April N-1.
  static bool IsBeforeStartOfCurrentYear(int taxYear, long date);
  // Date 0, or date on or after 6 April N-1 (the first day itself counts as after the start).
  static bool IsAfterStartOfCurrentYear(int taxYear, long date);
  // Date 0, or date after 31 December of `year`.
  static bool IsAfterEndOfCalendarYear(int year, long date);
  // Date 0, or date before 1 January of `year`.
  static bool IsBeforeStartOfCalendarYear(int year, long date);
  // 1 January N-1 <= date <= 31 December N-1.
  static bool IsInLloydsTaxYear(long date, long taxYear);
  // False when the relationship began after 5 April N or ended before 6 April N-1; a missing
  // date (0) leaves that side open, so a relationship with neither date is active every year.
  static bool IsRelatedActiveInTaxYear(long fromDate, long toDate, int taxYear);

  // Day number of 5 April N; 0 when the platform cannot represent it (N after 9999).
  static long getTaxYrEnd(long taxYear);
  // Day number of 6 April N-1; 0 when the platform cannot represent 5 April N or 5 April N-1 (N
  // after 9999, or 1900 and before).
  static long getTaxYrStart(long taxYear);
  // The tax year that contains the date: 5 April 2021 is in 2021, 6 April 2021 in 2022.
  static long GetTaxYear(long date);

  // Whether the date's year (not the number itself) is a leap year.
  static bool IsLeapYear(long date);
  // The same date a year earlier, with the last day of February kept the last day:
  // 28 February 2021 gives 29 February 2020, 29 February 2020 gives 28 February 2019.
  static fpw_DATE_VALUE YearLess(fpw_DATE_VALUE date);
  // Moves the date on by one year (29 February becomes 28 February).
  static void RollForward(long& date);

  // Whether a person born on dateOfBirth has not yet had their 18th birthday before the start of
  // tax year N (an 18th birthday on 6 April N-1 counts as under 18). False for no date of birth.
  static bool IsUnder18AtStartOfTaxYear(long dateOfBirth, int taxYear);
  // Whether the 18th birthday falls after 5 April N. False for no date of birth.
  static bool IsUnder18AtEndOfTaxYear(long dateOfBirth, int taxYear);
};

class QARNTASH_API Legislation {
 public:
  // The tax year that contains the date, read through the date object's parts.
  static long GetTaxYear(const fpw_DATE_VALUE& date);

 private:
  Legislation();
};

extern "C" {
// Formats a day number as report text into `buffer`, or, when it is null, into one shared static
// buffer that the next such call overwrites. Returns the buffer. `buffer` must hold at least
// kJuldateTextSize (10) characters: the longest text is nine, "2021/2022", and nothing longer is
// ever written (the text of the last possible year, 9999, is cut to nine characters).
//   style 1: dd/mm/yy        06/04/21
//   style 3: yyyy/yyyy       2021/2022  (the year and the next)
//   style 4: FYyy            FY21
//   any other style, or date 0: the empty string.
QARNTASH_API const char* juldate_to_text(int date, char* buffer, int style);
}

// Size of the buffer that juldate_to_text writes: the longest text and its terminator.
constexpr int kJuldateTextSize = 10;
