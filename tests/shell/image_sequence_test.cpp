// Tools › Save Image Sequence over a view stand-in that notes the pose at
// each grab: the frames of each type, the turns, and the ways out.
#include "shell/image_sequence.h"

#include "form1_rig.h"
#include "imaging/ui/movie_options_dialog.h"
#include "model/cmatrix.h"
#include "scene/frame_grab.h"
#include "scene/scene_object.h"
#include "shell/image_commands.h"
#include "support/grab_view_stub.h"
#include "support/scratch_dir.h"

#include <QApplication>
#include <QComboBox>
#include <QImageReader>
#include <QPushButton>
#include <QSlider>
#include <QTimer>
#include <QToolButton>

#include <cmath>
#include <filesystem>
#include <functional>

namespace tarvek {
namespace {

namespace fs = std::filesystem;

// Grabs an 8 x 6 picture of the scene's clear colour with a 2 x 2 model
// square at (3, 2), and notes the view matrix at each grab.
class PoseGrabStub : public test::GrabViewStub {
public:
  bool grabToBmp(const std::string& path) override
  {
    ++grabs;
    CMatrix::Matrix pose{};
    scene->viewMatrix().GetMatrix(pose);
    poses.push_back(pose);
    const auto& clear = scene->getFogColor();
    std::vector<std::uint8_t> rgb;
    for (int row = kHeight - 1; row >= 0; --row)
      for (int x = 0; x < kWidth; ++x) {
        const bool model = x >= 3 && x < 5 && row >= 2 && row < 4;
        for (int c = 0; c < 3; ++c)
          rgb.push_back(model ? static_cast<std::uint8_t>(60 + 50 * c)
                              : static_cast<std::uint8_t>(std::lround(clear[c] * 255.0f)));
      }
    return writeFileAtomic(path, encodeBmp24(rgb, kWidth, kHeight)).ok();
  }

  static constexpr int kWidth = 8;
  static constexpr int kHeight = 6;
  CXXX* scene = nullptr;
  std::vector<CMatrix::Matrix> poses;
};

const char* const kFilter =
    "JPEG Image Sequence (*.jpg)|*.jpg|Transparent PNG Sequence (*.png)|*.png|"
    "Animated GIF Image (*.gif)|*.gif";

struct SequenceRig {
  test::ScratchDir home;
  PoseGrabStub* grab = new PoseGrabStub;
  std::unique_ptr<test::Form1Rig> rig;

  SequenceRig()
  {
    StartupState startup;
    startup.userFolder = (home.path() / "tarvek").string() + "/";
    startup.imagesFolder = startup.userFolder + "Images/";
    fs::create_directories(startup.imagesFolder);
    rig = std::make_unique<test::Form1Rig>(Form1Seams{}, grab, startup);
    grab->scene = &form().scene();
  }

  Form1& form() { return *rig->form; }
  std::string images() { return form().startup().imagesFolder; }
  CMatrix::Matrix pose() const
  {
    CMatrix::Matrix m{};
    grab->scene->viewMatrix().GetMatrix(m);
    return m;
  }

