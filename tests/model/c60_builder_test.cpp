#include "model/c60_builder.h"

#include "model/c60_data.h"
#include "model/model.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

namespace tarvek {
namespace {

TEST(C60BuilderTest, storedLinesKeepTheirExactDigits)
{
  EXPECT_EQ(kC60Lines[0], "0.00000 0.00000 0.00000");
  EXPECT_EQ(kC60Lines[23], "3.34060 -1.33770 2.74200");
  EXPECT_EQ(kC60Lines[54], "3.03650 0.25870 5.93500");
  EXPECT_EQ(kC60Lines[59], "-0.45200 0.62260 6.66300");
}

// The box is centred on the origin whatever the atom set held before, and
// nothing but the atom set changes.
TEST(C60BuilderTest, buildsSixtyCarbonAtomsInACentredBox)
{
  for (const int before : {0, 5, 500}) {
    Model model;
    model.redimAtomSet(AtomSetId::Atom, before - 1);
    model.atomCount = before;
    model.structureKind = 5;
    model.bondLength = 1.42f;
    model.bondCount = 1;
    model.bondAtom1 = {0};
    model.bondAtom2 = {1};
    Model expectedRest = model;

    buildC60(model);

    ASSERT_EQ(model.atomCount, 60) << before;
    ASSERT_EQ(model.atomX.size(), 60u) << before;
    ASSERT_EQ(model.atomType.size(), 60u) << before;
    EXPECT_TRUE(std::all_of(model.atomType.begin(), model.atomType.end(),
                            [](std::int16_t t) { return t == 3; }));
    const auto [xLow, xHigh] = std::minmax_element(model.atomX.begin(), model.atomX.end());
    const auto [yLow, yHigh] = std::minmax_element(model.atomY.begin(), model.atomY.end());
    const auto [zLow, zHigh] = std::minmax_element(model.atomZ.begin(), model.atomZ.end());
    EXPECT_NEAR(*xLow, -3.4884f, 1e-5f);
    EXPECT_NEAR(*xHigh, 3.4884f, 1e-5f);
    EXPECT_NEAR(*yLow, -3.4306f, 1e-5f);
    EXPECT_NEAR(*yHigh, 3.4306f, 1e-5f);
    EXPECT_NEAR(*zLow, -3.3315f, 1e-5f);
    EXPECT_NEAR(*zHigh, 3.3315f, 1e-5f);
    EXPECT_NEAR(model.atomX[0], -0.7324f, 1e-5f);
    EXPECT_NEAR(model.atomY[0], -1.0074f, 1e-5f);
    EXPECT_NEAR(model.atomZ[0], -3.3315f, 1e-5f);
    EXPECT_NEAR(model.atomX[59], -1.1844f, 1e-5f);
    EXPECT_NEAR(model.atomY[59], -0.3848f, 1e-5f);
    EXPECT_NEAR(model.atomZ[59], 3.3315f, 1e-5f);

    expectedRest.atomX = model.atomX;
    expectedRest.atomY = model.atomY;
    expectedRest.atomZ = model.atomZ;
    expectedRest.atomType = model.atomType;
    expectedRest.atomCount = model.atomCount;
    EXPECT_TRUE(model == expectedRest) << "only the atom set changes, " << before << " before";
  }
}

// Every atom lies on one sphere about the centroid.
TEST(C60BuilderTest, atomsLieOnASphere)
{
  Model model;
  buildC60(model);
  double cx = 0, cy = 0, cz = 0;
  for (int i = 0; i < 60; ++i) {
    cx += model.atomX[i];
    cy += model.atomY[i];
    cz += model.atomZ[i];
  }
  cx /= 60;
  cy /= 60;
  cz /= 60;
  for (int i = 0; i < 60; ++i) {
    const double r = std::hypot(model.atomX[i] - cx, model.atomY[i] - cy, model.atomZ[i] - cz);
    EXPECT_GT(r, 3.555) << "atom " << i;
    EXPECT_LT(r, 3.558) << "atom " << i;
  }
}

} // namespace
} // namespace tarvek
