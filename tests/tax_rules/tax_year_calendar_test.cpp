#include "qarntash/tax_rules/tax_year_calendar.h"

#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "support/temporary_folder.h"

namespace {

using test_support::day_number;

TEST(TaxYear, StartsOnSixthAprilOfThePreviousYear) {
  const struct { int day, month, year; long tax_year; } cases[] = {
      {5, 4, 2021, 2021},  {6, 4, 2021, 2022},  {1, 1, 2021, 2021},  {31, 12, 2020, 2021},
      {1, 4, 2021, 2021},  {30, 4, 2021, 2022}, {31, 3, 2021, 2021}, {1, 5, 2021, 2022},
      {29, 2, 2020, 2020}, {6, 4, 1900, 1901},  {1, 1, 1900, 1900},
  };
  for (const auto& c : cases) {
    const long date = day_number(c.day, c.month, c.year);
    EXPECT_EQ(CDateToolKit::GetTaxYear(date), c.tax_year) << c.day << "/" << c.month << "/" << c.year;
    EXPECT_EQ(Legislation::GetTaxYear(fpw_DATE_VALUE(date)), c.tax_year);
  }
}

TEST(TaxYear, BoundsAreSixthAprilAndFifthApril) {
  EXPECT_EQ(CDateToolKit::getTaxYrStart(2020), day_number(6, 4, 2019));
  EXPECT_EQ(CDateToolKit::getTaxYrEnd(2020), day_number(5, 4, 2020));
  EXPECT_EQ(CDateToolKit::getTaxYrEnd(2020) - CDateToolKit::getTaxYrStart(2020), 365);  // holds 29 Feb 2020
  EXPECT_EQ(CDateToolKit::getTaxYrEnd(2022) - CDateToolKit::getTaxYrStart(2022), 364);

  EXPECT_TRUE(CDateToolKit::IsInTaxYear(day_number(6, 4, 2021), 2022));
  EXPECT_TRUE(CDateToolKit::IsInTaxYear(day_number(5, 4, 2022), 2022));
  EXPECT_FALSE(CDateToolKit::IsInTaxYear(day_number(5, 4, 2021), 2022));
  EXPECT_FALSE(CDateToolKit::IsInTaxYear(day_number(6, 4, 2022), 2022));
}

// Day numbers run from 1 January 1900 to 31 December 9999: a bound outside them is no date (0),
// never day 1 (1 January 1900), which a start worked out from an end that does not exist would be.
TEST(TaxYear, BoundsTheCalendarCannotHoldAreNoDate) {
  const struct { long year; long start; long end; } cases[] = {
      {1900, 0, day_number(5, 4, 1900)},
      {1901, day_number(6, 4, 1900), day_number(5, 4, 1901)},
      {9999, day_number(6, 4, 9998), day_number(5, 4, 9999)},
      {10000, 0, 0},
      {1899, 0, 0},
      {-5, 0, 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(CDateToolKit::getTaxYrStart(c.year), c.start) << c.year;
    EXPECT_EQ(CDateToolKit::getTaxYrEnd(c.year), c.end) << c.year;
  }
}

TEST(TaxYear, EveryDayFrom1900To2100LiesInExactlyItsOwnYear) {
  const long first = day_number(6, 4, 1900);
  const long last = day_number(31, 12, 2100);
  for (long date = first; date <= last; ++date) {
    const long year = CDateToolKit::GetTaxYear(date);
    ASSERT_TRUE(CDateToolKit::IsInTaxYear(date, year)) << date;
    ASSERT_FALSE(CDateToolKit::IsInTaxYear(date, year - 1)) << date;
    ASSERT_FALSE(CDateToolKit::IsInTaxYear(date, year + 1)) << date;
    ASSERT_LE(CDateToolKit::getTaxYrStart(year), date);
    ASSERT_GE(CDateToolKit::getTaxYrEnd(year), date);
    ASSERT_EQ(CDateToolKit::getTaxYrStart(year + 1), CDateToolKit::getTaxYrEnd(year) + 1) << year;
  }
}

// The predicates that take a year first treat date 0 as unbounded; the other two do not.
TEST(TaxYearPredicates, NoDateIsUnboundedWhereTheYearComesFirst) {
  EXPECT_TRUE(CDateToolKit::IsInCurrentYear(2022, 0));
  EXPECT_TRUE(CDateToolKit::IsAfterEndOfCurrentYear(2022, 0));
  EXPECT_TRUE(CDateToolKit::IsAfterEndOfYear(2022, 0));
  EXPECT_TRUE(CDateToolKit::IsBeforeStartOfCurrentYear(2022, 0));
  EXPECT_TRUE(CDateToolKit::IsAfterStartOfCurrentYear(2022, 0));
  EXPECT_TRUE(CDateToolKit::IsAfterEndOfCalendarYear(2022, 0));
  EXPECT_TRUE(CDateToolKit::IsBeforeStartOfCalendarYear(2022, 0));
  EXPECT_FALSE(CDateToolKit::IsInTaxYear(0, 2022));
  EXPECT_FALSE(CDateToolKit::IsInLloydsTaxYear(0, 2022));
}

TEST(TaxYearPredicates, BoundaryDays) {
  const long start = CDateToolKit::getTaxYrStart(2022);
  const long end = CDateToolKit::getTaxYrEnd(2022);
  const struct { const char* name; bool actual; bool expected; } cases[] = {
      {"in: start", CDateToolKit::IsInCurrentYear(2022, start), true},
      {"in: end", CDateToolKit::IsInCurrentYear(2022, end), true},
      {"in: day before", CDateToolKit::IsInCurrentYear(2022, start - 1), false},
      {"in: day after", CDateToolKit::IsInCurrentYear(2022, end + 1), false},
      {"after end: end", CDateToolKit::IsAfterEndOfCurrentYear(2022, end), false},
      {"after end: day after", CDateToolKit::IsAfterEndOfCurrentYear(2022, end + 1), true},
      {"after end (other name)", CDateToolKit::IsAfterEndOfYear(2022, end + 1), true},
      {"before start: start", CDateToolKit::IsBeforeStartOfCurrentYear(2022, start), false},
      {"before start: day before", CDateToolKit::IsBeforeStartOfCurrentYear(2022, start - 1), true},
      {"after start: start", CDateToolKit::IsAfterStartOfCurrentYear(2022, start), true},
      {"after start: day before", CDateToolKit::IsAfterStartOfCurrentYear(2022, start - 1), false},
      {"after calendar: 31 Dec", CDateToolKit::IsAfterEndOfCalendarYear(2021, day_number(31, 12, 2021)), false},
      {"after calendar: 1 Jan", CDateToolKit::IsAfterEndOfCalendarYear(2021, day_number(1, 1, 2022)), true},
      {"before calendar: 1 Jan", CDateToolKit::IsBeforeStartOfCalendarYear(2021, day_number(1, 1, 2021)), false},
      {"before calendar: 31 Dec", CDateToolKit::IsBeforeStartOfCalendarYear(2021, day_number(31, 12, 2020)), true},
      {"Lloyd's: 1 Jan", CDateToolKit::IsInLloydsTaxYear(day_number(1, 1, 2021), 2022), true},
      {"Lloyd's: 31 Dec", CDateToolKit::IsInLloydsTaxYear(day_number(31, 12, 2021), 2022), true},
      {"Lloyd's: next 1 Jan", CDateToolKit::IsInLloydsTaxYear(day_number(1, 1, 2022), 2022), false},
      {"Lloyd's: 31 Dec before", CDateToolKit::IsInLloydsTaxYear(day_number(31, 12, 2020), 2022), false},
  };
  for (const auto& c : cases) EXPECT_EQ(c.actual, c.expected) << c.name;
}

TEST(TaxYearPredicates, RelatedActiveInTaxYear) {
  const long start = CDateToolKit::getTaxYrStart(2022);
  const long end = CDateToolKit::getTaxYrEnd(2022);
  EXPECT_TRUE(CDateToolKit::IsRelatedActiveInTaxYear(0, 0, 2022));
  EXPECT_TRUE(CDateToolKit::IsRelatedActiveInTaxYear(0, start, 2022));   // ended on the first day
  EXPECT_FALSE(CDateToolKit::IsRelatedActiveInTaxYear(0, start - 1, 2022));
  EXPECT_TRUE(CDateToolKit::IsRelatedActiveInTaxYear(end, 0, 2022));     // began on the last day
  EXPECT_FALSE(CDateToolKit::IsRelatedActiveInTaxYear(end + 1, 0, 2022));
  EXPECT_TRUE(CDateToolKit::IsRelatedActiveInTaxYear(start - 100, end + 100, 2022));
}

TEST(YearLess, KeepsTheLastDayOfFebruaryTheLastDay) {
  const struct { int d, m, y; int ed, em, ey; } cases[] = {
      {28, 2, 2021, 29, 2, 2020}, {29, 2, 2020, 28, 2, 2019}, {28, 2, 2020, 28, 2, 2019},
      {1, 3, 2020, 1, 3, 2019},   {5, 4, 2022, 5, 4, 2021},   {27, 2, 2021, 27, 2, 2020},
      {28, 2, 2001, 29, 2, 2000}, {28, 2, 1901, 28, 2, 1900},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(CDateToolKit::YearLess(fpw_DATE_VALUE(c.d, c.m, c.y)).value(), day_number(c.ed, c.em, c.ey))
        << c.d << "/" << c.m << "/" << c.y;
  }
}

TEST(YearLess, LastDayOfFebruaryStaysLastDayEveryYear) {
  for (int year = 1901; year <= 2100; ++year) {
    const fpw_DATE_VALUE last_day(1, 3, year);
    const fpw_DATE_VALUE earlier = CDateToolKit::YearLess(fpw_DATE_VALUE(last_day.value() - 1));
    ASSERT_EQ(earlier.value(), fpw_DATE_VALUE(1, 3, year - 1).value() - 1) << year;
  }
}

TEST(RollForward, MovesOnOneYear) {
  long date = day_number(6, 4, 2021);
  CDateToolKit::RollForward(date);
  EXPECT_EQ(date, day_number(6, 4, 2022));
  date = day_number(29, 2, 2020);
  CDateToolKit::RollForward(date);
  EXPECT_EQ(date, day_number(28, 2, 2021));
  EXPECT_TRUE(CDateToolKit::IsLeapYear(day_number(1, 7, 2024)));
  EXPECT_FALSE(CDateToolKit::IsLeapYear(day_number(1, 7, 2023)));
}

TEST(Under18, EighteenthBirthdayAtEitherEndOfTheYear) {
  // Tax year 2022: 6 April 2021 to 5 April 2022.
  EXPECT_TRUE(CDateToolKit::IsUnder18AtStartOfTaxYear(day_number(6, 4, 2003), 2022));
  EXPECT_FALSE(CDateToolKit::IsUnder18AtStartOfTaxYear(day_number(5, 4, 2003), 2022));
  EXPECT_FALSE(CDateToolKit::IsUnder18AtEndOfTaxYear(day_number(5, 4, 2004), 2022));
  EXPECT_TRUE(CDateToolKit::IsUnder18AtEndOfTaxYear(day_number(6, 4, 2004), 2022));
  EXPECT_FALSE(CDateToolKit::IsUnder18AtStartOfTaxYear(0, 2022));
  EXPECT_FALSE(CDateToolKit::IsUnder18AtEndOfTaxYear(0, 2022));
  // Born in the year itself, or after it.
  EXPECT_TRUE(CDateToolKit::IsUnder18AtStartOfTaxYear(day_number(1, 1, 2022), 2022));
  EXPECT_TRUE(CDateToolKit::IsUnder18AtStartOfTaxYear(day_number(1, 1, 2030), 2022));
}

// The anniversary rule, written out plainly, against the stepping rule the library uses.
bool under_18_by_anniversary(long birth, long limit, bool on_limit_counts_as_under) {
  const fpw_DATE_VALUE b(birth);
  const long anniversary = fpw_DATE_VALUE(b.day(), b.month(), b.year() + 18).value();
  return on_limit_counts_as_under ? anniversary >= limit : anniversary > limit;
}

TEST(Under18, SteppingEqualsTheAnniversaryRuleAndTheYearsAgree) {
  for (int tax_year = 2000; tax_year <= 2030; tax_year += 3) {
    const long start = CDateToolKit::getTaxYrStart(tax_year);
    const long end = CDateToolKit::getTaxYrEnd(tax_year);
    for (long birth = day_number(1, 1, tax_year - 21); birth <= day_number(31, 12, tax_year - 16); ++birth) {
      const bool at_start = CDateToolKit::IsUnder18AtStartOfTaxYear(birth, tax_year);
      ASSERT_EQ(at_start, under_18_by_anniversary(birth, start, true)) << birth << " " << tax_year;
      ASSERT_EQ(CDateToolKit::IsUnder18AtEndOfTaxYear(birth, tax_year), under_18_by_anniversary(birth, end, false))
          << birth << " " << tax_year;
      ASSERT_EQ(at_start, CDateToolKit::IsUnder18AtEndOfTaxYear(birth, tax_year - 1)) << birth << " " << tax_year;
    }
  }
}

TEST(Under18, LeapDayBirthHasItsBirthdayOn28FebruaryInOtherYears) {
  // Born 29 February 2004: 18 on 28 February 2022, inside tax year 2022.
  const long birth = day_number(29, 2, 2004);
  EXPECT_TRUE(CDateToolKit::IsUnder18AtStartOfTaxYear(birth, 2022));
  EXPECT_FALSE(CDateToolKit::IsUnder18AtEndOfTaxYear(birth, 2022));
}

TEST(Constants, DaysInYearAndEighteenMonths) {
  EXPECT_EQ(CDateToolKit::m_DAYS_IN_YEAR, 365);
  EXPECT_EQ(CDateToolKit::m_NO_OF_DAYS_IN_EIGHTEEN_MONTHS, 550);
}

TEST(DateText, StylesOfReportDates) {
  const int date = static_cast<int>(day_number(6, 4, 2021));
  const struct { int style; const char* expected; } cases[] = {
      {1, "06/04/21"}, {3, "2021/2022"}, {4, "FY21"}, {2, ""}, {5, ""}, {0, ""}, {-1, ""},
      {0x10001, "06/04/21"},  // only the low 16 bits choose the style
  };
  for (const auto& c : cases) {
    char buffer[kJuldateTextSize];
    std::memset(buffer, 'x', sizeof buffer);
    EXPECT_STREQ(juldate_to_text(date, buffer, c.style), c.expected) << "style " << c.style;
  }
  char buffer[kJuldateTextSize] = "junk";
  EXPECT_STREQ(juldate_to_text(0, buffer, 1), "");
  EXPECT_STREQ(juldate_to_text(static_cast<int>(day_number(1, 1, 2009)), buffer, 1), "01/01/09");
  EXPECT_STREQ(juldate_to_text(static_cast<int>(day_number(1, 1, 2009)), buffer, 4), "FY09");
}

TEST(DateText, NullBufferUsesTheSharedOne) {
  const char* first = juldate_to_text(static_cast<int>(day_number(6, 4, 2021)), nullptr, 1);
  EXPECT_STREQ(first, "06/04/21");
  const char* second = juldate_to_text(static_cast<int>(day_number(7, 4, 2021)), nullptr, 1);
  EXPECT_EQ(first, second);
  EXPECT_STREQ(first, "07/04/21");
}

TEST(DateText, NeverWritesPastTheBufferWhateverTheDate) {
  struct Guarded {
    char text[kJuldateTextSize];
    char guard[8];
  } guarded;
  for (const long date : {day_number(31, 12, 9999), 2147483647L, -5L, 99999999L}) {
    for (int style = 0; style <= 5; ++style) {
      std::memset(&guarded, 'G', sizeof guarded);
      juldate_to_text(static_cast<int>(date), guarded.text, style);
      ASSERT_LT(std::strlen(guarded.text), sizeof guarded.text) << date << " style " << style;
      ASSERT_EQ(std::string(guarded.guard, sizeof guarded.guard), std::string(8, 'G')) << date;
    }
  }
}

}  // namespace
