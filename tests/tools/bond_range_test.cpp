// The user's bond-length range: reading the fields and one search with it.
#include "tools/bond_range.h"

#include "model/bond_search.h"
#include "runtime/runtime_error.h"
#include "support/fake_abort.h"
#include "support/fake_prompts.h"
#include "support/model_filler.h"

#include <gtest/gtest.h>

#include <cmath>

namespace tarvek {
namespace {

// A hexagon of side 1.42: 6 pairs at 1.42, 6 at 2.4595, 3 at 2.84 Å.
struct HexagonRig : test::ModelFiller {
  test::FakePrompts prompts;
  test::FakeAbort abort;

  HexagonRig()
  {
    model.structureKind = 7;
    model.bondLength = 1.42f;
    for (int k = 0; k < 6; ++k) {
      const double angle = k * 3.14159265358979 / 3.0;
      addAtom(float(1.42 * std::cos(angle)), float(1.42 * std::sin(angle)), 0.0f);
    }
  }
  std::int32_t search(const char* l1, const char* l2)
  {
    recalculateBonds(model, readBondRange(l1, l2), prompts, abort);
    return model.bondCount;
  }
};

// Commas become points in the texts, reversed limits swap while the texts
// keep their order, and no number reads as 0.
TEST(BondRangeTest, fieldsReadWithCommasAndSwappedLimits)
{
  const struct {
    const char* field1;
    const char* field2;
    const char* text1;
    const char* text2;
    float lower;
    float upper;
  } cases[] = {
      {"1,2", "1,6", "1.2", "1.6", 1.2f, 1.6f},
      {"1.6", "1.2", "1.6", "1.2", 1.2f, 1.6f},
      {"", "abc", "", "abc", 0.0f, 0.0f},
      {"1.5x", "-1", "1.5x", "-1", -1.0f, 1.5f},
  };
  for (const auto& c : cases) {
    const BondRange range = readBondRange(c.field1, c.field2);
    EXPECT_EQ(range.text1, c.text1) << c.field1;
    EXPECT_EQ(range.text2, c.text2) << c.field1;
    EXPECT_EQ(range.lower, c.lower) << c.field1;
    EXPECT_EQ(range.upper, c.upper) << c.field1;
  }
  for (const char* huge : {"1e39", "1e400"}) {
    try {
      readBondRange("1.3", huge);
      ADD_FAILURE() << huge;
    } catch (const RuntimeError& e) {
      EXPECT_STREQ(e.what(), "L1 and L2 must be lengths in A.");
    }
  }
}

// Both limits are inclusive; the user limits hold for that one search only.
TEST(BondRangeTest, searchUsesExactlyTheRangeAndThenTheDefaultWindow)
{
  HexagonRig rig;
  EXPECT_EQ(rig.search("1.3", "1.5"), 6);
  EXPECT_FALSE(rig.model.useUserBondLimits);
  EXPECT_EQ(rig.search("1,3", "2,5"), 12);
  EXPECT_EQ(rig.search("2.5", "1.3"), 12);
  EXPECT_EQ(rig.search("1.3", "3"), 15);
  EXPECT_EQ(rig.search("2.5", "2.6"), 0);
  EXPECT_EQ(rig.model.userBondMin, 2.5f);
  EXPECT_FALSE(rig.model.useUserBondLimits);
  // The builders' window again: 0.95 .. 1.05 × 1.42.
  createBonds(rig.model, 0.0f, 0.0f, rig.prompts, rig.abort);
  EXPECT_EQ(rig.model.bondCount, 6);
}

// An imported part keeps its bonds: the search does not run for it.
TEST(BondRangeTest, importedPartKeepsItsBonds)
{
  HexagonRig rig;
  rig.model.partsFlag = true;
  rig.addBond(0, 1);
  rig.addBond(2, 3);
  EXPECT_EQ(rig.search("1.3", "3"), 2);
  EXPECT_FALSE(rig.model.useUserBondLimits);
}

} // namespace
} // namespace tarvek
