#include "pdfwriter/pdf_test_support.h"

#include "pdfwriter/md5.h"
#include "pdfwriter/pdf_output.h"
#include "pdfwriter/truetype_font.h"
#include "pdfwriter/rc4.h"
#include "support/scratch_dir.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <algorithm>
#include <cstdlib>
#include <sstream>
#include <stdexcept>

namespace quillet::test {

OpenOptions fixedOptions(int compressionLevel, std::uint64_t nonce)
{
  OpenOptions options;
  options.compressionLevel = compressionLevel;
  options.localTime = [] {
    std::tm t{};
    t.tm_year = 2026 - 1900;
    t.tm_mon = 11;
    t.tm_mday = 10;
    t.tm_hour = 12;
    return t;
  };
  options.idSeed = OpenOptions::IdSeed{nonce, 7};
  return options;
}

PdfBytes::PdfBytes(std::string bytes) : m_bytes(std::move(bytes))
{
  auto start = m_bytes.rfind("startxref\n");
  if (start == std::string::npos)
    return;
  std::size_t xref = std::strtoull(m_bytes.c_str() + start + 10, nullptr, 10);
  if (m_bytes.compare(xref, 5, "xref\n") != 0)
    return;
  std::istringstream in(m_bytes.substr(xref + 5));
  int first = 0;
  in >> first >> m_size;
  in.get();
  std::string line(20, '\0');
  for (int n = 0; n < m_size && in.read(line.data(), 20); ++n)
    if (n > 0)
      m_offsets[n] = std::strtoll(line.c_str(), nullptr, 10);
}

std::string PdfBytes::object(int n) const
{
  auto it = m_offsets.find(n);
  if (it == m_offsets.end())
    return {};
  std::int64_t end = static_cast<std::int64_t>(m_bytes.rfind("\nxref\n") + 1);
  for (const auto& [other, offset] : m_offsets)
    if (offset > it->second && offset < end)
      end = offset;
  return m_bytes.substr(it->second, end - it->second);
}

std::string PdfBytes::rawStreamData(int n) const
{
  std::string text = object(n);
  auto begin = text.find("stream\n");
  auto end = text.rfind("endstream\nendobj\n");
  if (begin == std::string::npos || end == std::string::npos)
    return {};
  return text.substr(begin + 7, end - begin - 7);
}

std::string PdfBytes::streamData(int n) const
{
  std::string data = rawStreamData(n);
  return object(n).find("/FlateDecode") != std::string::npos ? inflate(data) : data;
}

std::vector<int> PdfBytes::contentsOf(int page) const
{
  std::string text = object(page);
  std::vector<int> numbers;
  auto at = text.find("/Contents [");
  if (at == std::string::npos)
    return numbers;
  std::istringstream in(text.substr(at + 11, text.find(']', at) - at - 11));
  int n, generation;
  std::string r;
  while (in >> n >> generation >> r)
    numbers.push_back(n);
  return numbers;
}

std::vector<int> PdfBytes::pageObjects() const
{
  std::vector<std::pair<std::int64_t, int>> byOffset;
  for (const auto& [n, offset] : m_offsets)
    if (object(n).find("/Type /Page\n") != std::string::npos)
      byOffset.emplace_back(offset, n);
  std::sort(byOffset.begin(), byOffset.end());
  std::vector<int> pages;
  for (const auto& entry : byOffset)
    pages.push_back(entry.second);
  return pages;
}

std::string PdfBytes::pageContents() const
{
  std::string all;
  for (int page : pageObjects())
    for (int stream : contentsOf(page))
      all += streamData(stream);
  return all;
}

long long PdfBytes::intEntry(const std::string& objectText, const std::string& key)
{
  auto at = objectText.find(key + " ");
  if (at == std::string::npos)
    return -1;
  return std::strtoll(objectText.c_str() + at + key.size() + 1, nullptr, 10);
}

std::string inflate(const std::string& data)
{
  z_stream z{};
  if (inflateInit(&z) != Z_OK)
    throw std::runtime_error("inflateInit");
  z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
  z.avail_in = static_cast<uInt>(data.size());
  std::string out;
  char chunk[16384];
  int status;
  do {
    z.next_out = reinterpret_cast<Bytef*>(chunk);
    z.avail_out = sizeof chunk;
    status = ::inflate(&z, Z_NO_FLUSH);
    out.append(chunk, sizeof chunk - z.avail_out);
  } while (status == Z_OK);
  inflateEnd(&z);
  if (status != Z_STREAM_END)
    throw std::runtime_error("stream does not inflate");
  return out;
}

std::string writeDocument(const std::function<void(PdfDocument*)>& body, int compressionLevel,
                          int version)
{
  return writeDocument(body, fixedOptions(compressionLevel), version);
}

std::string writeDocument(const std::function<void(PdfDocument*)>& body,
                          const OpenOptions& options, int version)
{
  tarvek::test::ScratchDir dir;
  auto path = dir.file("doc.pdf");
  PdfDocument* doc = openDocument(path.string(), version, options);
  EXPECT_NE(doc, nullptr);
  body(doc);
  // A document without a page leaves no file.
  const bool written = closeDocument(doc);
  EXPECT_EQ(written, doc->pageCount > 0);
  freeDocument(doc);
  return tarvek::test::readBytes(path);
}

int addFontRecord(PdfDocument* doc, int kind, const std::string& name, int cidOrdering,
                  const std::string& cmapName)
{
  FontRecord record;
  record.kind = kind;
  record.name = name;
  record.flags = kNonsymbolic;
  record.cidOrdering = cidOrdering;
  record.cmapName = cmapName;
  for (int code = 0; code < 256; ++code)
    record.widths[std::size_t(code)] = 500 + code;
  record.objectNumber = reserveObject(doc);
  doc->fonts.push_back(record);
  return static_cast<int>(doc->fonts.size() - 1);
}

std::vector<unsigned char> gradientPixels(int w, int h)
{
  std::vector<unsigned char> pixels(std::size_t(w) * h * 3);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      unsigned char* p = &pixels[(std::size_t(y) * w + x) * 3];
      p[0] = static_cast<unsigned char>(255 * x / std::max(1, w - 1));
      p[1] = static_cast<unsigned char>(255 * y / std::max(1, h - 1));
      p[2] = static_cast<unsigned char>(128 + 64 * (x + y) / std::max(1, w + h - 2));
    }
  return pixels;
}

