#include "scene/scene_object.h"

#include "model/display_settings.h"
#include "runtime/math_util.h"

#include <cmath>

namespace tarvek {

void CXXX::keyRotate(std::int16_t axis, float angle, std::int16_t noRefresh)
{
  static constexpr std::int32_t kActiveAxis[] = {5, 3, 4};
  if (axis >= 1 && axis <= 3) {
    m_viewMatrix.ActiveAxis(kActiveAxis[axis - 1]);
    m_viewMatrix.KeyDown(angle);
  }
  if (noRefresh == 0)
    Refresh();
}

void CXXX::KeyDown(std::int16_t code, std::int16_t shift)
{
  const float step = (shift & 2) != 0 ? 90.0f : m_preferences.rotationStep;
  const bool shifted = (shift & 1) != 0;
  switch (code) {
  case 38:
    shifted ? keyRotate(3, -step, 0) : keyRotate(2, -step, 0);
    break;
  case 40:
    shifted ? keyRotate(3, step, 0) : keyRotate(2, step, 0);
    break;
  case 37:
    shifted ? keyRotate(3, -step, 0) : keyRotate(1, -step, 0);
    break;
  case 39:
    shifted ? keyRotate(3, step, 0) : keyRotate(1, step, 0);
    break;
  default:
    break;
  }
}

void CXXX::KeyPress(std::int16_t ch)
{
  switch (ch) {
  case '-':
    zoomStep(-1);
    break;
  case '+':
  case '=':
    zoomStep(1);
    break;
  case ' ':
    zoomReset(0);
    break;
  default:
    break;
  }
}

void CXXX::zoomStep(int direction)
{
  const auto d = static_cast<float>(max3D(m_box.size[0], m_box.size[1], m_box.size[2]) / 10.0);
  zoom = direction > 0 ? zoom + d : zoom - d;
  clampZoom();
  Refresh();
  m_dragMode = 1;
  reproject();
}

void CXXX::reproject()
{
  if (m_display.orthoProjection)
    zoomOrtho();
  else if (m_projection != Projection::Host)
    applyProjection();
}

void CXXX::MouseDown(std::int16_t button, std::int16_t, float x, float y)
{
  if (button == 0)
    return;
  m_host->PressNotify();
  if (button == 2 && x * 15.0f > m_host->ViewWidthTwips() / 2.0f)
    m_dragMode = 2;
  else if (m_display.shiftKeyDown)
    m_dragMode = 3;
  else
    m_dragMode = 1;
  zoomAtDragStart = zoom;
  dragStartX = std::nearbyint(x);
  dragStartY = std::nearbyint(y);
  lastX = x;
  lastY = y;
}

void CXXX::MouseMove(std::int16_t button, std::int16_t, float x, float y)
{
  if (button == 0)
    return;
  const auto extent = static_cast<float>(max3D(m_box.size[0], m_box.size[1], m_box.size[2]));
  if (button == 1 && m_dragMode == 1) {
    keyRotate(1, (x - lastX) / 5.0f, 1);
    keyRotate(2, (y - lastY) / 5.0f, 1);
  } else if (button == 1 && m_dragMode == 3) {
    const float f = extent / 400.0f;
    panX = (x - dragStartX) * f;
    panY = (y - dragStartY) * -f;
  } else if (button == 2 && m_dragMode == 1) {
    keyRotate(3, -((x - lastX) + (y - lastY)) / 5.0f, 0);
  } else if (button == 2 && m_dragMode == 2) {
    const float f = extent / 200.0f;
    zoom = (y - dragStartY) * f + zoomAtDragStart;
    clampZoom();
    reproject();
    // zoomOrtho has refreshed; the pointer's last position stays.
    if (m_display.orthoProjection)
      return;
  } else {
    return;
  }
  Refresh();
  lastX = x;
  lastY = y;
}

void CXXX::MouseUp(std::int16_t, std::int16_t, float, float) {}

void CXXX::animate(std::int16_t axis)
{
  const bool wasRunning = animating;
  animating = !animating;
  if (wasRunning)
    return;
  m_animationAxis = axis;
  m_host->startAnimationTimer();
}

void CXXX::animationTick()
{
  if (!animating) {
    m_host->stopAnimationTimer();
    return;
  }
  keyRotate(static_cast<std::int16_t>(m_animationAxis + 1), -m_preferences.rotationStep, 0);
  Refresh();
  m_host->repaintNow();
}

void CXXX::rotate90(std::int16_t axis)
{
  if (axis >= 0 && axis <= 2)
    keyRotate(static_cast<std::int16_t>(axis + 1), -90.0f, 0);
  Refresh();
}

void CXXX::rotateDeg(std::int16_t axis, float degrees, std::int16_t noRefresh)
{
  if (axis >= 0 && axis <= 2)
    keyRotate(static_cast<std::int16_t>(axis + 1), -degrees, noRefresh);
  Refresh();
}

void CXXX::zoomReset(std::int16_t noRefresh)
{
  m_viewMatrix.Identity();
  switch (m_preferences.defaultAxis) {
  case 0:
    m_viewMatrix.ActiveAxis(3);
    m_viewMatrix.KeyDown(90.0f);
    break;
  case 1:
    m_viewMatrix.ActiveAxis(3);
    m_viewMatrix.KeyDown(180.0f);
    m_viewMatrix.ActiveAxis(4);
    m_viewMatrix.KeyDown(-90.0f);
    break;
  case 2:
    m_viewMatrix.ActiveAxis(5);
    m_viewMatrix.KeyDown(-90.0f);
    break;
  default:
    break;
  }
  if (noRefresh == 0)
    frameStructure();
  else
    measureFrame();
}

} // namespace tarvek
