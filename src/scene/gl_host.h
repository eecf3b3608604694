#pragma once

#include "scene/gl_api.h"
#include "scene/gl_real.h"
#include "scene/host_control.h"

#include <QOpenGLWidget>
#include <QTimer>

#include <cstdint>
#include <string>

class QOpenGLContext;

namespace tarvek {

class CXXX;
class Prompts;

// Qt's events in the scene's codes: arrow keys 37..40, characters "+",
// "-", "=", " " as 43, 45, 61, 32, modifiers as 1 Shift, 2 Ctrl, 4 Alt,
// buttons as 1 left, 2 right, 4 middle. 0 for anything else.
std::int16_t sceneKeyCode(int qtKey);
std::int16_t sceneCharCode(const QString& text);
std::int16_t sceneShiftState(Qt::KeyboardModifiers modifiers);
std::int16_t sceneButtons(Qt::MouseButtons buttons);

// The widget the main window puts in its client area: the GL view, or a
// stand-in where no GL widget can be shown.
class ViewHost : public HostControl, public GlContext {
public:
  virtual QWidget* widget() = 0;
  // The GL the scene must be built over.
  virtual GlApi& gl() = 0;
  // The scene this view shows, made after the view and detached (nullptr)
  // before it goes.
  virtual void setScene(CXXX* scene) = 0;
  // The host's own perspective governs again (leaving the orthographic or
  // stereo projection).
  virtual void restoreHostProjection() = 0;
  // Draws the frame and saves it as a 24-bit bitmap; false when nothing
  // was written.
  virtual bool grabToBmp(const std::string& path) = 0;
};

// What the view and its stand-in share: the scene they show, its animation
// timer, who owns the projection, and their size in device pixels. Built in
// gl_host.cpp for the two widgets below.
template <typename Widget>
class SceneViewBase : public Widget, public ViewHost {
public:
  explicit SceneViewBase(QWidget* parent);

  QWidget* widget() override { return this; }
  GlApi& gl() override { return m_gl; }
  void restoreHostProjection() override;

  void Redraw() override { this->update(); }
  float ViewWidth() const override;
  float ViewHeight() const override;
  void PressNotify() override {}
  void startAnimationTimer() override { m_animation.start(); }
  void stopAnimationTimer() override { m_animation.stop(); }
  void setOwnsProjection(bool owns) override { m_ownsProjection = owns; }
  bool ownsProjection() const override { return m_ownsProjection; }

protected:
  RealGl m_gl;
  CXXX* m_scene = nullptr;
  QTimer m_animation;
  bool m_ownsProjection = true;
};

extern template class SceneViewBase<QOpenGLWidget>;
extern template class SceneViewBase<QWidget>;

// The 3-D view. Every GL event and input event goes to the scene; the
// context stays current between events, as the scene compiles outside
// paint events.
class GlHost : public SceneViewBase<QOpenGLWidget> {
  Q_OBJECT
public:
  explicit GlHost(Prompts& prompts, QWidget* parent = nullptr);
  ~GlHost() override;

  void setScene(CXXX* scene) override;
  bool grabToBmp(const std::string& path) override;

  // Draws into the view's framebuffer before returning (QWidget::repaint
  // may wait for the window's next frame), then schedules its display.
  void repaintNow() override;

  bool makeCurrent() override;
  void doneCurrent() override;

signals:
  // A context exists and holds the scene's lists and state.
  void glReady();
  // The view has a new size in device pixels.
  void viewResized(int width, int height);

protected:
  void initializeGL() override;
  void resizeGL(int w, int h) override;
  void paintGL() override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
  void contextGoing();
  // One frame into the current framebuffer.
  void renderFrame();

  Prompts& m_prompts;
  QMetaObject::Connection m_contextWatch;
  // Inside initializeGL or paintGL, where Qt keeps the context current.
  bool m_inGlEvent = false;
};

// The view under QT_QPA_PLATFORM=offscreen, where a shown QOpenGLWidget
// brings Qt down: it has a size but no context, so the
// scene keeps its state and draws nothing.
class ViewStub : public SceneViewBase<QWidget> {
public:
  explicit ViewStub(QWidget* parent = nullptr) : SceneViewBase(parent) {}

  void setScene(CXXX* scene) override { m_scene = scene; }
  bool grabToBmp(const std::string&) override { return false; }

  void repaintNow() override { repaint(); }

  bool makeCurrent() override { return false; }
  void doneCurrent() override {}
};

} // namespace tarvek
