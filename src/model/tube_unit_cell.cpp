#include "model/tube_unit_cell.h"

#include "model/model.h"
#include "runtime/math_util.h"
#include "runtime/runtime_error.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <numeric>
#include <string>

namespace tarvek {

namespace {

// One turn as the unit-cell construction takes it (not kTwoPi).
constexpr double kFullTurn = 6.283185308;

// Atom count of the build, after its refusals.
std::int64_t checkedAtoms(std::int32_t n, std::int32_t m, std::int32_t cells, float a)
{
  if (n < 1 || m < 0 || cells < 1)
    throw RuntimeError("Unit cells need n of at least 1, m of at least 0 and at least one cell.");
  if (!(a > 0.0f && std::isfinite(a)))
    throw RuntimeError("The bond length must be a positive number.");
  const std::int64_t n64 = n;
  const std::int64_t m64 = m;
  const std::int64_t g = std::gcd(n64, m64);
  const std::int64_t l2 = m64 * m64 + n64 * m64 + n64 * n64;
  const std::int64_t dR = (n64 - m64) % (3 * g) == 0 ? 3 * g : g;
  const std::int64_t atoms = 2 * (2 * l2 / dR) * cells;
  if (atoms > kMaxUnitCellAtoms)
    throw RuntimeError("This tube would have " + std::to_string(atoms) + " atoms; at most "
                       + std::to_string(kMaxUnitCellAtoms) + " can be built.");
  return atoms;
}

} // namespace

TubeSymmetry tubeSymmetry(std::int32_t n, std::int32_t m, float a)
{
  assert(n >= 1 && m >= 0);
  const std::int64_t n64 = n;
  const std::int64_t m64 = m;
  TubeSymmetry s{};
  s.g = std::gcd(n64, m64);
  const std::int64_t l2 = m64 * m64 + n64 * m64 + n64 * n64;
  const auto l2d = static_cast<double>(l2);
  s.dR = (n64 - m64) % (3 * s.g) == 0 ? 3 * s.g : s.g;
  s.hexagons = 2 * l2 / s.dR;
  s.radius = a * std::sqrt(3.0 * l2d) / kFullTurn;
  s.phiB = kPi * static_cast<double>(n64 + m64) / l2d;
  s.zB = a * static_cast<double>(n64 - m64) / (2.0 * std::sqrt(l2d));
  // The first p >= 0 with a whole q; one exists below n since gcd(m, n)
  // divides G.
  for (s.p = 0; s.p <= n64; ++s.p)
    if ((s.g + s.p * m64) % n64 == 0)
      break;
  s.q = (s.g + s.p * m64) / n64;
  s.psi = kPi * static_cast<double>(m64 * (2 * s.q + s.p) + n64 * (2 * s.p + s.q)) / l2d;
  s.tau = 3.0 * static_cast<double>(s.g) * a / (2.0 * std::sqrt(l2d));
  return s;
}

void checkTubeUnitCell(std::int32_t n, std::int32_t m, std::int32_t cells, float a)
{
  checkedAtoms(n, m, cells, a);
}

void buildTubeUnitCell(Model& model, std::int32_t n, std::int32_t m, std::int32_t cells,
                       float a)
{
  const auto count = static_cast<std::size_t>(checkedAtoms(n, m, cells, a));
  const TubeSymmetry s = tubeSymmetry(n, m, a);
  const auto g = static_cast<std::size_t>(s.g);

  // Basis pair, its G pure rotations, then block after block screwed.
  BigVector<double> phi(count);
  BigVector<double> z(count);
  phi[1] = s.phiB;
  z[1] = s.zB;
  for (std::size_t k = 2; k < 2 * g; ++k) {
    phi[k] = phi[k - 2] + kFullTurn / static_cast<double>(g);
    z[k] = z[k - 2];
  }
  for (std::size_t k = 2 * g; k < count; ++k) {
    phi[k] = phi[k - 2 * g] + s.psi;
    z[k] = z[k - 2 * g] + s.tau;
  }

  // Straight into the model's arrays, whose memory a build before left.
  BigVector<float>& ax = model.atomX;
  BigVector<float>& ay = model.atomY;
  BigVector<float>& az = model.atomZ;
  ax.resize(count);
  ay.resize(count);
  az.resize(count);
  float zLow = 99999.0f;
  float zHigh = -99999.0f;
  for (std::size_t k = 0; k < count; ++k) {
    ax[k] = static_cast<float>(s.radius * std::cos(phi[k]));
    ay[k] = static_cast<float>(s.radius * std::sin(phi[k]));
    az[k] = static_cast<float>(z[k]);
    zLow = std::min(zLow, az[k]);
    zHigh = std::max(zHigh, az[k]);
  }
  // The unrolled tube, from the stored coordinates.
  BigVector<float>& sx = model.sheetX;
  BigVector<float>& sy = model.sheetY;
  sx.resize(count);
  sy.resize(count);
  for (std::size_t k = 0; k < count; ++k) {
    const double r = std::sqrt(static_cast<double>(ax[k]) * ax[k]
                               + static_cast<double>(ay[k]) * ay[k]);
    double angle = ArcCosine(ax[k] / r);
    if (ay[k] / r < 0.0)
      angle = kTwoPi - angle;
    sx[k] = static_cast<float>(angle * s.radius);
    sy[k] = az[k];
  }

  const auto total = static_cast<std::int32_t>(count);
  model.atomType.assign(count, 3);
  model.atomCount = total;
  model.sheetZ.assign(count, 0.0f);
  model.sheetType.assign(count, 3);
  model.sheetCount = total;
  model.tubeLength = zHigh - zLow;
  model.tubeDiameter = static_cast<float>(2.0 * s.radius);
}

} // namespace tarvek
