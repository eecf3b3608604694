#include "runtime/random_source.h"

#include <gtest/gtest.h>

#include <vector>

namespace tarvek {
namespace {

std::vector<double> draws(RandomSource& random, int n)
{
  std::vector<double> out;
  for (int i = 0; i < n; ++i)
    out.push_back(random.uniform());
  return out;
}

// A seed fixes the sequence, so runs and tests repeat.
TEST(RandomSourceTest, seedFixesTheSequence)
{
  RandomSource a(12), b(12), c(13), byDefault, defaultSeed(RandomSource::kDefaultSeed);
  const auto first = draws(a, 1000);
  EXPECT_EQ(first, draws(b, 1000));
  EXPECT_NE(first, draws(c, 1000));
  EXPECT_EQ(draws(byDefault, 10), draws(defaultSeed, 10));
}

TEST(RandomSourceTest, drawsLieInTheHalfOpenUnitInterval)
{
  RandomSource random(3);
  double low = 1.0, high = 0.0, sum = 0.0;
  const int n = 100000;
  for (double x : draws(random, n)) {
    ASSERT_GE(x, 0.0);
    ASSERT_LT(x, 1.0);
    low = std::min(low, x);
    high = std::max(high, x);
    sum += x;
  }
  EXPECT_LT(low, 0.001);
  EXPECT_GT(high, 0.999);
  EXPECT_NEAR(sum / n, 0.5, 0.01);
}

} // namespace
} // namespace tarvek
