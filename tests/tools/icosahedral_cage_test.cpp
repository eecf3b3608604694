// The T-number list, the face lattice and the icosahedral cages built from it.
#include "tools/icosahedral_cage.h"

#include "model/model.h"
#include "support/cage_check.h"
#include "support/fake_abort.h"
#include "support/fake_prompts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <tuple>

namespace tarvek {
namespace {

constexpr std::int32_t kWidth = 383;
constexpr std::int32_t kHeight = 308;

struct Built {
  Model model;
  FaceData face;
  float radius = 0.0f;
};

Built buildCage(std::int32_t index, const CageOptions& options, test::FakeAbort& abort,
                std::int32_t slider = 0)
{
  const TNumberEntry e = tNumberEntry(index);
  Built b;
  b.face = layoutFace(kWidth, kHeight, slider ? slider : defaultSliderValue(index), e.h, e.k);
  b.model.structureKind = 8;
  b.model.bondLength = 1.42f;
  test::FakePrompts prompts;
  buildCageAtoms(b.model, b.face, getMatrices(), options, prompts, abort, abort);
  EXPECT_EQ(prompts.calls.size(), 0u);
  EXPECT_EQ(prompts.waitDepth, 0);
  b.radius = std::hypot(b.model.atomX[0], b.model.atomY[0], b.model.atomZ[0]);
  return b;
}

Built buildCage(std::int32_t index, const CageOptions& options = {})
{
  test::FakeAbort abort;
  return buildCage(index, options, abort);
}

float gap(const Model& m, std::int32_t i, std::int32_t j)
{
  return std::hypot(m.atomX[i] - m.atomX[j], m.atomY[i] - m.atomY[j], m.atomZ[i] - m.atomZ[j]);
}

void expectArraysMatchCounts(const Model& m)
{
  for (const std::size_t n : {m.atomX.size(), m.atomY.size(), m.atomZ.size(), m.atomType.size()})
    EXPECT_EQ(n, static_cast<std::size_t>(m.atomCount));
  EXPECT_EQ(m.bondAtom1.size(), static_cast<std::size_t>(m.bondCount));
  EXPECT_EQ(m.bondAtom2.size(), static_cast<std::size_t>(m.bondCount));
}

// The list is the rule's order (T, the larger min(h, k), h > k first), each
// text in its three parts, and the last six characters parse back.
TEST(TNumberListTest, entriesFollowTheirRuleAndParseBack)
{
  std::vector<std::tuple<int, int, int, int>> byRule; // T, -min, -h, k
  for (int h = 1; h <= 10; ++h) {
    for (int k = 0; k <= 10; ++k) {
      const int t = h * h + h * k + k * k;
      if (t <= 100)
        byRule.emplace_back(t, -std::min(h, k), -h, k);
    }
  }
  std::sort(byRule.begin(), byRule.end());
  ASSERT_EQ(byRule.size(), static_cast<std::size_t>(kTNumberCount));
  for (std::int32_t i = 0; i < kTNumberCount; ++i) {
    const TNumberEntry e = tNumberEntry(i);
    EXPECT_EQ(e.h, -std::get<2>(byRule[i])) << i;
    EXPECT_EQ(e.k, std::get<3>(byRule[i])) << i;
    EXPECT_EQ(e.t, std::get<0>(byRule[i])) << i;
    const auto pair = parseLatticePair(tNumberText(i));
    ASSERT_TRUE(pair) << tNumberText(i);
    EXPECT_EQ(*pair, std::make_pair(e.h, e.k)) << tNumberText(i);
  }
  EXPECT_EQ(tNumberText(5), "6\tT=9\t(h,k) = (3,0)");
  EXPECT_EQ(tNumberText(38), "39\tT=63\t(h,k) = (3,6)");
  EXPECT_EQ(tNumberText(59), "60\tT=97\t(h,k) = (3,8)");
  EXPECT_EQ(tNumberText(60), "61\tT=100\t(h,k) = (10,0)");
  EXPECT_EQ(cageTitle(tNumberText(0)), "Virus Geometry #1, T=1, (h,k) = (1,0)");
  EXPECT_FALSE(parseLatticePair("T=9"));
  EXPECT_FALSE(parseLatticePair("= (1e9,1)"));
  EXPECT_EQ(parseLatticePair("(99999,1)"), std::make_pair(std::int16_t{999}, std::int16_t{1}));

  const std::map<std::int32_t, std::int32_t> firstOfBand{{0, 45}, {3, 35}, {9, 25}, {20, 20}, {30, 15}, {49, 12}};
  std::int32_t expected = 0;
  for (std::int32_t i = 0; i < kTNumberCount; ++i) {
    if (firstOfBand.count(i))
      expected = firstOfBand.at(i);
    EXPECT_EQ(defaultSliderValue(i), expected) << i;
  }
}

// The (3,0) face at step 35 in the 383 x 308 picture: its corners, nine
// marked points, and a honeycomb whose every bond is one step long.
TEST(FaceLatticeTest, faceOfThreeZeroAtStep35)
{
  FaceData face = layoutFace(kWidth, kHeight, 35, 3, 0);
  EXPECT_EQ(face.origin, (PicturePoint{191, 278}));
  EXPECT_FLOAT_EQ(face.g, 1.41f / 35.0f);
  EXPECT_EQ(face.corners, (std::array<PicturePoint, 4>{{{191, 278}, {348, 187}, {191, 96}, {191, 278}}}));
  EXPECT_EQ(face.markedCount, 9);
  for (const FacePoint& p : face.points) {
    EXPECT_GT(p.x, -0.01f);
    EXPECT_LE(p.x, kWidth);
    EXPECT_GT(p.y, -0.01f);
    EXPECT_LE(p.y, kHeight);
  }
  // The origin is a hexagon centre: no lattice point there.
  for (const FacePoint& p : face.points)
    EXPECT_GT(std::hypot(p.x - 191.0f, p.y - 278.0f), 30.0f);
  const auto edges = honeycombEdges(face.points, 35);
  ASSERT_FALSE(edges.empty());
  std::map<std::int32_t, int> degree;
  for (const auto& [a, b] : edges) {
    EXPECT_LT(a, b);
    EXPECT_NEAR(std::hypot(face.points[a].x - face.points[b].x, face.points[a].y - face.points[b].y), 35.0, 3.0);
    ++degree[a];
    ++degree[b];
  }
  for (const auto& [row, n] : degree)
    EXPECT_LE(n, 3) << row;
}

// Points on the edges from c0 are kept (face coordinate 0), points reaching
// 0.99 are dropped, and markedCount keeps counting the area test's finds.
TEST(FaceLatticeTest, edgePointsKeepOrLoseTheirMark)
{
  FaceData face = latticePoints(kWidth, kHeight, 45);
  face.corners = faceTriangle(face.origin, 1, 1, 45);
  const std::vector<std::int32_t> inside = markFacePoints(face);
  EXPECT_EQ(face.markedCount, 6);
  EXPECT_EQ(inside.size(), 6u);
  int keptOnEdgeFromC0 = 0;
  for (const std::int32_t row : inside) {
    const FacePoint& p = face.points[row];
    const bool inRange = p.s >= -0.01f && p.s < 0.99f && p.t >= -0.01f && p.t < 0.99f;
    EXPECT_EQ(p.mark, inRange ? 1.0f : 0.0f) << p.s << " " << p.t;
    if (p.mark == 1.0f && std::min(std::abs(p.s), std::abs(p.t)) < 0.005f)
      ++keptOnEdgeFromC0;
  }
  EXPECT_GT(keptOnEdgeFromC0, 0);
  for (std::size_t i = 0; i < face.points.size(); ++i) {
    if (std::find(inside.begin(), inside.end(), static_cast<std::int32_t>(i)) == inside.end()) {
      EXPECT_EQ(face.points[i].mark, 0.0f);
    }
  }
}

// Every list entry at its default step builds the closed cage of 20·T
// points: the vertices in their order, the types, 30·T cage bonds of
// degree 3 then the 30 edges, every point on the surface and the face
// inside the picture.
TEST(IcosahedralCageTest, everyEntryBuildsItsClosedCage)
{
  const float a = 0.850651f, b = 0.5257308f;
  const std::array<std::array<float, 3>, 12> unit{{{-a, 0, b}, {0, -b, a}, {a, 0, b}, {b, a, 0}, {-b, a, 0},
                                                   {b, -a, 0}, {0, b, a}, {a, 0, -b}, {-a, 0, -b}, {-b, -a, 0},
                                                   {0, b, -a}, {0, -b, -a}}};
  for (std::int32_t index = 0; index < kTNumberCount; ++index) {
    SCOPED_TRACE("entry " + std::to_string(index));
    const std::int32_t t = tNumberEntry(index).t;
    const Built built = buildCage(index);
    const Model& m = built.model;
    const float r = built.radius;
    for (const PicturePoint& c : built.face.corners) {
      EXPECT_GE(c[0], 0);
      EXPECT_LE(c[0], kWidth);
      EXPECT_GE(c[1], 0);
      EXPECT_LE(c[1], kHeight);
    }
    ASSERT_EQ(m.atomCount, 12 + 20 * t);
    expectArraysMatchCounts(m);
    for (std::int32_t i = 0; i < 12; ++i) {
      EXPECT_LT(std::hypot(m.atomX[i] - r * unit[i][0], m.atomY[i] - r * unit[i][1], m.atomZ[i] - r * unit[i][2]),
                1e-4f * r)
          << "vertex " << i;
      EXPECT_EQ(m.atomType[i], (i == 0 || i == 1 || i == 6) ? 1 : 3) << i;
    }
    for (std::int32_t i = 12; i < m.atomCount; ++i)
      ASSERT_EQ(m.atomType[i], 2) << i;

    ASSERT_EQ(m.cageBondStart, 30 * t);
    ASSERT_EQ(m.bondCount, 30 * t + 30);
    EXPECT_EQ(m.lastBondCount, m.bondCount);
    std::vector<int> degree(static_cast<std::size_t>(m.atomCount), 0);
    for (std::int32_t i = 0; i < m.cageBondStart; ++i) {
      ++degree[m.bondAtom1[i]];
      ++degree[m.bondAtom2[i]];
    }
    EXPECT_EQ(std::count(degree.begin() + 12, degree.end(), 3), 20 * t);
    const float edge = gap(m, 0, 1);
    for (std::int32_t i = m.cageBondStart; i < m.bondCount; ++i) {
      EXPECT_LT(m.bondAtom1[i], m.bondAtom2[i]);
      EXPECT_LE(m.bondAtom2[i], 11);
      EXPECT_NEAR(gap(m, m.bondAtom1[i], m.bondAtom2[i]), edge, 1e-3f * edge);
    }

    // Closest approach, and every point in the plane of a face (a point the
    // area test's 1 % tolerance let in may lie just beyond its triangle).
    std::vector<std::array<float, 3>> normals;
    for (int i = 0; i < 12; ++i)
      for (int j = i + 1; j < 12; ++j)
        for (int k = j + 1; k < 12; ++k)
          if (gap(m, i, j) < 1.05f * edge && gap(m, j, k) < 1.05f * edge && gap(m, i, k) < 1.05f * edge)
            normals.push_back({(m.atomX[i] + m.atomX[j] + m.atomX[k]) / 3, (m.atomY[i] + m.atomY[j] + m.atomY[k]) / 3,
                               (m.atomZ[i] + m.atomZ[j] + m.atomZ[k]) / 3});
    ASSERT_EQ(normals.size(), 20u);
    const float inRadius = std::hypot(normals[0][0], normals[0][1], normals[0][2]);
    for (auto& n : normals)
      for (float& v : n)
        v /= inRadius;
    float closest = 1e9f;
    for (std::int32_t i = 12; i < m.atomCount; ++i) {
      float offPlane = 1e9f;
      for (const auto& n : normals)
        offPlane = std::min(offPlane, std::abs(m.atomX[i] * n[0] + m.atomY[i] * n[1] + m.atomZ[i] * n[2] - inRadius));
      EXPECT_LT(offPlane, 1e-3f) << "cage point " << i;
      for (std::int32_t j = 12; j < i; ++j)
        closest = std::min(closest, gap(m, i, j));
    }
    EXPECT_GE(closest, r / 100.0f);

    std::vector<float> x(m.atomX.begin() + 12, m.atomX.end()), y(m.atomY.begin() + 12, m.atomY.end()),
        z(m.atomZ.begin() + 12, m.atomZ.end());
    const test::CageReport report = test::checkCage(x, y, z, 20 * t, 1.41, 0.0, 0.0);
    EXPECT_TRUE(report.closed()) << report.summary();
    EXPECT_EQ(report.pentagons(), 12) << report.summary();
    EXPECT_EQ(report.faceSizes[6], report.faces - 12) << report.summary();
  }
}

// The smallest cages: one point per face at each face centre, then the
// points of (1,1) shared by two faces; and the T = 9 cage at step 35.
TEST(IcosahedralCageTest, smallCagesHoldTheirPoints)
{
  struct Case {
    std::int32_t index;
    std::int32_t marked;
    std::int32_t points;
  };
  for (const Case c : {Case{0, 1, 20}, Case{1, 6, 60}, Case{5, 9, 180}}) {
    const Built b = buildCage(c.index);
    EXPECT_EQ(b.face.markedCount, c.marked) << c.index;
    EXPECT_EQ(b.model.atomCount - 12, c.points) << c.index;
    EXPECT_EQ(b.model.cageBondStart, c.points * 3 / 2) << c.index;
  }
}

// Without edges the list ends with the cage bonds and nothing is marked as
// outline; a manual height sizes the cage by its extent along z but keeps
// its bonds.
TEST(IcosahedralCageTest, edgesOffAndManualHeight)
{
  const Built plain = buildCage(5, CageOptions{true, 0.0f, false});
  EXPECT_EQ(plain.model.cageBondStart, -1);
  EXPECT_EQ(plain.model.bondCount, 270);
  EXPECT_EQ(plain.model.lastBondCount, 270);
  expectArraysMatchCounts(plain.model);

  // Automatic wins over the height, and a negative height means automatic.
  for (const CageOptions o : {CageOptions{true, 10.0f, true}, CageOptions{false, -10.0f, true}}) {
    const Built a = buildCage(5, o);
    EXPECT_FLOAT_EQ(a.radius, buildCage(5).radius);
  }

  const Built manual = buildCage(5, CageOptions{false, 10.0f, true});
  EXPECT_NEAR(manual.radius, 5.0f * 1.175502527f, 1e-4f);
  EXPECT_NEAR(manual.model.atomZ[10], -5.0f * 1.175502527f * 0.850651f, 1e-4f);
  EXPECT_EQ(manual.model.atomCount, 192);
  EXPECT_EQ(manual.model.cageBondStart, 270);
  EXPECT_EQ(manual.model.bondCount, 300);
}

// The typed height: its absolute value when it reads as 1 .. 10000 Å.
TEST(IcosahedralCageTest, manualHeightText)
{
  for (const char* bad : {"0", "0.5", "abc", "20000", "", "-0.2", "1e400"})
    EXPECT_FALSE(manualCageHeight(bad)) << bad;
  EXPECT_EQ(manualCageHeight("-3"), 3.0f);
  EXPECT_EQ(manualCageHeight("10"), 10.0f);
  EXPECT_EQ(manualCageHeight("1"), 1.0f);
  EXPECT_EQ(manualCageHeight("10000"), 10000.0f);
  EXPECT_EQ(manualCageHeight(" 2.5 A"), 2.5f);
}

// Escape that is pressed only once the edge search has started (its own
// clearEscape after the cage-bond search's).
class EdgeSearchEscape : public test::FakeAbort {
public:
  bool escapePressed() override
  {
    ++polls;
    return clears >= 2 && ++pollsSinceClear >= 10;
  }
};

// Escape in the edge search keeps the edges found before it, and the list
// stays trimmed and counted; the cage-bond search is not cut short by it.
TEST(IcosahedralCageTest, escapeInTheEdgeSearchKeepsWhatWasFound)
{
  test::FakeAbort untouched;
  buildCage(5, {}, untouched);
  EXPECT_EQ(untouched.pumps, 1);

  // Pressed within the first row of pairs, before its pump.
  EdgeSearchEscape abort;
  const Built b = buildCage(5, {}, abort);
  EXPECT_EQ(abort.clears, 2);
  EXPECT_EQ(abort.pumps, 0);
  EXPECT_EQ(b.model.cageBondStart, 270);
  EXPECT_LT(b.model.bondCount, 300);
  EXPECT_GT(b.model.bondCount, 270);
  EXPECT_EQ(b.model.lastBondCount, b.model.bondCount);
  expectArraysMatchCounts(b.model);
}

// The bond window comes from the step of the drawing the face was made
// with, so the same face gives the same cage whatever step is chosen later.
TEST(IcosahedralCageTest, bondWindowFollowsTheDrawnStep)
{
  test::FakeAbort abort;
  const Built drawnAt50 = buildCage(5, {}, abort, 50);
  EXPECT_EQ(drawnAt50.model.cageBondStart, 270);
  EXPECT_NEAR(drawnAt50.radius, buildCage(5).radius, 1e-2f * drawnAt50.radius);
}

} // namespace
} // namespace tarvek
