#include "model/bond_search.h"
#include "model/colour_helpers.h"
#include "model/model.h"
#include "platform/escape_watch.h"
#include "platform/open_url.h"
#include "platform/palette_colors.h"
#include "platform/qt_file_dialogs.h"
#include "platform/qt_processes.h"
#include "platform/qt_prompts.h"
#include "platform/qt_settings_store.h"
#include "platform/qt_shell_open.h"
#include "platform/window_fit.h"
#include "support/scratch_dir.h"

#include <QApplication>
#include <QDialog>
#include <QDesktopServices>
#include <QFileDialog>
#include <QInputDialog>
#include <QKeyEvent>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <functional>
#include <string>

#include <sys/stat.h>

namespace tarvek {
namespace {

namespace fs = std::filesystem;

// Calls `act` with the first modal dialog that shows up once `ready` holds;
// the dialog under test runs the event loop that fires it.
void whenModal(std::function<void(QWidget*)> act, std::function<bool()> ready = [] { return true; })
{
  auto* timer = new QTimer;
  timer->setInterval(20);
  QObject::connect(timer, &QTimer::timeout, [timer, act, ready] {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr || !ready())
      return;
    timer->stop();
    timer->deleteLater();
    act(modal);
  });
  timer->start();
}

class UrlCatcher : public QObject {
  Q_OBJECT
public slots:
  void handle(const QUrl& url) { urls << url.toString(); }

public:
  QStringList urls;
};

// Without a handler of our own Qt would start the desktop's real opener.
class CatchUrls {
public:
  CatchUrls()
  {
    QDesktopServices::setUrlHandler("https", &catcher, "handle");
    QDesktopServices::setUrlHandler("file", &catcher, "handle");
  }
  ~CatchUrls()
  {
    QDesktopServices::unsetUrlHandler("https");
    QDesktopServices::unsetUrlHandler("file");
  }
  UrlCatcher catcher;
};

TEST(QtShellOpenTest, addressesAndFilesReachTheDesktopHandler)
{
  CatchUrls urls;
  QtShellOpen shell;
  openURL("https://example.org/x?y=1", shell);
  EXPECT_TRUE(shell.openFile("/tmp/some file.txt"));
  EXPECT_TRUE(shell.openFolder("/tmp"));
  EXPECT_EQ(urls.catcher.urls,
            QStringList({"https://example.org/x?y=1", "file:///tmp/some file.txt", "file:///tmp"}));
  EXPECT_FALSE(shell.openAddress("no scheme here"));
  EXPECT_FALSE(shell.openFile(""));
  EXPECT_EQ(urls.catcher.urls.size(), 3);
}

TEST(PaletteColorsTest, readsTheApplicationPaletteAsBgr)
{
  const QPalette saved = QApplication::palette();
  QPalette palette = saved;
  palette.setColor(QPalette::Button, QColor(10, 20, 30));
  QApplication::setPalette(palette);
  PaletteColors colors;
  EXPECT_EQ(colors.sysColor(15), 0x001E140Au);
  // A colour value referring to the button face resolves through the palette.
  const auto buttonFace = static_cast<std::int32_t>(0x8000000Fu);
  EXPECT_EQ(translateSysColor(buttonFace, colors), 0x001E140A);
  EXPECT_EQ(getRed(buttonFace, colors), 10);
  EXPECT_EQ(getGreen(buttonFace, colors), 20);
  EXPECT_EQ(getBlue(buttonFace, colors), 30);
  for (int unknown : {1, 25, 99, -1})
    EXPECT_EQ(colors.sysColor(unknown), 0u) << unknown;
  QApplication::setPalette(saved);
}

// Escape as long loops see it: a press during the loop counts once; a press
// made before clearEscape() is forgotten, even while the key is still down.
TEST(EscapeWatchTest, countsOnlyPressesDuringTheLoop)
{
  QWidget window;
  window.show();
  EscapeWatch watch;
  auto press = [&] { QTest::keyPress(&window, Qt::Key_Escape); };
  auto release = [&] { QTest::keyRelease(&window, Qt::Key_Escape); };
  auto repeat = [&] {
    QKeyEvent up(QEvent::KeyRelease, Qt::Key_Escape, Qt::NoModifier, QString(), true);
    QKeyEvent down(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier, QString(), true);
    QApplication::sendEvent(&window, &up);
    QApplication::sendEvent(&window, &down);
  };
  auto other = [&] { QTest::keyClick(&window, Qt::Key_A); };

  struct Case {
    const char* name;
    std::function<void()> before;
    std::function<void()> during;
    std::vector<bool> polls;
  };
  const Case cases[] = {
      {"no key", [] {}, [] {}, {false}},
      {"press, release before", [&] { press(); release(); }, [] {}, {false}},
      {"other key", other, other, {false}},
      {"held down from before", press, [] {}, {false, false}},
      {"held from before, auto-repeat", press, [&] { repeat(); repeat(); }, {false, false}},
      {"press, release during", [] {}, [&] { press(); release(); }, {true, false}},
      {"press during, never released", [] {}, press, {true, false, false}},
  };
  const long stopsAtStart = watch.stops();
  long expectedStops = 0;
  for (const auto& c : cases) {
    watch.clearEscape();
    c.before();
    watch.clearEscape();
    c.during();
    for (std::size_t i = 0; i < c.polls.size(); ++i) {
      EXPECT_EQ(watch.escapePressed(), c.polls[i]) << c.name << ", poll " << i;
      expectedStops += c.polls[i] ? 1 : 0;
    }
    release();
  }
  EXPECT_EQ(watch.stops() - stopsAtStart, expectedStops);
}

// Escape pressed to close a dialog, its release following within a few
// milliseconds or going astray with the closed window: the bond search run
// next is whole and the watch reports no stop.
TEST(EscapeWatchTest, escapeThatClosedADialogLeavesTheNextSearchWhole)
{
  EscapeWatch watch;
  QtPrompts prompts;
  for (const bool releaseDelivered : {true, false}) {
    QDialog dialog;
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    QTest::keyPress(&dialog, Qt::Key_Escape);
    EXPECT_FALSE(dialog.isVisible()) << "Escape closes the dialog";
    if (releaseDelivered) {
      QTest::qWait(5);
      QTest::keyRelease(&dialog, Qt::Key_Escape);
    }
    QCoreApplication::processEvents();

    Model model;
    model.structureKind = 3;
    model.bondLength = 1.42;
    constexpr int kAtoms = 50;
    for (int i = 0; i < kAtoms; ++i) {
      model.atomX.push_back(1.42f * static_cast<float>(i));
      model.atomY.push_back(0.0f);
      model.atomZ.push_back(0.0f);
      model.atomType.push_back(1);
    }
    model.atomCount = kAtoms;
    const long stopsBefore = watch.stops();
    createBonds(model, 0.0f, 0.0f, prompts, watch);
    EXPECT_EQ(model.bondCount, kAtoms - 1) << "release delivered: " << releaseDelivered;
    EXPECT_EQ(watch.stops(), stopsBefore);
  }
}

// A loop that only polls still gets its queued key events delivered.
TEST(EscapeWatchTest, pollingPumpsQueuedEvents)
{
  QWidget window;
  window.show();
  EscapeWatch watch;
  watch.clearEscape();
  QApplication::postEvent(&window, new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier));
  QApplication::postEvent(&window,
                          new QKeyEvent(QEvent::KeyRelease, Qt::Key_Escape, Qt::NoModifier));
  QTest::qSleep(60);
  EXPECT_TRUE(watch.escapePressed());
}

