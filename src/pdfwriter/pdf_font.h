#pragma once

#include "pdfwriter/pdf_document.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

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

// Every font's objects, in ID order, at Close: TrueType records through
// writeTrueTypeFontObjects, Type 1 and CID Type 0 ones through
// pdf_type1_font.h; a record of any other kind is left out.
void writeFonts(PdfDocument* doc);

// The objects of font `index`: embedded (the whole font file, or for a CJK
// font a subset of the characters drawn) when asked for and the outlines are
// TrueType; CFF outlines are never embedded, since a /FontFile2 stream
// cannot carry them.
void writeTrueTypeFontObjects(PdfDocument* doc, int index);
void writeTrueTypeFont(PdfDocument* doc, int index);
void writeEmbeddedTrueTypeFont(PdfDocument* doc, int index);
// A CJK font as /Type0 over a CIDFontType2 font: without a font file, its
// text in the code page of its character set through the predefined CMap;
// embedded, its text in the 2-byte codes of its subset through /Identity-H
// with a ToUnicode map.
void writeCjkFont(PdfDocument* doc, int index);
void writeEmbeddedCjkFont(PdfDocument* doc, int index);

// True when the font's text goes through an embedded subset: a CJK font
// added with embedding whose outlines are TrueType.
bool embedsCjkSubset(const FontRecord& record);
// The bytes drawn text takes in the selected font: for a CJK font its code
// page's bytes, or with an embedded subset UTF-16 units (big-endian); for
// any other font, and with no font selected, code page 1252.
std::string selectedFontBytes(PdfDocument* doc, std::string_view utf8);
// The 2-byte subset codes of UTF-16 units (big-endian bytes) in an embedded
// CJK font, numbering each unit at its first use in the record's list.
std::string subsetCodes(FontRecord& record, const char* units, std::size_t count);
// Six capitals naming the subset of font `index`: the index in base 26
// ("AAAAAA" for 0, "AAAAAB" for 1).
std::string subsetTag(int index);

// A font-file stream object: /Length and /Length1 objects of their own,
// deflated when the document compresses (and then encrypted with it).
void writeFontFileStream(PdfDocument* doc, std::int32_t objectNumber,
                         std::span<const std::uint8_t> bytes);

// ",BoldItalic", ",Italic", ",Bold" or "" by the Italic and ForceBold flags.
const char* styleSuffix(std::uint32_t flags);
// A CID font's /CIDSystemInfo of the Adobe registry, then a line break:
// `lineBreak` stands between its entries and around its brackets, `gap`
// between each key and its string. The strings are sealed with the
// descendant's key like every string of an encrypted file.
void writeSystemInfo(PdfDocument* doc, std::int32_t descendant, std::string_view ordering,
                     int supplement, std::string_view lineBreak, std::string_view gap);
// The 256 widths as 16 lines of 16, then "]".
void writeWidthLines(PdfDocument* doc, const FontRecord& record);
// "/Encoding /Name" for an encoding with a PDF name, otherwise a reference
// to a new /Differences object, whose number is returned (0 for none).
// Nothing for a record without an encoding.
std::int32_t writeEncodingEntry(PdfDocument* doc, const FontRecord& record);

// fontFileObject -1 for none.
void writeFontDescriptor(PdfDocument* doc, const FontRecord& record, std::int32_t objectNumber,
                         std::int32_t fontFileObject);

// An /Encoding object listing every code's glyph name, for an encoding
// without a PDF name.
void writeEncodingDifferences(PdfDocument* doc, int encoding, std::int32_t objectNumber);

void freeFontTable(PdfDocument* doc);

} // namespace quillet
