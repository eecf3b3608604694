// The nano-hole array window driven as a user does: tabs, brightness, probe, copy, help and the XY export.
#include "complex_image_probe.h"

#include "runtime/number_format.h"
#include "runtime/runtime_error.h"
#include "support/click_drawn.h"
#include "support/fake_file_dialogs.h"
#include "support/fake_main_window.h"
#include "support/fake_prompts.h"
#include "support/scratch_dir.h"
#include "tools/hole_export.h"
#include "tools/nano_hole_window.h"
#include "tools/picture_loader.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFrame>
#include <QImage>
#include <QLabel>
#include <QScrollBar>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTabBar>
#include <QTableView>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace tarvek {
namespace {

using Probe = ComplexImageProbe;

// The window over scripted prompts, dialogs and main window, shown.
struct NanoHoleRig {
  explicit NanoHoleRig(std::string exportFolder = "/export/")
      : window(prompts, dialogs, services, preferences, std::move(exportFolder), random, nullptr)
  {
    window.show();
  }

  test::FakePrompts prompts;
  test::FakeFileDialogs dialogs;
  test::FakeMainWindow services;
  Preferences preferences;
  RandomSource random;
  frmNanoHoles window;
};

int whitePixels(const QImage& image)
{
  int count = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      count += (image.pixel(x, y) & 0xFFFFFFu) == 0xFFFFFFu;
  return count;
}

QString cell(const QTableView& table, int row, int column)
{
  return table.model()->data(table.model()->index(row, column)).toString();
}

TEST(NanoHoleWindowTest, loadsTheStartPattern)
{
  NanoHoleRig rig;
  frmNanoHoles& w = rig.window;
  EXPECT_EQ(w.windowTitle(), QStringLiteral("Nano-Hole Array Generator (Multi-Grid Method)"));
  EXPECT_EQ(w.lb[4]->text(), QStringLiteral("5"));
  EXPECT_EQ(w.lb[5]->text(), QStringLiteral("6"));
  EXPECT_EQ(w.lb[7]->text(), QStringLiteral("8"));
  EXPECT_EQ(w.lb[9]->text(), QStringLiteral("120"));
  EXPECT_EQ(w.stbPanel[0]->text(), QStringLiteral("5-fold symmetry"));
  EXPECT_EQ(w.stbPanel[1]->text(), QStringLiteral("2 tile types"));
  EXPECT_EQ(w.stbPanel[2]->text(), QStringLiteral("705 tiles"));
  EXPECT_EQ(w.stbPanel[3]->text(), QStringLiteral("570 unique vertices (in case of gaps increase loop order)"));
  for (int i = 0; i < 10; ++i) {
    const bool shown = i < 2 || i == 9;
    EXPECT_EQ(w.lt[i]->isVisible(), shown) << i;
    EXPECT_EQ(w.lbcol[i]->isVisible(), shown) << i;
  }
  EXPECT_EQ(w.lt[0]->text(), QStringLiteral("Tile 1"));
  EXPECT_EQ(w.lt[8]->text(), QStringLiteral("Tile 9"));
  EXPECT_EQ(w.lt[9]->text(), QStringLiteral("Grid"));
  EXPECT_EQ(whitePixels(w.pb2->picture()), 570);
  EXPECT_EQ(w.views->currentWidget(), w.pb);
  EXPECT_FALSE(w.lbBR1[0]->isVisible());
}

// Tabs: the same tab does nothing, the list fills once per pattern, the
// Fourier view transforms once per pattern, clicks on the tiling draw anew.
TEST(NanoHoleWindowTest, tabsFillAndTransformOncePerPattern)
{
  NanoHoleRig rig;
  frmNanoHoles& w = rig.window;
  w.tabChanged(0);
  EXPECT_EQ(w.currentTab, 1);
  w.tab1->setCurrentIndex(2);
  EXPECT_EQ(w.views->currentWidget(), w.lst);
  ASSERT_EQ(w.lst->model()->rowCount(), 570);
  EXPECT_EQ(cell(*w.lst, 0, 0), QStringLiteral("1"));
  EXPECT_EQ(cell(*w.lst, 569, 0), QStringLiteral("570"));
  for (int row : {0, 100, 569}) {
    EXPECT_EQ(cell(*w.lst, row, 1), QString::number(w.tiling().vertexX[row], 'f', 4)) << row;
    EXPECT_EQ(cell(*w.lst, row, 2), QString::number(w.tiling().vertexY[row], 'f', 4)) << row;
  }
  EXPECT_EQ(w.lst->model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("X"));

  w.tab1->setCurrentIndex(3);
  EXPECT_TRUE(w.lbBR1[0]->isVisible());
  EXPECT_TRUE(w.lbBR1[1]->isVisible());
  EXPECT_EQ(w.lbBR1[0]->text(), QStringLiteral("[-]"));
  EXPECT_EQ(w.lbBR1[1]->text(), QStringLiteral("[+]"));
  EXPECT_EQ(w.fourierRuns, 1);
  // Against a black picture, as an unpainted canvas shows: a new QImage's
  // pixels are whatever its memory held.
  QImage black(512, 512, QImage::Format_RGB32);
  black.fill(Qt::black);
  EXPECT_NE(w.pb3->picture(), black) << "the transform is painted";
  w.tab1->setCurrentIndex(0);
  w.tab1->setCurrentIndex(3);
  EXPECT_EQ(w.fourierRuns, 1);
  // The list is filled once per pattern: no second fill behind the wait cursor.
  const int waits = rig.prompts.waitCount;
  w.tab1->setCurrentIndex(2);
  EXPECT_EQ(rig.prompts.waitCount, waits);
  EXPECT_EQ(w.lst->model()->rowCount(), 570);
  w.tab1->setCurrentIndex(3);

  // A click on the Fourier view does nothing; one on the tiling draws anew.
  QTest::mouseClick(w.pb3, Qt::LeftButton, {}, QPoint(20, 20));
  EXPECT_EQ(w.currentTab, 4);
  w.tab1->setCurrentIndex(0);
  w.scrZoom->setValue(3);
  EXPECT_EQ(w.lb[7]->text(), QStringLiteral("3"));
  EXPECT_EQ(w.stbPanel[2]->text(), QStringLiteral("705 tiles"));
  w.tab1->setCurrentIndex(3);
  test::clickDrawn(*w.tb1, *w.tbButton[0]);
  EXPECT_EQ(w.currentTab, 1);
  EXPECT_EQ(w.tab1->currentIndex(), 0);
  EXPECT_EQ(w.fourierDone, 0);
  EXPECT_NE(w.stbPanel[2]->text(), QStringLiteral("705 tiles"));
  QTest::mouseClick(w.pb, Qt::LeftButton, {}, QPoint(10, 10));
  EXPECT_EQ(w.lst->model()->rowCount(), 0);
  w.tab1->setCurrentIndex(3);
  EXPECT_EQ(w.fourierRuns, 2);
}

// The Draw button takes the click at its centre, where a user aims, and
// draws the tiling of the changed symmetry.
TEST(NanoHoleWindowTest, drawButtonRegeneratesWhenClickedAtItsCentre)
{
  NanoHoleRig rig;
  frmNanoHoles& w = rig.window;
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
  w.scrF->setValue(7);
  ASSERT_NE(w.stbPanel[0]->text(), QStringLiteral("7-fold symmetry"));
  test::clickDrawn(*w.tb1, *w.tbButton[0]);
  EXPECT_EQ(w.stbPanel[0]->text(), QStringLiteral("7-fold symmetry"));
}

TEST(NanoHoleWindowTest, brightnessRepeatsWhileHeld)
{
  NanoHoleRig rig;
  frmNanoHoles& w = rig.window;
  w.tab1->setCurrentIndex(3);
  clComplexImage& c = w.workspace();
  ASSERT_EQ(Probe::brightness(c), 1.0f);
  QTest::mousePress(w.lbBR1[1], Qt::LeftButton);
  EXPECT_EQ(Probe::brightness(c), 1.11f);
  EXPECT_TRUE(w.Timer1->isActive());
  // At most ten steps a second while held.
  EXPECT_GE(w.Timer1->interval(), 100);
  w.timerTick();
  EXPECT_EQ(Probe::brightness(c), 1.11f * 1.11f);
  QTest::mouseRelease(w.lbBR1[1], Qt::LeftButton);
  EXPECT_FALSE(w.Timer1->isActive());
  EXPECT_EQ(w.timerTag, "");
  EXPECT_EQ(Probe::brightness(c), 1.11f * 1.11f);

  // A click shorter than a tick is one step; darker never goes below 0.5.
  c.RedrawFT(1, 0.5f);
  QTest::mouseClick(w.lbBR1[1], Qt::LeftButton);
  EXPECT_EQ(Probe::brightness(c), 0.5f * 1.11f);
  c.RedrawFT(1, 0.5f);
  QTest::mouseClick(w.lbBR1[0], Qt::LeftButton);
  EXPECT_EQ(Probe::brightness(c), 0.5f);

  // A tick with an empty tag switches the timer off.
  w.Timer1->start();
  w.timerTick();
  EXPECT_FALSE(w.Timer1->isActive());
}

TEST(NanoHoleWindowTest, probeShowsTheLineAndThePanel)
{
  NanoHoleRig rig;
  frmNanoHoles& w = rig.window;
  w.tab1->setCurrentIndex(3);
  QTest::mousePress(w.pb3, Qt::LeftButton, {}, QPoint(200, 40));
  EXPECT_TRUE(w.Line1->isVisible());
  EXPECT_EQ(w.Line1->y(), 40);
  EXPECT_TRUE(w.dummy->isVisible());
  EXPECT_EQ(w.dummy->y(), 50);
  // The profile line crosses the panel right of the "Max:" text.
  const QImage panel = w.dummy->picture();
  int drawn = 0;
  for (int y = 0; y < panel.height(); ++y)
    for (int x = 100; x < panel.width(); ++x)
      drawn += panel.pixel(x, y) != panel.pixel(511, 0);
  EXPECT_GT(drawn, 100);
  QTest::mouseRelease(w.pb3, Qt::LeftButton, {}, QPoint(200, 40));
  EXPECT_FALSE(w.Line1->isVisible());
  EXPECT_FALSE(w.dummy->isVisible());
  QTest::mousePress(w.pb3, Qt::LeftButton, {}, QPoint(200, 400));
  EXPECT_EQ(w.dummy->y(), 400 - 10 - w.dummy->height());
  EXPECT_EQ(w.Line1->y(), 400);
  QTest::mouseRelease(w.pb3, Qt::LeftButton, {}, QPoint(200, 400));
}

TEST(NanoHoleWindowTest, copyImageByTabAndHelp)
{
  NanoHoleRig rig;
  frmNanoHoles& w = rig.window;
  PixelView* const expected[] = {w.pb, w.pb2, w.pb2, w.pb3};
  for (int tab = 0; tab < 4; ++tab) {
    w.tab1->setCurrentIndex(tab);
    test::clickDrawn(*w.tb1, *w.tbButton[3]);
    EXPECT_EQ(QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32),
              expected[tab]->picture()) << tab;
    EXPECT_EQ(rig.prompts.beeps, tab + 1);
  }
  test::clickDrawn(*w.tb1, *w.tbButton[5]);
  EXPECT_EQ(rig.services.calls, std::vector<std::string>{"ShowHelp 0"});
}

