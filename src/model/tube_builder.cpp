#include "model/tube_builder.h"

#include "model/bond_search.h"
#include "model/model.h"
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

// Cap builders append their cap to the atom set; until the caps exist every
// capped tube stays open.
void leaveOpen(Model&) {}

// The capped-tube presets: each code forces its indices and adds its caps.
struct CapCode {
  std::int16_t code;
  std::int16_t n;
  std::int16_t m;
  void (*addCaps)(Model&);
};

constexpr std::array<CapCode, 9> kCapCodes{{
    {55, 5, 5, leaveOpen},
    {66, 6, 6, leaveOpen},
    {90, 9, 0, leaveOpen},
    {100, 10, 0, leaveOpen},
    {190, 19, 0, leaveOpen},
    {280, 28, 0, leaveOpen},
    {1010, 10, 10, leaveOpen},
    {1111, 11, 11, leaveOpen},
    {1616, 16, 16, leaveOpen},
}};

constexpr std::int16_t kFirstCapCode = 55;
// Tubes this long or longer get no bonds.
constexpr float kBondedLengthLimit = 500.0f;

const CapCode* findCapCode(std::int16_t variant)
{
  for (const CapCode& c : kCapCodes)
    if (c.code == variant)
      return &c;
  return nullptr;
}

// Range of lattice cells of the sheet to lay out: every cell the cut
// rectangle can touch, with one cell to spare on every side.
struct Layout {
  std::int64_t ixLo, ixHi, iyLo, iyHi;
  std::int64_t atoms() const { return (ixHi - ixLo + 1) * (iyHi - iyLo + 1) * 4; }
};

Layout layoutBounds(double ch, double top, double cosT, double sinT, double cellW,
                    double cellH)
{
  double xLo = std::numeric_limits<double>::infinity();
  double xHi = -xLo;
  double yLo = xLo;
  double yHi = -xLo;
  // The rectangle's corners turned back into the sheet's frame.
  for (const double x : {-0.01, ch})
    for (const double y : {-0.01, top}) {
      const double sx = x * cosT + y * sinT;
      const double sy = -x * sinT + y * cosT;
      xLo = std::min(xLo, sx);
      xHi = std::max(xHi, sx);
      yLo = std::min(yLo, sy);
      yHi = std::max(yHi, sy);
    }
  // Refused before the cell indices are formed, so they cannot overflow.
  const double cells = (std::ceil(xHi / cellW) - std::floor(xLo / cellW) + 3.0)
                       * (std::ceil(yHi / cellH) - std::floor(yLo / cellH) + 3.0);
  if (!(cells * 4.0 <= std::numeric_limits<std::int32_t>::max()))
    throw RuntimeError("The tube is too long to be built.");
  return {static_cast<std::int64_t>(std::floor(xLo / cellW)) - 1,
          static_cast<std::int64_t>(std::ceil(xHi / cellW)) + 1,
          static_cast<std::int64_t>(std::floor(yLo / cellH)) - 1,
          static_cast<std::int64_t>(std::ceil(yHi / cellH)) + 1};
}

struct Atoms {
  std::vector<float> x, y, z;
  std::vector<std::int16_t> type;

  void reserve(std::size_t n)
  {
    x.reserve(n);
    y.reserve(n);
    z.reserve(n);
    type.reserve(n);
  }
  void add(float ax, float ay, float az, std::int16_t t)
  {
    x.push_back(ax);
    y.push_back(ay);
    z.push_back(az);
    type.push_back(t);
  }
  std::int32_t count() const { return static_cast<std::int32_t>(x.size()); }
};

void store(Atoms& from, AtomSetRef to)
{
  to.count = from.count();
  to.x = std::move(from.x);
  to.y = std::move(from.y);
  to.z = std::move(from.z);
  to.type = std::move(from.type);
}

void clearBondList(Model& model)
{
  model.bondCount = 0;
  model.bondAtom1.clear();
  model.bondAtom2.clear();
}

