#include "fake_host.h"
#include "scene_rig.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

namespace tarvek {
namespace {

using test::FakeHost;
using test::SceneRig;
using Calls = std::vector<std::string>;

// The log line a call makes, in the recorder's own number format.
std::string logged(const std::function<void(GlApi&)>& call)
{
  RecordingGl gl;
  call(gl);
  return gl.calls.at(0);
}

std::string viewMatrixCall(const CXXX& scene)
{
  CMatrix::Matrix m{};
  scene.viewMatrix().GetMatrix(m);
  return logged([&](GlApi& gl) { gl.multMatrixf(m.data()); });
}

// True when want appears in calls in this order, other calls between.
bool inOrder(const Calls& calls, const Calls& want)
{
  auto at = calls.begin();
  for (const std::string& w : want) {
    at = std::find(at, calls.end(), w);
    if (at == calls.end())
      return false;
    ++at;
  }
  return true;
}

std::string joined(const Calls& calls)
{
  std::string out;
  for (const std::string& c : calls)
    out += c + "\n";
  return out;
}

// The numbers between the parentheses of a logged call.
std::vector<double> argsOf(const std::string& call)
{
  std::vector<double> out;
  const char* p = call.data() + call.find('(') + 1;
  const char* end = call.data() + call.size() - 1;
  while (p < end) {
    double v = 0;
    p = std::from_chars(p, end, v).ptr + 1;
    out.push_back(v);
  }
  return out;
}

std::vector<std::string> matching(const Calls& calls, const std::string& prefix)
{
  std::vector<std::string> out;
  for (const std::string& c : calls) {
    if (c.rfind(prefix, 0) == 0)
      out.push_back(c);
  }
  return out;
}

struct ViewRig : SceneRig {
  FakeHost host;
  ViewRig()
  {
    scene.attachHost(host);
    scene.init();
  }
  // Atoms spanning centre (1, 2, 12.5) and sizes (13.6, 13.6, 25).
  void addBoxCorners()
  {
    addAtom(1 - 6.8f, 2 - 6.8f, 0);
    addAtom(1 + 6.8f, 2 + 6.8f, 25);
  }
  Calls draw()
  {
    gl.calls.clear();
    scene.DRAW();
    return gl.calls;
  }
};

const std::string kSettingsClear = logged([](GlApi& gl) {
  gl.clearColor(0.0f, static_cast<float>(122 / 255.0), static_cast<float>(185 / 255.0), 0.0f);
});

// InitGL sets the light, keeps the records it finds and compiles them, and
// applies the background and projection asked for before the context was
// there, so the first frame already shows them.
TEST(RenderingTest, initGlCompilesWaitingListsAndAppliesEarlierRequests)
{
  ViewRig rig;
  rig.display.orthoProjection = true;
  rig.context.available = false;
  rig.addAtom(0, 0, 0);
  rig.setData(true);
  rig.scene.setBackground();
  rig.scene.zoomOrtho();
  ASSERT_TRUE(rig.gl.calls.empty()) << joined(rig.gl.calls);
  ASSERT_EQ(rig.scene.lists().at(0).glId, 0u);

  rig.context.available = true;
  rig.scene.InitGL();
  const Calls& calls = rig.gl.calls;
  const Calls head(calls.begin(), calls.begin() + std::min<std::size_t>(7, calls.size()));
  EXPECT_EQ(head,
            (Calls{"light1(AMBIENT,0,0,0,1)", "light1(DIFFUSE,1,1,1,1)", "light1(SPECULAR,1,1,1,1)",
                   "enable(LIGHT1)", "lightModelTwoSide(0)", "clearColor(0,0.5,0.5,0)", kSettingsClear}))
      << joined(calls);
  const Calls volume = matching(calls, "ortho(");
  ASSERT_EQ(volume.size(), 1u) << joined(calls);
  EXPECT_TRUE(inOrder(calls, {kSettingsClear, "matrixMode(PROJECTION)", "loadIdentity()", volume[0], "newList(1)"}))
      << joined(calls);
  EXPECT_NE(rig.scene.lists().at(0).glId, 0u);
  EXPECT_FALSE(rig.host.ownsOwnProjection);
}

// Without earlier requests InitGL leaves InitGL's own clear colour and
// hands the projection to the host.
TEST(RenderingTest, initGlWithoutRequestsKeepsItsClearColourAndTheHostsProjection)
{
  ViewRig rig;
  rig.host.ownsOwnProjection = false;
  rig.scene.InitGL();
  EXPECT_EQ(matching(rig.gl.calls, "clearColor"), (Calls{"clearColor(0,0.5,0.5,0)"}));
  EXPECT_TRUE(rig.host.ownsOwnProjection);
}

// One plain frame: a fixed sequence of state calls, one call per list.
TEST(RenderingTest, drawModeZeroIsOnePassInAFixedOrder)
{
  ViewRig rig;
  rig.addAtom(0, 0, 0);
  rig.addAtom(1.4f, 0, 0);
  rig.addBond(0, 1);
  rig.setData(true);
  ASSERT_EQ(rig.scene.lists().size(), 2u);
  rig.scene.zoom = 2.0f;
  rig.scene.panX = 1.0f;
  rig.scene.panY = -1.5f;
  rig.scene.keyRotate(1, 3.0f, 1);

  const Calls want{"shadeModel(SMOOTH)",
                   "translatef(0,0,2)",
                   "translatef(1,-1.5,0)",
                   kSettingsClear,
                   "viewport(0,0,400,300)",
                   "enable(LIGHT1)",
                   "material(AMBIENT,1,1,1,1)",
                   "material(DIFFUSE,1,1,1,1)",
                   "material(SPECULAR,1,1,1,1)",
                   "materialShininess(50)",
                   "rotatef(-90,1,0,0)",
                   "enable(COLOR_MATERIAL)",
                   "colorMaterial(FRONT,AMBIENT_AND_DIFFUSE)",
                   "disable(FOG)",
                   "pushMatrix()",
                   viewMatrixCall(rig.scene),
                   "polygonMode(FRONT_AND_BACK,FILL)",
                   "enable(LIGHTING)",
                   "callList(1)",
                   "enable(LIGHTING)",
                   "callList(2)",
                   "popMatrix()"};
  EXPECT_EQ(rig.draw(), want) << joined(rig.gl.calls);
}

// The frame costs the same number of calls whatever the structure's size.
TEST(RenderingTest, drawCallCountDoesNotGrowWithTheAtomCount)
{
  std::vector<std::size_t> counts;
  for (const int atoms : {10, 10000}) {
    ViewRig rig;
    for (int i = 0; i < atoms; ++i)
      rig.addAtom(static_cast<float>(i % 100) * 2, static_cast<float>(i / 100) * 2, 0);
    rig.setData(true);
    counts.push_back(rig.draw().size());
  }
  EXPECT_EQ(counts[0], counts[1]);
}

// The anaglyph draws red, then green and blue over a cleared depth buffer
// from the turned eye, on white.
TEST(RenderingTest, colourAnaglyphDrawsTwoMaskedPassesOnWhite)
{
  ViewRig rig;
  rig.addAtom(0, 0, 0);
  rig.setData(true);
  rig.scene.stereoMode = 3;
  rig.scene.anaglyphMode = 3;
  const Calls calls = rig.draw();
  const std::string white = logged([](GlApi& gl) { gl.clearColor(1, 1, 1, 0); });
  EXPECT_TRUE(
      inOrder(calls, {white, "viewport(0,0,400,300)", "colorMask(1,0,0,1)", "pushMatrix()", "callList(1)",
                      "popMatrix()", "colorMask(0,1,1,1)", "clear(DEPTH)", "rotatef(-3,0,0,1)",
                      "pushMatrix()", "callList(1)", "popMatrix()", "flush()", "colorMask(1,1,1,1)"}))
      << joined(calls);
  EXPECT_EQ(calls.back(), "colorMask(1,1,1,1)");
  EXPECT_EQ(matching(calls, "callList").size(), 2 * rig.scene.lists().size());
  EXPECT_EQ(matching(calls, "clearColor"), (Calls{white}));
  EXPECT_TRUE(inOrder(calls, {"enable(COLOR_MATERIAL)"}));

  rig.scene.stereoMode = 4;
  rig.scene.anaglyphMode = 4;
  const Calls grey = rig.draw();
  EXPECT_TRUE(inOrder(grey, {"disable(COLOR_MATERIAL)", "colorMaterial(FRONT,AMBIENT_AND_DIFFUSE)"}))
      << joined(grey);
  EXPECT_TRUE(matching(grey, "enable(COLOR_MATERIAL)").empty());
}

// Side-by-side pairs: left half, then right half (400.5 rounds to 400)
// with the eye turned one way or the other.
TEST(RenderingTest, stereoPairsDrawLeftThenRightHalf)
{
  for (const std::int16_t mode : {1, 2}) {
    ViewRig rig;
    rig.host.width = 801;
    rig.addAtom(0, 0, 0);
    rig.setData(true);
    rig.scene.stereoMode = mode;
    const Calls calls = rig.draw();
    const std::string turn = mode == 1 ? "rotatef(-3,0,0,1)" : "rotatef(3,0,0,1)";
    EXPECT_TRUE(inOrder(calls, {"viewport(0,0,400,300)", "callList(1)", "viewport(400,0,400,300)", turn,
                                "callList(1)", "flush()", "colorMask(1,1,1,1)"}))
        << "mode " << mode << "\n"
        << joined(calls);
    EXPECT_EQ(matching(calls, "colorMask").size(), 1u) << "mode " << mode;
  }
}

// Hidden atoms skip the atom list only; flat inserts are unlit except in
// the anaglyphs, whose masks need the lit colours.
TEST(RenderingTest, listSwitchesAndFlatInserts)
{
  ViewRig rig;
  rig.display.insertFlag = true;
  rig.model.structureKind = 5;
  for (int i = 0; i < 6; ++i)
    rig.addAtom(static_cast<float>(std::cos(i)) * 3, static_cast<float>(std::sin(i)) * 3, 0);
  rig.setData();
  ASSERT_EQ(rig.scene.lists().back().record.kind, ListKind::Fill);
  const std::string fillCall = "callList(" + std::to_string(rig.scene.lists().back().glId) + ")";
  const std::string atomCall = "callList(" + std::to_string(rig.scene.lists().front().glId) + ")";

  rig.display.atomsShown = false;
  rig.display.flatInserts = true;
  Calls calls = rig.draw();
  EXPECT_TRUE(std::find(calls.begin(), calls.end(), atomCall) == calls.end()) << joined(calls);
  auto fill = std::find(calls.begin(), calls.end(), fillCall);
  ASSERT_TRUE(fill != calls.end());
  EXPECT_EQ(*(fill - 1), "disable(LIGHTING)");

  rig.scene.stereoMode = 3;
  rig.scene.anaglyphMode = 3;
  calls = rig.draw();
  fill = std::find(calls.begin(), calls.end(), fillCall);
  ASSERT_TRUE(fill != calls.end());
  EXPECT_EQ(*(fill - 1), "enable(LIGHTING)");
}

// Fog fades linearly into the clear colour over a depth range that holds
// the whole structure: it starts in front of it and ends behind it.
TEST(RenderingTest, fogFollowsTheClearColour)
{
  ViewRig rig;
  rig.addAtom(-10, 0, 0);
  rig.addAtom(10, 0, 0);
  rig.setData(true);
  rig.scene.toggleFog();
  EXPECT_TRUE(rig.scene.fogOn);
  const std::vector<std::string> fog = matching(rig.draw(), "linearFog");
  ASSERT_EQ(fog.size(), 1u);
  const std::vector<double> args = argsOf(fog[0]);
  ASSERT_EQ(args.size(), 6u);
  EXPECT_NEAR(args[0], 0.0, 1e-6);
  EXPECT_NEAR(args[1], 122 / 255.0, 1e-6);
  EXPECT_NEAR(args[2], 185 / 255.0, 1e-6);
  // The structure's centre stands at the eye distance; its atoms reach 10
  // to either side, which the default pose may turn towards the eye.
  const double eye = rig.scene.viewDepth().eye;
  EXPECT_LE(args[4], eye - 10.0);
  EXPECT_GE(args[5], eye + 10.0);
  EXPECT_GT(args[4], 0.0);
  rig.scene.toggleFog();
  EXPECT_EQ(matching(rig.draw(), "disable(FOG)").size(), 1u);
}

// The stereo cycle runs through 0..4 both ways and never stays at 5; the
// anaglyph modes alone have the anaglyph flag and the white background.
TEST(RenderingTest, stereoCycleInEitherProjection)
{
  for (const bool ortho : {true, false}) {
    ViewRig rig;
    rig.display.orthoProjection = ortho;
    rig.addAtom(0, 0, 0);
    std::vector<int> modes;
    for (int i = 0; i < 5; ++i) {
      rig.scene.toggleStereo(1);
      modes.push_back(rig.scene.stereoMode);
      const int a = rig.scene.anaglyphMode;
      EXPECT_EQ(a, modes.back() >= 3 ? modes.back() : 0) << "ortho " << ortho << " step " << i;
    }
    EXPECT_EQ(modes, (std::vector<int>{1, 2, 3, 4, 0})) << "ortho " << ortho;
    modes.clear();
    for (int i = 0; i < 5; ++i) {
      rig.scene.toggleStereo(-1);
      modes.push_back(rig.scene.stereoMode);
    }
    EXPECT_EQ(modes, (std::vector<int>{4, 3, 2, 1, 0})) << "ortho " << ortho;
  }

  ViewRig rig;
  rig.display.orthoProjection = false;
  rig.scene.toggleStereo(-1);
  EXPECT_EQ(rig.scene.stereoMode, 4);
  EXPECT_EQ(rig.scene.getFogColor(), (std::array<float, 4>{1, 1, 1, 1}));
  EXPECT_EQ(matching(rig.gl.calls, "light1"), (Calls{"light1(DIFFUSE,0.65,0.65,0.65,1)"}));
  rig.gl.calls.clear();
  rig.scene.toggleStereo(1);
  EXPECT_EQ(matching(rig.gl.calls, "light1"), (Calls{"light1(DIFFUSE,1,1,1,1)"}));
}

// The orthographic volume frames the bounding sphere by the smaller side of
// each picture (the pairs take half the width each), less the zoom, and
// reaches in depth across the whole sphere.
TEST(RenderingTest, zoomOrthoFramesTheSphere)
{
  struct Case {
    std::int16_t stereo;
    bool ortho;
    // Width over height of one picture; 0 for the pair perspective.
    double aspect;
  };
  const std::vector<Case> cases{{0, true, 4.0 / 3}, {3, true, 4.0 / 3}, {4, true, 4.0 / 3},
                                {1, true, 2.0 / 3}, {2, true, 2.0 / 3}, {1, false, 0},
                                {2, false, 0},      {3, false, 4.0 / 3}};
  for (const Case& c : cases) {
    ViewRig rig;
    rig.addBoxCorners();
    rig.setData(true);
    rig.display.orthoProjection = c.ortho;
    rig.scene.stereoMode = c.stereo;
    rig.scene.zoom = 1.5f;
    rig.gl.calls.clear();
    rig.host.redraws = 0;
    rig.scene.zoomOrtho();
    const Calls& calls = rig.gl.calls;
    ASSERT_EQ(calls.size(), 6u) << joined(calls);
    EXPECT_EQ(Calls(calls.begin(), calls.begin() + 3),
              (Calls{"viewport(0,0,400,300)", "matrixMode(PROJECTION)", "loadIdentity()"}));
    EXPECT_EQ(Calls(calls.begin() + 4, calls.end()), (Calls{"matrixMode(MODELVIEW)", "loadIdentity()"}));
    const double r = rig.scene.frameRadius();
    const std::vector<double> got = argsOf(calls[3]);
    if (c.aspect == 0) {
      ASSERT_EQ(calls[3].rfind("perspective(45,0.6666666666666666,", 0), 0u) << calls[3];
    } else {
      ASSERT_EQ(calls[3].rfind("ortho(", 0), 0u) << calls[3];
      ASSERT_EQ(got.size(), 6u) << calls[3];
      const double small = 1.1 * r - 1.5;
      const double x = c.aspect >= 1 ? small * c.aspect : small;
      const double y = c.aspect >= 1 ? small : small / c.aspect;
      const std::vector<double> want{-x, x, -y, y};
      for (std::size_t i = 0; i < 4; ++i)
        EXPECT_NEAR(got[i], want[i], 1e-4) << "stereo " << c.stereo << " " << calls[3];
      const double distance = rig.scene.viewDepth().eye - 1.5;
      EXPECT_LT(got[4], distance - r) << calls[3];
      EXPECT_GT(got[5], distance + r) << calls[3];
    }
    EXPECT_EQ(rig.host.redraws, 1) << "stereo " << c.stereo;
    EXPECT_FALSE(rig.host.ownsOwnProjection);
  }

  // A plain perspective view is the host's.
  ViewRig rig;
  rig.display.orthoProjection = false;
  rig.scene.zoomOrtho();
  EXPECT_TRUE(rig.gl.calls.empty());
  EXPECT_TRUE(rig.host.ownsOwnProjection);
}

// zoomPers acts only for a stereo mode in perspective; resize only redoes
// the pairs' perspective.
TEST(RenderingTest, zoomPersAndResize)
{
  ViewRig rig;
  rig.addAtom(0, 0, 0);
  rig.display.orthoProjection = false;
  rig.scene.zoomPers();
  EXPECT_TRUE(rig.gl.calls.empty());
  EXPECT_EQ(rig.host.redraws, 1);

  rig.scene.stereoMode = 3;
  rig.scene.zoomPers();
  const ViewDepth depth = rig.scene.viewDepth();
  const std::string clip = logged([&](GlApi& gl) { gl.perspective(0, 0, depth.zNear, depth.zFar); }).substr(16);
  EXPECT_EQ(matching(rig.gl.calls, "perspective"), (Calls{"perspective(45,1.3333333333333333," + clip}));
  rig.gl.calls.clear();
  rig.scene.resize();
  EXPECT_TRUE(rig.gl.calls.empty());

  rig.scene.stereoMode = 1;
  rig.scene.resize();
  const ViewDepth pairDepth = rig.scene.viewDepth();
  const std::string pairClip =
      logged([&](GlApi& gl) { gl.perspective(0, 0, pairDepth.zNear, pairDepth.zFar); }).substr(16);
  EXPECT_EQ(matching(rig.gl.calls, "perspective"), (Calls{"perspective(45,0.6666666666666666," + pairClip}));

  rig.gl.calls.clear();
  rig.display.orthoProjection = true;
  rig.scene.zoomPers();
  EXPECT_TRUE(rig.gl.calls.empty());
}

// Zooming in stops before the structure reaches the eye (perspective) or
// the volume collapses (orthographic); one step back out takes effect at once.
TEST(RenderingTest, zoomInStopsShortOfTheEye)
{
  for (const bool ortho : {false, true}) {
    ViewRig rig;
    rig.addAtom(0, 0, 0);
    rig.addAtom(10, 0, 0);
    rig.setData(true);
    rig.display.orthoProjection = ortho;
    for (int i = 0; i < 200; ++i)
      rig.scene.KeyPress('+');
    const float closest = rig.scene.zoom;
    const ViewDepth depth = rig.scene.viewDepth();
    EXPECT_GT(depth.zNear, 0.0) << ortho;
    // The front of the structure stays in front of the eye.
    if (ortho)
      EXPECT_LT(closest, 1.1 * rig.scene.frameRadius()) << closest;
    else
      EXPECT_LT(closest, depth.eye - rig.scene.frameRadius()) << closest;
    rig.gl.calls.clear();
    rig.scene.KeyPress('-');
    EXPECT_LT(rig.scene.zoom, closest) << ortho;
    EXPECT_EQ(matching(rig.gl.calls, "ortho").size(), ortho ? 1u : 0u) << joined(rig.gl.calls);
  }
}

// A view without size gets no projection at all.
TEST(RenderingTest, zeroSizedViewGetsNoGlCalls)
{
  for (const auto& [w, h] : {std::pair{0.0f, 300.0f}, std::pair{400.0f, 0.0f}}) {
    ViewRig rig;
    rig.addAtom(0, 0, 0);
    rig.host.width = w;
    rig.host.height = h;
    rig.scene.zoomOrtho();
    rig.scene.stereoMode = 3;
    rig.display.orthoProjection = false;
    rig.scene.zoomPers();
    EXPECT_TRUE(rig.gl.calls.empty()) << w << " x " << h << "\n" << joined(rig.gl.calls);
    EXPECT_EQ(rig.scene.zoom, 0.0f);
  }
}

TEST(RenderingTest, hostFrameStartLoadsItsPerspectiveOnlyWhileItOwnsIt)
{
  RecordingGl gl;
  hostFrameStart(gl, 400, 300, true, {60.0, 2.5, 120.0});
  EXPECT_EQ(gl.calls,
            (Calls{"matrixMode(PROJECTION)", "loadIdentity()", "perspective(45,1.3333333333333333,2.5,120)",
                   "matrixMode(MODELVIEW)", "loadIdentity()", "lookAt(0,0,60,0,0,0,0,1,0)"}));
  gl.calls.clear();
  hostFrameStart(gl, 400, 300, false, {60.0, 2.5, 120.0});
  EXPECT_EQ(gl.calls, (Calls{"matrixMode(MODELVIEW)", "loadIdentity()", "lookAt(0,0,60,0,0,0,0,1,0)"}));
}

} // namespace
} // namespace tarvek