// A settings path that is not a regular file is never opened: reads give
// the defaults, values live in memory, and sync() says they were not kept.
TEST(QtSettingsStoreTest, aPathThatIsNoRegularFileIsPassedOver)
{
  test::ScratchDir scratch;
  const fs::path fifo = scratch.path() / "fifo.conf";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const fs::path link = scratch.path() / "link.conf";
  fs::create_symlink(fifo, link);
  const fs::path plain = scratch.write("plain.conf", "[General]\nsTOOL0=/usr/bin/viewer\n");
  struct Case {
    fs::path path;
    bool usable;
    std::string tool;
  };
  const Case cases[] = {
      {fifo, false, ""},
      {link, false, ""},
      {scratch.path(), false, ""},
      {"/dev/zero", false, ""},
      {plain, true, "/usr/bin/viewer"},
      {scratch.path() / "missing.conf", true, ""},
  };
  for (const auto& c : cases) {
    QtSettingsStore store(c.path.string());
    EXPECT_EQ(store.fileUsable(), c.usable) << c.path;
    EXPECT_EQ(store.read("sTOOL0"), c.tool) << c.path;
    EXPECT_TRUE(store.write("sTOOL1", "/usr/bin/other")) << c.path;
    EXPECT_EQ(store.read("sTOOL1"), "/usr/bin/other") << c.path;
    EXPECT_EQ(store.sync(), c.usable) << c.path;
    EXPECT_EQ(store.location(), c.path.string()) << c.path;
  }
  EXPECT_EQ(fs::status(fifo).type(), fs::file_type::fifo);
}

