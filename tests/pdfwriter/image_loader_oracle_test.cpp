#include "pdfwriter/image_fixtures.h"
#include "pdfwriter/image_loader.h"
#include "support/require_tool.h"
#include "support/run_tool.h"
#include "support/scratch_dir.h"

#include <gtest/gtest.h>

#include <jpeglib.h>
#include <png.h>
#include <tiffio.h>

#include <cstdlib>

namespace quillet {
namespace {

using tarvek::test::requireTool;
using tarvek::test::runTool;
using tarvek::test::ScratchDir;
using test::Bytes;

// ImageMagick's reading of the file: 8-bit RGB bytes, top row first.
Bytes magickPixels(const std::filesystem::path& path)
{
  const auto result = runTool("convert", {path.string(), "-depth", "8", "rgb:-"});
  EXPECT_EQ(result.exitCode, 0) << path << ": " << result.err;
  return Bytes(result.out.begin(), result.out.end());
}

void compareWithMagick(const std::filesystem::path& path, int tolerance)
{
  const auto image = loadImageFile(path);
  ASSERT_TRUE(image) << path << ": error " << lastImageError();
  const Bytes theirs = magickPixels(path);
  ASSERT_EQ(image->pixels.size(), theirs.size()) << path;
  int worst = 0;
  std::size_t at = 0;
  for (std::size_t i = 0; i < theirs.size(); ++i) {
    const int d = std::abs(int(image->pixels[i]) - int(theirs[i]));
    if (d > worst) {
      worst = d;
      at = i;
    }
  }
  EXPECT_LE(worst, tolerance) << path.filename() << ": byte " << at << " is "
                              << int(image->pixels[at]) << ", ImageMagick reads "
                              << int(theirs[at]);
}

std::uint16_t sampleOf(int x, int y, int c, int range)
{
  return static_cast<std::uint16_t>((x * 37 + y * 91 + c * 53) % range);
}

TEST(ImageLoaderOracleTest, pixelsMatchImageMagick)
{
  if (!requireTool("convert", "imagemagick"))
    return;
  ScratchDir dir;
  constexpr int w = 13, h = 9;
  std::vector<std::filesystem::path> exact;

  const struct {
    const char* name;
    int colourType, depth;
    bool interlaced;
  } pngs[] = {
      {"gray1", PNG_COLOR_TYPE_GRAY, 1, false},
      {"gray4", PNG_COLOR_TYPE_GRAY, 4, false},
      {"gray16", PNG_COLOR_TYPE_GRAY, 16, false},
      {"grayalpha", PNG_COLOR_TYPE_GRAY_ALPHA, 8, false},
      {"palette2", PNG_COLOR_TYPE_PALETTE, 2, false},
      {"palette8", PNG_COLOR_TYPE_PALETTE, 8, false},
      {"rgb16", PNG_COLOR_TYPE_RGB, 16, false},
      {"rgba8", PNG_COLOR_TYPE_RGBA, 8, false},
      {"rgba16", PNG_COLOR_TYPE_RGBA, 16, false},
      {"interlaced", PNG_COLOR_TYPE_RGB, 8, true},
  };
  for (const auto& p : pngs) {
    test::PngFixture fixture{w, h, p.colourType, p.depth, p.interlaced, {}, {}, {}};
    const int channels =
        p.colourType == PNG_COLOR_TYPE_GRAY || p.colourType == PNG_COLOR_TYPE_PALETTE ? 1
        : p.colourType == PNG_COLOR_TYPE_GRAY_ALPHA                                   ? 2
        : p.colourType == PNG_COLOR_TYPE_RGB                                          ? 3
                                                                                      : 4;
    const int range = p.depth == 16 ? 256 : 1 << p.depth;
    if (p.colourType == PNG_COLOR_TYPE_PALETTE) {
      for (int i = 0; i < (1 << p.depth); ++i)
        fixture.palette.insert(fixture.palette.end(),
                               {std::uint8_t(i * 13), std::uint8_t(255 - i), std::uint8_t(i * 5)});
      fixture.transparency.assign(1 << p.depth, 200);
    }
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x)
        for (int c = 0; c < channels; ++c) {
          const std::uint16_t v = sampleOf(x, y, c, range);
          fixture.samples.push_back(p.depth == 16 ? std::uint16_t(v * 257) : v);
        }
    exact.push_back(dir.file(std::string(p.name) + ".png"));
    test::writePngFile(exact.back(), fixture);
  }

