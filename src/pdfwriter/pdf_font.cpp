#include "pdfwriter/pdf_font.h"

#include "pdfwriter/encoding_tables.h"
#include "pdfwriter/pdf_output.h"
#include "pdfwriter/pdf_security.h"
#include "pdfwriter/pdf_text.h"
#include "pdfwriter/pdf_type1_font.h"
#include "pdfwriter/text_encoding.h"
#include "pdfwriter/truetype_font.h"
#include "pdfwriter/truetype_subset.h"

#include <algorithm>
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
  writeWidthLines(doc, record);
  const std::int32_t differences = writeEncodingEntry(doc, record);
  descriptor = reserveObject(doc);
  printPdf(doc, "/FontDescriptor %ld 0 R\n>>\nendobj\n", descriptor);
  return differences;
}

} // namespace

const char* styleSuffix(std::uint32_t flags)
{
  const bool italic = flags & kItalic;
  const bool bold = flags & kForceBold;
  return italic && bold ? ",BoldItalic" : italic ? ",Italic" : bold ? ",Bold" : "";
}

void writeSystemInfo(PdfDocument* doc, std::int32_t descendant, std::string_view ordering,
                     int supplement, std::string_view lineBreak, std::string_view gap)
{
  writeString(doc, "/CIDSystemInfo");
  writeString(doc, lineBreak);
  writeString(doc, "<<");
  writeString(doc, lineBreak);
  writeString(doc, "/Registry");
  writeString(doc, gap);
  writeTextString(doc, descendant, "Adobe");
  writeString(doc, lineBreak);
  writeString(doc, "/Ordering");
  writeString(doc, gap);
  writeTextString(doc, descendant, ordering);
  writeString(doc, lineBreak);
  printPdf(doc, "/Supplement %d", supplement);
  writeString(doc, lineBreak);
  writeString(doc, ">>\n");
}

void writeWidthLines(PdfDocument* doc, const FontRecord& record)
{
  for (int row = 0; row < 16; ++row) {
    for (int column = 0; column < 16; ++column)
      printPdf(doc, " %d", record.widths[std::size_t(row * 16 + column)]);
    writeChar(doc, '\n');
  }
  writeString(doc, "]\n");
}

std::int32_t writeEncodingEntry(PdfDocument* doc, const FontRecord& record)
{
  if (record.encodingIndex < 0 || std::size_t(record.encodingIndex) >= doc->encodings.size())
    return 0;
  const EncodingRecord* encoding = doc->encodings[std::size_t(record.encodingIndex)];
  if (encoding && encoding->pdfName) {
    printPdf(doc, "/Encoding /%s\n", encoding->pdfName);
    return 0;
  }
  const std::int32_t differences = reserveObject(doc);
  printPdf(doc, "/Encoding %ld 0 R\n", differences);
  return differences;
}

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
  if (!doc->fontLocator)
    doc->fontLocator = systemFontLocator();
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
  record.characterSet = m.characterSet;
  record.cjk = m.characterSet != 0;
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
  variant.usedCharacters.clear();
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
  // A record of an unknown kind is left out; the fonts after it are still
  // written, so that no page names an empty object.
  for (std::size_t i = 0; i < doc->fonts.size(); ++i) {
    const int index = static_cast<int>(i);
    switch (doc->fonts[i].kind) {
    case kType1Font:
    case kMultipleMasterFont:
      writeType1Font(doc, index);
      break;
    case kCompactType1Font:
    case kTrueTypeFont:
      writeTrueTypeFontObjects(doc, index);
      break;
    case kCidType0Font:
      writeCidType0Font(doc, index);
      break;
    default:
      break;
    }
  }
}

void writeTrueTypeFontObjects(PdfDocument* doc, int index)
{
  if (!doc || index < 0 || std::size_t(index) >= doc->fonts.size())
    return;
  FontRecord& record = doc->fonts[std::size_t(index)];
  const bool cff = record.tables && hasCffOutlines(*record.tables);
  if (record.cjk && embedsCjkSubset(record))
    writeEmbeddedCjkFont(doc, index);
  else if (record.cjk)
    writeCjkFont(doc, index);
  else if (record.embed && !cff && record.fontFile)
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

  writeFontFileStream(doc, fontFileObject, *record.fontFile);
}

