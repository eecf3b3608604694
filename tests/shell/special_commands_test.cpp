#include "form1_rig.h"
#include "modal_dialog.h"

#include "model/colour_helpers.h"
#include "model/tube_builder.h"
#include "runtime/line_reader.h"
#include "runtime/number_parse.h"
#include "runtime/split.h"
#include "scene/scene_object.h"
#include "shell/special_commands.h"
#include "support/scratch_dir.h"
#include "tools/builder_dialogs.h"

#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardItemModel>
#include <QTableView>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <functional>

namespace tarvek {
namespace {

namespace fs = std::filesystem;
using test::Form1Rig;
using test::whenShown;

// One hand-over of a builder as the scene saw it.
struct Pass {
  bool noFill;
  std::uint32_t bondColor;
  float x, y, z;
  std::int16_t n, m;
};

// Wraps the builders' hand-over so each pass is recorded before it reaches
// the scene.
std::vector<Pass>& recordPasses(Form1Rig& rig)
{
  static std::vector<Pass> passes;
  passes.clear();
  SpecialCommands& special = rig.form->specialCommands();
  auto original = special.handOver;
  special.handOver = [&rig, original](bool noFill) {
    const Model& m = rig.model;
    passes.push_back({noFill, rig.preferences.bondColor, m.placementX, m.placementY, m.placementZ,
                      m.tubeN, m.tubeM});
    original(noFill);
  };
  return passes;
}

std::vector<std::vector<double>> sceneRows(const std::string& path)
{
  std::vector<std::vector<double>> rows;
  LineReader reader(path);
  std::string line;
  while (reader.next(line)) {
    std::vector<double> row;
    for (const auto& field : splitSpaces(trimBlanks(line)))
      row.push_back(Val(field));
    rows.push_back(row);
  }
  return rows;
}

// Mean of column c over rows [first, first + count).
double blockMean(const std::vector<std::vector<double>>& rows, std::size_t first,
                 std::size_t count, std::size_t c)
{
  double sum = 0.0;
  for (std::size_t i = first; i < first + count; ++i)
    sum += rows[i][c];
  return sum / double(count);
}

double blockMin(const std::vector<std::vector<double>>& rows, std::size_t first,
                std::size_t count, std::size_t c)
{
  double low = rows[first][c];
  for (std::size_t i = first; i < first + count; ++i)
    low = std::min(low, rows[i][c]);
  return low;
}

std::uint32_t hueColour(std::int16_t hue)
{
  const RGBParts p = HSBtoRGB(hue, 239, 160);
  return packColor(std::uint32_t(p.red), std::uint32_t(p.green), std::uint32_t(p.blue));
}

void enableType(Form1& form, int index)
{
  qobject_cast<QStandardItemModel*>(form.cmbTYP->model())->item(index)->setEnabled(true);
}

QStringList menuTexts(const QList<QAction*>& actions)
{
  QStringList texts;
  for (QAction* a : actions)
    texts << (a->isSeparator() ? QStringLiteral("-") : a->text());
  return texts;
}

TEST(SpecialCommandsTest, menusHoldTheSpecialTreeAndTheGrapheneItem)
{
  Form1Rig rig;
  QStringList bar;
  for (QAction* a : rig.form->menuBar()->actions()) {
    if (a->menu() != nullptr)
      bar << a->text();
  }
  EXPECT_EQ(bar.join("|"), "&File|&View|&Tools|&Special|&Help");
  SpecialCommands& special = rig.form->specialCommands();
  EXPECT_EQ(menuTexts(special.mnuSpecial->actions()).join("|"),
            "Tube Bundle|Capped Tube|-|Bucky Ball|Insert Cylinder/Ball|Hetero-Junction|"
            "Custom MWNT");
  EXPECT_EQ(menuTexts(special.mnuCap->actions()).join("|"),
            "Capped (9,0) Tube|Capped (5,5) Tube|Capped (6,6) Tube|Capped (10,0) Tube|"
            "Capped (10,10) Tube|Capped (11,11) Tube|Capped (16,16) Tube|Capped (19,0) Tube|"
            "Capped (28,0) Tube");
  EXPECT_FALSE(special.itmFX[5]->isVisible());
  for (int i : {0, 1, 3, 4, 6})
    EXPECT_TRUE(special.itmFX[i]->isVisible()) << i;
  const QStringList tools = menuTexts(rig.form->mnuTool->actions());
  const auto at = tools.indexOf("Multi-Layer Graphene");
  ASSERT_GE(at, 0);
  EXPECT_EQ(tools.mid(at, 2).join("|"), "Multi-Layer Graphene|Virus Geometries");
}

const double kBundleCentres[7][2] = {{0, 0},           {8.834, 0},      {-8.834, 0},
                                     {-4.417, -7.651}, {4.417, -7.651}, {4.417, 7.651},
                                     {-4.417, 7.651}};

// Seven (10,0) tubes around the first, 8.834 Å apart (diameter 7.834 + 1);
// separations outside 0..10 count as 1.
TEST(SpecialCommandsTest, bundleShowsSevenTubesOnAHexagon)
{
  for (const char* answer : {"1", "12", "-3"}) {
    Form1Rig rig;
    rig.prompts.answerInput(answer);
    rig.form->specialCommands().itmFX[0]->trigger();
    EXPECT_EQ(rig.model.tubeVariant, 2) << answer;
    EXPECT_EQ(rig.form->scene().getNO(), 7) << answer;
    EXPECT_EQ(rig.form->scene().drawnAtomCount, 7 * 240) << answer;
    EXPECT_EQ(rig.form->scene().drawnBondCount, 7 * 340) << answer;
    EXPECT_EQ(rig.status(2), "1680 Atoms");
    const auto& call = rig.prompts.calls.at(0);
    EXPECT_EQ(call.text, "Enter tube separation in [A]  (0-10)");
    EXPECT_EQ(call.title, "Tube Bundle");
    EXPECT_EQ(call.defaultText, "1");
    const auto rows = sceneRows(rig.display.sceneAtomFilePath);
    ASSERT_EQ(rows.size(), 1680u);
    for (std::size_t t = 0; t < 7; ++t) {
      EXPECT_NEAR(blockMean(rows, 240 * t, 240, 0), kBundleCentres[t][0], 0.01) << answer << t;
      EXPECT_NEAR(blockMean(rows, 240 * t, 240, 1), kBundleCentres[t][1], 0.01) << answer << t;
    }
    EXPECT_EQ(rig.model.placementX, 0.0f);
  }
  for (std::optional<std::string> answer :
       {std::optional<std::string>("abc"), std::optional<std::string>(""),
        std::optional<std::string>()}) {
    Form1Rig rig;
    rig.prompts.answerInput(answer);
    rig.form->specialCommands().itmFX[0]->trigger();
    EXPECT_EQ(rig.model.tubeVariant, 1) << answer.value_or("Cancel");
    EXPECT_EQ(rig.form->scene().drawnAtomCount, 240) << answer.value_or("Cancel");
  }
}

// With the bundle colour option each outer tube gets its ramp colour; the
// central tube and the Preferences keep the bond colour.
TEST(SpecialCommandsTest, bundleColoursTheOuterTubes)
{
  Form1Rig rig;
  rig.preferences.optionFlags[3] = true;
  const std::uint32_t bond = rig.preferences.bondColor;
  auto& passes = recordPasses(rig);
  rig.prompts.answerInput("1");
  rig.form->specialCommands().itmFX[0]->trigger();
  const std::int16_t hues[] = {40, 80, 120, 159, 199, 239};
  ASSERT_EQ(passes.size(), 6u);
  for (std::size_t t = 0; t < 6; ++t) {
    EXPECT_EQ(passes[t].bondColor, hueColour(hues[t])) << t;
    EXPECT_EQ(passes[t].noFill, t < 5) << t;
  }
  EXPECT_EQ(rig.preferences.bondColor, bond);
  const auto bonds = sceneRows(rig.display.sceneBondFilePath);
  ASSERT_EQ(bonds.size(), 7u * 340u);
  EXPECT_EQ(bonds[0][6], double(bond));
  EXPECT_EQ(bonds[339][6], double(bond));
  EXPECT_EQ(bonds[340][6], double(hueColour(40)));
}

// Walls (10,0), (15,5), (20,10): each a single tube's atoms, the inner
// ones in front when protruding, each in its ramp colour when asked.
TEST(SpecialCommandsTest, multiWallTubeStepsTheIndices)
{
  std::int32_t single = 0;
  for (auto [n, m] : {std::pair{10, 0}, std::pair{15, 5}, std::pair{20, 10}}) {
    Model model;
    test::FakePrompts prompts;
    test::FakeAbort abort;
    buildTubes(model, std::int16_t(n), std::int16_t(m), 25.0f, 1.421f, prompts, abort);
    single += model.atomCount;
  }
  Form1Rig rig;
  rig.preferences.optionFlags[4] = true;
  rig.preferences.optionFlags[5] = true;
  rig.preferences.protrudeDz = 0.0f;
  const std::uint32_t bond = rig.preferences.bondColor;
  auto& passes = recordPasses(rig);
  rig.setField(4, "3");
  rig.setField(5, "5");
  rig.setField(13, "5");
  rig.pressCalculate();
  ASSERT_EQ(passes.size(), 2u);
  EXPECT_EQ(passes[0].n, 15);
  EXPECT_EQ(passes[0].m, 5);
  EXPECT_EQ(passes[1].n, 20);
  EXPECT_EQ(passes[1].m, 10);
  EXPECT_EQ(rig.form->scene().drawnAtomCount, single);
  EXPECT_EQ(rig.preferences.protrudeDz, 4.0f);
  EXPECT_EQ(passes[0].z, -4.0f);
  EXPECT_EQ(passes[1].z, -8.0f);
  EXPECT_EQ(passes[0].bondColor, hueColour(159));
  EXPECT_EQ(passes[1].bondColor, hueColour(239));
  EXPECT_TRUE(passes[0].noFill && passes[1].noFill);
  EXPECT_EQ(rig.preferences.bondColor, bond);
  EXPECT_EQ(rig.model.placementZ, 0.0f);

  // The walls' lowest z against the plain build: 0, -4, -8.
  const auto rows = sceneRows(rig.display.sceneAtomFilePath);
  std::size_t first = 0;
  double offsets[3];
  int wall = 0;
  for (auto [n, m] : {std::pair{10, 0}, std::pair{15, 5}, std::pair{20, 10}}) {
    Model model;
    test::FakePrompts prompts;
    test::FakeAbort abort;
    buildTubes(model, std::int16_t(n), std::int16_t(m), 25.0f, 1.421f, prompts, abort);
    const double plain = *std::min_element(model.atomZ.begin(), model.atomZ.end());
    offsets[wall++] = blockMin(rows, first, std::size_t(model.atomCount), 2) - plain;
    first += std::size_t(model.atomCount);
  }
  EXPECT_NEAR(offsets[0], 0.0, 1e-4);
  EXPECT_NEAR(offsets[1], -4.0, 1e-4);
  EXPECT_NEAR(offsets[2], -8.0, 1e-4);
}

// States the field check never lets through: an n step below 1 becomes 2
// (and the field says so); m never passes n.
TEST(SpecialCommandsTest, multiWallBuilderMendsItsSteps)
{
  Form1Rig rig;
  auto& passes = recordPasses(rig);
  MainWindowState& state = rig.form->state();
  state.wallCount = 3;
  state.wallIncrementN = 0.5f;
  state.wallIncrementM = 0.0f;
  rig.form->specialCommands().buildMultiWallTube();
  ASSERT_EQ(passes.size(), 2u);
  EXPECT_EQ(passes[0].n, 12);
  EXPECT_EQ(passes[1].n, 14);
  EXPECT_EQ(rig.form->tf[5]->text(), "2");
  EXPECT_EQ(state.wallIncrementN, 2.0f);

  rig.setField(0, "10");
  rig.setField(1, "10");
  state.wallIncrementN = 2.0f;
  state.wallIncrementM = 3.0f;
  passes.clear();
  rig.form->specialCommands().buildMultiWallTube();
  ASSERT_EQ(passes.size(), 2u);
  for (const Pass& p : passes)
    EXPECT_LE(p.m, p.n);
  EXPECT_EQ(passes[1].n, 14);
  EXPECT_EQ(passes[1].m, 14);
}

// The listed walls come in their own order, unclamped.
TEST(SpecialCommandsTest, customMultiWallTakesTheListAsTyped)
{
  Form1Rig rig;
  auto& passes = recordPasses(rig);
  rig.prompts.answerInput("(10,0) (20,0) (15,5)");
  rig.form->specialCommands().itmFX[6]->trigger();
  EXPECT_EQ(rig.model.tubeVariant, 8);
  ASSERT_EQ(passes.size(), 2u);
  EXPECT_EQ(passes[0].n, 20);
  EXPECT_EQ(passes[0].m, 0);
  EXPECT_EQ(passes[1].n, 15);
  EXPECT_EQ(passes[1].m, 5);
  EXPECT_EQ(rig.model.tubeN, 15);
}

// Cones stack 2.5 Å apart; the last hand-over takes the fill objects in.
TEST(SpecialCommandsTest, stackedConesMoveAlongZ)
{
  Form1Rig rig;
  auto& passes = recordPasses(rig);
  rig.setField(8, "3");
  rig.setField(9, "2.5");
  rig.form->cmbTYP->setCurrentIndex(2);
  ASSERT_EQ(passes.size(), 2u);
  EXPECT_EQ(passes[0].z, 2.5f);
  EXPECT_EQ(passes[1].z, 5.0f);
  EXPECT_TRUE(passes[0].noFill);
  EXPECT_FALSE(passes[1].noFill);
  const auto rows = sceneRows(rig.display.sceneAtomFilePath);
  const std::size_t cone = rows.size() / 3;
  ASSERT_EQ(rows.size(), 3 * cone);
  for (std::size_t i = 0; i < cone; ++i) {
    EXPECT_NEAR(rows[cone + i][2] - rows[i][2], 2.5, 1e-4);
    EXPECT_NEAR(rows[2 * cone + i][2] - rows[i][2], 5.0, 1e-4);
  }
}

// Each preset asks for the ends once, builds its tube and shows its indices.
TEST(SpecialCommandsTest, capPresetsSetTheirCodes)
{
  const std::int16_t codes[] = {90, 55, 66, 100, 1010, 1111, 1616, 190, 280};
  const char* const indices[][2] = {{"9", "0"},   {"5", "5"},   {"6", "6"},   {"10", "0"}, {"10", "10"},
                                    {"11", "11"}, {"16", "16"}, {"19", "0"}, {"28", "0"}};
  Form1Rig rig;
  SpecialCommands& special = rig.form->specialCommands();
  int asked = 0;
  special.capChooser = [&asked] {
    ++asked;
    return std::int16_t(2);
  };
  for (int i = 0; i < 9; ++i) {
    asked = 0;
    special.itmCap[i]->trigger();
    EXPECT_EQ(asked, 1) << i;
    EXPECT_EQ(rig.model.tubeVariant, codes[i]) << i;
    EXPECT_EQ(rig.model.capEnds, 2) << i;
    EXPECT_EQ(rig.form->tf[0]->text().toStdString(), indices[i][0]) << i;
    EXPECT_EQ(rig.form->tf[1]->text().toStdString(), indices[i][1]) << i;
  }
  special.itmCap[1]->trigger();
  EXPECT_EQ(rig.model.tubeN, 5);
  EXPECT_EQ(rig.model.tubeM, 5);

  // From a coordinate import the preset goes back to the nano-tube.
  enableType(*rig.form, 6);
  rig.form->cmbTYP->setCurrentIndex(6);
  rig.form->state().coordinateImportFlag = true;
  special.itmCap[1]->trigger();
  EXPECT_FALSE(rig.form->state().coordinateImportFlag);
  EXPECT_EQ(rig.form->cmbTYP->currentText(), "Nano - Tube");
  EXPECT_EQ(rig.model.tubeVariant, 55);
}

// The real cap dialog stands over the view's top-left corner; its close box
// means both ends.
TEST(SpecialCommandsTest, capDialogOverTheViewCorner)
{
  Form1Rig rig;
  SpecialCommands& special = rig.form->specialCommands();
  const QPoint corner = rig.form->viewWidget()->mapToGlobal(QPoint(0, 0));
  QPoint shownAt;
  whenShown<dlgCAPS>([&shownAt](dlgCAPS& d) {
    shownAt = d.pos();
    EXPECT_EQ(d.windowTitle(), " Cap Choices");
    EXPECT_TRUE(d.op[0]->isChecked());
    d.op[2]->click();
    d.OKButton->click();
  });
  special.itmCap[1]->trigger();
  EXPECT_EQ(shownAt, corner);
  EXPECT_EQ(rig.model.capEnds, 2);
  whenShown<dlgCAPS>([](dlgCAPS& d) {
    d.op[1]->click();
    d.close();
  });
  EXPECT_EQ(special.showCapsDialog(), 0);
}

TEST(SpecialCommandsTest, buckyBallAndTheInsertedObject)
{
  Form1Rig rig;
  SpecialCommands& special = rig.form->specialCommands();
  special.itmFX[4]->trigger();
  EXPECT_TRUE(rig.display.insertFlag);
  EXPECT_EQ(rig.form->scene().getNfill(), 1);
  EXPECT_EQ(special.itmFX[4]->text(), "Remove Cylinder/Ball");
  special.itmFX[4]->trigger();
  EXPECT_FALSE(rig.display.insertFlag);
  EXPECT_EQ(rig.form->scene().getNfill(), 0);
  EXPECT_EQ(special.itmFX[4]->text(), "Insert Cylinder/Ball");

  special.itmFX[3]->trigger();
  EXPECT_EQ(rig.model.structureKind, 5);
  EXPECT_EQ(rig.model.tubeVariant, 5);
  EXPECT_EQ(rig.model.atomCount, 60);
  EXPECT_EQ(rig.form->cmbTYP->currentText(), "Bucky - Ball");

  rig.form->cmbTYP->setCurrentIndex(2);
  special.itmFX[4]->trigger();
  EXPECT_FALSE(rig.display.insertFlag);
  EXPECT_EQ(special.itmFX[4]->text(), "Insert Cylinder/Ball");
}

// The graphene dialog's values for its options, a decimal comma, Cancel and
// the close box.
TEST(SpecialCommandsTest, grapheneDialogHandsBackItsValues)
{
  Form1Rig rig;
  const auto run = [&](std::function<void(dlgGRAPHENE&)> act) {
    auto dialog = std::make_unique<dlgGRAPHENE>(rig.form.get());
    whenShown<dlgGRAPHENE>(act);
    dialog->exec();
    return dialog;
  };
  auto plain = run([](dlgGRAPHENE& d) { d.OKButton->click(); });
  EXPECT_EQ(plain->okPressed, 1);
  EXPECT_EQ(plain->layerWidth, 15.0f);
  EXPECT_EQ(plain->layerHeight, 15.0f);
  EXPECT_EQ(plain->layerCount, 2.0f);
  EXPECT_EQ(plain->layerDistance, 3.395f);
  EXPECT_EQ(plain->graphiteShift, 0);
  EXPECT_EQ(plain->layerRotation, 0.0f);
  auto turned = run([](dlgGRAPHENE& d) {
    d.rb[2]->click();
    d.OKButton->click();
  });
  EXPECT_EQ(turned->layerRotation, -30.0f);
  EXPECT_EQ(turned->graphiteShift, 0);
  auto shifted = run([](dlgGRAPHENE& d) {
    d.rb[1]->click();
    d.tf[3]->setText("3,395");
    d.OKButton->click();
  });
  EXPECT_EQ(shifted->graphiteShift, 1);
  EXPECT_EQ(shifted->layerRotation, 0.0f);
  EXPECT_EQ(shifted->layerDistance, 3.395f);
  EXPECT_EQ(run([](dlgGRAPHENE& d) { d.CancelButton->click(); })->okPressed, 0);
  EXPECT_EQ(run([](dlgGRAPHENE& d) { d.close(); })->okPressed, 0);

  // A field gets the focus with its whole text selected.
  run([](dlgGRAPHENE& d) {
    QFocusEvent focusIn(QEvent::FocusIn, Qt::MouseFocusReason);
    QApplication::sendEvent(d.tf[3], &focusIn);
    QApplication::processEvents();
    EXPECT_EQ(d.tf[3]->selectedText(), "3.395");
    d.CancelButton->click();
  });
}

// Fills the graphene dialog when the command shows it.
void answerGraphene(const char* w, const char* h, const char* layers, int option,
                    const char* angle = "30")
{
  whenShown<dlgGRAPHENE>([=](dlgGRAPHENE& d) {
    d.tf[0]->setText(w);
    d.tf[1]->setText(h);
    d.tf[2]->setText(layers);
    d.tf[4]->setText(angle);
    d.rb[std::size_t(option)]->click();
    d.OKButton->click();
  });
}

TEST(SpecialCommandsTest, multiLayerGrapheneShowsTheStack)
{
  Form1Rig rig;
  SpecialCommands& special = rig.form->specialCommands();
  answerGraphene("20", "15", "2", 0);
  special.mnuTool_13->trigger();
  EXPECT_TRUE(rig.prompts.calls.empty());
  EXPECT_EQ(rig.model.sheetCount, 256);
  EXPECT_EQ(rig.model.bondCount, 344);
  EXPECT_EQ(rig.form->scene().drawnAtomCount, 256);
  EXPECT_EQ(rig.status(2), "256 Atoms");
  EXPECT_EQ(rig.status(3), "344 Bonds");
  EXPECT_EQ(rig.form->cmbTYP->currentText(), "Graphene Sheet");
  EXPECT_TRUE(rig.display.orthoProjection);
  EXPECT_EQ(rig.form->titleText(), "Multi-Layer Graphene");
  EXPECT_EQ(rig.form->lstXYZ->model()->rowCount(), 256);
  for (int p = 0; p < 128; ++p) {
    EXPECT_EQ(rig.model.sheetX[128 + p], rig.model.sheetX[p]);
    EXPECT_EQ(rig.model.sheetY[128 + p], rig.model.sheetY[p]);
    EXPECT_EQ(rig.model.sheetZ[128 + p], 3.395f);
  }

  answerGraphene("20", "15", "3", 1);
  special.mnuTool_13->trigger();
  ASSERT_EQ(rig.model.sheetCount, 384);
  EXPECT_FLOAT_EQ(rig.model.sheetY[128], rig.model.sheetY[0] + 1.421f);
  EXPECT_EQ(rig.model.sheetY[256], rig.model.sheetY[0]);
  EXPECT_FLOAT_EQ(rig.model.sheetZ[256], 6.79f);

  answerGraphene("20", "15", "2", 2, "30");
  special.mnuTool_13->trigger();
  const double c = std::cos(-M_PI / 6), s = std::sin(-M_PI / 6);
  for (int p = 0; p < 128; ++p) {
    const double x = rig.model.sheetX[p], y = rig.model.sheetY[p];
    EXPECT_NEAR(rig.model.sheetX[128 + p], x * c - y * s, 1e-5);
    EXPECT_NEAR(rig.model.sheetY[128 + p], x * s + y * c, 1e-5);
  }
}

struct LargeStack {
  test::ScratchDir dir;
  std::string exportFolder = (dir.path() / "Export").string() + "/";
  std::string file = exportFolder + "MultiLayer_100x100x6 layers.txt";
  std::unique_ptr<Form1Rig> rig;

