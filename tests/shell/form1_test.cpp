#include "form1_rig.h"

#include "scene/scene_object.h"
#include "shell/collapsible_frame.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMenuBar>
#include <QStandardItemModel>
#include <QTableView>
#include <QToolBar>

#include <gtest/gtest.h>

#include <climits>

#include <filesystem>
#include <map>
#include <string>

namespace tarvek {
namespace {

namespace fs = std::filesystem;
using test::Form1Rig;

void enableType(Form1& form, int index)
{
  qobject_cast<QStandardItemModel*>(form.cmbTYP->model())->item(index)->setEnabled(true);
}

TEST(Form1Test, loadShowsTheDefaultTube)
{
  Form1Rig rig;
  Form1& form = *rig.form;
  EXPECT_EQ(form.client()->size(), QSize(848, 637));
  EXPECT_EQ(form.cmbTYP->currentText(), "Nano - Tube");
  EXPECT_EQ(form.cmbTYP->count(), 8);
  EXPECT_EQ(form.cmb1->currentText(), "C - C");
  EXPECT_EQ(form.cmb1->count(), 4);
  EXPECT_EQ(form.cmb2->currentText(), "240");
  for (int i = 0; i < 2; ++i) {
    EXPECT_EQ(form.cmbRAD[i]->currentText(), "50%") << i;
    EXPECT_EQ(form.cmbRAD[i]->count(), 20) << i;
    EXPECT_TRUE(form.cbOP[i]->isChecked()) << i;
  }
  EXPECT_EQ(form.tf[3]->text(), "1.421");
  EXPECT_TRUE(form.fr1->caption().startsWith("<<  Select Type"));
  EXPECT_TRUE(form.fr2->caption().startsWith("<<  Nano - Tube"));
  EXPECT_EQ(form.fr5->caption(), ">>  Tube Distortions");
  EXPECT_EQ(form.fr5->height(), 18);
  EXPECT_TRUE(form.fr3->isHidden());
  EXPECT_EQ(form.fr3->height(), 0);
  EXPECT_EQ(form.titleText(), "Nano - Tube");
  const auto* headers = form.lstXYZ->model();
  const char* const names[] = {"#", "X", "Y", "Z", ""};
  for (int c = 0; c < 5; ++c) {
    EXPECT_EQ(headers->headerData(c, Qt::Horizontal).toString(), names[c]) << c;
    const auto align =
        Qt::Alignment(headers->headerData(c, Qt::Horizontal, Qt::TextAlignmentRole).toInt());
    EXPECT_EQ(bool(align & Qt::AlignRight), c > 0) << c;
  }
  EXPECT_EQ(rig.status(0), "(10,0) Tube Diameter 7.834 A");
  EXPECT_EQ(rig.status(1), "Atom Radius 50%");
  EXPECT_EQ(rig.status(2), "240 Atoms");
  EXPECT_EQ(rig.status(3), "340 Bonds");
  EXPECT_TRUE(rig.prompts.calls.empty());
  EXPECT_EQ(rig.prompts.waitDepth, 0);
}

TEST(Form1Test, panelsStackDownTheLeftColumn)
{
  Form1Rig rig;
  Form1& form = *rig.form;
  const int H = form.Toolbar1->height();
  const int T = form.fr1->y();
  // The column is the design's 200 pixels wide, or wider where the
  // coordinate list needs more to show its Z column.
  const int W = form.fr1->width();
  EXPECT_GE(W, 200);
  EXPECT_EQ(T, H + 4);
  EXPECT_EQ(form.fr1->geometry(), QRect(8, T, W, 47));
  EXPECT_EQ(form.fr2->geometry(), QRect(8, T + 52, W, 109));
  EXPECT_EQ(form.fr3->y(), T + 166);
  EXPECT_EQ(form.fr5->geometry(), QRect(8, T + 171, W, 18));
  EXPECT_EQ(form.fr4->y(), T + 194);
  EXPECT_EQ(form.fr4->width(), W);
  EXPECT_EQ(form.fr4->y() + form.fr4->height(), form.stb->y() - 3);
  EXPECT_EQ(form.viewWidget()->geometry(), QRect(8 + W + 3, H, 848 - W - 13, form.stb->y() - H));
  EXPECT_TRUE(form.Label2->isHidden());

  form.panelClick(form.fr5);
  EXPECT_EQ(form.fr5->height(), 111);
  EXPECT_FALSE(form.Label2->isHidden());
  EXPECT_EQ(form.fr4->y(), T + 171 + 111 + 5);
  form.panelClick(form.fr5);
  EXPECT_EQ(form.fr5->height(), 18);
  EXPECT_TRUE(form.Label2->isHidden());

  form.panelClick(form.fr4);
  EXPECT_EQ(form.fr4->height(), 18);
  form.resize(form.width(), form.height() + 40);
  QApplication::processEvents();
  EXPECT_EQ(form.fr4->height(), 18);
  form.panelClick(form.fr4);
  EXPECT_EQ(form.fr4->y() + form.fr4->height(), form.stb->y() - 3);

  form.mnuView_3_Click();
  EXPECT_EQ(form.viewWidget()->x(), 0);
  EXPECT_EQ(form.viewWidget()->width(), form.client()->width());
  form.mnuView_3_Click();
  EXPECT_FALSE(form.fr2->isHidden());
  EXPECT_TRUE(form.fr3->isHidden());
  EXPECT_EQ(form.viewWidget()->x(), 8 + W + 3);

  form.cmbTYP->setCurrentIndex(2);
  form.mnuView_3_Click();
  form.mnuView_3_Click();
  EXPECT_TRUE(form.fr2->isHidden());
  EXPECT_TRUE(form.fr5->isHidden());
  EXPECT_FALSE(form.fr3->isHidden());
  EXPECT_EQ(form.fr3->height(), 91);
}

TEST(Form1Test, smallAndMinimisedWindowsKeepSizesValid)
{
  Form1Rig rig;
  Form1& form = *rig.form;
  form.resize(848, 200);
  QApplication::processEvents();
  for (QWidget* w :
       {static_cast<QWidget*>(form.fr4), static_cast<QWidget*>(form.lstXYZ), form.viewWidget()})
    EXPECT_GE(w->height(), 0);
  form.showMinimized();
  QApplication::processEvents();
  form.showNormal();
  form.resize(848, 637 + form.menuBar()->height());
  QApplication::processEvents();
  EXPECT_EQ(form.fr4->y() + form.fr4->height(), form.stb->y() - 3);
}

// The window opens at the stored place and size when that place lies on a
// screen, and where a window with nothing stored opens otherwise.
TEST(Form1Test, storedPlaceAndSizeComeBackOnlyOnAScreen)
{
  // Stored as x() and y() give the frame's place, and the inner size.
  const auto placement = [](const Form1& form) { return QRect(form.pos(), form.size()); };
  std::map<std::string, std::string> stored;
  QRect fresh;
  {
    Form1Rig first;
    fresh = placement(*first.form);
    stored = first.settings.values;
  }
  ASSERT_FALSE(stored.empty());
  ASSERT_NE(fresh, QRect(120, 90, 700, 500));
  const std::pair<const char*, QRect> cases[] = {{" 120  90  700  500", {120, 90, 700, 500}},
                                                 {" 5000  5000  700  500", fresh},
                                                 {" 120 -400  700  500", fresh}};
  for (const auto& [text, expected] : cases) {
    stored["WNDO"] = text;
    Form1Rig rig({}, nullptr, {}, {}, nullptr, stored);
    EXPECT_EQ(placement(*rig.form), expected) << text;
  }
}

struct StatusCase {
  const char* name;
  int type;
  std::vector<std::pair<int, const char*>> fields;
  const char* panel1;
  const char* atoms;
  const char* bonds;
};

TEST(Form1Test, calculateWritesTheStatusBar)
{
  const StatusCase cases[] = {
      {"default", 0, {}, "(10,0) Tube Diameter 7.834 A", "240 Atoms", "340 Bonds"},
      {"(5,5)", 0, {{0, "5"}, {1, "5"}}, "(5,5) Tube Diameter 6.785 A", nullptr, nullptr},
      {"sheet", 1, {}, "Sheet Width 24.612 A", nullptr, nullptr},
      {"C60", 4, {}, "", "60 Atoms", "90 Bonds"},
      // A tube of 500 A or more is built without bonds: the status says why
      // and where to get them, rather than a bare "0 Bonds".
      {"500 A", 0, {{2, "500"}}, "(10,0) Tube Diameter 7.834 A  -  no bonds at 500 A and more: "
                                 "Tools > Recalculate Bonds", nullptr, "No Bonds"},
  };
  for (const auto& c : cases) {
    Form1Rig rig;
    rig.form->cmbTYP->setCurrentIndex(c.type);
    for (const auto& [i, text] : c.fields)
      rig.setField(i, text);
    rig.pressCalculate();
    EXPECT_EQ(rig.status(0), c.panel1) << c.name;
    if (c.atoms) {
      EXPECT_EQ(rig.status(2), c.atoms) << c.name;
    }
    if (c.bonds) {
      EXPECT_EQ(rig.status(3), c.bonds) << c.name;
    }
    EXPECT_EQ(rig.status(2), std::to_string(rig.form->scene().drawnAtomCount) + " Atoms") << c.name;
    EXPECT_TRUE(rig.prompts.calls.empty()) << c.name;
    EXPECT_EQ(rig.prompts.waitDepth, 0) << c.name;
  }
}

// A build cut short by Escape says so where the description would stand;
// the next build, with no press, shows the description again.
TEST(Form1Test, aBuildStoppedByEscapeSaysSo)
{
  Form1Rig rig;
  rig.abort.pressAfter = 3;
  rig.pressCalculate();
  EXPECT_EQ(rig.status(0), "Stopped by Escape: the structure shown is incomplete.");
  EXPECT_LT(rig.form->scene().drawnAtomCount, 240);
  rig.abort.pressAfter = LONG_MAX;
  rig.pressCalculate();
  EXPECT_EQ(rig.status(0), "(10,0) Tube Diameter 7.834 A");
  EXPECT_EQ(rig.status(2), "240 Atoms");
}

TEST(Form1Test, coneTakesItsAngleFromTheList)
{
  Form1Rig rig;
  rig.form->cmbTYP->setCurrentIndex(2);
  rig.form->cmb2->setCurrentIndex(3);
  rig.pressCalculate();
  EXPECT_FLOAT_EQ(rig.model.coneDisclination, 240.0f);
  EXPECT_EQ(rig.status(0), "");
  EXPECT_GT(rig.form->scene().drawnAtomCount, 0);
}

TEST(Form1Test, largeSheetTurnsOrthographicAndShowsAtoms)
{
  Form1Rig rig;
  rig.form->cmbTYP->setCurrentIndex(1);
  rig.form->cbOP[0]->setChecked(false);
  rig.setField(0, "20");
  rig.setField(1, "20");
  rig.setField(2, "200");
  rig.prompts.answerYesNo(false);
  rig.pressCalculate();
  EXPECT_TRUE(rig.display.orthoProjection);
  EXPECT_TRUE(rig.form->cbOP[0]->isChecked());
  EXPECT_TRUE(rig.display.atomsShown);
  EXPECT_GT(rig.form->scene().drawnAtomCount, 3000);
  EXPECT_EQ(rig.status(0), "Sheet Width 85.26 A");
  EXPECT_EQ(rig.prompts.calls.size(), 1u);
}

TEST(Form1Test, overlongTubeAsksOnceAndFallsBackToTheDefaultLength)
{
  for (const bool save : {false, true}) {
    int saves = 0;
    Form1Seams seams;
    seams.saveCoordinatesAs = [&saves] {
      ++saves;
      return SaveOutcome::Failed;
    };
    Form1Rig rig(seams);
    rig.setField(2, "600");
    rig.prompts.answerYesNo(save);
    rig.pressCalculate();
    ASSERT_GE(rig.prompts.calls.size(), 1u) << save;
    EXPECT_EQ(
        rig.prompts.calls[0].text,
        "Tube longer than 500 A (too large for display).\r\nDo you wish to save coordinates?");
    EXPECT_EQ(rig.form->tf[2]->text(), "25");
    EXPECT_LE(rig.model.tubeLength, 30.0f);
    EXPECT_EQ(saves, save ? 1 : 0);
    EXPECT_EQ(rig.prompts.calls.size(), save ? 2u : 1u);
    if (save) {
      EXPECT_EQ(rig.prompts.calls[1].text, "The coordinates were not saved.");
    }
  }
}

// Counted in cells, a tube far beyond the limit is never built unless the
// user wants it saved.
TEST(Form1Test, overlongCellCountFallsBackToOneCell)
{
  int saves = 0;
  Form1Seams seams;
  seams.saveCoordinatesAs = [&saves] {
    ++saves;
    return SaveOutcome::Saved;
  };
  Form1Rig rig(seams);
  rig.preferences.optionFlags[8] = true;
  rig.form->Apply();
  EXPECT_EQ(rig.form->Label1[1]->text(), "Unit-cells");
  EXPECT_FALSE(rig.form->cmb1->isEnabled());
  rig.setField(2, "70000");
  rig.prompts.answerYesNo(false);
  rig.pressCalculate();
  EXPECT_EQ(rig.form->tf[2]->text(), "1");
  EXPECT_EQ(rig.prompts.calls.size(), 1u);
  EXPECT_LT(rig.model.atomCount, 100);
  EXPECT_LT(rig.model.atomX.capacity(), 100000u);

  rig.setField(2, "200");
  rig.prompts.answerYesNo(true);
  rig.pressCalculate();
  EXPECT_EQ(saves, 1);
  EXPECT_EQ(rig.form->tf[2]->text(), "1");
  EXPECT_EQ(rig.prompts.calls.size(), 2u);
}

TEST(Form1Test, importedStructuresAreShownAgainWithoutARebuild)
{
  Form1Rig rig;
  Form1& form = *rig.form;
  enableType(form, 6);
  {
    const QSignalBlocker block(form.cmbTYP);
    form.cmbTYP->setCurrentIndex(6);
  }
  rig.model.structureKind = 7;
  rig.model.tubeLength = 600.0f;
  form.CALCULATE(true);
  EXPECT_TRUE(rig.prompts.calls.empty());
  EXPECT_EQ(rig.status(2), "240 Atoms");
  EXPECT_EQ(rig.status(3), "340 Bonds");

  enableType(form, 7);
  {
    const QSignalBlocker block(form.cmbTYP);
    form.cmbTYP->setCurrentIndex(7);
  }
  rig.model.structureKind = 8;
  rig.model.atomX[0] += 0.25f;
  const auto atoms = rig.model.atomX;
  form.CALCULATE(true);
  EXPECT_EQ(rig.model.atomX, atoms);
  EXPECT_GT(form.scene().drawnAtomCount, 200);
  EXPECT_EQ(rig.status(2), std::to_string(form.scene().drawnAtomCount) + " Atoms");
  EXPECT_EQ(rig.model.structureKind, 8);
  // Kind 8 keeps the bonds it has; the other imported kinds search afresh.
  rig.model.bondCount = 0;
  form.CALCULATE(false);
  EXPECT_EQ(rig.model.bondCount, 0);
  EXPECT_EQ(rig.status(3), "0 Bonds");
  rig.model.structureKind = 7;
  form.CALCULATE(false);
  EXPECT_EQ(rig.model.bondCount, 340);
  EXPECT_EQ(rig.status(3), "340 Bonds");
  EXPECT_EQ(rig.prompts.waitDepth, 0);
}

TEST(Form1Test, leavingAnImportModeIsAsked)
{
  std::vector<std::pair<std::string, bool>> opened;
  Form1Seams seams;
  seams.openXMOL = [&opened](const std::string& file, bool quiet) {
    opened.emplace_back(file, quiet);
  };
  Form1Rig rig(seams);
  Form1& form = *rig.form;
  form.cmbTYP->setCurrentIndex(1);
  const std::string sheetStatus = rig.status(0);

  form.state().coordinateImportFlag = true;
  form.state().lastXmolFile = "/data/t.xyz";
  rig.prompts.answerYesNo(false);
  rig.pressCalculate();
  ASSERT_EQ(opened.size(), 1u);
  EXPECT_EQ(opened[0], std::make_pair(std::string("/data/t.xyz"), true));
  EXPECT_EQ(rig.status(0), sheetStatus);
  EXPECT_TRUE(form.state().coordinateImportFlag);
  EXPECT_EQ(rig.prompts.calls.back().text, "Leave Xmol Import Mode?");

  rig.prompts.answerYesNo(true);
  rig.pressCalculate();
  EXPECT_FALSE(form.state().coordinateImportFlag);
  EXPECT_EQ(form.cmbTYP->currentIndex(), 0);
  EXPECT_EQ(rig.status(0), "(10,0) Tube Diameter 7.834 A");

  form.state().fullereneLibraryMode = true;
  const auto atoms = form.scene().drawnAtomCount;
  const auto text = fs::file_size(rig.display.sceneAtomFilePath);
  rig.setField(0, "12");
  rig.prompts.answerYesNo(false);
  rig.pressCalculate();
  EXPECT_EQ(rig.prompts.calls.back().text, "Leave Import Mode?");
  EXPECT_EQ(form.scene().drawnAtomCount, atoms);
  EXPECT_EQ(fs::file_size(rig.display.sceneAtomFilePath), text);
  EXPECT_EQ(rig.status(0), "(10,0) Tube Diameter 7.834 A");
  EXPECT_EQ(rig.prompts.waitDepth, 0);
}

TEST(Form1Test, keysRecomputeAndDriveTheView)
{
  Form1Rig rig;
  Form1& form = *rig.form;
  form.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&form));

