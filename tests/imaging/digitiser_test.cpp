// The digitiser's model without widgets: search atoms added and removed by
// clicks, the button and status rule, the save points and its number helpers.
#include "imaging/digitiser.h"

#include "runtime/random_source.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace tarvek {
namespace {

class DigitiserModelTest : public testing::Test {
protected:
  RandomSource random{7};
  DigitiserModel model{random};
};

// A click too close to an atom neither adds nor redraws; a click off the
// picture's top or left edge adds nothing but still redraws.
TEST_F(DigitiserModelTest, addFoundAtomKeepsTwiceTheSizeApart)
{
  ASSERT_TRUE(model.addFoundAtom(50, 50, 6));
  const struct {
    float x, y;
    bool redraw;
    std::int32_t count;
  } clicks[] = {
      {61, 50, false, 1},    // 11 < 12
      {50, 38.5f, false, 1}, // 11.5 < 12
      {62, 50, true, 2},     // exactly 12 apart is far enough
      {-1, 100, true, 2},    // x of -1 adds nothing
      {100, -1, true, 2},
      {-0.5f, 100, true, 3}, // above -1 is still added
  };
  for (const auto& c : clicks) {
    EXPECT_EQ(model.addFoundAtom(c.x, c.y, 6), c.redraw) << c.x << "," << c.y;
    EXPECT_EQ(model.foundCount(), c.count) << c.x << "," << c.y;
  }
  // A size of 0 lets atoms share a place; a negative one too.
  EXPECT_TRUE(model.addFoundAtom(50, 50, 0));
  EXPECT_TRUE(model.addFoundAtom(50, 50, -3));
  EXPECT_EQ(model.foundCount(), 5);
}

// Removal takes the nearest atom closer than the size, the first of equally
// near ones; with none that close nothing goes.
TEST_F(DigitiserModelTest, removeFoundAtomTakesTheNearestWithinTheSize)
{
  model.takePeaks({{10, 10}, {20, 10}, {16, 10}, {30, 30}});
  EXPECT_TRUE(model.removeFoundAtom(18, 10, 5)); // 16 is 2 away, 20 is 2 away: 20 comes first
  ASSERT_EQ(model.foundCount(), 3);
  EXPECT_EQ(model.foundX[0], 10);
  EXPECT_EQ(model.foundX[1], 16);
  EXPECT_EQ(model.foundX[2], 30);
  EXPECT_FALSE(model.removeFoundAtom(40, 30, 10)); // exactly the size away
  EXPECT_FALSE(model.removeFoundAtom(1500, 30, 5000)); // beyond 999
  EXPECT_EQ(model.foundCount(), 3);
  EXPECT_TRUE(model.removeFoundAtom(12, 10, 5));
  EXPECT_TRUE(model.removeFoundAtom(17, 10, 5));
  EXPECT_TRUE(model.removeFoundAtom(30, 30, 5));
  EXPECT_EQ(model.foundCount(), 0);
  EXPECT_FALSE(model.removeFoundAtom(30, 30, 5));
}

// Which buttons are open and what panel 1 says, through a session's states.
TEST_F(DigitiserModelTest, updateStatusFollowsModeCountsAndLoad)
{
  using Enabled = std::array<bool, 5>;
  const Enabled start{true, false, false, true, false};
  DigitiserStatus s = model.updateStatus(start);
  EXPECT_EQ(s.enabled, start);
  EXPECT_EQ(s.panel1, "0 atoms");

  model.takeImage(RedLevels{3, 2, std::vector<std::uint8_t>(6, 255)});
  EXPECT_EQ(model.loadedWidth, 3.0f);
  EXPECT_EQ(model.loadedHeight, 2.0f);
  s = model.updateStatus(s.enabled);
  EXPECT_EQ(s.enabled, (Enabled{true, false, true, true, false}));

  model.takePeaks({{1, 1}, {2, 1}});
  s = model.updateStatus(s.enabled);
  EXPECT_EQ(s.enabled, (Enabled{true, true, true, true, true}));
  EXPECT_EQ(s.panel1, "2 atoms");

  // The assembly tab counts discs; the redraw button keeps its state there.
  model.digitiserMode = kManualAssembly;
  s = model.updateStatus(s.enabled);
  EXPECT_EQ(s.enabled, (Enabled{false, false, false, true, true}));
  EXPECT_EQ(s.panel1, "0 atoms");
  model.discs.makeSquareLattice(3, 4, 20);
  s = model.updateStatus({true, true, true, true, false});
  EXPECT_EQ(s.enabled, (Enabled{false, true, false, true, false}));
  EXPECT_EQ(s.panel1, "12 atoms");

  model.digitiserMode = kImageSearch;
  model.clearFound();
  s = model.updateStatus(s.enabled);
  EXPECT_EQ(s.enabled, (Enabled{true, false, true, true, false}));
  EXPECT_EQ(s.panel1, "0 atoms");
}

// The save points are the tab's: atoms in the search, disc centres in the
// assembly.
TEST_F(DigitiserModelTest, savePointsComeFromTheTabInUse)
{
  model.takePeaks({{25, 40}, {61, 40}});
  model.discs.makeSquareLattice(1, 2, 20);
  const std::vector<XYPoint> search = model.savePoints();
  ASSERT_EQ(search.size(), 2u);
  EXPECT_EQ(search[1].x, 61.0f);
  EXPECT_EQ(search[1].y, 40.0f);
  model.digitiserMode = kManualAssembly;
  const std::vector<XYPoint> discs = model.savePoints();
  ASSERT_EQ(discs.size(), 2u);
  EXPECT_EQ(discs[1].x, 50.0f);
  EXPECT_EQ(discs[1].y, 100.0f);
}

TEST(DigitiserHelpersTest, vectorHelpersScaleInPlace)
{
  std::array<float, 2> v{3, 4};
  UNITYVECTOR(v);
  EXPECT_FLOAT_EQ(v[0], 0.6f);
  EXPECT_FLOAT_EQ(v[1], 0.8f);
  SCALEVECTOR(v, 2.5f);
  EXPECT_FLOAT_EQ(v[0], 1.5f);
  EXPECT_FLOAT_EQ(v[1], 2.0f);
  std::array<float, 2> zero{0, 0};
  UNITYVECTOR(zero);
  EXPECT_EQ(zero, (std::array<float, 2>{0, 0}));
}

// Fields read "," as "."; what the search can use is decided on the float.
TEST(DigitiserHelpersTest, fieldNumbersAndSearchableSizes)
{
  constexpr float kInf = std::numeric_limits<float>::infinity();
  const struct {
    const char* text;
    float value;
    bool searchable;
  } cases[] = {
      {"5", 5, true},         {"6,0", 6, true},         {"0,05", 0.05f, false},
      {"0", 0, false},        {"abc", 0, false},        {"0.0625", 0.0625f, false},
      {"0.0626", 0.0626f, true}, {"-3", -3, false},     {" 7 px", 7, true},
      {"1e39", kInf, false},  {"-1e999", -kInf, false}, {"1e999", kInf, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(fieldNumber(c.text), c.value) << c.text;
    EXPECT_EQ(searchableAtomSize(fieldNumber(c.text)), c.searchable) << c.text;
  }
}

} // namespace
} // namespace tarvek
