// Every window the menus reach, read at its default size and in the states that give it its
// longest texts: no text cut off, no covered control.
#include "form1_rig.h"
#include "window_reading.h"

#include "imaging/ui/image_browser_window.h"
#include "platform/qt_prompts.h"
#include "shell/collapsible_frame.h"
#include "shell/file_commands.h"
#include "shell/image_commands.h"
#include "shell/tool_commands.h"
#include "support/scratch_dir.h"
#include "tools/icosahedral_cage_window.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSlider>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTabWidget>
#include <QTimer>
#include <QTreeView>
#include <QTreeWidget>

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

// A title wider than the window's least width, or than its frame under a window
// manager, is a fault of the window.
TEST(WindowReadingTest, findsATitleTheWindowCannotHold)
{
  QDialog dialog;
  dialog.setWindowTitle(QStringLiteral("A rather long window title for a small dialog"));
  dialog.resize(120, 60);
  dialog.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
  // Under a window manager the frame, as narrow as the window, fails too.
  const std::vector<std::string> faults = readingFaults(dialog);
  const bool framed = dialog.frameGeometry().size() != dialog.geometry().size();
  ASSERT_EQ(faults.size(), framed ? 2u : 1u) << joined(faults);
  EXPECT_NE(faults[0].find("window: minimum width"), std::string::npos) << faults[0];
  if (framed) {
    EXPECT_NE(faults[1].find("window: frame width"), std::string::npos) << faults[1];
  }
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

  // imagesUnder: the user's Images folder below home, as deep as wanted.
  explicit ReadingRig(const fs::path& imagesUnder = "Images")
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
    startup.imagesFolder = (home.path() / imagesUnder).string() + "/";
    startup.exportFolder = (home.path() / "Export").string() + "/";
    startup.importFolder = (home.path() / "Import").string() + "/";
    for (const fs::path& folder : {imagesUnder, fs::path("Export"), fs::path("Import")})
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

  void runMenuItem(const char* caption)
  {
    QAction* item = menuItem(*form().menuBar(), QString::fromLatin1(caption));
    ASSERT_NE(item, nullptr) << caption;
    item->trigger();
    QApplication::processEvents();
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

// The animation options show the frame delay, which their summary leaves
// out, beside its slider, and follow the slider when the user clicks on it.
void readFrameDelay(ReadingRig& r, QWidget& window)
{
  QGroupBox* delay = nullptr;
  for (QGroupBox* frame : window.findChildren<QGroupBox*>()) {
    if (frame->title() == QStringLiteral("Frame Delay [msec]"))
      delay = frame;
  }
  ASSERT_NE(delay, nullptr);
  auto* slider = delay->findChild<QSlider*>();
  ASSERT_NE(slider, nullptr);
  const auto shown = [&] {
    QStringList texts;
    for (const QLabel* label : delay->findChildren<QLabel*>()) {
      if (label->isVisibleTo(&window))
        texts << label->text();
    }
    return texts.join(QLatin1Char('|')).toStdString();
  };
  EXPECT_EQ(shown(), "150 msec");
  // A click on the groove right of the handle moves one large step.
  QStyleOptionSlider option;
  option.initFrom(slider);
  option.orientation = slider->orientation();
  option.minimum = slider->minimum();
  option.maximum = slider->maximum();
  option.sliderPosition = option.sliderValue = slider->value();
  option.tickPosition = slider->tickPosition();
  option.subControls = QStyle::SC_All;
  const QRect groove =
      slider->style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderGroove, slider);
  const QPoint right(groove.right() - 2, groove.center().y());
  QTest::mouseClick(slider, Qt::LeftButton, {}, right);
  EXPECT_EQ(slider->value(), 200);
  EXPECT_EQ(shown(), "200 msec");
  for (int i = 0; i < 20; ++i)
    QTest::mouseClick(slider, Qt::LeftButton, {}, right);
  EXPECT_EQ(shown(), "1000 msec");
  r.read(window);
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
  r.readMenuItem("Save Image Sequence", [&r](QWidget& window) { readFrameDelay(r, window); });
  r.readMenuItem("&About");
  EXPECT_EQ(joined(r.faults), "");
}

// Virus mode with the widest entry of the T-list chosen: the list shows the
// chosen entry whole, and the main window's title, too long for the toolbar
// of a window 900 pixels wide, ends in "…" and is whole in its tooltip.
TEST(WindowReadingTest, virusModeWithTheWidestEntryReadsWhole)
{
  ReadingRig r;
  Form1& form = r.form();
  r.runMenuItem("Virus Geometries");
  frmVirus* virus = form.toolCommands().virusWindow();
  ASSERT_NE(virus, nullptr);
  QTreeWidgetItem* widest = nullptr;
  for (int i = 0; i < virus->lst->topLevelItemCount(); ++i) {
    if (virus->lst->topLevelItem(i)->text(1) == QStringLiteral("T=100"))
      widest = virus->lst->topLevelItem(i);
  }
  ASSERT_NE(widest, nullptr);
  virus->lst->scrollToItem(widest);
  QTest::mouseClick(virus->lst->viewport(), Qt::LeftButton, {},
                    virus->lst->visualItemRect(widest).center());
  ASSERT_EQ(virus->lst->currentItem(), widest);
  r.read(*virus);
  test::clickDrawn(*virus->btCreate);
  virus->close();
  form.resize(900, 600);
  QApplication::processEvents();
  r.read(form);
  EXPECT_EQ(joined(r.faults), "");

  const QString whole = form.titleText();
  EXPECT_TRUE(whole.startsWith(QStringLiteral("Virus Geometry #"))) << whole.toStdString();
  EXPECT_TRUE(whole.contains(QStringLiteral("T=100"))) << whole.toStdString();
  EXPECT_TRUE(form.lbTIT->text().contains(QChar(0x2026))) << form.lbTIT->text().toStdString();
  EXPECT_EQ(form.lbTIT->toolTip().toStdString(), whole.toStdString());
}

// A tube of 500 A, built at the window's first size: the status bar's
// explanation of the missing bonds reads whole.
TEST(WindowReadingTest, aLongTubeExplainsItsMissingBondsWhole)
{
  ReadingRig r;
  Form1& form = r.form();
  r.rig->setField(2, "500");
  r.rig->pressCalculate();
  r.read(form);
  EXPECT_EQ(joined(r.faults), "");
  EXPECT_TRUE(form.stbPanel[0]->text().contains(QStringLiteral("Recalculate Bonds")))
      << form.stbPanel[0]->text().toStdString();
}

// An XMOL comment far longer than the toolbar: the title is shortened, and
// its tooltip holds the whole title and, below it, what a click opens.
TEST(WindowReadingTest, aLongImportedTitleIsShortenedAndWholeInItsTooltip)
{
  ReadingRig r;
  Form1& form = r.form();
  const std::string comment =
      "Single-wall carbon nanotube (12,8) relaxed with a long range bond order potential, "
      "cut from the middle of a 90 A run";
  const fs::path file = r.home.path() / "Import" / "long.xmol";
  std::ofstream(file) << "3\r\n" << comment << "\r\nC 0 0 0\r\nC 1.42 0 0\r\nC 2.84 0 0\r\n";
  r.rig->dialogs.answer(FileChoice{file.string(), 1});
  r.rig->prompts.answerYesNo(true);
  form.fileCommands().mnuFile_421->trigger();
  QApplication::processEvents();
  r.read(form);
  EXPECT_EQ(joined(r.faults), "");

  const QString whole = QString::fromStdString("XMOL: " + comment);
  EXPECT_EQ(form.titleText().toStdString(), whole.toStdString());
  EXPECT_TRUE(form.lbTIT->text().contains(QChar(0x2026))) << form.lbTIT->text().toStdString();
  EXPECT_EQ(form.lbTIT->toolTip().toStdString(), whole.toStdString() + "\nView " + file.string());
}

// The image browser over an Images folder eight folders deep, opened twice:
// each time its folder tree shows the browsed folder's name, in view.
TEST(WindowReadingTest, theImageBrowserShowsADeepFolderEachTimeItOpens)
{
  ReadingRig r("Work/2026/12/W50/Tubes/Armchair/Images");
  for (int opening = 1; opening <= 2; ++opening) {
    r.runMenuItem("Browse Image Folder");
    frmAIL* browser = r.form().imageCommands().imageBrowser();
    ASSERT_NE(browser, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(browser));
    EXPECT_EQ(browser->Dir1->currentIndex().data().toString(), QStringLiteral("Images"));
    // The folders load in the background: let them come in before reading.
    std::vector<std::string> faults = readingFaults(*browser);
    for (int i = 0; i < 50 && !faults.empty(); ++i) {
      QTest::qWait(20);
      faults = readingFaults(*browser);
    }
    EXPECT_EQ(joined(faults), "") << "opening " << opening;
  }
}

// A title that the window manager draws in its own frame: an input box with
// a long title is wide enough for it under a real frame too.
TEST(WindowReadingTest, anInputBoxHoldsItsTitle)
{
  QtPrompts prompts;
  std::vector<std::string> faults;
  QTimer poll;
  poll.setInterval(10);
  QObject::connect(&poll, &QTimer::timeout, [&] {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr || !modal->isVisible())
      return;
    if (!QTest::qWaitForWindowExposed(modal))
      return;
    QApplication::processEvents();
    faults = readingFaults(*modal);
    modal->close();
  });
  poll.start();
  prompts.input("All values range from 0.0-1.0\r\ndiffuse\r\nambient\r\nspecular\r\nreflection",
                "POV-Ray [Material Properties]", "0.5 0.25 0.5 0.0 0.0");
  poll.stop();
  EXPECT_EQ(joined(faults), "");
}

} // namespace
} // namespace tarvek
