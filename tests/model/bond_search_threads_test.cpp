// The bond search's threads: as many as the affinity mask leaves processors,
// and a search started from inside another's poll of Escape leaves the
// running one's working memory alone.
#include "model/bond_rows.h"
#include "model/bond_search.h"
#include "model/cell_grid.h"
#include "model/model.h"
#include "platform/abort.h"
#include "runtime/usable_processors.h"
#include "support/cpu_mask.h"
#include "support/fake_prompts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <utility>
#include <vector>

namespace tarvek {
namespace {

using test::allowedProcessors;
using test::FakePrompts;
using test::runOnProcessors;

constexpr float kBond = 1.42f;

// A flat graphene sheet of about `atoms` atoms, 4-atom cells in rows of 60.
struct Sheet {
  std::vector<float> x, y, z;

  explicit Sheet(std::int32_t atoms)
  {
    const double s3 = std::sqrt(3.0);
    const double cellX[4] = {0, s3 / 2 * kBond, 0, s3 / 2 * kBond};
    const double cellY[4] = {0, 1.5 * kBond, kBond, 2.5 * kBond};
    for (int row = 0; static_cast<std::int32_t>(x.size()) < atoms; ++row)
      for (int col = 0; col < 60; ++col)
        for (int k = 0; k < 4; ++k) {
          x.push_back(static_cast<float>(s3 * col * kBond + cellX[k]));
          y.push_back(static_cast<float>(3.0 * row * kBond + cellY[k]));
          z.push_back(0.0f);
        }
  }

  SearchSet set() const
  {
    return {x.data(), y.data(), z.data(), nullptr, 0, static_cast<std::int32_t>(x.size())};
  }
};

using Bonds = std::vector<std::pair<std::int32_t, std::int32_t>>;

// Escape never pressed; each poll may run a callback, as a real poll lets
// window events run.
class PollHook : public AbortToken {
public:
  void clearEscape() override {}
  bool escapePressed() override
  {
    ++polls;
    if (onPoll)
      onPoll();
    return false;
  }
  long stops() const override { return 0; }

  long polls = 0;
  std::function<void()> onPoll;
};

// The threads the process runs now.
std::size_t processThreads()
{
  const std::filesystem::directory_iterator tasks("/proc/self/task");
  return static_cast<std::size_t>(std::distance(begin(tasks), end(tasks)));
}

Bonds search(const SearchSet& set, unsigned threads, AbortToken& abort,
             BondSearchEnd* end = nullptr)
{
  BigVector<std::int32_t> atom1;
  BigVector<std::int32_t> atom2;
  const BondSearchEnd ended =
      searchBondRows(set, 0.95f * kBond, 1.05f * kBond, threads, abort, atom1, atom2);
  if (end != nullptr)
    *end = ended;
  Bonds bonds;
  for (std::size_t k = 0; k < atom1.size(); ++k)
    bonds.emplace_back(atom1[k], atom2[k]);
  return bonds;
}

// Under a mask of one processor a large search runs on one thread, and so
// does a run of blocks left to pick its own count; with two processors
// allowed, two threads.
TEST(BondSearchThreadsTest, threadsFollowTheAffinityMask)
{
  const std::vector<int> cpus = allowedProcessors();
  ASSERT_FALSE(cpus.empty());
  constexpr std::int64_t kHugeSearch = std::int64_t{1} << 30;
  ASSERT_TRUE(runOnProcessors({cpus[0]}, [&] {
    EXPECT_EQ(usableProcessors(), 1u);
    EXPECT_EQ(bondSearchThreads(kHugeSearch), 1u);
  }));
  if (cpus.size() >= 2) {
    ASSERT_TRUE(runOnProcessors({cpus[0], cpus[1]}, [&] {
      EXPECT_EQ(usableProcessors(), 2u);
      EXPECT_EQ(bondSearchThreads(kHugeSearch), 2u);
    }));
  }
  // The test's own thread keeps the mask it had.
  EXPECT_EQ(usableProcessors(), cpus.size());

  // A whole search of 70,000 atoms, enough for two threads: while it polls
  // Escape, the process runs as many threads beyond its own as the mask
  // leaves room for.
  const Sheet sheet(70000);
  const auto extraThreads = [&](const std::vector<int>& allowed) {
    std::size_t most = 0;
    EXPECT_TRUE(runOnProcessors(allowed, [&] {
      Model model;
      model.bondLength = kBond;
      model.structureKind = 1;
      model.atomX.assign(sheet.x.begin(), sheet.x.end());
      model.atomY.assign(sheet.y.begin(), sheet.y.end());
      model.atomZ.assign(sheet.z.begin(), sheet.z.end());
      model.atomType.assign(sheet.x.size(), 3);
      model.atomCount = static_cast<std::int32_t>(sheet.x.size());
      const std::size_t before = processThreads();
      FakePrompts prompts;
      prompts.answerYesNo(true);
      PollHook hook;
      hook.onPoll = [&] { most = std::max(most, processThreads() - before); };
      EXPECT_EQ(createBonds(model, 0.0f, 0.0f, prompts, hook), BondSearchEnd::Complete);
      EXPECT_GT(hook.polls, 0);
      EXPECT_GT(model.bondCount, model.atomCount);
    }));
    return most;
  };
  EXPECT_EQ(extraThreads({cpus[0]}), 0u);
  if (cpus.size() >= 2) {
    EXPECT_EQ(extraThreads({cpus[0], cpus[1]}), 1u);
  }
}

// A search begun from a poll of Escape while another's threads collect
// pairs (a second build started from the window events the poll lets run)
// gets memory of its own: both lists come out whole, as each would alone,
// and the next search after them too.
TEST(BondSearchThreadsTest, aSearchInsideAnotherLeavesItsWorkingMemoryAlone)
{
  const Sheet outer(60000);
  const Sheet inner(3000);
  PollHook quiet;
  const Bonds outerAlone = search(outer.set(), 4, quiet);
  const Bonds innerAlone = search(inner.set(), 4, quiet);
  ASSERT_GT(outerAlone.size(), outer.x.size());
  ASSERT_GT(innerAlone.size(), inner.x.size());

  PollHook hook;
  std::vector<Bonds> nested;
  // The first polls come while the outer search's threads collect pairs.
  hook.onPoll = [&] {
    if (nested.size() < 3)
      nested.push_back(search(inner.set(), 4, quiet));
  };
  BondSearchEnd end{};
  const Bonds outerWithNested = search(outer.set(), 4, hook, &end);
  EXPECT_EQ(end, BondSearchEnd::Complete);
  ASSERT_EQ(nested.size(), 3u) << "polls: " << hook.polls;
  EXPECT_TRUE(outerWithNested == outerAlone);
  for (const Bonds& bonds : nested)
    EXPECT_TRUE(bonds == innerAlone);
  EXPECT_TRUE(search(outer.set(), 4, quiet) == outerAlone);
}

} // namespace
} // namespace tarvek