TEST(QtPromptsTest, yesNoShowsQuestionBoxAndReturnsNoWhenClicked)
{
  QtPrompts prompts;
  QString text, title;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  QMessageBox::StandardButtons buttons;
  whenModal([&](QWidget* w) {
    auto* box = qobject_cast<QMessageBox*>(w);
    ASSERT_NE(box, nullptr);
    text = box->text();
    title = box->windowTitle();
    icon = box->icon();
    buttons = box->standardButtons();
    box->button(QMessageBox::No)->click();
  });
  EXPECT_FALSE(prompts.yesNo("File already exists.\r\n/tmp/<a>.xyz", "", MessageIcon::Question));
  EXPECT_EQ(text, "File already exists.\n/tmp/<a>.xyz");
  EXPECT_EQ(title, "tarvek");
  EXPECT_EQ(icon, QMessageBox::Question);
  EXPECT_EQ(buttons, QMessageBox::Yes | QMessageBox::No);
}

TEST(QtPromptsTest, messageUsesTitleAndIcon)
{
  QtPrompts prompts;
  QString title;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  whenModal([&](QWidget* w) {
    auto* box = qobject_cast<QMessageBox*>(w);
    ASSERT_NE(box, nullptr);
    title = box->windowTitle();
    icon = box->icon();
    box->button(QMessageBox::Ok)->click();
  });
  prompts.message("Done.", "Export", MessageIcon::Exclamation);
  EXPECT_EQ(title, "Export");
  EXPECT_EQ(icon, QMessageBox::Warning);
}

TEST(QtPromptsTest, inputReturnsTypedTextOrNothingOnCancel)
{
  QtPrompts prompts;
  QString label, shownDefault;
  whenModal([&](QWidget* w) {
    auto* dialog = qobject_cast<QInputDialog*>(w);
    ASSERT_NE(dialog, nullptr);
    label = dialog->labelText();
    shownDefault = dialog->textValue();
    dialog->setTextValue("12");
    dialog->accept();
  });
  EXPECT_EQ(prompts.input("Number of walls", "", "3"), std::optional<std::string>("12"));
  EXPECT_EQ(label, "Number of walls");
  EXPECT_EQ(shownDefault, "3");

  whenModal([](QWidget* w) { qobject_cast<QDialog*>(w)->reject(); });
  EXPECT_EQ(prompts.input("Number of walls", "", "3"), std::nullopt);
}

// A short prompt must not narrow the box below its title.
TEST(QtPromptsTest, inputBoxIsWideEnoughForItsTitle)
{
  QtPrompts prompts;
  const QString title = QStringLiteral("POV-Ray [Material Properties]");
  int width = 0;
  whenModal([&](QWidget* w) {
    width = w->width();
    qobject_cast<QDialog*>(w)->reject();
  });
  prompts.input("x", title.toStdString(), "");
  EXPECT_GE(width, QFontMetrics(QApplication::font()).horizontalAdvance(title) + kTitleBarRoom);
}

