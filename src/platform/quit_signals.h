#pragma once

// Terminating signals turned into a normal quit of the event loop.

#include <QObject>

#include <functional>

class QSocketNotifier;

namespace tarvek {

// SIGTERM, SIGHUP and SIGINT (logging out, kill, Ctrl+C in the starting
// terminal) become a call in the event loop, so the program can end through
// its normal close instead of dying with its temporary files. The handler
// only writes to a pipe that a socket notifier watches. One object at a
// time; create it after the QApplication. Destroying it restores the
// default actions.
class QuitSignals : public QObject {
public:
  explicit QuitSignals(std::function<void()> onSignal);
  ~QuitSignals() override;
  QuitSignals(const QuitSignals&) = delete;
  QuitSignals& operator=(const QuitSignals&) = delete;

  // True once a signal was handled: one that arrives before the main event
  // loop runs (during a start-up message) cannot end that loop.
  bool received() const { return m_received; }

private:
  void drain();

  int m_pipe[2] = {-1, -1};
  QSocketNotifier* m_notifier = nullptr;
  std::function<void()> m_onSignal;
  bool m_received = false;
};

} // namespace tarvek
