#pragma once

namespace tarvek {

struct Model;

// Builds a single-wall cone of disclination d (degrees, 0 < d < 360) and
// height h (Å) from a hexagonal sheet of bond length a (Å), apex at z =
// zOffset and rim at zOffset - |h|. The work set gets the flat patch, the
// sheet set the flat sector with the wedge from 360 - d to 360° removed, and
// the atom set the rolled cone, index-aligned with the sheet set. Also sets
// coneDisclination, coneHeight, coneApexAngle (radians) and bondLength.
// Types follow materialIndex (0: all 3; else 1 and 2, one per sublattice).
// A height too small for any atom leaves the sheet and atom sets empty. The
// bond list is left to the caller.
//
// Throws RuntimeError, changing nothing, for a disclination outside 0 < d <
// 360 or a bond length that is not a positive number.
void buildCone(Model& model, float d, float h, float a, float zOffset);

} // namespace tarvek
