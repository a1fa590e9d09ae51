// FormatNIN::FormatWithValidation on a valid and an invalid number, with the process-wide cache
// of compiled expressions and with the pattern compiled on every call. Compare the times of the
// pairs: the difference is what the cache saves each host call.
#include <benchmark/benchmark.h>

#include "qarntash/tax_rules/reference_numbers.h"
#include "tax_rules/compiled_pattern_cache.h"

namespace {

void FormatWithValidation(benchmark::State& state, const char* nin, bool cached) {
  qarntash_internal::set_compiled_pattern_cache_enabled(cached);
  const FormatNIN format;
  for (auto _ : state) benchmark::DoNotOptimize(format.FormatWithValidation(nin));
  qarntash_internal::set_compiled_pattern_cache_enabled(true);
}

BENCHMARK_CAPTURE(FormatWithValidation, valid_cached, "  ab 12 34 56 c ", true);
BENCHMARK_CAPTURE(FormatWithValidation, valid_uncached, "  ab 12 34 56 c ", false);
BENCHMARK_CAPTURE(FormatWithValidation, invalid_cached, "AO 12 34 56 E", true);
BENCHMARK_CAPTURE(FormatWithValidation, invalid_uncached, "AO 12 34 56 E", false);

}  // namespace
