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
  using Point = std::array<float, 3>;

  PovOutput(const std::string& path, const CMatrix& view, const std::array<float, 3>& centre,
            float glassFilter);

  void line(std::string_view text) { m_writer.writeLine(text); }
  const std::string& path() const { return m_writer.path(); }
  float extent() const { return m_extent; }

  // A sphere line; gap stands between the centre and the radius.
  void sphere(const Point& centre, std::string_view gap, float radius, std::uint32_t colour);
  // "cylinder { <…>,  <…>  r" and tail as one line; none when both ends read
  // the same, which POV-Ray refuses.
  void cylinder(const Point& end1, const Point& end2, float radius, std::string_view tail);
  // Texture of an atom or ball, of the bond union and of a body-path bond.
  const std::string& atomTexture(std::uint32_t colour);
  std::string unionTexture(std::uint32_t colour) const;
  const std::string& bondTexture(std::uint32_t colour);

  // Camera at z (negative) and the lights; the angle is held below the
  // limit POV-Ray accepts by moving the camera back.
  void cameraAndLights(float z, bool orthographic);
  // Makes the file appear; SceneError naming the path on failure.
  void commit();

private:
  // Appends "X, Y, Z" of the point turned about the scene centre; the file's
  // z is the view's depth.
  void appendPoint(std::string& out, const Point& p);
  // A texture text, made again only when the colour changes.
  struct CachedTexture {
    std::uint32_t colour = 0;
    bool made = false;
    std::string text;
  };

  TextFileWriter m_writer;
  CMatrix::Matrix m_matrix{};
  std::array<float, 3> m_centre{};
  float m_extent = 0.0f;
  bool m_glass = false;
  std::string m_filter;
  std::string m_line;
  std::string m_end2;
  CachedTexture m_atomTexture;
  CachedTexture m_bondTexture;
};

} // namespace tarvek
