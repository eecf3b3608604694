#include "pdfwriter/pdf_font.h"

#include "pdfwriter/encoding_tables.h"
#include "pdfwriter/pdf_output.h"
#include "pdfwriter/pdf_text.h"
#include "pdfwriter/truetype_font.h"

#include <cmath>

namespace quillet {
namespace {

constexpr std::size_t kInitialFonts = 16;

constexpr EncodingRecord kWinAnsi{"winansi", "WinAnsiEncoding", &kWinAnsiUnicode,
                                  &kWinAnsiGlyphNames};
constexpr EncodingRecord kMacRoman{"macroman", "MacRomanEncoding", nullptr, nullptr};
constexpr EncodingRecord kEbcdic{"ebcdic", nullptr, nullptr, nullptr};

// Font names are ASCII in practice; the comparison must not depend on the
// locale.
bool equalIgnoringCase(std::string_view a, std::string_view b)
{
  auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
  if (a.size() != b.size())
    return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (lower(a[i]) != lower(b[i]))
      return false;
  return true;
}

void appendFont(PdfDocument* doc, FontRecord record)
{
  if (doc->fonts.size() == doc->fonts.capacity())
    doc->fonts.reserve(doc->fonts.capacity() * 2);
  doc->fonts.push_back(std::move(record));
}

const char* styleSuffix(std::uint32_t flags)
{
  const bool italic = flags & kItalic;
  const bool bold = flags & kForceBold;
  return italic && bold ? ",BoldItalic" : italic ? ",Italic" : bold ? ",Bold" : "";
}

void writeFontName(PdfDocument* doc, const FontRecord& record, bool withSuffix)
{
  writeName(doc, record.name.data(), record.name.size());
  if (withSuffix)
    writeString(doc, styleSuffix(record.flags));
}

// The font dictionary of a simple TrueType font; returns the object number
// of its /Differences encoding, 0 when it needs none.
std::int32_t writeFontDictionary(PdfDocument* doc, int index, bool withSuffix,
                                 std::int32_t& descriptor)
{
  const FontRecord& record = doc->fonts[std::size_t(index)];
  writeObjectHeader(doc, record.objectNumber);
  printPdf(doc, "<<\n/Type /Font\n/Subtype /TrueType\n/Name /F%d\n/BaseFont /", index);
  writeFontName(doc, record, withSuffix);
  writeString(doc, "\n/FirstChar 0\n/LastChar 255\n/Widths [\n");
  for (int row = 0; row < 16; ++row) {
    for (int column = 0; column < 16; ++column)
      printPdf(doc, " %d", record.widths[std::size_t(row * 16 + column)]);
    writeChar(doc, '\n');
  }
  writeString(doc, "]\n");
  std::int32_t differences = 0;
  if (record.encodingIndex >= 0) {
    const EncodingRecord* encoding = doc->encodings[std::size_t(record.encodingIndex)];
    if (encoding && encoding->pdfName) {
      printPdf(doc, "/Encoding /%s\n", encoding->pdfName);
    } else {
      differences = reserveObject(doc);
      printPdf(doc, "/Encoding %ld 0 R\n", differences);
    }
  }
  descriptor = reserveObject(doc);
  printPdf(doc, "/FontDescriptor %ld 0 R\n>>\nendobj\n", descriptor);
  return differences;
}

} // namespace

void initFontTable(PdfDocument* doc)
{
  if (!doc)
    return;
  doc->fonts.clear();
  doc->fonts.reserve(kInitialFonts);
  doc->encodings.fill(nullptr);
  doc->encodings[0] = &kWinAnsi;
  doc->encodings[1] = &kMacRoman;
  doc->encodings[2] = &kEbcdic;
}

bool loadFontRecord(PdfDocument* doc, FontRecord& record, const std::string& name)
{
  if (!doc)
    return false;
  // Loading fontconfig's configuration is slow: one locator per document.
  if (!doc->fontLocator)
    doc->fontLocator = std::make_shared<FontconfigLocator>();
  SystemFont font;
  if (!loadSystemFont(*doc->fontLocator, name, font))
    return false;
  const FontMetrics& m = font.metrics;
  record.kind = kTrueTypeFont;
  record.name = name;
  record.encodingIndex = m.encodingIndex;
  record.postScriptName = m.postScriptName;
  record.encodingName = m.encodingName;
  record.italicAngle = m.italicAngle;
  record.fixedPitch = m.fixedPitch;
  for (int i = 0; i < 4; ++i)
    record.boundingBox[i] = static_cast<float>(m.boundingBox[std::size_t(i)]);
  record.underlinePosition = m.underlinePosition;
  record.underlineThickness = m.underlineThickness;
  record.capHeight = m.capHeight;
  record.xHeight = m.xHeight;
  record.ascent = m.ascent;
  record.descent = m.descent;
  record.stemV = m.stemV;
  record.stemH = 0;
  std::copy(m.widths.begin(), m.widths.end(), record.widths.begin());
  record.fontFile = std::move(font.fontFile);
  record.tables = std::move(font.tables);
  record.flags = descriptorFlags(name, m);
  return true;
}

int addFont(PdfDocument* doc, const std::string& name, bool embed)
{
  if (!doc || doc->state == kClosed)
    return -1;
  for (std::size_t i = 0; i < doc->fonts.size(); ++i)
    if (equalIgnoringCase(doc->fonts[i].name, name))
      return static_cast<int>(i);

  std::string lookup = name;
  const auto multipleMaster = lookup.find("MM_");
  if (multipleMaster != std::string::npos) {
    if (embed)
      return -1;
    lookup.resize(multipleMaster + 2);
  }
  FontRecord record;
  if (!loadFontRecord(doc, record, lookup))
    return -1;
  record.name = name;
  record.objectNumber = reserveObject(doc);
  record.embed = embed;
  appendFont(doc, std::move(record));
  return static_cast<int>(doc->fonts.size() - 1);
}

int selectFont(PdfDocument* doc, int fontId, float size)
{
  if (!doc || doc->state != kPageInProgress || fontId < 0
      || std::size_t(fontId) >= doc->fonts.size() || size == 0)
    return -1;
  TextState& text = doc->level().text;
  if (text.fontIndex == fontId && text.fontSize == size)
    return -1;
  doc->fonts[std::size_t(fontId)].usedOnPage = true;
  text.fontIndex = fontId;
  text.fontSize = size;
  beginText(doc, false);
  setLeading(doc, size);
  return 0;
}

void selectFontStyle(PdfDocument* doc, bool bold, float italicAngle)
{
  if (!doc || doc->state != kPageInProgress)
    return;
  const TextState& text = doc->level().text;
  if (text.fontIndex < 0)
    return;
  const float size = text.fontSize;
  const std::uint32_t wanted = (bold ? kForceBold : 0u) | (italicAngle != 0 ? kItalic : 0u);
  const std::string& name = doc->fonts[std::size_t(text.fontIndex)].name;
  for (std::size_t i = 0; i < doc->fonts.size(); ++i) {
    const FontRecord& record = doc->fonts[i];
    if (record.name != name)
      continue;
    const bool match = wanted == 0 ? (record.flags & (kItalic | kForceBold)) == 0
                                   : (record.flags & wanted) == wanted
                                         && record.italicAngle == italicAngle;
    if (match) {
      selectFont(doc, static_cast<int>(i), size);
      return;
    }
  }

  FontRecord variant = doc->fonts[std::size_t(text.fontIndex)];
  variant.variant = true;
  variant.usedOnPage = false;
  variant.objectNumber = reserveObject(doc);
  variant.flags = bold ? variant.flags | kForceBold : variant.flags & ~std::uint32_t(kForceBold);
  if (italicAngle != 0) {
    variant.flags |= kItalic;
    variant.italicAngle = italicAngle;
  } else {
    variant.flags &= ~std::uint32_t(kItalic);
    variant.italicAngle = 0;
  }
  appendFont(doc, std::move(variant));
  selectFont(doc, static_cast<int>(doc->fonts.size() - 1), size);
}

void writeFontResources(PdfDocument* doc)
{
  if (!doc)
    return;
  bool any = false;
  for (std::size_t i = 0; i < doc->fonts.size(); ++i) {
    FontRecord& record = doc->fonts[i];
    if (!record.usedOnPage)
      continue;
    if (!any)
      writeString(doc, "/Font<<\n");
    any = true;
    record.usedOnPage = false;
    printPdf(doc, "/F%d %ld 0 R\n", static_cast<int>(i), record.objectNumber);
  }
  if (any)
    writeString(doc, ">>\n");
}

void writeFonts(PdfDocument* doc)
{
  if (!doc)
    return;
  for (std::size_t i = 0; i < doc->fonts.size(); ++i)
    writeTrueTypeFontObjects(doc, static_cast<int>(i));
}

void writeTrueTypeFontObjects(PdfDocument* doc, int index)
{
  if (!doc || index < 0 || std::size_t(index) >= doc->fonts.size())
    return;
  FontRecord& record = doc->fonts[std::size_t(index)];
  const bool cff = record.tables && hasCffOutlines(*record.tables);
  if (record.embed && !cff && record.fontFile)
    writeEmbeddedTrueTypeFont(doc, index);
  else
    writeTrueTypeFont(doc, index);
  // Variants share the tables; the last holder frees them.
  record.tables.reset();
}

void writeTrueTypeFont(PdfDocument* doc, int index)
{
  if (!doc || index < 0 || std::size_t(index) >= doc->fonts.size())
    return;
  std::int32_t descriptor = 0;
  const std::int32_t differences = writeFontDictionary(doc, index, true, descriptor);
  const FontRecord& record = doc->fonts[std::size_t(index)];
  writeFontDescriptor(doc, record, descriptor, -1);
  if (differences)
    writeEncodingDifferences(doc, record.encodingIndex, differences);
}

void writeEmbeddedTrueTypeFont(PdfDocument* doc, int index)
{
  if (!doc || index < 0 || std::size_t(index) >= doc->fonts.size())
    return;
  std::int32_t descriptor = 0;
  const std::int32_t differences = writeFontDictionary(doc, index, false, descriptor);
  FontRecord& record = doc->fonts[std::size_t(index)];
  const std::int32_t fontFileObject = reserveObject(doc);
  record.flags = kSymbolic;
  writeFontDescriptor(doc, record, descriptor, fontFileObject);
  if (differences)
    writeEncodingDifferences(doc, record.encodingIndex, differences);

  const std::vector<std::uint8_t>& file = *record.fontFile;
  writeObjectHeader(doc, fontFileObject);
  const std::int32_t length = reserveObject(doc);
  const std::int32_t length1 = reserveObject(doc);
  printPdf(doc, "<<\n/Length %ld 0 R\n/Length1 %ld 0 R\n", length, length1);
  const bool compress = doc->compressionLevel != 0 && !file.empty();
  if (compress)
    writeString(doc, "/Filter /FlateDecode\n");
  writeString(doc, ">>\nstream\n");
  const std::uint64_t start = currentPosition(doc);
  if (compress)
    beginFlateStream(doc, fontFileObject, 0);
  writeBytes(doc, file.data(), file.size());
  if (compress)
    endFlateStream(doc);
  const std::uint64_t streamLength = currentPosition(doc) - start;
  writeString(doc, "endstream\nendobj\n");
  writeObjectHeader(doc, length);
  printPdf(doc, "%ld\nendobj\n", static_cast<long long>(streamLength));
  writeObjectHeader(doc, length1);
  printPdf(doc, "%ld\nendobj\n", static_cast<long long>(file.size()));
}

void writeFontDescriptor(PdfDocument* doc, const FontRecord& record, std::int32_t objectNumber,
                         std::int32_t fontFileObject)
{
  if (!doc)
    return;
  writeObjectHeader(doc, objectNumber);
  writeString(doc, "<<\n/Type /FontDescriptor\n/FontName /");
  writeFontName(doc, record, true);
  writeLineBreakIfUncompressed(doc);
  printPdf(doc, "/Flags %ld\n", record.flags);
  const float* box = record.boundingBox;
  printPdf(doc, "/FontBBox [%d %d %d %d]\n", int(box[0]), int(box[1]), int(box[2]), int(box[3]));
  printPdf(doc, "/Ascent %d\n/CapHeight %d\n/Descent %d\n/ItalicAngle %d\n/StemV %d\n",
           record.ascent, record.capHeight, record.descent, static_cast<int>(record.italicAngle),
           record.stemV);
  if (record.stemH > 0)
    printPdf(doc, "/StemH %d\n", record.stemH);
  if (record.xHeight > 0)
    printPdf(doc, "/XHeight %d\n", record.xHeight);
  if (fontFileObject > 0)
    printPdf(doc, "/FontFile2 %ld 0 R\n", fontFileObject);
  writeString(doc, ">>\nendobj\n");
}

void writeEncodingDifferences(PdfDocument* doc, int encoding, std::int32_t objectNumber)
{
  if (!doc || encoding < 0 || std::size_t(encoding) >= doc->encodings.size())
    return;
  const EncodingRecord* record = doc->encodings[std::size_t(encoding)];
  writeObjectHeader(doc, objectNumber);
  writeString(doc, "<<\n/Type/Encoding\n/Differences[0\n");
  for (std::size_t code = 0; code < 256; ++code) {
    const char* name = record && record->glyphNames ? (*record->glyphNames)[code] : nullptr;
    printPdf(doc, "/%s\n", name ? name : ".notdef");
  }
  writeString(doc, "]\n>>\nendobj\n");
}

void freeFontTable(PdfDocument* doc)
{
  if (!doc)
    return;
  std::vector<FontRecord>().swap(doc->fonts);
  doc->encodings.fill(nullptr);
}

} // namespace quillet
