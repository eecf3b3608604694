#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tarvek {

// The print form of a number, as the scene files and other data texts use
// it: a sign position (blank or "-"), the digits, one trailing blank. No zero
// before the point (" .5 "). Floats keep at most 7 significant digits,
// doubles 15, rounded half away from zero from the shortest decimal; plain
// notation from 1E-04 up to below 1E+07 (floats) or 1E+15 (doubles), else
// " 1.234568E-05 " (at least two exponent digits, mantissa zeros dropped).
// NaN and infinity throw RuntimeError: they would read back as 0.
std::string printForm(std::int16_t x);
std::string printForm(std::int32_t x);
std::string printForm(float x);
std::string printForm(double x);
// The same text appended to out.
void appendPrintForm(std::string& out, std::int32_t x);
void appendPrintForm(std::string& out, float x);
void appendPrintForm(std::string& out, double x);

// The same digits without the blanks and with a zero before the point
// ("0.5", "-2.25"), for labels and file names.
std::string numberText(float x);
std::string numberText(double x);

// A line of items in print zones 14 columns wide (starting at columns 1, 15,
// 29, ...). Each item after the first starts at the first zone start that
// leaves at least one blank after the previous item, so an item that ends in
// a zone's last column pushes the next one a zone further. Numbers go in
// their print form, texts as they are; columns count characters, not bytes.
// The line has no line end: the text file writer adds it.
class PrintLine {
public:
  PrintLine& operator<<(std::int16_t x) { return number(static_cast<std::int32_t>(x)); }
  PrintLine& operator<<(std::int32_t x) { return number(x); }
  PrintLine& operator<<(float x) { return number(x); }
  PrintLine& operator<<(double x) { return number(x); }
  PrintLine& operator<<(std::string_view s) { return text(s); }
  PrintLine& operator<<(const char* s) { return text(s); }

  PrintLine& text(std::string_view item);
  const std::string& str() const { return m_line; }

private:
  // Pads to the item's zone.
  void startItem();
  template <typename Number>
  PrintLine& number(Number x)
  {
    startItem();
    const std::size_t before = m_line.size();
    appendPrintForm(m_line, x);
    m_columns += m_line.size() - before; // a number is plain ASCII
    return *this;
  }

  std::string m_line;
  std::size_t m_columns = 0;
  bool m_started = false;
};

} // namespace tarvek