TEST(QtPromptsTest, waitCursorNestsAndEnds)
{
  QtPrompts prompts;
  {
    WaitCursor outer(prompts);
    WaitCursor inner(prompts);
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
  }
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

// The dialog gets the converted filters and the chosen one comes back 1-based;
// it never asks about overwriting itself (the suggested file exists).
TEST(QtFileDialogsTest, saveSelectsFilterByIndexAndReportsTheChosenOne)
{
  test::ScratchDir dir;
  dir.write("tube.xyz", "x");
  QtFileDialogs dialogs;
  QString initialFilter;
  QStringList filters;
  bool confirms = true;
  whenModal([&](QWidget* w) {
    auto* dialog = qobject_cast<QFileDialog*>(w);
    ASSERT_NE(dialog, nullptr);
    initialFilter = dialog->selectedNameFilter();
    filters = dialog->nameFilters();
    confirms = !dialog->testOption(QFileDialog::DontConfirmOverwrite);
    dialog->selectNameFilter("XYZ-File (*.xyz)");
    // Accepting would stop in the dialog's own overwrite question.
    if (confirms)
      dialog->reject();
    else
      static_cast<QDialog*>(dialog)->accept(); // QFileDialog hides its override
  });
  auto choice = dialogs.save("Export", dir.path().string(),
                             "XYZ-File (*.xyz)|*.xyz|All Files (*.*)|*.*", "tube.xyz", 2);
  EXPECT_EQ(filters, QStringList({"XYZ-File (*.xyz)", "All Files (*)"}));
  EXPECT_EQ(initialFilter, "All Files (*)");
  EXPECT_FALSE(confirms);
  ASSERT_TRUE(choice);
  EXPECT_EQ(fs::path(choice->path), dir.file("tube.xyz"));
  EXPECT_EQ(choice->filterIndex, 1);

  whenModal([](QWidget* w) { qobject_cast<QDialog*>(w)->reject(); });
  EXPECT_EQ(dialogs.open("Import", dir.path().string(), "XYZ-File|*.xyz", "", 1), std::nullopt);
}

bool processGone(pid_t pid)
{
  return ::kill(pid, 0) == -1 && errno == ESRCH;
}

pid_t readPid(const fs::path& file)
{
  return static_cast<pid_t>(std::stol(test::readBytes(file)));
}

TEST(QtProcessesTest, runReportsExitCodeAndUsesTheFolder)
{
  test::ScratchDir dir;
  QtProcesses processes;
  auto result = processes.run("sh", {"-c", "echo x > here; exit 3"}, dir.path().string(), "Working");
  EXPECT_EQ(result.outcome, ProcessResult::Outcome::Finished);
  EXPECT_EQ(result.exitCode, 3);
  EXPECT_TRUE(fs::exists(dir.file("here")));
  EXPECT_TRUE(processes.run("sh", {"-c", "exit 0"}, "", "Working").succeeded());
}

// A program ended by a signal has no exit code; it must never look like success.
TEST(QtProcessesTest, programKilledBySignalIsNoSuccess)
{
  QtProcesses processes;
  auto result = processes.run("sh", {"-c", "kill -KILL $$"}, "", "Working");
  EXPECT_EQ(result.outcome, ProcessResult::Outcome::Finished);
  EXPECT_EQ(result.exitCode, -1);
  EXPECT_FALSE(result.succeeded());
  EXPECT_NE(result.message.find("sh"), std::string::npos) << result.message;
}

TEST(QtProcessesTest, missingProgramFailsToStartNamingIt)
{
  QtProcesses processes;
  auto result = processes.run("no-such-program-xyz", {}, "", "Working");
  EXPECT_EQ(result.outcome, ProcessResult::Outcome::FailedToStart);
  EXPECT_NE(result.message.find("no-such-program-xyz"), std::string::npos) << result.message;
  EXPECT_EQ(processes.findExecutable("no-such-program-xyz"), "");
  EXPECT_FALSE(processes.startDetached("no-such-program-xyz", {}, ""));
  EXPECT_EQ(fs::path(processes.findExecutable("sh")).filename(), "sh");
}

// Cancel (the button or Escape) ends the program: SIGTERM first, SIGKILL for
// one that ignores it; run() comes back only when the program is gone.
TEST(QtProcessesTest, cancelEndsTheProgram)
{
  auto clickCancel = [](QProgressDialog* d) { d->findChild<QPushButton*>()->click(); };
  auto pressEscape = [](QProgressDialog* d) { QTest::keyClick(d, Qt::Key_Escape); };
  struct Case {
    const char* name;
    const char* script;
    std::function<void(QProgressDialog*)> cancel;
  };
  const Case cases[] = {
      {"sleep, Cancel clicked", "echo $$ > \"$0\"; exec sleep 30", clickCancel},
      {"sleep, Escape", "echo $$ > \"$0\"; exec sleep 30", pressEscape},
      {"ignoring SIGTERM", "trap '' TERM; echo $$ > \"$0\"; while :; do sleep 1; done", clickCancel},
  };
  for (const auto& c : cases) {
    test::ScratchDir dir;
    const fs::path pidFile = dir.file("pid");
    QtProcesses processes;
    QString label;
    whenModal(
        [&](QWidget* w) {
          auto* dialog = qobject_cast<QProgressDialog*>(w);
          ASSERT_NE(dialog, nullptr) << c.name;
          label = dialog->labelText();
          QTimer::singleShot(200, dialog, [dialog, &c] { c.cancel(dialog); });
        },
        [&] { return !test::readBytes(pidFile).empty(); });
    auto result = processes.run("sh", {"-c", c.script, pidFile.string()}, "", "Rendering the scene");
    EXPECT_EQ(result.outcome, ProcessResult::Outcome::Cancelled) << c.name;
    EXPECT_EQ(label, "Rendering the scene") << c.name;
    EXPECT_TRUE(processGone(readPid(pidFile))) << c.name;
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr) << c.name;
  }
}

TEST(QtProcessesTest, startDetachedReturnsAtOnceInTheFolder)
{
  test::ScratchDir dir;
  QtProcesses processes;
  ASSERT_TRUE(processes.startDetached("sh", {"-c", "echo x > started.tmp && mv started.tmp started"},
                                      dir.path().string()));
  while (!fs::exists(dir.file("started")))
    QTest::qWait(20);
}

} // namespace
} // namespace tarvek

#include "qt_layers_test.moc"
