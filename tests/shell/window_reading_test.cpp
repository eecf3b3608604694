// Every window the menus reach, read at its default size: no text cut off, no covered control.
#include "form1_rig.h"
#include "window_reading.h"

#include "shell/collapsible_frame.h"
#include "shell/file_commands.h"
#include "support/scratch_dir.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <set>

namespace tarvek {
namespace {

namespace fs = std::filesystem;
using test::Form1Rig;
using test::readingFaults;

std::string joined(const std::vector<std::string>& faults)
{
  std::string text;
  for (const std::string& f : faults)
    text += "\n  " + f;
  return text;
}

// The reader finds a label too narrow for its text and a button whose centre
// another control covers, and passes the same window once both are mended.
TEST(WindowReadingTest, findsAClippedLabelAndACoveredButton)
{
  QWidget window;
  window.setWindowTitle(QStringLiteral("Fixture"));
  window.setMinimumWidth(400);
  window.resize(400, 200);
  auto* label = new QLabel(QStringLiteral("A caption longer than its room"), &window);
  label->setGeometry(10, 10, 40, 20);
  auto* button = new QPushButton(QStringLiteral("Draw"), &window);
  button->setGeometry(10, 50, 100, 30);
  auto* cover = new QLabel(&window);
  cover->setGeometry(0, 40, 200, 60);
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));

  const std::vector<std::string> faults = readingFaults(window);
  ASSERT_EQ(faults.size(), 2u) << joined(faults);
  EXPECT_NE(faults[0].find("[Fixture] QLabel \"A caption longer than its room\": needs"),
            std::string::npos)
      << faults[0];
  EXPECT_NE(faults[1].find("[Fixture] QPushButton \"Draw\": covered at its centre by QLabel"),
            std::string::npos)
      << faults[1];

  label->resize(label->sizeHint());
  cover->setAttribute(Qt::WA_TransparentForMouseEvents);
  EXPECT_EQ(joined(readingFaults(window)), "");
  cover->setAttribute(Qt::WA_TransparentForMouseEvents, false);
  cover->lower();
  EXPECT_EQ(joined(readingFaults(window)), "");
}

// A title wider than the window's least width is a fault of the window.
TEST(WindowReadingTest, findsATitleTheWindowCannotHold)
{
  QDialog dialog;
  dialog.setWindowTitle(QStringLiteral("A rather long window title for a small dialog"));
  dialog.resize(120, 60);
  dialog.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
  const std::vector<std::string> faults = readingFaults(dialog);
  ASSERT_EQ(faults.size(), 1u) << joined(faults);
  EXPECT_NE(faults[0].find("window: minimum width"), std::string::npos) << faults[0];
}

QAction* menuItem(QMenuBar& bar, const QString& caption)
{
  std::function<QAction*(const QList<QAction*>&)> find = [&](const QList<QAction*>& actions) {
    for (QAction* action : actions) {
      if (action->text() == caption)
        return action;
      if (action->menu() != nullptr) {
        if (QAction* inner = find(action->menu()->actions()))
          return inner;
      }
    }
    return static_cast<QAction*>(nullptr);
  };
  return find(bar.actions());
}

std::set<QWidget*> shownWindows()
{
  std::set<QWidget*> shown;
  for (QWidget* w : QApplication::topLevelWidgets()) {
    if (w->isVisible() && !w->inherits("QMenu"))
      shown.insert(w);
  }
  return shown;
}

// The main window over a program folder that also holds the junction
// archive, so every Special item is offered.
struct ReadingRig {
  test::ScratchDir program;
  test::ScratchDir home;
  std::unique_ptr<Form1Rig> rig;
  std::vector<std::string> faults;

