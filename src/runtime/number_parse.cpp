#include "runtime/number_parse.h"

#include "runtime/runtime_error.h"

#include <charconv>
#include <cmath>
#include <string>

namespace tarvek {

namespace {

bool isDigit(char c)
{
  return c >= '0' && c <= '9';
}

} // namespace

double Val(std::string_view text)
{
  std::size_t i = 0;
  const std::size_t n = text.size();
  while (i < n && (text[i] == ' ' || text[i] == '\t'))
    ++i;

  // Scan the longest prefix that forms a number; from_chars then reads exactly
  // that, so it never sees "inf", "nan", hex forms or a leading "+".
  std::string scanned;
  if (i < n && (text[i] == '+' || text[i] == '-')) {
    if (text[i] == '-')
      scanned += '-';
    ++i;
  }
  std::size_t digits = 0;
  while (i < n && isDigit(text[i])) {
    scanned += text[i++];
    ++digits;
  }
  if (i < n && text[i] == '.') {
    std::string fraction = ".";
    std::size_t j = i + 1;
    while (j < n && isDigit(text[j]))
      fraction += text[j++];
    if (digits > 0 || fraction.size() > 1) {
      digits += fraction.size() - 1;
      scanned += fraction;
      i = j;
    }
  }
  if (digits == 0)
    return 0.0;
  if (i < n && (text[i] == 'e' || text[i] == 'E')) {
    std::string exponent = "e";
    std::size_t j = i + 1;
    if (j < n && (text[j] == '+' || text[j] == '-'))
      exponent += text[j++];
    std::size_t expDigits = 0;
    while (j < n && isDigit(text[j])) {
      exponent += text[j++];
      ++expDigits;
    }
    if (expDigits > 0)
      scanned += exponent;
  }

  double value = 0.0;
  auto [end, ec] = std::from_chars(scanned.data(), scanned.data() + scanned.size(), value);
  (void)end;
  if (ec == std::errc::result_out_of_range) {
    // from_chars reports underflow the same way; only a huge value overflows.
    if (scanned.find('e') != std::string::npos
        && scanned[scanned.find('e') + 1] != '-')
      throw RuntimeError("The number " + std::string(text.substr(0, 40)) + " is too large.");
    return 0.0;
  }
  return value;
}

} // namespace tarvek
