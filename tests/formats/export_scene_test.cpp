#include "scene_walls.h"

#include "formats/structure_writers.h"

#include "runtime/number_parse.h"
#include "runtime/split.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>

namespace tarvek::test {
namespace {

// Two walls as the shell shows them: the same model compiled twice into the
// scene at different heights. The PDB comes from the scene files.
TEST(ExportSceneTest, twoListsOfTheSceneObjectGoToThePdbWithAllBonds)
{
  ExportRig rig;
  c60(rig.model);
  ASSERT_EQ(rig.model.atomCount, 60);
  ASSERT_EQ(rig.model.bondCount, 90);
  rig.model.covalentRadius[6] = 0.77f;
  const SceneWalls walls(rig);
  ASSERT_EQ(rig.ctx.sceneListCount, 2);

  rig.prompts.answerYesNo(true);
  const std::string path = rig.path("walls.pdb");
  exportPDB(rig.ctx, path);
  int atoms = 0;
  int ters = 0;
  std::size_t partners = 0;
  std::vector<std::string> residues;
  for (const std::string& line : fileLines(path)) {
    if (line.rfind("ATOM", 0) == 0) {
      ++atoms;
      if (residues.empty() || residues.back() != line.substr(21, 5))
        residues.push_back(line.substr(21, 5));
    }
    ters += line == "TER";
    if (line.rfind("CONECT", 0) == 0)
      partners += (line.size() - 11) / 5;
    if (line.rfind("MASTER", 0) == 0) {
      EXPECT_EQ(line.substr(50), "  120    0  120    0");
    }
  }
  EXPECT_EQ(atoms, 120);
  EXPECT_EQ(ters, 2);
  EXPECT_EQ(partners, 2u * 180u);
  EXPECT_EQ(residues, (std::vector<std::string>{"A1  1", "A2  1"}));
}

// A structure of several scene lists goes whole into every file, and the
// bonds of the MOL file and the bond table join the rows written.
TEST(ExportSceneTest, everyListOfTheSceneGoesToEveryFile)
{
  const std::pair<const char*, std::vector<ShownTube>> cases[] = {
      {"3-wall tube", threeWalls()},
      {"7-tube bundle", sevenTubeBundle()},
  };
  for (const auto& [name, tubes] : cases) {
    SCOPED_TRACE(name);
    ExportRig rig;
    const SceneTubes shown(rig, tubes, 10.0f);
    ASSERT_GE(rig.ctx.sceneListCount, 3);
    ASSERT_LT(rig.model.atomCount, shown.shownAtoms);
    const auto atoms = static_cast<std::size_t>(shown.shownAtoms);
    const auto bonds = static_cast<std::size_t>(shown.shownBonds);
    ASSERT_LE(atoms, 999u);

    const std::string xmol = rig.path("s.xmol");
    exportXMOL(rig.ctx, xmol);
    const std::vector<std::string> xmolLines = fileLines(xmol);
    EXPECT_EQ(xmolLines.at(0), std::to_string(atoms));
    EXPECT_EQ(xmolLines.size(), atoms + 2);
    std::vector<std::array<double, 3>> rows;
    for (std::size_t i = 2; i < xmolLines.size(); ++i) {
      const auto f = splitSpaces(xmolLines[i]);
      rows.push_back({Val(f.at(1)), Val(f.at(2)), Val(f.at(3))});
    }

    EXPECT_FALSE(molLimitMessage(molTables(rig.ctx)));
    rig.prompts.answerInput("1");
    const std::string mol = rig.path("s.mol");
    exportMOL(rig.ctx, mol);
    const std::vector<std::string> molLines = fileLines(mol);
    EXPECT_EQ(Val(molLines.at(3).substr(0, 3)), double(atoms));
    EXPECT_EQ(Val(molLines.at(3).substr(3, 3)), double(bonds));
    ASSERT_EQ(molLines.size(), 4 + atoms + bonds + 1);
    for (std::size_t i = 0; i < bonds; ++i) {
      const std::string& line = molLines[4 + atoms + i];
      const auto a = static_cast<std::size_t>(Val(line.substr(0, 3))) - 1;
      const auto b = static_cast<std::size_t>(Val(line.substr(3, 3))) - 1;
      ASSERT_LT(a, atoms);
      ASSERT_LT(b, atoms);
      const double d = std::hypot(rows[a][0] - rows[b][0], rows[a][1] - rows[b][1],
                                  rows[a][2] - rows[b][2]);
      EXPECT_NEAR(d, 1.42, 0.1) << line;
    }

    const std::string table = rig.path("s_Bonds.txt");
    exportBonds(rig.ctx, table);
    const std::vector<std::string> tableLines = fileLines(table);
    EXPECT_EQ(Val(tableLines.at(0)), double(bonds));
    ASSERT_EQ(tableLines.size(), bonds + 1);
    for (std::size_t i = 1; i <= bonds; ++i) {
      const auto f = splitSpaces(tableLines[i]);
      ASSERT_EQ(f.size(), 8u) << tableLines[i];
      const auto a = static_cast<std::size_t>(Val(f[6])) - 1;
      ASSERT_LT(a, atoms);
      for (std::size_t k = 0; k < 3; ++k)
        EXPECT_NEAR(Val(f[k]), rows[a][k], 1e-3) << tableLines[i];
    }

    rig.prompts.answerYesNo(false);
    const std::string pdb = rig.path("s.pdb");
    exportPDB(rig.ctx, pdb);
    std::size_t pdbAtoms = 0;
    for (const std::string& line : fileLines(pdb))
      pdbAtoms += line.rfind("ATOM", 0) == 0;
    EXPECT_EQ(pdbAtoms, atoms);

    const std::string mlm = rig.path("s.mlm");
    exportMLM(rig.ctx, mlm);
    const std::vector<std::string> mlmLines = fileLines(mlm);
    EXPECT_EQ(mlmLines.at(5), "@Table Atoms " + std::string(" ") + std::to_string(atoms) + " ");
    EXPECT_EQ(mlmLines.at(8 + atoms + 1), "@Table Bonds  " + std::to_string(bonds) + " ");

    const std::string cif = rig.path("s.cif");
    exportCIF(rig.ctx, cif);
    const std::vector<std::string> cifLines = fileLines(cif);
    const auto loopEnd = std::find(cifLines.begin(), cifLines.end(), "_atom_site_fract_z");
    ASSERT_NE(loopEnd, cifLines.end());
    EXPECT_EQ(std::count_if(loopEnd + 1, cifLines.end(),
                            [](const std::string& l) { return !l.empty(); }),
              std::ptrdiff_t(atoms));

    const std::string wrl = rig.path("s.wrl");
    exportVRML(rig.ctx, shown.vrml(), wrl, VrmlVersion::Vrml2);
    const std::string world = readBytes(wrl);
    std::size_t spheres = 0;
    for (std::size_t at = world.find("Sphere {"); at != std::string::npos;
         at = world.find("Sphere {", at + 1))
      ++spheres;
    EXPECT_EQ(spheres, atoms);
  }
}

// The MOL limit counts the atoms of every list, not the last one built.
TEST(ExportSceneTest, molRefusalCountsEveryListShown)
{
  ExportRig rig;
  const SceneTubes shown(rig, sevenTubeBundle(), 20.0f);
  ASSERT_LE(rig.model.atomCount, 999);
  ASSERT_GT(shown.shownAtoms, 999);
  EXPECT_EQ(molLimitMessage(molTables(rig.ctx)), "MOL-File only supports up to 999 atoms");
  EXPECT_THROW(exportMOL(rig.ctx, rig.path("big.mol")), RuntimeError);
  EXPECT_FALSE(std::filesystem::exists(rig.path("big.mol")));
}

TEST(BondStatisticsTest, textsForSetsAndExtents)
{
  ExportRig rig;
  EXPECT_EQ(bondStatisticsText(rig.ctx), "Bond Length = 1.42, Bounding Box [0.0 x 0.0 x 0.0]");

  rig.addAtom(0.0f, 0.0f, 0.0f);
  rig.addAtom(12.0f, 12.3456f, 0.0f);
  EXPECT_EQ(bondStatisticsText(rig.ctx), "Bond Length = 1.42, Bounding Box [12.0 x 12.346 x 0.0]");

  ExportRig away;
  away.model.bondLength = 1.5f;
  away.addAtom(5.0f, 1.0f, -3.0f);
  away.addAtom(7.0f, 1.0f, -3.0f);
  EXPECT_EQ(bondStatisticsText(away.ctx), "Bond Length = 1.5, Bounding Box [2.0 x 0.0 x 0.0]");
  for (const std::int16_t kind : {2, 4}) {
    away.model.structureKind = kind;
    away.addSheetAtom(0.0f, 0.0f, 0.0f);
    away.addSheetAtom(0.0f, 3.0f, 0.0f);
    EXPECT_EQ(bondStatisticsText(away.ctx), "Bond Length = 1.5, Bounding Box [0.0 x 3.0 x 0.0]");
    away.model.sheetCount = 0;
    away.model.sheetX.clear(), away.model.sheetY.clear(), away.model.sheetZ.clear();
    away.model.sheetType.clear();
  }

  ExportRig ball;
  c60(ball.model);
  EXPECT_EQ(bondStatisticsText(ball.ctx), "Bond Length = 1.42, Bounding Box [6.977 x 6.861 x 6.663]");

  std::vector<std::string> panel;
  showBondStatistics(ball.ctx, [&](const std::string& text) {
    EXPECT_EQ(ball.prompts.waitDepth, 0);
    panel.push_back(text);
  });
  EXPECT_EQ(panel, std::vector<std::string>{bondStatisticsText(ball.ctx)});
  EXPECT_EQ(ball.prompts.waitCount, 1);
}

} // namespace
} // namespace tarvek::test
