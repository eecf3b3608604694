#include "model/vector_helpers.h"
#include "runtime/runtime_error.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>

namespace tarvek {
namespace {

TEST(VectorHelpersTest, lengthOfTheZeroVectorIsOne)
{
  EXPECT_EQ(V3Length({3.0f, 4.0f, 0.0f}), 5.0f);
  EXPECT_EQ(V3Length({0.0f, 0.0f, 0.0f}), 1.0f);
  EXPECT_EQ(V3Length({0.0f, -2.0f, 0.0f}), 2.0f);
}

// The sum runs in double: squares of 1e20 overflow a float but not the sum.
TEST(VectorHelpersTest, lengthSumsInDoubleAndRoundsOnce)
{
  EXPECT_EQ(V3Length({1e20f, 0.0f, 0.0f}), 1e20f);
  EXPECT_EQ(V3Length({1e-30f, 1e-30f, 0.0f}), static_cast<float>(1.4142135623730951e-30));
}

TEST(VectorHelpersTest, lengthBeyondTheFloatRangeThrows)
{
  const float inf = std::numeric_limits<float>::infinity();
  const std::array<std::array<float, 3>, 3> cases = {{{3e38f, 3e38f, 0.0f}, {inf, 0.0f, 0.0f}, {0.0f, 0.0f, -inf}}};
  for (const auto& v : cases)
    EXPECT_THROW(V3Length(v), RuntimeError) << v[0] << " " << v[1] << " " << v[2];
}

TEST(VectorHelpersTest, normalizeScalesByTheRoundedReciprocal)
{
  float x = 0.0f, y = 0.0f, z = 2.0f;
  V3Normalize(x, y, z);
  EXPECT_EQ(x, 0.0f);
  EXPECT_EQ(y, 0.0f);
  EXPECT_EQ(z, 1.0f);

  // Each part nearest to 1 / float(sqrt 3).
  x = y = z = 1.0f;
  V3Normalize(x, y, z);
  EXPECT_EQ(x, 0x1.279a74p-1f);
  EXPECT_EQ(y, 0x1.279a74p-1f);
  EXPECT_EQ(z, 0x1.279a74p-1f);

  // Dividing 6 by the length would give 0x1.f9089ep-1.
  x = 1.0f;
  y = 6.0f;
  z = 0.0f;
  V3Normalize(x, y, z);
  EXPECT_EQ(x, 0x1.50b06ap-3f);
  EXPECT_EQ(y, 0x1.f908a0p-1f);
  EXPECT_EQ(z, 0.0f);
}

TEST(VectorHelpersTest, normalizeLeavesTheZeroVectorUnchanged)
{
  float x = 0.0f, y = -0.0f, z = 0.0f;
  V3Normalize(x, y, z);
  EXPECT_EQ(x, 0.0f);
  EXPECT_TRUE(std::signbit(y));
  EXPECT_EQ(z, 0.0f);
}

// A subnormal length has a reciprocal beyond the float range.
TEST(VectorHelpersTest, normalizeOfASubnormalVectorThrows)
{
  float x = 1e-45f, y = 0.0f, z = 0.0f;
  EXPECT_THROW(V3Normalize(x, y, z), RuntimeError);
  EXPECT_EQ(x, 1e-45f);
  float big = 3e38f, other = 3e38f, zero = 0.0f;
  EXPECT_THROW(V3Normalize(big, other, zero), RuntimeError);
}

} // namespace
} // namespace tarvek
