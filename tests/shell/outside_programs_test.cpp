// Tools › Launch POV-Ray and the viewer launchers over the main window rig.
#include "shell/outside_programs.h"

#include "form1_rig.h"
#include "platform/open_url.h"
#include "platform/qt_processes.h"
#include "support/scoped_env.h"
#include "support/scratch_dir.h"

#include <QAction>
#include <QMenu>

#include <charconv>
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
    startup.userFolder = (home.path() / "tarvek").string() + "/";
    startup.exportFolder = startup.userFolder + "Export/";
    startup.imagesFolder = startup.userFolder + "Images/";
    fs::create_directories(startup.exportFolder);
    fs::create_directories(startup.imagesFolder);
    rig = std::make_unique<test::Form1Rig>(Form1Seams{}, nullptr, startup);
  }

  std::string exportFolder() const { return rig->form->startup().exportFolder; }
  std::string povFile() const { return exportFolder() + "tarvek.pov"; }
  OutsidePrograms& programs() { return rig->form->outsidePrograms(); }
  // POV-Ray's size arguments for a render in the view's present shape.
  std::vector<std::string> viewSizeArguments() const
  {
    const QWidget& view = *rig->form->viewWidget();
    const RenderSize size = povRenderSize(static_cast<double>(view.width()) / view.height());
    return {"+W" + std::to_string(size.width), "+H" + std::to_string(size.height)};
  }
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
  // Unticked, the scene's lines end in CR LF as the checks below spell them.
  rig.preferences.optionFlags[7] = false;
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
  const std::vector<std::string> size = r.viewSizeArguments();
  EXPECT_EQ(start.args, (std::vector<std::string>{"+I\"" + r.exportFolder() + "tarvek.pov\"",
                                                  "+O\"" + r.exportFolder() + "tarvek.png\"", size[0],
                                                  size[1], "-D"}));
  EXPECT_EQ(start.folder, r.exportFolder());
  EXPECT_TRUE(rig.prompts.messages().empty());

  // A run that ends with an error shows what POV-Ray said.
  ASSERT_TRUE(rig.processes.watchedError);
  rig.processes.watchedError("Parse Error: No objects in scene.");
  ASSERT_EQ(rig.prompts.messages().size(), 1u);
  EXPECT_EQ(rig.prompts.messages()[0].text,
            "POV-Ray ended with an error:\r\nParse Error: No objects in scene.");
  rig.prompts.calls.clear();

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

