#include "scene/pov_rig.h"

#include <algorithm>

namespace tarvek::test {

std::vector<std::string> povObjects(const std::vector<std::string>& lines)
{
  auto start = std::find(lines.begin(), lines.end(), "//[Scene Background]");
  auto end = std::find(lines.begin(), lines.end(), "//[Camera Position]");
  if (start == lines.end() || end == lines.end() || end - start < 3)
    return {};
  return {start + 3, end};
}

std::string povLineStarting(const std::vector<std::string>& lines, const std::string& prefix)
{
  for (const std::string& line : lines) {
    if (line.rfind(prefix, 0) == 0)
      return line;
  }
  return {};
}

} // namespace tarvek::test
