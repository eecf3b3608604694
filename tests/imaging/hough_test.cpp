// Circle Hough transform: discs drawn in the test are found at their
// centres; offsets, edge strength, peaks and refusals on their own.
#include "imaging/hough.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace tarvek {
namespace {

using Peaks = std::vector<std::pair<int, int>>;

RedLevels plain(int w, int h, std::uint8_t level)
{
  return RedLevels{w, h, std::vector<std::uint8_t>(static_cast<std::size_t>(w) * h, level)};
}

// Every pixel with (x - cx)^2 + (y - cy)^2 <= R^2 (and above inner^2 for a
// ring).
void disc(RedLevels& red, double cx, double cy, double outer, std::uint8_t level, double inner = -1)
{
  const int top = std::max(0, static_cast<int>(std::floor(cy - outer)));
  const int bottom = std::min(red.height - 1, static_cast<int>(std::ceil(cy + outer)));
  const int left = std::max(0, static_cast<int>(std::floor(cx - outer)));
  const int right = std::min(red.width - 1, static_cast<int>(std::ceil(cx + outer)));
  for (int y = top; y <= bottom; ++y) {
    for (int x = left; x <= right; ++x) {
      const double d2 = (x - cx) * (x - cx) + (y - cy) * (y - cy);
      if (d2 <= outer * outer && (inner < 0 || d2 > inner * inner))
        red.red[static_cast<std::size_t>(y) * red.width + x] = level;
    }
  }
}

Peaks pairsOf(const std::vector<HoughPeak>& found)
{
  Peaks peaks;
  for (const HoughPeak& p : found)
    peaks.emplace_back(p.x, p.y);
  return peaks;
}

Peaks peaksOf(const HoughResult& result)
{
  EXPECT_TRUE(result.ok()) << result.error;
  return pairsOf(result.peaks);
}

TEST(HoughTest, findsOneBlackDiscAtItsCentre)
{
  for (const int r : {3, 5, 8, 12}) {
    RedLevels red = plain(64, 64, 255);
    disc(red, 30, 33, r, 0);
    EXPECT_EQ(peaksOf(houghSearch(red, static_cast<float>(r))), (Peaks{{30, 33}})) << "R " << r;
  }
  RedLevels white = plain(64, 64, 0);
  disc(white, 30, 33, 7, 255);
  EXPECT_EQ(peaksOf(houghSearch(white, 7)), (Peaks{{30, 33}}));
  RedLevels nearEdge = plain(64, 64, 255);
  disc(nearEdge, 4, 30, 6, 0);
  EXPECT_EQ(peaksOf(houghSearch(nearEdge, 6)), (Peaks{{4, 30}}));
}

TEST(HoughTest, findsAGridOfDiscsInRowOrder)
{
  RedLevels red = plain(200, 160, 255);
  Peaks expected;
  for (int j = 0; j < 4; ++j) {
    for (int i = 0; i < 5; ++i) {
      disc(red, 25 + 36 * i, 25 + 36 * j, 6, 0);
      expected.emplace_back(25 + 36 * i, 25 + 36 * j);
    }
  }
  const HoughResult result = houghSearch(red, 6);
  EXPECT_EQ(peaksOf(result), expected);
  // The maxima the search takes row by row are those of the whole vote array.
  EXPECT_EQ(pairsOf(houghPeaks(result.accumulator, result.width, result.height)), expected);
}

// Ten thousand discs: the peak list has no fixed size.
TEST(HoughTest, findsTenThousandDiscs)
{
  RedLevels red = plain(1002, 1002, 255);
  for (int j = 0; j < 100; ++j)
    for (int i = 0; i < 100; ++i)
      disc(red, 6 + 10 * i, 6 + 10 * j, 3, 0);
  const HoughResult result = houghSearch(red, 3);
  ASSERT_EQ(result.peaks.size(), 10000u);
  for (std::size_t k = 0; k < result.peaks.size(); ++k) {
    ASSERT_EQ(result.peaks[k].x, 6 + 10 * static_cast<int>(k % 100));
    ASSERT_EQ(result.peaks[k].y, 6 + 10 * static_cast<int>(k / 100));
  }
}

TEST(HoughTest, aUniformPictureHasNoVotes)
{
  const HoughResult result = houghSearch(plain(40, 30, 128), 5);
  ASSERT_TRUE(result.ok());
  EXPECT_TRUE(result.peaks.empty());
  EXPECT_EQ(result.max, 0.0);
  EXPECT_FALSE(voteMapGrey(result));
}

TEST(HoughTest, aPaleDiscLosesToADarkOne)
{
  RedLevels red = plain(64, 64, 255);
  disc(red, 18, 30, 5, 0);
  disc(red, 44, 30, 5, 170);
  EXPECT_EQ(peaksOf(houghSearch(red, 5)), (Peaks{{18, 30}}));
}

// Where ties arise (a centre between pixels, a radius one pixel off, the
// middle of a ring) the first of equal maxima is the one peak.
TEST(HoughTest, equalMaximaGiveOnePeak)
{
  RedLevels half = plain(64, 64, 255);
  disc(half, 30.5, 30.5, 5, 0);
  EXPECT_EQ(peaksOf(houghSearch(half, 5)), (Peaks{{30, 30}}));

  RedLevels five = plain(64, 64, 255);
  disc(five, 30, 30, 5, 0);
  for (const float r : {4.0f, 6.0f})
    EXPECT_EQ(peaksOf(houghSearch(five, r)), (Peaks{{30, 29}})) << "r " << r;

  RedLevels ring = plain(64, 64, 255);
  disc(ring, 30, 30, 8, 0, 6);
  EXPECT_EQ(peaksOf(houghSearch(ring, 7)), (Peaks{{29, 29}, {31, 29}, {29, 31}, {31, 31}}));
  for (const float r : {6.0f, 8.0f})
    EXPECT_EQ(peaksOf(houghSearch(ring, r)), (Peaks{{30, 30}})) << "r " << r;
}

// A window searches into its last result: nothing of an earlier search,
// larger, smaller or refused, may leak into the next one.
TEST(HoughTest, searchIntoAKeptResultMatchesAFreshOne)
{
  RedLevels large = plain(64, 48, 255);
  disc(large, 30, 20, 6, 0);
  disc(large, 12, 33, 6, 0);
  RedLevels small = plain(30, 20, 255);
  disc(small, 14, 9, 5, 0);
  const struct {
    const RedLevels* red;
    float r;
  } steps[] = {{&large, 6}, {&small, 5}, {&large, 0}, {&large, 6}, {&small, 5}};
  HoughResult kept;
  for (std::size_t i = 0; i < std::size(steps); ++i) {
    houghSearch(*steps[i].red, steps[i].r, kept);
    const HoughResult fresh = houghSearch(*steps[i].red, steps[i].r);
    EXPECT_EQ(kept.error, fresh.error) << "step " << i;
    EXPECT_EQ(kept.width, fresh.width) << "step " << i;
    EXPECT_EQ(kept.height, fresh.height) << "step " << i;
    EXPECT_EQ(kept.accumulator, fresh.accumulator) << "step " << i;
    EXPECT_EQ(kept.max, fresh.max) << "step " << i;
    if (fresh.ok())
      EXPECT_EQ(peaksOf(kept), peaksOf(fresh)) << "step " << i;
    else
      EXPECT_TRUE(kept.peaks.empty()) << "step " << i;
  }
}

// Votes that land outside the picture are dropped, not wrapped into the
// neighbouring row.
TEST(HoughTest, votesNearTheEdgeStayInTheirRow)
{
  RedLevels red = plain(20, 20, 255);
  for (int y = 0; y < 20; ++y)
    red.red[static_cast<std::size_t>(y) * 20 + 19] = 0;
  const HoughResult result = houghSearch(red, 3);
  ASSERT_TRUE(result.ok());
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 10; ++x)
      EXPECT_EQ(result.accumulator[static_cast<std::size_t>(y) * 20 + x], 0u) << x << ", " << y;
}

