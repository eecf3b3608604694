#pragma once

// The font writers for Type 1, multiple-master Type 1 and CID-keyed Type 0
// font records, which callers of the writer make themselves (the interface
// adds TrueType fonts only). Their font programs are never embedded.

#include "pdfwriter/pdf_document.h"

#include <string_view>

namespace quillet {

// True for the names of the 14 standard fonts, exactly as spelled.
bool isStandardFontName(std::string_view name);

// A kind-0 or kind-3 record: for one of the 14 standard names without
// embedding only /BaseFont and /Encoding; otherwise /Widths and a font
// descriptor as well, under /Type1 or /MMType1.
void writeType1Font(PdfDocument* doc, int index);

// A kind-6 record: /Type0 over its CMap (cmapName) with a CIDFontType0
// descendant of the record's character collection (cidOrdering 0..4).
void writeCidType0Font(PdfDocument* doc, int index);

} // namespace quillet
