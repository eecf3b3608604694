#include "model/bond_search.h"

#include "model/bond_rows.h"
#include "model/brute_force_bonds.h"
#include "model/built_tube.h"
#include "model/c60_builder.h"
#include "model/cone_builder.h"
#include "model/model.h"
#include "runtime/random_source.h"
#include "support/fake_abort.h"
#include "support/fake_prompts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace tarvek {
namespace {

using test::BondPairs;
using test::FakeAbort;
using test::FakePrompts;
using test::PairLoop;

constexpr float kBond = 1.42f;
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInf = std::numeric_limits<float>::infinity();

struct Point {
  float x, y, z;
  std::int16_t type = 3;
};

void fill(Model& model, AtomSetId set, const std::vector<Point>& points)
{
  AtomSetRef s = model.atomSet(set);
  s.x.clear();
  s.y.clear();
  s.z.clear();
  s.type.clear();
  for (const Point& p : points) {
    s.x.push_back(p.x);
    s.y.push_back(p.y);
    s.z.push_back(p.z);
    s.type.push_back(p.type);
  }
  s.count = static_cast<std::int32_t>(points.size());
}

PairLoop loopOver(Model& model, AtomSetId set, bool useTypes, std::int32_t first = 0)
{
  AtomSetRef s = model.atomSet(set);
  return {s.x.data(), s.y.data(), s.z.data(), useTypes ? s.type.data() : nullptr, first, s.count};
}

// The model's bond list against the expected pairs, naming the first difference.
testing::AssertionResult hasBonds(const Model& model, const BondPairs& expected)
{
  if (model.bondAtom1.size() != static_cast<std::size_t>(model.bondCount)
      || model.bondAtom2.size() != static_cast<std::size_t>(model.bondCount))
    return testing::AssertionFailure() << "bond arrays are not " << model.bondCount << " long";
  if (static_cast<std::size_t>(model.bondCount) != expected.size())
    return testing::AssertionFailure()
           << model.bondCount << " bonds, expected " << expected.size();
  for (std::size_t k = 0; k < expected.size(); ++k)
    if (model.bondAtom1[k] != expected[k].first || model.bondAtom2[k] != expected[k].second)
      return testing::AssertionFailure()
             << "bond " << k << " is (" << model.bondAtom1[k] << ", " << model.bondAtom2[k]
             << "), expected (" << expected[k].first << ", " << expected[k].second << ")";
  return testing::AssertionSuccess();
}

// Pairs placed exactly at a bound (dx = bound, dy = dz = 0, so the float
// distance is the bound itself) and one float step outside it.
std::vector<Point> boundProbes(float lower, float upper, float y)
{
  std::vector<Point> out;
  auto pair = [&](float d) {
    out.push_back({0.0f, y, 0.0f});
    out.push_back({d, y, 0.0f});
    y += 100.0f;
  };
  pair(lower);
  pair(upper);
  pair(std::nextafter(lower, -kInf));
  pair(std::nextafter(upper, kInf));
  return out;
}

// Each case of the window table, checked on probes at its expected bounds.
TEST(BondSearchTest, windowPrecedenceFollowsUserLimitsArgumentsFlagsDefault)
{
  const float a = 1.42f;
  auto f = [a](double k) { return static_cast<float>(k * a); };
  struct Case {
    const char* name;
    std::int16_t tubeVariant;
    std::int16_t wide;
    float lowerArg, upperArg;
    bool user;
    float lower, upper;
  };
  const Case cases[] = {
      {"default", 0, 0, 0, 0, false, f(0.95), f(1.05)},
      {"capped 55", 55, 0, 0, 0, false, f(0.7), f(1.3)},
      {"capped 1616", 1616, 0, 0, 0, false, f(0.7), f(1.3)},
      {"variant 8 is no cap", 8, 0, 0, 0, false, f(0.95), f(1.05)},
      {"wide", 0, 1, 0, 0, false, f(0.7), f(1.4)},
      {"wide beats capped", 90, 2, 0, 0, false, f(0.7), f(1.4)},
      {"both arguments", 90, 1, 0.9f, 1.9f, false, 0.9f, 1.9f},
      {"lower argument only", 0, 0, 0.9f, 0, false, 0.9f, f(1.05)},
      {"upper argument only", 0, 1, 0, 1.9f, false, f(0.7), 1.9f},
      {"negative lower argument", 0, 0, -0.5f, 0, false, -0.5f, f(1.05)},
      {"user limits beat all", 55, 1, 0.9f, 1.9f, true, 1.0f, 2.0f},
  };
  for (const Case& c : cases) {
    Model model;
    model.structureKind = 1;
    model.bondLength = a;
    model.tubeVariant = c.tubeVariant;
    model.wideBondWindow = c.wide;
    model.useUserBondLimits = c.user;
    model.userBondMin = 1.0f;
    model.userBondMax = 2.0f;
    // A negative lower bound cannot be probed by a distance; a duplicate
    // atom (distance 0) must then bond.
    const float lowProbe = c.lower < 0 ? 0.0f : c.lower;
    auto points = boundProbes(lowProbe, c.upper, 0.0f);
    fill(model, AtomSetId::Atom, points);
    FakePrompts prompts;
    FakeAbort abort;
    createBonds(model, c.lowerArg, c.upperArg, prompts, abort);
    BondPairs expected = {{0, 1}, {2, 3}};
    if (c.lower < 0)
      expected.emplace_back(4, 5);
    EXPECT_TRUE(hasBonds(model, expected)) << c.name;
  }
}

TEST(BondSearchTest, setChoiceFollowsStructureKind)
{
  const float a = 1.42f;
  // A straight chain at exactly a.
  auto chain = [a](int n, std::int16_t type) {
    std::vector<Point> out;
    for (int i = 0; i < n; ++i)
      out.push_back({static_cast<float>(i) * a, 0.0f, 0.0f, type});
    return out;
  };
  FakePrompts prompts;
  FakeAbort abort;

  // Sheet kinds search the sheet set and ignore its types.
  for (const std::int16_t kind : {2, 4}) {
    Model model;
    model.bondLength = a;
    model.structureKind = kind;
    fill(model, AtomSetId::Sheet, chain(3, 0));
    fill(model, AtomSetId::Atom, chain(5, 3));
    createBonds(model, 0, 0, prompts, abort);
    EXPECT_TRUE(hasBonds(model, {{0, 1}, {1, 2}})) << "kind " << kind;
  }

  // Other kinds search the atom set, where types 0 and -2 take no part.
  {
    Model model;
    model.bondLength = a;
    model.structureKind = 1;
    auto atoms = chain(6, 3);
    atoms[1].type = 0;
    atoms[4].type = -2;
    fill(model, AtomSetId::Atom, atoms);
    fill(model, AtomSetId::Sheet, chain(4, 3));
    createBonds(model, 0, 0, prompts, abort);
    EXPECT_TRUE(hasBonds(model, {{2, 3}})) << "kind 1";
  }

  // The cage kind leaves its first twelve atoms out.
  {
    Model model;
    model.bondLength = a;
    model.structureKind = 8;
    fill(model, AtomSetId::Atom, chain(16, 3));
    createBonds(model, 0, 0, prompts, abort);
    EXPECT_TRUE(hasBonds(model, {{12, 13}, {13, 14}, {14, 15}})) << "kind 8";
  }
  EXPECT_TRUE(prompts.calls.empty());
}

// n atoms at graphite density; from 500 atoms on, the last ones are hostile:
// duplicates, pairs at exactly the given bounds and a float step beyond them,
// far outliers, NaN and infinite coordinates, and types <= 0 mixed in.
std::vector<Point> randomSet(int n, std::uint32_t seed, const std::vector<float>& bounds,
                             bool hostileAtoms = true)
{
  RandomSource random(seed);
  const bool odd = hostileAtoms && n >= 500;
  std::vector<Point> hostile;
  if (odd) {
    float y = -500.0f;
    for (const float b : bounds) {
      hostile.push_back({0.0f, y, -40.0f});
      hostile.push_back({b, y, -40.0f});
      hostile.push_back({0.0f, y + 10.0f, -40.0f});
      hostile.push_back({std::nextafter(b, kInf), y + 10.0f, -40.0f});
      // Slightly more than b apart, yet rounding to b: a grid exactly b
      // wide would put these two cells apart.
      hostile.push_back({-0x1p-30f, y + 15.0f, -40.0f});
      hostile.push_back({b, y + 15.0f, -40.0f});
      y += 20.0f;
    }
    hostile.push_back({1e6f, 1e6f, 1e6f});
    hostile.push_back({1e6f + 1.4375f, 1e6f, 1e6f});
    hostile.push_back({-3e9f, 2e9f, 0.0f});
    hostile.push_back({-3e9f, 2e9f, 0.0f});
    hostile.push_back({kNaN, 1.0f, 1.0f});
    hostile.push_back({1.0f, kNaN, 1.0f});
    hostile.push_back({kInf, 0.0f, 0.0f});
    hostile.push_back({kInf, 0.0f, 0.0f});
    hostile.push_back({-kInf, 1.0f, 1.0f, 1});
  }
  const double side = std::cbrt(n / 0.113);
  const std::int16_t types[] = {3, 3, 3, 1, 2, 0, -2};
  std::vector<Point> out;
  const int randomCount = n - static_cast<int>(hostile.size());
  for (int i = 0; i < randomCount; ++i) {
    const auto x = static_cast<float>(side * random.uniform());
    const auto y = static_cast<float>(side * random.uniform());
    const auto z = static_cast<float>(side * random.uniform());
    const auto t = odd ? types[static_cast<int>(random.uniform() * 7)] : std::int16_t{3};
    out.push_back({x, y, z, t});
    // Duplicates, now and then.
    if (odd && i % 97 == 5 && ++i < randomCount)
      out.push_back({x, y, z, 3});
  }
  out.insert(out.begin() + out.size() / 2, hostile.begin(), hostile.end());
  return out;
}

// The grid must return exactly what the pair loop returns, in the same
// order, whatever the window and however odd the atoms.
TEST(BondSearchTest, gridMatchesBruteForceOnRandomSets)
{
  const float a = 1.42f;
  struct Window {
    const char* name;
    bool user;
    float lower, upper;
  };
  const Window windows[] = {
      {"default at a = 1.42", false, static_cast<float>(0.95 * a), static_cast<float>(1.05 * a)},
      {"lower above upper", true, 2.0f, 1.0f},
      {"negative lower", true, -1.0f, 1.5f},
      {"tiny upper", true, 0.0f, 0.001f},
      {"upper 50 covers everything", true, 0.0f, 50.0f},
  };
  std::vector<float> bounds;
  for (const Window& w : windows) {
    bounds.push_back(w.lower);
    bounds.push_back(w.upper);
  }
  for (const int n : {0, 1, 2, 500, 3000}) {
    const auto points = randomSet(n, 1000u + static_cast<std::uint32_t>(n), bounds);
    ASSERT_EQ(points.size(), static_cast<std::size_t>(n));
    for (const Window& w : windows) {
      for (const std::int16_t kind : {7, 2, 8}) {
        Model model;
        model.bondLength = a;
        model.structureKind = kind;
        model.useUserBondLimits = w.user;
        model.userBondMin = w.lower;
        model.userBondMax = w.upper;
        const AtomSetId set = kind == 2 ? AtomSetId::Sheet : AtomSetId::Atom;
        fill(model, set, points);
        FakePrompts prompts;
        FakeAbort abort;
        const BondSearchEnd end = createBonds(model, 0, 0, prompts, abort);
        const std::int32_t first = kind == 8 ? 12 : 0;
        const PairLoop loop = loopOver(model, set, kind != 2, first);
        BondPairs expected = loop.bonds(w.lower, w.upper);
        // More than 16 bonds an atom is refused with an empty list.
        const bool crowded = expected.size() > 16 * static_cast<std::size_t>(std::max(n - first, 0));
        if (crowded)
          expected.clear();
        EXPECT_EQ(end, crowded ? BondSearchEnd::TooDense : BondSearchEnd::Complete)
            << n << " atoms, " << w.name << ", kind " << kind;
        EXPECT_TRUE(hasBonds(model, expected)) << n << " atoms, " << w.name << ", kind " << kind;
        EXPECT_EQ(model.lastBondCount, model.bondCount);
      }
    }
    // The simple search, directly and through its closest-pair retry (at
    // a = 0.05 no pair lies in the first window).
    for (const float findA : {1.42f, 0.05f}) {
      Model model;
      model.bondLength = findA;
      fill(model, AtomSetId::Atom, points);
      FakePrompts prompts;
      FakeAbort abort;
      findBonds(model, prompts, abort);
      const PairLoop loop = loopOver(model, AtomSetId::Atom, false);
      EXPECT_TRUE(hasBonds(model, loop.findBonds(findA)))
          << n << " atoms, findBonds at a = " << findA;
    }
  }
}

// Hollow structures leave most of their box empty, which the cell structure
// must not make a difference of: the builders' tube, capped tube, cone and
// C60 give the pair loop's bonds, in its order, in every window and through
// the simple search.
TEST(BondSearchTest, gridMatchesPairLoopOnHollowStructures)
{
  struct Fixture {
    const char* name;
    Model model;
  };
  std::vector<Fixture> fixtures;
  fixtures.push_back({"(20,20) tube", test::builtTube(20, 20, 70.0f, kBond)});
  fixtures.push_back({"(5,5) tube capped at both ends",
                      test::builtTube(5, 5, 40.0f, kBond, [](Model& m) { m.tubeVariant = 55; })});
  {
    Model cone;
    cone.structureKind = 3;
    buildCone(cone, 60.0f, 40.0f, kBond, 0.0f);
    fixtures.push_back({"60° cone", cone});
  }
  {
    Model ball;
    ball.structureKind = 5;
    buildC60(ball);
    fixtures.push_back({"C60", ball});
  }
  for (Fixture& f : fixtures) {
    Model& model = f.model;
    model.bondLength = kBond;
    ASSERT_GT(model.atomCount, 50) << f.name;
    const PairLoop loop = loopOver(model, AtomSetId::Atom, true);
    for (const auto& [lower, upper] :
         {std::pair{0.95f * kBond, 1.05f * kBond}, std::pair{0.7f * kBond, 1.4f * kBond},
          std::pair{0.0f, 3.0f * kBond}}) {
      model.useUserBondLimits = true;
      model.userBondMin = lower;
      model.userBondMax = upper;
      FakePrompts prompts;
      prompts.answerYesNo(true);
      FakeAbort abort;
      createBonds(model, 0, 0, prompts, abort);
      EXPECT_TRUE(hasBonds(model, loop.bonds(lower, upper)))
          << f.name << ", window " << lower << " to " << upper;
    }
    model.useUserBondLimits = false;
    FakePrompts prompts;
    FakeAbort abort;
    findBonds(model, prompts, abort);
    EXPECT_TRUE(hasBonds(model, loopOver(model, AtomSetId::Atom, false).findBonds(kBond)))
        << f.name << ", findBonds";
  }
}

// Bonded pairs at the far corners of a box millions of cells wide on every
// axis, around an ordinary cluster: far cells may merge, neighbours must not
// part.
TEST(BondSearchTest, farCornersOnEveryAxisKeepTheirBonds)
{
  std::vector<Point> points = randomSet(400, 31u, {}, false);
  const float far = 1.6e6f;
  for (const float corner : {-far, far}) {
    points.push_back({corner, corner, corner});
    points.push_back({corner + 1.375f, corner, corner});
    points.push_back({corner, corner - 1.375f, corner});
    points.push_back({corner, -corner, corner + 1.375f});
  }
  Model model;
  model.bondLength = kBond;
  model.structureKind = 7;
  fill(model, AtomSetId::Atom, points);
  FakePrompts prompts;
  FakeAbort abort;
  createBonds(model, 0, 0, prompts, abort);
  const BondPairs expected =
      loopOver(model, AtomSetId::Atom, true)
          .bonds(static_cast<float>(0.95 * kBond), static_cast<float>(1.05 * kBond));
  EXPECT_TRUE(hasBonds(model, expected));
  EXPECT_GE(expected.size(), 4u);
}

// The nearest non-zero distance on the grid equals the pair loop's, with
// duplicate points (distance 0) and non-finite ones among them.
TEST(BondSearchTest, closestNonZeroDistanceMatchesThePairLoop)
{
  // 501: 500 points and heaps of copies of the first 50 (one copy at -0).
  for (const int n : {0, 1, 2, 500, 501, 3000}) {
    auto points = randomSet(n, 4000u + static_cast<std::uint32_t>(n), {1.0f, 1.5f});
    if (n == 2)
      points[1] = points[0];
    if (n == 501) {
      points[500] = {-0.0f, 0.0f, 0.0f};
      points.push_back({0.0f, 0.0f, 0.0f});
      for (int copy = 0; copy < 20; ++copy)
        for (int i = 0; i < 50; ++i)
          points.push_back(points[static_cast<std::size_t>(i)]);
    }
    std::vector<float> x, y, z;
    for (const Point& p : points) {
      x.push_back(p.x);
      y.push_back(p.y);
      z.push_back(p.z);
    }
    float expected = 999.0f;
    for (std::size_t i = 0; i < x.size(); ++i)
      for (std::size_t j = i + 1; j < x.size(); ++j) {
        const float d = PairLoop::distance(x[i], y[i], z[i], x[j], y[j], z[j]);
        if (d > 0.0f && d < expected)
          expected = d;
      }
    const std::optional<float> got = closestNonZeroDistance(x, y, z);
    if (expected < 999.0f) {
      ASSERT_TRUE(got.has_value()) << n << " points";
      EXPECT_EQ(*got, expected) << n << " points";
    } else {
      EXPECT_FALSE(got.has_value()) << n << " points";
    }
  }
}

// Without duplicates the retry centres on a real closest pair.
TEST(BondSearchTest, findBondsRetryMatchesBruteForceWithoutDuplicates)
{
  // The closest pair (2.0 Å) lies further apart in a fine grid than a
  // looser pair (2.2 Å) that the grid sees first.
  {
    Model model;
    model.bondLength = 1.0f;
    fill(model, AtomSetId::Atom, {{0, 0, 0}, {2.2f, 0, 0}, {10, 0, 0}, {12, 0, 0}});
    FakePrompts prompts;
    FakeAbort abort;
    findBonds(model, prompts, abort);
    EXPECT_TRUE(hasBonds(model, loopOver(model, AtomSetId::Atom, false).findBonds(1.0f)));
    EXPECT_TRUE(hasBonds(model, {{0, 1}, {2, 3}}));
  }
  for (const int n : {2, 50, 2000}) {
    Model model;
    model.bondLength = 0.01f;
    fill(model, AtomSetId::Atom, randomSet(n, 77u, {}, false));
    FakePrompts prompts;
    FakeAbort abort;
    findBonds(model, prompts, abort);
    const PairLoop loop = loopOver(model, AtomSetId::Atom, false);
    ASSERT_GT(loop.closest(), 0.0f);
    EXPECT_TRUE(hasBonds(model, loop.findBonds(0.01f))) << n << " atoms";
    EXPECT_GT(model.bondCount, 0) << n << " atoms";
  }
}

// An Escape ends the search after the row it was seen in, keeping the
// bonds of the rows before; a press before the search does not count.
TEST(BondSearchTest, escapeKeepsTheRowsBeforeTheStop)
{
  const auto points = randomSet(500, 5u, {}, false);
  for (const long r : {1L, 2L, 137L, 499L, 5000L}) {
    Model model;
    model.bondLength = 1.42f;
    model.structureKind = 7;
    model.lastBondCount = -1;
    fill(model, AtomSetId::Atom, points);
    FakePrompts prompts;
    FakeAbort abort(r);
    // Polls left over from an earlier loop: only a cleared token starts afresh.
    abort.pollsSinceClear = 100000;
    createBonds(model, 0, 0, prompts, abort);
    const PairLoop loop = loopOver(model, AtomSetId::Atom, true);
    const auto expected = loop.bonds(static_cast<float>(0.95 * 1.42f),
                                     static_cast<float>(1.05 * 1.42f), static_cast<int>(r));
    EXPECT_TRUE(hasBonds(model, expected)) << "createBonds, Escape at poll " << r;
    EXPECT_EQ(model.lastBondCount, static_cast<std::int32_t>(expected.size())) << r;
    EXPECT_EQ(abort.clears, 1);
    EXPECT_EQ(abort.polls, std::min(r, 499L)) << r;
  }

  // findBonds: an Escape in the first pass ends the whole search; one in the
  // retry pass keeps that pass's rows. C60 at a = 1.0 needs the retry.
  Model c60;
  buildC60(c60);
  c60.bondLength = 1.0f;
  const PairLoop loop = loopOver(c60, AtomSetId::Atom, false);
  const float dmin = loop.closest();
  for (const long r : {10L, 59L + 1L, 59L + 30L}) {
    Model model = c60;
    FakePrompts prompts;
    FakeAbort abort(r);
    findBonds(model, prompts, abort);
    const auto expected =
        r <= 59 ? BondPairs{}
                : loop.bonds(static_cast<float>(0.95 * dmin), static_cast<float>(1.1 * dmin),
                             static_cast<int>(r - 59));
    EXPECT_TRUE(hasBonds(model, expected)) << "findBonds, Escape at poll " << r;
    EXPECT_EQ(model.lastBondCount, static_cast<std::int32_t>(expected.size())) << r;
  }
}

std::vector<Point> lineOf(int n, float spacing)
{
  std::vector<Point> out;
  for (int i = 0; i < n; ++i)
    out.push_back({static_cast<float>(i) * spacing, 0.0f, 0.0f});
  return out;
}

// A million atoms are searched on several threads; the bonds must still
// come in row order, and an Escape still stop after a whole row. A shuffled
// chain (atom i at place[i] × 1.5 Å) has known bonds.
TEST(BondSearchTest, millionsOfAtomsKeepRowOrder)
{
  const int n = 1100000;
  std::vector<std::int32_t> place(n);
  for (int i = 0; i < n; ++i)
    place[i] = i;
  RandomSource random(3);
  for (int i = n - 1; i > 0; --i)
    std::swap(place[i], place[static_cast<int>(random.uniform() * (i + 1))]);
  std::vector<std::int32_t> atAt(n);
  for (int i = 0; i < n; ++i)
    atAt[place[i]] = i;
  std::vector<Point> chain;
  for (int i = 0; i < n; ++i)
    chain.push_back({static_cast<float>(place[i]) * 1.5f, 0.0f, 0.0f});
  auto expected = [&](int rowEnd) {
    BondPairs out;
    for (int i = 0; i < rowEnd && i < n - 1; ++i) {
      int a = place[i] > 0 ? atAt[place[i] - 1] : -1;
      int b = place[i] < n - 1 ? atAt[place[i] + 1] : -1;
      if (a > b)
        std::swap(a, b);
      for (const int j : {a, b})
        if (j > i)
          out.emplace_back(i, j);
    }
    return out;
  };

  // Escape is also polled while pairs are collected, so a press at poll
  // 2^20 + 2000 stops a little before row 2^20 + 2000: the list is then the
  // bonds of the rows up to that one, in order.
  const BondPairs all = expected(n);
  const std::size_t firstRows = expected(1 << 20).size();
  for (const long r : {(1L << 20) + 2000L, 5000000L}) {
    Model model;
    model.bondLength = 1.5f;
    model.structureKind = 7;
    fill(model, AtomSetId::Atom, chain);
    FakePrompts prompts;
    prompts.answerYesNo(true);
    FakeAbort abort(r);
    createBonds(model, 0, 0, prompts, abort);
    const auto count = static_cast<std::size_t>(model.bondCount);
    ASSERT_GT(count, firstRows) << "Escape at poll " << r;
    const int lastRow = model.bondAtom1[count - 1];
    ASSERT_TRUE(count == all.size() || all[count].first != lastRow) << "stopped inside a row";
    EXPECT_TRUE(hasBonds(model, expected(lastRow + 1))) << "Escape at poll " << r;
    EXPECT_EQ(count == all.size(), r > n) << "Escape at poll " << r;
  }
}

// A graphene sheet of n atoms laid out as a wide tube lays it: rows of
// 4-atom cells across 20 cells, row after row along y.
std::vector<Point> grapheneSheet(int n)
{
  const double s3 = std::sqrt(3.0);
  const double cellX[4] = {0, s3 / 2 * kBond, 0, s3 / 2 * kBond};
  const double cellY[4] = {0, 1.5 * kBond, kBond, 2.5 * kBond};
  std::vector<Point> out;
  for (int row = 0; static_cast<int>(out.size()) < n; ++row)
    for (int col = 0; col < 20; ++col)
      for (int k = 0; k < 4 && static_cast<int>(out.size()) < n; ++k)
        out.push_back({static_cast<float>(s3 * col * kBond + cellX[k]),
                       static_cast<float>(3.0 * row * kBond + cellY[k]), 0.0f});
  return out;
}

// A cubic lattice of 14^3 points 1 Å apart: searched for its (2, 2, 0)
// neighbours (2.82 to 2.84 Å) it looks at some hundred pairs an atom to
// find six.
std::vector<Point> cubicLattice()
{
  std::vector<Point> lattice;
  for (int i = 0; i < 14; ++i)
    for (int j = 0; j < 14; ++j)
      for (int k = 0; k < 14; ++k)
        lattice.push_back({static_cast<float>(i), static_cast<float>(j), static_cast<float>(k)});
  return lattice;
}

// One search of the atom set on the given number of threads.
struct RowsRun {
  BondSearchEnd end;
  BondPairs bonds;
};

RowsRun searchOnThreads(Model& model, std::int32_t first, bool useTypes, float lower, float upper,
                        unsigned threads, AbortToken& abort)
{
  const SearchSet set{model.atomX.data(), model.atomY.data(), model.atomZ.data(),
                      useTypes ? model.atomType.data() : nullptr, first, model.atomCount};
  BigVector<std::int32_t> atom1{7};
  BigVector<std::int32_t> atom2{9};
  RowsRun run{searchBondRows(set, lower, upper, threads, abort, atom1, atom2), {}};
  EXPECT_EQ(atom1.size(), atom2.size());
  for (std::size_t k = 0; k < atom1.size() && k < atom2.size(); ++k)
    run.bonds.emplace_back(atom1[k], atom2[k]);
  return run;
}

// However many threads collect the pairs, the list is the pair loop's, in
// its order: across flat, hollow, crowded and hostile sets, on straight
// and on listed rows (outliers and diagonals make a box too wide to index),
// from row 12 as for a cage, and with an infinite reach.
TEST(BondSearchTest, threadedSearchMatchesThePairLoop)
{
  const float lower = 0.95f * kBond;
  const float upper = 1.05f * kBond;
  struct Case {
    const char* name;
    std::vector<Point> points;
    std::int32_t first;
    bool useTypes;
    float lower, upper;
  };
  std::vector<Case> cases;
  cases.push_back({"sheet", grapheneSheet(3000), 0, false, lower, upper});
  cases.push_back({"cloud with duplicates, NaNs and outliers",
                   randomSet(3000, 21u, {lower, upper}), 0, true, lower, upper});
  cases.push_back({"cloud, wide window", randomSet(2000, 22u, {}, false), 0, true, 0.5f, 2.5f});
  {
    const Model tube = test::builtTube(20, 20, 70.0f, kBond);
    std::vector<Point> points;
    for (std::int32_t i = 0; i < tube.atomCount; ++i)
      points.push_back({tube.atomX[i], tube.atomY[i], tube.atomZ[i], tube.atomType[i]});
    cases.push_back({"(20,20) tube", points, 0, true, 0.7f * kBond, 1.3f * kBond});
  }
  cases.push_back(
      {"cage rows from 12", randomSet(800, 23u, {lower, upper}), 12, true, lower, upper});
  {
    std::vector<Point> diagonal;
    const float step = kBond / std::sqrt(3.0f);
    for (int i = 0; i < 1500; ++i)
      diagonal.push_back({step * static_cast<float>(i), step * static_cast<float>(i),
                          -step * static_cast<float>(i)});
    cases.push_back({"diagonal chain", diagonal, 0, false, lower, upper});
  }
  {
    std::vector<Point> clusters;
    RandomSource random(12);
    for (int c = 0; c < 2; ++c)
      for (int i = 0; i < 300; ++i)
        clusters.push_back(
            {kBond * static_cast<float>(c) + 0.001f * static_cast<float>(random.uniform()),
             0.001f * static_cast<float>(random.uniform()), 0.0f});
    cases.push_back({"crowded clusters", clusters, 0, false, lower, upper});
  }
  cases.push_back(
      {"heap at one place", std::vector<Point>(1500, Point{1, 2, 3}), 0, false, 0.0f, 1.0f});
  cases.push_back({"infinite reach",
                   {{0, 0, 0}, {1, 0, 0}, {kInf, 0, 0}, {kInf, 0, 0}, {-kInf, 1, 1},
                    {kNaN, 1, 1}, {1, kNaN, 1}, {3e38f, 0, 0}, {-3e38f, 0, 0}, {5, 5, 5},
                    {5, 5, 5}, {0, 0, 0.5f}},
                   0, true, 1.0f, kInf});
  cases.push_back({"two atoms", lineOf(2, kBond), 0, false, lower, upper});
  cases.push_back({"one atom", lineOf(1, kBond), 0, false, lower, upper});

  for (const Case& c : cases) {
    Model model;
    fill(model, AtomSetId::Atom, c.points);
    BondPairs expected =
        loopOver(model, AtomSetId::Atom, c.useTypes, c.first).bonds(c.lower, c.upper);
    const auto rows = static_cast<std::size_t>(std::max(model.atomCount - c.first, 0));
    const bool crowded = expected.size() > 16 * rows;
    if (crowded)
      expected.clear();
    for (const unsigned threads : {1u, 2u, 3u, 8u}) {
      FakeAbort abort;
      const RowsRun run =
          searchOnThreads(model, c.first, c.useTypes, c.lower, c.upper, threads, abort);
      EXPECT_EQ(run.end, crowded ? BondSearchEnd::TooDense : BondSearchEnd::Complete)
          << c.name << ", " << threads << " threads";
      EXPECT_TRUE(run.bonds == expected) << c.name << ", " << threads << " threads: "
                                         << run.bonds.size() << " bonds, expected "
                                         << expected.size();
    }
  }
}

// Escape is polled as often, and stops the search at the same place, on any
// number of threads: while pairs are collected with an empty list, after
// that after whole rows.
TEST(BondSearchTest, escapeStopsAtTheSameRowOnAnyThreadCount)
{
  // The lattice's pairs are collected across several polls.
  const std::vector<Point> lattice = cubicLattice();
  Model model;
  fill(model, AtomSetId::Atom, lattice);
  const BondPairs all = loopOver(model, AtomSetId::Atom, false).bonds(2.82f, 2.84f);
  const auto rows = static_cast<long>(lattice.size()) - 1;
  FakeAbort unpressed;
  ASSERT_TRUE(searchOnThreads(model, 0, false, 2.82f, 2.84f, 1, unpressed).bonds == all);
  const long collecting = unpressed.polls - rows;
  ASSERT_GE(collecting, 2);
  const long polls = collecting + rows;
  for (const long r : {1L, collecting, collecting + 1, collecting + 700, polls, 1L << 40}) {
    for (const unsigned threads : {1u, 3u, 8u}) {
      FakeAbort abort(r);
      const RowsRun run = searchOnThreads(model, 0, false, 2.82f, 2.84f, threads, abort);
      const std::string what =
          "press at poll " + std::to_string(r) + ", " + std::to_string(threads) + " threads";
      EXPECT_EQ(abort.polls, std::min(r, polls)) << what;
      EXPECT_EQ(run.end, r <= polls ? BondSearchEnd::Stopped : BondSearchEnd::Complete) << what;
      BondPairs kept;
      for (const auto& bond : all)
        if (bond.first < r - collecting)
          kept.push_back(bond);
      EXPECT_TRUE(run.bonds == kept)
          << what << ": " << run.bonds.size() << " bonds, expected " << kept.size();
    }
  }
}

// The atoms of points, searched in the user's window lower .. upper.
Model userWindow(const std::vector<Point>& points, float lower, float upper)
{
  Model model;
  model.structureKind = 7;
  model.useUserBondLimits = true;
  model.userBondMin = lower;
  model.userBondMax = upper;
  fill(model, AtomSetId::Atom, points);
  return model;
}

// Crowded input ends with the message and an empty list instead of eating
// the memory: two tight clusters 1.42 Å apart (every atom bonded to the
// whole other cluster), and atoms heaped at one place, which findBonds'
// retry centres on (distance 0).
TEST(BondSearchTest, crowdedAtomsStopWithTheMessage)
{
  std::vector<Point> clusters;
  RandomSource random(11);
  for (int c = 0; c < 2; ++c)
    for (int i = 0; i < 200; ++i)
      clusters.push_back({1.42f * static_cast<float>(c) + 0.001f * static_cast<float>(random.uniform()),
                          0.001f * static_cast<float>(random.uniform()), 0.0f});
  const std::vector<Point> heap(2000, Point{5.0f, -3.0f, 1.0f});
  struct Case {
    const char* name;
    const std::vector<Point>* points;
    bool general;
  };
  for (const Case& c : {Case{"two clusters, createBonds", &clusters, true},
                        Case{"two clusters, findBonds", &clusters, false},
                        Case{"a heap at one place, findBonds", &heap, false}}) {
    Model model;
    model.bondLength = kBond;
    model.structureKind = 7;
    model.lastBondCount = 7;
    fill(model, AtomSetId::Atom, *c.points);
    FakePrompts prompts;
    FakeAbort abort;
    const BondSearchEnd end =
        c.general ? createBonds(model, 0, 0, prompts, abort) : findBonds(model, prompts, abort);
    EXPECT_EQ(end, BondSearchEnd::TooDense) << c.name;
    EXPECT_TRUE(hasBonds(model, {})) << c.name;
    EXPECT_EQ(model.lastBondCount, 0) << c.name;
    ASSERT_EQ(prompts.messages().size(), 1u) << c.name;
    EXPECT_EQ(prompts.messages()[0].text, kTooDenseMessage);
  }

  // Points whose every pair lies in the window: 33 make 528 bonds, 16 an
  // atom, still a structure; 34 make 561, more than 16 an atom.
  for (const int n : {33, 34}) {
    std::vector<Point> points;
    for (int i = 0; i < n; ++i)
      points.push_back({0.001f * static_cast<float>(i), 0.0f, 0.0f});
    Model model = userWindow(points, 0.0f, 1.0f);
    FakePrompts prompts;
    FakeAbort abort;
    const BondSearchEnd end = createBonds(model, 0, 0, prompts, abort);
    EXPECT_EQ(end, n == 33 ? BondSearchEnd::Complete : BondSearchEnd::TooDense) << n;
    EXPECT_EQ(model.bondCount, n == 33 ? 528 : 0) << n;
    EXPECT_EQ(prompts.messages().size(), n == 33 ? 0u : 1u) << n;
  }
}

// Escape is seen while pairs are collected, before any row is handed out.
TEST(BondSearchTest, escapeIsPolledWhilePairsAreCollected)
{
  const std::vector<Point> lattice = cubicLattice();
  for (const long pressAt : {1L, 1000000L}) {
    Model model = userWindow(lattice, 2.82f, 2.84f);
    FakePrompts prompts;
    FakeAbort abort(pressAt);
    const BondSearchEnd end = createBonds(model, 0, 0, prompts, abort);
    if (pressAt == 1) {
      EXPECT_EQ(end, BondSearchEnd::Stopped);
      EXPECT_TRUE(hasBonds(model, {})) << "no row was handed out before the stop";
    } else {
      EXPECT_EQ(end, BondSearchEnd::Complete);
      EXPECT_TRUE(hasBonds(model, loopOver(model, AtomSetId::Atom, true).bonds(2.82f, 2.84f)));
    }
  }
}

TEST(BondSearchTest, largeSearchAsksAboutTheAtomsActuallySearched)
{
  struct Case {
    const char* name;
    std::int16_t kind;
    int atoms, sheet;
    bool asks;
  };
  const Case cases[] = {
      {"3000 atoms", 7, 3000, 0, false},
      {"3001 atoms", 7, 3001, 0, true},
      {"stale large sheet, small import", 7, 10, 5000, false},
      {"3001 sheet atoms", 2, 10, 3001, true},
      {"cage: 3012 atoms, 3000 searched", 8, 3012, 0, false},
  };
  for (const Case& c : cases) {
    for (const bool yes : {false, true}) {
      Model model;
      model.bondLength = 1.42f;
      model.structureKind = c.kind;
      model.lastBondCount = 77;
      fill(model, AtomSetId::Atom, lineOf(c.atoms, 1.42f));
      fill(model, AtomSetId::Sheet, lineOf(c.sheet, 1.42f));
      FakePrompts prompts;
      if (c.asks)
        prompts.answerYesNo(yes);
      FakeAbort abort;
      createBonds(model, 0, 0, prompts, abort);
      const std::string what = std::string(c.name) + (yes ? ", Yes" : ", No");
      if (!c.asks) {
        EXPECT_TRUE(prompts.calls.empty()) << what;
        EXPECT_GT(model.bondCount, 0) << what;
        continue;
      }
      ASSERT_EQ(prompts.calls.size(), 1u) << what;
      EXPECT_EQ(prompts.calls[0].text, ">3000 Atoms. Do you still wish to create bonds?");
      EXPECT_EQ(prompts.calls[0].icon, MessageIcon::Question);
      if (yes) {
        EXPECT_EQ(model.bondCount, c.kind == 2 ? c.sheet - 1 : c.atoms - 1) << what;
        EXPECT_EQ(model.lastBondCount, model.bondCount) << what;
      } else {
        EXPECT_TRUE(hasBonds(model, {})) << what;
        EXPECT_EQ(model.lastBondCount, 77) << what;
      }
    }
  }
}

// A structure of several parts asks about its size once and tells that it
// is too dense once, whichever search meets it; a search after the build
// asks and tells afresh.
TEST(BondSearchTest, aBuildOfSeveralPartsAsksAndTellsOnce)
{
  const auto bigLine = [](Model& model) {
    model.bondLength = 1.42f;
    model.structureKind = 7;
    model.useUserBondLimits = false;
    fill(model, AtomSetId::Atom, lineOf(3001, 1.42f));
  };
  const auto heap = [](Model& model) {
    model.bondLength = 1.42f;
    model.structureKind = 7;
    model.useUserBondLimits = true;
    model.userBondMin = 0.0f;
    model.userBondMax = 1.0f;
    fill(model, AtomSetId::Atom, std::vector<Point>(100, Point{1.0f, 2.0f, 3.0f}));
  };
  for (const bool yes : {false, true}) {
    Model model;
    FakePrompts prompts;
    prompts.answerYesNo(yes);
    FakeAbort abort;
    {
      const OneBondQuestion once(model);
      for (int part = 0; part < 3; ++part) {
        bigLine(model);
        createBonds(model, 0, 0, prompts, abort);
        EXPECT_EQ(model.bondCount, yes ? 3000 : 0) << "part " << part << (yes ? ", Yes" : ", No");
        heap(model);
        EXPECT_EQ(part % 2 == 0 ? createBonds(model, 0, 0, prompts, abort)
                                : findBonds(model, prompts, abort),
                  BondSearchEnd::TooDense);
      }
    }
    ASSERT_EQ(prompts.calls.size(), 2u);
    EXPECT_EQ(prompts.calls[0].kind, FakePrompts::Kind::YesNo);
    EXPECT_EQ(prompts.calls[1].text, kTooDenseMessage);
    EXPECT_FALSE(model.bondBuild.has_value());

    prompts.answerYesNo(!yes);
    bigLine(model);
    createBonds(model, 0, 0, prompts, abort);
    EXPECT_EQ(model.bondCount, yes ? 0 : 3000) << "the question is asked again";
    heap(model);
    findBonds(model, prompts, abort);
    createBonds(model, 0, 0, prompts, abort);
    ASSERT_EQ(prompts.calls.size(), 5u);
    EXPECT_EQ(prompts.calls[2].kind, FakePrompts::Kind::YesNo);
    EXPECT_EQ(prompts.messages().size(), 3u);
  }
}

TEST(BondSearchTest, partsFlagLeavesEverythingAsItWas)
{
  Model model;
  model.bondLength = 1.42f;
  model.structureKind = 7;
  fill(model, AtomSetId::Atom, lineOf(5000, 1.42f));
  model.bondCount = 2;
  model.bondAtom1 = {4, 7};
  model.bondAtom2 = {9, 8};
  model.lastBondCount = 33;
  model.bondBuild = BondBuildPrompts{true, true};
  model.partsFlag = true;
  const Model before = model;
  FakePrompts prompts;
  FakeAbort abort;
  createBonds(model, 0, 0, prompts, abort);
  EXPECT_TRUE(model == before) << "createBonds";
  findBonds(model, prompts, abort);
  EXPECT_TRUE(model == before) << "findBonds";
  EXPECT_TRUE(prompts.calls.empty());
}

TEST(BondSearchTest, findBondsRetriesOnceAroundTheClosestPair)
{
  // A 4 × 4 square grid at 3.0 Å: nothing up to 1.633, then its 24 edges.
  std::vector<Point> grid;
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 4; ++j)
      grid.push_back({3.0f * static_cast<float>(i), 3.0f * static_cast<float>(j), 0.0f});
  Model model;
  model.bondLength = 1.42f;
  fill(model, AtomSetId::Atom, grid);
  FakePrompts prompts;
  FakeAbort abort;
  findBonds(model, prompts, abort);
  ASSERT_EQ(model.bondCount, 24);
  for (std::int32_t k = 0; k < model.bondCount; ++k) {
    const std::int32_t i = model.bondAtom1[k], j = model.bondAtom2[k];
    EXPECT_TRUE((j == i + 1 && j % 4 != 0) || j == i + 4) << "bond " << i << "-" << j;
  }
  EXPECT_TRUE(hasBonds(model, loopOver(model, AtomSetId::Atom, false).findBonds(1.42f)));
  EXPECT_EQ(model.lastBondCount, 24);
}

