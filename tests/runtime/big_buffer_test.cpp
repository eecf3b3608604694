// Huge-page blocks: alignment, sizes, reuse of freed blocks, contents kept
// as a vector grows past the threshold and as pages are made present, and
// refusal of impossible sizes.
#include "runtime/big_buffer.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <numeric>

namespace tarvek {
namespace {

bool onHugePageBoundary(const void* p)
{
  return reinterpret_cast<std::uintptr_t>(p) % kHugePageBytes == 0;
}

// A vector grown one element at a time moves from operator new to mapped
// blocks and between mapped blocks; every move must keep every value.
TEST(BigBufferTest, growingVectorKeepsItsValuesAcrossTheThreshold)
{
  BigVector<std::int32_t> values;
  const std::int32_t count = 3 * static_cast<std::int32_t>(kBigBlockBytes / sizeof(std::int32_t));
  for (std::int32_t i = 0; i < count; ++i)
    values.push_back(i * 7);
  ASSERT_EQ(values.size(), static_cast<std::size_t>(count));
  EXPECT_TRUE(onHugePageBoundary(values.data()));
  for (std::int32_t i = 0; i < count; ++i)
    ASSERT_EQ(values[static_cast<std::size_t>(i)], i * 7) << "entry " << i;

  values.resize(10);
  values.shrink_to_fit();
  EXPECT_FALSE(mappedOnItsOwn(values.capacity() * sizeof(std::int32_t)));
  EXPECT_EQ(values[9], 63);
}

// Sizes just below, at and above the threshold and a whole number of huge
// pages: each block is writable to its last byte, mapped ones start on a
// huge page.
TEST(BigBufferTest, blocksAroundTheThresholdAreWritableToTheirEnd)
{
  for (const std::size_t bytes : {std::size_t{64}, kBigBlockBytes - 1, kBigBlockBytes,
                                  kBigBlockBytes + 1, 3 * kHugePageBytes}) {
    auto* block = static_cast<unsigned char*>(allocateBig(bytes));
    ASSERT_NE(block, nullptr) << bytes;
    EXPECT_EQ(onHugePageBoundary(block), mappedOnItsOwn(bytes)) << bytes;
    block[0] = 1;
    block[bytes - 1] = 2;
    EXPECT_EQ(block[0] + block[bytes - 1], 3) << bytes;
    freeBig(block, bytes);
  }
  freeBig(nullptr, kBigBlockBytes);
}

// A tail that fills half a huge page or more gets a whole one; a shorter
// one only its small pages.
TEST(BigBufferTest, mappedBytesRoundTheTailToItsUse)
{
  constexpr std::size_t MiB = std::size_t{1} << 20;
  const struct {
    std::size_t bytes;
    std::size_t mapped;
  } cases[] = {
      {2 * MiB, 2 * MiB},
      {2 * MiB + 1, 2 * MiB + 4096},
      {3 * MiB - 4096, 3 * MiB - 4096},
      {3 * MiB - 4095, 4 * MiB},
      {4 * MiB - 1, 4 * MiB},
      {8 * MiB + 100, 8 * MiB + 4096},
      {9 * MiB + 100, 10 * MiB},
  };
  for (const auto& c : cases)
    EXPECT_EQ(mappedBytes(c.bytes), c.mapped) << c.bytes;
}

// A freed block serves the next request of its size, or up to half of it
// cut to the request's size, but not a much smaller one. Sizes no other
// test uses keep other cached blocks out of the way.
TEST(BigBufferTest, freedBlocksServeRequestsOfAboutTheirSize)
{
  constexpr std::size_t MiB = std::size_t{1} << 20;
  const std::size_t large = 37 * MiB + 123;
  auto* first = static_cast<unsigned char*>(allocateBig(large));
  first[large - 1] = 1;
  freeBig(first, large);
  auto* again = static_cast<unsigned char*>(allocateBig(large));
  EXPECT_EQ(again, first);
  freeBig(again, large);

  const std::size_t smaller = 21 * MiB;
  auto* cut = static_cast<unsigned char*>(allocateBig(smaller));
  EXPECT_EQ(cut, first);
  cut[0] = 2;
  cut[smaller - 1] = 3;
  EXPECT_EQ(cut[0] + cut[smaller - 1], 5);
  freeBig(cut, smaller);

  const std::size_t small = 5 * MiB;
  auto* other = static_cast<unsigned char*>(allocateBig(small));
  EXPECT_NE(other, first);
  other[small - 1] = 4;
  freeBig(other, small);
}

// Making pages present, from any byte on, leaves the bytes written before.
TEST(BigBufferTest, populatedPagesKeepTheirBytes)
{
  // A fresh block, not one kept from an earlier test, so its unwritten
  // bytes are known.
  releaseFreedBlocks();
  const std::size_t bytes = 2 * kHugePageBytes;
  auto* block = static_cast<unsigned char*>(allocateBig(bytes));
  for (const std::size_t at : {std::size_t{0}, std::size_t{5000}, kHugePageBytes + 17})
    block[at] = 9;
  populateBig(block + 4097, bytes - 4097);
  populateBig(block, 0);
  EXPECT_EQ(block[0] + block[5000] + block[kHugePageBytes + 17], 27);
  EXPECT_EQ(block[1] + block[bytes - 1], 0);
  freeBig(block, bytes);
}

TEST(BigBufferTest, impossibleSizesThrowBadAlloc)
{
  BigAllocator<double> allocator;
  EXPECT_THROW((void)allocator.allocate(std::numeric_limits<std::size_t>::max() / 4),
               std::bad_alloc);
  EXPECT_THROW((void)allocateBig(std::numeric_limits<std::size_t>::max() - kHugePageBytes),
               std::bad_alloc);
}

// Copies between containers of the big and the standard kind hold equal
// elements (the model's arrays meet plain vectors in tests and tools).
TEST(BigBufferTest, copiesToAndFromStandardVectorsAreEqual)
{
  std::vector<float> plain(kBigBlockBytes / sizeof(float) + 5);
  std::iota(plain.begin(), plain.end(), 0.5f);
  const BigVector<float> big(plain.begin(), plain.end());
  EXPECT_EQ(big, plain);
  EXPECT_EQ(plain, big);
  BigVector<float> copy = big;
  EXPECT_EQ(copy, big);
  copy.back() = -1.0f;
  EXPECT_FALSE(copy == plain);
  copy.pop_back();
  EXPECT_FALSE(plain == copy);
}

} // namespace
} // namespace tarvek
