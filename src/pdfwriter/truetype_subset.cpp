#include "pdfwriter/truetype_subset.h"

#include "pdfwriter/byte_view.h"
#include "pdfwriter/pdf_font.h"
#include "pdfwriter/pdf_output.h"
#include "pdfwriter/pdf_security.h"

#include <cmath>
#include <unordered_map>

namespace quillet {

namespace {

ByteView tableOf(ByteView file, const std::vector<TableDirectoryEntry>& directory,
                 std::uint32_t tag)
{
  for (const auto& entry : directory)
    if (entry.tag == tag)
      return file.sub(entry.offset, entry.length);
  return {};
}

// Composite glyph flags.
constexpr std::uint16_t kArgsAreWords = 0x0001;
constexpr std::uint16_t kHaveScale = 0x0008;
constexpr std::uint16_t kMoreComponents = 0x0020;
constexpr std::uint16_t kHaveXYScale = 0x0040;
constexpr std::uint16_t kHaveTwoByTwo = 0x0080;

// Components nested deeper than this are taken as malformed.
constexpr int kMaxComponentDepth = 16;

// The glyf data of the font's glyphs, with composites checked once each.
class GlyphSource {
public:
  GlyphSource(ByteView glyf, const TrueTypeData& data)
      : glyf_(glyf), loca_(data.loca), numGlyphs_(data.maxp.numGlyphs)
  {
  }

  // Empty when the loca entries do not give a range inside glyf.
  ByteView glyph(std::uint16_t g) const
  {
    if (std::size_t(g) + 1 >= loca_.size() || g >= numGlyphs_)
      return {};
    const std::uint32_t start = loca_[g], end = loca_[std::size_t(g) + 1];
    if (start > end)
      return {};
    return glyf_.sub(start, end - start);
  }

  static bool isComposite(ByteView glyph) { return glyph.size() >= 10 && glyph.s16(0) < 0; }

  // Offsets of the component glyph indices of a composite; empty (with ok
  // false) when a record runs past the glyph.
  static std::vector<std::size_t> componentOffsets(ByteView glyph, bool& ok)
  {
    std::vector<std::size_t> at;
    std::size_t offset = 10;
    ok = false;
    for (;;) {
      if (!glyph.holds(offset, 4))
        return {};
      const std::uint16_t flags = glyph.u16(offset);
      at.push_back(offset + 2);
      offset += 4 + ((flags & kArgsAreWords) ? 4 : 2);
      offset += (flags & kHaveScale) ? 2 : (flags & kHaveXYScale) ? 4 : (flags & kHaveTwoByTwo) ? 8 : 0;
      if (offset > glyph.size())
        return {};
      if (!(flags & kMoreComponents))
        break;
    }
    ok = true;
    return at;
  }