  const Bytes map = {0, 0, 0, 250, 10, 10, 10, 250, 10, 10, 10, 250};
  Bytes indices;
  for (int i = 0; i < w * h; ++i)
    indices.push_back(std::uint8_t((i * 7) % 4));
  test::GifFixture gif{w, h, 0, map, 0, 0, w, h, false, {}, indices};
  exact.push_back(dir.file("plain.gif"));
  test::writeGifFile(exact.back(), gif);
  gif.interlaced = true;
  exact.push_back(dir.file("interlaced.gif"));
  test::writeGifFile(exact.back(), gif);

  Bytes rgb, gray;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      gray.push_back(std::uint8_t(sampleOf(x, y, 0, 256)));
      for (int c = 0; c < 3; ++c)
        rgb.push_back(std::uint8_t(sampleOf(x, y, c, 256)));
    }
  test::TiffFixture tiff{w, h, 8, 3, PHOTOMETRIC_RGB, COMPRESSION_LZW, 0, 1, 4, -1, {}, rgb};
  exact.push_back(dir.file("rgb-lzw.tif"));
  test::writeTiffFile(exact.back(), tiff);
  tiff.compression = COMPRESSION_PACKBITS;
  exact.push_back(dir.file("rgb-packbits.tif"));
  test::writeTiffFile(exact.back(), tiff);
  test::TiffFixture grayTiff{
      w, h, 8, 1, PHOTOMETRIC_MINISBLACK, COMPRESSION_ADOBE_DEFLATE, 0, 1, 0, -1, {}, gray};
  exact.push_back(dir.file("gray-deflate.tif"));
  test::writeTiffFile(exact.back(), grayTiff);
  Bytes bits((w + 7) / 8 * h);
  for (std::size_t i = 0; i < bits.size(); ++i)
    bits[i] = std::uint8_t(i * 37 + 11);
  test::TiffFixture white{w, h,  1,  1,   PHOTOMETRIC_MINISWHITE, COMPRESSION_NONE, 0, 1,
                          0, -1, {}, bits};
  exact.push_back(dir.file("bilevel-white.tif"));
  test::writeTiffFile(exact.back(), white);
  Bytes nibbles((w + 1) / 2 * h);
  for (std::size_t i = 0; i < nibbles.size(); ++i)
    nibbles[i] = std::uint8_t(i * 29 + 3);
  test::TiffFixture palette{w, h,  4,  1,      PHOTOMETRIC_PALETTE, COMPRESSION_NONE, 0, 1,
                            0, -1, {}, nibbles};
  for (int k = 0; k < 3; ++k)
    for (int v = 0; v < 16; ++v)
      palette.colourMap.push_back(std::uint16_t(((v * 16 + k * 60) % 256) * 257));
  exact.push_back(dir.file("palette4.tif"));
  test::writeTiffFile(exact.back(), palette);
  Bytes rgba;
  for (std::size_t i = 0; i < rgb.size(); i += 3)
    rgba.insert(rgba.end(), {rgb[i], rgb[i + 1], rgb[i + 2], 255});
  test::TiffFixture alpha{
      w, h, 8, 4, PHOTOMETRIC_RGB, COMPRESSION_NONE, 0, 1, 0, EXTRASAMPLE_ASSOCALPHA, {}, rgba};
  exact.push_back(dir.file("rgba.tif"));
  test::writeTiffFile(exact.back(), alpha);

  for (const auto& path : exact)
    compareWithMagick(path, 0);

  // The same libjpeg, not always the same settings.
  Bytes photo;
  for (int y = 0; y < 48; ++y)
    for (int x = 0; x < 64; ++x)
      photo.insert(photo.end(),
                   {std::uint8_t(x * 4), std::uint8_t(y * 5), std::uint8_t((x + y) * 2)});
  test::writeJpegFile(dir.file("photo.jpg"), 64, 48, 3, JCS_RGB, photo, 90);
  compareWithMagick(dir.file("photo.jpg"), 1);
}

} // namespace
} // namespace quillet
