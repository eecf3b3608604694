#include "model/tube_builder.h"

#include "built_tube.h"

#include "model/model.h"
#include "model/tube_unit_cell.h"
#include "runtime/runtime_error.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <numbers>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace tarvek {
namespace {

constexpr float kA = 1.42f;
constexpr double kDegrees = 180.0 / 3.141592653589793;

// A carbon tube (structure kind 1) with the options `setup` sets.
Model tube(int n, int m, float length, const std::function<void(Model&)>& setup = {})
{
  return test::builtTube(n, m, length, kA, setup);
}

double radial(const Model& model, std::int32_t i)
{
  return std::hypot(static_cast<double>(model.atomX[i]), static_cast<double>(model.atomY[i]));
}

double distance(const Model& model, std::int32_t i, std::int32_t j)
{
  const double dx = static_cast<double>(model.atomX[i]) - model.atomX[j];
  const double dy = static_cast<double>(model.atomY[i]) - model.atomY[j];
  const double dz = static_cast<double>(model.atomZ[i]) - model.atomZ[j];
  return std::sqrt(dx * dx + dy * dy + dz * dz);
}

double closestPair(const Model& model)
{
  double best = 1e9;
  for (std::int32_t i = 0; i < model.atomCount; ++i)
    for (std::int32_t j = i + 1; j < model.atomCount; ++j)
      best = std::min(best, distance(model, i, j));
  return best;
}

// Atoms per height, heights rounded to 10⁻³ Å.
std::map<long, int> rings(const Model& model)
{
  std::map<long, int> out;
  for (std::int32_t i = 0; i < model.atomCount; ++i)
    ++out[std::lround(model.atomZ[i] * 1000.0)];
  return out;
}

// Directions (degrees mod 180, rounded) of the nearest-neighbour vectors in
// the sheet set.
std::set<long> sheetBondDirections(const Model& model)
{
  std::set<long> out;
  for (std::int32_t i = 0; i < model.sheetCount; ++i)
    for (std::int32_t j = i + 1; j < model.sheetCount; ++j) {
      const double dx = static_cast<double>(model.sheetX[j]) - model.sheetX[i];
      const double dy = static_cast<double>(model.sheetY[j]) - model.sheetY[i];
      if (std::abs(std::hypot(dx, dy) - kA) < 1e-3) {
        double angle = std::atan2(dy, dx) * kDegrees;
        angle = std::fmod(angle + 360.0, 180.0);
        out.insert(std::lround(angle) % 180);
      }
    }
  return out;
}

// The sizes, the radius routine and the chiral angle: the sheet's bonds run
// at 30, 90 and 150 degrees turned by θ (0 for zigzag, -30 for armchair).
TEST(TubeBuilderTest, sizesAndChiralAngle)
{
  const struct {
    int n, m;
    double ch, d;
    std::set<long> directions;
  } cases[] = {
      {10, 0, 24.595, 7.8289, {30, 90, 150}},
      {5, 5, 21.30, 6.78, {0, 60, 120}},
      {7, 0, 17.217, 5.4802, {30, 90, 150}},
      {13, 0, 31.974, 10.1776, {30, 90, 150}},
      {8, 8, 34.08, 10.848, {0, 60, 120}},
      {12, 12, 51.12, 16.272, {0, 60, 120}},
  };
  for (const auto& c : cases) {
    const Model model = tube(c.n, c.m, 8.0f);
    const std::string label = "(" + std::to_string(c.n) + "," + std::to_string(c.m) + ")";
    EXPECT_NEAR(model.lastSheetWidth, c.ch, 0.005) << label;
    EXPECT_NEAR(model.tubeDiameter, c.d, 0.0005) << label;
    EXPECT_EQ(model.lastTubeDiameter, model.tubeDiameter) << label;
    EXPECT_EQ(model.lastTubeRadius, model.tubeDiameter / 2.0f) << label;
    EXPECT_EQ(model.lastTubeRadius, tubeRadius(c.n, c.m, kA)) << label;
    EXPECT_EQ(sheetBondDirections(model), c.directions) << label;
  }
  EXPECT_NEAR(tubeRadius(10, 0, 1.42f), 3.9144, 0.00005);
}

TEST(TubeBuilderTest, radiusRefusesIndicesBeyondTheIntegerRange)
{
  EXPECT_NO_THROW(tubeRadius(26754, 26754, kA)); // 2 147 437 548
  EXPECT_THROW(tubeRadius(26755, 26755, kA), RuntimeError);
  EXPECT_THROW(tubeRadius(-40000, -40000, kA), RuntimeError);
}

// The zigzag tube of the manual: 24 rings of 10 atoms on the cylinder.
TEST(TubeBuilderTest, zigzagTube10_0OfLength25)
{
  const Model model = tube(10, 0, 25.0f);
  const float r = model.lastTubeRadius;
  ASSERT_EQ(model.atomCount, 240);
  EXPECT_EQ(model.atomX.size(), 240u);
  EXPECT_EQ(model.atomType.size(), 240u);
  EXPECT_EQ(model.bondCount, 340);
  EXPECT_NEAR(model.atomX[0], r, 1e-5);
  EXPECT_NEAR(model.atomY[0], 0.0, 1e-5);
  EXPECT_EQ(model.atomZ[0], 0.0f);
  for (std::int32_t i = 0; i < model.atomCount; ++i) {
    EXPECT_EQ(model.atomType[i], 3) << i;
    EXPECT_NEAR(radial(model, i), r, 1e-5) << i;
  }
  std::vector<double> expected;
  for (int k = 0; k < 6; ++k)
    for (const double base : {0.0, 1.42, 2.13, 3.55})
      expected.push_back(base + 4.26 * k);
  const auto levels = rings(model);
  ASSERT_EQ(levels.size(), expected.size());
  std::size_t k = 0;
  for (const auto& [z, count] : levels) {
    EXPECT_NEAR(z / 1000.0, expected[k], 0.002) << "ring " << k;
    EXPECT_EQ(count, 10) << "ring " << k;
    ++k;
  }
  EXPECT_EQ(model.workCount, static_cast<std::int32_t>(model.workX.size()));
  EXPECT_EQ(model.sheetCount, static_cast<std::int32_t>(model.sheetX.size()));
}

TEST(TubeBuilderTest, atomCountsAtLength25HaveNoOverlaps)
{
  const struct {
    int n, m, atoms;
  } cases[] = {{5, 5, 210}, {6, 6, 252}, {9, 0, 216}, {10, 10, 420}, {11, 11, 462}, {6, 3, 189}};
  for (const auto& c : cases) {
    const Model model = tube(c.n, c.m, 25.0f);
    EXPECT_EQ(model.atomCount, c.atoms) << "(" << c.n << "," << c.m << ")";
    EXPECT_GT(closestPair(model), 0.5) << "(" << c.n << "," << c.m << ")";
  }
}

// Sites of the turned sheet inside the cut rectangle, laid out over bounds
// far wider than any tube needs.
struct Site {
  float x, y;
};

std::vector<Site> cutSites(int n, int m, float length)
{
  const auto sqrt3 = static_cast<float>(std::sqrt(3.0));
  const auto theta =
      static_cast<float>(std::atan(-static_cast<double>(sqrt3) * m / (2.0 * n + m)));
  const double c = std::cos(static_cast<double>(theta));
  const double s = std::sin(static_cast<double>(theta));
  const float ch = tubeSizes(n, m, kA).circumference;
  const auto half = static_cast<float>(static_cast<double>(sqrt3) / 2.0 * kA);
  const std::array<float, 4> cx = {0.0f, half, 0.0f, half};
  const std::array<float, 4> cy = {0.0f, static_cast<float>(1.5 * kA), kA,
                                   static_cast<float>(2.5 * kA)};
  const int reach = static_cast<int>((ch + length) / kA) + 4;
  std::vector<Site> out;
  for (int ix = -reach; ix <= reach; ++ix)
    for (int iy = -reach; iy <= reach; ++iy)
      for (std::size_t k = 0; k < 4; ++k) {
        float x = cx[k] + static_cast<float>(ix) * sqrt3 * kA;
        float y = cy[k] + static_cast<float>(iy) * 3.0f * kA;
        if (theta != 0.0f) {
          const double tx = x * c - y * s;
          const double ty = x * s + y * c;
          x = static_cast<float>(tx);
          y = static_cast<float>(ty);
        }
        if (x > -0.01 && x < ch && y > -0.01 && y <= length + 0.3)
          out.push_back({x, y});
      }
  return out;
}

// Every site of the cut rectangle is on the tube, and nothing else is: each
// atom is a rolled site and no two atoms share a place. The corner at x ≈ 0,
// y ≈ L is where a narrow layout loses end-ring atoms.
TEST(TubeBuilderTest, rolledTubeHoldsEveryCutSiteOnce)
{
  const std::array<std::array<int, 2>, 12> indices = {{{5, 5}, {6, 6}, {10, 10}, {11, 11},
                                                       {6, 3}, {8, 4}, {12, 3}, {20, 10},
                                                       {7, 2}, {10, 0}, {10, -3}, {10, -5}}};
  for (const auto& [n, m] : indices)
    for (int tenths = 0; tenths <= 300; ++tenths) {
      const float length = static_cast<float>(tenths / 10.0);
      const Model model = tube(n, m, length);
      const float r = model.lastTubeRadius;
      const std::vector<Site> sites = cutSites(n, m, length);
      const std::string label = "(" + std::to_string(n) + "," + std::to_string(m)
                                + ") L = " + std::to_string(length);
      std::vector<bool> used(static_cast<std::size_t>(model.atomCount), false);
      bool ok = true;
      for (const Site& s : sites) {
        const double phi = s.x / r;
        const double x = r * std::cos(phi);
        const double y = r * std::sin(phi);
        bool found = false;
        for (std::int32_t i = 0; i < model.atomCount && !found; ++i)
          if (std::abs(model.atomZ[i] - s.y) < 1e-3 && std::abs(model.atomX[i] - x) < 1e-3
              && std::abs(model.atomY[i] - y) < 1e-3) {
            found = true;
            used[static_cast<std::size_t>(i)] = true;
          }
        if (!found) {
          ADD_FAILURE() << label << ": site (" << s.x << ", " << s.y << ") missing";
          ok = false;
          break;
        }
      }
      if (!ok)
        continue;
      EXPECT_TRUE(std::all_of(used.begin(), used.end(), [](bool u) { return u; }))
          << label << ": an atom is no cut site";
      if (model.atomCount > 1) {
        EXPECT_GT(closestPair(model), 0.5) << label;
      }
    }
}

TEST(TubeBuilderTest, armchairEndRingIsComplete)
{
  const Model model = tube(6, 6, 7.1f);
  EXPECT_EQ(model.atomCount, 84);
  const auto levels = rings(model);
  ASSERT_EQ(levels.size(), 7u);
  for (const auto& [z, count] : levels)
    EXPECT_EQ(count, 12) << "z = " << z / 1000.0;
}

// The zigzag layout as first written: ix 0 .. 10, iy 0 .. 7, seam checked
// against every earlier atom. The wider layout gives the same tube, atom for
// atom and in the same order.
TEST(TubeBuilderTest, zigzagTubeMatchesTheNarrowLayout)
{
  const Model model = tube(10, 0, 25.0f);
  const auto sqrt3 = static_cast<float>(std::sqrt(3.0));
  const auto half = static_cast<float>(static_cast<double>(sqrt3) / 2.0 * kA);
  const std::array<float, 4> cx = {0.0f, half, 0.0f, half};
  const std::array<float, 4> cy = {0.0f, static_cast<float>(1.5 * kA), kA,
                                   static_cast<float>(2.5 * kA)};
  const float ch = model.lastSheetWidth;
  const float r = model.lastTubeRadius;
  std::vector<std::array<float, 3>> expected;
  for (int ix = 0; ix <= 10; ++ix)
    for (int iy = 0; iy <= 7; ++iy)
      for (std::size_t k = 0; k < 4; ++k) {
        const float x = cx[k] + static_cast<float>(ix) * sqrt3 * kA;
        const float y = cy[k] + static_cast<float>(iy) * 3.0f * kA;
        if (!(x > -0.01 && x < ch && y > -0.01 && y <= 25.0 + 0.3))
          continue;
        const float phi = x / r;
        const std::array<float, 3> atom = {
            static_cast<float>(static_cast<double>(r) * std::cos(phi)),
            static_cast<float>(static_cast<double>(r) * std::sin(phi)), y};
        bool duplicate = false;
        if (x > ch - 1.1 * kA)
          for (const auto& e : expected)
            duplicate = duplicate
                        || std::hypot(static_cast<double>(e[0]) - atom[0],
                                      static_cast<double>(e[1]) - atom[1],
                                      static_cast<double>(e[2]) - atom[2])
                               < 0.5;
        if (!duplicate)
          expected.push_back(atom);
      }
  ASSERT_EQ(model.atomCount, static_cast<std::int32_t>(expected.size()));
  for (std::int32_t i = 0; i < model.atomCount; ++i) {
    EXPECT_EQ(model.atomX[i], expected[i][0]) << i;
    EXPECT_EQ(model.atomY[i], expected[i][1]) << i;
    EXPECT_EQ(model.atomZ[i], expected[i][2]) << i;
  }
}

TEST(TubeBuilderTest, lengthEdges)
{
  const Model ring = tube(10, 0, 0.0f);
  EXPECT_EQ(ring.atomCount, 10);
  EXPECT_EQ(rings(ring).size(), 1u);

  // A negative length cuts nothing out.
  const Model empty = tube(10, 0, -5.0f);
  EXPECT_EQ(empty.atomCount, 0);
  EXPECT_EQ(empty.sheetCount, 0);
  EXPECT_EQ(empty.bondCount, 0);

  // Bonds stop at 500 Å, and so does the question about large sets: a
  // stale bond list from an earlier tube goes too.
  Model model;
  model.structureKind = 1;
  model.bondCount = 1;
  model.bondAtom1 = {0};
  model.bondAtom2 = {1};
  test::FakePrompts prompts;
  test::FakeAbort abort;
  buildTubes(model, 5, 5, 500.0f, kA, prompts, abort);
  EXPECT_EQ(model.tubeLength, 500.0f);
  EXPECT_EQ(model.bondCount, 0);
  EXPECT_TRUE(model.bondAtom1.empty());
  EXPECT_TRUE(prompts.calls.empty());
  EXPECT_GT(model.atomCount, 3000);
}

TEST(TubeBuilderTest, capCodesForceTheirIndices)
{
  const struct {
    std::int16_t code;
    int n, m;
  } cases[] = {{55, 5, 5},    {66, 6, 6},     {90, 9, 0},     {100, 10, 0},  {190, 19, 0},
               {280, 28, 0},  {1010, 10, 10}, {1111, 11, 11}, {1616, 16, 16}};
  for (const auto& c : cases) {
    const Model model = tube(3, 1, 6.0f, [&](Model& mo) { mo.tubeVariant = c.code; });
    EXPECT_EQ(model.tubeN, c.n) << c.code;
    EXPECT_EQ(model.tubeM, c.m) << c.code;
    EXPECT_EQ(model.lastTubeRadius, tubeRadius(c.n, c.m, kA)) << c.code;
  }
  // Other codes keep the indices.
  const Model plain = tube(7, 3, 6.0f, [](Model& mo) { mo.tubeVariant = 3; });
  EXPECT_EQ(plain.tubeN, 7);
  EXPECT_EQ(plain.tubeM, 3);
}

TEST(TubeBuilderTest, code90TakesAnOddNumberOfBondLengths)
{
  const auto code90 = [](Model& mo) { mo.tubeVariant = 90; };
  EXPECT_FLOAT_EQ(tube(9, 0, 10.0f * kA, code90).tubeLength, 9.0f * kA);
  EXPECT_FLOAT_EQ(tube(9, 0, 11.0f * kA, code90).tubeLength, 11.0f * kA);
}

// The auto-cap box lengthens only the first tube of a calculation, and
// widens the bond window.
TEST(TubeBuilderTest, autoCapLengthensTheFirstTubeOnce)
{
  Model model;
  model.structureKind = 1;
  model.wideBondWindow = 1;
  test::FakePrompts prompts;
  test::FakeAbort abort;
  buildTubes(model, 10, 0, 20.0f, kA, prompts, abort);
  EXPECT_NEAR(model.tubeLength, 20.0 + 1.05 * 3.9144, 1e-3);
  EXPECT_EQ(model.wideBondWindow, 2);
  // Laid out at the new length. The flag is already 2 when the bond search
  // runs, which then takes 0.7–1.4 a; an open tube has no pair that
  // window adds.
  const Model longer = tube(10, 0, model.tubeLength);
  EXPECT_EQ(model.atomCount, longer.atomCount);
  EXPECT_EQ(model.bondCount, longer.bondCount);

  buildTubes(model, 15, 0, 20.0f, kA, prompts, abort);
  EXPECT_EQ(model.tubeLength, 20.0f);
  EXPECT_EQ(model.wideBondWindow, 2);

  // A capped preset is laid out at its own length; its cap builder then
  // takes the tube's extent.
  const Model capped = tube(16, 16, 20.0f, [](Model& mo) {
    mo.wideBondWindow = 1;
    mo.tubeVariant = 1616;
  });
  EXPECT_NEAR(capped.tubeLength, 19.6761, 1e-3);
  EXPECT_EQ(capped.wideBondWindow, 0);
}

// A two-element material alternates its atom kinds round every hexagon; the
// sheet kind bonds the flat sheet.
TEST(TubeBuilderTest, twoElementMaterialBondsUnlikeAtoms)
{
  for (const std::int16_t kind : {1, 2}) {
    const Model model = tube(6, 3, 25.0f, [&](Model& mo) {
      mo.materialIndex = 1;
      mo.structureKind = kind;
    });
    const auto& type = kind == 2 ? model.sheetType : model.atomType;
    ASSERT_GT(model.bondCount, 0) << "kind " << kind;
    for (std::int32_t b = 0; b < model.bondCount; ++b) {
      const std::set<std::int16_t> ends = {type[model.bondAtom1[b]], type[model.bondAtom2[b]]};
      EXPECT_EQ(ends, (std::set<std::int16_t>{1, 2})) << "kind " << kind << " bond " << b;
    }
    if (kind == 2) {
      // Sheet pairs only: every bond spans one bond length in the plane.
      for (std::int32_t b = 0; b < model.bondCount; ++b) {
        const auto i = model.bondAtom1[b];
        const auto j = model.bondAtom2[b];
        EXPECT_NEAR(std::hypot(model.sheetX[i] - model.sheetX[j],
                               model.sheetY[i] - model.sheetY[j]),
                    kA, 0.05 * kA);
      }
    }
  }
}

TEST(TubeBuilderTest, neutralDistortionsChangeNothing)
{
  const Model plain = tube(6, 3, 25.0f);
  const Model neutral = tube(6, 3, 25.0f, [](Model& mo) { mo.distortionActive = true; });
  Model expected = plain;
  expected.distortionActive = true;
  EXPECT_EQ(neutral, expected);
}

TEST(TubeBuilderTest, distortionsMoveAtomsButNotBondsOrTheSheet)
{
  const Model plain = tube(10, 0, 25.0f);
  const double r = plain.lastTubeRadius;
  const auto distorted = [&](const std::function<void(Model&)>& setup) {
    Model model = tube(10, 0, 25.0f, [&](Model& mo) {
      mo.distortionActive = true;
      setup(mo);
    });
    EXPECT_EQ(model.bondAtom1, plain.bondAtom1);
    EXPECT_EQ(model.bondAtom2, plain.bondAtom2);
    EXPECT_EQ(model.sheetX, plain.sheetX);
    EXPECT_EQ(model.sheetY, plain.sheetY);
    EXPECT_EQ(model.atomCount, plain.atomCount);
    return model;
  };

  const Model stretched = distorted([](Model& mo) { mo.stretchFactor = 2.0f; });
  for (std::int32_t i = 0; i < plain.atomCount; ++i)
    EXPECT_FLOAT_EQ(stretched.atomZ[i], 2.0f * plain.atomZ[i]) << i;

  // Every atom on the ellipse of semi-axes 5.0772 (x) and 2.5386 (y), whose
  // circumference is the circle's.
  const Model ellipse = distorted([](Model& mo) { mo.ellipseRatio = 2.0f; });
  const double semiX = 5.0772;
  const double semiY = 2.5386;
  for (std::int32_t i = 0; i < ellipse.atomCount; ++i) {
    const double u = ellipse.atomX[i] / semiX;
    const double v = ellipse.atomY[i] / semiY;
    EXPECT_NEAR(u * u + v * v, 1.0, 1e-3) << i;
  }
  double perimeter = 0.0;
  constexpr int kSteps = 100000;
  for (int k = 0; k < kSteps; ++k) {
    const double t = (k + 0.5) * 2.0 * 3.141592653589793 / kSteps;
    perimeter += std::hypot(semiX * std::sin(t), semiY * std::cos(t)) * 2.0
                 * 3.141592653589793 / kSteps;
  }
  EXPECT_NEAR(perimeter / (2.0 * 3.141592653589793 * r), 1.0, 0.001);

  const Model twisted = distorted([](Model& mo) { mo.twistRate = 3.0f; });
  for (std::int32_t i = 0; i < plain.atomCount; ++i) {
    const double before = std::atan2(plain.atomY[i], plain.atomX[i]);
    const double after = std::atan2(twisted.atomY[i], twisted.atomX[i]);
    const double turned = std::remainder((after - before) * kDegrees - 3.0 * plain.atomZ[i], 360.0);
    EXPECT_NEAR(turned, 0.0, 1e-3) << i;
    EXPECT_FLOAT_EQ(twisted.atomZ[i], plain.atomZ[i]) << i;
  }

  const Model bent = distorted([](Model& mo) { mo.bendAngle = 90.0f; });
  const float plainMin = *std::min_element(plain.atomX.begin(), plain.atomX.end());
  EXPECT_NEAR(*std::min_element(bent.atomX.begin(), bent.atomX.end()), plainMin, 1e-4);
  const float top = *std::max_element(plain.atomZ.begin(), plain.atomZ.end());
  std::vector<float> topX;
  for (std::int32_t i = 0; i < plain.atomCount; ++i)
    if (plain.atomZ[i] == top)
      topX.push_back(bent.atomX[i]);
  ASSERT_EQ(topX.size(), 10u);
  const auto [lo, hi] = std::minmax_element(topX.begin(), topX.end());
  EXPECT_LT(*hi - *lo, 1e-3);
}

TEST(TubeBuilderTest, bendLeavesASingleRingAlone)
{
  Model model = tube(10, 0, 0.0f);
  const Model before = model;
  distortTube(model.atomSet(AtomSetId::Atom), model.lastTubeRadius, 1.0f, 1.0f, 0.0f, 45.0f);
  EXPECT_EQ(model, before);
}

// The bend turns a tube through the typed angle over its own z extent,
// wherever along z it lies (imported tubes may lie wholly below z = 0): the
// chord between the ends of a bent line is 2 sin(b/2) / b of its length.
TEST(TubeBuilderTest, bendSpansTheTypedAngleWhereverTheTubeLies)
{
  for (const float zLow : {0.0f, -30.0f, -10.0f, 40.0f}) {
    Model model;
    for (int i = 0; i <= 20; ++i) {
      model.atomX.push_back(0.0f);
      model.atomY.push_back(0.0f);
      model.atomZ.push_back(zLow + static_cast<float>(i));
      model.atomType.push_back(3);
    }
    model.atomCount = 21;
    distortTube(model.atomSet(AtomSetId::Atom), 3.0f, 1.0f, 1.0f, 0.0f, 90.0f);
    const double chord = std::hypot(model.atomX[20] - model.atomX[0], model.atomZ[20] - model.atomZ[0]);
    EXPECT_NEAR(chord / 20.0, 2.0 * std::sin(std::numbers::pi / 4.0) / (std::numbers::pi / 2.0), 1e-3) << "from z " << zLow;
    EXPECT_NEAR(*std::min_element(model.atomX.begin(), model.atomX.end()), 0.0f, 1e-4)
        << "from z " << zLow;
  }
}

// Refused builds leave every member of the model as it was.
TEST(TubeBuilderTest, refusalsChangeNothing)
{
  const struct {
    const char* what;
    int n, m;
    float length, a;
    bool unitCells;
    const char* message;
  } cases[] = {
      {"2n+m = 0", 3, -6, 10.0f, kA, false, "Indices (n,m) with 2n+m=0 cannot be rolled."},
      {"bond length 0", 10, 0, 10.0f, 0.0f, false, "The bond length must be a positive number."},
      {"bond length NaN", 10, 0, 10.0f, NAN, false, "The bond length must be a positive number."},
      {"length infinite", 10, 0, INFINITY, kA, false, "The tube length must be a finite number."},
      {"length huge", 10, 0, 1e20f, kA, false, "The tube is too long to be built."},
      {"unit cells, no cell", 10, 0, 0.0f, kA, true,
       "Unit cells need n of at least 1, m of at least 0 and at least one cell."},
      {"unit cells, m < 0", 10, -1, 2.0f, kA, true,
       "Unit cells need n of at least 1, m of at least 0 and at least one cell."},
      {"unit cells, too many", 100, 99, 70000.0f, kA, true,
       "This tube would have 8316280000 atoms; at most 20000000 can be built."},
  };
  Model before = tube(6, 3, 10.0f);
  before.unitCellMode = false;
  for (const auto& c : cases) {
    Model model = before;
    model.unitCellMode = c.unitCells;
    const Model start = model;
    test::FakePrompts prompts;
    test::FakeAbort abort;
    try {
      buildTubes(model, static_cast<std::int16_t>(c.n), static_cast<std::int16_t>(c.m), c.length,
                 c.a, prompts, abort);
      ADD_FAILURE() << c.what << ": built";
    } catch (const RuntimeError& e) {
      EXPECT_STREQ(e.what(), c.message) << c.what;
    }
    EXPECT_TRUE(model == start) << c.what;
    EXPECT_TRUE(prompts.calls.empty()) << c.what;
  }
}

// Unit-cell mode: plain tubes are the unit-cell tube, capped ones are
// rolled to its length.
TEST(TubeBuilderTest, unitCellMode)
{
  const Model cells = tube(6, 3, 2.0f, [](Model& mo) { mo.unitCellMode = true; });
  Model direct;
  buildTubeUnitCell(direct, 6, 3, 2, kA);
  EXPECT_EQ(cells.atomCount, 168);
  EXPECT_EQ(cells.atomX, direct.atomX);
  EXPECT_EQ(cells.sheetX, direct.sheetX);
  EXPECT_EQ(cells.tubeLength, direct.tubeLength);
  EXPECT_EQ(cells.workCount, 0);
  EXPECT_TRUE(cells.workX.empty());
  EXPECT_GT(cells.bondCount, 0);
  EXPECT_EQ(cells.tubeN, 6);
  EXPECT_EQ(cells.tubeM, 3);

  Model fiveFive;
  buildTubeUnitCell(fiveFive, 5, 5, 10, kA);
  const Model capped = tube(1, 0, 10.0f, [](Model& mo) {
    mo.unitCellMode = true;
    mo.tubeVariant = 55;
  });
  EXPECT_EQ(capped.tubeLength, fiveFive.tubeLength);
  EXPECT_EQ(capped.atomCount,
            tube(5, 5, fiveFive.tubeLength, [](Model& mo) { mo.tubeVariant = 55; }).atomCount);
  EXPECT_EQ(capped.lastSheetWidth, tubeSizes(5, 5, kA).circumference);
}

} // namespace
} // namespace tarvek
