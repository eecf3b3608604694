// Disc markers: the three generators and their refusals, the dialog's
// choice table, picking, adding and removing, and the pushes of a drag.
#include "imaging/digitiser.h"
#include "imaging/disc_markers.h"

#include "model/model.h"
#include "runtime/random_source.h"
#include "runtime/runtime_error.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <set>

namespace tarvek {
namespace {

double gap(const clBALL& a, const clBALL& b)
{
  return std::hypot(double{a.x} - b.x, double{a.y} - b.y);
}

clBALL disc(float x, float y, float r = 15)
{
  clBALL d;
  d.x = x;
  d.y = y;
  d.r = r;
  d.colour = kDiscBlue;
  return d;
}

class DiscAssemblyTest : public testing::Test {
protected:
  DiscAssemblyTest() { set.setArea(640, 480); }

  void expectRefusedAndUnchanged(const std::function<void()>& action, const char* what)
  {
    const std::vector<float> before = xs();
    try {
      action();
      ADD_FAILURE() << what << " was not refused";
    } catch (const RuntimeError& error) {
      EXPECT_FALSE(std::string(error.what()).empty()) << what;
    }
    EXPECT_EQ(xs(), before) << what;
  }

  std::vector<float> xs() const
  {
    std::vector<float> x;
    for (const clBALL& d : set.discs)
      x.push_back(d.x);
    return x;
  }

