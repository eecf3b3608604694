#include "scene_walls.h"

#include "formats/export_text.h"
#include "formats/structure_writers.h"
#include "runtime/text_fixups.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

namespace tarvek::test {
namespace {

// Two lists as the scene writes them: atom lines of six fields, the second
// list starting again at index 0.
const std::string twoListAtoms =
    " 1.5          -2.25          12            3             0             255 \r\n"
    " 2.5           0             0             3             1             255 \r\n"
    " 7             1             1             3             0             255 \r\n";

const ExportUse allUses[] = {ExportUse::Xmol,       ExportUse::Mol, ExportUse::Pdb,
                             ExportUse::BondTable,  ExportUse::Box, ExportUse::Statistics,
                             ExportUse::Mlm,        ExportUse::Cif, ExportUse::Vrml};

TEST(ExportSetTest, eachUseTakesItsSetAndFirstAtomPerKind)
{
  ExportRig rig;
  for (int i = 0; i < 14; ++i)
    rig.addAtom(static_cast<float>(i), 0.0f, 0.0f);
  for (int i = 0; i < 3; ++i)
    rig.addSheetAtom(100.0f + static_cast<float>(i), 0.0f, 0.0f);
  for (std::int16_t kind = 0; kind <= 9; ++kind) {
    rig.model.structureKind = kind;
    for (const ExportUse use : allUses) {
      const ExportAtoms set = exportAtoms(rig.ctx, use);
      const bool sheet = kind == 2 || kind == 4;
      const bool vertexSkipper = use == ExportUse::Mol || use == ExportUse::Pdb
                                 || use == ExportUse::Mlm || use == ExportUse::Cif
                                 || use == ExportUse::Vrml;
      const bool none = (use == ExportUse::Cif || use == ExportUse::Vrml) && (kind < 1 || kind > 8);
      const std::int32_t count = sheet ? 3 : 14;
      const std::int32_t first = none ? count : kind == 8 && vertexSkipper ? 12 : 0;
      SCOPED_TRACE("kind " + std::to_string(kind) + ", use " + std::to_string(int(use)));
      EXPECT_FALSE(set.fromSceneFile);
      EXPECT_EQ(set.setCount, count);
      EXPECT_EQ(set.first, first);
      ASSERT_EQ(set.atoms.size(), std::size_t(set.setCount - first));
      if (none)
        continue;
      EXPECT_EQ(set.atoms.front().x, sheet ? 100.0f : float(first));
      EXPECT_EQ(set.atoms.front().index, first);
    }
  }
}

// Every file takes what the scene shows; the statistics and the VRML
// spheres keep the model.
TEST(ExportSetTest, theSceneFileServesTheFilesAndTheBoxOnlyFromTwoLists)
{
  ExportRig rig;
  rig.addAtom(0.0f, 0.0f, 0.0f);
  rig.ctx.sceneAtomFile = rig.dir.write("tmp.xyz", twoListAtoms).string();
  for (const std::int32_t lists : {0, 1, 2, 3}) {
    rig.ctx.sceneListCount = lists;
    for (const ExportUse use : allUses) {
      const bool scene =
          lists >= 2 && use != ExportUse::Statistics && use != ExportUse::Vrml;
      const ExportAtoms set = exportAtoms(rig.ctx, use);
      SCOPED_TRACE(std::to_string(lists) + " lists, use " + std::to_string(int(use)));
      EXPECT_EQ(set.fromSceneFile, scene);
      EXPECT_EQ(set.atoms.size(), scene ? 3u : 1u);
    }
  }
  rig.ctx.sceneListCount = 2;
  const ExportAtoms set = exportAtoms(rig.ctx, ExportUse::Pdb);
  EXPECT_EQ(set.listStarts, (std::vector<std::size_t>{0, 2}));
  EXPECT_EQ(set.atoms[0].x, 1.5f);
  EXPECT_EQ(set.atoms[0].y, -2.25f);
  EXPECT_EQ(set.atoms[0].z, 12.0f);
  EXPECT_EQ(set.atoms[0].type, 3);
  EXPECT_EQ(set.atoms[1].index, 1);
}

TEST(ExportSetTest, aListStartsWhereTheIndexStopsGrowing)
{
  ExportRig rig;
  rig.ctx.sceneListCount = 2;
  rig.ctx.sceneAtomFile = rig.dir.write("tmp.xyz",
                                        " 0  0  0  3  12 \r\n 1  0  0  3  13 \r\n"
                                        " 2  0  0  3  12 \r\n 3  0  0  3  13 \r\n"
                                        " 4  0  0  3  13 \r\n")
                              .string();
  EXPECT_EQ(exportAtoms(rig.ctx, ExportUse::Pdb).listStarts,
            (std::vector<std::size_t>{0, 2, 4}));
}

TEST(ExportBoxTest, marginsOriginAndFlatSheets)
{
  ExportRig rig;
  rig.addAtom(3.0f, 1.0f, -2.0f);
  rig.addAtom(5.0f, 2.0f, 0.0f);
  auto box = getStructureBox(rig.ctx);
  EXPECT_EQ(box, (std::array<float, 6>{-5.0f, -5.0f, -2.0f, 15.0f, 12.0f, 2.0f}));

  ExportRig sheet;
  sheet.model.structureKind = 2;
  sheet.addSheetAtom(1.0f, 1.0f, 0.0f);
  sheet.addAtom(50.0f, 50.0f, 50.0f);
  EXPECT_EQ(getStructureBox(sheet.ctx)[5], 1.0f);
  EXPECT_EQ(getStructureBox(sheet.ctx)[3], 11.0f);
  sheet.ctx.cifPadding[2] = 2.0f;
  EXPECT_EQ(getStructureBox(sheet.ctx)[5], 4.0f);
  sheet.model.structureKind = 4;
  EXPECT_EQ(getStructureBox(sheet.ctx)[3], 11.0f);

  ExportRig line;
  line.addAtom(0.0f, 0.0f, 3.0f);
  line.ctx.cifPadding = {0.0f, 0.0f, 0.0f};
  EXPECT_EQ(getStructureBox(line.ctx), (std::array<float, 6>{0.0f, 0.0f, 0.0f, 1.0f, 1.0f, 3.0f}));

  ExportRig scene;
  scene.addAtom(100.0f, 0.0f, 0.0f);
  scene.ctx.sceneListCount = 2;
  scene.ctx.sceneAtomFile = scene.dir.write("tmp.xyz", twoListAtoms).string();
  box = getStructureBox(scene.ctx);
  EXPECT_EQ(box[3], 7.0f + 10.0f);
  EXPECT_EQ(box[2], 0.0f);
  EXPECT_EQ(box[5], 12.0f);
}

TEST(AtomLabelsTest, formsPerWriter)
{
  struct Case {
    LabelForm form;
    bool parts;
    std::string label1;
    std::string label2;
    std::int32_t type;
    std::string expected;
  };
  const Case cases[] = {
      {LabelForm::Pdb, false, "C", "C", 1, "  C"},
      {LabelForm::Xmol, false, "Ga", "N", 1, " Ga"},
      {LabelForm::Xmol, false, "Ga", "N", 2, "  N"},
      {LabelForm::Mol, false, "Ga", "N", 1, " Ga"},
      {LabelForm::Mol, false, "Ga", "N", 2, " N "},
      {LabelForm::Mol, false, "Ga", "N", 3, " C "},
      {LabelForm::Xmol, true, "", "", 17, "Cl"},
      {LabelForm::Mol, true, "", "", 17, " Cl"},
      {LabelForm::Pdb, true, "", "", 31, " Ga"},
      {LabelForm::Xmol, false, "C", "C", 0, "  X"},
      {LabelForm::Mol, false, "C", "C", 4, " X "},
      {LabelForm::Pdb, false, "C", "C", 200, "  X"},
      {LabelForm::Xmol, true, "", "", 200, "X"},
      {LabelForm::Mol, true, "", "", 120, " X "},
      {LabelForm::Mol, true, "", "", 2, " X "},
      {LabelForm::Pdb, false, "", "C", 1, "  X"},
      {LabelForm::Xmol, false, "C", "C", -3, "  X"},
      {LabelForm::Cif, false, "Ga", "N", 1, " Ga"},
      {LabelForm::Cif, false, "Ga", "N", 3, "  C"},
      {LabelForm::Cif, true, "", "", 17, "Cl"},
      {LabelForm::Cif, false, "C", "C", 0, "  X"},
      {LabelForm::Cif, true, "", "", 200, "X"},
      {LabelForm::Mlm, false, "Ga", "N", 1, "Ga"},
      {LabelForm::Mlm, false, "Ga", "N", 2, "N"},
      {LabelForm::Mlm, false, "Ga", "N", 3, "C"},
      {LabelForm::Mlm, true, "", "", 17, "Cl"},
      {LabelForm::Mlm, false, "C", "C", 4, "X"},
      {LabelForm::Mlm, true, "", "", 300, "X"},
  };
  for (const Case& c : cases) {
    ExportRig rig;
    rig.model.partsFlag = c.parts;
    rig.ctx.atomTypeLabel1 = c.label1;
    rig.ctx.atomTypeLabel2 = c.label2;
    const AtomLabels labels(rig.ctx, c.form);
    EXPECT_EQ(labels(c.type), c.expected)
        << "form " << int(c.form) << ", parts " << c.parts << ", type " << c.type;
  }
}

TEST(ExportTextTest, lineEndsAndDecimalCommaInOnePass)
{
  for (const bool lf : {false, true}) {
    for (const bool comma : {false, true}) {
      ExportRig rig;
      rig.ctx.lfLineEnds = lf;
      rig.ctx.decimalComma = comma;
      const std::string path = rig.path("t.txt");
      ExportText text(rig.ctx, path);
      text.line("10,12,2026");
      text.line("");
      text.commit();
      const std::string end = lf ? "\n" : "\r\n";
      EXPECT_EQ(readBytes(path), (comma ? "10.12.2026" : "10,12,2026") + end + end)
          << "lf " << lf << ", comma " << comma;
    }
  }
}

// Every writer's bytes with the options set equal the default bytes after
// the two fix-ups, which stay for the program's other files.
TEST(ExportTextTest, everyWriterMatchesTheFixUpsOfItsDefaultOutput)
{
  using Writer = std::function<void(ExportRig&, const std::string&)>;
  const std::pair<const char*, Writer> writers[] = {
      {"XMOL", [](ExportRig& r, const std::string& p) { exportXMOL(r.ctx, p); }},
      {"MOL",
       [](ExportRig& r, const std::string& p) {
         r.prompts.answerInput("2");
         exportMOL(r.ctx, p);
       }},
      {"PDB",
       [](ExportRig& r, const std::string& p) {
         r.prompts.answerYesNo(true);
         exportPDB(r.ctx, p);
       }},
      {"bonds", [](ExportRig& r, const std::string& p) { exportBonds(r.ctx, p); }},
      {"MLM",
       [](ExportRig& r, const std::string& p) {
         // MLM fields end below 1000.
         r.model.atomY[1] = 999.0f;
         exportMLM(r.ctx, p);
       }},
      {"CIF", [](ExportRig& r, const std::string& p) { exportCIF(r.ctx, p); }},
      {"VRML 2.0",
       [](ExportRig& r, const std::string& p) {
         const ExportScene scene(r);
         exportVRML(r.ctx, scene.vrml(), p, VrmlVersion::Vrml2);
       }},
      {"VRML 1.0",
       [](ExportRig& r, const std::string& p) {
         const ExportScene scene(r);
         exportVRML(r.ctx, scene.vrml(), p, VrmlVersion::Vrml1);
       }},
  };
  for (const auto& [name, write] : writers) {
    for (const bool lf : {false, true}) {
      for (const bool comma : {false, true}) {
        ExportRig rig;
        rig.ctx.createdText = "10,12,2026 14:00";
        rig.addAtom(1.5f, -2.25f, 0.125f);
        rig.addAtom(-0.0001f, 1000.0f, 3.0f, 1);
        rig.addBond(0, 1);
        // One file name in two folders: the MLM file names itself.
        std::filesystem::create_directory(rig.path("plain"));
        std::filesystem::create_directory(rig.path("fixed"));
        const std::string plain = rig.path("plain/out");
        const std::string fixed = rig.path("fixed/out");
        write(rig, plain);
        ASSERT_TRUE(stripCarriageReturns(plain, lf).ok());
        ASSERT_TRUE(fixDecimalComma(plain, comma).ok());
        rig.ctx.lfLineEnds = lf;
        rig.ctx.decimalComma = comma;
        write(rig, fixed);
        EXPECT_EQ(readBytes(fixed), readBytes(plain))
            << name << ", lf " << lf << ", comma " << comma;
      }
    }
  }
}

} // namespace
} // namespace tarvek::test
