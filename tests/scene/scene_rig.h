#pragma once

#include "model/display_settings.h"
#include "model/model.h"
#include "scene/gl_recording.h"
#include "scene/scene_object.h"
#include "support/fake_abort.h"
#include "support/model_filler.h"
#include "support/scratch_dir.h"

#include <string>
#include <vector>

namespace tarvek::test {

// A scene over a recording GL, a scripted Escape and scene files in a
// scratch folder, with a model that tests fill atom by atom.
struct SceneRig : ModelFiller {
  DisplaySettings display;
  Preferences preferences;
  FakeAbort abort;
  RecordingGl gl;
  RecordingContext context;
  ScratchDir dir;
  std::string atomPath = dir.file("tmp.xyz").string();
  std::string bondPath = dir.file("tmp.zyx").string();
  CXXX scene{model, display, preferences, abort, abort, gl, context, atomPath, bondPath};

  SceneRig()
  {
    model.structureKind = 1;
    model.covalentRadius[6] = 0.77f;
  }

  void clearModel()
  {
    model.atomX.clear();
    model.atomY.clear();
    model.atomZ.clear();
    model.atomType.clear();
    model.atomCount = 0;
    model.bondAtom1.clear();
    model.bondAtom2.clear();
    model.bondCount = 0;
  }

  // setData as the main window runs it.
  void setData(bool noFill = false)
  {
    scene.setAtomData();
    scene.setBondData();
    if (!noFill)
      scene.setFillData();
  }

  std::vector<std::string> atomLines() const { return lines(atomPath); }
  std::vector<std::string> bondLines() const { return lines(bondPath); }

  // A file's lines without their CR LF; {} when it is absent.
  static std::vector<std::string> lines(const std::string& path)
  {
    const std::string bytes = readBytes(path);
    std::vector<std::string> out;
    std::size_t start = 0;
    while (start < bytes.size()) {
      const std::size_t end = bytes.find("\r\n", start);
      out.push_back(bytes.substr(start, end - start));
      start = end == std::string::npos ? bytes.size() : end + 2;
    }
    return out;
  }

  const SceneRecord& record(std::size_t list) const { return scene.lists().at(list).record; }
};

// The fields of a scene-file line.
std::vector<double> fieldsOf(const std::string& line);

} // namespace tarvek::test
