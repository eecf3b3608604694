#include "model/colour_helpers.h"

#include <QColor>
#include <gtest/gtest.h>

#include <cstdlib>

namespace tarvek {
namespace {

// Qt's HSL conversion is an independent tolerance oracle: flooring and the
// float steps may differ from its rounding by one, never more.
TEST(ColourOracleTest, HSBtoRGBStaysWithinOneOfQtsHsl)
{
  for (int h = 0; h <= 239; ++h)
    for (int s = 0; s <= 239; s += s == 238 ? 1 : 17)
      for (int l = 0; l <= 239; l += l == 238 ? 1 : 7) {
        const RGBParts p = HSBtoRGB(static_cast<std::int16_t>(h), static_cast<std::int16_t>(s),
                                    static_cast<std::int16_t>(l));
        // Hue 239 is a full turn.
        const QColor q = QColor::fromHslF(h == 239 ? 0.0f : h / 239.0f, s / 239.0f, l / 239.0f);
        ASSERT_LE(std::abs(p.red - q.red()), 1) << "hsb " << h << " " << s << " " << l;
        ASSERT_LE(std::abs(p.green - q.green()), 1) << "hsb " << h << " " << s << " " << l;
        ASSERT_LE(std::abs(p.blue - q.blue()), 1) << "hsb " << h << " " << s << " " << l;
      }
}

} // namespace
} // namespace tarvek
