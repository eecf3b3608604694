#include "runtime/number_format.h"

#include "runtime/decimal_digits.h"
#include "runtime/runtime_error.h"

namespace tarvek {

namespace {

// A mask of the form 0[0…][.0…#…][%]: leading "0"s give the minimum count of
// integer digits, "0" decimals are always written, "#" decimals only when
// they are not trailing zeros.
struct Mask {
  int integerDigits = 0;
  bool point = false;
  int required = 0;
  int optional = 0;
  bool percent = false;
};

Mask parseMask(std::string_view text)
{
  Mask m;
  std::size_t i = 0;
  for (; i < text.size() && text[i] == '0'; ++i)
    ++m.integerDigits;
  if (i < text.size() && text[i] == '.') {
    m.point = true;
    for (++i; i < text.size() && text[i] == '0'; ++i)
      ++m.required;
    for (; i < text.size() && text[i] == '#'; ++i)
      ++m.optional;
  }
  if (i < text.size() && text[i] == '%') {
    m.percent = true;
    ++i;
  }
  if (m.integerDigits == 0 || i != text.size())
    throw RuntimeError("The number format \"" + std::string(text) + "\" is not supported.");
  return m;
}

std::string applyMask(DecimalDigits d, std::string_view maskText)
{
  const Mask mask = parseMask(maskText);
  if (mask.percent && !d.isZero())
    d.pointPos += 2; // × 100 on the decimal digits, so no binary rounding enters
  const int decimals = mask.required + mask.optional;
  roundDigits(d, d.pointPos + decimals);

  const int len = static_cast<int>(d.digits.size());
  auto digitAt = [&](int i) { return i >= 0 && i < len ? d.digits[static_cast<std::size_t>(i)] : '0'; };

  std::string whole;
  for (int i = 0; i < d.pointPos; ++i)
    whole += digitAt(i);
  if (static_cast<int>(whole.size()) < mask.integerDigits)
    whole.insert(0, static_cast<std::size_t>(mask.integerDigits) - whole.size(), '0');

  std::string fraction;
  for (int i = 0; i < decimals; ++i)
    fraction += digitAt(d.pointPos + i);
  while (static_cast<int>(fraction.size()) > mask.required && fraction.back() == '0')
    fraction.pop_back();

  // A value that rounds to zero shows no sign.
  std::string out = d.negative && !d.isZero() ? "-" : "";
  out += whole;
  if (mask.point)
    out += "." + fraction;
  if (mask.percent)
    out += '%';
  return out;
}

} // namespace

std::string Format(double value, std::string_view mask)
{
  return applyMask(shortestDecimal(value), mask);
}

std::string Format(float value, std::string_view mask)
{
  return applyMask(shortestDecimal(value), mask);
}

std::string Format(std::int64_t value, std::string_view mask)
{
  return applyMask(integerDecimal(value), mask);
}

} // namespace tarvek
