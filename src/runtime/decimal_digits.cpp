#include "runtime/decimal_digits.h"

#include "runtime/runtime_error.h"

#include <charconv>
#include <cmath>

namespace tarvek {

namespace {

void stripTrailingZeros(DecimalDigits& d)
{
  const auto last = d.digits.find_last_not_of('0');
  if (last == std::string::npos)
    d = DecimalDigits{d.negative, "0", 1};
  else
    d.digits.resize(last + 1);
}

template <typename Real>
DecimalDigits shortestOf(Real x)
{
  if (!std::isfinite(x))
    throw RuntimeError("The value is not a finite number.");
  // Scientific form, so the digits never depend on to_chars' choice between
  // plain and exponent notation.
  char buf[64];
  const auto res = std::to_chars(buf, buf + sizeof buf, x, std::chars_format::scientific);
  const char* p = buf;
  DecimalDigits d;
  d.negative = *p == '-';
  if (d.negative)
    ++p;
  d.digits.clear();
  for (; *p != 'e'; ++p)
    if (*p != '.')
      d.digits += *p;
  ++p;
  if (*p == '+')
    ++p;
  int exponent = 0;
  std::from_chars(p, res.ptr, exponent);
  d.pointPos = exponent + 1;
  stripTrailingZeros(d);
  return d;
}

} // namespace

DecimalDigits shortestDecimal(double x)
{
  return shortestOf(x);
}

DecimalDigits shortestDecimal(float x)
{
  return shortestOf(x);
}

DecimalDigits integerDecimal(std::int64_t x)
{
  // The magnitude as unsigned, so the most negative value needs no special case.
  const std::uint64_t magnitude = x < 0 ? 0 - static_cast<std::uint64_t>(x) : static_cast<std::uint64_t>(x);
  char buf[24];
  const auto res = std::to_chars(buf, buf + sizeof buf, magnitude);
  DecimalDigits d;
  d.negative = x < 0;
  d.digits.assign(buf, res.ptr);
  d.pointPos = static_cast<int>(d.digits.size());
  stripTrailingZeros(d);
  return d;
}

void roundDigits(DecimalDigits& d, int count)
{
  if (d.isZero() || count >= static_cast<int>(d.digits.size()))
    return;
  const bool up = count >= 0 && d.digits[static_cast<std::size_t>(count)] >= '5';
  if (count <= 0) {
    // Only the rounding can leave a digit: a 1 in the last kept place.
    d = up ? DecimalDigits{d.negative, "1", d.pointPos - count + 1} : DecimalDigits{d.negative, "0", 1};
    return;
  }
  d.digits.resize(static_cast<std::size_t>(count));
  if (up) {
    std::size_t i = d.digits.size();
    while (i > 0 && d.digits[i - 1] == '9')
      d.digits[--i] = '0';
    if (i == 0) {
      d.digits.insert(d.digits.begin(), '1');
      ++d.pointPos;
    } else {
      ++d.digits[i - 1];
    }
  }
  stripTrailingZeros(d);
}

} // namespace tarvek
