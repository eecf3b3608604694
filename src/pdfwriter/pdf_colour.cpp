// CMYK, spot and pattern colours, colour-space and pattern tables, dashes
// and flatness.

#include "pdfwriter/pdf_colour.h"

#include "pdfwriter/pdf_output.h"
#include "pdfwriter/pdf_page.h"

#include <cmath>
#include <string>

namespace quillet {
namespace {

constexpr std::size_t kInitialTableEntries = 4;
constexpr float kComponentLimit = 1.000015f;

bool inPage(const PdfDocument* doc)
{
  return doc && doc->state == kPageInProgress;
}

bool validComponent(float v)
{
  return v >= 0 && v <= kComponentLimit;
}

struct Sides {
  bool fill = false;
  bool stroke = false;
  bool any() const { return fill || stroke; }
};

Sides sidesOf(std::string_view which)
{
  return {which == "fill" || which == "both", which == "stroke" || which == "both"};
}

// The lazy "rg"/"RG" writers paint RGB; once an operator is written at once
// they must not follow it with an older colour.
void clearPending(PdfDocument* doc, bool fill)
{
  PendingFlags& pending = doc->level().pending;
  if (fill)
    pending.fill = pending.textFill = false;
  else
    pending.stroke = false;
}

bool sameComponents(const Colour& colour, int kind, const float* c, int n)
{
  if (colour.kind != kind)
    return false;
  for (int i = 0; i < n; ++i)
    if (colour.c[i] != c[i])
      return false;
  return true;
}

bool isDeviceColour(const Colour& colour)
{
  return colour.kind == kGray || colour.kind == kRGB || colour.kind == kCMYK;
}

int addEntry(PdfDocument* doc, int kind, std::string_view name, const Colour& alternate)
{
  if (!isDeviceColour(alternate) || (kind == kSeparation && name.empty())
      || (kind != kSeparation && kind != kPattern))
    return -1;
  if (doc->colourSpaces.size() == doc->colourSpaces.capacity())
    growColorSpaceTable(doc);
  ColorSpaceRecord entry;
  entry.objectNumber = reserveObject(doc);
  if (kind == kSeparation)
    entry.name = std::string(name);
  entry.kind = kind;
  entry.alternate = alternate;
  entry.usedOnPage = true;
  doc->colourSpaces.push_back(std::move(entry));
  return static_cast<int>(doc->colourSpaces.size() - 1);
}

// Selects pattern `index` on one side: fill (cs, scn) or stroke (CS, SCN).
void selectPattern(PdfDocument* doc, int index, bool fill)
{
  GraphicsLevel& level = doc->level();
  Colour& colour = fill ? level.colour.fill : level.colour.stroke;
  if (doc->patterns[std::size_t(index)].paintType == 1) {
    writeString(doc, fill ? "/Pattern cs\n" : "/Pattern CS\n");
    colour = Colour{kPattern, {0, 0, 0, 0}, index};
  } else {
    // An uncoloured pattern paints in the side's own colour, which its colour
    // space takes as the underlying space.
    int space = addEntry(doc, kPattern, {}, colour);
    if (space < 0)
      return;
    printPdf(doc, fill ? "/CS%d cs\n" : "/CS%d CS\n", space);
    writeColorOperands(doc, fill);
  }
  printPdf(doc, fill ? "/P%d scn\n" : "/P%d SCN\n", index);
  clearPending(doc, fill);
  doc->patterns[std::size_t(index)].usedOnPage = true;
}

template <typename Entry>
void writeResources(PdfDocument* doc, std::vector<Entry>& entries, const char* key,
                    const char* format)
{
  bool any = false;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    Entry& entry = entries[i];
    if (!entry.usedOnPage)
      continue;
    if (!any) {
      writeString(doc, key);
      writeString(doc, "<<\n");
    }
    any = true;
    entry.usedOnPage = false;
    printPdf(doc, format, static_cast<int>(i), entry.objectNumber);
  }
  if (any)
    writeString(doc, ">>\n");
}

// A FunctionType 2 tint function from no ink (tint 0, paper white) to the
// alternate colour (tint 1).
void writeSeparation(PdfDocument* doc, const ColorSpaceRecord& entry)
{
  writeString(doc, "[/Separation/");
  writeName(doc, entry.name.data(), entry.name.size());
  writeLineBreakIfUncompressed(doc);
  const float* c = entry.alternate.c;
  switch (entry.alternate.kind) {
  case kGray:
    printPdf(doc, "/DeviceGray<<\n/Range[0 1]\n/C0[1]\n/C1[%f]\n", c[0]);
    break;
  case kRGB:
    printPdf(doc, "/DeviceRGB<<\n/Range[0 1 0 1 0 1]\n/C0[1 1 1]\n/C1[%f %f %f]\n", c[0], c[1],
             c[2]);
    break;
  default:
    printPdf(doc, "/DeviceCMYK<<\n/Range[0 1 0 1 0 1 0 1]\n/C0[0 0 0 0]\n/C1[%f %f %f %f]\n", c[0],
             c[1], c[2], c[3]);
    break;
  }
  writeString(doc, "/FunctionType 2\n/Domain[0 1]\n/N 1\n>>\n]\n");
}

} // namespace

