#pragma once

#include <string>
#include <vector>

namespace tarvek {

struct Material {
  std::string symbol1;
  std::string symbol2;
  float bondLength = 0.0f;

  // The list item: "C - C".
  std::string item() const { return symbol1 + " - " + symbol2; }
};

// The table holds at most this many materials.
constexpr int kMaterialCapacity = 10;

struct MaterialList {
  std::vector<Material> materials;
  // The materials came from the file.
  bool fromFile = false;
  // A message for the user, or "".
  std::string message;
};

// "C - C" 1.421, "B - N" 1.47, "Ga - N" 1.95, "Al - N" 1.82.
std::vector<Material> builtInMaterials();

// Reads the materials file: one material per line, "-" and ":" read as
// blanks, then symbol, symbol, bond length. A line with fewer than three
// fields, the end of the file or the tenth material ends the list. A
// missing file gives the built-in list silently; a file without any
// material gives it with a message.
MaterialList loadMaterialFile(const std::string& path);

} // namespace tarvek
