#include "runtime/int_convert.h"
#include "runtime/number_parse.h"
#include "runtime/runtime_error.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <string>

namespace tarvek {
namespace {

// Val reads the leading number only, with "." whatever the locale, and never
// the forms from_chars or strtod would add (a leading "+" aside).
TEST(ValTest, readsTheLeadingNumberOnly)
{
  const struct {
    const char* text;
    double expected;
  } cases[] = {
      {"  12.5abc", 12.5},
      {"\t-3", -3.0},
      {"+4", 4.0},
      {".5", 0.5},
      {"-.5", -0.5},
      {"5.", 5.0},
      {"1e3", 1000.0},
      {"1E-05", 0.00001},
      {"2e", 2.0},
      {"2e+", 2.0},
      {"1.2.3", 1.2},
      {"1,5", 1.0},
      {"1 5", 1.0},
      {"1d3", 1.0},
      {"- 5", 0.0},
      {"", 0.0},
      {"abc", 0.0},
      {"&H10", 0.0},
      {"0x10", 0.0},
      {"inf", 0.0},
      {"nan", 0.0},
      {"-", 0.0},
      {".", 0.0},
      {"1e-999", 0.0},
      {"0.000001e-320", 0.0},
      {"1E-999", 0.0},
      {"+.5E+1x", 5.0},
  };
  for (const auto& c : cases)
    EXPECT_EQ(Val(c.text), c.expected) << "text \"" << c.text << "\"";
}

// Beyond the double range is an overflow, however the size is written.
TEST(ValTest, valuesBeyondTheDoubleRangeThrow)
{
  const std::string hugeDigits = "1" + std::string(400, '0');
  for (const std::string& text : {std::string("1e999"), std::string("-1.5E+400"), hugeDigits,
                                 hugeDigits + "e-10", std::string("1e99999999999999999999"),
                                 std::string("12e9223372036854775807")})
    EXPECT_THROW(Val(text), RuntimeError) << "text \"" << text << "\"";
  EXPECT_EQ(Val(hugeDigits + "e-395"), 1e5);
  EXPECT_EQ(Val("0.012e-9223372036854775807"), 0.0);
}

// leadingNumber tells a text without a number, or one too large, from 0.
TEST(ValTest, leadingNumberSaysWhenNoNumberStartsTheText)
{
  const struct {
    const char* text;
    std::optional<double> expected;
  } cases[] = {
    {"  12.5abc", 12.5}, {"0", 0.0},          {"-0.0", 0.0},        {".5x", 0.5},
    {"60 12", 60.0},     {"1e-999", 0.0},     {"", std::nullopt},   {"abc", std::nullopt},
    {"nan", std::nullopt}, {"inf", std::nullopt}, {"-", std::nullopt}, {".", std::nullopt},
    {"1e999", std::nullopt}, {"-1e400", std::nullopt},
  };
  for (const auto& c : cases)
    EXPECT_EQ(leadingNumber(c.text), c.expected) << "text \"" << c.text << "\"";
}

// Halves go to the even neighbour; the range check comes before the cast.
TEST(IntConvertTest, CIntRoundsHalfToEvenWithinRange)
{
  const struct {
    double x;
    std::int16_t expected;
  } cases[] = {
    {2.5, 2}, {3.5, 4}, {-2.5, -2}, {-0.5, 0}, {79.67, 80}, {32767.4, 32767}, {-32768.5, -32768},
  };
  for (const auto& c : cases)
    EXPECT_EQ(CInt(c.x), c.expected) << "x " << c.x;
}

TEST(IntConvertTest, overflowThrowsInsteadOfWrapping)
{
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  for (double x : {32767.5, -32768.6, 40000.0, nan, inf, -inf})
    EXPECT_THROW(CInt(x), RuntimeError) << "x " << x;
  for (double x : {2147483647.5, 1e10, -2147483649.0, nan, inf})
    EXPECT_THROW(CLng(x), RuntimeError) << "x " << x;
  EXPECT_EQ(CLng(-2147483648.5), -2147483647 - 1);
  EXPECT_EQ(CLng(2147483646.5), 2147483646);
}

TEST(IntConvertTest, overflowMessageNamesTheNumberAndTheRange)
{
  try {
    CInt(40000.0);
    FAIL() << "no exception";
  } catch (const RuntimeError& e) {
    EXPECT_STREQ(e.what(), "The number 40000 is too large (allowed: -32768 to 32767).");
  }
}

} // namespace
} // namespace tarvek
