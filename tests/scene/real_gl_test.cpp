#include "first_tessellation.h"

#include "model/built_tube.h"
#include "model/display_settings.h"
#include "model/model.h"
#include "scene/gl_api.h"
#include "scene/gl_real.h"
#include "scene/scene_object.h"
#include "support/fake_abort.h"
#include "support/gl_test_frame.h"
#include "support/scratch_dir.h"

#include <QOpenGLWidget>
#include <QTest>
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <functional>

namespace tarvek {
namespace {

// A bare host: replays the scene's lists with flat colours in an
// orthographic view 2 x half Å wide, or, when `reference` is set, calls it
// in their place; `lit` shades with one light as the view does.
class SceneView : public QOpenGLWidget, public GlContext {
public:
  bool makeCurrent() override
  {
    if (context() == nullptr)
      return false;
    QOpenGLWidget::makeCurrent();
    return true;
  }
  void doneCurrent() override { QOpenGLWidget::doneCurrent(); }

  const CXXX* scene = nullptr;
  GlApi* gl = nullptr;
  double half = 3;
  bool lit = false;
  std::function<void()> reference;

protected:
  void paintGL() override
  {
    test::beginTestFrame(*this, half);
    glEnable(GL_DEPTH_TEST);
    if (lit) {
      // From the side, deep enough for the whole structure, lit from the
      // viewer's upper left.
      glMatrixMode(GL_PROJECTION);
      glLoadIdentity();
      glOrtho(-half, half, -half, half, -10 * half, 10 * half);
      glMatrixMode(GL_MODELVIEW);
      glRotatef(-75.0f, 1.0f, 0.0f, 0.0f);
      const std::array<float, 4> position{-0.5f, 0.5f, 1.0f, 0.0f};
      glLightfv(GL_LIGHT0, GL_POSITION, position.data());
      glEnable(GL_LIGHTING);
      glEnable(GL_LIGHT0);
      glEnable(GL_COLOR_MATERIAL);
      glEnable(GL_NORMALIZE);
    }
    if (reference) {
      reference();
      return;
    }
    for (const auto& list : scene->lists()) {
      if (list.glId != 0)
        gl->callList(list.glId);
    }
  }
};

using test::Rgb;

// Lists recorded before the view has a context are compiled once it has
// one, and draw the atoms and the bond where they belong.
TEST(RealGlTest, pendingListsCompileAndDrawInARealContext)
{
  Model model;
  model.structureKind = 1;
  model.covalentRadius[6] = 0.77f;
  // Two colours in one batch.
  model.siteElement1 = 6;
  for (const float x : {-2.0f, 2.0f}) {
    model.atomX.push_back(x);
    model.atomY.push_back(0);
    model.atomZ.push_back(0);
    model.atomType.push_back(x < 0 ? 3 : 1);
  }
  model.atomCount = 2;
  model.bondAtom1 = {0};
  model.bondAtom2 = {1};
  model.bondCount = 1;
  DisplaySettings display;
  display.atomRadiusScale = 1.0f;
  display.bondWidthScale = 1.0f;
  Preferences preferences;
  preferences.carbonColor = packColor(255, 0, 0);
  preferences.bondColor = packColor(0, 255, 0);
  preferences.site1Color = packColor(255, 255, 0);
  test::FakeAbort abort;
  test::ScratchDir dir;
  RealGl gl;
  SceneView view;
  CXXX scene(model, display, preferences, abort, abort, gl, view, dir.file("tmp.xyz").string(),
             dir.file("tmp.zyx").string());
  view.scene = &scene;
  view.gl = &gl;

  scene.setAtomData();
  scene.setBondData();
  ASSERT_EQ(scene.lists().size(), 2u);
  EXPECT_EQ(scene.lists()[0].glId, 0u) << "no context yet";

  view.resize(300, 300);
  view.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
  scene.compilePendingLists();
  EXPECT_NE(scene.lists()[1].glId, 0u);

  const QImage frame = view.grabFramebuffer();
  ASSERT_FALSE(frame.isNull());
  auto at = [&](double x, double y) {
    return test::rgbOf(frame.pixelColor(static_cast<int>((x + 3) / 6 * frame.width()),
                                        static_cast<int>((3 - y) / 6 * frame.height())));
  };
  EXPECT_EQ(at(-2, 0.5), (Rgb{255, 0, 0}));
  EXPECT_EQ(at(2, -0.5), (Rgb{255, 255, 0}));
  EXPECT_EQ(at(0, 0), (Rgb{0, 255, 0}));
  EXPECT_EQ(at(0, 1), (Rgb{0, 0, 255}));
  EXPECT_EQ(at(-2, 1), (Rgb{0, 0, 255}));
}

// A lit frame of a 2,000-atom tube with cylinder bonds shows what the first
// tessellation drew, drawn without display lists: rasterisation may round a
// pixel by a level or two, nothing more.
TEST(RealGlTest, tubeFrameMatchesTheFirstTessellation)
{
  Model model = test::builtTube(20, 20, 60.0f, 1.42f);
  ASSERT_GT(model.atomCount, 1900);
  ASSERT_GT(model.bondCount, 2500);
  DisplaySettings display;
  display.atomRadiusScale = 0.5f;
  display.bondWidthScale = 1.0f;
  Preferences preferences;
  test::FakeAbort abort;
  test::ScratchDir dir;
  RealGl gl;
  SceneView view;
  view.half = 36;
  view.lit = true;
  CXXX scene(model, display, preferences, abort, abort, gl, view, dir.file("tmp.xyz").string(),
             dir.file("tmp.zyx").string());
  view.scene = &scene;
  view.gl = &gl;
  view.resize(400, 400);
  view.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
  scene.setAtomData();
  scene.setBondData();
  scene.compilePendingLists();
  ASSERT_EQ(scene.lists().size(), 2u);
  ASSERT_FALSE(scene.lists()[1].record.cylinders.empty());
  const QImage lists = view.grabFramebuffer();

  view.reference = [&] {
    for (const auto& list : scene.lists()) {
      GlBatch spheres;
      GlBatch cylinders;
      for (const SphereRecord& s : list.record.spheres)
        test::firstSphere(spheres, s);
      for (const CylinderRecord& c : list.record.cylinders)
        test::firstCylinder(cylinders, c);
      gl.drawBatch(spheres);
      gl.drawBatch(cylinders);
    }
  };
  const QImage reference = view.grabFramebuffer();
  ASSERT_EQ(lists.size(), reference.size());
  if (const char* keep = std::getenv("TARVEK_KEEP_FRAMES")) {
    lists.save(QString::fromUtf8(keep) + "/tube_lists.png");
    reference.save(QString::fromUtf8(keep) + "/tube_reference.png");
  }

  long differing = 0;
  int largest = 0;
  long drawn = 0;
  for (int y = 0; y < lists.height(); ++y)
    for (int x = 0; x < lists.width(); ++x) {
      const Rgb a = test::rgbOf(lists.pixelColor(x, y));
      const Rgb b = test::rgbOf(reference.pixelColor(x, y));
      if (a != Rgb{0, 0, 255})
        ++drawn;
      int d = 0;
      for (int k = 0; k < 3; ++k)
        d = std::max(d, std::abs(a[k] - b[k]));
      largest = std::max(largest, d);
      differing += d > 0;
    }
  EXPECT_GT(drawn, lists.width() * lists.height() / 10) << "the tube fills the view";
  EXPECT_LE(largest, 2);
  EXPECT_LE(differing, lists.width() * lists.height() / 1000);
}

} // namespace
} // namespace tarvek