  rig.model.tubeVariant = 2;
  rig.setField(0, "8");
  form.tf[0]->setFocus();
  QTest::keyClick(form.tf[0], Qt::Key_Return);
  EXPECT_EQ(rig.model.tubeVariant, 0);
  EXPECT_EQ(rig.model.tubeN, 8);

  rig.setField(4, "2");
  rig.pressCalculate();
  EXPECT_EQ(rig.model.tubeVariant, 1);
  rig.setField(4, "1");
  form.CALCULATE(false);
  EXPECT_EQ(rig.model.tubeVariant, 1);
  QTest::keyClick(form.tf[0], Qt::Key_Enter, Qt::KeypadModifier);
  EXPECT_EQ(rig.model.tubeVariant, 0);

  const bool fog = form.scene().fogOn;
  QTest::keyClick(form.tf[0], Qt::Key_F);
  QTest::keyClick(form.tf[0], Qt::Key_S);
  EXPECT_EQ(form.scene().fogOn, fog);
  EXPECT_EQ(form.scene().stereoMode, 0);
  form.viewWidget()->setFocus();
  QTest::keyClick(form.viewWidget(), Qt::Key_F);
  QTest::keyClick(form.viewWidget(), Qt::Key_S);
  EXPECT_NE(form.scene().fogOn, fog);
  EXPECT_EQ(form.scene().stereoMode, 1);

