// The PDF library's copy of the picture budget agrees with the program's.
#include "pdfwriter/picture_budget.h"
#include "runtime/picture_budget.h"

#include <gtest/gtest.h>

namespace tarvek {
namespace {

// The library stands alone and keeps its own copy; a picture the program
// reads must not be refused when placed in a report, nor the other way, and
// both must refuse in the same words.
TEST(PictureBudgetCopiesTest, bothCopiesHoldTheSameLimitsInTheSameWords)
{
  EXPECT_EQ(kLargestPictureSide, quillet::kLargestPictureSide);
  EXPECT_EQ(kLargestPicturePixels, quillet::kLargestPicturePixels);
  EXPECT_EQ(kMostPictureTextBytes, quillet::kMostPictureTextBytes);
  const long long sizes[][2] = {
      {1, 1},         {8000, 4000},  {8000, 4001}, {6000, 6000}, {32767, 976},
      {32767, 977},   {32768, 1},    {1, 32768},   {0, 5},       {5, -1},
      {40000, 40000}, {7000, 6000},  {5657, 5657}, {5658, 5658},
  };
  for (const auto& [width, height] : sizes) {
    EXPECT_EQ(pictureBudgetRefusal("shot.png", width, height),
              quillet::pictureBudgetRefusal("shot.png", width, height))
        << width << " x " << height;
  }
  for (const char* path : {"/a/b/shot.png", "shot.png", "/a/b/", "dir/x y.tif"})
    EXPECT_EQ(pictureFileName(path), quillet::pictureFileName(path)) << path;
}

} // namespace
} // namespace tarvek
