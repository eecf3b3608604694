#pragma once

#include "pdfwriter/pdf_document.h"

#include <string_view>

namespace quillet {

// Pages, the graphics-state stack, line state, colours and paths. Units are
// points, origin at the lower left. Colours and the line width are written
// lazily, just before the operator that paints with them. While no page is in
// progress every call here except beginPage does nothing.

// The sides, in points, of the pages a document of `version` accepts.
struct PageSideRange {
  float smallest;
  float largest;
};
PageSideRange pageSideRange(int version);

// Begins a page of width x height points. Refused (no page) for a side of 0
// or less; for PDF 1.3 and 1.4 outside 3..14400, for PDF 1.2 outside 72..3240.
void beginPage(PdfDocument* doc, float width, float height);
// Ends the page: its page object and resources. Nothing while a save is open.
void writePageObject(PdfDocument* doc);

// At most nine nested saves; further saves and restores at depth 0 do nothing.
void saveGraphicsState(PdfDocument* doc);
void restoreGraphicsState(PdfDocument* doc);

// Width above 0; cap and join 0, 1 or 2; miter limit 1 or more. Other values
// are ignored.
void setLineWidth(PdfDocument* doc, float width);
void setLineCap(PdfDocument* doc, int cap);
void setLineJoin(PdfDocument* doc, int join);
void setMiterLimit(PdfDocument* doc, float limit);

// Components are clamped to 0..1.
void setFillRGB(PdfDocument* doc, float r, float g, float b);
void setStrokeRGB(PdfDocument* doc, float r, float g, float b);
// which is "fill", "stroke" or "both" (exact case); v in 0..1. Written at once.
void setGray(PdfDocument* doc, std::string_view which, float v);

void pathMoveTo(PdfDocument* doc, float x, float y);
void pathLineTo(PdfDocument* doc, float x, float y);
void pathCurveTo(PdfDocument* doc, float x1, float y1, float x2, float y2, float x3, float y3);
void pathRectangle(PdfDocument* doc, float x, float y, float w, float h);
void strokePath(PdfDocument* doc);
// Fills with the even-odd rule.
void fillPath(PdfDocument* doc);
void fillStrokePath(PdfDocument* doc);

} // namespace quillet
