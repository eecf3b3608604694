// The digitiser window driven as a user drives it: pictures opened through
// the scripted dialog, the ring search, clicks and keys on the pictures,
// the new-array dialog, drags and saving, and hostile picture files.
#include "atom_grid.h"
#include "imaging/ui/digitiser_picture.h"
#include "imaging/ui/digitiser_window.h"
#include "imaging/ui/disc_markers_dialog.h"

#include "model/display_settings.h"
#include "model/model.h"
#include "pdfwriter/image_fixtures.h"
#include "platform/platform.h"
#include "platform/temp_folder.h"
#include "runtime/random_source.h"
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
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <set>

namespace tarvek {
namespace {

using test::FakeFileDialogs;
using test::FakePrompts;
using test::gridCentres;
using test::gridMask;
using test::kGridHeight;
using test::kGridWidth;
using test::ScratchDir;

constexpr std::uint32_t kTooltipYellow = packColor(255, 255, 225);

void writeBmp(const std::filesystem::path& path)
{
  ASSERT_TRUE(test::writeGridBmp(path));
}

void writeGridGif(const std::filesystem::path& path)
{
  quillet::test::GifFixture gif{
      kGridWidth, kGridHeight, 0, {255, 255, 255, 0, 0, 0}, 0, 0, kGridWidth, kGridHeight,
      false,      {},          gridMask()};
  quillet::test::writeGifFile(path, gif);
}

void writeGridJpeg(const std::filesystem::path& path)
{
  quillet::test::Bytes rgb;
  for (const std::uint8_t inside : gridMask())
    rgb.insert(rgb.end(), 3, inside ? 0 : 255);
  quillet::test::writeJpegFile(path, kGridWidth, kGridHeight, 3, 2 /* JCS_RGB */, rgb, 100);
}

// The window over scripted platform layers, shown at the main window's
// design size.
struct DigitiserRig {
  FakePrompts prompts;
  FakeFileDialogs dialogs;
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
  Model model;
  Preferences preferences;
  RandomSource random;
  ScratchDir dir;
  std::unique_ptr<frmXY> window;
  // Status panel 1's texts with the number of event pumps before each.
  std::vector<std::pair<std::string, long>> panel1;

  DigitiserRig()
  {
    colors.colors[24] = kTooltipYellow;
    model.bondLength = 1.42f;
    window = std::make_unique<frmXY>(platform, model, preferences, dir.path().string() + "/",
                                     random);
    window->statusChanged = [this](int panel, const std::string& text) {
      if (panel == 0)
        panel1.emplace_back(text, abort.pumps);
    };
    window->resize(848, 637);
    window->show();
    if (!QTest::qWaitForWindowExposed(window.get()))
      ADD_FAILURE() << "the digitiser was not exposed";
  }

  DigitiserPicture& search() { return *window->pic[0]; }
  DigitiserPicture& assembly() { return *window->pic[1]; }
  DigitiserModel& state() { return window->digitiser(); }
  std::string status() const { return window->stbPanel[0]->text().toStdString(); }

