// The picture budget's refusals: which sizes pass and the sentence for those that do not.
#include "runtime/picture_budget.h"

#include <gtest/gtest.h>

#include <string>

namespace tarvek {
namespace {

TEST(PictureBudgetTest, refusesBySideFirstThenByMegapixels)
{
  const struct {
    long long width;
    long long height;
    const char* refusal;
  } cases[] = {
      {32767, 976, ""},                // 31.98 megapixels, the widest that fits
      {8000, 4000, ""},                // exactly the limit
      {1, 1, ""},
      {0, 5, ""},                      // no picture: the reader's matter
      {-3, 100000, ""},
      {32768, 1, "a.png is 32768 \u00D7 1 pixels; pictures up to 32767 pixels on a side can be read."},
      {1, 32768, "a.png is 1 \u00D7 32768 pixels; pictures up to 32767 pixels on a side can be read."},
      {4294967296LL, 4294967296LL,
       "a.png is 4294967296 \u00D7 4294967296 pixels; pictures up to 32767 pixels on a side can be read."},
      {6000, 6000, "a.png is 36 megapixels; pictures up to 32 megapixels can be read."},
      {7000, 6000, "a.png is 42 megapixels; pictures up to 32 megapixels can be read."},
      {32767, 32767, "a.png is 1074 megapixels; pictures up to 32 megapixels can be read."},
      // Half a megapixel rounds up.
      {5000, 6500, "a.png is 33 megapixels; pictures up to 32 megapixels can be read."},
      // Just over the limit never reads "32".
      {8000, 4001, "a.png is 32.1 megapixels; pictures up to 32 megapixels can be read."},
      {32000001, 1, "a.png is 32000001 \u00D7 1 pixels; pictures up to 32767 pixels on a side can be read."},
      {6499, 5000, "a.png is 32.5 megapixels; pictures up to 32 megapixels can be read."},
  };
  for (const auto& c : cases)
    EXPECT_EQ(pictureBudgetRefusal("a.png", c.width, c.height), c.refusal)
        << c.width << " x " << c.height;
}

TEST(PictureBudgetTest, namesTheFileWithoutItsFolder)
{
  EXPECT_EQ(pictureFileName("/home/u/tarvek/Images/big scan.v2.png"), "big scan.v2.png");
  EXPECT_EQ(pictureFileName("photo.jpg"), "photo.jpg");
}

} // namespace
} // namespace tarvek
