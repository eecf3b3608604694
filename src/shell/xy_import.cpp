// The XY import's logic: scale analysis, checks and the sheet and tube build.
#include "shell/xy_import.h"

#include "model/bond_search.h"
#include "model/cell_grid.h"
#include "model/model.h"
#include "runtime/runtime_error.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace tarvek {

namespace {

// Scaled to a bond length, a point may lie at most this many mean distances
// from the origin: far inside the float range for any bond length.
constexpr double kMaxSpread = 1e30;

double planeDistance(const CellGrid::Member& a, const CellGrid::Member& b)
{
  const double dx = static_cast<double>(b.x) - a.x;
  const double dy = static_cast<double>(b.y) - a.y;
  return std::sqrt(dx * dx + dy * dy);
}

// The first cell reach to try: the spacing of the points were they spread
// evenly over their box (along a line when the box is flat).
double spacingGuess(const XYSheet& sheet)
{
  double lowX = std::numeric_limits<double>::infinity();
  double lowY = lowX;
  double highX = -lowX;
  double highY = -lowX;
  std::size_t n = 0;
  for (std::size_t i = 0; i < sheet.size(); ++i) {
    if (!std::isfinite(sheet.x[i]) || !std::isfinite(sheet.y[i]))
      continue;
    lowX = std::min<double>(lowX, sheet.x[i]);
    highX = std::max<double>(highX, sheet.x[i]);
    lowY = std::min<double>(lowY, sheet.y[i]);
    highY = std::max<double>(highY, sheet.y[i]);
    ++n;
  }
  if (n < 2)
    return 0.0;
  const double w = highX - lowX;
  const double h = highY - lowY;
  if (w > 0.0 && h > 0.0)
    return std::sqrt(w * h / static_cast<double>(n));
  return std::max(w, h) / static_cast<double>(n);
}

std::string fileText(const std::string& path)
{
  return "The XY file \"" + path + "\"";
}

constexpr std::size_t kNoRepeat = std::numeric_limits<std::size_t>::max();

// The first finite point that repeats an earlier one, and that earlier one;
// second is kNoRepeat when no point repeats. Sorting finds them in
// n log n, where a distance search would compare every point of a heap at
// one place with every other.
std::pair<std::size_t, std::size_t> firstRepeat(const XYSheet& sheet)
{
  std::vector<std::size_t> order;
  order.reserve(sheet.size());
  for (std::size_t i = 0; i < sheet.size(); ++i)
    if (std::isfinite(sheet.x[i]) && std::isfinite(sheet.y[i]))
      order.push_back(i);
  // Adding 0 makes -0 and 0 one value.
  const auto key = [&](std::size_t i) { return std::pair(sheet.x[i] + 0.0f, sheet.y[i] + 0.0f); };
  std::stable_sort(order.begin(), order.end(),
                   [&](std::size_t a, std::size_t b) { return key(a) < key(b); });
  std::pair<std::size_t, std::size_t> best{0, kNoRepeat};
  for (std::size_t k = 1; k < order.size(); ++k) {
    if (key(order[k]) == key(order[k - 1]) && (k < 2 || key(order[k - 2]) != key(order[k])) &&
        order[k] < best.second)
      best = {order[k - 1], order[k]};
  }
  return best;
}

// The scale of the first count points of a sheet, at least two and none
// given twice.
XYScale spacingOf(const XYSheet& sheet, std::int32_t count)
{
  XYScale scale;
  const std::vector<float> zero(static_cast<std::size_t>(count), 0.0f);
  const SearchSet set{sheet.x.data(), sheet.y.data(), zero.data(), nullptr, 0, count};
  CellGrid grid;
  grid.absoluteMargin = 0.0;
  const double infinity = std::numeric_limits<double>::infinity();
  scale.dmin = closestDistance(set, spacingGuess(sheet), infinity, grid, planeDistance);
  if (!(scale.dmin > 0.0 && scale.dmin < infinity)) {
    scale.dmin = std::isfinite(scale.dmin) ? scale.dmin : 0.0;
    return scale;
  }
  scale.cutoff = 1.5 * scale.dmin;
  double sum = 0.0;
  grid.build(set, scale.cutoff);
  grid.forEachPair([&](const CellGrid::Member& a, const CellGrid::Member& b) {
    const double d = planeDistance(a, b);
    if (d < scale.cutoff) {
      sum += d;
      ++scale.pairs;
    }
  });
  scale.mean = scale.pairs > 0 ? sum / static_cast<double>(scale.pairs) : 0.0;
  return scale;
}

} // namespace

