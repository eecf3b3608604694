#include "runtime/decimal_digits.h"

#include "runtime/runtime_error.h"

#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstring>

namespace tarvek {

namespace {

void stripTrailingZeros(DecimalDigits& d)
{
  while (d.count > 1 && d.digits[d.count - 1] == '0')
    --d.count;
  if (d.count == 1 && d.digits[0] == '0')
    d.pointPos = 1;
}

// The digits of a number printed in scientific form, so they never depend on
// to_chars' choice between plain and exponent notation.
DecimalDigits fromScientific(const char* p, const char* end)
{
  DecimalDigits d;
  d.negative = *p == '-';
  if (d.negative)
    ++p;
  d.count = 0;
  for (; *p != 'e'; ++p)
    if (*p != '.')
      d.digits[d.count++] = *p;
  ++p;
  if (*p == '+')
    ++p;
  int exponent = 0;
  std::from_chars(p, end, exponent);
  d.pointPos = exponent + 1;
  stripTrailingZeros(d);
  return d;
}

template <typename Real>
DecimalDigits libraryShortest(Real x)
{
  char buf[64];
  const auto res = std::to_chars(buf, buf + sizeof buf, x, std::chars_format::scientific);
  return fromScientific(buf, res.ptr);
}

constexpr int kFloatBias = 150;         // value = significand × 2^(biased exponent − 150)
constexpr int kFirstFastExponent = 115; // 2^-12: finer levels would overflow exact doubles
constexpr int kLastFastExponent = 178;  // 2^51: the interval ends must stay below 2^53

// Per biased exponent, the decimal level m at which a float's rounding
// interval, 3 or 4 quarter units wide, spans at least 2 units of 10^-m, so it
// surely holds a whole multiple; m ≤ 11 keeps its ends exact doubles.
constexpr std::array<std::int8_t, kLastFastExponent + 1> kLevel = [] {
  std::array<std::int8_t, kLastFastExponent + 1> level{};
  for (int e = kFirstFastExponent; e <= kLastFastExponent; ++e) {
    double quarter = 1.0;
    for (int k = e - kFloatBias - 2; k < 0; ++k)
      quarter /= 2;
    for (int k = e - kFloatBias - 2; k > 0; --k)
      quarter *= 2;
    int m = 0;
    double width = 3.0 * quarter;
    while (width < 2.0) {
      width *= 10.0;
      ++m;
    }
    level[static_cast<std::size_t>(e)] = static_cast<std::int8_t>(m);
  }
  return level;
}();

constexpr double kPow10[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9, 1e10, 1e11};

// The shortest decimal of a normal float from 2^-12 to 2^51 in exact double
// arithmetic: the integers of the rounding interval scaled by 10^m, then the
// coarsest power of ten with a multiple among them, then the multiple nearest
// the value. Gives false where that choice is a tie, left to the library.
bool fastShortest(float x, DecimalDigits& d)
{
  const auto bits = std::bit_cast<std::uint32_t>(x);
  const int exponent = static_cast<int>((bits >> 23) & 0xFF);
  if (exponent < kFirstFastExponent || exponent > kLastFastExponent)
    return false;
  const std::uint32_t fraction = bits & 0x7FFFFF;
  const std::uint64_t significand = fraction | (1u << 23);
  // Round-to-even reading includes the interval's ends for even significands;
  // at a power of two the gap below is half as wide.
  const bool inclusive = (significand & 1) == 0;
  const std::uint64_t below = fraction == 0 ? 1 : 2;
  const double quarter = std::ldexp(1.0, exponent - kFloatBias - 2);
  const int m = kLevel[static_cast<std::size_t>(exponent)];
  const double scale = kPow10[m] * quarter;
  const double value = static_cast<double>(4 * significand) * scale;
  const double lowEnd = static_cast<double>(4 * significand - below) * scale;
  const double highEnd = static_cast<double>(4 * significand + 2) * scale;

  auto low = static_cast<std::uint64_t>(std::ceil(lowEnd));
  if (!inclusive && static_cast<double>(low) == lowEnd)
    ++low;
  auto high = static_cast<std::uint64_t>(std::floor(highEnd));
  if (!inclusive && static_cast<double>(high) == highEnd)
    --high;

  std::uint64_t unit = 1;
  int power = 0;
  while (high / (unit * 10) * (unit * 10) >= low) {
    unit *= 10;
    ++power;
  }
  const auto whole = static_cast<std::uint64_t>(value);
  const double part = value - static_cast<double>(whole);
  const std::uint64_t under = whole / unit * unit;
  const std::uint64_t over = under + unit;
  std::uint64_t chosen = under;
  const bool underInside = under >= low;
  const bool overInside = over <= high;
  if (underInside && overInside) {
    const double toUnder = static_cast<double>(whole - under) + part;
    const double toOver = static_cast<double>(over - whole) - part;
    if (toUnder == toOver)
      return false;
    chosen = toUnder < toOver ? under : over;
  } else if (overInside) {
    chosen = over;
  }

  d.negative = (bits >> 31) != 0;
  const auto res = std::to_chars(d.digits, d.digits + DecimalDigits::kCapacity, chosen / unit);
  d.count = static_cast<int>(res.ptr - d.digits);
  d.pointPos = d.count + power - m;
  stripTrailingZeros(d);
  return true;
}

} // namespace

DecimalDigits shortestDecimal(double x)
{
  if (!std::isfinite(x))
    throw RuntimeError("The value is not a finite number.");
  return libraryShortest(x);
}

DecimalDigits shortestDecimal(float x)
{
  if (!std::isfinite(x))
    throw RuntimeError("The value is not a finite number.");
  DecimalDigits d;
  if (x == 0.0f) {
    d.negative = std::signbit(x);
    return d;
  }
  if (fastShortest(x, d))
    return d;
  return libraryShortest(x);
}

DecimalDigits integerDecimal(std::int64_t x)
{
  // The magnitude as unsigned, so the most negative value needs no special case.
  const std::uint64_t magnitude = x < 0 ? 0 - static_cast<std::uint64_t>(x) : static_cast<std::uint64_t>(x);
  DecimalDigits d;
  d.negative = x < 0;
  const auto res = std::to_chars(d.digits, d.digits + DecimalDigits::kCapacity, magnitude);
  d.count = static_cast<int>(res.ptr - d.digits);
  d.pointPos = d.count;
  stripTrailingZeros(d);
  return d;
}

void roundDigits(DecimalDigits& d, int count)
{
  if (d.isZero() || count >= d.count)
    return;
  const bool up = count >= 0 && d.digits[count] >= '5';
  if (count <= 0) {
    // Only the rounding can leave a digit: a 1 in the last kept place.
    d.digits[0] = up ? '1' : '0';
    d.count = 1;
    d.pointPos = up ? d.pointPos - count + 1 : 1;
    return;
  }
  d.count = count;
  if (up) {
    int i = d.count;
    while (i > 0 && d.digits[i - 1] == '9')
      d.digits[--i] = '0';
    if (i == 0) {
      std::memmove(d.digits + 1, d.digits, static_cast<std::size_t>(d.count));
      d.digits[0] = '1';
      ++d.count;
      ++d.pointPos;
    } else {
      ++d.digits[i - 1];
    }
  }
  stripTrailingZeros(d);
}

} // namespace tarvek
