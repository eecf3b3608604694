#include "start_rig.h"

#include "platform/qt_settings_store.h"
#include "shell/app_shell.h"
#include "shell/options_window.h"
#include "shell/start_main.h"
#include "support/fake_prompts.h"
#include "support/scoped_env.h"
#include "support/scratch_dir.h"

#include <QApplication>
#include <QComboBox>
#include <QMessageBox>
#include <QOpenGLWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <filesystem>

namespace tarvek {
namespace {

namespace fs = std::filesystem;

using test::StartRig;

QColor cornerPixel(Form1& form)
{
  auto* view = qobject_cast<QOpenGLWidget*>(form.viewWidget());
  if (!view)
    return {};
  QTest::qWait(100);
  return view->grabFramebuffer().pixelColor(2, 2);
}

bool near(const QColor& got, const QColor& want, int limit)
{
  return std::abs(got.red() - want.red()) <= limit &&
         std::abs(got.green() - want.green()) <= limit &&
         std::abs(got.blue() - want.blue()) <= limit;
}

TEST(SettingsStartTest, firstStartWritesTheSettingsFileAndTheMarker)
{
  StartRig rig;
  Form1& form = rig.start();
  const std::pair<const char*, std::string> expected[] = {
      {"COL0", "12155392"},
      {"COL1", "255"},
      {"COL2", "65280"},
      {"COL3", "12698049"},
      {"COL4", "16777215"},
      {"TOOL1", ""},
      {"TOOL4", ""},
      {"INP1", "0"},
      {"INP2", "0"},
      {"INP3", "5 5 0"},
      {"WHITE", "000000010000"},
      {"WNDS", "0"},
      {"XP", ""},
      {"PATH", QCoreApplication::applicationFilePath().toStdString()}};
  for (const auto& [name, text] : expected)
    EXPECT_EQ(rig.stored(name), text) << name;
  EXPECT_TRUE(fs::exists(rig.config / "tarvek/styled_buttons"));
  const Preferences& p = form.preferences();
  EXPECT_EQ(p.rotationStep, 1.0f);
  EXPECT_EQ(p.cifPadding, (std::array<float, 3>{5, 5, 0}));
  EXPECT_EQ(p.defaultAxis, 0);
  for (std::size_t i = 0; i < p.optionFlags.size(); ++i)
    EXPECT_EQ(p.optionFlags[i], i == 7) << i;
}

TEST(SettingsStartTest, whiteBackgroundAtApplyAndAfterARestart)
{
  StartRig rig;
  {
    Form1& form = rig.start();
    form.showPreferences();
    frmOptions& options = *form.optionsWindow();
    options.setColorOption(0, packColor(255, 255, 255));
    options.cmdApply->click();
    EXPECT_TRUE(near(cornerPixel(form), Qt::white, 2)) << cornerPixel(form).name().toStdString();
    rig.program.reset();
  }
  Form1& again = rig.start();
  EXPECT_EQ(again.preferences().backgroundColor, 16777215u);
  EXPECT_TRUE(near(cornerPixel(again), Qt::white, 2)) << cornerPixel(again).name().toStdString();
}

TEST(SettingsStartTest, unsavableSettingsAreReportedOnce)
{
  test::ScratchDir scratch;
  scratch.write("plain", "a file, not a folder");
  test::ScopedEnv env("XDG_CONFIG_HOME", (scratch.path() / "plain/config").string());
  test::FakePrompts prompts;
  auto program = startProgram(prompts, Main(prompts));
  ASSERT_NE(program, nullptr);
  Form1& form = program->form1();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
  form.showPreferences();
  frmOptions& options = *form.optionsWindow();
  options.setColorOption(0, packColor(255, 255, 255));

  // Message boxes are answered while they show.
  QStringList shown;
  QTimer answer;
  QObject::connect(&answer, &QTimer::timeout, [&] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      shown << box->text();
      box->done(QMessageBox::Ok);
    }
  });
  answer.start(20);
  options.cmdApply->click();
  QTest::qWait(200);
  ASSERT_EQ(shown.size(), 1);
  EXPECT_TRUE(shown[0].startsWith("The settings could not be saved to ")) << shown[0].toStdString();
  EXPECT_TRUE(shown[0].contains("plain/config/tarvek/tarvek.conf"));
  EXPECT_EQ(form.preferences().backgroundColor, 16777215u);
  EXPECT_TRUE(near(cornerPixel(form), Qt::white, 2));
}

TEST(SettingsStartTest, handEditedFileStartsWithoutACrash)
{
  {
    StartRig rig;
    rig.handWrite("COL0=abc\nINP2=7\nWHITE=" + std::string(30, '1') + "\n");
    Form1& form = rig.start();
    EXPECT_EQ(rig.stored("COL0"), "12155392");
    EXPECT_EQ(rig.stored("WHITE"), "000000010000");
    EXPECT_EQ(rig.stored("INP2"), "0");
    EXPECT_EQ(form.preferences().backgroundColor, 12155392u);
    const auto& flags = form.preferences().optionFlags;
    for (std::size_t i = 0; i < flags.size(); ++i)
      EXPECT_EQ(flags[i], i == 7) << i;
    EXPECT_EQ(form.optionsWindow()->cmbAX->currentText(), "3");
  }
  {
    StartRig rig;
    rig.handWrite("COL0=abc\nINP2=7\nWHITE=00000000000\n");
    Form1& form = rig.start();
    EXPECT_EQ(form.preferences().backgroundColor, 0u);
    EXPECT_EQ(form.preferences().defaultAxis, 7);
    EXPECT_EQ(form.optionsWindow()->cmbAX->currentIndex(), -1);
  }
}

} // namespace
} // namespace tarvek
