// cDIBSection: layout, refusals, random fill and resampling.
#include "imaging/dib_section.h"

#include "runtime/random_source.h"

#include <gtest/gtest.h>

#include <vector>

namespace tarvek {
namespace {

TEST(DibSectionTest, rowsArePaddedToFourBytes)
{
  const int strides[] = {4, 8, 12, 12, 16};
  for (int w = 1; w <= 5; ++w) {
    cDIBSection dib;
    ASSERT_TRUE(dib.Create(w, 2));
    EXPECT_EQ(dib.BytesPerScanLine(), strides[w - 1]) << "width " << w;
  }
  cDIBSection one;
  ASSERT_TRUE(one.Create(1, 1));
  EXPECT_EQ(one.header().biSizeImage, 4);
  cDIBSection five;
  ASSERT_TRUE(five.Create(5, 2));
  const DibHeader& h = five.header();
  EXPECT_EQ(h.biSize, 40);
  EXPECT_EQ(h.biWidth, 5);
  EXPECT_EQ(h.biHeight, 2);
  EXPECT_EQ(h.biPlanes, 1);
  EXPECT_EQ(h.biBitCount, 24);
  EXPECT_EQ(h.biCompression, 0);
  EXPECT_EQ(h.biSizeImage, 32);
}

TEST(DibSectionTest, clearUpFreesTheBitsAndKeepsTheSize)
{
  cDIBSection dib;
  EXPECT_FALSE(dib.isValid());
  EXPECT_EQ(dib.DIBSectionBitsPtr(), nullptr);
  ASSERT_TRUE(dib.Create(7, 3));
  EXPECT_TRUE(dib.isValid());
  EXPECT_NE(dib.DIBSectionBitsPtr(), nullptr);
  dib.ClearUp();
  EXPECT_FALSE(dib.isValid());
  EXPECT_EQ(dib.DIBSectionBitsPtr(), nullptr);
  EXPECT_EQ(dib.width(), 7);
  EXPECT_EQ(dib.height(), 3);
}

// Sizes whose bytes the 32-bit size field cannot hold are refused, never
// wrapped into a small buffer.
TEST(DibSectionTest, refusesEmptyAndOversizedPictures)
{
  const struct {
    int w, h;
  } cases[] = {{0, 5}, {5, 0}, {-1, 5}, {40000, 40000}, {715827882, 1}, {1, 536870912}};
  for (const auto& c : cases) {
    cDIBSection dib;
    ASSERT_TRUE(dib.Create(3, 3));
    EXPECT_FALSE(dib.Create(c.w, c.h)) << c.w << " x " << c.h;
    EXPECT_FALSE(dib.isValid());
    EXPECT_EQ(dib.DIBSectionBitsPtr(), nullptr);
  }
}

void setBlue(cDIBSection& dib, int x, int y, std::uint8_t v)
{
  dib.DIBSectionBitsPtr()[y * dib.BytesPerScanLine() + 3 * x] = v;
}

int blue(const cDIBSection& dib, int x, int y)
{
  return dib.DIBSectionBitsPtr()[y * dib.BytesPerScanLine() + 3 * x];
}

// Bilinear values worked out by hand in single precision, halves to even
// (row 2's right-hand value is the tie 177.5, giving 178).
TEST(DibSectionTest, resamplesTwoByTwoToFourByFour)
{
  cDIBSection dib;
  ASSERT_TRUE(dib.Create(2, 2));
  setBlue(dib, 0, 0, 0);
  setBlue(dib, 1, 0, 100);
  setBlue(dib, 0, 1, 200);
  setBlue(dib, 1, 1, 255);
  const auto big = dib.Resample(4, 4);
  ASSERT_TRUE(big);
  ASSERT_EQ(big->width(), 4);
  ASSERT_EQ(big->height(), 4);
  const int expected[4][4] = {
    {0, 25, 50, 75}, {50, 72, 94, 117}, {100, 120, 139, 158}, {150, 166, 183, 200}};
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x)
      EXPECT_EQ(blue(*big, x, y), expected[y][x]) << "memory (" << x << ", " << y << ")";
}

TEST(DibSectionTest, resampleToTheOwnSizeCopiesAndRefusesWhatItCannotDo)
{
  RandomSource random(7);
  cDIBSection dib;
  ASSERT_TRUE(dib.Create(5, 3));
  dib.RandomiseBits(true, random);
  const auto copy = dib.Resample(3, 5);
  ASSERT_TRUE(copy);
  EXPECT_TRUE(std::equal(dib.DIBSectionBitsPtr(), dib.DIBSectionBitsPtr() + dib.header().biSizeImage,
                         copy->DIBSectionBitsPtr()));

  EXPECT_FALSE(dib.Resample(0, 0));
  cDIBSection thin;
  ASSERT_TRUE(thin.Create(1, 5));
  EXPECT_FALSE(thin.Resample(3, 3));
  EXPECT_TRUE(thin.Resample(5, 1));
  cDIBSection cleared;
  ASSERT_TRUE(cleared.Create(4, 4));
  cleared.ClearUp();
  EXPECT_FALSE(cleared.Resample(2, 2));
}

// Resampling a large picture down and up keeps every neighbour inside the
// source; a uniform picture stays uniform.
TEST(DibSectionTest, resamplingAUniformPictureKeepsItsColour)
{
  cDIBSection dib;
  ASSERT_TRUE(dib.Create(37, 23));
  std::fill(dib.DIBSectionBitsPtr(), dib.DIBSectionBitsPtr() + dib.header().biSizeImage, 201);
  for (const auto& [w, h] : {std::pair{100, 3}, {5, 61}, {2, 2}, {1, 1}}) {
    const auto out = dib.Resample(h, w);
    ASSERT_TRUE(out);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < 3 * w; ++x)
        ASSERT_EQ(out->DIBSectionBitsPtr()[y * out->BytesPerScanLine() + x], 201);
  }
}

TEST(DibSectionTest, randomFillRepeatsWithItsSeed)
{
  cDIBSection colour;
  ASSERT_TRUE(colour.Create(9, 4));
  RandomSource random(42);
  colour.RandomiseBits(false, random);
  bool someGreen = false;
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 9; ++x) {
      const std::uint8_t* p = colour.DIBSectionBitsPtr() + y * colour.BytesPerScanLine() + 3 * x;
      EXPECT_EQ(p[0], 0);
      someGreen = someGreen || p[1] != 0;
    }
  }
  EXPECT_TRUE(someGreen);

  cDIBSection a;
  cDIBSection b;
  ASSERT_TRUE(a.Create(9, 4));
  ASSERT_TRUE(b.Create(9, 4));
  RandomSource first(42);
  RandomSource second(42);
  a.RandomiseBits(true, first);
  b.RandomiseBits(true, second);
  const std::size_t size = static_cast<std::size_t>(a.header().biSizeImage);
  const std::vector<std::uint8_t> bytesA(a.DIBSectionBitsPtr(), a.DIBSectionBitsPtr() + size);
  const std::vector<std::uint8_t> bytesB(b.DIBSectionBitsPtr(), b.DIBSectionBitsPtr() + size);
  EXPECT_EQ(bytesA, bytesB);
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 9; ++x) {
      const std::uint8_t* p = a.DIBSectionBitsPtr() + y * a.BytesPerScanLine() + 3 * x;
      EXPECT_EQ(p[0], p[1]);
      EXPECT_EQ(p[1], p[2]);
    }
  }
}

} // namespace
} // namespace tarvek
