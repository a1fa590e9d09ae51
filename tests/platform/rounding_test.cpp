#include "platform/rounding.h"

#include <cmath>
#include <limits>

#include <gtest/gtest.h>

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

TEST(MoneyComparison, IgnoresRepresentationNoiseOnly) {
  EXPECT_EQ(ttdoubcmp(0.1 + 0.2, 0.3), 0);
  EXPECT_EQ(ttdoubcmp(0.01, 0.0), 1);
  EXPECT_EQ(ttdoubcmp(0.0, 0.01), -1);
  EXPECT_EQ(ttdoubcmp(10000000.0, 10000000.0), 0);
  EXPECT_EQ(ttdoubcmp(10000000.01, 10000000.0), 1);
}

}  // namespace
