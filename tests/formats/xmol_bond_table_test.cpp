#include "export_rig.h"

#include "formats/structure_writers.h"

#include <gtest/gtest.h>

namespace tarvek::test {
namespace {

TEST(XmolWriterTest, layoutAndSets)
{
  ExportRig rig;
  rig.addAtom(0.0f, 0.0f, 0.0f);
  rig.addAtom(-1.5f, 2.25f, 12.0f, 1);
  rig.ctx.atomTypeLabel1 = "Ga";
  const std::string path = rig.path("a.xmol");
  exportXMOL(rig.ctx, path);
  EXPECT_EQ(readBytes(path), "2\r\n\r\n"
                             "  C    0.000000    0.000000    0.000000\r\n"
                             " Ga   -1.500000    2.250000   12.000000\r\n");
  EXPECT_EQ(fileLines(path)[2].size(), 39u);
  EXPECT_EQ(rig.prompts.waitCount, 1);
  EXPECT_EQ(rig.prompts.waitDepth, 0);
  EXPECT_TRUE(rig.prompts.calls.empty());

  rig.model.structureKind = 2;
  rig.addSheetAtom(9.0f, 0.0f, 0.0f);
  exportXMOL(rig.ctx, path);
  EXPECT_EQ(readBytes(path), "1\r\n\r\n  C    9.000000    0.000000    0.000000\r\n");

  rig.model.structureKind = 8;
  for (int i = 2; i < 14; ++i)
    rig.addAtom(float(i), 0.0f, 0.0f);
  exportXMOL(rig.ctx, path);
  const auto lines = fileLines(path);
  ASSERT_EQ(lines.size(), 16u);
  EXPECT_EQ(lines[0], "14");
  EXPECT_EQ(lines[2], "  C    0.000000    0.000000    0.000000");
}

TEST(XmolWriterTest, emptySetAndPartsLabels)
{
  ExportRig rig;
  const std::string path = rig.path("a.xmol");
  exportXMOL(rig.ctx, path);
  EXPECT_EQ(readBytes(path), "0\r\n\r\n");

  rig.model.partsFlag = true;
  rig.addAtom(-999.99f, 9999.999f, 0.5f, 17);
  exportXMOL(rig.ctx, path);
  EXPECT_EQ(fileLines(path)[2], "Cl -999.990000 9999.999000    0.500000");
}

TEST(BondTableWriterTest, countLineAndBondLines)
{
  ExportRig rig;
  const std::string path = rig.path("a_Bonds.txt");
  exportBonds(rig.ctx, path);
  EXPECT_EQ(readBytes(path), " 0 \r\n");
  EXPECT_TRUE(rig.prompts.calls.empty());
  EXPECT_EQ(rig.prompts.waitCount, 0);

  rig.addAtom(0.0f, 0.0f, 0.0f);
  rig.addAtom(1.42f, 0.0f, 0.0f);
  rig.addAtom(-999.9999f, 9999.999f, -0.00004f);
  rig.addBond(0, 1);
  rig.addBond(1, 2);
  exportBonds(rig.ctx, path);
  const auto lines = fileLines(path);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0], " 2 ");
  EXPECT_EQ(lines[1], "    0.0000    0.0000    0.0000      1.4200    0.0000    0.0000         1  2 ");
  EXPECT_EQ(lines[1].size(), 76u);
  EXPECT_EQ(lines[2].substr(30), "   -999.9999 9999.9990    0.0000         2  3 ");
}

TEST(BondTableWriterTest, sheetKindsTakeTheSheetAndAVirusCageAllAtoms)
{
  ExportRig rig;
  for (int i = 0; i < 14; ++i)
    rig.addAtom(float(i), 0.0f, 0.0f);
  rig.addSheetAtom(0.0f, 5.0f, 0.0f);
  rig.addSheetAtom(0.0f, 6.0f, 0.0f);
  rig.addBond(0, 1);
  const std::string path = rig.path("a_Bonds.txt");
  rig.model.structureKind = 4;
  exportBonds(rig.ctx, path);
  EXPECT_EQ(fileLines(path)[1].substr(0, 20), "    0.0000    5.0000");
  rig.model.structureKind = 8;
  exportBonds(rig.ctx, path);
  EXPECT_EQ(fileLines(path)[1].substr(0, 20), "    0.0000    0.0000");
  EXPECT_EQ(fileLines(path)[1].substr(70), " 1  2 ");
}

} // namespace
} // namespace tarvek::test
