#include "qarntash/tax_rules/conversions.h"

#include <cfloat>
#include <climits>
#include <cstring>
#include <locale>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

const double kEmpty = Converter::DblEmptyVal();

TEST(Converter, EmptyValueIsTheLargestFiniteDouble) {
  EXPECT_EQ(kEmpty, DBL_MAX);
  EXPECT_EQ(kEmpty, 1.7976931348623157e308);
}

TEST(StringToDouble, ReadsTheLeadingNumberOrGivesTheEmptyValue) {
  const struct { const char* text; const char* empty_text; double value; bool result; } cases[] = {
      {"", "", kEmpty, true},
      {"N/A", "N/A", kEmpty, true},
      {"N/A", "N/A ", kEmpty, false},  // the empty text must match exactly
      {"abc", "", kEmpty, false},
      {" 12.5abc", "", 12.5, true},
      {"-3", "", -3.0, true},
      {"1.5e3kg", "", 1500.0, true},
      {"12,5", "", 12.0, true},        // the decimal point only
      {"   ", "", kEmpty, false},
      {"1e999", "", kEmpty, false},    // too large for a double
      {"-1e999", "", kEmpty, false},
      {"0", "N/A", 0.0, true},
  };
  for (const auto& c : cases) {
    double value = -1.0;
    EXPECT_EQ(Converter::StringToDouble(c.text, &value, c.empty_text), c.result) << '"' << c.text << '"';
    EXPECT_EQ(value, c.value) << '"' << c.text << '"';
  }
}

TEST(StringToDouble, NullArgumentsFail) {
  double value = 1.0;
  EXPECT_FALSE(Converter::StringToDouble(nullptr, &value, ""));
  EXPECT_EQ(value, kEmpty);
  EXPECT_FALSE(Converter::StringToDouble("12", nullptr, ""));
}

TEST(DoubleToString, WritesSixSignificantDigitsOrTheEmptyText) {
  const struct { double value; unsigned int size; const char* empty_text; const char* text; bool result; } cases[] = {
      {kEmpty, 16, "N/A", "N/A", true},
      {kEmpty, 16, "", "", true},
      {0.1, 16, "", "0.1", true},
      {1e7, 16, "", "1e+07", true},
      {123.456789, 16, "", "123.457", true},
      {1500000.0, 16, "", "1.5e+06", true},
      {2.5, 16, "", "2.5", true},
      {-0.5, 16, "", "-0.5", true},
      {0.0, 16, "", "0", true},
      {2.5, 4, "", "2.5", true},          // exactly fits with its terminator
      {1500000.0, 4, "", "1.5", false},   // cut: not the value, so reported
      {kEmpty, 3, "N/A", "N/", false},
      {2.5, 1, "", "", false},
  };
  for (const auto& c : cases) {
    char buffer[16];
    std::memset(buffer, 'z', sizeof buffer);
    EXPECT_EQ(Converter::DoubleToString(&c.value, c.size, buffer, c.empty_text), c.result) << c.value << " in " << c.size;
    EXPECT_STREQ(buffer, c.text) << c.value << " in " << c.size;
    if (c.size < sizeof buffer) {
      EXPECT_EQ(buffer[c.size], 'z') << "wrote past the size";
    }
  }
}

TEST(DoubleToString, NoRoomWritesNothingAndFails) {
  char guard[4] = {'a', 'b', 'c', 'd'};
  const double value = 2.5;
  EXPECT_FALSE(Converter::DoubleToString(&value, 0, guard + 2, "N/A"));
  EXPECT_FALSE(Converter::DoubleToString(&kEmpty, 0, guard + 2, "N/A"));
  EXPECT_EQ(std::string(guard, 4), "abcd");
  EXPECT_FALSE(Converter::DoubleToString(&value, 8, nullptr, ""));
  EXPECT_FALSE(Converter::DoubleToString(nullptr, 4, guard, ""));
  EXPECT_EQ(std::string(guard, 4), "abcd");
}

