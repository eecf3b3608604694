#include "runtime/print_form.h"

#include "runtime/decimal_digits.h"

#include <charconv>

namespace tarvek {

namespace {

constexpr std::size_t kZoneWidth = 14;

// Significant digits and the largest count of integer digits written in
// plain notation: floats 7 (below 1E+07), doubles 15 (below 1E+15).
constexpr int kFloatDigits = 7;
constexpr int kDoubleDigits = 15;
// Plain notation reaches down to 1E-04, whose point position is -3.
constexpr int kSmallestPlainPoint = -3;

// Appends the digits of a rounded decimal without sign: plain or exponent
// notation, trailing zeros of the fraction dropped.
void appendUnsigned(std::string& out, const DecimalDigits& d, int maxPlainPoint, bool zeroBeforePoint)
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
  appendPrinted(out, rounded(shortestDecimal(x), kFloatDigits), kFloatDigits);
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
