// The image browser driven as a user drives it: the file list and the
// panels, the view's drawing and stepping, Copy, the drive list, the
// thumbnail run with its ticks driven by the test, and hostile files.
#include "imaging/ui/image_browser_window.h"
#include "imaging/ui/thumbnail_strip.h"

#include "hostile_png.h"
#include "pdfwriter/image_fixtures.h"
#include "platform/platform.h"
#include "platform/temp_folder.h"
#include "support/fake_abort.h"
#include "support/fake_clock.h"
#include "support/fake_colour_chooser.h"
#include "support/fake_file_dialogs.h"
#include "support/fake_processes.h"
#include "support/fake_prompts.h"
#include "support/fake_settings_store.h"
#include "support/fake_shell_open.h"
#include "support/fake_system_colors.h"
#include "support/scratch_dir.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDateTime>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QImageWriter>
#include <QLabel>
#include <QListWidget>
#include <QLocale>
#include <QMimeData>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QStatusBar>
#include <QTest>
#include <QTreeView>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace tarvek {
namespace {

namespace fs = std::filesystem;
using test::ScratchDir;

const QColor kRed(200, 40, 10);

// A w x h PNG of one colour, read back exactly.
void writeFlatPng(const fs::path& path, int w, int h, QColor colour = kRed)
{
  quillet::test::PngFixture png;
  png.width = w;
  png.height = h;
  png.colourType = 2;
  for (int i = 0; i < w * h; ++i)
    png.samples.insert(png.samples.end(), {static_cast<std::uint16_t>(colour.red()),
                                           static_cast<std::uint16_t>(colour.green()),
                                           static_cast<std::uint16_t>(colour.blue())});
  quillet::test::writePngFile(path, png);
}

void writeFlatJpeg(const fs::path& path, int w, int h)
{
  quillet::test::Bytes rgb;
  for (int i = 0; i < w * h; ++i)
    rgb.insert(rgb.end(), {200, 40, 10});
  quillet::test::writeJpegFile(path, w, h, 3, 2 /* JCS_RGB */, rgb, 95);
}

void writeFlatGif(const fs::path& path, int w, int h)
{
  quillet::test::GifFixture gif;
  gif.screenWidth = gif.width = w;
  gif.screenHeight = gif.height = h;
  gif.globalMap = {0, 0, 0, 200, 40, 10};
  gif.indices = quillet::test::Bytes(static_cast<std::size_t>(w * h), 1);
  quillet::test::writeGifFile(path, gif);
}

void writeFlatBmp(const fs::path& path, int w, int h)
{
  QImage image(w, h, QImage::Format_RGB888);
  image.fill(kRed);
  QImageWriter writer(QString::fromStdString(path.string()), "bmp");
  ASSERT_TRUE(writer.write(image)) << path;
}

bool near(QColor a, QColor b, int tolerance = 12)
{
  return std::abs(a.red() - b.red()) <= tolerance && std::abs(a.green() - b.green()) <= tolerance
         && std::abs(a.blue() - b.blue()) <= tolerance;
}

std::string folderOf(const fs::path& dir)
{
  return dir.string() + "/";
}

// The window over scripted platform layers; thumbnail ticks come only from
// tick().
struct BrowserRig {
  test::FakePrompts prompts;
  test::FakeFileDialogs dialogs;
  test::FakeShellOpen shellOpen;
  test::FakeProcesses processes;
  test::FakeAbort abort;
  test::FakeSystemColors colors;
  test::FakeClock clock;
  TempFolder temp;
  test::FakeSettingsStore settings;
  test::FakeColourChooser colourChooser;
  Platform platform{prompts, dialogs, shellOpen, processes, abort,        abort,
                    colors,  clock,   temp,      settings,  colourChooser};
  ScratchDir dir;
  std::unique_ptr<frmAIL> window;

  BrowserRig()
  {
    window = std::make_unique<frmAIL>(platform);
    window->pb2->setTicksByHand(true);
  }

