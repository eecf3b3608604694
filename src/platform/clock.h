#pragma once

#include <ctime>

namespace tarvek {

class Clock {
public:
  virtual ~Clock() = default;
  // Monotonic seconds from an arbitrary start.
  virtual double seconds() = 0;
  // The local calendar date and time.
  virtual std::tm localDateTime() = 0;
};

} // namespace tarvek
