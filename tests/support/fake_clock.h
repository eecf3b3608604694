#pragma once

#include "platform/abort.h"
#include "platform/clock.h"

namespace tarvek::test {

// A clock that moves only when asked: by `stepPerRead` on every read of
// seconds(), and by `stepPerPump` on every pumpEvents() (it is also a pump).
class FakeClock : public Clock, public EventPump {
public:
  double seconds() override
  {
    double t = now;
    now += stepPerRead;
    return t;
  }
  std::tm localDateTime() override { return dateTime; }
  void runPendingEvents() override
  {
    ++pumps;
    now += stepPerPump;
  }

  double now = 1000.0;
  double stepPerRead = 0.0;
  double stepPerPump = 0.0;
  long pumps = 0;
  std::tm dateTime{};
};

} // namespace tarvek::test
