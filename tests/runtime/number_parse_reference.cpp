// The number reading Val first used: the reference for the values it reads.
#include "number_parse_reference.h"

#include <charconv>
#include <string>

namespace tarvek::test::reference {
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
    if (std::from_chars(digits.data(), digits.data() + digits.size(), exponent).ec != std::errc())
      exponent = 1'000'000'000; // more digits than any double needs
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

std::optional<double> leadingNumber(std::string_view text, bool& tooLarge)
{
  tooLarge = false;
  std::size_t i = 0;
  const std::size_t n = text.size();
  while (i < n && (text[i] == ' ' || text[i] == '\t'))
    ++i;

  // Scan the longest prefix that forms a number; from_chars then reads exactly
  // that, so it never sees "inf", "nan", hex forms or a leading "+". The
  // scanned text is one piece of the input, a "+" sign left out.
  std::size_t start = i;
  if (i < n && (text[i] == '+' || text[i] == '-')) {
    if (text[i] == '+')
      ++start;
    ++i;
  }
  std::size_t digits = 0;
  while (i < n && isDigit(text[i])) {
    ++i;
    ++digits;
  }
  if (i < n && text[i] == '.') {
    std::size_t j = i + 1;
    while (j < n && isDigit(text[j]))
      ++j;
    const std::size_t fractionDigits = j - i - 1;
    if (digits > 0 || fractionDigits > 0) {
      digits += fractionDigits;
      i = j;
    }
  }
  if (digits == 0)
    return std::nullopt;
  if (i < n && (text[i] == 'e' || text[i] == 'E')) {
    std::size_t j = i + 1;
    if (j < n && (text[j] == '+' || text[j] == '-'))
      ++j;
    const std::size_t expStart = j;
    while (j < n && isDigit(text[j]))
      ++j;
    if (j > expStart)
      i = j;
  }
  const std::string_view scanned = text.substr(start, i - start);

  double value = 0.0;
  auto [end, ec] = std::from_chars(scanned.data(), scanned.data() + scanned.size(), value);
  (void)end;
  if (ec == std::errc::result_out_of_range) {
    // from_chars reports underflow the same way; only a value of 1 or more
    // can be too large, whether its size comes from digits or the exponent.
    if (decimalOrder(scanned) >= 0) {
      tooLarge = true;
      return std::nullopt;
    }
    return 0.0;
  }
  return value;
}

} // namespace tarvek::test::reference
