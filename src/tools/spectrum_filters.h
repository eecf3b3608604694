// The disc and rectangle filters applied to a spectrum before its back transform.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace tarvek {

// The FFT element (x, y) shown at one display position of the spectrum view.
struct SpectrumIndex {
  std::int16_t x = 0;
  std::int16_t y = 0;
};

// A rectangle of display positions, both corners included.
struct SpectrumMask {
  std::int16_t xMin = 0;
  std::int16_t yMin = 0;
  std::int16_t xMax = 0;
  std::int16_t yMax = 0;
};

// The filter choices of the workspace. Radius and centre are in display
// positions; the disc test runs in floats, so a position exactly on the
// circle is cleared by both the low-pass and the high-pass disc.
struct SpectrumFilter {
  bool radial = false;
  bool lowPass = false;
  bool highPass = false;
  bool custom = false;
  float radius = 0.0f;
  float centerX = 0.0f;
  float centerY = 0.0f;
  std::span<const SpectrumMask> masks;
};

// One flag per display position (i, j), at n·i + j: true where the filter
// clears it. The masks are rasterised through one summed table, so the cost
// is n² whatever their number.
std::vector<bool> clearedPositions(std::int32_t n, const SpectrumFilter& filter);

// Clears the elements of an interleaved FFT buffer (element k at 2k+1, 2k+2,
// k = n·x + y) that the filter removes. displayIndex maps display position
// (i, j), at n·i + j, to its element.
void applySpectrumFilter(std::span<float> buffer, std::int32_t n,
                         std::span<const SpectrumIndex> displayIndex, const SpectrumFilter& filter);

} // namespace tarvek
