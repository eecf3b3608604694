#include "pdfwriter/pdf_type1_font.h"

#include "pdfwriter/pdf_font.h"
#include "pdfwriter/pdf_output.h"
#include "pdfwriter/truetype_font.h"

#include <algorithm>
#include <string>

namespace quillet {
namespace {

constexpr std::string_view kStandardFonts[] = {
    "Courier",   "Courier-Bold",   "Courier-Oblique",   "Courier-BoldOblique",
    "Helvetica", "Helvetica-Bold", "Helvetica-Oblique", "Helvetica-BoldOblique",
    "Symbol",    "Times-Roman",    "Times-Bold",        "Times-Italic",
    "Times-BoldItalic", "ZapfDingbats",
};

struct CidCollection {
  const char* ordering;
  int supplement;
};

constexpr CidCollection kCidCollections[] = {
    {"GB1", 0}, {"CNS1", 1}, {"Japan1", 2}, {"Korea1", 1}, {"Identity", 0},
};

} // namespace

bool isStandardFontName(std::string_view name)
{
  return std::find(std::begin(kStandardFonts), std::end(kStandardFonts), name) !=
         std::end(kStandardFonts);
}

void writeType1Font(PdfDocument* doc, int index)
{
  if (!doc || index < 0 || std::size_t(index) >= doc->fonts.size())
    return;
  const FontRecord& record = doc->fonts[std::size_t(index)];
  writeObjectHeader(doc, record.objectNumber);
  if (!record.embed && isStandardFontName(record.name)) {
    writeString(doc, "<<\n/Type /Font\n/Subtype /Type1\n");
    const std::int32_t differences = writeEncodingEntry(doc, record);
    printPdf(doc, "/BaseFont /%s\n>>\nendobj\n", record.name);
    if (differences)
      writeEncodingDifferences(doc, record.encodingIndex, differences);
    return;
  }
  printPdf(doc, "<<\n/Type /Font\n/Subtype /%s\n",
           record.kind == kMultipleMasterFont ? "MMType1" : "Type1");
  writeString(doc, "/FirstChar 0\n/LastChar 255\n/Widths [\n");
  writeWidthLines(doc, record);
  const std::int32_t differences = writeEncodingEntry(doc, record);
  writeString(doc, "/BaseFont /");
  writeName(doc, record.name.data(), record.name.size());
  writeString(doc, styleSuffix(record.flags));
  writeLineBreakIfUncompressed(doc);
  const std::int32_t descriptor = reserveObject(doc);
  printPdf(doc, "/FontDescriptor %ld 0 R\n>>\nendobj\n", descriptor);
  // The system has no Type 1 programs: the descriptor names no font file.
  writeFontDescriptor(doc, record, descriptor, -1);
  if (differences)
    writeEncodingDifferences(doc, record.encodingIndex, differences);
}

void writeCidType0Font(PdfDocument* doc, int index)
{
  if (!doc || index < 0 || std::size_t(index) >= doc->fonts.size())
    return;
  const FontRecord& record = doc->fonts[std::size_t(index)];
  const CidCollection& collection =
      kCidCollections[std::clamp<std::int32_t>(record.cidOrdering, 0, 4)];
  writeObjectHeader(doc, record.objectNumber);
  writeString(doc, "<<\n/Type /Font\n/Subtype /Type0\n/BaseFont /");
  const std::string baseFont = record.name + "-" + record.cmapName;
  writeName(doc, baseFont.data(), baseFont.size());
  writeString(doc, "\n/Encoding /");
  writeName(doc, record.cmapName.data(), record.cmapName.size());
  const std::int32_t descendant = reserveObject(doc);
  printPdf(doc, "\n/DescendantFonts [%ld 0 R]\n>>\nendobj\n", descendant);

  writeObjectHeader(doc, descendant);
  writeString(doc, "<<\n/Type /Font\n/Subtype /CIDFontType0\n/BaseFont /");
  writeName(doc, record.name.data(), record.name.size());
  writeString(doc, styleSuffix(record.flags));
  writeLineBreakIfUncompressed(doc);
  const std::int32_t descriptor = reserveObject(doc);
  printPdf(doc, "/FontDescriptor %ld 0 R\n", descriptor);
  writeSystemInfo(doc, descendant, collection.ordering, collection.supplement, "", "");
  writeString(doc, ">>\nendobj\n");
  writeFontDescriptor(doc, record, descriptor, -1);
}

} // namespace quillet