  // Runs the command with the file choice; options, when given, sets the
  // dialog before OK, and without it the dialog is cancelled.
  void run(std::optional<FileChoice> choice,
           std::optional<std::function<void(dlgMOVIE&)>> options = std::nullopt)
  {
    rig->dialogs.answer(std::move(choice));
    bool shown = false;
    // Owned by this call, so an answer that no dialog took (the file dialog
    // was cancelled) cannot fire in a later run.
    QTimer answer;
    answer.setSingleShot(true);
    QObject::connect(&answer, &QTimer::timeout, [&] {
      auto* dialog = dynamic_cast<dlgMOVIE*>(QApplication::activeModalWidget());
      if (dialog == nullptr)
        return;
      shown = true;
      if (!options) {
        dialog->CancelButton->click();
        return;
      }
      (*options)(*dialog);
      dialog->OKButton->click();
    });
    answer.start(0);
    form().imageCommands().mnuTool_9->trigger();
    if (options) {
      EXPECT_TRUE(shown) << "the options were not asked";
    }
  }
};

std::function<void(dlgMOVIE&)> frames(int count, int range = 45, int direction = 0)
{
  return [=](dlgMOVIE& dialog) {
    dialog.slN->setValue(count);
    dialog.slR->setValue(range);
    dialog.op[static_cast<std::size_t>(direction)]->click();
  };
}

void expectSamePose(const CMatrix::Matrix& a, const CMatrix::Matrix& b, const std::string& where)
{
  for (std::size_t i = 0; i < a.size(); ++i)
    EXPECT_NEAR(a[i], b[i], 1e-5) << where << ", element " << i;
}

// The angle in degrees of the turn that takes pose a to pose b.
double turnBetween(const CMatrix::Matrix& a, const CMatrix::Matrix& b)
{
  // Rotation parts, column-major: the trace of b * a^T.
  double trace = 0;
  for (int r = 0; r < 3; ++r)
    for (int k = 0; k < 3; ++k)
      trace += static_cast<double>(b[4 * k + r]) * a[4 * k + r];
  return std::acos(std::clamp((trace - 1.0) / 2.0, -1.0, 1.0)) * 180.0 / M_PI;
}

TEST(ImageSequenceTest, gifChoiceLeavesOneLoopingGifAndTheViewWhereItBegan)
{
  SequenceRig r;
  ASSERT_TRUE(r.form().imageCommands().mnuTool_9->isEnabled());
  EXPECT_EQ(r.form().imageCommands().mnuTool_9->text(), QStringLiteral("Save Image Sequence"));
  const CMatrix::Matrix start = r.pose();
  r.run(FileChoice{r.images() + "movie.gif", 3}, frames(3));
  ASSERT_EQ(r.rig->dialogs.calls.size(), 1u);
  const auto& dialog = r.rig->dialogs.calls[0];
  EXPECT_EQ(dialog.title, "Save Animation");
  EXPECT_EQ(dialog.folder, r.images());
  EXPECT_EQ(dialog.filter, kFilter);
  EXPECT_EQ(dialog.suggestedName, "Carbon Nanotube_sequence");

  QImageReader gif(QString::fromStdString(r.images() + "movie.gif"));
  EXPECT_EQ(gif.imageCount(), 3);
  EXPECT_EQ(gif.size(), QSize(PoseGrabStub::kWidth, PoseGrabStub::kHeight));
  for (const char* frame : {"movie_001.jpg", "movie_002.jpg", "movie_003.jpg"})
    EXPECT_FALSE(fs::exists(r.images() + frame)) << frame;
  EXPECT_EQ(r.grab->grabs, 3);
  EXPECT_EQ(r.form().stbPanel[0]->text().toStdString(), "Saved " + r.images() + "movie.gif");
  expectSamePose(r.pose(), start, "after the sequence");
  EXPECT_TRUE(r.rig->prompts.messages().empty());
}

// The GIF's frames last the chosen frame delay; a whole turn in ten frames
// shows ten poses, the last one step short of the first, so the loop runs on
// without showing a picture twice.
TEST(ImageSequenceTest, gifFollowsTheFrameDelayAndAWholeTurnRepeatsNoPose)
{
  SequenceRig r;
  r.run(FileChoice{r.images() + "turn.gif", 3}, [](dlgMOVIE& dialog) {
    frames(10, 360)(dialog);
    dialog.slD->setValue(150);
  });
  QImageReader gif(QString::fromStdString(r.images() + "turn.gif"));
  ASSERT_EQ(gif.imageCount(), 10);
  for (int i = 0; i < 10; ++i) {
    ASSERT_FALSE(gif.read().isNull()) << "frame " << i;
    EXPECT_EQ(gif.nextImageDelay(), 150) << "frame " << i;
  }
  ASSERT_EQ(r.grab->poses.size(), 10u);
  for (std::size_t i = 0; i < 10; ++i)
    for (std::size_t k = i + 1; k < 10; ++k)
      EXPECT_GT(turnBetween(r.grab->poses[i], r.grab->poses[k]), 1.0) << "frames " << i << ", " << k;
  EXPECT_NEAR(turnBetween(r.grab->poses[9], r.grab->poses[0]), 36.0, 0.01);
}

TEST(ImageSequenceTest, jpegAndPngChoicesKeepTheirFrames)
{
  SequenceRig r;
  // A stale frame of an older, longer run goes; other files stay.
  r.home.write("tarvek/Images/movie_004.jpg", "old");
  r.home.write("tarvek/Images/movie_001.gif", "keep");
  r.run(FileChoice{r.images() + "movie.jpg", 1}, frames(3));
  for (const char* frame : {"movie_001.jpg", "movie_002.jpg", "movie_003.jpg"})
    EXPECT_EQ(QImage(QString::fromStdString(r.images() + frame)).size(), QSize(8, 6)) << frame;
  EXPECT_EQ(test::readBytes(r.images() + "movie_001.gif"), "keep");
  EXPECT_FALSE(fs::exists(r.images() + "movie.gif"));

  r.run(FileChoice{r.images() + "clear.png", 2}, frames(2));
  EXPECT_FALSE(fs::exists(r.images() + "clear_001.jpg"));
  for (const char* frame : {"clear_001.png", "clear_002.png"}) {
    const QImage png(QString::fromStdString(r.images() + frame));
    ASSERT_EQ(png.size(), QSize(8, 6)) << frame;
    EXPECT_TRUE(png.hasAlphaChannel()) << frame;
    EXPECT_EQ(qAlpha(png.pixel(0, 0)), 0) << frame;
    EXPECT_EQ(qAlpha(png.pixel(7, 5)), 0) << frame;
    EXPECT_EQ(png.pixelColor(3, 2), QColor(60, 110, 160)) << frame;
  }
  EXPECT_TRUE(r.rig->prompts.messages().empty());
}

// Each button turns as the arrow key of its name, by the step the dialog
// shows, and the first and last frames lie the whole range apart.
TEST(ImageSequenceTest, framesTurnByTheStepInTheChosenDirection)
{
  const int arrowKeys[] = {37, 38, 39, 40};  // left, up, right, down
  for (int direction = 0; direction < 4; ++direction) {
    SequenceRig r;
    r.rig->preferences.rotationStep = 1.0f;
    r.run(FileChoice{r.images() + "turn.jpg", 1}, frames(2, 5, direction));
    ASSERT_EQ(r.grab->poses.size(), 2u);
    r.grab->scene->viewMatrix().Copy(r.grab->poses[0]);
    r.grab->scene->KeyDown(static_cast<std::int16_t>(arrowKeys[direction]), 0);
    expectSamePose(r.grab->poses[1], r.pose(), "direction " + std::to_string(direction));
  }
  SequenceRig r;
  r.run(FileChoice{r.images() + "range.jpg", 1}, frames(10, 45, 1));
  ASSERT_EQ(r.grab->poses.size(), 10u);
  EXPECT_NEAR(turnBetween(r.grab->poses.front(), r.grab->poses.back()), 45.0, 1e-3);
  EXPECT_NEAR(turnBetween(r.grab->poses[0], r.grab->poses[1]), 5.0, 1e-3);
}

// Files of the set that exist are asked about once, after the frame count
// is known; No, like Cancel, writes and turns nothing.
TEST(ImageSequenceTest, cancelOrNoWritesNothingAndTurnsNothing)
{
  SequenceRig r;
  const CMatrix::Matrix start = r.pose();
  r.run(std::nullopt);
  r.home.write("tarvek/Images/movie_002.jpg", "older");
  r.home.write("tarvek/Images/movie.gif", "older");
  r.rig->prompts.answerYesNo(false);
  r.run(FileChoice{r.images() + "movie", 3}, frames(3));
  ASSERT_EQ(r.rig->prompts.calls.size(), 1u);
  EXPECT_EQ(r.rig->prompts.calls[0].text,
            "File already exists. Do you want to overwrite it?\r\n" + r.images()
                + "movie_002.jpg\r\n(and 1 more of this set)");
  r.run(FileChoice{r.images() + "other.jpg", 1});
  EXPECT_EQ(r.grab->grabs, 0);
  expectSamePose(r.pose(), start, "after the cancelled runs");
  EXPECT_EQ(test::readBytes(r.images() + "movie_002.jpg"), "older");
  EXPECT_EQ(test::readBytes(r.images() + "movie.gif"), "older");
  EXPECT_EQ(std::distance(fs::directory_iterator(r.images()), fs::directory_iterator()), 2);

  r.rig->prompts.answerYesNo(true);
  r.run(FileChoice{r.images() + "movie", 3}, frames(3));
  EXPECT_EQ(QImageReader(QString::fromStdString(r.images() + "movie.gif")).imageCount(), 3);
}

// "movie.GIF" and "movie.gif" are two files here: the animation goes to
// the name as typed, and the other file stays.
TEST(ImageSequenceTest, gifIsWrittenUnderTheTypedName)
{
  SequenceRig r;
  r.home.write("tarvek/Images/movie.gif", "older");
  r.run(FileChoice{r.images() + "movie.GIF", 3}, frames(2));
  EXPECT_TRUE(r.rig->prompts.calls.empty());
  EXPECT_EQ(QImageReader(QString::fromStdString(r.images() + "movie.GIF")).imageCount(), 2);
  EXPECT_EQ(test::readBytes(r.images() + "movie.gif"), "older");
  EXPECT_EQ(r.form().stbPanel[0]->text().toStdString(), "Saved " + r.images() + "movie.GIF");

  r.rig->prompts.answerYesNo(false);
  r.run(FileChoice{r.images() + "movie.GIF", 3}, frames(2));
  ASSERT_EQ(r.rig->prompts.calls.size(), 1u);
  EXPECT_EQ(r.rig->prompts.calls[0].text,
            "File already exists. Do you want to overwrite it?\r\n" + r.images()
                + "movie.GIF");
}

// The proposed name follows the structure shown; for XY data the user names
// it, and Cancel there ends the command.
TEST(ImageSequenceTest, proposedNameFollowsTheStructureShown)
{
  SequenceRig r;
  Form1& form = r.form();
  const auto proposed = [&r] {
    r.run(std::nullopt);
    const std::string name = r.rig->dialogs.calls.back().suggestedName;
    return name;
  };
  const struct {
    std::int16_t kind, variant;
    const char* name;
  } kinds[] = {
    {1, 2, "Carbon Nanotube Bundle_sequence"}, {2, 0, "Carbon Nanotube-Sheet_sequence"},
    {4, 0, "Carbon Nanocone-Sheet_sequence"},  {5, 0, "Bucky Ball C60_sequence"},
    {7, 0, "Xmol-Import_sequence"},            {8, 0, "Virus Geometry_sequence"},
  };
  for (const auto& k : kinds) {
    r.rig->model.structureKind = k.kind;
    r.rig->model.tubeVariant = k.variant;
    EXPECT_EQ(proposed(), k.name);
  }
  r.rig->model.structureKind = 3;
  r.rig->model.tubeVariant = 0;
  ASSERT_GT(form.cmb1->count(), 1);
  form.cmb1->blockSignals(true);
  form.cmb1->setCurrentIndex(1);
  form.cmb1->blockSignals(false);
  std::string material = form.cmb1->currentText().toStdString();
  material.erase(material.find(" - "), 3);
  EXPECT_EQ(proposed(), material + " Nanocone_sequence");

  form.state().xyImportFlag = true;
  r.rig->prompts.answerInput("My Sheet");
  EXPECT_EQ(proposed(), "My Sheet_sequence");
  const auto& question = r.rig->prompts.calls.back();
  EXPECT_EQ(question.text, "Please enter a title");
  EXPECT_EQ(question.title, "PDF Caption");
  EXPECT_EQ(question.defaultText, "XY-Data Import");
  const std::size_t dialogs = r.rig->dialogs.calls.size();
  r.rig->prompts.answerInput(std::nullopt);
  form.imageCommands().mnuTool_9->trigger();
  EXPECT_EQ(r.rig->dialogs.calls.size(), dialogs);
}

// The base is the chosen name without the extension of its last component.
TEST(ImageSequenceTest, baseKeepsFoldersWithDotsAndNamesWithoutExtension)
{
  SequenceRig r;
  fs::create_directories(r.images() + "my.dir");
  r.run(FileChoice{r.images() + "my.dir/clip", 1}, frames(2));
  r.run(FileChoice{r.images() + "plain", 1}, frames(2));
  for (const char* frame : {"my.dir/clip_001.jpg", "my.dir/clip_002.jpg", "plain_001.jpg",
                            "plain_002.jpg"})
    EXPECT_TRUE(fs::exists(r.images() + frame)) << frame;
  EXPECT_EQ(r.form().stbPanel[0]->text().toStdString(),
            "Saved " + r.images() + "plain_001.jpg - plain_002.jpg");
}

} // namespace
} // namespace tarvek
