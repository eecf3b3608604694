#include "shell/colour_ramp.h"

#include "model/colour_helpers.h"
#include "model/display_settings.h"

#include <gtest/gtest.h>

namespace tarvek {
namespace {

std::uint32_t hueColour(std::int16_t hue)
{
  const RGBParts p = HSBtoRGB(hue, 239, 160);
  return packColor(std::uint32_t(p.red), std::uint32_t(p.green), std::uint32_t(p.blue));
}

// Hues CInt(239 i / count), halves to even (119.5 gives 120), the last 239.
TEST(ColourRampTest, huesRunUpTo239)
{
  const struct {
    std::int32_t count;
    std::vector<std::int16_t> hues;
  } cases[] = {{3, {80, 159, 239}}, {6, {40, 80, 120, 159, 199, 239}}, {1, {239}}};
  for (const auto& c : cases) {
    const auto colours = makeColourRamp(c.count);
    ASSERT_EQ(colours.size(), c.hues.size() + 1) << c.count;
    for (std::size_t i = 0; i < c.hues.size(); ++i)
      EXPECT_EQ(colours[i + 1], hueColour(c.hues[i])) << c.count << " " << i;
  }
  EXPECT_EQ(makeColourRamp(0).size(), 1u);
  EXPECT_EQ(makeColourRamp(-2).size(), 1u);
  EXPECT_NE(hueColour(119), hueColour(120));
}

} // namespace
} // namespace tarvek
