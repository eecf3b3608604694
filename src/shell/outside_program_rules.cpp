#include "shell/outside_program_rules.h"

#include "platform/processes.h"
#include "runtime/file_util.h"
#include "runtime/number_parse.h"
#include "runtime/split.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace tarvek {

std::optional<PovMaterial> povMaterialValues(std::string_view answer)
{
  std::string text(answer);
  std::replace(text.begin(), text.end(), ',', '.');
  const std::vector<std::string> parts = splitSpaces(text);
  if (parts.size() < 5)
    return std::nullopt;
  PovMaterial values{};
  // A typed value beyond the float range keeps its sign at the float limit
  // rather than becoming an infinity POV-Ray cannot read.
  constexpr double limit = std::numeric_limits<float>::max();
  for (std::size_t i = 0; i < values.size(); ++i)
    values[i] = static_cast<float>(std::clamp(Val(parts[i]), -limit, limit));
  return values;
}

RenderSize povRenderSize(double aspect)
{
  constexpr double longSide = 800.0;
  const auto side = [](double pixels) { return std::max(1, static_cast<int>(std::lround(pixels))); };
  if (aspect >= 1.0)
    return {side(longSide), side(longSide / aspect)};
  return {side(longSide * aspect), side(longSide)};
}

std::vector<std::string> povrayArguments(const std::string& povFile, const std::string& pngFile,
                                         bool display, RenderSize size)
{
  // POV-Ray reads an option value only up to a blank unless it is quoted.
  std::vector<std::string> args{"+I\"" + povFile + "\"", "+O\"" + pngFile + "\"",
                                "+W" + std::to_string(size.width), "+H" + std::to_string(size.height)};
  if (display) {
    args.emplace_back("+D");
    args.emplace_back("+P");
  } else {
    args.emplace_back("-D");
  }
  return args;
}

namespace {

struct ViewerRow {
  const char* fileName;
  const char* label;
};

const ViewerRow kViewerRows[] = {
    {"tmp.mol", "MOL"}, {"tmp.pdb", "PDB"}, {"tmp.cif", "CIF"}, {"tmp.wrl", "VRML"}};

const ViewerRow& row(ViewerKind kind)
{
  return kViewerRows[static_cast<int>(kind)];
}

} // namespace

std::string viewerFileName(ViewerKind kind)
{
  return row(kind).fileName;
}

std::string viewerReminder(ViewerKind kind)
{
  return std::string("Don't forget to define a ") + row(kind).label +
         "-Viewer in the Preference Dialog";
}

const std::vector<std::string>& defaultViewers(ViewerKind kind)
{
  static const std::vector<std::string> lists[] = {{"jmol", "avogadro2"},
                                                   {"jmol", "avogadro2", "pymol"},
                                                   {"jmol", "avogadro2"},
                                                   {"view3dscene"}};
  return lists[static_cast<int>(kind)];
}

std::string chooseViewer(ViewerKind kind, const std::string& storedPath, Processes& processes)
{
  if (!storedPath.empty() && FileExists(storedPath))
    return storedPath;
  for (const std::string& name : defaultViewers(kind)) {
    std::string found = processes.findExecutable(name);
    if (!found.empty())
      return found;
  }
  return {};
}

} // namespace tarvek
