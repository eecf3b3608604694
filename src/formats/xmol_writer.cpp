#include "formats/export_text.h"
#include "formats/structure_writers.h"

namespace tarvek {

constexpr NumberMask coordinateMask("0.000000");

void exportXMOL(const ExportContext& ctx, const std::string& path)
{
  static constexpr const char* range =
      "XMOL-File only supports coordinates from -999.999999 to 9999.999999";
  WaitCursor wait(ctx.prompts);
  const AtomLabels labels(ctx, LabelForm::Xmol);
  const ExportAtoms set = exportAtoms(ctx, ExportUse::Xmol);
  ExportText out(ctx, path);
  out.line(std::to_string(set.atoms.size()));
  out.line("");
  out.lines(set.atoms.size(), [&](std::size_t first, std::size_t last, ExportText::Lines& lines) {
    std::string line;
    for (std::size_t i = first; i < last; ++i) {
      const ExportAtom& a = set.atoms[i];
      line = labels(a.type);
      // Readers split at blanks: a full 12-character field would merge.
      appendNumber(line, a.x, coordinateMask, 12, 11, range);
      appendNumber(line, a.y, coordinateMask, 12, 11, range);
      appendNumber(line, a.z, coordinateMask, 12, 11, range);
      lines.line(line);
    }
  });
  out.commit();
}

} // namespace tarvek
