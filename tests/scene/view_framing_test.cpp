// The view's framing: how far back the eye stands to show the structure
// whole, in the pose it was framed in, as the view changes shape.
#include "fake_host.h"
#include "runtime/random_source.h"
#include "scene_rig.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

namespace tarvek {
namespace {

// The eye distance that shows every drawn point whole, taken point by point:
// each seen in pose m and DRAW's quarter turn about x, its reach across and
// up grown by its room, inside the view narrowed by the 1.1 margin at the
// point's own depth.
double everyPointDistance(const CXXX& scene, const CMatrix::Matrix& m, double aspect)
{
  const double tanY = std::tan(22.5 * 3.14159265358979323846 / 180.0);
  const double tanX = tanY * aspect;
  double distance = 0.0;
  for (const CXXX::SceneList& list : scene.lists()) {
    forEachDrawnPoint(list.record, [&](const std::array<float, 3>& p, float pad) {
      const double across = std::fabs(m[0] * p[0] + m[4] * p[1] + m[8] * p[2]) + pad;
      const double up = std::fabs(m[2] * p[0] + m[6] * p[1] + m[10] * p[2]) + pad;
      const double front = -(m[1] * p[0] + m[5] * p[1] + m[9] * p[2]) + pad;
      distance = std::max(distance, front + 1.1 * std::max(across / tanX, up / tanY));
    });
  }
  return distance;
}

// A resize keeps the framing pose but changes which point sets the eye
// distance: in a wide view the deepest or highest, in a tall one those
// farthest across. Random clouds of every proportion, turned at random and
// turned again after framing, bonds as cylinders or as lines.
TEST(ViewFramingTest, eyeDistanceFollowsEveryViewShapeInTheFramingPose)
{
  RandomSource random(20260611);
  const auto between = [&](double lo, double hi) { return lo + (hi - lo) * random.uniform(); };
  const std::pair<float, float> shapes[] = {{1600, 300}, {300, 1600}, {500, 500}, {801, 599}, {1600, 300}};
  for (int cloud = 0; cloud < 12; ++cloud) {
    test::SceneRig rig;
    test::FakeHost host;
    rig.scene.attachHost(host);
    rig.display.orthoProjection = false;
    rig.preferences.optionFlags[9] = cloud % 2 == 1;
    const double size[3] = {between(1, 60), between(1, 60), between(1, 60)};
    for (int i = 0; i < 400; ++i) {
      const auto along = [&](int axis) { return static_cast<float>(size[axis] * random.uniform()); };
      const float x = along(0), y = along(1), z = along(2);
      rig.addAtom(x, y, z);
      if (i > 0 && random.uniform() < 0.5)
        rig.addBond(i - 1, i);
    }
    rig.setData(true);
    rig.scene.keyRotate(1, static_cast<float>(between(-36, 36)), 1);
    rig.scene.keyRotate(2, static_cast<float>(between(-36, 36)), 1);
    rig.scene.frameStructure();
    CMatrix::Matrix framed{};
    rig.scene.viewMatrix().GetMatrix(framed);
    rig.scene.keyRotate(3, 11, 1);
    for (const auto& [w, h] : shapes) {
      host.width = w;
      host.height = h;
      const double want = everyPointDistance(rig.scene, framed, static_cast<double>(w) / h);
      EXPECT_NEAR(rig.scene.viewDepth().eye, want, want * 1e-12)
          << "cloud " << cloud << " (" << size[0] << ", " << size[1] << ", " << size[2] << ") in " << w
          << " x " << h;
    }
  }
}

} // namespace
} // namespace tarvek
