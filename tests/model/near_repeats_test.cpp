// Near-repeated atoms: the typical nearest-neighbour distance and the bond
// search's crowding limit treat atoms within 1e-4 Å as one.
#include "model/bond_search.h"
#include "model/model.h"
#include "model/neighbour_distance.h"
#include "support/fake_abort.h"
#include "support/fake_prompts.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <random>
#include <vector>

namespace tarvek::test {
namespace {

struct Points {
  std::vector<float> x, y, z;
  void add(double px, double py, double pz)
  {
    x.push_back(static_cast<float>(px));
    y.push_back(static_cast<float>(py));
    z.push_back(static_cast<float>(pz));
  }
};

// A chain along x with the given spacing.
Points chain(int count, double spacing)
{
  Points p;
  for (int i = 0; i < count; ++i)
    p.add(i * spacing, 0.0, 0.0);
  return p;
}

Points nearRepeatLine()
{
  return chain(200000, 1e-7);
}

// The typical distance is the median nearest neighbour, not the closest
// pair; repeats and near-repeats neither set it nor crowd it out.
TEST(NearRepeatsTest, typicalDistanceIsTheMedianNearestNeighbourBeyondRepeats)
{
  const auto withPairAt = [](double gap) {
    // A chain of 20 at 1.42 Å and two atoms off its end, gap apart.
    Points p = chain(20, 1.42);
    p.add(40.0, 5.0, 0.0);
    p.add(40.0, 5.0 + gap, 0.0);
    return p;
  };
  const auto doubled = [] {
    Points p = chain(30, 1.42);
    for (int i = 0; i < 30; ++i)
      p.add(i * 1.42 + 5e-5, 0.0, 0.0);
    return p;
  };
  const auto heap = [] {
    Points p;
    for (int i = 0; i < 1000; ++i)
      p.add(3.0, 3.0, 3.0);
    return p;
  };
  const auto spread = [] {
    Points p;
    p.add(0, 0, 0);
    p.add(10, 0, 0);
    p.add(30, 0, 0);
    return p;
  };
  const auto withNonFinite = [] {
    Points p = chain(5, 1.5);
    p.add(std::numeric_limits<double>::quiet_NaN(), 0, 0);
    p.add(1.5 * 4 + 0.2, std::numeric_limits<double>::infinity(), 0);
    return p;
  };
  const struct {
    const char* name;
    Points points;
    std::optional<double> typical;
  } cases[] = {
      {"a closer pair off a chain", withPairAt(1.0), 1.42},
      {"a chain with every atom doubled 5e-5 A away", doubled(), 1.42},
      {"one place", heap(), std::nullopt},
      {"one point", chain(1, 1.0), std::nullopt},
      {"far apart", spread(), 10.0},
      {"two atoms 500 A apart", chain(2, 500.0), 500.0},
      {"non-finite points left out", withNonFinite(), 1.5},
  };
  for (const auto& c : cases) {
    const std::optional<float> got =
        typicalNeighbourDistance(c.points.x, c.points.y, c.points.z);
    ASSERT_EQ(got.has_value(), c.typical.has_value()) << c.name;
    if (got) {
      EXPECT_NEAR(*got, *c.typical, 1e-4) << c.name;
    }
  }

  // Near-repeats in a line and a crowd in a tiny cube never give a length
  // of a repeat.
  std::mt19937 random(3);
  std::uniform_real_distribution<float> tiny(0.0f, 0.006f);
  Points cube;
  for (int i = 0; i < 200000; ++i)
    cube.add(tiny(random), tiny(random), tiny(random));
  for (const Points* p : {&cube}) {
    const std::optional<float> got = typicalNeighbourDistance(p->x, p->y, p->z);
    ASSERT_TRUE(got);
    EXPECT_GT(*got, kRepeatDistance);
  }
  const Points line = nearRepeatLine();
  const std::optional<float> got = typicalNeighbourDistance(line.x, line.y, line.z);
  ASSERT_TRUE(got);
  EXPECT_GT(*got, kRepeatDistance);
}

// Near-repeats crowd the bond search whatever its window: even a window
// around their own spacing ends as too dense with no bonds.
TEST(NearRepeatsTest, nearRepeatsCrowdTheBondSearch)
{
  const Points line = nearRepeatLine();
  const struct {
    const char* name;
    float lower, upper;
  } windows[] = {
      {"around their spacing", 0.95e-7f, 1.05e-7f},
      {"around a repeat", 0.95e-4f, 1.05e-4f},
      {"around a bond", 1.3f, 1.5f},
  };
  for (const auto& w : windows) {
    Model model;
    model.atomX.assign(line.x.begin(), line.x.end());
    model.atomY.assign(line.y.begin(), line.y.end());
    model.atomZ.assign(line.z.begin(), line.z.end());
    model.atomType.assign(line.x.size(), 3);
    model.atomCount = static_cast<std::int32_t>(line.x.size());
    model.structureKind = 7;
    FakePrompts prompts;
    prompts.answerYesNo(true);
    FakeAbort abort;
    EXPECT_EQ(createBonds(model, w.lower, w.upper, prompts, abort), BondSearchEnd::TooDense)
        << w.name;
    EXPECT_EQ(model.bondCount, 0) << w.name;
    ASSERT_EQ(prompts.messages().size(), 1u) << w.name;
    EXPECT_EQ(prompts.messages()[0].text, kTooDenseMessage) << w.name;
  }
}

} // namespace
} // namespace tarvek::test
