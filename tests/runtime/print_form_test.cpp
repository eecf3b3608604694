#include "runtime/print_form.h"
#include "runtime/runtime_error.h"

#include <gtest/gtest.h>

#include <limits>

namespace tarvek {
namespace {

// Scene-style files carry floats in print form; readers split on blanks and
// read the leading number, so the sign position and trailing blank matter.
TEST(PrintFormTest, floatsKeepSevenDigitsAndSwitchToExponentOutsidePlainRange)
{
  const struct {
    float x;
    const char* expected;
  } cases[] = {
    {1.5f, " 1.5 "},
    {-2.25f, "-2.25 "},
    {12.0f, " 12 "},
    {0.5f, " .5 "},
    {-0.5f, "-.5 "},
    {0.1f, " .1 "},
    {1.0f / 3.0f, " .3333333 "},
    {0.0001f, " .0001 "},
    {0.00001f, " 1E-05 "},
    {12345678.0f, " 1.234568E+07 "},
    {1234567.9f, " 1234568 "},
    {9999999.0f, " 9999999 "},
    {1e7f, " 1E+07 "},
    {0.0f, " 0 "},
    {-0.0f, " 0 "},
    {1.234568e-05f, " 1.234568E-05 "},
    {std::numeric_limits<float>::max(), " 3.402824E+38 "},
    {-1e-30f, "-1E-30 "},
    {100.0f, " 100 "},
    {0.00012345678f, " .0001234568 "},
  };
  for (const auto& c : cases)
    EXPECT_EQ(printForm(c.x), c.expected) << "x " << c.x;
}

TEST(PrintFormTest, doublesKeepFifteenDigits)
{
  const struct {
    double x;
    const char* expected;
  } cases[] = {
    {0.1, " .1 "},
    {1.0 / 3.0, " .333333333333333 "},
    {2.0 / 3.0, " .666666666666667 "},
    {123456789012345.0, " 123456789012345 "},
    {1e15, " 1E+15 "},
    {999999999999999.9, " 1E+15 "},
    {static_cast<double>(0.1f), " .100000001490116 "},
    {-1e-300, "-1E-300 "},
  };
  for (const auto& c : cases)
    EXPECT_EQ(printForm(c.x), c.expected) << "x " << c.x;
}

TEST(PrintFormTest, integersHaveASignPositionAndTrailingBlank)
{
  EXPECT_EQ(printForm(std::int16_t{3}), " 3 ");
  EXPECT_EQ(printForm(std::int16_t{-32768}), "-32768 ");
  EXPECT_EQ(printForm(std::int32_t{0}), " 0 ");
  EXPECT_EQ(printForm(std::int32_t{-2147483647 - 1}), "-2147483648 ");
}

// Labels read best with the zero before the point and no blanks.
TEST(PrintFormTest, numberTextHasALeadingZeroAndNoBlanks)
{
  EXPECT_EQ(numberText(0.5f), "0.5");
  EXPECT_EQ(numberText(-0.5f), "-0.5");
  EXPECT_EQ(numberText(-2.25f), "-2.25");
  EXPECT_EQ(numberText(12.0f), "12");
  EXPECT_EQ(numberText(-0.0f), "0");
  EXPECT_EQ(numberText(0.00001f), "1E-05");
  EXPECT_EQ(numberText(0.1), "0.1");
  EXPECT_EQ(numberText(1.0 / 3.0), "0.333333333333333");
}

// NaN would be written as text that reads back as 0: refuse it.
TEST(PrintFormTest, nonFiniteValuesThrow)
{
  EXPECT_THROW(printForm(std::numeric_limits<float>::quiet_NaN()), RuntimeError);
  EXPECT_THROW(printForm(std::numeric_limits<double>::infinity()), RuntimeError);
  EXPECT_THROW(numberText(-std::numeric_limits<float>::infinity()), RuntimeError);
}

// The scene atom line of the file format's own example: six values, one per zone.
TEST(PrintLineTest, numbersStartAtTheNextZone)
{
  PrintLine line;
  line << 1.5f << -2.25f << 12.0f << std::int16_t{3} << std::int32_t{7} << std::int32_t{255};
  EXPECT_EQ(line.str(), " 1.5          -2.25          12            3             7             255 ");
}

// An item that fills its zone to the last column leaves no blank before the
// next zone start, so the next item moves one zone further.
TEST(PrintLineTest, anItemEndingInTheLastColumnPushesTheNextOneAZoneFurther)
{
  PrintLine numbers;
  numbers << 1.234568E-05f << std::int16_t{2};
  EXPECT_EQ(numbers.str(), " 1.234568E-05                2 ");

  PrintLine texts;
  texts << "C" << "12345678901234" << "1";
  EXPECT_EQ(texts.str(), "C             12345678901234              1");

  PrintLine longer;
  longer << "123456789012345678" << "x";
  EXPECT_EQ(longer.str(), "123456789012345678          x");
}

TEST(PrintLineTest, columnsCountCharactersNotBytes)
{
  PrintLine line;
  line << "\xC3\x85" << 1.0f;
  EXPECT_EQ(line.str(), "\xC3\x85" + std::string(13, ' ') + " 1 ");
}

TEST(PrintLineTest, anEmptyFirstItemStillTakesTheFirstZone)
{
  PrintLine line;
  line << "" << "a";
  EXPECT_EQ(line.str(), std::string(14, ' ') + "a");
}

} // namespace
} // namespace tarvek
