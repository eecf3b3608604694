#include "model/display_settings.h"
#include "model/model.h"
#include "scene/gl_real.h"
#include "scene/scene_object.h"
#include "support/fake_abort.h"
#include "support/gl_test_frame.h"
#include "support/scratch_dir.h"

#include <QOpenGLWidget>
#include <QTest>
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <array>

namespace tarvek {
namespace {

// A bare host: replays the scene's lists with flat colours in an
// orthographic view 6 Å wide.
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

protected:
  void paintGL() override
  {
    test::beginTestFrame(*this, 3);
    glEnable(GL_DEPTH_TEST);
    for (const auto& list : scene->lists()) {
      if (list.glId != 0)
        glCallList(list.glId);
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
  for (const float x : {-2.0f, 2.0f}) {
    model.atomX.push_back(x);
    model.atomY.push_back(0);
    model.atomZ.push_back(0);
    model.atomType.push_back(3);
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
  test::FakeAbort abort;
  test::ScratchDir dir;
  RealGl gl;
  SceneView view;
  CXXX scene(model, display, preferences, abort, abort, gl, view, dir.file("tmp.xyz").string(),
             dir.file("tmp.zyx").string());
  view.scene = &scene;

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
  EXPECT_EQ(at(2, -0.5), (Rgb{255, 0, 0}));
  EXPECT_EQ(at(0, 0), (Rgb{0, 255, 0}));
  EXPECT_EQ(at(0, 1), (Rgb{0, 0, 255}));
  EXPECT_EQ(at(-2, 1), (Rgb{0, 0, 255}));
}

} // namespace
} // namespace tarvek