// A wide, a tall and a square view each render in their own shape, the
// shape the scene's camera is written with.
TEST(OutsideProgramsTest, povRayRendersInTheViewsShape)
{
  LauncherRig r;
  test::Form1Rig& rig = *r.rig;
  rig.processes.installed["povray"] = "/usr/bin/povray";
  const QSize views[] = {{900, 300}, {300, 700}, {500, 500}};
  for (const QSize& shape : views) {
    rig.form->viewWidget()->resize(shape);
    rig.prompts.answerInput(kDefaultAnswer);
    r.programs().exportPovRay();
    ASSERT_FALSE(rig.processes.calls.empty());
    const std::vector<std::string>& args = rig.processes.calls.back().args;
    ASSERT_EQ(args.size(), 5u);
    EXPECT_EQ(std::vector<std::string>(args.begin() + 2, args.begin() + 4), r.viewSizeArguments());
    // Equal shapes up to the rounding of a side to whole pixels.
    const double render = std::stod(args[2].substr(2)) / std::stod(args[3].substr(2));
    EXPECT_NEAR(render / (static_cast<double>(shape.width()) / shape.height()), 1.0, 0.005)
        << args[2] << ' ' << args[3];
    const std::string scene = readBytes(r.povFile());
    const std::size_t right = scene.find("right x*");
    ASSERT_NE(right, std::string::npos);
    double camera = 0.0;
    std::from_chars(scene.data() + right + 8, scene.data() + scene.size(), camera);
    EXPECT_NEAR(render / camera, 1.0, 0.005) << args[2] << ' ' << args[3];
  }
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

int lineCount(const std::string& text, const std::string& start)
{
  int count = 0;
  std::size_t at = 0;
  while (at < text.size()) {
    if (text.compare(at, start.size(), start) == 0)
      ++count;
    const auto next = text.find('\n', at);
    if (next == std::string::npos)
      break;
    at = next + 1;
  }
  return count;
}

TEST(OutsideProgramsTest, viewerItemsFollowPovRayInTheirOrder)
{
  LauncherRig r;
  const QList<QAction*> items = r.rig->form->mnuTool->actions();
  const char* const captions[] = {"Launch &POV-Ray",    "Launch &MOL Viewer", "Launch &PDB Viewer",
                                  "Launch &CIF Viewer", "Launch &VRML Viewer"};
  ASSERT_GE(items.size(), 6);
  for (int i = 0; i < 5; ++i)
    EXPECT_EQ(items[i]->text(), captions[i]);
  for (std::size_t i = 0; i < 4; ++i)
    EXPECT_EQ(items[static_cast<int>(i) + 1], r.programs().mnuViewer[i]);
}

TEST(OutsideProgramsTest, storedViewerGetsTheTemporaryFileInItsOwnFolder)
{
  LauncherRig r;
  test::Form1Rig& rig = *r.rig;
  test::ScratchDir tools;
  const std::string viewer = tools.write("viewer.sh", "#!/bin/sh\n").string();
  rig.preferences.viewerPaths[1] = viewer;
  rig.processes.installed["jmol"] = "/usr/bin/jmol";
  rig.prompts.answerYesNo(false);
  r.programs().mnuViewer[1]->trigger();
  const std::string pdb = rig.temp.path("tmp.pdb");
  ASSERT_EQ(rig.processes.calls.size(), 1u);
  EXPECT_EQ(rig.processes.calls[0].program, viewer);
  EXPECT_EQ(rig.processes.calls[0].args, std::vector<std::string>{pdb});
  EXPECT_EQ(rig.processes.calls[0].folder, tools.path().string());
  EXPECT_TRUE(rig.processes.calls[0].detached);
  EXPECT_EQ(lineCount(readBytes(pdb), "ATOM"), 240);
  EXPECT_TRUE(rig.prompts.messages().empty());
}

// Without a stored viewer the first installed default opens the file.
TEST(OutsideProgramsTest, defaultViewersAreTriedInOrder)
{
  const struct {
    const char* installed;
    ViewerKind kind;
    const char* file;
  } cases[] = {{"jmol", ViewerKind::Mol, "tmp.mol"},
               {"pymol", ViewerKind::Pdb, "tmp.pdb"},
               {"view3dscene", ViewerKind::Vrml, "tmp.wrl"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.installed);
    LauncherRig r;
    test::Form1Rig& rig = *r.rig;
    const std::string program = std::string("/usr/bin/") + c.installed;
    rig.processes.installed[c.installed] = program;
    if (c.kind == ViewerKind::Mol)
      rig.prompts.answerInput("1");
    if (c.kind == ViewerKind::Pdb)
      rig.prompts.answerYesNo(false);
    r.programs().mnuViewer[static_cast<std::size_t>(c.kind)]->trigger();
    ASSERT_EQ(rig.processes.calls.size(), 1u);
    EXPECT_EQ(rig.processes.calls[0].program, program);
    EXPECT_EQ(rig.processes.calls[0].args, std::vector<std::string>{rig.temp.path(c.file)});
    EXPECT_EQ(rig.processes.calls[0].folder, "/usr/bin");
    EXPECT_TRUE(rig.prompts.messages().empty());
    if (c.kind == ViewerKind::Vrml) {
      EXPECT_EQ(readBytes(rig.temp.path(c.file)).rfind("#VRML V2.0 utf8", 0), 0u);
    }
  }
}

TEST(OutsideProgramsTest, withoutAViewerTheReminderComesAndTheDesktopOpensTheFile)
{
  LauncherRig r;
  test::Form1Rig& rig = *r.rig;
  r.programs().mnuViewer[2]->trigger();
  ASSERT_EQ(rig.prompts.messages().size(), 1u);
  EXPECT_EQ(rig.prompts.messages()[0].text,
            "Don't forget to define a CIF-Viewer in the Preference Dialog");
  ASSERT_EQ(rig.shellOpen.calls.size(), 1u);
  EXPECT_EQ(rig.shellOpen.calls[0].kind, FakeShellOpen::Kind::File);
  EXPECT_EQ(rig.shellOpen.calls[0].target, rig.temp.path("tmp.cif"));
  EXPECT_FALSE(readBytes(rig.temp.path("tmp.cif")).empty());
  EXPECT_TRUE(rig.processes.calls.empty());

  // A desktop without an opener is told, naming the file.
  rig.shellOpen.succeed = false;
  r.programs().mnuViewer[2]->trigger();
  ASSERT_EQ(rig.prompts.messages().size(), 3u);
  EXPECT_EQ(rig.prompts.messages()[2].text, noOpenerText(rig.temp.path("tmp.cif")));
}

TEST(OutsideProgramsTest, molViewerRefusesMoreThan999AtomsAndStartFailuresAreTold)
{
  LauncherRig r;
  test::Form1Rig& rig = *r.rig;
  rig.processes.installed["jmol"] = "/usr/bin/jmol";
  Model& model = rig.model;
  model.structureKind = 1;
  model.atomCount = 1000;
  model.atomX.assign(1000, 0.0f);
  model.atomY.assign(1000, 0.0f);
  model.atomZ.assign(1000, 0.0f);
  model.atomType.assign(1000, 3);
  for (int i = 0; i < 1000; ++i)
    model.atomX[static_cast<std::size_t>(i)] = 2.0f * static_cast<float>(i);
  model.bondCount = 0;
  r.programs().mnuViewer[0]->trigger();
  ASSERT_EQ(rig.prompts.messages().size(), 1u);
  EXPECT_EQ(rig.prompts.messages()[0].text, "MOL-File only supports up to 999 atoms");
  EXPECT_FALSE(fs::exists(rig.temp.path("tmp.mol")));
  EXPECT_TRUE(rig.processes.calls.empty());

  rig.processes.detachedStarts = false;
  r.programs().mnuViewer[2]->trigger();
  ASSERT_EQ(rig.prompts.messages().size(), 2u);
  EXPECT_EQ(rig.prompts.messages()[1].text, "The viewer /usr/bin/jmol could not be started.");
}

// Each use writes the structure shown then.
TEST(OutsideProgramsTest, aSecondUseReplacesTheFile)
{
  LauncherRig r;
  test::Form1Rig& rig = *r.rig;
  rig.processes.installed["view3dscene"] = "/usr/bin/view3dscene";
  r.programs().mnuViewer[3]->trigger();
  const std::string first = readBytes(rig.temp.path("tmp.wrl"));
  rig.setField(0, "6");
  rig.setField(1, "6");
  rig.pressCalculate();
  r.programs().mnuViewer[3]->trigger();
  const std::string second = readBytes(rig.temp.path("tmp.wrl"));
  EXPECT_FALSE(second.empty());
  EXPECT_NE(second, first);
  EXPECT_EQ(rig.processes.calls.size(), 2u);
}

// A real start: the viewer gets the whole path as one argument, blanks and
// all, and works in its own folder.
TEST(OutsideProgramsTest, realViewerGetsOneArgumentWithBlanks)
{
  test::ScratchDir scratch;
  const fs::path tmp = scratch.path() / "temp with blank";
  const fs::path tools = scratch.path() / "my tools";
  fs::create_directories(tmp);
  fs::create_directories(tools);
  const fs::path report = scratch.path() / "report.txt";
  const fs::path script = tools / "viewer.sh";
  std::ofstream(script) << "#!/bin/sh\nprintf '%s\\n%s\\n%s\\n' \"$#\" \"$1\" \"$(pwd)\" > \""
                        << report.string() << ".part\"\nmv \"" << report.string() << ".part\" \""
                        << report.string() << "\"\n";
  fs::permissions(script, fs::perms::owner_all);
  test::ScopedEnv tmpEnv("TMP", tmp.string());
  QtProcesses processes;
  StartupState startup;
  startup.exportFolder = (scratch.path() / "Export").string() + "/";
  test::Form1Rig rig({}, nullptr, startup, {}, &processes);
  rig.preferences.viewerPaths[2] = script.string();
  rig.form->outsidePrograms().mnuViewer[2]->trigger();
  ASSERT_TRUE(rig.prompts.messages().empty());
  for (int i = 0; i < 100 && !fs::exists(report); ++i)
    QTest::qWait(50);
  const std::string cif = rig.temp.path("tmp.cif");
  EXPECT_NE(cif.find("temp with blank"), std::string::npos);
  EXPECT_EQ(readBytes(report), "1\n" + cif + "\n" + tools.string() + "\n");
}

} // namespace
} // namespace tarvek
