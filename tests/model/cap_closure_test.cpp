#include "built_tube.h"

#include "model/c60_builder.h"
#include "model/end_caps.h"
#include "model/model.h"
#include "support/cage_check.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace tarvek {
namespace {

constexpr float kA = 1.42f;

Model capped(std::int16_t code, float length, float a = kA, bool cells = false)
{
  return test::builtTube(1, 0, length, a, [&](Model& model) {
    model.tubeVariant = code;
    model.unitCellMode = cells;
  });
}

test::CageReport cage(const Model& m)
{
  return test::checkCage(m.atomX, m.atomY, m.atomZ, m.atomCount, m.bondLength, 0.0,
                         m.tubeLength);
}

// The checker accepts C60 and refuses an open tube and a misturned cap.
TEST(CapClosureTest, checkerTellsClosedFromOpen)
{
  Model ball;
  buildC60(ball);
  ball.bondLength = kA;
  const test::CageReport c60 =
      test::checkCage(ball.atomX, ball.atomY, ball.atomZ, 60, kA, 0.0, 0.0);
  EXPECT_TRUE(c60.closed()) << c60.summary();
  EXPECT_EQ(c60.atoms, 60);
  EXPECT_EQ(c60.bonds, 90);
  EXPECT_EQ(c60.faces, 32);
  EXPECT_EQ(c60.pentagons(), 12);

  const Model open = test::builtTube(16, 16, 10.0f, kA);
  EXPECT_FALSE(cage(open).closed()) << cage(open).summary();

  // The upper cap turned 9 degrees off its fit.
  Model turned = capped(1010, 25.0f);
  ASSERT_TRUE(cage(turned).closed());
  CapTable upper;
  for (std::int32_t i = turned.atomCount - 110; i < turned.atomCount; ++i)
    upper.push_back({turned.atomX[i], turned.atomY[i], turned.atomZ[i]});
  rotateCapAtoms(3, 9.0f, upper, 110);
  for (std::int32_t k = 0; k < 110; ++k) {
    const std::int32_t i = turned.atomCount - 110 + k;
    turned.atomX[i] = upper[k][0];
    turned.atomY[i] = upper[k][1];
  }
  const test::CageReport bad = cage(turned);
  EXPECT_FALSE(bad.closed());
  EXPECT_EQ(bad.wrongDegree.size(), 20u) << bad.summary();
}

// Both caps close every preset into a cage: three bonds an atom, twelve
// pentagons, the rest hexagons.
TEST(CapClosureTest, cappedPresetsCloseAtTheListedLengths)
{
  const struct {
    std::int16_t code;
    std::vector<float> lengths;
    std::vector<std::int32_t> atoms;
  } cases[] = {
      {55, {5, 10, 20, 25, 35}, {100, 140, 220, 260, 340}},
      {66, {10, 15, 20, 25, 30}, {156, 204, 252, 300, 348}},
      {100, {10, 15, 20, 25, 30}, {120, 180, 220, 260, 320}},
      {1010, {0, 1, 3, 4, 5, 25, 100}, {240, 260, 280, 300, 320, 640, 1860}},
      {1111, {0, 1, 3, 4, 5, 25, 100}, {258, 280, 302, 324, 346, 698, 2040}},
      {1616, {0, 10, 25, 90}, {532, 788, 1172, 2868}},
      {190, {0, 3, 10.5f, 25, 100}, {256, 256, 408, 636, 2004}},
      {280, {0, 3, 10.5f, 25, 90}, {556, 556, 780, 1116, 2852}},
  };
  for (const auto& c : cases)
    for (std::size_t k = 0; k < c.lengths.size(); ++k) {
      const Model m = capped(c.code, c.lengths[k]);
      const test::CageReport r = cage(m);
      EXPECT_EQ(m.atomCount, c.atoms[k]) << c.code << " at " << c.lengths[k];
      EXPECT_TRUE(r.closed()) << c.code << " at " << c.lengths[k] << ": " << r.summary();
      EXPECT_EQ(2 * r.bonds, 3 * r.atoms);
    }

  // (9,0) at every odd number of bond lengths; 2a is raised to 3a.
  const std::vector<std::int32_t> atoms90 = {96,  114, 132, 168, 186, 204, 240, 258,
                                             276, 312, 330, 348, 384, 402, 420};
  for (int k = 3; k <= 31; k += 2) {
    const Model m = capped(90, static_cast<float>(k) * kA);
    const test::CageReport r = cage(m);
    EXPECT_EQ(m.atomCount, atoms90[static_cast<std::size_t>((k - 3) / 2)]) << "k " << k;
    EXPECT_TRUE(r.closed()) << "(9,0) k " << k << ": " << r.summary();
  }
  const Model shortest = capped(90, 2.0f * kA);
  EXPECT_FLOAT_EQ(shortest.tubeLength, 3.0f * kA);
  EXPECT_EQ(shortest.atomCount, 96);
  EXPECT_TRUE(cage(shortest).closed());
}

// Other bond lengths scale the caps with the tube.
TEST(CapClosureTest, cappedPresetsCloseAtOtherBondLengths)
{
  for (const std::int16_t code : {55, 66, 90, 100, 1010, 1111, 1616, 190, 280})
    for (const float a : {1.0f, 1.47f, 2.0f}) {
      const test::CageReport r = cage(capped(code, 25.0f * a / kA, a));
      EXPECT_TRUE(r.closed()) << code << " a " << a << ": " << r.summary();
    }
}

// Any length the window accepts, and one or two unit cells, gives a cage.
TEST(CapClosureTest, everyLengthCloses)
{
  for (const std::int16_t code : {55, 66, 90, 100, 1010, 1111, 1616, 190, 280}) {
    int failures = 0;
    for (int tenths = 30; tenths <= 600 && failures < 3; ++tenths) {
      const float length = static_cast<float>(tenths) / 10.0f;
      const test::CageReport r = cage(capped(code, length));
      if (!r.closed()) {
        ++failures;
        ADD_FAILURE() << code << " at " << length << ": " << r.summary();
      }
    }
    for (const float cells : {1.0f, 2.0f}) {
      const test::CageReport r = cage(capped(code, cells, kA, true));
      EXPECT_TRUE(r.closed()) << code << ", " << cells << " cells: " << r.summary();
    }
  }
}

// One cap leaves one end closed: only the atoms of the other end ring lack
// a bond.
TEST(CapClosureTest, oneCapClosesOneEnd)
{
  for (const std::int16_t code : {55, 66, 90, 100, 1010, 1111, 1616, 190, 280})
    for (const std::int16_t ends : {1, 2}) {
      const Model m = test::builtTube(1, 0, 25.0f, kA, [&](Model& model) {
        model.tubeVariant = code;
        model.capEnds = ends;
      });
      const test::CageReport r = cage(m);
      ASSERT_FALSE(r.wrongDegree.empty()) << code << " ends " << ends;
      const double mid = m.tubeLength / 2.0;
      for (const std::int32_t i : r.wrongDegree) {
        const bool lowEnd = m.atomZ[i] < mid;
        EXPECT_EQ(lowEnd, ends == 2) << code << " ends " << ends << " atom " << i;
        // (9,0) prunes its end ring, so its open end starts one bond up.
        EXPECT_LT(std::min(std::fabs(m.atomZ[i]), std::fabs(m.atomZ[i] - m.tubeLength)),
                  1.1 * kA)
            << code << " ends " << ends << " atom " << i;
      }
    }
}

} // namespace
} // namespace tarvek
