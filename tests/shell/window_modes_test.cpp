// Moving between imports, parts, tools and virus mode leaves the main window
// in the mode it is in: title, panels, controls and questions.
#include "form1_rig.h"
#include "modal_dialog.h"
#include "scene/scene_object.h"
#include "shell/collapsible_frame.h"
#include "shell/file_commands.h"
#include "shell/special_commands.h"
#include "shell/tool_commands.h"
#include "tools/bond_range_window.h"
#include "tools/builder_dialogs.h"
#include "tools/icosahedral_cage_window.h"
#include "tools/radius_calculator_window.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QMenu>
#include <QPushButton>
#include <QToolBar>

#include <fstream>

namespace tarvek {
namespace {

using test::Form1Rig;

QAction* toolItem(Form1& form, const char* caption)
{
  for (QAction* action : form.mnuTool->actions()) {
    if (action->text().trimmed() == QLatin1String(caption))
      return action;
  }
  return nullptr;
}

QAction* partItem(Form1& form, const char* caption)
{
  for (QAction* action : form.specialCommands().mnuIMM) {
    if (action != nullptr && action->text() == QLatin1String(caption))
      return action;
  }
  return nullptr;
}

void showCage(Form1Rig& rig)
{
  toolItem(*rig.form, "Virus Geometries")->trigger();
  QTest::mouseClick(rig.form->toolCommands().virusWindow()->btCreate, Qt::LeftButton);
  ASSERT_EQ(rig.model.structureKind, 8);
  ASSERT_TRUE(rig.form->fr1->isHidden());
}

std::size_t questionsAsked(const Form1Rig& rig, const std::string& text)
{
  std::size_t n = 0;
  for (const auto& call : rig.prompts.calls)
    n += call.text == text ? 1 : 0;
  return n;
}

// The toolbar action's widget as the user sees it: its place in the toolbar.
bool bondControlsShown(Form1& form)
{
  return form.bondControls->isVisible() && form.cbOP[1]->isVisibleTo(form.Toolbar1);
}

// A part shown over an XMOL import is a part: its title, the part question
// on Run, and No keeps it. The Bonds box and width list hide while it is
// shown and come back after it.
TEST(WindowModesTest, partAfterAnXmolImport)
{
  Form1Rig rig;
  const std::string xmol = rig.temp.path("chain.xmol");
  std::ofstream(xmol, std::ios::binary) << "3\r\nchain\r\nC 0 0 0\r\nC 1.4 0 0\r\nC 2.8 0 0\r\n";
  rig.dialogs.answer(FileChoice{xmol, 1});
  rig.prompts.answerYesNo(false);
  rig.form->fileCommands().mnuFile_421->trigger();
  ASSERT_TRUE(rig.form->state().coordinateImportFlag);
  ASSERT_TRUE(bondControlsShown(*rig.form));

  partItem(*rig.form, "Benzene")->trigger();
  EXPECT_EQ(rig.form->titleText(), "Benzene (IMM)");
  EXPECT_FALSE(rig.form->state().coordinateImportFlag);
  EXPECT_FALSE(bondControlsShown(*rig.form));

  rig.prompts.calls.clear();
  rig.prompts.answerYesNo(false);
  rig.pressCalculate();
  EXPECT_EQ(questionsAsked(rig, "Leave Import Mode?"), 1u);
  EXPECT_EQ(questionsAsked(rig, "Leave Xmol Import Mode?"), 0u);
  EXPECT_TRUE(rig.model.partsFlag);
  EXPECT_EQ(rig.model.atomCount, 12);
  EXPECT_EQ(rig.form->titleText(), "Benzene (IMM)");

  rig.prompts.answerYesNo(true);
  rig.pressCalculate();
  EXPECT_FALSE(rig.model.partsFlag);
  EXPECT_TRUE(bondControlsShown(*rig.form));
}

// Virus mode hides the panels; picking another type shows them again, and
// the radius calculator's View builds its walls from a cage without a
// question.
TEST(WindowModesTest, leavingVirusMode)
{
  {
    Form1Rig rig;
    showCage(rig);
    rig.form->cmbTYP->setCurrentIndex(0);
    EXPECT_FALSE(rig.form->fr1->isHidden());
    EXPECT_FALSE(rig.form->fr2->isHidden());
    EXPECT_EQ(rig.model.structureKind, 1);
  }
  Form1Rig rig;
  showCage(rig);
  rig.prompts.calls.clear();
  toolItem(*rig.form, "Radius-Calculator")->trigger();
  dlgRCALC& calculator = *rig.form->toolCommands().radiusCalculatorWindow();
  calculator.tfMW->setText(QStringLiteral("5,5 10,10"));
  QTest::mouseClick(calculator.OKButton[2], Qt::LeftButton);
  EXPECT_TRUE(rig.prompts.calls.empty()) << rig.prompts.calls.front().text;
  EXPECT_EQ(rig.model.structureKind, 1);
  EXPECT_EQ(rig.form->cmbTYP->currentText(), "Nano - Tube");
  EXPECT_EQ(rig.form->scene().getNO(), 2);
  EXPECT_FALSE(rig.form->fr1->isHidden());
}

// Capped (10,10) shows (10,10) in the panel; Multi-Layer Graphene leaves no
// sheet width of an earlier build in the first status panel.
TEST(WindowModesTest, panelsShowWhatWasBuilt)
{
  Form1Rig rig;
  SpecialCommands& special = rig.form->specialCommands();
  special.capChooser = [] { return std::int16_t(2); };
  special.itmCap[4]->trigger();
  EXPECT_EQ(rig.form->tf[0]->text(), "10");
  EXPECT_EQ(rig.form->tf[1]->text(), "10");
  EXPECT_EQ(rig.model.tubeN, 10);
  EXPECT_EQ(rig.model.tubeM, 10);

  rig.form->cmbTYP->setCurrentIndex(1);
  ASSERT_EQ(rig.status(0).rfind("Sheet Width", 0), 0u) << rig.status(0);
  rig.display.orthoProjection = true;
  test::whenShown<dlgGRAPHENE>([](dlgGRAPHENE& d) {
    d.tf[0]->setText(QStringLiteral("20"));
    d.tf[1]->setText(QStringLiteral("15"));
    d.tf[2]->setText(QStringLiteral("2"));
    d.rb[0]->click();
    d.OKButton->click();
  });
  special.mnuTool_13->trigger();
  EXPECT_EQ(rig.status(0).find("Sheet Width"), std::string::npos) << rig.status(0);
}

// Recalculate Bonds on a three-wall tube keeps every wall, and each gets its
// bonds; a three-wall tube over 3000 atoms a wall asks about bonds once, and
// No builds every wall without them.
TEST(WindowModesTest, structuresOfSeveralParts)
{
  {
    Form1Rig rig;
    rig.setField(4, "3");
    rig.pressCalculate();
    const CXXX& scene = rig.form->scene();
    ASSERT_EQ(scene.getNO(), 3);
    const std::int32_t atoms = scene.drawnAtomCount;
    const std::int32_t bonds = scene.drawnBondCount;
    toolItem(*rig.form, "Recalculate Bonds")->trigger();
    dlgBondUser* window = rig.form->toolCommands().bondRangeWindow();
    ASSERT_NE(window, nullptr);
    window->tf[0]->setText(QStringLiteral("1.3"));
    window->tf[1]->setText(QStringLiteral("1.5"));
    QTest::mouseClick(window->bt[3], Qt::LeftButton);
    EXPECT_EQ(scene.getNO(), 3);
    EXPECT_EQ(scene.drawnAtomCount, atoms);
    EXPECT_EQ(scene.drawnBondCount, bonds);
    EXPECT_EQ(rig.status(3), std::to_string(bonds) + " Bonds");
  }
  Form1Rig rig;
  rig.setField(2, "400");
  rig.setField(4, "3");
  rig.prompts.answerYesNo(false);
  rig.pressCalculate();
  EXPECT_EQ(questionsAsked(rig, ">3000 Atoms. Do you still wish to create bonds?"), 1u);
  const CXXX& scene = rig.form->scene();
  EXPECT_EQ(scene.getNO(), 3);
  EXPECT_GT(scene.drawnAtomCount, 3 * 3000);
  EXPECT_EQ(scene.drawnBondCount, 0);
}

// A tube too long to show, not saved, is built again at 25 A, whose bond
// question is asked once and answered for it.
TEST(WindowModesTest, theShortenedTubeAsksAboutBondsOnce)
{
  Form1Rig rig;
  rig.setField(0, "100");
  rig.setField(1, "100");
  rig.setField(2, "600");
  rig.prompts.answerYesNo(false);
  rig.prompts.answerYesNo(true);
  rig.pressCalculate();
  EXPECT_EQ(questionsAsked(rig, ">3000 Atoms. Do you still wish to create bonds?"), 1u);
  EXPECT_EQ(questionsAsked(rig, "Tube longer than 500 A (too large for display).\r\n"
                                "Do you wish to save coordinates?"),
            1u);
  EXPECT_EQ(rig.form->tf[2]->text().toStdString(), "25");
  const CXXX& scene = rig.form->scene();
  EXPECT_GT(scene.drawnAtomCount, 3000);
  EXPECT_GT(scene.drawnBondCount, scene.drawnAtomCount);
}

} // namespace
} // namespace tarvek
