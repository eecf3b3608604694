#include "form1_rig.h"
#include "user_folders.h"

#include "runtime/split.h"
#include "shell/file_commands.h"
#include "support/require_tool.h"
#include "support/run_tool.h"

#include <QAction>
#include <QApplication>

#include <gtest/gtest.h>

namespace tarvek {
namespace {

// Open Babel reads the default tube exported through the File menu with all
// its atoms, and with its bonds where the format carries them (MOL, PDB).
TEST(FileExportOracleTest, openBabelReadsTheExportedTube)
{
  if (!test::requireTool("obabel", "openbabel"))
    return;
  qputenv("QT_QPA_PLATFORM", "offscreen");
  int argc = 1;
  char name[] = "file_export_oracle";
  char* argv[] = {name, nullptr};
  QApplication app(argc, argv);
  test::UserFolders folders;
  test::Form1Rig rig({}, nullptr, folders.startup);
  FileCommands& file = rig.form->fileCommands();

  const struct {
    QAction* item;
    const char* file;
    const char* inputFormat;
    const char* counts;
  } cases[] = {
      {file.mnuFile_1, "tube.mol", nullptr, "240 340"},
      {file.mnuFile_10, "tube.xmol", "-ixyz", nullptr},
      {file.mnuFile_2, "tube.pdb", nullptr, "240 340"},
      {file.mnuFile_3, "tube.cif", nullptr, nullptr},
  };
  for (const auto& c : cases) {
    const std::string path = folders.exportFile(c.file);
    rig.dialogs.answer(FileChoice{path, 1});
    rig.prompts.answerInput("1");
    rig.prompts.answerYesNo(true);
    c.item->trigger();
    std::vector<std::string> args;
    if (c.inputFormat != nullptr)
      args.emplace_back(c.inputFormat);
    args.insert(args.end(), {path, "-otxt", "--append", "atoms bonds"});
    const auto result = test::runTool("obabel", args);
    ASSERT_EQ(result.exitCode, 0) << c.file << ": " << result.err;
    EXPECT_NE(result.err.find("1 molecule converted"), std::string::npos) << c.file << result.err;
    // The line is the title followed by the two counts.
    const auto words = splitSpaces(trimBlanks(result.out.substr(0, result.out.find('\n'))));
    ASSERT_GE(words.size(), 2u) << c.file << ": " << result.out;
    EXPECT_EQ(words[words.size() - 2], "240") << c.file << ": " << result.out;
    if (c.counts != nullptr) {
      EXPECT_EQ(words[words.size() - 2] + " " + words.back(), c.counts) << c.file;
    }
  }
  EXPECT_TRUE(rig.prompts.messages().empty());
}

} // namespace
} // namespace tarvek
