#include "runtime/number_parse.h"

#include "runtime/runtime_error.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <string>

namespace tarvek {

namespace {

bool isDigit(char c)
{
  return c >= '0' && c <= '9';
}

// The power of ten of the leading digit of a scanned number ("120" 2,
// "0.05" -2, "1e5" 5); saturates for absurd exponents. Zero gives a negative.
long long decimalOrder(std::string_view scanned)
{
  const auto e = scanned.find_first_of("eE");
  const std::string_view mantissa = scanned.substr(0, e);
  long long exponent = 0;
  if (e != std::string_view::npos) {
    std::string_view digits = scanned.substr(e + 1);
    const bool negative = !digits.empty() && digits.front() == '-';
    if (!digits.empty() && (digits.front() == '-' || digits.front() == '+'))
      digits.remove_prefix(1);
    // Far more than any double needs, and far from the ends of long long,
    // so adding the point's position cannot overflow.
    constexpr long long kFar = 1'000'000'000;
    if (std::from_chars(digits.data(), digits.data() + digits.size(), exponent).ec != std::errc()
        || exponent > kFar)
      exponent = kFar;
    if (negative)
      exponent = -exponent;
  }
  const auto first = mantissa.find_first_of("123456789");
  if (first == std::string_view::npos)
    return -1;
  auto point = mantissa.find('.');
  if (point == std::string_view::npos)
    point = mantissa.size();
  const long long position = point > first ? static_cast<long long>(point - first) - 1
                                           : -static_cast<long long>(first - point);
  return position + exponent;
}

} // namespace

namespace {

// Powers of ten a double holds exactly.
constexpr double kExactPowers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                   1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                   1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
constexpr int kLargestExactPower = 22;
// Digits a std::uint64_t holds whatever they are.
constexpr std::size_t kMaxWholeDigits = 19;
constexpr std::uint64_t kLargestExactWhole = std::uint64_t{1} << 53;
// Beyond this an exponent's size no longer matters to the quick path.
constexpr long long kExponentCap = 100000;

enum class Scan { Number, None, TooLarge };

// Val's scan: the value of the number starting the text, 0 when there is
// none or it lies beyond the double range; scan tells which. (A plain double
// result keeps the hot path free of a returned optional's stack round trip.)
double scanNumber(std::string_view text, Scan& scan)
{
  scan = Scan::Number;
  std::size_t i = 0;
  const std::size_t n = text.size();
  while (i < n && (text[i] == ' ' || text[i] == '\t'))
    ++i;

  // Scan the longest prefix that forms a number; from_chars then reads exactly
  // that, so it never sees "inf", "nan", hex forms or a leading "+". The
  // scanned text is one piece of the input, a "+" sign left out. The digits
  // are gathered on the way for the quick path below.
  std::size_t start = i;
  bool negative = false;
  if (i < n && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    if (!negative)
      ++start;
    ++i;
  }
  // One pass over the digits and at most one point.
  std::uint64_t whole = 0;
  std::size_t digits = 0;
  long long exponent = 0;
  bool point = false;
  for (; i < n; ++i) {
    const unsigned digit = static_cast<unsigned char>(text[i]) - unsigned{'0'};
    if (digit < 10) {
      whole = whole * 10 + digit;
      ++digits;
      exponent -= point ? 1 : 0;
    } else if (text[i] == '.' && !point) {
      point = true;
    } else {
      break;
    }
  }
  if (digits == 0) {
    scan = Scan::None;
    return 0.0;
  }
  if (i < n && (text[i] == 'e' || text[i] == 'E')) {
    std::size_t j = i + 1;
    const bool negativeExponent = j < n && text[j] == '-';
    if (j < n && (text[j] == '+' || text[j] == '-'))
      ++j;
    const std::size_t expStart = j;
    long long written = 0;
    while (j < n && isDigit(text[j])) {
      if (written < kExponentCap)
        written = written * 10 + (text[j] - '0');
      ++j;
    }
    if (j > expStart) {
      i = j;
      exponent += negativeExponent ? -written : written;
    }
  }

  // The digits as a whole number and the power of ten both exact in a double
  // make one multiplication or division, which rounds correctly: the value
  // from_chars gives. The print form of the scene files always fits.
  if (digits <= kMaxWholeDigits && whole <= kLargestExactWhole && exponent >= -kLargestExactPower
      && exponent <= kLargestExactPower) {
    const auto w = static_cast<double>(whole);
    const double value = exponent < 0 ? w / kExactPowers[-exponent] : w * kExactPowers[exponent];
    return negative ? -value : value;
  }

  const std::string_view scanned = text.substr(start, i - start);
  double value = 0.0;
  auto [end, ec] = std::from_chars(scanned.data(), scanned.data() + scanned.size(), value);
  (void)end;
  if (ec == std::errc::result_out_of_range) {
    // from_chars reports underflow the same way; only a value of 1 or more
    // can be too large, whether its size comes from digits or the exponent.
    if (decimalOrder(scanned) >= 0) {
      scan = Scan::TooLarge;
      return 0.0;
    }
    return 0.0;
  }
  return value;
}

} // namespace

double Val(std::string_view text)
{
  Scan scan = Scan::Number;
  const double value = scanNumber(text, scan);
  if (scan == Scan::TooLarge)
    throw RuntimeError("The number " + std::string(text.substr(0, 40)) + " is too large.");
  return value;
}

std::optional<double> leadingNumber(std::string_view text)
{
  Scan scan = Scan::Number;
  const double value = scanNumber(text, scan);
  if (scan != Scan::Number)
    return std::nullopt;
  return value;
}

} // namespace tarvek
