// POV-Ray renders the scene the Tools menu's launcher writes.
#include "form1_rig.h"

#include "platform/qt_processes.h"
#include "shell/outside_programs.h"
#include "support/require_tool.h"
#include "support/scratch_dir.h"

#include <QApplication>
#include <QImage>
#include <QThread>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>

#include <unistd.h>

namespace tarvek {
namespace {

namespace fs = std::filesystem;

// Whether this process has a child process, ended or not, that it has not
// yet waited for.
bool hasChildren()
{
  const std::string pid = std::to_string(::getpid());
  std::ifstream children("/proc/" + pid + "/task/" + pid + "/children");
  std::string first;
  return static_cast<bool>(children >> first);
}

// The default tube, rendered without a display into an Export folder whose
// path has blanks, leaves a PNG in the view's shape, its longer side 800
// pixels, that shows more than the background.
TEST(OutsideProgramsOracleTest, povRayRendersTheDefaultTube)
{
  if (!test::requireTool("povray", "povray"))
    return;
  qputenv("QT_QPA_PLATFORM", "offscreen");
  int argc = 1;
  char name[] = "outside_programs_oracle";
  char* argv[] = {name, nullptr};
  QApplication app(argc, argv);
  test::ScratchDir home;
  StartupState startup;
  startup.exportFolder = (home.path() / "my files" / "Export here").string() + "/";
  fs::create_directories(startup.exportFolder);
  QtProcesses processes;
  test::Form1Rig rig({}, nullptr, startup, {}, &processes);
  rig.prompts.answerInput("0.5 0.25 0.5 0.0 0.0");
  rig.form->outsidePrograms().mnuTool_6->trigger();
  ASSERT_TRUE(rig.prompts.messages().empty()) << rig.prompts.messages()[0].text;

  // POV-Ray writes the picture at its end; a hung renderer fails the test
  // rather than the suite.
  const std::string png = startup.exportFolder + "tarvek.png";
  const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(60);
  QImage picture;
  while (std::chrono::steady_clock::now() < giveUp) {
    if (fs::exists(png) && picture.load(QString::fromStdString(png)))
      break;
    QThread::msleep(200);
  }
  ASSERT_FALSE(picture.isNull()) << "no picture at " << png;
  const QWidget& view = *rig.form->viewWidget();
  EXPECT_EQ(std::max(picture.width(), picture.height()), 800);
  EXPECT_NEAR(static_cast<double>(picture.width()) / picture.height() /
                  (static_cast<double>(view.width()) / view.height()),
              1.0, 0.005)
      << picture.width() << " x " << picture.height();
  std::set<QRgb> colours;
  for (int y = 0; y < picture.height() && colours.size() < 2; y += 5)
    for (int x = 0; x < picture.width() && colours.size() < 2; x += 5)
      colours.insert(picture.pixel(x, y));
  EXPECT_GT(colours.size(), 1u);

  // The renderer is watched by the program until it ends: let it end and its
  // watch be cleared before the window goes, as a running program would.
  while (hasChildren() && std::chrono::steady_clock::now() < giveUp) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 100);
    QThread::msleep(50);
  }
  QCoreApplication::processEvents();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_FALSE(hasChildren()) << "the renderer is still running";
}

} // namespace
} // namespace tarvek
