#include <climits>
#include <string>

#include <gtest/gtest.h>

#include "qarntash/practice_data/documents.h"

namespace {

TEST(Barcode, SpacesOutReferenceCodeAndNumber) {
  const struct { const char* reference; int number; const char* code; const char* expected; } cases[] = {
      {"1234567890", 25, "A", "1 2 3 4 5 6 7 8 9 0 A 2 5  CR"},
      {"1234567890", 0, "A", "1 2 3 4 5 6 7 8 9 0 A 0  CR"},
      {"AB/12:X  Z", 7, "", "A B / 1 2 : X     Z  7  CR"},
      {"1234567890", -42, "QQ", "1 2 3 4 5 6 7 8 9 0 QQ - 4 2  CR"},
      {"1234567890", INT_MIN, "A", "1 2 3 4 5 6 7 8 9 0 A - 2 1 4 7 4 8 3 6 4 8  CR"},
      {"1234567890", INT_MAX, "A", "1 2 3 4 5 6 7 8 9 0 A 2 1 4 7 4 8 3 6 4 7  CR"},
  };
  for (const auto& c : cases) {
    EXPECT_STREQ(Make_Barcode(c.reference, c.number, c.code), c.expected) << c.reference << " " << c.number;
  }
  EXPECT_EQ(std::string(Make_Barcode("1234567890", 25, "A")).size(), 29u);
}

TEST(Barcode, RefusesWhatCannotMakeAWholeBarcode) {
  const std::string longest_code_for_one_digit(73, 'C');
  const std::string longest_code_for_any_number(53, 'C');
  EXPECT_STRNE(Make_Barcode("1234567890", 5, longest_code_for_one_digit.c_str()), "");
  EXPECT_EQ(std::string(Make_Barcode("1234567890", 5, longest_code_for_one_digit.c_str())).size(), 99u);
  EXPECT_STRNE(Make_Barcode("1234567890", INT_MIN, longest_code_for_any_number.c_str()), "");

  const std::string too_long_by_one = longest_code_for_one_digit + "C";
  const std::string far_too_long(5000, 'C');
  const std::string too_long_beside_longest_number = longest_code_for_any_number + "C";
  const struct { const char* name; const char* reference; int number; const char* code; } cases[] = {
      {"9 characters", "123456789", 1, "A"},
      {"11 characters", "12345678901", 1, "A"},
      {"empty reference", "", 1, "A"},
      {"null reference", nullptr, 1, "A"},
      {"null code", "1234567890", 1, nullptr},
      {"code one too long", "1234567890", 5, too_long_by_one.c_str()},
      {"code longer than the buffer", "1234567890", 5, far_too_long.c_str()},
      {"code too long beside the longest number", "1234567890", INT_MIN, too_long_beside_longest_number.c_str()},
  };
  for (const auto& c : cases) {
    Make_Barcode("1234567890", 1, "A");  // a full buffer first: a refusal must clear it
    EXPECT_STREQ(Make_Barcode(c.reference, c.number, c.code), "") << c.name;
  }
}

}  // namespace
