#include "model/colour_helpers.h"
#include "runtime/runtime_error.h"
#include "support/fake_system_colors.h"

#include <gtest/gtest.h>

namespace tarvek {
namespace {

// Each step rounds to float once from a double expression and the channels
// are floored: (40, 239, 160) is (254, 255, 86), where float-only arithmetic
// gives (254, 254, 86) and rounding would give red 255.
TEST(ColourHelpersTest, HSBtoRGBMatchesTheKnownRamps)
{
  const struct {
    std::int16_t h, s, l;
    int r, g, b;
  } cases[] = {
    {0, 0, 239, 255, 255, 255},
    {0, 0, 0, 0, 0, 0},
    {100, 0, 0, 0, 0, 0},
    {239, 0, 0, 0, 0, 0},
    {0, 0, 120, 128, 128, 128},
    {170, 0, 120, 128, 128, 128},
    {0, 239, 120, 255, 1, 1},
    {239, 239, 120, 255, 1, 1},
    {80, 239, 120, 1, 255, 3},
    {160, 239, 120, 5, 1, 255},
    {40, 239, 160, 254, 255, 86},
  };
  for (const auto& c : cases) {
    const RGBParts p = HSBtoRGB(c.h, c.s, c.l);
    EXPECT_EQ(p.red, c.r) << "hsb " << c.h << " " << c.s << " " << c.l;
    EXPECT_EQ(p.green, c.g) << "hsb " << c.h << " " << c.s << " " << c.l;
    EXPECT_EQ(p.blue, c.b) << "hsb " << c.h << " " << c.s << " " << c.l;
  }
}

// Inputs are not range-checked, but a part beyond 16 bits must not wrap.
TEST(ColourHelpersTest, HSBtoRGBOutOfRangeOverflowThrows)
{
  EXPECT_THROW(HSBtoRGB(0, 0, 32767), RuntimeError);
}

TEST(ColourHelpersTest, partsOfAPlainColourValue)
{
  test::FakeSystemColors colors;
  EXPECT_EQ(getRed(0x00123456, colors), 0x56);
  EXPECT_EQ(getGreen(0x00123456, colors), 0x34);
  EXPECT_EQ(getBlue(0x00123456, colors), 0x12);
  EXPECT_EQ(getGreen(0x7F00FF00, colors), 0xFF);
  EXPECT_EQ(colors.lastIndex, -1) << "a plain colour must not consult the system colours";
}

// A negative value names a system colour by its low 31 bits; only its low
// 24 bits are a colour.
TEST(ColourHelpersTest, systemColourReferencesResolveThroughTheDesktop)
{
  test::FakeSystemColors colors;
  colors.colors[15] = 0xAB1E140A;
  const std::int32_t buttonFace = static_cast<std::int32_t>(0x8000000Fu);
  EXPECT_EQ(translateSysColor(buttonFace, colors), 0x001E140A);
  EXPECT_EQ(colors.lastIndex, 15);
  EXPECT_EQ(getRed(buttonFace, colors), 10);
  EXPECT_EQ(getGreen(buttonFace, colors), 20);
  EXPECT_EQ(getBlue(buttonFace, colors), 30);
  EXPECT_EQ(translateSysColor(static_cast<std::int32_t>(0x80000063u), colors), 0) << "no table entry";
}

} // namespace
} // namespace tarvek
