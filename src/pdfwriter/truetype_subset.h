#pragma once

// Internal to the PDF writer: the subset font program and the ToUnicode map
// of an embedded CJK font, whose text is written as 2-byte codes through
// /Identity-H.

#include "pdfwriter/pdf_document.h"
#include "pdfwriter/truetype_font.h"

#include <cstdint>
#include <span>
#include <vector>

namespace quillet {

// Glyph index of a character code through the cmap of the font bytes, read
// afresh on every call: the last encoding record of platform 3 with encoding
// 0 or 1, whose subtable must have format 4. 0 otherwise.
std::uint16_t glyphIndexFromSystem(std::span<const std::uint8_t> fontFile, std::uint32_t code);

// A TrueType font of 12 tables (head, hhea, maxp, fpgm, cvt, prep, post,
// loca, hmtx, cmap, name, glyf) holding glyph 0, the font's .notdef, then
// the glyph of codes[i] as glyph i + 1, then the components that composite
// glyphs need (recursively, with their indices rewritten). A glyph whose
// loca entry points outside glyf, or a composite naming a glyph past the
// font or itself (directly or through others), is left empty. The cmap
// (format 6 on platform 1, encoding 0) maps code i to glyph i.
std::vector<std::uint8_t> buildSubsetFont(std::span<const std::uint8_t> fontFile,
                                          const TrueTypeData& data,
                                          std::span<const std::uint16_t> codes);

// The record's subset (of its used characters) as a font-file stream,
// object `objectNumber`.
void writeSubsetFontFile(PdfDocument* doc, const FontRecord& record, std::int32_t objectNumber);

// The ToUnicode CMap of font `index`: code i + 1 gives used character i.
void writeToUnicodeCMap(PdfDocument* doc, int index, std::int32_t objectNumber);

} // namespace quillet
