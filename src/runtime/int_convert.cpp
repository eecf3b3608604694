#include "runtime/int_convert.h"

#include "runtime/runtime_error.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace tarvek {

namespace {

std::string shortest(double x)
{
  char buf[64];
  auto [end, ec] = std::to_chars(buf, buf + sizeof buf, x);
  (void)ec;
  return std::string(buf, end);
}

template <typename Int>
Int roundChecked(double x)
{
  constexpr auto lo = std::numeric_limits<Int>::min();
  constexpr auto hi = std::numeric_limits<Int>::max();
  const std::string range = "(allowed: " + std::to_string(lo) + " to " + std::to_string(hi) + ").";
  if (std::isnan(x))
    throw RuntimeError("The value is not a number " + range);
  const double r = std::nearbyint(x);
  if (!(r >= static_cast<double>(lo) && r <= static_cast<double>(hi)))
    throw RuntimeError("The number " + shortest(x) + " is too large " + range);
  return static_cast<Int>(r);
}

} // namespace

std::int16_t CInt(double x)
{
  return roundChecked<std::int16_t>(x);
}

std::int32_t CLng(double x)
{
  return roundChecked<std::int32_t>(x);
}

} // namespace tarvek
