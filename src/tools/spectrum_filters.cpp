// The disc and rectangle filters applied to a spectrum before its back transform.
#include "tools/spectrum_filters.h"

#include <algorithm>

namespace tarvek {

namespace {

// Marks the positions inside any mask: +1/−1 at the corners of each clipped
// rectangle, then a 2-D prefix sum counts the masks covering each position.
void markMasks(std::vector<bool>& cleared, std::int32_t n, std::span<const SpectrumMask> masks)
{
  const std::size_t side = static_cast<std::size_t>(n) + 1;
  std::vector<std::int32_t> corners(side * side, 0);
  bool any = false;
  for (const SpectrumMask& m : masks) {
    const int x0 = std::max<int>(m.xMin, 0);
    const int y0 = std::max<int>(m.yMin, 0);
    const int x1 = std::min<int>(m.xMax, n - 1);
    const int y1 = std::min<int>(m.yMax, n - 1);
    if (x0 > x1 || y0 > y1)
      continue;
    any = true;
    corners[x0 * side + y0] += 1;
    corners[(x1 + 1) * side + y0] -= 1;
    corners[x0 * side + (y1 + 1)] -= 1;
    corners[(x1 + 1) * side + (y1 + 1)] += 1;
  }
  if (!any)
    return;
  for (std::size_t i = 0; i < side; ++i)
    for (std::size_t j = 1; j < side; ++j)
      corners[i * side + j] += corners[i * side + j - 1];
  for (std::size_t i = 1; i < side; ++i)
    for (std::size_t j = 0; j < side; ++j)
      corners[i * side + j] += corners[(i - 1) * side + j];
  for (int i = 0; i < n; ++i)
    for (int j = 0; j < n; ++j)
      if (corners[i * side + j] > 0)
        cleared[static_cast<std::size_t>(i) * n + j] = true;
}

} // namespace

std::vector<bool> clearedPositions(std::int32_t n, const SpectrumFilter& filter)
{
  std::vector<bool> cleared(static_cast<std::size_t>(n) * static_cast<std::size_t>(n), false);
  if (filter.radial) {
    const float r2 = filter.radius * filter.radius;
    for (int i = 0; i < n; ++i) {
      const float dx = static_cast<float>(i) - filter.centerX;
      for (int j = 0; j < n; ++j) {
        const float dy = static_cast<float>(j) - filter.centerY;
        const float d2 = dy * dy + dx * dx;
        if ((filter.lowPass && d2 >= r2) || (filter.highPass && d2 <= r2))
          cleared[static_cast<std::size_t>(i) * n + j] = true;
      }
    }
  }
  if (filter.custom)
    markMasks(cleared, n, filter.masks);
  return cleared;
}

void applySpectrumFilter(std::span<float> buffer, std::int32_t n,
                         std::span<const SpectrumIndex> displayIndex, const SpectrumFilter& filter)
{
  if (!filter.radial && !filter.custom)
    return;
  const std::vector<bool> cleared = clearedPositions(n, filter);
  for (std::size_t p = 0; p < cleared.size(); ++p) {
    if (!cleared[p])
      continue;
    const SpectrumIndex e = displayIndex[p];
    const std::size_t k = static_cast<std::size_t>(n) * e.x + e.y;
    buffer[2 * k + 1] = 0.0f;
    buffer[2 * k + 2] = 0.0f;
  }
}

} // namespace tarvek
