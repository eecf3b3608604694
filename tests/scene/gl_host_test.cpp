#include "model/display_settings.h"
#include "model/model.h"
#include "runtime/math_util.h"
#include "scene/cmatrix_gl.h"
#include "scene/gl_host.h"
#include "scene/scene_object.h"
#include "support/fake_abort.h"
#include "support/fake_prompts.h"
#include "support/scratch_dir.h"

#include <QImage>
#include <QMainWindow>
#include <QTest>
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <array>
#include <cmath>
#include <fstream>
#include <memory>

namespace tarvek {
namespace {

using Rgb = std::array<int, 3>;

// A scene in a real view, about 400 x 300, lists compiled before it shows.
struct ViewFixture {
  Model model;
  DisplaySettings display;
  Preferences preferences;
  test::FakeAbort abort;
  test::FakePrompts prompts;
  test::ScratchDir dir;
  std::unique_ptr<GlHost> host = std::make_unique<GlHost>(prompts);
  std::unique_ptr<CXXX> scene;

  explicit ViewFixture(int width = 400, int height = 300)
  {
    model.structureKind = 1;
    model.covalentRadius[6] = 0.77f;
    display.atomRadiusScale = 2.0f;
    display.orthoProjection = false;
    preferences.carbonColor = packColor(255, 0, 0);
    scene = std::make_unique<CXXX>(model, display, preferences, abort, abort, host->gl(), *host,
                                   dir.file("tmp.xyz").string(), dir.file("tmp.zyx").string());
    scene->attachHost(*host);
    host->setScene(scene.get());
    host->resize(width, height);
  }
  ~ViewFixture()
  {
    host->setScene(nullptr);
    host.reset();
  }