  RandomSource random{11};
  DiscAssembly set{random};
  Model model;
};

TEST_F(DiscAssemblyTest, squareLatticeSpacesDiscsTwoAndAHalfRadiiApart)
{
  set.makeSquareLattice(10, 10, 20);
  ASSERT_EQ(set.discCount(), 100);
  std::set<std::pair<float, float>> centres;
  for (const clBALL& d : set.discs) {
    EXPECT_EQ(d.r, 20.0f);
    EXPECT_EQ(d.colour, kDiscBlue);
    centres.emplace(d.x, d.y);
  }
  std::set<std::pair<float, float>> expected;
  for (int i = 1; i <= 10; ++i) {
    for (int j = 1; j <= 10; ++j)
      expected.emplace(50.0f * i, 50.0f * j);
  }
  EXPECT_EQ(centres, expected);
  // Columns first: the second disc is below the first.
  EXPECT_EQ(set.discs[1].x, 50.0f);
  EXPECT_EQ(set.discs[1].y, 100.0f);
  set.makeSquareLattice(0, 10, 20);
  EXPECT_EQ(set.discCount(), 0);
}

// The four sites of the cell are told apart by their row offset: 0, 1.5 b,
// b and 2.5 b within each 3 b (b = 2.2 r = 33 px).
TEST_F(DiscAssemblyTest, grapheneSheetPlacesTheCountsOfItsSize)
{
  const struct {
    float width, height;
    int count;
    std::array<int, 4> sites;
  } sheets[] = {
      {20, 15, 98, {32, 21, 24, 21}},
      {3, 3, 5, {2, 1, 2, 0}},
      {0, 15, 7, {4, 0, 3, 0}},
  };
  for (const auto& s : sheets) {
    set.makeGrapheneSheet(s.width, s.height, 15, 1.42f);
    ASSERT_EQ(set.discCount(), s.count) << s.width << " x " << s.height;
    std::array<int, 4> sites{};
    for (const clBALL& d : set.discs) {
      const double row = std::fmod(double{d.y} - 15.0, 99.0);
      const int site = row < 1                      ? 0
                       : std::fabs(row - 49.5) < 1 ? 1
                       : std::fabs(row - 33) < 1   ? 2
                                                   : 3;
      ++sites[static_cast<std::size_t>(site)];
    }
    EXPECT_EQ(sites, s.sites) << s.width << " x " << s.height;
  }
  set.makeGrapheneSheet(20, 15, 15, 1.42f);
  for (std::size_t i = 0; i < set.discs.size(); ++i) {
    double nearest = 1e9;
    for (std::size_t j = 0; j < set.discs.size(); ++j) {
      if (i != j)
        nearest = std::min(nearest, gap(set.discs[i], set.discs[j]));
    }
    EXPECT_NEAR(nearest, 33.0, 1e-3) << "disc " << i;
  }
}

// s = 2.2 r / bond; the sheet is flipped and moved in by r.
TEST_F(DiscAssemblyTest, sheetFromModelScalesAndFlipsTheSheet)
{
  model.bondLength = 1.5f;
  model.sheetX = {0.0f, 1.5f, 3.0f};
  model.sheetY = {0.0f, 2.0f, 1.0f};
  model.sheetCount = 3;
  set.makeSheetFromModel(model, 15);
  ASSERT_EQ(set.discCount(), 3);
  const double s = 2.2 * 15 / 1.5;
  for (int i = 0; i < 3; ++i) {
    EXPECT_NEAR(set.discs[i].x, s * model.sheetX[i] + 15, 1e-4) << i;
    EXPECT_NEAR(set.discs[i].y, s * (2.0 - model.sheetY[i]) + 15, 1e-4) << i;
  }
  model.sheetCount = 0;
  set.makeSheetFromModel(model, 15);
  EXPECT_EQ(set.discCount(), 0);
}

TEST_F(DiscAssemblyTest, oversizedOrInvalidSetsAreRefusedAndLeaveTheSet)
{
  set.makeSquareLattice(2, 3, 20);
  const float inf = std::numeric_limits<float>::infinity();
  expectRefusedAndUnchanged([&] { newDiscSet(set, model, {2, 200, 200}); }, "200 x 200 lattice");
  expectRefusedAndUnchanged([&] { set.makeSquareLattice(200, 200, 20); }, "lattice 200 x 200");
  expectRefusedAndUnchanged([&] { set.makeSquareLattice(-1, 3, 20); }, "negative columns");
  expectRefusedAndUnchanged([&] { newDiscSet(set, model, {2, -2, 3}); }, "negative rows");
  expectRefusedAndUnchanged([&] { newDiscSet(set, model, {2, 1e300, 1e300}); }, "huge lattice");
  expectRefusedAndUnchanged([&] { set.makeGrapheneSheet(20, 15, 15, 0); }, "no bond length");
  expectRefusedAndUnchanged([&] { set.makeGrapheneSheet(-1, 15, 15, 1.42f); }, "negative width");
  expectRefusedAndUnchanged([&] { set.makeGrapheneSheet(20, inf, 15, 1.42f); }, "infinite height");
  expectRefusedAndUnchanged([&] { set.makeGrapheneSheet(20, NAN, 15, 1.42f); }, "NaN height");
  expectRefusedAndUnchanged([&] { set.makeGrapheneSheet(400, 400, 15, 1.42f); }, "large sheet");
  expectRefusedAndUnchanged([&] { set.makeGrapheneSheet(1e30f, 1, 15, 1.42f); }, "huge sheet");
  model.bondLength = 1.42f;
  expectRefusedAndUnchanged([&] { newDiscSet(set, model, {1, 1e300, 15}); }, "width past float");
  model.sheetCount = 40000;
  expectRefusedAndUnchanged([&] { set.makeSheetFromModel(model, 15); }, "sheet of 40000");
  model.sheetX = {1.0f};
  model.sheetY = {1.0f};
  model.sheetCount = 1;
  model.bondLength = 0;
  expectRefusedAndUnchanged([&] { set.makeSheetFromModel(model, 15); }, "sheet without bond");
  EXPECT_EQ(set.discCount(), 6);
}

// The dialog's Rows field is the first value, Columns the second, each
// rounded half to even; choice 0 changes nothing.
TEST_F(DiscAssemblyTest, newDiscSetFollowsTheChoiceTable)
{
  model.bondLength = 1.42f;
  EXPECT_TRUE(newDiscSet(set, model, {2, 2.5, 3.5}));
  ASSERT_EQ(set.discCount(), 8); // 4 columns of 2 rows
  EXPECT_EQ(set.discs.back().x, 200.0f);
  EXPECT_EQ(set.discs.back().y, 100.0f);
  EXPECT_FALSE(newDiscSet(set, model, {0, 5, 5}));
  EXPECT_EQ(set.discCount(), 8);
  EXPECT_TRUE(newDiscSet(set, model, {1, 20, 15}));
  EXPECT_EQ(set.discCount(), 98);
  EXPECT_EQ(set.discs.front().r, 15.0f);
  model.sheetX = {0.0f};
  model.sheetY = {0.0f};
  model.sheetCount = 1;
  EXPECT_TRUE(newDiscSet(set, model, {3, 0, 0}));
  ASSERT_EQ(set.discCount(), 1);
  EXPECT_EQ(set.discs[0].x, 15.0f);
}

TEST_F(DiscAssemblyTest, clicksPickAddAndRemove)
{
  // No set yet: a click adds nothing.
  EXPECT_FALSE(set.pickOrAddDisc(100, 100));
  EXPECT_EQ(set.discCount(), 0);

  set.discs = {disc(100, 100), disc(200, 100)};
  // Within the radius: picked for a drag, with the offset to the centre.
  EXPECT_FALSE(set.pickOrAddDisc(110, 95));
  EXPECT_EQ(set.dragIndex, 0);
  EXPECT_TRUE(set.discs[0].selected);
  EXPECT_EQ(set.dragOffsetX, -10.0f);
  EXPECT_EQ(set.dragOffsetY, 5.0f);
  set.endDrag();
  EXPECT_EQ(set.dragIndex, -1);
  EXPECT_FALSE(set.discs[0].selected);
  // Outside the disc but within twice its radius: nothing.
  EXPECT_FALSE(set.pickOrAddDisc(125, 100));
  EXPECT_FALSE(set.pickOrAddDisc(130, 100)); // exactly 2 r
  EXPECT_EQ(set.discCount(), 2);

  // A free place: a disc like the first, dragged from the start, and every
  // flag of every disc cleared.
  set.discs[1].moved = set.discs[1].collided = set.discs[1].reserved = true;
  set.discs[0].selected = true;
  EXPECT_TRUE(set.pickOrAddDisc(150, 200));
  ASSERT_EQ(set.discCount(), 3);
  EXPECT_EQ(set.dragIndex, 2);
  EXPECT_EQ(set.dragOffsetX, 0.0f);
  EXPECT_EQ(set.discs[2].x, 150.0f);
  EXPECT_EQ(set.discs[2].r, 15.0f);
  EXPECT_EQ(set.discs[1].x, 200.0f);
  for (const clBALL& d : set.discs)
    EXPECT_FALSE(d.selected || d.collided || d.reserved || d.moved);

  // Three discs over one point go together.
  set.discs = {disc(100, 100), disc(110, 100), disc(300, 300), disc(100, 110)};
  EXPECT_FALSE(set.removeDiscsAt(200, 200));
  EXPECT_TRUE(set.removeDiscsAt(104, 104));
  ASSERT_EQ(set.discCount(), 1);
  EXPECT_EQ(set.discs[0].x, 300.0f);
}

TEST_F(DiscAssemblyTest, aDraggedDiscPushesARestingOneUntilTheyTouch)
{
  set.discs = {disc(100, 100), disc(140, 100)};
  set.pickOrAddDisc(100, 100);
  set.dragDisc(120, 100);
  EXPECT_EQ(set.discs[0].x, 120.0f);
  EXPECT_FLOAT_EQ(set.discs[1].x, 150.0f);
  EXPECT_EQ(set.discs[1].y, 100.0f);
  EXPECT_NEAR(gap(set.discs[0], set.discs[1]), 30.0, 1e-4);
  EXPECT_TRUE(set.discs[1].collided);

  // Onto an exactly coincident centre there is no direction to push in.
  set.discs = {disc(100, 100), disc(140, 100)};
  set.pickOrAddDisc(100, 100);
  set.dragDisc(140, 100);
  EXPECT_EQ(set.discs[1].x, 140.0f);
  EXPECT_EQ(set.discs[1].y, 100.0f);

  // A diagonal push keeps to the line of centres.
  set.discs = {disc(100, 100), disc(130, 140)};
  set.pickOrAddDisc(100, 100);
  set.dragDisc(115, 120);
  EXPECT_NEAR(gap(set.discs[0], set.discs[1]), 30.0, 1e-4);
  EXPECT_NEAR((set.discs[1].y - 120.0) / (set.discs[1].x - 115.0), 4.0 / 3.0, 1e-4);
}

// A resting overlap ahead of the dragged disc in the pass moves a disc
// that then meets the dragged one: that disc gives way, never the dragged.
TEST_F(DiscAssemblyTest, theDraggedDiscStaysUnderThePointerInAChain)
{
  set.discs = {disc(100, 100), disc(120, 100), disc(60, 100)};
  set.pickOrAddDisc(60, 100);
  set.dragDisc(75, 100);
  EXPECT_EQ(set.discs[2].x, 75.0f);
  EXPECT_EQ(set.discs[2].y, 100.0f);
  // Disc 0 left disc 1 by 10 px, then gave way to the dragged disc.
  EXPECT_NEAR(gap(set.discs[0], set.discs[2]), 30.0, 1e-4);

  // A row pushed from its end: every pair of the pass touches afterwards.
  set.discs = {disc(100, 100), disc(131, 100), disc(162, 100)};
  set.pickOrAddDisc(100, 100);
  set.dragDisc(110, 100);
  EXPECT_EQ(set.discs[0].x, 110.0f);
  EXPECT_NEAR(set.discs[1].x, 140.0, 1e-4);
  EXPECT_NEAR(set.discs[2].x, 170.0, 1e-4);
}

// Shift + left click on the dragged disc picks it and then removes it: the
// drag ends, and a later step reads nothing past the set.
TEST_F(DiscAssemblyTest, removingTheDraggedDiscEndsTheDrag)
{
  set.discs = {disc(100, 100), disc(200, 100), disc(300, 100)};
  set.pickOrAddDisc(300, 100);
  EXPECT_TRUE(set.removeDiscsAt(300, 100));
  EXPECT_EQ(set.dragIndex, -1);
  set.dragDisc(250, 100);
  ASSERT_EQ(set.discCount(), 2);
  EXPECT_EQ(set.discs[1].x, 200.0f);

  // Removing a disc before the dragged one: the drag follows its disc.
  set.pickOrAddDisc(200, 100);
  EXPECT_TRUE(set.removeDiscsAt(100, 100));
  EXPECT_EQ(set.dragIndex, 0);
  set.dragDisc(220, 120);
  EXPECT_EQ(set.discs[0].x, 220.0f);
  EXPECT_EQ(set.discs[0].y, 120.0f);
}

TEST_F(DiscAssemblyTest, aFullSetRefusesAnotherDisc)
{
  set.makeSquareLattice(kMaxDiscs, 1, 1);
  ASSERT_EQ(set.discCount(), kMaxDiscs);
  EXPECT_THROW(set.addDisc(-100, -100), RuntimeError);
  EXPECT_EQ(set.discCount(), kMaxDiscs);
}

TEST_F(DiscAssemblyTest, initPlacesTheDiscInsideItsArea)
{
  for (int i = 0; i < 50; ++i) {
    clBALL d;
    d.moved = true;
    d.init(15, 640, 480, random);
    EXPECT_EQ(d.r, 15.0f);
    EXPECT_FALSE(d.moved);
    EXPECT_GE(d.x, 15.0f);
    EXPECT_LE(d.x, 625.0f);
    EXPECT_GE(d.y, 15.0f);
    EXPECT_LE(d.y, 465.0f);
  }
}

} // namespace
} // namespace tarvek
