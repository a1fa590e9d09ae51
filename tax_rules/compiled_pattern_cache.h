// File: tax_rules/compiled_pattern_cache.h (private to the library)
//
// Compiled regular expressions, kept so that a pattern is not compiled again on every
// validation. CRegExValidator keeps only its pattern text; compiling it costs far more than
// matching a short field against it, and the same few patterns are checked over and over.
//
// The cache is keyed by the pattern and the case option. It never keeps a failed compile: a
// malformed pattern throws std::regex_error from every lookup, as it would without a cache. It
// holds at most `capacity` expressions and drops the least recently used one to make room, so a
// host that builds patterns on the fly cannot make it grow without end. It is safe to use from
// several threads at once; a compiled expression is never changed after it is made, and an entry
// dropped while a caller still matches with it lives until that caller lets go.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <regex>
#include <string>

namespace qarntash_internal {

using CompiledPattern = std::shared_ptr<const std::regex>;

// Compiles `pattern` with the ECMAScript grammar, ignoring case unless `case_sensitive`.
// Throws std::regex_error when the pattern is malformed.
inline CompiledPattern compile_pattern(const std::string& pattern, bool case_sensitive) {
  std::regex::flag_type flags = std::regex::ECMAScript;
  if (!case_sensitive) flags |= std::regex::icase;
#if defined(__GLIBCXX__)
  // libstdc++ matches ECMAScript expressions by backtracking with a stack frame per step, so a
  // NIN field holding 100,000 spaces, checked against "[ ]*", overflows the stack and kills the
  // host. Its __polynomial option gives the same yes/no answers without that recursion (and in
  // time bounded by the text's length times the pattern's size), but it cannot follow a
  // back-reference ("(a)\1"); a pattern that has one is compiled the ordinary way.
  try {
    return std::make_shared<const std::regex>(pattern, flags | std::regex_constants::__polynomial);
  } catch (const std::regex_error& error) {
    if (error.code() != std::regex_constants::error_complexity) throw;
  }
#endif
  return std::make_shared<const std::regex>(pattern, flags);
}

class CompiledPatternCache {
 public:
  explicit CompiledPatternCache(std::size_t capacity) : capacity_(capacity > 0 ? capacity : 1) {}
  CompiledPatternCache(const CompiledPatternCache&) = delete;
  CompiledPatternCache& operator=(const CompiledPatternCache&) = delete;

  // The compiled expression for the pattern and case option, compiled now when it is not held.
  // Throws std::regex_error when the pattern is malformed.
  CompiledPattern get(const std::string& pattern, bool case_sensitive) {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      if (CompiledPattern held = find_locked(pattern, case_sensitive)) return held;
    }
    // Compiled outside the lock: a slow compile must not hold up the other threads. Two threads
    // may compile the same pattern at once; the first to finish is kept.
    CompiledPattern compiled = compile_pattern(pattern, case_sensitive);
    std::lock_guard<std::mutex> lock(mutex_);
    if (CompiledPattern held = find_locked(pattern, case_sensitive)) return held;
    if (size_locked() >= capacity_) drop_least_recently_used();
    entries_[case_sensitive ? 1 : 0].emplace(pattern, Entry{compiled, ++clock_});
    return compiled;
  }

  std::size_t size() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return size_locked();
  }

 private:
  struct Entry {
    CompiledPattern compiled;
    std::uint64_t last_use;
  };
  // std::less<> lets a lookup use the caller's string without copying it into a key.
  using Entries = std::map<std::string, Entry, std::less<>>;

  // The held expression, marked as just used; null when it is not held. Called under the lock.
  CompiledPattern find_locked(const std::string& pattern, bool case_sensitive) {
    Entries& entries = entries_[case_sensitive ? 1 : 0];
    const auto found = entries.find(pattern);
    if (found == entries.end()) return nullptr;
    found->second.last_use = ++clock_;
    return found->second.compiled;
  }

  std::size_t size_locked() const { return entries_[0].size() + entries_[1].size(); }

  // A linear search: the cache is small and this runs only when a new pattern meets a full cache.
  void drop_least_recently_used() {
    Entries* oldest_entries = nullptr;
    Entries::iterator oldest;
    for (Entries& entries : entries_) {
      for (auto it = entries.begin(); it != entries.end(); ++it) {
        if (oldest_entries == nullptr || it->second.last_use < oldest->second.last_use) {
          oldest_entries = &entries;
          oldest = it;
        }
      }
    }
    if (oldest_entries != nullptr) oldest_entries->erase(oldest);
  }

  mutable std::mutex mutex_;
  Entries entries_[2];  // [0] ignoring case, [1] case-sensitive
  std::uint64_t clock_ = 0;
  const std::size_t capacity_;
};

// The library's compiled expression for the pattern: from its one process-wide cache, or
// compiled afresh when the cache is switched off.
CompiledPattern compiled_pattern(const std::string& pattern, bool case_sensitive);

// Switches the process-wide cache on (the default) or off. Only the benchmark turns it off, to
// measure what the cache saves; it reaches this because it links the library's objects directly.
void set_compiled_pattern_cache_enabled(bool enabled);

}  // namespace qarntash_internal
