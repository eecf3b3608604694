#include "shell/xy_import.h"

#include "model/model.h"
#include "model/tube_builder.h"
#include "runtime/random_source.h"
#include "runtime/runtime_error.h"
#include "support/fake_abort.h"
#include "support/fake_prompts.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace tarvek {
namespace {

double distance(const XYSheet& s, std::size_t i, std::size_t j)
{
  const double dx = static_cast<double>(s.x[j]) - s.x[i];
  const double dy = static_cast<double>(s.y[j]) - s.y[i];
  return std::sqrt(dx * dx + dy * dy);
}

// The plain pair loop the grid analysis must reproduce.
XYScale pairLoop(const XYSheet& s)
{
  XYScale scale;
  scale.dmin = std::numeric_limits<double>::infinity();
  for (std::size_t i = 0; i < s.size(); ++i)
    for (std::size_t j = i + 1; j < s.size(); ++j)
      scale.dmin = std::min(scale.dmin, distance(s, i, j));
  scale.cutoff = 1.5 * scale.dmin;
  double sum = 0.0;
  for (std::size_t i = 0; i < s.size(); ++i)
    for (std::size_t j = i + 1; j < s.size(); ++j)
      if (const double d = distance(s, i, j); d < scale.cutoff) {
        sum += d;
        ++scale.pairs;
      }
  scale.mean = sum / static_cast<double>(scale.pairs);
  return scale;
}

XYSheet sheetOf(std::initializer_list<std::pair<float, float>> points)
{
  XYSheet s;
  for (const auto& [x, y] : points) {
    s.x.push_back(x);
    s.y.push_back(y);
  }
  return s;
}

// Random sets in units from 1e-6 to 1e6, uniform and in a narrow strip, plus
// a jittered lattice whose many near-equal distances test the cutoff.
TEST(XYImportTest, analysisEqualsThePairLoop)
{
  RandomSource random(17);
  for (const double unit : {1e-6, 1.0, 1e6}) {
    for (int shape = 0; shape < 3; ++shape) {
      XYSheet s;
      for (int i = 0; i < 2000; ++i) {
        double x = random.uniform() * 100.0;
        double y = shape == 1 ? random.uniform() * 0.01 : random.uniform() * 100.0;
        if (shape == 2) {
          x = (i % 50) * 2.0 + random.uniform() * 1e-3;
          y = (i / 50) * 2.0 + random.uniform() * 1e-3;
        }
        s.x.push_back(static_cast<float>(x * unit));
        s.y.push_back(static_cast<float>(y * unit));
      }
      const XYScale grid = analyseXYPoints(s);
      const XYScale loop = pairLoop(s);
      EXPECT_EQ(grid.dmin, loop.dmin) << unit << " shape " << shape;
      EXPECT_EQ(grid.pairs, loop.pairs) << unit << " shape " << shape;
      EXPECT_NEAR(grid.mean, loop.mean, loop.mean * 1e-9) << unit << " shape " << shape;
    }
  }
}

TEST(XYImportTest, degenerateSetsLeaveNoPair)
{
  EXPECT_EQ(analyseXYPoints({}).pairs, 0);
  EXPECT_EQ(analyseXYPoints(sheetOf({{1, 2}})).pairs, 0);
  const XYScale twice = analyseXYPoints(sheetOf({{1, 2}, {3, 4}, {1, 2}}));
  EXPECT_EQ(twice.dmin, 0.0);
  EXPECT_EQ(twice.pairs, 0);
  EXPECT_EQ(twice.mean, 0.0);
  const XYScale two = analyseXYPoints(sheetOf({{0, 0}, {3, 4}}));
  EXPECT_EQ(two.dmin, 5.0);
  EXPECT_EQ(two.pairs, 1);
  EXPECT_EQ(two.mean, 5.0);
}

// Every refusal names the file and, where there is one, the point.
TEST(XYImportTest, unbuildableSheetsAreRefusedWithTheirReason)
{
  const float inf = std::numeric_limits<float>::infinity();
  const struct {
    const char* name;
    XYSheet sheet;
    const char* message;
  } cases[] = {
      {"empty", {}, "The XY file \"/d/a.xy\" holds fewer than two points."},
      {"one", sheetOf({{1, 1}}), "The XY file \"/d/a.xy\" holds fewer than two points."},
      {"repeat",
       sheetOf({{0, 0}, {1, 0}, {2, 0}, {5, 5}, {3, 0}, {1, 0}, {7, 7}, {8, 8}, {5, 5}}),
       "The XY file \"/d/a.xy\" holds the same point twice (points 2 and 6)."},
      {"signed zero", sheetOf({{0, 1}, {-0.0f, 1}}),
       "The XY file \"/d/a.xy\" holds the same point twice (points 1 and 2)."},
      {"infinite", sheetOf({{0, 0}, {1, 0}, {inf, 2}}),
       "The XY file \"/d/a.xy\" holds a value too large for a coordinate (point 3)."},
      {"far out", sheetOf({{0, 0}, {1e-20f, 0}, {0, 3e10f}}),
       "The XY file \"/d/a.xy\" holds a value too large for a coordinate (point 3)."},
  };
  for (const auto& c : cases) {
    try {
      checkXYSheet("/d/a.xy", c.sheet);
      ADD_FAILURE() << c.name << ": no error";
    } catch (const RuntimeError& e) {
      EXPECT_STREQ(e.what(), c.message) << c.name;
    }
  }
}

struct BuildRig {
  Model model;
  test::FakePrompts prompts;
  test::FakeAbort abort;

