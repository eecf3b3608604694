// Tools › Save Image Sequence over the real GL view: the GIF holds the frames
// the user sees turning, and the view ends where it began.
#include "form1_rig.h"

#include "imaging/ui/movie_options_dialog.h"
#include "model/cmatrix.h"
#include "scene/scene_object.h"
#include "shell/image_commands.h"
#include "support/scratch_dir.h"

#include <QApplication>
#include <QImageReader>
#include <QPushButton>
#include <QSlider>
#include <QTimer>

#include <filesystem>

namespace tarvek {
namespace {

namespace fs = std::filesystem;

TEST(ImageSequenceGlTest, gifOfTheTurningTubeAndThePoseBack)
{
  test::FakePrompts viewPrompts;
  auto* host = new GlHost(viewPrompts);
  test::ScratchDir home;
  StartupState startup;
  startup.imagesFolder = (home.path() / "Images").string() + "/";
  fs::create_directories(startup.imagesFolder);
  test::Form1Rig rig({}, host, startup);
  Form1& form = *rig.form;
  form.scene().Refresh();
  QTest::qWait(50);
  CMatrix::Matrix before{};
  form.scene().viewMatrix().GetMatrix(before);

  rig.dialogs.answer(FileChoice{startup.imagesFolder + "movie.gif", 3});
  QTimer::singleShot(0, [] {
    auto* dialog = dynamic_cast<dlgMOVIE*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    dialog->slN->setValue(3);
    dialog->slR->setValue(90);
    dialog->OKButton->click();
  });
  form.imageCommands().mnuTool_9->trigger();

  QImageReader reader(QString::fromStdString(startup.imagesFolder + "movie.gif"));
  ASSERT_EQ(reader.imageCount(), 3) << reader.errorString().toStdString();
  std::vector<QImage> frames;
  for (int i = 0; i < 3; ++i)
    frames.push_back(reader.read().convertToFormat(QImage::Format_RGB32));
  const QSize viewSize(static_cast<int>(host->ViewWidth()), static_cast<int>(host->ViewHeight()));
  for (const QImage& frame : frames)
    EXPECT_EQ(frame.size(), viewSize);
  EXPECT_NE(frames[0], frames[1]);
  EXPECT_NE(frames[1], frames[2]);
  EXPECT_FALSE(fs::exists(startup.imagesFolder + "movie_001.jpg"));

  CMatrix::Matrix after{};
  form.scene().viewMatrix().GetMatrix(after);
  for (std::size_t i = 0; i < after.size(); ++i)
    EXPECT_NEAR(after[i], before[i], 1e-5) << "element " << i;
  EXPECT_TRUE(rig.prompts.messages().empty());
}

} // namespace
} // namespace tarvek
