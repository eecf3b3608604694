#pragma once

#include <array>

namespace tarvek {

// Length of a 3-vector: sqrt(v[1]² + v[0]² + v[2]²), summed in that order in
// double and rounded to float once. The zero vector gives 1, so that
// V3Normalize leaves it unchanged (the scene's own length gives 0 there).
// Throws RuntimeError when the length lies beyond the float range.
float V3Length(const std::array<float, 3>& v);

// Scales (x, y, z) in place to unit length by the float-rounded reciprocal
// of V3Length; the zero vector stays as it is. Throws RuntimeError when the
// reciprocal overflows (a subnormal length) or the length does.
void V3Normalize(float& x, float& y, float& z);

} // namespace tarvek
