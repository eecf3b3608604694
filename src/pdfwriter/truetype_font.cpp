#include "pdfwriter/truetype_font.h"

#include "pdfwriter/byte_view.h"
#include "pdfwriter/encoding_tables.h"

#include <algorithm>
#include <cstdlib>
#include <map>
#include <mutex>
#include <optional>
#include <tuple>

#include <sys/stat.h>

namespace quillet {

namespace {

constexpr std::uint32_t kTrueTypeMagic = 0x00010000;
constexpr std::uint32_t kCffMagic = makeTag("OTTO");
constexpr std::uint32_t kCollectionMagic = makeTag("ttcf");

// A collection face as a file of its own: its directory with the tables
// copied behind it (each padded to 4 bytes) and the offsets rewritten.
// Empty when the face or one of its tables lies outside the file, or when its
// tables add up to more than the file (they would overlap, and a crafted
// directory could otherwise ask for gigabytes).
std::vector<std::uint8_t> extractCollectionFace(ByteView file, std::uint32_t faceIndex)
{
  const std::uint32_t numFonts = file.u32(8);
  if (faceIndex >= numFonts || !file.holds(12 + std::size_t(faceIndex) * 4, 4))
    return {};
  const std::size_t faceOffset = file.u32(12 + std::size_t(faceIndex) * 4);
  const std::size_t numTables = file.u16(faceOffset + 4);
  const std::size_t headerSize = 12 + 16 * numTables;
  const ByteView header = file.sub(faceOffset, headerSize);
  if (header.empty())
    return {};

  std::size_t total = 0;
  for (std::size_t n = 0; n < numTables; ++n)
    total += header.u32(12 + 16 * n + 12);
  if (total > file.size())
    return {};

  std::vector<std::uint8_t> out(header.bytes().begin(), header.bytes().end());
  out.reserve(headerSize + total + 3 * numTables);
  for (std::size_t n = 0; n < numTables; ++n) {
    const std::size_t entry = 12 + 16 * n;
    const ByteView table = file.sub(header.u32(entry + 8), header.u32(entry + 12));
    if (table.empty() && header.u32(entry + 12) != 0)
      return {};
    const std::uint32_t newOffset = static_cast<std::uint32_t>(out.size());
    for (int b = 0; b < 4; ++b)
      out[entry + 8 + b] = static_cast<std::uint8_t>(newOffset >> (24 - 8 * b));
    out.insert(out.end(), table.bytes().begin(), table.bytes().end());
    out.resize((out.size() + 3) & ~std::size_t(3), 0);
  }
  return out;
}

// The table with this tag; empty when the font lacks it or its directory
// entry points outside the file.
ByteView findTable(ByteView file, const TrueTypeData& data, std::uint32_t tag)
{
  for (const auto& entry : data.directory) {
    if (entry.tag == tag)
      return file.sub(entry.offset, entry.length);
  }
  return {};
}

std::vector<std::uint8_t> copyTable(ByteView table)
{
  return {table.bytes().begin(), table.bytes().end()};
}

void readCmap(ByteView cmap, CmapFormat4& out)
{
  out = CmapFormat4();
  const std::size_t numTables = cmap.u16(2);
  // A cmap with more than 32 encoding records is not read.
  if (8 * numTables > 256)
    return;
  for (std::size_t n = 0; n < numTables && cmap.holds(4 + 8 * n, 8); ++n) {
    const std::size_t record = 4 + 8 * n;
    if (cmap.u16(record) != 3)
      continue;
    const std::size_t offset = cmap.u32(record + 4);
    if (offset == 0)
      return;
    const ByteView subtable = cmap.sub(offset, cmap.size() - std::min(offset, cmap.size()));
    if (!subtable.holds(0, 14) || subtable.u16(0) != 4)
      return;
    const std::size_t length = subtable.u16(2);
    const std::size_t segCount = subtable.u16(6) / 2;
    const std::size_t endCodes = 14;
    const std::size_t startCodes = endCodes + 2 * segCount + 2;
    const std::size_t idDeltas = startCodes + 2 * segCount;
    const std::size_t idRangeOffsets = idDeltas + 2 * segCount;
    const std::size_t glyphIds = idRangeOffsets + 2 * segCount;
    if (!subtable.holds(0, glyphIds))
      return;

    out.present = true;
    out.encodingId = cmap.u16(record + 2);
    out.segCountX2 = static_cast<std::uint16_t>(2 * segCount);
    auto readArray = [&](std::size_t at, std::size_t count) {
      std::vector<std::uint16_t> values(count);
      for (std::size_t i = 0; i < count; ++i)
        values[i] = subtable.u16(at + 2 * i);
      return values;
    };
    out.endCodes = readArray(endCodes, segCount);
    out.startCodes = readArray(startCodes, segCount);
    out.idDeltas = readArray(idDeltas, segCount);
    out.idRangeOffsets = readArray(idRangeOffsets, segCount);
    // The subtable's own length sizes the glyph-id array; entries beyond
    // the cmap table are left out.
    const long stated = (static_cast<long>(length) - 8 * static_cast<long>(segCount) - 16) / 2;
    const std::size_t available = (subtable.size() - glyphIds) / 2;
    const std::size_t glyphCount = stated > 0 ? std::min<std::size_t>(stated, available) : 0;
    out.glyphIds = readArray(glyphIds, glyphCount);
    return;
  }
}

void readHead(ByteView t, HeadTable& h)
{
  h.version = t.u32(0);
  h.fontRevision = t.u32(4);
  h.checkSumAdjustment = t.u32(8);
  h.magicNumber = t.u32(12);
  h.flags = t.u16(16);
  h.unitsPerEm = t.u16(18);
  h.created = t.s64(20);
  h.modified = t.s64(28);
  h.xMin = t.s16(36);
  h.yMin = t.s16(38);
  h.xMax = t.s16(40);
  h.yMax = t.s16(42);
  h.macStyle = t.u16(44);
  h.lowestRecPPEM = t.u16(46);
  h.fontDirectionHint = t.s16(48);
  h.indexToLocFormat = t.s16(50);
  h.glyphDataFormat = t.s16(52);
}

void readHhea(ByteView t, HheaTable& h)
{
  h.version = t.u32(0);
  h.ascender = t.s16(4);
  h.descender = t.s16(6);
  h.lineGap = t.s16(8);
  h.advanceWidthMax = t.u16(10);
  h.minLeftSideBearing = t.s16(12);
  h.minRightSideBearing = t.s16(14);
  h.xMaxExtent = t.s16(16);
  h.caretSlopeRise = t.s16(18);
  h.caretSlopeRun = t.s16(20);
  h.caretOffset = t.s16(22);
  for (std::size_t n = 0; n < h.reserved.size(); ++n)
    h.reserved[n] = t.s16(24 + 2 * n);
  h.metricDataFormat = t.s16(32);
  h.numberOfHMetrics = t.u16(34);
}

void readMaxp(ByteView t, MaxpTable& m)
{
  m.version = t.u32(0);
  m.numGlyphs = t.u16(4);
  std::uint16_t* const fields[] = {
    &m.maxPoints, &m.maxContours, &m.maxCompositePoints, &m.maxCompositeContours,
    &m.maxZones, &m.maxTwilightPoints, &m.maxStorage, &m.maxFunctionDefs,
    &m.maxInstructionDefs, &m.maxStackElements, &m.maxSizeOfInstructions,
    &m.maxComponentElements, &m.maxComponentDepth,
  };
  for (std::size_t n = 0; n < std::size(fields); ++n)
    *fields[n] = t.u16(6 + 2 * n);
}

void readPost(ByteView t, PostTable& p)
{
  p.version = t.u32(0);
  p.italicAngle = static_cast<float>(static_cast<std::int32_t>(t.u32(4)) / 65536.0);
  p.underlinePosition = t.s16(8);
  p.underlineThickness = t.s16(10);
  p.isFixedPitch = t.u32(12);
  p.minMemType42 = t.u32(16);
  p.maxMemType42 = t.u32(20);
  p.minMemType1 = t.u32(24);
  p.maxMemType1 = t.u32(28);
}

void readOs2(ByteView table, Os2Table& o)
{
  o.version = table.u16(0);
  // Read no further than the version defines: a version-1 table is 86 bytes,
  // and what follows it belongs to another table.
  const std::size_t versionSize = o.version == 0 ? 78 : o.version == 1 ? 86 : o.version < 5 ? 96 : 100;
  const ByteView t = table.prefix(versionSize);
  o.xAvgCharWidth = t.s16(2);
  o.usWeightClass = t.u16(4);
  o.usWidthClass = t.u16(6);
  o.fsType = t.u16(8);
  o.ySubscriptXSize = t.s16(10);
  o.ySubscriptYSize = t.s16(12);
  o.ySubscriptXOffset = t.s16(14);
  o.ySubscriptYOffset = t.s16(16);
  o.ySuperscriptXSize = t.s16(18);
  o.ySuperscriptYSize = t.s16(20);
  o.ySuperscriptXOffset = t.s16(22);
  o.ySuperscriptYOffset = t.s16(24);
  o.yStrikeoutSize = t.s16(26);
  o.yStrikeoutPosition = t.s16(28);
  o.sFamilyClass = t.s16(30);
  for (std::size_t n = 0; n < o.panose.size(); ++n)
    o.panose[n] = t.u8(32 + n);
  for (std::size_t n = 0; n < o.ulUnicodeRange.size(); ++n)
    o.ulUnicodeRange[n] = t.u32(42 + 4 * n);
  for (std::size_t n = 0; n < o.achVendID.size(); ++n)
    o.achVendID[n] = t.u8(58 + n);
  o.fsSelection = t.u16(62);
  o.usFirstCharIndex = t.u16(64);
  o.usLastCharIndex = t.u16(66);
  o.sTypoAscender = t.s16(68);
  o.sTypoDescender = t.s16(70);
  o.sTypoLineGap = t.s16(72);
  o.usWinAscent = t.u16(74);
  o.usWinDescent = t.u16(76);
  o.ulCodePageRange1 = t.u32(78);
  o.ulCodePageRange2 = t.u32(82);
  o.sxHeight = t.s16(86);
  o.sCapHeight = t.s16(88);
  o.usDefaultChar = t.u16(90);
  o.usBreakChar = t.u16(92);
  o.usMaxContext = t.u16(94);
}

void readNames(ByteView t, std::array<std::optional<std::string>, 7>& names)
{
  names = {};
  const std::size_t count = t.u16(2);
  const std::size_t stringOffset = t.u16(4);
  for (std::size_t n = 0; n < count && t.holds(6 + 12 * n, 12); ++n) {
    const std::size_t record = 6 + 12 * n;
    const std::uint16_t platform = t.u16(record);
    const std::uint16_t language = t.u16(record + 4);
    const std::uint16_t nameId = t.u16(record + 6);
    if (nameId >= names.size() || names[nameId])
      continue;
    if (!(platform == 1 || (platform == 3 && language == 0x0409)))
      continue;
    // A string outside the table does not count as a candidate.
    const ByteView text = t.sub(stringOffset + t.u16(record + 10), t.u16(record + 8));
    if (text.empty() && t.u16(record + 8) != 0)
      continue;
    std::string value;
    if (platform == 3) {
      // UTF-16: keep the low byte of each unit.
      for (std::size_t i = 1; i < text.size(); i += 2)
        value.push_back(static_cast<char>(text.u8(i)));
    } else {
      value.assign(text.bytes().begin(), text.bytes().end());
    }
    names[nameId] = std::move(value);
  }
}

// v × 1000 / unitsPerEm, rounded half away from zero.
int scale(int value, int unitsPerEm)
{
  if (unitsPerEm <= 0)
    return 0;
  const long magnitude = (2L * std::abs(value) * 1000 + unitsPerEm) / (2L * unitsPerEm);
  return static_cast<int>(value < 0 ? -magnitude : magnitude);
}

int advanceWidth(const TrueTypeData& data, std::uint16_t glyph)
{
  if (data.hMetrics.empty())
    return 0;
  if (glyph < data.hMetrics.size())
    return data.hMetrics[glyph].advanceWidth;
  return data.hMetrics.back().advanceWidth;
}

FontMetrics computeFontMetrics(const TrueTypeData& data)
{
  FontMetrics m;
  const bool symbolic = data.cmap.encodingId == 0;
  if (symbolic) {
    m.flags |= kSymbolic;
    m.encodingIndex = -1;
  }
  m.postScriptName = data.names[6].value_or(data.names[4].value_or(std::string()));
  const double weight = data.os2.usWeightClass / 65.0;
  m.stemV = static_cast<int>(weight * weight + 50);
  m.italicAngle = data.post.italicAngle;
  m.fixedPitch = data.post.isFixedPitch != 0;

  const int upm = data.head.unitsPerEm;
  m.boundingBox = {scale(data.head.xMin, upm), scale(data.head.yMin, upm),
                   scale(data.head.xMax, upm), scale(data.head.yMax, upm)};
  m.underlinePosition = scale(data.post.underlinePosition, upm);
  m.underlineThickness = scale(data.post.underlineThickness, upm);
  m.capHeight = data.os2.sCapHeight == 0 ? 666 : scale(data.os2.sCapHeight, upm);
  m.xHeight = scale(data.os2.sxHeight, upm);
  m.ascent = scale(data.os2.sTypoAscender, upm);
  m.descent = scale(data.os2.sTypoDescender, upm);
  m.encodingName = data.cmap.encodingId == 1 ? "AdobeStandardEncoding" : "FontSpecific";
  m.characterSet = characterSetOf(data.os2);

  for (std::size_t code = 0; code < m.widths.size(); ++code) {
    const std::uint32_t unicode = symbolic ? code + (data.os2.usFirstCharIndex & 0xFF00u)
                                           : kWinAnsiUnicode[code];
    const int advance = advanceWidth(data, cmapLookup(data, unicode));
    m.widths[code] = upm > 0 ? advance * 1000 / upm : 0;
  }
  return m;
}

} // namespace

bool readFontFile(const FontLocator& locator, const std::string& faceName,
                  std::vector<std::uint8_t>& fontFile)
{
  auto located = locator.locate(faceName);
  if (!located)
    return false;
  std::vector<std::uint8_t> bytes = std::move(located->bytes);
  const ByteView file(bytes);
  if (file.u32(0) == kCollectionMagic) {
    // The low 16 bits name the face; the rest would pick a named instance
    // of a variable font, which is read as its default instance.
    bytes = extractCollectionFace(file, static_cast<std::uint32_t>(located->faceIndex) & 0xFFFF);
  }
  if (bytes.size() <= 9)
    return false;
  const std::uint32_t magic = ByteView(bytes).u32(0);
  if (magic != kTrueTypeMagic && magic != kCffMagic)
    return false;
  fontFile = std::move(bytes);
  return true;
}

void parseTrueTypeTables(std::span<const std::uint8_t> fontFile, TrueTypeData& data)
{
  const ByteView file(fontFile);
  data.offsetTable = {file.u32(0), file.u16(4), file.u16(6), file.u16(8), file.u16(10)};
  data.directory.clear();
  for (std::size_t n = 0; n < data.offsetTable.numTables && file.holds(12 + 16 * n, 16); ++n) {
    const std::size_t at = 12 + 16 * n;
    data.directory.push_back({file.u32(at), file.u32(at + 4), file.u32(at + 8), file.u32(at + 12)});
  }

  readCmap(findTable(file, data, makeTag("cmap")), data.cmap);
  readHead(findTable(file, data, makeTag("head")), data.head);
  readHhea(findTable(file, data, makeTag("hhea")), data.hhea);
  readMaxp(findTable(file, data, makeTag("maxp")), data.maxp);

  data.loca.clear();
  const ByteView loca = findTable(file, data, makeTag("loca"));
  if (!loca.empty()) {
    const bool shortOffsets = data.head.indexToLocFormat == 0;
    data.loca.resize(std::size_t(data.maxp.numGlyphs) + 1);
    for (std::size_t n = 0; n < data.loca.size(); ++n)
      data.loca[n] = shortOffsets ? 2u * loca.u16(2 * n) : loca.u32(4 * n);
  }
  data.head.indexToLocFormat = 1;

  data.fpgm = copyTable(findTable(file, data, makeTag("fpgm")));
  data.cvt = copyTable(findTable(file, data, makeTag("cvt ")));
  data.prep = copyTable(findTable(file, data, makeTag("prep")));

  data.hMetrics.clear();
  data.leftSideBearings.clear();
  const ByteView hmtx = findTable(file, data, makeTag("hmtx"));
  if (!hmtx.empty()) {
    const std::size_t longCount = data.hhea.numberOfHMetrics;
    data.hMetrics.resize(longCount);
    for (std::size_t n = 0; n < longCount; ++n)
      data.hMetrics[n] = {hmtx.u16(4 * n), hmtx.s16(4 * n + 2)};
    if (data.maxp.numGlyphs > longCount) {
      data.leftSideBearings.resize(data.maxp.numGlyphs - longCount);
      for (std::size_t n = 0; n < data.leftSideBearings.size(); ++n)
        data.leftSideBearings[n] = hmtx.s16(4 * longCount + 2 * n);
    }
  }

  readNames(findTable(file, data, makeTag("name")), data.names);
  data.post = PostTable();
  readPost(findTable(file, data, makeTag("post")), data.post);
  data.os2 = Os2Table();
  readOs2(findTable(file, data, makeTag("OS/2")), data.os2);
}

std::uint16_t cmapLookup(const TrueTypeData& data, std::uint32_t code)
{
  const CmapFormat4& cmap = data.cmap;
  const std::size_t segCount = cmap.endCodes.size();
  for (std::size_t n = 0; n < segCount; ++n) {
    if (cmap.endCodes[n] < code)
      continue;
    if (code < cmap.startCodes[n])
      return 0;
    const std::uint16_t delta = cmap.idDeltas[n];
    if (cmap.idRangeOffsets[n] == 0)
      return static_cast<std::uint16_t>(code + delta);
    // The offset counts from the segment's own entry in the offset array,
    // which the glyph-id array directly follows.
    const long index = cmap.idRangeOffsets[n] / 2 + static_cast<long>(code - cmap.startCodes[n])
                       + static_cast<long>(n) - static_cast<long>(segCount);
    if (index < 0 || static_cast<std::size_t>(index) >= cmap.glyphIds.size())
      return 0;
    const std::uint16_t glyph = cmap.glyphIds[static_cast<std::size_t>(index)];
    return glyph == 0 ? 0 : static_cast<std::uint16_t>(glyph + delta);
  }
  return 0;
}

std::uint8_t characterSetOf(const Os2Table& os2)
{
  constexpr struct {
    int bit;
    std::uint8_t set;
  } kSets[] = {{18, 134}, {20, 136}, {17, 128}, {19, 129}};
  for (const auto& s : kSets)
    if (os2.ulCodePageRange1 & (1u << s.bit))
      return s.set;
  return 0;
}

bool hasCffOutlines(const TrueTypeData& data)
{
  return data.offsetTable.sfntVersion == kCffMagic;
}

namespace {

// A font as read and parsed, by face name and the file's identity.
struct FontCacheKey {
  std::string name;
  std::string path;
  int faceIndex;
  std::int64_t size;
  std::int64_t modified;
  bool operator<(const FontCacheKey& o) const
  {
    return std::tie(name, path, faceIndex, size, modified) <
           std::tie(o.name, o.path, o.faceIndex, o.size, o.modified);
  }
};

struct FontCache {
  std::mutex mutex;
  std::map<FontCacheKey, SystemFont> fonts;
};

FontCache& fontCache()
{
  static FontCache cache;
  return cache;
}

// The key of the file the locator names; nullopt when it names none.
std::optional<FontCacheKey> cacheKey(const FontLocator& locator, const std::string& name)
{
  const auto file = locator.fileOf(name);
  struct stat status {};
  if (!file || ::stat(file->path.c_str(), &status) != 0)
    return std::nullopt;
  return FontCacheKey{name, file->path, file->faceIndex, static_cast<std::int64_t>(status.st_size),
                      static_cast<std::int64_t>(status.st_mtim.tv_sec) * 1000000000 +
                          status.st_mtim.tv_nsec};
}

} // namespace

bool loadSystemFont(const FontLocator& locator, const std::string& name, SystemFont& font)
{
  if (name.size() >= 32)
    return false;
  // Every document asks for the same few fonts: each is read and parsed
  // once per process, again only when its file changes.
  const auto key = cacheKey(locator, name);
  FontCache& cache = fontCache();
  if (key) {
    const std::lock_guard lock(cache.mutex);
    if (const auto found = cache.fonts.find(*key); found != cache.fonts.end()) {
      font = found->second;
      return true;
    }
  }
  auto fontFile = std::make_shared<std::vector<std::uint8_t>>();
  if (!readFontFile(locator, name, *fontFile))
    return false;
  auto data = std::make_shared<TrueTypeData>();
  data->faceName = name;
  parseTrueTypeTables(*fontFile, *data);
  if (!data->cmap.present)
    return false;
  font.metrics = computeFontMetrics(*data);
  font.fontFile = std::move(fontFile);
  font.tables = std::move(data);
  if (key) {
    const std::lock_guard lock(cache.mutex);
    cache.fonts.emplace(*key, font);
  }
  return true;
}

std::uint32_t descriptorFlags(std::string_view name, const FontMetrics& metrics)
{
  std::uint32_t flags = metrics.flags;
  if (metrics.fixedPitch)
    flags |= kFixedPitch;
  flags |= metrics.encodingName == "AdobeStandardEncoding" ? kNonsymbolic : kSymbolic;
  if (metrics.italicAngle < 0)
    flags |= kItalic;
  if (name.find("Caps") != std::string_view::npos || name.ends_with("SC"))
    flags |= kSmallCap;
  if (name.find("Bold") != std::string_view::npos || metrics.stemV > 135)
    flags |= kForceBold;
  return flags;
}

} // namespace quillet
