// A pattern and the whole-text test against it, with the two patterns the suite publishes.
#include <atomic>
#include <regex>
#include <utility>

#include "compiled_pattern_cache.h"
#include "qarntash/tax_rules/reference_numbers.h"

// Built by static initialisation, when the library is loaded and before any caller can run.
const std::string CRegExValidator::NIN_RE =
    "^([A-CEGHJ-PR-TW-Z][ ]*)([A-CEGHJ-NPR-TW-Z][ ]*)([0-9][ ]*)([0-9][ ]*)([0-9][ ]*)([0-9][ ]*)"
    "([0-9][ ]*)([0-9][ ]*)([A-DFM]?)$";
const std::string CRegExValidator::REGISTRATIONNUMBER_EXPRESSION =
    "^[A-Z0-9][A-Z0-9][A-Z0-9]?[A-Z0-9]?[A-Z0-9]?[A-Z0-9]?[A-Z0-9]?[A-Z0-9]?$";

namespace qarntash_internal {

namespace {

// Enough for every pattern the suite's programs use, each in both case options.
constexpr std::size_t kCachedPatterns = 64;

std::atomic<bool> g_cache_enabled{true};

// Made on first use, which is thread-safe, so that a validation run from another library's
// static initialisation still finds it built.
CompiledPatternCache& process_cache() {
  static CompiledPatternCache cache(kCachedPatterns);
  return cache;
}

}  // namespace

CompiledPattern compiled_pattern(const std::string& pattern, bool case_sensitive) {
  if (!g_cache_enabled.load(std::memory_order_relaxed)) return compile_pattern(pattern, case_sensitive);
  return process_cache().get(pattern, case_sensitive);
}

void set_compiled_pattern_cache_enabled(bool enabled) { g_cache_enabled.store(enabled); }

}  // namespace qarntash_internal

CRegExValidator::CRegExValidator(const std::string& pattern) : m_Pattern(pattern) {}
CRegExValidator::CRegExValidator(const CRegExValidator& other) = default;
CRegExValidator::CRegExValidator(CRegExValidator&& other) noexcept = default;
CRegExValidator& CRegExValidator::operator=(const CRegExValidator& other) = default;
CRegExValidator& CRegExValidator::operator=(CRegExValidator&& other) noexcept = default;
CRegExValidator::~CRegExValidator() = default;

bool CRegExValidator::Validate(const std::string& text, bool caseSensitive) const {
  const qarntash_internal::CompiledPattern compiled =
      qarntash_internal::compiled_pattern(m_Pattern, caseSensitive);
  return std::regex_match(text, *compiled);
}
