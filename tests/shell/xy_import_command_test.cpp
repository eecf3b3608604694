#include "form1_rig.h"
#include "user_folders.h"

#include "imaging/xy_file.h"
#include "model/tube_builder.h"
#include "scene/scene_object.h"
#include "shell/file_commands.h"

#include <QAbstractItemModel>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QTableView>

#include <gtest/gtest.h>

#include <cmath>

namespace tarvek {
namespace {

using test::Form1Rig;
using test::readBytes;
using test::UserFolders;

std::string fixture(const std::string& name)
{
  return std::string(TARVEK_TEST_SOURCE_DIR) + "/shell/fixtures/xy/" + name;
}

struct XYRig {
  UserFolders folders;
  Form1Rig rig;
  Form1& form;

  XYRig() : rig({}, nullptr, folders.startup), form(*rig.form) {}

  // Runs "Import XY Data" on path; roll answers the roll question, and a
  // large structure's bond question is answered Yes.
  void import(const std::string& path, bool roll, bool manyAtoms = false)
  {
    rig.dialogs.answer(FileChoice{path, 1});
    rig.prompts.answerYesNo(roll);
    if (manyAtoms)
      rig.prompts.answerYesNo(true);
    form.fileCommands().mnuFile_43->trigger();
  }
  int rows() const { return form.lstXYZ->model()->rowCount(); }
};

// The three points 2 apart at a bond length of 1.42, flat and rolled.
TEST(XYImportCommandTest, threePointsBuildASheetOrATube)
{
  XYRig r;
  Model& model = r.rig.model;
  r.rig.setField(3, "1.42");
  r.form.cbOP[1]->setChecked(false);
  const std::string path = fixture("three_points.xy");
  r.import(path, false);
  const auto& call = r.rig.dialogs.calls.back();
  EXPECT_EQ(call.folder, r.folders.startup.importFolder);
  EXPECT_EQ(call.filter, "XY Coordinate File (*.xy)|*.xy");
  EXPECT_EQ(r.rig.prompts.calls.at(0).text, "Do you want to roll this XY-sheet into a tube?");
  EXPECT_EQ(r.rig.prompts.calls.at(0).icon, MessageIcon::Question);
  EXPECT_EQ(r.form.cmbTYP->currentText(), "Graphene Sheet");
  EXPECT_TRUE(r.form.cmbTYP->isEnabled());
  ASSERT_EQ(model.sheetCount, 3);
  const float xs[] = {0.0f, 1.42f, 2.84f};
  for (int i = 0; i < 3; ++i) {
    EXPECT_NEAR(model.sheetX[i], xs[i], 1e-5) << i;
    EXPECT_EQ(model.sheetZ[i], 0.0f) << i;
  }
  EXPECT_EQ(model.bondCount, 2);
  EXPECT_EQ(r.rig.status(0), "Sheet Width 4.07 A");
  EXPECT_EQ(r.rig.status(2), "3 Atoms");
  EXPECT_EQ(r.rig.status(3), "2 Bonds");
  EXPECT_EQ(r.form.titleText(), "XY - Import");
  EXPECT_TRUE(r.form.state().xyImportFlag);
  EXPECT_EQ(r.form.state().xyFileName, path);
  EXPECT_TRUE(r.form.cbOP[0]->isChecked() && r.form.cbOP[1]->isChecked());
  EXPECT_TRUE(r.rig.display.atomsShown && r.rig.display.bondsShown);
  EXPECT_EQ(r.rows(), 3);

  r.import(path, true);
  EXPECT_EQ(r.rig.dialogs.calls.back().folder, fixture(""));
  EXPECT_EQ(r.form.cmbTYP->currentText(), "Nano - Tube");
  ASSERT_EQ(model.atomCount, 3);
  for (int i = 0; i < 3; ++i)
    EXPECT_NEAR(std::hypot(model.atomX[i], model.atomY[i]), 0.6477, 1e-4) << i;
  EXPECT_EQ(r.rig.status(0), "(?,?) Tube Diameter 1.295 A");
  EXPECT_EQ(model.structureKind, 1);
  EXPECT_EQ(r.rig.prompts.messages().size(), 0u);
}

// The flat sheet of the default (10,0) tube without its seam column, in
// tenths of an ångström, rolls back into the tube or lies flat.
TEST(XYImportCommandTest, tubeSheetRollsBackIntoTheTube)
{
  XYRig r;
  const Model& model = r.rig.model;
  const float seam = tubeSizes(10, 0, 1.421f).circumference - 0.5f;
  std::vector<XYPoint> points;
  for (std::int32_t i = 0; i < model.sheetCount; ++i) {
    if (model.sheetX[i] <= seam)
      points.push_back({model.sheetX[i] * 10.0f, model.sheetY[i] * 10.0f});
  }
  ASSERT_EQ(points.size(), 240u);
  const auto file = r.folders.dir.write("sheet.xy", xyFileText(points, false));

  r.import(file.string(), true);
  EXPECT_EQ(model.atomCount, 240);
  EXPECT_EQ(r.rig.status(0), "(?,?) Tube Diameter 7.834 A");
  EXPECT_EQ(model.bondCount, 340);
  EXPECT_EQ(r.rows(), 240);

  r.import(file.string(), false);
  EXPECT_EQ(r.rig.status(0), "Sheet Width 24.612 A");
  EXPECT_EQ(model.bondCount, 329);
  EXPECT_EQ(r.rows(), 240);
}

// The sample XY file the program folder ships rolls into its (10,0) tube.
TEST(XYImportCommandTest, shippedSampleRollsIntoItsTube)
{
  XYRig r;
  r.import(std::string(TARVEK_TEST_SOURCE_DIR) + "/../data/IMPORT/sheet_10_0.xy", true);
  EXPECT_EQ(r.rig.model.atomCount, 240);
  EXPECT_EQ(r.rig.status(0), "(?,?) Tube Diameter 7.834 A");
  EXPECT_EQ(r.rig.model.bondCount, 340);
}

// The reading rules as the command sees them: a blank line ends the points,
// a one-item line is skipped, a third item is ignored, "1,5" reads as 1.5; a
// truncated last line is skipped. Files with LF or CR line ends read in full
// and stay as they were.
TEST(XYImportCommandTest, readingRulesHold)
{
  XYRig r;
  Model& model = r.rig.model;
  r.import(fixture("rules.xy"), false);
  ASSERT_EQ(model.sheetCount, 3);
  EXPECT_EQ(model.sheetX[0], 0.0f);
  EXPECT_EQ(model.sheetY[0], 0.0f);
  EXPECT_NEAR(model.sheetX[1] / model.sheetY[1], 0.75, 1e-6);
  EXPECT_NEAR(model.sheetX[2] / model.sheetY[2], 0.75, 1e-6);

  r.import(fixture("truncated.xy"), false);
  EXPECT_EQ(model.sheetCount, 2);

  for (const char* name : {"lf.xy", "cr.xy"}) {
    const std::string bytes = readBytes(fixture(name));
    r.import(fixture(name), false);
    EXPECT_EQ(model.sheetCount, 3) << name;
    EXPECT_EQ(r.rig.status(0), "Sheet Width 4.073 A") << name;
    EXPECT_EQ(readBytes(fixture(name)), bytes) << name;
  }
  EXPECT_TRUE(r.rig.prompts.messages().empty());
}

// A honeycomb of 20,000 points: no fixed limit on the count.
TEST(XYImportCommandTest, twentyThousandPointsBuildOneSheet)
{
  XYRig r;
  // 100 x 100 cells of two atoms, bond length 1.
  std::vector<XYPoint> points;
  const double h = std::sqrt(3.0);
  for (int j = 0; j < 100; ++j)
    for (int i = 0; i < 100; ++i) {
      const auto x = static_cast<float>(i * h + j * h / 2);
      const auto y = static_cast<float>(j * 1.5);
      points.push_back({x, y});
      points.push_back({x, y + 1.0f});
    }
  const auto file = r.folders.dir.write("honeycomb.xy", xyFileText(points, false));
  r.import(file.string(), false, true);
  EXPECT_EQ(r.rig.model.sheetCount, 20000);
  EXPECT_EQ(r.rows(), 20000);
  EXPECT_GT(r.rig.model.bondCount, 29000);
  EXPECT_EQ(r.rig.prompts.calls.at(1).text, ">3000 Atoms. Do you still wish to create bonds?");
}

// What the window shows, to compare before and after a refused import.
struct Shown {
  int type;
  bool typeEnabled;
  bool atoms, bonds;
  Model model;
  std::int32_t drawnAtoms, drawnBonds;
  std::array<std::string, 4> panels;
  int rows;
  std::string title;

