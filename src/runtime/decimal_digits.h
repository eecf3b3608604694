#pragma once

#include <cstdint>
#include <string_view>

namespace tarvek {

// A finite number as a decimal: value = ±0.digits × 10^pointPos, that is the
// point sits after the first pointPos digits (pointPos may be negative or
// beyond the digits). Shared by the format masks and the print form so both
// round the same way. Held in place, so writers format without allocating.
struct DecimalDigits {
  static constexpr int kCapacity = 24; // 19 digits of an int64, one more from rounding up

  bool negative = false;
  char digits[kCapacity] = {'0'}; // no leading or trailing zeros; "0" for zero
  int count = 1;
  int pointPos = 1;

  bool isZero() const { return count == 1 && digits[0] == '0'; }
  // Digit i of the decimal, '0' outside the stored digits.
  char at(int i) const { return i >= 0 && i < count ? digits[i] : '0'; }
  std::string_view text() const { return {digits, static_cast<std::size_t>(count)}; }
};

// The shortest decimal that reads back as exactly x in x's own type.
// Throws RuntimeError for NaN or infinity.
DecimalDigits shortestDecimal(double x);
DecimalDigits shortestDecimal(float x);
DecimalDigits integerDecimal(std::int64_t x);

// |x|'s shortest decimal rounded half away from zero to `places` decimals
// and multiplied by 10^places (2.675f, 2 places: 268), as shortestDecimal
// and roundDigits give it, but worked out from the float's bits in integer
// arithmetic without a digit string. Covers 0 to 11 places, zero, and the
// normal floats whose scaled rounding interval fits 64 bits; gives false
// elsewhere and on the rare midpoints it cannot settle, where the caller
// takes the long way.
bool roundedScaled(float x, int places, std::uint64_t& scaled);

// Keeps the first `count` digits (count may be 0 or negative), rounding half
// away from zero; the sign stays, also when the result is zero.
void roundDigits(DecimalDigits& d, int count);

} // namespace tarvek
