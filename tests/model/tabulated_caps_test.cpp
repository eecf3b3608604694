#include "model/tabulated_caps.h"

#include "built_tube.h"

#include "model/cap_tables.h"
#include "model/model.h"
#include "model/tube_builder.h"
#include "runtime/number_parse.h"
#include "runtime/split.h"
#include "support/fake_abort.h"
#include "support/fake_prompts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <span>
#include <string>
#include <vector>

namespace tarvek {
namespace {

constexpr float kA = 1.42f;

struct Build {
  Model model;
  int beeps = 0;
};

Build capped(std::int16_t code, float length, std::int16_t ends = 0, float a = kA)
{
  Build b;
  b.model.structureKind = 1;
  b.model.tubeVariant = code;
  b.model.capEnds = ends;
  test::FakePrompts prompts;
  test::FakeAbort abort;
  buildTubes(b.model, 1, 0, length, a, prompts, abort);
  b.beeps = prompts.beeps;
  return b;
}

CapTable stored(std::span<const std::string_view> lines)
{
  CapTable t;
  for (const std::string_view line : lines) {
    const auto f = splitSpaces(line);
    t.push_back({static_cast<float>(Val(f[0])), static_cast<float>(Val(f[1])),
                 static_cast<float>(Val(f[2]))});
  }
  return t;
}

double rowDistance(const CapRow& p, const CapRow& q)
{
  return std::hypot(static_cast<double>(p[0]) - q[0], static_cast<double>(p[1]) - q[1],
                    static_cast<double>(p[2]) - q[2]);
}

double smallestDistance(const CapTable& t, std::size_t iEnd, std::size_t jEnd)
{
  double best = 1e9;
  for (std::size_t i = 0; i < iEnd; ++i)
    for (std::size_t j = i + 1; j < jEnd; ++j)
      best = std::min(best, rowDistance(t[i], t[j]));
  return best;
}

float zRange(const CapTable& t)
{
  const auto [lo, hi] = std::minmax_element(t.begin(), t.end(), [](const CapRow& p,
                                                                    const CapRow& q) {
    return p[2] < q[2];
  });
  return (*hi)[2] - (*lo)[2];
}

// The stored tables' sizes and the fit of the (6,6) and (10,0) caps.
TEST(TabulatedCapsTest, scaleOfTheStoredCaps)
{
  const CapTable c66 = stored(kCap66Lines);
  EXPECT_NEAR(smallestDistance(c66, 24, 24), 1.40192, 1e-5);
  EXPECT_NEAR(zRange(c66), 1.20955, 1e-5);
  const CapTable n66 = normalisedCap(66, kA, 0.0f);
  EXPECT_NEAR(kA / smallestDistance(c66, 24, 24), 1.01290, 1e-5);
  EXPECT_NEAR(zRange(n66), 1.22515, 1e-5);
  EXPECT_NEAR(smallestDistance(n66, 24, 24), kA, 1e-5);
  // Not moved in x or y.
  EXPECT_NEAR(n66[0][0], c66[0][0] * 1.01290, 1e-4);

  const CapTable c100 = stored(kCap100Lines);
  EXPECT_NEAR(smallestDistance(c100, 19, 9), 1.41246, 1e-5);
  EXPECT_NEAR(smallestDistance(c100, 20, 20), 1.41246, 1e-5);
  EXPECT_NEAR(zRange(c100), 1.35244, 1e-5);
  const CapTable n100 = normalisedCap(100, kA, 0.0f);
  // Heights below the rim: the stored rim row 7 is at 0, all others above.
  EXPECT_EQ(n100[7][2], 0.0f);
  for (const CapRow& p : n100)
    EXPECT_GE(p[2], 0.0f);
  EXPECT_NEAR(zRange(n100), 1.35244 * kA / 1.41246, 1e-4);
}

// Our generated tables: sizes, rims and centring, so the builders' fit
// (mean of x, y on the axis, rim radius) holds.
TEST(TabulatedCapsTest, generatedTablesHaveTheirShape)
{
  const struct {
    std::span<const std::string_view> lines;
    std::size_t rows, rim;
  } cases[] = {{kCap1010Lines, 110, 20},
               {kCap1111Lines, 118, 22},
               {kCap1616Lines, 250, 32},
               {kCap190Lines, 109, 19},
               {kCap280Lines, 250, 28}};
  for (const auto& c : cases) {
    const CapTable t = stored(c.lines);
    ASSERT_EQ(t.size(), c.rows);
    float low = t[0][2];
    for (const CapRow& p : t)
      low = std::min(low, p[2]);
    double mx = 0, my = 0, rx = 0, ry = 0;
    std::size_t rim = 0;
    for (std::size_t i = 0; i < t.size(); ++i) {
      mx += t[i][0];
      my += t[i][1];
      if (i > 0) {
        EXPECT_LE(t[i][2], t[i - 1][2]) << c.rows << ": rows by falling z";
      }
      if (t[i][2] == low) {
        ++rim;
        rx += t[i][0];
        ry += t[i][1];
      }
    }
    EXPECT_EQ(rim, c.rim) << c.rows;
    EXPECT_NEAR(mx / c.rows, rx / rim, 1e-3) << c.rows;
    EXPECT_NEAR(my / c.rows, ry / rim, 1e-3) << c.rows;
  }
}

// Placed before the contact checks, every rim atom is clearly in contact
// with an end-ring atom or clearly not, on tubes of odd and even ring
// counts, at both ends.
TEST(TabulatedCapsTest, rimContactsStayClearOfTheThreshold)
{
  const struct {
    std::int16_t code;
    int n;
    float firstTurn;
  } cases[] = {{1010, 10, 18.0f}, {1111, 11, 6.0f}};
  for (const auto& c : cases)
    for (const float length : {0.0f, 1.0f, 20.0f, 25.0f}) {
      const Model tube = test::builtTube(c.n, c.n, length, kA);
      CapTable cap = normalisedCap(c.code, kA, tube.tubeDiameter);
      const auto rows = static_cast<std::int32_t>(cap.size());
      rotateCapAtoms(3, c.firstTurn, cap, rows);
      const Extent t = atomExtent(tube, tube.atomCount);
      for (const bool upper : {false, true})
        for (const CapRow& p : cap) {
          if (p[2] != 0.0f)
            continue;
          const CapRow placed = {p[0], p[1], upper ? t.hi[2] : t.lo[2]};
          double nearest = 1e9;
          for (std::int32_t i = 0; i < tube.atomCount; ++i)
            nearest = std::min(nearest, rowDistance(placed, {tube.atomX[i], tube.atomY[i],
                                                             tube.atomZ[i]}));
          EXPECT_TRUE(nearest >= 0.52 * kA || nearest <= 0.3 * kA)
              << c.code << " length " << length << (upper ? " upper" : " lower") << ": "
              << nearest / kA << " a";
        }
    }
}

// The (10,0) upper turn counts every close pair: 10 to 20 pairs leave the
// cap, 9 or 21 turn it.
TEST(TabulatedCapsTest, upperTurnOf10_0CountsPairs)
{
  for (const std::int32_t pairs : {9, 10, 20, 21}) {
    Model tube;
    tube.bondLength = kA;
    tube.tubeLength = 10.0f;
    CapTable cap;
    for (std::int32_t k = 0; k < pairs; ++k) {
      const float x = 5.0f * static_cast<float>(k);
      appendCap(tube, {{x, 0.0f, 10.0f}}, 1, 3);
      cap.push_back({x, 0.0f, 10.5f});
    }
    // Atoms below tubeLength - a are not counted.
    appendCap(tube, {{-20.0f, 0.0f, 8.5f}, {-20.0f, 0.0f, 8.0f}}, 2, 3);
    cap.push_back({-20.0f, 0.0f, 8.2f});
    CapTable turned = cap;
    upperTurn100(tube, tube.atomCount, turned, static_cast<std::int32_t>(cap.size()));
    EXPECT_EQ(turned != cap, pairs < 10 || pairs > 20) << pairs << " pairs";
  }
}

// capEnds: 0 both caps, 1 the lower, 2 the upper; tubeLength is the tube's
// own extent whatever the ends; one beep for every (10,0) build.
TEST(TabulatedCapsTest, capEndsCountsLengthsAndBeeps)
{
  const struct {
    std::int16_t code;
    std::int32_t atoms[3];
    float length;
  } cases[] = {
      {55, {260, 240, 230}, 24.5951f},    {66, {300, 276, 276}, 24.5951f},
      {100, {260, 250, 250}, 24.85f},     {90, {258, 219, 237}, 17 * kA},
      {1010, {640, 530, 530}, 24.5951f},  {1111, {698, 580, 580}, 24.5951f},
      {1616, {1172, 922, 922}, 24.5951f}, {190, {636, 527, 527}, 22.01f},
      {280, {1116, 866, 866}, 22.01f},
  };
  for (const auto& c : cases)
    for (std::int16_t ends = 0; ends < 3; ++ends) {
      const Build b = capped(c.code, 25.0f, ends);
      EXPECT_EQ(b.model.atomCount, c.atoms[ends]) << c.code << " ends " << ends;
      EXPECT_NEAR(b.model.tubeLength, c.length, 1e-3) << c.code << " ends " << ends;
      EXPECT_EQ(b.beeps, c.code == 100 ? 1 : 0) << c.code << " ends " << ends;
      EXPECT_EQ(b.model.atomX.size(), static_cast<std::size_t>(b.model.atomCount));
    }
  // (9,0) keeps at least three bond lengths.
  EXPECT_FLOAT_EQ(capped(90, 1.0f).model.tubeLength, 3.0f * kA);
}

// Cap atom types with a two-kind material: (11,11) marks its lower cap 1
// and upper cap 2, (10,0) ends all carbon, the others add carbon; the tube
// keeps its own kinds.
TEST(TabulatedCapsTest, typesOfTheCapAtoms)
{
  const struct {
    std::int16_t code;
    std::int32_t capRows;
  } cases[] = {{55, 40},    {66, 24},    {90, 39},    {100, 10}, {1010, 110},
               {1111, 118}, {1616, 250}, {190, 109}, {280, 250}};
  for (const auto& c : cases) {
    Model m;
    m.structureKind = 1;
    m.tubeVariant = c.code;
    m.materialIndex = 1;
    test::FakePrompts prompts;
    test::FakeAbort abort;
    buildTubes(m, 1, 0, 25.0f, kA, prompts, abort);
    const std::int32_t firstCap = m.atomCount - 2 * c.capRows;
    for (std::int32_t i = 0; i < m.atomCount; ++i) {
      std::int16_t want = 3;
      if (c.code == 1111 && i >= firstCap)
        want = i < firstCap + c.capRows ? 1 : 2;
      if (c.code != 100 && i < firstCap)
        EXPECT_TRUE(m.atomType[i] == 1 || m.atomType[i] == 2) << c.code << " tube atom " << i;
      else
        EXPECT_EQ(m.atomType[i], want) << c.code << " atom " << i;
    }
  }
  // The (11,11) tube atoms keep their order and kinds.
  Model m;
  m.structureKind = 1;
  m.tubeVariant = 1111;
  m.materialIndex = 1;
  test::FakePrompts prompts;
  test::FakeAbort abort;
  buildTubes(m, 1, 0, 25.0f, kA, prompts, abort);
  Model plain;
  plain.structureKind = 1;
  plain.materialIndex = 1;
  buildTubes(plain, 11, 11, 25.0f, kA, prompts, abort);
  ASSERT_EQ(m.atomCount, plain.atomCount + 236);
  for (std::int32_t i = 0; i < plain.atomCount; ++i)
    ASSERT_EQ(m.atomType[i], plain.atomType[i]) << "atom " << i;
}

// A zigzag preset drops the lone atoms that end its tube (one bond each)
// and keeps every other atom of the plain tube, moved to start at z = 0;
// each rim atom of its caps lies one bond straight beyond an end atom.
TEST(TabulatedCapsTest, zigzagPresetsDropLoneEndAtoms)
{
  const struct {
    std::int16_t code;
    int n;
    std::int32_t capRows;
  } cases[] = {{190, 19, 109}, {280, 28, 250}};
  for (const auto& c : cases)
    for (const float length : {10.0f, 10.5f}) {
      const Model plain = test::builtTube(c.n, 0, length, kA);
      std::vector<CapRow> kept;
      for (std::int32_t i = 0; i < plain.atomCount; ++i) {
        int near = 0;
        for (std::int32_t j = 0; j < plain.atomCount; ++j)
          near += j != i && rowDistance({plain.atomX[i], plain.atomY[i], plain.atomZ[i]},
                                        {plain.atomX[j], plain.atomY[j], plain.atomZ[j]}) <
                                1.1 * kA
                      ? 1
                      : 0;
        if (near > 1)
          kept.push_back({plain.atomX[i], plain.atomY[i], plain.atomZ[i]});
      }
      const Build b = capped(c.code, length);
      const Model& m = b.model;
      const std::int32_t tubeAtoms = m.atomCount - 2 * c.capRows;
      ASSERT_EQ(tubeAtoms, static_cast<std::int32_t>(kept.size())) << c.code << " " << length;
      const float shift = kept.front()[2] - m.atomZ[0];
      for (std::int32_t i = 0; i < tubeAtoms; ++i) {
        EXPECT_EQ(m.atomX[i], kept[i][0]) << c.code << " atom " << i;
        EXPECT_NEAR(m.atomZ[i] + shift, kept[i][2], 1e-4) << c.code << " atom " << i;
      }
      EXPECT_NEAR(shift, kA, 1e-4) << c.code << " " << length;
      for (const bool upper : {false, true}) {
        const std::int32_t first = tubeAtoms + (upper ? c.capRows : 0);
        const float end = upper ? m.tubeLength : 0.0f;
        const float rimZ = upper ? end + kA : end - kA;
        int rim = 0;
        for (std::int32_t r = first; r < first + c.capRows; ++r) {
          if (std::fabs(m.atomZ[r] - rimZ) > 1e-3f)
            continue;
          ++rim;
          double nearest = 1e9;
          for (std::int32_t i = 0; i < tubeAtoms; ++i)
            nearest = std::min(nearest, rowDistance({m.atomX[r], m.atomY[r], m.atomZ[r]},
                                                    {m.atomX[i], m.atomY[i], m.atomZ[i]}));
          EXPECT_NEAR(nearest, kA, 1e-3) << c.code << (upper ? " upper" : " lower") << " row " << r;
        }
        EXPECT_EQ(rim, c.n) << c.code << (upper ? " upper" : " lower");
      }
    }
}

} // namespace
} // namespace tarvek
