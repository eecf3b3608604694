#pragma once

#include "formats/export_context.h"
#include "runtime/number_format.h"
#include "runtime/text_file_writer.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace tarvek {

// The one text sink of the structure writers: CR LF or LF lines, every ","
// turned into "." when the locale writes a decimal comma, saved atomically.
// Nothing reaches the target until commit().
class ExportText {
public:
  ExportText(const ExportContext& ctx, const std::string& path);

  void line(std::string_view text);
  // Throws RuntimeError naming the path and the reason; the old file stays.
  void commit();

private:
  TextFileWriter m_writer;
  std::string m_fixed;
  bool m_decimalComma;
};

// Appends value formatted with mask, right-aligned in width. A text longer
// than limit throws RuntimeError with rangeMessage, as does NaN or infinity.
void appendNumber(std::string& line, float value, const NumberMask& mask, int width, int limit,
                  const char* rangeMessage);

// Appends text right-aligned in width (text no longer than width).
void appendRight(std::string& line, std::string_view text, int width);

// Writers' label forms of an atom type.
enum class LabelForm { Xmol, Mol, Pdb, Cif, Mlm };

// The labels of one writer, built once per export: "  C", " Ga" (right in 3);
// " N ", " Ga" (MOL); the bare symbol for XMOL and CIF with element numbers
// and always for MLM. A type with no label is written as "X" in the same
// form.
class AtomLabels {
public:
  AtomLabels(const ExportContext& ctx, LabelForm form);
  const std::string& operator()(std::int32_t type) const;

private:
  std::string m_table[121];
  std::string m_unknown;
};

} // namespace tarvek