  void press(int button)
  {
    QTest::mouseClick(window->bt[static_cast<std::size_t>(button)], Qt::LeftButton);
  }
  void open(const std::filesystem::path& path)
  {
    dialogs.answer(FileChoice{path.string(), 1});
    press(0);
  }
  void runSearch(const char* size)
  {
    window->Text1->setText(QString::fromLatin1(size));
    press(2);
  }
  std::filesystem::path save(const std::string& name)
  {
    const std::filesystem::path path = dir.file(name);
    dialogs.answer(FileChoice{path.string(), 1});
    press(1);
    return path;
  }
  // Runs the new-array dialog, answered by answer once it is up.
  void newArray(const std::function<void(dlgXY1&)>& answer)
  {
    bool answered = false;
    QTimer::singleShot(0, [&] {
      auto* dialog = dynamic_cast<dlgXY1*>(QApplication::activeModalWidget());
      ASSERT_NE(dialog, nullptr);
      EXPECT_EQ(dialog->windowTitle(), QStringLiteral(" Create New Atom Array"));
      answer(*dialog);
      answered = true;
    });
    press(3);
    EXPECT_TRUE(answered);
  }
  std::set<std::pair<int, int>> atoms()
  {
    std::set<std::pair<int, int>> found;
    for (std::size_t i = 0; i < state().foundX.size(); ++i)
      found.emplace(static_cast<int>(state().foundX[i]), static_cast<int>(state().foundY[i]));
    return found;
  }
};

// Screenshots stay in out/ for a reviewer to look at.
void keepScreenshot(QWidget& widget, const char* name)
{
  const std::filesystem::path out = std::filesystem::path(TARVEK_TEST_BINARY_DIR) / "out";
  std::filesystem::create_directories(out);
  EXPECT_TRUE(widget.grab().save(QString::fromStdString((out / name).string())));
}

std::vector<std::string> fileLines(const std::filesystem::path& path)
{
  const std::string text = test::readBytes(path);
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
    lines.push_back(text.substr(start, end - start));
  EXPECT_EQ(start, text.size()) << "every line ends in CR LF";
  return lines;
}

TEST(DigitiserWindowTest, startsWithItsCaptionTipsAndInstructions)
{
  DigitiserRig rig;
  frmXY& w = *rig.window;
  EXPECT_EQ(w.windowTitle(), QStringLiteral("XY - Sheet Generator"));
  const char* const tips[] = {"Open Image File (GIF,JPG,BMP)", "Save Coordinates (*.xy)",
                              "Run Ring Search (Hough Transform)", "Clear Coordinate Set",
                              "Redraw Current XY Set"};
  const bool enabled[] = {true, false, false, true, false};
  for (std::size_t i = 0; i < 5; ++i) {
    EXPECT_EQ(w.bt[i]->toolTip().toStdString(), tips[i]);
    EXPECT_EQ(w.bt[i]->isEnabled(), enabled[i]) << i;
    EXPECT_FALSE(w.bt[i]->icon().isNull()) << i;
  }
  EXPECT_EQ(w.Text1->text(), QStringLiteral("5"));
  EXPECT_EQ(w.Text1->toolTip(), QStringLiteral("\"Atom\" size in image [Pixel]"));
  EXPECT_EQ(w.tab1->tabText(0), QStringLiteral("Image Search"));
  EXPECT_EQ(w.tab1->tabText(1), QStringLiteral("Manual Assembly"));
  EXPECT_EQ(w.stbPanel[1]->text(), QStringLiteral("Add/Remove atoms by Left/Right mouse clicking"));
  EXPECT_EQ(rig.status(), "0 atoms");
  EXPECT_TRUE(rig.search().isVisible());
  EXPECT_FALSE(rig.assembly().isVisible());
  EXPECT_TRUE(rig.search().instructionsShown());
  EXPECT_FALSE(w.mem->isVisible());
  EXPECT_EQ(w.mem->pos(), QPoint(483, 43));
  // Instruction text in blue from (20, 20) on.
  const QImage shot = rig.search().grab().toImage();
  bool blue = false;
  for (int y = 20; y < 36 && !blue; ++y) {
    for (int x = 20; x < 60 && !blue; ++x) {
      const QColor c = shot.pixelColor(x, y);
      blue = c.blue() > 200 && c.red() < 60 && c.green() < 60;
    }
  }
  EXPECT_TRUE(blue);
  keepScreenshot(w, "digitiser_start.png");
}

// The picture the judgement rests on: 20 black discs found in each file
// format, circled in red, and saved with y flipped.
TEST(DigitiserWindowTest, ringSearchFindsTheTwentyDiscsOfEachFormat)
{
  const struct {
    const char* name;
    void (*write)(const std::filesystem::path&);
  } formats[] = {
      {"grid.bmp", writeBmp}, {"grid.gif", writeGridGif}, {"grid.jpg", writeGridJpeg}};
  for (const auto& format : formats) {
    SCOPED_TRACE(format.name);
    DigitiserRig rig;
    const std::filesystem::path file = rig.dir.file(format.name);
    format.write(file);
    rig.open(file);
    EXPECT_TRUE(rig.prompts.messages().empty());
    EXPECT_FALSE(rig.search().instructionsShown());
    EXPECT_EQ(rig.state().loadedWidth, 200.0f);
    EXPECT_EQ(rig.state().loadedHeight, 160.0f);
    EXPECT_TRUE(rig.window->bt[2]->isEnabled());
    rig.panel1.clear();
    const long pumpsBefore = rig.abort.pumps;
    rig.runSearch("6");
    EXPECT_EQ(rig.atoms(), test::gridCentreSet());
    EXPECT_EQ(rig.status(), "20 atoms");
    // "20 peaks" stands while the pump runs once; then the atom count.
    const auto peaks = std::find_if(rig.panel1.begin(), rig.panel1.end(),
                                    [](const auto& p) { return p.first == "20 peaks"; });
    ASSERT_NE(peaks, rig.panel1.end());
    EXPECT_EQ(peaks->second, pumpsBefore);
    EXPECT_EQ(rig.panel1.back(), std::make_pair(std::string("20 atoms"), pumpsBefore + 1));
    EXPECT_EQ(rig.prompts.waitDepth, 0);
    EXPECT_GT(rig.prompts.waitCount, 0);

    const QImage shot = rig.search().grab().toImage();
    for (const QPoint& c : gridCentres())
      EXPECT_EQ(shot.pixelColor(c.x() + 6, c.y()), QColor(255, 0, 0)) << c.x() << "," << c.y();
    // mem holds the vote map, as large as the picture.
    const QPixmap map = rig.window->mem->pixmap();
    EXPECT_EQ(map.size(), QSize(200, 160));
    EXPECT_TRUE(map.toImage().isGrayscale());
    if (format.write == writeBmp)
      keepScreenshot(*rig.window, "digitiser_search.png");

    const std::filesystem::path saved = rig.save("grid.xy");
    ASSERT_EQ(rig.dialogs.calls.size(), 2u);
    EXPECT_EQ(rig.dialogs.calls[0].title, "Load Image");
    EXPECT_EQ(rig.dialogs.calls[0].filter,
              "GIF Image (*.gif)|*.gif|JPG Image (*.jpg)|*.jpg|Bitmap Image (*.bmp)|*.bmp|");
    EXPECT_EQ(rig.dialogs.calls[1].title, "Save XY Data");
    EXPECT_EQ(rig.dialogs.calls[1].folder, rig.dir.path().string() + "/");
    EXPECT_EQ(rig.window->stbPanel[1]->text().toStdString(), "Saved " + saved.string());
    const std::vector<std::string> lines = fileLines(saved);
    ASSERT_EQ(lines.size(), 20u);
    const XYReadResult read = readXYPoints(saved.string());
    ASSERT_TRUE(read.ok()) << read.error;
    std::set<std::pair<int, int>> flipped;
    for (const XYPoint& p : read.points)
      flipped.emplace(static_cast<int>(p.x), static_cast<int>(133 - p.y));
    EXPECT_EQ(flipped, test::gridCentreSet());
  }
}

// The lattice picture the program folder ships: the ring search finds one
// atom for each point of the sample XY file made with it.
TEST(DigitiserWindowTest, ringSearchFindsTheAtomsOfTheShippedLattice)
{
  DigitiserRig rig;
  const std::string data = std::string(TARVEK_TEST_SOURCE_DIR) + "/../data/";
  rig.open(data + "IMAGES/lattice_10_0.jpg");
  EXPECT_TRUE(rig.prompts.messages().empty());
  rig.runSearch("4");
  const XYReadResult sample = readXYPoints(data + "IMPORT/sheet_10_0.xy");
  ASSERT_TRUE(sample.ok()) << sample.error;
  EXPECT_EQ(rig.atoms().size(), sample.points.size());
  EXPECT_EQ(rig.status(), std::to_string(sample.points.size()) + " atoms");
}

TEST(DigitiserWindowTest, clicksAndKeysOnTheSearchPicture)
{
  DigitiserRig rig;
  // Before any image the clear button, or a click, takes the instruction
  // text away.
  rig.press(3);
  EXPECT_FALSE(rig.search().instructionsShown());
  rig.search().setInstructions({QStringLiteral("again")});
  QTest::mouseClick(&rig.search(), Qt::LeftButton, {}, QPoint(100, 100));
  EXPECT_FALSE(rig.search().instructionsShown());
  EXPECT_EQ(rig.status(), "1 atoms");
  rig.press(3);
  EXPECT_EQ(rig.status(), "0 atoms");

  writeBmp(rig.dir.file("grid.bmp"));
  rig.open(rig.dir.file("grid.bmp"));
  rig.runSearch("6");
  ASSERT_EQ(rig.status(), "20 atoms");
  QTest::mouseClick(&rig.search(), Qt::LeftButton, {}, QPoint(190, 150));
  EXPECT_EQ(rig.status(), "21 atoms");
  QTest::mouseClick(&rig.search(), Qt::LeftButton, {}, QPoint(30, 30));
  EXPECT_EQ(rig.status(), "21 atoms");
  QTest::mouseClick(&rig.search(), Qt::RightButton, {}, QPoint(62, 60));
  EXPECT_EQ(rig.status(), "20 atoms");
  EXPECT_EQ(rig.atoms().count({61, 61}), 0u);
  // Shift with a left click adds and then removes: here the atom near by.
  QTest::mouseClick(&rig.search(), Qt::LeftButton, Qt::ShiftModifier, QPoint(26, 25));
  EXPECT_EQ(rig.status(), "19 atoms");

  QTest::keyClick(&rig.search(), Qt::Key_V);
  EXPECT_FALSE(rig.window->mem->isVisible());
  QTest::keyClick(&rig.search(), Qt::Key_V, Qt::ShiftModifier);
  EXPECT_TRUE(rig.window->mem->isVisible());
  EXPECT_TRUE(rig.window->mem->pixmap().toImage().isGrayscale());
  QTest::keyClick(&rig.search(), Qt::Key_V, Qt::ControlModifier);
  EXPECT_FALSE(rig.window->mem->isVisible());
}

// Files that cannot be used leave the picture and the atoms as they were;
// a missing or empty file is ignored without a word.
TEST(DigitiserWindowTest, hostilePictureFilesChangeNothing)
{
  DigitiserRig rig;
  writeBmp(rig.dir.file("grid.bmp"));
  rig.open(rig.dir.file("grid.bmp"));
  rig.runSearch("6");
  ASSERT_EQ(rig.status(), "20 atoms");
  const QImage shown = rig.search().picture();

  const std::string bmp = test::readBytes(rig.dir.file("grid.bmp"));
  rig.dir.write("truncated.bmp", bmp.substr(0, bmp.size() / 2));
  writeGridJpeg(rig.dir.file("grid.jpg"));
  const std::string jpg = test::readBytes(rig.dir.file("grid.jpg"));
  rig.dir.write("truncated.jpg", jpg.substr(0, jpg.size() / 2));
  writeGridGif(rig.dir.file("huge.gif"));
  std::string gif = test::readBytes(rig.dir.file("huge.gif"));
  // The screen and the image both claim 65,535 × 65,535 pixels.
  gif.replace(6, 4, "\xFF\xFF\xFF\xFF");
  const std::size_t descriptor = gif.find('\x2C', 13 + 6);
  ASSERT_NE(descriptor, std::string::npos);
  gif.replace(descriptor + 5, 4, "\xFF\xFF\xFF\xFF");
  rig.dir.write("huge.gif", gif);
  rig.dir.write("text.jpg", "This is a note, not a picture.\r\n");
  std::string zero = bmp;
  zero.replace(18, 8, std::string(8, '\0'));
  rig.dir.write("zero.bmp", zero);
  // Width and height 2^31 - 1 at 65,535 bits a pixel: rows times stride
  // overflow 64 bits.
  std::string claims = bmp;
  claims.replace(18, 8, "\xFF\xFF\xFF\x7F\xFF\xFF\xFF\x7F");
  claims.replace(28, 2, "\xFF\xFF");
  rig.dir.write("claims.bmp", claims);
  rig.dir.write("empty.bmp", "");

  const struct {
    const char* name;
    bool message;
  } files[] = {{"truncated.bmp", true}, {"truncated.jpg", true}, {"huge.gif", true},
               {"text.jpg", true},      {"zero.bmp", true},      {"claims.bmp", true},
               {"empty.bmp", false},    {"missing.gif", false}};
  for (const auto& f : files) {
    const std::size_t before = rig.prompts.messages().size();
    rig.open(rig.dir.file(f.name));
    const std::vector<FakePrompts::Call> messages = rig.prompts.messages();
    ASSERT_EQ(messages.size(), before + (f.message ? 1 : 0)) << f.name;
    if (f.message) {
      EXPECT_NE(messages.back().text.find(f.name), std::string::npos) << messages.back().text;
    }
    EXPECT_EQ(rig.search().picture(), shown) << f.name;
    EXPECT_EQ(rig.status(), "20 atoms") << f.name;
    EXPECT_EQ(rig.state().loadedWidth, 200.0f) << f.name;
    EXPECT_TRUE(rig.search().drawingsShown()) << f.name;
  }
}

TEST(DigitiserWindowTest, atomSizesTheSearchCannotUseAreRefused)
{
  DigitiserRig rig;
  writeBmp(rig.dir.file("grid.bmp"));
  rig.open(rig.dir.file("grid.bmp"));
  rig.runSearch("6");
  ASSERT_EQ(rig.status(), "20 atoms");
  for (const char* size : {"0", "abc", "0,05", "-4"}) {
    const long pumps = rig.abort.pumps;
    rig.runSearch(size);
    ASSERT_FALSE(rig.prompts.messages().empty()) << size;
    EXPECT_EQ(rig.prompts.messages().back().text, "Please enter an atom size above 0.0625 pixels.");
    EXPECT_EQ(rig.abort.pumps, pumps) << size;
    EXPECT_EQ(rig.status(), "20 atoms") << size;
  }
  rig.state().clearFound();
  const std::size_t messages = rig.prompts.messages().size();
  rig.runSearch("6,0");
  EXPECT_EQ(rig.prompts.messages().size(), messages);
  EXPECT_EQ(rig.atoms(), test::gridCentreSet());
}

TEST(DigitiserWindowTest, manualAssemblyBuildsDragsRemovesAndSaves)
{
  DigitiserRig rig;
  rig.window->tab1->setCurrentIndex(1);
  EXPECT_FALSE(rig.search().isVisible());
  EXPECT_TRUE(rig.assembly().isVisible());
  EXPECT_TRUE(rig.assembly().instructionsShown());
  EXPECT_FALSE(rig.window->bt[0]->isEnabled());
  EXPECT_FALSE(rig.window->bt[2]->isEnabled());
  // No set yet: clicks add nothing.
  QTest::mouseClick(&rig.assembly(), Qt::LeftButton, {}, QPoint(200, 200));
  EXPECT_EQ(rig.state().discs.discCount(), 0);

  rig.newArray([](dlgXY1& dialog) {
    EXPECT_EQ(dialog.tf[0]->text(), QStringLiteral("20"));
    EXPECT_EQ(dialog.tf[1]->text(), QStringLiteral("15"));
    QTest::mouseClick(dialog.OKButton[0], Qt::LeftButton);
  });
  EXPECT_EQ(rig.status(), "98 atoms");
  EXPECT_FALSE(rig.assembly().instructionsShown());
  const QImage shot = rig.assembly().grab().toImage();
  EXPECT_EQ(shot.pixelColor(15, 15), QColor(0, 0, 255));
  EXPECT_EQ(shot.pixelColor(15, 15 + 15), QColor(0, 0, 0)); // the outline
  EXPECT_EQ(shot.pixelColor(300, 400), QColor(255, 255, 225));
  keepScreenshot(*rig.window, "digitiser_assembly.png");

  const std::filesystem::path saved = rig.save("sheet.xy");
  EXPECT_EQ(fileLines(saved).size(), 98u);

  // Disc 0 at (15, 15) dragged down onto disc 2 at (15, 48).
  const std::vector<clBALL>& discs = rig.state().discs.discs;
  ASSERT_EQ(discs[2].y, 48.0f);
  QTest::mousePress(&rig.assembly(), Qt::LeftButton, {}, QPoint(15, 15));
  QTest::mouseMove(&rig.assembly(), QPoint(15, 20));
  QTest::mouseMove(&rig.assembly(), QPoint(15, 25));
  QTest::mouseRelease(&rig.assembly(), Qt::LeftButton, {}, QPoint(15, 25));
  EXPECT_EQ(discs[0].y, 25.0f);
  EXPECT_FLOAT_EQ(discs[2].y, 55.0f);
  EXPECT_EQ(rig.state().discs.dragIndex, -1);

  // Shift + left press on a disc picks and removes it; the following move
  // drags nothing.
  QTest::mousePress(&rig.assembly(), Qt::LeftButton, Qt::ShiftModifier, QPoint(15, 55));
  EXPECT_EQ(rig.status(), "97 atoms");
  QTest::mouseMove(&rig.assembly(), QPoint(40, 60));
  QTest::mouseRelease(&rig.assembly(), Qt::LeftButton, {}, QPoint(40, 60));
  EXPECT_EQ(rig.state().discs.discCount(), 97);

  // Closed by its window button the dialog changes nothing.
  rig.newArray([](dlgXY1& dialog) { dialog.close(); });
  EXPECT_EQ(rig.state().discs.discCount(), 97);
  EXPECT_TRUE(rig.prompts.messages().empty());

  rig.newArray([](dlgXY1& dialog) {
    dialog.tf[2]->setText(QStringLiteral("200"));
    dialog.tf[3]->setText(QStringLiteral("200"));
    QTest::mouseClick(dialog.OKButton[1], Qt::LeftButton);
  });
  ASSERT_EQ(rig.prompts.messages().size(), 1u);
  EXPECT_NE(rig.prompts.messages()[0].text.find("40000"), std::string::npos);
  EXPECT_EQ(rig.state().discs.discCount(), 97);

  rig.newArray([](dlgXY1& dialog) {
    dialog.tf[2]->setText(QStringLiteral("2"));
    dialog.tf[3]->setText(QStringLiteral("3,4"));
    QTest::mouseClick(dialog.OKButton[1], Qt::LeftButton);
  });
  EXPECT_EQ(rig.status(), "6 atoms");
}

// The redraw button, enabled while the search tab held atoms, blanks the
// assembly picture until the discs are drawn again.
TEST(DigitiserWindowTest, redrawButtonFromTheSearchTabBlanksTheAssembly)
{
  DigitiserRig rig;
  QTest::mouseClick(&rig.search(), Qt::LeftButton, {}, QPoint(100, 100));
  ASSERT_TRUE(rig.window->bt[4]->isEnabled());
  rig.window->tab1->setCurrentIndex(1);
  rig.newArray([](dlgXY1& dialog) { QTest::mouseClick(dialog.OKButton[1], Qt::LeftButton); });
  ASSERT_EQ(rig.status(), "100 atoms");
  ASSERT_TRUE(rig.window->bt[4]->isEnabled());
  rig.press(4);
  EXPECT_FALSE(rig.assembly().drawingsShown());
  EXPECT_EQ(rig.assembly().grab().toImage().pixelColor(50, 50), QColor(255, 255, 225));
  // A click in free space adds a disc and draws them all again.
  QTest::mouseClick(&rig.assembly(), Qt::LeftButton, {}, QPoint(600, 300));
  EXPECT_EQ(rig.status(), "101 atoms");
  EXPECT_EQ(rig.assembly().grab().toImage().pixelColor(50, 50), QColor(0, 0, 255));
  // Back in the search tab the atom is still there.
  rig.window->tab1->setCurrentIndex(0);
  EXPECT_EQ(rig.status(), "1 atoms");
}

} // namespace
} // namespace tarvek
