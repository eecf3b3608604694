#pragma once

#include "platform/abort.h"

#include <climits>

namespace tarvek::test {

// Escape that reports itself pressed from the n-th poll after the last
// clearEscape() on (never, by default). Counts polls and pumps.
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
    ++polls;
    const bool pressed = ++pollsSinceClear >= pressAfter;
    if (pressed)
      ++stopCount;
    return pressed;
  }
  long stops() const override { return stopCount; }
  void pumpEvents() override { ++pumps; }

  long pressAfter;
  long polls = 0;
  long pollsSinceClear = 0;
  long clears = 0;
  long pumps = 0;
  long stopCount = 0;
};

} // namespace tarvek::test
