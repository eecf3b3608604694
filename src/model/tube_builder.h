#pragma once

#include <cstdint>
#include <optional>

namespace tarvek {

struct Model;
struct AtomSetRef;
class Prompts;
class AbortToken;

// Circumference (length of the chiral vector), diameter and radius of the
// (n, m) tube with bond length a, all Å. The tube builder takes its sizes
// from here too, so the radius calculator and the builder always agree.
// Throws RuntimeError when n² + nm + m² leaves the 32-bit range.
struct TubeSizes {
  float circumference;
  float diameter;
  float radius;
};
TubeSizes tubeSizes(std::int32_t n, std::int32_t m, float a);

// Radius (Å) of the (n, m) tube with bond length a.
float tubeRadius(std::int32_t n, std::int32_t m, float a);

// The chirality indices a capped-tube preset's code forces (the tubeVariant
// codes from 55 on); nothing for a code that is no preset.
struct TubeIndices {
  std::int16_t n;
  std::int16_t m;
};
std::optional<TubeIndices> capCodeIndices(std::int16_t code);

// Builds one single-wall (n, m) tube of length `length` (Å) and bond length
// a (Å): a hexagonal sheet turned so the chiral vector lies along x, cut to
// one circumference by the length (-0.01 < x < Ch, -0.01 < y <= L + 0.3),
// rolled about the z axis with duplicate seam atoms dropped. Fills the work,
// sheet and atom sets (each exactly as long as its count), tubeN, tubeM,
// tubeLength, tubeDiameter, bondLength and the last-build record.
//
// Reads tubeVariant (a cap code >= 55 forces its indices and closes the
// ends capEnds asks for with its end caps; the (9,0) preset takes an odd
// number of bond lengths, at least three), unitCellMode
// (length is then a number of translational cells), materialIndex,
// wideBondWindow (1: the tube is lengthened by 1.05 R once and the flag
// becomes 2) and the distortion values. Tubes shorter than 500 Å get their
// bonds through createBonds (which may ask about large sets); longer ones an
// empty bond list. Distortions move the atom set after the bond search.
//
// Throws RuntimeError, changing nothing, for indices with 2n + m = 0, a bond
// length that is not positive, a length that is not finite, and what
// buildTubeUnitCell refuses in unit-cell mode. A negative length gives an
// empty tube.
void buildTubes(Model& model, std::int16_t n, std::int16_t m, float length, float a,
                Prompts& prompts, AbortToken& abort);

// Tubes this long or longer (Å) are built without bonds: the bond search
// over them would take longer than a view of them is worth.
inline constexpr float kBondedTubeLengthLimit = 500.0f;

// The four tube distortions on atoms 0 .. count - 1 of a set, in this order:
// z scaled by `stretch`; the circle of radius `radius` made an ellipse of
// axis ratio `ellipse` (x the long axis) with the same circumference; a turn
// about z of `twist` degrees per Å of height; a bend of the axis by `bend`
// degrees towards +x keeping the smallest x. Neutral values (1, 1, 0, 0)
// leave their step out.
void distortTube(AtomSetRef atoms, float radius, float stretch, float ellipse, float twist,
                 float bend);

} // namespace tarvek
