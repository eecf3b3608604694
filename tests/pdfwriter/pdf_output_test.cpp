#include "pdfwriter/md5.h"
#include "pdfwriter/pdf_font.h"
#include "pdfwriter/pdf_output.h"
#include "pdfwriter/pdf_page.h"
#include "pdfwriter/pdf_security.h"
#include "pdfwriter/pdf_tables.h"
#include "pdfwriter/pdf_test_support.h"
#include "pdfwriter/pdf_text.h"
#include "support/scratch_dir.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>

namespace quillet {
namespace {

using test::PdfBytes;
using test::writeDocument;

// Bytes the call appends to the document's buffer.
template <class Call>
std::string appended(PdfDocument* doc, Call call)
{
  std::size_t before = doc->end;
  call();
  return std::string(reinterpret_cast<const char*>(doc->buffer.get()) + before, doc->end - before);
}

class OutputTest : public ::testing::Test {
protected:
  void SetUp() override { doc = openDocument(dir.file("out.pdf").string(), 13, test::fixedOptions()); }
  void TearDown() override { freeDocument(doc); }

  tarvek::test::ScratchDir dir;
  PdfDocument* doc = nullptr;
};

// Every real reaches the file through here: rounding, trimming and the
// integer range must match, and no locale may change the decimal point.
TEST(FormatRealTest, roundsTrimsAndIgnoresLocale)
{
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  const struct {
    double x;
    const char* text;
  } cases[] = {
    {0.00001, "0"},     {-0.00001, "0"},      {-0.00004, "0"},     {595, "595"},
    {0.5, "0.5"},       {1.0 / 3, "0.3333"},  {2.0 / 3, "0.6667"}, {0.99996, "1"},
    {32767.99999, "32768"}, {40000.4, "40000"}, {-12.25, "-12.25"}, {nan, "0"},
    {inf, "0"},         {-inf, "0"},          {-0.0, "0"},         {1e20, "100000000000000000000"},
    {-40000.5, "-40001"}, {0.00005, "0.0001"}, {12.30001, "12.3"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(formatReal(c.x), c.text) << "x = " << c.x << " in locale " << std::setlocale(LC_ALL, nullptr);
}

TEST(FormatPdfTest, knowsOnlyItsConversions)
{
  const struct {
    const char* format;
    PdfArg arg;
    const char* text;
  } cases[] = {
    {"%010ld", 1234L, "0000001234"},
    {"%X", 255, "FF"},
    {"%d", -5, "-5"},
    {"%5d", 42, "   42"},
    {"a%%b", 0, "a%b"},
    {"[%q]", 1, "[]"},
    {"%lX", 0xABCDEF12345L, "ABCDEF12345"},
    {"%c", 'Z', "Z"},
    {"%s!", "name", "name!"},
    {"%f w", 0.25, "0.25 w"},
    {"%03d", -7, "-07"},
  };
  for (const auto& c : cases) {
    std::string out;
    formatPdf(out, c.format, std::span(&c.arg, 1));
    EXPECT_EQ(out, c.text) << "format " << c.format;
  }
  std::string out;
  formatPdf(out, "%d and %d", std::span<const PdfArg>());
  EXPECT_EQ(out, " and ") << "conversions without an argument are skipped";
}

TEST_F(OutputTest, literalStringsAndNamesEscapeOnlyWhatTheyMust)
{
  const struct {
    std::string bytes;
    std::string literal;
  } literals[] = {
    {"a(b)\\c", "(a\\(b\\)\\\\c)"},
    {"x\ny\rz", "(x\\ny\\rz)"},
    {"\xC5\t", "(\xC5\t)"},
    {"", "()"},
  };
  for (const auto& c : literals)
    EXPECT_EQ(appended(doc, [&] { writeLiteralString(doc, c.bytes.data(), c.bytes.size()); }), c.literal)
      << "literal of " << c.bytes;

  const struct {
    std::string bytes;
    std::string name;
  } names[] = {
    {"A B#", "A#20B#23"},
    {"F1", "F1"},
    {"()<>[]{}/%", "#28#29#3C#3E#5B#5D#7B#7D#2F#25"},
    {"\x7F\xFF~!", "#7F#FF~!"},
  };
  for (const auto& c : names)
    EXPECT_EQ(appended(doc, [&] { writeName(doc, c.bytes.data(), c.bytes.size()); }), c.name)
      << "name of " << c.bytes;
}

// The offsets table must keep earlier entries when it doubles, or the xref
// table of a large document points into nowhere.
TEST_F(OutputTest, offsetTableDoublesAndKeepsEveryOffset)
{
  std::vector<std::uint64_t> positions(2101, 0);
  for (int i = 4; i <= 2100; ++i) {
    positions[i] = currentPosition(doc);
    ASSERT_EQ(writeObjectHeader(doc, 0), i);
    writeString(doc, "endobj\n");
  }
  EXPECT_EQ(doc->offsets.capacity(), 4096u);
  for (int i = 4; i <= 2100; ++i)
    ASSERT_EQ(doc->offsets.at(i), static_cast<std::int64_t>(positions[i])) << "object " << i;
  EXPECT_EQ(doc->offsets.at(1), ObjectOffsetTable::kReserved);

  ObjectOffsetTable table;
  for (int n = 1; n <= 2047; ++n)
    table.reserve(n);
  EXPECT_EQ(table.capacity(), 2048u);
  table.set(2047, 99);
  table.reserve(2048);
  EXPECT_EQ(table.capacity(), 4096u);
  EXPECT_EQ(table.at(2047), 99);
  EXPECT_EQ(table.at(2048), ObjectOffsetTable::kReserved);
}

TEST_F(OutputTest, bufferDoublesAndKeepsItsBytes)
{
  std::string pattern;
  for (int i = 0; i < 3 * 65536; ++i)
    pattern += static_cast<char>('a' + i % 26);
  std::size_t before = doc->end;
  writeBytes(doc, pattern.data(), pattern.size());
  EXPECT_EQ(doc->bufferSize, 4u * 65536);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(doc->buffer.get()) + before, pattern.size()), pattern);
  EXPECT_EQ(currentPosition(doc), before + pattern.size());
}

TEST(OutputHeaderTest, startsWithVersionBinaryMarkAndPadding)
{
  const struct {
    int version;
    int level;
    std::string start;
  } cases[] = {
    {13, 6, std::string("%PDF-1.3\n%\xE4\xE3\xCF\xD2\n\0\0\0\0", 19)},
    {14, 6, std::string("%PDF-1.4\n%\xE4\xE3\xCF\xD2\n\0\0\0\0", 19)},
    {12, 6, std::string("%PDF-1.2\n%\xE4\xE3\xCF\xD2\n\0\0\0\0", 19)},
    {13, 0, std::string("%PDF-1.3\n%\xE4\xE3\xCF\xD2\n5 0 obj", 22)},
  };
  for (const auto& c : cases) {
    std::string bytes = writeDocument([](PdfDocument* doc) { beginPage(doc, 595, 842); }, c.level, c.version);
    EXPECT_EQ(bytes.substr(0, c.start.size()), c.start) << "version " << c.version << " level " << c.level;
  }
}

// Level 0 writes plain streams: no filter, nothing binary but the mark.
TEST(OutputStreamTest, uncompressedDocumentHasNoFilterAndNoZeros)
{
  PdfBytes pdf(writeDocument([](PdfDocument* doc) { beginPage(doc, 595, 842); }, 0));
  EXPECT_EQ(pdf.bytes().find("/Filter"), std::string::npos);
  EXPECT_EQ(pdf.bytes().find('\0'), std::string::npos);
  EXPECT_EQ(pdf.object(5), "5 0 obj\n<<\n/Length 6 0 R\n>>\nstream\nendstream\nendobj\n");
  EXPECT_EQ(pdf.object(6), "6 0 obj\n0\nendobj\n");

  PdfBytes separated(writeDocument([](PdfDocument* doc) {
    beginPage(doc, 595, 842);
    writeLineBreakIfUncompressed(doc);
  }, 0));
  EXPECT_EQ(separated.streamData(5), "\n");
  EXPECT_EQ(separated.object(6), "6 0 obj\n1\nendobj\n");
}

// The length object holds the byte count of the bare deflate stream; zlib's
// stream of no input is 78 9C 03 00 00 00 00 01.
TEST(OutputStreamTest, emptyContentStreamHasItsDeflateLength)
{
  PdfBytes pdf(writeDocument([](PdfDocument* doc) {
    beginPage(doc, 595, 842);
    writeLineBreakIfUncompressed(doc);
  }));
  EXPECT_EQ(pdf.object(5), "5 0 obj\n<<\n/Length 6 0 R\n/Filter /FlateDecode\n>>\nstream\n"
                             + std::string("\x78\x9C\x03\x00\x00\x00\x00\x01", 8) + "endstream\nendobj\n");
  EXPECT_EQ(pdf.object(6), "6 0 obj\n8\nendobj\n");
}

TEST(OutputStreamTest, largeContentInflatesBackExactly)
{
  std::string expected;
  PdfBytes pdf(writeDocument([&](PdfDocument* doc) {
    beginPage(doc, 595, 842);
    for (int i = 0; i < 20000; ++i) {
      pathMoveTo(doc, float(i % 500), float(i % 700) + 0.5f);
      pathLineTo(doc, 1, 2);
    }
  }));
  for (int i = 0; i < 20000; ++i)
    expected += formatReal(i % 500) + " " + formatReal(i % 700 + 0.5) + " m\n1 2 l\n";
  EXPECT_EQ(std::stoull(pdf.object(6).substr(8)), pdf.rawStreamData(5).size());
  EXPECT_EQ(pdf.streamData(5), expected);
}

TEST(TablesTest, pointerVectorAndBitSetGrowAndHoldValues)
{
  PointerVector v;
  std::vector<std::size_t> capacities;
  for (int i = 0; i < 5; ++i) {
    ASSERT_TRUE(v.push(i * 3));
    capacities.push_back(v.capacity());
  }
  EXPECT_EQ(capacities, (std::vector<std::size_t>{1, 2, 4, 4, 8}));
  EXPECT_EQ(v.count(), 5u);
  EXPECT_EQ(v[4], 12);
  v.clear();
  EXPECT_EQ(v.count(), 0u);
  EXPECT_EQ(v.capacity(), 0u);

  BitSet bits(13);
  bits.set(0);
  bits.set(12);
  bits.set(13);
  EXPECT_TRUE(bits.test(0));
  EXPECT_TRUE(bits.test(12));
  EXPECT_FALSE(bits.test(1));
  EXPECT_FALSE(bits.test(13)) << "bits past the end are never set";
}

// RFC 1321, appendix A.5.
TEST(Md5Test, matchesTheReferenceSuite)
{
  const struct {
    std::string text;
    const char* digest;
  } cases[] = {
    {"", "d41d8cd98f00b204e9800998ecf8427e"},
    {"abc", "900150983cd24fb0d6963f7d28e17f72"},
    {"message digest", "f96b697d7cb7938d525a2f31aaf161d0"},
    {"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789",
     "d174ab98d277d9f5a5611c2c9f419d9f"},
    {"12345678901234567890123456789012345678901234567890123456789012345678901234567890",
     "57edf4a22be3c955ac49da2e2107b67a"},
  };
  for (const auto& c : cases) {
    for (std::size_t piece : {std::size_t(1), std::size_t(7), std::size_t(64)}) {
      Md5 md5;
      for (std::size_t at = 0; at < c.text.size(); at += piece)
        md5.update(std::string_view(c.text).substr(at, piece));
      std::string hex;
      for (auto byte : md5.finish()) {
        const char* digits = "0123456789abcdef";
        hex += digits[byte >> 4];
        hex += digits[byte & 15];
      }
      EXPECT_EQ(hex, c.digest) << "\"" << c.text << "\" fed in pieces of " << piece;
    }
  }
}

TEST(NullDocumentTest, everyOperationIgnoresANullDocument)
{
  writeBytes(nullptr, "x", 1);
  printPdf(nullptr, "%d", 1);
  writeName(nullptr, "x", 1);
  writeLiteralString(nullptr, "x", 1);
  EXPECT_EQ(reserveObject(nullptr), 0);
  EXPECT_EQ(writeObjectHeader(nullptr, 0), 0);
  EXPECT_EQ(beginContentStream(nullptr), 0u);
  writeStreamEnd(nullptr);
  flushOutput(nullptr);
  beginPage(nullptr, 595, 842);
  pathMoveTo(nullptr, 1, 1);
  strokePath(nullptr);
  writePageObject(nullptr);
  writeHexString(nullptr, "x", 1);
  EXPECT_EQ(addFont(nullptr, "Arial", false), -1);
  EXPECT_EQ(selectFont(nullptr, 0, 12), -1);
  selectFontStyle(nullptr, true, -12);
  writeFontResources(nullptr);
  writeFonts(nullptr);
  setCharSpacing(nullptr, 1);
  setTextRotation(nullptr, 90);
  showTextAt(nullptr, "x", 0, 1, 1);
  showTextNextLine(nullptr, "x", 0);
  EXPECT_EQ(stringWidth(nullptr, "x", 1), 0);
  EXPECT_FALSE(setupEncryption(nullptr, 0, 16, "o", "u"));
  useObjectKey(nullptr, 1, 0);
  EXPECT_EQ(writeEncryptDict(nullptr), 0);
  EXPECT_FALSE(closeDocument(nullptr));
  freeDocument(nullptr);
}

} // namespace
} // namespace quillet
