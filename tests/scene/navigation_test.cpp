#include "fake_host.h"
#include "scene_rig.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tarvek {
namespace {

using test::FakeHost;
using test::SceneRig;

struct NavRig : SceneRig {
  FakeHost host;
  NavRig()
  {
    scene.attachHost(host);
    scene.init();
    display.orthoProjection = false;
  }
  // A scene whose largest size is 40 Å.
  void box40()
  {
    addAtom(0, 0, 0);
    addAtom(40, 0, 0);
    scene.computeBox();
  }
};

// The pose after the given (ActiveAxis, KeyDown angle) turns from identity.
CMatrix::Matrix pose(std::initializer_list<std::pair<int, float>> turns)
{
  CMatrix m;
  m.Identity();
  for (const auto& [axis, angle] : turns) {
    m.ActiveAxis(axis);
    m.KeyDown(angle);
  }
  CMatrix::Matrix out{};
  m.GetMatrix(out);
  return out;
}

CMatrix::Matrix poseOf(const CXXX& scene)
{
  CMatrix::Matrix out{};
  scene.viewMatrix().GetMatrix(out);
  return out;
}

void expectPose(const CMatrix::Matrix& got, const CMatrix::Matrix& want, double tolerance,
                const std::string& what)
{
  for (std::size_t i = 0; i < 16; ++i)
    EXPECT_NEAR(got[i], want[i], tolerance) << what << ", element " << i;
}

// Arrow keys turn by rotationStep (Ctrl: 90) about the screen axes; Shift
// turns about the depth axis.
TEST(NavigationTest, arrowKeysTurnAboutTheirAxes)
{
  struct Case {
    std::int16_t code, shift;
    int activeAxis;
    float angle;
  };
  const std::vector<Case> cases{
      {37, 0, 5, -1},  {39, 0, 5, 1},  {38, 0, 3, -1}, {40, 0, 3, 1},  {38, 1, 4, -1},
      {37, 1, 4, -1},  {40, 1, 4, 1},  {39, 1, 4, 1},  {39, 2, 5, 90}, {38, 3, 4, -90},
      {37, 6, 5, -90}, {40, 7, 4, 90}, {39, 4, 5, 1},
  };
  for (const Case& c : cases) {
    NavRig rig;
    rig.scene.KeyDown(c.code, c.shift);
    const std::string what = "key " + std::to_string(c.code) + " shift " + std::to_string(c.shift);
    EXPECT_EQ(rig.scene.viewMatrix().ActiveAxis(), c.activeAxis) << what;
    expectPose(poseOf(rig.scene), pose({{c.activeAxis, c.angle}}), 1e-6, what);
    EXPECT_EQ(rig.host.redraws, 1) << what;
  }

  // One step of rotationStep 1 is 5 degrees; Ctrl+Right's 450 degrees are
  // the quarter turn.
  NavRig rig;
  rig.scene.KeyDown(39, 0);
  CMatrix five;
  five.SetRotationZ(CMatrix::DegToRadf(5));
  CMatrix::Matrix fiveM{};
  five.GetMatrix(fiveM);
  expectPose(poseOf(rig.scene), fiveM, 1e-6, "5 degrees");
  NavRig ctrl;
  ctrl.scene.KeyDown(39, 2);
  CMatrix quarter;
  quarter.SetRotationZ(CMatrix::DegToRadf(90));
  CMatrix::Matrix quarterM{};
  quarter.GetMatrix(quarterM);
  expectPose(poseOf(ctrl.scene), quarterM, 1e-6, "Ctrl+Right");

  for (const std::int16_t code : {0, 16, 36, 41, 65}) {
    NavRig other;
    other.scene.KeyDown(code, 0);
    expectPose(poseOf(other.scene), pose({}), 0, "key " + std::to_string(code));
    EXPECT_EQ(other.host.redraws, 0) << code;
  }
}

TEST(NavigationTest, keyRotateAxesAndRefresh)
{
  for (const auto& [axis, active] : {std::pair{1, 5}, std::pair{2, 3}, std::pair{3, 4}}) {
    NavRig rig;
    rig.scene.keyRotate(static_cast<std::int16_t>(axis), 2.0f, 1);
    EXPECT_EQ(rig.scene.viewMatrix().ActiveAxis(), active) << axis;
    expectPose(poseOf(rig.scene), pose({{active, 2.0f}}), 0, "axis " + std::to_string(axis));
    EXPECT_EQ(rig.host.redraws, 0) << axis;
  }
  NavRig rig;
  rig.scene.keyRotate(4, 2.0f, 0);
  expectPose(poseOf(rig.scene), pose({}), 0, "axis 4");
  EXPECT_EQ(rig.host.redraws, 1);
}

// "+" and "=" bring the structure closer by a tenth of the largest size,
// "-" moves it away, " " resets; in the orthographic view the volume follows
// each step.
TEST(NavigationTest, zoomCharacters)
{
  for (const bool ortho : {false, true}) {
    NavRig rig;
    rig.display.orthoProjection = ortho;
    rig.box40();
    rig.scene.KeyPress('+');
    EXPECT_FLOAT_EQ(rig.scene.zoom, 4.0f) << ortho;
    rig.scene.KeyPress('=');
    EXPECT_FLOAT_EQ(rig.scene.zoom, 8.0f) << ortho;
    for (int i = 0; i < 3; ++i)
      rig.scene.KeyPress('-');
    EXPECT_FLOAT_EQ(rig.scene.zoom, -4.0f) << ortho;
    int orthoCalls = 0;
    for (const std::string& c : rig.gl.calls)
      orthoCalls += c.rfind("ortho(", 0) == 0 ? 1 : 0;
    EXPECT_EQ(orthoCalls, ortho ? 5 : 0);
    rig.scene.panX = 3;
    rig.scene.KeyDown(39, 0);
    rig.scene.KeyPress(' ');
    EXPECT_EQ(rig.scene.zoom, 0.0f);
    EXPECT_EQ(rig.scene.panX, 0.0f);
    expectPose(poseOf(rig.scene), pose({{3, 90}}), 0, "reset");

    const int redraws = rig.host.redraws;
    for (const int ch : {0, int{'a'}, int{'*'}, int{'_'}, 13})
      rig.scene.KeyPress(static_cast<std::int16_t>(ch));
    EXPECT_EQ(rig.scene.zoom, 0.0f);
    EXPECT_EQ(rig.host.redraws, redraws);
  }
}

// A right press rotates in the left half (the middle included) and zooms
// in the right half.
TEST(NavigationTest, rightPressChoosesRotateOrZoomByHalf)
{
  NavRig rig;
  ASSERT_EQ(rig.host.ViewWidthTwips(), 6000.0f);
  rig.scene.MouseDown(2, 0, 200, 50);
  EXPECT_EQ(rig.scene.getDragMode(), 1);
  rig.scene.MouseDown(2, 0, 201, 50);
  EXPECT_EQ(rig.scene.getDragMode(), 2);
  EXPECT_EQ(rig.host.presses, 2);
  rig.scene.MouseDown(0, 0, 300, 50);
  EXPECT_EQ(rig.host.presses, 2);
  EXPECT_EQ(rig.scene.getDragMode(), 2);
}

// Pan is measured from the press point and scaled by the scene's size;
// with Shift a right drag from the left half does nothing.
TEST(NavigationTest, shiftDragPans)
{
  NavRig rig;
  rig.box40();
  rig.display.shiftKeyDown = true;
  rig.scene.MouseDown(1, 1, 100, 100);
  EXPECT_EQ(rig.scene.getDragMode(), 3);
  rig.scene.MouseMove(1, 1, 120, 90);
  rig.scene.MouseMove(1, 1, 140, 80);
  EXPECT_FLOAT_EQ(rig.scene.panX, 4.0f);
  EXPECT_FLOAT_EQ(rig.scene.panY, 2.0f);

  NavRig right;
  right.box40();
  right.display.shiftKeyDown = true;
  right.scene.MouseDown(2, 1, 100, 100);
  right.scene.MouseMove(2, 1, 150, 150);
  EXPECT_EQ(right.scene.panX, 0.0f);
  EXPECT_EQ(right.scene.zoom, 0.0f);
  expectPose(poseOf(right.scene), pose({}), 0, "shift right drag");
  EXPECT_EQ(right.host.redraws, 0);
}

// A left drag turns one degree per pixel, horizontally then vertically,
// with one repaint; a right drag from the left half rolls.
TEST(NavigationTest, rotatingDrags)
{
  NavRig rig;
  rig.scene.MouseDown(1, 0, 100, 100);
  rig.scene.MouseMove(1, 0, 110, 95);
  expectPose(poseOf(rig.scene), pose({{5, 2}, {3, -1}}), 0, "left drag");
  EXPECT_EQ(rig.host.redraws, 1);
  EXPECT_EQ(rig.scene.lastX, 110.0f);
  EXPECT_EQ(rig.scene.lastY, 95.0f);

  NavRig roll;
  roll.scene.MouseDown(2, 0, 100, 100);
  roll.scene.MouseMove(2, 0, 105, 110);
  expectPose(poseOf(roll.scene), pose({{4, -3}}), 0, "right drag");

  // Buttons and modes that have no drag change nothing.
  for (const std::int16_t button : {0, 3, 4, 5}) {
    NavRig none;
    none.scene.MouseDown(1, 0, 100, 100);
    none.scene.MouseMove(button, 0, 150, 150);
    expectPose(poseOf(none.scene), pose({}), 0, "button " + std::to_string(button));
    EXPECT_EQ(none.host.redraws, 0) << button;
    EXPECT_EQ(none.scene.lastX, 100.0f) << button;
  }
}

// A zoom drag scales from the press point; in the orthographic view it
// refreshes through zoomOrtho and keeps the last pointer position.
TEST(NavigationTest, zoomDrag)
{
  for (const bool ortho : {false, true}) {
    NavRig rig;
    rig.display.orthoProjection = ortho;
    rig.box40();
    rig.scene.zoom = 1;
    rig.scene.MouseDown(2, 0, 300, 100.5f);
    EXPECT_EQ(rig.scene.dragStartY, 100.0f) << "halves round to even";
    rig.scene.MouseMove(2, 0, 300, 110);
    EXPECT_FLOAT_EQ(rig.scene.zoom, 3.0f) << ortho;
    rig.scene.MouseMove(2, 0, 300, 105);
    EXPECT_FLOAT_EQ(rig.scene.zoom, 2.0f) << ortho;
    bool orthoCalled = false;
    for (const std::string& c : rig.gl.calls)
      orthoCalled = orthoCalled || c.rfind("ortho(", 0) == 0;
    EXPECT_EQ(orthoCalled, ortho);
    EXPECT_EQ(rig.scene.lastY, ortho ? 100.5f : 105.0f);
  }
}

// animate turns one step per tick until called again.
TEST(NavigationTest, animateTurnsPerTickUntilStopped)
{
  NavRig rig;
  rig.scene.animate(0);
  EXPECT_TRUE(rig.scene.animating);
  EXPECT_TRUE(rig.host.timerRunning);
  rig.scene.animationTick();
  rig.scene.animationTick();
  expectPose(poseOf(rig.scene), pose({{5, -1}, {5, -1}}), 0, "two ticks");
  EXPECT_EQ(rig.host.repaints, 2);
  EXPECT_EQ(rig.scene.viewMatrix().ActiveAxis(), 5);

  rig.scene.animate(0);
  EXPECT_FALSE(rig.scene.animating);
  rig.scene.animationTick();
  EXPECT_FALSE(rig.host.timerRunning);
  EXPECT_EQ(rig.host.repaints, 2);
  expectPose(poseOf(rig.scene), pose({{5, -1}, {5, -1}}), 0, "stopped");
}

// The start pose depends on defaultAxis; zoomReset(1) does not repaint.
TEST(NavigationTest, zoomResetPoses)
{
  const std::vector<CMatrix::Matrix> poses{pose({{3, 90}}), pose({{3, 180}, {4, -90}}), pose({{5, -90}}),
                                           pose({})};
  for (std::int16_t axis = 0; axis < 4; ++axis) {
    NavRig rig;
    rig.preferences.defaultAxis = axis;
    rig.scene.zoom = 5;
    rig.scene.panX = 1;
    rig.scene.panY = 2;
    rig.scene.keyRotate(1, 7, 1);
    rig.scene.zoomReset(1);
    expectPose(poseOf(rig.scene), poses[static_cast<std::size_t>(axis)], 0,
               "defaultAxis " + std::to_string(axis));
    EXPECT_EQ(rig.scene.zoom, 0.0f);
    EXPECT_EQ(rig.scene.panX, 0.0f);
    EXPECT_EQ(rig.scene.panY, 0.0f);
    EXPECT_EQ(rig.host.redraws, 0);
    rig.scene.zoomReset(0);
    EXPECT_EQ(rig.host.redraws, 1);
  }
}

TEST(NavigationTest, fixedTurns)
{
  NavRig rig;
  rig.scene.rotate90(0);
  expectPose(poseOf(rig.scene), pose({{5, -90}}), 0, "rotate90(0)");
  EXPECT_EQ(rig.host.redraws, 2);

  NavRig deg;
  deg.scene.rotateDeg(1, 11.65f, 0);
  expectPose(poseOf(deg.scene), pose({{3, -11.65f}}), 0, "rotateDeg(1)");
  EXPECT_EQ(deg.host.redraws, 2);

  NavRig quiet;
  quiet.scene.rotateDeg(2, 4, 1);
  expectPose(poseOf(quiet.scene), pose({{4, -4}}), 0, "rotateDeg(2) quiet");
  EXPECT_EQ(quiet.host.redraws, 1);

  for (const std::int16_t axis : {-1, 3}) {
    NavRig other;
    other.scene.rotate90(axis);
    other.scene.rotateDeg(axis, 10, 0);
    expectPose(poseOf(other.scene), pose({}), 0, "axis " + std::to_string(axis));
    EXPECT_EQ(other.host.redraws, 2);
  }
}

} // namespace
} // namespace tarvek
