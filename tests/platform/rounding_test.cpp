#include "platform/rounding.h"

#include <cmath>
#include <limits>

#include <gtest/gtest.h>

#include "rounding_sweep.h"

namespace {

struct RoundingCase {
  double value;
  int decimals;
  int mode;
  double expected;
};

// Half-way points, which binary doubles hold just above or just below the half.
TEST(Rounding, HalfAwayFromZeroRoundsTheDecimalValueMeant) {
  const RoundingCase cases[] = {
      {2.675, 2, 2, 2.68},   {1.005, 2, 2, 1.01},     {-2.5, 0, 2, -3.0},     {2.5, 0, 2, 3.0},
      {0.5, 0, 2, 1.0},      {-0.5, 0, 2, -1.0},      {1.015, 2, 2, 1.02},    {1.025, 2, 2, 1.03},
      {8.345, 2, 2, 8.35},   {-1.005, 2, 2, -1.01},   {2.674999, 2, 2, 2.67}, {1234567.125, 2, 2, 1234567.13},
      {0.285, 2, 2, 0.29},   {4.35 * 100, 0, 2, 435}, {99.995, 2, 2, 100.0},  {999999.5, 0, 2, 1000000.0},
      {0.004, 2, 2, 0.0},    {0.005, 2, 2, 0.01},     {1250.0, -2, 2, 1300.0}, {1249.0, -2, 2, 1200.0},
  };
  for (const RoundingCase& c : cases) {
    EXPECT_EQ(ttround(c.value, c.decimals, c.mode), c.expected)
        << c.value << " to " << c.decimals << " places, mode " << c.mode;
  }
}

TEST(Rounding, OtherModes) {
  const RoundingCase cases[] = {
      {2.679, 2, 0, 2.67},  {-2.679, 2, 0, -2.67}, {2.671, 2, 1, 2.68},  {-2.671, 2, 1, -2.68},
      {2.67, 2, 1, 2.67},   {2.665, 2, 3, 2.66},   {2.675, 2, 3, 2.68},  {2.5, 0, 3, 2.0},
      {3.5, 0, 3, 4.0},     {2.5001, 0, 3, 3.0},   {2.675, 2, 9, 2.68},  {0.0001, 2, 1, 0.01},
  };
  for (const RoundingCase& c : cases) {
    EXPECT_EQ(ttround(c.value, c.decimals, c.mode), c.expected)
        << c.value << " to " << c.decimals << " places, mode " << c.mode;
  }
}

TEST(Rounding, NeverGivesNegativeZeroAndLeavesNonFiniteValuesAlone) {
  EXPECT_FALSE(std::signbit(ttround(-0.004, 2, 2)));
  EXPECT_FALSE(std::signbit(ttround(-0.4, 0, 2)));
  EXPECT_TRUE(std::isnan(ttround(std::nan(""), 2, 2)));
  EXPECT_EQ(ttround(std::numeric_limits<double>::infinity(), 2, 2), std::numeric_limits<double>::infinity());
  const double largest = std::numeric_limits<double>::max();
  EXPECT_EQ(ttround(largest, 2, 2), largest);
}

TEST(Rounding, WholePenceSweepIsUnchanged) {
  for (int pence = -100000; pence <= 100000; pence += 7) {
    const double value = pence / 100.0;
    ASSERT_EQ(ttround(value, 2, 2), value) << value;
  }
}

// ttround answers most values by arithmetic; it must give bit for bit what the decimal reading
// gives. The table holds the values where the two could part: just either side of a half or a
// whole unit, results of 0 from a negative value, values at the edge of the arithmetic range.
TEST(Rounding, ArithmeticAndDecimalReadingAgree) {
  const struct {
    double value;
    int decimals;
  } cases[] = {
      {2.675, 2},        {1.005, 2},          {0.49999999999999994, 0}, {2.9999999999999996, 0},
      {-0.004, 2},       {0.1 + 0.2, 2},      {9.999999999999999e-3, 2}, {99999999999.995, 2},
      {99999999999.985, 2}, {1e13 / 100 - 0.005, 2}, {4503599627370495.5, 0}, {1e-300, 2},
      {-1e-300, 15},     {123.456789012345, 15}, {7337.0 * 178 / 365, 2}, {31350 * 0.32, 2},
  };
  for (const auto& c : cases) {
    for (int mode = 0; mode <= 4; ++mode) {
      EXPECT_TRUE(rounding_test::same_bits(ttround(c.value, c.decimals, mode),
                                           ttround_by_decimal_reading(c.value, c.decimals, mode)))
          << c.value << " to " << c.decimals << " places, mode " << mode;
    }
  }
  long differences = 0;
  rounding_test::rounding_sweep(8000, [&differences](double value, int decimals, int mode) {
    if (!rounding_test::same_bits(ttround(value, decimals, mode), ttround_by_decimal_reading(value, decimals, mode))) {
      if (++differences <= 10) ADD_FAILURE() << value << " to " << decimals << " places, mode " << mode;
    }
  });
  EXPECT_EQ(differences, 0);
}

TEST(MoneyComparison, IgnoresRepresentationNoiseOnly) {
  EXPECT_EQ(ttdoubcmp(0.1 + 0.2, 0.3), 0);
  EXPECT_EQ(ttdoubcmp(0.01, 0.0), 1);
  EXPECT_EQ(ttdoubcmp(0.0, 0.01), -1);
  EXPECT_EQ(ttdoubcmp(10000000.0, 10000000.0), 0);
  EXPECT_EQ(ttdoubcmp(10000000.01, 10000000.0), 1);
}

}  // namespace
