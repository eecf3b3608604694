// Blocks made on worker threads reach the taker whole, in order, and stop at the first failure.
#include "runtime/ordered_blocks.h"

#include "support/cpu_mask.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace tarvek {
namespace {

// Item i's bytes: its number and a line end.
void makeItems(std::size_t first, std::size_t last, std::string& out)
{
  for (std::size_t i = first; i < last; ++i)
    out += std::to_string(i) + "\n";
}

std::string expectedItems(std::size_t count)
{
  std::string all;
  makeItems(0, count, all);
  return all;
}

TEST(OrderedBlocksTest, everyItemArrivesOnceInOrder)
{
  struct Case {
    std::size_t count;
    std::size_t block;
    unsigned threads;
  };
  const Case cases[] = {
      {0, 8, 4},     {1, 8, 4},      {8, 8, 4},      {9, 8, 4},   {1000, 7, 4},
      {1000, 7, 1},  {1000, 1000, 4}, {5000, 3, 8},  {20, 0, 4},  {1000, 16, 0},
  };
  for (const Case& c : cases) {
    std::string all;
    // Uneven work so later blocks often finish first.
    makeInOrder(
        c.count, c.block,
        [](std::size_t first, std::size_t last, std::string& out) {
          if (first % 3 == 0)
            std::this_thread::sleep_for(std::chrono::microseconds(200));
          makeItems(first, last, out);
        },
        [&](std::string_view bytes) { all += bytes; }, c.threads);
    EXPECT_EQ(all, expectedItems(c.count))
        << c.count << " items, blocks of " << c.block << ", " << c.threads << " threads";
  }
}

// Left to pick its own number of workers, a run held to one processor
// makes every block on the calling thread; with two processors allowed,
// blocks are made elsewhere too.
TEST(OrderedBlocksTest, workersFollowTheAffinityMask)
{
  const std::vector<int> cpus = test::allowedProcessors();
  ASSERT_FALSE(cpus.empty());
  const auto blocksElsewhere = [](const std::vector<int>& allowed) {
    int elsewhere = 0;
    EXPECT_TRUE(test::runOnProcessors(allowed, [&] {
      const auto caller = std::this_thread::get_id();
      std::atomic<int> count{0};
      std::string all;
      makeInOrder(
          200, 1,
          [&](std::size_t first, std::size_t last, std::string& out) {
            if (std::this_thread::get_id() != caller)
              ++count;
            std::this_thread::sleep_for(std::chrono::microseconds(200));
            makeItems(first, last, out);
          },
          [&](std::string_view bytes) { all += bytes; });
      EXPECT_EQ(all, expectedItems(200));
      elsewhere = count;
    }));
    return elsewhere;
  };
  EXPECT_EQ(blocksElsewhere({cpus[0]}), 0);
  if (cpus.size() >= 2) {
    EXPECT_GT(blocksElsewhere({cpus[0], cpus[1]}), 0);
  }
}

// The taker sees exactly the blocks before the first failing one, and that
// block's exception arrives even when a later block failed sooner.
TEST(OrderedBlocksTest, theFirstFailingBlockInOrderEndsTheRun)
{
  for (const unsigned threads : {1u, 4u}) {
    std::string all;
    try {
      makeInOrder(
          100, 10,
          [](std::size_t first, std::size_t last, std::string& out) {
            if (first == 30) {
              std::this_thread::sleep_for(std::chrono::milliseconds(20));
              throw std::runtime_error("block 30");
            }
            if (first == 50)
              throw std::runtime_error("block 50");
            makeItems(first, last, out);
          },
          [&](std::string_view bytes) { all += bytes; }, threads);
      ADD_FAILURE() << "no exception with " << threads << " threads";
    } catch (const std::runtime_error& e) {
      EXPECT_STREQ(e.what(), "block 30") << threads << " threads";
    }
    EXPECT_EQ(all, expectedItems(30)) << threads << " threads";

    // Block buffers serve the next run: nothing of the failed one may reach it.
    all.clear();
    makeInOrder(
        100, 10, makeItems, [&](std::string_view bytes) { all += bytes; }, threads);
    EXPECT_EQ(all, expectedItems(100)) << "the run after, " << threads << " threads";
  }
}

// A taker that throws stops the workers and its exception comes through.
TEST(OrderedBlocksTest, aFailingTakerStopsTheRun)
{
  std::atomic<int> made = 0;
  int taken = 0;
  EXPECT_THROW(makeInOrder(
                   100000, 10,
                   [&](std::size_t first, std::size_t last, std::string& out) {
                     ++made;
                     makeItems(first, last, out);
                   },
                   [&](std::string_view) {
                     if (++taken == 3)
                       throw std::runtime_error("disk full");
                   },
                   4),
               std::runtime_error);
  EXPECT_LT(made.load(), 100);
}

// However slow the taker, the blocks made and not yet taken stay few: the
// memory a long run holds does not grow with its length.
TEST(OrderedBlocksTest, workersStayABoundedDistanceAhead)
{
  std::atomic<std::size_t> made = 0;
  std::size_t taken = 0;
  std::size_t mostAhead = 0;
  makeInOrder(
      400, 1,
      [&](std::size_t, std::size_t, std::string& out) {
        ++made;
        out = "x";
      },
      [&](std::string_view) {
        std::this_thread::sleep_for(std::chrono::microseconds(100));
        ++taken;
        mostAhead = std::max(mostAhead, made.load() - taken);
      },
      4);
  EXPECT_EQ(taken, 400u);
  EXPECT_LE(mostAhead, 16u);
}

} // namespace
} // namespace tarvek
