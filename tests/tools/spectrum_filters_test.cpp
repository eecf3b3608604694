// Tests of the spectrum filters and masks of the complex image workspace.
#include "complex_image_probe.h"

#include "runtime/runtime_error.h"
#include "tools/spectrum_filters.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace tarvek {
namespace {

using Probe = ComplexImageProbe;
using test::BoundWorkspace;

std::size_t keptCount(const std::vector<bool>& cleared)
{
  return static_cast<std::size_t>(std::count(cleared.begin(), cleared.end(), false));
}

// Counted independently in doubles around the centre 255.5: how many display
// positions lie strictly inside and exactly on a circle of squared radius r2.
std::pair<int, int> insideAndOn(double r2)
{
  int inside = 0;
  int on = 0;
  for (int i = 0; i < 512; ++i) {
    for (int j = 0; j < 512; ++j) {
      const double d2 = (i - 255.5) * (i - 255.5) + (j - 255.5) * (j - 255.5);
      inside += d2 < r2;
      on += d2 == r2;
    }
  }
  return {inside, on};
}

// The disc keeps the positions strictly inside for low-pass and strictly
// outside for high-pass; a position on the circle is cleared by both.
TEST(SpectrumFilterTest, discsSplitTheViewAtTheCircle)
{
  BoundWorkspace w;
  auto& c = w.workspace;
  struct Case {
    float radius;
    int inside;
    int on;
  };
  // 3.5355339 squared is exactly 12.5 in floats.
  for (const Case& k : {Case{10.0f, 316, 0}, Case{3.5355339f, 32, 12}}) {
    ASSERT_EQ(k.radius * k.radius == 12.5f, k.on == 12);
    EXPECT_EQ(insideAndOn(static_cast<double>(k.radius * k.radius)), std::make_pair(k.inside, k.on));
    c.SetFilterRad(k.radius);
    EXPECT_EQ(c.FilterCenterX, 255.5f);
    EXPECT_EQ(c.FilterCenterY, 255.5f);
    SpectrumFilter f{true, true, false, false, c.FilterRadius, c.FilterCenterX, c.FilterCenterY, {}};
    EXPECT_EQ(keptCount(clearedPositions(512, f)), static_cast<std::size_t>(k.inside)) << k.radius;
    f.lowPass = false;
    f.highPass = true;
    EXPECT_EQ(keptCount(clearedPositions(512, f)),
              static_cast<std::size_t>(512 * 512 - k.inside - k.on)) << k.radius;
  }
  const SpectrumFilter zero{true, true, false, false, 0.0f, 255.5f, 255.5f, {}};
  EXPECT_EQ(keptCount(clearedPositions(512, zero)), 0u);
}

// The selection commands set the flags; choosing the mask filter empties the
// list, and the corners of a mask are stored ordered.
TEST(SpectrumFilterTest, selectionAndMasks)
{
  BoundWorkspace w(8);
  auto& c = w.workspace;
  c.SetFilterFT(2);
  EXPECT_TRUE(c.FilterOn && c.FilterRadial && c.FilterLowPass && !c.FilterHighPass && !c.FilterCustom);
  c.SetFilterFT(3);
  EXPECT_TRUE(c.FilterOn && c.FilterRadial && c.FilterHighPass && !c.FilterLowPass);
  c.AddMask(10, 20, 5, 2);
  EXPECT_EQ(c.MaskCount, 1);
  EXPECT_EQ(c.GetMask(0), (std::array<double, 4>{5, 2, 10, 20}));
  c.SetFilterFT(4);
  EXPECT_TRUE(c.FilterOn && c.FilterCustom && !c.FilterRadial);
  EXPECT_EQ(c.MaskCount, 0);
  EXPECT_EQ(c.GetMask(0), (std::array<double, 4>{5, 2, 10, 20})) << "the rectangles stay";
  c.SetFilterFT(7);
  EXPECT_FALSE(c.FilterOn || c.FilterCustom || c.FilterRadial);
  EXPECT_THROW(c.GetMask(1000), RuntimeError);
  EXPECT_THROW(c.GetMask(-1), RuntimeError);
  for (int i = 0; i < clComplexImage::kMaxMasks; ++i)
    c.AddMask(static_cast<std::int16_t>(i % 8), 0, 0, 0);
  EXPECT_THROW(c.AddMask(1, 1, 2, 2), RuntimeError);
  EXPECT_EQ(c.MaskCount, clComplexImage::kMaxMasks);
}

// Masks clear their rectangles, both corners included, however they overlap.
TEST(SpectrumFilterTest, masksClearTheirRectanglesInclusive)
{
  const std::vector<SpectrumMask> masks = {{1, 1, 2, 3}, {2, 2, 4, 2}, {-5, 7, 0, 99}, {6, 6, 5, 5}};
  SpectrumFilter f;
  f.custom = true;
  f.masks = masks;
  const std::vector<bool> cleared = clearedPositions(8, f);
  for (int i = 0; i < 8; ++i) {
    for (int j = 0; j < 8; ++j) {
      const bool expected = (i >= 1 && i <= 2 && j >= 1 && j <= 3) || (i >= 2 && i <= 4 && j == 2) ||
                            (i == 0 && j == 7);
      EXPECT_EQ(cleared[static_cast<std::size_t>(i) * 8 + j], expected) << i << "," << j;
    }
  }
}

// A mask over the whole view leaves nothing to transform back: the result
// canvas keeps its picture. A low-pass disc keeps only the low frequencies,
// found through the display map.
TEST(SpectrumFilterTest, backTransformAppliesTheFilterInTheDisplayFrame)
{
  BoundWorkspace w(16);
  auto& c = w.workspace;
  RandomSource random(5);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x)
      w.image.setPixel(x, y, static_cast<std::uint32_t>(random.uniform() * 256.0) * 0x010101u);
  c.runFOURN(1, false);
  w.result.clear(0x123456);
  c.SetFilterFT(4);
  c.AddMask(0, 0, 15, 15);
  c.runFOURN(0, false);
  for (const auto& e : Probe::resultPlane(c))
    ASSERT_EQ(e.re, 0.0f);
  EXPECT_EQ(w.result.pixel(3, 3), 0x123456u);

  // Radius 1 around (7.5, 7.5) keeps the four display positions next to the
  // centre, which show FFT indices 0 and 1 in both directions.
  c.SetFilterFT(2);
  c.SetFilterRad(1.0f);
  const auto spectrumBefore = Probe::spectrum(c);
  c.runFOURN(0, false);
  std::vector<float> buffer(2 * 256 + 1, 1.0f);
  std::vector<SpectrumIndex> map(256);
  for (int i = 0; i < 16; ++i)
    for (int j = 0; j < 16; ++j) {
      const auto [x, y] = Probe::displayIndex(c, i, j);
      map[static_cast<std::size_t>(i) * 16 + j] = {static_cast<std::int16_t>(x), static_cast<std::int16_t>(y)};
    }
  applySpectrumFilter(buffer, 16, map, {true, true, false, false, 1.0f, 7.5f, 7.5f, {}});
  std::vector<int> kept;
  for (int k = 0; k < 256; ++k)
    if (buffer[2 * k + 1] != 0.0f)
      kept.push_back(k);
  EXPECT_EQ(kept, (std::vector<int>{0, 1, 16, 17}));
  EXPECT_EQ(Probe::spectrum(c).size(), spectrumBefore.size());
  EXPECT_EQ(Probe::spectrum(c)[5].re, spectrumBefore[5].re) << "the filter works on a copy";
}

} // namespace
} // namespace tarvek
