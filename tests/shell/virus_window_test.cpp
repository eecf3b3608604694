// The virus geometry window and virus mode, driven from the main window.
#include "form1_rig.h"

#include "scene/scene_object.h"
#include "scene/scene_records.h"
#include "shell/collapsible_frame.h"
#include "shell/tool_commands.h"
#include "shell/view_commands.h"
#include "support/fake_main_window.h"
#include "tools/icosahedral_cage_window.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSlider>
#include <QTableView>
#include <QToolButton>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>

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

frmVirus& openVirusWindow(Form1Rig& rig)
{
  QAction* item = toolItem(*rig.form, "Virus Geometries");
  if (item == nullptr)
    throw std::runtime_error("no Tools item \"Virus Geometries\"");
  item->trigger();
  return *rig.form->toolCommands().virusWindow();
}

std::vector<std::string> fields(const std::string& line)
{
  std::istringstream in(line);
  std::vector<std::string> out;
  for (std::string f; in >> f;)
    out.push_back(f);
  return out;
}

std::vector<CylinderRecord> thinCylinders(const CXXX& scene)
{
  std::vector<CylinderRecord> thin;
  for (const auto& list : scene.lists()) {
    for (const CylinderRecord& c : list.record.cylinders) {
      if (c.radius == 0.03f)
        thin.push_back(c);
    }
  }
  return thin;
}

// Tools › Virus Geometries opens one window, owned by the main window, on
// T = 9 with its face drawn; a second choice brings back the same window.
TEST(VirusWindowTest, toolsItemOpensOneWindowOnTNine)
{
  Form1Rig rig;
  EXPECT_EQ(rig.form->toolCommands().virusWindow(), nullptr);
  frmVirus& w = openVirusWindow(rig);
  EXPECT_EQ(toolItem(*rig.form, "Virus Geometries"), rig.form->toolCommands().mnuTool_14);
  EXPECT_TRUE(w.isVisible());
  EXPECT_FALSE(w.isModal());
  EXPECT_EQ(w.parentWidget(), rig.form.get());
  EXPECT_EQ(w.windowTitle(), QStringLiteral(" Virus Geometries (Icosahedron Generator)"));
  EXPECT_EQ(w.lst->topLevelItemCount(), 61);
  EXPECT_EQ(w.lst->indexOfTopLevelItem(w.lst->currentItem()), 5);
  EXPECT_EQ(w.lst->currentItem()->text(1), QStringLiteral("T=9"));
  EXPECT_EQ(w.lst->currentItem()->text(2), QStringLiteral("(h,k) = (3,0)"));
  EXPECT_EQ(w.slA->value(), 35);
  EXPECT_TRUE(w.btCreate->isEnabled());
  EXPECT_EQ(w.faceData().markedCount, 9);
  EXPECT_TRUE(w.tfICO->isHidden());
  EXPECT_EQ(w.height(), frmVirus::kClientHeight);
  // The filled face and its marked points are drawn: grey (234) and (200).
  const QImage& picture = w.picture();
  EXPECT_EQ(picture.size(), QSize(383, 308));
  int face = 0, points = 0;
  for (int y = 0; y < picture.height(); ++y) {
    for (int x = 0; x < picture.width(); ++x) {
      const QColor c = picture.pixelColor(x, y);
      face += c == QColor(234, 234, 234) ? 1 : 0;
      points += c == QColor(200, 200, 200) ? 1 : 0;
    }
  }
  EXPECT_GT(face, 3000);
  EXPECT_GT(points, 9 * 100);

  toolItem(*rig.form, "Virus Geometries")->trigger();
  EXPECT_EQ(rig.form->toolCommands().virusWindow(), &w);
}