TEST(HoughTest, offsetTablesDropRepeatsOfTheLastEntry)
{
  const struct {
    float r;
    std::size_t count;
    int first;
  } cases[] = {{1, 8, 1}, {2, 16, 2}, {3, 20, 3}, {5, 40, 5}, {10, 56, 10}, {2.5625f, 16, 3}};
  for (const auto& c : cases) {
    const std::vector<HoughOffset> offsets = houghOffsets(c.r);
    ASSERT_EQ(offsets.size(), c.count) << "r " << c.r;
    EXPECT_EQ(offsets[0].dx, c.first);
    EXPECT_EQ(offsets[0].dy, 0);
    for (std::size_t i = 1; i < offsets.size(); ++i)
      EXPECT_FALSE(offsets[i].dx == offsets[i - 1].dx && offsets[i].dy == offsets[i - 1].dy);
  }
  EXPECT_TRUE(houghOffsets(0.0625f).empty());
}

TEST(HoughTest, edgeStrengthOfAStep)
{
  RedLevels red = plain(8, 5, 0);
  for (int y = 0; y < 5; ++y)
    for (int x = 4; x < 8; ++x)
      red.red[static_cast<std::size_t>(y) * 8 + x] = 255;
  for (int y = 1; y <= 3; ++y)
    for (int x = 1; x <= 6; ++x)
      EXPECT_EQ(edgeValue(red, x, y), (x == 3 || x == 4) ? 510.0 : 0.0) << x << ", " << y;
}

