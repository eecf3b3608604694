#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tarvek {

// Formats a number with a fixed mask, "." as decimal sign in every locale.
// A mask is "0"s (minimum integer digits, zero-padded: "000" gives "007"),
// optionally "." with required "0" and optional "#" decimals, and optionally
// "%" (value × 100, then "%"): "0.0##", "0.0", "0.000", "0.0000", "0.00000",
// "0.000000", "0.0###", "0.0#", "0%", "000".
// The value's shortest round-trip decimal in its own type is rounded half
// away from zero; optional decimals drop trailing zeros; never "-0.0".
// Throws RuntimeError for NaN, infinity or a mask of another form.
std::string Format(double value, std::string_view mask);
std::string Format(float value, std::string_view mask);
std::string Format(std::int64_t value, std::string_view mask);
inline std::string Format(int value, std::string_view mask)
{
  return Format(static_cast<std::int64_t>(value), mask);
}

} // namespace tarvek
