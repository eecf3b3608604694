#include "model/display_settings.h"
#include "model/model.h"
#include "scene/gl_host.h"
#include "scene/scene_object.h"
#include "support/fake_abort.h"
#include "support/scratch_dir.h"

#include <QTest>
#include <gtest/gtest.h>

namespace tarvek {
namespace {

// Without a context the scene keeps what it is asked and issues no GL;
// the stand-in takes the projection back and refuses a grab.
TEST(ViewStubTest, sceneOverTheStandInKeepsItsState)
{
  Model model;
  model.structureKind = 1;
  model.covalentRadius[6] = 0.77f;
  model.atomX = {0};
  model.atomY = {0};
  model.atomZ = {0};
  model.atomType = {3};
  model.atomCount = 1;
  DisplaySettings display;
  Preferences preferences;
  test::FakeAbort abort;
  test::ScratchDir dir;
  ViewStub stub;
  stub.resize(400, 300);
  stub.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&stub));
  CXXX scene(model, display, preferences, abort, abort, stub.gl(), stub, dir.file("tmp.xyz").string(),
             dir.file("tmp.zyx").string());
  scene.attachHost(stub);
  stub.setScene(&scene);

  EXPECT_EQ(stub.ViewWidth(), 400.0f);
  EXPECT_EQ(stub.ViewWidthTwips(), 6000.0f);
  scene.setAtomData();
  EXPECT_EQ(scene.lists().at(0).glId, 0u);
  scene.setBackColorGL(1, 0, 0);
  EXPECT_EQ(scene.getFogColor(), (std::array<float, 4>{1, 0, 0, 1}));
  scene.zoom = 50.0f;
  scene.zoomOrtho();
  EXPECT_LT(scene.zoom, 1.1f * scene.frameRadius());
  EXPECT_FALSE(stub.ownsProjection());
  stub.restoreHostProjection();
  EXPECT_TRUE(stub.ownsProjection());
  scene.toggleStereo(1);
  EXPECT_EQ(scene.stereoMode, 1);
  EXPECT_FALSE(stub.grabToBmp(dir.file("frame.bmp").string()));

  scene.animate(0);
  QTest::qWait(20);
  scene.animate(0);
  QTest::qWait(20);
  EXPECT_FALSE(scene.animating);
  stub.setScene(nullptr);
}

} // namespace
} // namespace tarvek
