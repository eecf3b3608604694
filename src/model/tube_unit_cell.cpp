#include "model/tube_unit_cell.h"

#include "model/model.h"
#include "runtime/math_util.h"
#include "runtime/runtime_error.h"

#include <cmath>
#include <numeric>
#include <string>
#include <vector>

namespace tarvek {

namespace {

// One turn as the unit-cell construction takes it (not kTwoPi).
constexpr double kFullTurn = 6.283185308;

struct CellPlan {
  std::int64_t g;
  std::int64_t l2;
  std::int64_t hexagons; // N, hexagons per translational cell
  std::int64_t atoms;    // M
};

CellPlan plan(std::int32_t n, std::int32_t m, std::int32_t cells, float a)
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
  const std::int64_t hexagons = 2 * l2 / dR;
  const std::int64_t atoms = 2 * hexagons * cells;
  if (atoms > kMaxUnitCellAtoms)
    throw RuntimeError("This tube would have " + std::to_string(atoms)
                       + " atoms; at most " + std::to_string(kMaxUnitCellAtoms)
                       + " can be built.");
  return {g, l2, hexagons, atoms};
}

} // namespace

void checkTubeUnitCell(std::int32_t n, std::int32_t m, std::int32_t cells, float a)
{
  plan(n, m, cells, a);
}

void buildTubeUnitCell(Model& model, std::int32_t n, std::int32_t m, std::int32_t cells,
                       float a)
{
  const CellPlan p = plan(n, m, cells, a);
  const auto g = static_cast<std::size_t>(p.g);
  const auto l2 = static_cast<double>(p.l2);
  const double chiral = a * std::sqrt(3.0 * l2);
  const double radius = chiral / kFullTurn;

  // The second basis atom sits one bond from the first in the unrolled
  // sheet: angle pi (n + m) / L2 round the axis, a (n - m) / (2 sqrt L2)
  // along it.
  const double phiB = kPi * (n + m) / l2;
  const double zB = a * static_cast<double>(n - m) / (2.0 * std::sqrt(l2));

  // Symmetry vector (p, q) with n q - m p = G; one exists with p < n.
  std::int64_t sp = 0;
  std::int64_t sq = 0;
  for (; sp <= n; ++sp)
    if ((p.g + sp * m) % n == 0) {
      sq = (p.g + sp * m) / n;
      break;
    }
  const double psi = kPi * static_cast<double>(m * (2 * sq + sp) + n * (2 * sp + sq)) / l2;
  const double tau = 3.0 * static_cast<double>(p.g) * a / (2.0 * std::sqrt(l2));

  const auto count = static_cast<std::size_t>(p.atoms);
  std::vector<double> phi(count);
  std::vector<double> z(count);
  phi[0] = 0.0;
  z[0] = 0.0;
  phi[1] = phiB;
  z[1] = zB;
  for (std::size_t k = 2; k < 2 * g; ++k) {
    phi[k] = phi[k - 2] + kFullTurn / static_cast<double>(g);
    z[k] = z[k - 2];
  }
  for (std::size_t k = 2 * g; k < count; ++k) {
    phi[k] = phi[k - 2 * g] + psi;
    z[k] = z[k - 2 * g] + tau;
  }

  std::vector<float> ax(count), ay(count), az(count);
  std::vector<float> sx(count), sy(count), sz(count);
  float zLow = 99999.0f;
  float zHigh = -99999.0f;
  for (std::size_t k = 0; k < count; ++k) {
    ax[k] = static_cast<float>(radius * std::cos(phi[k]));
    ay[k] = static_cast<float>(radius * std::sin(phi[k]));
    az[k] = static_cast<float>(z[k]);
    zLow = std::min(zLow, az[k]);
    zHigh = std::max(zHigh, az[k]);
  }
  // The unrolled tube, from the stored coordinates.
  for (std::size_t k = 0; k < count; ++k) {
    const double r = std::sqrt(static_cast<double>(ax[k]) * ax[k]
                               + static_cast<double>(ay[k]) * ay[k]);
    double angle = ArcCosine(ax[k] / r);
    if (ay[k] / r < 0.0)
      angle = 6.283185307 - angle;
    sx[k] = static_cast<float>(angle * radius);
    sy[k] = az[k];
    sz[k] = 0.0f;
  }

  const auto total = static_cast<std::int32_t>(count);
  model.atomX = std::move(ax);
  model.atomY = std::move(ay);
  model.atomZ = std::move(az);
  model.atomType.assign(count, 3);
  model.atomCount = total;
  model.sheetX = std::move(sx);
  model.sheetY = std::move(sy);
  model.sheetZ = std::move(sz);
  model.sheetType.assign(count, 3);
  model.sheetCount = total;
  model.tubeLength = zHigh - zLow;
  model.tubeDiameter = static_cast<float>(2.0 * radius);
}

} // namespace tarvek