  QTest::keyPress(form.viewWidget(), Qt::Key_Shift);
  EXPECT_TRUE(rig.display.shiftKeyDown);
  QTest::keyRelease(form.viewWidget(), Qt::Key_Shift);
  EXPECT_FALSE(rig.display.shiftKeyDown);
  EXPECT_EQ(rig.prompts.waitDepth, 0);
}

TEST(Form1Test, materialChoiceSetsTheBondLengthAndRecomputes)
{
  Form1Rig rig;
  Form1& form = *rig.form;
  form.cmb1->setCurrentIndex(1);
  EXPECT_EQ(form.tf[3]->text(), "1.47");
  EXPECT_EQ(rig.model.siteElement1, 5);
  EXPECT_EQ(rig.model.siteElement2, 7);
  EXPECT_FLOAT_EQ(rig.model.bondLength, 1.47f);
  EXPECT_EQ(rig.model.materialIndex, 1);

  form.state().fullereneLibraryMode = true;
  form.cmb1->setCurrentIndex(2);
  EXPECT_EQ(form.state().atomTypeLabel1, "Ga");
  EXPECT_EQ(rig.model.siteElement1, 31);
  EXPECT_FLOAT_EQ(rig.model.bondLength, 1.47f);
  EXPECT_TRUE(rig.prompts.calls.empty());
}

