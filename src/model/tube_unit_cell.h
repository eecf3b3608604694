#pragma once

#include <cstdint>

namespace tarvek {

struct Model;

// Largest atom count buildTubeUnitCell builds.
inline constexpr std::int64_t kMaxUnitCellAtoms = 20'000'000;

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
