// Whatever the main window builds or imports is seen whole and large, after
// the build and after Reset Orientation, and "+" and "-" zoom in and out.
#include "drawn_frame.h"
#include "form1_rig.h"
#include "shell/file_commands.h"
#include "support/scratch_dir.h"
#include "shell/special_commands.h"
#include "shell/tool_commands.h"
#include "tools/icosahedral_cage_window.h"

#include <QAction>
#include <QComboBox>
#include <QMenu>
#include <QPushButton>
#include <QTreeWidget>

#include <algorithm>
#include <functional>

namespace tarvek {
namespace {

using test::CurrentViewStub;
using test::DrawnFrame;
using test::Form1Rig;

struct Extent {
  double left = 1e9, right = -1e9, bottom = 1e9, top = -1e9;
  bool behind = false;
  std::size_t points = 0;
  double width() const { return right - left; }
  double height() const { return top - bottom; }
};

// One frame as the view draws it, and where its atoms land (x and y from
// -1 to 1 across the view).
Extent drawFrame(Form1Rig& rig)
{
  CXXX& scene = rig.form->scene();
  const std::size_t start = rig.gl.calls.size();
  hostFrameStart(rig.gl, rig.view->ViewWidth(), rig.view->ViewHeight(), rig.view->ownsProjection(),
                 scene.viewDepth());
  scene.DRAW();
  const DrawnFrame frame(rig.gl.calls, start, scene);
  Extent e;
  e.behind = frame.behind;
  e.points = frame.points.size();
  for (const DrawnFrame::Point& p : frame.points) {
    e.left = std::min(e.left, p.x);
    e.right = std::max(e.right, p.x);
    e.bottom = std::min(e.bottom, p.y);
    e.top = std::max(e.top, p.y);
  }
  return e;
}

template <typename Actions>
QAction* menuItem(const Actions& items, const char* caption)
{
  for (QAction* item : items) {
    if (item->text().remove(QLatin1Char('&')) == QLatin1String(caption))
      return item;
  }
  return nullptr;
}

void buildCage(Form1Rig& rig, const char* t)
{
  menuItem(rig.form->mnuTool->actions(), "Virus Geometries")->trigger();
  frmVirus& w = *rig.form->toolCommands().virusWindow();
  const auto found = w.lst->findItems(QString::fromLatin1(t), Qt::MatchExactly, 1);
  ASSERT_FALSE(found.isEmpty()) << t;
  w.lst->setCurrentItem(found.front());
  QTest::mouseClick(w.btCreate, Qt::LeftButton);
}

struct Structure {
  const char* name;
  std::function<void(Form1Rig&)> build;
};

const std::vector<Structure>& structures()
{
  static const std::vector<Structure> table{
      {"default tube", [](Form1Rig&) {}},
      {"500 A tube",
       [](Form1Rig& rig) {
         rig.setField(2, "500");
         rig.pressCalculate();
       }},
      {"C60", [](Form1Rig& rig) { rig.form->cmbTYP->setCurrentIndex(4); }},
      {"Benzene part",
       [](Form1Rig& rig) { menuItem(rig.form->specialCommands().mnuIMM, "Benzene")->trigger(); }},
      {"Cysteine part",
       [](Form1Rig& rig) { menuItem(rig.form->specialCommands().mnuIMM, "Cysteine")->trigger(); }},
      {"T = 1 cage", [](Form1Rig& rig) { buildCage(rig, "T=1"); }},
      {"T = 100 cage", [](Form1Rig& rig) { buildCage(rig, "T=100"); }},
      {"7-tube bundle",
       [](Form1Rig& rig) {
         rig.prompts.answerInput("1");
         rig.form->specialCommands().itmFX[0]->trigger();
       }},
      {"3-wall tube",
       [](Form1Rig& rig) {
         rig.setField(4, "3");
         rig.pressCalculate();
       }},
  };
  return table;
}

// Every atom inside the view, and the structure at least a third of the
// view's smaller side across.
void expectFramed(const Extent& e, double aspect, const std::string& what)
{
  ASSERT_GT(e.points, 0u) << what;
  EXPECT_FALSE(e.behind) << what;
  EXPECT_GE(e.left, -1.0) << what;
  EXPECT_LE(e.right, 1.0) << what;
  EXPECT_GE(e.bottom, -1.0) << what;
  EXPECT_LE(e.top, 1.0) << what;
  // In units of the smaller side.
  const double across = std::max(e.width() * std::max(aspect, 1.0), e.height() * std::max(1.0 / aspect, 1.0));
  EXPECT_GE(across, 2.0 / 3) << what << ": " << e.width() << " x " << e.height();
}

TEST(ViewFramingTest, everyStructureIsSeenWholeAfterBuildAndAfterSpace)
{
  for (const Structure& s : structures()) {
    Form1Rig rig({}, new CurrentViewStub);
    s.build(rig);
    CXXX& scene = rig.form->scene();
    const double aspect = rig.view->ViewWidth() / rig.view->ViewHeight();
    expectFramed(drawFrame(rig), aspect, std::string(s.name) + " after the build");

    scene.keyRotate(1, 7, 1);
    scene.KeyPress('+');
    scene.KeyPress(' ');
    const Extent reset = drawFrame(rig);
    expectFramed(reset, aspect, std::string(s.name) + " after Space");

    scene.KeyPress('+');
    const Extent closer = drawFrame(rig);
    EXPECT_GT(closer.width() + closer.height(), reset.width() + reset.height()) << s.name << " +";
    scene.KeyPress('-');
    scene.KeyPress('-');
    const Extent farther = drawFrame(rig);
    EXPECT_LT(farther.width() + farther.height(), reset.width() + reset.height()) << s.name << " -";
    EXPECT_TRUE(rig.prompts.calls.empty() || std::string(s.name) == "7-tube bundle") << s.name;
  }
}

// A rebuild of the shown structure (atoms a size larger) keeps the view
// nearly as it was, zoom included; an imported file is framed whatever the zoom before.
TEST(ViewFramingTest, rebuildsKeepTheViewAndImportsAreFramed)
{
  Form1Rig rig({}, new CurrentViewStub);
  CXXX& scene = rig.form->scene();
  const double aspect = rig.view->ViewWidth() / rig.view->ViewHeight();
  scene.KeyPress('+');
  const Extent zoomed = drawFrame(rig);
  rig.form->cmbRAD[0]->setCurrentIndex(rig.form->cmbRAD[0]->currentIndex() + 1);
  const Extent rebuilt = drawFrame(rig);
  EXPECT_NEAR(rebuilt.width(), zoomed.width(), 0.05 * zoomed.width());
  EXPECT_NEAR(rebuilt.height(), zoomed.height(), 0.05 * zoomed.height());

  for (int i = 0; i < 5; ++i)
    scene.KeyPress('+');
  test::ScratchDir dir;
  std::string chain = "200\r\nchain\r\n";
  for (int i = 0; i < 200; ++i)
    chain += "C " + std::to_string(1.42 * i) + " 0 0\r\n";
  rig.dialogs.answer(FileChoice{dir.write("chain.xyz", chain).string(), 2});
  rig.prompts.answerYesNo(false);
  rig.form->fileCommands().mnuFile_421->trigger();
  ASSERT_TRUE(rig.form->state().coordinateImportFlag);
  expectFramed(drawFrame(rig), aspect, "imported chain");
}

} // namespace
} // namespace tarvek
