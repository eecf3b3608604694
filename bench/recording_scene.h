// A scene over a model that records its files and never compiles into GL, for the writer benchmarks.
#pragma once

#include "bench_support.h"
#include "model/display_settings.h"
#include "model/model.h"
#include "scene/gl_recording.h"
#include "scene/scene_object.h"

#include <cstdint>
#include <string>

namespace tarvek::bench {

struct RecordingScene {
  DisplaySettings display;
  Preferences preferences;
  NeverAbort abort;
  RecordingGl gl;
  RecordingContext context;
  CXXX scene;

  RecordingScene(const Model& model, const std::string& atomFile, const std::string& bondFile)
      : scene(model, display, preferences, abort, abort, gl, context, atomFile, bondFile)
  {
    context.available = false;
  }

  // A ring tube of atoms in `lists` equal parts, each recorded as a list of
  // its own, as a multi-part structure's scene holds them.
  void recordRingTubeLists(Model& model, std::int64_t atoms, int lists)
  {
    const std::int64_t part = atoms / lists;
    for (int i = 0; i < lists; ++i) {
      ringTube(model, part, i * static_cast<int>(part / kRingAtoms));
      scene.setAtomData();
      scene.setBondData();
    }
  }
};

} // namespace tarvek::bench
