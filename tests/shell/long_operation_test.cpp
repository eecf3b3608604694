// The main window while a long operation runs: a bond search cut short by
// Escape says so, also an import's, and a command that the events of a
// running build's pump would start starts nothing.
#include "form1_rig.h"
#include "user_folders.h"

#include "platform/abort.h"
#include "scene/scene_object.h"
#include "shell/file_commands.h"
#include "shell/tool_commands.h"
#include "support/click_menu.h"
#include "tools/bond_range_window.h"
#include "tools/icosahedral_cage_window.h"

#include <QComboBox>
#include <QMenuBar>
#include <QPushButton>
#include <QToolButton>

#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <string>
#include <vector>

namespace tarvek {
namespace {

using test::clickDrawn;
using test::clickMenuItem;
using test::Form1Rig;
using test::UserFolders;

// Escape in the middle of an import's bond search puts the stopped note in
// the first status panel where the file's name or the fitted tube would
// stand; the same import with no press shows those again, with all bonds.
TEST(LongOperationTest, anImportStoppedByEscapeSaysSo)
{
  UserFolders folders;
  Form1Rig rig({}, nullptr, folders.startup);
  FileCommands& file = rig.form->fileCommands();
  QMenuBar& bar = *rig.form->menuBar();
  // The default tube, written by the XMOL export and read back.
  const std::string xmol = folders.exportFile("tube.xmol");
  rig.dialogs.answer(FileChoice{xmol, 1});
  clickMenuItem(bar, *file.mnuFile_10);
  const std::string c60 = std::string(TARVEK_TEST_SOURCE_DIR) + "/../data/DATA/Fullerene/C60.cc1";
  // A square of 10 x 10 points, laid flat as a sheet.
  std::string grid;
  for (int i = 0; i < 10; ++i)
    for (int j = 0; j < 10; ++j)
      grid += std::to_string(2 * i) + " " + std::to_string(2 * j) + "\n";
  const std::string xy = folders.dir.write("grid.xy", grid).string();

  struct Case {
    const char* name;
    QAction* item;
    std::string path;
    std::vector<bool> answers;
    std::function<bool(const std::string&)> whole;
  };
  const Case cases[] = {
      {"XMOL", file.mnuFile_421, xmol, {true},
       [](const std::string& s) { return s.rfind("Xmol: Nanotube, Length ", 0) == 0; }},
      {"fullerene", file.mnuFile_42, c60, {}, [&](const std::string& s) { return s == c60; }},
      {"XY", file.mnuFile_43, xy, {false},
       [](const std::string& s) { return s.rfind("Sheet Width ", 0) == 0; }},
  };
  for (const Case& c : cases) {
    rig.abort.pressAfter = 5;
    rig.dialogs.answer(FileChoice{c.path, 1});
    for (const bool answer : c.answers)
      rig.prompts.answerYesNo(answer);
    clickMenuItem(bar, *c.item);
    EXPECT_EQ(rig.status(0), kStoppedByEscapeNote) << c.name;
    const std::int32_t stoppedBonds = rig.model.bondCount;

    rig.abort.pressAfter = LONG_MAX;
    rig.dialogs.answer(FileChoice{c.path, 1});
    for (const bool answer : c.answers)
      rig.prompts.answerYesNo(answer);
    clickMenuItem(bar, *c.item);
    EXPECT_TRUE(c.whole(rig.status(0))) << c.name << ": " << rig.status(0);
    EXPECT_LT(stoppedBonds, rig.model.bondCount) << c.name;
  }
}

// Escape in the search of a tool window that bonds the structure anew (the
// bond range window's over the shown tube, the virus window's over its
// cage) says so too, in place of what the first status panel shows after a
// whole search.
TEST(LongOperationTest, aToolWindowSearchStoppedByEscapeSaysSo)
{
  struct Case {
    const char* name;
    const char* item;
    std::function<QWidget*(Form1Rig&)> button;
    // Shows the button again after a whole search, where that hid it.
    std::function<void(Form1Rig&)> showButton;
  };
  const Case cases[] = {
      {"bond range", "Recalculate Bonds ",
       [](Form1Rig& rig) { return rig.form->toolCommands().bondRangeWindow()->bt[3]; },
       [](Form1Rig&) {}},
      {"virus cage", "Virus Geometries",
       [](Form1Rig& rig) { return rig.form->toolCommands().virusWindow()->btCreate; },
       // A creation rolls the window up; its roll button rolls it down.
       [](Form1Rig& rig) { clickDrawn(*rig.form->toolCommands().virusWindow()->btROLL); }},
  };
  for (const Case& c : cases) {
    Form1Rig rig;
    QAction* item = nullptr;
    for (QAction* action : rig.form->mnuTool->actions())
      if (action->text() == QString::fromLatin1(c.item))
        item = action;
    ASSERT_NE(item, nullptr) << c.name;
    clickMenuItem(*rig.form->menuBar(), *item);
    QWidget& button = *c.button(rig);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(button.window())) << c.name;
    clickDrawn(button);
    const std::int32_t whole = rig.model.bondCount;
    ASSERT_GT(whole, 0) << c.name;
    EXPECT_NE(rig.status(0), kStoppedByEscapeNote) << c.name;

    c.showButton(rig);
    rig.abort.pressAfter = 5;
    clickDrawn(button);
    EXPECT_EQ(rig.status(0), kStoppedByEscapeNote) << c.name;
    EXPECT_LT(rig.model.bondCount, whole) << c.name;
  }
}

// Run clicked, Enter pressed and another structure type chosen while a
// build lets events run (its bond search and its compile poll Escape) start
// no second build: each is refused with a beep, the type list keeps its
// choice, and the running build, a two-wall tube, ends as it would alone.
// Afterwards each builds again.
TEST(LongOperationTest, aSecondBuildFromInsideARunningOneStartsNothing)
{
  struct Case {
    const char* name;
    std::function<void(Form1Rig&)> start;
  };
  const Case cases[] = {
      {"Run", [](Form1Rig& rig) { rig.pressCalculate(); }},
      {"Enter", [](Form1Rig& rig) { QTest::keyClick(rig.form->tf[0], Qt::Key_Return); }},
      {"type list", [](Form1Rig& rig) { QTest::keyClick(rig.form->cmbTYP, Qt::Key_Down); }},
  };
  for (const Case& c : cases) {
    Form1Rig rig;
    rig.form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(rig.form.get()));
    rig.form->tf[0]->setFocus();
    rig.setField(4, "2");
    const long clearsBefore = rig.abort.clears;
    rig.pressCalculate();
    const std::string atoms = rig.status(2);
    const std::string bonds = rig.status(3);
    const long clearsPerBuild = rig.abort.clears - clearsBefore;
    ASSERT_GT(clearsPerBuild, 0) << c.name;
    ASSERT_EQ(rig.model.tubeVariant, 1) << c.name;

    int tries = 0;
    rig.abort.pumpOnPoll = true;
    rig.abort.onPump = [&] {
      if (tries < 2) {
        ++tries;
        c.start(rig);
      }
    };
    rig.pressCalculate();
    EXPECT_EQ(tries, 2) << c.name;
    EXPECT_EQ(rig.prompts.beeps, 2) << c.name;
    EXPECT_EQ(rig.abort.clears, clearsBefore + 2 * clearsPerBuild) << c.name;
    EXPECT_EQ(rig.model.tubeVariant, 1) << c.name;
    EXPECT_EQ(rig.status(2), atoms) << c.name;
    EXPECT_EQ(rig.status(3), bonds) << c.name;
    EXPECT_EQ(rig.prompts.waitDepth, 0) << c.name;
    EXPECT_EQ(rig.form->cmbTYP->currentIndex(), 0) << c.name;

    rig.abort.onPump = nullptr;
    c.start(rig);
    EXPECT_GT(rig.abort.clears, clearsBefore + 2 * clearsPerBuild) << c.name;
    EXPECT_EQ(rig.prompts.beeps, 2) << c.name;
  }
}

} // namespace
} // namespace tarvek
