#pragma once

#include <cstdint>
#include <string>

namespace tarvek {

// A finite number as a decimal: value = ±0.digits × 10^pointPos, that is the
// point sits after the first pointPos digits (pointPos may be negative or
// beyond the digits). Shared by the format masks and the print form so both
// round the same way.
struct DecimalDigits {
  bool negative = false;
  std::string digits = "0"; // no leading or trailing zeros; "0" for zero
  int pointPos = 1;

  bool isZero() const { return digits == "0"; }
};

// The shortest decimal that reads back as exactly x in x's own type.
// Throws RuntimeError for NaN or infinity.
DecimalDigits shortestDecimal(double x);
DecimalDigits shortestDecimal(float x);
DecimalDigits integerDecimal(std::int64_t x);

// Keeps the first `count` digits (count may be 0 or negative), rounding half
// away from zero; the sign stays, also when the result is zero.
void roundDigits(DecimalDigits& d, int count);

} // namespace tarvek
