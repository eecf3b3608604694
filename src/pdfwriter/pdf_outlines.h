#pragma once

// The document outline and the catalog's open action, page mode and URI
// base.

#include "pdfwriter/pdf_document.h"

#include <string_view>

namespace quillet {

enum PageMode : int { kUseOutlines = 2, kUseThumbs = 3, kFullScreen = 4 };

// Adds an outline item under `parent` (0 the root, else an index this
// returned) and returns its index, or -1 for an unknown parent, an empty
// title, a page below 1 or a destination kind outside 0..4. Pages are
// checked at Close: an item on a page that does not exist has no
// destination. A closed item hides its descendants.
int addOutlineItem(PdfDocument* doc, int parent, std::string_view title, int page,
                   int destinationKind, bool open);
// 2 outlines shown, 3 thumbnails shown, 4 full screen; false for others.
bool setPageMode(PdfDocument* doc, int mode);
// Page 1 shown as 1 Fit, 2 FitH, 3 FitV, 4 FitB; false for others.
bool setOpenAction(PdfDocument* doc, int action);
// The base of relative URIs; an empty text removes it.
bool setUriBase(PdfDocument* doc, std::string_view base);

// The catalog's entries before /Pages: open action, page mode, URI base.
void writeCatalogEntries(PdfDocument* doc);
void clearOutlines(PdfDocument* doc);
// "/Outlines n 0 R" once there are items.
void writeOutlinesEntry(PdfDocument* doc);
void writeOutlines(PdfDocument* doc);
void writeOutlineItem(PdfDocument* doc, int index);
void freeOutlines(PdfDocument* doc);

} // namespace quillet
