#include "runtime/math_util.h"

#include <cmath>

namespace tarvek {

double square(double x)
{
  return x * x;
}

double minD(double a, double b)
{
  return a > b ? b : a;
}

double maxD(double a, double b)
{
  return a >= b ? a : b;
}

double max3D(double a, double b, double c)
{
  return maxD(maxD(a, b), c);
}

bool toBool(std::int16_t value)
{
  return (value & 1) != 0;
}

double ArcCosine(double x)
{
  if (x >= 1.0)
    return 0.0;
  if (x <= -1.0)
    return kPi;
  return std::atan(-x / std::sqrt(1.0 - x * x)) + 2.0 * std::atan(1.0);
}

double ArcSine(double x)
{
  if (x >= 1.0)
    return kPi / 2.0;
  if (x <= -1.0)
    return -kPi / 2.0;
  return std::atan(x / std::sqrt(1.0 - x * x));
}

double angle2pi(double y, double x)
{
  if (x == 0.0 && y == 0.0)
    return 0.0;
  double a;
  if (x != 0.0) {
    a = std::atan(y / x);
    if (x < 0.0)
      a += kPi;
  } else {
    a = kPi / 2.0;
    if (y < 0.0)
      a += kPi;
  }
  if (a < 0.0)
    a += kTwoPi;
  return a;
}

} // namespace tarvek
