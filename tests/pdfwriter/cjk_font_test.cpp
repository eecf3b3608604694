#include "pdfwriter/byte_view.h"
#include "pdfwriter/fixture_font_locator.h"
#include "pdfwriter/pdf_font.h"
#include "pdfwriter/pdf_page.h"
#include "pdfwriter/pdf_test_support.h"
#include "pdfwriter/pdf_text.h"
#include "pdfwriter/text_encoding.h"
#include "pdfwriter/truetype_font.h"
#include "pdfwriter/truetype_subset.h"

#include <gtest/gtest.h>

#include <map>
#include <sstream>

namespace quillet {
namespace {

using test::countOf;
using test::FixtureFontLocator;
using test::PdfBytes;
using test::writeDocument;

const char* const kChinese = "\xE4\xB8\xAD\xE6\x96\x87\xE5\xAD\x97";  // 中文字
const char* const kJapanese = "\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E"; // 日本語
const char* const kKorean = "\xED\x95\x9C\xEA\xB5\xAD\xEC\x96\xB4";   // 한국어

// Each CJK fixture under "Fixture CJK <suffix>", as its file names it.
std::shared_ptr<FixtureFontLocator> cjkFonts()
{
  auto fonts = std::make_shared<FixtureFontLocator>();
  for (const char* suffix : {"936", "950", "932", "949", "All", "Old"}) {
    std::string file = std::string("fixture-cjk-") + suffix + ".ttf";
    for (char& c : file)
      c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    fonts->addFile(std::string("Fixture CJK ") + suffix, test::cjkFixtureFontDir() / file);
  }
  fonts->addFile("Fixture Sans", test::fixtureFontDir() / "fixture-sans.ttf");
  if (std::filesystem::exists(test::kLiberationSans))
    fonts->addFile("Arial", test::kLiberationSans);
  return fonts;
}

OpenOptions withCjkFonts(int compressionLevel = 0)
{
  OpenOptions options = test::fixedOptions(compressionLevel);
  options.fontLocator = cjkFonts();
  return options;
}

std::string hexBytes(const std::string& bytes)
{
  static const char digits[] = "0123456789ABCDEF";
  std::string out;
  for (unsigned char b : bytes) {
    out += digits[b >> 4];
    out += digits[b & 15];
    out += ' ';
  }
  if (!out.empty())
    out.pop_back();
  return out;
}

// The dictionary of the file's /Type0 font named /F<id>, or of its only
// /Type0 font.
std::string typeZeroFont(const PdfBytes& pdf, int id = -1)
{
  const std::string wanted =
      id < 0 ? "/Subtype /Type0\n" : "/Subtype /Type0\n/Name /F" + std::to_string(id) + "\n";
  for (const auto& [n, offset] : pdf.offsets())
    if (pdf.object(n).find(wanted) != std::string::npos)
      return pdf.object(n);
  return {};
}

int descendantOf(const std::string& font)
{
  const std::size_t at = font.find("/DescendantFonts [");
  return at == std::string::npos ? -1 : std::atoi(font.c_str() + at + 18);
}

// Draws utf8 with the font at 24 points at (72, 100).
void drawWith(PdfDocument* doc, int font, const std::string& utf8, float x = 72)
{
  selectFont(doc, font, 24);
  const std::string bytes = selectedFontBytes(doc, utf8);
  showTextAt(doc, bytes.data(), bytes.size(), x, 100);
}

TEST(CjkFontTest, characterSetComesFromTheOs2CodePages)
{
  const auto fonts = cjkFonts();
  const std::pair<const char*, int> cases[] = {
      {"Fixture CJK 936", 134}, {"Fixture CJK 950", 136}, {"Fixture CJK 932", 128},
      {"Fixture CJK 949", 129}, {"Fixture CJK All", 134}, {"Fixture CJK Old", 0},
      {"Fixture Sans", 0},      {"Arial", 0},
  };
  for (const auto& [name, expected] : cases) {
    SystemFont font;
    if (std::string(name) == "Arial" && !test::requireFontFile(test::kLiberationSans, "fonts-liberation2"))
      continue;
    ASSERT_TRUE(loadSystemFont(*fonts, name, font)) << name;
    EXPECT_EQ(font.metrics.characterSet, expected) << name;
  }
}

TEST(CjkFontTest, codePagesAndUtf16Units)
{
  const struct {
    const char* text;
    int codePage;
    const char* bytes;
  } cases[] = {
      {kChinese, 936, "D6 D0 CE C4 D7 D6"},
      {kJapanese, 932, "93 FA 96 7B 8C EA"},
      {kKorean, 949, "C7 D1 B1 B9 BE EE"},
      {kChinese, 950, "A4 A4 A4 E5 A6 72"},
      {"\xE2\x82\xAC", 949, "A2 E6"},
      {"\xE0\xA4\x95", 949, "3F"},
      {"a\xFF" "b", 936, "61 3F 62"},
      {"A B", 932, "41 20 42"},
      {kChinese, 1252, ""},
  };
  for (const auto& c : cases)
    EXPECT_EQ(hexBytes(utf8ToCodePage(c.text, c.codePage)), c.bytes)
        << c.text << " in " << c.codePage;
  EXPECT_EQ(utf8ToUtf16Units(std::string(kChinese) + "A\xF0\x9F\x98\x80\xC3"),
            std::u16string(u"\u4E2D\u6587\u5B57A??"));
  EXPECT_TRUE(isLeadByte(932, 0x81) && isLeadByte(932, 0xFC) && !isLeadByte(932, 0xA0));
  EXPECT_TRUE(isLeadByte(949, 0xA0) && !isLeadByte(949, 0xFF) && !isLeadByte(1252, 0x90));
}

TEST(CjkFontTest, typeZeroFontOverEachPredefinedCMap)
{
  const struct {
    const char* font;
    const char* text;
    const char* encoding;
    const char* charSet;
  } cases[] = {
      {"Fixture CJK 932", kJapanese, "/Encoding /90ms-RKSJ-H\n",
       "/WinCharSet 128/FontDescriptor"},
      {"Fixture CJK 949", kKorean, "/Encoding /KSCms-UHC-H\n", "/WinCharSet 129/FontDescriptor"},
      {"Fixture CJK 936", kChinese, "/Encoding /GBK-EUC-H\n", "/WinCharSet 134/FontDescriptor"},
      {"Fixture CJK 950", kChinese, "/Encoding /ETen-B5-H\n", "/WinCharSet 136/FontDescriptor"},
  };
  const std::map<std::string, std::string> systemInfo = {
      {"/WinCharSet 128", "/Ordering(Japan1)\n/Supplement 2\n"},
      {"/WinCharSet 129", "/Ordering(Korea1)\n/Supplement 1\n"},
      {"/WinCharSet 134", "/Ordering(GB1)\n/Supplement 2\n"},
      {"/WinCharSet 136", "/Ordering(CNS1)\n/Supplement 0\n"},
  };
  for (const auto& c : cases) {
    std::string expectedText;
    const PdfBytes pdf(writeDocument(
        [&](PdfDocument* doc) {
          const int font = addFont(doc, c.font, false);
          ASSERT_EQ(font, 0);
          beginPage(doc, 595, 842);
          drawWith(doc, font, c.text);
          expectedText = "(" + selectedFontBytes(doc, c.text) + ")Tj";
          writePageObject(doc);
        },
        withCjkFonts()));
    const std::string font = typeZeroFont(pdf);
    SCOPED_TRACE(c.font);
    EXPECT_NE(font.find("<<\n/Type /Font\n/Subtype /Type0\n/BaseFont /Fixture#20CJK#20"),
              std::string::npos)
        << font;
    EXPECT_NE(font.find(c.encoding), std::string::npos) << font;
    const std::string descendant = pdf.object(descendantOf(font));
    EXPECT_NE(descendant.find("/Subtype /CIDFontType2\n"), std::string::npos) << descendant;
    EXPECT_NE(descendant.find(c.charSet), std::string::npos) << descendant;
    EXPECT_NE(descendant.find("/Registry(Adobe)\n" +
                              systemInfo.at(std::string(c.charSet).substr(0, 15))),
              std::string::npos)
        << descendant;
    const std::string descriptor =
        pdf.object(int(PdfBytes::intEntry(descendant, "/FontDescriptor")));
    for (const char* line : {"/MissingWidth 500\n", "/Leading 141\n", "/MaxWidth 1000\n",
                             "/AvgWidth 500\n",
                             "/Style\n<< /Panose <000000000000000000000000> >>\n",
                             "/FirstChar 0\n/LastChar 255\n/Widths [\n"})
      EXPECT_NE(descriptor.find(line), std::string::npos) << line << " in\n" << descriptor;
    const std::size_t widths = descriptor.find("/Widths [\n");
    std::istringstream numbers(descriptor.substr(widths + 10));
    int count = 0;
    for (int w; numbers >> w;)
      ++count;
    EXPECT_EQ(count, 256);
    EXPECT_NE(pdf.pageContents().find(expectedText), std::string::npos) << pdf.pageContents();
  }
}

TEST(CjkFontTest, embeddedTextNumbersCharactersAtFirstUse)
{
  std::vector<std::uint16_t> used, boldUsed;
  const PdfBytes pdf(writeDocument(
      [&](PdfDocument* doc) {
        const int font = addFont(doc, "Fixture CJK 936", true);
        beginPage(doc, 595, 842);
        selectFont(doc, font, 24);
        // Measuring records nothing.
        const std::string measured = selectedFontBytes(doc, kJapanese);
        EXPECT_DOUBLE_EQ(stringWidth(doc, measured.data(), measured.size()), 72);
        drawWith(doc, font, "\xE4\xB8\xAD\xE6\x96\x87\xE4\xB8\xAD"); // 中文中
        drawWith(doc, font, "\xE5\xAD\x97");                         // 字
        selectFontStyle(doc, true, 0);
        const std::string bold = selectedFontBytes(doc, "\xE5\xAD\x97");
        showTextAt(doc, bold.data(), bold.size(), 72, 50);
        used = doc->fonts[0].usedCharacters;
        boldUsed = doc->fonts[1].usedCharacters;
        writePageObject(doc);
      },
      withCjkFonts()));
  EXPECT_EQ(used, (std::vector<std::uint16_t>{0x4E2D, 0x6587, 0x5B57}));
  EXPECT_EQ(boldUsed, (std::vector<std::uint16_t>{0x5B57}));
  const std::string content = pdf.pageContents();
  EXPECT_NE(content.find(std::string("(\0\1\0\2\0\1)Tj", 10)), std::string::npos);
  EXPECT_NE(content.find(std::string("(\0\3)Tj", 6)), std::string::npos);
  const std::size_t boldText = content.find("/F1 24 Tf\n1 0 0 1 72 50 Tm ");
  ASSERT_NE(boldText, std::string::npos) << content;
  EXPECT_EQ(content.find(std::string("(\0\1)Tj", 6), boldText),
            content.find(")Tj", boldText) - 3);

  const std::string font = typeZeroFont(pdf, 0);
  for (const char* line : {"/Subtype /Type0\n/Name /F0\n/BaseFont /AAAAAA+Fixture#20CJK#20936\n",
                           "/Encoding /Identity-H\n"})
    EXPECT_NE(font.find(line), std::string::npos) << line << " in\n" << font;
  const std::string descendant = pdf.object(descendantOf(font));
  EXPECT_NE(descendant.find("/Ordering (Identity)\n/Supplement 0\n>>\n/DW 1000\n"),
            std::string::npos)
      << descendant;
  const std::string descriptor = pdf.object(int(PdfBytes::intEntry(descendant, "/FontDescriptor")));
  EXPECT_NE(descriptor.find("/FontName /AAAAAA+Fixture#20CJK#20936\n/Flags 4\n"),
            std::string::npos)
      << descriptor;
  const std::string toUnicode = pdf.streamData(int(PdfBytes::intEntry(font, "/ToUnicode")));
  for (const char* line : {"/Registry /AAAAAA+Fixture#20CJK#20936\n/Ordering (Zeon1)\n",
                           "3 beginbfrange\n<0001> <0001> <4E2D>\n<0002> <0002> <6587>\n"
                           "<0003> <0003> <5B57>\nendbfrange\n"})
    EXPECT_NE(toUnicode.find(line), std::string::npos) << line << " in\n" << toUnicode;

  // The bold variant is a font of its own with a subset of its own.
  const std::string boldFont = typeZeroFont(pdf, 1);
  EXPECT_NE(boldFont.find("/BaseFont /AAAAAB+Fixture#20CJK#20936\n"), std::string::npos)
      << boldFont;
  const std::string boldMap = pdf.streamData(int(PdfBytes::intEntry(boldFont, "/ToUnicode")));
  EXPECT_NE(boldMap.find("1 beginbfrange\n<0001> <0001> <5B57>\n"), std::string::npos) << boldMap;
}

TEST(CjkFontTest, widthsCountCharactersAsOneEm)
{
  std::string content;
  double plain = 0, embedded = 0;
  const PdfBytes pdf(writeDocument(
      [&](PdfDocument* doc) {
        const int gb = addFont(doc, "Fixture CJK 932", false);
        const int subset = addFont(doc, "Fixture CJK 949", true);
        beginPage(doc, 595, 842);
        selectFont(doc, gb, 24);
        const std::string mixed = selectedFontBytes(doc, std::string(kJapanese) + " AB");
        plain = stringWidth(doc, mixed.data(), mixed.size());
        selectFont(doc, subset, 24);
        const std::string units = selectedFontBytes(doc, kKorean);
        embedded = stringWidth(doc, units.data(), units.size());
        setUnderline(doc, true);
        showTextAt(doc, units.data(), units.size(), 72, 100);
        writePageObject(doc);
      },
      withCjkFonts()));
  EXPECT_DOUBLE_EQ(plain, 144);
  EXPECT_DOUBLE_EQ(embedded, 72);
  // The underline runs from 72 to 144 at 1/10 em below the baseline.
  EXPECT_NE(pdf.pageContents().find("72 97.6 m\n144 97.6 l\n"), std::string::npos)
      << pdf.pageContents();
}

// The font as a reader sees it: table directory and tables by tag.
struct SfntTables {
  std::vector<std::string> order;
  std::map<std::string, ByteView> tables;
  std::map<std::string, std::uint32_t> offsets;
  ByteView file;
};

SfntTables readSfnt(const std::vector<std::uint8_t>& bytes)
{
  SfntTables out;
  out.file = ByteView(bytes);
  for (std::size_t n = 0; n < out.file.u16(4); ++n) {
    const std::size_t at = 12 + 16 * n;
    const std::uint32_t tag = out.file.u32(at);
    const std::string name = {char(tag >> 24), char(tag >> 16 & 0xFF), char(tag >> 8 & 0xFF),
                              char(tag & 0xFF)};
    out.order.push_back(name);
    out.offsets[name] = out.file.u32(at + 8);
    out.tables[name] = out.file.sub(out.file.u32(at + 8), out.file.u32(at + 12));
  }
  return out;
}

struct FixtureFont {
  std::vector<std::uint8_t> bytes;
  TrueTypeData data;
};

FixtureFont fixtureFont(const char* name)
{
  FixtureFont font;
  const std::string bytes = tarvek::test::readBytes(test::cjkFixtureFontDir() / name);
  font.bytes.assign(bytes.begin(), bytes.end());
  parseTrueTypeTables(font.bytes, font.data);
  return font;
}

// Glyph order of the fixtures: .notdef space A B stroke wen zi zhong ...
constexpr std::uint16_t kStroke = 4, kWen = 5, kZi = 6, kZhong = 7;
const std::vector<std::uint16_t> kChineseUnits = {0x4E2D, 0x6587, 0x5B57};

TEST(CjkFontTest, subsetHoldsTheUsedGlyphsAndTheirComponents)
{
  const FixtureFont font = fixtureFont("fixture-cjk-936.ttf");
  EXPECT_EQ(glyphIndexFromSystem(font.bytes, 0x5B57), kZi);
  EXPECT_EQ(glyphIndexFromSystem(font.bytes, 0x4E2D), kZhong);
  EXPECT_EQ(glyphIndexFromSystem(font.bytes, 0x4E00), 0);
  const std::vector<std::uint8_t> subset = buildSubsetFont(font.bytes, font.data, kChineseUnits);
  const SfntTables sfnt = readSfnt(subset);
  const ByteView file = sfnt.file;
  EXPECT_EQ(file.u32(0), 0x00010000u);
  EXPECT_EQ(file.u16(4), 12);
  EXPECT_EQ(file.u16(6), 128);
  EXPECT_EQ(file.u16(8), 3);
  EXPECT_EQ(file.u16(10), 64);
  EXPECT_EQ(sfnt.order, (std::vector<std::string>{"head", "hhea", "maxp", "fpgm", "cvt ", "prep",
                                                  "post", "loca", "hmtx", "cmap", "name",
                                                  "glyf"}));
  EXPECT_EQ(sfnt.offsets.at("head"), 204u);
  EXPECT_EQ(sfnt.tables.at("head").size(), 54u);
  // Every table's checksum, and the whole file's through the adjustment.
  std::uint32_t total = 0;
  for (std::size_t i = 0; i + 3 < subset.size(); i += 4)
    total += file.u32(i);
  EXPECT_EQ(total, 0xB1B0AFBAu);
  for (std::size_t n = 0; n < 12; ++n) {
    const std::uint32_t offset = file.u32(12 + 16 * n + 8);
    const std::uint32_t length = (file.u32(12 + 16 * n + 12) + 3) & ~3u;
    std::uint32_t sum = 0;
    for (std::uint32_t i = 0; i < length; i += 4)
      sum += n == 0 && i == 8 ? 0 : file.u32(offset + i);
    EXPECT_EQ(file.u32(12 + 16 * n + 4), sum) << sfnt.order[n];
  }

  // .notdef, 中, 文, 字, then the stroke both composites use.
  constexpr std::uint16_t glyphs = 5;
  EXPECT_EQ(sfnt.tables.at("maxp").u16(4), glyphs);
  EXPECT_EQ(sfnt.tables.at("hhea").u16(34), glyphs);
  EXPECT_EQ(sfnt.tables.at("head").s16(50), 1);
  EXPECT_EQ(sfnt.tables.at("post").u32(0), 0x00030000u);
  EXPECT_EQ(sfnt.tables.at("loca").size(), 4u * (glyphs + 1));
  EXPECT_EQ(sfnt.tables.at("hmtx").size(), 4u * glyphs);
  const ByteView cmap = sfnt.tables.at("cmap");
  EXPECT_EQ(cmap.u16(2), 1);
  EXPECT_EQ(cmap.u16(4), 1);
  EXPECT_EQ(cmap.u16(6), 0);
  EXPECT_EQ(cmap.u16(12), 6);
  EXPECT_EQ(cmap.u16(18), 0);
  EXPECT_EQ(cmap.u16(20), 4);
  for (std::uint16_t code = 0; code < 4; ++code)
    EXPECT_EQ(cmap.u16(22 + 2 * code), code);

  const ByteView loca = sfnt.tables.at("loca");
  const ByteView glyf = sfnt.tables.at("glyf");
  auto glyph = [&](int i) { return glyf.sub(loca.u32(4 * i), loca.u32(4 * i + 4) - loca.u32(4 * i)); };
  const ByteView systemGlyf = ByteView(font.bytes).sub(
      std::find_if(font.data.directory.begin(), font.data.directory.end(),
                   [](const TableDirectoryEntry& e) { return e.tag == makeTag("glyf"); })
          ->offset,
      font.data.loca.back());
  auto systemGlyph = [&](int g) {
    return systemGlyf.sub(font.data.loca[g], font.data.loca[g + 1] - font.data.loca[g]);
  };
  auto same = [](ByteView a, ByteView b) {
    return std::equal(a.bytes().begin(), a.bytes().end(), b.bytes().begin(), b.bytes().end());
  };
  EXPECT_TRUE(same(glyph(0), systemGlyph(0)));
  EXPECT_TRUE(same(glyph(1), systemGlyph(kZhong)));
  EXPECT_TRUE(same(glyph(4), systemGlyph(kStroke)));
  // 字 = 文 (glyph 2) + stroke (glyph 4); 文 = stroke + stroke.
  EXPECT_EQ(glyph(3).u16(12), 2);
  EXPECT_EQ(glyph(2).u16(12), 4);
  EXPECT_EQ(glyph(3).size(), systemGlyph(kZi).size());
  const auto flags = glyph(3).u16(10);
  const std::size_t second = 10 + 4 + ((flags & 1) ? 4 : 2);
  EXPECT_EQ(glyph(3).u16(second + 2), 4);
}

// Malformed glyph data empties the glyph concerned, nothing else.
TEST(CjkFontTest, malformedGlyphsBecomeEmpty)
{
  const FixtureFont original = fixtureFont("fixture-cjk-936.ttf");
  const std::uint32_t glyfAt =
      std::find_if(original.data.directory.begin(), original.data.directory.end(),
                   [](const TableDirectoryEntry& e) { return e.tag == makeTag("glyf"); })
          ->offset;
  const std::size_t ziComponent = glyfAt + original.data.loca[kZi] + 12;
  const std::size_t wenComponent = glyfAt + original.data.loca[kWen] + 12;
  auto withBytes = [&](std::size_t at, std::uint16_t value) {
    FixtureFont font = original;
    font.bytes[at] = std::uint8_t(value >> 8);
    font.bytes[at + 1] = std::uint8_t(value);
    return font;
  };
  struct Case {
    const char* name;
    FixtureFont font;
    std::vector<int> emptied; // subset glyphs
  };
  std::vector<Case> cases;
  FixtureFont pastTable = original;
  pastTable.data.loca[kZhong + 1] = 0x7FFFFFFF;
  cases.push_back({"loca past glyf", pastTable, {1}});
  FixtureFont backwards = original;
  std::swap(backwards.data.loca[kZhong], backwards.data.loca[kZhong + 1]);
  cases.push_back({"loca going back", backwards, {1}});
  cases.push_back({"component past the font", withBytes(ziComponent, 0xFFF0), {3}});
  cases.push_back({"composite naming itself", withBytes(ziComponent, kZi), {3}});
  // 文 names 字, which names 文: both composites are refused.
  cases.push_back({"composites naming each other", withBytes(wenComponent, kZi), {2, 3}});
  for (const Case& c : cases) {
    const std::vector<std::uint8_t> subset = buildSubsetFont(c.font.bytes, c.font.data,
                                                             kChineseUnits);
    const SfntTables sfnt = readSfnt(subset);
    const ByteView loca = sfnt.tables.at("loca");
    const std::uint16_t count = sfnt.tables.at("maxp").u16(4);
    for (int i = 0; i < count; ++i) {
      const bool empty = loca.u32(4 * i) == loca.u32(4 * i + 4);
      const bool expected =
          std::find(c.emptied.begin(), c.emptied.end(), i) != c.emptied.end();
      EXPECT_EQ(empty, expected) << c.name << ": glyph " << i;
    }
  }
  // A font without glyf, loca or hmtx still gives a well-formed subset.
  FixtureFont bare = original;
  bare.data.loca.clear();
  bare.data.hMetrics.clear();
  const std::vector<std::uint8_t> subset = buildSubsetFont(bare.bytes, bare.data, kChineseUnits);
  const SfntTables sfnt = readSfnt(subset);
  EXPECT_EQ(sfnt.tables.at("glyf").size(), 0u);
  EXPECT_EQ(sfnt.tables.at("hmtx").u16(0), 0);
}

} // namespace
} // namespace quillet