  ReadingRig()
  {
    const fs::path data = fs::path(TARVEK_TEST_SOURCE_DIR) / ".." / "data";
    for (const auto& entry : fs::directory_iterator(data)) {
      if (entry.path().filename() != "lib")
        fs::create_directory_symlink(fs::canonical(entry.path()), program.path() / entry.path().filename());
    }
    fs::create_directory(program.path() / "lib");
    for (const auto& entry : fs::directory_iterator(data / "lib"))
      fs::create_symlink(fs::canonical(entry.path()), program.path() / "lib" / entry.path().filename());
    std::ofstream(program.path() / "lib" / "contub.jar") << "PK";
    StartupState startup;
    startup.imagesFolder = (home.path() / "Images").string() + "/";
    startup.exportFolder = (home.path() / "Export").string() + "/";
    startup.importFolder = (home.path() / "Import").string() + "/";
    for (const char* folder : {"Images", "Export", "Import"})
      fs::create_directories(home.path() / folder);
    rig = std::make_unique<Form1Rig>(Form1Seams{}, nullptr, startup, program.path().string() + "/");
  }

  Form1& form() { return *rig->form; }

  void read(QWidget& window)
  {
    QApplication::processEvents();
    for (const std::string& fault : readingFaults(window)) {
      if (std::find(faults.begin(), faults.end(), fault) == faults.end())
        faults.push_back(fault);
    }
  }

  // Runs a menu item and reads every window it shows: a modal one while its
  // loop runs (then closes it), the others once the item returns. inspect
  // may read more of a window (its other tabs) before it closes.
  void readMenuItem(const char* caption, std::function<void(QWidget&)> inspect = {})
  {
    QAction* item = menuItem(*form().menuBar(), QString::fromLatin1(caption));
    ASSERT_NE(item, nullptr) << caption;
    ASSERT_TRUE(item->isVisible()) << caption;
    const std::set<QWidget*> before = shownWindows();
    std::set<QWidget*> readModal;
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, [&] {
      QWidget* modal = QApplication::activeModalWidget();
      if (modal == nullptr || readModal.count(modal) != 0)
        return;
      readModal.insert(modal);
      readWhole(*modal, inspect);
      modal->close();
    });
    poll.start();
    item->trigger();
    poll.stop();
    int opened = int(readModal.size());
    for (QWidget* w : shownWindows()) {
      if (before.count(w) != 0 || readModal.count(w) != 0)
        continue;
      ++opened;
      readWhole(*w, inspect);
      w->close();
    }
    EXPECT_GT(opened, 0) << caption << " opened no window";
    form().showNormal();
  }

  void readWhole(QWidget& window, const std::function<void(QWidget&)>& inspect)
  {
    read(window);
    if (inspect)
      inspect(window);
  }
};

// Every tab of a tabbed window is read, each in turn.
void readTabs(ReadingRig& r, QWidget& window)
{
  for (QTabWidget* tabs : window.findChildren<QTabWidget*>()) {
    for (int i = 1; i < tabs->count(); ++i) {
      tabs->setCurrentIndex(i);
      r.read(window);
    }
    tabs->setCurrentIndex(0);
  }
}

TEST(WindowReadingTest, everyWindowTheMenusReachReadsWholeAtItsDefaultSize)
{
  ReadingRig r;
  r.read(r.form());
  Form1& form = r.form();
  form.cmbTYP->setCurrentIndex(2);
  form.fr5->onCaptionClick();
  r.read(form);
  form.cmbTYP->setCurrentIndex(0);
  r.readMenuItem("&Preferences ...", [&r](QWidget& window) { readTabs(r, window); });
  r.readMenuItem("Edit Colors");
  r.readMenuItem("Capped (9,0) Tube");
  r.readMenuItem("Hetero-Junction");
  r.readMenuItem("Multi-Layer Graphene");
  r.readMenuItem("XY-Sheet Generator", [&r](QWidget& window) { readTabs(r, window); });
  r.readMenuItem("Nano-Hole Array");
  r.readMenuItem("Radius-Calculator");
  r.readMenuItem("Recalculate Bonds ");
  r.readMenuItem("Virus Geometries");
  r.readMenuItem("Browse Image Folder");
  r.rig->dialogs.answer(FileChoice{r.rig->form->startup().imagesFolder + "turn.gif", 3});
  r.readMenuItem("Save Image Sequence");
  r.readMenuItem("&About");
  EXPECT_EQ(joined(r.faults), "");
}

} // namespace
} // namespace tarvek
