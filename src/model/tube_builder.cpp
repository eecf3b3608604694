#include "model/tube_builder.h"

#include "model/bond_search.h"
#include "model/end_caps.h"
#include "model/graphene_cell.h"
#include "model/model.h"
#include "model/tabulated_caps.h"
#include "model/tube_unit_cell.h"
#include "runtime/int_convert.h"
#include "runtime/math_util.h"
#include "runtime/runtime_error.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <vector>

namespace tarvek {

namespace {

// The capped-tube presets: each code forces its indices and adds its caps.
struct CapCode {
  std::int16_t code;
  std::int16_t n;
  std::int16_t m;
  void (*addCaps)(Model&, Prompts&);
};

constexpr std::array<CapCode, 9> kCapCodes{{
    {55, 5, 5, [](Model& model, Prompts&) { addCap55(model); }},
    {66, 6, 6, [](Model& model, Prompts&) { addCap66(model); }},
    {90, 9, 0, [](Model& model, Prompts&) { addCap90(model); }},
    {100, 10, 0, addCap100},
    {190, 19, 0, [](Model& model, Prompts&) { addCap190(model); }},
    {280, 28, 0, [](Model& model, Prompts&) { addCap280(model); }},
    {1010, 10, 10, [](Model& model, Prompts&) { addCap1010(model); }},
    {1111, 11, 11, [](Model& model, Prompts&) { addCap1111(model); }},
    {1616, 16, 16, [](Model& model, Prompts&) { addCap1616(model); }},
}};

constexpr std::int16_t kFirstCapCode = 55;
const CapCode* findCapCode(std::int16_t variant)
{
  for (const CapCode& c : kCapCodes)
    if (c.code == variant)
      return &c;
  return nullptr;
}

// Lattice cells of the sheet to lay out: every cell the cut rectangle can
// touch, with one cell to spare on every side. Each column ix gets its own
// rows iyLo .. iyHi, so a long turned tube costs its own area, not that of
// its bounding box.
struct Layout {
  struct Rows {
    std::int64_t lo, hi;
  };
  std::int64_t ixLo = 0;
  std::vector<Rows> columns;
  std::int64_t atoms = 0;
};

Layout layoutCells(double ch, double top, double cosT, double sinT, double cellW, double cellH)
{
  // The rectangle's corners, in order round it, turned back into the
  // sheet's frame.
  std::array<std::array<double, 2>, 4> corner{};
  const std::array<std::array<double, 2>, 4> cut = {
      {{-0.01, -0.01}, {ch, -0.01}, {ch, top}, {-0.01, top}}};
  for (std::size_t k = 0; k < 4; ++k)
    corner[k] = {cut[k][0] * cosT + cut[k][1] * sinT, -cut[k][0] * sinT + cut[k][1] * cosT};

  // Refused before any index is formed, so none can overflow.
  const double estimate = (ch + 4.0 * cellW) * (top + 4.0 * cellH) * 4.0 / (cellW * cellH);
  if (!(estimate <= std::numeric_limits<std::int32_t>::max()))
    throw RuntimeError("The tube is too long to be built.");

  double xLo = corner[0][0];
  double xHi = xLo;
  for (const auto& c : corner) {
    xLo = std::min(xLo, c[0]);
    xHi = std::max(xHi, c[0]);
  }
  Layout layout;
  layout.ixLo = static_cast<std::int64_t>(std::floor(xLo / cellW)) - 1;
  const auto ixHi = static_cast<std::int64_t>(std::ceil(xHi / cellW)) + 1;
  for (std::int64_t ix = layout.ixLo; ix <= ixHi; ++ix) {
    // Heights of the rectangle over the column, widened by a cell each side.
    const double stripLo = static_cast<double>(ix - 1) * cellW;
    const double stripHi = static_cast<double>(ix + 2) * cellW;
    double yLo = std::numeric_limits<double>::infinity();
    double yHi = -yLo;
    for (std::size_t k = 0; k < 4; ++k) {
      const auto& p = corner[k];
      const auto& q = corner[(k + 1) % 4];
      const double from = std::max(stripLo, std::min(p[0], q[0]));
      const double to = std::min(stripHi, std::max(p[0], q[0]));
      if (from > to)
        continue;
      std::array<double, 2> ends = {p[1], q[1]};
      if (p[0] != q[0])
        for (std::size_t e = 0; e < 2; ++e) {
          const double x = e == 0 ? from : to;
          ends[e] = p[1] + (q[1] - p[1]) * (x - p[0]) / (q[0] - p[0]);
        }
      yLo = std::min({yLo, ends[0], ends[1]});
      yHi = std::max({yHi, ends[0], ends[1]});
    }
    if (yLo > yHi) {
      layout.columns.push_back({0, -1});
      continue;
    }
    const Layout::Rows rows{static_cast<std::int64_t>(std::floor(yLo / cellH)) - 1,
                            static_cast<std::int64_t>(std::ceil(yHi / cellH)) + 1};
    layout.columns.push_back(rows);
    layout.atoms += (rows.hi - rows.lo + 1) * 4;
  }
  if (layout.atoms > std::numeric_limits<std::int32_t>::max())
    throw RuntimeError("The tube is too long to be built.");
  return layout;
}

// Fills one of the model's sets in place, keeping the arrays' memory from
// the last build.
struct SetWriter {
  AtomSetRef set;

