// The PDF library's copy of the picture budget: its limits and sentences.
#include "pdfwriter/picture_budget.h"

#include <gtest/gtest.h>

namespace quillet {
namespace {

TEST(PictureBudgetTest, refusalsNameTheSizeAndTheLimit)
{
  const std::string onASide = " pictures up to 32767 pixels on a side can be read.";
  const std::string megapixels = " megapixels; pictures up to 32 megapixels can be read.";
  const struct {
    long long width, height;
    std::string refusal;
  } cases[] = {
      // Within: the largest side, and the largest picture exactly.
      {32767, 976, ""},
      {8000, 4000, ""},
      {1, 32767, ""},
      // A side below 1 is left to the reader.
      {0, 5, ""},
      {-3, 40000, ""},
      // The side is checked first, even where the pixels are few.
      {32768, 1, "p.png is 32768 \u00D7 1 pixels;" + onASide},
      {2, 1LL << 40, "p.png is 2 \u00D7 1099511627776 pixels;" + onASide},
      // Whole megapixels, halves rounded up.
      {6000, 6000, "p.png is 36" + megapixels},
      {5000, 6500, "p.png is 33" + megapixels},
      // Just over the limit never reads as the limit itself.
      {32000001, 1, "p.png is 32000001 \u00D7 1 pixels;" + onASide},
      {8001, 4000, "p.png is 32.1" + megapixels},
      {6400, 5070, "p.png is 32.5" + megapixels},
      {6400, 5079, "p.png is 33" + megapixels},
  };
  for (const auto& c : cases)
    EXPECT_EQ(pictureBudgetRefusal("p.png", c.width, c.height), c.refusal)
        << c.width << " x " << c.height;
  EXPECT_EQ(pictureFileName("/pictures/2024/p.png"), "p.png");
  EXPECT_EQ(pictureFileName("p.png"), "p.png");
}

} // namespace
} // namespace quillet
