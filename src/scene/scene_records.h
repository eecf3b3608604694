#pragma once

#include "runtime/big_buffer.h"

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

namespace tarvek {

class GlApi;

// A sphere of an atom list, centre relative to the scene centre.
struct SphereRecord {
  std::array<float, 3> centre;
  float radius;
  std::array<std::uint8_t, 4> rgba;
  std::int16_t slices;
  std::int16_t stacks;
};

// A cylinder posed as the scene draws it: from origin (relative to the scene
// centre) along +z for length, turned by angle degrees about axis first
// (no turn when angle is 0).
struct CylinderRecord {
  std::array<float, 3> origin;
  std::array<float, 3> axis;
  float angle;
  float length;
  float radius;
  std::array<std::uint8_t, 3> rgb;
};

// A fill ball at the list's origin.
struct BallRecord {
  float radius;
  std::array<std::uint8_t, 3> rgb;
};

// Display list kinds.
enum class ListKind : std::int16_t { Atoms = 1, Bonds = 2, Fill = 3 };

// Everything one display list draws, kept as data so the list can be
// compiled, and compiled again after a context loss, without the model. A
// large structure's records run to tens of megabytes: huge-page blocks.
struct SceneRecord {
  ListKind kind = ListKind::Atoms;
  BigVector<SphereRecord> spheres;
  // Bond lines: two vertices (relative to the scene centre) and one colour
  // per bond.
  BigVector<float> lineVertices;
  BigVector<std::array<std::uint8_t, 3>> lineColors;
  BigVector<CylinderRecord> cylinders;
  BigVector<BallRecord> balls;
  // Back faces are culled after the list; lines have none.
  bool cullFace = true;

  std::size_t bytes() const;
};

// Cylinder and fill ball tessellation.
inline constexpr int kCylinderSlices = 16;
inline constexpr int kFillBallDetail = 32;
// Spheres and cylinders reach the GL in batches of this many: the vertices
// of 900 cylinders, or of 900 spheres of the large structures' detail, still
// take 16-bit indices, and the batch being filled stays small.
inline constexpr std::size_t kBatchPrimitives = 900;

// The points the record draws around, each with the room it takes about
// itself: sphere centres, both cylinder ends, line vertices, ball centres.
void forEachDrawnPoint(const SceneRecord& record,
                       const std::function<void(const std::array<float, 3>& point, float pad)>& take);
// Radius about the list's origin of a sphere holding all the record draws.
float recordRadius(const SceneRecord& record);

// Issues the record's GL calls into the list being compiled: push, the
// spheres and cylinders as triangle batches, the lines as one batch, the
// balls, pop, then face culling unless the record is a line list.
void compileRecord(const SceneRecord& record, GlApi& gl);

} // namespace tarvek
