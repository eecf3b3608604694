#include "scene/scene_object.h"
#include "shell/app_shell.h"
#include "shell/view_commands.h"
#include "support/fake_prompts.h"

#include <QAction>
#include <QCheckBox>
#include <QOpenGLWidget>
#include <QTest>
#include <gtest/gtest.h>

namespace tarvek {
namespace {

// Pixels of the middle fifth of the view's frame that differ from the
// background, read at the frame's corner.
struct MiddleFifth {
  int drawn = 0;
  QImage image;
};

MiddleFifth middleFifth(QOpenGLWidget& view)
{
  QTest::qWait(50);
  MiddleFifth out;
  out.image = view.grabFramebuffer().convertToFormat(QImage::Format_RGB888);
  const QColor back = out.image.pixelColor(2, 2);
  const int w = out.image.width();
  const int h = out.image.height();
  for (int y = 2 * h / 5; y < 3 * h / 5; ++y) {
    for (int x = 2 * w / 5; x < 3 * w / 5; ++x) {
      const QColor c = out.image.pixelColor(x, y);
      out.drawn += std::abs(c.red() - back.red()) + std::abs(c.green() - back.green()) +
                           std::abs(c.blue() - back.blue()) >
                       12
                   ? 1
                   : 0;
    }
  }
  return out;
}

// The model menu changes what is drawn, and the view's own navigation still
// runs under the window's mouse rules.
TEST(ViewFrameTest, modelsFillTheViewByTheirSizes)
{
  test::FakePrompts prompts;
  auto program = startProgram(prompts, {});
  ASSERT_NE(program, nullptr);
  Form1& form = program->form1();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
  auto* view = qobject_cast<QOpenGLWidget*>(form.viewWidget());
  ASSERT_NE(view, nullptr);
  ViewCommands& vc = form.viewCommands();

  vc.mnuModels[0]->trigger();
  const MiddleFifth wire = middleFifth(*view);
  vc.mnuModels[2]->trigger();
  const MiddleFifth filled = middleFifth(*view);
  EXPECT_GT(filled.drawn, wire.drawn) << filled.drawn << " vs " << wire.drawn;

  vc.mnuModels[1]->trigger();
  const MiddleFifth ballStick = middleFifth(*view);
  form.cbOP[0]->setChecked(false);
  const MiddleFifth bonds = middleFifth(*view);
  EXPECT_NE(bonds.image, ballStick.image);
  EXPECT_GT(bonds.drawn, 0) << ballStick.drawn;

  const float zoom = form.scene().zoom;
  const QPoint start(view->width() * 3 / 4, view->height() / 2);
  QTest::mousePress(view, Qt::RightButton, {}, start);
  QTest::mouseMove(view, start + QPoint(0, 40));
  QTest::mouseRelease(view, Qt::RightButton, {}, start + QPoint(0, 40));
  EXPECT_NE(form.scene().zoom, zoom);
  EXPECT_TRUE(prompts.calls.empty());
}

} // namespace
} // namespace tarvek
