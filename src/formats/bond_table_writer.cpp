#include "formats/export_text.h"
#include "formats/structure_writers.h"

#include "runtime/print_form.h"

namespace tarvek {

constexpr NumberMask coordinateMask("0.0000");

namespace {

void appendPoint(std::string& line, const ExportAtom& a)
{
  static constexpr const char* range =
      "Bonds-File only supports coordinates from -999.9999 to 9999.9999";
  // One blank must stay between fields: readers split at blanks.
  appendNumber(line, a.x, coordinateMask, 10, 9, range);
  appendNumber(line, a.y, coordinateMask, 10, 9, range);
  appendNumber(line, a.z, coordinateMask, 10, 9, range);
}

} // namespace

void exportBonds(const ExportContext& ctx, const std::string& path)
{
  const ExportAtoms set = exportAtoms(ctx, ExportUse::BondTable);
  const BigVector<ExportBond> bonds = shownBonds(ctx, set);
  ExportText out(ctx, path);
  out.line(printForm(static_cast<std::int32_t>(bonds.size())));
  std::string line;
  for (const ExportBond& b : bonds) {
    line.clear();
    appendPoint(line, set.atoms[b.a]);
    line.append("  ");
    appendPoint(line, set.atoms[b.b]);
    line.append(70 - line.size(), ' ');
    line.append(printForm(static_cast<std::int32_t>(b.a + 1)));
    line.append(printForm(static_cast<std::int32_t>(b.b + 1)));
    out.line(line);
  }
  out.commit();
}

} // namespace tarvek
