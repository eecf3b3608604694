#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace tarvek::test {

// What the closure check found in a set of atoms.
struct CageReport {
  std::int32_t atoms = 0;
  std::int32_t bonds = 0;
  // Atoms without exactly three bonds.
  std::vector<std::int32_t> wrongDegree;
  // Face sizes by count (index = ring size, 0 .. 12; larger go to 12).
  std::vector<std::int32_t> faceSizes = std::vector<std::int32_t>(13, 0);
  std::int32_t faces = 0;

  std::int32_t pentagons() const { return faceSizes[5]; }
  // Every atom three-bonded, only pentagons and hexagons, exactly 12
  // pentagons, V - E + F = 2.
  bool closed() const;
  // A one-line account for failure messages.
  std::string summary() const;
};

// Checks whether atoms form a closed fullerene-like cage. Bonds are the
// pairs 0.7 a to 1.3 a apart. Faces are walked round each atom's three
// neighbours, ordered about the outward normal p - (0, 0, clamp(p.z, zLow,
// zHigh)): zLow = zHigh = the centre for a ball, the tube's z extent for a
// capped tube. Faces are only walked when every atom has three bonds.
CageReport checkCage(std::span<const float> x, std::span<const float> y,
                     std::span<const float> z, std::int32_t count, double a, double zLow,
                     double zHigh);

} // namespace tarvek::test
