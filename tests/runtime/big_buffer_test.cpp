// Huge-page blocks: alignment, contents kept as a vector grows past the
// threshold and as pages are made present, and refusal of impossible sizes.
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

// Making pages present, from any byte on, leaves the bytes written before.
TEST(BigBufferTest, populatedPagesKeepTheirBytes)
{
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
