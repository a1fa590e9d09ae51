// The UK tax-year calendar: tax year N runs from 6 April N-1 to 5 April N.
#include "qarntash/tax_rules/tax_year_calendar.h"

#include <cstdio>
#include <cstring>

namespace {

constexpr int kAgeOfMajority = 18;

// 6 April N-1 and 5 April N, built with the three-number constructor.
long start_of(long taxYear) { return fpw_DATE_VALUE(6, 4, static_cast<int>(taxYear - 1)).value(); }
long end_of(long taxYear) { return fpw_DATE_VALUE(5, 4, static_cast<int>(taxYear)).value(); }

// April splits on the 6th: 1 to 5 April belong to the year ending then.
long tax_year_of(int year, int month, int day) {
  if (month > 4) return year + 1;
  if (month < 4) return year;
  return day < 6 ? year : year + 1;
}

// Steps from the date of birth through its anniversaries (birth year + 2, + 3, ...) while the
// current date passes `still_before`, counting steps; under 18 when the count ends below 18.
// It equals the rule "the 18th anniversary does not pass `still_before`", and never takes more
// than 18 steps.
template <typename StillBefore>
bool under_18_by_stepping(long dateOfBirth, StillBefore still_before) {
  const fpw_DATE_VALUE birth(dateOfBirth);
  const int day = birth.day();
  const int month = birth.month();
  const int birth_year = birth.year();
  long current = dateOfBirth;
  int steps = 0;
  while (still_before(current) && steps < kAgeOfMajority) {
    ++steps;
    current = fpw_DATE_VALUE(day, month, birth_year + steps + 1).value();
  }
  return steps < kAgeOfMajority;
}

}  // namespace

const long CDateToolKit::m_DAYS_IN_YEAR = 365;
const long CDateToolKit::m_NO_OF_DAYS_IN_EIGHTEEN_MONTHS = 550;

bool CDateToolKit::IsInTaxYear(long date, long taxYear) {
  return start_of(taxYear) <= date && date <= end_of(taxYear);
}

bool CDateToolKit::IsInCurrentYear(int taxYear, long date) {
  return date == 0 || (start_of(taxYear) <= date && date <= end_of(taxYear));
}

bool CDateToolKit::IsAfterEndOfCurrentYear(int taxYear, long date) {
  return date == 0 || date > end_of(taxYear);
}

bool CDateToolKit::IsAfterEndOfYear(int taxYear, long date) { return IsAfterEndOfCurrentYear(taxYear, date); }

bool CDateToolKit::IsBeforeStartOfCurrentYear(int taxYear, long date) {
  return date == 0 || date < start_of(taxYear);
}

bool CDateToolKit::IsAfterStartOfCurrentYear(int taxYear, long date) {
  return date == 0 || date >= start_of(taxYear);
}

bool CDateToolKit::IsAfterEndOfCalendarYear(int year, long date) {
  return date == 0 || date > fpw_DATE_VALUE(31, 12, year).value();
}

bool CDateToolKit::IsBeforeStartOfCalendarYear(int year, long date) {
  return date == 0 || date < fpw_DATE_VALUE(1, 1, year).value();
}

bool CDateToolKit::IsInLloydsTaxYear(long date, long taxYear) {
  const int year = static_cast<int>(taxYear - 1);
  return fpw_DATE_VALUE(1, 1, year).value() <= date && date <= fpw_DATE_VALUE(31, 12, year).value();
}

bool CDateToolKit::IsRelatedActiveInTaxYear(long fromDate, long toDate, int taxYear) {
  if (fromDate != 0 && fromDate > end_of(taxYear)) return false;
  if (toDate != 0 && toDate < start_of(taxYear)) return false;
  return true;
}

long CDateToolKit::getTaxYrEnd(long taxYear) { return end_of(taxYear); }

// A year whose end (5 April N) or the day a year before it cannot be represented has no start:
// 0, never "day 0 plus one", which would be 1 January 1900.
long CDateToolKit::getTaxYrStart(long taxYear) {
  const long end = end_of(taxYear);
  if (end == 0) return 0;
  const long year_before_end = YearLess(fpw_DATE_VALUE(end)).value();
  return year_before_end == 0 ? 0 : year_before_end + 1;
}

long CDateToolKit::GetTaxYear(long date) {
  DateParts parts{};
  fp_inttodate(date, &parts);
  return tax_year_of(parts.year, parts.month, parts.day);
}

long Legislation::GetTaxYear(const fpw_DATE_VALUE& date) {
  return tax_year_of(date.year(), date.month(), date.day());
}

bool CDateToolKit::IsLeapYear(long date) { return fpw_DATE_VALUE(date).is_leapyear(); }

fpw_DATE_VALUE CDateToolKit::YearLess(fpw_DATE_VALUE date) {
  DateParts parts{};
  fp_inttodate(date.value(), &parts);
  parts.year -= 1;
  // Keep the last day of February the last day: 28 becomes 29 in a leap year, 29 becomes 28
  // in a year that is not.
  if (parts.month == 2) {
    if (platform_is_leap_year(parts.year)) {
      if (parts.day == 28) parts.day = 29;
    } else if (parts.day == 29) {
      parts.day = 28;
    }
  }
  return fpw_DATE_VALUE(fp_datetoint(&parts));
}

void CDateToolKit::RollForward(long& date) {
  fpw_DATE_VALUE moved(date);
  moved.add_year(1, moved.is_leapyear());
  date = moved.value();
}

bool CDateToolKit::IsUnder18AtStartOfTaxYear(long dateOfBirth, int taxYear) {
  if (dateOfBirth == 0) return false;
  const long start = start_of(taxYear);
  return under_18_by_stepping(dateOfBirth, [start](long current) { return current < start; });
}

bool CDateToolKit::IsUnder18AtEndOfTaxYear(long dateOfBirth, int taxYear) {
  if (dateOfBirth == 0) return false;
  const long end = end_of(taxYear);
  return under_18_by_stepping(dateOfBirth, [end](long current) { return current <= end; });
}

namespace {
char g_juldate_text[kJuldateTextSize];
}  // namespace

extern "C" const char* juldate_to_text(int date, char* buffer, int style) {
  if (buffer == nullptr) buffer = g_juldate_text;
  buffer[0] = '\0';
  if (date == 0) return buffer;

  DateParts parts{};
  int_to_date(date, &parts);
  const unsigned year = static_cast<unsigned>(parts.year);
  // Formatted in a roomy local buffer first, then cut to what the caller's buffer holds. The
  // precision pads with zeros ("%4.4u" writes 0999), as the zero flag would.
  char text[48] = "";
  switch (static_cast<short>(style & 0xFFFF)) {
    case 1:
      std::snprintf(text, sizeof text, "%2.2i/%2.2i/%2.2i", parts.day, parts.month, static_cast<int>(year % 100));
      break;
    case 3:
      std::snprintf(text, sizeof text, "%4.4u/%2.2u", year, year + 1);
      break;
    case 4:
      std::snprintf(text, sizeof text, "FY%2.2u", year % 100);
      break;
    default:
      return buffer;
  }
  const std::size_t length = std::strlen(text) < kJuldateTextSize - 1 ? std::strlen(text) : kJuldateTextSize - 1;
  std::memcpy(buffer, text, length);
  buffer[length] = '\0';
  return buffer;
}
