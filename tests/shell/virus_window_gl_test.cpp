// The virus cage drawn by the real GL view.
#include "form1_rig.h"

#include "scene/scene_object.h"
#include "shell/tool_commands.h"
#include "tools/icosahedral_cage_window.h"

#include <QAction>
#include <QMenu>
#include <QPainter>
#include <QPushButton>

#include <filesystem>

namespace tarvek {
namespace {

// "Create 3D" on T = 9 fills the middle of the view with the cage; both
// windows are kept as a picture for review.
TEST(VirusWindowGlTest, createDrawsTheCage)
{
  test::FakePrompts viewPrompts;
  auto* host = new GlHost(viewPrompts);
  test::Form1Rig rig({}, host);
  Form1& form = *rig.form;
  rig.preferences.backgroundColor = packColor(0, 0, 0);
  form.applyBackgroundColor();
  for (QAction* action : form.mnuTool->actions()) {
    if (action->text() == QStringLiteral("Virus Geometries"))
      action->trigger();
  }
  frmVirus* window = form.toolCommands().virusWindow();
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
  const QImage windowBefore = window->grab().toImage();
  window->btCreate->click();
  ASSERT_EQ(rig.model.structureKind, 8);
  QTest::qWait(100);

  const QImage frame = host->grabFramebuffer();
  ASSERT_FALSE(frame.isNull());
  const QColor back = frame.pixelColor(2, 2);
  const int x0 = frame.width() * 2 / 5, y0 = frame.height() * 2 / 5;
  const int w = frame.width() / 5, h = frame.height() / 5;
  int differing = 0;
  for (int y = y0; y < y0 + h; ++y) {
    for (int x = x0; x < x0 + w; ++x) {
      const QColor c = frame.pixelColor(x, y);
      if (std::max({std::abs(c.red() - back.red()), std::abs(c.green() - back.green()),
                    std::abs(c.blue() - back.blue())}) > 8)
        ++differing;
    }
  }
  EXPECT_GE(differing * 20, w * h) << differing << " of " << w * h;

  const std::filesystem::path out = std::filesystem::path(TARVEK_TEST_BINARY_DIR) / ".." / "tools" / "out";
  std::filesystem::create_directories(out);
  const QImage main = form.grab().toImage();
  QImage both(main.width() + windowBefore.width(), std::max(main.height(), windowBefore.height()),
              QImage::Format_RGB32);
  both.fill(Qt::white);
  QPainter p(&both);
  p.drawImage(0, 0, main);
  p.drawImage(host->mapTo(&form, QPoint(0, 0)), frame);
  p.drawImage(main.width(), 0, windowBefore);
  p.end();
  EXPECT_TRUE(both.save(QString::fromStdString((out / "virus_cage.png").string())));
  EXPECT_TRUE(rig.prompts.messages().empty());
}

} // namespace
} // namespace tarvek
