#include "qarntash/tax_rules/reference_numbers.h"

#include <string>

#include <gtest/gtest.h>

namespace {

TEST(ValidDigitUTR, RefusesOnlyADigitFromOneToNineRepeatedExactlyTenTimes) {
  const struct { const char* utr; int expected; } cases[] = {
      {"1111111111", 0},
      {"9999999999", 0},
      {"0000000000", 1},    // zeros are not counted
      {"11111111111", 1},   // eleven ones: not exactly ten
      {"111111111", 1},     // nine
      {"", 1},
      {"1234567890", 1},
      {"1 1 1 1 1 1 1 1 1 1", 0},  // every character of the text is counted, spaces aside
      {"x1111111111y", 0},          // nor are length or other characters examined
      {"5555555555K", 0},
      {"5555555554", 1},
  };
  for (const auto& c : cases) EXPECT_EQ(FormatUTR::ValidDigitUTR(c.utr), c.expected) << '"' << c.utr << '"';
  EXPECT_EQ(FormatUTR::ValidDigitUTR(nullptr), 0);
}

TEST(ValidCheckDigitUTR, AcceptsTenDigitsWhoseFirstIsTheCheckDigitOfTheRest) {
  const struct { const char* utr; int expected; } cases[] = {
      {"2325648152", 1},
      {"1234567890", 0},
      {"2000000000", 1},   // weighted sum 0 -> "2"
      {"1111111111", 1},   // sum 54, 54 % 11 = 10 -> "1" (although ValidDigitUTR refuses it)
      {"9999999999", 1},
      {"1123456789", 1},   // sum 230, 230 % 11 = 10 -> "1"
      {"9987654321", 1},
      {"3325648152", 0},   // a wrong first digit
      {"2325648154", 0},   // a changed last digit (sum 233, 233 % 11 = 2 -> "9")
      {"2325648152K", 1},  // HMRC's printed suffix
      {"23256 48152", 1},
      {"2 3 2 5 6 4 8 1 5 2", 1},
      {"23256   48152K", 1},
      {" 2325648152", 0},  // spaces only between the digits
      {"2325648152 ", 0},
      {"2325648152 K", 0},
      {"2325648152k", 0},
      {"2325648152KK", 0},
      {"232564815", 0},    // nine digits
      {"23256481520", 0},  // eleven
      {"232564815X", 0},
      {"23256-48152", 0},
      {"", 0},
  };
  for (const auto& c : cases) EXPECT_EQ(FormatUTR::ValidCheckDigitUTR(c.utr), c.expected) << '"' << c.utr << '"';
  EXPECT_EQ(FormatUTR::ValidCheckDigitUTR(nullptr), 0);
}

// The eleven remainders map onto the digits 1 to 9 and 2 and 1 again: whatever the last nine
// digits, exactly one first digit passes, and it is never 0.
TEST(ValidCheckDigitUTR, ExactlyOneFirstDigitPassesForAnyOtherNine) {
  const char* const tails[] = {"000000000", "325648152", "999999999", "102030405", "987654321", "555555555"};
  for (const char* tail : tails) {
    int passing = 0;
    for (char first = '0'; first <= '9'; ++first) {
      const std::string utr = std::string(1, first) + tail;
      if (FormatUTR::ValidCheckDigitUTR(utr.c_str()) == 1) {
        ++passing;
        EXPECT_NE(first, '0') << utr;
      }
    }
    EXPECT_EQ(passing, 1) << tail;
  }
}

TEST(FormatWithValidation, GivesTheCanonicalLayoutOfAValidNumber) {
  const struct { const char* nin; const char* expected; } cases[] = {
      {"  ab123456c  ", "AB 12 34 56 C"},
      {"AB 12 34 56 C", "AB 12 34 56 C"},
      {"AB123456", "AB 12 34 56"},
      {"ab 12 34 56 c", "AB 12 34 56 C"},
      {"A B 1 2 3 4 5 6 C", "AB 12 34 56 C"},
      {"AB123456   C", "AB 12 34 56 C"},  // spaces may follow the eighth character too
      {"AB123456 ", "AB 12 34 56"},
      {"OA123456A", "OA 12 34 56 A"},     // O may come first, never second
      {"ZZ123456D", "ZZ 12 34 56 D"},     // never issued, but valid in form
      {"WZ000000M", "WZ 00 00 00 M"},
      {"CE999999F", "CE 99 99 99 F"},
  };
  const FormatNIN format;
  for (const auto& c : cases) EXPECT_EQ(format.FormatWithValidation(c.nin), c.expected) << '"' << c.nin << '"';
}

TEST(FormatWithValidation, GivesEmptyForWhatIsNotANationalInsuranceNumber) {
  const char* const invalid[] = {
      "DA123456A", "FA123456A", "IA123456A", "QA123456A", "UA123456A", "VA123456A",  // first letter
      "AD123456A", "AF123456A", "AI123456A", "AO123456A", "AQ123456A", "AU123456A", "AV123456A",
      "AB123456E",                   // suffix letter
      "AB123456CC",                  // two suffix letters
      "AB12345", "AB1234567",        // five and seven digits
      "AB\t123456C", "\tAB123456C",  // only spaces may separate or surround
      "AB123456C\n",
      "1B123456C", "A1123456C", "AB12345XC",
      "", "     ",
  };
  const FormatNIN format;
  for (const char* nin : invalid) EXPECT_EQ(format.FormatWithValidation(nin), "") << '"' << nin << '"';
}

// A field padded with a long run of spaces is still only a NIN (and must not exhaust the stack).
TEST(FormatWithValidation, CopesWithVeryLongRunsOfSpaces) {
  const FormatNIN format;
  const std::string spaces(200000, ' ');
  EXPECT_EQ(format.FormatWithValidation("A" + spaces + "B123456C"), "AB 12 34 56 C");
  EXPECT_EQ(format.FormatWithValidation("A" + spaces + "B123456C!"), "");
  EXPECT_EQ(format.FormatWithValidation(spaces + "AB123456C" + spaces), "AB 12 34 56 C");
}

// Format is reached by the hosts' own subclasses.
class NinLayout : public FormatNIN {
 public:
  std::string Layout(const std::string& text) const { return Format(text); }
};

TEST(FormatNinLayout, PairsTheCharactersAndDropsWhiteSpace) {
  const struct { const char* text; const char* expected; } cases[] = {
      {"ab123456c", "AB 12 34 56 C"},
      {"AB123456", "AB 12 34 56"},
      {"a\tb 1\n2\r3\v4\f56c", "AB 12 34 56 C"},
      {"", ""},
      {"a", "A"},
  };
  const NinLayout layout;
  for (const auto& c : cases) EXPECT_EQ(layout.Layout(c.text), c.expected) << '"' << c.text << '"';
}

TEST(IsIssuableNIN, RefusesThePrefixesThatAreNeverIssued) {
  const struct { const char* nin; bool expected; } cases[] = {
      {"AB123456C", true},       {"BG123456A", false}, {"GB123456A", false}, {"KN123456A", false},
      {"NK123456A", false},      {"NT123456A", false}, {"TN123456A", false}, {"ZZ123456A", false},
      {"gb 12 34 56 a", false},  {"  nt123456", false},
      {"BH123456A", true},       {"GA123456A", true},  {"KA123456", true},   {"NA123456D", true},
      {"TB123456A", true},       {"ZY123456A", true},  {"  ab 12 34 56 c ", true},
      {"DA123456A", false},      // not a NIN at all
      {"AB123456E", false},      {"", false},
  };
  for (const auto& c : cases) EXPECT_EQ(FormatNIN::IsIssuableNIN(c.nin), c.expected) << '"' << c.nin << '"';
}

}  // namespace