  XYBuild build(const XYSheet& sheet, std::int16_t kind, float a = 1.42f)
  {
    model.structureKind = kind;
    const XYScale scale = checkXYSheet("/d/a.xy", sheet);
    return buildFromXYData(model, sheet, scale, {7, 3, 25.0f, a}, prompts, abort);
  }
};

// Three points 2 apart at a bond length of 1.42: scale 0.71, window
// 1.4058 .. 2.1726, width 2.84 + 1.42 × 0.866025.
TEST(XYImportTest, threePointsMakeASheetAndARing)
{
  const XYSheet line = sheetOf({{0, 0}, {2, 0}, {4, 0}});
  BuildRig rig;
  const XYBuild sheet = rig.build(line, 2);
  EXPECT_NEAR(sheet.lower, 1.4058, 1e-6);
  EXPECT_NEAR(sheet.upper, 2.1726, 1e-6);
  EXPECT_NEAR(sheet.width, 4.0697556, 1e-6);
  EXPECT_NEAR(sheet.diameter, 1.2954434, 1e-6);
  const float xs[] = {0.0f, 1.42f, 2.84f};
  ASSERT_EQ(rig.model.sheetCount, 3);
  for (int i = 0; i < 3; ++i) {
    EXPECT_NEAR(rig.model.sheetX[i], xs[i], 1e-5) << i;
    EXPECT_EQ(rig.model.sheetZ[i], 0.0f) << i;
    EXPECT_EQ(rig.model.sheetType[i], 3) << i;
  }
  EXPECT_EQ(rig.model.bondCount, 2);
  EXPECT_FLOAT_EQ(rig.model.bondLength, 1.42f);
  EXPECT_EQ(rig.model.tubeN, 7);
  EXPECT_EQ(rig.model.tubeM, 3);
  EXPECT_FLOAT_EQ(rig.model.tubeLength, 25.0f);
  EXPECT_FLOAT_EQ(rig.model.lastSheetWidth, 4.0697556f);
  EXPECT_FLOAT_EQ(rig.model.lastTubeDiameter, 1.2954434f);
  EXPECT_FLOAT_EQ(rig.model.tubeDiameter, 1.2954434f);
  EXPECT_FLOAT_EQ(rig.model.lastTubeRadius, 0.6477217f);

  BuildRig tube;
  tube.build(line, 1);
  ASSERT_EQ(tube.model.atomCount, 3);
  for (int i = 0; i < 3; ++i)
    EXPECT_NEAR(std::hypot(tube.model.atomX[i], tube.model.atomY[i]), 0.6477217, 1e-4) << i;
  EXPECT_NEAR(tube.model.atomX[0], 0.6477217, 1e-6);
  EXPECT_EQ(tube.model.atomY[0], 0.0f);
  EXPECT_TRUE(tube.prompts.calls.empty());
}

// Every set ends as long as its count, whatever the model held before.
TEST(XYImportTest, setsAreSizedToTheirCounts)
{
  BuildRig rig;
  rig.model.redimAtomSet(AtomSetId::Atom, 99);
  rig.model.redimAtomSet(AtomSetId::Sheet, 99);
  rig.model.redimAtomSet(AtomSetId::Work, 99);
  rig.model.atomCount = rig.model.sheetCount = rig.model.workCount = 100;
  rig.build(sheetOf({{0, 0}, {1, 0}, {0.5f, 0.8f}, {1.5f, 0.8f}}), 1);
  for (AtomSetId id : {AtomSetId::Atom, AtomSetId::Sheet, AtomSetId::Work}) {
    const AtomSetRef set = rig.model.atomSet(id);
    EXPECT_EQ(set.count, 4);
    for (const auto* v : {&set.x, &set.y, &set.z})
      EXPECT_EQ(v->size(), 4u);
    EXPECT_EQ(set.type.size(), 4u);
  }
}

// The flat sheet of the (10,0) tube without its seam column (the atoms that
// repeat x = 0 one circumference on), in tenths of an ångström: rolled, it
// closes into the tube itself.
TEST(XYImportTest, tubeSheetRollsBackIntoItsTube)
{
  test::FakePrompts prompts;
  test::FakeAbort abort;
  Model built;
  built.structureKind = 1;
  buildTubes(built, 10, 0, 25.0f, 1.421f, prompts, abort);
  const float seam = tubeSizes(10, 0, 1.421f).circumference - 0.5f;
  XYSheet sheet;
  for (std::int32_t i = 0; i < built.sheetCount; ++i) {
    if (built.sheetX[i] > seam)
      continue;
    sheet.x.push_back(built.sheetX[i] * 10.0f);
    sheet.y.push_back(built.sheetY[i] * 10.0f);
  }
  BuildRig tube;
  const XYBuild rolled = tube.build(sheet, 1, 1.421f);
  EXPECT_EQ(tube.model.atomCount, 240);
  EXPECT_NEAR(rolled.diameter, 7.834, 5e-4);
  EXPECT_NEAR(rolled.width, 24.612, 5e-4);
  EXPECT_EQ(tube.model.bondCount, 340);
  BuildRig flat;
  flat.build(sheet, 2, 1.421f);
  EXPECT_EQ(flat.model.bondCount, 329);
}

} // namespace
} // namespace tarvek
