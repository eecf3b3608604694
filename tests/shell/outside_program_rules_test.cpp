// POV-Ray's material values and arguments, and the choice of a viewer.
#include "shell/outside_program_rules.h"

#include "support/fake_processes.h"
#include "support/scratch_dir.h"

#include <gtest/gtest.h>

namespace tarvek {
namespace {

TEST(OutsideProgramRulesTest, materialValuesTakeFiveNumbersAnyDecimalSign)
{
  const struct {
    const char* answer;
    std::optional<PovMaterial> values;
  } cases[] = {
      {"0.5 0.25 0.5 0.0 0.0", PovMaterial{0.5f, 0.25f, 0.5f, 0.0f, 0.0f}},
      {"0,5 0,25 0,5 0,0 0,0", PovMaterial{0.5f, 0.25f, 0.5f, 0.0f, 0.0f}},
      {"  0.5   0.25 0.5 0.0  0.8 ", PovMaterial{0.5f, 0.25f, 0.5f, 0.0f, 0.8f}},
      {"1 2 3 4 5 6", PovMaterial{1, 2, 3, 4, 5}},
      {"a b c d e", PovMaterial{0, 0, 0, 0, 0}},
      {"1e300 -1e300 0 0 0", PovMaterial{3.4028235e38f, -3.4028235e38f, 0, 0, 0}},
      {"0.5 0.25 0.5", std::nullopt},
      {"", std::nullopt},
  };
  for (const auto& c : cases)
    EXPECT_EQ(povMaterialValues(c.answer), c.values) << '"' << c.answer << '"';
}

TEST(OutsideProgramRulesTest, povrayRendersTheSceneBesideItWithThePreviewOnlyOnADisplay)
{
  EXPECT_EQ(povrayArguments("/e/tarvek.pov", "/e/tarvek.png", false, {800, 600}),
            (std::vector<std::string>{"+I\"/e/tarvek.pov\"", "+O\"/e/tarvek.png\"", "+W800", "+H600",
                                      "-D"}));
  EXPECT_EQ(povrayArguments("/a b/t.pov", "/a b/t.png", true, {450, 800}),
            (std::vector<std::string>{"+I\"/a b/t.pov\"", "+O\"/a b/t.png\"", "+W450", "+H800", "+D",
                                      "+P"}));
}

// The render keeps the view's shape, its longer side 800 pixels.
TEST(OutsideProgramRulesTest, renderSizeKeepsTheViewsShape)
{
  const struct {
    int viewWidth;
    int viewHeight;
    RenderSize render;
  } cases[] = {
      {640, 480, {800, 600}},   {848, 560, {800, 528}},  {1000, 1000, {800, 800}},
      {1920, 1080, {800, 450}}, {560, 848, {528, 800}},  {300, 700, {343, 800}},
      {424, 560, {606, 800}},   {5000, 2, {800, 1}},     {2, 5000, {1, 800}},
  };
  for (const auto& c : cases) {
    const RenderSize size = povRenderSize(static_cast<double>(c.viewWidth) / c.viewHeight);
    EXPECT_EQ(size, c.render) << c.viewWidth << " x " << c.viewHeight << " gave " << size.width
                              << " x " << size.height;
  }
}

TEST(OutsideProgramRulesTest, viewerRowsNameTheirFileAndReminder)
{
  const struct {
    ViewerKind kind;
    const char* file;
    const char* label;
  } rows[] = {{ViewerKind::Mol, "tmp.mol", "MOL"},
              {ViewerKind::Pdb, "tmp.pdb", "PDB"},
              {ViewerKind::Cif, "tmp.cif", "CIF"},
              {ViewerKind::Vrml, "tmp.wrl", "VRML"}};
  for (const auto& r : rows) {
    EXPECT_EQ(viewerFileName(r.kind), r.file);
    EXPECT_EQ(viewerReminder(r.kind),
              std::string("Don't forget to define a ") + r.label + "-Viewer in the Preference Dialog");
  }
}

// A stored viewer wins only when it is a real, non-empty file; else the
// first default on PATH, in the kind's own order.
TEST(OutsideProgramRulesTest, chooseViewerPrefersAStoredFileThenTheDefaultsInOrder)
{
  test::ScratchDir dir;
  const std::string stored = dir.write("viewer.sh", "#!/bin/sh\n").string();
  const std::string empty = dir.write("empty.sh", "").string();
  test::FakeProcesses processes;
  processes.installed = {{"avogadro2", "/usr/bin/avogadro2"}, {"pymol", "/usr/bin/pymol"}};

  EXPECT_EQ(chooseViewer(ViewerKind::Pdb, stored, processes), stored);
  EXPECT_EQ(chooseViewer(ViewerKind::Pdb, empty, processes), "/usr/bin/avogadro2");
  EXPECT_EQ(chooseViewer(ViewerKind::Pdb, dir.path().string(), processes), "/usr/bin/avogadro2");
  EXPECT_EQ(chooseViewer(ViewerKind::Mol, "/no/such/viewer", processes), "/usr/bin/avogadro2");
  EXPECT_EQ(chooseViewer(ViewerKind::Vrml, "", processes), "");

  processes.installed["jmol"] = "/usr/bin/jmol";
  EXPECT_EQ(chooseViewer(ViewerKind::Cif, "", processes), "/usr/bin/jmol");
  processes.installed = {{"pymol", "/usr/bin/pymol"}};
  EXPECT_EQ(chooseViewer(ViewerKind::Pdb, "", processes), "/usr/bin/pymol");
  EXPECT_EQ(chooseViewer(ViewerKind::Mol, "", processes), "");
  processes.installed = {{"view3dscene", "/usr/bin/view3dscene"}};
  EXPECT_EQ(chooseViewer(ViewerKind::Vrml, "", processes), "/usr/bin/view3dscene");
  EXPECT_EQ(chooseViewer(ViewerKind::Cif, "", processes), "");
}

} // namespace
} // namespace tarvek
