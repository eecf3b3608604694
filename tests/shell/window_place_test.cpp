// The main window's place and size kept between runs, with and without a window manager's frame.
#include "start_rig.h"

#include "support/click_menu.h"
#include "support/require_tool.h"

#include <QApplication>
#include <QProcess>
#include <QScreen>
#include <QWindow>
#include <gtest/gtest.h>

#include <functional>

namespace tarvek {
namespace {

using test::StartRig;

#ifdef TARVEK_UNDER_WINDOW_MANAGER
constexpr bool kFramed = true;

// A window manager on the test display for the whole run, so windows get a
// real frame: their place is the frame's, their size the inner one.
class WindowManager : public testing::Environment {
public:
  void SetUp() override
  {
    if (!test::requireTool("openbox", "openbox"))
      return;
    m_process.start(QStringLiteral("openbox"), {QStringLiteral("--sm-disable")});
    ASSERT_TRUE(m_process.waitForStarted());
  }
  void TearDown() override
  {
    if (m_process.state() == QProcess::NotRunning)
      return;
    m_process.terminate();
    m_process.waitForFinished();
  }

private:
  QProcess m_process;
};

[[maybe_unused]] testing::Environment* const kWindowManager =
    testing::AddGlobalTestEnvironment(new WindowManager);
#else
constexpr bool kFramed = false;
#endif

// Under a window manager: the window got its frame.
bool framedAsExpected(const Form1& form)
{
  return !kFramed ||
         QTest::qWaitFor([&] { return form.frameGeometry().top() < form.geometry().top(); });
}

// Waits until the window stands at place with inner size size.
bool standsAt(const Form1& form, QPoint place, QSize size)
{
  return QTest::qWaitFor([&] { return form.pos() == place && form.size() == size; });
}

std::string where(const Form1& form)
{
  return std::to_string(form.x()) + "," + std::to_string(form.y()) + " " +
         std::to_string(form.width()) + "x" + std::to_string(form.height());
}

// The window moved and resized, then closed each way the program closes:
// the next start puts it back there.
TEST(WindowPlaceTest, windowComesBackWhereItWasLeft)
{
  struct Way {
    const char* name;
    std::function<void(Form1&)> close;
  };
  const Way ways[] = {
      {"File > Exit", [](Form1& form) { test::clickMenuPath(form, {"&File", "E&xit"}); }},
      // What the frame's close button asks of the window.
      {"close button", [](Form1& form) { form.windowHandle()->close(); }},
      // What a quit signal runs.
      {"quit signal", [](Form1&) { QApplication::closeAllWindows(); }},
  };
  const QPoint place(150, 120);
  const QSize size(1000, 760);
  for (const Way& way : ways) {
    StartRig rig;
    {
      Form1& form = rig.start();
      ASSERT_TRUE(framedAsExpected(form)) << way.name;
      form.move(place);
      form.resize(size);
      ASSERT_TRUE(standsAt(form, place, size)) << way.name << ": " << where(form);
      way.close(form);
      EXPECT_FALSE(form.isVisible()) << way.name;
      rig.program.reset();
    }
    // Twice, so a place that creeps by a frame's width shows.
    for (int run = 1; run <= 2; ++run) {
      Form1& again = rig.start();
      ASSERT_TRUE(framedAsExpected(again)) << way.name;
      EXPECT_TRUE(standsAt(again, place, size)) << way.name << " run " << run << ": " << where(again);
      again.close();
      rig.program.reset();
    }
  }
}

// A stored place off every screen is not restored: the window opens on the
// screen, as large as on a first start.
TEST(WindowPlaceTest, placeOffTheScreensFallsBackToTheDefault)
{
  QSize defaultSize;
  {
    StartRig rig;
    Form1& form = rig.start();
    ASSERT_TRUE(framedAsExpected(form));
    defaultSize = form.size();
  }
  StartRig rig;
  rig.handWrite("COL0=12155392\nWNDO=\" 5000  4000  1000  760\"\nWNDS=0\n");
  Form1& form = rig.start();
  ASSERT_TRUE(framedAsExpected(form));
  EXPECT_EQ(form.size(), defaultSize) << where(form);
  const QRect screen = form.screen()->availableGeometry();
  EXPECT_TRUE(screen.contains(form.frameGeometry())) << where(form);
}

} // namespace
} // namespace tarvek
