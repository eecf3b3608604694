#pragma once

#include "platform/abort.h"

#include <QElapsedTimer>
#include <QObject>

namespace tarvek {

// Escape polling for long loops. An application-wide event filter records
// each Escape press (auto-repeat ignored); escapePressed() lets
// pending events run itself when the last pump is 50 ms old, so a loop that
// only polls still sees the key and keeps the window alive. Create it after
// the QApplication.
class EscapeWatch : public QObject, public AbortToken, public EventPump {
public:
  EscapeWatch();
  ~EscapeWatch() override;

  void clearEscape() override;
  bool escapePressed() override;
  long stops() const override { return m_stops; }

protected:
  void runPendingEvents() override;
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  bool m_pressedSinceQuery = false;
  long m_stops = 0;
  QElapsedTimer m_sinceLastPump;
};

} // namespace tarvek
