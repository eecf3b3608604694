// The POV-Ray camera shows what the view shows: every atom of structures
// small and large inside the picture, filling a good part of it.
#include "fake_host.h"
#include "scene/pov_rig.h"

#include "model/c60_builder.h"
#include "runtime/number_parse.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <regex>

namespace tarvek {
namespace {

using test::PovRig;
using Lines = std::vector<std::string>;

constexpr double kPi = 3.14159265358979323846;

// Atoms on a tube along x, about 1.4 Å apart.
void addTube(PovRig& rig, float radius, float length)
{
  const int around = std::max(6, static_cast<int>(2 * kPi * radius / 1.4));
  for (float x = -length / 2; x <= length / 2; x += 1.4f) {
    for (int i = 0; i < around; ++i) {
      const double a = 2 * kPi * i / around;
      rig.addAtom(x, static_cast<float>(radius * std::cos(a)), static_cast<float>(radius * std::sin(a)));
    }
  }
}

// Atoms spread evenly over a sphere.
void addShell(PovRig& rig, float radius, int count)
{
  const double golden = kPi * (3 - std::sqrt(5.0));
  for (int i = 0; i < count; ++i) {
    const double y = 1 - 2 * (i + 0.5) / count;
    const double r = std::sqrt(1 - y * y);
    rig.addAtom(static_cast<float>(radius * r * std::cos(golden * i)), static_cast<float>(radius * y),
                static_cast<float>(radius * r * std::sin(golden * i)));
  }
}

// One structure as the main window hands it over: one list, or one per wall
// or bundle tube.
struct Shape {
  std::string name;
  std::function<void(PovRig&)> build;
};

void oneList(PovRig& rig, const std::function<void()>& atoms)
{
  atoms();
  rig.setData(true);
}

const std::vector<Shape>& shapes()
{
  static const std::vector<Shape> table{
      {"default tube", [](PovRig& r) { oneList(r, [&] { addTube(r, 6.8f, 30); }); }},
      {"500 A tube", [](PovRig& r) { oneList(r, [&] { addTube(r, 6.8f, 500); }); }},
      {"C60",
       [](PovRig& r) {
         r.model.structureKind = 5;
         oneList(r, [&] { buildC60(r.model); });
       }},
      {"benzene",
       [](PovRig& r) {
         oneList(r, [&] {
           for (int i = 0; i < 6; ++i) {
             const double a = kPi / 3 * i;
             r.addAtom(static_cast<float>(1.4 * std::cos(a)), static_cast<float>(1.4 * std::sin(a)), 0);
             r.addAtom(static_cast<float>(2.5 * std::cos(a)), static_cast<float>(2.5 * std::sin(a)), 0, 1);
           }
         });
       }},
      {"T = 1 cage", [](PovRig& r) { oneList(r, [&] { addShell(r, 9, 60); }); }},
      {"T = 100 cage", [](PovRig& r) { oneList(r, [&] { addShell(r, 160, 6000); }); }},
      {"7-tube bundle",
       [](PovRig& r) {
         r.model.tubeVariant = 2;
         for (int i = 0; i < 7; ++i) {
           r.clearModel();
           const double a = kPi / 3 * i;
           r.model.placementY = i == 0 ? 0.0f : static_cast<float>(17 * std::cos(a));
           r.model.placementZ = i == 0 ? 0.0f : static_cast<float>(17 * std::sin(a));
           oneList(r, [&] { addTube(r, 6.8f, 40); });
         }
       }},
      {"3-wall tube",
       [](PovRig& r) {
         r.model.tubeVariant = 1;
         for (const float radius : {6.8f, 10.2f, 13.6f}) {
           r.clearModel();
           oneList(r, [&] { addTube(r, radius, 40); });
         }
       }},
  };
  return table;
}

struct Camera {
  bool orthographic = false;
  double x = 0, y = 0, z = 0;
  double aspect = 0;
  double angle = 0;
};

// The three numbers of "<a,b,c" at the start of text.
std::array<double, 3> triple(const std::string& text)
{
  static const std::regex numbers("<\\s*(-?[0-9.]+),\\s*(-?[0-9.]+),\\s*(-?[0-9.]+)");
  std::smatch m;
  if (!std::regex_search(text, m, numbers))
    return {NAN, NAN, NAN};
  return {Val(m[1].str()), Val(m[2].str()), Val(m[3].str())};
}

Camera cameraOf(const Lines& lines)
{
  Camera c;
  for (const std::string& line : lines) {
    if (line.rfind("  orthographic", 0) == 0)
      c.orthographic = true;
    else if (line.rfind("  location ", 0) == 0)
      std::tie(c.x, c.y, c.z) = std::tuple_cat(triple(line));
    else if (line.rfind("  right x*", 0) == 0)
      c.aspect = Val(line.substr(10));
    else if (line.rfind("  angle ", 0) == 0)
      c.angle = Val(line.substr(8));
  }
  return c;
}

// Where the spheres land in the picture, in half picture heights from its
// middle, and the picture's half width in those units.
struct Picture {
  double left = 1e9, right = -1e9, bottom = 1e9, top = -1e9;
  double halfWidth = 0;
  int spheres = 0;
};

Picture project(const Lines& lines)
{
  const Camera cam = cameraOf(lines);
  const double tanX = std::tan(cam.angle / 2 * kPi / 180);
  // Half sizes of the picture at unit depth (or, orthographic, at the look-at).
  const double halfW = cam.orthographic ? -cam.z * tanX : tanX;
  const double halfH = halfW / cam.aspect;
  Picture p;
  p.halfWidth = cam.aspect;
  for (const std::string& line : lines) {
    if (line.rfind("sphere { <", 0) != 0)
      continue;
    const auto [x, y, z] = triple(line);
    const double depth = z - cam.z;
    EXPECT_GT(depth, 0.0) << line;
    const double scale = cam.orthographic ? 1.0 : 1.0 / depth;
    const double u = (x - cam.x) * scale / halfH;
    const double v = (y - cam.y) * scale / halfH;
    p.left = std::min(p.left, u);
    p.right = std::max(p.right, u);
    p.bottom = std::min(p.bottom, v);
    p.top = std::max(p.top, v);
    ++p.spheres;
  }
  return p;
}

// The scene drawn in a 640 x 400 view, in the given projection.
void showInAWideView(PovRig& rig, test::FakeHost& host, bool ortho)
{
  host.width = 640;
  host.height = 400;
  rig.scene.attachHost(host);
  rig.display.orthoProjection = ortho;
}

TEST(PovrayFramingTest, theCameraFramesEveryStructureLikeTheView)
{
  for (const Shape& shape : shapes()) {
    for (const bool ortho : {false, true}) {
      for (const float turn : {0.0f, 6.0f}) {
        PovRig rig;
        test::FakeHost host;
        showInAWideView(rig, host, ortho);
        shape.build(rig);
        rig.scene.zoomReset(1);
        rig.scene.keyRotate(1, turn, 1);
        rig.scene.frameStructure();
        const Picture p = project(rig.writePov());
        const std::string what = shape.name + (ortho ? ", orthographic" : ", perspective") +
                                 (turn != 0 ? ", turned" : "");
        ASSERT_GT(p.spheres, 0) << what;
        EXPECT_GE(p.left, -p.halfWidth) << what;
        EXPECT_LE(p.right, p.halfWidth) << what;
        EXPECT_GE(p.bottom, -1.0) << what;
        EXPECT_LE(p.top, 1.0) << what;
        // The picture's smaller side is its height, 2 in these units.
        EXPECT_GE(std::max(p.right - p.left, p.top - p.bottom), 2.0 / 3) << what;
      }
    }
  }
}

// A pan moves the structure in the picture the way the view's translation
// moves it on the screen: right and up for positive values, in either
// projection.
TEST(PovrayFramingTest, aPanMovesThePictureAsItMovesTheView)
{
  for (const bool ortho : {false, true}) {
    PovRig rig;
    test::FakeHost host;
    showInAWideView(rig, host, ortho);
    shapes().front().build(rig);
    rig.scene.frameStructure();
    const Picture still = project(rig.writePov());
    rig.scene.panX = 1.5f;
    rig.scene.panY = 1.0f;
    const Picture panned = project(rig.writePov());
    EXPECT_GT(panned.left, still.left) << ortho;
    EXPECT_GT(panned.right, still.right) << ortho;
    EXPECT_GT(panned.bottom, still.bottom) << ortho;
    EXPECT_GT(panned.top, still.top) << ortho;
  }
}

} // namespace
} // namespace tarvek