  void addAtom(float x, float y, float z)
  {
    model.atomX.push_back(x);
    model.atomY.push_back(y);
    model.atomZ.push_back(z);
    model.atomType.push_back(3);
    ++model.atomCount;
  }
  void compile()
  {
    scene->clearScene();
    scene->setBackground();
    scene->setAtomData();
    scene->setBondData();
  }
  bool show()
  {
    host->show();
    return QTest::qWaitForWindowExposed(host.get());
  }
  // A fresh frame, with GL's error state checked after it.
  QImage frame()
  {
    host->repaint();
    return lastFrame();
  }
  // The frame drawn last.
  QImage lastFrame()
  {
    const QImage image = host->grabFramebuffer().convertToFormat(QImage::Format_RGB888);
    host->makeCurrent();
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    return image;
  }
};

Rgb pixel(const QImage& image, int x, int y)
{
  const QColor c = image.pixelColor(x, y);
  return {c.red(), c.green(), c.blue()};
}

const Rgb kBackground{0, 122, 185};

// The atom compiled before the view existed shows in the first frame, lit
// red on the settings colour, framed to fill most of the view's height.
TEST(GlHostTest, firstFrameShowsAnAtomCompiledBeforeTheView)
{
  ViewFixture v;
  v.addAtom(0, 0, 0);
  v.compile();
  ASSERT_TRUE(v.show());
  const QImage image = v.frame();
  const Rgb lit = pixel(image, 200, 240);
  EXPECT_GT(lit[0], 150) << lit[0] << "," << lit[1] << "," << lit[2];
  EXPECT_LT(lit[1], 40);
  EXPECT_LT(lit[2], 40);
  EXPECT_EQ(pixel(image, 0, 0), kBackground);
  EXPECT_EQ(pixel(image, 399, 299), kBackground);
  // Some 134 pixels in radius: 128 out is on the ball, 140 out is not.
  EXPECT_NE(pixel(image, 200, 150 + 128), kBackground);
  EXPECT_EQ(pixel(image, 200, 150 + 140), kBackground);
  EXPECT_EQ(pixel(image, 200 + 140, 150), kBackground);
}

// A clear colour set outside DRAW lasts one frame: DRAW puts the settings
// colour back.
TEST(GlHostTest, backColourLastsOneFrame)
{
  ViewFixture v;
  v.addAtom(0, 0, 0);
  v.compile();
  ASSERT_TRUE(v.show());
  v.scene->setBackColorGL(1, 1, 1);
  // Each grab renders a frame of its own, so no repaint can use up the
  // white frame before it is read.
  EXPECT_EQ(pixel(v.lastFrame(), 5, 5), (Rgb{255, 255, 255}));
  EXPECT_EQ(pixel(v.lastFrame(), 5, 5), kBackground);
}

// The colour anaglyph is on white with red and cyan fringes; the relaxed
// pair shows the model in both halves and grabs the whole pair.
TEST(GlHostTest, stereoModesOnScreen)
{
  ViewFixture v;
  v.addAtom(0, 0, 0);
  v.compile();
  ASSERT_TRUE(v.show());
  v.scene->toggleStereo(1);
  v.scene->toggleStereo(1);
  v.scene->toggleStereo(1);
  ASSERT_EQ(v.scene->stereoMode, 3);
  QImage image = v.frame();
  EXPECT_EQ(pixel(image, 0, 0), (Rgb{255, 255, 255}));
  int coloured = 0;
  for (int x = 150; x < 250; ++x) {
    const Rgb p = pixel(image, x, 150);
    coloured += p[0] != p[1] ? 1 : 0;
  }
  EXPECT_GT(coloured, 10);

  ViewFixture pair(801, 300);
  pair.addAtom(0, 0, 0);
  pair.compile();
  ASSERT_TRUE(pair.show());
  pair.scene->toggleStereo(1);
  ASSERT_EQ(pair.scene->stereoMode, 1);
  image = pair.frame();
  EXPECT_NE(pixel(image, 200, 150), kBackground);
  EXPECT_NE(pixel(image, 600, 150), kBackground);
  EXPECT_EQ(pixel(image, 400, 10), kBackground);
  const std::string path = pair.dir.file("pair.bmp").string();
  ASSERT_TRUE(pair.host->grabToBmp(path));
  const QImage grabbed(QString::fromStdString(path));
  EXPECT_EQ(grabbed.width(), 800);
  EXPECT_EQ(grabbed.height(), 300);
}

// How far a half of the frame's drawn pixels lie from the background, on
// average over its channels.
double meanContrast(const QImage& image, bool rightHalf)
{
  double sum = 0;
  int drawn = 0;
  const int from = rightHalf ? image.width() / 2 : 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = from; x < from + image.width() / 2; ++x) {
      const Rgb p = pixel(image, x, y);
      const int d = std::abs(p[0] - kBackground[0]) + std::abs(p[1] - kBackground[1]) +
                    std::abs(p[2] - kBackground[2]);
      if (d > 0) {
        sum += d;
        ++drawn;
      }
    }
  }
  return drawn > 0 ? sum / drawn : 0;
}

// Fog deepens across the structure: of two like atoms the one farther from
// the eye (model +y, on the right) fades toward the background.
TEST(GlHostTest, fogFadesTowardTheBackground)
{
  ViewFixture v;
  v.addAtom(-3, -3, 0);
  v.addAtom(3, 3, 0);
  v.compile();
  ASSERT_TRUE(v.show());
  const QImage clear = v.frame();
  EXPECT_NEAR(meanContrast(clear, true), meanContrast(clear, false), 0.15 * meanContrast(clear, false));
  v.scene->toggleFog();
  const QImage fogged = v.frame();
  EXPECT_LT(meanContrast(fogged, true), 0.7 * meanContrast(fogged, false));
}

