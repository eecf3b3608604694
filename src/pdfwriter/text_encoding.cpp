#include "pdfwriter/text_encoding.h"

#include <cstdint>
#include <optional>
#include <vector>

#include <iconv.h>

namespace quillet {

namespace {

constexpr char32_t kInvalid = 0xFFFFFFFF;

// Code points, kInvalid for each byte that does not start a well-formed
// sequence (overlong forms and surrogates included).
std::vector<char32_t> decodeUtf8(std::string_view text)
{
  std::vector<char32_t> out;
  std::size_t i = 0;
  while (i < text.size()) {
    const auto b = static_cast<unsigned char>(text[i]);
    int length = b < 0x80 ? 1 : (b >> 5) == 6 ? 2 : (b >> 4) == 14 ? 3 : (b >> 3) == 30 ? 4 : 0;
    char32_t c = length == 1 ? b : length == 2 ? (b & 0x1F) : length == 3 ? (b & 0x0F) : (b & 0x07);
    bool ok = length > 0 && i + length <= text.size();
    for (int k = 1; ok && k < length; ++k) {
      const auto next = static_cast<unsigned char>(text[i + k]);
      ok = (next & 0xC0) == 0x80;
      c = (c << 6) | (next & 0x3F);
    }
    const char32_t minimum[] = {0, 0, 0x80, 0x800, 0x10000};
    ok = ok && c >= minimum[length] && c <= 0x10FFFF && (c < 0xD800 || c > 0xDFFF);
    if (!ok) {
      out.push_back(kInvalid);
      ++i;
      continue;
    }
    out.push_back(c);
    i += length;
  }
  return out;
}

// The characters of code page 1252 at 0x80..0x9F; 0 where it has none.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

// PDFDocEncoding at 0x80..0xA0; 0 where it has none.
constexpr char16_t kPdfDocHigh[33] = {
    0x2022, 0x2020, 0x2021, 0x2026, 0x2014, 0x2013, 0x0192, 0x2044, 0x2039, 0x203A, 0x2212,
    0x2030, 0x201E, 0x201C, 0x201D, 0x2018, 0x2019, 0x201A, 0x2122, 0xFB01, 0xFB02, 0x0141,
    0x0152, 0x0160, 0x0178, 0x017D, 0x0131, 0x0142, 0x0153, 0x0161, 0x017E, 0,      0x20AC};

int cp1252Byte(char32_t c)
{
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
    return static_cast<int>(c);
  for (int i = 0; i < 32; ++i)
    if (kCp1252High[i] != 0 && kCp1252High[i] == c)
      return 0x80 + i;
  return -1;
}

int pdfDocByte(char32_t c)
{
  if (c == '\t' || c == '\n' || c == '\r' || (c >= 0x20 && c < 0x7F) ||
      (c >= 0xA1 && c <= 0xFF && c != 0xAD))
    return static_cast<int>(c);
  for (int i = 0; i < 33; ++i)
    if (kPdfDocHigh[i] != 0 && kPdfDocHigh[i] == c)
      return 0x80 + i;
  return -1;
}

} // namespace

std::string utf8ToCp1252(std::string_view text)
{
  std::string out;
  for (char32_t c : decodeUtf8(text)) {
    const int b = c == kInvalid ? -1 : cp1252Byte(c);
    out += b < 0 ? '?' : static_cast<char>(b);
  }
  return out;
}

int codePageOf(int characterSet)
{
  switch (characterSet) {
  case 128:
    return 932;
  case 129:
    return 949;
  case 134:
    return 936;
  case 136:
    return 950;
  default:
    return 0;
  }
}

bool isLeadByte(int codePage, unsigned char byte)
{
  if (codePage == 932)
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
  return (codePage == 936 || codePage == 949 || codePage == 950) && byte >= 0x81 && byte <= 0xFE;
}

std::string utf8ToCodePage(std::string_view text, int codePage)
{
  const char* name = codePage == 932   ? "CP932"
                     : codePage == 936 ? "CP936"
                     : codePage == 949 ? "CP949"
                     : codePage == 950 ? "CP950"
                                       : nullptr;
  if (!name)
    return {};
  const iconv_t converter = iconv_open(name, "UTF-32LE");
  if (converter == iconv_t(-1))
    return {};
  std::string out;
  // One character at a time, so that a character the code page lacks
  // becomes "?" and the rest still converts.
  for (char32_t c : decodeUtf8(text)) {
    char in[4] = {char(c & 0xFF), char(c >> 8 & 0xFF), char(c >> 16 & 0xFF), char(c >> 24)};
    char bytes[8];
    char* from = in;
    char* to = bytes;
    std::size_t inLeft = sizeof in, outLeft = sizeof bytes;
    if (c != kInvalid && iconv(converter, &from, &inLeft, &to, &outLeft) != std::size_t(-1) &&
        inLeft == 0)
      out.append(bytes, to);
    else
      out += '?';
    iconv(converter, nullptr, nullptr, nullptr, nullptr);
  }
  iconv_close(converter);
  return out;
}

std::u16string utf8ToUtf16Units(std::string_view text)
{
  std::u16string out;
  for (char32_t c : decodeUtf8(text))
    out += c == kInvalid || c > 0xFFFF ? u'?' : static_cast<char16_t>(c);
  return out;
}

std::optional<std::string> utf8ToPdfDocEncoding(std::string_view text)
{
  std::string single;
  for (char32_t c : decodeUtf8(text)) {
    const int b = c == kInvalid ? -1 : pdfDocByte(c);
    if (b < 0)
      return std::nullopt;
    single += static_cast<char>(b);
  }
  return single;
}

std::string utf8ToPdfText(std::string_view text)
{
  if (std::optional<std::string> single = utf8ToPdfDocEncoding(text))
    return *single;
  const std::vector<char32_t> chars = decodeUtf8(text);
  std::string wide = "\xFE\xFF";
  auto unit = [&wide](char32_t u) {
    wide += static_cast<char>(u >> 8);
    wide += static_cast<char>(u & 0xFF);
  };
  for (char32_t c : chars) {
    if (c == kInvalid)
      c = 0xFFFD;
    if (c >= 0x10000) {
      c -= 0x10000;
      unit(0xD800 + (c >> 10));
      unit(0xDC00 + (c & 0x3FF));
    } else {
      unit(c);
    }
  }
  return wide;
}

} // namespace quillet
