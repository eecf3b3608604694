#include "scene_walls.h"

#include "formats/structure_writers.h"

#include <gtest/gtest.h>

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
