#pragma once

#include "platform/clock.h"

namespace tarvek {

// The real clock: std::chrono's steady clock and the local time zone.
class SteadyClock : public Clock {
public:
  double seconds() override;
  std::tm localDateTime() override;
};

} // namespace tarvek
