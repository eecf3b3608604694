// The image commands over the real GL view: the files and the clipboard hold
// the frame the user sees.
#include "form1_rig.h"

#include "scene/scene_object.h"
#include "shell/file_commands.h"
#include "support/require_tool.h"
#include "support/run_tool.h"
#include "support/scratch_dir.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QOpenGLWidget>

#include <filesystem>

namespace tarvek {
namespace {

namespace fs = std::filesystem;

int distance(const QColor& a, const QColor& b)
{
  return std::max({std::abs(a.red() - b.red()), std::abs(a.green() - b.green()),
                   std::abs(a.blue() - b.blue())});
}

// The default tube on a red background; the corner pixel is background.
TEST(ImageCommandsGlTest, savedAndCopiedViewsHoldTheFrame)
{
  test::FakePrompts viewPrompts;
  auto* host = new GlHost(viewPrompts);
  test::ScratchDir home;
  StartupState startup;
  startup.imagesFolder = (home.path() / "Images").string() + "/";
  fs::create_directories(startup.imagesFolder);
  test::Form1Rig rig({}, host, startup);
  Form1& form = *rig.form;
  rig.preferences.backgroundColor = packColor(255, 0, 0);
  form.applyBackgroundColor();
  form.scene().Refresh();
  QTest::qWait(50);
  const QColor red(255, 0, 0);

  const std::string bitmap = startup.imagesFolder + "view.bmp";
  rig.dialogs.answer(FileChoice{bitmap, 2});
  form.fileCommands().mnuFile_5->trigger();
  const QImage saved(QString::fromStdString(bitmap));
  ASSERT_FALSE(saved.isNull());
  EXPECT_EQ(saved.size(), QSize(static_cast<int>(host->ViewWidth()), static_cast<int>(host->ViewHeight())));
  EXPECT_EQ(saved.pixelColor(2, 2), red);

  const PictureSave jpeg = form.SavePIC("1", startup.imagesFolder + "view.png", 90);
  ASSERT_EQ(jpeg.outcome, SaveOutcome::Saved) << jpeg.reason;
  const QImage decoded(QString::fromStdString(jpeg.path));
  ASSERT_EQ(decoded.size(), saved.size());
  EXPECT_LE(distance(decoded.pixelColor(2, 2), red), 8);
  if (test::requireTool("identify", "imagemagick")) {
    const auto identify = test::runTool("identify", {"-format", "%m %w %h %Q", jpeg.path});
    EXPECT_EQ(identify.out, "JPEG " + std::to_string(saved.width()) + " " +
                                std::to_string(saved.height()) + " 90")
        << identify.err;
  }

  rig.preferences.optionFlags[2] = true;
  form.fileCommands().mnuFile_6->trigger();
  const QImage copied = QGuiApplication::clipboard()->image();
  ASSERT_FALSE(copied.isNull());
  EXPECT_EQ(copied.pixelColor(2, 2), QColor(255, 255, 255));
  QTest::qWait(50);
  EXPECT_EQ(host->grabFramebuffer().pixelColor(2, 2), red);
  EXPECT_TRUE(rig.prompts.messages().empty());
}

} // namespace
} // namespace tarvek
