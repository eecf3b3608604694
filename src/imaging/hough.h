// Circle Hough transform of one known radius: finds the discs of a picture.
#pragma once

#include "runtime/big_buffer.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace tarvek {

// The red channel of a picture, 0..255, top row first, width * height bytes.
struct RedLevels {
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::vector<std::uint8_t> red;
};

struct HoughOffset {
  std::int32_t dx = 0;
  std::int32_t dy = 0;
};

struct HoughPeak {
  std::int32_t x = 0;
  std::int32_t y = 0;
};

// A finished search, or the refusal message (error non-empty, all else empty).
struct HoughResult {
  std::int32_t width = 0;
  std::int32_t height = 0;
  // width * height cells, top row first, each holding twice its vote: a vote
  // is a sum of edge strengths, whole numbers of halves, so the doubled sums
  // are exact in 32 bits (a cell takes at most one vote of at most 1020 per
  // offset, and a radius has at most 262,136 offsets).
  BigVector<std::uint32_t> accumulator;
  double max = 0.0;                 // the largest vote of all cells
  std::vector<HoughPeak> peaks;     // in row order, top to bottom, left to right
  std::string error;

  bool ok() const { return error.empty(); }
};

// The circle of radius r in pixels as a list of centre offsets: n =
// round(8r) sample points (float, halves to even) at angles i * 2pi / n, each
// rounded half to even; a point equal to the offset stored last is dropped.
// Starts with (round(r), 0). Empty when n is 0.
std::vector<HoughOffset> houghOffsets(float r);

// The Sobel edge strength (|gx| + |gy|) / 2 at an inner pixel (1 <= x <=
// width - 2, 1 <= y <= height - 2): 0 to 1020.
double edgeValue(const RedLevels& red, std::int32_t x, std::int32_t y);

// Every inner pixel votes its edge strength for each centre at the offsets of
// houghOffsets(r) that lies inside the picture; the peaks are then listed by
// houghPeaks. Refused with a message, before anything is allocated: a radius
// with no sample point (8r below 0.5, also 0, negative and NaN) or above
// 32,767, a picture outside the picture budget (wider or higher than 32,767
// pixels or above 32 megapixels), and red levels that do not match the size.
HoughResult houghSearch(const RedLevels& red, float r);
// The same into result, whose vote array is kept from its last search, so a
// window that searches again takes no fresh memory for it.
void houghSearch(const RedLevels& red, float r, HoughResult& result);

// The vote map as grey levels, round(vote * 255 / max) halves to even, top
// row first; nothing when max is 0 (a picture without edges).
std::optional<std::vector<std::uint8_t>> voteMapGrey(const HoughResult& result);

// The local maxima of the inner cells of width * height vote cells, top row
// first, as houghSearch keeps them, that lie above 0.7 times the inner cells'
// largest vote. A cell must be strictly greater than its four neighbours that
// come before it in raster order and at least equal to the four after it, so a
// plateau of equal maxima gives one peak, its first cell. Nothing for fewer
// than 3 x 3 cells or fewer cells than the size says.
std::vector<HoughPeak> houghPeaks(std::span<const std::uint32_t> cells, std::int32_t width,
                                  std::int32_t height);

} // namespace tarvek
