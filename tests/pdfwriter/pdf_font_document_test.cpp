#include "pdfwriter/fixture_font_locator.h"
#include "pdfwriter/pdf_font.h"
#include "pdfwriter/pdf_output.h"
#include "pdfwriter/pdf_page.h"
#include "pdfwriter/pdf_test_support.h"
#include "pdfwriter/pdf_text.h"
#include "pdfwriter/truetype_font.h"

#include <gtest/gtest.h>

#include <sstream>

namespace quillet {
namespace {

using test::countOf;
using test::FixtureFontLocator;
using test::fixtureFontDir;
using test::PdfBytes;
using test::requireFontFile;
using test::writeDocument;

// Liberation Sans answers for "Arial" as fontconfig makes it do; the
// fixtures answer for their families.
std::shared_ptr<FixtureFontLocator> testFonts()
{
  auto fonts = std::make_shared<FixtureFontLocator>();
  for (const auto& [family, file] : {std::pair{"Arial", test::kLiberationSans},
                                     std::pair{"DejaVu Sans", test::kDejaVuSans},
                                     std::pair{"Nimbus Sans", test::kNimbusSans}})
    if (std::filesystem::exists(file))
      fonts->addFile(family, file);
  for (const auto& [family, file, face] :
       {std::tuple{"Fixture Sans", "fixture-sans.ttf", 0},
        std::tuple{"Fixture Symbol", "fixture-symbol.ttf", 0},
        std::tuple{"Fixture Mono", "fixture-mono.ttf", 0},
        std::tuple{"Fixture Heavy-900", "fixture-heavy.ttf", 0},
        std::tuple{"Fixture Pair Alt", "fixture-pair.ttc", 1},
        std::tuple{"Fixture Bold", "fixture-sans.ttf", 0},
        std::tuple{"Fixture Caps", "fixture-sans.ttf", 0},
        std::tuple{"FixtureSC", "fixture-sans.ttf", 0}})
    fonts->addFile(family, fixtureFontDir() / file, face);
  return fonts;
}

OpenOptions withFonts(int compressionLevel = 0)
{
  OpenOptions options = test::fixedOptions(compressionLevel);
  options.fontLocator = testFonts();
  return options;
}

bool requireSystemFonts()
{
  return requireFontFile(test::kLiberationSans, "fonts-liberation2")
         && requireFontFile(test::kDejaVuSans, "fonts-dejavu-core")
         && requireFontFile(test::kNimbusSans, "fonts-urw-base35");
}

struct WrittenFont {
  int object = 0;
  std::string dictionary;
  std::string descriptor;
  std::vector<int> widths;
};

// Font dictionaries of a file by /BaseFont, in object-number order.
std::multimap<std::string, WrittenFont> writtenFonts(const PdfBytes& pdf)
{
  std::multimap<std::string, WrittenFont> fonts;
  for (const auto& [n, offset] : pdf.offsets()) {
    WrittenFont font{n, pdf.object(n), {}, {}};
    if (font.dictionary.find("/Type /Font\n") == std::string::npos)
      continue;
    const auto at = font.dictionary.find("/BaseFont /") + 11;
    const std::string name = font.dictionary.substr(at, font.dictionary.find('\n', at) - at);
    font.descriptor = pdf.object(int(PdfBytes::intEntry(font.dictionary, "/FontDescriptor")));
    const auto widths = font.dictionary.find("/Widths [");
    std::istringstream in(font.dictionary.substr(widths + 9));
    int w;
    while (in >> w)
      font.widths.push_back(w);
    fonts.emplace(name, std::move(font));
  }
  return fonts;
}

bool has(const std::string& text, const std::string& part)
{
  return text.find(part) != std::string::npos;
}

// Fonts are found again by name ignoring case; the name limit and the
// multiple-master rule decide what loads.
TEST(AddFontTest, reuseLimitsAndMultipleMasterNames)
{
  if (!requireSystemFonts())
    return;
  const std::string name31(31, 'x');
  const std::string name32(32, 'y');
  auto fonts = testFonts();
  fonts->addFile(name31, fixtureFontDir() / "fixture-sans.ttf");
  fonts->addFile(name32, fixtureFontDir() / "fixture-sans.ttf");
  fonts->addFile("MM", fixtureFontDir() / "fixture-sans.ttf");
  OpenOptions options = withFonts();
  options.fontLocator = fonts;
  PdfBytes pdf(writeDocument([&](PdfDocument* doc) {
    const int arial = addFont(doc, "Arial", false);
    EXPECT_EQ(arial, 0);
    EXPECT_EQ(addFont(doc, "Arial", true), arial);
    EXPECT_EQ(addFont(doc, "arial", false), arial);
    EXPECT_FALSE(doc->fonts[0].embed);
    EXPECT_EQ(addFont(doc, name31, false), 1);
    EXPECT_EQ(addFont(doc, name32, false), -1);
    EXPECT_EQ(addFont(doc, "MM_Foo", true), -1);
    EXPECT_EQ(addFont(doc, "MM_Foo", false), 2);
    EXPECT_EQ(doc->fonts[2].name, "MM_Foo");
    EXPECT_EQ(addFont(doc, "No Such Family", false), -1);
    EXPECT_EQ(doc->fonts.size(), 3u);
    beginPage(doc, 595, 842);
    writePageObject(doc);
  }, options));
  auto written = writtenFonts(pdf);
  EXPECT_EQ(written.size(), 3u);
  EXPECT_EQ(written.count("Arial"), 1u);
  EXPECT_EQ(written.count(name31), 1u);
  EXPECT_EQ(written.count("MM_Foo"), 1u);
}

// The table starts at 16 entries and doubles; IDs stay valid across it.
TEST(AddFontTest, tableGrowsPastSixteenFonts)
{
  auto fonts = testFonts();
  for (int i = 0; i < 40; ++i)
    fonts->addFile("Sans " + std::to_string(i), fixtureFontDir() / "fixture-sans.ttf");
  OpenOptions options = withFonts();
  options.fontLocator = fonts;
  writeDocument([&](PdfDocument* doc) {
    EXPECT_EQ(doc->fonts.capacity(), 16u);
    for (int i = 0; i < 40; ++i)
      ASSERT_EQ(addFont(doc, "Sans " + std::to_string(i), false), i);
    EXPECT_EQ(doc->fonts.capacity(), 64u);
    EXPECT_EQ(addFont(doc, "sans 17", false), 17);
  }, options);
}

// Descriptor and widths of the system fonts as a reader sees them; values
// computed independently with fontTools.
TEST(FontObjectTest, systemFontsInTheFile)
{
  if (!requireSystemFonts())
    return;
  PdfBytes pdf(writeDocument([](PdfDocument* doc) {
    EXPECT_EQ(addFont(doc, "Arial", false), 0);
    EXPECT_EQ(addFont(doc, "DejaVu Sans", false), 1);
    EXPECT_EQ(addFont(doc, "Nimbus Sans", true), 2);
    beginPage(doc, 595, 842);
    writePageObject(doc);
  }, withFonts()));
  auto fonts = writtenFonts(pdf);
  ASSERT_EQ(fonts.count("Arial"), 1u);
  const WrittenFont& arial = fonts.find("Arial")->second;
  EXPECT_TRUE(has(arial.dictionary, "/Subtype /TrueType\n/Name /F0\n/BaseFont /Arial\n"
                                    "/FirstChar 0\n/LastChar 255\n/Widths [\n"));
  EXPECT_TRUE(has(arial.dictionary, "/Encoding /WinAnsiEncoding\n"));
  ASSERT_EQ(arial.widths.size(), 256u);
  EXPECT_EQ(arial.widths[32], 277);
  EXPECT_EQ(arial.widths['A'], 666);
  EXPECT_EQ(arial.widths[0xC5], 666);
  EXPECT_EQ(arial.widths[0xB0], 399);
  EXPECT_TRUE(has(arial.descriptor, "/Type /FontDescriptor\n/FontName /Arial\n/Flags 32\n"
                                    "/FontBBox [-544 -303 1302 980]\n/Ascent 728\n"
                                    "/CapHeight 688\n/Descent -210\n/ItalicAngle 0\n"
                                    "/StemV 87\n/XHeight 528\n>>\n"))
      << arial.descriptor;

  ASSERT_EQ(fonts.count("DejaVu#20Sans"), 1u);
  const WrittenFont& dejaVu = fonts.find("DejaVu#20Sans")->second;
  EXPECT_EQ(dejaVu.widths.at(32), 317);
  EXPECT_TRUE(has(dejaVu.descriptor, "/Ascent 760\n/CapHeight 666\n/Descent -240\n"));
  EXPECT_FALSE(has(dejaVu.descriptor, "/XHeight"));

  // CFF outlines cannot go into /FontFile2, embedding or not.
  ASSERT_EQ(fonts.count("Nimbus#20Sans"), 1u);
  const WrittenFont& nimbus = fonts.find("Nimbus#20Sans")->second;
  EXPECT_FALSE(has(nimbus.descriptor, "/FontFile2"));
  EXPECT_EQ(countOf(pdf.bytes(), "/FontFile2"), 0);
}

// What the fixture fonts' properties make of the descriptor; ForceBold also
// names the bold style.
TEST(FontObjectTest, fixtureFontFlagsAndMetrics)
{
  const struct {
    const char* family;
    const char* baseFont;
    std::vector<std::string> parts;
    std::vector<std::string> absent;
  } cases[] = {
    {"Fixture Symbol", "Fixture#20Symbol", {"/Flags 4\n"}, {"/Encoding"}},
    {"Fixture Sans", "Fixture#20Sans", {"/Flags 32\n", "/CapHeight 666\n"}, {}},
    {"Fixture Mono", "Fixture#20Mono", {"/Flags 33\n"}, {}},
    {"Fixture Heavy-900", "Fixture#20Heavy-900,Bold", {"/Flags 262176\n", "/StemV 241\n"}, {}},
    {"Fixture Bold", "Fixture#20Bold,Bold", {"/Flags 262176\n"}, {}},
    {"Fixture Caps", "Fixture#20Caps", {"/Flags 131104\n"}, {}},
    {"FixtureSC", "FixtureSC", {"/Flags 131104\n"}, {}},
    {"Fixture Pair Alt", "Fixture#20Pair#20Alt", {"/Flags 32\n"}, {}},
  };
  PdfBytes pdf(writeDocument([&](PdfDocument* doc) {
    for (const auto& c : cases)
      EXPECT_GE(addFont(doc, c.family, false), 0) << c.family;
    beginPage(doc, 595, 842);
    writePageObject(doc);
  }, withFonts()));
  auto fonts = writtenFonts(pdf);
  for (const auto& c : cases) {
    auto found = fonts.find(c.baseFont);
    ASSERT_NE(found, fonts.end()) << c.family;
    const std::string text = found->second.dictionary + found->second.descriptor;
    for (const auto& part : c.parts)
      EXPECT_TRUE(has(text, part)) << c.family << " lacks " << part << "\n" << text;
    for (const auto& part : c.absent)
      EXPECT_FALSE(has(text, part)) << c.family << " has " << part;
  }
  // The symbol font is measured at 0xF000 + code: 'A' is the alpha glyph.
  EXPECT_EQ(fonts.find("Fixture#20Symbol")->second.widths.at('A'), 700);
  EXPECT_EQ(fonts.find("Fixture#20Symbol")->second.widths.at('B'), 600);
  EXPECT_EQ(fonts.find("Fixture#20Pair#20Alt")->second.widths.at(' '), 700);
}

// Selecting what is already selected writes nothing more; refused selections
// write nothing at all.
TEST(SelectFontTest, repeatsAndRefusals)
{
  PdfBytes pdf(writeDocument([](PdfDocument* doc) {
    ASSERT_EQ(addFont(doc, "Fixture Sans", false), 0);
    EXPECT_EQ(selectFont(doc, 0, 12), -1) << "no page yet";
    beginPage(doc, 595, 842);
    EXPECT_EQ(selectFont(doc, 0, 0), -1);
    EXPECT_EQ(selectFont(doc, 1, 12), -1);
    EXPECT_EQ(selectFont(doc, -1, 12), -1);
    EXPECT_EQ(doc->end - doc->streamStart, 0u) << "refusals wrote something";
    EXPECT_EQ(selectFont(doc, 0, 12), 0);
    EXPECT_EQ(selectFont(doc, 0, 12), -1);
    showTextAt(doc, "a", 0, 10, 10);
    writePageObject(doc);
  }, withFonts()));
  EXPECT_EQ(countOf(pdf.pageContents(), "Tf\n"), 1);
}

// Variants share the owner's name and data, carry their own flags, angle and
// object number, and are found again rather than made twice.
TEST(SelectFontStyleTest, variantsAreMadeOnceAndReused)
{
  if (!requireSystemFonts())
    return;
  PdfBytes pdf(writeDocument([](PdfDocument* doc) {
    ASSERT_EQ(addFont(doc, "Arial", false), 0);
    beginPage(doc, 595, 842);
    const std::size_t before = doc->end;
    selectFontStyle(doc, true, 0);
    EXPECT_EQ(doc->end, before) << "nothing selected";
    EXPECT_EQ(doc->fonts.size(), 1u);

    selectFont(doc, 0, 12);
    selectFontStyle(doc, true, 0);
    ASSERT_EQ(doc->fonts.size(), 2u);
    const FontRecord& bold = doc->fonts[1];
    EXPECT_EQ(doc->level().text.fontIndex, 1);
    EXPECT_EQ(doc->level().text.fontSize, 12);
    EXPECT_TRUE(bold.variant);
    EXPECT_EQ(bold.flags, 32u | kForceBold);
    EXPECT_NE(bold.objectNumber, doc->fonts[0].objectNumber);
    EXPECT_EQ(bold.fontFile, doc->fonts[0].fontFile);
    EXPECT_EQ(bold.tables, doc->fonts[0].tables);

    selectFontStyle(doc, false, 0);
    EXPECT_EQ(doc->level().text.fontIndex, 0);
    selectFontStyle(doc, false, -12);
    ASSERT_EQ(doc->fonts.size(), 3u);
    EXPECT_EQ(doc->fonts[2].flags, 32u | kItalic);
    EXPECT_EQ(doc->fonts[2].italicAngle, -12);
    selectFontStyle(doc, false, 0);
    selectFontStyle(doc, false, -12);
    EXPECT_EQ(doc->level().text.fontIndex, 2);
    selectFontStyle(doc, false, -10);
    EXPECT_EQ(doc->level().text.fontIndex, 3);
    selectFontStyle(doc, true, -12);
    EXPECT_EQ(doc->level().text.fontIndex, 4);
    EXPECT_EQ(doc->fonts[4].flags, 32u | kItalic | kForceBold);
    EXPECT_EQ(doc->fonts.size(), 5u);
    writePageObject(doc);
  }, withFonts()));
  auto fonts = writtenFonts(pdf);
  for (const char* name : {"Arial", "Arial,Bold", "Arial,Italic", "Arial,BoldItalic"})
    EXPECT_EQ(fonts.count(name), name == std::string("Arial,Italic") ? 2u : 1u) << name;
  const WrittenFont& italic = fonts.find("Arial,Italic")->second;
  EXPECT_TRUE(has(italic.descriptor, "/FontName /Arial,Italic\n/Flags 96\n"));
  EXPECT_TRUE(has(italic.descriptor, "/ItalicAngle -12\n"));
}

// Only fonts selected on a page are named in its resources; every font is
// written once at Close, used or not.
TEST(FontResourcesTest, perPageNamesAndOneObjectPerFont)
{
  PdfBytes pdf(writeDocument([](PdfDocument* doc) {
    ASSERT_EQ(addFont(doc, "Fixture Sans", false), 0);
    ASSERT_EQ(addFont(doc, "Fixture Mono", false), 1);
    ASSERT_EQ(addFont(doc, "Fixture Symbol", false), 2);
    beginPage(doc, 595, 842);
    selectFont(doc, 1, 10);
    selectFont(doc, 0, 10);
    writePageObject(doc);
    beginPage(doc, 595, 842);
    writePageObject(doc);
  }, withFonts()));
  const auto pages = pdf.pageObjects();
  ASSERT_EQ(pages.size(), 2u);
  const auto fonts = writtenFonts(pdf);
  const int sans = fonts.find("Fixture#20Sans")->second.object;
  const int mono = fonts.find("Fixture#20Mono")->second.object;
  auto resources = [&](int page) {
    return pdf.object(int(PdfBytes::intEntry(pdf.object(page), "/Resources")));
  };
  const std::string first = resources(pages[0]);
  const std::string second = resources(pages[1]);
  EXPECT_TRUE(has(first, "/ProcSet [/PDF/Text]\n/Font<<\n/F0 " + std::to_string(sans)
                             + " 0 R\n/F1 " + std::to_string(mono) + " 0 R\n>>\n>>"))
      << first;
  EXPECT_FALSE(has(second, "/Font"));
  EXPECT_EQ(fonts.size(), 3u);
  EXPECT_EQ(countOf(pdf.bytes(), "/Type /FontDescriptor"), 3);
}

// The whole font file goes into the file as it is; the descriptor says
// Symbolic and the names carry no style, variants included.
TEST(FontObjectTest, embeddedFontHoldsTheWholeFile)
{
  const std::string file = tarvek::test::readBytes(fixtureFontDir() / "fixture-sans.ttf");
  for (int level : {0, 6}) {
    PdfBytes pdf(writeDocument([](PdfDocument* doc) {
      ASSERT_EQ(addFont(doc, "Fixture Sans", true), 0);
      beginPage(doc, 595, 842);
      selectFont(doc, 0, 10);
      selectFontStyle(doc, true, 0);
      writePageObject(doc);
    }, withFonts(level)));
    auto fonts = writtenFonts(pdf);
    ASSERT_EQ(fonts.count("Fixture#20Sans"), 2u) << "level " << level;
    for (const auto& [name, font] : fonts) {
      EXPECT_TRUE(has(font.descriptor, "/Flags 4\n")) << level;
      const auto stream = int(PdfBytes::intEntry(font.descriptor, "/FontFile2"));
      const std::string streamText = pdf.object(stream);
      EXPECT_EQ(pdf.streamData(stream), file) << "level " << level;
      const auto length1 = int(PdfBytes::intEntry(streamText, "/Length1"));
      EXPECT_TRUE(has(pdf.object(length1), "obj\n" + std::to_string(file.size()) + "\nendobj"))
          << level;
      EXPECT_EQ(has(streamText, "/Filter /FlateDecode\n"), level != 0);
    }
  }
}

// An encoding without a PDF name is written out code by code.
TEST(FontObjectTest, encodingDifferencesListEveryCode)
{
  const std::string bytes = writeDocument([](PdfDocument* doc) {
    beginPage(doc, 595, 842);
    writePageObject(doc);
    writeEncodingDifferences(doc, 0, reserveObject(doc));
    writeEncodingDifferences(doc, 2, reserveObject(doc));
  }, withFonts());
  const auto winAnsi = bytes.find("/Type/Encoding\n/Differences[0\n");
  ASSERT_NE(winAnsi, std::string::npos);
  const auto first = winAnsi + 30;
  const std::string list = bytes.substr(first, bytes.find("]\n>>", first) - first);
  EXPECT_EQ(countOf(list, "/"), 256);
  EXPECT_TRUE(has(list, "/space\n/exclam\n"));
  EXPECT_TRUE(has(list, "/bullet\n/Euro\n/bullet\n/quotesinglbase\n"));
  EXPECT_EQ(countOf(bytes, "/.notdef\n"), 32 + 256);
}

// A configuration of its own whose fonts are read anew each time: it names
// no file, so nothing it finds is kept.
class FreshFontconfig final : public FontLocator {
public:
  std::optional<LocatedFont> locate(const std::string& family) const override
  {
    return m_fontconfig.locate(family);
  }

private:
  FontconfigLocator m_fontconfig;
};

// The process keeps one fontconfig configuration and each font it read and
// parsed; documents written over them are the bytes a fresh configuration
// and a fresh read give.
TEST(SystemFontCacheTest, keptFontsWriteTheSameBytesAsFreshOnes)
{
  if (!requireSystemFonts())
    return;
  const auto page = [](PdfDocument* doc) {
    ASSERT_EQ(addFont(doc, "Arial", true), 0);
    ASSERT_EQ(addFont(doc, "DejaVu Sans", false), 1);
    beginPage(doc, 595, 842);
    selectFont(doc, 0, 25);
    selectFontStyle(doc, false, -15);
    const std::string title = "Carbon Nanotube";
    showTextAt(doc, title.data(), title.size(), 200, 792);
    selectFont(doc, 1, 10);
    showTextAt(doc, title.data(), title.size(), 20, 352);
    writePageObject(doc);
  };
  OpenOptions fresh = test::fixedOptions();
  std::vector<std::string> written;
  for (int k = 0; k < 2; ++k) {
    fresh.fontLocator = std::make_shared<FreshFontconfig>();
    written.push_back(writeDocument(page, 6, 13));
    written.push_back(writeDocument(page, fresh));
  }
  EXPECT_EQ(systemFontLocator(), systemFontLocator());
  for (const std::string& bytes : written)
    EXPECT_TRUE(bytes == written[0]);
  EXPECT_NE(written[0].find("/FontFile2"), std::string::npos);
}

} // namespace
} // namespace quillet
