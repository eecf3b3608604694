// The user's bond-length range: reading its two fields and one bond search with it.
#pragma once

#include <string>

namespace tarvek {

class MainWindowServices;

struct Model;
class Prompts;
class AbortToken;

// The two field texts with "," turned into "." (the fields show these) and
// the limits they give in Å, lower <= upper. Texts are kept in their order
// when the limits are swapped.
struct BondRange {
  std::string text1;
  std::string text2;
  float lower = 0.0f;
  float upper = 0.0f;
};

// Reads L1 and L2 by their leading numbers (no number gives 0) and swaps
// them when L2 < L1. Throws RuntimeError "L1 and L2 must be lengths in A."
// for a value beyond the float range.
BondRange readBondRange(const std::string& field1, const std::string& field2);

// One createBonds over the current structure with exactly the range's
// limits (both inclusive); the user limits are in force only during that
// search, whatever way it ends. The bond list of an imported part is kept,
// as createBonds leaves it alone.
void recalculateBonds(Model& model, const BondRange& range, Prompts& prompts, AbortToken& abort);
// The same for a structure of several parts (walls, bundle tubes, stacked
// cones), whose earlier parts live only in the scene: the window builds the
// whole structure again, each part bonded within the range.
void recalculateBonds(Model& model, const BondRange& range, MainWindowServices& window);

} // namespace tarvek