// "Create 3D" puts the main window in virus mode around the T = 9 cage: the
// type, the kind, the counts, the title, the list and the red outline; the
// window rolls up and the next creation rolls it down again.
TEST(VirusWindowTest, createShowsTheCageInVirusMode)
{
  Form1Rig rig;
  Form1& form = *rig.form;
  frmVirus& w = openVirusWindow(rig);
  QTest::mouseClick(w.btCreate, Qt::LeftButton);
  const std::string title = "Virus Geometry #6, T=9, (h,k) = (3,0)";
  EXPECT_EQ(form.cmbTYP->currentText(), QStringLiteral("Virus Geometry"));
  EXPECT_EQ(rig.model.structureKind, 8);
  EXPECT_EQ(rig.model.atomCount, 192);
  EXPECT_EQ(rig.status(2), "180 Sites");
  EXPECT_EQ(rig.status(3), "300 Bonds");
  EXPECT_EQ(rig.status(1), "Atom Radius 50%");
  EXPECT_EQ(rig.status(0), title);
  EXPECT_EQ(form.titleText().toStdString(), title);
  EXPECT_EQ(form.state().virusTitle, title);
  EXPECT_TRUE(form.fr1->isHidden());
  EXPECT_EQ(form.lstXYZ->model()->rowCount(), 180);
  std::ifstream atoms(rig.display.sceneAtomFilePath);
  std::string first;
  std::getline(atoms, first);
  ASSERT_GE(fields(first).size(), 5u) << first;
  EXPECT_EQ(fields(first)[4], "12");
  const auto thin = thinCylinders(form.scene());
  EXPECT_EQ(thin.size(), 30u);
  for (const CylinderRecord& c : thin)
    EXPECT_EQ(c.rgb, (std::array<std::uint8_t, 3>{255, 0, 0}));
  EXPECT_EQ(rig.prompts.messages().size(), 0u);
  EXPECT_EQ(w.height(), frmVirus::kRolledHeight);

  QTest::mouseClick(w.btCreate, Qt::LeftButton);
  EXPECT_EQ(w.height(), frmVirus::kClientHeight);
  EXPECT_TRUE(form.fr1->isHidden());

  w.lst->setCurrentItem(w.lst->topLevelItem(0));
  QTest::mouseClick(w.btCreate, Qt::LeftButton);
  EXPECT_EQ(form.state().virusTitle, "Virus Geometry #1, T=1, (h,k) = (1,0)");
  EXPECT_EQ(rig.status(2), "20 Sites");
  EXPECT_EQ(rig.status(3), "60 Bonds");

  // Showing the cage again (a material change, Enter) keeps its bonds and
  // its edge rods.
  form.CALCULATE(false);
  EXPECT_EQ(rig.model.bondCount, 60);
  EXPECT_EQ(rig.status(3), "60 Bonds");
  EXPECT_EQ(thinCylinders(form.scene()).size(), 30u);
}