void writeFontFileStream(PdfDocument* doc, std::int32_t objectNumber,
                         std::span<const std::uint8_t> bytes)
{
  if (!doc)
    return;
  writeObjectHeader(doc, objectNumber);
  const std::int32_t length = reserveObject(doc);
  const std::int32_t length1 = reserveObject(doc);
  printPdf(doc, "<<\n/Length %ld 0 R\n/Length1 %ld 0 R\n", length, length1);
  const bool compress = doc->compressionLevel != 0 && !bytes.empty();
  if (compress)
    writeString(doc, "/Filter /FlateDecode\n");
  writeString(doc, ">>\nstream\n");
  const std::uint64_t start = currentPosition(doc);
  if (compress)
    beginFlateStream(doc, objectNumber, 0);
  writeBytes(doc, bytes.data(), bytes.size());
  if (compress)
    endFlateStream(doc);
  const std::uint64_t streamLength = currentPosition(doc) - start;
  writeString(doc, "endstream\nendobj\n");
  writeObjectHeader(doc, length);
  printPdf(doc, "%ld\nendobj\n", static_cast<long long>(streamLength));
  writeObjectHeader(doc, length1);
  printPdf(doc, "%ld\nendobj\n", static_cast<long long>(bytes.size()));
}

namespace {

struct CjkCollection {
  std::uint8_t characterSet;
  const char* cmap;
  const char* ordering;
  int supplement;
};

// The predefined CMap of each character set and the character collection
// it is defined over.
constexpr CjkCollection kCjkCollections[] = {
    {128, "90ms-RKSJ-H", "Japan1", 2},
    {129, "KSCms-UHC-H", "Korea1", 1},
    {134, "GBK-EUC-H", "GB1", 2},
    {136, "ETen-B5-H", "CNS1", 0},
};

const CjkCollection& collectionOf(std::uint8_t characterSet)
{
  for (const auto& c : kCjkCollections)
    if (c.characterSet == characterSet)
      return c;
  return kCjkCollections[2];
}

void writeBaseName(PdfDocument* doc, const FontRecord& record, const std::string& prefix)
{
  writeString(doc, prefix);
  writeFontName(doc, record, false);
  writeLineBreakIfUncompressed(doc);
}

void writeCjkDescriptorHead(PdfDocument* doc, const FontRecord& record, const std::string& prefix)
{
  writeString(doc, "<<\n/Type /FontDescriptor\n/FontName /");
  writeBaseName(doc, record, prefix);
  printPdf(doc, "/Flags %ld\n", record.flags);
  const float* box = record.boundingBox;
  printPdf(doc, "/FontBBox [%d %d %d %d]\n", int(box[0]), int(box[1]), int(box[2]), int(box[3]));
  printPdf(doc, "/MissingWidth 500\n/ItalicAngle %d\n/StemV %d\n",
           static_cast<int>(record.italicAngle), record.stemV);
}

} // namespace

void writeCjkFont(PdfDocument* doc, int index)
{
  if (!doc || index < 0 || std::size_t(index) >= doc->fonts.size())
    return;
  const FontRecord& record = doc->fonts[std::size_t(index)];
  const CjkCollection& collection = collectionOf(record.characterSet);
  const std::int32_t descriptor = reserveObject(doc);
  const std::int32_t descendant = reserveObject(doc);
  writeObjectHeader(doc, record.objectNumber);
  writeString(doc, "<<\n/Type /Font\n/Subtype /Type0\n/BaseFont /");
  writeBaseName(doc, record, "");
  printPdf(doc, "/DescendantFonts [%d 0 R]\n/Encoding /%s\n>>\nendobj\n", descendant,
           collection.cmap);

  writeObjectHeader(doc, descendant);
  writeString(doc, "<<\n/Type /Font\n/Subtype /CIDFontType2\n/BaseFont /");
  writeBaseName(doc, record, "");
  printPdf(doc, "/WinCharSet %d/FontDescriptor %d 0 R\n", int(record.characterSet), descriptor);
  writeSystemInfo(doc, descendant, collection.ordering, collection.supplement, "\n", "");
  writeString(doc, ">>\nendobj\n");

  writeObjectHeader(doc, descriptor);
  writeCjkDescriptorHead(doc, record, "");
  if (record.stemH > 0)
    printPdf(doc, "/StemH %d\n", record.stemH);
  if (record.stemV > 0)
    printPdf(doc, "/StdVW %d\n", record.stemV);
  if (record.xHeight > 0)
    printPdf(doc, "/XHeight %d\n", record.xHeight);
  printPdf(doc, "/CapHeight %d\n/Ascent %d\n/Descent %d\n", record.capHeight, record.ascent,
           record.descent);
  writeString(doc, "/Leading 141\n/MaxWidth 1000\n/AvgWidth 500\n/Style\n"
                   "<< /Panose <000000000000000000000000> >>\n/FirstChar 0\n/LastChar 255\n"
                   "/Widths [\n");
  writeWidthLines(doc, record);
  writeString(doc, ">>\nendobj\n");
}