// The saved files: the dialog's texts, both layouts, Cancel and a failure.
TEST(NanoHoleWindowTest, saveCoordinates)
{
  test::ScratchDir dir;
  NanoHoleRig rig(dir.path().string() + "/");
  frmNanoHoles& w = rig.window;
  const std::filesystem::path path = dir.file("holes.xy");

  rig.dialogs.answer(FileChoice{path.string(), 1});
  test::clickDrawn(*w.tb1, *w.tbButton[2]);
  ASSERT_EQ(rig.dialogs.calls.size(), 1u);
  EXPECT_EQ(rig.dialogs.calls[0].title, "Save XY Data");
  EXPECT_EQ(rig.dialogs.calls[0].folder, dir.path().string() + "/");
  EXPECT_EQ(rig.dialogs.calls[0].filter, "XY-File (*.xy)|*.xy|XY-File {Center at (0,0)} (*.xy)|*.xy");
  EXPECT_EQ(rig.dialogs.calls[0].suggestedName, "NHA_5-6-8-0.xy");
  EXPECT_EQ(rig.dialogs.calls[0].filterIndex, 1);
  const std::string plain = test::readBytes(path);
  EXPECT_EQ(std::count(plain.begin(), plain.end(), '\n'), 570);
  const std::string first = plain.substr(0, plain.find("\r\n"));
  EXPECT_EQ(first, holeCoordinateText(w.tiling().vertexX[0]) + " \t" +
                     holeCoordinateText(w.tiling().vertexY[0]));
  EXPECT_EQ(w.stbPanel[3]->text().toStdString(), "Saved " + path.string());

  // The file exists now: replacing it is asked first.
  w.scrF->setValue(7);
  rig.dialogs.answer(FileChoice{path.string(), 2});
  rig.prompts.answerYesNo(true);
  rig.prompts.answerInput("2");
  test::clickDrawn(*w.tb1, *w.tbButton[2]);
  EXPECT_EQ(rig.dialogs.calls[1].suggestedName, "NHA_7-6-8-0.xy");
  ASSERT_EQ(rig.prompts.calls.back().title, "Apply Scale Factor?");
  EXPECT_EQ(rig.prompts.calls.back().text, "Center will be shifted to (0,0).\r\n\r\nEnter optional scaling factor.");
  EXPECT_EQ(rig.prompts.calls.back().defaultText, "1.0");
  const std::string centred = test::readBytes(path);
  EXPECT_EQ(std::count(centred.begin(), centred.end(), '\n'), 570);
  const std::string centredFirst = centred.substr(0, centred.find("\r\n"));
  const float x0 = (w.tiling().vertexX[0] - 256.0f) * 2.0f;
  EXPECT_EQ(centredFirst.substr(0, centredFirst.find(' ')), Format(x0, "0.000000"));

  // Cancel in the dialog or the prompt leaves the older file as it was.
  rig.dialogs.answer(std::nullopt);
  test::clickDrawn(*w.tb1, *w.tbButton[2]);
  rig.dialogs.answer(FileChoice{path.string(), 2});
  rig.prompts.answerYesNo(true);
  rig.prompts.answerInput(std::nullopt);
  test::clickDrawn(*w.tb1, *w.tbButton[2]);
  rig.dialogs.answer(FileChoice{dir.file("holes").string(), 1});
  rig.prompts.answerYesNo(false);
  test::clickDrawn(*w.tb1, *w.tbButton[2]);
  EXPECT_EQ(rig.prompts.calls.back().text,
            "File already exists. Do you want to overwrite it?\r\n" + path.string());
  EXPECT_EQ(test::readBytes(path), centred);

  const std::filesystem::path missing = dir.file("no/such/folder/holes.xy");
  rig.dialogs.answer(FileChoice{missing.string(), 1});
  test::clickDrawn(*w.tb1, *w.tbButton[2]);
  ASSERT_EQ(rig.prompts.messages().size(), 1u);
  EXPECT_NE(rig.prompts.messages()[0].text.find(missing.string()), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(missing));
}

