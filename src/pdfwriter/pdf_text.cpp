#include "pdfwriter/pdf_text.h"

#include "pdfwriter/pdf_font.h"
#include "pdfwriter/pdf_colour.h"
#include "pdfwriter/pdf_output.h"
#include "pdfwriter/pdf_page.h"
#include "pdfwriter/text_encoding.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace quillet {
namespace {

bool inPage(const PdfDocument* doc)
{
  return doc && doc->state == kPageInProgress;
}

bool fontSelected(PdfDocument* doc)
{
  const int font = doc->level().text.fontIndex;
  return font >= 0 && std::size_t(font) < doc->fonts.size();
}

// Leading, word and character spacing, once per text object.
void writeTextState(PdfDocument* doc)
{
  if (doc->textStateWritten)
    return;
  const TextState& text = doc->level().text;
  printPdf(doc, "%f TL\n", text.leading);
  if (text.wordSpacing != 0)
    printPdf(doc, "%f Tw\n", text.wordSpacing);
  if (text.charSpacing != 0)
    printPdf(doc, "%f Tc\n", text.charSpacing);
  doc->textStateWritten = true;
}

void writeText(PdfDocument* doc, const char* text, std::size_t n)
{
  TextState& state = doc->level().text;
  FontRecord& font = doc->fonts[std::size_t(state.fontIndex)];
  // An embedded CJK font draws the codes of its subset.
  std::string codes;
  if (embedsCjkSubset(font)) {
    codes = subsetCodes(font, text, n);
    text = codes.data();
    n = codes.size();
  }
  beginText(doc, true);
  writeTextState(doc);
  writeLiteralString(doc, text, n);
  writeString(doc, "Tj\n");
  state.matrix.e += textWidth(doc, text, n, state.fontIndex, state.fontSize);
}

enum class TextLine { Under, Over, Through };

// One line along a text, at the height its kind asks.
void drawTextLine(PdfDocument* doc, TextLine kind, const char* text, std::size_t n, float x,
                  float y)
{
  if (!inPage(doc) || !text || !fontSelected(doc))
    return;
  const TextState state = doc->level().text;
  const double w = textWidth(doc, text, n, state.fontIndex, state.fontSize);
  if (w == 0)
    return;
  const FontRecord& font = doc->fonts[std::size_t(state.fontIndex)];
  const double s = state.fontSize;
  const double k = std::max(std::fabs(state.matrix.a), std::fabs(state.matrix.d));
  const double offset = (font.underlinePosition * s * 0.001 + state.rise) * k;
  const double ascent = font.ascent * s * 0.001;
  saveGraphicsState(doc);
  setLineWidth(doc, static_cast<float>(std::fabs(font.underlineThickness * s * k * 0.001)));
  setLineCap(doc, 0);
  double yl = y + offset;
  if (kind != TextLine::Under) {
    setDash(doc, 0, 0);
    yl = kind == TextLine::Over ? y + ascent - offset : y + offset + ascent * 0.5;
  }
  pathMoveTo(doc, x, static_cast<float>(yl));
  pathLineTo(doc, static_cast<float>(x + w), static_cast<float>(yl));
  strokePath(doc);
  restoreGraphicsState(doc);
}

// Underline, overline and strike-through, in that order, as asked.
void drawTextLines(PdfDocument* doc, const char* text, std::size_t n, float x, float y)
{
  if (doc->underline)
    drawTextLine(doc, TextLine::Under, text, n, x, y);
  if (doc->overline)
    drawTextLine(doc, TextLine::Over, text, n, x, y);
  if (doc->strikeThrough)
    drawTextLine(doc, TextLine::Through, text, n, x, y);
}

void setSpacing(PdfDocument* doc, float v, float TextState::*field, const char* op)
{
  if (!doc)
    return;
  if (inPage(doc) && v == 0) {
    beginText(doc, false);
    printPdf(doc, op, v);
  }
  doc->level().text.*field = v;
  doc->textStateWritten = false;
}

} // namespace

void beginText(PdfDocument* doc, bool withPosition)
{
  if (!inPage(doc))
    return;
  if (doc->contentState == kNoContent)
    beginContentStream(doc);
  if (doc->contentState != kInText) {
    doc->procSet |= kText;
    doc->contentState = kInText;
    doc->textStateWritten = false;
    writeString(doc, "BT\n");
  }
  GraphicsLevel& level = doc->level();
  if (level.pending.textFill) {
    const float* c = level.colour.fill.c;
    printPdf(doc, "%f %f %f rg\n", c[0], c[1], c[2]);
    level.pending.textFill = false;
  }
  if (withPosition) {
    const TextState& text = level.text;
    printPdf(doc, "/F%d %f Tf\n", text.fontIndex, text.fontSize);
    const Matrix& m = text.matrix;
    printPdf(doc, "%f %f %f %f %f %f Tm ", m.a, m.b, m.c, m.d, m.e, m.f);
  }
}

void setCharSpacing(PdfDocument* doc, float v)
{
  setSpacing(doc, v, &TextState::charSpacing, "%f Tc\n");
}

void setWordSpacing(PdfDocument* doc, float v)
{
  setSpacing(doc, v, &TextState::wordSpacing, "%f Tw\n");
}

void setLeading(PdfDocument* doc, float v)
{
  if (!doc || doc->level().text.leading == v)
    return;
  doc->level().text.leading = v;
  doc->textStateWritten = false;
}

void setTextRise(PdfDocument* doc, float v)
{
  if (!doc || doc->level().text.rise == v)
    return;
  if (inPage(doc)) {
    beginText(doc, false);
    printPdf(doc, "%f Ts\n", v);
  }
  doc->level().text.rise = v;
}

