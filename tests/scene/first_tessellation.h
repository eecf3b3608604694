// The scene's first sphere and cylinder tessellation: the reference for its batches.
#pragma once

#include "scene/scene_records.h"

namespace tarvek {

struct GlBatch;

namespace test {

// Appends one sphere or cylinder to the batch as the scene first drew them:
// the reference the compiled batches keep, bit for bit.
void firstSphere(GlBatch& batch, const SphereRecord& s);
void firstCylinder(GlBatch& batch, const CylinderRecord& c);

} // namespace test
} // namespace tarvek
