// Tools › Launch POV-Ray and the viewer launchers over the main window rig.
#include "shell/outside_programs.h"

#include "form1_rig.h"
#include "support/scratch_dir.h"

#include <QAction>
#include <QMenu>

#include <filesystem>
#include <fstream>

namespace tarvek {
namespace {

namespace fs = std::filesystem;
using test::FakeFileDialogs;
using test::FakeShellOpen;
using test::readBytes;

const char* const kDefaultAnswer = "0.5 0.25 0.5 0.0 0.0";

// The main window with its per-user folders in a scratch folder.
struct LauncherRig {
  test::ScratchDir home;
  std::unique_ptr<test::Form1Rig> rig;

  LauncherRig()
  {
    StartupState startup;
    startup.userFolder = (home.path() / "Kelvarin").string() + "/";
    startup.exportFolder = startup.userFolder + "Export/";
    startup.imagesFolder = startup.userFolder + "Images/";
    fs::create_directories(startup.exportFolder);
    fs::create_directories(startup.imagesFolder);
    rig = std::make_unique<test::Form1Rig>(Form1Seams{}, nullptr, startup);
  }

  std::string exportFolder() const { return rig->form->startup().exportFolder; }
  std::string povFile() const { return exportFolder() + "tarvek.pov"; }
  OutsidePrograms& programs() { return rig->form->outsidePrograms(); }
};

TEST(OutsideProgramsTest, povRayItemHeadsTheToolsMenu)
{
  LauncherRig r;
  const QList<QAction*> items = r.rig->form->mnuTool->actions();
  ASSERT_GE(items.size(), 3);
  EXPECT_EQ(items.front()->text(), "Launch &POV-Ray");
  EXPECT_EQ(items.front(), r.programs().mnuTool_6);
  EXPECT_EQ(items.back()->text(), "&Preferences ...");
}

TEST(OutsideProgramsTest, povRayWritesTheSceneAndRendersItBesideIt)
{
  LauncherRig r;
  test::Form1Rig& rig = *r.rig;
  rig.processes.installed["povray"] = "/usr/bin/povray";
  rig.prompts.answerInput(kDefaultAnswer);
  r.programs().mnuTool_6->trigger();

  ASSERT_EQ(rig.prompts.calls.size(), 1u);
  const auto& ask = rig.prompts.calls[0];
  EXPECT_EQ(ask.title, "POV-Ray [Material Properties]");
  EXPECT_EQ(ask.defaultText, kDefaultAnswer);
  EXPECT_EQ(ask.text, "All values range from 0.0-1.0\r\ndiffuse\r\nambient\r\nspecular \r\n"
                      "reflection\r\nglassfilter (0.6-1)");
  const std::string scene = readBytes(r.povFile());
  EXPECT_NE(scene.find("// File: " + r.povFile() + "\r\n"), std::string::npos);
  EXPECT_NE(scene.find("// Desc: tarvek\r\n"), std::string::npos);
  for (const char* line : {"diffuse 0.5\r\n", "ambient 0.25\r\n", "specular 0.5\r\n",
                           "reflection 0.0\r\n", "roughness 0.005\r\n"})
    EXPECT_NE(scene.find(line), std::string::npos) << line;
  EXPECT_EQ(scene.find("glass.inc"), std::string::npos);

  ASSERT_EQ(rig.processes.calls.size(), 1u);
  const auto& start = rig.processes.calls[0];
  EXPECT_TRUE(start.detached);
  EXPECT_EQ(start.program, "/usr/bin/povray");
  EXPECT_EQ(start.args, (std::vector<std::string>{"+I" + r.exportFolder() + "tarvek.pov",
                                                  "+O" + r.exportFolder() + "tarvek.png", "+W800",
                                                  "+H600", "-D"}));
  EXPECT_EQ(start.folder, r.exportFolder());
  EXPECT_TRUE(rig.prompts.messages().empty());

  // Commas as decimal signs give the same scene; a glass filter pulls in
  // the glass finish.
  rig.prompts.answerInput("0,5 0,25 0,5 0,0 0,0");
  r.programs().exportPovRay();
  EXPECT_EQ(readBytes(r.povFile()), scene);
  rig.prompts.answerInput("0.5 0.25 0.5 0.0 0.8");
  r.programs().exportPovRay();
  const std::string glass = readBytes(r.povFile());
  EXPECT_NE(glass.find("#include \"glass.inc\""), std::string::npos);
  EXPECT_NE(glass.find("filter 0.8"), std::string::npos);
  EXPECT_EQ(rig.processes.calls.size(), 3u);
}

TEST(OutsideProgramsTest, povRayRefusesTooFewValuesAndCancelKeepsTheLastScene)
{
  LauncherRig r;
  test::Form1Rig& rig = *r.rig;
  rig.processes.installed["povray"] = "/usr/bin/povray";
  rig.prompts.answerInput("0.5 0.25 0.5");
  r.programs().exportPovRay();
  ASSERT_EQ(rig.prompts.messages().size(), 1u);
  EXPECT_EQ(rig.prompts.messages()[0].text,
            "Please enter five values: diffuse, ambient, specular, reflection and glass filter.");
  EXPECT_FALSE(fs::exists(r.povFile()));
  EXPECT_TRUE(rig.processes.calls.empty());

  const std::string older = "// an older scene\r\n";
  std::ofstream(r.povFile(), std::ios::binary) << older;
  rig.prompts.answerInput(std::nullopt);
  r.programs().exportPovRay();
  EXPECT_EQ(readBytes(r.povFile()), older);
  EXPECT_TRUE(rig.processes.calls.empty());
  EXPECT_EQ(rig.prompts.messages().size(), 1u);
}

TEST(OutsideProgramsTest, povRayMissingOffersTheSceneToSaveAndOpen)
{
  LauncherRig r;
  test::Form1Rig& rig = *r.rig;
  test::ScratchDir elsewhere;
  const std::string copy = (elsewhere.path() / "mine.pov").string();
  rig.prompts.answerInput(kDefaultAnswer);
  rig.dialogs.answer(FileChoice{copy, 1});
  r.programs().exportPovRay();

  ASSERT_EQ(rig.prompts.messages().size(), 1u);
  EXPECT_EQ(rig.prompts.messages()[0].text,
            "POV-Ray path not found! If POV-Ray is not installed yet\r\n"
            "you may download it from https://www.povray.org/download/");
  ASSERT_EQ(rig.dialogs.calls.size(), 1u);
  const auto& dialog = rig.dialogs.calls[0];
  EXPECT_EQ(dialog.kind, FakeFileDialogs::Kind::Save);
  EXPECT_EQ(dialog.title, "Save as POV-Ray file");
  EXPECT_EQ(dialog.folder, r.exportFolder());
  EXPECT_EQ(dialog.filter, "POV-Ray File (*.pov)|*.pov");
  EXPECT_EQ(dialog.suggestedName, "tarvek");
  ASSERT_FALSE(readBytes(r.povFile()).empty());
  EXPECT_EQ(readBytes(copy), readBytes(r.povFile()));
  ASSERT_EQ(rig.shellOpen.calls.size(), 1u);
  EXPECT_EQ(rig.shellOpen.calls[0].kind, FakeShellOpen::Kind::File);
  EXPECT_EQ(rig.shellOpen.calls[0].target, copy);
  EXPECT_TRUE(rig.processes.calls.empty());

  // An existing file is replaced only when the user agrees.
  std::ofstream(copy, std::ios::binary) << "keep";
  rig.prompts.answerInput(kDefaultAnswer);
  rig.dialogs.answer(FileChoice{copy, 1});
  rig.prompts.answerYesNo(false);
  r.programs().exportPovRay();
  EXPECT_EQ(readBytes(copy), "keep");
  EXPECT_EQ(rig.shellOpen.calls.size(), 1u);

  // Cancel in the dialog ends the command quietly.
  rig.prompts.answerInput(kDefaultAnswer);
  rig.dialogs.answer(std::nullopt);
  r.programs().exportPovRay();
  EXPECT_EQ(rig.shellOpen.calls.size(), 1u);
  EXPECT_EQ(rig.prompts.messages().size(), 3u);
}

// The Export folder removed while the program runs is made again.
TEST(OutsideProgramsTest, povRayMakesAMissingExportFolderAgain)
{
  LauncherRig r;
  fs::remove_all(r.exportFolder());
  r.rig->processes.installed["povray"] = "/usr/bin/povray";
  r.rig->prompts.answerInput(kDefaultAnswer);
  r.programs().exportPovRay();
  EXPECT_FALSE(readBytes(r.povFile()).empty());
  EXPECT_EQ(r.rig->processes.calls.size(), 1u);
}

} // namespace
} // namespace tarvek
