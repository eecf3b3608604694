// Icosahedral cages by the triangulation-number construction: the T-number
// list, the flat face lattice and the cage built into the model.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace tarvek {

struct Model;
class Prompts;
class AbortToken;
class EventPump;

using Matrix3 = std::array<std::array<float, 3>, 3>;

// The 60 rotations of the icosahedral group in table order, and the 20 that
// carry the reference face (V0, V1, V6) onto each face. A point turns as
// p' = M·p.
struct IcosahedralRotations {
  std::vector<Matrix3> all;
  std::vector<Matrix3> faces;
};

// Parses the compiled-in rows into the 60 matrices and picks the face set.
IcosahedralRotations getMatrices();
// The face set out of the 60.
std::vector<Matrix3> getMatrices20(const std::vector<Matrix3>& all);

// One entry of the T-number list: the lattice steps (h, k) and T = h·h +
// h·k + k·k.
struct TNumberEntry {
  std::int16_t h = 0;
  std::int16_t k = 0;
  std::int32_t t = 0;
};

inline constexpr std::int32_t kTNumberCount = 61;

// Entry 0 .. 60 of the list (every pair h >= 1, k >= 0 with T <= 100).
TNumberEntry tNumberEntry(std::int32_t index);
// "6\tT=9\t(h,k) = (3,0)": number, T and pair separated by tabs.
std::string tNumberText(std::int32_t index);
// The slider value that keeps entry index's face inside the picture.
std::int32_t defaultSliderValue(std::int32_t index);
// (h, k) read from the last six characters of an entry's text, or nothing
// when they hold no two numbers in the 16-bit range.
std::optional<std::pair<std::int16_t, std::int16_t>> parseLatticePair(const std::string& text);
// "Virus Geometry #" and the entry's text with each tab as ", ".
std::string cageTitle(const std::string& entryText);

// A lattice point of the face picture: picture coordinates, face coordinates
// (x, y) = c0 + s·u + t·v, and mark 1 when it belongs to the face.
struct FacePoint {
  float x = 0.0f;
  float y = 0.0f;
  float s = 0.0f;
  float t = 0.0f;
  float mark = 0.0f;
};

using PicturePoint = std::array<std::int32_t, 2>;

// The flat face of one drawing: lattice, face triangle and face points, in
// picture pixels (y down). The cage is built from the last drawing.
struct FaceData {
  PicturePoint origin{};
  // Grid step in pixels per lattice bond (the slider value of the drawing).
  std::int32_t slider = 0;
  // Ångström per pixel: 1.41 / slider.
  float g = 0.0f;
  std::array<float, 2> a1{};
  std::array<float, 2> a2{};
  std::vector<FacePoint> points;
  // c0 (the origin), c1 (the point (h, k)), c2 (c1 turned by 60 degrees
  // about c0), c3 = c0.
  std::array<PicturePoint, 4> corners{};
  // Points the area test found inside the triangle; the face-coordinate rule
  // may clear some of their marks afterwards.
  std::int32_t markedCount = 0;
};

// The honeycomb lattice of a picture of inner size width × height pixels with
// step slider (the origin 30 pixels above the bottom, centred, in the middle
// of a hexagon). Points lying outside the picture are not stored.
FaceData latticePoints(std::int32_t width, std::int32_t height, std::int32_t slider);
// c0 .. c3 of the face spanned by (h, k) on a lattice of step slider,
// rounded half to even.
std::array<PicturePoint, 4> faceTriangle(PicturePoint origin, std::int32_t h, std::int32_t k,
                                         std::int32_t slider);
// Marks the points of face.points inside face.corners, sets their face
// coordinates and markedCount, and returns the rows the area test found
// inside (which the picture shows), markedCount of them. Points on the edges
// from c0 keep their mark; face coordinates of 0.99 or more clear it.
std::vector<std::int32_t> markFacePoints(FaceData& face);
// Pairs of stored points (first index the smaller) one lattice bond apart:
// |distance - slider| <= round(slider) \ 10.
std::vector<std::pair<std::int32_t, std::int32_t>> honeycombEdges(const std::vector<FacePoint>& points,
                                                                 std::int32_t slider);
// The whole drawing's computation for (h, k): lattice, triangle, marks.
FaceData layoutFace(std::int32_t width, std::int32_t height, std::int32_t slider, std::int32_t h,
                    std::int32_t k);

struct CageOptions {
  // Size from the face drawing; otherwise from height.
  bool automatic = true;
  // The cage's extent along z in Å when not automatic; a negative height
  // also means automatic.
  float height = 0.0f;
  // Add the 30 icosahedron edges after the cage bonds.
  bool withEdges = true;
};

// The manual height typed as text: its absolute value when it lies between
// 1 and 10,000 Å, else nothing.
std::optional<float> manualCageHeight(const std::string& text);

// Replaces the model's atoms and bonds with the cage of face: the 12
// icosahedron vertices as atoms 0 .. 11 (types 1 for 0, 1 and 6, else 3),
// the merged face copies from atom 12 (type 2), the bonds between cage
// points (0.8 .. 1.1 × the lattice bond) and, with withEdges, the edges from
// cageBondStart on (else cageBondStart = -1). The model's structureKind must
// be 8, so the bond search leaves atoms 0 .. 11 out. Escape ends either bond
// search early, keeping the bonds found; every array is left as long as its
// count. The scene is not touched.
void buildCageAtoms(Model& model, const FaceData& face, const IcosahedralRotations& rotations,
                    const CageOptions& options, Prompts& prompts, AbortToken& abort, EventPump& pump);

} // namespace tarvek
