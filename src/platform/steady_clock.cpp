#include "platform/steady_clock.h"

#include <chrono>

namespace tarvek {

double SteadyClock::seconds()
{
  using namespace std::chrono;
  return duration<double>(steady_clock::now().time_since_epoch()).count();
}

std::tm SteadyClock::localDateTime()
{
  std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
  std::tm local{};
  ::localtime_r(&now, &local);
  return local;
}

} // namespace tarvek
