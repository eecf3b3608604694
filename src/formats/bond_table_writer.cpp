#include "formats/export_text.h"
#include "formats/structure_writers.h"

#include "runtime/print_form.h"
#include "runtime/runtime_error.h"

namespace tarvek {

namespace {

void appendPoint(std::string& line, const ExportAtom& a)
{
  static constexpr const char* range =
      "Bonds-File only supports coordinates from -999.9999 to 9999.9999";
  // One blank must stay between fields: readers split at blanks.
  appendNumber(line, a.x, "0.0000", 10, 9, range);
  appendNumber(line, a.y, "0.0000", 10, 9, range);
  appendNumber(line, a.z, "0.0000", 10, 9, range);
}

} // namespace

void exportBonds(const ExportContext& ctx, const std::string& path)
{
  const Model& m = ctx.model;
  const ExportAtoms set = exportAtoms(ctx, ExportUse::BondTable);
  const std::int32_t bonds = std::max(m.bondCount, 0);
  ExportText out(ctx, path);
  out.line(printForm(bonds));
  std::string line;
  for (std::int32_t i = 0; i < bonds; ++i) {
    const std::int32_t a = m.bondAtom1[static_cast<std::size_t>(i)];
    const std::int32_t b = m.bondAtom2[static_cast<std::size_t>(i)];
    for (const std::int32_t atom : {a, b}) {
      if (atom < 0 || atom >= set.setCount)
        throw RuntimeError(bondOutsideText(i, atom, set.setCount));
    }
    line.clear();
    appendPoint(line, set.atoms[static_cast<std::size_t>(a)]);
    line.append("  ");
    appendPoint(line, set.atoms[static_cast<std::size_t>(b)]);
    line.append(70 - line.size(), ' ');
    line.append(printForm(a + 1));
    line.append(printForm(b + 1));
    out.line(line);
  }
  out.commit();
}

} // namespace tarvek
