#pragma once

// Internal to the PDF writer: reads TrueType and CFF-flavoured OpenType fonts
// (sfnt files and faces of collections) and derives what a font descriptor and
// the /Widths of the WinAnsi byte codes need. Every read is checked against
// the table and the file: a field a table does not hold reads as 0, and a
// malformed font gives a failed load, never a read outside the bytes.

#include "pdfwriter/font_locator.h"

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quillet {

// Font-descriptor flags.
enum FontFlag : std::uint32_t {
  kFixedPitch = 0x1,
  kSymbolic = 0x4,
  kNonsymbolic = 0x20,
  kItalic = 0x40,
  kSmallCap = 0x20000,
  kForceBold = 0x40000,
};

struct OffsetTable {
  std::uint32_t sfntVersion = 0;
  std::uint16_t numTables = 0;
  std::uint16_t searchRange = 0;
  std::uint16_t entrySelector = 0;
  std::uint16_t rangeShift = 0;
};

struct TableDirectoryEntry {
  std::uint32_t tag = 0;
  std::uint32_t checksum = 0;
  std::uint32_t offset = 0;
  std::uint32_t length = 0;
};

// The format-4 subtable of the first platform-3 (Microsoft) cmap record.
struct CmapFormat4 {
  bool present = false;
  std::uint16_t encodingId = 0;
  std::uint16_t segCountX2 = 0;
  std::vector<std::uint16_t> endCodes;
  std::vector<std::uint16_t> startCodes;
  std::vector<std::uint16_t> idDeltas;
  std::vector<std::uint16_t> idRangeOffsets;
  std::vector<std::uint16_t> glyphIds;
};

struct HeadTable {
  std::uint32_t version = 0;
  std::uint32_t fontRevision = 0;
  std::uint32_t checkSumAdjustment = 0;
  std::uint32_t magicNumber = 0;
  std::uint16_t flags = 0;
  std::uint16_t unitsPerEm = 0;
  std::int64_t created = 0;
  std::int64_t modified = 0;
  std::int16_t xMin = 0;
  std::int16_t yMin = 0;
  std::int16_t xMax = 0;
  std::int16_t yMax = 0;
  std::uint16_t macStyle = 0;
  std::uint16_t lowestRecPPEM = 0;
  std::int16_t fontDirectionHint = 0;
  // 1 once the loca offsets are held as 32-bit values, whatever the file had.
  std::int16_t indexToLocFormat = 0;
  std::int16_t glyphDataFormat = 0;
};

struct HheaTable {
  std::uint32_t version = 0;
  std::int16_t ascender = 0;
  std::int16_t descender = 0;
  std::int16_t lineGap = 0;
  std::uint16_t advanceWidthMax = 0;
  std::int16_t minLeftSideBearing = 0;
  std::int16_t minRightSideBearing = 0;
  std::int16_t xMaxExtent = 0;
  std::int16_t caretSlopeRise = 0;
  std::int16_t caretSlopeRun = 0;
  std::int16_t caretOffset = 0;
  std::array<std::int16_t, 4> reserved{};
  std::int16_t metricDataFormat = 0;
  std::uint16_t numberOfHMetrics = 0;
};

// Version 0.5 (CFF fonts) holds only version and numGlyphs.
struct MaxpTable {
  std::uint32_t version = 0;
  std::uint16_t numGlyphs = 0;
  std::uint16_t maxPoints = 0;
  std::uint16_t maxContours = 0;
  std::uint16_t maxCompositePoints = 0;
  std::uint16_t maxCompositeContours = 0;
  std::uint16_t maxZones = 0;
  std::uint16_t maxTwilightPoints = 0;
  std::uint16_t maxStorage = 0;
  std::uint16_t maxFunctionDefs = 0;
  std::uint16_t maxInstructionDefs = 0;
  std::uint16_t maxStackElements = 0;
  std::uint16_t maxSizeOfInstructions = 0;
  std::uint16_t maxComponentElements = 0;
  std::uint16_t maxComponentDepth = 0;
};

struct LongHorMetric {
  std::uint16_t advanceWidth = 0;
  std::int16_t leftSideBearing = 0;
};

struct PostTable {
  std::uint32_t version = 0;
  float italicAngle = 0; // degrees
  std::int16_t underlinePosition = 0;
  std::int16_t underlineThickness = 0;
  std::uint32_t isFixedPitch = 0;
  std::uint32_t minMemType42 = 0;
  std::uint32_t maxMemType42 = 0;
  std::uint32_t minMemType1 = 0;
  std::uint32_t maxMemType1 = 0;
};

// Fields up to usMaxContext; those beyond the table or its version read as 0.
struct Os2Table {
  std::uint16_t version = 0;
  std::int16_t xAvgCharWidth = 0;
  std::uint16_t usWeightClass = 0;
  std::uint16_t usWidthClass = 0;
  std::uint16_t fsType = 0;
  std::int16_t ySubscriptXSize = 0;
  std::int16_t ySubscriptYSize = 0;
  std::int16_t ySubscriptXOffset = 0;
  std::int16_t ySubscriptYOffset = 0;
  std::int16_t ySuperscriptXSize = 0;
  std::int16_t ySuperscriptYSize = 0;
  std::int16_t ySuperscriptXOffset = 0;
  std::int16_t ySuperscriptYOffset = 0;
  std::int16_t yStrikeoutSize = 0;
  std::int16_t yStrikeoutPosition = 0;
  std::int16_t sFamilyClass = 0;
  std::array<std::uint8_t, 10> panose{};
  std::array<std::uint32_t, 4> ulUnicodeRange{};
  std::array<std::uint8_t, 4> achVendID{};
  std::uint16_t fsSelection = 0;
  std::uint16_t usFirstCharIndex = 0;
  std::uint16_t usLastCharIndex = 0;
  std::int16_t sTypoAscender = 0;
  std::int16_t sTypoDescender = 0;
  std::int16_t sTypoLineGap = 0;
  std::uint16_t usWinAscent = 0;
  std::uint16_t usWinDescent = 0;
  std::uint32_t ulCodePageRange1 = 0;
  std::uint32_t ulCodePageRange2 = 0;
  std::int16_t sxHeight = 0;
  std::int16_t sCapHeight = 0;
  std::uint16_t usDefaultChar = 0;
  std::uint16_t usBreakChar = 0;
  std::uint16_t usMaxContext = 0;
};

// The parsed tables of one font. A table the font lacks (or whose directory
// entry points outside the file) leaves its fields at 0 and its arrays empty.
struct TrueTypeData {
  std::string faceName;
  OffsetTable offsetTable;
  std::vector<TableDirectoryEntry> directory;
  CmapFormat4 cmap;
  HeadTable head;
  HheaTable hhea;
  MaxpTable maxp;
  // numberOfHMetrics long metrics, then a left side bearing for each further glyph.
  std::vector<LongHorMetric> hMetrics;
  std::vector<std::int16_t> leftSideBearings;
  // numGlyphs + 1 offsets into glyf; empty without a loca table.
  std::vector<std::uint32_t> loca;
  std::vector<std::uint8_t> fpgm;
  std::vector<std::uint8_t> cvt;
  std::vector<std::uint8_t> prep;
  // Name IDs 0 to 6 as 8-bit text.
  std::array<std::optional<std::string>, 7> names;
  PostTable post;
  Os2Table os2;
};

// Metrics in 1/1000 em as a font descriptor states them.
struct FontMetrics {
  // Symbolic for a symbol cmap (encoding ID 0), else 0; see descriptorFlags.
  std::uint32_t flags = 0;
  // -1 for a symbol font (no encoding), 0 (WinAnsi) otherwise.
  int encodingIndex = 0;
  std::string postScriptName;
  // "AdobeStandardEncoding" for a Unicode cmap, "FontSpecific" otherwise.
  std::string encodingName;
  float italicAngle = 0; // degrees
  bool fixedPitch = false;
  std::array<int, 4> boundingBox{}; // xMin, yMin, xMax, yMax
  int underlinePosition = 0;
  int underlineThickness = 0;
  int capHeight = 0;
  int xHeight = 0; // 0 when the font states none
  int ascent = 0;
  int descent = 0;
  int stemV = 0;
  std::array<int, 256> widths{}; // by byte code
  // The Windows character set of a CJK font (characterSetOf), else 0.
  std::uint8_t characterSet = 0;
};

// A font as loaded from the system. The file bytes and the parsed tables are
// shared, so style variants of the font can hold them as well.
struct SystemFont {
  std::shared_ptr<const std::vector<std::uint8_t>> fontFile;
  std::shared_ptr<const TrueTypeData> tables;
  FontMetrics metrics;
};

// Fills `fontFile` with the font the locator gives for the face name: the
// file itself, or the located face of a collection extracted into a file of
// its own. False when nothing is found or the result is not a TrueType or
// OpenType ("OTTO") font of more than 9 bytes.
bool readFontFile(const FontLocator& locator, const std::string& faceName,
                  std::vector<std::uint8_t>& fontFile);

// Reads the offset table, the directory and the tables the writer uses.
void parseTrueTypeTables(std::span<const std::uint8_t> fontFile, TrueTypeData& data);

// Glyph index of a character code through the format-4 cmap; 0 when the code
// is not mapped or the cmap points outside its glyph-id array.
std::uint16_t cmapLookup(const TrueTypeData& data, std::uint32_t code);

// The Windows character set the font's OS/2 code pages declare: the first
// of 936 (134), 950 (136), 932 (128) and 949 (129) in that order, or 0 for
// none and for a table without code-page fields (version 0).
std::uint8_t characterSetOf(const Os2Table& os2);

// True for CFF outlines ("OTTO"), which a /FontFile2 stream cannot carry.
bool hasCffOutlines(const TrueTypeData& data);

// Loads the font for `name` (less than 32 characters) and derives its
// metrics. False when the name is too long, no usable font file is found or
// the font has no format-4 Microsoft cmap; `font` is then untouched.
bool loadSystemFont(const FontLocator& locator, const std::string& name, SystemFont& font);

// The descriptor flags of a font added under `name`: the loader's flags plus
// FixedPitch, Nonsymbolic or Symbolic, Italic for a negative angle, SmallCap
// for a name holding "Caps" or ending in "SC", ForceBold for a name holding
// "Bold" or a StemV above 135.
std::uint32_t descriptorFlags(std::string_view name, const FontMetrics& metrics);

} // namespace quillet
