#pragma once

#include "model/cmatrix.h"
#include "runtime/text_file_writer.h"
#include "scene/scene_object.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace tarvek {

// The host view's eye stands at (0, 0, sceneEyeDistance).
constexpr float sceneEyeDistance = 25.0f;

// One POV-Ray scene being written: the file, the view turn of the points and
// the lateral extent they reach, which frames the camera.
class CXXX::PovOutput {
public:
  PovOutput(const std::string& path, const CMatrix& view, const std::array<float, 3>& centre,
            float glassFilter);

  void line(std::string_view text) { m_writer.writeLine(text); }
  const std::string& path() const { return m_writer.path(); }
  // "X, Y, Z" of the point turned about the scene centre; the file's z is the
  // view's depth.
  std::string point(float x, float y, float z);
  float extent() const { return m_extent; }

  // A sphere line; gap stands between the centre and the radius.
  void sphere(const std::string& centre, std::string_view gap, float radius, std::uint32_t colour);
  // "cylinder { <…>,  <…>  r" or "" when both ends read the same, which
  // POV-Ray refuses.
  static std::string cylinder(const std::string& end1, const std::string& end2, float radius);
  // Texture of an atom or ball, of the bond union and of a body-path bond.
  std::string atomTexture(std::uint32_t colour) const;
  std::string unionTexture(std::uint32_t colour) const;
  std::string bondTexture(std::uint32_t colour) const;

  // Camera at z (negative) and the lights; the angle is held below the
  // limit POV-Ray accepts by moving the camera back.
  void cameraAndLights(float z, bool orthographic);
  // Makes the file appear; SceneError naming the path on failure.
  void commit();

private:
  TextFileWriter m_writer;
  CMatrix::Matrix m_matrix{};
  std::array<float, 3> m_centre{};
  float m_extent = 0.0f;
  bool m_glass = false;
  std::string m_filter;
};

} // namespace tarvek
