#include "model/tabulated_caps.h"

#include "model/cap_tables.h"
#include "model/model.h"
#include "platform/prompts.h"
#include "runtime/number_parse.h"
#include "runtime/split.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>
#include <span>
#include <vector>

namespace tarvek {

namespace {

// Gap between a cap's rim and the tube's end ring, in bond lengths.
constexpr double kArmchairGap = 0.866025;
constexpr double kZigzagGap = 0.951056;

CapTable readLines(std::span<const std::string_view> lines)
{
  CapTable table;
  table.reserve(lines.size());
  for (const std::string_view line : lines) {
    const auto fields = splitSpaces(line);
    table.push_back({static_cast<float>(Val(fields[0])), static_cast<float>(Val(fields[1])),
                     static_cast<float>(Val(fields[2]))});
  }
  return table;
}

// The stored table of a cap code, read once on its first use.
const CapTable& storedCap(std::int16_t code)
{
  static const CapTable cap66 = readLines(kCap66Lines);
  static const CapTable cap100 = readLines(kCap100Lines);
  static const CapTable cap1010 = readLines(kCap1010Lines);
  static const CapTable cap1111 = readLines(kCap1111Lines);
  static const CapTable cap1616 = readLines(kCap1616Lines);
  static const CapTable cap190 = readLines(kCap190Lines);
  static const CapTable cap280 = readLines(kCap280Lines);
  switch (code) {
  case 66:
    return cap66;
  case 100:
    return cap100;
  case 1010:
    return cap1010;
  case 1616:
    return cap1616;
  case 190:
    return cap190;
  case 280:
    return cap280;
  default:
    return cap1111;
  }
}

std::int32_t rowsOf(const CapTable& table)
{
  return static_cast<std::int32_t>(table.size());
}

double rowDistance(const CapRow& p, const CapRow& q)
{
  const double dx = static_cast<double>(p[0]) - q[0];
  const double dy = static_cast<double>(p[1]) - q[1];
  const double dz = static_cast<double>(p[2]) - q[2];
  return std::sqrt(dx * dx + dy * dy + dz * dz);
}

// Smallest non-zero distance between row i and rows i + 1 .. jEnd - 1, over
// i < iEnd.
float smallestDistance(const CapTable& c, std::int32_t iEnd, std::int32_t jEnd)
{
  float best = 0.0f;
  bool found = false;
  for (std::int32_t i = 0; i < iEnd; ++i)
    for (std::int32_t j = i + 1; j < jEnd; ++j) {
      const auto d = static_cast<float>(rowDistance(c[i], c[j]));
      if (d > 0.0f && (!found || d < best)) {
        best = d;
        found = true;
      }
    }
  return best;
}

void scaleRows(CapTable& c, double s)
{
  for (CapRow& p : c)
    for (float& v : p)
      v = static_cast<float>(v * s);
}

// Moves the mean of x and y to the axis and the lowest row to z = 0.
void centreOnRim(CapTable& c)
{
  float sx = 0.0f;
  float sy = 0.0f;
  float z0 = 99999.0f;
  for (const CapRow& p : c) {
    sx += p[0];
    sy += p[1];
    z0 = std::min(z0, p[2]);
  }
  const float cx = sx / static_cast<float>(c.size());
  const float cy = sy / static_cast<float>(c.size());
  for (CapRow& p : c)
    p = {p[0] - cx, p[1] - cy, p[2] - z0};
}

// Axis distance of the rim rows (z = 0): the smallest or the largest.
float rimRadius(const CapTable& c, bool largest)
{
  float r = largest ? 0.0f : 99999.0f;
  for (const CapRow& p : c) {
    if (p[2] != 0.0f)
      continue;
    const auto d = static_cast<float>(std::hypot(static_cast<double>(p[0]), p[1]));
    r = largest ? std::max(r, d) : std::min(r, d);
  }
  return r;
}

// The two placed copies: U on the tube's upper end, tip up; L its mirror
// on the lower end, tip down.
struct PlacedCaps {
  CapTable upper;
  CapTable lower;
};

PlacedCaps place(Model& model, const CapTable& c)
{
  const Extent tube = atomExtent(model, model.atomCount);
  model.tubeLength = static_cast<float>(static_cast<double>(tube.hi[2]) - tube.lo[2]);
  PlacedCaps caps;
  for (const CapRow& p : c) {
    caps.upper.push_back({p[0], p[1], static_cast<float>(static_cast<double>(tube.hi[2]) + p[2])});
    caps.lower.push_back({p[0], p[1], static_cast<float>(static_cast<double>(tube.lo[2]) - p[2])});
  }
  return caps;
}

void shiftZ(CapTable& c, double dz)
{
  for (CapRow& p : c)
    p[2] = static_cast<float>(p[2] + dz);
}

// The armchair caps: normalised, first turn, placed, contact turns (a
// lowerAngle of 0 leaves the lower cap as placed), end gaps of 0.866 a.
void addArmchairCaps(Model& model, std::int16_t code, float firstTurn, float lowerAngle,
                     float upperAngle, std::int16_t lowerType, std::int16_t upperType)
{
  const double a = model.bondLength;
  CapTable c = normalisedCap(code, model.bondLength, model.tubeDiameter);
  rotateCapAtoms(3, firstTurn, c, rowsOf(c));
  const std::int32_t tubeCount = model.atomCount;
  PlacedCaps caps = place(model, c);
  if (lowerAngle != 0.0f)
    contactTurn(model, tubeCount, caps.lower, rowsOf(c), lowerAngle);
  contactTurn(model, tubeCount, caps.upper, rowsOf(c), upperAngle);
  shiftZ(caps.upper, kArmchairGap * a);
  shiftZ(caps.lower, -kArmchairGap * a);
  appendCapsByEnds(model, caps.lower, caps.upper, rowsOf(c), lowerType, upperType);
}

// Angle of a point about the z axis, and the smallest turn between two.
double angleOf(float x, float y)
{
  return std::atan2(static_cast<double>(y), static_cast<double>(x));
}

double angleApart(double p, double q)
{
  const double d = std::remainder(p - q, 2.0 * std::numbers::pi);
  return std::fabs(d);
}

// Turns a placed cap about z so that its rim rows fall on the tube's end
// ring atoms (those within 0.1 a of endZ) turned by ringTurn radians: the
// first rim row is tried on each of them and the turn whose worst rim row
// lies nearest its place is kept.
void fitRimToEnd(const Model& model, std::int32_t tubeCount, float endZ, double ringTurn,
                 CapTable& cap, const std::vector<std::size_t>& rimRows)
{
  const double near = 0.1 * model.bondLength;
  std::vector<double> places;
  for (std::int32_t i = 0; i < tubeCount; ++i)
    if (std::fabs(static_cast<double>(model.atomZ[i]) - endZ) < near)
      places.push_back(angleOf(model.atomX[i], model.atomY[i]) + ringTurn);
  if (places.empty() || rimRows.empty())
    return;
  std::vector<double> rim;
  for (const std::size_t r : rimRows)
    rim.push_back(angleOf(cap[r][0], cap[r][1]));
  double bestTurn = 0.0;
  double bestMiss = std::numeric_limits<double>::infinity();
  for (const double place : places) {
    const double turn = place - rim.front();
    double miss = 0.0;
    for (const double r : rim) {
      double nearest = std::numeric_limits<double>::infinity();
      for (const double p : places)
        nearest = std::min(nearest, angleApart(r + turn, p));
      miss = std::max(miss, nearest);
    }
    if (miss < bestMiss) {
      bestMiss = miss;
      bestTurn = turn;
    }
  }
  // A positive angle turns clockwise seen from +z, against the angles here.
  rotateCapAtoms(3, static_cast<float>(-bestTurn * 180.0 / std::numbers::pi), cap, rowsOf(cap));
}

// A zigzag end whose last 0.6 a holds fewer than its 2n atoms ends in lone
// atoms, each bonded once into the tube: they are dropped, and the tube
// moved back to start at z = 0.
void dropLoneEndAtoms(Model& model, std::int32_t n)
{
  pruneShortEnds(model, atomExtent(model, model.atomCount), 2 * n);
  compactAtoms(model);
  const float lowest = atomExtent(model, model.atomCount).lo[2];
  for (std::int32_t i = 0; i < model.atomCount; ++i)
    model.atomZ[i] -= lowest;
}

// The caps whose rim continues the end ring: an armchair tube's next ring
// lies a ring step (0.866 a) on, turned by half the ring's period; a zigzag
// tube's lies one bond straight on.
void addFittedCaps(Model& model, std::int16_t code, std::int32_t n, bool armchair)
{
  const double a = model.bondLength;
  if (!armchair)
    dropLoneEndAtoms(model, n);
  const CapTable c = normalisedCap(code, model.bondLength, model.tubeDiameter);
  std::vector<std::size_t> rimRows;
  for (std::size_t r = 0; r < c.size(); ++r)
    if (c[r][2] == 0.0f)
      rimRows.push_back(r);
  const std::int32_t tubeCount = model.atomCount;
  const Extent tube = atomExtent(model, tubeCount);
  PlacedCaps caps = place(model, c);
  const double gap = armchair ? kArmchairGap : 1.0;
  const double ringTurn = armchair ? std::numbers::pi / n : 0.0;
  shiftZ(caps.upper, gap * a);
  shiftZ(caps.lower, -gap * a);
  fitRimToEnd(model, tubeCount, tube.hi[2], ringTurn, caps.upper, rimRows);
  fitRimToEnd(model, tubeCount, tube.lo[2], ringTurn, caps.lower, rimRows);
  appendCapsByEnds(model, caps.lower, caps.upper, rowsOf(c), 3, 3);
}

} // namespace

CapTable normalisedCap(std::int16_t code, float a, float d)
{
  CapTable c;
  if (code == 66) {
    c = storedCap(66);
    float z0 = c[0][2];
    for (const CapRow& p : c)
      z0 = std::min(z0, p[2]);
    const double s = a / static_cast<double>(smallestDistance(c, rowsOf(c), rowsOf(c)));
    for (CapRow& p : c)
      p = {static_cast<float>(p[0] * s), static_cast<float>(p[1] * s),
           static_cast<float>((static_cast<double>(p[2]) - z0) * s)};
  } else if (code == 100) {
    c = storedCap(100);
    float sx = 0.0f;
    float sy = 0.0f;
    float z1 = 0.0f;
    for (const CapRow& p : c) {
      sx += p[0];
      sy += p[1];
      z1 = std::max(z1, p[2]);
    }
    const float cx = sx / static_cast<float>(c.size());
    const float cy = sy / static_cast<float>(c.size());
    // The rim is the highest stored atom: heights are the depths below it.
    for (CapRow& p : c)
      p = {p[0] - cx, p[1] - cy, z1 - p[2]};
    // Rows 0 .. 8 only, as the stored table's layout intends.
    const std::int32_t n = rowsOf(c);
    scaleRows(c, a / static_cast<double>(smallestDistance(c, n - 1, n - 11)));
  } else if (code == 1010 || code == 1111) {
    c = storedCap(code);
    centreOnRim(c);
    const double fill = code == 1010 ? 0.99 : 0.95;
    scaleRows(c, fill * d / (2.0 * rimRadius(c, code == 1111)));
  } else if (code == 1616 || code == 190 || code == 280) {
    c = storedCap(code);
    centreOnRim(c);
    scaleRows(c, d / (2.0 * rimRadius(c, false)));
  }
  return c;
}

void upperTurn100(const Model& model, std::int32_t tubeCount, CapTable& upper,
                  std::int32_t rows)
{
  const double a = model.bondLength;
  const double from = model.tubeLength - a;
  const double limit = 1.15 * a;
  std::int32_t pairs = 0;
  for (std::int32_t r = 0; r < rows; ++r)
    for (std::int32_t i = 0; i < tubeCount; ++i) {
      if (!(model.atomZ[i] > from))
        continue;
      const CapRow atom = {model.atomX[i], model.atomY[i], model.atomZ[i]};
      if (static_cast<float>(rowDistance(upper[r], atom)) < limit)
        ++pairs;
    }
  if (pairs < 10 || pairs >= 21)
    rotateCapAtoms(3, 18.0f, upper, rows);
}

void addCap66(Model& model)
{
  addArmchairCaps(model, 66, -5.0f, 30.0f, -30.0f, 3, 3);
}

void addCap1010(Model& model)
{
  addArmchairCaps(model, 1010, 18.0f, 18.0f, 18.0f, 3, 3);
}

void addCap1111(Model& model)
{
  // The lower cap fits as placed; the upper one needs half a ring's step
  // when the tube has an even number of rings.
  addArmchairCaps(model, 1111, 6.0f, 0.0f, 360.0f / 22.0f, 1, 2);
}

void addCap100(Model& model, Prompts& prompts)
{
  const double a = model.bondLength;
  CapTable c = normalisedCap(100, model.bondLength, model.tubeDiameter);
  const std::int32_t rows = rowsOf(c);
  rotateCapAtoms(3, -18.0f, c, rows);
  const std::int32_t tubeCount = model.atomCount;
  PlacedCaps caps = place(model, c);

  // Two full end rings take a cap one ring step away.
  const double ring = 0.5 * a * 1.05;
  std::int32_t low = 0;
  std::int32_t high = 0;
  for (std::int32_t i = 0; i < tubeCount; ++i) {
    low += model.atomZ[i] < ring ? 1 : 0;
    high += std::fabs(static_cast<double>(model.tubeLength) - model.atomZ[i]) < ring ? 1 : 0;
  }
  if (low >= 20)
    shiftZ(caps.lower, -kZigzagGap * a);
  else
    prompts.beep();
  if (high >= 20)
    shiftZ(caps.upper, kZigzagGap * a);
  upperTurn100(model, tubeCount, caps.upper, rows);

  appendCapsByEnds(model, caps.lower, caps.upper, rows, 1, 2);
  mergeCloseAtoms(model, 0.7 * a, false);
  compactAtoms(model);
  for (std::int32_t i = 0; i < model.atomCount; ++i)
    model.atomType[i] = 3;
}

void addCap1616(Model& model)
{
  addFittedCaps(model, 1616, 16, true);
}

void addCap190(Model& model)
{
  addFittedCaps(model, 190, 19, false);
}

void addCap280(Model& model)
{
  addFittedCaps(model, 280, 28, false);
}

} // namespace tarvek
