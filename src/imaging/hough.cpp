// Circle Hough transform: offsets, edge strength, voting and peaks.
#include "imaging/hough.h"

#include "runtime/picture_budget.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace tarvek {

namespace {

constexpr float kLargestRadius = 32767.0f;
// The decimal the sample angles have always used, not the full 2 pi.
constexpr double kTwoPi = 6.28318530717959;

std::int32_t sampleCount(float r)
{
  const float n = std::nearbyint(r * 8.0f);
  return n >= 1.0f ? static_cast<std::int32_t>(n) : 0;
}

int edgeAt(const std::uint8_t* p, std::size_t stride)
{
  const std::uint8_t* up = p - stride;
  const std::uint8_t* down = p + stride;
  const int gy = (down[-1] + 2 * down[0] + down[1]) - (up[-1] + 2 * up[0] + up[1]);
  const int gx = (up[1] + 2 * p[1] + down[1]) - (up[-1] + 2 * p[-1] + down[-1]);
  return std::abs(gx) + std::abs(gy);
}

std::string refusal(const RedLevels& red, float r)
{
  // The range first: an infinite radius has no sample count.
  if (!(r <= kLargestRadius) || sampleCount(r) == 0)
    return "The atom radius must be above 0.0625 and at most 32767 pixels.";
  // The search is held to the picture budget its pictures were read under.
  if (red.width > kLargestPictureSide || red.height > kLargestPictureSide)
    return "The picture is too large to search: at most " + std::to_string(kLargestPictureSide)
           + " pixels wide and high.";
  if (red.width < 0 || red.height < 0
      || std::int64_t{red.width} * red.height > kLargestPicturePixels)
    return "The picture is too large to search: at most "
           + std::to_string(kLargestPicturePixels / 1'000'000) + " megapixels.";
  if (red.red.size() != static_cast<std::size_t>(red.width) * static_cast<std::size_t>(red.height))
    return "The picture's pixels do not match its size.";
  return std::string();
}

struct Maxima {
  std::uint32_t all = 0;    // every cell
  std::uint32_t inner = 0;  // without the one-cell border
};

// Takes row y of the cells into the maxima.
void foldRow(Maxima& m, const std::uint32_t* row, std::int32_t y, std::int32_t width,
             std::int32_t height)
{
  if (width <= 0)
    return;
  if (y == 0 || y == height - 1 || width < 3) {
    m.all = std::max(m.all, *std::max_element(row, row + width));
    return;
  }
  const std::uint32_t inner = *std::max_element(row + 1, row + width - 1);
  m.inner = std::max(m.inner, inner);
  m.all = std::max({m.all, inner, row[0], row[width - 1]});
}

// The peaks among the inner cells, given the inner cells' largest value.
// Doubled votes give the same peaks: doubling is exact on both sides of every
// comparison.
std::vector<HoughPeak> peaksAbove(const std::uint32_t* cells, std::int32_t width,
                                  std::int32_t height, std::uint32_t innerMax)
{
  std::vector<HoughPeak> peaks;
  const std::ptrdiff_t w = width;
  const double threshold = innerMax * 0.7;
  for (std::int32_t y = 1; y < height - 1; ++y) {
    const std::uint32_t* row = cells + y * w;
    for (std::int32_t x = 1; x < width - 1; ++x) {
      const std::uint32_t* c = row + x;
      const std::uint32_t a = *c;
      if (!(a > threshold))
        continue;
      if (a > c[-w - 1] && a > c[-w] && a > c[-w + 1] && a > c[-1]
          && a >= c[1] && a >= c[w - 1] && a >= c[w] && a >= c[w + 1])
        peaks.push_back({x, y});
    }
  }
  return peaks;
}

} // namespace

std::vector<HoughOffset> houghOffsets(float r)
{
  const std::int32_t n = sampleCount(r);
  std::vector<HoughOffset> offsets;
  for (std::int32_t i = 0; i < n; ++i) {
    const double angle = i * kTwoPi / n;
    const HoughOffset o{static_cast<std::int32_t>(std::nearbyint(r * std::cos(angle))),
                        static_cast<std::int32_t>(std::nearbyint(r * std::sin(angle)))};
    if (offsets.empty() || o.dx != offsets.back().dx || o.dy != offsets.back().dy)
      offsets.push_back(o);
  }
  return offsets;
}

double edgeValue(const RedLevels& red, std::int32_t x, std::int32_t y)
{
  const std::size_t stride = static_cast<std::size_t>(red.width);
  const std::uint8_t* p = red.red.data() + static_cast<std::size_t>(y) * stride + static_cast<std::size_t>(x);
  return edgeAt(p, stride) / 2.0;
}

