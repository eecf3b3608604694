// Structures written as XMOL and imported again keep the bonds they showed.
#include "export_rig.h"
#include "formats/structure_readers.h"
#include "formats/structure_writers.h"
#include "model/bond_search.h"
#include "model/tube_builder.h"
#include "support/fake_abort.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <utility>

namespace tarvek::test {
namespace {

using BondSet = std::set<std::pair<std::int32_t, std::int32_t>>;

BondSet bondsOf(const Model& model)
{
  BondSet bonds;
  for (std::int32_t b = 0; b < model.bondCount; ++b)
    bonds.insert(std::minmax(model.bondAtom1[b], model.bondAtom2[b]));
  return bonds;
}

// Tubes built one by one as the window shows them, each at its place with
// its own bonds, gathered into one atom set and bond list.
struct ShownTube {
  int n, m;
  float x = 0.0f, y = 0.0f;
};

void addTubes(Model& shown, const std::vector<ShownTube>& tubes, float length, float a)
{
  for (const ShownTube& t : tubes) {
    Model part;
    part.structureKind = 1;
    FakePrompts prompts;
    FakeAbort abort;
    buildTubes(part, static_cast<std::int16_t>(t.n), static_cast<std::int16_t>(t.m), length, a,
               prompts, abort);
    const std::int32_t first = shown.atomCount;
    for (std::int32_t i = 0; i < part.atomCount; ++i) {
      shown.atomX.push_back(part.atomX[i] + t.x);
      shown.atomY.push_back(part.atomY[i] + t.y);
      shown.atomZ.push_back(part.atomZ[i]);
      shown.atomType.push_back(part.atomType[i]);
    }
    for (std::int32_t b = 0; b < part.bondCount; ++b) {
      shown.bondAtom1.push_back(first + part.bondAtom1[b]);
      shown.bondAtom2.push_back(first + part.bondAtom2[b]);
    }
    shown.atomCount += part.atomCount;
    shown.bondCount += part.bondCount;
    shown.lastTubeDiameter = part.tubeDiameter;
  }
}

// The main window's default tube, (10,0), 25 Å, bond 1.41 Å, and six more
// around it with walls 1 Å apart.
void defaultBundle(Model& shown)
{
  Model probe;
  addTubes(probe, {{10, 0}}, 25.0f, 1.41f);
  const float d = probe.lastTubeDiameter + 1.0f;
  const float h = d / 2.0f;
  const auto hk = static_cast<float>(h * std::sqrt(3.0));
  addTubes(shown, {{10, 0}, {10, 0, d, 0}, {10, 0, -d, 0}, {10, 0, -h, -hk}, {10, 0, h, -hk},
                   {10, 0, h, hk}, {10, 0, -h, hk}},
           25.0f, 1.41f);
}

void threeWallTube(Model& shown)
{
  addTubes(shown, {{5, 5}, {10, 10}, {15, 15}}, 25.0f, 1.41f);
}

// C70 from the fullerene library, bonded as its import shows it.
void c70(Model& shown)
{
  openCC1(shown, std::string(FULLERENE_FOLDER) + "C70.cc1");
  shown.bondLength = 1.41f;
  FakePrompts prompts;
  FakeAbort abort;
  findBonds(shown, prompts, abort);
}

// Whether the user calls the atoms a tube or not, the import's bonds (made
// by the import, or by the window after it when the import made none) are
// the bonds shown before the export, though the bundle's and the walls'
// closest pairs lie between tubes. The bundle's tubes come so close that a
// few pairs between them lie in the bond window too: those are the only
// bonds added.
TEST(XmolRoundTripTest, importKeepsTheBondsShownBeforeTheExport)
{
  const struct {
    const char* name;
    void (*build)(Model&);
    // Atoms a tube of the bundle, so that i / tubeAtoms names an atom's
    // tube; 0 where the import gives exactly the bonds shown.
    std::int32_t tubeAtoms;
  } cases[] = {
      {"default bundle", defaultBundle, 240},
      {"three-wall tube", threeWallTube, 0},
      {"C70", c70, 0},
  };
  for (const auto& c : cases) {
    ExportRig rig;
    rig.model = Model{};
    c.build(rig.model);
    const BondSet shown = bondsOf(rig.model);
    ASSERT_GT(shown.size(), 0u) << c.name;
    const std::string path = rig.path("round.xmol");
    exportXMOL(rig.ctx, path);

    for (const bool tube : {false, true}) {
      Model model;
      FakePrompts prompts;
      prompts.answerYesNo(tube);
      prompts.answerYesNo(true);
      FakeAbort abort;
      ASSERT_TRUE(importCoordinates(model, path, false, false, prompts, abort)) << c.name;
      if (model.bondCount == 0)
        createBonds(model, 0.0f, 0.0f, prompts, abort);
      ASSERT_EQ(model.atomCount, rig.model.atomCount) << c.name;
      const BondSet imported = bondsOf(model);
      EXPECT_TRUE(std::includes(imported.begin(), imported.end(), shown.begin(), shown.end()))
          << c.name << ", tube " << tube;
      // The only bonds beyond those shown join atoms of two tubes that lie
      // as close as a bond: the bundle's walls 1 Å apart put some at 1.38 Å.
      if (c.tubeAtoms == 0) {
        EXPECT_EQ(imported, shown) << c.name << ", tube " << tube;
        continue;
      }
      for (const auto& [i, j] : imported)
        if (!shown.contains({i, j})) {
          EXPECT_NE(i / c.tubeAtoms, j / c.tubeAtoms) << c.name << ", tube " << tube;
        }
    }
  }
}

} // namespace
} // namespace tarvek::test