// The view buttons face the axis they name, from every start pose: the
// model direction towards the viewer, M^T (0, -1, 0), lies on a three-fold
// (face centre), five-fold (vertex) or two-fold (edge midpoint) axis. "3"
// while a tube is shown creates the cage first.
TEST(VirusWindowTest, viewButtonsFaceTheirAxes)
{
  for (const std::int16_t axis : {0, 1, 2}) {
    SCOPED_TRACE("defaultAxis " + std::to_string(axis));
    Form1Rig rig;
    rig.preferences.defaultAxis = axis;
    frmVirus& w = openVirusWindow(rig);
    ASSERT_EQ(rig.model.structureKind, 1);
    const Model& m = rig.model;
    const auto unit = [&](std::int32_t i) {
      const double r = std::hypot(m.atomX[i], m.atomY[i], m.atomZ[i]);
      return std::array<double, 3>{m.atomX[i] / r, m.atomY[i] / r, m.atomZ[i] / r};
    };
    for (const int button : {1, 2, 0}) {
      rig.form->scene().animating = true;
      rig.form->scene().zoom = 5.0f;
      QTest::mouseClick(w.bt2[button], Qt::LeftButton);
      ASSERT_EQ(m.structureKind, 8);
      EXPECT_FALSE(rig.form->scene().animating);
      EXPECT_EQ(rig.form->scene().zoom, 0.0f);
      CMatrix::Vector f{};
      rig.form->scene().viewMatrix().DotV3(f, {0.0f, -1.0f, 0.0f});
      // Axis directions from the vertices: a vertex, a face centre, the
      // middle of an edge.
      std::vector<std::array<double, 3>> axes;
      for (std::int32_t i = 0; i < 12; ++i) {
        for (std::int32_t j = i; j < 12; ++j) {
          for (std::int32_t k = j; k < 12; ++k) {
            const auto a = unit(i), b = unit(j), c = unit(k);
            const double ab = a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
            const double bc = b[0] * c[0] + b[1] * c[1] + b[2] * c[2];
            const double ac = a[0] * c[0] + a[1] * c[1] + a[2] * c[2];
            const bool neighbours = [](double d) { return std::abs(d - 0.4472136) < 1e-3; }(ab);
            const bool isVertex = i == j && j == k;
            const bool isEdge = i == j && j != k && std::abs(bc - 0.4472136) < 1e-3;
            const bool isFace = i != j && j != k && neighbours && std::abs(bc - 0.4472136) < 1e-3 &&
                                std::abs(ac - 0.4472136) < 1e-3;
            if ((button == 2 && isVertex) || (button == 1 && isFace))
              axes.push_back({a[0] + b[0] + c[0], a[1] + b[1] + c[1], a[2] + b[2] + c[2]});
            if (button == 0 && isEdge)
              axes.push_back({a[0] + c[0], a[1] + c[1], a[2] + c[2]});
          }
        }
      }
      ASSERT_FALSE(axes.empty());
      double best = 180.0;
      for (const auto& a : axes) {
        const double n = std::hypot(a[0], a[1], a[2]) * std::hypot(f[0], f[1], f[2]);
        const double cosine = (a[0] * f[0] + a[1] * f[1] + a[2] * f[2]) / n;
        best = std::min(best, std::acos(std::min(1.0, cosine)) * 180.0 / 3.141592653589793);
      }
      EXPECT_LT(best, 0.1) << "button " << button;
    }
  }
}

// The height field shows with "Automatic" off; two roll clicks restore the
// height; the chosen colour paints the next outline and Cancel keeps it;
// "Web Link" opens the window's address; the type list opens the window.
TEST(VirusWindowTest, heightColourRollLinkAndTypeList)
{
  Form1Rig rig;
  rig.form->cmbTYP->setCurrentIndex(7);
  frmVirus* opened = rig.form->toolCommands().virusWindow();
  ASSERT_NE(opened, nullptr);
  frmVirus& w = *opened;
  EXPECT_TRUE(w.isVisible());

  w.cb2->click();
  EXPECT_FALSE(w.tfICO->isHidden());
  EXPECT_EQ(w.tfICO->text(), QStringLiteral("10"));
  w.cb2->click();
  EXPECT_TRUE(w.tfICO->isHidden());

  w.btROLL->click();
  EXPECT_EQ(w.height(), frmVirus::kRolledHeight);
  w.btROLL->click();
  EXPECT_EQ(w.height(), frmVirus::kClientHeight);

  rig.colourChooser.answer(0x00FF00);
  QTest::mouseClick(w.btCOL, Qt::LeftButton);
  rig.colourChooser.answer(std::nullopt);
  QTest::mouseClick(w.btCOL, Qt::LeftButton);
  EXPECT_EQ(rig.colourChooser.initials, (std::vector<std::uint32_t>{0x0000FF, 0x00FF00}));
  EXPECT_EQ(w.btCOL->palette().color(QPalette::Window), QColor(0, 255, 0));
  QTest::mouseClick(w.btCreate, Qt::LeftButton);
  const auto thin = thinCylinders(rig.form->scene());
  ASSERT_EQ(thin.size(), 30u);
  EXPECT_EQ(thin[0].rgb, (std::array<std::uint8_t, 3>{0, 255, 0}));

  QTest::mouseClick(w.lbURL, Qt::LeftButton);
  ASSERT_EQ(rig.shellOpen.calls.size(), 1u);
  EXPECT_EQ(rig.shellOpen.calls[0].kind, test::FakeShellOpen::Kind::Address);
  EXPECT_EQ(rig.shellOpen.calls[0].target, rig.form->viewCommands().address("virus"));
  EXPECT_NE(rig.shellOpen.calls[0].target, "");
}

