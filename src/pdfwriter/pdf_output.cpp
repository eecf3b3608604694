#include "pdfwriter/pdf_output.h"

#include "pdfwriter/pdf_security.h"

#include <zlib.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>

namespace quillet {

struct FlateStream {
  z_stream z{};
};

void FlateStreamDeleter::operator()(FlateStream* stream) const
{
  // Harmless on a stream that was never started or already ended.
  deflateEnd(&stream->z);
  delete stream;
}

namespace {

// Digits of a non-negative whole number held in a double, any size.
void appendWhole(std::string& out, double whole)
{
  char digits[400];
  auto result = std::to_chars(digits, digits + sizeof digits, whole, std::chars_format::fixed, 0);
  out.append(digits, result.ptr);
}

void appendPadded(std::string& out, std::string_view digits, bool negative, bool zeroFill,
                  std::size_t width)
{
  std::size_t length = digits.size() + (negative ? 1 : 0);
  std::size_t pad = width > length ? width - length : 0;
  if (!zeroFill)
    out.append(pad, ' ');
  if (negative)
    out += '-';
  if (zeroFill)
    out.append(pad, '0');
  out += digits;
}

// Offers deflate the free end of the buffer.
void offerSpace(PdfDocument* doc)
{
  std::size_t space = doc->bufferSize - doc->end;
  doc->flate->z.next_out = doc->buffer.get() + doc->end;
  doc->flate->z.avail_out = static_cast<uInt>(std::min<std::size_t>(space, 0xFFFFFFFFu));
}

// Encryption follows compression: the produced bytes are sealed in place.
void takeProduced(PdfDocument* doc)
{
  const auto produced = static_cast<std::size_t>(doc->flate->z.next_out - doc->buffer.get());
  if (doc->security)
    encryptBytes(doc, doc->buffer.get() + doc->end, produced - doc->end,
                 doc->buffer.get() + doc->end);
  doc->end = produced;
}

} // namespace

bool fitsPdfNumber(double v)
{
  if (!std::isfinite(v) || std::fabs(v) > 4294967296.0)
    return false;
  return std::fabs(double(static_cast<float>(v))) <= 2147483647.0;
}

std::string formatReal(double x)
{
  constexpr double kScale = 10000.0;
  if (!std::isfinite(x) || std::fabs(x) < 0.000015)
    return "0";
  std::string out;
  bool negative = x < 0;
  if (negative)
    x = -x;
  if (x >= 32768) {
    if (negative)
      out += '-';
    appendWhole(out, std::floor(x + 0.5));
    return out;
  }
  double whole = std::floor(x);
  long long k = static_cast<long long>(std::floor((x - whole) * kScale + 0.5));
  if (k == static_cast<long long>(kScale)) {
    whole += 1;
    k = 0;
  }
  if (whole == 0 && k == 0)
    return "0";
  if (negative)
    out += '-';
  appendWhole(out, whole);
  if (k != 0) {
    char fraction[5] = {char('0' + k / 1000), char('0' + k / 100 % 10), char('0' + k / 10 % 10),
                        char('0' + k % 10), 0};
    std::size_t n = 4;
    while (fraction[n - 1] == '0')
      --n;
    out += '.';
    out.append(fraction, n);
  }
  return out;
}

void formatPdf(std::string& out, std::string_view format, std::span<const PdfArg> args)
{
  std::size_t next = 0;
  for (std::size_t i = 0; i < format.size(); ++i) {
    char ch = format[i];
    if (ch != '%' || i + 1 == format.size()) {
      out += ch;
      continue;
    }
    ++i;
    bool zeroFill = false;
    std::size_t width = 0;
    if (format[i] == '0') {
      zeroFill = true;
      ++i;
    }
    while (i < format.size() && format[i] >= '0' && format[i] <= '9')
      width = width * 10 + std::size_t(format[i++] - '0');
    bool isLong = false;
    if (i < format.size() && format[i] == 'l') {
      isLong = true;
      ++i;
    }
    if (i == format.size())
      break;
    char conversion = format[i];
    if (conversion == '%') {
      out += '%';
      continue;
    }
    if (conversion != 'd' && conversion != 'X' && conversion != 'c' && conversion != 's'
        && conversion != 'f')
      continue;
    if (next == args.size())
      continue;
    const PdfArg& arg = args[next++];
    long long integer = arg.integer;
    if (arg.kind == PdfArg::Kind::Real)
      integer = std::fabs(arg.real) < 9.2e18 ? static_cast<long long>(arg.real) : 0;
    char digits[32];
    switch (conversion) {
    case 'd': {
      unsigned long long magnitude = integer < 0 ? 0ull - static_cast<unsigned long long>(integer)
                                                 : static_cast<unsigned long long>(integer);
      auto r = std::to_chars(digits, digits + sizeof digits, magnitude);
      appendPadded(out, std::string_view(digits, r.ptr), integer < 0, zeroFill, width);
      break;
    }
    case 'X': {
      unsigned long long bits = isLong ? static_cast<unsigned long long>(integer)
                                       : static_cast<std::uint32_t>(integer);
      auto r = std::to_chars(digits, digits + sizeof digits, bits, 16);
      for (char* p = digits; p != r.ptr; ++p)
        if (*p >= 'a')
          *p = char(*p - 'a' + 'A');
      appendPadded(out, std::string_view(digits, r.ptr), false, zeroFill, width);
      break;
    }
    case 'c':
      out += static_cast<char>(integer);
      break;
    case 's':
      appendPadded(out, arg.text, false, false, width);
      break;
    case 'f':
      appendPadded(out, formatReal(arg.kind == PdfArg::Kind::Real ? arg.real : double(integer)),
                   false, false, width);
      break;
    }
  }
}

void ensureRoom(PdfDocument* doc, std::size_t count)
{
  if (!doc)
    return;
  // The buffer grows rather than flushing mid-page: an open Flate stream
  // cannot be flushed.
  while (doc->end + count > doc->bufferSize) {
    std::size_t grown = doc->bufferSize * 2;
    std::unique_ptr<unsigned char[]> bigger(new unsigned char[grown]);
    std::memcpy(bigger.get(), doc->buffer.get(), doc->end);
    doc->buffer = std::move(bigger);
    doc->bufferSize = grown;
  }
}

void writeBytes(PdfDocument* doc, const void* bytes, std::size_t count)
{
  if (!doc || doc->failed || count == 0)
    return;
  if (doc->inFlateStream) {
    z_stream& z = doc->flate->z;
    const auto* input = static_cast<const unsigned char*>(bytes);
    // zlib counts in 32 bits; larger writes go in pieces.
    constexpr std::size_t kPiece = std::size_t(1) << 30;
    while (count > 0) {
      std::size_t piece = count < kPiece ? count : kPiece;
      z.next_in = const_cast<Bytef*>(input);
      z.avail_in = static_cast<uInt>(piece);
      while (z.avail_in > 0) {
        if (doc->end == doc->bufferSize)
          ensureRoom(doc, z.avail_in / 4 + 16);
        offerSpace(doc);
        deflate(&z, Z_NO_FLUSH);
        takeProduced(doc);
      }
      input += piece;
      count -= piece;
    }
    return;
  }
  ensureRoom(doc, count);
  unsigned char* at = doc->buffer.get() + doc->end;
  if (doc->security && doc->encryptPlainBytes)
    encryptBytes(doc, static_cast<const std::uint8_t*>(bytes), count, at);
  else
    std::memcpy(at, bytes, count);
  doc->end += count;
}

void writeString(PdfDocument* doc, std::string_view text)
{
  writeBytes(doc, text.data(), text.size());
}

void writeChar(PdfDocument* doc, char c)
{
  writeBytes(doc, &c, 1);
}

std::int32_t reserveObject(PdfDocument* doc)
{
  if (!doc)
    return 0;
  ++doc->objectCount;
  doc->offsets.reserve(doc->objectCount);
  return doc->objectCount;
}

std::int32_t writeObjectHeader(PdfDocument* doc, std::int32_t n)
{
  if (!doc)
    return 0;
  if (n == 0)
    n = reserveObject(doc);
  doc->offsets.set(n, static_cast<std::int64_t>(currentPosition(doc)));
  printPdf(doc, "%ld 0 obj\n", n);
  return n;
}

std::uint64_t currentPosition(const PdfDocument* doc)
{
  return doc ? doc->flushed + doc->end : 0;
}

void writeLiteralString(PdfDocument* doc, const void* bytes, std::size_t count)
{
  if (!doc)
    return;
  std::string& out = doc->scratch;
  out.assign(1, '(');
  for (const auto* p = static_cast<const unsigned char*>(bytes); count > 0; ++p, --count) {
    switch (*p) {
    case '\n':
      out += "\\n";
      break;
    case '\r':
      out += "\\r";
      break;
    case '(':
    case ')':
    case '\\':
      out += '\\';
      out += static_cast<char>(*p);
      break;
    default:
      out += static_cast<char>(*p);
    }
  }
  out += ')';
  writeBytes(doc, out.data(), out.size());
}

void writeName(PdfDocument* doc, const void* bytes, std::size_t count)
{
  if (!doc)
    return;
  static constexpr char kHex[] = "0123456789ABCDEF";
  static constexpr std::string_view kDelimiters = "()<>[]{}/%#";
  std::string& out = doc->scratch;
  out.clear();
  for (const auto* p = static_cast<const unsigned char*>(bytes); count > 0; ++p, --count) {
    if (*p < 33 || *p > 126 || kDelimiters.find(static_cast<char>(*p)) != std::string_view::npos) {
      out += '#';
      out += kHex[*p >> 4];
      out += kHex[*p & 15];
    } else {
      out += static_cast<char>(*p);
    }
  }
  writeBytes(doc, out.data(), out.size());
}

void writeHexString(PdfDocument* doc, const void* bytes, std::size_t count)
{
  if (!doc)
    return;
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string& out = doc->scratch;
  out.assign(1, '<');
  for (const auto* p = static_cast<const unsigned char*>(bytes); count > 0; ++p, --count) {
    out += kHex[*p >> 4];
    out += kHex[*p & 15];
  }
  out += '>';
  writeBytes(doc, out.data(), out.size());
}

void writeLineBreakIfUncompressed(PdfDocument* doc)
{
  if (doc && doc->compressionLevel == 0)
    writeChar(doc, '\n');
}

void beginFlateStream(PdfDocument* doc, std::int32_t objectNumber, std::int32_t generation)
{
  if (!doc)
    return;
  doc->inFlateStream = false;
  if (doc->compressionLevel == 0)
    return;
  if (!doc->flate)
    doc->flate.reset(new FlateStream);
  doc->flate->z = z_stream{};
  if (deflateInit(&doc->flate->z, doc->compressionLevel) != Z_OK) {
    doc->failed = true;
    return;
  }
  doc->inFlateStream = true;
  if (doc->security)
    useObjectKey(doc, objectNumber, generation);
}

void endFlateStream(PdfDocument* doc)
{
  if (!doc)
    return;
  if (doc->inFlateStream) {
    z_stream& z = doc->flate->z;
    z.next_in = nullptr;
    z.avail_in = 0;
    int status;
    do {
      ensureRoom(doc, 128);
      offerSpace(doc);
      status = deflate(&z, Z_FINISH);
      takeProduced(doc);
    } while (status == Z_OK);
    deflateEnd(&z);
    z = z_stream{};
  }
  doc->inFlateStream = false;
}

std::uint64_t beginContentStream(PdfDocument* doc)
{
  if (!doc || doc->contentState != kNoContent)
    return 0;
  doc->contentStreams.push_back(writeObjectHeader(doc, 0));
  doc->contentState = kInStream;
  writeString(doc, "<<\n");
  doc->streamLengthObject = reserveObject(doc);
  printPdf(doc, "/Length %ld 0 R\n", doc->streamLengthObject);
  if (doc->compressionLevel != 0)
    writeString(doc, "/Filter /FlateDecode\n");
  writeString(doc, ">>\nstream\n");
  beginFlateStream(doc, doc->contentStreams.back(), 0);
  doc->streamStart = currentPosition(doc);
  return doc->streamStart;
}

void endText(PdfDocument* doc)
{
  if (doc && doc->contentState == kInText) {
    writeString(doc, "ET\n");
    doc->contentState = kInStream;
  }
}

void writeStreamEnd(PdfDocument* doc)
{
  if (!doc || doc->contentState == kNoContent)
    return;
  endText(doc);
  doc->contentState = kNoContent;
  endFlateStream(doc);
  std::uint64_t length = currentPosition(doc) - doc->streamStart;
  writeString(doc, "endstream\nendobj\n");
  writeObjectHeader(doc, doc->streamLengthObject);
  printPdf(doc, "%ld\nendobj\n", static_cast<long long>(length));
}

void writeStreamObject(PdfDocument* doc, std::int32_t n, std::string_view dictionary,
                       const void* data, std::size_t size)
{
  if (!doc)
    return;
  writeObjectHeader(doc, n);
  const std::int32_t length = reserveObject(doc);
  writeString(doc, "<<\n");
  writeString(doc, dictionary);
  printPdf(doc, "/Length %ld 0 R\n", length);
  const bool compress = doc->compressionLevel != 0;
  if (compress)
    writeString(doc, "/Filter /FlateDecode\n");
  writeString(doc, ">>\nstream\n");
  const std::uint64_t start = currentPosition(doc);
  if (compress) {
    beginFlateStream(doc, n, 0);
    writeBytes(doc, data, size);
    endFlateStream(doc);
  } else {
    if (doc->security)
      useObjectKey(doc, n, 0);
    doc->encryptPlainBytes = true;
    writeBytes(doc, data, size);
    doc->encryptPlainBytes = false;
  }
  const std::uint64_t streamLength = currentPosition(doc) - start;
  writeString(doc, "endstream\nendobj\n");
  writeObjectHeader(doc, length);
  printPdf(doc, "%ld\nendobj\n", static_cast<long long>(streamLength));
}

void flushOutput(PdfDocument* doc)
{
  if (!doc || !doc->output || doc->inFlateStream)
    return;
  if (!doc->failed && doc->end > 0) {
    std::size_t written = doc->output(*doc, doc->buffer.get(), doc->end);
    if (written != doc->end)
      doc->failed = true;
    doc->flushed += written;
  }
  doc->end = 0;
}

void writeHeader(PdfDocument* doc)
{
  if (!doc)
    return;
  writeString(doc, doc->version == 13   ? "%PDF-1.3\n"
                   : doc->version == 14 ? "%PDF-1.4\n"
                                        : "%PDF-1.2\n");
  static constexpr unsigned char kBinaryMark[] = {'%', 0xE4, 0xE3, 0xCF, 0xD2, '\n'};
  writeBytes(doc, kBinaryMark, sizeof kBinaryMark);
  if (doc->compressionLevel != 0) {
    static constexpr unsigned char kZeros[4] = {0, 0, 0, 0};
    writeBytes(doc, kZeros, sizeof kZeros);
  }
}

} // namespace quillet
