#include "runtime/number_format.h"
#include "runtime/runtime_error.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <cstring>
#include <limits>

namespace tarvek {
namespace {

// Float inputs format from the float's own shortest decimal (0.1f is not
// 0.100000001…) and round it half away from zero (0.0625 gives 0.063, where
// printf's binary rounding gives 0.062).
TEST(FormatTest, floatsRoundTheirShortestDecimalHalfAwayFromZero)
{
  const struct {
    float value;
    const char* mask;
    const char* expected;
  } cases[] = {
    {0.0f, "0.0##", "0.0"},
    {12.0f, "0.0###", "12.0"},
    {12.34567f, "0.0###", "12.3457"},
    {0.0625f, "0.000", "0.063"},
    {1.0005f, "0.000", "1.001"},
    {2.675f, "0.00", "2.68"},
    {-0.0004f, "0.000", "0.000"},
    {-0.0005f, "0.000", "-0.001"},
    {-0.0f, "0.0", "0.0"},
    {0.5f, "0%", "50%"},
    {0.125f, "0%", "13%"},
    {2.0f, "0%", "200%"},
    {0.0f, "0%", "0%"},
    {static_cast<float>(193.0 / 255.0), "0.0#", "0.76"},
    {1.0f, "0.0#", "1.0"},
    {1e10f, "0.000", "10000000000.000"},
    {-12.34567f, "0.0000", "-12.3457"},
    {0.00001f, "0.000000", "0.000010"},
    {0.005f, "0.0##", "0.005"},
    {9.9996f, "0.000", "10.000"},
    {0.95f, "0.0", "1.0"},
    {0.04f, "0.0", "0.0"},
    {0.05f, "0.0", "0.1"},
    {-2.0f, "0.0##", "-2.0"},
    {1.23456f, "0.00000", "1.23456"},
    {7.5f, "0", "8"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(Format(c.value, c.mask), c.expected) << "value " << c.value << " mask " << c.mask;
}

// Doubles use the double's shortest decimal: 1.42f widened and scaled is
// 1.348999959…, which must not round as the float 1.349 would.
TEST(FormatTest, doublesUseTheirOwnShortestDecimal)
{
  const double bond = 1.42f;
  EXPECT_EQ(Format(bond * 0.95, "0.0##"), "1.349");
  EXPECT_EQ(Format(bond * 1.05, "0.0##"), "1.491");
  EXPECT_EQ(Format(0.1, "0.000000"), "0.100000");
  EXPECT_EQ(Format(static_cast<double>(0.1f), "0.000000000"), "0.100000001");
  EXPECT_EQ(Format(1e300, "0.0"), "1" + std::string(300, '0') + ".0");
  EXPECT_EQ(Format(-5e-324, "0.0##"), "0.0");
}

TEST(FormatTest, integersArePaddedAndScaled)
{
  const struct {
    std::int64_t value;
    const char* mask;
    const char* expected;
  } cases[] = {
    {7, "000", "007"},
    {1234, "000", "1234"},
    {0, "000", "000"},
    {-7, "000", "-007"},
    {12, "0.0##", "12.0"},
    {2, "0%", "200%"},
    {std::numeric_limits<std::int64_t>::min(), "0", "-9223372036854775808"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(Format(c.value, c.mask), c.expected) << "value " << c.value << " mask " << c.mask;
}

TEST(FormatTest, nonFiniteValuesAndUnknownMasksThrow)
{
  EXPECT_THROW(Format(std::numeric_limits<float>::quiet_NaN(), "0.0"), RuntimeError);
  EXPECT_THROW(Format(std::numeric_limits<double>::infinity(), "0.0##"), RuntimeError);
  EXPECT_THROW(Format(-std::numeric_limits<double>::infinity(), "0%"), RuntimeError);
  for (const char* mask : {"", "#.0", "0.0x", "0,0", "0%0", ".0"})
    EXPECT_THROW(Format(1.0, mask), RuntimeError) << "mask \"" << mask << "\"";
}

// The second run of these tests sets a comma locale; make sure it really did,
// or that run would prove nothing.
TEST(FormatTest, commaLocaleRunHasACommaLocale)
{
  if (std::getenv("TARVEK_TEST_LOCALE") == nullptr)
    GTEST_SKIP() << "not the comma-locale run";
  EXPECT_STREQ(std::localeconv()->decimal_point, ",");
}

} // namespace
} // namespace tarvek