TEST(CO2EmissionToString, FiguresAboveTenMillionBecomeEmpty) {
  const struct { double value; const char* text; double value_after; } cases[] = {
      {10000000.0, "1e+07", 10000000.0},
      {10000000.0000001, "1e+07", 10000000.0000001},  // within a millionth: not above
      {10000001.0, "none", kEmpty},
      {1e300, "none", kEmpty},
      {kEmpty, "none", kEmpty},
      {120.0, "120", 120.0},
  };
  for (const auto& c : cases) {
    double value = c.value;
    char buffer[16];
    EXPECT_TRUE(Converter::CO2EmissionToString(&value, sizeof buffer, buffer, "none")) << c.value;
    EXPECT_STREQ(buffer, c.text) << c.value;
    EXPECT_EQ(value, c.value_after) << c.value;
  }
  char buffer[4];
  EXPECT_FALSE(Converter::CO2EmissionToString(nullptr, sizeof buffer, buffer, ""));
}

TEST(StringToInt, ReadsTheLeadingNumber) {
  const struct { const char* text; int expected; } cases[] = {
      {"42", 42},   {" 7x", 7}, {"-12", -12}, {"3.9", 3},          {"abc", 0},
      {"", 0},      {"x1", 0},  {"+5", 5},    {"99999999999", INT_MAX}, {"-99999999999", INT_MIN},
  };
  for (const auto& c : cases) EXPECT_EQ(Converter::StringToInt(c.text), c.expected) << '"' << c.text << '"';
}

// A numpunct with a decimal comma and grouping, as a host's own locale might have.
struct CommaDecimal : std::numpunct<char> {
  char do_decimal_point() const override { return ','; }
  char do_thousands_sep() const override { return '.'; }
  std::string do_grouping() const override { return "\3"; }
};

TEST(Converter, IgnoresTheHostsGlobalLocale) {
  const std::locale previous = std::locale::global(std::locale(std::locale::classic(), new CommaDecimal));
  double value = 0.0;
  const bool read = Converter::StringToDouble("12.5", &value, "");
  const double big = 123456.0;
  char buffer[16];
  const bool written = Converter::DoubleToString(&big, sizeof buffer, buffer, "");
  const int whole = Converter::StringToInt("1.234");
  std::locale::global(previous);
  EXPECT_TRUE(read);
  EXPECT_EQ(value, 12.5);
  EXPECT_TRUE(written);
  EXPECT_STREQ(buffer, "123456");
  EXPECT_EQ(whole, 1);
}

TEST(Tokenize, SplitsOnRunsOfDelimiters) {
  using Tokens = std::vector<std::string>;
  const struct { const char* text; const char* delimiters; Tokens expected; } cases[] = {
      {",a,,b,", ",", {"a", "b"}},
      {"", ",", {}},
      {",,,", ",", {}},
      {"a", ",", {"a"}},
      {"abc", "", {"abc"}},
      {"a,b;c", ",;", {"a", "b", "c"}},
      {"  AB 12  34 ", " ", {"AB", "12", "34"}},
      {"a,b", ";", {"a,b"}},
  };
  for (const auto& c : cases) EXPECT_EQ(tokenize(c.text, c.delimiters), c.expected) << '"' << c.text << '"';
}

TEST(StripSpaces, LeavesOutSpacesAndHyphens) {
  const struct { const char* source; const char* expected; } cases[] = {
      {"AB 12-34", "AB1234"}, {"", ""}, {"  --  ", ""}, {"NO-SPACE HERE", "NOSPACEHERE"},
      {"AB\t12", "AB\t12"},  // only spaces and hyphens
      {"2325648152", "2325648152"},
  };
  for (const auto& c : cases) {
    char destination[32];
    EXPECT_EQ(StripSpaces(destination, 0, c.source), destination);
    EXPECT_STREQ(destination, c.expected) << '"' << c.source << '"';
    char in_place[32];
    std::strcpy(in_place, c.source);
    EXPECT_STREQ(StripSpaces(in_place, 0, in_place), c.expected) << "in place: \"" << c.source << '"';
  }
}

TEST(StripSpaces, NullArgumentsWriteNothingHarmful) {
  char destination[4] = "xyz";
  EXPECT_STREQ(StripSpaces(destination, 0, nullptr), "");
  EXPECT_EQ(StripSpaces(nullptr, 0, "AB 12"), nullptr);
}

}  // namespace
