#include "form1_rig.h"
#include "user_folders.h"

#include "runtime/number_format.h"
#include "scene/scene_object.h"
#include "shell/coordinate_list.h"
#include "shell/file_commands.h"
#include "shell/view_commands.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QHeaderView>
#include <QLocale>
#include <QStandardItemModel>
#include <QTableView>

#include <gtest/gtest.h>

namespace tarvek {
namespace {

using test::Form1Rig;
using test::readBytes;
using test::UserFolders;

std::string cell(const Form1& form, int row, int column)
{
  const QAbstractItemModel* model = form.lstXYZ->model();
  return model->data(model->index(row, column)).toString().toStdString();
}

int rows(const Form1& form)
{
  return form.lstXYZ->model()->rowCount();
}

// Empties every set and the bond list.
void clearSets(Model& model)
{
  for (AtomSetId id : {AtomSetId::Atom, AtomSetId::Sheet, AtomSetId::Work}) {
    AtomSetRef set = model.atomSet(id);
    set.x.clear();
    set.y.clear();
    set.z.clear();
    set.type.clear();
    set.count = 0;
  }
  model.bondAtom1.clear();
  model.bondAtom2.clear();
  model.bondCount = 0;
}

void addAtom(Model& model, float x, float y, float z, std::int16_t type)
{
  model.atomX.push_back(x);
  model.atomY.push_back(y);
  model.atomZ.push_back(z);
  model.atomType.push_back(type);
  ++model.atomCount;
}

TEST(CoordinateListTest, defaultTubeListsItsAtomsFromTheModel)
{
  Form1Rig rig;
  Form1& form = *rig.form;
  ASSERT_EQ(rows(form), 240);
  for (int r : {0, 117, 239}) {
    EXPECT_EQ(cell(form, r, 0), std::to_string(r + 1)) << r;
    EXPECT_EQ(cell(form, r, 4), "C") << r;
    EXPECT_EQ(cell(form, r, 1),
              Format(rig.model.atomX[static_cast<std::size_t>(r)], "0.0000"))
        << r;
  }
  EXPECT_EQ(qobject_cast<QStandardItemModel*>(form.lstXYZ->model()), nullptr);
  EXPECT_EQ(form.lstXYZ->model(), form.coordinateList().model());
  EXPECT_FALSE(form.lstXYZ->isHidden());
  EXPECT_FALSE(form.lstXYZ->horizontalHeader()->isHidden());
  EXPECT_FALSE(form.lstXYZ->isSortingEnabled());
  // Every column fits its widest text.
  const QFontMetrics metrics(form.lstXYZ->font());
  for (int c = 1; c <= 3; ++c)
    for (int r = 0; r < 240; ++r)
      EXPECT_GE(form.lstXYZ->columnWidth(c),
                metrics.horizontalAdvance(QString::fromStdString(cell(form, r, c))))
          << c << " " << r;
}

// A second list (a recorder standing in for the wall builder) makes the list
// read the scene atom file: one row per drawn atom.
TEST(CoordinateListTest, severalWallsListTheSceneAtomFile)
{
  Form1* form = nullptr;
  Form1Seams seams;
  seams.buildMultiWallTube = [&form] { form->setData(false); };
  Form1Rig rig(seams);
  form = rig.form.get();
  rig.setField(4, "2");
  rig.pressCalculate();
  ASSERT_EQ(form->scene().getNO(), 2);
  const int drawn = form->scene().drawnAtomCount;
  ASSERT_EQ(drawn, 480);
  ASSERT_EQ(rows(*form), drawn);
  EXPECT_EQ(cell(*form, 0, 0), "1");
  EXPECT_EQ(cell(*form, drawn - 1, 0), std::to_string(drawn));
  EXPECT_EQ(cell(*form, drawn - 1, 4), "C");
  EXPECT_EQ(cell(*form, 240, 1), cell(*form, 0, 1));
}

// The model's own cases, each listed by a fill after the model changed.
TEST(CoordinateListTest, fillsFollowTheKindOfTheModel)
{
  Form1Rig rig;
  Form1& form = *rig.form;
  Model& model = rig.model;
  CoordinateList& list = form.coordinateList();

  clearSets(model);
  model.structureKind = 6;
  model.partsFlag = true;
  addAtom(model, 1, 2, 3, 17);
  addAtom(model, 4, 5, 6, 1);
  list.fillXyzList(0);
  ASSERT_EQ(rows(form), 2);
  EXPECT_EQ(cell(form, 0, 4), "Cl");
  EXPECT_EQ(cell(form, 1, 4), "H");
  model.partsFlag = false;

  clearSets(model);
  model.structureKind = 8;
  for (int i = 0; i < 14; ++i)
    addAtom(model, static_cast<float>(i), 0, 0, 3);
  list.fillXyzList(0);
  ASSERT_EQ(rows(form), 2);
  EXPECT_EQ(cell(form, 0, 0), "1");
  EXPECT_EQ(cell(form, 0, 1), "12.0000");
  EXPECT_EQ(cell(form, 1, 4), "");

  clearSets(model);
  model.structureKind = 2;
  model.sheetX = {0, 1};
  model.sheetY = {0, 0};
  model.sheetZ = {0, 0};
  model.sheetType = {0, 3};
  model.sheetCount = 2;
  list.fillXyzList(0);
  ASSERT_EQ(rows(form), 2);
  EXPECT_EQ(cell(form, 0, 4), "");
  EXPECT_EQ(cell(form, 1, 4), "C");

  clearSets(model);
  model.structureKind = 1;
  list.fillXyzList(0);
  EXPECT_EQ(rows(form), 0);
  EXPECT_FALSE(form.lstXYZ->horizontalHeader()->isHidden());

  list.fillXyzList(1);
  EXPECT_EQ(rows(form), 0);
  EXPECT_TRUE(form.lstXYZ->horizontalHeader()->isHidden());
  EXPECT_FALSE(form.lstXYZ->isHidden());
}

TEST(CoordinateListTest, textsUseAPointInACommaLocale)
{
  Form1Rig rig;
  const QLocale old;
  QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
  rig.setField(0, "7");
  rig.pressCalculate();
  QLocale::setDefault(old);
  ASSERT_GT(rows(*rig.form), 0);
  for (int r = 0; r < rows(*rig.form); ++r)
    for (int c = 1; c <= 3; ++c)
      ASSERT_EQ(cell(*rig.form, r, c).find(','), std::string::npos) << r << " " << c;
  EXPECT_NE(cell(*rig.form, 0, 1).find('.'), std::string::npos);
}

// The two-atom B-N model of the table tests.
void twoAtoms(Form1Rig& rig)
{
  rig.form->cmb1->setCurrentIndex(1);
  Model& model = rig.model;
  clearSets(model);
  model.structureKind = 1;
  addAtom(model, 1, -2.5f, 0, 3);
  addAtom(model, -0.00004f, 3.14159f, 10, 1);
  rig.form->coordinateList().fillXyzList(0);
}

const std::string kRow1 = "C" + std::string(13, ' ') + "1.0000" + std::string(8, ' ') +
                          "-2.5000" + std::string(7, ' ') + "0.0000\r\n";
const std::string kRow2 = "B" + std::string(13, ' ') + "0.0000" + std::string(8, ' ') +
                          "3.1416" + std::string(8, ' ') + "10.0000\r\n";

// Menu items and toolbar buttons copy and save the same table.
TEST(CoordinateListTest, tablesAreCopiedAndSavedFromMenuAndToolbar)
{
  UserFolders folders;
  Form1Rig rig({}, nullptr, folders.startup);
  rig.useCrLf();
  twoAtoms(rig);
  Form1& form = *rig.form;
  FileCommands& file = form.fileCommands();
  ViewCommands& view = form.viewCommands();
  const std::string copied = "2\r\nC\t1.0000\t-2.5000\t0.0000\r\nB\t0.0000\t3.1416\t10.0000\r\n";
  for (QAction* copy : {file.mnuFile_7, view.toolbarSlots[3]}) {
    QGuiApplication::clipboard()->clear();
    const int beeps = rig.prompts.beeps;
    copy->trigger();
    EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(), copied);
    EXPECT_EQ(rig.prompts.beeps, beeps + 1);
  }
  int n = 0;
  for (QAction* save : {file.mnuFile_51, view.toolbarSlots[2]}) {
    const std::string path = folders.exportFile("table" + std::to_string(++n) + ".txt");
    rig.dialogs.answer(FileChoice{path, 1});
    save->trigger();
    EXPECT_EQ(readBytes(path), " 2 \r\n" + kRow1 + kRow2);
    const auto& call = rig.dialogs.calls.back();
    EXPECT_EQ(call.filter, "XYZ Coordinate File (*.txt)|*.txt|");
    EXPECT_EQ(call.folder, folders.startup.exportFolder);
    EXPECT_EQ(call.suggestedName, "Nanotube_BN");
  }
  rig.dialogs.answer(std::nullopt);
  file.mnuFile_51->trigger();
  EXPECT_TRUE(rig.prompts.messages().empty());
}

// Index 1 writes the atom set itself; the others hand it to the writers.
TEST(CoordinateListTest, coordinatesOfAnOversizedTubeGoToTheChosenFormat)
{
  UserFolders folders;
  Form1Rig rig({}, nullptr, folders.startup);
  rig.useCrLf();
  twoAtoms(rig);
  CoordinateList& list = rig.form->coordinateList();
  const std::string table = folders.exportFile("c.txt");
  rig.dialogs.answer(FileChoice{table, 1});
  EXPECT_EQ(list.saveCoordinatesAs(), SaveOutcome::Saved);
  EXPECT_EQ(readBytes(table), " 2 \r\n " + kRow1.substr(0, 13) + kRow1.substr(14) + " " +
                                  kRow2.substr(0, 13) + kRow2.substr(14));

  {
    const QSignalBlocker block(rig.form->cmb1);
    rig.form->cmb1->setCurrentIndex(0);
  }
  rig.setField(2, "600");
  rig.dialogs.answer(std::nullopt);
  EXPECT_EQ(list.saveCoordinatesAs(), SaveOutcome::Cancelled);
  const auto& call = rig.dialogs.calls.back();
  EXPECT_EQ(call.suggestedName, "Nanotube_CC_600");
  EXPECT_EQ(call.filter,
            "XYZ Coordinate File (*.txt)|*.txt|MOL File (*.mol)|*.mol|XMOL File (*.xmol)|*.xmol|"
            "PDB File (*.pdb)|*.pdb|CIF File (*.cif)|*.cif|VRML2.0 File (*.vrml)|*.vrml|");

  const struct {
    int index;
    const char* file;
    const char* start;
  } writers[] = {{2, "c.mol", "  2  0 0"},
                 {3, "c.xmol", "2\r\n"},
                 {4, "c.pdb", "ATOM"},
                 {5, "c.cif", "_cell_length_a"},
                 {6, "c.vrml", "#VRML V2.0 utf8"}};
  for (const auto& w : writers) {
    const std::string path = folders.exportFile(w.file);
    rig.dialogs.answer(FileChoice{path, w.index});
    rig.prompts.answerInput("1");
    rig.prompts.answerYesNo(true);
    EXPECT_EQ(list.saveCoordinatesAs(), SaveOutcome::Saved) << w.file;
    EXPECT_NE(readBytes(path).find(w.start), std::string::npos) << w.file;
  }

  rig.dialogs.answer(FileChoice{folders.exportFile("none/c.txt"), 1});
  EXPECT_EQ(list.saveCoordinatesAs(), SaveOutcome::Failed);
  EXPECT_EQ(rig.prompts.messages().size(), 1u);
}

// A million rows cost their storage, not an item each; the view scrolls to
// the last one.
TEST(CoordinateListTest, aMillionRowsFillAndScroll)
{
  Form1Rig rig;
  Model& model = rig.model;
  clearSets(model);
  model.structureKind = 1;
  constexpr int kRows = 1000000;
  model.atomX.resize(kRows);
  model.atomY.resize(kRows);
  model.atomZ.resize(kRows);
  model.atomType.assign(kRows, 3);
  for (int i = 0; i < kRows; ++i) {
    model.atomX[static_cast<std::size_t>(i)] = static_cast<float>(i % 1000);
    model.atomZ[static_cast<std::size_t>(i)] = static_cast<float>(i) * 0.001f;
  }
  model.atomCount = kRows;
  Form1& form = *rig.form;
  form.coordinateList().fillXyzList(0);
  ASSERT_EQ(rows(form), kRows);
  form.lstXYZ->scrollToBottom();
  QApplication::processEvents();
  const QModelIndex last =
      form.lstXYZ->indexAt(QPoint(2, form.lstXYZ->viewport()->height() - 2));
  ASSERT_TRUE(last.isValid());
  EXPECT_EQ(form.lstXYZ->model()->data(last.siblingAtColumn(0)).toString(), "1000000");
  EXPECT_EQ(qobject_cast<QStandardItemModel*>(form.lstXYZ->model()), nullptr);
}

} // namespace
} // namespace tarvek
