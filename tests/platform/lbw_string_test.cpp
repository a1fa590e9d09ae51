#include "platform/lbw_string.h"

#include <gtest/gtest.h>

namespace {

TEST(PlatformString, BuildsFromTextAndTreatsNullAsEmpty) {
  EXPECT_STREQ(cLBW_STRING("abc").c_str(), "abc");
  EXPECT_STREQ(cLBW_STRING(static_cast<const char*>(nullptr)).c_str(), "");
  cLBW_STRING s("x");
  s = static_cast<const char*>(nullptr);
  EXPECT_TRUE(s.empty());
  s += static_cast<const char*>(nullptr);
  EXPECT_EQ(s.length(), 0);
}

TEST(PlatformString, CopiesAreIndependent) {
  cLBW_STRING a("first");
  cLBW_STRING b(a);
  b += " changed";
  EXPECT_EQ(a, cLBW_STRING("first"));
  EXPECT_EQ(b, cLBW_STRING("first changed"));
  EXPECT_NE(a, b);
  EXPECT_TRUE(a < b);
  EXPECT_EQ(a + cLBW_STRING("!"), cLBW_STRING("first!"));
}

TEST(PlatformString, FindsFromAPosition) {
  const cLBW_STRING s("abcabc");
  EXPECT_EQ(s.find("bc"), 1);
  EXPECT_EQ(s.find("bc", 2), 4);
  EXPECT_EQ(s.find("x"), -1);
  EXPECT_EQ(s.find(nullptr), -1);
  EXPECT_EQ(s.find("a", 99), -1);
}

TEST(PlatformString, FindAndReplaceFirstOrAll) {
  struct Case { const char* text; const char* from; const char* to; bool all; const char* expected; int count; };
  const Case cases[] = {
      {"AB/12/X", "/", "_", true, "AB_12_X", 2},
      {"AB/12/X", "/", "_", false, "AB_12/X", 1},
      {"aaa", "a", "aa", true, "aaaaaa", 3},  // replacements are not searched again
      {"abc", "", "x", true, "abc", 0},
      {"abc", "b", "", true, "ac", 1},
      {"abc", "z", "y", true, "abc", 0},
  };
  for (const Case& c : cases) {
    cLBW_STRING s(c.text);
    EXPECT_EQ(s.find_and_replace(c.from, c.to, c.all), c.count) << c.text << " " << c.from;
    EXPECT_STREQ(s.c_str(), c.expected) << c.text << " " << c.from;
  }
}

}  // namespace
