#include <regex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "qarntash/tax_rules/reference_numbers.h"

namespace {

struct ValidationCase {
  const char* text;
  bool case_sensitive;
  bool expected;
};

void expect_validations(const std::string& pattern, const std::vector<ValidationCase>& cases) {
  const CRegExValidator validator(pattern);
  for (const ValidationCase& c : cases) {
    EXPECT_EQ(validator.Validate(c.text, c.case_sensitive), c.expected)
        << '"' << c.text << "\" case-sensitive " << c.case_sensitive;
  }
}

TEST(RegExValidator, RegistrationNumberIsTwoToEightCapitalsOrDigits) {
  expect_validations(CRegExValidator::REGISTRATIONNUMBER_EXPRESSION, {
      {"AB12CD", true, true},
      {"AB", true, true},
      {"ABCDEFGH", true, true},
      {"12345678", true, true},
      {"A", true, false},
      {"ABCDEFGHI", true, false},
      {"ab12", true, false},
      {"ab12", false, true},
      {"AB 12", true, false},
      {"AB-12", false, false},
      {"", false, false},
  });
}

TEST(RegExValidator, NinPatternAllowsOnlySpacesBetweenCharacters) {
  expect_validations(CRegExValidator::NIN_RE, {
      {"AB123456C", true, true},
      {"AB 12 34 56 C", true, true},
      {"ab123456c", true, false},
      {"ab123456c", false, true},
      {"AB123456", true, true},
      {"AB\t123456C", false, false},
      {" AB123456C", false, false},  // untrimmed: the pattern allows no leading space
      {"AB123456C ", false, false},  // nor one after the suffix
  });
}

// Compiled expressions are cached, but a malformed pattern is never taken as compiled.
TEST(RegExValidator, MalformedPatternThrowsOnEveryCall) {
  const CRegExValidator validator("([A-Z]");
  for (int call = 0; call < 3; ++call) {
    EXPECT_THROW(validator.Validate("A", true), std::regex_error);
    EXPECT_THROW(validator.Validate("A", false), std::regex_error);
  }
}

TEST(RegExValidator, BackReferencesWork) {
  expect_validations("([a-z])\\1", {{"aa", true, true}, {"ab", true, false}, {"aA", false, true}});
}

// More patterns than the cache holds, each checked several times over: old entries make room
// and every answer stays right.
TEST(RegExValidator, ManyDifferentPatternsStayCorrect) {
  for (int round = 0; round < 3; ++round) {
    for (int length = 1; length <= 150; ++length) {
      const CRegExValidator validator("a{" + std::to_string(length) + "}");
      ASSERT_TRUE(validator.Validate(std::string(static_cast<std::size_t>(length), 'a'), true)) << length;
      ASSERT_FALSE(validator.Validate(std::string(static_cast<std::size_t>(length) + 1, 'a'), true)) << length;
    }
  }
}

TEST(RegExValidator, GivesTheSameAnswersFromSeveralThreads) {
  const std::pair<std::string, bool> checks[] = {
      {"AB123456C", true}, {"ab 12 34 56 c", true}, {"DA123456C", false}, {"AB123456E", false},
  };
  std::vector<std::thread> threads;
  std::vector<int> wrong(4, 0);
  for (std::size_t t = 0; t < wrong.size(); ++t) {
    threads.emplace_back([&checks, &wrong, t] {
      for (int i = 0; i < 200; ++i) {
        for (const auto& check : checks) {
          const CRegExValidator validator(CRegExValidator::NIN_RE);
          if (validator.Validate(check.first, false) != check.second) ++wrong[t];
        }
        // A pattern of this thread's own, so that threads also add entries at the same time.
        const CRegExValidator own("t" + std::to_string(t) + "-" + std::to_string(i % 80));
        if (!own.Validate("T" + std::to_string(t) + "-" + std::to_string(i % 80), false)) ++wrong[t];
      }
    });
  }
  for (std::thread& thread : threads) thread.join();
  for (std::size_t t = 0; t < wrong.size(); ++t) EXPECT_EQ(wrong[t], 0) << "thread " << t;
}

}  // namespace
