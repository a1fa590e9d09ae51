// Decimal rounding of money. The value is read to 15 significant digits, all that a double holds
// reliably, and rounded on those digits, so that 2.675 (stored as 2.67499999999999982...) rounds
// as the 2.675 that was meant.
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

}  // namespace

extern "C" {

double ttround(double value, int decimals, int mode) {
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
