#include "formats/export_text.h"

#include "runtime/number_format.h"
#include "runtime/runtime_error.h"

#include <algorithm>
#include <cmath>

namespace tarvek {

ExportText::ExportText(const ExportContext& ctx, const std::string& path)
    : m_writer(path, ctx.lfLineEnds), m_decimalComma(ctx.decimalComma)
{
}

void ExportText::line(std::string_view text)
{
  if (!m_decimalComma || text.find(',') == std::string_view::npos) {
    m_writer.writeLine(text);
    return;
  }
  m_fixed.assign(text);
  std::replace(m_fixed.begin(), m_fixed.end(), ',', '.');
  m_writer.writeLine(m_fixed);
}

void ExportText::commit()
{
  const FileStatus status = m_writer.commit();
  if (!status)
    throw RuntimeError(status.error());
}

void appendNumber(std::string& line, float value, std::string_view mask, int width, int limit,
                  const char* rangeMessage)
{
  if (!std::isfinite(value))
    throw RuntimeError(rangeMessage);
  const std::string text = Format(value, mask);
  if (static_cast<int>(text.size()) > limit)
    throw RuntimeError(rangeMessage);
  appendRight(line, text, width);
}

void appendRight(std::string& line, std::string_view text, int width)
{
  if (static_cast<int>(text.size()) < width)
    line.append(static_cast<std::size_t>(width) - text.size(), ' ');
  line.append(text);
}

std::string bondOutsideText(std::int32_t bond, std::int32_t atom, std::int32_t count)
{
  return "Bond " + std::to_string(bond + 1) + " names atom " + std::to_string(atom + 1)
         + ", outside the " + std::to_string(count) + " atoms of the structure";
}

namespace {

std::string labelText(std::string_view symbol, LabelForm form, bool bare)
{
  if (bare)
    return std::string(symbol);
  if (form == LabelForm::Mol) {
    std::string text = " " + std::string(symbol) + " ";
    return text.substr(0, 3);
  }
  const std::string text = "  " + std::string(symbol);
  return text.substr(text.size() - 3);
}

} // namespace

AtomLabels::AtomLabels(const ExportContext& ctx, LabelForm form)
{
  const bool parts = ctx.model.partsFlag;
  const bool bare =
      form == LabelForm::Mlm || (parts && (form == LabelForm::Xmol || form == LabelForm::Cif));
  m_unknown = labelText("X", form, bare);
  for (auto& entry : m_table)
    entry = m_unknown;
  if (parts) {
    for (std::size_t type = 1; type < 120; ++type) {
      const std::string& symbol = ctx.model.elementSymbols[type - 1];
      if (!symbol.empty())
        m_table[type] = labelText(symbol, form, bare);
    }
    return;
  }
  if (!ctx.atomTypeLabel1.empty())
    m_table[1] = labelText(ctx.atomTypeLabel1, form, bare);
  if (!ctx.atomTypeLabel2.empty())
    m_table[2] = labelText(ctx.atomTypeLabel2, form, bare);
  m_table[3] = labelText("C", form, bare);
}

const std::string& AtomLabels::operator()(std::int32_t type) const
{
  if (type < 1 || type > 120)
    return m_unknown;
  return m_table[type];
}

} // namespace tarvek
