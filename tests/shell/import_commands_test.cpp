#include "form1_rig.h"
#include "user_folders.h"

#include "runtime/split.h"
#include "runtime/number_parse.h"
#include "scene/scene_object.h"
#include "shell/file_commands.h"

#include <QAbstractItemModel>
#include <QAction>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QTableView>

#include <gtest/gtest.h>

#include <fstream>

namespace tarvek {
namespace {

using test::FakeFileDialogs;
using test::Form1Rig;
using test::UserFolders;

struct ImportRig {
  UserFolders folders;
  Form1Rig rig;
  Form1& form;
  FileCommands& file;

  explicit ImportRig(StartupState startup = {}, Form1Seams seams = {})
      : rig(std::move(seams), nullptr, withFolders(startup)), form(*rig.form),
        file(form.fileCommands())
  {
  }

  StartupState withFolders(StartupState startup) const
  {
    const std::string commandLine = startup.commandLine;
    startup = folders.startup;
    startup.commandLine = commandLine;
    return startup;
  }

  void open(const std::string& path, int filterIndex = 1)
  {
    rig.dialogs.answer(FileChoice{path, filterIndex});
  }
  int rows() const { return form.lstXYZ->model()->rowCount(); }
  std::string status(int panel) const { return rig.status(panel); }
};

std::string libraryFile(const std::string& name)
{
  return std::string(TARVEK_TEST_SOURCE_DIR) + "/../data/DATA/Fullerene/" + name;
}

// The library's C60 read as a fullerene file, then the same file through the
// XYZ entry of the filter, which reads fields 1 to 3 of each row.
TEST(ImportCommandsTest, fullereneLibraryFileIsShownWithItsBonds)
{
  ImportRig r;
  const std::string c60 = libraryFile("C60.cc1");
  r.open(c60);
  r.file.mnuFile_42->trigger();
  const FakeFileDialogs::Call& call = r.rig.dialogs.calls.back();
  EXPECT_EQ(call.kind, FakeFileDialogs::Kind::Open);
  EXPECT_EQ(call.folder, libraryFile(""));
  EXPECT_EQ(call.filter,
            "Fullerene File (*.cc1)|*.cc1|XYZ Coordinate File (*.xyz)|*.xyz");
  EXPECT_EQ(r.form.titleText(), "Fullerene Library - C60");
  EXPECT_EQ(r.rig.model.atomCount, 60);
  EXPECT_EQ(r.rig.model.bondCount, 90);
  EXPECT_EQ(r.form.cmbTYP->currentText(), "Fullerene Library");
  EXPECT_EQ(r.rig.model.structureKind, 6);
  EXPECT_EQ(r.rows(), 60);
  EXPECT_EQ(r.status(0), c60);
  EXPECT_TRUE(r.rig.prompts.calls.empty());

  r.open(c60, 2);
  r.file.mnuFile_42->trigger();
  EXPECT_EQ(r.rig.dialogs.calls.back().folder, libraryFile(""));
  std::ifstream in(c60);
  std::string line;
  std::getline(in, line);
  std::getline(in, line);
  const auto fields = splitSpaces(trimBlanks(line));
  ASSERT_GE(fields.size(), 4u);
  EXPECT_FLOAT_EQ(r.rig.model.atomX[0], static_cast<float>(Val(fields[1])));
  EXPECT_FLOAT_EQ(r.rig.model.atomY[0], static_cast<float>(Val(fields[2])));
  EXPECT_FLOAT_EQ(r.rig.model.atomZ[0], static_cast<float>(Val(fields[3])));

  const Model before = r.rig.model;
  r.rig.dialogs.answer(std::nullopt);
  r.file.mnuFile_42->trigger();
  EXPECT_TRUE(r.rig.model == before);
  EXPECT_EQ(r.rows(), 60);
}

// A file the reader refuses shows its message and changes nothing.
TEST(ImportCommandsTest, refusedFullereneFileChangesNothing)
{
  ImportRig r;
  const auto bad = r.folders.dir.write("bad.cc1", "60\r\nC 1 0 0\r\n");
  const Model before = r.rig.model;
  r.open(bad.string());
  r.file.mnuFile_42->trigger();
  ASSERT_EQ(r.rig.prompts.messages().size(), 1u);
  EXPECT_NE(r.rig.prompts.messages()[0].text.find(bad.string()), std::string::npos);
  EXPECT_TRUE(r.rig.model == before);
  EXPECT_EQ(r.form.cmbTYP->currentText(), "Nano - Tube");
  EXPECT_FALSE(r.form.state().fullereneLibraryMode);
  EXPECT_EQ(r.rows(), 240);
}

// The tube written by "Export XMOL " comes back as a measured tube.
TEST(ImportCommandsTest, exportedXmolTubeImportsAsATube)
{
  ImportRig r;
  const std::string xmol = r.folders.exportFile("tube.xmol");
  r.open(xmol);
  r.file.mnuFile_10->trigger();

  r.open(xmol);
  r.rig.prompts.answerYesNo(true);
  r.file.mnuFile_421->trigger();
  const FakeFileDialogs::Call& call = r.rig.dialogs.calls.back();
  EXPECT_EQ(call.kind, FakeFileDialogs::Kind::Open);
  EXPECT_EQ(call.folder, r.folders.startup.importFolder);
  EXPECT_EQ(call.filter, "Xmol File (*.xmol)|*.xmol|XYZ (*.xyz)|*.xyz");
  EXPECT_EQ(r.form.cmbTYP->currentText(), "XYZ - Import");
  EXPECT_TRUE(r.form.state().coordinateImportFlag);
  EXPECT_EQ(r.form.state().lastXmolFile, xmol);
  EXPECT_EQ(r.status(0).rfind("Xmol: Nanotube, Length ", 0), 0u) << r.status(0);
  EXPECT_EQ(r.status(2), "240 Atoms");
  EXPECT_EQ(r.rows(), 240);
  EXPECT_EQ(r.rig.model.structureKind, 7);

  // Staying in the import mode reads the file again, quietly.
  const auto asked = r.rig.prompts.calls.size();
  r.rig.prompts.answerYesNo(false);
  r.rig.pressCalculate();
  ASSERT_EQ(r.rig.prompts.calls.size(), asked + 1);
  EXPECT_EQ(r.rig.prompts.calls.back().text, "Leave Xmol Import Mode?");
  EXPECT_TRUE(r.form.state().coordinateImportFlag);
  EXPECT_EQ(r.rows(), 240);
  EXPECT_EQ(r.status(0).rfind("Xmol: Nanotube, Length ", 0), 0u) << r.status(0);

  // The next dialog starts beside it; Cancel changes nothing.
  const Model before = r.rig.model;
  r.rig.dialogs.answer(std::nullopt);
  r.file.mnuFile_421->trigger();
  EXPECT_EQ(r.rig.dialogs.calls.back().folder, r.folders.startup.exportFolder);
  EXPECT_TRUE(r.rig.model == before);
  EXPECT_TRUE(r.form.state().coordinateImportFlag);
}

// The sample XMOL file the program folder ships is a measured (10,0) tube.
TEST(ImportCommandsTest, shippedSampleXmolImportsAsATube)
{
  ImportRig r;
  r.open(std::string(TARVEK_TEST_SOURCE_DIR) + "/../data/IMPORT/tube_10_0.xmol");
  r.rig.prompts.answerYesNo(true);
  r.file.mnuFile_421->trigger();
  EXPECT_EQ(r.status(0).rfind("Xmol: Nanotube, Length ", 0), 0u) << r.status(0);
  EXPECT_EQ(r.rows(), 240);
  EXPECT_EQ(r.rig.model.structureKind, 7);
}

// A refused XMOL file: its message, then the nanotube of the fields.
TEST(ImportCommandsTest, refusedXmolFileFallsBackToTheFieldTube)
{
  ImportRig r;
  r.rig.setField(0, "5");
  r.rig.setField(1, "5");
  const auto bad = r.folders.dir.write("bad.xmol", "abc\r\n\r\nC 0 0 0\r\n");
  r.open(bad.string());
  r.file.mnuFile_421->trigger();
  ASSERT_EQ(r.rig.prompts.messages().size(), 1u);
  EXPECT_EQ(r.rig.prompts.messages()[0].text, "Wrong File Format");
  EXPECT_EQ(r.form.cmbTYP->currentText(), "Nano - Tube");
  EXPECT_EQ(r.rig.model.structureKind, 1);
  EXPECT_FALSE(r.form.state().coordinateImportFlag);
  EXPECT_EQ(r.status(0), "(5,5) Tube Diameter 6.785 A");
}

// An XMOL comment and a file name that look like markup are shown as the
// characters they hold, in the title and in the status bar: no tag is
// obeyed and no picture is read. A label that took them as rich text would
// size itself to the 240-pixel picture or to one bold "x".
TEST(ImportCommandsTest, xmolCommentLooksLikeMarkupAndIsShownLiterally)
{
  ImportRig r;
  QImage picture(240, 240, QImage::Format_RGB32);
  picture.fill(Qt::red);
  const std::string png = (r.folders.dir.path() / "picture.png").string();
  ASSERT_TRUE(picture.save(QString::fromStdString(png)));
  for (const std::string& comment : {"<img src=\"" + png + "\">", std::string("<b>x</b>")}) {
    const auto file = r.folders.dir.write(
        "<u>markup<u>.xmol", "3\r\n" + comment + "\r\nC 0 0 0\r\nC 1.42 0 0\r\nC 2.84 0 0\r\n");
    r.open(file.string());
    r.rig.prompts.answerYesNo(true);
    r.file.mnuFile_421->trigger();
    const std::string title = "XMOL: " + comment;
    EXPECT_EQ(r.form.titleText().toStdString(), title);
    EXPECT_EQ(r.status(0), file.string());
    for (const QLabel* label : {r.form.lbTIT, r.form.stbPanel[0]}) {
      const QSize size = label->sizeHint();
      EXPECT_GE(size.width(), label->fontMetrics().horizontalAdvance(label->text())) << comment;
      EXPECT_LT(size.height(), picture.height()) << comment;
    }
  }
}

TEST(ImportCommandsTest, swSwitchAddsTheXyzFilter)
{
  for (const char* line : {"-x /sw", "/SW"}) {
    StartupState startup;
    startup.commandLine = line;
    ImportRig r(startup);
    r.rig.dialogs.answer(std::nullopt);
    r.file.mnuFile_421->trigger();
    EXPECT_EQ(r.rig.dialogs.calls.back().filter,
              std::string(line) == "/SW" ? "Xmol File (*.xmol)|*.xmol|XYZ (*.xyz)|*.xyz"
                                         : "Xmol File (*.xmol)|*.xmol|XYZ File (*.xyz)|*.xyz|")
        << line;
  }
}

// An atom table shows its atoms by element with the six element colours; the
// view keeps its orientation.
TEST(ImportCommandsTest, atomTableIsShownAsAPart)
{
  ImportRig r;
  const auto table = r.folders.dir.write(
      "table.cif", "h1 H 0 0 0\r\nc1 C 1.1 0 0\r\nn1 N 0 1.2 0\r\no1 O 0 0 1.3\r\n");
  CXXX& scene = r.form.scene();
  scene.rotateDeg(0, 30.0f, 1);
  CMatrix::Matrix pose{};
  scene.viewMatrix().GetMatrix(pose);
  r.file.openCIF(table.string());
  EXPECT_TRUE(r.rig.model.partsFlag);
  EXPECT_EQ(r.form.titleText(), " (CIF)");
  EXPECT_EQ(r.status(2), "4 Atoms");
  EXPECT_EQ(r.status(3), "H C N O ");
  EXPECT_EQ(r.status(0), table.string());
  EXPECT_EQ(r.form.state().partFile, table.string());
  EXPECT_EQ(r.rows(), 4);
  const std::pair<std::int16_t, std::uint32_t> colours[] = {
      {0, packColor(255, 255, 255)}, {5, packColor(103, 103, 103)},
      {6, packColor(135, 135, 240)}, {7, packColor(255, 0, 0)},
      {15, packColor(255, 229, 82)}, {14, packColor(255, 142, 17)}};
  for (const auto& [element, colour] : colours)
    EXPECT_EQ(scene.getAtomColor(element), colour) << element;
  CMatrix::Matrix after{};
  scene.viewMatrix().GetMatrix(after);
  EXPECT_EQ(after, pose);

  const Model before = r.rig.model;
  const auto empty = r.folders.dir.write("empty.cif", "");
  r.file.openCIF(empty.string());
  r.file.openCIF(r.folders.dir.file("missing.cif").string());
  EXPECT_TRUE(r.rig.model == before);
  EXPECT_EQ(r.status(0), table.string());
  EXPECT_TRUE(r.rig.prompts.calls.empty());
  EXPECT_FALSE(r.file.mnuFile_422->isVisible());
}

// A coordinate file over 3000 atoms asks about bonds once: a No leaves the
// structure without bonds and is not asked again when the import is followed
// by a search for the bonds it left out.
TEST(ImportCommandsTest, aLargeFileAsksAboutBondsOnce)
{
  ImportRig r;
  std::string text = "4000\r\nsheet\r\n";
  for (int i = 0; i < 4000; ++i) {
    const double x = 2.46 * (i % 80) + ((i / 80) % 2 == 0 ? 0.0 : 1.23);
    const double y = 2.13 * (i / 80);
    text += "C " + std::to_string(x) + " " + std::to_string(y) + " 0\r\n";
  }
  const auto file = r.folders.dir.write("sheet.xyz", text);
  r.open(file.string(), 2);
  // Taken for a tube, whose fit fails on a flat sheet; then No to bonds.
  r.rig.prompts.answerYesNo(true);
  r.rig.prompts.answerYesNo(false);
  r.file.mnuFile_421->trigger();
  std::size_t asked = 0;
  for (const auto& call : r.rig.prompts.calls)
    asked += call.text == ">3000 Atoms. Do you still wish to create bonds?";
  EXPECT_EQ(asked, 1u);
  EXPECT_TRUE(r.form.state().coordinateImportFlag);
  EXPECT_EQ(r.status(2), "4000 Atoms");
  EXPECT_EQ(r.rig.model.bondCount, 0);
}

} // namespace
} // namespace tarvek
