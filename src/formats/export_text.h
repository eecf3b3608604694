#pragma once

#include "formats/export_context.h"
#include "runtime/atomic_file.h"
#include "runtime/number_format.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace tarvek {

// Lines in a file's form: CR LF or LF ends, every "," turned into "." when
// the locale writes a decimal comma. Appends to a block of bytes, so lines
// can be made apart from the file and on several threads.
class LineForm {
public:
  LineForm(bool lfLineEnds, bool decimalComma);

  void append(std::string& block, std::string_view text) const;

private:
  std::string_view m_lineEnd;
  bool m_decimalComma;
};

// The one text sink of the structure writers, its lines in the LineForm of
// the export. Nothing reaches the target until commit().
class ExportText {
public:
  // A block of the file's lines made apart from it, in its line form.
  class Lines {
  public:
    void line(std::string_view text) { m_form.append(*m_block, text); }

  private:
    friend class ExportText;
    Lines(const LineForm& form, std::string& block) : m_form(form), m_block(&block) {}
    const LineForm& m_form;
    std::string* m_block;
  };

  ExportText(const ExportContext& ctx, const std::string& path);

  void line(std::string_view text);
  // The lines of items [0, count), made in blocks on worker threads by
  // make(first, last, lines), which calls lines.line() for each; written in
  // item order. An exception from make leaves the file uncommitted and
  // reaches the caller as a plain loop's would.
  void lines(std::size_t count,
             const std::function<void(std::size_t first, std::size_t last, Lines& lines)>& make);
  // Throws RuntimeError naming the path and the reason; the old file stays.
  void commit();

private:
  void flush();

  AtomicFile m_file;
  LineForm m_form;
  std::string m_block;
};

// Appends value formatted with mask, right-aligned in width. A text longer
// than limit throws RuntimeError with rangeMessage, as does NaN or infinity.
void appendNumber(std::string& line, float value, const NumberMask& mask, int width, int limit,
                  const char* rangeMessage);

// Appends text right-aligned in width (text no longer than width).
void appendRight(std::string& line, std::string_view text, int width);

// Writers' label forms of an atom type; Element is the bare symbol in capitals
// (the PDB's element columns).
enum class LabelForm { Xmol, Mol, Pdb, Cif, Mlm, Element };

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
