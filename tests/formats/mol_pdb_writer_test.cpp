#include "export_rig.h"

#include "formats/structure_writers.h"
#include "runtime/runtime_error.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace tarvek::test {
namespace {

const std::string molPrompt =
    "Which bond order do you wish to assign?\r\n\r\n1 - Single Bond \r\n2 - Double Bond etc.";
const std::string molHeader = "TARVEK\r\n"
                              "  tarvek                                           0\r\n"
                              "\r\n";

TEST(MolWriterTest, emptyStructureAndTheQuestion)
{
  ExportRig rig;
  rig.prompts.answerInput("1");
  const std::string path = rig.path("a.mol");
  exportMOL(rig.ctx, path);
  EXPECT_EQ(readBytes(path), molHeader + "  0  0 0  0  0  0  0  0  0  0  0\r\nM  END\r\n");
  ASSERT_EQ(rig.prompts.calls.size(), 1u);
  EXPECT_EQ(rig.prompts.calls[0].kind, FakePrompts::Kind::Input);
  EXPECT_EQ(rig.prompts.calls[0].text, molPrompt);
  EXPECT_EQ(rig.prompts.calls[0].title, "MOL File Export");
  EXPECT_EQ(rig.prompts.calls[0].defaultText, "1");
  EXPECT_EQ(rig.prompts.waitDepth, 0);
  EXPECT_EQ(rig.prompts.waitCount, 1);
}

TEST(MolWriterTest, atomsBondsAndLabels)
{
  ExportRig rig;
  rig.ctx.atomTypeLabel1 = "Ga";
  rig.ctx.atomTypeLabel2 = "N";
  rig.addAtom(1.42f, 0.0f, 0.0f);
  rig.addAtom(-1000.0f, -2000.0f, 99999.99f, 1);
  rig.addAtom(0.0f, 0.0f, 0.0f, 2);
  rig.addBond(0, 1);
  rig.prompts.answerInput("1");
  const std::string path = rig.path("a.mol");
  exportMOL(rig.ctx, path);
  EXPECT_EQ(readBytes(path), molHeader + "  3  1 0  0  0  0  0  0  0  0  0\r\n"
                                         "    1.4200    0.0000    0.0000 C   0  0  0  0  0  0\r\n"
                                         "-1000.0000-2000.000099999.9900 Ga  0  0  0  0  0  0\r\n"
                                         "    0.0000    0.0000    0.0000 N   0  0  0  0  0  0\r\n"
                                         "  1  2 1  0  0  0\r\n"
                                         "M  END\r\n");
}

TEST(MolWriterTest, bondOrderAnswers)
{
  const std::pair<std::optional<std::string>, std::string> cases[] = {
      {"2.6", "3"}, {"2.5", "2"}, {"3.5", "4"},      {"4", "4"},     {"0", "1"},
      {"-1", "1"},  {"abc", "1"}, {std::nullopt, "1"}, {"", "1"},    {"99.4", "99"},
  };
  for (const auto& [answer, order] : cases) {
    ExportRig rig;
    rig.addAtom(0.0f, 0.0f, 0.0f);
    rig.addAtom(1.42f, 0.0f, 0.0f);
    rig.addBond(0, 1);
    rig.prompts.answerInput(answer);
    const std::string path = rig.path("a.mol");
    exportMOL(rig.ctx, path);
    EXPECT_EQ(fileLines(path)[6], "  1  2 " + order + "  0  0  0") << answer.value_or("(cancel)");
  }
}

TEST(MolWriterTest, limitsAreCheckedBeforeTheQuestion)
{
  ExportRig rig;
  for (int i = 0; i < 999; ++i)
    rig.addAtom(float(i % 10), float(i / 10), 0.0f);
  EXPECT_EQ(molLimitMessage(molTables(rig.ctx)), std::nullopt);
  rig.prompts.answerInput("1");
  const std::string path = rig.path("a.mol");
  exportMOL(rig.ctx, path);
  EXPECT_EQ(fileLines(path)[3], "999  0 0  0  0  0  0  0  0  0  0");

  rig.addAtom(0.0f, 0.0f, 5.0f);
  EXPECT_EQ(molLimitMessage(molTables(rig.ctx)), "MOL-File only supports up to 999 atoms");

  ExportRig bonds;
  for (int i = 0; i < 50; ++i)
    bonds.addAtom(float(i), 0.0f, 0.0f);
  for (int a = 0; a < 50 && bonds.model.bondCount < 1000; ++a)
    for (int b = a + 1; b < 50 && bonds.model.bondCount < 1000; ++b)
      bonds.addBond(a, b);
  EXPECT_EQ(molLimitMessage(molTables(bonds.ctx)), "MOL-File only supports up to 999 bonds");

  for (ExportRig* r : {&rig, &bonds}) {
    const std::size_t asked = r->prompts.calls.size();
    try {
      exportMOL(r->ctx, r->path("b.mol"));
      ADD_FAILURE() << "no refusal";
    } catch (const RuntimeError& e) {
      EXPECT_EQ(std::string(e.what()), *molLimitMessage(molTables(r->ctx)));
    }
    EXPECT_EQ(r->prompts.calls.size(), asked);
    EXPECT_FALSE(std::filesystem::exists(r->path("b.mol")));
  }
}

TEST(MolWriterTest, virusCageStartsAtAtom12AndDropsVertexBonds)
{
  ExportRig rig;
  rig.model.structureKind = 8;
  for (int i = 0; i < 14; ++i)
    rig.addAtom(float(i), 0.0f, 0.0f);
  rig.addBond(0, 1);
  rig.addBond(0, 12);
  rig.addBond(12, 13);
  rig.prompts.answerInput("1");
  const std::string path = rig.path("a.mol");
  exportMOL(rig.ctx, path);
  const auto lines = fileLines(path);
  ASSERT_EQ(lines.size(), 8u);
  EXPECT_EQ(lines[3], "  2  1 0  0  0  0  0  0  0  0  0");
  EXPECT_EQ(lines[4].substr(0, 10), "   12.0000");
  EXPECT_EQ(lines[6], "  1  2 1  0  0  0");
}

const std::string pdbHead = "REMARK   tarvek PDB file\r\n"
                            "REMARK   Created:10.12.2026 14:00\r\n"
                            "CRYST1    1.000    1.000    1.000  90.00  90.00  90.00 P1\r\n";

TEST(PdbWriterTest, oneListWithTheConnectionTable)
{
  ExportRig rig;
  rig.ctx.atomTypeLabel1 = "Ga";
  rig.addAtom(1.42f, 0.0f, 0.0f);
  rig.addAtom(-1.5f, 2.25f, 12.0f, 1);
  rig.addAtom(0.0f, 0.0f, 0.0f);
  rig.addAtom(0.0f, 1.0f, 0.0f);
  rig.addAtom(0.0f, 2.0f, 0.0f);
  rig.addBond(0, 1);
  rig.addBond(0, 2);
  rig.addBond(1, 2);
  rig.addBond(2, 3);
  rig.prompts.answerYesNo(true);
  const std::string path = rig.path("a.pdb");
  exportPDB(rig.ctx, path);
  EXPECT_EQ(readBytes(path),
            pdbHead
                + "ATOM      1  C     C A   1       1.420   0.000   0.000  1.00  0.00           C\r\n"
                  "ATOM      2 Ga    Ga A   1      -1.500   2.250  12.000  1.00  0.00          GA\r\n"
                  "ATOM      3  C     C A   1       0.000   0.000   0.000  1.00  0.00           C\r\n"
                  "ATOM      4  C     C A   1       0.000   1.000   0.000  1.00  0.00           C\r\n"
                  "ATOM      5  C     C A   1       0.000   2.000   0.000  1.00  0.00           C\r\n"
                  "TER\r\n"
                  "CONECT    1    2    3\r\n"
                  "CONECT    2    1    3\r\n"
                  "CONECT    3    1    2    4\r\n"
                  "CONECT    4    3\r\n"
                  "MASTER        0    0    0    0    0    0    0    0    5    0    4    0\r\n"
                  "END\r\n");
  ASSERT_EQ(rig.prompts.calls.size(), 1u);
  EXPECT_EQ(rig.prompts.calls[0].kind, FakePrompts::Kind::YesNo);
  EXPECT_EQ(rig.prompts.calls[0].text, "Include Connection Table (Bonds) ?");
  EXPECT_EQ(rig.prompts.calls[0].title, "PDB Export");
  EXPECT_EQ(rig.prompts.calls[0].icon, MessageIcon::Question);
  EXPECT_EQ(rig.prompts.waitDepth, 0);

  rig.prompts.answerYesNo(false);
  exportPDB(rig.ctx, path);
  const auto lines = fileLines(path);
  ASSERT_EQ(lines.size(), 9u);
  EXPECT_EQ(lines.back(), "TER");
}

TEST(PdbWriterTest, anImportedPartIsCopiedWithoutAQuestion)
{
  ExportRig rig;
  rig.model.partsFlag = true;
  rig.addAtom(0.0f, 0.0f, 0.0f, 6);
  const std::string part = "HETATM    1  C   UNL     1  ,5\r\n\x01\xff no end";
  rig.ctx.partFile = rig.dir.write("part.pdb", part).string();
  const std::string path = rig.path("a.pdb");
  exportPDB(rig.ctx, path);
  EXPECT_EQ(readBytes(path), part);
  exportPDB(rig.ctx, rig.ctx.partFile);
  EXPECT_EQ(readBytes(rig.ctx.partFile), part);
  EXPECT_TRUE(rig.prompts.calls.empty());
}

TEST(PdbWriterTest, twoListsFromTheSceneFiles)
{
  ExportRig rig;
  rig.addAtom(50.0f, 50.0f, 50.0f);
  rig.ctx.sceneListCount = 2;
  rig.ctx.sceneAtomFile = rig.dir.write("tmp.xyz",
                                        " 0             0             0             3             0             255 \r\n"
                                        " 1.42          0             0             3             1             255 \r\n"
                                        " 0             0             10            3             0             255 \r\n"
                                        " 1.42          0             10            1             1             255 \r\n")
                              .string();
  rig.ctx.sceneBondFile = rig.dir.write("tmp.zyx",
                                        " 0             0             0             1.42          0             0             7 \r\n"
                                        " 0             0             0             0             0             0             7             .2 \r\n"
                                        " 0             0             0            .4             7 \r\n"
                                        " 0             0             10            1.42          0             10            7 \r\n"
                                        " 0             0             10            9             9             9             7 \r\n")
                              .string();
  rig.ctx.atomTypeLabel1 = "N";
  rig.prompts.answerYesNo(true);
  const std::string path = rig.path("a.pdb");
  exportPDB(rig.ctx, path);
  EXPECT_EQ(readBytes(path),
            pdbHead
                + "ATOM      1  C     C A1  1       0.000   0.000   0.000  1.00  0.00           C\r\n"
                  "ATOM      2  C     C A1  1       1.420   0.000   0.000  1.00  0.00           C\r\n"
                  "TER\r\n"
                  "ATOM      3  C     C A2  1       0.000   0.000  10.000  1.00  0.00           C\r\n"
                  "ATOM      4  N     N A2  1       1.420   0.000  10.000  1.00  0.00           N\r\n"
                  "TER\r\n"
                  "CONECT    1    2\r\n"
                  "CONECT    2    1\r\n"
                  "CONECT    3    4\r\n"
                  "CONECT    4    3\r\n"
                  "MASTER        0    0    0    0    0    0    0    0    4    0    4    0\r\n"
                  "END\r\n");
}

TEST(PdbWriterTest, listTenKeepsTheCoordinateColumns)
{
  ExportRig rig;
  std::string atoms;
  for (int i = 0; i < 10; ++i)
    atoms += " " + std::to_string(i) + "  0  0  3  0 \r\n";
  // A type beyond 16 bits gets no label rather than a wrapped one.
  atoms += " 10  0  0  1E+09  0 \r\n";
  rig.ctx.sceneListCount = 11;
  rig.ctx.sceneAtomFile = rig.dir.write("tmp.xyz", atoms).string();
  rig.ctx.sceneBondFile = rig.path("tmp.zyx");
  rig.prompts.answerYesNo(false);
  const std::string path = rig.path("a.pdb");
  exportPDB(rig.ctx, path);
  auto lines = fileLines(path);
  ASSERT_EQ(lines.size(), 3u + 22u);
  EXPECT_EQ(lines[3].substr(21, 9), "A1  1    ");
  EXPECT_EQ(lines[21], "ATOM     10  C     C A  10       9.000   0.000   0.000  1.00  0.00           C");
  EXPECT_EQ(lines[21].substr(30, 8), "   9.000");
  EXPECT_EQ(lines[22], "TER");
  EXPECT_EQ(lines[23], "ATOM     11  X     X A  11      10.000   0.000   0.000  1.00  0.00           X");

  // Lists without bonds leave no bond file: no atom has a partner, so no
  // CONECT record is written and MASTER counts none.
  rig.prompts.answerYesNo(true);
  exportPDB(rig.ctx, path);
  lines = fileLines(path);
  ASSERT_EQ(lines.size(), 3u + 22u + 2u);
  EXPECT_EQ(lines[3 + 22], "MASTER        0    0    0    0    0    0    0    0   11    0    0    0");
  EXPECT_EQ(std::count_if(lines.begin(), lines.end(),
                          [](const std::string& l) { return l.rfind("CONECT", 0) == 0; }),
            0);
}

TEST(PdbWriterTest, virusCageStartsAtSerial13)
{
  ExportRig rig;
  rig.model.structureKind = 8;
  for (int i = 0; i < 14; ++i)
    rig.addAtom(float(i), 0.0f, 0.0f);
  rig.addBond(0, 1);
  rig.addBond(1, 12);
  rig.addBond(12, 13);
  rig.prompts.answerYesNo(true);
  const std::string path = rig.path("a.pdb");
  exportPDB(rig.ctx, path);
  const auto lines = fileLines(path);
  ASSERT_EQ(lines.size(), 10u);
  EXPECT_EQ(lines[3].substr(0, 11), "ATOM     13");
  EXPECT_EQ(lines[6], "CONECT   13   14");
  EXPECT_EQ(lines[7], "CONECT   14   13");
  EXPECT_EQ(lines[8], "MASTER        0    0    0    0    0    0    0    0    2    0    2    0");
}

TEST(PdbWriterTest, hybrid36)
{
  const std::pair<std::int64_t, std::string> cases[] = {
      {0, "    0"},           {99999, "99999"},       {100000, "A0000"},
      {100001, "A0001"},     {1779616, "B0000"},     {43770015, "ZZZZZ"},
      {43770016, "a0000"},   {87440031, "zzzzz"},
  };
  for (const auto& [value, text] : cases)
    EXPECT_EQ(encodeHybrid36(value, 5), text) << value;
  EXPECT_EQ(encodeHybrid36(10000, 4), "A000");
  EXPECT_THROW(encodeHybrid36(87440032, 5), RuntimeError);
  EXPECT_THROW(encodeHybrid36(-1, 5), RuntimeError);
}

TEST(PdbWriterTest, aHundredThousandAtomsTakeHybrid36Serials)
{
  ExportRig rig;
  for (int i = 0; i < 100000; ++i)
    rig.addAtom(float(i % 100), float(i / 100), 0.0f);
  rig.addBond(0, 1);
  rig.addBond(99998, 99999);
  rig.prompts.answerYesNo(true);
  const std::string path = rig.path("a.pdb");
  exportPDB(rig.ctx, path);
  const auto lines = fileLines(path);
  // Only the four bonded atoms get a CONECT record.
  ASSERT_EQ(lines.size(), 3u + 100000u + 1u + 4u + 1u);
  EXPECT_EQ(lines[3 + 99999].substr(0, 15), "ATOM  A0000  C ");
  EXPECT_EQ(lines[3 + 99998].substr(0, 15), "ATOM  99999  C ");
  const std::size_t conect = 3 + 100000 + 1;
  EXPECT_EQ(lines[conect], "CONECT    1    2");
  EXPECT_EQ(lines[conect + 2], "CONECT99999A0000");
  EXPECT_EQ(lines[conect + 3], "CONECTA000099999");
  EXPECT_EQ(lines.back(), "END");
  for (const std::string& line : lines)
    ASSERT_NE(line.rfind("MASTER", 0), 0u);
}

} // namespace
} // namespace tarvek::test
