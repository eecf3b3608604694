#pragma once

#include "export_rig.h"

#include "formats/structure_writers.h"
#include "model/bond_search.h"
#include "model/c60_builder.h"
#include "model/display_settings.h"
#include "model/tube_builder.h"
#include "scene/gl_recording.h"
#include "scene/scene_object.h"
#include "support/fake_abort.h"
#include "support/fake_prompts.h"

namespace tarvek::test {

// C60 with its bonds found.
inline void c60(Model& model)
{
  FakePrompts prompts;
  FakeAbort abort;
  model.structureKind = 5;
  model.bondLength = 1.42f;
  buildC60(model);
  findBonds(model, prompts, abort);
}

// A recording scene over the rig's model, its files in the rig's folder.
struct ExportScene {
  DisplaySettings display;
  Preferences preferences;
  FakeAbort abort;
  RecordingGl gl;
  RecordingContext context;
  CXXX scene;

  explicit ExportScene(ExportRig& rig)
      : scene{rig.model, display, preferences,        abort,
              abort,     gl,      context,            rig.path("tmp.xyz"),
              rig.path("tmp.zyx")}
  {
    rig.ctx.sceneAtomFile = rig.path("tmp.xyz");
    rig.ctx.sceneBondFile = rig.path("tmp.zyx");
  }

  VrmlScene vrml() const { return {display, preferences, scene}; }
};

// Two walls as the shell shows them: the rig's model compiled twice into a
// recording scene at z = 0 and 10 Å, the rig's context set to its files.
struct SceneWalls : ExportScene {
  explicit SceneWalls(ExportRig& rig) : ExportScene(rig)
  {
    for (const float z : {0.0f, 10.0f}) {
      rig.model.placementZ = z;
      scene.setAtomData();
      scene.setBondData();
    }
    rig.ctx.sceneListCount = scene.getNO();
  }
};

// A tube of SceneTubes: chiral indices and its place across the axis.
struct ShownTube {
  std::int16_t n;
  std::int16_t m;
  float x = 0.0f;
  float y = 0.0f;
};

// Three walls, (5,5), (10,10) and (15,15).
inline std::vector<ShownTube> threeWalls() { return {{5, 5}, {10, 10}, {15, 15}}; }

// Seven (5,5) tubes in a hexagon around the middle one, 10 Å apart.
inline std::vector<ShownTube> sevenTubeBundle()
{
  const float h = 10.0f * 0.8660254f;
  return {{5, 5, 0.0f, 0.0f}, {5, 5, 10.0f, 0.0f}, {5, 5, -10.0f, 0.0f}, {5, 5, 5.0f, h},
          {5, 5, -5.0f, h},   {5, 5, 5.0f, -h},    {5, 5, -5.0f, -h}};
}

// Tubes shown as separate scene lists, as the shell shows the walls of a
// multi-wall tube or the tubes of a bundle: each built in the rig's model
// and compiled at its place. The model keeps the last one only.
struct SceneTubes : ExportScene {
  std::int32_t shownAtoms = 0;
  std::int32_t shownBonds = 0;

  SceneTubes(ExportRig& rig, const std::vector<ShownTube>& tubes, float length) : ExportScene(rig)
  {
    rig.model.structureKind = 1;
    for (const ShownTube& t : tubes) {
      buildTubes(rig.model, t.n, t.m, length, 1.42f, rig.prompts, abort);
      rig.model.placementX = t.x;
      rig.model.placementY = t.y;
      scene.setAtomData();
      scene.setBondData();
      shownAtoms += rig.model.atomCount;
      shownBonds += rig.model.bondCount;
    }
    rig.ctx.sceneListCount = scene.getNO();
  }
};

} // namespace tarvek::test