void writeEmbeddedCjkFont(PdfDocument* doc, int index)
{
  if (!doc || index < 0 || std::size_t(index) >= doc->fonts.size())
    return;
  FontRecord& record = doc->fonts[std::size_t(index)];
  const std::string prefix = subsetTag(index) + "+";
  const std::int32_t descriptor = reserveObject(doc);
  const std::int32_t descendant = reserveObject(doc);
  const std::int32_t fontFile = reserveObject(doc);
  writeObjectHeader(doc, record.objectNumber);
  printPdf(doc, "<<\n/Type /Font\n/Subtype /Type0\n/Name /F%d\n/BaseFont /", index);
  writeBaseName(doc, record, prefix);
  const std::int32_t toUnicode = reserveObject(doc);
  printPdf(doc, "/DescendantFonts [%d 0 R]\n/Encoding /Identity-H\n/ToUnicode %d 0 R\n>>\n"
                "endobj\n",
           descendant, toUnicode);

  writeObjectHeader(doc, descendant);
  writeString(doc, "<<\n/Type /Font\n/Subtype /CIDFontType2\n/BaseFont /");
  writeBaseName(doc, record, prefix);
  printPdf(doc, "/FontDescriptor %d 0 R\n", descriptor);
  writeSystemInfo(doc, descendant, "Identity", 0, "\n", " ");
  writeString(doc, "/DW 1000\n>>\nendobj\n");

  record.flags = kSymbolic;
  writeObjectHeader(doc, descriptor);
  writeCjkDescriptorHead(doc, record, prefix);
  if (record.stemH > 0)
    printPdf(doc, "/StemH %d\n", record.stemH);
  if (record.xHeight > 0)
    printPdf(doc, "/XHeight %d\n", record.xHeight);
  printPdf(doc, "/CapHeight %d\n/Ascent %d\n/Descent %d\n/FontFile2 %d 0 R\n>>\nendobj\n",
           record.capHeight, record.ascent, record.descent, fontFile);

  writeSubsetFontFile(doc, record, fontFile);
  writeToUnicodeCMap(doc, index, toUnicode);
}

bool embedsCjkSubset(const FontRecord& record)
{
  const auto& file = record.fontFile;
  return record.cjk && record.embed && file && file->size() >= 4 &&
         !std::equal(file->begin(), file->begin() + 4, "OTTO");
}

std::string selectedFontBytes(PdfDocument* doc, std::string_view utf8)
{
  const int font = doc ? doc->level().text.fontIndex : -1;
  if (font < 0 || std::size_t(font) >= doc->fonts.size() || !doc->fonts[std::size_t(font)].cjk)
    return utf8ToCp1252(utf8);
  const FontRecord& record = doc->fonts[std::size_t(font)];
  if (!embedsCjkSubset(record))
    return utf8ToCodePage(utf8, codePageOf(record.characterSet));
  std::string out;
  for (char16_t unit : utf8ToUtf16Units(utf8)) {
    out += static_cast<char>(unit >> 8);
    out += static_cast<char>(unit & 0xFF);
  }
  return out;
}

std::string subsetCodes(FontRecord& record, const char* units, std::size_t count)
{
  std::string out;
  for (std::size_t i = 0; i + 1 < count; i += 2) {
    const auto unit = static_cast<std::uint16_t>(static_cast<unsigned char>(units[i]) << 8 |
                                                 static_cast<unsigned char>(units[i + 1]));
    auto& used = record.usedCharacters;
    auto found = std::find(used.begin(), used.end(), unit);
    std::size_t code = 0;
    if (found != used.end()) {
      code = std::size_t(found - used.begin()) + 1;
    } else if (used.size() < 0xFFFF) {
      used.push_back(unit);
      code = used.size();
    }
    out += static_cast<char>(code >> 8);
    out += static_cast<char>(code & 0xFF);
  }
  return out;
}

std::string subsetTag(int index)
{
  std::string tag(6, 'A');
  unsigned rest = static_cast<unsigned>(std::max(index, 0));
  for (int i = 5; i >= 0 && rest > 0; --i, rest /= 26)
    tag[std::size_t(i)] = static_cast<char>('A' + rest % 26);
  return tag;
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
