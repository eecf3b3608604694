#pragma once

#include "scene/scene_rig.h"
#include "support/fake_clock.h"

#include <string>
#include <vector>

namespace tarvek::test {

// A scene rig that writes its view as a POV-Ray scene at a fixed date.
struct PovRig : SceneRig {
  FakeClock clock;
  std::string target = dir.file("scene.pov").string();

  PovRig()
  {
    clock.dateTime.tm_year = 126;
    clock.dateTime.tm_mon = 11;
    clock.dateTime.tm_mday = 10;
    clock.dateTime.tm_hour = 14;
    clock.dateTime.tm_min = 3;
    clock.dateTime.tm_sec = 5;
  }

  // Writes target with the materials 0.5, 0.25, 0.5, 0.0 and returns its
  // lines.
  std::vector<std::string> writePov(float glassFilter = 0.0f, float roughness = 0.005f)
  {
    scene.POVRAY(target, 0.5f, 0.25f, 0.5f, 0.0f, roughness, glassFilter, "tarvek", clock);
    return lines(target);
  }
};

// The lines between the background and the camera: atoms, bonds, fills.
std::vector<std::string> povObjects(const std::vector<std::string>& lines);
// The first line that starts with prefix ("" when there is none).
std::string povLineStarting(const std::vector<std::string>& lines, const std::string& prefix);

} // namespace tarvek::test