// The window's picture loader: cropped or padded onto the canvas, and
// refused with one error for anything it cannot read.
TEST(NanoHoleWindowTest, loadImageFile)
{
  test::ScratchDir dir;
  NanoHoleRig rig;
  clComplexImage& c = rig.window.workspace();
  PixelCanvas image(512, 512);
  PixelCanvas spectrum(512, 512);
  PixelCanvas result(512, 512);
  c.SetCanvas(image, spectrum, result);

  QImage grey(512, 512, QImage::Format_RGB32);
  grey.fill(QColor(100, 100, 100));
  const std::filesystem::path greyPath = dir.file("grey.png");
  ASSERT_TRUE(grey.save(QString::fromStdString(greyPath.string()), "PNG"));
  c.LoadImageFile(greyPath.string());
  EXPECT_EQ(c.ImageTitle, "grey.png");
  EXPECT_EQ(c.ImageFile, greyPath.string());
  c.CalculateAll();
  const auto& s = Probe::spectrum(c);
  EXPECT_EQ(s[0].re, 26214400.0f);
  EXPECT_EQ(s[0].im, 0.0f);
  for (std::size_t k = 1; k < s.size(); ++k)
    ASSERT_TRUE(s[k].re == 0.0f && s[k].im == 0.0f) << k;
  for (int y = 0; y < 512; y += 37)
    for (int x = 0; x < 512; x += 41)
      ASSERT_EQ(result.pixel(x, y), 0xFFFFFFu) << x << "," << y;

  QImage small(300, 200, QImage::Format_RGB32);
  small.fill(QColor(10, 20, 30));
  const std::filesystem::path smallPath = dir.file("small.png");
  ASSERT_TRUE(small.save(QString::fromStdString(smallPath.string()), "PNG"));
  c.LoadImageFile(smallPath.string());
  EXPECT_EQ(image.pixel(0, 0), 0x0A141Eu);
  EXPECT_EQ(image.pixel(299, 199), 0x0A141Eu);
  EXPECT_EQ(image.pixel(300, 0), 0u);
  EXPECT_EQ(image.pixel(0, 200), 0u);

  std::string png = test::readBytes(greyPath);
  // A PNG header claiming 100,000 × 100,000 pixels.
  std::string huge = png.substr(0, 33);
  const unsigned char side[4] = {0x00, 0x01, 0x86, 0xA0};
  huge.replace(16, 4, reinterpret_cast<const char*>(side), 4);
  huge.replace(20, 4, reinterpret_cast<const char*>(side), 4);
  const std::pair<const char*, std::string> hostile[] = {
    {"empty.png", ""},
    {"truncated.png", png.substr(0, png.size() / 2)},
    {"text.png", "this is not a picture\n"},
    {"huge.png", huge},
  };
  const std::vector<std::uint32_t> before(image.words().begin(), image.words().end());
  for (const auto& [name, bytes] : hostile) {
    const auto path = dir.write(name, bytes);
    EXPECT_THROW(c.LoadImageFile(path.string()), RuntimeError) << name;
    EXPECT_EQ(c.ImageTitle, name);
    EXPECT_TRUE(std::equal(before.begin(), before.end(), image.words().begin())) << name;
  }
  EXPECT_THROW(c.LoadImageFile(dir.file("missing.png").string()), RuntimeError);
}

