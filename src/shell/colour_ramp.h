// The colour ramp that gives each wall or bundle tube its own bond colour.
#pragma once

#include <cstdint>
#include <vector>

namespace tarvek {

// count + 1 colours (red + 256 × green + 65536 × blue): entry i (1 ..
// count) has hue CInt(239 · i / count) (half to even) on the 0..239 scale,
// saturation 239 and brightness 160, so the last entry always has hue 239.
// Entry 0 is 0 and unused. A count below 1 gives entry 0 alone.
std::vector<std::uint32_t> makeColourRamp(std::int32_t count);

} // namespace tarvek