  fs::path folder(const std::string& name) const
  {
    const fs::path path = dir.path() / name;
    fs::create_directories(path);
    return path;
  }
  void open(const fs::path& folderPath)
  {
    window->setPath(folderOf(folderPath));
    window->doShow();
    if (!QTest::qWaitForWindowExposed(window.get()))
      ADD_FAILURE() << "the browser was not exposed";
  }
  // Runs n ticks (all that remain for -1); how many ran with the run going on.
  int tick(int n = -1)
  {
    int ran = 0;
    while ((n < 0 || ran < n) && window->pb2->thumbnailTick())
      ++ran;
    return ran;
  }
  std::string panel(int i) const { return window->stbPanel.at(i)->text().toStdString(); }
  std::string tip(int i) const { return window->stbPanel.at(i)->toolTip().toStdString(); }
  std::vector<std::string> files() const
  {
    std::vector<std::string> names;
    for (int i = 0; i < window->File1->count(); ++i)
      names.push_back(window->File1->item(i)->text().toStdString());
    return names;
  }
  QImage view() const { return window->pb1->grab().toImage(); }
  ThumbnailStrip& strip() const { return *window->pb2; }
  QColor stripBackground() const { return strip().palette().color(strip().backgroundRole()); }
};

// Twelve PNG files a.png .. l.png of growing size; the third is c.png.
fs::path twelvePictures(const BrowserRig& r, const std::string& name)
{
  const fs::path folder = r.folder(name);
  for (int i = 0; i < 12; ++i)
    writeFlatPng(folder / (std::string(1, static_cast<char>('a' + i)) + ".png"), 10 + i, 20);
  return folder;
}

TEST(ImageBrowserWindowTest, listsPicturesByNameShowsTheFirstAndFillsThePanels)
{
  BrowserRig r;
  const fs::path folder = r.folder("mixed");
  writeFlatJpeg(folder / "A.JPG", 40, 30);
  writeFlatPng(folder / "b.png", 5, 5);
  writeFlatGif(folder / "c.gif", 6, 6);
  writeFlatBmp(folder / "d.bmp", 7, 7);
  r.dir.write("mixed/e.txt", "text");
  writeFlatJpeg(folder / "f.jpeg", 8, 8);

  r.window->setPath(folderOf(folder));
  EXPECT_EQ(r.window->windowTitle().toStdString(), "Image Browser  [" + folder.string() + "]");
  EXPECT_EQ(r.files(), (std::vector<std::string>{"A.JPG", "b.png", "c.gif", "d.bmp"}));
  const std::string first = (folder / "A.JPG").string();
  EXPECT_EQ(r.window->currentFile(), first);
  EXPECT_EQ(r.panel(0), first);
  EXPECT_EQ(r.tip(0), "A.JPG");
  const QFileInfo info(QString::fromStdString(first));
  EXPECT_EQ(r.panel(1),
            QLocale::system().toString(info.lastModified(), QLocale::ShortFormat).toStdString());
  EXPECT_EQ(r.panel(2), std::to_string(info.size() / 1024) + " KB");
  EXPECT_EQ(r.panel(3), "40 x 30");
  EXPECT_EQ(r.panel(4), "24 Bits/Pixel");
  EXPECT_EQ(r.panel(5), "JPG");
  const char* const tips[] = {"File Date", "File Size", "Pixel Dimensions", "Color Depth",
                              "File Type"};
  for (int i = 1; i < 6; ++i)
    EXPECT_EQ(r.tip(i), tips[i - 1]) << "panel " << i + 1;
  EXPECT_EQ(r.prompts.waitCount, 0); // the hourglass is for PNG files

  // Hidden, the window makes no thumbnails; shown, it starts them.
  EXPECT_FALSE(r.strip().run().running());
  r.window->doShow();
  EXPECT_TRUE(r.strip().run().running());
  EXPECT_EQ(r.tick(), 3);
  EXPECT_EQ(r.strip().thumbnailCount(), 4);

  r.window->File1->setCurrentRow(1);
  EXPECT_EQ(r.panel(5), "PNG");
  EXPECT_EQ(r.prompts.waitCount, 1);
  EXPECT_EQ(r.prompts.waitDepth, 0);
}

// The folder tree opens unfolded down to the browsed folder, with that
// folder selected; the last status panel keeps off the window's edge.
TEST(ImageBrowserWindowTest, folderTreeOpensAtTheBrowsedFolder)
{
  BrowserRig r;
  const fs::path folder = r.folder("tarvek/Images");
  r.open(folder);
  QTreeView& tree = *r.window->Dir1;
  const QModelIndex current = tree.currentIndex();
  ASSERT_TRUE(current.isValid());
  const auto* folders = static_cast<const QFileSystemModel*>(tree.model());
  EXPECT_EQ(folders->filePath(current).toStdString(), folder.string());
  EXPECT_TRUE(tree.selectionModel()->isSelected(current));
  for (QModelIndex parent = current.parent(); parent.isValid(); parent = parent.parent())
    EXPECT_TRUE(tree.isExpanded(parent)) << folders->filePath(parent).toStdString();
  QLabel* last = r.window->stbPanel.back();
  EXPECT_LE(last->mapTo(r.window.get(), QPoint(last->width(), 0)).x(), r.window->width() - 4);
}

TEST(ImageBrowserWindowTest, viewCentresSmallPicturesAndScalesLargeOnesToFiveSpare)
{
  BrowserRig r;
  const fs::path folder = r.folder("sizes");
  writeFlatPng(folder / "a.png", 41, 30);
  writeFlatPng(folder / "b.png", 1200, 900, QColor(10, 40, 200));
  r.open(folder);
  r.tick();

  QImage view = r.view();
  const int x = (view.width() - 41) / 2;
  const int y = (view.height() - 30) / 2;
  ASSERT_EQ(view.pixelColor(x, y), kRed);
  EXPECT_EQ(view.pixelColor(x + 40, y + 29), kRed);
  for (const QPoint corner : {QPoint(x - 1, y - 1), QPoint(x + 41, y - 1), QPoint(x - 1, y + 30),
                              QPoint(x + 41, y + 30)})
    EXPECT_EQ(view.pixelColor(corner), Qt::white) << corner.x() << ", " << corner.y();
  EXPECT_NE(view.pixelColor(x - 2, y - 2), Qt::white);

  // The larger picture: the outline lies 4 pixels in along its limiting
  // direction, so 5 pixels are spare outside the picture on each side.
  r.window->File1->setCurrentRow(1);
  const auto outlineEdges = [](const QImage& image) {
    const bool heightLimits = image.width() * 900 > image.height() * 1200;
    const int length = heightLimits ? image.height() : image.width();
    std::vector<int> whites;
    for (int i = 0; i < length; ++i) {
      const QPoint p = heightLimits ? QPoint(image.width() / 2, i) : QPoint(i, image.height() / 2);
      if (image.pixelColor(p) == Qt::white)
        whites.push_back(i);
    }
    return std::make_pair(whites, length);
  };
  const int reads = r.window->toolkit().readCount();
  for (const QSize size : {QSize(848, 637), QSize(760, 520)}) {
    r.window->resize(size);
    const auto [whites, length] = outlineEdges(r.view());
    ASSERT_EQ(whites.size(), 2u) << size.width();
    EXPECT_EQ(whites[0], 4) << size.width();
    EXPECT_EQ(whites[1], length - 5) << size.width();
  }
  // Enlarged past the picture, the file's own pixels are drawn unscaled.
  r.window->File1->setCurrentRow(0);
  r.window->resize(250, 300); // a view narrower than the picture
  r.view();
  r.window->resize(848, 637);
  view = r.view();
  EXPECT_EQ(view.pixelColor((view.width() - 41) / 2 - 1, (view.height() - 30) / 2 - 1), Qt::white);
  EXPECT_EQ(r.window->toolkit().readCount(), reads + 1); // the one read of a.png
}

TEST(ImageBrowserWindowTest, buttonReleasesOnTheViewStepWithWrapAround)
{
  BrowserRig r;
  const fs::path folder = r.folder("step");
  for (const char* name : {"a.png", "b.png", "c.png"})
    writeFlatPng(folder / name, 4, 4);
  r.open(folder);
  const auto shown = [&] { return fs::path(r.window->currentFile()).filename().string(); };
  QTest::mouseClick(r.window->pb1, Qt::RightButton);
  EXPECT_EQ(shown(), "c.png");
  QTest::mouseClick(r.window->pb1, Qt::LeftButton);
  EXPECT_EQ(shown(), "a.png");
  QTest::mouseClick(r.window->pb1, Qt::LeftButton);
  EXPECT_EQ(shown(), "b.png");
}

TEST(ImageBrowserWindowTest, copyPutsThePictureOnTheClipboardAndBeeps)
{
  QClipboard* clipboard = QGuiApplication::clipboard();
  {
    BrowserRig r;
    const fs::path folder = r.folder("copy");
    writeFlatPng(folder / "a.png", 9, 7);
    r.open(folder);
    clipboard->clear();
    QTest::mouseClick(r.window->bt[0], Qt::LeftButton);
    const QImage copied = clipboard->image();
    ASSERT_EQ(copied.size(), QSize(9, 7));
    EXPECT_EQ(copied.pixelColor(4, 3), kRed);
    EXPECT_EQ(r.prompts.beeps, 1);
  }
  BrowserRig r;
  r.open(r.folder("empty"));
  QImage stale(3, 3, QImage::Format_RGB888);
  stale.fill(Qt::green);
  clipboard->setImage(stale);
  QTest::mouseClick(r.window->bt[0], Qt::LeftButton);
  EXPECT_TRUE(clipboard->image().isNull());
  EXPECT_TRUE(clipboard->text().isEmpty());
  EXPECT_EQ(r.prompts.beeps, 1);
}

TEST(ImageBrowserWindowTest, thumbnailsFillInTickByTickWithTooltipsAndProgress)
{
  BrowserRig r;
  r.open(twelvePictures(r, "twelve"));
  ASSERT_EQ(r.tick(3), 3);
  EXPECT_EQ(r.panel(0), "Creating thumbnail 3 of 12 (ESC to stop) ");
  const ThumbnailStrip& strip = r.strip();
  EXPECT_EQ(strip.tooltipAt(strip.thumbnailRect(3).center()), "c.png [3/12]");
  EXPECT_EQ(strip.scr->minimum(), 1);
  EXPECT_EQ(strip.scr->maximum(), 12);
  EXPECT_EQ(strip.scr->value(), 1);
  r.tick();
  EXPECT_FALSE(strip.run().running());
  EXPECT_EQ(strip.thumbnailCount(), 12);
  EXPECT_EQ(r.panel(0), "");
  EXPECT_EQ(r.tip(0), "");

  // Each thumbnail: the picture fitted into the box and centred, a white
  // outline at the box's edge.
  const QImage& third = strip.thumbnail(3);
  EXPECT_EQ(third.size(), QSize(100, 100));
  EXPECT_EQ(third.format(), QImage::Format_RGB888);
  EXPECT_EQ(third.pixelColor(0, 0), Qt::white);
  EXPECT_EQ(third.pixelColor(99, 99), Qt::white);
  EXPECT_TRUE(near(third.pixelColor(50, 50), kRed));
  // 12 x 20 fits as 60 x 100: columns 20 to 79 hold the picture.
  EXPECT_EQ(third.pixelColor(10, 50), r.stripBackground());
  EXPECT_TRUE(near(third.pixelColor(21, 50), kRed));
  EXPECT_TRUE(near(third.pixelColor(78, 50), kRed));
  EXPECT_EQ(third.pixelColor(81, 50), r.stripBackground());
  const QImage painted = r.window->pb2->grab().toImage();
  const QRect place = strip.thumbnailRect(2);
  EXPECT_EQ(place.topLeft(), QPoint(107, 1));
  EXPECT_EQ(painted.pixelColor(place.topLeft()), Qt::white);
  EXPECT_TRUE(near(painted.pixelColor(place.center()), kRed));

  QTest::mouseClick(r.window->pb2, Qt::LeftButton, {}, strip.thumbnailRect(5).center());
  EXPECT_EQ(fs::path(r.window->currentFile()).filename(), "e.png");
  EXPECT_EQ(r.window->File1->currentRow(), 4);

  // Scrolled, the strip starts at the thumbnail of the scroll value.
  r.window->pb2->scr->setValue(5);
  EXPECT_EQ(strip.thumbnailAt(QPoint(3, 50)), 5);
  EXPECT_EQ(strip.tooltipAt(QPoint(3, 50)), "e.png [5/12]");
}

TEST(ImageBrowserWindowTest, emptyFolderMakesNoThumbnailsAndKeepsTheScrollRange)
{
  BrowserRig r;
  const QScrollBar* scr = r.window->pb2->scr;
  const int minimum = scr->minimum();
  const int maximum = scr->maximum();
  r.open(r.folder("none"));
  EXPECT_FALSE(r.strip().run().running());
  EXPECT_EQ(r.tick(), 0);
  EXPECT_EQ(r.strip().thumbnailCount(), 0);
  EXPECT_EQ(scr->minimum(), minimum);
  EXPECT_EQ(scr->maximum(), maximum);
  EXPECT_TRUE(r.window->currentFile().empty());
  EXPECT_EQ(r.window->windowTitle().toStdString(),
            "Image Browser  [" + (r.dir.path() / "none").string() + "]");
}

TEST(ImageBrowserWindowTest, escapeStopsTheRunAndABackgroundClickMakesThemAll)
{
  BrowserRig r;
  r.abort.pressAfter = 4;
  r.open(twelvePictures(r, "twelve"));
  r.tick();
  EXPECT_EQ(r.strip().thumbnailCount(), 4);
  EXPECT_FALSE(r.strip().run().running());
  EXPECT_EQ(r.panel(0), "");

  // A click on a thumbnail only shows its file.
  QTest::mouseClick(r.window->pb2, Qt::LeftButton, {}, r.strip().thumbnailRect(2).center());
  EXPECT_FALSE(r.strip().run().running());
  r.abort.pressAfter = LONG_MAX;
  QTest::mouseClick(r.window->pb2, Qt::LeftButton, {}, r.strip().thumbnailRect(7).center());
  EXPECT_TRUE(r.strip().run().running());
  r.tick();
  EXPECT_EQ(r.strip().thumbnailCount(), 12);
  // All made: the background starts no further run.
  QTest::mouseClick(r.window->pb2, Qt::LeftButton, {}, QPoint(r.window->pb2->width() - 3, 50));
  EXPECT_FALSE(r.strip().run().running());
}

TEST(ImageBrowserWindowTest, statusBarClickStopsTheRunAndTheNextRunIsWhole)
{
  BrowserRig r;
  r.open(twelvePictures(r, "twelve"));
  r.tick(2);
  QTest::mouseClick(r.window->stbPanel[3], Qt::LeftButton);
  EXPECT_EQ(r.tick(), 0);
  EXPECT_EQ(r.strip().thumbnailCount(), 2);
  EXPECT_EQ(r.panel(0), "");
  QTest::mouseClick(r.window->pb2, Qt::LeftButton, {}, r.strip().thumbnailRect(5).center());
  r.tick();
  EXPECT_EQ(r.strip().thumbnailCount(), 12);
}

TEST(ImageBrowserWindowTest, anotherFolderEndsTheRunAndItsThumbnailsFollow)
{
  BrowserRig r;
  r.open(twelvePictures(r, "twelve"));
  r.tick(3);
  const fs::path other = r.folder("other");
  for (const char* name : {"x.png", "y.png"})
    writeFlatPng(other / name, 30, 30);
  r.window->setPath(folderOf(other));
  EXPECT_EQ(r.strip().thumbnailCount(), 0);
  EXPECT_EQ(r.strip().run().state(), ThumbnailRun::NewFolder);
  EXPECT_EQ(fs::path(r.window->currentFile()).filename(), "x.png");
  r.tick();
  EXPECT_FALSE(r.strip().run().running());
  ASSERT_EQ(r.strip().thumbnailCount(), 2);
  EXPECT_EQ(r.strip().tooltipAt(r.strip().thumbnailRect(2).center()), "y.png [2/2]");
  EXPECT_EQ(r.strip().scr->maximum(), 2);
}

TEST(ImageBrowserWindowTest, closingDuringARunStopsIt)
{
  BrowserRig r;
  r.open(twelvePictures(r, "twelve"));
  r.tick(2);
  QTest::mouseClick(r.window->bt[1], Qt::LeftButton);
  EXPECT_FALSE(r.window->isVisible());
  EXPECT_FALSE(r.strip().run().running());
  EXPECT_EQ(r.tick(), 0);
  EXPECT_EQ(r.strip().thumbnailCount(), 0);
}

TEST(ImageBrowserWindowTest, hostileFilesAreListedAndLeaveViewAndPanelsAlone)
{
  BrowserRig r;
  const fs::path folder = r.folder("hostile");
  writeFlatPng(folder / "a.png", 20, 20);
  const fs::path whole = r.dir.path() / "whole.jpg";
  writeFlatJpeg(whole, 64, 64);
  const std::string jpeg = test::readBytes(whole);
  r.dir.write("hostile/half.jpg", jpeg.substr(0, jpeg.size() / 2));
  r.dir.write("hostile/huge.png", test::pngClaiming(40000, 40000));
  r.dir.write("hostile/x.jpg", "");
  r.open(folder);
  EXPECT_EQ(r.files(), (std::vector<std::string>{"a.png", "half.jpg", "huge.png", "x.jpg"}));
  EXPECT_EQ(r.tick(), 3);
  ASSERT_EQ(r.strip().thumbnailCount(), 4);
  EXPECT_TRUE(near(r.strip().thumbnail(1).pixelColor(50, 50), kRed));
  for (int i = 2; i <= 4; ++i) {
    EXPECT_EQ(r.strip().thumbnail(i).pixelColor(50, 50), r.stripBackground()) << i;
    EXPECT_EQ(r.strip().thumbnail(i).pixelColor(0, 0), Qt::white) << i;
  }

  const QImage view = r.view();
  std::vector<std::string> panels;
  for (int i = 0; i < 6; ++i)
    panels.push_back(r.panel(i));
  for (int row = 1; row <= 3; ++row) {
    r.window->File1->setCurrentRow(row);
    EXPECT_EQ(r.view(), view) << row;
    for (int i = 0; i < 6; ++i)
      EXPECT_EQ(r.panel(i), panels[static_cast<std::size_t>(i)]) << row << ", panel " << i + 1;
  }
  EXPECT_EQ(fs::path(r.window->currentFile()).filename(), "a.png");
}

TEST(ImageBrowserWindowTest, driveListShowsNearTheFolderListTopAndOpensAVolume)
{
  BrowserRig r;
  r.open(r.folder("drives"));
  QWidget* viewport = r.window->Dir1->viewport();
  const auto move = [&](int y, Qt::KeyboardModifiers modifiers, QEvent::Type type) {
    const QPoint local = viewport->mapFrom(r.window->Dir1, QPoint(20, y));
    QMouseEvent event(type, local, viewport->mapToGlobal(local),
                      type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
                      type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, modifiers);
    QApplication::sendEvent(viewport, &event);
  };
  EXPECT_FALSE(r.window->Drive1->isVisible());
  move(10, {}, QEvent::MouseMove);
  EXPECT_TRUE(r.window->Drive1->isVisible());
  EXPECT_NE(r.window->Drive1->findText(QStringLiteral("/")), -1);
  move(60, {}, QEvent::MouseMove);
  EXPECT_FALSE(r.window->Drive1->isVisible());
  move(60, Qt::ControlModifier, QEvent::MouseButtonPress);
  EXPECT_TRUE(r.window->Drive1->isVisible());
  move(60, Qt::ShiftModifier, QEvent::MouseButtonPress);
  EXPECT_FALSE(r.window->Drive1->isVisible());

  move(10, {}, QEvent::MouseMove);
  const int root = r.window->Drive1->findText(QStringLiteral("/"));
  ASSERT_NE(root, -1);
  r.window->Drive1->setCurrentIndex(root);
  emit r.window->Drive1->activated(root);
  EXPECT_EQ(r.window->windowTitle(), QStringLiteral("Image Browser  [/]"));
  EXPECT_EQ(r.window->folder(), "/");
}

} // namespace
} // namespace tarvek
