#pragma once

#include "platform/abort.h"

#include <climits>
#include <functional>

namespace tarvek::test {

// Escape that reports itself pressed from the n-th poll after the last
// clearEscape() on (never, by default). Counts polls and pumps. With
// pumpOnPoll set, every poll lets events run first, as the window's Escape
// watch does; onPump stands for the events a pump delivers (a user's click
// in the middle of a long operation).
class FakeAbort : public AbortToken, public EventPump {
public:
  explicit FakeAbort(long pressAfterPolls = LONG_MAX) : pressAfter(pressAfterPolls) {}

  void clearEscape() override
  {
    ++clears;
    pollsSinceClear = 0;
  }
  bool escapePressed() override
  {
    if (pumpOnPoll)
      pumpEvents();
    ++polls;
    const bool pressed = ++pollsSinceClear >= pressAfter;
    if (pressed)
      ++stopCount;
    return pressed;
  }
  long stops() const override { return stopCount; }

  long pressAfter;
  long polls = 0;
  long pollsSinceClear = 0;
  long clears = 0;
  long pumps = 0;
  long stopCount = 0;
  bool pumpOnPoll = false;
  std::function<void()> onPump;

protected:
  void runPendingEvents() override
  {
    ++pumps;
    if (onPump)
      onPump();
  }
};

} // namespace tarvek::test
