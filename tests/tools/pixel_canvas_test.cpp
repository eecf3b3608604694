// Tests of the 32-bit picture surface the tools paint into.
#include "runtime/runtime_error.h"
#include "tools/pixel_canvas.h"

#include <gtest/gtest.h>

namespace tarvek {
namespace {

TEST(PixelCanvasTest, storesOpaqueWordsAndReadsColours)
{
  PixelCanvas canvas(3, 2);
  EXPECT_EQ(canvas.words().size(), 6u);
  EXPECT_EQ(canvas.words()[0], 0xFF000000u) << "starts black";
  canvas.setPixel(2, 1, 0x123456);
  EXPECT_EQ(canvas.words()[5], 0xFF123456u);
  EXPECT_EQ(canvas.pixel(2, 1), 0x123456u);
  canvas.setPixel(3, 0, 0xFFFFFF);
  canvas.setPixel(-1, 0, 0xFFFFFF);
  EXPECT_EQ(canvas.pixel(0, 0), 0u) << "painting outside changes nothing";
  for (const auto& [x, y] : {std::pair{3, 0}, std::pair{0, 2}, std::pair{-1, 0}, std::pair{0, -1}})
    EXPECT_THROW(canvas.pixel(x, y), RuntimeError) << x << ", " << y;
  EXPECT_THROW(PixelCanvas(-1, 4), RuntimeError);
}

TEST(PixelCanvasTest, blockCopiesWhatFits)
{
  PixelCanvas canvas(2, 2);
  const std::vector<std::uint32_t> block = {1, 2, 3, 4, 5, 6, 7, 8, 9};
  canvas.writeBlock(3, 3, block);
  EXPECT_EQ(canvas.pixel(0, 0), 1u);
  EXPECT_EQ(canvas.pixel(1, 0), 2u);
  EXPECT_EQ(canvas.pixel(0, 1), 4u);
  EXPECT_EQ(canvas.pixel(1, 1), 5u);
  canvas.writeBlock(1, 1, block);
  EXPECT_EQ(canvas.pixel(1, 1), 5u) << "a smaller block leaves the rest";
  EXPECT_THROW(canvas.writeBlock(3, 4, block), RuntimeError) << "block shorter than its size";
}

TEST(PixelCanvasTest, verticalLineIncludesBothEndsAndClips)
{
  PixelCanvas canvas(4, 5);
  canvas.verticalLine(1, 3, 1, 0xFF);
  for (int y = 0; y < 5; ++y)
    EXPECT_EQ(canvas.pixel(1, y), (y >= 1 && y <= 3) ? 0xFFu : 0u) << y;
  canvas.verticalLine(2, -10, 10, 0xAA);
  for (int y = 0; y < 5; ++y)
    EXPECT_EQ(canvas.pixel(2, y), 0xAAu) << y;
  canvas.verticalLine(7, 0, 4, 0xAA);
  canvas.clear(0x010203);
  EXPECT_EQ(canvas.pixel(3, 4), 0x010203u);
}

TEST(PixelCanvasTest, refreshCallsTheWindow)
{
  PixelCanvas canvas(1, 1);
  canvas.refresh();
  int calls = 0;
  canvas.onChange = [&calls] { ++calls; };
  canvas.refresh();
  EXPECT_EQ(calls, 1);
}

} // namespace
} // namespace tarvek
