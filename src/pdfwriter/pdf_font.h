#pragma once

#include "pdfwriter/pdf_document.h"

#include <cstdint>
#include <string>

namespace quillet {

// The font table of a document: TrueType fonts of the system added by name,
// selected with a size for the text that follows, bold and italic variants
// made on demand, named in the resources of each page that uses them and
// written once each at Close.

// An empty table, and the encoding slots: 0 WinAnsi, 1 MacRoman and 2 EBCDIC
// (the last two by key and name only; nothing chooses them).
void initFontTable(PdfDocument* doc);

// The ID of the font named `name` (case-blind) when the table has one, the
// `embed` of that later call being ignored; otherwise the font the locator
// finds for the name, added. A name holding "MM_" is looked up cut after
// "MM" and keeps its full name; with `embed` it is refused. -1 when refused
// or when no usable font is found (names of 32 characters or more).
int addFont(PdfDocument* doc, const std::string& name, bool embed);

// Fills the record from the system font for `name`: metrics, widths, font
// file and descriptor flags. False when no usable font is found.
bool loadFontRecord(PdfDocument* doc, FontRecord& record, const std::string& name);

// Selects a font at `size` points for the text that follows, opens a text
// object and sets the leading to the size. -1, with nothing done, for an
// unknown ID, a size of 0, the font and size already selected, or no page in
// progress.
int selectFont(PdfDocument* doc, int fontId, float size);

// Selects the variant of the selected font with ForceBold for `bold` and
// Italic with `italicAngle` (degrees) when that is not 0, making it when the
// table lacks it. Nothing while no font is selected.
void selectFontStyle(PdfDocument* doc, bool bold, float italicAngle);

// The page's "/Font" resources: the fonts selected on it, which are then
// cleared for the next page. Nothing when none was.
void writeFontResources(PdfDocument* doc);

// Every font's objects, in ID order, at Close.
void writeFonts(PdfDocument* doc);

// The objects of font `index`: embedded (the whole font file) when asked for
// and the outlines are TrueType; CFF outlines are never embedded, since a
// /FontFile2 stream cannot carry them.
void writeTrueTypeFontObjects(PdfDocument* doc, int index);
void writeTrueTypeFont(PdfDocument* doc, int index);
void writeEmbeddedTrueTypeFont(PdfDocument* doc, int index);

// fontFileObject -1 for none.
void writeFontDescriptor(PdfDocument* doc, const FontRecord& record, std::int32_t objectNumber,
                         std::int32_t fontFileObject);

// An /Encoding object listing every code's glyph name, for an encoding
// without a PDF name.
void writeEncodingDifferences(PdfDocument* doc, int encoding, std::int32_t objectNumber);

void freeFontTable(PdfDocument* doc);

} // namespace quillet