  void clear(std::size_t expected)
  {
    set.x.clear();
    set.y.clear();
    set.z.clear();
    set.type.clear();
    set.x.reserve(expected);
    set.y.reserve(expected);
    set.z.reserve(expected);
    set.type.reserve(expected);
    set.count = 0;
  }
  void add(float ax, float ay, float az, std::int16_t t)
  {
    set.x.push_back(ax);
    set.y.push_back(ay);
    set.z.push_back(az);
    set.type.push_back(t);
    ++set.count;
  }
};

// Rolls the cut sheet onto the cylinder of radius r. A candidate near the
// far edge (x > seamFrom) is dropped when an earlier atom lies closer than
// 0.5 Å: the sheet's two edges meet there. Such a neighbour is within 0.79
// Å of it round the circumference (chord 0.5), so only atoms near either
// edge are indexed, by height in 1 Å slices.
void roll(AtomSetRef sheet, SetWriter tube, float r, double seamFrom, double top)
{
  constexpr double kMinDistance = 0.5;
  constexpr double kEdgeBand = 1.0;
  const auto slices = static_cast<std::size_t>(std::max(0.0, std::floor(top + 0.01)) + 2.0);
  BigVector<std::int32_t> head(slices, -1);
  BigVector<std::int32_t> next;
  next.reserve(static_cast<std::size_t>(sheet.count));
  const auto sliceOf = [&](float y) {
    const double s = std::floor(static_cast<double>(y) + 0.01);
    return static_cast<std::size_t>(std::clamp(s, 0.0, static_cast<double>(slices - 1)));
  };

  tube.clear(static_cast<std::size_t>(sheet.count));
  for (std::size_t i = 0; i < static_cast<std::size_t>(sheet.count); ++i) {
    const float sx = sheet.x[i];
    const float sy = sheet.y[i];
    const float phi = sx / r;
    const auto cx = static_cast<float>(static_cast<double>(r) * std::cos(phi));
    const auto cy = static_cast<float>(static_cast<double>(r) * std::sin(phi));
    const std::size_t slice = sliceOf(sy);
    if (sx > seamFrom) {
      bool duplicate = false;
      const std::size_t first = slice == 0 ? 0 : slice - 1;
      const std::size_t last = std::min(slice + 1, slices - 1);
      for (std::size_t s = first; s <= last && !duplicate; ++s)
        for (std::int32_t j = head[s]; j >= 0 && !duplicate; j = next[j]) {
          const double dx = static_cast<double>(tube.set.x[j]) - cx;
          const double dy = static_cast<double>(tube.set.y[j]) - cy;
          const double dz = static_cast<double>(tube.set.z[j]) - sy;
          duplicate = std::sqrt(dx * dx + dy * dy + dz * dz) < kMinDistance;
        }
      if (duplicate)
        continue;
    }
    const std::int32_t k = tube.set.count;
    tube.add(cx, cy, sy, sheet.type[i]);
    next.push_back(-1);
    if (sx < kEdgeBand || sx > seamFrom - kEdgeBand) {
      next[k] = head[slice];
      head[slice] = k;
    }
  }
}

} // namespace

std::optional<TubeIndices> capCodeIndices(std::int16_t code)
{
  if (const CapCode* cap = findCapCode(code))
    return TubeIndices{cap->n, cap->m};
  return std::nullopt;
}

TubeSizes tubeSizes(std::int32_t n, std::int32_t m, float a)
{
  const std::int64_t n64 = n;
  const std::int64_t m64 = m;
  const std::int64_t sum = n64 * n64 + n64 * m64 + m64 * m64;
  if (sum > std::numeric_limits<std::int32_t>::max())
    throw RuntimeError("The indices (n,m) are too large for a tube.");
  const auto ch = static_cast<float>(a * std::sqrt(3.0) * std::sqrt(static_cast<double>(sum)));
  const auto d = static_cast<float>(ch / kPi);
  return {ch, d, static_cast<float>(d / 2.0)};
}

float tubeRadius(std::int32_t n, std::int32_t m, float a)
{
  return tubeSizes(n, m, a).radius;
}

void distortTube(AtomSetRef atoms, float radius, float stretch, float ellipse, float twist,
                 float bend)
{
  const auto count = static_cast<std::size_t>(atoms.count);
  if (stretch != 1.0f)
    for (std::size_t i = 0; i < count; ++i)
      atoms.z[i] = static_cast<float>(static_cast<double>(stretch) * atoms.z[i]);

  if (ellipse != 1.0f) {
    // Semi-axes e·b and b with the circle's circumference (Ramanujan's first
    // approximation of the perimeter).
    const double e = ellipse;
    const double b = 2.0 * radius / (3.0 * (e + 1.0) - std::sqrt((3.0 * e + 1.0) * (e + 3.0)));
    const double k = e * b / radius;
    const double shrink = b / radius;
    for (std::size_t i = 0; i < count; ++i) {
      atoms.x[i] = static_cast<float>(k * atoms.x[i]);
      atoms.y[i] = static_cast<float>(shrink * atoms.y[i]);
    }
  }

  if (twist != 0.0f)
    for (std::size_t i = 0; i < count; ++i) {
      const double alpha = static_cast<double>(twist) * atoms.z[i] * (kPi / 180.0);
      const double x = atoms.x[i];
      const double y = atoms.y[i];
      atoms.x[i] = static_cast<float>(x * std::cos(alpha) - y * std::sin(alpha));
      atoms.y[i] = static_cast<float>(x * std::sin(alpha) + y * std::cos(alpha));
    }

  if (bend != 0.0f && count > 0) {
    // The z extent starts at the first atom: an imported tube may lie wholly
    // below z = 0 and still bends over its own length.
    float xMin = 1e6f;
    float zMin = atoms.z[0];
    float zMax = atoms.z[0];
    for (std::size_t i = 0; i < count; ++i) {
      xMin = std::min(xMin, atoms.x[i]);
      zMin = std::min(zMin, atoms.z[i]);
      zMax = std::max(zMax, atoms.z[i]);
    }
    // A tube without height has no axis to bend.
    if (zMax > zMin) {
      const double rho = (static_cast<double>(zMax) - zMin) / (bend * kPi / 180.0);
      float bentMin = 1e6f;
      for (std::size_t i = 0; i < count; ++i) {
        const double phi = atoms.z[i] / rho;
        const double r = rho + atoms.x[i];
        atoms.x[i] = static_cast<float>(r * std::cos(phi));
        atoms.z[i] = static_cast<float>(r * std::sin(phi));
        bentMin = std::min(bentMin, atoms.x[i]);
      }
      const double shift = static_cast<double>(xMin) - bentMin;
      for (std::size_t i = 0; i < count; ++i)
        atoms.x[i] = static_cast<float>(atoms.x[i] + shift);
    }
  }
}

void buildTubes(Model& model, std::int16_t n, std::int16_t m, float length, float a,
                Prompts& prompts, AbortToken& abort)
{
  // Everything that can be refused is checked before the model is touched.
  const bool capped = model.tubeVariant >= kFirstCapCode;
  const CapCode* cap = capped ? findCapCode(model.tubeVariant) : nullptr;
  if (cap != nullptr) {
    n = cap->n;
    m = cap->m;
  }
  if (2 * n + m == 0)
    throw RuntimeError("Indices (n,m) with 2n+m=0 cannot be rolled.");
  if (!(a > 0.0f && std::isfinite(a)))
    throw RuntimeError("The bond length must be a positive number.");
  if (!std::isfinite(length))
    throw RuntimeError("The tube length must be a finite number.");
  const TubeSizes sizes = tubeSizes(n, m, a);

  float tubeLength = length;
  if (model.tubeVariant == 90 && !model.unitCellMode) {
    // An odd number of bond lengths, so both caps fit the ends.
    std::int32_t k = CLng(length / static_cast<double>(a));
    if (k % 2 == 0)
      --k;
    tubeLength = static_cast<float>(k * static_cast<double>(a));
  }
  std::int32_t cells = 0;
  if (model.unitCellMode) {
    cells = CLng(length);
    checkTubeUnitCell(n, m, cells, a);
    if (capped) {
      Model cell;
      buildTubeUnitCell(cell, n, m, cells, a);
      tubeLength = cell.tubeLength;
    }
  }
  // Shorter (9,0) tubes have two or three rings, too few for both caps to
  // close on.
  if (model.tubeVariant == 90)
    tubeLength = std::max(tubeLength, static_cast<float>(3.0 * a));
  // A (19,0) or (28,0) tube starts with a ring of lone atoms, which its cap
  // builder drops; 1.5 a reaches the full ring after it.
  if (model.tubeVariant == 190 || model.tubeVariant == 280)
    tubeLength = std::max(tubeLength, static_cast<float>(1.5 * a));
  std::int16_t wide = capped ? std::int16_t{0} : model.wideBondWindow;
  if (wide == 1) {
    tubeLength = static_cast<float>(tubeLength + 1.05 * sizes.radius);
    wide = 2;
  }
  const bool rolled = !model.unitCellMode || capped;

  const auto sqrt3 = static_cast<float>(std::sqrt(3.0));
  const auto theta =
      static_cast<float>(std::atan(-static_cast<double>(sqrt3) * m / (2.0 * n + m)));
  const double cosT = std::cos(static_cast<double>(theta));
  const double sinT = std::sin(static_cast<double>(theta));
  const double top = static_cast<double>(tubeLength) + 0.3;
  const float cellW = sqrt3 * a;
  const auto cellH = static_cast<float>(3.0 * a);
  Layout layout;
  if (rolled && top > -0.01)
    layout = layoutCells(sizes.circumference, top, cosT, sinT, cellW, cellH);

  model.tubeN = n;
  model.tubeM = m;
  model.bondLength = a;
  model.wideBondWindow = wide;
  model.tubeLength = tubeLength;
  model.tubeDiameter = sizes.diameter;

  if (rolled) {
    const GrapheneCell cell = grapheneCell(model, a);

    // Lay out and turn the sheet so the chiral vector lies along +x and the
    // axis along +y.
    SetWriter work{model.atomSet(AtomSetId::Work)};
    work.clear(static_cast<std::size_t>(layout.atoms));
    for (std::size_t col = 0; col < layout.columns.size(); ++col)
      for (std::int64_t iy = layout.columns[col].lo; iy <= layout.columns[col].hi; ++iy)
        for (std::size_t c = 0; c < 4; ++c) {
          const std::int64_t ix = layout.ixLo + static_cast<std::int64_t>(col);
          float x = cell.x[c] + static_cast<float>(ix) * sqrt3 * a;
          float y = cell.y[c] + static_cast<float>(iy) * 3.0f * a;
          if (theta != 0.0f) {
            const double tx = x * cosT - y * sinT;
            const double ty = x * sinT + y * cosT;
            x = static_cast<float>(tx);
            y = static_cast<float>(ty);
          }
          work.add(x, y, 0.0f, cell.type[c]);
        }

    // Cut out one circumference by the length.
    const AtomSetRef laid = work.set;
    SetWriter sheet{model.atomSet(AtomSetId::Sheet)};
    sheet.clear(static_cast<std::size_t>(
        std::max(0.0, (sizes.circumference + cellW) * (top + cellH) * 4.0 / (cellW * cellH))));
    for (std::int32_t i = 0; i < laid.count; ++i) {
      const float x = laid.x[i];
      const float y = laid.y[i];
      if (x > -0.01 && x < sizes.circumference && y > -0.01 && y <= top)
        sheet.add(x, y, laid.z[i], laid.type[i]);
    }

    roll(sheet.set, SetWriter{model.atomSet(AtomSetId::Atom)}, sizes.radius,
         static_cast<double>(sizes.circumference) - 1.1 * a, top);
    if (cap != nullptr)
      cap->addCaps(model, prompts);
  } else {
    buildTubeUnitCell(model, n, m, cells, a);
    SetWriter{model.atomSet(AtomSetId::Work)}.clear(0);
  }

  if (model.tubeLength < kBondedTubeLengthLimit)
    createBonds(model, 0.0f, 0.0f, prompts, abort);
  else
    clearBonds(model);

  if (model.distortionActive)
    distortTube(model.atomSet(AtomSetId::Atom), model.tubeDiameter / 2.0f, model.stretchFactor,
                model.ellipseRatio, model.twistRate, model.bendAngle);

  model.lastTubeRadius = model.tubeDiameter / 2.0f;
  model.lastTubeDiameter = model.tubeDiameter;
  model.lastSheetWidth = sizes.circumference;
}

} // namespace tarvek
