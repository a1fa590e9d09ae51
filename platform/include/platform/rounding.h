// File: platform/rounding.h
//
// Rounding and comparison of money. Every program of the suite rounds through ttround so that the
// same figure rounds the same way everywhere.
//
// ttround rounds the decimal value that a double stands for, not its binary approximation: 2.675
// is held as 2.67499999999999982..., yet ttround(2.675, 2, 2) is 2.68, as a person working the
// figure by hand would expect. The value is first read to 15 significant digits (all that a
// double holds reliably), then rounded in decimal.
//
// Modes:
//   0  toward zero (truncate):              2.679 -> 2.67,  -2.679 -> -2.67
//   1  away from zero (any fraction up):    2.671 -> 2.68,  -2.671 -> -2.68
//   2  half away from zero (the suite's):   2.675 -> 2.68,  -2.5 -> -3 (0 places)
//   3  half to even (banker's rounding):    2.665 -> 2.66,   2.675 -> 2.68
// Any other mode is taken as mode 2. `decimals` runs from -15 (round to 10^15) to 15; values
// outside are clamped. NaN and infinities come back unchanged.
#pragma once

#include "platform/export.h"

extern "C" {
PLATFORM_API double ttround(double value, int decimals, int mode);

// The same rounding worked only by reading the value's 15 significant digits as text. ttround
// answers most values by arithmetic and gives the rest to this; it is kept whole so that tests and
// benchmarks can check that both agree on every input.
PLATFORM_API double ttround_by_decimal_reading(double value, int decimals, int mode);

// Compares two amounts: 1 when a is the greater, -1 when b is, 0 when they differ by less than a
// millionth of a pound (differences that small are the binary representation's, not the money's).
PLATFORM_API int ttdoubcmp(double a, double b);
}
