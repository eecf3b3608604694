#pragma once

#include <cstdint>
#include <string_view>

namespace tarvek {

struct Model;
class RandomSource;

// Where the per-element display radius and colour go: the scene object.
// Indices are atomic number - 1 (0 = H), 0 .. 119; colours are red + 256 ×
// green + 65536 × blue.
class ElementDisplay {
public:
  virtual ~ElementDisplay() = default;
  virtual void setAtomRadius(std::int16_t index, float radius) = 0;
  virtual void setAtomColor(std::int16_t index, std::uint32_t color) = 0;
};

// Fills `covalentRadius` (Å, by atomic number). Run once at start-up.
void initElements(Model& model);

// Fills `elementSymbols` and pushes every element's display radius and
// colour: a random colour from `random` (three draws per element, in index
// order), then the fixed colours and radii of H, C, N, O, F, Si, P and S.
void initElementTable(Model& model, ElementDisplay& display, RandomSource& random);

// The atomic number of an element symbol as files write it, in any case:
// the first letter and, when it is a letter, the second ("C1" is carbon,
// "CL" chlorine, "CA" calcium). Anything unknown gives 1 (hydrogen). The
// first lookup builds the symbol table with initElementTable.
std::int16_t elementIndex(Model& model, std::string_view symbol, ElementDisplay& display,
                          RandomSource& random);

} // namespace tarvek
