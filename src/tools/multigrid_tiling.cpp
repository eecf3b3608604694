// The multigrid (dual grid) generator of quasi-periodic rhombus tilings.
#include "tools/multigrid_tiling.h"

#include "model/colour_helpers.h"
#include "runtime/math_util.h"
#include "runtime/random_source.h"
#include "runtime/runtime_error.h"
#include "tools/pixel_canvas.h"

#include <cmath>

namespace tarvek {

namespace {

constexpr std::uint32_t kWhite = 0xFFFFFF;
constexpr double kEdgePixels = 30.0;
constexpr double kDegree = 0.017453292522222223;

struct Vec2 {
  double x = 0.0;
  double y = 0.0;
};

void checkRange(int value, int low, int high, const char* what)
{
  if (value < low || value > high)
    throw RuntimeError(std::string("The ") + what + " " + std::to_string(value) +
                       " is outside the range " + std::to_string(low) + " to " +
                       std::to_string(high) + ".");
}

void checkParameters(const TilingParameters& p, const PixelCanvas& holes)
{
  checkRange(p.foldCount, 5, 20, "symmetry");
  checkRange(p.loopOrder, 1, 40, "loop order");
  checkRange(p.zoom, 1, 10, "zoom");
  checkRange(p.shiftOption, 0, 2, "shift option");
  checkRange(p.tileBrightness, 100, 220, "tile brightness");
  checkRange(p.canvasWidth, 1, 16384, "canvas width");
  checkRange(p.canvasHeight, 1, 16384, "canvas height");
  if (holes.width() != p.canvasWidth || holes.height() != p.canvasHeight)
    throw RuntimeError("The holes picture is not the size of the tiling canvas.");
}

std::uint32_t packColour(const RGBParts& c)
{
  return (static_cast<std::uint32_t>(c.red) << 16) | (static_cast<std::uint32_t>(c.green) << 8) |
         static_cast<std::uint32_t>(c.blue);
}

int roundToInt(double x)
{
  return static_cast<int>(std::nearbyint(x));
}

// One generation: the grids, the current pair and the tiles found so far.
class TilingRun {
public:
  TilingRun(const TilingParameters& p, PixelCanvas& holes, RandomSource& random, TilingResult& out);
  void run();

private:
  void invertPair();
  void scanGridLines();
  void makeTile();

