#include "model/tube_unit_cell.h"

#include "model/model.h"
#include "model/tube_builder.h"
#include "runtime/runtime_error.h"
#include "support/fake_abort.h"
#include "support/fake_prompts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace tarvek {
namespace {

constexpr float kA = 1.42f;
constexpr double kPiExact = 3.141592653589793;

std::string label(int n, int m)
{
  return "(" + std::to_string(n) + "," + std::to_string(m) + ")";
}

// Angle of an atom about the axis, 0 .. 2π.
double angleOf(const Model& model, std::int32_t i)
{
  const double phi = std::atan2(model.atomY[i], model.atomX[i]);
  return phi < 0.0 ? phi + 2.0 * kPiExact : phi;
}

TEST(TubeUnitCellTest, symmetryAndOneCell)
{
  // NAN: not checked for that row.
  const struct {
    int n, m;
    std::int64_t g, dR, hexagons, p, q;
    double psi, tau, zB, diameter, length;
  } cases[] = {
      {5, 5, 5, 15, 10, 0, 1, kPiExact / 5, 1.2298, 0.0, 6.78, 1.2298},
      {10, 0, 10, 10, 20, 0, 1, kPiExact / 10, 2.13, 0.71, 7.829, 2.84},
      {6, 3, 3, 3, 42, 1, 1, 3 * kPiExact / 7, 0.8051, 0.2684, 6.2140, 10.7342},
      {7, 2, 1, 1, 134, 3, 1, 59 * kPiExact / 67, 0.2602, 0.4337, NAN, NAN},
      {12, 3, 3, 9, 42, 3, 1, 99 * kPiExact / 189, 0.4648, 0.4648, NAN, NAN},
      {9, 1, 1, 1, 182, 8, 1, 163 * kPiExact / 91, 0.2233, 0.5954, NAN, NAN},
  };
  for (const auto& c : cases) {
    const std::string at = label(c.n, c.m);
    const TubeSymmetry s = tubeSymmetry(c.n, c.m, kA);
    EXPECT_EQ(s.g, c.g) << at;
    EXPECT_EQ(s.dR, c.dR) << at;
    EXPECT_EQ(s.hexagons, c.hexagons) << at;
    EXPECT_EQ(s.p, c.p) << at;
    EXPECT_EQ(s.q, c.q) << at;
    EXPECT_EQ(c.n * s.q - c.m * s.p, s.g) << at;
    EXPECT_NEAR(s.psi, c.psi, 1e-6) << at;
    EXPECT_NEAR(s.tau, c.tau, 1e-4) << at;
    EXPECT_NEAR(s.zB, c.zB, 1e-4) << at;

    Model model;
    buildTubeUnitCell(model, c.n, c.m, 1, kA);
    ASSERT_EQ(model.atomCount, 2 * c.hexagons) << at;
    EXPECT_EQ(model.atomType.size(), static_cast<std::size_t>(model.atomCount)) << at;
    EXPECT_EQ(model.sheetCount, model.atomCount) << at;
    // Atom 1 is the basis partner; atom 2G the first atom screwed once.
    EXPECT_NEAR(model.atomZ[1], c.zB, 1e-4) << at;
    EXPECT_NEAR(model.atomZ[2 * s.g], c.tau, 1e-4) << at;
    EXPECT_NEAR(std::remainder(angleOf(model, static_cast<std::int32_t>(2 * s.g)) - c.psi,
                               2.0 * kPiExact),
                0.0, 1e-5)
        << at;
    if (!std::isnan(c.diameter)) {
      EXPECT_NEAR(model.tubeDiameter, c.diameter, 1e-3) << at;
    }
    if (!std::isnan(c.length)) {
      EXPECT_NEAR(model.tubeLength, c.length, 1e-4) << at;
    }
  }
}

// Every atom of a tube several cells long has its three nearest neighbours
// one bond away (the interior ones; the ends lack some).
TEST(TubeUnitCellTest, neighboursAreOneBondApart)
{
  const int indices[][2] = {{10, 0}, {5, 5}, {6, 3}, {8, 4}, {7, 2}, {12, 3}, {9, 1}, {10, 5}};
  for (const auto& [n, m] : indices) {
    const TubeSymmetry s = tubeSymmetry(n, m, kA);
    const auto cells = static_cast<std::int32_t>(std::ceil(12.0 / (s.hexagons / s.g * s.tau)));
    Model model;
    buildTubeUnitCell(model, n, m, cells, kA);
    double lo = 1e9;
    double hi = 0.0;
    for (std::int32_t i = 0; i < model.atomCount; ++i) {
      if (model.atomZ[i] < 3.0 || model.atomZ[i] > model.tubeLength - 3.0)
        continue;
      std::vector<double> d;
      for (std::int32_t j = 0; j < model.atomCount; ++j)
        if (j != i)
          d.push_back(std::hypot(static_cast<double>(model.atomX[i]) - model.atomX[j],
                                 static_cast<double>(model.atomY[i]) - model.atomY[j],
                                 static_cast<double>(model.atomZ[i]) - model.atomZ[j]));
      std::partial_sort(d.begin(), d.begin() + 4, d.end());
      lo = std::min(lo, d[0]);
      hi = std::max(hi, d[2]);
      EXPECT_GT(d[3], 1.5 * kA) << label(n, m) << " atom " << i;
    }
    EXPECT_GT(lo, 0.99 * kA) << label(n, m);
    EXPECT_LE(hi, kA + 1e-4) << label(n, m);
  }
}

TEST(TubeUnitCellTest, moreCellsRepeatTheFirst)
{
  Model one;
  buildTubeUnitCell(one, 6, 3, 1, kA);
  Model three;
  buildTubeUnitCell(three, 6, 3, 3, kA);
  ASSERT_EQ(three.atomCount, 3 * one.atomCount);
  for (std::int32_t i = 0; i < one.atomCount; ++i) {
    EXPECT_EQ(three.atomX[i], one.atomX[i]) << i;
    EXPECT_EQ(three.atomY[i], one.atomY[i]) << i;
    EXPECT_EQ(three.atomZ[i], one.atomZ[i]) << i;
  }
  // The period is (N/G)·tau.
  EXPECT_NEAR(three.atomZ[one.atomCount] - three.atomZ[0], 11.2709, 1e-3);
}

TEST(TubeUnitCellTest, carbonAndUnrolledSheetWhateverTheMaterial)
{
  Model model;
  model.structureKind = 1;
  model.materialIndex = 1;
  model.unitCellMode = true;
  test::FakePrompts prompts;
  test::FakeAbort abort;
  buildTubes(model, 7, 2, 1.0f, kA, prompts, abort);
  ASSERT_EQ(model.atomCount, 268);
  const double r = model.tubeDiameter / 2.0;
  for (std::int32_t i = 0; i < model.atomCount; ++i) {
    EXPECT_EQ(model.atomType[i], 3) << i;
    EXPECT_EQ(model.sheetType[i], 3) << i;
    EXPECT_GE(model.sheetX[i], 0.0f) << i;
    EXPECT_LT(model.sheetX[i], 2.0 * kPiExact * r) << i;
    EXPECT_EQ(model.sheetY[i], model.atomZ[i]) << i;
    EXPECT_EQ(model.sheetZ[i], 0.0f) << i;
    // Rolling the sheet back gives the atom.
    EXPECT_NEAR(r * std::cos(model.sheetX[i] / r), model.atomX[i], 1e-4) << i;
    EXPECT_NEAR(r * std::sin(model.sheetX[i] / r), model.atomY[i], 1e-4) << i;
  }
}

TEST(TubeUnitCellTest, refusalsChangeNothing)
{
  const struct {
    int n, m, cells;
    const char* message;
  } cases[] = {
      {0, 0, 1, "Unit cells need n of at least 1, m of at least 0 and at least one cell."},
      {5, -1, 1, "Unit cells need n of at least 1, m of at least 0 and at least one cell."},
      {5, 5, 0, "Unit cells need n of at least 1, m of at least 0 and at least one cell."},
      {100, 99, 70000, "This tube would have 8316280000 atoms; at most 20000000 can be built."},
      {100, 99, 169, "This tube would have 20077876 atoms; at most 20000000 can be built."},
  };
  Model before;
  buildTubeUnitCell(before, 6, 3, 2, kA);
  for (const auto& c : cases) {
    Model model = before;
    try {
      buildTubeUnitCell(model, c.n, c.m, c.cells, kA);
      ADD_FAILURE() << label(c.n, c.m) << " x " << c.cells << ": built";
    } catch (const RuntimeError& e) {
      EXPECT_STREQ(e.what(), c.message) << label(c.n, c.m) << " x " << c.cells;
    }
    EXPECT_TRUE(model == before) << label(c.n, c.m) << " x " << c.cells;
  }
}

// Long tubes within the atom limit are built; the calculation decides what
// to do with those beyond 500 Å. One cell of (100,99) is already 734 Å.
TEST(TubeUnitCellTest, longTubesWithinTheAtomLimitAreBuilt)
{
  Model model;
  buildTubeUnitCell(model, 5, 5, 203, kA);
  EXPECT_NEAR(model.tubeLength, 498.1, 0.05);
  buildTubeUnitCell(model, 5, 5, 204, kA);
  EXPECT_NEAR(model.tubeLength, 500.5, 0.05);
  EXPECT_EQ(model.atomCount, 4080);
  buildTubeUnitCell(model, 100, 99, 1, kA);
  EXPECT_EQ(model.atomCount, 118804);
  EXPECT_NEAR(model.tubeLength, 734.0, 1.0);
}

} // namespace
} // namespace tarvek