// Pictures of the window on the tiling and the Fourier tab, for review.
TEST(NanoHoleWindowTest, grabsForReview)
{
  NanoHoleRig rig;
  const QString folder = QStringLiteral(TARVEK_TEST_BINARY_DIR "/out");
  ASSERT_TRUE(QDir().mkpath(folder));
  EXPECT_TRUE(rig.window.grab().save(folder + QStringLiteral("/nano_hole_tiling.png")));
  rig.window.tab1->setCurrentIndex(3);
  EXPECT_TRUE(rig.window.grab().save(folder + QStringLiteral("/nano_hole_fourier.png")));
}

// A long saved path is shortened to the status panel, whole in its tooltip,
// and the window keeps its width.
TEST(NanoHoleWindowTest, longSavedPathIsElidedNotWidened)
{
  test::ScratchDir dir;
  const std::filesystem::path folder = dir.path() / std::string(120, 'd');
  std::filesystem::create_directories(folder);
  NanoHoleRig rig(folder.string() + "/");
  frmNanoHoles& w = rig.window;
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
  const int width = w.width();
  const std::string path = (folder / "holes.xy").string();
  rig.dialogs.answer(FileChoice{path, 1});
  test::clickDrawn(*w.tb1, *w.tbButton[2]);
  QApplication::processEvents();
  EXPECT_EQ(w.width(), width);
  const QString shown = w.stbPanel[3]->text();
  EXPECT_TRUE(shown.contains(QChar(0x2026))) << shown.toStdString();
  EXPECT_LE(w.stbPanel[3]->fontMetrics().horizontalAdvance(shown), w.stbPanel[3]->width());
  EXPECT_EQ(w.stbPanel[3]->toolTip().toStdString(), "Saved " + path);
}

} // namespace
} // namespace tarvek
