// Blocks made on worker threads reach the taker whole, in order, and stop at the first failure.
#include "runtime/ordered_blocks.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <stdexcept>
#include <string>
#include <thread>

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
