// The hole coordinates of a nano-hole array as table rows and XY file lines.
#include "tools/hole_export.h"

#include "runtime/number_format.h"
#include "runtime/number_parse.h"

#include <algorithm>
#include <optional>

namespace tarvek {

std::string proposedHoleFileName(int foldCount, int loopOrder, int zoom, int shiftOption)
{
  return "NHA_" + std::to_string(foldCount) + "-" + std::to_string(loopOrder) + "-" +
         std::to_string(zoom) + "-" + std::to_string(shiftOption) + ".xy";
}

double holeScaleFactor(std::string_view reply)
{
  const std::optional<double> value = leadingNumber(reply);
  return value && *value > 0.0 ? *value : 1.0;
}

std::string holeCoordinateText(float value)
{
  return Format(value, "0.0000");
}

std::string holeLines(std::span<const float> x, std::span<const float> y, HoleLayout layout,
                      double factor, bool lfLineEnds)
{
  const std::string_view lineEnd = lfLineEnds ? "\n" : "\r\n";
  const std::size_t count = std::min(x.size(), y.size());
  const auto f = static_cast<float>(factor);
  std::string text;
  text.reserve(count * (layout == HoleLayout::Plain ? 20 : 26));
  for (std::size_t i = 0; i < count; ++i) {
    if (layout == HoleLayout::Plain) {
      text += Format(x[i], "0.0000");
      text += " \t";
      text += Format(y[i], "0.0000");
    } else {
      // Single precision, as the layout has always been written.
      const float cx = (x[i] - 256.0f) * f;
      const float cy = (y[i] - 256.0f) * f;
      text += Format(cx, "0.000000");
      text += " \t";
      text += Format(cy, "0.000000");
    }
    text += lineEnd;
  }
  return text;
}

} // namespace tarvek
