// Money and dates as the report printer shows them from their option strings.
#include <cfloat>
#include <cmath>
#include <string>

#include <gtest/gtest.h>

#include "platform/dates.h"
#include "platform/report_printer.h"
#include "support/captured_report.h"

namespace {

const char* const kMoney = "cs:uk de:2 co:ye ro:no ze:ni ne:br";

std::string money_text(double value, const char* options) {
  test_support::CapturedReport report;
  const mm_buffer money{value, 0};
  rp_print("%um\n", &money, options);
  const auto lines = report.close();
  return lines.empty() ? "<no line>" : lines[0];
}

std::string date_text(long date, const char* options) {
  test_support::CapturedReport report;
  rp_print("%ut\n", date, options);
  const auto lines = report.close();
  return lines.empty() ? "<no line>" : lines[0];
}

// Money is set flush right in the default 80-position column.
std::string right(const std::string& text, std::size_t characters) {
  return std::string(80 - characters, ' ') + text;
}

TEST(ReportMoney, IsShownAsItsOptionsSay) {
  struct Row {
    double value;
    const char* options;
    const char* shown;
    std::size_t characters;  // the pound sign is one character of two bytes
  };
  const Row rows[] = {
      {1234.5, kMoney, "\xC2\xA3" "1,234.50", 9},
      {-1234.5, kMoney, "(\xC2\xA3" "1,234.50)", 11},
      {0.0, kMoney, "nil", 3},
      {-0.004, kMoney, "nil", 3},         // zero as shown is zero, not (£0.00)
      {1234567.891, kMoney, "\xC2\xA3" "1,234,567.89", 13},
      {999.995, "de:2", "1000.00", 7},    // rounded in decimal; no commas asked
      {1234.5, "de:0 co:ye", "1,235", 5},  // halves away from zero
      {0.125, "de:2", "0.13", 4},
      {-12.5, "ne:mi", "-12.50", 6},
      {1234.4, "ro:ye co:ye", "1,234.00", 8},
      {0.0, "ze:da", "-", 1},
      {0.0, "", "0.00", 4},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(money_text(row.value, row.options), right(row.shown, row.characters))
        << row.value << " with \"" << row.options << "\"";
  }
}

TEST(ReportMoney, ShowsNothingForTheEmptyNumberOrABlankZero) {
  EXPECT_EQ(money_text(DBL_MAX, kMoney), "");
  EXPECT_EQ(money_text(0.0, "ze:bl"), "");
}

TEST(ReportMoney, MarksAValueThatIsNotANumber) {
  EXPECT_EQ(money_text(std::nan(""), kMoney), right("#", 1));
}

TEST(ReportDates, AreShownAsTheirOptionsSay) {
  const long day = fp_builddate(6, 4, 2021);
  struct Row {
    const char* options;
    const char* shown;
  };
  const Row rows[] = {
      {"da:be mo:be ye:2", "06/04/21"},
      {"da:nz mo:nz ye:4", "6/4/2021"},
      {"da:nz mo:na ye:4", "6 Apr 2021"},
      {"", "06/04/21"},
  };
  for (const Row& row : rows) {
    const std::string shown = row.shown;
    EXPECT_EQ(date_text(day, row.options), right(shown, shown.size())) << row.options;
  }
  EXPECT_EQ(date_text(0, "da:be mo:be ye:2"), "");
}

}  // namespace
