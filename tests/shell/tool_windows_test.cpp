// The radius calculator and the bond range window, opened from the Tools menu as a user does.
#include "form1_rig.h"

#include "scene/scene_object.h"
#include "shell/tool_commands.h"
#include "tools/bond_range_window.h"
#include "tools/radius_calculator_window.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QColor>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTableView>

#include <gtest/gtest.h>

#include <cmath>

namespace tarvek {
namespace {

using test::Form1Rig;

QAction* toolItem(Form1& form, const char* caption)
{
  for (QAction* action : form.mnuTool->actions()) {
    if (action->text() == QString::fromLatin1(caption))
      return action;
  }
  return nullptr;
}

dlgRCALC& openCalculator(Form1Rig& rig)
{
  QAction* item = toolItem(*rig.form, "Radius-Calculator");
  EXPECT_NE(item, nullptr);
  item->trigger();
  return *rig.form->toolCommands().radiusCalculatorWindow();
}

QString cell(const dlgRCALC& window, int row, int column)
{
  return window.lst->model()->index(row, column).data().toString();
}

QColor colour(const dlgRCALC& window, int row)
{
  return window.lst->model()->index(row, 0).data(Qt::ForegroundRole).value<QColor>();
}

void setFields(dlgRCALC& window, std::initializer_list<std::pair<int, const char*>> fields)
{
  for (const auto& [index, text] : fields)
    window.tf[static_cast<std::size_t>(index)]->setText(QString::fromLatin1(text));
}

void clickHeader(dlgRCALC& window)
{
  emit window.lst->horizontalHeader()->sectionClicked(2);
}

void rightClickList(dlgRCALC& window)
{
  QTest::mouseClick(window.lst->viewport(), Qt::RightButton, {}, QPoint(10, 10));
}

// Opening reads the shown tube; one window serves every opening.
TEST(RadiusCalculatorWindowTest, opensWithTheShownTubeAndStaysOneWindow)
{
  Form1Rig rig;
  dlgRCALC& window = openCalculator(rig);
  EXPECT_EQ(window.windowTitle(), QStringLiteral(" Tube Radius - Calculator"));
  EXPECT_TRUE(window.isVisible());
  EXPECT_TRUE(window.isWindow());
  EXPECT_EQ(window.parentWidget(), rig.form.get());
  const char* const expected[] = {"1.421", "10", "70", "7.834", "3.4", "5"};
  for (std::size_t i = 0; i < window.tf.size(); ++i)
    EXPECT_EQ(window.tf[i]->text().toStdString(), expected[i]) << i;
  EXPECT_EQ(window.lst->model()->columnCount(), 4);
  EXPECT_EQ(window.lst->model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("( n , m )"));

  window.close();
  toolItem(*rig.form, "Radius-Calculator")->trigger();
  EXPECT_EQ(rig.form->toolCommands().radiusCalculatorWindow(), &window);
  EXPECT_TRUE(window.isVisible());
}

// Calc lists the table, header clicks flip its order, a right click copies
// it, and a whole number that does not fit changes nothing.
TEST(RadiusCalculatorWindowTest, calcSortCopyAndAFieldThatDoesNotFit)
{
  Form1Rig rig;
  dlgRCALC& window = openCalculator(rig);
  setFields(window, {{0, "1,41"}, {1, "5"}});
  QTest::mouseClick(window.OKButton[0], Qt::LeftButton);
  EXPECT_EQ(window.tf[0]->text(), QStringLiteral("1.41"));
  ASSERT_EQ(window.lst->model()->rowCount(), 2541);
  for (int row = 0; row < 3; ++row)
    EXPECT_EQ(cell(window, row, 0), QString::number(row + 1));
  EXPECT_EQ(cell(window, 0, 1), QStringLiteral("( 5 , 0 )"));
  EXPECT_EQ(cell(window, 0, 2), QStringLiteral("1.943"));
  EXPECT_EQ(cell(window, 0, 3), QStringLiteral("3.887"));
  EXPECT_EQ(colour(window, 0), QColor(0, 0, 255));
  EXPECT_FALSE(colour(window, 1).isValid());

  clickHeader(window);
  EXPECT_EQ(cell(window, 6, 1), QStringLiteral("( 7 , 0 )"));
  EXPECT_EQ(cell(window, 6, 0), QStringLiteral("7"));
  clickHeader(window);
  EXPECT_EQ(cell(window, 6, 1), QStringLiteral("( 6 , 0 )"));

  QApplication::clipboard()->clear();
  rightClickList(window);
  const QString copied = QApplication::clipboard()->text();
  EXPECT_EQ(copied.count(QStringLiteral("\r\n")), 2541);
  EXPECT_TRUE(copied.startsWith(QStringLiteral("1\t( 5 , 0 )\t1.943\t3.887\r\n")));
  ASSERT_EQ(rig.prompts.messages().size(), 1u);
  EXPECT_EQ(rig.prompts.messages()[0].text, "List copied to clipboard");
  EXPECT_EQ(rig.prompts.messages()[0].icon, MessageIcon::Information);
  EXPECT_EQ(rig.prompts.waitDepth, 0);

  setFields(window, {{2, "40000"}});
  QTest::mouseClick(window.OKButton[0], Qt::LeftButton);
  EXPECT_EQ(rig.prompts.messages().size(), 2u);
  EXPECT_EQ(window.lst->model()->rowCount(), 2541);
  QTest::mouseClick(window.OKButton[1], Qt::LeftButton);
  EXPECT_EQ(rig.prompts.messages().size(), 3u);
  EXPECT_TRUE(window.tfMW->text().isEmpty());
}

// Find lists the walls in the default colour; View builds them.
TEST(RadiusCalculatorWindowTest, findThenViewBuildsTheWalls)
{
  Form1Rig rig;
  dlgRCALC& window = openCalculator(rig);
  setFields(window, {{0, "1.41"}, {1, "5"}, {3, "3.89"}});
  QTest::mouseClick(window.OKButton[1], Qt::LeftButton);
  ASSERT_EQ(window.lst->model()->rowCount(), 5);
  for (int row = 0; row < 5; ++row) {
    EXPECT_EQ(cell(window, row, 0), QString::number(row + 1));
    EXPECT_FALSE(colour(window, row).isValid()) << row;
  }
  EXPECT_EQ(window.tfMW->text(), QStringLiteral(" (5,0) (12,3) (18,7) (20,16) (36,7)"));

  window.tfMW->setText(QStringLiteral(" (10,10) (15,15)"));
  QTest::mouseClick(window.OKButton[2], Qt::LeftButton);
  EXPECT_TRUE(rig.prompts.messages().empty());
  EXPECT_EQ(rig.model.tubeVariant, 8);
  EXPECT_EQ(rig.model.mwntCount, 2);
  EXPECT_EQ(rig.form->scene().getNO(), 2);

  rig.model.tubeVariant = 0;
  window.tfMW->clear();
  QTest::mouseClick(window.OKButton[2], Qt::LeftButton);
  EXPECT_EQ(rig.model.tubeVariant, 0);
}

// An empty range: nothing to list, sort or copy, and nothing is said.
TEST(RadiusCalculatorWindowTest, emptyRangeListsAndCopiesNothingAndFindSaysSo)
{
  Form1Rig rig;
  dlgRCALC& window = openCalculator(rig);
  QTest::mouseClick(window.OKButton[0], Qt::LeftButton);
  ASSERT_GT(window.lst->model()->rowCount(), 0);
  setFields(window, {{1, "71"}, {2, "70"}, {3, "7.8"}});
  QTest::mouseClick(window.OKButton[0], Qt::LeftButton);
  EXPECT_EQ(window.lst->model()->rowCount(), 0);
  EXPECT_TRUE(rig.prompts.calls.empty());
  // A search that finds nothing says so.
  QTest::mouseClick(window.OKButton[1], Qt::LeftButton);
  EXPECT_TRUE(window.tfMW->text().isEmpty());
  ASSERT_EQ(rig.prompts.calls.size(), 1u);
  EXPECT_EQ(rig.prompts.calls[0].text, "No tube fits inside d = 7.8 with these limits.");
  clickHeader(window);
  EXPECT_FALSE(window.calculator().sortState());
  rightClickList(window);
  EXPECT_EQ(rig.prompts.calls.size(), 1u);
}

// A six-atom hexagon of side 1.42: 6 pairs at 1.42, 6 at 2.46, 3 at 2.84 Å.
void showHexagon(Form1Rig& rig)
{
  Model& model = rig.model;
  model.structureKind = 7;
  model.bondLength = 1.42f;
  model.partsFlag = false;
  model.atomX.clear();
  model.atomY.clear();
  model.atomZ.clear();
  model.atomType.clear();
  model.atomCount = 0;
  for (int k = 0; k < 6; ++k) {
    const double angle = k * 3.14159265358979 / 3.0;
    model.atomX.push_back(float(1.42 * std::cos(angle)));
    model.atomY.push_back(float(1.42 * std::sin(angle)));
    model.atomZ.push_back(0.0f);
    model.atomType.push_back(3);
    ++model.atomCount;
  }
}

dlgBondUser& openBondRange(Form1Rig& rig)
{
  QAction* item = toolItem(*rig.form, "Recalculate Bonds ");
  EXPECT_NE(item, nullptr);
  item->trigger();
  return *rig.form->toolCommands().bondRangeWindow();
}

void setLimits(dlgBondUser& window, const char* l1, const char* l2)
{
  window.tf[0]->setText(QString::fromLatin1(l1));
  window.tf[1]->setText(QString::fromLatin1(l2));
}

// The fields open at 0.95 and 1.05 times the bond length.
TEST(BondRangeWindowTest, opensWithTheBondLengthWindow)
{
  Form1Rig rig;
  dlgBondUser& window = openBondRange(rig);
  EXPECT_EQ(window.windowTitle(), QStringLiteral(" Recalculate Bonds"));
  EXPECT_EQ(window.parentWidget(), rig.form.get());
  EXPECT_EQ(window.tf[0]->text(), QStringLiteral("1.35"));
  EXPECT_EQ(window.tf[1]->text(), QStringLiteral("1.492"));
  toolItem(*rig.form, "Recalculate Bonds ")->trigger();
  EXPECT_EQ(rig.form->toolCommands().bondRangeWindow(), &window);
  // A click into a field selects all of it, not just places the cursor.
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  QTest::mouseClick(window.tf[1], Qt::LeftButton, {}, QPoint(3, 3));
  QTest::qWait(20);
  EXPECT_EQ(window.tf[1]->selectedText(), QStringLiteral("1.492"));

  Form1Rig other;
  other.model.bondLength = 1.42f;
  dlgBondUser& fresh = openBondRange(other);
  EXPECT_EQ(fresh.tf[0]->text(), QStringLiteral("1.349"));
  EXPECT_EQ(fresh.tf[1]->text(), QStringLiteral("1.491"));
}

// OK and Enter search with the typed range; afterwards the builders use
// their own window again.
TEST(BondRangeWindowTest, recalculatesTheShownStructure)
{
  Form1Rig rig;
  dlgBondUser& window = openBondRange(rig);
  showHexagon(rig);
  setLimits(window, "1.3", "1.5");
  QTest::mouseClick(window.bt[3], Qt::LeftButton);
  EXPECT_EQ(rig.model.bondCount, 6);
  EXPECT_EQ(rig.status(3), "6 Bonds");

  setLimits(window, "1,3", "2,5");
  QTest::keyClick(window.tf[1], Qt::Key_Return);
  EXPECT_EQ(window.tf[0]->text(), QStringLiteral("1.3"));
  EXPECT_EQ(window.tf[1]->text(), QStringLiteral("2.5"));
  EXPECT_EQ(rig.model.bondCount, 12);
  EXPECT_EQ(rig.status(3), "12 Bonds");

  setLimits(window, "2.5", "1.3");
  QTest::mouseClick(window.bt[3], Qt::LeftButton);
  EXPECT_EQ(rig.model.bondCount, 12);
  EXPECT_EQ(window.tf[0]->text(), QStringLiteral("2.5"));
  EXPECT_FALSE(rig.model.useUserBondLimits);
  EXPECT_EQ(rig.prompts.waitDepth, 0);
  EXPECT_TRUE(rig.prompts.messages().empty());

  rig.form->cmbTYP->setCurrentIndex(0);
  rig.model.structureKind = 0;
  rig.model.bondLength = 1.421f;
  rig.pressCalculate();
  EXPECT_EQ(rig.model.bondCount, 340);
}

// A part's own bonds stay; a limit beyond the float range is refused.
TEST(BondRangeWindowTest, keepsPartBondsAndRefusesHugeLimits)
{
  Form1Rig rig;
  dlgBondUser& window = openBondRange(rig);
  showHexagon(rig);
  rig.model.partsFlag = true;
  rig.model.bondAtom1 = {0, 2};
  rig.model.bondAtom2 = {1, 3};
  rig.model.bondCount = 2;
  setLimits(window, "1.3", "3");
  QTest::mouseClick(window.bt[3], Qt::LeftButton);
  EXPECT_EQ(rig.model.bondCount, 2);
  EXPECT_EQ(rig.model.bondAtom2, (std::vector<std::int32_t>{1, 3}));

  setLimits(window, "1e39", "1.5");
  QTest::mouseClick(window.bt[3], Qt::LeftButton);
  ASSERT_EQ(rig.prompts.messages().size(), 1u);
  EXPECT_EQ(rig.prompts.messages()[0].text, "L1 and L2 must be lengths in A.");
  EXPECT_EQ(rig.model.bondCount, 2);
  EXPECT_EQ(window.tf[0]->text(), QStringLiteral("1e39"));
}

} // namespace
} // namespace tarvek