  // True when every component lies inside the font and no chain of
  // components leads back to a glyph on it.
  bool valid(std::uint16_t g, int depth = 0)
  {
    auto& state = states_[g];
    if (state == kGood || state == kBad || state == kVisiting)
      return state == kGood;
    if (depth > kMaxComponentDepth)
      return false;
    state = kVisiting;
    const ByteView data = glyph(g);
    bool ok = true;
    if (isComposite(data)) {
      for (std::size_t at : componentOffsets(data, ok)) {
        const std::uint16_t c = data.u16(at);
        if (c >= numGlyphs_ || (isComposite(glyph(c)) && !valid(c, depth + 1))) {
          ok = false;
          break;
        }
      }
    }
    states_[g] = ok ? kGood : kBad;
    return ok;
  }

private:
  enum State { kUnknown, kVisiting, kGood, kBad };
  ByteView glyf_;
  const std::vector<std::uint32_t>& loca_;
  std::uint32_t numGlyphs_;
  std::unordered_map<std::uint16_t, State> states_;
};

class TableWriter {
public:
  std::vector<std::uint8_t> bytes;
  void u16(unsigned v)
  {
    bytes.push_back(std::uint8_t(v >> 8));
    bytes.push_back(std::uint8_t(v));
  }
  void u32(std::uint32_t v)
  {
    u16(v >> 16);
    u16(v & 0xFFFF);
  }
  void s64(std::int64_t v)
  {
    u32(std::uint32_t(std::uint64_t(v) >> 32));
    u32(std::uint32_t(std::uint64_t(v)));
  }
  void append(ByteView data) { bytes.insert(bytes.end(), data.bytes().begin(), data.bytes().end()); }
};

std::uint32_t checksum(std::span<const std::uint8_t> padded)
{
  std::uint32_t sum = 0;
  for (std::size_t i = 0; i + 3 < padded.size(); i += 4)
    sum += std::uint32_t(padded[i]) << 24 | std::uint32_t(padded[i + 1]) << 16 |
           std::uint32_t(padded[i + 2]) << 8 | padded[i + 3];
  return sum;
}

struct Table {
  std::uint32_t tag;
  std::vector<std::uint8_t> data;
};

// The tables around the glyphs, in the order they are written.
std::vector<std::uint8_t> assemble(const TrueTypeData& data, std::vector<Table> tables)
{
  const std::size_t count = tables.size();
  TableWriter out;
  out.u32(data.offsetTable.sfntVersion);
  out.u16(unsigned(count));
  out.u16(128);
  out.u16(3);
  out.u16(unsigned(count * 16 - 128));
  std::size_t offset = 12 + 16 * count;
  std::size_t headAt = 0;
  for (const Table& t : tables) {
    std::vector<std::uint8_t> padded = t.data;
    padded.resize((padded.size() + 3) & ~std::size_t(3), 0);
    out.u32(t.tag);
    out.u32(checksum(padded));
    out.u32(std::uint32_t(offset));
    out.u32(std::uint32_t(t.data.size()));
    if (t.tag == makeTag("head"))
      headAt = offset;
    offset += padded.size();
  }
  for (Table& t : tables) {
    t.data.resize((t.data.size() + 3) & ~std::size_t(3), 0);
    out.bytes.insert(out.bytes.end(), t.data.begin(), t.data.end());
  }
  const std::uint32_t adjustment = 0xB1B0AFBAu - checksum(out.bytes);
  for (int b = 0; b < 4; ++b)
    out.bytes[headAt + 8 + std::size_t(b)] = std::uint8_t(adjustment >> (24 - 8 * b));
  return out.bytes;
}

} // namespace

std::uint16_t glyphIndexFromSystem(std::span<const std::uint8_t> fontFile, std::uint32_t code)
{
  const ByteView file(fontFile);
  ByteView cmap;
  const std::size_t numTables = file.u16(4);
  for (std::size_t n = 0; n < numTables && file.holds(12 + 16 * n, 16); ++n)
    if (file.u32(12 + 16 * n) == makeTag("cmap"))
      cmap = file.sub(file.u32(12 + 16 * n + 8), file.u32(12 + 16 * n + 12));
  std::size_t subtableAt = 0;
  for (std::size_t n = 0, records = cmap.u16(2); n < records && cmap.holds(4 + 8 * n, 8); ++n) {
    const std::size_t record = 4 + 8 * n;
    if (cmap.u16(record) == 3 && cmap.u16(record + 2) <= 1)
      subtableAt = cmap.u32(record + 4);
  }
  const ByteView subtable = cmap.sub(subtableAt, cmap.size() - std::min(subtableAt, cmap.size()));
  if (subtableAt == 0 || subtable.u16(0) != 4)
    return 0;
  const std::size_t segCount = subtable.u16(6) / 2;
  const std::size_t ends = 14, starts = ends + 2 * segCount + 2;
  const std::size_t deltas = starts + 2 * segCount, rangeOffsets = deltas + 2 * segCount;
  for (std::size_t n = 0; n < segCount; ++n) {
    if (subtable.u16(ends + 2 * n) < code)
      continue;
    const std::uint16_t start = subtable.u16(starts + 2 * n);
    if (code < start)
      return 0;
    const std::uint16_t delta = subtable.u16(deltas + 2 * n);
    const std::uint16_t rangeOffset = subtable.u16(rangeOffsets + 2 * n);
    if (rangeOffset == 0)
      return static_cast<std::uint16_t>(code + delta);
    // The offset counts from the segment's own entry in the offset array.
    const std::size_t at = rangeOffsets + 2 * n + rangeOffset + 2 * (code - start);
    if (!subtable.holds(at, 2))
      return 0;
    const std::uint16_t glyph = subtable.u16(at);
    return glyph == 0 ? 0 : static_cast<std::uint16_t>(glyph + delta);
  }
  return 0;
}

std::vector<std::uint8_t> buildSubsetFont(std::span<const std::uint8_t> fontFile,
                                          const TrueTypeData& data,
                                          std::span<const std::uint16_t> codes)
{
  const ByteView file(fontFile);
  GlyphSource source(tableOf(file, data.directory, makeTag("glyf")), data);

  // Subset glyph i is system glyph glyphs[i]; components reuse the first
  // subset glyph of their system glyph or are appended.
  std::vector<std::uint16_t> glyphs = {0};
  for (std::uint16_t code : codes)
    glyphs.push_back(glyphIndexFromSystem(fontFile, code));
  std::unordered_map<std::uint16_t, std::uint16_t> firstIndex;
  for (std::size_t i = glyphs.size(); i-- > 0;)
    firstIndex[glyphs[i]] = static_cast<std::uint16_t>(i);
  std::vector<std::vector<std::uint8_t>> outlines;
  for (std::size_t i = 0; i < glyphs.size(); ++i) {
    const ByteView glyph = source.glyph(glyphs[i]);
    std::vector<std::uint8_t> bytes(glyph.bytes().begin(), glyph.bytes().end());
    bool ok = true;
    if (GlyphSource::isComposite(glyph)) {
      const auto offsets = GlyphSource::componentOffsets(glyph, ok);
      ok = ok && source.valid(glyphs[i]);
      for (std::size_t at : offsets) {
        if (!ok)
          break;
        const std::uint16_t component = glyph.u16(at);
        auto found = firstIndex.find(component);
        if (found == firstIndex.end()) {
          if (glyphs.size() >= 0xFFFF) {
            ok = false;
            break;
          }
          found = firstIndex.emplace(component, std::uint16_t(glyphs.size())).first;
          glyphs.push_back(component);
        }
        bytes[at] = std::uint8_t(found->second >> 8);
        bytes[at + 1] = std::uint8_t(found->second);
      }
    }
    outlines.push_back(ok ? std::move(bytes) : std::vector<std::uint8_t>());
  }

  const std::size_t n = glyphs.size();
  std::vector<Table> tables;
  TableWriter head;
  const HeadTable& h = data.head;
  head.u32(h.version);
  head.u32(h.fontRevision);
  head.u32(0);
  head.u32(h.magicNumber);
  head.u16(h.flags);
  head.u16(h.unitsPerEm);
  head.s64(h.created);
  head.s64(h.modified);
  for (int v : {int(h.xMin), int(h.yMin), int(h.xMax), int(h.yMax)})
    head.u16(unsigned(v) & 0xFFFF);
  head.u16(h.macStyle);
  head.u16(h.lowestRecPPEM);
  head.u16(unsigned(h.fontDirectionHint) & 0xFFFF);
  head.u16(1);
  head.u16(unsigned(h.glyphDataFormat) & 0xFFFF);
  tables.push_back({makeTag("head"), head.bytes});

  TableWriter hhea;
  const HheaTable& e = data.hhea;
  hhea.u32(e.version);
  for (int v : {int(e.ascender), int(e.descender), int(e.lineGap), int(e.advanceWidthMax),
                int(e.minLeftSideBearing), int(e.minRightSideBearing), int(e.xMaxExtent),
                int(e.caretSlopeRise), int(e.caretSlopeRun), int(e.caretOffset), int(e.reserved[0]),
                int(e.reserved[1]), int(e.reserved[2]), int(e.reserved[3]),
                int(e.metricDataFormat), int(n)})
    hhea.u16(unsigned(v) & 0xFFFF);
  tables.push_back({makeTag("hhea"), hhea.bytes});

  TableWriter maxp;
  const MaxpTable& m = data.maxp;
  maxp.u32(m.version);
  for (unsigned v : {unsigned(n), unsigned(m.maxPoints), unsigned(m.maxContours),
                     unsigned(m.maxCompositePoints), unsigned(m.maxCompositeContours),
                     unsigned(m.maxZones), unsigned(m.maxTwilightPoints), unsigned(m.maxStorage),
                     unsigned(m.maxFunctionDefs), unsigned(m.maxInstructionDefs),
                     unsigned(m.maxStackElements), unsigned(m.maxSizeOfInstructions),
                     unsigned(m.maxComponentElements), unsigned(m.maxComponentDepth)})
    maxp.u16(v);
  tables.push_back({makeTag("maxp"), maxp.bytes});
  tables.push_back({makeTag("fpgm"), data.fpgm});
  tables.push_back({makeTag("cvt "), data.cvt});
  tables.push_back({makeTag("prep"), data.prep});

  // Version 3.0 carries no glyph names, which the subset could not keep.
  TableWriter post;
  const PostTable& p = data.post;
  post.u32(0x00030000);
  post.u32(std::uint32_t(static_cast<std::int32_t>(std::lround(p.italicAngle * 65536.0))));
  post.u16(unsigned(p.underlinePosition) & 0xFFFF);
  post.u16(unsigned(p.underlineThickness) & 0xFFFF);
  for (std::uint32_t v : {p.isFixedPitch, p.minMemType42, p.maxMemType42, p.minMemType1,
                          p.maxMemType1})
    post.u32(v);
  tables.push_back({makeTag("post"), post.bytes});

  TableWriter loca, glyf;
  for (const auto& outline : outlines) {
    loca.u32(std::uint32_t(glyf.bytes.size()));
    glyf.bytes.insert(glyf.bytes.end(), outline.begin(), outline.end());
  }
  loca.u32(std::uint32_t(glyf.bytes.size()));
  tables.push_back({makeTag("loca"), loca.bytes});

  TableWriter hmtx;
  for (std::uint16_t g : glyphs) {
    LongHorMetric metric;
    if (!data.hMetrics.empty()) {
      metric = data.hMetrics[std::min<std::size_t>(g, data.hMetrics.size() - 1)];
      if (g >= data.hMetrics.size()) {
        const std::size_t extra = g - data.hMetrics.size();
        metric.leftSideBearing =
            extra < data.leftSideBearings.size() ? data.leftSideBearings[extra] : 0;
      }
    }
    hmtx.u16(metric.advanceWidth);
    hmtx.u16(unsigned(metric.leftSideBearing) & 0xFFFF);
  }
  tables.push_back({makeTag("hmtx"), hmtx.bytes});

  // Codes 0 to the last used character; the format's length is 16-bit.
  const std::size_t entries = std::min<std::size_t>(codes.size() + 1, 32762);
  TableWriter cmap;
  for (unsigned v : {0u, 1u, 1u, 0u})
    cmap.u16(v);
  cmap.u32(12);
  for (unsigned v : {6u, unsigned(10 + 2 * entries), 0u, 0u, unsigned(entries)})
    cmap.u16(v);
  for (std::size_t i = 0; i < entries; ++i)
    cmap.u16(unsigned(i));
  tables.push_back({makeTag("cmap"), cmap.bytes});

  const ByteView name = tableOf(file, data.directory, makeTag("name"));
  tables.push_back({makeTag("name"), {name.bytes().begin(), name.bytes().end()}});
  tables.push_back({makeTag("glyf"), std::move(glyf.bytes)});
  return assemble(data, std::move(tables));
}

void writeSubsetFontFile(PdfDocument* doc, const FontRecord& record, std::int32_t objectNumber)
{
  std::vector<std::uint8_t> subset;
  if (record.fontFile && record.tables)
    subset = buildSubsetFont(*record.fontFile, *record.tables, record.usedCharacters);
  writeFontFileStream(doc, objectNumber, subset);
}

void writeToUnicodeCMap(PdfDocument* doc, int index, std::int32_t objectNumber)
{
  if (!doc || index < 0 || std::size_t(index) >= doc->fonts.size())
    return;
  const FontRecord& record = doc->fonts[std::size_t(index)];
  const std::string tag = subsetTag(index);
  writeObjectHeader(doc, objectNumber);
  const std::int32_t length = reserveObject(doc);
  printPdf(doc, "<<\n/Length %ld 0 R\n>>\nstream\n", length);
  // Not deflated, so sealed as plain bytes.
  useObjectKey(doc, objectNumber, 0);
  doc->encryptPlainBytes = true;
  const std::uint64_t start = currentPosition(doc);
  printPdf(doc, "/CIDInit /ProcSet findresource begin\n12 dict begin\nbegincmap\n/CIDSystemInfo\n"
                "<<\n/Registry /%s+",
           tag);
  writeName(doc, record.name.data(), record.name.size());
  writeLineBreakIfUncompressed(doc);
  printPdf(doc, "/Ordering (Zeon1)\n/Supplement 0\n>> def\n/CMapName /%s+", tag);
  writeName(doc, record.name.data(), record.name.size());
  writeString(doc, " def\n/CMapType 2 def\n1 begincodespacerange\n<0000> <FFFF>\n"
                   "endcodespacerange\n");
  printPdf(doc, "%d beginbfrange\n", static_cast<int>(record.usedCharacters.size()));
  // One entry a line: some readers take a map's entries only line by line.
  for (std::size_t i = 0; i < record.usedCharacters.size(); ++i)
    printPdf(doc, "<%04X> <%04X> <%04X>\n", unsigned(i + 1), unsigned(i + 1),
             unsigned(record.usedCharacters[i]));
  writeString(doc, "endbfrange\nendcmap\nCMapName currentdict /CMap defineresource pop\nend\nend\n");
  const std::uint64_t streamLength = currentPosition(doc) - start;
  doc->encryptPlainBytes = false;
  writeString(doc, "endstream\nendobj\n");
  writeObjectHeader(doc, length);
  printPdf(doc, "%ld\nendobj\n", static_cast<long long>(streamLength));
}

} // namespace quillet
