#include "pdfwriter/truetype_font.h"

#include "pdfwriter/fixture_font_locator.h"
#include "support/require_tool.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

namespace quillet {
namespace {

using test::FixtureFontLocator;
using test::fixtureFontDir;
using Bytes = std::vector<std::uint8_t>;

Bytes fixtureBytes(const std::string& file)
{
  const std::string bytes = tarvek::test::readBytes(fixtureFontDir() / file);
  return {bytes.begin(), bytes.end()};
}

// Loads bytes as the font of the family "Test".
std::optional<SystemFont> loadBytes(Bytes bytes, int faceIndex = 0)
{
  FixtureFontLocator locator;
  locator.add("Test", std::move(bytes), faceIndex);
  SystemFont font;
  if (!loadSystemFont(locator, "Test", font))
    return std::nullopt;
  return font;
}

SystemFont loadFixture(const std::string& file, int faceIndex = 0)
{
  auto font = loadBytes(fixtureBytes(file), faceIndex);
  if (!font)
    ADD_FAILURE() << file << " face " << faceIndex << " does not load";
  return font.value_or(SystemFont());
}

std::uint32_t readU32(const Bytes& b, std::size_t at)
{
  return (std::uint32_t(b.at(at)) << 24) | (std::uint32_t(b.at(at + 1)) << 16)
         | (std::uint32_t(b.at(at + 2)) << 8) | b.at(at + 3);
}

std::uint16_t readU16(const Bytes& b, std::size_t at)
{
  return static_cast<std::uint16_t>((b.at(at) << 8) | b.at(at + 1));
}

void put16(Bytes& b, std::size_t at, std::uint16_t value)
{
  b.at(at) = static_cast<std::uint8_t>(value >> 8);
  b.at(at + 1) = static_cast<std::uint8_t>(value);
}

void put32(Bytes& b, std::size_t at, std::uint32_t value)
{
  put16(b, at, static_cast<std::uint16_t>(value >> 16));
  put16(b, at + 2, static_cast<std::uint16_t>(value));
}

// Position of a table's directory entry in an sfnt starting at `start`.
std::size_t directoryEntry(const Bytes& b, const char* tag, std::size_t start = 0)
{
  const std::size_t numTables = readU16(b, start + 4);
  for (std::size_t n = 0; n < numTables; ++n) {
    const std::size_t entry = start + 12 + 16 * n;
    if (std::equal(tag, tag + 4, b.begin() + static_cast<std::ptrdiff_t>(entry)))
      return entry;
  }
  throw std::runtime_error(std::string("no table ") + tag);
}

std::size_t tableOffset(const Bytes& b, const char* tag)
{
  return readU32(b, directoryEntry(b, tag) + 8);
}

// The Microsoft format-4 subtable of a fixture's cmap.
std::size_t cmapSubtable(const Bytes& b)
{
  const std::size_t cmap = tableOffset(b, "cmap");
  for (std::size_t n = 0; n < readU16(b, cmap + 2); ++n) {
    if (readU16(b, cmap + 4 + 8 * n) == 3)
      return cmap + readU32(b, cmap + 8 + 8 * n);
  }
  throw std::runtime_error("no Microsoft cmap");
}

// Expected widths: code, width.
void expectWidths(const FontMetrics& m, std::initializer_list<std::pair<int, int>> widths,
                  const std::string& what)
{
  for (auto [code, width] : widths)
    EXPECT_EQ(m.widths[code], width) << what << ", code " << code;
}

// Units per em 2048 makes rounding visible: widths truncate (1366 -> 666),
// the other metrics round half away from zero (-128 -> -63, 128 -> 63).
TEST(TrueTypeFontTest, plainSansMetricsAndWidths)
{
  const SystemFont font = loadFixture("fixture-sans.ttf");
  const FontMetrics& m = font.metrics;
  EXPECT_EQ(m.boundingBox, (std::array<int, 4>{-63, -210, 928, 879}));
  EXPECT_EQ(m.ascent, 732);
  EXPECT_EQ(m.descent, -244);
  EXPECT_EQ(m.capHeight, 666) << "sCapHeight 0 falls back to 666";
  EXPECT_EQ(m.xHeight, 537);
  EXPECT_EQ(m.underlinePosition, -63);
  EXPECT_EQ(m.underlineThickness, 63);
  EXPECT_EQ(m.stemV, 87);
  EXPECT_EQ(m.italicAngle, 0.0f);
  EXPECT_FALSE(m.fixedPitch);
  EXPECT_EQ(m.postScriptName, "FixtureSans");
  EXPECT_EQ(m.encodingName, "AdobeStandardEncoding");
  EXPECT_EQ(m.encodingIndex, 0);
  EXPECT_EQ(descriptorFlags("Fixture Sans", m), kNonsymbolic);
  EXPECT_FALSE(hasCffOutlines(*font.tables));
  // 'a' to 'd' go through the glyph-id array; 'B' and control codes are
  // unmapped and take the .notdef advance; 0xA0 is the space.
  expectWidths(m, {{0x00, 500}, {0x20, 277}, {0xA0, 277}, {'A', 666}, {0xC5, 666}, {'B', 500},
                   {'a', 585}, {'b', 488}, {'c', 634}, {'d', 537}, {0xFF, 500}},
               "fixture sans");
  EXPECT_EQ(cmapLookup(*font.tables, 'a'), 5);
  EXPECT_EQ(cmapLookup(*font.tables, 'd'), 4);
  EXPECT_EQ(cmapLookup(*font.tables, 0x10041), 0);
}

// Symbol fonts are measured at 0xF000 + code, not through WinAnsi.
TEST(TrueTypeFontTest, symbolFontUsesPrivateUseCodes)
{
  const FontMetrics m = loadFixture("fixture-symbol.ttf").metrics;
  EXPECT_EQ(m.flags, kSymbolic);
  EXPECT_EQ(m.encodingIndex, -1);
  EXPECT_EQ(m.encodingName, "FontSpecific");
  EXPECT_EQ(descriptorFlags("Fixture Symbol", m), kSymbolic);
  expectWidths(m, {{0x00, 300}, {0x20, 250}, {'A', 700}, {'B', 600}, {0x7E, 600}, {0x7F, 300},
                   {0xC5, 300}},
               "fixture symbol");
}

// One long metric for five glyphs: every glyph beyond it takes its advance.
TEST(TrueTypeFontTest, fixedPitchFontSharesTheLastLongMetric)
{
  const SystemFont font = loadFixture("fixture-mono.ttf");
  ASSERT_EQ(font.tables->hMetrics.size(), 1u);
  EXPECT_EQ(font.tables->leftSideBearings.size(), 4u);
  EXPECT_TRUE(font.metrics.fixedPitch);
  EXPECT_EQ(descriptorFlags("Fixture Mono", font.metrics), kFixedPitch | kNonsymbolic);
  for (int code = 0; code < 256; ++code)
    ASSERT_EQ(font.metrics.widths[code], 600) << "code " << code;
}

TEST(TrueTypeFontTest, heavyWeightForcesBold)
{
  const FontMetrics m = loadFixture("fixture-heavy.ttf").metrics;
  EXPECT_EQ(m.stemV, 241);
  EXPECT_EQ(descriptorFlags("Fixture Heavy-900", m), kNonsymbolic | kForceBold);
}

TEST(TrueTypeFontTest, descriptorFlagsFollowTheName)
{
  FontMetrics plain;
  plain.encodingName = "AdobeStandardEncoding";
  plain.stemV = 87;
  FontMetrics slanted = plain;
  slanted.italicAngle = -12;
  const struct {
    const char* name;
    const FontMetrics& metrics;
    std::uint32_t expected;
  } cases[] = {
    {"Arial", plain, kNonsymbolic},
    {"Arial Bold", plain, kNonsymbolic | kForceBold},
    {"arial bold", plain, kNonsymbolic},
    {"Foo Caps", plain, kNonsymbolic | kSmallCap},
    {"FooSC", plain, kNonsymbolic | kSmallCap},
    {"FooSc", plain, kNonsymbolic},
    {"SCFoo", plain, kNonsymbolic},
    {"Arial", slanted, kNonsymbolic | kItalic},
  };
  for (const auto& c : cases)
    EXPECT_EQ(descriptorFlags(c.name, c.metrics), c.expected)
        << c.name << ", angle " << c.metrics.italicAngle;
}

// The located face of a collection becomes a font file of its own that
// reads the same when loaded again as a plain file.
TEST(TrueTypeFontTest, collectionFaceIsExtractedIntoAStandaloneFont)
{
  const SystemFont first = loadFixture("fixture-pair.ttc", 0);
  const SystemFont second = loadFixture("fixture-pair.ttc", 1);
  ASSERT_TRUE(first.fontFile && second.fontFile);
  EXPECT_EQ(first.metrics.postScriptName, "FixturePair");
  EXPECT_EQ(second.metrics.postScriptName, "FixturePairAlt");
  EXPECT_EQ(first.metrics.widths[0x20], 500);
  EXPECT_EQ(second.metrics.widths[0x20], 700);

  const Bytes& extracted = *second.fontFile;
  EXPECT_EQ(readU32(extracted, 0), 0x00010000u);
  for (const auto& entry : second.tables->directory) {
    EXPECT_EQ(entry.offset % 4, 0u);
    EXPECT_LE(std::size_t(entry.offset) + entry.length, extracted.size());
  }
  auto reloaded = loadBytes(extracted);
  ASSERT_TRUE(reloaded);
  EXPECT_EQ(reloaded->metrics.postScriptName, "FixturePairAlt");
  EXPECT_EQ(reloaded->metrics.widths, second.metrics.widths);

  EXPECT_FALSE(loadBytes(fixtureBytes("fixture-pair.ttc"), 2)) << "face 2 of 2";
}

TEST(TrueTypeFontTest, loadRefusesLongNamesAndUnknownFamilies)
{
  FixtureFontLocator locator;
  const std::string name31(31, 'x');
  const std::string name32(32, 'x');
  locator.addFile(name31, fixtureFontDir() / "fixture-sans.ttf");
  locator.addFile(name32, fixtureFontDir() / "fixture-sans.ttf");
  SystemFont font;
  EXPECT_TRUE(loadSystemFont(locator, name31, font));
  EXPECT_EQ(font.tables->faceName, name31);
  EXPECT_FALSE(loadSystemFont(locator, name32, font));
  EXPECT_FALSE(loadSystemFont(locator, "Not There", font));
}

// Hostile fonts, made by patching fixture bytes: each must fail or load with
// zeros, never read outside the bytes (run under AddressSanitizer too).
TEST(TrueTypeFontTest, malformedFontsFailOrLoadWithZeros)
{
  const Bytes sans = fixtureBytes("fixture-sans.ttf");
  const Bytes pair = fixtureBytes("fixture-pair.ttc");
  const auto allWidths = [](int width) {
    return [width](const SystemFont& f) {
      for (int code = 0; code < 256; ++code)
        ASSERT_EQ(f.metrics.widths[code], width) << "code " << code;
    };
  };
  const struct {
    const char* what;
    const Bytes& base;
    std::function<void(Bytes&)> patch;
    bool loads;
    std::function<void(const SystemFont&)> check;
  } cases[] = {
    {"file of 9 bytes", sans, [](Bytes& b) { b.resize(9); }, false, {}},
    {"magic wOFF", sans, [](Bytes& b) { std::copy_n("wOFF", 4, b.begin()); }, false, {}},
    {"cmap offset past the file end", sans,
     [](Bytes& b) { put32(b, directoryEntry(b, "cmap") + 8, static_cast<std::uint32_t>(b.size())); },
     false, {}},
    {"hmtx length past the file end", sans,
     [](Bytes& b) { put32(b, directoryEntry(b, "hmtx") + 12, 0x7FFFFFF0); }, true, allWidths(0)},
    {"table count past the directory", sans, [](Bytes& b) { put16(b, 4, 0xFFFF); }, true, {}},
    {"cmap cut inside its arrays", sans,
     [](Bytes& b) {
       put32(b, directoryEntry(b, "cmap") + 12,
             static_cast<std::uint32_t>(cmapSubtable(b) - tableOffset(b, "cmap") + 20));
     },
     false, {}},
    {"segment count 0x7FFF in a short table", sans,
     [](Bytes& b) { put16(b, cmapSubtable(b) + 6, 0xFFFE); }, false, {}},
    {"id range offset past the glyph-id array", sans,
     [](Bytes& b) {
       // Segment 2 holds 'a' to 'd'; its offset entry follows 14 + 3 arrays.
       const std::size_t sub = cmapSubtable(b);
       const std::size_t segCount = readU16(b, sub + 6) / 2;
       put16(b, sub + 16 + 6 * segCount + 2 * 2, 0xFFFE);
     },
     true,
     [](const SystemFont& f) {
       expectWidths(f.metrics, {{'a', 500}, {'d', 500}, {'A', 666}}, "range offset past array");
     }},
    {"numberOfHMetrics 0", sans, [](Bytes& b) { put16(b, tableOffset(b, "hhea") + 34, 0); },
     true, allWidths(0)},
    {"units per em 0", sans, [](Bytes& b) { put16(b, tableOffset(b, "head") + 18, 0); }, true,
     [](const SystemFont& f) {
       EXPECT_EQ(f.metrics.boundingBox, (std::array<int, 4>{0, 0, 0, 0}));
       EXPECT_EQ(f.metrics.widths[0x41], 0);
     }},
    {"loca shorter than numGlyphs + 1", sans,
     [](Bytes& b) { put32(b, directoryEntry(b, "loca") + 12, 2); }, true,
     [](const SystemFont& f) {
       ASSERT_EQ(f.tables->loca.size(), f.tables->maxp.numGlyphs + 1u);
       EXPECT_EQ(f.tables->loca.back(), 0u);
       EXPECT_EQ(f.metrics.widths[0x41], 666);
     }},
    {"name records past the table", sans,
     [](Bytes& b) { put16(b, tableOffset(b, "name") + 2, 0xFFFF); }, true,
     [](const SystemFont& f) { EXPECT_EQ(f.metrics.postScriptName, "FixtureSans"); }},
    {"PostScript name string past the table", sans,
     [](Bytes& b) {
       const std::size_t name = tableOffset(b, "name");
       for (std::size_t n = 0; n < readU16(b, name + 2); ++n) {
         if (readU16(b, name + 6 + 12 * n + 6) == 6)
           put16(b, name + 6 + 12 * n + 10, 0xFFF0);
       }
     },
     true, [](const SystemFont& f) { EXPECT_EQ(f.metrics.postScriptName, "Fixture Sans Regular"); }},
    {"OS/2 table of 10 bytes", sans,
     [](Bytes& b) { put32(b, directoryEntry(b, "OS/2") + 12, 10); }, true,
     [](const SystemFont& f) {
       EXPECT_EQ(f.metrics.ascent, 0);
       EXPECT_EQ(f.metrics.descent, 0);
       EXPECT_EQ(f.metrics.capHeight, 666);
       EXPECT_EQ(f.metrics.xHeight, 0);
       EXPECT_EQ(f.metrics.stemV, 87);
     }},
    {"OS/2 version 1 in a longer table", sans,
     [](Bytes& b) { put16(b, tableOffset(b, "OS/2"), 1); }, true,
     [](const SystemFont& f) {
       EXPECT_EQ(f.metrics.xHeight, 0) << "sxHeight is not part of version 1";
       EXPECT_EQ(f.metrics.ascent, 732);
     }},
    {"collection face offset past the file end", pair,
     [](Bytes& b) { put32(b, 16, static_cast<std::uint32_t>(b.size())); }, false, {}},
    {"collection table past the file end", pair,
     [](Bytes& b) { put32(b, directoryEntry(b, "head", readU32(b, 16)) + 8, 0xFFFFFF00); },
     false, {}},
    {"collection face with tables adding up past the file size", pair,
     [](Bytes& b) {
       const std::size_t post = directoryEntry(b, "post", readU32(b, 16));
       put32(b, post + 8, 0);
       put32(b, post + 12, static_cast<std::uint32_t>(b.size()));
     },
     false, {}},
    {"collection with 2^32-1 faces", pair, [](Bytes& b) { put32(b, 8, 0xFFFFFFFF); }, true, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Bytes bytes = c.base;
    c.patch(bytes);
    const int faceIndex = &c.base == &pair ? 1 : 0;
    auto font = loadBytes(std::move(bytes), faceIndex);
    ASSERT_EQ(font.has_value(), c.loads);
    if (font && c.check)
      c.check(*font);
  }
}

using test::kDejaVuSans;
using test::kLiberationSans;
using test::kNimbusSans;
using test::requireFontFile;

std::optional<SystemFont> loadFile(const std::filesystem::path& file)
{
  FixtureFontLocator locator;
  locator.addFile("Test", file);
  SystemFont font;
  if (!loadSystemFont(locator, "Test", font))
    return std::nullopt;
  return font;
}

// Values computed independently with fontTools from fonts-liberation2 2.1.5.
TEST(SystemFontTest, liberationSansMetrics)
{
  if (!requireFontFile(kLiberationSans, "fonts-liberation2"))
    return;
  auto font = loadFile(kLiberationSans);
  ASSERT_TRUE(font);
  const FontMetrics& m = font->metrics;
  EXPECT_EQ(font->fontFile->size(), 410712u);
  EXPECT_EQ(font->tables->maxp.numGlyphs, 2620);
  EXPECT_EQ(font->tables->hMetrics.size(), 2620u);
  EXPECT_EQ(font->tables->loca.size(), 2621u);
  expectWidths(m, {{0x20, 277}, {'A', 666}, {0xC5, 666}, {0xB0, 399}}, "Liberation Sans");
  EXPECT_EQ(m.boundingBox, (std::array<int, 4>{-544, -303, 1302, 980}));
  EXPECT_EQ(m.ascent, 728);
  EXPECT_EQ(m.descent, -210);
  EXPECT_EQ(m.capHeight, 688);
  EXPECT_EQ(m.xHeight, 528);
  EXPECT_EQ(m.stemV, 87);
  EXPECT_EQ(m.italicAngle, 0.0f);
  EXPECT_EQ(m.underlinePosition, -33);
  EXPECT_EQ(m.underlineThickness, 73);
  EXPECT_EQ(descriptorFlags("Arial", m), 32u);
  EXPECT_EQ(m.postScriptName, "LiberationSans");
}

// Its OS/2 table is version 1 (86 bytes, no sCapHeight or sxHeight).
TEST(SystemFontTest, dejaVuSansMetrics)
{
  if (!requireFontFile(kDejaVuSans, "fonts-dejavu-core"))
    return;
  auto font = loadFile(kDejaVuSans);
  ASSERT_TRUE(font);
  EXPECT_EQ(font->tables->os2.version, 1);
  EXPECT_EQ(font->metrics.capHeight, 666);
  EXPECT_EQ(font->metrics.xHeight, 0);
  EXPECT_EQ(font->metrics.ascent, 760);
  EXPECT_EQ(font->metrics.descent, -240);
  EXPECT_EQ(font->metrics.widths[0x20], 317);
  EXPECT_EQ(font->metrics.postScriptName, "DejaVuSans");
}

// CFF outlines: "OTTO", a 6-byte maxp and no loca.
TEST(SystemFontTest, nimbusSansCffFontLoads)
{
  if (!requireFontFile(kNimbusSans, "fonts-urw-base35"))
    return;
  auto font = loadFile(kNimbusSans);
  ASSERT_TRUE(font);
  EXPECT_TRUE(hasCffOutlines(*font->tables));
  EXPECT_EQ(font->tables->maxp.version, 0x5000u);
  EXPECT_EQ(font->tables->maxp.maxPoints, 0);
  EXPECT_TRUE(font->tables->loca.empty());
  expectWidths(font->metrics, {{0x20, 278}, {'A', 667}}, "Nimbus Sans");
  EXPECT_EQ(font->metrics.postScriptName, "NimbusSans-Regular");
}

// The system's fontconfig resolves the names the report uses.
TEST(SystemFontTest, fontconfigResolvesFamilies)
{
  if (!requireFontFile(kLiberationSans, "fonts-liberation2")
      || !requireFontFile(kDejaVuSans, "fonts-dejavu-core")
      || !requireFontFile(kNimbusSans, "fonts-urw-base35"))
    return;
  FontconfigLocator locator;
  const struct {
    const char* family;
    const char* postScriptName;
  } cases[] = {
    {"Arial", "LiberationSans"},
    {"DejaVu Sans", "DejaVuSans"},
    {"Nimbus Sans", "NimbusSans-Regular"},
  };
  for (const auto& c : cases) {
    SystemFont font;
    ASSERT_TRUE(loadSystemFont(locator, c.family, font)) << c.family;
    EXPECT_EQ(font.metrics.postScriptName, c.postScriptName) << c.family;
  }
}

} // namespace
} // namespace quillet
