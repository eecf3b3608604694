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
constexpr int kFirstFastExponent = 115; // 2^-12: finer levels would need more than 10^11
constexpr int kLastFastExponent = 178;  // 2^51: the scaled ends stay within 64 bits

// Per biased exponent, the decimal level m at which a float's rounding
// interval, 3 or 4 quarter units wide, spans at least 2 units of 10^-m, so it
// surely holds a whole multiple; m ≤ 11 keeps its ends within 64 bits.
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

constexpr std::array<std::uint64_t, 12> kPow10Int = [] {
  std::array<std::uint64_t, 12> p{1};
  for (std::size_t k = 1; k < p.size(); ++k)
    p[k] = p[k - 1] * 10;
  return p;
}();

// A positive normal float's rounding interval scaled by 10^places, in fixed
// point with `shift` fraction bits so every quantity is exact: the value,
// the interval's ends, and the whole numbers the interval holds (low > high
// when none). Round-to-even reading includes the ends for even significands;
// at a power of two the gap below is half as wide.
struct ScaledInterval {
  std::uint64_t value = 0;
  std::uint64_t lowEnd = 0;
  std::uint64_t highEnd = 0;
  int shift = 0;
  std::uint64_t low = 1;
  std::uint64_t high = 0;
};

// False when the float is not normal, places is outside 0 to 11, or the
// scaled quantities would not fit 64 bits.
bool scaledInterval(std::uint32_t bits, int places, ScaledInterval& s)
{
  const int exponent = static_cast<int>((bits >> 23) & 0xFF);
  if (exponent == 0 || exponent == 0xFF || places < 0 || places > 11)
    return false;
  const std::uint32_t fraction = bits & 0x7FFFFF;
  const std::uint64_t significand = fraction | (1u << 23);
  const bool inclusive = (significand & 1) == 0;
  const std::uint64_t below = fraction == 0 && exponent > 1 ? 1 : 2;
  // In quarter units the ends are whole: 4 × significand ± gap, each times
  // 10^places, below 2^63 (2^26 × 10^11). value = that × 2^(exponent − 152).
  const std::uint64_t unit = kPow10Int[static_cast<std::size_t>(places)];
  s.value = 4 * significand * unit;
  s.lowEnd = (4 * significand - below) * unit;
  s.highEnd = (4 * significand + 2) * unit;
  s.shift = kFloatBias + 2 - exponent;
  if (s.shift >= 64)
    return false;
  if (s.shift < 0) {
    const int left = -s.shift;
    if (left >= 63 || (s.highEnd >> (63 - left)) != 0)
      return false;
    s.value <<= left;
    s.lowEnd <<= left;
    s.highEnd <<= left;
    s.shift = 0;
  }
  const std::uint64_t fractionMask = (std::uint64_t{1} << s.shift) - 1;
  s.low = (s.lowEnd >> s.shift) + ((s.lowEnd & fractionMask) != 0 ? 1 : 0);
  if (!inclusive && (s.lowEnd & fractionMask) == 0)
    ++s.low;
  s.high = s.highEnd >> s.shift;
  if (!inclusive && (s.highEnd & fractionMask) == 0)
    --s.high;
  return true;
}

// Among the whole numbers of a non-empty interval, the multiple of the
// coarsest power of ten nearest the value: the shortest decimal scaled by
// 10^places. False on a tie between two such multiples.
bool shortestInInterval(const ScaledInterval& s, std::uint64_t& chosen, int& power)
{
  // Whole parts of value, high and low − 1 over 10^power: a multiple of
  // 10^power lies in [low, high] exactly while high's exceeds low − 1's.
  std::uint64_t whole = s.value >> s.shift;
  std::uint64_t high = s.high;
  std::uint64_t belowLow = s.low - 1;
  std::uint64_t unit = 1;
  power = 0;
  while (high / 10 > belowLow / 10) {
    high /= 10;
    belowLow /= 10;
    whole /= 10;
    unit *= 10;
    ++power;
  }
  const std::uint64_t under = whole * unit;
  const std::uint64_t over = under + unit;
  const bool underInside = whole > belowLow;
  const bool overInside = whole + 1 <= high;
  chosen = underInside ? under : over;
  if (underInside && overInside) {
    const std::uint64_t toUnder = s.value - (under << s.shift);
    const std::uint64_t toOver = (over << s.shift) - s.value;
    if (toUnder == toOver)
      return false;
    chosen = toUnder < toOver ? under : over;
  }
  return true;
}

// The shortest decimal of a normal float from 2^-12 to 2^51 in exact
// integer arithmetic: the whole numbers of the rounding interval scaled by
// 10^m, then the coarsest power of ten with a multiple among them, then the
// multiple nearest the value. Gives false where that choice is a tie, left
// to the library.
bool fastShortest(float x, DecimalDigits& d)
{
  const auto bits = std::bit_cast<std::uint32_t>(x);
  const int exponent = static_cast<int>((bits >> 23) & 0xFF);
  if (exponent < kFirstFastExponent || exponent > kLastFastExponent)
    return false;
  ScaledInterval s;
  const int m = kLevel[static_cast<std::size_t>(exponent)];
  std::uint64_t chosen = 0;
  int power = 0;
  if (!scaledInterval(bits, m, s) || !shortestInInterval(s, chosen, power))
    return false;
  d.negative = (bits >> 31) != 0;
  std::uint64_t digits = chosen;
  for (int k = 0; k < power; ++k)
    digits /= 10;
  const auto res = std::to_chars(d.digits, d.digits + DecimalDigits::kCapacity, digits);
  d.count = static_cast<int>(res.ptr - d.digits);
  d.pointPos = d.count + power - m;
  stripTrailingZeros(d);
  return true;
}

} // namespace

bool roundedScaled(float x, int places, std::uint64_t& scaled)
{
  if (x == 0.0f) {
    scaled = 0;
    return places >= 0;
  }
  ScaledInterval s;
  if (!scaledInterval(std::bit_cast<std::uint32_t>(x), places, s))
    return false;
  if (s.low > s.high) {
    // The shortest decimal has more places: it and the value lie between
    // the same two whole numbers and round alike unless the midpoint falls
    // inside the interval. Whole ends always hold a whole number, so
    // shift ≥ 1 here.
    const std::uint64_t whole = s.value >> s.shift;
    const std::uint64_t half = (whole << s.shift) | (std::uint64_t{1} << (s.shift - 1));
    if (half < s.lowEnd || half > s.highEnd) {
      scaled = whole + (s.value > half ? 1 : 0);
      return true;
    }
    // Otherwise the shortest decimal's own digits decide: find it at the
    // first finer level that holds it and round its extra digits.
    for (int level = places + 1; level <= 11; ++level) {
      ScaledInterval finer;
      if (!scaledInterval(std::bit_cast<std::uint32_t>(x), level, finer))
        return false;
      if (finer.low > finer.high)
        continue;
      std::uint64_t chosen = 0;
      int power = 0;
      if (!shortestInInterval(finer, chosen, power))
        return false;
      const std::uint64_t unit = kPow10Int[static_cast<std::size_t>(level - places)];
      scaled = chosen / unit + (chosen % unit >= unit / 2 ? 1 : 0);
      return true;
    }
    return false;
  }
  int power = 0;
  return shortestInInterval(s, scaled, power);
}

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
  const std::uint64_t magnitude =
      x < 0 ? 0 - static_cast<std::uint64_t>(x) : static_cast<std::uint64_t>(x);
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
