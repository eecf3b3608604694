#pragma once

#include "pdfwriter/pdf_document.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace quillet {

// The text of a real as the file receives it: at most four decimals, no
// trailing zeros, "." in every locale; values of 32768 and more as integers.
// Tiny values, NaN, infinities and -0 give "0".
std::string formatReal(double x);
// Whether v can be written as a number of a PDF 1.3 file: finite, and once
// rounded to the 32-bit real the writer keeps, within +-2147483647, since
// values of 32768 and more are written as integers.
bool fitsPdfNumber(double v);

// One argument of printPdf.
struct PdfArg {
  enum class Kind { Integer, Real, Text };
  Kind kind;
  long long integer = 0;
  double real = 0;
  std::string_view text;

  PdfArg(int v) : kind(Kind::Integer), integer(v) {}
  PdfArg(long v) : kind(Kind::Integer), integer(v) {}
  PdfArg(long long v) : kind(Kind::Integer), integer(v) {}
  PdfArg(unsigned v) : kind(Kind::Integer), integer(v) {}
  PdfArg(unsigned long v) : kind(Kind::Integer), integer(static_cast<long long>(v)) {}
  PdfArg(char v) : kind(Kind::Integer), integer(static_cast<unsigned char>(v)) {}
  PdfArg(float v) : kind(Kind::Real), real(v) {}
  PdfArg(double v) : kind(Kind::Real), real(v) {}
  PdfArg(const char* v) : kind(Kind::Text), text(v ? v : "") {}
  PdfArg(std::string_view v) : kind(Kind::Text), text(v) {}
  PdfArg(const std::string& v) : kind(Kind::Text), text(v) {}
};

// Appends `format` to `out` with these conversions only: %d %ld (decimal),
// %X %lX (uppercase hexadecimal), %c, %s, %f (formatReal) and %%; "0" and
// digits after "%" give zero fill and a minimum width. Other conversions and
// conversions without an argument are skipped.
void formatPdf(std::string& out, std::string_view format, std::span<const PdfArg> args);

void writeBytes(PdfDocument* doc, const void* bytes, std::size_t count);
void writeString(PdfDocument* doc, std::string_view text);
void writeChar(PdfDocument* doc, char c);

template <class... Args>
void printPdf(PdfDocument* doc, std::string_view format, const Args&... args)
{
  if (!doc)
    return;
  const std::array<PdfArg, sizeof...(Args)> list{PdfArg(args)...};
  doc->scratch.clear();
  formatPdf(doc->scratch, format, list);
  writeBytes(doc, doc->scratch.data(), doc->scratch.size());
}

// The next object number, marked reserved.
std::int32_t reserveObject(PdfDocument* doc);
// Records the current position as the offset of object n (reserving a new
// number when n is 0) and writes its header; returns n.
std::int32_t writeObjectHeader(PdfDocument* doc, std::int32_t n);
std::uint64_t currentPosition(const PdfDocument* doc);

// "(...)" escaping only line feed, carriage return, "(", ")" and "\".
void writeLiteralString(PdfDocument* doc, const void* bytes, std::size_t count);
// "<...>" with two uppercase hexadecimal digits per byte.
void writeHexString(PdfDocument* doc, const void* bytes, std::size_t count);
// Name characters outside 33..126 and delimiters become "#hh".
void writeName(PdfDocument* doc, const void* bytes, std::size_t count);
void writeLineBreakIfUncompressed(PdfDocument* doc);

// Under encryption the stream's bytes are sealed with the key of object n,
// generation g, after compression.
void beginFlateStream(PdfDocument* doc, std::int32_t n, std::int32_t g);
void endFlateStream(PdfDocument* doc);

// Opens a content stream of the page: returns the position where its data
// begins, or 0 when one is already open.
std::uint64_t beginContentStream(PdfDocument* doc);
// Ends an open text object, closes the content stream and writes its length
// object.
void writeStreamEnd(PdfDocument* doc);
// Writes "ET" when a text object is open.
void endText(PdfDocument* doc);

// Writes object n as a stream of `size` bytes: `dictionary` holds the
// entries before /Length (each ending in a line feed). Flate unless the
// document writes plain streams; under encryption sealed with n's key.
void writeStreamObject(PdfDocument* doc, std::int32_t n, std::string_view dictionary,
                       const void* data, std::size_t size);

void ensureRoom(PdfDocument* doc, std::size_t count);
// Hands the buffer to the output routine (never inside a Flate stream).
void flushOutput(PdfDocument* doc);
void writeHeader(PdfDocument* doc);

} // namespace quillet
