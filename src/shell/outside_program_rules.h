// What the POV-Ray and viewer commands decide without widgets.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarvek {

class Processes;

// POV-Ray's material values in the order asked: diffuse, ambient, specular,
// reflection and glass filter.
using PovMaterial = std::array<float, 5>;

// The input box's answer: "," read as ".", split on runs of blanks, the
// first five parts read as numbers (text that is no number gives 0, parts
// beyond the fifth are ignored). Nothing when fewer than five parts are
// given. Throws RuntimeError for a value beyond the double range.
std::optional<PovMaterial> povMaterialValues(std::string_view answer);

// A rendered picture's size in pixels.
struct RenderSize {
  int width = 0;
  int height = 0;
  bool operator==(const RenderSize&) const = default;
};

// The render of a camera of this width-over-height shape: its longer side
// 800 pixels, so a 4:3 view renders at 800 x 600, the other side from the
// shape, rounded and at least 1.
RenderSize povRenderSize(double aspect);

// POV-Ray's arguments for rendering povFile into pngFile at size: with a
// display the render shows in a preview window that stays open ("+D",
// "+P"), without one nothing shows ("-D").
std::vector<std::string> povrayArguments(const std::string& povFile, const std::string& pngFile,
                                         bool display, RenderSize size);

// The four structure viewers of the Tools menu, numbered as viewerPaths.
enum class ViewerKind { Mol = 0, Pdb = 1, Cif = 2, Vrml = 3 };

// The file name each viewer command writes into the temporary folder.
std::string viewerFileName(ViewerKind kind);
// The reminder shown when no viewer is set up or found.
std::string viewerReminder(ViewerKind kind);
// The programs tried on PATH, in order, when no viewer is stored.
const std::vector<std::string>& defaultViewers(ViewerKind kind);

// The viewer to start: storedPath when it names an existing non-empty file,
// else the first default viewer found on PATH, else "".
std::string chooseViewer(ViewerKind kind, const std::string& storedPath, Processes& processes);

} // namespace tarvek
