// The readers' coordinate parser against the data-file number field rules.
#include "formats/structure_text.h"
#include "runtime/number_field.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <string>

namespace tarvek::test {
namespace {

// What readNumberField makes of a field, as a coordinate.
std::optional<float> byFieldRules(const std::string& text)
{
  const FieldNumber number = readNumberField(text);
  if (!number.ok() || std::fabs(number.value) > std::numeric_limits<float>::max())
    return std::nullopt;
  return static_cast<float>(number.value);
}

void expectSame(const std::string& text)
{
  const std::optional<float> got = coordinateOf(text);
  const std::optional<float> want = byFieldRules(text);
  ASSERT_EQ(got.has_value(), want.has_value()) << '"' << text << '"';
  if (got) {
    std::uint32_t a = 0, b = 0;
    std::memcpy(&a, &*got, 4);
    std::memcpy(&b, &*want, 4);
    // Bit for bit, so rounding and the sign of zero agree too.
    EXPECT_EQ(a, b) << '"' << text << '"' << " gives " << *got << ", not " << *want;
  }
}

// Short decimals take an exact shortcut; long mantissas, large exponents,
// commas and Fortran exponents the general parser. Both must round as the
// field rules do.
TEST(CoordinateParseTest, agreesWithTheFieldRulesBitForBit)
{
  const char* const cases[] = {
      "0",        "-0",         "+0.0",        "1.230000",     "-12.425000",  ".5",
      "5.",       "1,5",        "-1,25e1",     "2.5D-02",      "2.579040d+01", "1e22",
      "1e23",     "1e-22",      "1e-23",       "9007199254740993",           "12345678901234567890",
      "0.1000000000000000055511151231257827", "3.4028234e38", "3.4028236e38", "-3.5e38",
      "1e-400",   "-1e-400",    "1e400",       "1e99999999999", "0.000000000000000000000000000000000000000000001",
      "1.4e-45",  "7e-46",      "1.234.5",     "1-2",          "12.5abc",     "1e",
      "1e+",      "1E5x",       "nan",         "inf",          "-",           ".",
      "  4.5  ",  "\t-3\t",     "",            "0x10",         "00000000000000000000001.5",
      "1.17549435e-38",         "16777217",    "0.30000000000000004",
  };
  for (const char* text : cases)
    expectSame(text);

  // Random decimals of every length and exponent.
  std::mt19937_64 random(7);
  for (int k = 0; k < 200000; ++k) {
    std::string text = random() % 4 == 0 ? "-" : "";
    const int whole = static_cast<int>(random() % 12);
    const int fraction = static_cast<int>(random() % 14);
    for (int d = 0; d < whole; ++d)
      text += static_cast<char>('0' + random() % 10);
    if (fraction > 0 || whole == 0) {
      text += random() % 8 == 0 ? ',' : '.';
      for (int d = 0; d < std::max(fraction, 1); ++d)
        text += static_cast<char>('0' + random() % 10);
    }
    if (random() % 3 == 0)
      text += (random() % 5 == 0 ? "D" : "e") + std::to_string(static_cast<int>(random() % 90) - 45);
    expectSame(text);
  }
}

} // namespace
} // namespace tarvek::test
