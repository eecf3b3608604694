#include "form1_rig.h"

#include "runtime/file_util.h"
#include "scene/scene_object.h"
#include "shell/collapsible_frame.h"
#include "shell/options_window.h"
#include "shell/view_commands.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QMenuBar>
#include <QToolBar>

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <set>
#include <sstream>

namespace tarvek {
namespace {

using test::CurrentViewStub;
using test::FakeShellOpen;
using test::Form1Rig;

const std::string kBlanks = "     ";

CMatrix::Matrix pose(const CXXX& scene)
{
  CMatrix::Matrix m{};
  scene.viewMatrix().GetMatrix(m);
  return m;
}

std::string message(Form1& form)
{
  return form.viewCommands().mnuMSG->text().toStdString();
}

std::string fileText(const std::string& path)
{
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

const SceneRecord* atomRecord(const CXXX& scene)
{
  for (const auto& list : scene.lists()) {
    if (list.record.kind == ListKind::Atoms)
      return &list.record;
  }
  return nullptr;
}

TEST(ViewCommandsTest, toolbarSlotsShowTheirTooltipsWhenClicked)
{
  Form1Rig rig;
  Form1& form = *rig.form;
  ViewCommands& vc = form.viewCommands();
  const struct {
    int slot;
    const char* tooltip;
  } buttons[] = {{2, "Save XYZ Table"},
               {3, "Copy XYZ Table"},
               {5, "Run Calculation"},
               {7, "<L> Rotate around X-Axis, <R> Rotate 90 deg"},
               {8, "<L> Rotate around Y-Axis, <R> Rotate 90 deg"},
               {9, "<L> Rotate around Z-Axis, <R> Rotate 90 deg"},
               {11, "Reset Orientation"},
               {12, "Toggle Controls"},
               {13, "Toggle Perspective"},
               {14, "<L> Stereo Modes (Parallel/Crosseye/Anaglyph/Off) , <R> Backwards"},
               {15, "Toggle Flat-shading for inserts"}};
  for (int slot : {1, 4, 6, 10})
    EXPECT_TRUE(vc.toolbarSlots[slot]->isSeparator()) << slot;
  EXPECT_EQ(form.Toolbar1->actions().indexOf(vc.toolbarSlots[15]), 14);
  EXPECT_TRUE(vc.toolbarSlots[2]->isEnabled());
  EXPECT_TRUE(vc.toolbarSlots[3]->isEnabled());
  // Slot 2's save dialog is cancelled.
  rig.dialogs.answer(std::nullopt);
  for (const auto& s : buttons) {
    QAction* action = vc.toolbarSlots[s.slot];
    EXPECT_EQ(action->toolTip().toStdString(), s.tooltip) << s.slot;
    if (!action->isEnabled())
      continue;
    QTest::mouseClick(form.Toolbar1->widgetForAction(action), Qt::LeftButton);
    EXPECT_EQ(message(form), s.tooltip + kBlanks) << s.slot;
  }
}

// The calculate button drops the variant before it builds.
TEST(ViewCommandsTest, calculateButtonBuildsThePlainTube)
{
  int bundles = 0;
  Form1Seams seams;
  seams.makeTubeBundle = [&] { ++bundles; };
  Form1Rig rig(seams);
  rig.model.tubeVariant = 2;
  rig.setField(0, "5");
  rig.pressCalculate();
  EXPECT_EQ(rig.model.tubeVariant, 0);
  EXPECT_EQ(bundles, 0);
  EXPECT_EQ(rig.status(0), "(5,0) Tube Diameter 3.917 A");
}

TEST(ViewCommandsTest, rotateResetAndProjectionButtons)
{
  Form1Rig rig;
  Form1& form = *rig.form;
  ViewCommands& vc = form.viewCommands();
  CXXX& scene = form.scene();
  const auto start = pose(scene);
  const bool ortho = rig.display.orthoProjection;

  vc.toolbarSlots[7]->trigger();
  EXPECT_TRUE(scene.animating);
  vc.toolbarSlots[7]->trigger();
  EXPECT_FALSE(scene.animating);

  scene.rotate90(1);
  scene.zoom = 4.0f;
  vc.toolbarSlots[8]->trigger();
  ASSERT_NE(pose(scene), start);
  vc.toolbarSlots[11]->trigger();
  EXPECT_FALSE(scene.animating);
  EXPECT_EQ(scene.zoom, 0.0f);
  EXPECT_EQ(pose(scene), start);

  vc.toolbarSlots[13]->trigger();
  EXPECT_EQ(rig.status(0), "Orthonormal Projection");
  vc.toolbarSlots[13]->trigger();
  EXPECT_EQ(rig.status(0), "Perspective Projection");
  EXPECT_EQ(rig.display.orthoProjection, ortho);
}

// Flat shading is a drawing switch: the lists stay, nothing is compiled.
TEST(ViewCommandsTest, flatInsertsFollowTheButtonWithoutRebuilding)
{
  Form1Rig rig({}, new CurrentViewStub);
  Form1& form = *rig.form;
  QAction* flat = form.viewCommands().toolbarSlots[15];
  const auto calls = rig.gl.calls.size();
  const std::string atoms = fileText(rig.display.sceneAtomFilePath);
  flat->trigger();
  EXPECT_TRUE(flat->isChecked());
  EXPECT_TRUE(rig.display.flatInserts);
  flat->trigger();
  EXPECT_FALSE(rig.display.flatInserts);
  EXPECT_EQ(rig.gl.calls.size(), calls);
  EXPECT_EQ(fileText(rig.display.sceneAtomFilePath), atoms);
}

TEST(ViewCommandsTest, stereoButtonStepsThroughTheModesAndBackOnRightClick)
{
  Form1Rig rig;
  Form1& form = *rig.form;
  ViewCommands& vc = form.viewCommands();
  const char* const names[] = {"Stereo-Pair (Relaxed-Eye)", "Stereo-Pair (Cross-Eye)",
                               "Color Anaglyph", "Greyscale Anaglyph"};
  ASSERT_EQ(form.scene().stereoMode, 0);
  for (const char* name : names) {
    vc.toolbarSlots[14]->trigger();
    EXPECT_EQ(rig.status(0), name);
  }
  vc.toolbarSlots[14]->trigger();
  EXPECT_EQ(rig.status(0), "");

  vc.toolbarSlots[14]->trigger();
  vc.toolbarSlots[14]->trigger();
  ASSERT_EQ(form.scene().stereoMode, 2);
  const QRect stereo = form.Toolbar1->widgetForAction(vc.toolbarSlots[14])->geometry();
  QTest::mousePress(form.Toolbar1, Qt::RightButton, {}, stereo.center());
  QTest::mouseRelease(form.Toolbar1, Qt::RightButton, {}, stereo.center());
  EXPECT_EQ(form.scene().stereoMode, 1);
  EXPECT_EQ(rig.status(0), "Stereo-Pair (Relaxed-Eye)");
}

// Right presses count only strictly inside a button's span.
TEST(ViewCommandsTest, toolbarRightClickTurnsByAQuarterInsideRotateButtonsOnly)
{
  Form1Rig rig;
  Form1& form = *rig.form;
  ViewCommands& vc = form.viewCommands();
  CXXX& scene = form.scene();
  const auto span = [&](int slot) {
    return form.Toolbar1->widgetForAction(vc.toolbarSlots[slot])->geometry();
  };
  const int y = span(7).center().y();
  const struct {
    const char* where;
    int x;
    int axis;
  } cases[] = {{"inside 7", span(7).center().x(), 1},
               {"inside 8", span(8).center().x(), 0},
               {"inside 9", span(9).center().x(), 2},
               {"left edge of 7", span(7).left(), -1},
               {"right edge of 9", span(9).left() + span(9).width(), -1},
               {"between 7 and 8", (span(7).left() + span(7).width() + span(8).left()) / 2, -1},
               {"separator 10", span(10).center().x(), -1},
               {"inside 11", span(11).center().x(), -1}};
  for (const auto& c : cases) {
    scene.zoomReset(0);
    const auto before = pose(scene);
    QTest::mousePress(form.Toolbar1, Qt::RightButton, {}, QPoint(c.x, y));
    QTest::mouseRelease(form.Toolbar1, Qt::RightButton, {}, QPoint(c.x, y));
    const auto after = pose(scene);
    if (c.axis < 0) {
      EXPECT_EQ(after, before) << c.where;
      continue;
    }
    scene.zoomReset(0);
    scene.rotate90(static_cast<std::int16_t>(c.axis));
    EXPECT_NE(after, before) << c.where;
    EXPECT_EQ(after, pose(scene)) << c.where;
  }
  EXPECT_EQ(scene.stereoMode, 0);
}

TEST(ViewCommandsTest, modelMenuSetsBoxesThenLists)
{
  Form1Rig rig;
  Form1& form = *rig.form;
  ViewCommands& vc = form.viewCommands();
  const auto expect = [&](const char* step, bool atoms, bool bonds, const char* radius,
                          const char* width) {
    EXPECT_EQ(form.cbOP[0]->isChecked(), atoms) << step;
    EXPECT_EQ(form.cbOP[1]->isChecked(), bonds) << step;
    EXPECT_EQ(rig.display.atomsShown, atoms) << step;
    EXPECT_EQ(rig.display.bondsShown, bonds) << step;
    EXPECT_EQ(form.cmbRAD[0]->currentText(), radius) << step;
    EXPECT_EQ(form.cmbRAD[1]->currentText(), width) << step;
  };
  vc.mnuModels[0]->trigger();
  expect("wire-frame", false, true, "50%", "10%");
  EXPECT_FLOAT_EQ(rig.display.bondWidthScale, 0.1f);
  vc.mnuModels[2]->trigger();
  expect("space-filling after wire-frame", true, false, "100%", "10%");
  EXPECT_FLOAT_EQ(rig.display.atomRadiusScale, 1.0f);
  vc.mnuModels[1]->trigger();
  expect("ball-stick", true, true, "50%", "50%");
}

TEST(ViewCommandsTest, viewMenuReadsInItsOrder)
{
  Form1Rig rig;
  QStringList captions;
  for (const QAction* action : rig.form->mnuView->actions())
    captions << (action->isSeparator() ? QStringLiteral("-") : action->text());
  EXPECT_EQ(captions, QStringList({"Toggle &Atoms", "Toggle &Bonds", "Toggle &Controls",
                                   "Toggle &Fog", "Toggle &Rainbow", "Toggle Projection", "-",
                                   "Wire-Frame Model", "Ball-Stick Model",
                                   "Space-Filling Model"}));
}

TEST(ViewCommandsTest, boxesNeverLeaveBothHidden)
{
  Form1Rig rig;
  Form1& form = *rig.form;
  auto& boxes = form.cbOP;
  for (int cleared : {0, 1}) {
    const int other = 1 - cleared;
    boxes[0]->setChecked(true);
    boxes[1]->setChecked(true);
    boxes[other]->setChecked(false);
    boxes[cleared]->setChecked(false);
    EXPECT_FALSE(boxes[cleared]->isChecked()) << cleared;
    EXPECT_TRUE(boxes[other]->isChecked()) << cleared;
    EXPECT_EQ(rig.display.atomsShown, cleared != 0) << cleared;
    EXPECT_EQ(rig.display.bondsShown, cleared != 1) << cleared;
  }
}

// A box toggle redraws from the lists it has: no compile, no scene file
// written, and the next frame leaves the atom lists out.
TEST(ViewCommandsTest, toggleAtomsRedrawsWithoutRebuilding)
{
  Form1Rig rig({}, new CurrentViewStub);
  Form1& form = *rig.form;
  ViewCommands& vc = form.viewCommands();
  CXXX& scene = form.scene();
  const auto atoms = scene.drawnAtomCount;
  const auto bonds = scene.drawnBondCount;
  const std::string atomFile = fileText(rig.display.sceneAtomFilePath);
  std::set<std::string> atomCalls;
  for (const auto& list : scene.lists()) {
    if (list.record.kind == ListKind::Atoms)
      atomCalls.insert("callList(" + std::to_string(list.glId) + ")");
  }
  ASSERT_FALSE(atomCalls.empty());
  ASSERT_EQ(atomCalls.count("callList(0)"), 0u);

  rig.gl.calls.clear();
  vc.mnuToggleAtoms->trigger();
  EXPECT_FALSE(form.cbOP[0]->isChecked());
  EXPECT_FALSE(rig.display.atomsShown);
  EXPECT_EQ(scene.drawnAtomCount, atoms);
  EXPECT_EQ(scene.drawnBondCount, bonds);
  EXPECT_EQ(fileText(rig.display.sceneAtomFilePath), atomFile);
  EXPECT_EQ(std::count(rig.gl.calls.begin(), rig.gl.calls.end(), std::string("endList()")), 0);
  scene.DRAW();
  int drawnLists = 0;
  for (const auto& call : rig.gl.calls) {
    EXPECT_EQ(atomCalls.count(call), 0u) << call;
    drawnLists += call.rfind("callList(", 0) == 0;
  }
  EXPECT_GT(drawnLists, 0);

  vc.mnuToggleAtoms->trigger();
  EXPECT_TRUE(form.cbOP[0]->isChecked());
  EXPECT_TRUE(rig.display.atomsShown);
}

TEST(ViewCommandsTest, partsModeKeepsAtomsShown)
{
  Form1Rig rig;
  Form1& form = *rig.form;
  rig.model.partsFlag = true;
  form.updateDisplayControls();
  form.viewCommands().mnuToggleAtoms->trigger();
  EXPECT_TRUE(rig.display.atomsShown);
  EXPECT_TRUE(form.cbOP[0]->isChecked());
}

TEST(ViewCommandsTest, percentListsSetExactScales)
{
  Form1Rig rig;
  Form1& form = *rig.form;
  const struct {
    int list;
    int index;
    float scale;
  } cases[] = {{0, 0, 0.1f}, {0, 6, 0.7f}, {0, 19, 2.0f}, {1, 2, 0.3f}, {1, 19, 2.0f}};
  for (const auto& c : cases) {
    form.cmbRAD[c.list]->setCurrentIndex(c.index);
    const float scale = c.list == 0 ? rig.display.atomRadiusScale : rig.display.bondWidthScale;
    EXPECT_EQ(scale, c.scale) << c.list << " " << c.index;
  }
  EXPECT_EQ(rig.status(1), "Atom Radius 200%");
}

TEST(ViewCommandsTest, unchangedPercentageDoesNothing)
{
  Form1Rig rig;
  Form1& form = *rig.form;
  form.stbPanel[1]->setText("unchanged");
  const auto calls = rig.gl.calls.size();
  for (auto* list : form.cmbRAD)
    list->setCurrentIndex(list->currentIndex());
  // Also when the handler runs for the selected item.
  form.viewCommands().cmbRAD_Click(0);
  EXPECT_EQ(rig.gl.calls.size(), calls);
  EXPECT_EQ(rig.status(1), "unchanged");
}

TEST(ViewCommandsTest, newAtomRadiusRebuildsAtTheNewSize)
{
  int bundles = 0;
  Form1Seams seams;
  seams.makeTubeBundle = [&] { ++bundles; };
  Form1Rig rig(seams);
  Form1& form = *rig.form;
  CXXX& scene = form.scene();
  form.tf[0]->setFocus();
  const SceneRecord* before = atomRecord(scene);
  ASSERT_NE(before, nullptr);
  const auto spheres = before->spheres;
  const auto atoms = scene.drawnAtomCount;
  const auto bonds = scene.drawnBondCount;

  form.cmbRAD[0]->setCurrentIndex(9);
  EXPECT_EQ(form.focusWidget(), form.viewWidget());
  EXPECT_EQ(rig.status(1), "Atom Radius 100%");
  EXPECT_EQ(scene.drawnAtomCount, atoms);
  EXPECT_EQ(scene.drawnBondCount, bonds);
  const SceneRecord* after = atomRecord(scene);
  ASSERT_NE(after, nullptr);
  ASSERT_EQ(after->spheres.size(), spheres.size());
  for (std::size_t i = 0; i < spheres.size(); ++i)
    EXPECT_FLOAT_EQ(after->spheres[i].radius, 2.0f * spheres[i].radius) << i;

  form.stbPanel[1]->setText("bond width next");
  form.cmbRAD[1]->setCurrentIndex(2);
  EXPECT_EQ(rig.status(1), "Atom Radius 100%");
  EXPECT_EQ(bundles, 0);

  rig.model.tubeVariant = 2;
  form.cmbRAD[1]->setCurrentIndex(3);
  EXPECT_EQ(bundles, 1);
}

TEST(ViewCommandsTest, statusBarClicksStepTheLists)
{
  Form1Rig rig;
  Form1& form = *rig.form;
  const auto preferencesShown = [&] { return form.optionsWindow()->isVisible(); };
  auto& lists = form.cmbRAD;
  const auto at = [&](int panel) { return form.stbPanel[panel]->geometry().center(); };
  const int y = at(0).y();
  const struct {
    const char* what;
    QPoint point;
    Qt::MouseButton button;
    int list;
    int from;
    int to;
  } cases[] = {
      {"right on panel 3 at 10%", at(2), Qt::RightButton, 0, 0, 19},
      {"left on panel 2", at(1), Qt::LeftButton, 0, 4, 5},
      {"left on panel 4 at 18", at(3), Qt::LeftButton, 1, 18, 0},
      {"left on panel 4 at 19", at(3), Qt::LeftButton, 1, 19, 0},
      {"right on panel 4 at 1", at(3), Qt::RightButton, 1, 1, 19},
      {"middle on panel 2", at(1), Qt::MiddleButton, 0, 4, 5},
      {"middle on panel 3", at(2), Qt::MiddleButton, 0, 19, 0},
      {"middle on panel 4", at(3), Qt::MiddleButton, 1, 4, 6},
      {"on panel 2's left edge", QPoint(form.stbPanel[1]->x(), y), Qt::LeftButton, 0, 4, 4},
      {"on panel 4's left edge", QPoint(form.stbPanel[3]->x(), y), Qt::RightButton, 1, 4, 4},
      {"middle on panel 1", at(0), Qt::MiddleButton, 0, 4, 4},
  };
  for (const auto& c : cases) {
    lists[c.list]->setCurrentIndex(c.from);
    rig.form->stbPanel[0]->setText("panel 1");
    QTest::mouseClick(form.stb, c.button, {}, c.point);
    EXPECT_EQ(lists[c.list]->currentIndex(), c.to) << c.what;
    EXPECT_EQ(rig.status(0), "panel 1") << c.what;
  }
  EXPECT_FALSE(preferencesShown());
  lists[0]->setCurrentIndex(4);
  EXPECT_EQ(rig.status(1), "Atom Radius 50%");

  QTest::mouseClick(form.stb, Qt::RightButton, {}, at(0));
  EXPECT_EQ(rig.status(0).rfind("Bond Length = 1.421, Bounding Box [", 0), 0u) << rig.status(0);
  EXPECT_FALSE(preferencesShown());
  QTest::mouseClick(form.stb, Qt::LeftButton, {}, at(0));
  EXPECT_TRUE(preferencesShown());
  EXPECT_TRUE(form.state().optionsWindowOpen);
  EXPECT_TRUE(rig.prompts.calls.empty());
}

TEST(ViewCommandsTest, statusBarHoverShowsThePanelHints)
{
  Form1Rig rig;
  Form1& form = *rig.form;
  const char* const hints[] = {"<L> Preferences, <R> XYZ Summary",
                               "<L> Increase Atom Size, <R> Decrease Atom Size",
                               "<L> Increase Atom Size, <R> Decrease Atom Size",
                               "<L> Increase Bond Width, <R> Decrease Bond Width"};
  for (int panel : {3, 0, 2, 1}) {
    QTest::mouseMove(form.stb, form.stbPanel[panel]->geometry().center());
    EXPECT_EQ(message(form), hints[panel] + kBlanks) << panel;
  }
  form.viewCommands().mnuMSG->trigger();
  EXPECT_EQ(message(form), "");
}

TEST(ViewCommandsTest, titleLinksToTheImportedSource)
{
  Form1Rig rig;
  Form1& form = *rig.form;
  MainWindowState& state = form.state();
  const std::string junction = form.viewCommands().address("junction");
  ASSERT_NE(junction.find("://"), std::string::npos);
  QPoint inLabel(4, 4);
  struct Case {
    const char* what;
    std::function<void()> set;
    std::string caption;
    std::string hint;
    FakeShellOpen::Kind kind;
    std::string opened;
  };
  const Case cases[] = {
      {"xmol",
       [&] {
         state.coordinateImportFlag = true;
         state.xmolComment = "ring";
         state.lastXmolFile = "/data/ring.xyz";
       },
       "XMOL: ring", "View /data/ring.xyz", FakeShellOpen::Kind::File, "/data/ring.xyz"},
      {"xy",
       [&] {
         state.xyImportFlag = true;
         state.xyFileName = "/data/sheet.txt";
       },
       "XY - Import", "View /data/sheet.txt", FakeShellOpen::Kind::File, "/data/sheet.txt"},
      {"fullerene",
       [&] {
         state.fullereneLibraryMode = true;
         state.lastFullereneFile = "/lib/C60.cc1";
       },
       "Nano - Tube - C60", "View /lib/C60.cc1", FakeShellOpen::Kind::File, "/lib/C60.cc1"},
      {"junction",
       [&] {
         state.junctionShown = true;
         state.junctionTitle = "(5,5)-(10,0)";
       },
       "CoNTub: (5,5)-(10,0)", junction, FakeShellOpen::Kind::Address, junction},
  };
  for (const auto& c : cases) {
    // A move to where the pointer already is sends nothing.
    inLabel += QPoint(1, 0);
    form.resetImportMode();
    c.set();
    form.setTitleAndStatus();
    EXPECT_EQ(form.titleText().toStdString(), c.caption) << c.what;
    EXPECT_EQ(form.lbTIT->toolTip().toStdString(), c.hint) << c.what;
    QTest::mouseMove(form.lbTIT, inLabel);
    EXPECT_EQ(message(form), c.hint + kBlanks) << c.what;
    EXPECT_EQ(form.lbTIT->cursor().shape(), Qt::PointingHandCursor) << c.what;
    rig.shellOpen.calls.clear();
    QTest::mouseClick(form.lbTIT, Qt::LeftButton, {}, inLabel);
    ASSERT_EQ(rig.shellOpen.calls.size(), 1u) << c.what;
    EXPECT_EQ(rig.shellOpen.calls[0].kind, c.kind) << c.what;
    EXPECT_EQ(rig.shellOpen.calls[0].target, c.opened) << c.what;
  }

  form.resetImportMode();
  form.setTitleAndStatus();
  EXPECT_EQ(form.titleText(), "Nano - Tube");
  EXPECT_TRUE(form.lbTIT->toolTip().isEmpty());
  QTest::mouseMove(form.lbTIT, inLabel + QPoint(1, 0));
  inLabel += QPoint(1, 0);
  EXPECT_EQ(message(form), kBlanks);
  EXPECT_EQ(form.lbTIT->cursor().shape(), Qt::ArrowCursor);
  rig.shellOpen.calls.clear();
  QTest::mouseClick(form.lbTIT, Qt::LeftButton, {}, inLabel);
  EXPECT_TRUE(rig.shellOpen.calls.empty());

  rig.shellOpen.succeed = false;
  cases[0].set();
  form.setTitleAndStatus();
  QTest::mouseClick(form.lbTIT, Qt::LeftButton, {}, inLabel);
  EXPECT_EQ(rig.shellOpen.calls.size(), 1u);
  EXPECT_TRUE(rig.prompts.calls.empty());
}

TEST(ViewCommandsTest, partsTitleLinksToThePartsPage)
{
  Form1Rig rig;
  Form1& form = *rig.form;
  rig.model.partsFlag = true;
  form.state().captionOverride = "Coronene";
  form.setTitleAndStatus();
  EXPECT_EQ(form.titleText(), "Coronene");
  EXPECT_EQ(rig.status(0), "Coronene");
  EXPECT_EQ(form.lbTIT->toolTip().toStdString(), form.viewCommands().address("parts"));
  EXPECT_EQ(form.titleLink, form.viewCommands().address("parts"));
}

TEST(ViewCommandsTest, logoLinksToTheHomePage)
{
  Form1Rig rig;
  Form1& form = *rig.form;
  QLabel* logo = form.viewCommands().Image2;
  const std::string home = form.viewCommands().address("home");
  EXPECT_EQ(logo->parentWidget(), form.fr2);
  EXPECT_EQ(logo->geometry(), QRect(157, 43, 32, 32));
  EXPECT_EQ(logo->cursor().shape(), Qt::PointingHandCursor);
  EXPECT_FALSE(logo->pixmap().isNull());
  QTest::mouseMove(logo, QPoint(5, 5));
  EXPECT_EQ(message(form), "Goto " + home + kBlanks);
  QTest::mouseClick(logo, Qt::LeftButton, {}, QPoint(5, 5));
  ASSERT_EQ(rig.shellOpen.calls.size(), 1u);
  EXPECT_EQ(rig.shellOpen.calls[0].kind, FakeShellOpen::Kind::Address);
  EXPECT_EQ(rig.shellOpen.calls[0].target, home);
}

TEST(ViewCommandsTest, viewDragsShowTheirCursorsAndHints)
{
  Form1Rig rig;
  Form1& form = *rig.form;
  QWidget* view = form.viewWidget();
  if (view->width() % 2 != 0)
    form.resize(form.width() + 1, form.height());
  ASSERT_EQ(view->width() % 2, 0);
  const int half = view->width() / 2;
  const int y = view->height() / 2;
  const auto image = [](const char* name) {
    return QPixmap(QStringLiteral(":/shell/cursor_%1.png").arg(QLatin1String(name))).toImage();
  };
  const struct {
    const char* what;
    Qt::MouseButton button;
    bool shift;
    int x;
    const char* cursor;
  } cases[] = {{"right, right half", Qt::RightButton, false, half + 1, "zoom"},
               {"right, at half", Qt::RightButton, false, half, "rotate"},
               {"right, left edge", Qt::RightButton, false, 0, "rotate"},
               {"left with shift", Qt::LeftButton, true, half + 1, "pan"}};
  for (const auto& c : cases) {
    rig.display.shiftKeyDown = c.shift;
    form.scene().animating = true;
    QTest::mousePress(view, c.button, {}, QPoint(c.x, y));
    EXPECT_FALSE(form.scene().animating) << c.what;
    EXPECT_EQ(view->cursor().shape(), Qt::BitmapCursor) << c.what;
    EXPECT_EQ(view->cursor().pixmap().toImage(), image(c.cursor)) << c.what;
    QTest::mouseRelease(view, c.button, {}, QPoint(c.x, y));
    EXPECT_EQ(view->cursor().shape(), Qt::ArrowCursor) << c.what;
  }
  rig.display.shiftKeyDown = false;
  QTest::mousePress(view, Qt::LeftButton, {}, QPoint(half + 1, y));
  EXPECT_EQ(view->cursor().shape(), Qt::ArrowCursor);
  QTest::mouseRelease(view, Qt::LeftButton, {}, QPoint(half + 1, y));

  QTest::mouseMove(view, QPoint(half, y));
  EXPECT_EQ(message(form), "Right Mouse Button Drag for <Zoom>" + kBlanks);
  QTest::mouseMove(view, QPoint(half - 1, y));
  EXPECT_EQ(message(form), "Right Mouse Button Drag for <Rotate>" + kBlanks);
  form.viewCommands().mnuMSG->trigger();
  EXPECT_EQ(message(form), "");
}

TEST(ViewCommandsTest, rainbowRecoloursAlongTheAxisAndFogFlips)
{
  Form1Rig rig;
  Form1& form = *rig.form;
  ViewCommands& vc = form.viewCommands();
  const auto colours = [&] {
    const SceneRecord* atoms = atomRecord(form.scene());
    BigVector<SphereRecord> spheres;
    if (atoms != nullptr)
      spheres = atoms->spheres;
    std::sort(spheres.begin(), spheres.end(), [](const SphereRecord& a, const SphereRecord& b) {
      return a.centre[2] < b.centre[2];
    });
    return spheres;
  };
  const auto plain = colours();
  ASSERT_FALSE(plain.empty());
  for (const auto& s : plain)
    EXPECT_EQ(s.rgba, plain.front().rgba);
  vc.mnuToggleRainbow->trigger();
  EXPECT_TRUE(rig.display.rainbowMode);
  const auto rainbow = colours();
  ASSERT_EQ(rainbow.size(), plain.size());
  // The hue runs once round the wheel along z, so the ends share a colour;
  // the rings between them do not.
  std::set<std::array<std::uint8_t, 4>> distinct;
  for (const auto& s : rainbow)
    distinct.insert(s.rgba);
  EXPECT_GT(distinct.size(), 5u);
  EXPECT_NE(rainbow[rainbow.size() / 2].rgba, rainbow.front().rgba);

  const bool fog = form.scene().fogOn;
  vc.mnuToggleFog->trigger();
  EXPECT_NE(form.scene().fogOn, fog);
  vc.mnuToggleFog->trigger();
  EXPECT_EQ(form.scene().fogOn, fog);
}

} // namespace
} // namespace tarvek
