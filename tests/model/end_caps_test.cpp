#include "model/end_caps.h"

#include "built_tube.h"

#include "model/c60_data.h"
#include "model/model.h"
#include "runtime/number_parse.h"
#include "runtime/runtime_error.h"
#include "runtime/split.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace tarvek {
namespace {

constexpr float kA = 1.42f;

CapRow storedC60Row(std::size_t row)
{
  const auto f = splitSpaces(kC60Lines[row]);
  return {static_cast<float>(Val(f[0])), static_cast<float>(Val(f[1])),
          static_cast<float>(Val(f[2]))};
}

// A model holding the given atoms, all carbon.
Model atoms(const std::vector<CapRow>& rows, float a = kA)
{
  Model model;
  model.bondLength = a;
  for (const CapRow& p : rows)
    appendCap(model, {p}, 1, 3);
  return model;
}

// The (9,0) cap keeps the stored rows unchanged; the (5,5) cap takes the
// upper 40 atoms with the open ring at z = 0.
TEST(EndCapsTest, halfC60CapsPickTheirRows)
{
  CapTable table;
  std::int32_t rows = 0;
  addC60HalfCap(table, 90, rows);
  const std::vector<std::size_t> kept = {2,  3,  4,  5,  8,  9,  11, 12, 13, 14, 15, 16, 24,
                                         25, 26, 27, 28, 29, 33, 34, 35, 36, 37, 39, 44, 45,
                                         46, 47, 48, 49, 51, 52, 53, 54, 55, 56, 57, 58, 59};
  ASSERT_EQ(rows, 39);
  for (std::size_t k = 0; k < kept.size(); ++k)
    EXPECT_EQ(table[k], storedC60Row(kept[k])) << "row " << k;

  CapTable cap55;
  std::int32_t rows55 = 0;
  addC60HalfCap(cap55, 55, rows55);
  ASSERT_EQ(rows55, 40);
  for (std::int32_t k = 0; k < rows55; ++k) {
    const CapRow stored = storedC60Row(static_cast<std::size_t>(20 + k));
    EXPECT_EQ(cap55[k][0], stored[0]) << "row " << k;
    EXPECT_NEAR(cap55[k][2], stored[2] - 2.742, 1e-6) << "row " << k;
  }
  const Extent e = capExtent(cap55, rows55);
  EXPECT_EQ(e.lo[2], 0.0f);
  EXPECT_NEAR(e.hi[2], 3.921, 1e-6);

  // The shift reaches rows that were in the table before the call.
  CapTable mixed = {{0.0f, 0.0f, 10.0f}};
  std::int32_t mixedRows = 1;
  addC60HalfCap(mixed, 55, mixedRows);
  EXPECT_EQ(mixedRows, 41);
  EXPECT_NEAR(mixed[0][2], 10.0 - 2.742, 1e-5);
}

TEST(EndCapsTest, rotateCapAtomsTurnsAboutEachAxis)
{
  const CapTable start = {{1.0f, 0.0f, 0.0f}, {0.0f, 1.0f, 0.0f}, {0.0f, 0.0f, 1.0f},
                          {0.3f, -1.2f, 2.5f}};
  for (std::int16_t axis = 1; axis <= 3; ++axis) {
    CapTable same = start;
    rotateCapAtoms(axis, 0.0f, same, 4);
    EXPECT_EQ(same, start) << "axis " << axis;
  }
  // Turned by 90 degrees: images of x, y and z per axis.
  const struct {
    std::int16_t axis;
    CapTable images;
  } cases[] = {
      {1, {{1, 0, 0}, {0, 0, 1}, {0, -1, 0}}},
      {2, {{0, 0, 1}, {0, 1, 0}, {-1, 0, 0}}},
      {3, {{0, -1, 0}, {1, 0, 0}, {0, 0, 1}}},
  };
  for (const auto& c : cases) {
    CapTable t = start;
    rotateCapAtoms(c.axis, 90.0f, t, 3);
    for (std::size_t r = 0; r < 3; ++r)
      for (std::size_t k = 0; k < 3; ++k)
        EXPECT_NEAR(t[r][k], c.images[r][k], 1e-6) << "axis " << c.axis << " row " << r;
    EXPECT_EQ(t[3], start[3]) << "rows past the count stay";
  }
  CapTable t = start;
  EXPECT_THROW(rotateCapAtoms(4, 10.0f, t, 4), RuntimeError);
}

// Before any contact step each cap sits on its own end, open ring against
// the end ring, aligned with the tube's smallest x and y.
TEST(EndCapsTest, halfCapsArePlacedOnTheTubeEnds)
{
  const struct {
    std::int16_t code;
    int n, m;
  } cases[] = {{55, 5, 5}, {90, 9, 0}};
  for (const auto& c : cases) {
    const Model tube = test::builtTube(c.n, c.m, 20.0f, kA);
    const Extent t = atomExtent(tube, tube.atomCount);
    CapTable upper;
    CapTable lower;
    std::int32_t rows = 0;
    addC60HalfCap(upper, c.code, rows);
    placeHalfCaps(t, upper, lower, rows);
    const Extent u = capExtent(upper, rows);
    const Extent l = capExtent(lower, rows);
    EXPECT_FLOAT_EQ(l.hi[2], t.lo[2]) << c.code;
    EXPECT_FLOAT_EQ(u.lo[2], t.hi[2]) << c.code;
    for (std::size_t k = 0; k < 2; ++k) {
      EXPECT_FLOAT_EQ(u.lo[k], t.lo[k]) << c.code << " axis " << k;
      EXPECT_FLOAT_EQ(l.lo[k], t.lo[k]) << c.code << " axis " << k;
    }
    // Scaled to the tube's width; the lower cap mirrors the upper.
    EXPECT_NEAR(u.hi[0] - u.lo[0], t.hi[0] - t.lo[0], 1e-4) << c.code;
    EXPECT_NEAR(l.hi[2] - l.lo[2], u.hi[2] - u.lo[2], 1e-4) << c.code;
  }
}

// An atom pair merges only when both the distance and the z difference are
// below the limit; the survivor j takes the middle z and keeps its x, y.
TEST(EndCapsTest, mergeNeedsBothDistanceAndZBelowTheLimit)
{
  Model merged = atoms({{0.0f, 0.0f, 1.0f}, {0.3f, 0.2f, 1.4f}, {5.0f, 0.0f, 0.0f}});
  mergeCloseAtoms(merged, 0.5 * kA, true);
  EXPECT_EQ(merged.atomType[0], -2);
  EXPECT_EQ(merged.atomX[1], 0.3f);
  EXPECT_EQ(merged.atomY[1], 0.2f);
  EXPECT_FLOAT_EQ(merged.atomZ[1], 1.2f);
  compactAtoms(merged);
  ASSERT_EQ(merged.atomCount, 2);
  EXPECT_EQ(merged.atomX.size(), 2u);
  EXPECT_EQ(merged.atomX[0], 0.3f);
  EXPECT_EQ(merged.atomX[1], 5.0f);

  // The distance (double) lies below the limit while |dz| rounded to float
  // reaches it: no merge.
  const float a = 1.0000004768371582f;
  const double limit = 0.7 * a;
  float top = static_cast<float>(limit);
  if (top < limit)
    top = std::nextafter(top, 2.0f);
  Model apart = atoms({{0.0f, 0.0f, 2e-8f}, {0.0f, 0.0f, top}}, a);
  ASSERT_LT(static_cast<double>(top) - 2e-8f, limit);
  mergeCloseAtoms(apart, limit, false);
  EXPECT_EQ(apart.atomType[0], 3);
  EXPECT_EQ(apart.atomType[1], 3);

  // Atoms already marked never merge; each i merges at most once.
  Model marked = atoms({{0, 0, 0}, {0, 0, 0.1f}, {0, 0, 0.2f}});
  marked.atomType[1] = -3;
  mergeCloseAtoms(marked, 0.5 * kA, true);
  EXPECT_EQ(marked.atomType[0], -2);
  EXPECT_EQ(marked.atomType[1], -3);
  EXPECT_FLOAT_EQ(marked.atomZ[2], 0.1f);
}

// Each cap row counts once, however many tube atoms are near it; the
// contact turn needs more than 10 such rows.
TEST(EndCapsTest, contactTurnNeedsMoreThanTenRows)
{
  for (const std::int32_t near : {0, 10, 11, 20}) {
    Model tube;
    tube.bondLength = kA;
    CapTable cap;
    for (std::int32_t r = 0; r < 20; ++r) {
      const float x = 10.0f + 3.0f * static_cast<float>(r);
      // Two tube atoms by every near row, both within 0.5 a.
      if (r < near) {
        appendCap(tube, {{x, 0.0f, 0.2f}, {x, 0.0f, -0.2f}}, 2, 3);
        cap.push_back({x, 0.0f, 0.0f});
      } else {
        cap.push_back({x, 0.0f, 0.5f * kA});
      }
    }
    EXPECT_EQ(countCapContacts(tube, tube.atomCount, cap, 20, 0.5 * kA, true), near);
    CapTable turned = cap;
    contactTurn(tube, tube.atomCount, turned, 20, 18.0f);
    EXPECT_EQ(turned != cap, near > 10) << near << " rows in contact";
  }
}

} // namespace
} // namespace tarvek