  bool operator==(const Shown&) const = default;
};

Shown shown(XYRig& r)
{
  Shown s{r.form.cmbTYP->currentIndex(), r.form.cmbTYP->isEnabled(),
          r.form.cbOP[0]->isChecked(), r.form.cbOP[1]->isChecked(), r.rig.model,
          r.form.scene().drawnAtomCount, r.form.scene().drawnBondCount, {}, r.rows(),
          r.form.titleText().toStdString()};
  for (int k = 0; k < 4; ++k)
    s.panels[static_cast<std::size_t>(k)] = r.rig.status(k);
  return s;
}

// Every file that cannot build is refused with one message naming it,
// before the roll question and before anything on screen changes.
TEST(XYImportCommandTest, unbuildableFilesChangeNothing)
{
  XYRig r;
  r.form.cbOP[1]->setChecked(false);
  const struct {
    std::string path;
    const char* says;
  } cases[] = {
      {fixture("empty.xy"), "holds fewer than two points."},
      {fixture("one_point.xy"), "holds fewer than two points."},
      {fixture("repeated.xy"), "holds the same point twice (points 2 and 6)."},
      {fixture("nan.xy"), "holds the same point twice (points 1 and 2)."},
      {fixture("too_large.xy"), "holds a value too large for a coordinate (point 3)."},
      {fixture("far_out.xy"), "holds a value too large for a coordinate (point 2)."},
      {fixture("beyond_double.xy"), "line 3"},
      {fixture("missing.xy"), ""},
      {fixture(""), ""},
  };
  for (const auto& c : cases) {
    const Shown before = shown(r);
    const auto calls = r.rig.prompts.calls.size();
    r.rig.dialogs.answer(FileChoice{c.path, 1});
    r.form.fileCommands().mnuFile_43->trigger();
    ASSERT_EQ(r.rig.prompts.calls.size(), calls + 1) << c.path;
    const auto& message = r.rig.prompts.calls.back();
    EXPECT_EQ(message.kind, test::FakePrompts::Kind::Message) << c.path;
    EXPECT_NE(message.text.find(c.path), std::string::npos) << message.text;
    EXPECT_NE(message.text.find(c.says), std::string::npos) << message.text;
    EXPECT_TRUE(shown(r) == before) << c.path;
    EXPECT_FALSE(r.form.state().xyImportFlag) << c.path;
  }

  // Cancel shows and changes nothing.
  const Shown before = shown(r);
  const auto calls = r.rig.prompts.calls.size();
  r.rig.dialogs.answer(std::nullopt);
  r.form.fileCommands().mnuFile_43->trigger();
  EXPECT_EQ(r.rig.prompts.calls.size(), calls);
  EXPECT_TRUE(shown(r) == before);
}

} // namespace
} // namespace tarvek
