#pragma once

#include "runtime/big_buffer.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tarvek {

// The three atom sets of the model.
enum class AtomSetId { Atom, Sheet, Work };

// One atom set's four parallel arrays and its count, taken together so a
// routine can work on whichever set the structure kind chooses.
struct AtomSetRef {
  BigVector<float>& x;
  BigVector<float>& y;
  BigVector<float>& z;
  BigVector<std::int16_t>& type;
  std::int32_t& count;
};

// See Model::bondBuild.
struct BondBuildPrompts {
  std::optional<bool> answer;
  bool tooDenseTold = false;

  bool operator==(const BondBuildPrompts&) const = default;
};

// The current structure and everything the builders, the bond search, the
// scene and the writers share about it. The application owns one and passes
// it by reference; tests build fresh ones.
//
// Readers use the counts, never the array sizes. The builders leave every
// array exactly as long as its count.
//
// Atom types: 1 and 2 the two atom kinds of the chosen material, 3 carbon;
// element numbers (1 = H) while `partsFlag` is set.
//
// The atom, sheet, work and bond arrays reach millions of entries, so they
// live in huge-page blocks (BigVector).
struct Model {
  // The 3-D structure.
  BigVector<float> atomX, atomY, atomZ;
  BigVector<std::int16_t> atomType;
  std::int32_t atomCount = 0;
  // The flat sheet a tube or cone is rolled from (z = 0).
  BigVector<float> sheetX, sheetY, sheetZ;
  BigVector<std::int16_t> sheetType;
  std::int32_t sheetCount = 0;
  // Scratch space of the builders.
  BigVector<float> workX, workY, workZ;
  BigVector<std::int16_t> workType;
  std::int32_t workCount = 0;

  // Bonds as index pairs into the set in use, first index the smaller,
  // ordered by first then second index.
  std::int32_t bondCount = 0;
  BigVector<std::int32_t> bondAtom1, bondAtom2;
  // Bond count at the end of the last search that ran to its end or was
  // stopped with Escape.
  std::int32_t lastBondCount = 0;
  // While a structure of several parts is built (OneBondQuestion), what the
  // bond searches have asked and told: its first answer to the ">3000
  // Atoms" question holds for every part, and the too-dense message is told
  // once. Empty outside a build, where each search asks and tells afresh.
  std::optional<BondBuildPrompts> bondBuild;

  // 1 tube, 2 tube sheet, 3 cone, 4 cone sheet, 5 C60, 6 fullerene or part,
  // 7 coordinate import, 8 virus cage.
  std::int16_t structureKind = 0;
  // 0 single wall, 1 multi-wall, 2 bundle, 3 capped, 5 bucky ball, 7 junction,
  // 8 listed multi-wall; 55 and above a cap code.
  std::int16_t tubeVariant = 0;

  // Ångström and degrees; coneApexAngle in radians.
  float bondLength = 0.0f;
  std::int16_t tubeN = 0;
  std::int16_t tubeM = 0;
  float tubeLength = 0.0f;
  float tubeDiameter = 0.0f;
  float coneDisclination = 0.0f;
  float coneApexAngle = 0.0f;
  float coneHeight = 0.0f;

  // Build options. materialIndex 0 is carbon (every atom type 3).
  std::int16_t materialIndex = 0;
  bool unitCellMode = false;
  // 0 both ends, 1 first cap only, 2 second cap only.
  std::int16_t capEnds = 0;
  // 0 off, 1 auto-cap ticked, 2 the tube builder lengthened the tube.
  std::int16_t wideBondWindow = 0;
  bool distortionActive = false;
  float stretchFactor = 1.0f;
  float ellipseRatio = 1.0f;
  float twistRate = 0.0f;
  float bendAngle = 0.0f;

  // Element numbers of atom types 1 and 2 of the chosen material.
  std::int16_t siteElement1 = 0;
  std::int16_t siteElement2 = 0;
  // An imported part or atom table is shown: types are element numbers and
  // the bond searches leave the bond list alone.
  bool partsFlag = false;

  // The user's wall list: row i (1 .. mwntCount) holds (n, m) of wall i;
  // row 0 stays empty.
  std::int16_t mwntCount = 0;
  std::vector<std::array<std::int16_t, 2>> mwntIndices{1};

  // Record of the last tube built.
  float lastTubeRadius = 0.0f;
  float lastTubeDiameter = 0.0f;
  float lastSheetWidth = 0.0f;

  // Added to every atom of the atom set when the scene compiles it.
  float placementX = 0.0f;
  float placementY = 0.0f;
  float placementZ = 0.0f;

  // Bond range chosen by the user, applied while useUserBondLimits is set.
  float userBondMin = 0.0f;
  float userBondMax = 0.0f;
  bool useUserBondLimits = false;
  // Index of the first cage-outline bond, -1 for none.
  std::int32_t cageBondStart = -1;
  // Red, green, blue 0 .. 255.
  std::array<std::int16_t, 3> cageColor{};

  // Indexed by atomic number (1 = H); entries 0 and 120 stay 0.
  std::array<float, 121> covalentRadius{};
  // Indexed by atomic number - 1 ("H", "He", ... "Uh"); entries 106 .. 120
  // stay empty, and an empty entry 0 means the table is not built yet.
  std::array<std::string, 121> elementSymbols{};

  AtomSetRef atomSet(AtomSetId set);

  // Resizes one set's four arrays to upper + 1 entries, keeping the entries
  // that fit (new ones are 0). The count is left alone.
  void redimAtomSet(AtomSetId set, std::int32_t upper);

  bool operator==(const Model&) const = default;
};

} // namespace tarvek
