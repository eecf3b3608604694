#include "model/end_caps.h"

#include "model/c60_data.h"
#include "model/model.h"
#include "runtime/runtime_error.h"

#include <algorithm>
#include <cmath>

namespace tarvek {

namespace {

double distance(const Model& model, std::int32_t i, const CapRow& p)
{
  const double dx = static_cast<double>(model.atomX[i]) - p[0];
  const double dy = static_cast<double>(model.atomY[i]) - p[1];
  const double dz = static_cast<double>(model.atomZ[i]) - p[2];
  return std::sqrt(dx * dx + dy * dy + dz * dz);
}

void growTo(CapTable& table, std::int32_t rows)
{
  if (static_cast<std::int32_t>(table.size()) < rows)
    table.resize(static_cast<std::size_t>(rows));
}

void moveRows(CapTable& table, std::int32_t rows, double dx, double dy, double dz)
{
  for (std::int32_t i = 0; i < rows; ++i) {
    table[i][0] = static_cast<float>(table[i][0] + dx);
    table[i][1] = static_cast<float>(table[i][1] + dy);
    table[i][2] = static_cast<float>(table[i][2] + dz);
  }
}

} // namespace

void placeHalfCaps(const Extent& tube, CapTable& upper, CapTable& lower, std::int32_t rows)
{
  const Extent fit = capExtent(upper, rows);
  const double scale = (static_cast<double>(tube.hi[0]) - tube.lo[0])
                       / (static_cast<double>(fit.hi[0]) - fit.lo[0]);
  lower.assign(static_cast<std::size_t>(rows), CapRow{});
  for (std::int32_t i = 0; i < rows; ++i) {
    for (float& v : upper[i])
      v = static_cast<float>(v * scale);
    lower[i] = {upper[i][0], upper[i][1], -upper[i][2]};
  }
  const Extent u = capExtent(upper, rows);
  moveRows(upper, rows, static_cast<double>(tube.lo[0]) - u.lo[0],
           static_cast<double>(tube.lo[1]) - u.lo[1], static_cast<double>(tube.hi[2]) - u.lo[2]);
  const Extent l = capExtent(lower, rows);
  moveRows(lower, rows, static_cast<double>(tube.lo[0]) - l.lo[0],
           static_cast<double>(tube.lo[1]) - l.lo[1], static_cast<double>(tube.lo[2]) - l.hi[2]);
}

namespace {

// Pairs (cap row, tube atom still in the tube) from lo to hi apart.
std::int32_t countPairsBetween(const Model& model, std::int32_t tubeCount, const CapTable& cap,
                               std::int32_t rows, double lo, double hi)
{
  std::int32_t pairs = 0;
  for (std::int32_t r = 0; r < rows; ++r)
    for (std::int32_t i = 0; i < tubeCount; ++i) {
      if (model.atomType[i] < 1)
        continue;
      const double d = distance(model, i, cap[r]);
      if (d >= lo && d <= hi)
        ++pairs;
    }
  return pairs;
}

} // namespace

Extent atomExtent(const Model& model, std::int32_t count)
{
  Extent e;
  for (std::int32_t i = 0; i < count; ++i) {
    const CapRow p = {model.atomX[i], model.atomY[i], model.atomZ[i]};
    for (std::size_t k = 0; k < 3; ++k) {
      e.lo[k] = std::min(e.lo[k], p[k]);
      e.hi[k] = std::max(e.hi[k], p[k]);
    }
  }
  return e;
}

Extent capExtent(const CapTable& table, std::int32_t count)
{
  Extent e;
  for (std::int32_t i = 0; i < count; ++i)
    for (std::size_t k = 0; k < 3; ++k) {
      e.lo[k] = std::min(e.lo[k], table[i][k]);
      e.hi[k] = std::max(e.hi[k], table[i][k]);
    }
  return e;
}

void addC60HalfCap(CapTable& table, std::int16_t code, std::int32_t& rowCount)
{
  float lowest = 999.0f;
  for (const CapRow& p : c60Atoms()) {
    const bool keep = code == 90 ? p[1] > -0.5f && (p[1] <= -0.2f || p[1] >= 0.2f) : p[2] > 2.0f;
    if (!keep)
      continue;
    if (code != 90)
      lowest = std::min(lowest, p[2]);
    growTo(table, rowCount + 1);
    table[rowCount] = p;
    ++rowCount;
  }
  if (code != 90)
    for (std::int32_t i = 0; i < rowCount; ++i)
      table[i][2] = static_cast<float>(static_cast<double>(table[i][2]) - lowest);
}

void rotateCapAtoms(std::int16_t axis, float angle, CapTable& table, std::int32_t count)
{
  if (axis < 1 || axis > 3)
    throw RuntimeError("A cap turns about axis 1, 2 or 3.");
  const auto radians = static_cast<float>(angle * 0.017453292522222223);
  const auto c = static_cast<float>(std::cos(static_cast<double>(radians)));
  const auto s = static_cast<float>(std::sin(static_cast<double>(radians)));
  std::array<std::array<double, 3>, 3> m{};
  if (axis == 1)
    m = {{{1, 0, 0}, {0, c, -s}, {0, s, c}}};
  else if (axis == 2)
    m = {{{c, 0, -s}, {0, 1, 0}, {s, 0, c}}};
  else
    m = {{{c, s, 0}, {-s, c, 0}, {0, 0, 1}}};
  for (std::int32_t i = 0; i < count; ++i) {
    CapRow turned{};
    for (std::size_t r = 0; r < 3; ++r)
      turned[r] = static_cast<float>(m[r][0] * table[i][0] + m[r][1] * table[i][1]
                                     + m[r][2] * table[i][2]);
    table[i] = turned;
  }
}

std::int32_t countCapContacts(const Model& model, std::int32_t tubeCount, const CapTable& cap,
                              std::int32_t rows, double limit, bool floatDistance)
{
  std::int32_t contacts = 0;
  for (std::int32_t r = 0; r < rows; ++r)
    for (std::int32_t i = 0; i < tubeCount; ++i) {
      double d = distance(model, i, cap[r]);
      if (floatDistance)
        d = static_cast<float>(d);
      if (d < limit) {
        ++contacts;
        break;
      }
    }
  return contacts;
}

void contactTurn(const Model& model, std::int32_t tubeCount, CapTable& cap, std::int32_t rows,
                 float angle)
{
  if (countCapContacts(model, tubeCount, cap, rows, 0.5 * model.bondLength, true) > 10)
    rotateCapAtoms(3, angle, cap, rows);
}

void appendCap(Model& model, const CapTable& cap, std::int32_t rows, std::int16_t type)
{
  const auto total = static_cast<std::size_t>(model.atomCount) + static_cast<std::size_t>(rows);
  model.atomX.resize(total);
  model.atomY.resize(total);
  model.atomZ.resize(total);
  model.atomType.resize(total);
  for (std::int32_t r = 0; r < rows; ++r) {
    const std::int32_t k = model.atomCount;
    model.atomX[k] = cap[r][0];
    model.atomY[k] = cap[r][1];
    model.atomZ[k] = cap[r][2];
    model.atomType[k] = type;
    ++model.atomCount;
  }
}

void appendCapsByEnds(Model& model, const CapTable& lower, const CapTable& upper,
                      std::int32_t rows, std::int16_t lowerType, std::int16_t upperType)
{
  if (model.capEnds < 2)
    appendCap(model, lower, rows, lowerType);
  if (model.capEnds != 1)
    appendCap(model, upper, rows, upperType);
}

void mergeCloseAtoms(Model& model, double limit, bool floatDistance)
{
  // Quadratic, but the presets that merge are short: at most a few thousand
  // atoms even at the longest length.
  for (std::int32_t i = 0; i + 1 < model.atomCount; ++i) {
    if (model.atomType[i] < 1)
      continue;
    const CapRow p = {model.atomX[i], model.atomY[i], model.atomZ[i]};
    for (std::int32_t j = i + 1; j < model.atomCount; ++j) {
      if (model.atomType[j] < 1)
        continue;
      double d = distance(model, j, p);
      if (floatDistance)
        d = static_cast<float>(d);
      const auto dz =
          static_cast<float>(std::fabs(static_cast<double>(model.atomZ[j]) - model.atomZ[i]));
      if (d < limit && dz < limit) {
        model.atomZ[j] =
            static_cast<float>((static_cast<double>(model.atomZ[j]) + model.atomZ[i]) / 2.0);
        model.atomType[i] = -2;
        break;
      }
    }
  }
}

PrunedEnds pruneShortEnds(Model& model, const Extent& tube, std::int32_t full)
{
  const double reach = 0.6 * model.bondLength;
  const auto lowLimit = static_cast<float>(tube.lo[2] + reach);
  const auto highLimit = static_cast<float>(tube.hi[2] - reach);
  std::int32_t lowCount = 0;
  std::int32_t highCount = 0;
  for (std::int32_t i = 0; i < model.atomCount; ++i) {
    lowCount += model.atomZ[i] < lowLimit ? 1 : 0;
    highCount += model.atomZ[i] > highLimit ? 1 : 0;
  }
  const PrunedEnds pruned{lowCount != full, highCount != full};
  for (std::int32_t i = 0; i < model.atomCount; ++i)
    if ((pruned.low && model.atomZ[i] < lowLimit) || (pruned.high && model.atomZ[i] > highLimit))
      model.atomType[i] = -3;
  return pruned;
}

void compactAtoms(Model& model)
{
  std::int32_t kept = 0;
  for (std::int32_t i = 0; i < model.atomCount; ++i) {
    if (model.atomType[i] <= 0)
      continue;
    model.atomX[kept] = model.atomX[i];
    model.atomY[kept] = model.atomY[i];
    model.atomZ[kept] = model.atomZ[i];
    model.atomType[kept] = model.atomType[i];
    ++kept;
  }
  model.atomCount = kept;
  const auto size = static_cast<std::size_t>(kept);
  model.atomX.resize(size);
  model.atomY.resize(size);
  model.atomZ.resize(size);
  model.atomType.resize(size);
}

void addCap55(Model& model)
{
  const double merge = model.bondLength / 2.0;
  const float b = model.bondLength;
  const std::int32_t tubeCount = model.atomCount;
  const Extent tube = atomExtent(model, tubeCount);
  model.tubeLength = static_cast<float>(static_cast<double>(tube.hi[2]) - tube.lo[2]);

  CapTable upper;
  CapTable lower;
  std::int32_t rows = 0;
  addC60HalfCap(upper, 55, rows);
  rotateCapAtoms(3, 10.0f, upper, rows);
  placeHalfCaps(tube, upper, lower, rows);

  if (countCapContacts(model, tubeCount, lower, rows, b, true) > 10)
    rotateCapAtoms(3, 19.0f, lower, rows);
  if (countCapContacts(model, tubeCount, upper, rows, 1.05 * b, false) > 10)
    rotateCapAtoms(3, -16.0f, upper, rows);
  if (countCapContacts(model, tubeCount, upper, rows, 0.9 * b, false) > 10)
    moveRows(upper, rows, 0.0, 0.0, -static_cast<double>(b));

  appendCapsByEnds(model, lower, upper, rows, 3, 3);
  mergeCloseAtoms(model, merge, true);
  compactAtoms(model);
}

void addCap90(Model& model)
{
  const double a = model.bondLength;
  const double merge = a * 0.5;
  const std::int32_t tubeCount = model.atomCount;
  const Extent tube = atomExtent(model, tubeCount);

  // An end layer of 18 atoms takes the cap as it is; any other end loses
  // its last atoms.
  const bool pruneHigh = pruneShortEnds(model, tube, 18).high;

  CapTable upper;
  CapTable lower;
  std::int32_t rows = 0;
  addC60HalfCap(upper, 90, rows);
  rotateCapAtoms(1, 79.0f, upper, rows);
  rotateCapAtoms(3, 10.0f, upper, rows);
  placeHalfCaps(tube, upper, lower, rows);

  if (countCapContacts(model, tubeCount, lower, rows, merge, true) < 18)
    moveRows(lower, rows, 0.0, 0.0, 1.5 * a);

  // A full upper layer would sit inside the cap's open ring; lifted by a,
  // the ring meets it as the pruned lower end meets the lower cap. The turn
  // is the one whose rows lie at bond distance from the most tube atoms.
  if (!pruneHigh)
    moveRows(upper, rows, 0.0, 0.0, a);
  CapTable turned = upper;
  rotateCapAtoms(3, 20.0f, turned, rows);
  if (countPairsBetween(model, tubeCount, turned, rows, 0.8 * a, 1.2 * a)
      > countPairsBetween(model, tubeCount, upper, rows, 0.8 * a, 1.2 * a))
    upper = turned;

  appendCapsByEnds(model, lower, upper, rows, 3, 3);
  mergeCloseAtoms(model, merge, true);
  compactAtoms(model);
}

} // namespace tarvek
