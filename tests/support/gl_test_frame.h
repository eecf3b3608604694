#pragma once

#include <QColor>
#include <QOpenGLWidget>

#include <GL/gl.h>

#include <array>

namespace tarvek::test {

using Rgb = std::array<int, 3>;

inline Rgb rgbOf(const QColor& c) { return {c.red(), c.green(), c.blue()}; }

// Starts a frame of a bare test view: the whole widget cleared to blue, flat
// colours (no lighting, no dithering) so pixels read back exactly, and an
// orthographic volume from -half to half across, depth -5 to 5.
inline void beginTestFrame(const QOpenGLWidget& view, double half)
{
  const qreal ratio = view.devicePixelRatioF();
  glViewport(0, 0, static_cast<GLsizei>(view.width() * ratio),
             static_cast<GLsizei>(view.height() * ratio));
  glClearColor(0.0f, 0.0f, 1.0f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glDisable(GL_LIGHTING);
  glDisable(GL_DITHER);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(-half, half, -half, half, -5, 5);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
}

} // namespace tarvek::test
