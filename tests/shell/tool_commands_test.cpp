// The Tools menu's tool windows, opened from the main window as a user does.
#include "form1_rig.h"

#include "imaging/ui/digitiser_window.h"
#include "shell/tool_commands.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

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

} // namespace
} // namespace tarvek
