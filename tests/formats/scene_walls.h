#pragma once

#include "export_rig.h"

#include "formats/structure_writers.h"
#include "model/bond_search.h"
#include "model/c60_builder.h"
#include "model/display_settings.h"
#include "scene/gl_recording.h"
#include "scene/scene_object.h"
#include "support/fake_abort.h"

namespace tarvek::test {

// C60 with its bonds found.
inline void c60(Model& model)
{
  FakeAbort abort;
  model.structureKind = 5;
  model.bondLength = 1.42f;
  buildC60(model);
  findBonds(model, abort);
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

} // namespace tarvek::test
