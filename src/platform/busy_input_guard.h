// Controls that take no input while a long operation lets events run.
#pragma once

#include <QObject>

#include <initializer_list>

class QWidget;

namespace tarvek {

class EventPump;
class Prompts;

// Refuses, with a beep, the clicks, wheel turns and keys (all but Escape,
// which stops the operation) that would change one of the controls while
// `pump` lets events run. The command of such a control is refused then
// too (runCommand); without this guard the control would show a choice
// that nothing acted on. Owned by `owner`.
class BusyInputGuard : public QObject {
public:
  BusyInputGuard(const EventPump& pump, Prompts& prompts, std::initializer_list<QWidget*> controls,
                 QObject* owner);

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  const EventPump& m_pump;
  Prompts& m_prompts;
};

} // namespace tarvek
