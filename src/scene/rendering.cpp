#include "scene/scene_object.h"

#include "model/display_settings.h"
#include "runtime/math_util.h"
#include "scene/gl_api.h"
#include "scene/host_control.h"

#include <cmath>
#include <algorithm>
#include <cstdlib>

namespace tarvek {
namespace {

constexpr std::array<float, 4> kWhite{1.0f, 1.0f, 1.0f, 1.0f};
constexpr std::array<float, 4> kGreyLight{0.65f, 0.65f, 0.65f, 1.0f};

// Nearest integer, halves to even (the default rounding mode).
int roundEven(float x) { return static_cast<int>(std::lrint(x)); }

} // namespace

void hostFrameStart(GlApi& gl, float width, float height, bool ownsProjection, const ViewDepth& depth)
{
  if (ownsProjection && width > 0.0f && height > 0.0f) {
    gl.matrixMode(GlMatrixMode::Projection);
    gl.loadIdentity();
    gl.perspective(kViewFieldOfView, static_cast<double>(width) / height, depth.zNear, depth.zFar);
  }
  gl.matrixMode(GlMatrixMode::ModelView);
  gl.loadIdentity();
  gl.lookAt(0.0, 0.0, depth.eye, 0.0, 0.0, 0.0, 0.0, 1.0, 0.0);
}

void CXXX::InitGL()
{
  m_gl.light1(GlLightParam::Ambient, {0.0f, 0.0f, 0.0f, 1.0f});
  m_gl.light1(GlLightParam::Diffuse, m_lightColour);
  m_gl.light1(GlLightParam::Specular, kWhite);
  m_gl.enable(GlCapability::Light1);
  m_gl.lightModelTwoSide(false);
  m_gl.clearColor(0.0f, 0.5f, 0.5f, 0.0f);
  // What was asked of GL before this context existed.
  if (m_backColorSet)
    m_gl.clearColor(m_fogColor[0], m_fogColor[1], m_fogColor[2], 0.0f);
  applyProjection();
  compilePendingLists();
}

void CXXX::applyProjection()
{
  switch (m_projection) {
  case Projection::Host:
    useHostProjection();
    break;
  case Projection::Ortho:
    zoomOrtho();
    break;
  case Projection::Pers:
    zoomPers();
    break;
  }
}

void CXXX::DRAW()
{
  m_gl.shadeModelSmooth();
  m_gl.translatef(0.0f, 0.0f, zoom);
  m_gl.translatef(panX, panY, 0.0f);
  setBackground();

  const float w = m_host->ViewWidth(), h = m_host->ViewHeight();
  if (anaglyphMode == 0 && stereoMode != 0) {
    m_gl.viewport(0, 0, roundEven(w / 2.0f), roundEven(h));
  } else {
    m_gl.viewport(0, 0, roundEven(w), roundEven(h));
    if (anaglyphMode != 0)
      m_gl.colorMask(true, false, false, true);
  }
  m_gl.enable(GlCapability::Light1);
  m_gl.material(GlLightParam::Ambient, kWhite);
  m_gl.material(GlLightParam::Diffuse, kWhite);
  m_gl.material(GlLightParam::Specular, kWhite);
  m_gl.materialShininess(50.0f);
  m_gl.rotatef(-90.0f, 1.0f, 0.0f, 0.0f);
  if (anaglyphMode == 4)
    m_gl.disable(GlCapability::ColorMaterial);
  else
    m_gl.enable(GlCapability::ColorMaterial);
  m_gl.colorMaterialFrontAmbientDiffuse();
  if (fogOn) {
    // Fog deepens across the structure, whatever its size.
    const ViewDepth depth = viewDepth();
    const double distance = depth.eye - zoom;
    m_gl.linearFog(m_fogColor, static_cast<float>(std::max(distance - frameRadius(), 0.0)),
                   static_cast<float>(distance + frameRadius()));
  }
  else
    m_gl.disable(GlCapability::Fog);

  drawPass();
  if (stereoMode == 0)
    return;
  // The second eye: background, light, material and fog stay; its turn
  // lies outside the pass's push and pop.
  if (anaglyphMode != 0) {
    m_gl.colorMask(false, true, true, true);
    m_gl.clear(false, true);
    m_gl.rotatef(-3.0f, 0.0f, 0.0f, 1.0f);
  } else {
    const int half = roundEven(w / 2.0f);
    m_gl.viewport(half, 0, half, roundEven(h));
    if (stereoMode == 1)
      m_gl.rotatef(-3.0f, 0.0f, 0.0f, 1.0f);
    else if (stereoMode == 2)
      m_gl.rotatef(3.0f, 0.0f, 0.0f, 1.0f);
  }
  drawPass();
  m_gl.flush();
  m_gl.colorMask(true, true, true, true);
}

void CXXX::drawPass()
{
  m_gl.pushMatrix();
  CMatrix::Matrix m{};
  m_viewMatrix.GetMatrix(m);
  m_gl.multMatrixf(m.data());
  m_gl.polygonModeFill();
  for (const SceneList& list : m_lists) {
    const ListKind kind = list.record.kind;
    if ((kind == ListKind::Atoms && !m_display.atomsShown)
        || (kind == ListKind::Bonds && !m_display.bondsShown) || list.glId == 0)
      continue;
    const bool flat = kind == ListKind::Fill && m_display.flatInserts && anaglyphMode == 0;
    if (flat)
      m_gl.disable(GlCapability::Lighting);
    else
      m_gl.enable(GlCapability::Lighting);
    m_gl.callList(list.glId);
  }
  m_gl.popMatrix();
}

template <typename Volume>
void CXXX::loadOwnProjection(float w, float h, Volume volume)
{
  m_host->setOwnsProjection(false);
  {
    GlContextGuard guard(m_context);
    if (guard.current()) {
      m_gl.viewport(0, 0, roundEven(w), roundEven(h));
      m_gl.matrixMode(GlMatrixMode::Projection);
      m_gl.loadIdentity();
      volume();
      m_gl.matrixMode(GlMatrixMode::ModelView);
      m_gl.loadIdentity();
    }
  }
  Refresh();
}

void CXXX::zoomOrtho()
{
  const bool ortho = m_display.orthoProjection;
  if (!ortho && stereoMode == 0)
    return;
  m_projection = Projection::Ortho;
  const float w = m_host->ViewWidth(), h = m_host->ViewHeight();
  if (w <= 0.0f || h <= 0.0f)
    return;
  clampZoom();
  const double s = orthoHalfSize();
  const double aspect = viewportAspect();
  const ViewDepth depth = viewDepth();
  // Deep enough for the whole scene wherever the zoom has put it.
  const double distance = depth.eye - zoom;
  const double reach = 2.0 * frameRadius();

  loadOwnProjection(w, h, [&] {
    if (!ortho && stereoMode < 3) {
      m_gl.perspective(kViewFieldOfView, (static_cast<double>(w) / h) / 2.0, depth.zNear, depth.zFar);
    } else {
      const double x = aspect >= 1.0 ? s * aspect : s;
      const double y = aspect >= 1.0 ? s : s / aspect;
      m_gl.ortho(-x, x, -y, y, distance - reach, distance + reach);
    }
  });
}

void CXXX::zoomPers()
{
  if (stereoMode == 0 || m_display.orthoProjection) {
    m_host->Redraw();
    return;
  }
  m_projection = Projection::Pers;
  const float w = m_host->ViewWidth(), h = m_host->ViewHeight();
  if (w <= 0.0f || h <= 0.0f)
    return;
  const ViewDepth depth = viewDepth();
  loadOwnProjection(w, h, [&] { m_gl.perspective(kViewFieldOfView, static_cast<double>(w) / h, depth.zNear, depth.zFar); });
}

void CXXX::useHostProjection()
{
  m_projection = Projection::Host;
  m_host->setOwnsProjection(true);
  m_host->Redraw();
}

void CXXX::resize()
{
  if ((stereoMode == 1 || stereoMode == 2) && !m_display.orthoProjection)
    zoomOrtho();
}

void CXXX::toggleStereo(std::int16_t step)
{
  stereoMode = static_cast<std::int16_t>(stereoMode + step);
  anaglyphMode = 0;
  m_anaglyphBackground = 0xFFFFFF;
  if (stereoMode == 0)
    stereoMode = 5;
  else if (stereoMode < 0)
    stereoMode = 4;
  else if (stereoMode > 5)
    stereoMode = 5;
  m_lightColour = stereoMode == 4 ? kGreyLight : kWhite;
  {
    GlContextGuard guard(m_context);
    if (guard.current())
      m_gl.light1(GlLightParam::Diffuse, m_lightColour);
  }
  const bool ortho = m_display.orthoProjection;
  if (stereoMode == 3 || stereoMode == 4) {
    anaglyphMode = stereoMode;
    setBackground();
    if (!ortho) {
      zoomPers();
      m_host->Redraw();
      return;
    }
  } else {
    setBackground();
    if (stereoMode == 5) {
      zoomPers();
      stereoMode = 0;
      if (!ortho) {
        zoomPers();
        return;
      }
    }
  }
  zoomOrtho();
  m_host->Redraw();
}

void CXXX::toggleFog()
{
  fogOn = !fogOn;
  m_host->Redraw();
}

void CXXX::Refresh() { m_host->Redraw(); }

bool CXXX::Reshape(float, float) { return true; }

} // namespace tarvek
