// How the view frames the structure: the bounding sphere of what was
// compiled, the eye distance and clip planes that show it whole, and the
// limits of the zoom.
#include "scene/scene_object.h"

#include "model/display_settings.h"
#include "scene/host_control.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace tarvek {
namespace {

// The tangent of half the view's vertical field of view.
double halfFieldTan() { return std::tan(kViewFieldOfView / 2.0 * std::numbers::pi / 180.0); }
// Room around the bounding sphere, so the outermost atoms do not touch the edge.
constexpr double kMargin = 1.1;
// Radius framed while the scene is empty.
constexpr float kEmptyRadius = 10.0f;
// The closest the zoom brings the structure, as a share of the framed view.
constexpr double kClosest = 0.05;

// Adds (front, across) to the pairs no other passes in both, kept front
// ascending and so across descending, unless one of them passes it.
void addToEdge(std::vector<std::pair<double, double>>& edge, double front, double across)
{
  // The nearest pair at least as far front is the farthest across of those.
  const auto ahead = std::lower_bound(edge.begin(), edge.end(), front, [](const auto& e, double f) {
    return e.first < f;
  });
  if (ahead != edge.end() && ahead->second >= across)
    return;
  // The pairs it passes lie just behind it, and level with it.
  const auto end = ahead != edge.end() && ahead->first == front ? ahead + 1 : ahead;
  auto begin = end;
  while (begin != edge.begin() && std::prev(begin)->second <= across)
    --begin;
  edge.insert(edge.erase(begin, end), {front, across});
}

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

void CXXX::measureFrame()
{
  m_viewMatrix.GetMatrix(m_frame.pose);
  m_frame.measured = true;
  m_frame.forget();
  zoom = 0.0f;
  panX = 0.0f;
  panY = 0.0f;
}

CXXX::Reach CXXX::measureReach(double tanY) const
{
  const CMatrix::Matrix& m = m_frame.pose;
  Reach r;
  // Each point in front of the eye: the framing pose's turn, then DRAW's
  // quarter turn about x, (x, y, z) -> (x, z, -y). The eye must stand far
  // enough back for the point's reach across and up at its own depth.
  const auto take = [&](const std::array<float, 3>& p, float pad) {
    const double across = std::fabs(m[0] * p[0] + m[4] * p[1] + m[8] * p[2]) + pad;
    const double up = std::fabs(m[2] * p[0] + m[6] * p[1] + m[10] * p[2]) + pad;
    const double front = -(m[1] * p[0] + m[5] * p[1] + m[9] * p[2]) + pad;
    // A point whose reach across is not a number counts for nothing; a
    // reach up or depth that is not one drops out of the maxima, as
    // std::max keeps its first argument then.
    if (std::isnan(across))
      return;
    r.across = std::max(r.across, across);
    r.up = std::max(r.up, up);
    r.upDistance = std::max(r.upDistance, front + kMargin * (up / tanY));
    if (!std::isnan(front))
      addToEdge(r.edge, front, across);
  };
  for (const SceneList& list : m_lists)
    forEachDrawnPoint(list.record, take);
  return r;
}

const CXXX::Framing& CXXX::framing() const
{
  const double aspect = viewportAspect();
  Framing& f = m_frame;
  if (f.aspect == aspect)
    return f;
  f.aspect = aspect;
  const double tanY = halfFieldTan();
  const double tanX = tanY * aspect;
  const float r = frameRadius();
  // Until framed in a pose, the bounding sphere.
  f.distance = r * kMargin / std::sin(std::atan(std::min(tanX, tanY)));
  f.half = r * kMargin;
  if (!f.measured || m_lists.empty())
    return f;
  if (!f.reach)
    f.reach = measureReach(tanY);
  // Each point asks for the larger of its distances across and up; the
  // largest of all is the larger of the largest of each.
  double distance = f.reach->upDistance;
  for (const auto& [front, across] : f.reach->edge)
    distance = std::max(distance, front + kMargin * (across / tanX));
  f.distance = distance;
  f.half = kMargin * std::max(f.reach->across / std::max(aspect, 1.0), f.reach->up * std::min(aspect, 1.0));
  return f;
}

double CXXX::eyeDistance() const { return framing().distance; }

double CXXX::orthoHalfSize() const { return framing().half - zoom; }

ViewDepth CXXX::viewDepth() const
{
  const double eye = eyeDistance();
  const double distance = eye - zoom;
  const double r = frameRadius() * kMargin;
  return {eye, std::max(distance - r, distance * kClosest / 2.0), distance + r};
}

void CXXX::clampZoom()
{
  const double limit = m_display.orthoProjection ? orthoHalfSize() + zoom : eyeDistance() - frameRadius();
  zoom = std::min(zoom, static_cast<float>(std::max(limit, 0.0) * (1.0 - kClosest)));
}

void CXXX::frameStructure()
{
  measureFrame();
  reproject();
  Refresh();
}

CXXX::PovCamera CXXX::povCamera() const
{
  PovCamera camera;
  camera.aspect = viewportAspect();
  const double tanY = halfFieldTan();
  camera.angle = 2.0 * std::atan(tanY * camera.aspect) * 180.0 / std::numbers::pi;
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
