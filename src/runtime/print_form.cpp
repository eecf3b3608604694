#include "runtime/print_form.h"

#include "runtime/decimal_digits.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace tarvek {

namespace {

constexpr std::size_t kZoneWidth = 14;

// Significant digits and the largest count of integer digits written in
// plain notation: floats 7 (below 1E+07), doubles 15 (below 1E+15).
constexpr int kFloatDigits = 7;
constexpr int kDoubleDigits = 15;
// Plain notation reaches down to 1E-04, whose point position is -3.
constexpr int kSmallestPlainPoint = -3;
// The powers of ten from 1E-03 to 1E+07 that bound the plain floats' digit
// counts.
constexpr double kSmallestPlain = 1e-4;
constexpr std::uint64_t kSmallestSeven = 1000000;
constexpr double kPlainLimits[] = {1e-3, 1e-2, 1e-1, 1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7};

// Appends the digits of a rounded decimal without sign: plain or exponent
// notation, trailing zeros of the fraction dropped.
void appendUnsigned(std::string& out, const DecimalDigits& d, int maxPlainPoint,
                    bool zeroBeforePoint)
{
  const int len = d.count;
  if (d.isZero() || (d.pointPos >= kSmallestPlainPoint && d.pointPos <= maxPlainPoint)) {
    if (d.pointPos > 0) {
      for (int i = 0; i < d.pointPos; ++i)
        out += d.at(i);
    } else if (zeroBeforePoint) {
      out += '0';
    }
    if (d.pointPos < len) {
      out += '.';
      if (d.pointPos < 0)
        out.append(static_cast<std::size_t>(-d.pointPos), '0');
      out.append(d.text().substr(static_cast<std::size_t>(d.pointPos > 0 ? d.pointPos : 0)));
    }
    return;
  }
  out += d.digits[0];
  if (len > 1) {
    out += '.';
    out.append(d.text().substr(1));
  }
  const int exponent = d.pointPos - 1;
  out += exponent < 0 ? "E-" : "E+";
  const int magnitude = exponent < 0 ? -exponent : exponent;
  if (magnitude < 10)
    out += '0';
  char buf[8];
  out.append(buf, std::to_chars(buf, buf + sizeof buf, magnitude).ptr);
}

DecimalDigits rounded(DecimalDigits d, int significant)
{
  roundDigits(d, significant);
  return d;
}

void appendPrinted(std::string& out, const DecimalDigits& d, int maxPlainPoint)
{
  const bool minus = d.negative && !d.isZero();
  out += minus ? '-' : ' ';
  appendUnsigned(out, d, maxPlainPoint, false);
  out += ' ';
}

std::string labelled(const DecimalDigits& d, int maxPlainPoint)
{
  const bool minus = d.negative && !d.isZero();
  std::string out = minus ? "-" : "";
  appendUnsigned(out, d, maxPlainPoint, true);
  return out;
}

std::size_t columnCount(std::string_view text)
{
  // Characters, not bytes: UTF-8 continuation bytes take no column.
  std::size_t n = 0;
  for (char c : text)
    if ((static_cast<unsigned char>(c) & 0xC0) != 0x80)
      ++n;
  return n;
}

} // namespace

std::string printForm(std::int16_t x)
{
  return printForm(static_cast<std::int32_t>(x));
}

std::string printForm(std::int32_t x)
{
  std::string out;
  appendPrintForm(out, x);
  return out;
}

std::string printForm(float x)
{
  std::string out;
  appendPrintForm(out, x);
  return out;
}

std::string printForm(double x)
{
  std::string out;
  appendPrintForm(out, x);
  return out;
}

void appendPrintForm(std::string& out, std::int32_t x)
{
  char buf[16];
  if (x >= 0)
    out += ' ';
  out.append(buf, std::to_chars(buf, buf + sizeof buf, x).ptr);
  out += ' ';
}

void appendPrintForm(std::string& out, float x)
{
  // Plain notation keeps 7 significant digits: for a value of p integer
  // digits, 7 - p decimals. A shortest decimal with one digit more than x
  // is a power of ten; it rounds to 10^7 scaled and takes the long way.
  const float magnitude = std::fabs(x);
  int places = kFloatDigits - kSmallestPlainPoint;
  for (const double limit : kPlainLimits) {
    if (magnitude < limit)
      break;
    --places;
  }
  std::uint64_t scaled = 0;
  if (!(magnitude >= kSmallestPlain) || places < 0 || !roundedScaled(x, places, scaled)
      || scaled < kSmallestSeven || scaled >= 10 * kSmallestSeven) {
    appendPrinted(out, rounded(shortestDecimal(x), kFloatDigits), kFloatDigits);
    return;
  }
  // Seven digits, the point after the first 7 - places of them (before
  // them and after places - 7 zeros when that is not positive), trailing
  // zeros of the fraction dropped.
  char digits[kFloatDigits];
  auto rest = static_cast<std::uint32_t>(scaled);
  for (int i = kFloatDigits - 1; i >= 0; --i) {
    digits[i] = static_cast<char>('0' + rest % 10);
    rest /= 10;
  }
  int count = kFloatDigits;
  const int pointPos = kFloatDigits - places;
  while (count > std::max(pointPos, 0) && digits[count - 1] == '0')
    --count;
  char buf[2 * kFloatDigits + 4];
  char* p = buf;
  *p++ = std::signbit(x) ? '-' : ' ';
  if (pointPos > 0) {
    p = std::copy(digits, digits + pointPos, p);
    if (count > pointPos)
      *p++ = '.';
    p = std::copy(digits + pointPos, digits + count, p);
  } else {
    *p++ = '.';
    p = std::fill_n(p, -pointPos, '0');
    p = std::copy(digits, digits + count, p);
  }
  *p++ = ' ';
  out.append(buf, static_cast<std::size_t>(p - buf));
}

void appendPrintForm(std::string& out, double x)
{
  appendPrinted(out, rounded(shortestDecimal(x), kDoubleDigits), kDoubleDigits);
}

std::string numberText(float x)
{
  return labelled(rounded(shortestDecimal(x), kFloatDigits), kFloatDigits);
}

std::string numberText(double x)
{
  return labelled(rounded(shortestDecimal(x), kDoubleDigits), kDoubleDigits);
}

void PrintLine::startItem()
{
  if (m_started) {
    // The next zone start that leaves at least one blank after the last item.
    const std::size_t start = (m_columns / kZoneWidth + 1) * kZoneWidth;
    m_line.append(start - m_columns, ' ');
    m_columns = start;
  }
  m_started = true;
}

PrintLine& PrintLine::text(std::string_view item)
{
  startItem();
  m_line += item;
  m_columns += columnCount(item);
  return *this;
}

} // namespace tarvek
