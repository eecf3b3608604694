#include "model/cone_builder.h"

#include "model/brute_force_bonds.h"
#include "model/model.h"
#include "runtime/runtime_error.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

namespace tarvek {
namespace {

constexpr double kDegrees = 180.0 / 3.141592653589793;

TEST(ConeBuilderTest, apexAngleFollowsTheDisclination)
{
  const struct {
    float d;
    double apexDegrees;
  } cases[] = {{60, 112.89}, {120, 83.62}, {180, 60.00}, {240, 38.94}, {300, 19.19}};
  for (const auto& c : cases) {
    Model model;
    buildCone(model, c.d, 10.0f, 1.42f, 0.0f);
    EXPECT_NEAR(model.coneApexAngle * kDegrees, c.apexDegrees, 0.005) << "d = " << c.d;
    EXPECT_EQ(model.coneDisclination, c.d);
    EXPECT_EQ(model.coneHeight, 10.0f);
    EXPECT_EQ(model.bondLength, 1.42f);
  }
}

TEST(ConeBuilderTest, halfTurnConeOfHeight10)
{
  Model model;
  buildCone(model, 180.0f, 10.0f, 1.42f, 0.0f);
  // R = 11.547: nx = 6, ny = 4, a patch of 13 × 9 cells of 4 atoms.
  EXPECT_EQ(model.workCount, 468);
  EXPECT_EQ(model.sheetCount, 78);
  ASSERT_EQ(model.atomCount, model.sheetCount);
  EXPECT_EQ(model.atomX.size(), static_cast<std::size_t>(model.atomCount));
  EXPECT_EQ(model.sheetX.size(), static_cast<std::size_t>(model.sheetCount));
  EXPECT_EQ(model.workX.size(), static_cast<std::size_t>(model.workCount));
  EXPECT_EQ(model.atomType, model.sheetType);
  float radius = 0;
  for (int i = 0; i < model.sheetCount; ++i)
    radius = std::max(radius, std::hypot(model.sheetX[i], model.sheetY[i]));
  EXPECT_LE(radius, 11.547f);
  EXPECT_GE(*std::min_element(model.atomZ.begin(), model.atomZ.end()), -10.0f);
  EXPECT_LE(*std::max_element(model.atomZ.begin(), model.atomZ.end()), 0.0f);
  // Rolling keeps each atom's distance from the apex.
  for (int i = 0; i < model.atomCount; ++i)
    EXPECT_NEAR(std::hypot(model.atomX[i], model.atomY[i], model.atomZ[i]),
                std::hypot(model.sheetX[i], model.sheetY[i]), 1e-4)
        << "atom " << i;
}

TEST(ConeBuilderTest, atomCountsOfTheFiveCones)
{
  const struct {
    float d;
    int atoms;
  } cases[] = {{60, 320}, {120, 136}, {180, 78}, {240, 46}, {300, 21}};
  for (const auto& c : cases) {
    Model model;
    buildCone(model, c.d, 10.0f, 1.42f, 0.0f);
    EXPECT_EQ(model.atomCount, c.atoms) << "d = " << c.d;
    EXPECT_EQ(model.sheetCount, c.atoms) << "d = " << c.d;
  }
}

// Carbon is type 3 throughout; a two-element material puts one element on
// each sublattice, so nearest neighbours always differ.
TEST(ConeBuilderTest, typesFollowTheMaterial)
{
  Model carbon;
  buildCone(carbon, 120.0f, 10.0f, 1.42f, 0.0f);
  for (const auto* types : {&carbon.workType, &carbon.sheetType, &carbon.atomType})
    EXPECT_TRUE(std::all_of(types->begin(), types->end(), [](std::int16_t t) { return t == 3; }));

  Model boronNitride;
  boronNitride.materialIndex = 4;
  buildCone(boronNitride, 120.0f, 10.0f, 1.42f, 0.0f);
  EXPECT_EQ(boronNitride.atomType, boronNitride.sheetType);
  EXPECT_TRUE(std::all_of(boronNitride.atomType.begin(), boronNitride.atomType.end(),
                          [](std::int16_t t) { return t == 1 || t == 2; }));
  const test::PairLoop patch{boronNitride.workX.data(), boronNitride.workY.data(),
                             boronNitride.workZ.data(), nullptr, 0, boronNitride.workCount};
  const auto neighbours = patch.bonds(1.3f, 1.5f);
  EXPECT_GT(neighbours.size(), 600u);
  for (const auto& [i, j] : neighbours) {
    const std::int16_t ti = boronNitride.workType[i], tj = boronNitride.workType[j];
    EXPECT_TRUE((ti == 1 && tj == 2) || (ti == 2 && tj == 1)) << i << "-" << j;
  }
}

TEST(ConeBuilderTest, wedgeBoundaryIsLeftOutStrictly)
{
  // At d = 90 the patch atoms on the negative y axis sit at exactly 270°.
  Model model;
  buildCone(model, 90.0f, 10.0f, 1.42f, 0.0f);
  int onAxis = 0;
  for (int i = 0; i < model.workCount; ++i)
    if (model.workX[i] == 0.0f && model.workY[i] < 0.0f && model.workY[i] > -11.0f)
      ++onAxis;
  EXPECT_GT(onAxis, 0);
  for (int i = 0; i < model.sheetCount; ++i)
    EXPECT_FALSE(model.sheetX[i] == 0.0f && model.sheetY[i] < 0.0f) << "sheet atom " << i;
}

TEST(ConeBuilderTest, zOffsetMovesTheApex)
{
  Model model;
  buildCone(model, 60.0f, 10.0f, 1.42f, 25.0f);
  EXPECT_GE(*std::min_element(model.atomZ.begin(), model.atomZ.end()), 15.0f);
  EXPECT_LE(*std::max_element(model.atomZ.begin(), model.atomZ.end()), 25.0f);
}

TEST(ConeBuilderTest, tinyHeightLeavesEmptySets)
{
  Model model;
  buildCone(model, 60.0f, 10.0f, 1.42f, 0.0f);
  buildCone(model, 180.0f, 0.5f, 1.42f, 0.0f);
  EXPECT_EQ(model.sheetCount, 0);
  EXPECT_EQ(model.atomCount, 0);
  EXPECT_TRUE(model.sheetX.empty());
  EXPECT_TRUE(model.atomX.empty());
}

TEST(ConeBuilderTest, largeConeGrowsWithoutLosingAtoms)
{
  Model model;
  buildCone(model, 60.0f, 250.0f, 1.42f, 0.0f);
  EXPECT_EQ(model.workCount, 319060);
  EXPECT_EQ(model.atomCount, 204390);
}

// A refused cone changes nothing at all.
TEST(ConeBuilderTest, refusesImpossibleConesAndChangesNothing)
{
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const std::string badAngle = "The disclination must lie between 0 and 360 degrees.";
  const std::string badBond = "The bond length must be a positive number.";
  const struct {
    float d, a;
    const std::string& message;
  } cases[] = {{0, 1.42f, badAngle},   {360, 1.42f, badAngle}, {-60, 1.42f, badAngle},
               {420, 1.42f, badAngle}, {nan, 1.42f, badAngle}, {120, 0, badBond},
               {120, -1.42f, badBond}, {120, nan, badBond},
               {120, std::numeric_limits<float>::infinity(), badBond}};
  Model before;
  buildCone(before, 240.0f, 6.0f, 1.3f, 0.0f);
  before.bondCount = 1;
  before.bondAtom1 = {0};
  before.bondAtom2 = {1};
  for (const auto& c : cases) {
    Model model = before;
    try {
      buildCone(model, c.d, 10.0f, c.a, 0.0f);
      ADD_FAILURE() << "d = " << c.d << ", a = " << c.a << " was accepted";
    } catch (const RuntimeError& e) {
      EXPECT_EQ(e.what(), c.message) << "d = " << c.d << ", a = " << c.a;
    }
    EXPECT_TRUE(model == before) << "d = " << c.d << ", a = " << c.a;
  }
}

} // namespace
} // namespace tarvek
