#pragma once

#include <cstdint>

namespace tarvek {

struct Model;

// Largest atom count buildTubeUnitCell builds.
inline constexpr std::int64_t kMaxUnitCellAtoms = 20'000'000;

// The screw symmetry of the (n, m) tube with bond length a (Å), n >= 1,
// m >= 0: G = gcd(n, m), N hexagons per translational cell (2N atoms),
// the symmetry vector (p, q) with nq - mp = G, and the screw operation:
// a turn by psi (radians) with a shift by tau (Å). The second basis atom sits
// at angle phiB and height zB, one bond from the first in the unrolled sheet.
struct TubeSymmetry {
  std::int64_t g;
  std::int64_t dR;
  std::int64_t hexagons;
  std::int64_t p, q;
  double radius;
  double psi;
  double tau;
  double phiB;
  double zB;
};
TubeSymmetry tubeSymmetry(std::int32_t n, std::int32_t m, float a);

// Builds `cells` translational unit cells of the carbon (n, m) tube with bond
// length a (Å) by its screw symmetry: two basis atoms, their G pure
// rotations, then block after block screwed by (psi, tau). Replaces the atom
// set (every type 3) and the sheet set (the unrolled tube, x = angle · R,
// y = z) and sets tubeLength (the z extent of the atoms) and tubeDiameter.
// The bond list and the work set are left alone.
//
// Throws RuntimeError, changing nothing, unless n >= 1, m >= 0, cells >= 1
// and a > 0, or when the tube would have more than kMaxUnitCellAtoms atoms.
void buildTubeUnitCell(Model& model, std::int32_t n, std::int32_t m, std::int32_t cells,
                       float a);

// The refusals of buildTubeUnitCell, alone: throws where it would.
void checkTubeUnitCell(std::int32_t n, std::int32_t m, std::int32_t cells, float a);

} // namespace tarvek
