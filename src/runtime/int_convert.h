#pragma once

#include <cstdint>

namespace tarvek {

// Real to integer, rounding half to even. Out of range, NaN or infinite
// throws RuntimeError with a sentence such as
// "The number 40000 is too large (allowed: -32768 to 32767)."; never wraps.
std::int16_t CInt(double x);
std::int32_t CLng(double x);

} // namespace tarvek
