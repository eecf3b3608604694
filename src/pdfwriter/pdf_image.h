#pragma once

#include "pdfwriter/pdf_document.h"

#include <array>
#include <cstdint>
#include <string_view>

namespace quillet {

// Adds an image and writes it at once as a JPEG image XObject; a page in
// progress gets a new content stream after it. kind must be "raw", source
// "memory" or "memory32", options empty (any option is refused); 8 bits per component; components 3
// (RGB) or 1 (gray); width and height 1..65500; size exactly
// height * ((width * components * bits + 7) / 8) bytes of pixels, top row
// first. quality 0..100. Returns the image slot for placeImage, or -1 with
// nothing written.
int addImage(PdfDocument* doc, std::string_view kind, std::string_view source,
             const unsigned char* pixels, std::int64_t size, int width, int height,
             int components, int bitsPerComponent, std::string_view options, int quality);

// As addImage for 8-bit RGB rows taken from `rows` while they are
// compressed; -1 with nothing written when a row cannot be had.
int addImageRows(PdfDocument* doc, JpegRowSource& rows, int width, int height, int quality);

// Compresses the slot's pixels and writes the image XObject; false (nothing
// written) when compression fails.
bool writeImageXObject(PdfDocument* doc, int slot, int quality);

// A form XObject of the content operators over the bounding box (x0, y0,
// x1, y1), with empty resources, written at once (deflated when the
// document compresses). Returns its slot for placeImage, kept across
// placements, or -1 with nothing written for a closed document or a box
// that is not finite.
int defineForm(PdfDocument* doc, const std::array<float, 4>& boundingBox,
               std::string_view content);

// Draws the slot's image on the page with its lower left corner at (x, y),
// scaled to scaleX * width by scaleY * height points and turned
// counterclockwise by `degrees` about that corner, then frees the slot. A
// form is drawn through the matrix [scaleX cos, scaleX sin, -scaleY sin,
// scaleY cos, x, y] inside q ... Q (with the drawing state reset there
// unless keepDrawingState is set) and keeps its slot; an XObject of kind 4
// is not drawn. A scale below 0.000015 in size, or no page in progress,
// draws nothing.
void placeImage(PdfDocument* doc, int slot, float x, float y, float scaleX, float scaleY,
                float degrees);

// A x B for PDF matrices (row vectors): A applied first.
Matrix multiply(const Matrix& a, const Matrix& b);
// Appends M to the page's transformation; the identity writes nothing.
void concatMatrix(PdfDocument* doc, const Matrix& m);

void resetXObjectTable(PdfDocument* doc);
// Returns the new entry's index k, named /I<k> in page resources.
int addXObject(PdfDocument* doc, std::int32_t kind, std::int32_t objectNumber);
// The page's "/XObject" resources: the entries drawn on it, which are then
// cleared for the next page.
void writeXObjectResources(PdfDocument* doc);
void freeXObjectTable(PdfDocument* doc);

} // namespace quillet
