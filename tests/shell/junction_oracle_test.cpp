// The hetero-junction command runs a real Java archive and shows the file it leaves.
#include "form1_rig.h"

#include "platform/qt_processes.h"
#include "scene/scene_object.h"
#include "shell/special_commands.h"
#include "support/require_tool.h"
#include "support/run_tool.h"
#include "support/scratch_dir.h"
#include "tools/builder_dialogs.h"

#include <QAction>
#include <QApplication>
#include <QPushButton>
#include <QTimer>

#include <filesystem>

namespace tarvek {
namespace {

namespace fs = std::filesystem;

// The stand-in archive gets the six numbers as separate arguments and its
// working folder is the Import folder, where its file is read back.
TEST(JunctionOracleTest, stubArchiveJoinsThroughJava)
{
  for (const char* tool : {"javac", "jar", "java"})
    if (!test::requireTool(tool, "default-jdk-headless"))
      return;
  qputenv("QT_QPA_PLATFORM", "offscreen");
  int argc = 1;
  char name[] = "junction_oracle";
  char* argv[] = {name, nullptr};
  QApplication app(argc, argv);

  test::ScratchDir program;
  test::ScratchDir import;
  test::ScratchDir classes;
  const fs::path data = fs::path(TARVEK_TEST_SOURCE_DIR) / ".." / "data";
  fs::copy(data / "lib", program.path() / "lib", fs::copy_options::recursive);
  for (const char* file : {"tarvek.dat", "links.dat"})
    fs::copy_file(data / file, program.path() / file);
  const std::string source =
      (fs::path(TARVEK_TEST_SOURCE_DIR) / "shell" / "fixtures" / "contub_stub" / "nt.java").string();
  const test::ToolResult compiled =
      test::runTool("javac", {"-d", classes.path().string(), source});
  ASSERT_EQ(compiled.exitCode, 0) << compiled.err;
  const std::string archive = (program.path() / "lib" / "contub.jar").string();
  const test::ToolResult packed =
      test::runTool("jar", {"cf", archive, "nt.class"}, std::chrono::seconds(120),
                    classes.path().string());
  ASSERT_EQ(packed.exitCode, 0) << packed.err;

  StartupState startup;
  startup.importFolder = import.path().string() + "/";
  QtProcesses processes;
  test::Form1Rig rig({}, nullptr, startup, program.path().string() + "/", &processes);
  QAction* item = rig.form->specialCommands().itmFX[5];
  ASSERT_TRUE(item->isVisible());
  QTimer::singleShot(0, [] {
    auto* dialog = dynamic_cast<dlgCONTUB*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    dialog->OKButton->click();
  });
  item->trigger();

  ASSERT_TRUE(rig.prompts.messages().empty()) << rig.prompts.messages()[0].text;
  EXPECT_EQ(test::readBytes(import.path() / "args.txt"), "5 5 15 10 10 15");
  EXPECT_EQ(rig.form->scene().drawnAtomCount, 3);
  EXPECT_EQ(rig.form->scene().drawnBondCount, 2);
  EXPECT_EQ(rig.form->titleText(), QStringLiteral("CoNTub: (5,5)-(10,10) Hetero-Junction"));
  EXPECT_TRUE(fs::exists(import.path() / "contub.xyz"));
  EXPECT_FALSE(fs::exists(import.path() / "contub.jar"));
}

} // namespace
} // namespace tarvek
