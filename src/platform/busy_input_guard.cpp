// Controls that take no input while a long operation lets events run.
#include "platform/busy_input_guard.h"

#include "platform/abort.h"
#include "platform/prompts.h"

#include <QEvent>
#include <QKeyEvent>
#include <QWidget>

namespace tarvek {

BusyInputGuard::BusyInputGuard(const EventPump& pump, Prompts& prompts,
                               std::initializer_list<QWidget*> controls, QObject* owner)
    : QObject(owner), m_pump(pump), m_prompts(prompts)
{
  for (QWidget* control : controls)
    control->installEventFilter(this);
}

bool BusyInputGuard::eventFilter(QObject* watched, QEvent* event)
{
  if (!m_pump.pumping())
    return QObject::eventFilter(watched, event);
  switch (event->type()) {
  case QEvent::KeyPress:
    if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape)
      return false;
    [[fallthrough]];
  case QEvent::MouseButtonPress:
  case QEvent::MouseButtonDblClick:
  case QEvent::Wheel:
    m_prompts.beep();
    return true;
  default:
    return false;
  }
}

} // namespace tarvek
