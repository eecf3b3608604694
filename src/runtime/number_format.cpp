#include "runtime/number_format.h"

#include "runtime/decimal_digits.h"
#include "runtime/runtime_error.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>

namespace tarvek {

void throwUnsupportedMask(std::string_view text)
{
  throw RuntimeError("The number format \"" + std::string(text) + "\" is not supported.");
}

namespace {

// Masks with more leading zeros or decimals, and values of 16 digits and
// more once scaled, take the long way, whose text has no bound.
constexpr int kMaxFastInteger = 16;
constexpr int kMaxFastDecimals = 11;
constexpr int kFastDigits = 16;
constexpr std::uint64_t kFastLimit = 10'000'000'000'000'000;

constexpr char kDigitPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

void putPair(char* p, std::uint32_t pair)
{
  std::memcpy(p, kDigitPairs + 2 * pair, 2);
}

// v below 10^8 as 8 digits; the four pairs do not wait on each other.
void putDigits8(char* p, std::uint32_t v)
{
  const std::uint32_t high = v / 10000;
  const std::uint32_t low = v % 10000;
  putPair(p, high / 100);
  putPair(p + 2, high % 100);
  putPair(p + 4, low / 100);
  putPair(p + 6, low % 100);
}

// v below 10^16 as 16 digits, zero-padded.
void putDigits16(char* p, std::uint64_t v)
{
  constexpr std::uint64_t kEightDigits = 100'000'000;
  if (v < kEightDigits) {
    std::memset(p, '0', 8);
    putDigits8(p + 8, static_cast<std::uint32_t>(v));
    return;
  }
  putDigits8(p, static_cast<std::uint32_t>(v / kEightDigits));
  putDigits8(p + 8, static_cast<std::uint32_t>(v % kEightDigits));
}

// The number of decimal digits of v (0 for 0): log10 from the bit length,
// then one comparison.
int digitCount(std::uint64_t v)
{
  static constexpr std::uint64_t kPowers[] = {1,
                                              10,
                                              100,
                                              1'000,
                                              10'000,
                                              100'000,
                                              1'000'000,
                                              10'000'000,
                                              100'000'000,
                                              1'000'000'000,
                                              10'000'000'000,
                                              100'000'000'000,
                                              1'000'000'000'000,
                                              10'000'000'000'000,
                                              100'000'000'000'000,
                                              1'000'000'000'000'000,
                                              10'000'000'000'000'000,
                                              100'000'000'000'000'000,
                                              1'000'000'000'000'000'000,
                                              10'000'000'000'000'000'000u};
  const int estimate = (static_cast<int>(std::bit_width(v)) * 1233) >> 12;
  return estimate + (v >= kPowers[estimate] ? 1 : 0);
}

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
  const std::size_t length = static_cast<std::size_t>(
      minus + padding + whole + (mask.point ? 1 + fraction : 0) + mask.percent);
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
  std::string out;
  appendFormat(out, value, NumberMask(mask));
  return out;
}

std::string Format(std::int64_t value, std::string_view mask)
{
  return masked(integerDecimal(value), mask);
}

namespace {

// The text of a value already rounded to the mask's decimals and scaled by
// 10^decimals (scaled below kFastLimit), right-aligned in width.
std::size_t appendScaled(std::string& out, std::uint64_t scaled, bool negative,
                         const NumberMask& mask, int width)
{
  const int decimals = mask.required + mask.optional;
  // The scaled value as 16 digits; at least one of them before the point,
  // then the decimals without the optional trailing zeros.
  char digits[2 * kFastDigits]; // room for the 16-byte copies below
  putDigits16(digits, scaled);
  const int count = std::max(digitCount(scaled), decimals + 1);
  const char* const first = digits + kFastDigits - count;
  const char* const point = digits + kFastDigits - decimals;
  const char* fractionEnd = digits + kFastDigits;
  while (fractionEnd - point > mask.required && fractionEnd[-1] == '0')
    --fractionEnd;

  // Pieces are copied 16 bytes at a time into room that holds the excess,
  // which keeps the copies inline.
  char buf[6 * kMaxFastInteger];
  char* p = buf + kMaxFastInteger;
  char* const start = p;
  // A value that rounds to zero shows no sign.
  if (negative && scaled != 0)
    *p++ = '-';
  std::memset(p, '0', kMaxFastInteger);
  p += std::max(mask.integerDigits - static_cast<int>(point - first), 0);
  std::memcpy(p, first, kFastDigits);
  p += point - first;
  if (mask.point) {
    *p++ = '.';
    std::memcpy(p, point, kMaxFastDecimals + 1);
    p += fractionEnd - point;
  }
  if (mask.percent)
    *p++ = '%';
  char* const end = p;
  p = start;
  const auto length = static_cast<std::size_t>(end - p);
  if (static_cast<std::size_t>(std::max(width, 0)) > length) {
    std::size_t blanks = static_cast<std::size_t>(width) - length;
    const auto room = static_cast<std::size_t>(start - buf);
    if (blanks > room) {
      out.append(blanks - room, ' ');
      blanks = room;
    }
    p -= blanks;
    std::memset(start - kMaxFastInteger, ' ', kMaxFastInteger);
  }
  out.append(p, static_cast<std::size_t>(end - p));
  return length;
}

template <typename Value>
std::size_t appendSlow(std::string& out, Value value, const NumberMask& mask, int width)
{
  const std::size_t start = out.size();
  appendMasked(out, shortestDecimal(value), mask);
  const std::size_t length = out.size() - start;
  if (static_cast<std::size_t>(std::max(width, 0)) > length)
    out.insert(start, static_cast<std::size_t>(width) - length, ' ');
  return length;
}

// |x| x 10^places rounded as its shortest decimal would be, when the
// product lies clearly off a rounding midpoint. The product is off the
// exact one by at most one part in 2^53 and the shortest decimal off x by
// half an ulp, so a distance from the midpoint of 2^-48 of the product
// settles the rounding; nearer ones take the long way.
bool clearlyScaled(double x, int places, std::uint64_t& scaled)
{
  static constexpr double kPowers[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,
                                       1e7, 1e8, 1e9, 1e10, 1e11, 1e12, 1e13};
  const double product = std::fabs(x) * kPowers[places];
  if (!(product < 1e15))
    return false;
  const double whole = std::floor(product);
  const double rest = product - whole;
  if (std::fabs(rest - 0.5) <= product * 0x1p-48)
    return false;
  scaled = static_cast<std::uint64_t>(whole) + (rest > 0.5 ? 1 : 0);
  return true;
}

} // namespace

std::size_t appendFormat(std::string& out, float value, const NumberMask& mask, int width)
{
  const int decimals = mask.required + mask.optional;
  std::uint64_t scaled = 0;
  if (mask.integerDigits > kMaxFastInteger || decimals > kMaxFastDecimals
      || !roundedScaled(value, decimals + (mask.percent ? 2 : 0), scaled) || scaled >= kFastLimit)
    return appendSlow(out, value, mask, width);
  return appendScaled(out, scaled, std::signbit(value), mask, width);
}

std::size_t appendFormat(std::string& out, double value, const NumberMask& mask, int width)
{
  const int decimals = mask.required + mask.optional;
  std::uint64_t scaled = 0;
  if (mask.integerDigits > kMaxFastInteger || decimals > kMaxFastDecimals || !std::isfinite(value)
      || !clearlyScaled(value, decimals + (mask.percent ? 2 : 0), scaled) || scaled >= kFastLimit)
    return appendSlow(out, value, mask, width);
  return appendScaled(out, scaled, std::signbit(value), mask, width);
}

} // namespace tarvek
