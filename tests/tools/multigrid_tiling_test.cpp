// Tests of the multigrid tiling generator: counts, tile types, holes and repeatability.
#include "runtime/random_source.h"
#include "runtime/runtime_error.h"
#include "tools/multigrid_tiling.h"
#include "tools/pixel_canvas.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <set>

namespace tarvek {
namespace {

constexpr std::uint32_t kWhite = 0xFFFFFF;

TilingParameters startValues()
{
  return TilingParameters{};
}

TilingParameters withPattern(int f, int n, int zoom, int option)
{
  TilingParameters p;
  p.foldCount = f;
  p.loopOrder = n;
  p.zoom = zoom;
  p.shiftOption = option;
  return p;
}

struct TilingRun {
  explicit TilingRun(const TilingParameters& p, std::uint32_t seed = 1)
    : holes(p.canvasWidth, p.canvasHeight), random(seed), result(generateTiling(p, holes, random))
  {
  }
  PixelCanvas holes;
  RandomSource random;
  TilingResult result;
};

TEST(FloorIndexTest, stepsDownBelowZeroEvenOnWholeNumbers)
{
  const std::pair<double, std::int32_t> cases[] = {
    {-2.5, -3}, {-2.0, -3}, {2.0, 2}, {-0.5, -1}, {0.0, 0}, {0.7, 0}, {3.99, 3}};
  for (const auto& [t, expected] : cases)
    EXPECT_EQ(floorIndex(t), expected) << t;
}

TEST(MultigridTilingTest, startValuesGiveTheKnownPattern)
{
  const TilingRun run(startValues());
  const TilingResult& r = run.result;
  EXPECT_EQ(r.tileCount, 705);
  EXPECT_EQ(r.vertexCount, 570);
  EXPECT_EQ(r.tiles.size(), 705u);
  EXPECT_EQ(r.vertexX.size(), 570u);
  EXPECT_EQ(r.vertexY.size(), 570u);
  // Twice the first tile's edge of 24 px, measured between rounded corners.
  EXPECT_NEAR(r.tileMargin, 48.70, 0.01);
  EXPECT_EQ(r.statusTexts[0], "5-fold symmetry");
  EXPECT_EQ(r.statusTexts[1], "2 tile types");
  EXPECT_EQ(r.statusTexts[2], "705 tiles");
  EXPECT_EQ(r.statusTexts[3], "570 unique vertices (in case of gaps increase loop order)");
}

TEST(MultigridTilingTest, patternCountsOverOptionsAndSymmetries)
{
  struct Case {
    int f, n, zoom, option;
    std::int32_t tiles, vertices;
  };
  const Case cases[] = {
    {5, 6, 8, 1, 709, 580},
    {6, 6, 8, 0, 679, 537},
    {20, 40, 1, 0, 38169, 36233},
  };
  for (const Case& c : cases) {
    const TilingRun run(withPattern(c.f, c.n, c.zoom, c.option));
    EXPECT_EQ(run.result.tileCount, c.tiles) << "F " << c.f << " option " << c.option;
    EXPECT_EQ(run.result.vertexCount, c.vertices) << "F " << c.f << " option " << c.option;
  }
}

TEST(MultigridTilingTest, typeCountAndLegendHues)
{
  const std::pair<int, int> counts[] = {{5, 2}, {6, 2}, {19, 9}, {20, 9}};
  for (const auto& [f, t] : counts) {
    const TilingRun run(withPattern(f, 1, 8, 0));
    EXPECT_EQ(run.result.tileTypeCount, t) << f;
    EXPECT_EQ(run.result.tileColours.size(), static_cast<std::size_t>(t) + 1) << f;
  }
  EXPECT_EQ(TilingRun(withPattern(5, 1, 8, 0)).result.legendHues, (std::vector<int>{0, 158}));
  EXPECT_EQ(TilingRun(withPattern(20, 1, 8, 0)).result.legendHues,
            (std::vector<int>{0, 20, 39, 59, 79, 99, 118, 138, 158}));
}

// The type of each tile matches the angle between its edges (from the
// rounded corners): type t has the angle t·360/F or its supplement.
// For even F the antiparallel pairs, which would give type F/2, make no tile.
TEST(MultigridTilingTest, tileTypesMatchTheRhombusAngles)
{
  for (const int f : {5, 6, 7, 12}) {
    const TilingRun run(withPattern(f, 4, 10, 0));
    const int t = run.result.tileTypeCount;
    std::set<int> types;
    for (const Tile& tile : run.result.tiles) {
      ASSERT_GE(tile.type, 1) << f;
      ASSERT_LE(tile.type, t) << f;
      types.insert(tile.type);
      // Drawing order 0, 1, 3, 2: corners[1] is corner 1, corners[3] corner 2.
      const double ux = tile.corners[1].x - tile.corners[0].x;
      const double uy = tile.corners[1].y - tile.corners[0].y;
      const double vx = tile.corners[3].x - tile.corners[0].x;
      const double vy = tile.corners[3].y - tile.corners[0].y;
      const double angle = std::acos((ux * vx + uy * vy) / std::hypot(ux, uy) / std::hypot(vx, vy));
      const double step = 2.0 * std::numbers::pi / f;
      EXPECT_NEAR(angle, tile.type * step, 0.1) << "F " << f;
    }
    EXPECT_EQ(static_cast<int>(types.size()), t) << "every type appears, F " << f;
  }
}

// The pixels a recorded position may have come from: the float position
// rounds like the exact one except on a half, where either neighbour may be.
std::vector<int> pixelCandidates(float v)
{
  if (v - std::floor(v) == 0.5f)
    return {static_cast<int>(std::floor(v)), static_cast<int>(std::ceil(v))};
  return {static_cast<int>(std::nearbyint(v))};
}

// The holes canvas is black but for one white pixel per recorded vertex,
// each strictly inside the canvas.
TEST(MultigridTilingTest, holesAreTheUniqueVerticesInsideTheCanvas)
{
  for (const TilingParameters& p : {startValues(), withPattern(20, 40, 1, 0), withPattern(7, 10, 3, 2)}) {
    const TilingRun run(p);
    const TilingResult& r = run.result;
    std::set<std::pair<int, int>> pixels;
    for (std::int32_t v = 0; v < r.vertexCount; ++v) {
      std::vector<std::pair<int, int>> white;
      for (const int x : pixelCandidates(r.vertexX[v]))
        for (const int y : pixelCandidates(r.vertexY[v]))
          if (x > 0 && x < p.canvasWidth && y > 0 && y < p.canvasHeight &&
              run.holes.pixel(x, y) == kWhite && !pixels.contains({x, y}))
            white.emplace_back(x, y);
      ASSERT_FALSE(white.empty()) << "F " << p.foldCount << " vertex " << v << " at " << r.vertexX[v]
                                  << ", " << r.vertexY[v];
      pixels.insert(white.front());
    }
    std::size_t white = 0;
    for (const std::uint32_t word : run.holes.words()) {
      const std::uint32_t colour = word & 0xFFFFFFu;
      ASSERT_TRUE(colour == 0 || colour == kWhite);
      white += colour == kWhite;
    }
    EXPECT_EQ(white, static_cast<std::size_t>(r.vertexCount)) << "F " << p.foldCount;
  }
}

TEST(MultigridTilingTest, runClearsTheHolesCanvasFirst)
{
  TilingParameters p = startValues();
  PixelCanvas holes(p.canvasWidth, p.canvasHeight);
  holes.clear(kWhite);
  RandomSource random;
  const TilingResult r = generateTiling(p, holes, random);
  EXPECT_EQ(r.vertexCount, 570);
}

// The first tile sets the margin and is drawn even far outside the canvas.
TEST(MultigridTilingTest, firstTileCountsEvenOutsideTheCanvas)
{
  const TilingRun run(withPattern(5, 40, 10, 0));
  const TilingResult& r = run.result;
  ASSERT_FALSE(r.tiles.empty());
  bool outside = false;
  for (const TilePoint& c : r.tiles[0].corners)
    outside = outside || c.x < -r.tileMargin || c.x > 512 + r.tileMargin || c.y < -r.tileMargin ||
              c.y > 512 + r.tileMargin;
  EXPECT_TRUE(outside);
  EXPECT_EQ(r.tileCount, static_cast<std::int32_t>(r.tiles.size()));
  for (std::size_t i = 1; i < r.tiles.size(); ++i)
    for (const TilePoint& c : r.tiles[i].corners)
      ASSERT_TRUE(c.x >= -r.tileMargin && c.x <= 512 + r.tileMargin && c.y >= -r.tileMargin &&
                  c.y <= 512 + r.tileMargin)
        << "tile " << i;
}

TEST(MultigridTilingTest, symmetricOptionsRepeatAndRandomOneFollowsTheSeed)
{
  for (const int option : {0, 1}) {
    PixelCanvas holes(512, 512);
    RandomSource random(3);
    const TilingParameters p = withPattern(7, 8, 6, option);
    const TilingResult a = generateTiling(p, holes, random);
    const TilingResult b = generateTiling(p, holes, random);
    EXPECT_EQ(a.vertexX, b.vertexX) << option;
    EXPECT_EQ(a.vertexY, b.vertexY) << option;
  }
  const TilingParameters p = withPattern(7, 8, 6, 2);
  auto twoRuns = [&p](std::uint32_t seed) {
    PixelCanvas holes(512, 512);
    RandomSource random(seed);
    const TilingResult first = generateTiling(p, holes, random);
    const TilingResult second = generateTiling(p, holes, random);
    return std::make_pair(first.vertexX, second.vertexX);
  };
  const auto runs = twoRuns(3);
  EXPECT_NE(runs.first, runs.second);
  EXPECT_EQ(twoRuns(3), runs);
}

TEST(MultigridTilingTest, refusesParametersOutOfRange)
{
  struct Case {
    const char* what;
    TilingParameters p;
  };
  std::vector<Case> cases;
  auto add = [&cases](const char* what, auto change) {
    TilingParameters p;
    change(p);
    cases.push_back({what, p});
  };
  add("F 4", [](TilingParameters& p) { p.foldCount = 4; });
  add("F 21", [](TilingParameters& p) { p.foldCount = 21; });
  add("N 0", [](TilingParameters& p) { p.loopOrder = 0; });
  add("zoom 11", [](TilingParameters& p) { p.zoom = 11; });
  add("option 3", [](TilingParameters& p) { p.shiftOption = 3; });
  add("brightness 99", [](TilingParameters& p) { p.tileBrightness = 99; });
  add("canvas of another size", [](TilingParameters& p) { p.canvasWidth = 256; });
  for (const Case& c : cases) {
    PixelCanvas holes(512, 512);
    holes.clear(0x123456);
    RandomSource random;
    EXPECT_THROW(generateTiling(c.p, holes, random), RuntimeError) << c.what;
    EXPECT_EQ(holes.pixel(10, 10), 0x123456u) << c.what;
  }
}

} // namespace
} // namespace tarvek
