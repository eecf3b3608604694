// How the view frames the structure: the bounding sphere of what was
// compiled, the eye distance and clip planes that show it whole, and the
// limits of the zoom.
#include "scene/scene_object.h"

#include "model/display_settings.h"

#include <algorithm>
#include <cmath>

namespace tarvek {
namespace {

constexpr double kPi = 3.14159265358979323846;
// The view's vertical field of view, degrees.
constexpr double kFieldOfView = 45.0;
// Room around the bounding sphere, so the outermost atoms do not touch the edge.
constexpr double kMargin = 1.1;
// Radius framed while the scene is empty.
constexpr float kEmptyRadius = 10.0f;
// The closest the zoom brings the structure, as a share of the framed view.
constexpr double kClosest = 0.05;

} // namespace

float CXXX::frameRadius() const { return m_frameRadius > 0.0f ? m_frameRadius : kEmptyRadius; }

double CXXX::viewportAspect() const
{
  double w = m_host->ViewWidth();
  const double h = m_host->ViewHeight();
  if (stereoMode == 1 || stereoMode == 2)
    w /= 2.0;
  return w > 0.0 && h > 0.0 ? w / h : 1.0;
}

double CXXX::eyeDistance() const
{
  const double halfY = kFieldOfView / 2.0 * kPi / 180.0;
  const double halfX = std::atan(std::tan(halfY) * viewportAspect());
  return frameRadius() * kMargin / std::sin(std::min(halfX, halfY));
}

double CXXX::orthoHalfSize() const { return frameRadius() * kMargin - zoom; }

ViewDepth CXXX::viewDepth() const
{
  const double eye = eyeDistance();
  const double distance = eye - zoom;
  const double r = frameRadius() * kMargin;
  return {eye, std::max(distance - r, distance * kClosest / 2.0), distance + r};
}

void CXXX::clampZoom()
{
  const double limit = m_display.orthoProjection ? frameRadius() * kMargin : eyeDistance();
  zoom = std::min(zoom, static_cast<float>(limit * (1.0 - kClosest)));
}

void CXXX::frameStructure()
{
  zoom = 0.0f;
  panX = 0.0f;
  panY = 0.0f;
  if (m_display.orthoProjection)
    zoomOrtho();
  else
    applyProjection();
  Refresh();
}

CXXX::PovCamera CXXX::povCamera() const
{
  PovCamera camera;
  camera.aspect = viewportAspect();
  const double tanY = std::tan(kFieldOfView / 2.0 * kPi / 180.0);
  camera.angle = 2.0 * std::atan(tanY * camera.aspect) * 180.0 / kPi;
  // An orthographic camera given an angle shows the area a perspective one
  // would show at its look-at point; that area is the view's volume.
  camera.distance = m_display.orthoProjection
                        ? std::max(orthoHalfSize(), 0.0) / tanY / std::min(camera.aspect, 1.0)
                        : eyeDistance() - zoom;
  camera.panX = -panX;
  camera.panY = -panY;
  return camera;
}

} // namespace tarvek
