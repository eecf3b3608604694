// The atom image digitiser without widgets: modes, search atoms, disc set and button rules.
#pragma once

#include "imaging/disc_markers.h"
#include "imaging/hough.h"
#include "imaging/xy_file.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace tarvek {

class RandomSource;

// The digitiser's two tabs.
inline constexpr std::int32_t kImageSearch = 1;
inline constexpr std::int32_t kManualAssembly = 2;

// The refusal of an atom size the search cannot use.
inline constexpr const char* kAtomSizeRefusal = "Please enter an atom size above 0.0625 pixels.";

// A tool window's number field: "," read as ".", then the number at the
// start of the text (0 when there is none). A number beyond the float range
// gives an infinity of its sign, for the caller to refuse.
float fieldNumber(std::string text);

// True when an atom size in pixels gives the ring search a sample point:
// finite and 8 × size above 0.5.
bool searchableAtomSize(float size);

// The digitiser's own two-component vector helpers (the scene's 3-vector
// ones share the names). UNITYVECTOR scales v to length 1, leaving the zero
// vector as it is; SCALEVECTOR multiplies both components by f.
void UNITYVECTOR(std::array<float, 2>& v);
void SCALEVECTOR(std::array<float, 2>& v, float f);

// Which of the buttons bt(0..4) are enabled and the text of status panel 1.
struct DigitiserStatus {
  std::array<bool, 5> enabled{};
  std::string panel1;
};

// The digitiser's state: the tab in use, the atoms of the image search (in
// pixels of the search picture, 0-based), the loaded image and the disc set
// of the manual assembly.
class DigitiserModel {
public:
  explicit DigitiserModel(RandomSource& random) : discs(random) {}

  std::int32_t foundCount() const { return static_cast<std::int32_t>(foundX.size()); }
  bool imageLoaded() const { return loadedWidth > 0.0f; }

  // A decoded image becomes the one searched; its size is the loaded size.
  void takeImage(RedLevels red);

  // Adds an atom at (x, y) unless one lies closer than 2 × size (the
  // distance rounded to a float): false then, and nothing is to be redrawn.
  // A point at x or y of -1 or less is not added, yet asks for the redraw.
  bool addFoundAtom(float x, float y, float size);
  // Removes the atom nearest to (x, y) closer than size (and than 999), the
  // first of equally near ones. True when one went.
  bool removeFoundAtom(float x, float y, float size);
  // A search's peaks replace the search atoms.
  void takePeaks(const std::vector<HoughPeak>& peaks);
  void clearFound();

  // What the save command writes: the search atoms in "Image Search", the
  // discs' centres in "Manual Assembly".
  std::vector<XYPoint> savePoints() const;

  // The buttons and panel 1 for the state now: bt(0) (open) in "Image
  // Search" only, bt(1) (save) with at least one atom of the tab, bt(2)
  // (search) in "Image Search" once an image is loaded, bt(3) (clear or new)
  // always, bt(4) (redraw) with at least one search atom in "Image Search",
  // while "Manual Assembly" leaves it as current has it.
  DigitiserStatus updateStatus(const std::array<bool, 5>& current) const;

  std::int32_t digitiserMode = kImageSearch;
  std::vector<float> foundX;
  std::vector<float> foundY;
  float loadedWidth = 0.0f;
  float loadedHeight = 0.0f;
  // The red levels of the loaded image, transparency over white.
  RedLevels loadedImage;
  DiscAssembly discs;
};

} // namespace tarvek
