#include "formats/structure_writers.h"

#include "runtime/number_format.h"

#include <algorithm>

namespace tarvek {

std::string bondStatisticsText(const ExportContext& ctx)
{
  const ExportAtoms set = exportAtoms(ctx, ExportUse::Statistics);
  // The extents of the atoms themselves; an empty set has none.
  std::array<float, 3> extent{0.0f, 0.0f, 0.0f};
  if (!set.atoms.empty()) {
    const ExportAtom& f = set.atoms.front();
    std::array<float, 3> low{f.x, f.y, f.z};
    std::array<float, 3> high = low;
    for (const ExportAtom& a : set.atoms) {
      const float p[3] = {a.x, a.y, a.z};
      for (int k = 0; k < 3; ++k) {
        low[k] = std::min(low[k], p[k]);
        high[k] = std::max(high[k], p[k]);
      }
    }
    for (int k = 0; k < 3; ++k)
      extent[k] = high[k] - low[k];
  }
  return "Bond Length = " + Format(ctx.model.bondLength, "0.0##") + ", Bounding Box ["
         + Format(extent[0], "0.0##") + " x " + Format(extent[1], "0.0##") + " x "
         + Format(extent[2], "0.0##") + "]";
}

void showBondStatistics(const ExportContext& ctx,
                        const std::function<void(const std::string&)>& panelText)
{
  std::string text;
  {
    WaitCursor wait(ctx.prompts);
    text = bondStatisticsText(ctx);
  }
  panelText(text);
}

} // namespace tarvek
