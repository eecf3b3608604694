#pragma once

#include "pdfwriter/pdf_document.h"

#include <cstddef>
#include <optional>

namespace quillet {

// Text output: the text state of the save level (spacing, leading, rise,
// rotation), text objects, positioned and next-line output, underlining and
// widths in the selected font. Text is bytes in WinAnsi (code page 1252),
// or for a CJK font those of selectedFontBytes (pdf_font.h); a count of 0
// means up to the terminating zero. Units are points.

// Opens a text object unless one is open (with the pending text colour);
// with position also writes the font ("Tf") and the text matrix ("Tm").
void beginText(PdfDocument* doc, bool withPosition);

// Stored, and written with the next text. A spacing of 0 is written at once.
void setCharSpacing(PdfDocument* doc, float v);
void setWordSpacing(PdfDocument* doc, float v);
void setLeading(PdfDocument* doc, float v);
// Written at once in a page.
void setTextRise(PdfDocument* doc, float v);
// Counterclockwise. With a font selected the matrix is written at once.
void setTextRotation(PdfDocument* doc, float degrees);
void setUnderline(PdfDocument* doc, bool on);
// Lines above and through the text, drawn after the underline.
void setOverline(PdfDocument* doc, bool on);
void setStrikeThrough(PdfDocument* doc, bool on);

// Writes the text at (x, y). A null text only moves the position there.
// Nothing without a selected font.
void showTextAt(PdfDocument* doc, const char* text, std::size_t n, float x, float y);
// Writes the text one leading below the current position, at the x where
// the line began. A null text is written as an empty one.
void showTextNextLine(PdfDocument* doc, const char* text, std::size_t n);
// The underline of a text at (x, y), in the stroke colour, at the font's
// underline position and thickness.
void drawUnderline(PdfDocument* doc, const char* text, std::size_t n, float x, float y);
// Solid lines of the underline's thickness: the overline at the ascent
// above the underline's offset, the strike-through at half the ascent.
// Nothing for a text of width 0.
void drawOverline(PdfDocument* doc, const char* text, std::size_t n, float x, float y);
void drawStrikeThrough(PdfDocument* doc, const char* text, std::size_t n, float x, float y);

// A number that text output would write, or keep as the text position,
// named for a failure's description.
struct TextNumber {
  const char* what;
  double value;
};
// The first number that showTextAt(x, y), or with nextLine
// showTextNextLine, would write or keep for this text and that the file
// cannot carry (fitsPdfNumber): the position, the end of the text, and the
// width and height of each line along it. None when all fit, or when
// nothing would be drawn.
std::optional<TextNumber> unwritableTextNumber(PdfDocument* doc, const char* text, std::size_t n,
                                               bool nextLine, float x, float y);

// Width of n bytes of text in font `font` at `size`, with the level's
// spacing, times the text matrix's a (the cosine of the rotation). 0 for an
// unknown font. Characters of a CJK font are 1 em wide each.
double textWidth(PdfDocument* doc, const char* text, std::size_t n, int font, float size);
// Width of n bytes in the selected font and size; 0 for no text or no
// selected font. Records nothing in a subset.
double stringWidth(PdfDocument* doc, const char* text, std::size_t n);

} // namespace quillet