  LargeStack()
  {
    StartupState startup;
    startup.exportFolder = exportFolder;
    rig = std::make_unique<Form1Rig>(Form1Seams{}, nullptr, startup);
  }
  void run(const char* layers)
  {
    answerGraphene("100", "100", layers, 0);
    rig->form->specialCommands().mnuTool_13->trigger();
  }
};

// 5 layers of 100 x 100 stay below the display limit; 6 are asked about,
// written on Yes, and a 40 x 40 two-layer preview is shown either way.
TEST(SpecialCommandsTest, largeStacksGoToAFile)
{
  {
    LargeStack s;
    s.run("5");
    EXPECT_TRUE(s.rig->prompts.calls.empty());
    EXPECT_EQ(s.rig->model.sheetCount, 5 * 3854);
    EXPECT_EQ(s.rig->model.bondCount, 0);
  }
  LargeStack s;
  s.rig->useCrLf();
  s.rig->prompts.answerYesNo(true);
  s.run("6");
  ASSERT_EQ(s.rig->prompts.calls.size(), 2u);
  const auto& ask = s.rig->prompts.calls[0];
  EXPECT_EQ(ask.text, "Too many atoms for display.\r\nData will be written directly to a file.\r\n"
                      "\r\nDo you wish to proceed?");
  EXPECT_EQ(ask.title, "Multi-Layer Graphene");
  EXPECT_EQ(ask.icon, MessageIcon::Question);
  const auto& told = s.rig->prompts.calls[1];
  EXPECT_EQ(told.text, "23124 atom positions were saved to file:\r\n\r\n" + s.file);
  EXPECT_EQ(told.icon, MessageIcon::Information);
  const std::string bytes = test::readBytes(s.file);
  EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\n'), 23125);
  EXPECT_EQ(bytes.substr(0, 12), " 23124    \r\n");
  EXPECT_EQ(s.rig->model.sheetCount, 1256);
  EXPECT_EQ(s.rig->form->scene().drawnAtomCount, 1256);

  // No: nothing written, the same preview.
  fs::remove(s.file);
  s.rig->prompts.calls.clear();
  s.rig->prompts.answerYesNo(false);
  s.run("6");
  EXPECT_EQ(s.rig->prompts.calls.size(), 1u);
  EXPECT_FALSE(fs::exists(s.file));
  EXPECT_EQ(s.rig->model.sheetCount, 1256);

  // A missing folder is made again.
  fs::remove_all(s.exportFolder);
  s.rig->prompts.answerYesNo(true);
  s.run("6");
  EXPECT_TRUE(fs::exists(s.file));

  // A file in place of the folder: one message naming the path, then the
  // preview.
  fs::remove_all(s.exportFolder);
  s.dir.write("Export", "not a folder");
  s.rig->prompts.calls.clear();
  s.rig->prompts.answerYesNo(true);
  s.run("6");
  ASSERT_EQ(s.rig->prompts.messages().size(), 1u);
  EXPECT_NE(s.rig->prompts.messages()[0].text.find(s.file), std::string::npos);
  EXPECT_EQ(s.rig->model.sheetCount, 1256);
  EXPECT_EQ(s.rig->form->scene().drawnAtomCount, 1256);
}

// Refused stacks give their message and build nothing.
TEST(SpecialCommandsTest, refusedStacksBuildNothing)
{
  Form1Rig rig;
  const std::int32_t atoms = rig.form->scene().drawnAtomCount;
  answerGraphene("15", "15", "0", 0);
  rig.form->specialCommands().mnuTool_13->trigger();
  ASSERT_EQ(rig.prompts.messages().size(), 1u);
  EXPECT_EQ(rig.prompts.messages()[0].text, "The number of layers must be at least 1.");
  answerGraphene("1e39", "15", "2", 0);
  rig.form->specialCommands().mnuTool_13->trigger();
  ASSERT_EQ(rig.prompts.messages().size(), 2u);
  EXPECT_EQ(rig.prompts.messages()[1].text, "The number 1e39 is too large.");
  EXPECT_EQ(rig.form->scene().drawnAtomCount, atoms);
}

} // namespace
} // namespace tarvek