const char* colourSpaceName(int kind)
{
  static constexpr const char* kNames[] = {"DeviceGray", "DeviceRGB", "DeviceCMYK", "CalGray",
                                           "CalRGB",     "Lab",       "Indexed",    "Pattern",
                                           "Separation", "Invalid_CS"};
  return kind >= 0 && kind < kInvalidColourSpace ? kNames[kind] : kNames[kInvalidColourSpace];
}

void setColorByName(PdfDocument* doc, std::string_view which, std::string_view kind, float c1,
                    float c2, float c3, float c4)
{
  if (!doc || !sidesOf(which).any())
    return;
  // Truncated toward zero, so 0.9 names entry 0; NaN and huge values name none.
  auto index = [](float v) { return std::isfinite(v) && std::fabs(v) < 2e9f ? int(v) : -1; };
  if (kind == "gray")
    setGray(doc, which, c1);
  else if (kind == "rgb")
    setRGBColor(doc, which, c1, c2, c3);
  else if (kind == "cmyk")
    setCMYK(doc, which, c1, c2, c3, c4);
  else if (kind == "spot")
    setSpotColor(doc, which, index(c1), c2);
  else if (kind == "pattern")
    setPatternColor(doc, which, index(c1));
}

void setRGBColor(PdfDocument* doc, std::string_view which, float r, float g, float b)
{
  Sides sides = sidesOf(which);
  if (!inPage(doc) || !sides.any() || !validComponent(r) || !validComponent(g)
      || !validComponent(b))
    return;
  if (r == g && g == b) {
    setGray(doc, which, r);
    return;
  }
  const float c[3] = {r, g, b};
  ColourState& colour = doc->level().colour;
  if (sides.fill && !sameComponents(colour.fill, kRGB, c, 3)) {
    endText(doc);
    printPdf(doc, "%f %f %f rg\n", r, g, b);
    colour.fill = Colour{kRGB, {r, g, b, 0}};
    clearPending(doc, true);
  }
  if (sides.stroke && !sameComponents(colour.stroke, kRGB, c, 3)) {
    printPdf(doc, "%f %f %f RG\n", r, g, b);
    colour.stroke = Colour{kRGB, {r, g, b, 0}};
    clearPending(doc, false);
  }
}

void setCMYK(PdfDocument* doc, std::string_view which, float c, float m, float y, float k)
{
  Sides sides = sidesOf(which);
  if (!inPage(doc) || !sides.any() || !validComponent(c) || !validComponent(m)
      || !validComponent(y) || !validComponent(k))
    return;
  const float v[4] = {c, m, y, k};
  ColourState& colour = doc->level().colour;
  if (sides.fill && !sameComponents(colour.fill, kCMYK, v, 4)) {
    printPdf(doc, "%f %f %f %f k\n", c, m, y, k);
    colour.fill = Colour{kCMYK, {c, m, y, k}};
    clearPending(doc, true);
  }
  if (sides.stroke && !sameComponents(colour.stroke, kCMYK, v, 4)) {
    printPdf(doc, "%f %f %f %f K\n", c, m, y, k);
    colour.stroke = Colour{kCMYK, {c, m, y, k}};
    clearPending(doc, false);
  }
}

int addColorSpace(PdfDocument* doc, int kind, std::string_view name)
{
  if (!doc || doc->state == kClosed)
    return -1;
  return addEntry(doc, kind, name, doc->level().colour.fill);
}

void setSpotColor(PdfDocument* doc, std::string_view which, int index, float tint)
{
  Sides sides = sidesOf(which);
  if (!inPage(doc) || !sides.any() || index < 0
      || std::size_t(index) >= doc->colourSpaces.size() || !validComponent(tint))
    return;
  ColorSpaceRecord& entry = doc->colourSpaces[std::size_t(index)];
  // A Pattern entry takes no tint.
  if (entry.kind != kSeparation)
    return;
  ColourState& colour = doc->level().colour;
  auto isThis = [&](const Colour& c) {
    return c.kind == kSeparation && c.index == index && c.c[0] == tint;
  };
  if (sides.fill && !isThis(colour.fill)) {
    printPdf(doc, "/CS%d cs %f scn\n", index, tint);
    colour.fill = Colour{kSeparation, {tint, 0, 0, 0}, index};
    clearPending(doc, true);
  }
  if (sides.stroke && !isThis(colour.stroke)) {
    printPdf(doc, "/CS%d CS %f SCN\n", index, tint);
    colour.stroke = Colour{kSeparation, {tint, 0, 0, 0}, index};
    clearPending(doc, false);
  }
  entry.usedOnPage = true;
}