std::vector<std::uint32_t> cells(int w, int h)
{
  return std::vector<std::uint32_t>(static_cast<std::size_t>(w) * h, 0);
}

TEST(HoughTest, peaksNeedMoreThanSevenTenthsOfTheMaximum)
{
  std::vector<std::uint32_t> acc = cells(9, 3);
  acc[9 + 1] = 100;
  acc[9 + 4] = 70;
  acc[9 + 7] = 71;
  const auto peaks = houghPeaks(acc, 9, 3);
  ASSERT_EQ(peaks.size(), 2u);
  EXPECT_EQ(peaks[0].x, 1);
  EXPECT_EQ(peaks[1].x, 7);
}

TEST(HoughTest, equalNeighboursGiveTheEarlierCell)
{
  const struct {
    int dx, dy;
  } neighbours[] = {{1, 0}, {0, 1}, {1, 1}, {-1, 1}};
  for (const auto& n : neighbours) {
    std::vector<std::uint32_t> acc = cells(7, 7);
    acc[3 * 7 + 3] = 5;
    acc[(3 + n.dy) * 7 + 3 + n.dx] = 5;
    const auto peaks = houghPeaks(acc, 7, 7);
    ASSERT_EQ(peaks.size(), 1u) << n.dx << ", " << n.dy;
    EXPECT_EQ(peaks[0].x, 3);
    EXPECT_EQ(peaks[0].y, 3);
  }
}

TEST(HoughTest, borderCellsNeitherPeakNorCount)
{
  std::vector<std::uint32_t> acc = cells(7, 7);
  acc[0] = 100;
  acc[6 * 7 + 3] = 100;
  acc[3 * 7 + 3] = 1;
  const auto peaks = houghPeaks(acc, 7, 7);
  ASSERT_EQ(peaks.size(), 1u);
  EXPECT_EQ(peaks[0].x, 3);
  EXPECT_EQ(peaks[0].y, 3);
}

TEST(HoughTest, voteMapGreyRoundsHalvesToEven)
{
  HoughResult result;
  result.width = 3;
  result.height = 1;
  result.accumulator = {510, 506, 1020};
  result.max = 510.0;
  const auto grey = voteMapGrey(result);
  ASSERT_TRUE(grey);
  EXPECT_EQ(*grey, (std::vector<std::uint8_t>{128, 126, 255}));
}

// Refused before any allocation: the large pictures carry no pixels at all.
TEST(HoughTest, refusesRadiiWithoutSamplesAndHugePictures)
{
  for (const float r : {0.0f, 0.0625f, -1.0f, std::numeric_limits<float>::quiet_NaN(), 40000.0f,
                        std::numeric_limits<float>::infinity()}) {
    const HoughResult result = houghSearch(plain(10, 10, 0), r);
    EXPECT_FALSE(result.ok()) << "r " << r;
    EXPECT_TRUE(result.accumulator.empty());
  }
  EXPECT_TRUE(houghSearch(plain(10, 10, 0), 0.0626f).ok());
  for (const auto& [w, h] : {std::pair{40000, 1}, {1, 40000}, {9000, 9000}, {8000, 4001}}) {
    const HoughResult result = houghSearch(RedLevels{w, h, {}}, 5);
    EXPECT_FALSE(result.ok()) << w << " x " << h;
    EXPECT_NE(result.error.find("too large"), std::string::npos) << result.error;
  }
  EXPECT_FALSE(houghSearch(RedLevels{10, 10, {}}, 5).ok());
}

} // namespace
} // namespace tarvek
