#include "platform/dates.h"

#include <gtest/gtest.h>

namespace {

TEST(DayNumbers, StartAtFirstJanuary1900AndZeroMeansNoDate) {
  EXPECT_EQ(fp_builddate(1, 1, 1900), 1);
  EXPECT_EQ(fp_builddate(31, 12, 1899), 0);
  // 1900 is not a leap year: 1 March follows 28 February.
  EXPECT_EQ(fp_builddate(1, 3, 1900) - fp_builddate(28, 2, 1900), 1);
  EXPECT_EQ(fp_builddate(1, 3, 2000) - fp_builddate(28, 2, 2000), 2);
  DateParts parts{1, 1, 1};
  fp_inttodate(0, &parts);
  EXPECT_EQ(parts.year, 0);
  EXPECT_EQ(parts.day, 0);
  EXPECT_EQ(parts.month, 0);
}

TEST(DayNumbers, RoundTripEveryDayFrom1900To2100) {
  long expected = fp_builddate(1, 1, 1900);
  for (int year = 1900; year <= 2100; ++year) {
    for (int month = 1; month <= 12; ++month) {
      for (int day = 1; day <= 31; ++day) {
        DateParts parts{year, static_cast<std::int8_t>(day), static_cast<std::int8_t>(month)};
        const long number = fp_datetoint(&parts);
        DateParts back{};
        fp_inttodate(number, &back);
        if (back.day != day) continue;  // a day past the month's end, taken as its last day
        ASSERT_EQ(number, expected) << day << "/" << month << "/" << year;
        ASSERT_EQ(back.month, month);
        ASSERT_EQ(back.year, year);
        ++expected;
      }
    }
  }
}

TEST(DayNumbers, DayPastTheEndOfItsMonthIsTheMonthsLastDay) {
  EXPECT_EQ(fp_builddate(29, 2, 2021), fp_builddate(28, 2, 2021));
  EXPECT_EQ(fp_builddate(31, 4, 2021), fp_builddate(30, 4, 2021));
  EXPECT_EQ(fp_builddate(29, 2, 2020) - fp_builddate(28, 2, 2020), 1);
}

TEST(DayNumbers, ImpossiblePartsGiveNoDate) {
  const struct { int day, month, year; } cases[] = {
      {0, 1, 2021}, {1, 0, 2021}, {1, 13, 2021}, {-5, 3, 2021}, {1, 1, 1899}, {1, 1, 10000}};
  for (const auto& c : cases) {
    EXPECT_EQ(fp_builddate(c.day, c.month, c.year), 0) << c.day << "/" << c.month << "/" << c.year;
  }
  EXPECT_EQ(fp_datetoint(nullptr), 0);
  fp_inttodate(5, nullptr);  // ignored, no crash
}

TEST(DayNumbers, OtherNamesGiveTheSameConversions) {
  DateParts parts{2021, 6, 4};
  EXPECT_EQ(date_to_int(&parts), fp_datetoint(&parts));
  EXPECT_EQ(la_builddate(5, 4, 2021), fp_builddate(5, 4, 2021));
  DateParts a{}, b{};
  int_to_date(44000, &a);
  fp_inttodate(44000, &b);
  EXPECT_EQ(a.year, b.year);
  EXPECT_EQ(a.month, b.month);
  EXPECT_EQ(a.day, b.day);
}

TEST(DateValue, AnswersItsPartsAndReportText) {
  const fpw_DATE_VALUE date(6, 4, 2021);
  EXPECT_EQ(date.day(), 6);
  EXPECT_EQ(date.month(), 4);
  EXPECT_EQ(date.year(), 2021);
  EXPECT_EQ(date.value(), fp_builddate(6, 4, 2021));
  EXPECT_EQ(date.date_value(), date.value());
  EXPECT_EQ(static_cast<long>(date), date.value());
  EXPECT_FALSE(date.is_leapyear());
  EXPECT_TRUE(fpw_DATE_VALUE(1, 1, 2000).is_leapyear());
  EXPECT_FALSE(fpw_DATE_VALUE(1, 1, 1900).is_leapyear());
  EXPECT_EQ(date.string_value(), "06/04/2021");
  EXPECT_EQ(fpw_DATE_VALUE(0L).string_value(), "");
}

TEST(DateValue, AddYearKeepsDayAndMonthAndTurns29FebruaryInto28th) {
  fpw_DATE_VALUE date(29, 2, 2020);
  date.add_year(1, date.is_leapyear());
  EXPECT_EQ(date.value(), fp_builddate(28, 2, 2021));
  date.add_year(3, date.is_leapyear());
  EXPECT_EQ(date.value(), fp_builddate(28, 2, 2024));
  fpw_DATE_VALUE april(6, 4, 2021);
  april.add_year(-1, false);
  EXPECT_EQ(april.value(), fp_builddate(6, 4, 2020));
  fpw_DATE_VALUE none(0L);
  none.add_year(1, false);
  EXPECT_EQ(none.value(), 0);
  fpw_DATE_VALUE last(31, 12, 9999);
  last.add_year(1, false);
  EXPECT_EQ(last.value(), 0);
}

}  // namespace
