// A team of threads: every member runs each task once with its own number,
// the team serves task after task, and a member's exception reaches the
// caller only after all members are done.
#include "runtime/work_team.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <stdexcept>
#include <thread>
#include <vector>

namespace tarvek {
namespace {

TEST(WorkTeamTest, everyMemberRunsEachTaskOnceWithItsNumber)
{
  for (const unsigned size : {1u, 2u, 5u}) {
    WorkTeam team(size);
    ASSERT_EQ(team.size(), size);
    for (int round = 0; round < 3; ++round) {
      std::vector<std::atomic<int>> runs(size);
      std::atomic<bool> callerRanZero{false};
      const auto caller = std::this_thread::get_id();
      team.run([&](unsigned member) {
        ++runs[member];
        if (member == 0)
          callerRanZero = std::this_thread::get_id() == caller;
      });
      for (unsigned m = 0; m < size; ++m)
        EXPECT_EQ(runs[m], 1) << "member " << m << " of " << size << ", round " << round;
      EXPECT_TRUE(callerRanZero) << size;
    }
  }
}

TEST(WorkTeamTest, anExceptionIsRethrownOnceEveryMemberHasEnded)
{
  WorkTeam team(4);
  std::atomic<int> ended{0};
  EXPECT_THROW(team.run([&](unsigned member) {
                 if (member == 2)
                   throw std::runtime_error("member 2");
                 std::this_thread::sleep_for(std::chrono::milliseconds(20));
                 ++ended;
               }),
               std::runtime_error);
  EXPECT_EQ(ended, 3);
  std::atomic<int> again{0};
  team.run([&](unsigned) { ++again; });
  EXPECT_EQ(again, 4) << "the team serves on after a failed task";
}

// The parts of any count follow each other without gap or overlap and
// differ in length by at most one.
TEST(WorkTeamTest, partsCoverTheItemsInOrder)
{
  for (const std::size_t count :
       {std::size_t{0}, std::size_t{1}, std::size_t{7}, std::size_t{1000003}})
    for (const unsigned parts : {1u, 3u, 8u}) {
      EXPECT_EQ(WorkTeam::partStart(count, 0, parts), 0u);
      EXPECT_EQ(WorkTeam::partStart(count, parts, parts), count);
      for (unsigned p = 0; p < parts; ++p) {
        const std::size_t length =
            WorkTeam::partStart(count, p + 1, parts) - WorkTeam::partStart(count, p, parts);
        EXPECT_LE(length, count / parts + 1) << count << " in " << parts;
        EXPECT_GE(length, count / parts) << count << " in " << parts;
      }
    }
}

} // namespace
} // namespace tarvek
