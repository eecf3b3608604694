#pragma once

namespace tarvek {

// Escape as the user's way to stop long work. Loops call clearEscape() once
// before they start and escapePressed() inside: only a press made after the
// start stops the loop. A key pressed before it, even one still held down
// (its release may go to a window that has closed), never does.
class AbortToken {
public:
  virtual ~AbortToken() = default;
  virtual void clearEscape() = 0;
  // True when Escape was pressed since the previous query or clearEscape().
  virtual bool escapePressed() = 0;
  // How many queries have answered true so far: work compares the figure
  // before and after to tell whether Escape cut it short.
  virtual long stops() const = 0;
};

// Shown in place of a structure's description when Escape cut the work on it
// short.
inline constexpr char kStoppedByEscapeNote[] =
    "Stopped by Escape: the structure shown is incomplete.";

// Lets pending window events run, so a long loop keeps the window alive.
// While they run, pumping() is true: a user command those events would
// start is refused (runCommand), as it would rebuild what the running work
// is still using.
class EventPump {
public:
  virtual ~EventPump() = default;

  void pumpEvents()
  {
    ++m_depth;
    try {
      runPendingEvents();
    } catch (...) {
      --m_depth;
      throw;
    }
    --m_depth;
  }
  bool pumping() const { return m_depth > 0; }

protected:
  virtual void runPendingEvents() = 0;

private:
  int m_depth = 0;
};

} // namespace tarvek
