#pragma once

#include "pdfwriter/pdf_document.h"

#include <cstdint>
#include <string_view>

namespace quillet {

// Adds an image and writes it at once as a JPEG image XObject; a page in
// progress gets a new content stream after it. kind must be "raw", source
// "memory" or "memory32", options empty; 8 bits per component; components 3
// (RGB) or 1 (gray); width and height 1..65500; size exactly
// height * ((width * components * bits + 7) / 8) bytes of pixels, top row
// first. quality 0..100. Returns the image slot for placeImage, or -1 with
// nothing written.
int addImage(PdfDocument* doc, std::string_view kind, std::string_view source,
             const unsigned char* pixels, std::int64_t size, int width, int height,
             int components, int bitsPerComponent, std::string_view options, int quality);

// Compresses the slot's pixels and writes the image XObject; false (nothing
// written) when compression fails.
bool writeImageXObject(PdfDocument* doc, int slot, int quality);

// Draws the slot's image on the page with its lower left corner at (x, y),
// scaled to scaleX * width by scaleY * height points and turned
// counterclockwise by `degrees` about that corner, then frees the slot. A
// scale below 0.000015 in size, or no page in progress, draws nothing.
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