TEST(BondSearchTest, findBondsEndsEmptyWithoutAPairToCentreOn)
{
  const std::vector<std::vector<Point>> sets = {
      {}, {{1, 2, 3}}, {{0, 0, 0}, {1000, 0, 0}}, {{0, 0, 0}, {999, 0, 0}}, {{kNaN, 0, 0}, {0, 0, 0}}};
  for (std::size_t s = 0; s < sets.size(); ++s) {
    Model model;
    model.bondLength = 1.42f;
    model.lastBondCount = 5;
    model.bondCount = 1;
    model.bondAtom1 = {0};
    model.bondAtom2 = {1};
    fill(model, AtomSetId::Atom, sets[s]);
    FakePrompts prompts;
    FakeAbort abort;
    findBonds(model, prompts, abort);
    EXPECT_TRUE(hasBonds(model, {})) << "set " << s;
    EXPECT_EQ(model.lastBondCount, 0) << "set " << s;
  }
  // createBonds on empty and one-atom sets: no bond, no error.
  for (int n : {0, 1}) {
    Model model;
    model.bondLength = 1.42f;
    model.structureKind = 1;
    fill(model, AtomSetId::Atom, lineOf(n, 1.42f));
    FakePrompts prompts;
    FakeAbort abort;
    createBonds(model, 0, 0, prompts, abort);
    EXPECT_TRUE(hasBonds(model, {})) << n << " atoms";
  }
}

TEST(BondSearchTest, findBondsGivesC60Its90BondsAlsoThroughTheRetry)
{
  BondPairs atTrueLength;
  for (const float a : {1.42f, 1.0f}) {
    Model model;
    buildC60(model);
    model.bondLength = a;
    FakePrompts prompts;
    FakeAbort abort;
    findBonds(model, prompts, abort);
    ASSERT_EQ(model.bondCount, 90) << "a = " << a;
    std::array<int, 60> degree{};
    for (std::int32_t k = 0; k < model.bondCount; ++k) {
      ++degree[model.bondAtom1[k]];
      ++degree[model.bondAtom2[k]];
    }
    for (int i = 0; i < 60; ++i)
      EXPECT_EQ(degree[i], 3) << "atom " << i << ", a = " << a;
    if (atTrueLength.empty()) {
      for (std::int32_t k = 0; k < model.bondCount; ++k)
        atTrueLength.emplace_back(model.bondAtom1[k], model.bondAtom2[k]);
    } else {
      EXPECT_TRUE(hasBonds(model, atTrueLength)) << "the retry finds the same bonds";
    }
  }
}

} // namespace
} // namespace tarvek