void setTextRotation(PdfDocument* doc, float degrees)
{
  if (!doc)
    return;
  const double theta = degrees * 3.14159265358979323846 / 180;
  Matrix& m = doc->level().text.matrix;
  m.a = std::cos(theta);
  m.b = std::sin(theta);
  m.c = -std::sin(theta);
  m.d = std::cos(theta);
  // Without a font, Tf would name no font: the matrix waits for the text.
  if (inPage(doc) && fontSelected(doc))
    beginText(doc, true);
}

void setUnderline(PdfDocument* doc, bool on)
{
  if (doc)
    doc->underline = on;
}

void setOverline(PdfDocument* doc, bool on)
{
  if (doc)
    doc->overline = on;
}

void setStrikeThrough(PdfDocument* doc, bool on)
{
  if (doc)
    doc->strikeThrough = on;
}

void showTextAt(PdfDocument* doc, const char* text, std::size_t n, float x, float y)
{
  if (!inPage(doc))
    return;
  TextState& state = doc->level().text;
  if (!text) {
    state.matrix.e = state.lineX = x;
    state.matrix.f = state.lineY = y;
    return;
  }
  if (n == 0)
    n = std::strlen(text);
  if (n == 0 || !fontSelected(doc))
    return;
  drawTextLines(doc, text, n, x, y);
  TextState& current = doc->level().text;
  current.matrix.e = current.lineX = x;
  current.matrix.f = current.lineY = y;
  writeText(doc, text, n);
}

void showTextNextLine(PdfDocument* doc, const char* text, std::size_t n)
{
  if (!inPage(doc))
    return;
  TextState& state = doc->level().text;
  state.matrix.e = state.lineX;
  state.matrix.f -= state.leading;
  if (!text)
    text = "";
  if (n == 0)
    n = std::strlen(text);
  if (!fontSelected(doc))
    return;
  drawTextLines(doc, text, n, float(state.matrix.e), float(state.matrix.f));
  writeText(doc, text, n);
}

void drawUnderline(PdfDocument* doc, const char* text, std::size_t n, float x, float y)
{
  drawTextLine(doc, TextLine::Under, text, n, x, y);
}

void drawOverline(PdfDocument* doc, const char* text, std::size_t n, float x, float y)
{
  drawTextLine(doc, TextLine::Over, text, n, x, y);
}

void drawStrikeThrough(PdfDocument* doc, const char* text, std::size_t n, float x, float y)
{
  drawTextLine(doc, TextLine::Through, text, n, x, y);
}

std::optional<TextNumber> unwritableTextNumber(PdfDocument* doc, const char* text, std::size_t n,
                                               bool nextLine, float x, float y)
{
  if (!inPage(doc) || !fontSelected(doc))
    return std::nullopt;
  const TextState& state = doc->level().text;
  const double px = nextLine ? state.lineX : x;
  const double py = nextLine ? state.matrix.f - state.leading : y;
  if (!text)
    text = "";
  if (n == 0)
    n = std::strlen(text);
  const double w = textWidth(doc, text, n, state.fontIndex, state.fontSize);
  const FontRecord& font = doc->fonts[std::size_t(state.fontIndex)];
  const double s = state.fontSize;
  const double k = std::max(std::fabs(state.matrix.a), std::fabs(state.matrix.d));
  const double offset = (font.underlinePosition * s * 0.001 + state.rise) * k;
  const double ascent = font.ascent * s * 0.001;
  const bool lines = w != 0 && (doc->underline || doc->overline || doc->strikeThrough);
  const TextNumber numbers[] = {
      {"the text's position x", px},
      {"the text's position y", py},
      {"the end of the text", px + w},
      {"the line width along the text", lines ? font.underlineThickness * s * k * 0.001 : 0},
      {"the height of the underline", doc->underline && w != 0 ? py + offset : 0},
      {"the height of the overline", doc->overline && w != 0 ? py + ascent - offset : 0},
      {"the height of the strike-through",
       doc->strikeThrough && w != 0 ? py + offset + ascent * 0.5 : 0},
  };
  for (const TextNumber& number : numbers)
    if (!fitsPdfNumber(number.value))
      return number;
  return std::nullopt;
}

double textWidth(PdfDocument* doc, const char* text, std::size_t n, int font, float size)
{
  if (!doc || !text || font < 0 || std::size_t(font) >= doc->fonts.size())
    return 0;
  const TextState& state = doc->level().text;
  const FontRecord& record = doc->fonts[std::size_t(font)];
  if (record.cjk) {
    // Every character is 1 em wide, as /DW 1000 and the predefined CMaps'
    // fonts lay it out; word spacing applies to single-byte blanks only.
    std::size_t characters = 0, blanks = 0;
    if (embedsCjkSubset(record)) {
      characters = n / 2;
    } else {
      const int codePage = codePageOf(record.characterSet);
      for (std::size_t i = 0; i < n; ++i, ++characters) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (isLeadByte(codePage, byte) && i + 1 < n)
          ++i;
        else if (byte == 32)
          ++blanks;
      }
    }
    const double sum =
        characters * (double(size) + state.charSpacing) + blanks * double(state.wordSpacing);
    return sum * state.matrix.a;
  }
  const auto& widths = record.widths;
  double sum = 0;
  for (std::size_t i = 0; i < n; ++i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    sum += widths[byte] * double(size) * 0.001 + state.charSpacing;
    if (byte == 32)
      sum += state.wordSpacing;
  }
  return sum * state.matrix.a;
}

double stringWidth(PdfDocument* doc, const char* text, std::size_t n)
{
  if (!doc || !text || n == 0 || !fontSelected(doc))
    return 0;
  const TextState& state = doc->level().text;
  return textWidth(doc, text, n, state.fontIndex, state.fontSize);
}

} // namespace quillet
