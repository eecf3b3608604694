// Val and leadingNumber against the from_chars routine they replaced, bit for bit.
#include "number_parse_reference.h"

#include "runtime/number_parse.h"
#include "runtime/print_form.h"
#include "runtime/random_source.h"
#include "runtime/runtime_error.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <charconv>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

namespace tarvek {
namespace {

std::size_t pick(RandomSource& random, std::size_t count)
{
  return static_cast<std::size_t>(random.uniform() * static_cast<double>(count));
}

// Same value, same sign of zero, same "no number" and same overflow.
void expectSameAsReference(const std::vector<std::string>& texts)
{
  for (const std::string& text : texts) {
    bool tooLarge = false;
    const std::optional<double> expected = test::reference::leadingNumber(text, tooLarge);
    const std::optional<double> got = leadingNumber(text);
    ASSERT_EQ(got.has_value(), expected.has_value()) << "text \"" << text << "\"";
    if (expected) {
      ASSERT_EQ(std::bit_cast<std::uint64_t>(*got), std::bit_cast<std::uint64_t>(*expected))
          << "text \"" << text << "\" read " << *got << " instead of " << *expected;
    }
    if (tooLarge) {
      EXPECT_THROW(Val(text), RuntimeError) << "text \"" << text << "\"";
    } else {
      ASSERT_EQ(std::bit_cast<std::uint64_t>(Val(text)),
                std::bit_cast<std::uint64_t>(expected.value_or(0.0)))
          << "text \"" << text << "\"";
    }
  }
}

// The texts a scene file holds: the print form of floats of every exponent
// (both signs, the zeros, the extremes), with its blanks and trimmed, and the
// shortest forms of floats and doubles, whose 16 and 17 digits sit on both
// sides of the whole numbers a double holds exactly.
std::vector<std::string> sceneTexts()
{
  std::vector<float> floats{0.0f, -0.0f, std::numeric_limits<float>::max(),
                            std::numeric_limits<float>::min(),
                            std::numeric_limits<float>::denorm_min()};
  for (std::uint32_t exponent = 0; exponent < 255; ++exponent) {
    for (std::uint32_t step = 0; step < 64; ++step) {
      const std::uint32_t bits = exponent << 23 | (step * 131071 + step * 7);
      floats.push_back(std::bit_cast<float>(bits));
      floats.push_back(-std::bit_cast<float>(bits));
    }
  }
  std::vector<std::string> texts;
  char shortest[64];
  for (float f : floats) {
    const std::string print = printForm(f);
    texts.push_back(print);
    const auto first = print.find_first_not_of(' ');
    texts.push_back(print.substr(first, print.find_last_not_of(' ') + 1 - first));
    texts.push_back(std::string(shortest, std::to_chars(shortest, shortest + 64, f).ptr));
    const double d = static_cast<double>(f) * (1.0 + 1.0 / 3.0);
    texts.push_back(std::string(shortest, std::to_chars(shortest, shortest + 64, d).ptr));
    texts.push_back(std::string(
        shortest, std::to_chars(shortest, shortest + 64, d, std::chars_format::fixed).ptr));
  }
  return texts;
}

// Digit strings of every length up to 25 with the point at every place,
// every exponent from -30 to 30 and none, both signs: both sides of every
// limit of the quick path (19 digits, 2^53, a power of ten of 22).
std::vector<std::string> digitTexts()
{
  RandomSource random(20270311);
  std::vector<std::string> texts;
  for (std::size_t length = 1; length <= 25; ++length) {
    std::string digits;
    // No leading zero, so the length is the count of significant digits.
    digits += static_cast<char>('1' + pick(random, 9));
    for (std::size_t k = 1; k < length; ++k)
      digits += static_cast<char>('0' + pick(random, 10));
    for (std::size_t point = 0; point <= length; ++point) {
      const std::string number = digits.substr(0, point) + "." + digits.substr(point);
      for (int exponent = -31; exponent <= 30; ++exponent) {
        const std::string suffix = exponent < -30 ? "" : "e" + std::to_string(exponent);
        texts.push_back(number + suffix);
        texts.push_back("-" + number + suffix);
      }
    }
    texts.push_back(digits);
  }
  for (const char* whole : {"9007199254740992", "9007199254740993", "9007199254740991",
                            "18446744073709551615", "18446744073709551616", "9999999999999999999",
                            "10000000000000000000"}) {
    texts.push_back(whole);
    texts.push_back(std::string(whole) + "e-22");
    texts.push_back(std::string(whole) + "e22");
    texts.push_back(std::string("0.") + whole);
  }
  return texts;
}

// Forms a reader meets in odd or hostile files.
std::vector<std::string> oddTexts()
{
  const std::string thirty(30, '9');
  return {"",         " ",         "\t",          " \t 7",      "+1.5",       "-+1",
          "+-1",      "--1",       "++1",         ".5",         "-.5",        "+.5",
          "5.",       "-5.",       ".",           "-.",         "-",          "+",
          "1e5",      "1E+05",     "1e-5",        "1e",         "1e+",        "1e-",
          ".e5",      "e5",        "1d5",         "1D5",        "&H10",       "&h1F",
          "0x1A",     "0X10",      "inf",         "-inf",       "infinity",   "nan",
          "NaN",      "1.2.3",     "12abc",       "1,5",        "-1,5",       ",5",
          "1 5",      "-0",        "-0.0",        "+0",         "0e999",      "-0e-999",
          "1e22",     "1e23",      "1e-22",       "1e-23",      "4.9e-324",   "2.4e-324",
          "1e-400",   "1e308",     "1.7976931348623157e308",    "1.8e308",    "-1e309",
          thirty,     "-" + thirty, "." + thirty,  thirty + "." + thirty,      thirty + "e-30",
          "1" + std::string(400, '0'), "0." + std::string(400, '0') + "1",
          "00000000000000000000000001", "1e99999999999999999999", "1e-99999999999999999999",
          "1.5\r",    "2\n",       "3\x80",       "\xff" "1"};
}

TEST(NumberInputTest, sceneFileTextsReadAsTheReferenceReadsThem)
{
  expectSameAsReference(sceneTexts());
}

TEST(NumberInputTest, digitStringsOfEveryLengthAndExponentReadAsTheReference)
{
  expectSameAsReference(digitTexts());
}

TEST(NumberInputTest, oddTextsReadAsTheReference)
{
  expectSameAsReference(oddTexts());
}

// Random bytes from a number's alphabet, so every way a number can stop
// partway turns up.
TEST(NumberInputTest, randomNumberLikeTextsReadAsTheReference)
{
  RandomSource random(20270312);
  const std::string alphabet = "0123456789012345678901234567890123456789..--+eE, \tx";
  std::vector<std::string> texts;
  for (int i = 0; i < 200000; ++i) {
    std::string text;
    const std::size_t length = pick(random, 24);
    for (std::size_t k = 0; k < length; ++k)
      text += alphabet[pick(random, alphabet.size())];
    texts.push_back(text);
  }
  expectSameAsReference(texts);
}

} // namespace
} // namespace tarvek
