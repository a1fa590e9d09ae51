// The cache behind CRegExValidator, tested on an instance of its own.
#include "tax_rules/compiled_pattern_cache.h"

#include <regex>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

namespace {

using qarntash_internal::CompiledPattern;
using qarntash_internal::CompiledPatternCache;

TEST(CompiledPatternCache, CompilesEachPatternAndCaseOptionOnce) {
  CompiledPatternCache cache(8);
  const CompiledPattern first = cache.get("[a-z]+", true);
  EXPECT_EQ(cache.get("[a-z]+", true), first);
  const CompiledPattern ignoring_case = cache.get("[a-z]+", false);
  EXPECT_NE(ignoring_case, first);
  EXPECT_EQ(cache.size(), 2u);
  EXPECT_FALSE(std::regex_match("ABC", *first));
  EXPECT_TRUE(std::regex_match("ABC", *ignoring_case));
}

TEST(CompiledPatternCache, NeverKeepsAFailedCompile) {
  CompiledPatternCache cache(8);
  for (int call = 0; call < 3; ++call) EXPECT_THROW(cache.get("a{2,1}", true), std::regex_error);
  EXPECT_EQ(cache.size(), 0u);
}

TEST(CompiledPatternCache, DropsTheLeastRecentlyUsedWhenFull) {
  CompiledPatternCache cache(2);
  const CompiledPattern a = cache.get("a", true);
  const CompiledPattern b = cache.get("b", false);
  EXPECT_EQ(cache.get("a", true), a);  // "a" is now more recent than "b"
  cache.get("c", true);
  EXPECT_EQ(cache.size(), 2u);
  EXPECT_EQ(cache.get("a", true), a);
  EXPECT_NE(cache.get("b", false), b);  // compiled again
  EXPECT_TRUE(std::regex_match("b", *b));  // a dropped expression stays usable by its holder
}

TEST(CompiledPatternCache, ThreadsAskingForOnePatternShareOneExpression) {
  CompiledPatternCache cache(4);
  std::vector<CompiledPattern> seen(4);
  std::vector<std::thread> threads;
  for (std::size_t t = 0; t < seen.size(); ++t) {
    threads.emplace_back([&cache, &seen, t] {
      for (int i = 0; i < 100; ++i) seen[t] = cache.get("^[0-9]{10}K?$", true);
    });
  }
  for (std::thread& thread : threads) thread.join();
  for (const CompiledPattern& pattern : seen) EXPECT_EQ(pattern, seen[0]);
  EXPECT_EQ(cache.size(), 1u);
}

}  // namespace
