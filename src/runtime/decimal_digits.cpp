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
constexpr double kExactLimit = 9007199254740992.0; // 2^53
constexpr std::array<std::uint64_t, 17> kPow10Int = [] {
  std::array<std::uint64_t, 17> p{1};
  for (std::size_t k = 1; k < p.size(); ++k)
    p[k] = p[k - 1] * 10;
  return p;
}();

template <int K>
std::uint64_t downTo(std::uint64_t x)
{
  return x / kPow10Int[K] * kPow10Int[K];
}

// x rounded down to a multiple of 10^k, k from 0 to 16; constant divisors
// become multiplications.
std::uint64_t downToPower(std::uint64_t x, int k)
{
  switch (k) {
  case 0: return x;
  case 1: return downTo<1>(x);
  case 2: return downTo<2>(x);
  case 3: return downTo<3>(x);
  case 4: return downTo<4>(x);
  case 5: return downTo<5>(x);
  case 6: return downTo<6>(x);
  case 7: return downTo<7>(x);
  case 8: return downTo<8>(x);
  case 9: return downTo<9>(x);
  case 10: return downTo<10>(x);
  case 11: return downTo<11>(x);
  case 12: return downTo<12>(x);
  case 13: return downTo<13>(x);
  case 14: return downTo<14>(x);
  case 15: return downTo<15>(x);
  default: return downTo<16>(x);
  }
}

// A positive normal float's rounding interval, everything scaled by 10^level
// and exact: the value, the interval's ends and the whole numbers the
// interval holds (low > high when none). Round-to-even reading includes the
// ends for even significands; at a power of two the gap below is half as
// wide.
struct ScaledInterval {
  double value = 0;
  double lowEnd = 0;
  double highEnd = 0;
  std::uint64_t low = 1;
  std::uint64_t high = 0;
};

// False when the scaled ends would reach 2^53 or the float is not normal.
bool scaledInterval(std::uint32_t bits, int level, ScaledInterval& s)
{
  const int exponent = static_cast<int>((bits >> 23) & 0xFF);
  if (exponent == 0 || exponent == 0xFF)
    return false;
  const std::uint32_t fraction = bits & 0x7FFFFF;
  const std::uint64_t significand = fraction | (1u << 23);
  const bool inclusive = (significand & 1) == 0;
  const std::uint64_t below = fraction == 0 && exponent > 1 ? 1 : 2;
  // 10^level × 2^e: 5^level has at most 26 bits for level ≤ 11, so with a
  // 26-bit numerator every product below is exact.
  const auto twoPower =
      std::bit_cast<double>(static_cast<std::uint64_t>(exponent - kFloatBias - 2 + 1023) << 52);
  const double scale = kPow10[level] * twoPower;
  s.highEnd = static_cast<double>(4 * significand + 2) * scale;
  if (s.highEnd >= kExactLimit)
    return false;
  s.value = static_cast<double>(4 * significand) * scale;
  s.lowEnd = static_cast<double>(4 * significand - below) * scale;
  // All three are positive and below 2^53: truncation is the floor.
  s.low = static_cast<std::uint64_t>(s.lowEnd);
  if (static_cast<double>(s.low) < s.lowEnd)
    ++s.low;
  if (!inclusive && static_cast<double>(s.low) == s.lowEnd)
    ++s.low;
  s.high = static_cast<std::uint64_t>(s.highEnd);
  if (!inclusive && s.high > 0 && static_cast<double>(s.high) == s.highEnd)
    --s.high;
  return true;
}

// Among the whole numbers of a non-empty interval, the multiple of the
// coarsest power of ten 10^power, nearest the value: the shortest decimal
// scaled by 10^level. False on a tie between two such multiples.
bool shortestInInterval(const ScaledInterval& s, std::uint64_t& chosen, int& power)
{
  power = 0;
  while (power < 16 && downToPower(s.high, power + 1) >= s.low)
    ++power;
  const std::uint64_t unit = kPow10Int[power];
  const auto whole = static_cast<std::uint64_t>(s.value);
  const double part = s.value - static_cast<double>(whole);
  const std::uint64_t under = downToPower(whole, power);
  const std::uint64_t over = under + unit;
  const bool underInside = under >= s.low;
  const bool overInside = over <= s.high;
  chosen = underInside ? under : over;
  if (underInside && overInside) {
    const double toUnder = static_cast<double>(whole - under) + part;
    const double toOver = static_cast<double>(over - whole) - part;
    if (toUnder == toOver)
      return false;
    chosen = toUnder < toOver ? under : over;
  }
  return true;
}

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
  ScaledInterval s;
  const int m = kLevel[static_cast<std::size_t>(exponent)];
  std::uint64_t chosen = 0;
  int power = 0;
  if (!scaledInterval(bits, m, s) || !shortestInInterval(s, chosen, power))
    return false;
  d.negative = (bits >> 31) != 0;
  const auto res =
      std::to_chars(d.digits, d.digits + DecimalDigits::kCapacity, chosen / kPow10Int[power]);
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
  if (places < 0 || places > 11 || !scaledInterval(std::bit_cast<std::uint32_t>(x), places, s))
    return false;
  if (s.low > s.high) {
    // The shortest decimal has more places: it and the value lie between
    // the same two whole numbers and round alike unless the midpoint falls
    // inside the interval.
    const auto whole = static_cast<std::uint64_t>(s.value);
    const double half = static_cast<double>(whole) + 0.5;
    if (half >= s.lowEnd && half <= s.highEnd)
      return false;
    scaled = whole + (s.value > half ? 1 : 0);
    return true;
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