// A typed height outside 1 .. 10000 Å is refused before virus mode: no
// kind change, no model change; a negative one counts by its size.
TEST(VirusWindowTest, refusedHeightChangesNothing)
{
  Form1Rig rig;
  frmVirus& w = openVirusWindow(rig);
  w.cb2->click();
  const Model before = rig.model;
  for (const char* bad : {"0", "0.5", "abc", "20000"}) {
    w.tfICO->setText(QString::fromLatin1(bad));
    QTest::mouseClick(w.btCreate, Qt::LeftButton);
    EXPECT_TRUE(rig.model == before) << bad;
    EXPECT_EQ(w.height(), frmVirus::kClientHeight) << bad;
  }
  const auto messages = rig.prompts.messages();
  ASSERT_EQ(messages.size(), 4u);
  EXPECT_EQ(messages[0].text, "The icosahedron height must be between 1 and 10000 A.");

  w.tfICO->setText(QStringLiteral("-3"));
  QTest::mouseClick(w.btCreate, Qt::LeftButton);
  EXPECT_EQ(rig.model.structureKind, 8);
  EXPECT_NEAR(std::hypot(rig.model.atomX[0], rig.model.atomY[0], rig.model.atomZ[0]), 1.5 * 1.175502527, 1e-4);
  EXPECT_EQ(rig.model.bondCount, 300);
}

// Moving the slider without a new drawing keeps the cage of the drawing.
TEST(VirusWindowTest, sliderMovedAfterDrawingKeepsTheCage)
{
  Form1Rig rig;
  frmVirus& w = openVirusWindow(rig);
  w.slA->setValue(50);
  QTest::mouseClick(w.btCreate, Qt::LeftButton);
  EXPECT_EQ(rig.model.cageBondStart, 270);
  EXPECT_EQ(rig.model.bondCount, 300);
}

// setVirusMode 1 only names the structure; mode 2 writes the scene's counts
// and hides the panels, and a second mode 2 leaves them hidden.
TEST(VirusModeTest, modesWriteTitleCountsAndPanels)
{
  Form1Rig rig;
  Form1& form = *rig.form;
  const std::vector<std::string> statusBefore{rig.status(0), rig.status(1), rig.status(2), rig.status(3)};
  const int rowsBefore = form.lstXYZ->model()->rowCount();
  form.setVirusMode(1, "X");
  EXPECT_EQ(form.titleText(), QStringLiteral("X"));
  EXPECT_EQ(form.state().virusTitle, "X");
  EXPECT_EQ(rig.model.structureKind, 8);
  EXPECT_EQ(form.cmbTYP->currentIndex(), 7);
  EXPECT_EQ((std::vector<std::string>{rig.status(0), rig.status(1), rig.status(2), rig.status(3)}), statusBefore);
  EXPECT_EQ(form.lstXYZ->model()->rowCount(), rowsBefore);

  form.scene().drawnAtomCount = 72;
  form.scene().drawnBondCount = 120;
  form.setVirusMode(2, "Y");
  EXPECT_EQ(rig.status(2), "72 Sites");
  EXPECT_EQ(rig.status(3), "120 Bonds");
  EXPECT_EQ(rig.status(0), "Y");
  EXPECT_TRUE(form.fr1->isHidden());
  form.setVirusMode(2, "Y");
  EXPECT_TRUE(form.fr1->isHidden());
  EXPECT_EQ(form.titleText(), QStringLiteral("Y"));
}

// The window calls the main window as its services: mode 1 before the
// build, mode 2 after, both with the title.
TEST(VirusModeTest, windowCallsBothModesAroundTheBuild)
{
  Form1Rig rig;
  test::FakeMainWindow main;
  frmVirus w(rig.model, rig.form->scene(), main, rig.platform, "about:blank", nullptr);
  rig.model.structureKind = 8;
  w.btCreate_Click();
  const std::string title = "Virus Geometry #6, T=9, (h,k) = (3,0)";
  EXPECT_EQ(main.calls, (std::vector<std::string>{"setVirusMode 1 " + title, "setVirusMode 2 " + title}));
}

} // namespace
} // namespace tarvek