XYSheet sheetOf(const std::vector<XYPoint>& points)
{
  XYSheet sheet;
  sheet.x.reserve(points.size());
  sheet.y.reserve(points.size());
  for (const XYPoint& p : points) {
    sheet.x.push_back(p.x);
    sheet.y.push_back(p.y);
  }
  return sheet;
}

XYScale analyseXYPoints(const XYSheet& sheet)
{
  const auto count = static_cast<std::int32_t>(std::min(sheet.x.size(), sheet.y.size()));
  if (count < 2 || firstRepeat(sheet).second != kNoRepeat)
    return {};
  return spacingOf(sheet, count);
}

XYScale checkXYSheet(const std::string& path, const XYSheet& sheet)
{
  if (sheet.size() < 2)
    throw RuntimeError(fileText(path) + " holds fewer than two points.");
  if (sheet.size() > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max()))
    throw RuntimeError(fileText(path) + " holds more points than a sheet can take.");
  const auto tooLarge = [&](std::size_t i) {
    return RuntimeError(fileText(path) + " holds a value too large for a coordinate (point " +
                        std::to_string(i + 1) + ").");
  };
  for (std::size_t i = 0; i < sheet.size(); ++i) {
    if (!std::isfinite(sheet.x[i]) || !std::isfinite(sheet.y[i]))
      throw tooLarge(i);
  }
  if (const auto [first, second] = firstRepeat(sheet); second != kNoRepeat)
    throw RuntimeError(fileText(path) + " holds the same point twice (points " +
                       std::to_string(first + 1) + " and " + std::to_string(second + 1) + ").");
  const XYScale scale = spacingOf(sheet, static_cast<std::int32_t>(sheet.size()));
  for (std::size_t i = 0; i < sheet.size(); ++i) {
    const double far = std::max(std::fabs(sheet.x[i]), std::fabs(sheet.y[i]));
    if (!(far / scale.mean <= kMaxSpread))
      throw tooLarge(i);
  }
  return scale;
}

XYBuild buildFromXYData(Model& model, const XYSheet& sheet, const XYScale& scale,
                        const XYBuildFields& fields, Prompts& prompts, AbortToken& abort)
{
  const double a = fields.bondLength;
  const double factor = a / scale.mean;
  XYBuild build;
  build.lower = static_cast<float>(scale.dmin * factor * 0.99);
  build.upper = static_cast<float>(scale.cutoff * factor * 1.02);

  const auto n = static_cast<std::int32_t>(sheet.size());
  const auto rows = static_cast<std::size_t>(n);
  model.sheetX.resize(rows);
  model.sheetY.resize(rows);
  model.sheetZ.assign(rows, 0.0f);
  model.sheetType.assign(rows, 3);
  double minX = std::numeric_limits<double>::infinity();
  double maxX = -minX;
  for (std::size_t i = 0; i < rows; ++i) {
    model.sheetX[i] = static_cast<float>(sheet.x[i] * factor);
    model.sheetY[i] = static_cast<float>(sheet.y[i] * factor);
    minX = std::min<double>(minX, model.sheetX[i]);
    maxX = std::max<double>(maxX, model.sheetX[i]);
  }
  model.sheetCount = n;
  build.width = maxX + a * 0.866025 - minX;
  build.diameter = build.width / 3.141592654;
  const double radius = build.diameter / 2.0;

  model.bondLength = fields.bondLength;
  model.tubeN = fields.tubeN;
  model.tubeM = fields.tubeM;
  model.tubeLength = fields.tubeLength;

  model.redimAtomSet(AtomSetId::Work, n - 1);
  model.workCount = n;

  // Rolled about the z axis: the sheet's x = 0 lies on the +x axis.
  model.atomX.resize(rows);
  model.atomY.resize(rows);
  model.atomZ.resize(rows);
  model.atomType.assign(model.sheetType.begin(), model.sheetType.end());
  for (std::size_t j = 0; j < rows; ++j) {
    const double angle = model.sheetX[j] / radius;
    model.atomX[j] = static_cast<float>(radius * std::cos(angle));
    model.atomY[j] = static_cast<float>(radius * std::sin(angle));
    model.atomZ[j] = model.sheetY[j];
  }
  model.atomCount = n;

  createBonds(model, build.lower, build.upper, prompts, abort);

  model.tubeDiameter = static_cast<float>(build.diameter);
  model.lastTubeDiameter = static_cast<float>(build.diameter);
  model.lastSheetWidth = static_cast<float>(build.width);
  model.lastTubeRadius = static_cast<float>(radius);
  return build;
}

} // namespace tarvek
