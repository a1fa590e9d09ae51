// Inputs that try ttround's arithmetic path against its decimal reading: whole pence and half
// pence, values a few units in the last place either side of every rounding boundary at 0, 1 and
// 2 decimals, random doubles over many magnitudes, and the values at the ends of the range.
//
// rounding_sweep(scale, check) calls check(value, decimals, mode) for each input and mode; the
// suite runs a small scale, bench/ttround_sweep.cpp a scale of more than 10^8 comparisons.
#pragma once

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>

namespace rounding_test {

// Bitwise equality, so that -0 and 0 differ and a NaN equals the same NaN.
inline bool same_bits(double a, double b) {
  std::uint64_t x, y;
  std::memcpy(&x, &a, sizeof x);
  std::memcpy(&y, &b, sizeof y);
  return x == y;
}

template <typename Check>
void every_mode(double value, int decimals, Check& check) {
  for (int mode = 0; mode <= 4; ++mode) check(value, decimals, mode);  // 4: any other mode, taken as 2
}

// `scale` sets how many inputs of each kind: about 40 * scale comparisons in all.
template <typename Check>
void rounding_sweep(long scale, Check check) {
  // Whole pence and half pence from -scale/2 to scale/2 pounds in steps of half a penny, as
  // decimals 0, 1 and 2 see them; then the same grid spread out to +-10 million pounds.
  for (long i = -scale; i <= scale; ++i) {
    const double value = static_cast<double>(i) / 200.0;
    for (int decimals = 0; decimals <= 2; ++decimals) every_mode(value, decimals, check);
  }
  std::mt19937_64 random(20260917);
  std::uniform_int_distribution<long long> half_pence(-2000000000LL, 2000000000LL);
  for (long i = 0; i < scale; ++i) every_mode(static_cast<double>(half_pence(random)) / 200.0, 2, check);

  // A few units in the last place either side of n and n + 0.5 units of 0, 1 and 2 decimals.
  std::uniform_int_distribution<long long> whole(0, 99999999LL);
  for (long i = 0; i < scale / 16; ++i) {
    const int decimals = static_cast<int>(i % 3);
    const double unit = decimals == 0 ? 1.0 : decimals == 1 ? 0.1 : 0.01;
    const double n = static_cast<double>(i < 2000 ? i : whole(random));
    for (double boundary : {n * unit, (n + 0.5) * unit, (2 * n + 1) / (decimals == 0 ? 2.0 : decimals == 1 ? 20.0 : 200.0)}) {
      double below = boundary, above = boundary;
      for (int step = 0; step < 4; ++step) {
        every_mode(below, decimals, check);
        every_mode(-above, decimals, check);
        below = std::nextafter(below, -1.0);
        above = std::nextafter(above, 2e300);
      }
    }
  }

  // Random doubles from 1e-20 to 1e20, and any bit pattern at all, at decimals -3 to 16.
  std::uniform_real_distribution<double> mantissa(1.0, 10.0);
  std::uniform_int_distribution<int> exponent(-20, 20);
  std::uniform_int_distribution<int> places(-3, 16);
  std::uniform_int_distribution<std::uint64_t> bits;
  for (long i = 0; i < scale / 2; ++i) {
    const double value = mantissa(random) * std::pow(10.0, exponent(random)) * (i % 2 == 0 ? 1 : -1);
    every_mode(value, places(random), check);
    const std::uint64_t pattern = bits(random);
    double any;
    std::memcpy(&any, &pattern, sizeof any);
    every_mode(any, static_cast<int>(i % 4), check);
  }

  // The ends of the range, where the arithmetic path must step aside.
  const double limits[] = {0.0, -0.0, std::numeric_limits<double>::denorm_min(), std::numeric_limits<double>::min(),
                           std::numeric_limits<double>::max(), std::numeric_limits<double>::infinity(),
                           std::numeric_limits<double>::quiet_NaN(), 1e13, 1e13 - 0.5, 99999999999999.99,
                           999999999999.995, 1e15, 1e300, 0.5, 0.05, 0.005, 0.049999999999999996};
  for (double value : limits) {
    for (int decimals = -16; decimals <= 17; ++decimals) {
      every_mode(value, decimals, check);
      every_mode(-value, decimals, check);
    }
  }
}

}  // namespace rounding_test
