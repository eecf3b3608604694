#pragma once

// CMYK, spot and pattern colours, the document's colour-space and pattern
// tables with their page resources and objects, dashes and flatness.

#include "pdfwriter/pdf_document.h"

#include <string_view>

namespace quillet {

// "DeviceGray", "DeviceRGB", ... "Separation" by ColourKind; "Invalid_CS"
// for any other value.
const char* colourSpaceName(int kind);

// `which` is "fill", "stroke" or "both" (exact case); `kind` "gray", "rgb",
// "cmyk", "spot" (c1 the colour-space entry, truncated toward zero; c2 the
// tint) or "pattern" (c1 the pattern). Other words do nothing.
void setColorByName(PdfDocument* doc, std::string_view which, std::string_view kind, float c1,
                    float c2, float c3, float c4);
// Components in 0..1.000015, else nothing; equal components set a gray.
// Written at once, not lazily.
void setRGBColor(PdfDocument* doc, std::string_view which, float r, float g, float b);
void setCMYK(PdfDocument* doc, std::string_view which, float c, float m, float y, float k);

// Makes a colour-space entry over the current fill colour: kind kSeparation
// with a spot `name`, or kPattern (uncoloured patterns). -1, nothing made,
// for another kind, a spot without a name, or a fill that is itself a spot
// or pattern colour.
int addColorSpace(PdfDocument* doc, int kind, std::string_view name);
// `index` a Separation entry, tint in 0..1.000015; otherwise nothing.
void setSpotColor(PdfDocument* doc, std::string_view which, int index, float tint);
// An uncoloured pattern paints in the current colour of its side, which must
// be gray, RGB or CMYK.
void setPatternColor(PdfDocument* doc, std::string_view which, int index);
// The components of the fill (or stroke) colour, no separator after them.
void writeColorOperands(PdfDocument* doc, bool fill);

// Defines a tiling pattern of a width x height cell painted by the content
// operators `content`, written at once; paint type 1 coloured, 2 uncoloured.
// Returns its index, or -1 (nothing written) for another paint type, a cell
// side not above 0, or a closed document.
int definePattern(PdfDocument* doc, int paintType, float width, float height,
                  std::string_view content);

// The page's /ColorSpace and /Pattern resources: the entries it used.
void writeColorSpaceResources(PdfDocument* doc);
void writePatternResources(PdfDocument* doc);
// Every colour-space object, at Close.
void writeColorSpaces(PdfDocument* doc);

void initColorSpaceTable(PdfDocument* doc);
void growColorSpaceTable(PdfDocument* doc);
void freeColorSpaceTable(PdfDocument* doc);
void initPatternTable(PdfDocument* doc);
void freePatternTable(PdfDocument* doc);

// Lengths 0 or more; both 0 ends a dash, if one is on.
void setDash(PdfDocument* doc, float on, float off);
// 0..100, written when it changes.
void setFlatness(PdfDocument* doc, float flatness);
// Black fill and stroke, width 1, cap, join 0, miter 10, no dash, flatness 1
// when it was ever set.
void resetDrawingState(PdfDocument* doc);

} // namespace quillet
