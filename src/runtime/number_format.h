#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tarvek {

[[noreturn]] void throwUnsupportedMask(std::string_view text);

// A format mask, read once: "0"s (minimum integer digits, zero-padded: "000"
// gives "007"), optionally "." with required "0" and optional "#" decimals,
// and optionally "%" (value × 100, then "%"): "0.0##", "0.0", "0.000",
// "0.0000", "0.00000", "0.000000", "0.0###", "0.0#", "0%", "000".
// Any other form throws RuntimeError; a constant mask is checked as the
// program compiles.
struct NumberMask {
  int integerDigits = 0;
  bool point = false;
  int required = 0;
  int optional = 0;
  bool percent = false;

  constexpr explicit NumberMask(std::string_view text)
  {
    std::size_t i = 0;
    for (; i < text.size() && text[i] == '0'; ++i)
      ++integerDigits;
    if (i < text.size() && text[i] == '.') {
      point = true;
      for (++i; i < text.size() && text[i] == '0'; ++i)
        ++required;
      for (; i < text.size() && text[i] == '#'; ++i)
        ++optional;
    }
    if (i < text.size() && text[i] == '%') {
      percent = true;
      ++i;
    }
    if (integerDigits == 0 || i != text.size())
      throwUnsupportedMask(text);
  }
};

// Formats a number with a fixed mask, "." as decimal sign in every locale.
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

// The same text appended to out, for writers that build lines in place,
// right-aligned in width columns (blanks before it) when it is shorter.
// Returns the length of the text without the blanks.
std::size_t appendFormat(std::string& out, float value, const NumberMask& mask, int width = 0);
std::size_t appendFormat(std::string& out, double value, const NumberMask& mask, int width = 0);

} // namespace tarvek
