// File › Save Image and Copy Image, SavePIC for other commands, and Tools ›
// Browse Image Folder, over the grab stand-in.
#include "shell/image_commands.h"

#include "form1_rig.h"
#include "scene/scene_object.h"
#include "imaging/ui/image_browser_window.h"
#include "shell/file_commands.h"
#include "shell/options_window.h"
#include "support/grab_view_stub.h"
#include "support/scratch_dir.h"

#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>
#include <QPointer>

#include <filesystem>

namespace tarvek {
namespace {

namespace fs = std::filesystem;
using test::GrabViewStub;
using test::readBytes;

const char* const kImageFilter = "JPEG Image (*.jpg)|*.jpg|Windows Bitmap Image (*.bmp)|*.bmp";
const char* const kNotCaptured = "The view could not be captured.";

// The first value of the first quantisation table (the DC step): 1 at
// quality 100, 3 at 90. -1 when the file holds no table.
int firstQuantValue(const std::string& bytes)
{
  for (std::size_t i = 2; i + 5 < bytes.size(); ++i) {
    if (static_cast<unsigned char>(bytes[i]) == 0xFF &&
        static_cast<unsigned char>(bytes[i + 1]) == 0xDB) {
      const auto precision = static_cast<unsigned char>(bytes[i + 4]) >> 4;
      const auto first = static_cast<unsigned char>(bytes[i + 5]);
      return precision == 0 ? first : first * 256 + static_cast<unsigned char>(bytes[i + 6]);
    }
  }
  return -1;
}

QSize jpegSize(const std::string& path)
{
  return QImage(QString::fromStdString(path)).size();
}

// The main window over the grab stand-in (or a given view), its per-user
// folders in a scratch folder.
struct ImageRig {
  test::ScratchDir home;
  GrabViewStub* grab = nullptr;
  std::unique_ptr<test::Form1Rig> rig;

  explicit ImageRig(bool grabbing = true, Form1Seams seams = {})
  {
    StartupState startup;
    startup.userFolder = (home.path() / "tarvek").string() + "/";
    startup.exportFolder = startup.userFolder + "Export/";
    startup.imagesFolder = startup.userFolder + "Images/";
    fs::create_directories(startup.imagesFolder);
    if (grabbing)
      grab = new GrabViewStub;
    rig = std::make_unique<test::Form1Rig>(std::move(seams), grab, startup);
  }

