// Compares ttround with its decimal reading over the rounding sweep at a large scale (by default
// 2.6 million, more than 10^8 comparisons) and prints the count and any difference.
//
//   ttround_sweep [scale]
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "platform/rounding.h"
#include "rounding_sweep.h"

int main(int argc, char** argv) {
  const long scale = argc > 1 ? std::atol(argv[1]) : 2600000;
  long comparisons = 0;
  long differences = 0;
  const auto start = std::chrono::steady_clock::now();
  rounding_test::rounding_sweep(scale, [&](double value, int decimals, int mode) {
    ++comparisons;
    const double fast = ttround(value, decimals, mode);
    const double reference = ttround_by_decimal_reading(value, decimals, mode);
    if (!rounding_test::same_bits(fast, reference) && ++differences <= 20) {
      std::printf("differ: %.17g to %d places, mode %d: %.17g against %.17g\n", value, decimals, mode, fast,
                  reference);
    }
  });
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::printf("%ld comparisons, %ld differences, %.1f s\n", comparisons, differences, seconds);
  return differences == 0 ? 0 : 1;
}
