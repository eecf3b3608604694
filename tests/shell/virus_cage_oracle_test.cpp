// Open Babel reads the exported virus cage with the bonds the cage has.
#include "form1_rig.h"
#include "user_folders.h"

#include "runtime/split.h"
#include "shell/file_commands.h"
#include "shell/tool_commands.h"
#include "support/require_tool.h"
#include "support/run_tool.h"
#include "tools/icosahedral_cage_window.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QPushButton>

#include <gtest/gtest.h>

namespace tarvek {
namespace {

// The T = 9 cage: MOL and PDB hold the 180 sites without the twelve corner
// atoms. MOL carries the 270 cage bonds; from the PDB without its connection
// table Open Babel perceives exactly those bonds itself, since every other
// pair of sites lies beyond its carbon cut-off. XMOL keeps the corners.
TEST(VirusCageOracleTest, openBabelReadsTheExportedCage)
{
  if (!test::requireTool("obabel", "openbabel"))
    return;
  qputenv("QT_QPA_PLATFORM", "offscreen");
  int argc = 1;
  char name[] = "virus_cage_oracle";
  char* argv[] = {name, nullptr};
  QApplication app(argc, argv);
  test::UserFolders folders;
  test::Form1Rig rig({}, nullptr, folders.startup);
  Form1& form = *rig.form;
  for (QAction* action : form.mnuTool->actions()) {
    if (action->text() == QStringLiteral("Virus Geometries"))
      action->trigger();
  }
  frmVirus* window = form.toolCommands().virusWindow();
  ASSERT_NE(window, nullptr);
  window->btCreate->click();
  ASSERT_EQ(rig.model.structureKind, 8);

  const struct {
    QAction* item;
    const char* file;
    const char* inputFormat;
    const char* atoms;
    const char* bonds;
    bool asksBondOrder;
    bool asksConnections;
  } cases[] = {
      {form.fileCommands().mnuFile_10, "cage.xmol", "-ixyz", "192", nullptr, false, false},
      {form.fileCommands().mnuFile_1, "cage.mol", nullptr, "180", "270", true, false},
      {form.fileCommands().mnuFile_2, "cage.pdb", nullptr, "180", "270", false, true},
  };
  for (const auto& c : cases) {
    const std::string path = folders.exportFile(c.file);
    rig.dialogs.answer(FileChoice{path, 1});
    if (c.asksBondOrder)
      rig.prompts.answerInput("1");
    if (c.asksConnections)
      rig.prompts.answerYesNo(false);
    c.item->trigger();
    std::vector<std::string> args;
    if (c.inputFormat != nullptr)
      args.emplace_back(c.inputFormat);
    args.insert(args.end(), {path, "-otxt", "--append", "atoms bonds"});
    const auto result = test::runTool("obabel", args);
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const auto words = splitSpaces(trimBlanks(result.out.substr(0, result.out.find('\n'))));
    ASSERT_GE(words.size(), 2u) << result.out;
    EXPECT_EQ(words[words.size() - 2], c.atoms) << c.file << ": " << result.out;
    if (c.bonds != nullptr) {
      EXPECT_EQ(words.back(), c.bonds) << c.file << ": " << result.out;
    }
  }
  EXPECT_TRUE(rig.prompts.messages().empty());
}

} // namespace
} // namespace tarvek