  const TilingParameters& m_p;
  PixelCanvas& m_holes;
  TilingResult& m_out;
  int m_f;
  int m_n;
  float m_tileScale;
  int m_centreX;
  int m_centreY;
  std::vector<Vec2> gridDirections;
  std::vector<double> gridShifts;
  std::vector<std::int32_t> gridIndices;
  int m_r = 0;
  int m_s = 0;
  double pairMatrix[2][2] = {};
  double pairInverse[2][2] = {};
  double pairShift[2] = {};
};

TilingRun::TilingRun(const TilingParameters& p, PixelCanvas& holes, RandomSource& random,
                     TilingResult& out)
  : m_p(p), m_holes(holes), m_out(out), m_f(p.foldCount), m_n(p.loopOrder),
    m_tileScale(static_cast<float>(p.zoom / 10.0)), m_centreX(roundToInt(p.canvasWidth / 2.0)),
    m_centreY(roundToInt(p.canvasHeight / 2.0)), gridDirections(m_f), gridShifts(m_f),
    gridIndices(m_f)
{
  const double common = p.shiftOption == 0 ? 1.0 / m_f : (m_f - 1.0) / (2.0 * m_f);
  for (int k = 0; k < m_f; ++k) {
    gridShifts[k] = p.shiftOption == 2 ? random.uniform() : common;
    const double angle = 2.0 * kPi * k / m_f;
    gridDirections[k] = {std::cos(angle), std::sin(angle)};
  }
}

void TilingRun::run()
{
  for (m_r = 0; m_r <= m_f - 2; ++m_r) {
    for (m_s = m_r + 1; m_s <= m_f - 1; ++m_s) {
      // Antiparallel grids never intersect.
      if (m_f % 2 == 0 && m_s == m_r + m_f / 2)
        continue;
      pairMatrix[0][0] = gridDirections[m_r].x;
      pairMatrix[0][1] = gridDirections[m_r].y;
      pairMatrix[1][0] = gridDirections[m_s].x;
      pairMatrix[1][1] = gridDirections[m_s].y;
      invertPair();
      pairShift[0] = gridShifts[m_r];
      pairShift[1] = gridShifts[m_s];
      scanGridLines();
    }
  }
}

void TilingRun::invertPair()
{
  const double det = pairMatrix[0][0] * pairMatrix[1][1] - pairMatrix[0][1] * pairMatrix[1][0];
  pairInverse[0][0] = pairMatrix[1][1] / det;
  pairInverse[0][1] = -pairMatrix[0][1] / det;
  pairInverse[1][0] = -pairMatrix[1][0] / det;
  pairInverse[1][1] = pairMatrix[0][0] / det;
}

// Every intersection of line i of grid r with line j of grid s; the other
// grids' indices say which of their strips the point lies in.
void TilingRun::scanGridLines()
{
  for (int i = -m_n; i <= m_n; ++i) {
    for (int j = -m_n; j <= m_n; ++j) {
      const double a = i - pairShift[0];
      const double b = j - pairShift[1];
      const double px = pairInverse[0][0] * a + pairInverse[0][1] * b;
      const double py = pairInverse[1][0] * a + pairInverse[1][1] * b;
      for (int k = 0; k < m_f; ++k) {
        const double t = gridDirections[k].x * px + gridDirections[k].y * py + gridShifts[k];
        gridIndices[k] = floorIndex(t) + 1;
      }
      gridIndices[m_r] = i;
      gridIndices[m_s] = j;
      makeTile();
    }
  }
}

void TilingRun::makeTile()
{
  Vec2 sum;
  for (int k = 0; k < m_f; ++k) {
    sum.x += gridIndices[k] * gridDirections[k].x;
    sum.y += gridIndices[k] * gridDirections[k].y;
  }
  const Vec2& er = gridDirections[m_r];
  const Vec2& es = gridDirections[m_s];
  // Corners (a, c) = (0,0), (0,1), (1,0), (1,1): S + a·e_r + c·e_s.
  Vec2 corner[4];
  TilePoint rounded[4];
  for (int n = 0; n < 4; ++n) {
    const int a = n / 2;
    const int c = n % 2;
    corner[n].x = (sum.x + a * er.x + c * es.x) * m_tileScale * kEdgePixels;
    corner[n].y = (sum.y + a * er.y + c * es.y) * m_tileScale * kEdgePixels;
    rounded[n] = {roundToInt(m_centreX + corner[n].x), roundToInt(m_centreY + corner[n].y)};
  }

  float& margin = m_out.tileMargin;
  if (margin > 0.0f) {
    for (const TilePoint& q : rounded) {
      if (q.x < -margin || q.x > m_p.canvasWidth + margin || q.y < -margin ||
          q.y > m_p.canvasHeight + margin)
        return;
    }
  } else {
    const double dx = rounded[1].x - rounded[0].x;
    const double dy = rounded[1].y - rounded[0].y;
    margin = static_cast<float>(2.0 * std::sqrt(dx * dx + dy * dy));
  }

  const double uLength = std::hypot(corner[1].x - corner[0].x, corner[1].y - corner[0].y);
  const double vLength = std::hypot(corner[2].x - corner[0].x, corner[2].y - corner[0].y);
  const double cosine = ((corner[1].x - corner[0].x) * (corner[2].x - corner[0].x) +
                         (corner[1].y - corner[0].y) * (corner[2].y - corner[0].y)) /
                        (uLength * vLength);
  const double degrees = ArcCosine(cosine) / kDegree;
  const int type = roundToInt(degrees / (360.0 / m_f));

  m_out.tiles.push_back({{rounded[0], rounded[1], rounded[3], rounded[2]}, type});

  // A white pixel marks a vertex already recorded.
  for (int n = 0; n < 4; ++n) {
    const TilePoint& q = rounded[n];
    if (q.x > 0 && q.x < m_p.canvasWidth && q.y > 0 && q.y < m_p.canvasHeight &&
        m_holes.pixel(q.x, q.y) != kWhite) {
      m_holes.setPixel(q.x, q.y, kWhite);
      ++m_out.vertexCount;
      m_out.vertexX.push_back(static_cast<float>(m_centreX + corner[n].x));
      m_out.vertexY.push_back(static_cast<float>(m_centreY + corner[n].y));
    }
  }
  ++m_out.tileCount;
}

} // namespace

std::int32_t floorIndex(double t)
{
  const auto whole = static_cast<std::int32_t>(t);
  return t >= 0.0 ? whole : whole - 1;
}

TilingResult generateTiling(const TilingParameters& parameters, PixelCanvas& holes,
                            RandomSource& random)
{
  checkParameters(parameters, holes);
  TilingResult out;
  const int f = parameters.foldCount;
  const int t = f % 2 == 1 ? (f - 1) / 2 : (f - 2) / 2;
  out.tileTypeCount = t;
  out.gridColour = parameters.gridColour;
  out.tileColours.assign(t + 1, 0);
  for (int type = 1; type <= t; ++type) {
    const int hue = roundToInt((157.74 / (t - 1)) * (type - 1));
    out.legendHues.push_back(hue);
    out.tileColours[type] = packColour(
      HSBtoRGB(static_cast<std::int16_t>(hue), 239, static_cast<std::int16_t>(parameters.tileBrightness)));
  }

  holes.clear(0);
  TilingRun(parameters, holes, random, out).run();
  holes.refresh();

  out.statusTexts = {std::to_string(f) + "-fold symmetry", std::to_string(t) + " tile types",
                     std::to_string(out.tileCount) + " tiles",
                     std::to_string(out.vertexCount) +
                       " unique vertices (in case of gaps increase loop order)"};
  return out;
}

} // namespace tarvek
