#include "pdfwriter/fixture_font_locator.h"
#include "pdfwriter/pdf_font.h"
#include "pdfwriter/pdf_output.h"
#include "pdfwriter/pdf_page.h"
#include "pdfwriter/pdf_security.h"
#include "pdfwriter/pdf_test_support.h"
#include "pdfwriter/pdf_type1_font.h"
#include "pdfwriter/truetype_font.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <regex>

namespace quillet {
namespace {

using test::addFontRecord;
using test::countOf;
using test::PdfBytes;

OpenOptions withFixtureSans()
{
  auto fonts = std::make_shared<test::FixtureFontLocator>();
  fonts->addFile("Fixture Sans", test::fixtureFontDir() / "fixture-sans.ttf");
  OpenOptions options = test::fixedOptions(0);
  options.fontLocator = fonts;
  return options;
}

// The object of font `id` as written.
std::string fontObject(const PdfBytes& pdf, std::int32_t objectNumber)
{
  return pdf.object(objectNumber);
}

TEST(Type1FontTest, standardNamesTakeTheShortForm)
{
  EXPECT_TRUE(isStandardFontName("Helvetica"));
  EXPECT_TRUE(isStandardFontName("ZapfDingbats"));
  EXPECT_FALSE(isStandardFontName("helvetica"));
  std::int32_t shortForm = 0, fullForm = 0, embedded = 0;
  const PdfBytes pdf(test::writeDocument(
      [&](PdfDocument* doc) {
        shortForm = doc->fonts[std::size_t(addFontRecord(doc, kType1Font, "Helvetica"))].objectNumber;
        fullForm = doc->fonts[std::size_t(addFontRecord(doc, kType1Font, "helvetica"))].objectNumber;
        const int id = addFontRecord(doc, kType1Font, "Courier");
        doc->fonts[std::size_t(id)].embed = true;
        embedded = doc->fonts[std::size_t(id)].objectNumber;
        beginPage(doc, 595, 842);
      },
      0));
  EXPECT_EQ(fontObject(pdf, shortForm),
            std::to_string(shortForm) +
                " 0 obj\n<<\n/Type /Font\n/Subtype /Type1\n/Encoding /WinAnsiEncoding\n"
                "/BaseFont /Helvetica\n>>\nendobj\n");
  for (std::int32_t n : {fullForm, embedded}) {
    const std::string font = fontObject(pdf, n);
    EXPECT_NE(font.find("/Subtype /Type1\n/FirstChar 0\n/LastChar 255\n/Widths [\n 500 501 "),
              std::string::npos)
        << font;
    const std::size_t widths = font.find("/Widths [\n") + 10;
    EXPECT_EQ(countOf(font.substr(widths, font.find("]\n") - widths), "\n"), 16) << font;
    const std::string descriptor = pdf.object(int(PdfBytes::intEntry(font, "/FontDescriptor")));
    EXPECT_NE(descriptor.find("/Type /FontDescriptor\n"), std::string::npos) << descriptor;
    EXPECT_EQ(descriptor.find("/FontFile"), std::string::npos) << descriptor;
  }
  EXPECT_NE(fontObject(pdf, fullForm).find("/BaseFont /helvetica\n"), std::string::npos);
  // No font program is written for an embedded Type 1 font.
  EXPECT_EQ(pdf.bytes().find("/Length1"), std::string::npos);
}

TEST(Type1FontTest, multipleMasterAndCidKeyedRecords)
{
  std::int32_t mm = 0, cid = 0;
  const PdfBytes pdf(test::writeDocument(
      [&](PdfDocument* doc) {
        mm = doc->fonts[std::size_t(addFontRecord(doc, kMultipleMasterFont, "Fixture MM"))]
                 .objectNumber;
        const int id = addFontRecord(doc, kCidType0Font, "HeiseiMin-W3", 2, "UniJIS-UCS2-H");
        doc->fonts[std::size_t(id)].flags |= kForceBold;
        cid = doc->fonts[std::size_t(id)].objectNumber;
        beginPage(doc, 595, 842);
      },
      0));
  const std::string multiple = fontObject(pdf, mm);
  EXPECT_NE(multiple.find("/Subtype /MMType1\n"), std::string::npos) << multiple;
  EXPECT_NE(multiple.find("/BaseFont /Fixture#20MM\n"), std::string::npos) << multiple;
  const std::string font = fontObject(pdf, cid);
  EXPECT_NE(font.find("/Subtype /Type0\n/BaseFont /HeiseiMin-W3-UniJIS-UCS2-H\n"
                      "/Encoding /UniJIS-UCS2-H\n/DescendantFonts ["),
            std::string::npos)
      << font;
  const std::string descendant =
      pdf.object(std::atoi(font.c_str() + font.find("/DescendantFonts [") + 18));
  EXPECT_NE(descendant.find("/Subtype /CIDFontType0\n/BaseFont /HeiseiMin-W3,Bold\n"),
            std::string::npos)
      << descendant;
  EXPECT_NE(descendant.find("/CIDSystemInfo<</Registry(Adobe)/Ordering(Japan1)/Supplement 2>>\n"),
            std::string::npos)
      << descendant;
  const std::string descriptor =
      pdf.object(int(PdfBytes::intEntry(descendant, "/FontDescriptor")));
  EXPECT_NE(descriptor.find("/Type /FontDescriptor\n"), std::string::npos) << descriptor;
  EXPECT_EQ(descriptor.find("/FontFile"), std::string::npos) << descriptor;
}

// In an encrypted file the descendant's /CIDSystemInfo keeps its compact
// form, its strings sealed with the descendant's own key.
TEST(Type1FontTest, cidKeyedRecordSealsItsSystemInfo)
{
  std::int32_t cid = 0;
  std::array<std::uint8_t, 16> key{};
  const PdfBytes pdf(test::writeDocument(
      [&](PdfDocument* doc) {
        ASSERT_TRUE(setupEncryption(doc, 0, 16, "owner", "user"));
        key = doc->security->key;
        cid = doc->fonts[std::size_t(addFontRecord(doc, kCidType0Font, "HeiseiMin-W3", 3,
                                                   "UniKS-UCS2-H"))]
                  .objectNumber;
        beginPage(doc, 595, 842);
      }));
  const std::string font = fontObject(pdf, cid);
  const int descendant = std::atoi(font.c_str() + font.find("/DescendantFonts [") + 18);
  const std::string text = pdf.object(descendant);
  std::smatch m;
  ASSERT_TRUE(std::regex_search(text, m,
                                std::regex("/CIDSystemInfo<</Registry<([0-9A-F]+)>/Ordering<"
                                           "([0-9A-F]+)>/Supplement 1>>\n>>\nendobj\n$")))
      << text;
  const test::Decrypter decrypt{key};
  EXPECT_EQ(decrypt(descendant, test::fromHexText(m[1])), "Adobe");
  EXPECT_EQ(decrypt(descendant, test::fromHexText(m[2])), "Korea1");
}

// A record of an unknown kind is left out, and the fonts after it are still
// written.
TEST(Type1FontTest, unknownKindSkipsOnlyItself)
{
  std::int32_t first = 0, unknown = 0, second = 0;
  const PdfBytes pdf(test::writeDocument(
      [&](PdfDocument* doc) {
        ASSERT_EQ(addFont(doc, "Fixture Sans", false), 0);
        unknown = doc->fonts[std::size_t(addFontRecord(doc, 9, "Odd"))].objectNumber;
        doc->fonts.push_back(doc->fonts[0]);
        doc->fonts.back().objectNumber = reserveObject(doc);
        first = doc->fonts[0].objectNumber;
        second = doc->fonts.back().objectNumber;
        beginPage(doc, 595, 842);
      },
      withFixtureSans()));
  EXPECT_NE(fontObject(pdf, first).find("/Subtype /TrueType\n/Name /F0\n"), std::string::npos);
  EXPECT_NE(fontObject(pdf, second).find("/Subtype /TrueType\n/Name /F2\n"), std::string::npos)
      << fontObject(pdf, second);
  EXPECT_EQ(fontObject(pdf, unknown).find("/Type /Font"), std::string::npos);
}

} // namespace
} // namespace quillet
