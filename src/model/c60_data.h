#pragma once

#include <array>
#include <string_view>

namespace tarvek {

// The stored C60 molecule: 60 lines "x y z" (Å, five decimals, single
// blanks). The C60 builder and the half-C60 end caps read the same lines.
extern const std::array<std::string_view, 60> kC60Lines;

// The same atoms as numbers, each field read with Val and rounded to float;
// the lines are read once, on the first call.
const std::array<std::array<float, 3>, 60>& c60Atoms();

} // namespace tarvek
