// Decimal rounding of money. The value is read to 15 significant digits, all that a double holds
// reliably, and rounded on those digits, so that 2.675 (stored as 2.67499999999999982...) rounds
// as the 2.675 that was meant.
//
// Reading the digits costs a formatted print and a parse (about half a microsecond), so ttround
// first tries arithmetic: scale the value to the kept unit, and when the scaled value is far enough
// from every boundary of its mode that the 15-digit reading cannot move it across one, the whole
// part (or the next) is the answer. Only values within a few units in the last place of a
// boundary, and values outside the range where the scaled value is exact, take the decimal reading.
#include "platform/rounding.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

constexpr int kSignificantDigits = 15;
constexpr int kMaxDecimals = 15;
constexpr double kMoneyTolerance = 0.000001;

enum RoundingMode { kTowardZero = 0, kAwayFromZero = 1, kHalfAwayFromZero = 2, kHalfToEven = 3 };

// Decides whether the kept digits go up by one, from the first dropped digit and whether any
// later dropped digit is non-zero.
bool rounds_up(int mode, int last_kept_digit, int first_dropped, bool rest_non_zero) {
  switch (mode) {
    case kTowardZero:
      return false;
    case kAwayFromZero:
      return first_dropped != 0 || rest_non_zero;
    case kHalfToEven:
      if (first_dropped != 5 || rest_non_zero) return first_dropped >= 5;
      return last_kept_digit % 2 == 1;
    default:
      return first_dropped >= 5;
  }
}

// The powers of ten that a double holds exactly and the fast path divides by.
constexpr double kPowersOfTen[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
constexpr int kMaxFastDecimals = 15;
// The fast path keeps to scaled values below 10^13: their whole part and the answer are exact,
// and the 15-digit reading (which leaves a value of 10^14 or more unrounded) can never reach 10^14.
constexpr double kMaxFastScaled = 1e13;
// The 15-digit reading moves a value by at most half a unit in its 15th digit, 5e-15 of the value;
// the scaling adds at most one rounding (1.1e-16). Twice their sum keeps a clear margin.
constexpr double kBoundaryMargin = 1.1e-14;

// Rounds |value| (finite, not 0) when arithmetic alone decides it: true and the rounded magnitude
// in `rounded`, or false when the decimal reading must decide.
bool round_by_arithmetic(double magnitude, int decimals, int mode, double& rounded) {
  if (decimals < 0 || decimals > kMaxFastDecimals) return false;
  const double power = kPowersOfTen[decimals];
  const double scaled = magnitude * power;
  if (!(scaled < kMaxFastScaled)) return false;
  const double whole = std::floor(scaled);
  const double fraction = scaled - whole;  // exact: scaled is below 2^52
  const double margin = scaled * kBoundaryMargin;
  bool up;
  switch (mode) {
    case kTowardZero:
    case kAwayFromZero:
      // The boundaries are the whole numbers on either side.
      if (fraction <= margin || 1.0 - fraction <= margin) return false;
      up = mode == kAwayFromZero;
      break;
    default:
      // The boundary is the half; whole numbers are not boundaries (3 - 1e-16 and 3 + 1e-16 both
      // round to 3), and neither is 0, where the nearest rule gives 0 on either side.
      if (std::fabs(fraction - 0.5) <= margin) return false;
      up = fraction > 0.5;
      break;
  }
  rounded = (up ? whole + 1.0 : whole) / power;  // correctly rounded, as strtod of "<digits>e-<decimals>"
  return true;
}

}  // namespace

extern "C" {

double ttround(double value, int decimals, int mode) {
  if (!std::isfinite(value) || value == 0.0) return value;
  double rounded;
  if (round_by_arithmetic(std::fabs(value), decimals, mode, rounded)) {
    if (rounded == 0.0) return 0.0;  // never -0
    return value < 0 ? -rounded : rounded;
  }
  return ttround_by_decimal_reading(value, decimals, mode);
}

double ttround_by_decimal_reading(double value, int decimals, int mode) {
  if (!std::isfinite(value) || value == 0.0) return value;
  if (decimals > kMaxDecimals) decimals = kMaxDecimals;
  if (decimals < -kMaxDecimals) decimals = -kMaxDecimals;

  // "d.dddddddddddddde+XX": 15 significant digits and a decimal exponent.
  char text[40];
  std::snprintf(text, sizeof text, "%.*e", kSignificantDigits - 1, std::fabs(value));
  std::string digits;
  const char* p = text;
  for (; *p != 'e'; ++p) {
    if (*p != '.') digits.push_back(*p);
  }
  const int exponent = std::atoi(p + 1);

  // digits[i] stands for 10^(exponent - i); keep those down to 10^-decimals.
  const int keep = exponent + decimals + 1;
  if (keep >= kSignificantDigits) return value;  // nothing to drop

  // A leading zero gives room for a carry (9.99 -> 10.0) and for rounding below the first digit.
  std::string kept = "0";
  int first_dropped = 0;
  bool rest_non_zero = false;
  if (keep > 0) {
    kept += digits.substr(0, keep);
    first_dropped = digits[keep] - '0';
    rest_non_zero = digits.find_first_not_of('0', keep + 1) != std::string::npos;
  } else {
    first_dropped = keep == 0 ? digits[0] - '0' : 0;
    rest_non_zero = digits.find_first_not_of('0', keep == 0 ? 1 : 0) != std::string::npos;
  }
  const int last_kept = kept.back() - '0';
  if (rounds_up(mode, last_kept, first_dropped, rest_non_zero)) {
    int i = static_cast<int>(kept.size()) - 1;
    while (kept[i] == '9') kept[i--] = '0';
    kept[i] = static_cast<char>(kept[i] + 1);
  }

  // kept's last digit stands for 10^-decimals.
  std::string result = kept + "e" + std::to_string(-decimals);
  const double magnitude = std::strtod(result.c_str(), nullptr);
  if (magnitude == 0.0) return 0.0;  // never -0, which a report would show as "-0.00"
  return value < 0 ? -magnitude : magnitude;
}

int ttdoubcmp(double a, double b) {
  const double difference = a - b;
  if (difference >= kMoneyTolerance) return 1;
  if (difference <= -kMoneyTolerance) return -1;
  return 0;
}

}  // extern "C"