  Form1& form() { return *rig->form; }
  std::string images() { return form().startup().imagesFolder; }
  std::string temp(const std::string& name) { return rig->temp.path(name); }
  void saveImage() { form().fileCommands().mnuFile_5->trigger(); }
  void copyImage() { form().fileCommands().mnuFile_6->trigger(); }
};

TEST(ImageCommandsTest, saveImageAsksOnceAndWritesTheChosenKind)
{
  ImageRig r;
  test::Form1Rig& rig = *r.rig;
  ASSERT_TRUE(r.form().fileCommands().mnuFile_5->isEnabled());
  rig.dialogs.answer(FileChoice{r.images() + "shot.png", 1});
  r.saveImage();
  ASSERT_EQ(rig.dialogs.calls.size(), 1u);
  const auto& dialog = rig.dialogs.calls[0];
  EXPECT_EQ(dialog.title, "Save Image");
  EXPECT_EQ(dialog.folder, r.images());
  EXPECT_EQ(dialog.filter, kImageFilter);
  EXPECT_EQ(dialog.suggestedName, "Nanotube_CC");
  // Another extension is part of the name: the filter's joins it.
  const std::string jpeg = readBytes(r.images() + "shot.png.jpg");
  EXPECT_EQ(firstQuantValue(jpeg), 1);
  EXPECT_EQ(jpegSize(r.images() + "shot.png.jpg"), QSize(4, 3));
  EXPECT_FALSE(fs::exists(r.images() + "shot.png"));
  EXPECT_FALSE(fs::exists(r.temp("tmp.bmp")));
  EXPECT_EQ(rig.prompts.beeps, 1);

  rig.dialogs.answer(FileChoice{r.images() + "pic.jpg", 2});
  r.saveImage();
  EXPECT_EQ(readBytes(r.images() + "pic.jpg.bmp"), GrabViewStub::bitmap());
  EXPECT_FALSE(fs::exists(r.images() + "pic.jpg"));

  // A dot in a folder name is no extension.
  fs::create_directories(r.images() + "my.dir");
  rig.dialogs.answer(FileChoice{r.images() + "my.dir/shot", 1});
  r.saveImage();
  EXPECT_EQ(jpegSize(r.images() + "my.dir/shot.jpg"), QSize(4, 3));

  const auto before = fs::directory_iterator(r.images());
  const std::size_t files = std::distance(fs::begin(before), fs::end(before));
  rig.dialogs.answer(std::nullopt);
  r.saveImage();
  const auto after = fs::directory_iterator(r.images());
  EXPECT_EQ(static_cast<std::size_t>(std::distance(fs::begin(after), fs::end(after))), files);
  EXPECT_EQ(rig.prompts.beeps, 3);
  EXPECT_EQ(r.grab->grabs, 3);
  EXPECT_TRUE(rig.prompts.messages().empty());
}

TEST(ImageCommandsTest, savePicWithoutDialogWritesJpegsAtTheAskedQuality)
{
  ImageRig r;
  const PictureSave shot = r.form().SavePIC("screenshot", "", 0);
  EXPECT_EQ(shot.outcome, SaveOutcome::Saved);
  EXPECT_EQ(shot.path, r.temp("tmp.jpg"));
  EXPECT_EQ(firstQuantValue(readBytes(r.temp("tmp.jpg"))), 1);
  EXPECT_FALSE(fs::exists(r.temp("tmp.bmp")));

  const PictureSave frame = r.form().SavePIC("1", r.images() + "frame.png", 90);
  EXPECT_EQ(frame.outcome, SaveOutcome::Saved);
  EXPECT_EQ(frame.path, r.images() + "frame.jpg");
  EXPECT_EQ(firstQuantValue(readBytes(frame.path)), 3);
  EXPECT_TRUE(r.rig->dialogs.calls.empty());
  EXPECT_TRUE(r.rig->prompts.messages().empty());
}

// The options window stays out of every picture and comes back after.
TEST(ImageCommandsTest, optionsWindowIsHiddenForEachGrabAndShownAgain)
{
  ImageRig r;
  test::Form1Rig& rig = *r.rig;
  Form1& form = r.form();
  std::vector<bool> visibleAtGrab;
  r.grab->onGrab = [&] { visibleAtGrab.push_back(form.optionsWindow()->isVisible()); };
  const auto reopened = [&](const char* what) {
    EXPECT_TRUE(form.optionsWindow()->isVisible()) << what;
    EXPECT_TRUE(form.state().optionsWindowOpen) << what;
  };
  form.showPreferences();

  rig.dialogs.answer(FileChoice{r.images() + "a.jpg", 1});
  r.saveImage();
  reopened("save");
  r.copyImage();
  reopened("copy");
  rig.dialogs.answer(std::nullopt);
  r.saveImage();
  reopened("cancel");
  r.grab->writes = false;
  EXPECT_EQ(form.SavePIC("1", r.images() + "b.jpg", 0).outcome, SaveOutcome::Failed);
  reopened("failed grab");
  EXPECT_EQ(visibleAtGrab, (std::vector<bool>{false, false, false}));
}

TEST(ImageCommandsTest, failuresAreToldOnceAndWriteNothing)
{
  ImageRig plain(false);
  test::Form1Rig& rig = *plain.rig;
  rig.dialogs.answer(FileChoice{plain.images() + "shot.jpg", 1});
  plain.saveImage();
  ASSERT_EQ(rig.prompts.messages().size(), 1u);
  EXPECT_EQ(rig.prompts.messages()[0].text, kNotCaptured);
  EXPECT_FALSE(fs::exists(plain.images() + "shot.jpg"));
  EXPECT_EQ(rig.prompts.beeps, 0);

  const PictureSave quiet = plain.form().SavePIC("1", plain.images() + "frame.jpg", 90);
  EXPECT_EQ(quiet.outcome, SaveOutcome::Failed);
  EXPECT_EQ(quiet.reason, kNotCaptured);
  EXPECT_EQ(rig.prompts.messages().size(), 1u);

  ImageRig r;
  r.rig->dialogs.answer(FileChoice{r.images() + "missing/shot.jpg", 1});
  r.saveImage();
  ASSERT_EQ(r.rig->prompts.messages().size(), 1u);
  EXPECT_NE(r.rig->prompts.messages()[0].text.find("missing/shot.jpg"), std::string::npos);
  EXPECT_FALSE(fs::exists(r.images() + "missing"));
  EXPECT_FALSE(fs::exists(r.temp("tmp.bmp")));
  EXPECT_EQ(r.rig->prompts.beeps, 0);
}

TEST(ImageCommandsTest, copyImagePutsTheViewOnTheClipboard)
{
  ImageRig r;
  QClipboard* clipboard = QGuiApplication::clipboard();
  clipboard->setText(QStringLiteral("old"));
  r.copyImage();
  EXPECT_EQ(clipboard->image().convertToFormat(QImage::Format_RGB32), GrabViewStub::image());
  EXPECT_FALSE(fs::exists(r.temp("clipboard.bmp")));
  EXPECT_TRUE(r.rig->prompts.messages().empty());

  // On white for the copy, the background colour again afterwards.
  r.rig->preferences.optionFlags[2] = true;
  std::size_t atGrab = 0;
  r.grab->onGrab = [&] { atGrab = r.rig->gl.calls.size(); };
  r.rig->gl.calls.clear();
  r.copyImage();
  RecordingGl expected;
  expected.clearColor(1, 1, 1, 0);
  expected.clearColor(0, static_cast<float>(122 / 255.0), static_cast<float>(185 / 255.0), 0);
  std::vector<std::string> before, after;
  for (std::size_t i = 0; i < r.rig->gl.calls.size(); ++i)
    if (r.rig->gl.calls[i].rfind("clearColor(", 0) == 0)
      (i < atGrab ? before : after).push_back(r.rig->gl.calls[i]);
  ASSERT_FALSE(before.empty());
  ASSERT_FALSE(after.empty());
  EXPECT_EQ(before.back(), expected.calls[0]);
  EXPECT_EQ(after.back(), expected.calls[1]);

  r.grab->writes = false;
  r.copyImage();
  EXPECT_TRUE(clipboard->image().isNull());
  ASSERT_EQ(r.rig->prompts.messages().size(), 1u);
  EXPECT_EQ(r.rig->prompts.messages()[0].text, kNotCaptured);
}

// Each opening makes a fresh browser over the main window on the Images
// folder, and only one exists.
TEST(ImageCommandsTest, browseImageFolderOpensOneFreshBrowserOverTheMainWindow)
{
  ImageRig r;
  r.form().show();
  QAction* item = r.form().imageCommands().mnuTool_10;
  EXPECT_EQ(item->text(), "Browse Image Folder");
  ASSERT_TRUE(item->isEnabled());
  const QList<QAction*> tools = r.form().mnuTool->actions();
  const auto at = tools.indexOf(item);
  ASSERT_GT(at, 0);
  EXPECT_TRUE(tools[at + 1]->isSeparator());

  item->trigger();
  const QPointer<frmAIL> first = r.form().imageCommands().imageBrowser();
  ASSERT_TRUE(first);
  const std::string images = r.images();
  EXPECT_EQ(first->windowTitle().toStdString(),
            "Image Browser  [" + images.substr(0, images.size() - 1) + "]");
  EXPECT_EQ(first->folder(), images);
  EXPECT_TRUE(first->isVisible());
  EXPECT_EQ(first->geometry(), r.form().geometry());

  first->setPath("/");
  const int pumps = r.rig->abort.pumps;
  item->trigger();
  EXPECT_FALSE(first);
  EXPECT_GT(r.rig->abort.pumps, pumps);
  frmAIL* second = r.form().imageCommands().imageBrowser();
  ASSERT_NE(second, nullptr);
  EXPECT_TRUE(second->isVisible());
  EXPECT_EQ(second->folder(), images);
  int browsers = 0;
  for (QWidget* window : QApplication::topLevelWidgets())
    browsers += dynamic_cast<frmAIL*>(window) != nullptr;
  EXPECT_EQ(browsers, 1);
}

} // namespace
} // namespace tarvek