HoughResult houghSearch(const RedLevels& red, float r)
{
  HoughResult result;
  houghSearch(red, r, result);
  return result;
}

void houghSearch(const RedLevels& red, float r, HoughResult& result)
{
  result.width = 0;
  result.height = 0;
  result.accumulator.clear();
  result.max = 0.0;
  result.peaks.clear();
  result.error = refusal(red, r);
  if (!result.error.empty())
    return;
  const std::int32_t w = red.width;
  const std::int32_t h = red.height;
  const std::vector<HoughOffset> offsets = houghOffsets(r);
  result.width = w;
  result.height = h;
  result.accumulator.assign(static_cast<std::size_t>(w) * static_cast<std::size_t>(h), 0);

  // Centres of pixels at least `reach` from every edge stay inside the
  // picture for every offset: there the votes go by flat index, unchecked.
  std::int32_t reach = 0;
  std::vector<std::ptrdiff_t> flat;
  for (const HoughOffset& o : offsets) {
    reach = std::max({reach, std::abs(o.dx), std::abs(o.dy)});
    flat.push_back(std::ptrdiff_t{o.dy} * w + o.dx);
  }
  const std::size_t stride = static_cast<std::size_t>(w);
  std::uint32_t* votes = result.accumulator.data();
  // Twice the edge strength of each pixel of a row, worked out for the whole
  // row first: a plain loop the compiler vectorises.
  std::vector<int> twiceEdge(stride, 0);
  // A row gets no more votes once the rows within reach below it are done:
  // its maxima are taken then, while it is still in the cache.
  Maxima maxima;
  std::int32_t nextFinal = 0;
  for (std::int32_t y = 1; y < h - 1; ++y) {
    const std::uint8_t* row = red.red.data() + static_cast<std::size_t>(y) * stride;
    for (std::int32_t x = 1; x < w - 1; ++x)
      twiceEdge[static_cast<std::size_t>(x)] = edgeAt(row + x, stride);
    const bool rowInside = y >= reach && y < h - reach;
    for (std::int32_t x = 1; x < w - 1; ++x) {
      const auto e = static_cast<std::uint32_t>(twiceEdge[static_cast<std::size_t>(x)]);
      if (e == 0)
        continue;
      if (rowInside && x >= reach && x < w - reach) {
        std::uint32_t* centre = votes + static_cast<std::ptrdiff_t>(y) * w + x;
        for (const std::ptrdiff_t d : flat)
          centre[d] += e;
        continue;
      }
      for (const HoughOffset& o : offsets) {
        const std::int32_t px = x + o.dx;
        const std::int32_t py = y + o.dy;
        if (px >= 0 && px < w && py >= 0 && py < h)
          votes[static_cast<std::size_t>(py) * stride + static_cast<std::size_t>(px)] += e;
      }
    }
    for (; nextFinal <= y - reach; ++nextFinal)
      foldRow(maxima, votes + std::ptrdiff_t{nextFinal} * w, nextFinal, w, h);
  }
  for (; nextFinal < h; ++nextFinal)
    foldRow(maxima, votes + std::ptrdiff_t{nextFinal} * w, nextFinal, w, h);
  result.max = maxima.all / 2.0;
  result.peaks = peaksAbove(votes, w, h, maxima.inner);
}

std::optional<std::vector<std::uint8_t>> voteMapGrey(const HoughResult& result)
{
  if (!(result.max > 0.0))
    return std::nullopt;
  std::vector<std::uint8_t> grey(result.accumulator.size());
  std::transform(result.accumulator.begin(), result.accumulator.end(), grey.begin(),
                 [max = result.max](std::uint32_t twice) {
                   const double a = twice / 2.0;
                   return static_cast<std::uint8_t>(std::nearbyint(a * 255.0 / max));
                 });
  return grey;
}

std::vector<HoughPeak> houghPeaks(std::span<const std::uint32_t> cells, std::int32_t width,
                                  std::int32_t height)
{
  if (width < 3 || height < 3
      || cells.size() < static_cast<std::size_t>(width) * static_cast<std::size_t>(height))
    return {};
  Maxima maxima;
  for (std::int32_t y = 0; y < height; ++y)
    foldRow(maxima, cells.data() + std::ptrdiff_t{y} * width, y, width, height);
  return peaksAbove(cells.data(), width, height, maxima.inner);
}

} // namespace tarvek
