#pragma once

namespace tarvek {

// Escape as the user's way to stop long work. Loops call clearEscape() once
// before they start and escapePressed() inside: a press made and released
// before the loop never aborts it, a key still held down does.
class AbortToken {
public:
  virtual ~AbortToken() = default;
  virtual void clearEscape() = 0;
  // True when Escape is down now or was pressed since the previous query.
  virtual bool escapePressed() = 0;
};

// Lets pending window events run, so a long loop keeps the window alive.
class EventPump {
public:
  virtual ~EventPump() = default;
  virtual void pumpEvents() = 0;
};

} // namespace tarvek