void setPatternColor(PdfDocument* doc, std::string_view which, int index)
{
  Sides sides = sidesOf(which);
  if (!inPage(doc) || !sides.any() || index < 0 || std::size_t(index) >= doc->patterns.size())
    return;
  if (sides.fill)
    selectPattern(doc, index, true);
  if (sides.stroke)
    selectPattern(doc, index, false);
}

void writeColorOperands(PdfDocument* doc, bool fill)
{
  if (!doc)
    return;
  const Colour& colour = fill ? doc->level().colour.fill : doc->level().colour.stroke;
  const float* c = colour.c;
  switch (colour.kind) {
  case kGray:
  case kSeparation:
    printPdf(doc, "%f", c[0]);
    break;
  case kRGB:
    printPdf(doc, "%f %f %f", c[0], c[1], c[2]);
    break;
  case kCMYK:
    printPdf(doc, "%f %f %f %f", c[0], c[1], c[2], c[3]);
    break;
  default:
    break;
  }
}

int definePattern(PdfDocument* doc, int paintType, float width, float height,
                  std::string_view content)
{
  if (!doc || doc->state == kClosed || (paintType != 1 && paintType != 2) || !(width > 0)
      || !(height > 0) || !std::isfinite(width) || !std::isfinite(height))
    return -1;
  // The pattern is an object of its own, so the page's stream pauses round it.
  bool page = doc->state == kPageInProgress;
  if (page)
    writeStreamEnd(doc);
  std::string dictionary;
  const PdfArg args[] = {paintType, width, height, width, height};
  formatPdf(dictionary,
            "/Type /Pattern\n/PatternType 1\n/PaintType %d\n/TilingType 1\n"
            "/BBox [0 0 %f %f]\n/XStep %f\n/YStep %f\n/Resources<<>>\n",
            args);
  PatternRecord pattern;
  pattern.objectNumber = reserveObject(doc);
  pattern.paintType = paintType;
  writeStreamObject(doc, pattern.objectNumber, dictionary, content.data(), content.size());
  if (page)
    beginContentStream(doc);
  doc->patterns.push_back(pattern);
  return static_cast<int>(doc->patterns.size() - 1);
}

void writeColorSpaceResources(PdfDocument* doc)
{
  if (doc)
    writeResources(doc, doc->colourSpaces, "/ColorSpace", "/CS%d %ld 0 R\n");
}

void writePatternResources(PdfDocument* doc)
{
  if (doc)
    writeResources(doc, doc->patterns, "/Pattern", "/P%d %ld 0 R\n");
}

void writeColorSpaces(PdfDocument* doc)
{
  if (!doc)
    return;
  for (const ColorSpaceRecord& entry : doc->colourSpaces) {
    writeObjectHeader(doc, entry.objectNumber);
    if (entry.kind == kSeparation)
      writeSeparation(doc, entry);
    else
      printPdf(doc, "[/Pattern/%s]\n", colourSpaceName(entry.alternate.kind));
    writeString(doc, "endobj\n");
  }
}

void initColorSpaceTable(PdfDocument* doc)
{
  if (!doc)
    return;
  doc->colourSpaces.clear();
  doc->colourSpaces.reserve(kInitialTableEntries);
}

void growColorSpaceTable(PdfDocument* doc)
{
  if (doc)
    doc->colourSpaces.reserve(std::max(kInitialTableEntries, doc->colourSpaces.capacity() * 2));
}

void freeColorSpaceTable(PdfDocument* doc)
{
  if (doc)
    std::vector<ColorSpaceRecord>().swap(doc->colourSpaces);
}

void initPatternTable(PdfDocument* doc)
{
  if (!doc)
    return;
  doc->patterns.clear();
  doc->patterns.reserve(kInitialTableEntries);
}

void freePatternTable(PdfDocument* doc)
{
  if (doc)
    std::vector<PatternRecord>().swap(doc->patterns);
}

void setDash(PdfDocument* doc, float on, float off)
{
  if (!inPage(doc) || !(on >= 0) || !(off >= 0) || !std::isfinite(on) || !std::isfinite(off))
    return;
  LineState& line = doc->level().line;
  if (on == 0 && off == 0) {
    if (line.dashOn) {
      writeString(doc, "[] 0 d\n");
      line.dashOn = false;
    }
    return;
  }
  printPdf(doc, "[%f %f] 0 d\n", on, off);
  line.dashOn = true;
}

void setFlatness(PdfDocument* doc, float flatness)
{
  if (!inPage(doc) || !(flatness >= 0 && flatness <= 100))
    return;
  LineState& line = doc->level().line;
  if (line.flatness == flatness)
    return;
  line.flatness = flatness;
  printPdf(doc, "%f i\n", flatness);
}

void resetDrawingState(PdfDocument* doc)
{
  if (!inPage(doc))
    return;
  setColorByName(doc, "both", "gray", 0, 0, 0, 0);
  setLineWidth(doc, 1);
  setLineCap(doc, 0);
  setLineJoin(doc, 0);
  setMiterLimit(doc, 10);
  setDash(doc, 0, 0);
  if (doc->level().line.flatness != -1)
    setFlatness(doc, 1);
}

} // namespace quillet
