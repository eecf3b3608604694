// The string-based number output the writers first used: the reference for their bytes.
#include "number_reference.h"

#include <charconv>
#include <cmath>
#include <stdexcept>

namespace tarvek::test::reference {
namespace {

struct Digits {
  bool negative = false;
  std::string digits = "0";
  int pointPos = 1;

  bool isZero() const { return digits == "0"; }
};

void stripTrailingZeros(Digits& d)
{
  const auto last = d.digits.find_last_not_of('0');
  if (last == std::string::npos)
    d = Digits{d.negative, "0", 1};
  else
    d.digits.resize(last + 1);
}

template <typename Real>
Digits shortestOf(Real x)
{
  if (!std::isfinite(x))
    throw std::domain_error("not finite");
  char buf[64];
  const auto res = std::to_chars(buf, buf + sizeof buf, x, std::chars_format::scientific);
  const char* p = buf;
  Digits d;
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

void roundDigits(Digits& d, int count)
{
  if (d.isZero() || count >= static_cast<int>(d.digits.size()))
    return;
  const bool up = count >= 0 && d.digits[static_cast<std::size_t>(count)] >= '5';
  if (count <= 0) {
    d = up ? Digits{d.negative, "1", d.pointPos - count + 1} : Digits{d.negative, "0", 1};
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

std::string applyMask(Digits d, std::string_view mask)
{
  int integerDigits = 0, required = 0, optional = 0;
  bool point = false, percent = false;
  std::size_t i = 0;
  for (; i < mask.size() && mask[i] == '0'; ++i)
    ++integerDigits;
  if (i < mask.size() && mask[i] == '.') {
    point = true;
    for (++i; i < mask.size() && mask[i] == '0'; ++i)
      ++required;
    for (; i < mask.size() && mask[i] == '#'; ++i)
      ++optional;
  }
  if (i < mask.size() && mask[i] == '%') {
    percent = true;
    ++i;
  }
  if (integerDigits == 0 || i != mask.size())
    throw std::invalid_argument("mask");
  if (percent && !d.isZero())
    d.pointPos += 2;
  const int decimals = required + optional;
  roundDigits(d, d.pointPos + decimals);
  const int len = static_cast<int>(d.digits.size());
  auto digitAt = [&](int k) {
    return k >= 0 && k < len ? d.digits[static_cast<std::size_t>(k)] : '0';
  };
  std::string whole;
  for (int k = 0; k < d.pointPos; ++k)
    whole += digitAt(k);
  if (static_cast<int>(whole.size()) < integerDigits)
    whole.insert(0, static_cast<std::size_t>(integerDigits) - whole.size(), '0');
  std::string fraction;
  for (int k = 0; k < decimals; ++k)
    fraction += digitAt(d.pointPos + k);
  while (static_cast<int>(fraction.size()) > required && fraction.back() == '0')
    fraction.pop_back();
  std::string out = d.negative && !d.isZero() ? "-" : "";
  out += whole;
  if (point)
    out += "." + fraction;
  if (percent)
    out += '%';
  return out;
}

std::string unsignedText(const Digits& d, bool zeroBeforePoint)
{
  constexpr int maxPlainPoint = 7;
  const int len = static_cast<int>(d.digits.size());
  std::string out;
  if (d.isZero() || (d.pointPos >= -3 && d.pointPos <= maxPlainPoint)) {
    if (d.pointPos > 0) {
      for (int i = 0; i < d.pointPos; ++i)
        out += i < len ? d.digits[static_cast<std::size_t>(i)] : '0';
    } else if (zeroBeforePoint) {
      out = "0";
    }
    if (d.pointPos < len) {
      out += '.';
      if (d.pointPos < 0)
        out.append(static_cast<std::size_t>(-d.pointPos), '0');
      out.append(d.digits, static_cast<std::size_t>(d.pointPos > 0 ? d.pointPos : 0));
    }
    return out;
  }
  out = d.digits.substr(0, 1);
  if (len > 1)
    out += "." + d.digits.substr(1);
  const int exponent = d.pointPos - 1;
  out += exponent < 0 ? "E-" : "E+";
  const int magnitude = exponent < 0 ? -exponent : exponent;
  if (magnitude < 10)
    out += '0';
  out += std::to_string(magnitude);
  return out;
}

Digits floatDigits(float x)
{
  Digits d = shortestOf(x);
  roundDigits(d, 7);
  return d;
}

} // namespace

std::string format(float value, std::string_view mask)
{
  return applyMask(shortestOf(value), mask);
}

std::string format(double value, std::string_view mask)
{
  return applyMask(shortestOf(value), mask);
}

std::string printForm(float value)
{
  const Digits d = floatDigits(value);
  return (d.negative && !d.isZero() ? "-" : " ") + unsignedText(d, false) + " ";
}

std::string numberText(float value)
{
  const Digits d = floatDigits(value);
  return (d.negative && !d.isZero() ? "-" : "") + unsignedText(d, true);
}

} // namespace tarvek::test::reference
