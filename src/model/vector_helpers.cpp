#include "model/vector_helpers.h"

#include "runtime/runtime_error.h"

#include <cmath>

namespace tarvek {

namespace {

// Rounds to float; a value beyond the float range is an overflow, not infinity.
float toFloatChecked(double x, const char* sentence)
{
  const float f = static_cast<float>(x);
  if (std::isinf(f))
    throw RuntimeError(sentence);
  return f;
}

} // namespace

float V3Length(const std::array<float, 3>& v)
{
  const double sum = static_cast<double>(v[1]) * v[1] + static_cast<double>(v[0]) * v[0]
                     + static_cast<double>(v[2]) * v[2];
  const float len = toFloatChecked(std::sqrt(sum), "The vector is too long: its length is too large.");
  return len == 0.0f ? 1.0f : len;
}

void V3Normalize(float& x, float& y, float& z)
{
  // Multiplied by the rounded reciprocal, not divided by the length.
  const float inv = toFloatChecked(1.0 / V3Length({x, y, z}),
                                   "The vector is too short to be scaled to unit length.");
  x = inv * x;
  y = inv * y;
  z = inv * z;
}

} // namespace tarvek