// Orthographic views show a single atom and a benzene-sized ring; the
// projection set by the scene survives repaints and resizes until the
// host takes its perspective back.
TEST(GlHostTest, orthoProjectionLastsUntilRestored)
{
  {
    ViewFixture one;
    one.addAtom(0, 0, 0);
    one.compile();
    one.display.orthoProjection = true;
    one.scene->zoomOrtho();
    ASSERT_TRUE(one.show());
    // The ball fills the window's height less the margin.
    const QImage image = one.frame();
    const Rgb low = pixel(image, 200, 150 + 125);
    EXPECT_GT(low[0], 100);
    EXPECT_LT(low[1], 40);
    EXPECT_EQ(pixel(image, 200, 150 + 145), kBackground);
  }

  ViewFixture v;
  for (int i = 0; i < 6; ++i)
    v.addAtom(static_cast<float>(1.4 * std::cos(i * kPi / 3)),
              static_cast<float>(1.4 * std::sin(i * kPi / 3)), 0);
  v.compile();
  ASSERT_TRUE(v.show());
  v.display.orthoProjection = true;
  v.scene->zoomOrtho();
  const QImage ortho = v.frame();
  // The ring, seen edge on, reaches 1.4 of its 1.8 Å framed radius out.
  EXPECT_NE(pixel(ortho, 200 + 107, 150), kBackground) << "an atom of the ring";
  EXPECT_TRUE(v.frame() == ortho) << "a repaint keeps the projection";
  v.host->resize(420, 320);
  QTest::qWait(50);
  v.frame();
  std::array<GLfloat, 16> projection{};
  v.host->makeCurrent();
  glGetFloatv(GL_PROJECTION_MATRIX, projection.data());
  EXPECT_EQ(projection[11], 0.0f) << "orthographic after a resize";

  v.display.orthoProjection = false;
  v.host->restoreHostProjection();
  v.frame();
  v.host->makeCurrent();
  glGetFloatv(GL_PROJECTION_MATRIX, projection.data());
  EXPECT_EQ(projection[11], -1.0f) << "the host's perspective";
}

// The bitmap holds the frame exactly; the background stays exact in it.
TEST(GlHostTest, grabMatchesTheFramebuffer)
{
  for (const int width : {400, 301}) {
    ViewFixture v(width, 200);
    v.preferences.backgroundColor = 255;
    v.addAtom(0, 0, 0);
    v.compile();
    ASSERT_TRUE(v.show());
    const std::string path = v.dir.file("frame.bmp").string();
    ASSERT_TRUE(v.host->grabToBmp(path)) << width;
    EXPECT_EQ(v.prompts.waitDepth, 0);
    std::ifstream in(path, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), {}};
    const std::size_t row = width == 301 ? 904 : 1200;
    ASSERT_EQ(bytes.size(), 58 + row * 200) << width;
    EXPECT_EQ(bytes.substr(58, 3), std::string("\0\0\xff", 3)) << "background (255, 0, 0) as BGR";
    const QImage grabbed = QImage(QString::fromStdString(path)).convertToFormat(QImage::Format_RGB888);
    const QImage frame = v.frame();
    EXPECT_TRUE(grabbed == frame) << width;
  }
}

// Moving the view into another window re-creates its context; the lists
// come back from their records and the picture is the same.
TEST(GlHostTest, reparentingKeepsThePicture)
{
  for (const bool ortho : {false, true}) {
    ViewFixture v;
    v.addAtom(0, 0, 0);
    v.addAtom(3, 0, 1);
    v.compile();
    ASSERT_TRUE(v.show());
    if (ortho) {
      v.display.orthoProjection = true;
      v.scene->zoomOrtho();
    }
    const QImage before = v.frame();
    QMainWindow window;
    window.setCentralWidget(v.host.get());
    window.resize(400, 300);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    v.host->resize(400, 300);
    ASSERT_EQ(v.host->width(), 400);
    ASSERT_EQ(v.host->height(), 300);
    const QImage after = v.frame();
    EXPECT_TRUE(before == after) << "ortho " << ortho;
    window.takeCentralWidget();
  }
}

