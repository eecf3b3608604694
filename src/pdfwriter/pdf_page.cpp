#include "pdfwriter/pdf_page.h"

#include "pdfwriter/pdf_annotations.h"
#include "pdfwriter/pdf_colour.h"
#include "pdfwriter/pdf_font.h"
#include "pdfwriter/pdf_image.h"
#include "pdfwriter/pdf_output.h"

#include <algorithm>
#include <limits>
#include <cmath>
#include <initializer_list>

namespace quillet {
namespace {

bool inPage(const PdfDocument* doc)
{
  return doc && doc->state == kPageInProgress;
}

float clampUnit(float v)
{
  return std::isnan(v) ? 0.0f : std::clamp(v, 0.0f, 1.0f);
}

bool sizeAccepted(int version, float side)
{
  const PageSideRange range = pageSideRange(version);
  return side > 0 && side >= range.smallest && side <= range.largest;
}

void writePendingStroke(PdfDocument* doc)
{
  GraphicsLevel& level = doc->level();
  if (level.pending.stroke) {
    const float* c = level.colour.stroke.c;
    printPdf(doc, "%f %f %f RG\n", c[0], c[1], c[2]);
    level.pending.stroke = false;
  }
  if (level.pending.lineWidth) {
    printPdf(doc, "%f w\n", level.line.width);
    level.pending.lineWidth = false;
  }
}

void writePendingFill(PdfDocument* doc)
{
  GraphicsLevel& level = doc->level();
  if (level.pending.fill) {
    const float* c = level.colour.fill.c;
    printPdf(doc, "%f %f %f rg\n", c[0], c[1], c[2]);
    level.pending.fill = false;
  }
}

void setRGB(Colour& colour, float r, float g, float b, bool& changed)
{
  r = clampUnit(r);
  g = clampUnit(g);
  b = clampUnit(b);
  changed = !(colour.kind == kRGB && colour.c[0] == r && colour.c[1] == g && colour.c[2] == b);
  if (changed)
    colour = Colour{kRGB, {r, g, b, 0}};
}

// A gray is kept in all three RGB slots. Written at once, it clears the
// side's pending flags, so no older lazy "rg" or "RG" follows it.
void setGrayColour(PdfDocument* doc, Colour& colour, float v, const char* op,
                   std::initializer_list<bool*> pending)
{
  if (colour.kind == kGray && colour.c[0] == v)
    return;
  printPdf(doc, op, v);
  colour = Colour{kGray, {v, v, v, 0}};
  for (bool* flag : pending)
    *flag = false;
}

void startSubpath(PdfDocument* doc, float x, float y)
{
  endText(doc);
  doc->contentState = kInPath;
  LineState& line = doc->level().line;
  line.subpathX = line.currentX = x;
  line.subpathY = line.currentY = y;
}

void setCurrentPoint(PdfDocument* doc, float x, float y)
{
  doc->level().line.currentX = x;
  doc->level().line.currentY = y;
}

} // namespace

PageSideRange pageSideRange(int version)
{
  if (version == 13 || version == 14)
    return {3, 14400};
  if (version == 12)
    return {72, 3240};
  return {0, std::numeric_limits<float>::max()};
}

void beginPage(PdfDocument* doc, float width, float height)
{
  if (!doc || doc->state != kOpen || !sizeAccepted(doc->version, width)
      || !sizeAccepted(doc->version, height))
    return;
  ++doc->pageCount;
  doc->pageObject = reserveObject(doc);
  doc->pages.push(doc->pageObject);
  doc->mediaWidth = width;
  doc->mediaHeight = height;
  doc->contentStreams.clear();
  doc->contentState = kNoContent;
  doc->procSet = 0;
  doc->depth = 0;
  doc->state = kPageInProgress;
  GraphicsLevel& level = doc->levels[0];
  level.text = TextState{};
  level.line = LineState{};
  level.colour = ColourState{};
  clearAnnotations(doc);
  for (BoxRecord& box : doc->boxes)
    clearBox(box);
  doc->thumbnail = -1;
  beginContentStream(doc);
}

void writePageObject(PdfDocument* doc)
{
  if (!inPage(doc) || doc->depth > 0)
    return;
  doc->level().text = TextState{};
  doc->level().colour = ColourState{};
  writeStreamEnd(doc);

  writeObjectHeader(doc, doc->pageObject);
  printPdf(doc, "<<\n/Type /Page\n/Parent %ld 0 R\n", pageParentNode(doc));
  std::int32_t resources = reserveObject(doc);
  printPdf(doc, "/Resources %ld 0 R\n/MediaBox [0 0 %f %f]\n", resources, doc->mediaWidth,
           doc->mediaHeight);
  writePageBoxes(doc);
  if (doc->duration > 0)
    printPdf(doc, "/Dur %f\n", doc->duration);
  writeTransition(doc);
  writeString(doc, "/Contents [");
  for (std::int32_t stream : doc->contentStreams)
    printPdf(doc, "%ld 0 R ", stream);
  writeString(doc, "]\n");
  if (doc->thumbnail != -1)
    printPdf(doc, "/Thumb %ld 0 R\n", doc->thumbnail);
  writeAnnotsArray(doc);
  writeString(doc, ">>\nendobj\n");
  writeAnnotations(doc);

  writeObjectHeader(doc, resources);
  writeString(doc, "<<\n/ProcSet [/PDF");
  static constexpr struct {
    std::uint32_t bit;
    const char* name;
  } kProcSets[] = {{kImageB, "/ImageB"}, {kImageC, "/ImageC"}, {kImageI, "/ImageI"},
                   {kText, "/Text"}};
  for (const auto& entry : kProcSets)
    if (doc->procSet & entry.bit)
      writeString(doc, entry.name);
  writeString(doc, "]\n");
  writeFontResources(doc);
  writeColorSpaceResources(doc);
  writePatternResources(doc);
  writeXObjectResources(doc);
  writeString(doc, ">>\nendobj\n");
  freeAnnotations(doc);

  doc->state = kOpen;
  if (doc->flags & kFlushAfterPage)
    flushOutput(doc);
}

void saveGraphicsState(PdfDocument* doc)
{
  if (!inPage(doc) || doc->depth == PdfDocument::kMaxDepth)
    return;
  endText(doc);
  writeString(doc, "q\n");
  doc->levels[doc->depth + 1] = doc->levels[doc->depth];
  ++doc->depth;
}

void restoreGraphicsState(PdfDocument* doc)
{
  if (!inPage(doc) || doc->depth == 0)
    return;
  endText(doc);
  writeString(doc, "Q\n");
  --doc->depth;
}

void setLineWidth(PdfDocument* doc, float width)
{
  if (!inPage(doc) || !(width > 0))
    return;
  LineState& line = doc->level().line;
  if (line.width != width) {
    line.width = width;
    doc->level().pending.lineWidth = true;
  }
}

void setLineCap(PdfDocument* doc, int cap)
{
  if (!inPage(doc) || cap < 0 || cap > 2 || doc->level().line.cap == cap)
    return;
  doc->level().line.cap = cap;
  printPdf(doc, "%d J\n", cap);
}

void setLineJoin(PdfDocument* doc, int join)
{
  if (!inPage(doc) || join < 0 || join > 2 || doc->level().line.join == join)
    return;
  doc->level().line.join = join;
  printPdf(doc, "%d j\n", join);
}

void setMiterLimit(PdfDocument* doc, float limit)
{
  if (!inPage(doc) || !(limit >= 1) || doc->level().line.miterLimit == limit)
    return;
  doc->level().line.miterLimit = limit;
  printPdf(doc, "%f M\n", limit);
}

void setFillRGB(PdfDocument* doc, float r, float g, float b)
{
  if (!inPage(doc))
    return;
  bool changed;
  setRGB(doc->level().colour.fill, r, g, b, changed);
  if (changed)
    doc->level().pending.fill = doc->level().pending.textFill = true;
}

void setStrokeRGB(PdfDocument* doc, float r, float g, float b)
{
  if (!inPage(doc))
    return;
  bool changed;
  setRGB(doc->level().colour.stroke, r, g, b, changed);
  if (changed)
    doc->level().pending.stroke = true;
}

void setGray(PdfDocument* doc, std::string_view which, float v)
{
  if (!inPage(doc) || !(v >= 0 && v <= 1.000015f))
    return;
  bool fill = which == "fill" || which == "both";
  bool stroke = which == "stroke" || which == "both";
  GraphicsLevel& level = doc->level();
  if (fill)
    setGrayColour(doc, level.colour.fill, v, "%f g\n",
                  {&level.pending.fill, &level.pending.textFill});
  if (stroke)
    setGrayColour(doc, level.colour.stroke, v, "%f G\n", {&level.pending.stroke});
}

void pathMoveTo(PdfDocument* doc, float x, float y)
{
  if (!inPage(doc))
    return;
  startSubpath(doc, x, y);
  printPdf(doc, "%f %f m\n", x, y);
}

void pathLineTo(PdfDocument* doc, float x, float y)
{
  if (!inPage(doc))
    return;
  printPdf(doc, "%f %f l\n", x, y);
  setCurrentPoint(doc, x, y);
}

void pathCurveTo(PdfDocument* doc, float x1, float y1, float x2, float y2, float x3, float y3)
{
  if (!inPage(doc))
    return;
  if (x2 == x3 && y2 == y3)
    printPdf(doc, "%f %f %f %f y\n", x1, y1, x3, y3);
  else
    printPdf(doc, "%f %f %f %f %f %f c\n", x1, y1, x2, y2, x3, y3);
  setCurrentPoint(doc, x3, y3);
}

void pathRectangle(PdfDocument* doc, float x, float y, float w, float h)
{
  if (!inPage(doc))
    return;
  startSubpath(doc, x, y);
  printPdf(doc, "%f %f %f %f re\n", x, y, w, h);
}

void strokePath(PdfDocument* doc)
{
  if (!inPage(doc))
    return;
  writePendingStroke(doc);
  writeString(doc, "S\n");
  doc->contentState = kInStream;
}

void fillPath(PdfDocument* doc)
{
  if (!inPage(doc))
    return;
  writePendingFill(doc);
  writeString(doc, "f*\n");
  doc->contentState = kInStream;
}

void fillStrokePath(PdfDocument* doc)
{
  if (!inPage(doc))
    return;
  writePendingStroke(doc);
  writePendingFill(doc);
  writeString(doc, "B*\n");
  doc->contentState = kInStream;
}

} // namespace quillet
