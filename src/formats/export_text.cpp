#include "formats/export_text.h"

#include "runtime/number_format.h"
#include "runtime/ordered_blocks.h"
#include "runtime/runtime_error.h"

#include <algorithm>
#include <cctype>
#include <cmath>

namespace tarvek {

namespace {

// Lines are gathered up to this size before they go to the file.
constexpr std::size_t kFlushSize = 64 * 1024;
// Items per block of lines made on a worker: large enough to outweigh the
// hand-over, small enough to keep all workers busy on 10^5 items.
constexpr std::size_t kItemsPerBlock = 8192;

} // namespace

LineForm::LineForm(bool lfLineEnds, bool decimalComma)
    : m_lineEnd(lfLineEnds ? "\n" : "\r\n"), m_decimalComma(decimalComma)
{
}

void LineForm::append(std::string& block, std::string_view text) const
{
  const std::size_t start = block.size();
  block.append(text);
  if (m_decimalComma)
    std::replace(block.begin() + static_cast<std::ptrdiff_t>(start), block.end(), ',', '.');
  block.append(m_lineEnd);
}

ExportText::ExportText(const ExportContext& ctx, const std::string& path)
    : m_file(path), m_form(ctx.lfLineEnds, ctx.decimalComma)
{
}

void ExportText::line(std::string_view text)
{
  m_form.append(m_block, text);
  if (m_block.size() >= kFlushSize)
    flush();
}

void ExportText::lines(std::size_t count,
                       const std::function<void(std::size_t, std::size_t, Lines&)>& make)
{
  flush();
  makeInOrder(
      count, kItemsPerBlock,
      [&](std::size_t first, std::size_t last, std::string& block) {
        Lines lines(m_form, block);
        make(first, last, lines);
      },
      [&](std::string_view bytes) { m_file.write(bytes); });
}

void ExportText::flush()
{
  m_file.write(m_block);
  m_block.clear();
}

void ExportText::commit()
{
  flush();
  const FileStatus status = m_file.commit();
  if (!status)
    throw RuntimeError(status.error());
}

void appendNumber(std::string& line, float value, const NumberMask& mask, int width, int limit,
                  const char* rangeMessage)
{
  if (!std::isfinite(value))
    throw RuntimeError(rangeMessage);
  if (appendFormat(line, value, mask, width) > static_cast<std::size_t>(limit))
    throw RuntimeError(rangeMessage);
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
  if (form == LabelForm::Element) {
    std::string text(symbol);
    for (char& c : text)
      c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
  }
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