// Drags on the real widget: a right drag down in the right half enlarges,
// Shift + left drag pans, a double-click restores the start pose.
TEST(GlHostTest, mouseOnTheWidget)
{
  ViewFixture v;
  v.addAtom(-3, 0, 0);
  v.addAtom(3, 0, 0);
  v.compile();
  v.scene->zoomReset(0);
  ASSERT_TRUE(v.show());
  auto ballWidth = [&] {
    const QImage image = v.frame();
    int n = 0;
    for (int x = 0; x < image.width(); ++x)
      n += pixel(image, x, 150) != kBackground ? 1 : 0;
    return n;
  };
  const int before = ballWidth();
  QTest::mousePress(v.host.get(), Qt::RightButton, {}, QPoint(300, 100));
  QMouseEvent move(QEvent::MouseMove, QPointF(300, 160), QPointF(300, 160), Qt::NoButton, Qt::RightButton,
                   Qt::NoModifier);
  QApplication::sendEvent(v.host.get(), &move);
  QTest::mouseRelease(v.host.get(), Qt::RightButton, {}, QPoint(300, 160));
  EXPECT_GT(ballWidth(), before);

  // Any press stops the animation.
  v.scene->animate(0);
  QTest::mousePress(v.host.get(), Qt::LeftButton, {}, QPoint(100, 100));
  QTest::mouseRelease(v.host.get(), Qt::LeftButton, {}, QPoint(100, 100));
  EXPECT_FALSE(v.scene->animating);

  v.scene->zoomReset(0);
  v.display.shiftKeyDown = true;
  QTest::mousePress(v.host.get(), Qt::LeftButton, Qt::ShiftModifier, QPoint(100, 100));
  QMouseEvent pan(QEvent::MouseMove, QPointF(140, 80), QPointF(140, 80), Qt::NoButton, Qt::LeftButton,
                  Qt::ShiftModifier);
  QApplication::sendEvent(v.host.get(), &pan);
  QTest::mouseRelease(v.host.get(), Qt::LeftButton, Qt::ShiftModifier, QPoint(140, 80));
  EXPECT_GT(v.scene->panX, 0.0f);
  EXPECT_GT(v.scene->panY, 0.0f);
  v.display.shiftKeyDown = false;

  const QImage start = [&] {
    v.scene->zoomReset(0);
    return v.frame();
  }();
  v.scene->keyRotate(1, 20, 0);
  v.scene->zoom = 3;
  v.scene->animate(0);
  QTest::mouseDClick(v.host.get(), Qt::LeftButton, {}, QPoint(200, 150));
  EXPECT_FALSE(v.scene->animating);
  EXPECT_EQ(v.scene->zoom, 0.0f);
  EXPECT_TRUE(v.frame() == start);
}

// The view matrix reaches GL unchanged, and CMatrix's rotation agrees
// with GL's own.
TEST(GlHostTest, matrixAgreesWithGl)
{
  ViewFixture v;
  ASSERT_TRUE(v.show());
  v.host->makeCurrent();
  CMatrix m;
  m.Identity();
  m.ActiveAxis(5);
  m.KeyDown(7.3f);
  m.ActiveAxis(0);
  m.KeyDown(-3.1f);
  m.SetTransOnly(1.5f, -2.0f, 4.0f);
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glLoadIdentity();
  Apply(m, v.host->gl());
  CMatrix::Matrix want{}, got{};
  m.GetMatrix(want);
  glGetFloatv(GL_MODELVIEW_MATRIX, got.data());
  for (std::size_t i = 0; i < 16; ++i)
    EXPECT_NEAR(got[i], want[i], 1e-6) << i;

  for (const float degrees : {0.0f, 30.0f, -75.5f, 180.0f}) {
    glLoadIdentity();
    glRotatef(degrees, 1, 0, 0);
    glGetFloatv(GL_MODELVIEW_MATRIX, got.data());
    CMatrix r;
    r.SetRotationX(static_cast<float>(degrees * kPi / 180.0));
    r.GetMatrix(want);
    for (std::size_t i = 0; i < 16; ++i)
      EXPECT_NEAR(got[i], want[i], 1e-6) << degrees << " degrees, element " << i;
  }
  glPopMatrix();
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

} // namespace
} // namespace tarvek
