#include "runtime/math_util.h"

#include <gtest/gtest.h>

#include <cmath>

namespace tarvek {
namespace {

// Ties keep the first argument, which only signed zeros can show.
TEST(MathUtilTest, minAndMaxKeepTheFirstArgumentOnATie)
{
  EXPECT_FALSE(std::signbit(minD(0.0, -0.0)));
  EXPECT_TRUE(std::signbit(maxD(-0.0, 0.0)));
  EXPECT_EQ(max3D(1.0, 3.0, 2.0), 3.0);
}

TEST(MathUtilTest, toBoolIsTheLowestBit)
{
  EXPECT_TRUE(toBool(-3));
  EXPECT_TRUE(toBool(-1));
  EXPECT_FALSE(toBool(4));
  EXPECT_FALSE(toBool(2));
}

// The arc functions clamp rather than return NaN, and use the decimal π.
TEST(MathUtilTest, arcFunctionsClampAndUseTheDecimalPi)
{
  EXPECT_EQ(ArcCosine(1.5), 0.0);
  EXPECT_EQ(ArcCosine(-1.0), 3.141592654);
  EXPECT_DOUBLE_EQ(ArcCosine(0.0), 2.0 * std::atan(1.0));
  EXPECT_EQ(ArcSine(-2.0), -3.141592654 / 2.0);
  EXPECT_EQ(ArcSine(2.0), 3.141592654 / 2.0);
}

TEST(MathUtilTest, angle2piTakesYFirstAndStaysInOneTurn)
{
  EXPECT_DOUBLE_EQ(angle2pi(-1, 0), 3.141592654 / 2 + 3.141592654);
  EXPECT_DOUBLE_EQ(angle2pi(0, -1), 3.141592654);
  EXPECT_DOUBLE_EQ(angle2pi(-1, 1), std::atan(-1.0) + 6.283185307);
  EXPECT_NEAR(angle2pi(-1, 1), 5.497787144, 1e-9);
  EXPECT_EQ(angle2pi(0, 0), 0.0);
  EXPECT_DOUBLE_EQ(angle2pi(1, 1), std::atan(1.0));
}

} // namespace
} // namespace tarvek
