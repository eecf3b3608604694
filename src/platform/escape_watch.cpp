#include "platform/escape_watch.h"

#include <QCoreApplication>
#include <QKeyEvent>

namespace tarvek {

namespace {

constexpr qint64 pumpIntervalMs = 50;

} // namespace

EscapeWatch::EscapeWatch()
{
  QCoreApplication::instance()->installEventFilter(this);
}

EscapeWatch::~EscapeWatch()
{
  if (auto* app = QCoreApplication::instance())
    app->removeEventFilter(this);
}

void EscapeWatch::clearEscape()
{
  // Deliver key events still queued, so a press made before the loop started
  // is forgotten here rather than seen by the loop's first poll.
  pumpEvents();
  m_pressedSinceQuery = false;
}

bool EscapeWatch::escapePressed()
{
  if (!m_sinceLastPump.isValid() || m_sinceLastPump.elapsed() >= pumpIntervalMs)
    pumpEvents();
  const bool pressed = m_pressedSinceQuery;
  m_pressedSinceQuery = false;
  if (pressed)
    ++m_stops;
  return pressed;
}

void EscapeWatch::runPendingEvents()
{
  QCoreApplication::processEvents();
  m_sinceLastPump.start();
}

bool EscapeWatch::eventFilter(QObject* watched, QEvent* event)
{
  // No "key down" state is kept: the release of a press that closed a dialog
  // may never arrive, and a remembered down key would stop every later loop.
  if (event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Escape && !key->isAutoRepeat())
      m_pressedSinceQuery = true;
  }
  return QObject::eventFilter(watched, event);
}

} // namespace tarvek
