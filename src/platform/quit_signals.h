#pragma once

// Terminating signals turned into a normal quit of the event loop.

#include <QObject>

#include <chrono>
#include <functional>
#include <mutex>
#include <thread>

class QSocketNotifier;

namespace tarvek {

// SIGTERM, SIGHUP and SIGINT (logging out, kill, Ctrl+C in the starting
// terminal) become a call in the event loop, so the program can end through
// its normal close instead of dying with its temporary files. The handler
// only writes to pipes: one a socket notifier watches, one a watchdog
// thread waits on. When the program is still alive `deadline` after the
// first signal (its main thread busy), or at a second signal, the watchdog
// runs the last rites (removing the temporary folder) and ends the process
// by that signal. One object at a time; create it after the QApplication.
// Destroying it ends the watch and restores the default actions.
class QuitSignals : public QObject {
public:
  explicit QuitSignals(std::function<void()> onSignal,
                       std::chrono::milliseconds deadline = std::chrono::seconds(3));
  ~QuitSignals() override;
  QuitSignals(const QuitSignals&) = delete;
  QuitSignals& operator=(const QuitSignals&) = delete;

  // True once a signal was handled: one that arrives before the main event
  // loop runs (during a start-up message) cannot end that loop.
  bool received() const { return m_received; }

  // What the watchdog runs, on its own thread, before it ends the process.
  void setLastRites(std::function<void()> lastRites);

private:
  void drain();
  void watch(std::chrono::milliseconds deadline);

  int m_pipe[2] = {-1, -1};
  int m_watchPipe[2] = {-1, -1};
  QSocketNotifier* m_notifier = nullptr;
  std::function<void()> m_onSignal;
  bool m_received = false;
  std::mutex m_lastRitesLock;
  std::function<void()> m_lastRites;
  std::thread m_watchdog;
};

} // namespace tarvek