std::vector<unsigned char> halvesPixels(int w, int h)
{
  std::vector<unsigned char> pixels(std::size_t(w) * h * 3);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      unsigned char* p = &pixels[(std::size_t(y) * w + x) * 3];
      bool left = x < w / 2;
      p[0] = left ? 255 : 0;
      p[1] = 0;
      p[2] = left ? 0 : 255;
    }
  return pixels;
}

int countOf(const std::string& haystack, const std::string& needle)
{
  int count = 0;
  for (auto at = haystack.find(needle); at != std::string::npos;
       at = haystack.find(needle, at + needle.size()))
    ++count;
  return count;
}

std::string hexOf(const std::uint8_t* bytes, std::size_t count)
{
  static const char digits[] = "0123456789abcdef";
  std::string out;
  for (std::size_t i = 0; i < count; ++i) {
    out += digits[bytes[i] >> 4];
    out += digits[bytes[i] & 15];
  }
  return out;
}

std::string Decrypter::operator()(int object, std::string data) const
{
  Md5 md5;
  md5.update(key.data(), key.size());
  const std::uint8_t suffix[5] = {std::uint8_t(object), std::uint8_t(object >> 8),
                                  std::uint8_t(object >> 16), 0, 0};
  md5.update(suffix, sizeof suffix);
  const auto digest = md5.finish();
  Rc4 rc4;
  rc4.setKey(digest);
  auto* bytes = reinterpret_cast<std::uint8_t*>(data.data());
  rc4.process({bytes, data.size()}, bytes);
  return data;
}

std::string withoutStreamData(const std::string& bytes)
{
  std::string out;
  std::size_t at = 0;
  for (;;) {
    std::size_t start = bytes.find("stream\n", at);
    std::size_t end = start == std::string::npos ? start : bytes.find("endstream", start);
    if (end == std::string::npos)
      return out + bytes.substr(at);
    out += bytes.substr(at, start + 7 - at);
    at = end;
  }
}

std::string fromHexText(const std::string& text)
{
  std::string out;
  for (std::size_t i = 0; i + 1 < text.size(); i += 2)
    out += static_cast<char>(std::stoi(text.substr(i, 2), nullptr, 16));
  return out;
}

} // namespace quillet::test
