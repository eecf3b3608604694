// The number reading Val first used: the reference for the values it reads.
#pragma once

#include <optional>
#include <string_view>

namespace tarvek::test::reference {

// Val's scan as it was written first: the longest number at the start of the
// text, read by from_chars alone. Nothing without a number; tooLarge set (and
// nothing) when the value lies beyond the double range.
std::optional<double> leadingNumber(std::string_view text, bool& tooLarge);

} // namespace tarvek::test::reference
