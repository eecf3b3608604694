// The colour ramp that gives each wall or bundle tube its own bond colour.
#include "shell/colour_ramp.h"

#include "model/colour_helpers.h"
#include "model/display_settings.h"
#include "runtime/int_convert.h"

#include <algorithm>

namespace tarvek {

std::vector<std::uint32_t> makeColourRamp(std::int32_t count)
{
  std::vector<std::uint32_t> colours(static_cast<std::size_t>(std::max(count, 0)) + 1, 0u);
  for (std::int32_t i = 1; i <= count; ++i) {
    const std::int16_t hue = CInt(239.0 * i / count);
    const RGBParts rgb = HSBtoRGB(hue, 239, 160);
    colours[static_cast<std::size_t>(i)] = packColor(static_cast<std::uint32_t>(rgb.red),
                                                     static_cast<std::uint32_t>(rgb.green),
                                                     static_cast<std::uint32_t>(rgb.blue));
  }
  return colours;
}

} // namespace tarvek
