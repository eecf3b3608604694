#include "scene/gl_host.h"

#include "platform/surface_format.h"
#include "scene/frame_grab.h"
#include "scene/scene_object.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QOpenGLContext>

#include <cmath>

namespace tarvek {
namespace {

float devicePixels(const QWidget& w, int logical)
{
  return static_cast<float>(logical * w.devicePixelRatioF());
}

} // namespace

std::int16_t sceneKeyCode(int qtKey)
{
  switch (qtKey) {
  case Qt::Key_Left:
    return 37;
  case Qt::Key_Up:
    return 38;
  case Qt::Key_Right:
    return 39;
  case Qt::Key_Down:
    return 40;
  default:
    return 0;
  }
}

std::int16_t sceneCharCode(const QString& text)
{
  if (text == QLatin1String("+"))
    return 43;
  if (text == QLatin1String("-"))
    return 45;
  if (text == QLatin1String("="))
    return 61;
  if (text == QLatin1String(" "))
    return 32;
  return 0;
}

std::int16_t sceneShiftState(Qt::KeyboardModifiers modifiers)
{
  std::int16_t state = 0;
  if (modifiers & Qt::ShiftModifier)
    state |= 1;
  if (modifiers & Qt::ControlModifier)
    state |= 2;
  if (modifiers & Qt::AltModifier)
    state |= 4;
  return state;
}

std::int16_t sceneButtons(Qt::MouseButtons buttons)
{
  std::int16_t mask = 0;
  if (buttons & Qt::LeftButton)
    mask |= 1;
  if (buttons & Qt::RightButton)
    mask |= 2;
  if (buttons & Qt::MiddleButton)
    mask |= 4;
  return mask;
}

template <typename Widget>
SceneViewBase<Widget>::SceneViewBase(QWidget* parent) : Widget(parent)
{
  m_animation.setInterval(0);
  QObject::connect(&m_animation, &QTimer::timeout, this, [this] {
    if (m_scene != nullptr)
      m_scene->animationTick();
    else
      m_animation.stop();
  });
}

template <typename Widget>
void SceneViewBase<Widget>::restoreHostProjection()
{
  if (m_scene != nullptr)
    m_scene->useHostProjection();
  else
    m_ownsProjection = true;
}

template <typename Widget>
float SceneViewBase<Widget>::ViewWidth() const
{
  return devicePixels(*this, this->width());
}

template <typename Widget>
float SceneViewBase<Widget>::ViewHeight() const
{
  return devicePixels(*this, this->height());
}

template class SceneViewBase<QOpenGLWidget>;
template class SceneViewBase<QWidget>;

GlHost::GlHost(Prompts& prompts, QWidget* parent) : SceneViewBase(parent), m_prompts(prompts)
{
  setFormat(viewSurfaceFormat());
  setFocusPolicy(Qt::StrongFocus);
}

GlHost::~GlHost()
{
  // The context goes with the base class, after this object's members.
  disconnect(m_contextWatch);
}

void GlHost::setScene(CXXX* scene)
{
  m_scene = scene;
  if (scene == nullptr)
    m_animation.stop();
}

bool GlHost::makeCurrent()
{
  if (context() == nullptr || !context()->isValid())
    return false;
  if (!m_inGlEvent)
    QOpenGLWidget::makeCurrent();
  return true;
}

void GlHost::doneCurrent()
{
  if (!m_inGlEvent)
    QOpenGLWidget::doneCurrent();
}

void GlHost::initializeGL()
{
  m_inGlEvent = true;
  disconnect(m_contextWatch);
  // Moving the widget to another window re-creates the context: the lists
  // go with the old one and are rebuilt from the records.
  m_contextWatch = connect(context(), &QOpenGLContext::aboutToBeDestroyed, this, [this] { contextGoing(); });
  m_gl.enable(GlCapability::DepthTest);
  if (m_scene != nullptr) {
    m_scene->init();
    m_scene->InitGL();
  }
  m_inGlEvent = false;
  emit glReady();
}

void GlHost::contextGoing()
{
  if (m_scene == nullptr)
    return;
  QOpenGLWidget::makeCurrent();
  m_gl.releaseBatches();
  m_scene->dropGlLists();
}

void GlHost::resizeGL(int, int)
{
  const float w = ViewWidth(), h = ViewHeight();
  if (m_scene != nullptr)
    m_scene->Reshape(w, h);
  emit viewResized(static_cast<int>(std::lrint(w)), static_cast<int>(std::lrint(h)));
}

void GlHost::paintGL() { renderFrame(); }

void GlHost::repaintNow()
{
  if (!makeCurrent()) {
    repaint();
    return;
  }
  m_gl.viewport(0, 0, static_cast<int>(std::lrint(ViewWidth())), static_cast<int>(std::lrint(ViewHeight())));
  renderFrame();
  update();
}

void GlHost::renderFrame()
{
  m_inGlEvent = true;
  m_gl.clear(true, true);
  hostFrameStart(m_gl, ViewWidth(), ViewHeight(), m_ownsProjection,
                 m_scene != nullptr ? m_scene->viewDepth() : ViewDepth{});
  if (m_scene != nullptr) {
    m_scene->compilePendingLists();
    m_scene->DRAW();
  }
  m_inGlEvent = false;
}

void GlHost::keyPressEvent(QKeyEvent* event)
{
  if (m_scene == nullptr)
    return QOpenGLWidget::keyPressEvent(event);
  const std::int16_t code = sceneKeyCode(event->key());
  if (code != 0)
    m_scene->KeyDown(code, sceneShiftState(event->modifiers()));
  const std::int16_t ch = sceneCharCode(event->text());
  if (ch != 0)
    m_scene->KeyPress(ch);
}

void GlHost::mousePressEvent(QMouseEvent* event)
{
  if (m_scene == nullptr)
    return;
  m_scene->animating = false;
  const QPointF p = event->position() * devicePixelRatioF();
  m_scene->MouseDown(sceneButtons(event->button()), sceneShiftState(event->modifiers()),
                     static_cast<float>(p.x()), static_cast<float>(p.y()));
}

void GlHost::mouseMoveEvent(QMouseEvent* event)
{
  if (m_scene == nullptr)
    return;
  const QPointF p = event->position() * devicePixelRatioF();
  m_scene->MouseMove(sceneButtons(event->buttons()), sceneShiftState(event->modifiers()),
                     static_cast<float>(p.x()), static_cast<float>(p.y()));
}

void GlHost::mouseReleaseEvent(QMouseEvent* event)
{
  if (m_scene == nullptr)
    return;
  const QPointF p = event->position() * devicePixelRatioF();
  m_scene->MouseUp(sceneButtons(event->button()), sceneShiftState(event->modifiers()),
                   static_cast<float>(p.x()), static_cast<float>(p.y()));
}

void GlHost::mouseDoubleClickEvent(QMouseEvent*)
{
  if (m_scene == nullptr)
    return;
  m_scene->animating = false;
  m_scene->zoomReset(0);
}

bool GlHost::grabToBmp(const std::string& path)
{
  if (m_scene == nullptr || !makeCurrent())
    return false;
  repaintNow();
  return grabGLImage(m_gl, m_prompts, m_scene->stereoMode, path, 0, 0,
                     static_cast<int>(std::lrint(ViewWidth())), static_cast<int>(std::lrint(ViewHeight())));
}

} // namespace tarvek