TEST(Form1Test, offLabelResetsTheDistortionFieldsOnly)
{
  Form1Rig rig;
  rig.clock.stepPerRead = 0.05;
  const char* const typed[] = {"2", "3", "4", "5"};
  const int fields[] = {6, 10, 11, 12};
  for (int k = 0; k < 4; ++k)
    rig.setField(fields[k], typed[k]);
  const auto drawn = rig.gl.calls.size();
  rig.form->Label2_Click();
  const char* const neutral[] = {"1", "1", "0", "0"};
  for (int k = 0; k < 4; ++k)
    EXPECT_EQ(rig.form->tf[fields[k]]->text(), neutral[k]) << fields[k];
  EXPECT_EQ(rig.prompts.beeps, 1);
  EXPECT_EQ(rig.gl.calls.size(), drawn);
  EXPECT_FLOAT_EQ(rig.model.stretchFactor, 1.0f);
}

TEST(Form1Test, closingDeletesTheSceneFiles)
{
  Form1Rig rig;
  ASSERT_TRUE(fs::exists(rig.display.sceneAtomFilePath));
  ASSERT_TRUE(fs::exists(rig.display.sceneBondFilePath));
  rig.form->close();
  EXPECT_FALSE(fs::exists(rig.display.sceneAtomFilePath));
  EXPECT_FALSE(fs::exists(rig.display.sceneBondFilePath));
  EXPECT_TRUE(rig.form->state().appClosing);
}

TEST(Form1Test, unwritableSceneFileEndsTheCommandWithOneMessage)
{
  Form1Rig rig;
  fs::remove_all(rig.temp.folder());
  rig.pressCalculate();
  ASSERT_EQ(rig.prompts.calls.size(), 1u);
  EXPECT_NE(rig.prompts.calls[0].text.find("tmp.xyz"), std::string::npos)
      << rig.prompts.calls[0].text;
  EXPECT_EQ(rig.prompts.waitDepth, 0);
  fs::create_directory(rig.temp.folder());
  rig.setField(0, "5");
  rig.setField(1, "5");
  rig.pressCalculate();
  EXPECT_EQ(rig.status(0), "(5,5) Tube Diameter 6.785 A");
}

} // namespace
} // namespace tarvek
