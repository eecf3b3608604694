#include "runtime/number_format.h"

#include "runtime/decimal_digits.h"
#include "runtime/runtime_error.h"

#include <algorithm>

namespace tarvek {

void throwUnsupportedMask(std::string_view text)
{
  throw RuntimeError("The number format \"" + std::string(text) + "\" is not supported.");
}

namespace {

void appendMasked(std::string& out, DecimalDigits d, const NumberMask& mask)
{
  if (mask.percent && !d.isZero())
    d.pointPos += 2; // × 100 on the decimal digits, so no binary rounding enters
  const int decimals = mask.required + mask.optional;
  roundDigits(d, d.pointPos + decimals);

  int fraction = decimals;
  while (fraction > mask.required && d.at(d.pointPos + fraction - 1) == '0')
    --fraction;
  // A value that rounds to zero shows no sign.
  const bool minus = d.negative && !d.isZero();
  const int whole = std::max(d.pointPos, 0);
  const int padding = std::max(mask.integerDigits - whole, 0);
  const std::size_t length = static_cast<std::size_t>(minus + padding + whole + (mask.point ? 1 + fraction : 0)
                                                      + mask.percent);
  const std::size_t start = out.size();
  out.resize(start + length);
  char* p = out.data() + start;
  if (minus)
    *p++ = '-';
  p = std::fill_n(p, padding, '0');
  for (int i = 0; i < whole; ++i)
    *p++ = d.at(i);
  if (mask.point) {
    *p++ = '.';
    for (int i = 0; i < fraction; ++i)
      *p++ = d.at(d.pointPos + i);
  }
  if (mask.percent)
    *p = '%';
}

std::string masked(const DecimalDigits& d, std::string_view mask)
{
  std::string out;
  appendMasked(out, d, NumberMask(mask));
  return out;
}

} // namespace

std::string Format(double value, std::string_view mask)
{
  return masked(shortestDecimal(value), mask);
}

std::string Format(float value, std::string_view mask)
{
  return masked(shortestDecimal(value), mask);
}

std::string Format(std::int64_t value, std::string_view mask)
{
  return masked(integerDecimal(value), mask);
}

void appendFormat(std::string& out, double value, const NumberMask& mask)
{
  appendMasked(out, shortestDecimal(value), mask);
}

void appendFormat(std::string& out, float value, const NumberMask& mask)
{
  appendMasked(out, shortestDecimal(value), mask);
}

} // namespace tarvek
