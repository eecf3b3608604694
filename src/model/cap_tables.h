#pragma once

#include <array>
#include <string_view>

namespace tarvek {

// Stored end caps, one atom "x y z" (Å) a line, each in a frame of its own
// that the cap builders normalise.
// (6,6) and (10,0): exponent notation, eleven significant digits. The (10,0)
// cap's open rim is its highest stored atom; the others point their tip to +z.
extern const std::array<std::string_view, 24> kCap66Lines;
extern const std::array<std::string_view, 20> kCap100Lines;
// (10,10), (11,11), (16,16), (19,0) and (28,0): made by
// scripts/gen/cap_tables.py. Rows by falling z, the rim atoms at the lowest
// z, the mean of x and y on the axis.
extern const std::array<std::string_view, 110> kCap1010Lines;
extern const std::array<std::string_view, 118> kCap1111Lines;
extern const std::array<std::string_view, 250> kCap1616Lines;
extern const std::array<std::string_view, 109> kCap190Lines;
extern const std::array<std::string_view, 250> kCap280Lines;

} // namespace tarvek
