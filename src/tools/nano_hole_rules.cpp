// Small rules of the nano-hole array window: the profile plot, the panel's place and the brightness repeat.
#include "tools/nano_hole_rules.h"

#include <algorithm>
#include <cmath>

namespace tarvek {

std::vector<ProfilePoint> profilePoints(std::span<const float> values, float max, int innerHeight)
{
  const double k = (innerHeight - 5) / static_cast<double>(max);
  std::vector<ProfilePoint> points;
  points.reserve(values.size());
  for (std::size_t i = 0; i < values.size(); ++i) {
    const double y = std::nearbyint(innerHeight - k * values[i]);
    // A value far beyond max is clipped to the integer range; it is off the panel anyway.
    points.push_back({static_cast<int>(i), static_cast<int>(std::clamp(y, -1e6, 1e6))});
  }
  return points;
}

int profilePanelTop(int pointerY, int innerHeight, int panelHeight)
{
  return pointerY <= innerHeight + 10 ? pointerY + 10 : pointerY - 10 - panelHeight;
}

BrightnessTick brightnessTick(std::string_view tag)
{
  if (tag == "1")
    return BrightnessTick::Darker;
  if (tag == "2")
    return BrightnessTick::Brighter;
  if (tag.empty())
    return BrightnessTick::Stop;
  return BrightnessTick::Nothing;
}

} // namespace tarvek
