#include "formats/export_text.h"
#include "formats/structure_writers.h"

#include "runtime/number_parse.h"
#include "runtime/runtime_error.h"

#include <cmath>

namespace tarvek {

constexpr NumberMask coordinateMask("0.0000");

namespace {

constexpr std::int32_t maxCount = 999;
constexpr double maxOrder = 99.0;

int askBondOrder(Prompts& prompts)
{
  const auto answer = prompts.input(
      "Which bond order do you wish to assign?\r\n\r\n1 - Single Bond \r\n2 - Double Bond etc.",
      "MOL File Export", "1");
  double value = 0.0;
  if (answer) {
    try {
      value = std::nearbyint(Val(*answer));
    } catch (const RuntimeError&) {
      value = HUGE_VAL;
    }
  }
  if (value > maxOrder)
    throw RuntimeError("MOL-File only supports bond orders up to 99");
  return value < 1.0 ? 1 : static_cast<int>(value);
}

} // namespace

MolTables molTables(const ExportContext& ctx)
{
  MolTables tables{exportAtoms(ctx, ExportUse::Mol), {}};
  tables.bonds = shownBonds(ctx, tables.set);
  return tables;
}

std::optional<std::string> molLimitMessage(const MolTables& tables)
{
  if (tables.set.atoms.size() > maxCount)
    return "MOL-File only supports up to 999 atoms";
  if (tables.bonds.size() > maxCount)
    return "MOL-File only supports up to 999 bonds";
  return std::nullopt;
}

void exportMOL(const ExportContext& ctx, const std::string& path)
{
  exportMOL(ctx, molTables(ctx), path);
}

void exportMOL(const ExportContext& ctx, const MolTables& tables, const std::string& path)
{
  static constexpr const char* range =
      "MOL-File only supports coordinates from -9999.9999 to 99999.9999";
  if (const auto refusal = molLimitMessage(tables))
    throw RuntimeError(*refusal);
  const ExportAtoms& set = tables.set;
  const BigVector<ExportBond>& bonds = tables.bonds;
  const std::string order = std::to_string(askBondOrder(ctx.prompts));

  WaitCursor wait(ctx.prompts);
  const AtomLabels labels(ctx, LabelForm::Mol);
  ExportText out(ctx, path);
  out.line("TARVEK");
  out.line("  tarvek                                           0");
  out.line("");
  std::string line;
  appendRight(line, std::to_string(set.atoms.size()), 3);
  appendRight(line, std::to_string(bonds.size()), 3);
  line.append(" 0  0  0  0  0  0  0  0  0");
  out.line(line);
  for (const ExportAtom& a : set.atoms) {
    line.clear();
    appendNumber(line, a.x, coordinateMask, 10, 10, range);
    appendNumber(line, a.y, coordinateMask, 10, 10, range);
    appendNumber(line, a.z, coordinateMask, 10, 10, range);
    line.append(labels(a.type));
    line.append("  0  0  0  0  0  0");
    out.line(line);
  }
  for (const ExportBond& b : bonds) {
    line.clear();
    appendRight(line, std::to_string(b.a + 1), 3);
    appendRight(line, std::to_string(b.b + 1), 3);
    line.append(" ");
    line.append(order);
    line.append("  0  0  0");
    out.line(line);
  }
  out.line("M  END");
  out.commit();
}

} // namespace tarvek