// Rolls the cut sheet onto the cylinder of radius r. A candidate near the
// far edge (x > seamFrom) is dropped when an earlier atom lies closer than
// 0.5 Å: the sheet's two edges meet there. Such a neighbour is within 0.79
// Å of it round the circumference (chord 0.5), so only atoms near either
// edge are indexed, by height in 1 Å slices.
Atoms roll(const Atoms& sheet, float r, double seamFrom, double top)
{
  constexpr double kMinDistance = 0.5;
  constexpr double kEdgeBand = 1.0;
  const auto slices = static_cast<std::size_t>(std::max(0.0, std::floor(top + 0.01)) + 2.0);
  std::vector<std::int32_t> head(slices, -1);
  std::vector<std::int32_t> next;
  const auto sliceOf = [&](float y) {
    const double s = std::floor(static_cast<double>(y) + 0.01);
    return static_cast<std::size_t>(std::clamp(s, 0.0, static_cast<double>(slices - 1)));
  };

  Atoms tube;
  tube.reserve(sheet.x.size());
  for (std::size_t i = 0; i < sheet.x.size(); ++i) {
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
          const double dx = static_cast<double>(tube.x[j]) - cx;
          const double dy = static_cast<double>(tube.y[j]) - cy;
          const double dz = static_cast<double>(tube.z[j]) - sy;
          duplicate = std::sqrt(dx * dx + dy * dy + dz * dz) < kMinDistance;
        }
      if (duplicate)
        continue;
    }
    const std::int32_t k = tube.count();
    tube.add(cx, cy, sy, sheet.type[i]);
    next.push_back(-1);
    if (sx < kEdgeBand || sx > seamFrom - kEdgeBand) {
      next[k] = head[slice];
      head[slice] = k;
    }
  }
  return tube;
}

} // namespace

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

  if (bend != 0.0f) {
    float xMin = 1e6f;
    float zMin = 1e6f;
    float zMax = 0.0f;
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
  if (model.tubeVariant == 90) {
    // An odd number of bond lengths, so both caps fit the ends.
    std::int32_t k = CInt(length / static_cast<double>(a));
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
  Layout layout{0, -1, 0, -1};
  if (rolled && top > -0.01) {
    layout = layoutBounds(sizes.circumference, top, cosT, sinT, cellW, cellH);
  }

  model.tubeN = n;
  model.tubeM = m;
  model.bondLength = a;
  model.wideBondWindow = wide;
  model.tubeLength = tubeLength;
  model.tubeDiameter = sizes.diameter;

  if (rolled) {
    // Sheet cell of four atoms; 0, 1 and 2, 3 are the two sublattices.
    const auto halfW = static_cast<float>(static_cast<double>(sqrt3) / 2.0 * a);
    const std::array<float, 4> cellX = {0.0f, halfW, 0.0f, halfW};
    const std::array<float, 4> cellY = {0.0f, static_cast<float>(1.5 * a), a,
                                        static_cast<float>(2.5 * a)};
    std::array<std::int16_t, 4> cellType = {1, 1, 2, 2};
    if (model.materialIndex == 0)
      cellType = {3, 3, 3, 3};

    // Lay out and turn the sheet so the chiral vector lies along +x and the
    // axis along +y.
    Atoms work;
    work.reserve(static_cast<std::size_t>(std::max<std::int64_t>(layout.atoms(), 0)));
    for (std::int64_t ix = layout.ixLo; ix <= layout.ixHi; ++ix)
      for (std::int64_t iy = layout.iyLo; iy <= layout.iyHi; ++iy)
        for (std::size_t c = 0; c < 4; ++c) {
          float x = cellX[c] + static_cast<float>(ix) * sqrt3 * a;
          float y = cellY[c] + static_cast<float>(iy) * 3.0f * a;
          if (theta != 0.0f) {
            const double tx = x * cosT - y * sinT;
            const double ty = x * sinT + y * cosT;
            x = static_cast<float>(tx);
            y = static_cast<float>(ty);
          }
          work.add(x, y, 0.0f, cellType[c]);
        }

    Atoms sheet;
    for (std::int32_t i = 0; i < work.count(); ++i) {
      const float x = work.x[i];
      const float y = work.y[i];
      if (x > -0.01 && x < sizes.circumference && y > -0.01 && y <= top)
        sheet.add(x, y, work.z[i], work.type[i]);
    }

    Atoms tube =
        roll(sheet, sizes.radius, static_cast<double>(sizes.circumference) - 1.1 * a, top);
    store(work, model.atomSet(AtomSetId::Work));
    store(sheet, model.atomSet(AtomSetId::Sheet));
    store(tube, model.atomSet(AtomSetId::Atom));
    if (cap != nullptr)
      cap->addCaps(model);
  } else {
    buildTubeUnitCell(model, n, m, cells, a);
    Atoms none;
    store(none, model.atomSet(AtomSetId::Work));
  }

  if (model.tubeLength < kBondedLengthLimit)
    createBonds(model, 0.0f, 0.0f, prompts, abort);
  else
    clearBondList(model);

  if (model.distortionActive)
    distortTube(model.atomSet(AtomSetId::Atom), model.tubeDiameter / 2.0f, model.stretchFactor,
                model.ellipseRatio, model.twistRate, model.bendAngle);

  model.lastTubeRadius = model.tubeDiameter / 2.0f;
  model.lastTubeDiameter = model.tubeDiameter;
  model.lastSheetWidth = sizes.circumference;
}

} // namespace tarvek
