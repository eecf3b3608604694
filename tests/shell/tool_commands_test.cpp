// The Tools menu's tool windows, opened from the main window as a user does.
#include "form1_rig.h"

#include "imaging/atom_grid.h"
#include "imaging/ui/digitiser_window.h"
#include "shell/file_commands.h"
#include "shell/tool_commands.h"
#include "shell/tools_menu.h"
#include "support/click_drawn.h"
#include "support/scratch_dir.h"
#include "tools/nano_hole_window.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolButton>

#include <gtest/gtest.h>

namespace tarvek {
namespace {

using test::Form1Rig;

QAction* menuItem(QMenu* menu, const char* caption)
{
  for (QAction* action : menu->actions()) {
    if (action->text() == QString::fromLatin1(caption))
      return action;
  }
  return nullptr;
}

QString menuText(const QMenu& menu)
{
  QStringList items;
  for (const QAction* action : menu.actions())
    items << (action->isSeparator() ? QStringLiteral("|") : action->text());
  return items.join(QLatin1Char(' '));
}

// Items take their fixed places whatever part of the window adds them
// first, with one separator between blocks and none at either end; items of
// the same place keep the order they came in.
TEST(ToolsMenuTest, itemsTakeTheirPlacesWhateverTheOrderTheyComeIn)
{
  QMenu tools;
  addToolItem(tools, ToolItem::Preferences, QStringLiteral("P"));
  addToolItem(tools, ToolItem::VirusGeometries, QStringLiteral("V"));
  addToolItem(tools, ToolItem::LaunchViewer, QStringLiteral("M"));
  addToolItem(tools, ToolItem::XySheetGenerator, QStringLiteral("X"));
  addToolItem(tools, ToolItem::LaunchViewer, QStringLiteral("D"));
  addToolItem(tools, ToolItem::MultiLayerGraphene, QStringLiteral("G"));
  addToolItem(tools, ToolItem::BrowseImageFolder, QStringLiteral("B"));
  addToolItem(tools, ToolItem::LaunchPovRay, QStringLiteral("L"));
  EXPECT_EQ(menuText(tools), QStringLiteral("L M D B | X G V | P"));
}

// The whole menu as the window builds it.
TEST(ToolsMenuTest, mainWindowToolsMenuReadsInItsFixedOrder)
{
  Form1Rig rig;
  const QStringList expected = {
      QStringLiteral("Launch &POV-Ray"),    QStringLiteral("Launch &MOL Viewer"),
      QStringLiteral("Launch &PDB Viewer"), QStringLiteral("Launch &CIF Viewer"),
      QStringLiteral("Launch &VRML Viewer"), QStringLiteral("Save Image Sequence"),
      QStringLiteral("Browse Image Folder"), QStringLiteral("|"),
      QStringLiteral("XY-Sheet Generator"), QStringLiteral("Radius-Calculator"),
      QStringLiteral("Recalculate Bonds "), QStringLiteral("Nano-Hole Array"),
      QStringLiteral("Multi-Layer Graphene"), QStringLiteral("Virus Geometries"),
      QStringLiteral("|"),                  QStringLiteral("&Preferences ..."),
  };
  EXPECT_EQ(menuText(*rig.form->mnuTool), expected.join(QLatin1Char(' ')));
}

// One digitiser serves every opening: made over the main window's place
// and size, a window of its own that the main window keeps.
TEST(ToolCommandsTest, xySheetGeneratorOpensOneDigitiserOverTheMainWindow)
{
  Form1Rig rig;
  Form1& form = *rig.form;
  QAction* item = menuItem(form.mnuTool, "XY-Sheet Generator");
  ASSERT_NE(item, nullptr);
  EXPECT_EQ(item, form.toolCommands().mnuTool_7);
  EXPECT_EQ(form.toolCommands().digitiserWindow(), nullptr);

  item->trigger();
  frmXY* window = form.toolCommands().digitiserWindow();
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(window->isVisible());
  EXPECT_TRUE(window->isWindow());
  EXPECT_EQ(window->parentWidget(), nullptr);
  EXPECT_EQ(window->windowTitle(), QStringLiteral("XY - Sheet Generator"));
  EXPECT_EQ(window->geometry(), form.geometry());

  window->Text1->setText(QStringLiteral("7"));
  window->close();
  EXPECT_FALSE(window->isVisible());
  item->trigger();
  EXPECT_EQ(form.toolCommands().digitiserWindow(), window);
  EXPECT_TRUE(window->isVisible());
  EXPECT_EQ(window->Text1->text(), QStringLiteral("7"));
}

// The atoms a search found, saved by the digitiser, come back through
// File › Import XY Data as a flat sheet of as many atoms.
TEST(ToolCommandsTest, savedSearchImportsAsASheet)
{
  Form1Rig rig;
  Form1& form = *rig.form;
  test::ScratchDir dir;
  const std::filesystem::path picture = dir.file("grid.bmp");
  ASSERT_TRUE(test::writeGridBmp(picture));
  form.toolCommands().mnuTool_7->trigger();
  frmXY& window = *form.toolCommands().digitiserWindow();
  rig.dialogs.answer(FileChoice{picture.string(), 1});
  QTest::mouseClick(window.bt[0], Qt::LeftButton);
  window.Text1->setText(QStringLiteral("6"));
  QTest::mouseClick(window.bt[2], Qt::LeftButton);
  ASSERT_EQ(window.stbPanel[0]->text(), QStringLiteral("20 atoms"));
  const std::filesystem::path saved = dir.file("atoms.xy");
  rig.dialogs.answer(FileChoice{saved.string(), 1});
  QTest::mouseClick(window.bt[1], Qt::LeftButton);
  ASSERT_TRUE(std::filesystem::exists(saved));

  rig.dialogs.answer(FileChoice{saved.string(), 1});
  rig.prompts.answerYesNo(false);
  form.fileCommands().mnuFile_43->trigger();
  EXPECT_TRUE(rig.prompts.messages().empty());
  EXPECT_EQ(form.state().xyFileName, saved.string());
  EXPECT_EQ(rig.model.structureKind, 2);
  EXPECT_EQ(rig.model.sheetCount, 20);
  EXPECT_EQ(rig.status(2), "20 Atoms");
}

// The nano-hole window replaces the minimised main window until it closes;
// one window serves every opening.
TEST(ToolCommandsTest, nanoHoleArrayMinimisesTheMainWindowUntilClosed)
{
  Form1Rig rig;
  Form1& form = *rig.form;
  form.setWindowIcon(QIcon(QPixmap(16, 16)));
  QAction* item = menuItem(form.mnuTool, "Nano-Hole Array");
  ASSERT_NE(item, nullptr);
  EXPECT_EQ(item, form.toolCommands().mnuTool_12);
  item->trigger();
  EXPECT_TRUE(form.windowState() & Qt::WindowMinimized);
  frmNanoHoles* window = form.toolCommands().nanoHoleWindow();
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(window->isVisible());
  EXPECT_EQ(window->parentWidget(), nullptr);
  EXPECT_EQ(window->windowTitle(), QStringLiteral("Nano-Hole Array Generator (Multi-Grid Method)"));
  EXPECT_EQ(window->windowIcon().cacheKey(), form.windowIcon().cacheKey());
  EXPECT_EQ(window->stbPanel[2]->text(), QStringLiteral("705 tiles"));

  // Help opens the manual through the main window.
  test::clickDrawn(*window->tb1, *window->tbButton[5]);
  ASSERT_EQ(rig.shellOpen.calls.size(), 1u);
  EXPECT_TRUE(rig.shellOpen.calls[0].target.ends_with("/help/index.html")) << rig.shellOpen.calls[0].target;

  window->close();
  EXPECT_FALSE(window->isVisible());
  EXPECT_FALSE(form.windowState() & Qt::WindowMinimized);
  item->trigger();
  EXPECT_EQ(form.toolCommands().nanoHoleWindow(), window);
  EXPECT_TRUE(window->isVisible());
  window->close();
}

// The holes saved in the plain layout come back through File › Import XY
// Data as a flat sheet of one atom per hole.
TEST(ToolCommandsTest, savedHolesImportAsASheet)
{
  Form1Rig rig;
  Form1& form = *rig.form;
  test::ScratchDir dir;
  form.toolCommands().mnuTool_12->trigger();
  frmNanoHoles& window = *form.toolCommands().nanoHoleWindow();
  const std::filesystem::path saved = dir.file("holes.xy");
  rig.dialogs.answer(FileChoice{saved.string(), 1});
  test::clickDrawn(*window.tb1, *window.tbButton[2]);
  ASSERT_TRUE(std::filesystem::exists(saved));
  window.close();

  rig.dialogs.answer(FileChoice{saved.string(), 1});
  rig.prompts.answerYesNo(false);
  form.fileCommands().mnuFile_43->trigger();
  EXPECT_TRUE(rig.prompts.messages().empty());
  EXPECT_EQ(rig.model.structureKind, 2);
  EXPECT_EQ(rig.model.sheetCount, 570);
}

} // namespace
} // namespace tarvek
