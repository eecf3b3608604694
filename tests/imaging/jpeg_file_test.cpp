// JPEG files: what saveJPG writes, read back with libjpeg's plain API, its
// failures, and the reader over hostile files.
#include "imaging/jpeg_file.h"

#include "imaging/dib_section.h"
#include "runtime/random_source.h"
#include "support/scratch_dir.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include <jpeglib.h>

namespace tarvek {
namespace {

using test::readBytes;
using test::ScratchDir;

struct Decoded {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rgb;  // top row first
  std::vector<int> luminanceTable;
};

// Straight libjpeg, as any viewer reads the file; libjpeg's default error
// handler ends the test program on a broken file.
Decoded decodeWithLibjpeg(const std::string& bytes)
{
  jpeg_decompress_struct cinfo;
  jpeg_error_mgr errors;
  cinfo.err = jpeg_std_error(&errors);
  jpeg_create_decompress(&cinfo);
  jpeg_mem_src(&cinfo, reinterpret_cast<const unsigned char*>(bytes.data()),
               static_cast<unsigned long>(bytes.size()));
  jpeg_read_header(&cinfo, TRUE);
  Decoded d;
  for (int i = 0; i < DCTSIZE2; ++i)
    d.luminanceTable.push_back(cinfo.quant_tbl_ptrs[0]->quantval[i]);
  cinfo.out_color_space = JCS_RGB;
  jpeg_start_decompress(&cinfo);
  d.width = static_cast<int>(cinfo.output_width);
  d.height = static_cast<int>(cinfo.output_height);
  d.rgb.resize(static_cast<std::size_t>(d.width) * d.height * 3);
  while (cinfo.output_scanline < cinfo.output_height) {
    JSAMPROW row = d.rgb.data() + static_cast<std::size_t>(cinfo.output_scanline) * d.width * 3;
    jpeg_read_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_decompress(&cinfo);
  jpeg_destroy_decompress(&cinfo);
  return d;
}

// Fills image row `top` (counted from the top) with one colour.
void fillImageRow(cDIBSection& dib, int top, std::uint8_t r, std::uint8_t g, std::uint8_t b)
{
  std::uint8_t* row = dib.DIBSectionBitsPtr() + (dib.height() - 1 - top) * dib.BytesPerScanLine();
  for (int x = 0; x < dib.width(); ++x) {
    row[3 * x] = b;
    row[3 * x + 1] = g;
    row[3 * x + 2] = r;
  }
}

// The top half red, the bottom half blue.
cDIBSection redOverBlue(int w, int h)
{
  cDIBSection dib;
  EXPECT_TRUE(dib.Create(w, h));
  for (int y = 0; y < h; ++y) {
    if (y < h / 2)
      fillImageRow(dib, y, 255, 0, 0);
    else
      fillImageRow(dib, y, 0, 0, 255);
  }
  return dib;
}

void expectNear(const std::uint8_t* p, int r, int g, int b, const std::string& where)
{
  EXPECT_NEAR(p[0], r, 8) << where;
  EXPECT_NEAR(p[1], g, 8) << where;
  EXPECT_NEAR(p[2], b, 8) << where;
}

// The bottom-up rows come out upright, and row padding of every width is
// skipped.
TEST(JpegFileTest, writesUprightPicturesOfEveryRowPadding)
{
  ScratchDir dir;
  for (int w = 1; w <= 5; ++w) {
    const cDIBSection dib = redOverBlue(w, 16);
    const std::string path = dir.file("w" + std::to_string(w) + ".jpg").string();
    ASSERT_TRUE(saveJPG(dib, path, 100));
    const Decoded d = decodeWithLibjpeg(readBytes(path));
    ASSERT_EQ(d.width, w);
    ASSERT_EQ(d.height, 16);
    for (int x = 0; x < w; ++x) {
      expectNear(&d.rgb[3 * x], 255, 0, 0, "top, width " + std::to_string(w));
      expectNear(&d.rgb[(15 * w + x) * 3], 0, 0, 255, "bottom, width " + std::to_string(w));
    }
  }
}

// libjpeg's quality scaling of the standard luminance table's first entry 16.
TEST(JpegFileTest, qualityChoosesTheQuantisationTable)
{
  const struct {
    int quality;
    int first;
  } cases[] = {{100, 1}, {90, 3}, {75, 8}, {70, 10}, {250, 1}};
  ScratchDir dir;
  const cDIBSection dib = redOverBlue(8, 8);
  for (const auto& c : cases) {
    const std::string path = dir.file("q.jpg").string();
    ASSERT_TRUE(saveJPG(dib, path, c.quality));
    const Decoded d = decodeWithLibjpeg(readBytes(path));
    EXPECT_EQ(d.luminanceTable[0], c.first) << "quality " << c.quality;
    if (c.quality >= 100) {
      EXPECT_EQ(d.luminanceTable, std::vector<int>(64, 1));
    }
  }
}

TEST(JpegFileTest, writesNamesBeyondAscii)
{
  ScratchDir dir;
  const std::string path = dir.file("Grüße.jpg").string();
  ASSERT_TRUE(saveJPG(redOverBlue(4, 4), path, 90));
  EXPECT_EQ(decodeWithLibjpeg(readBytes(path)).width, 4);
}

void expectSaveFails(const cDIBSection& dib, const std::string& path)
{
  try {
    saveJPG(dib, path, 90);
    ADD_FAILURE() << "saved " << path;
  } catch (const JpegError& e) {
    EXPECT_EQ(e.code(), -2147221503);
    EXPECT_STREQ(e.what(), "Speichern fehlgeschlagen");
    EXPECT_NE(e.detail().find(path), std::string::npos) << e.detail();
  }
}

// Whole or not at all: a failed save leaves no file and an older file as it
// was.
TEST(JpegFileTest, failedSavesLeaveNoFileAndKeepTheOldOne)
{
  ScratchDir dir;
  const std::string inMissing = dir.file("missing/pic.jpg").string();
  expectSaveFails(redOverBlue(4, 4), inMissing);
  EXPECT_FALSE(std::filesystem::exists(dir.file("missing")));

  cDIBSection cleared = redOverBlue(4, 4);
  cleared.ClearUp();
  expectSaveFails(cleared, dir.file("cleared.jpg").string());
  EXPECT_FALSE(std::filesystem::exists(dir.file("cleared.jpg")));

  const auto old = dir.write("old.jpg", "older bytes");
  expectSaveFails(cleared, old.string());
  EXPECT_EQ(readBytes(old), "older bytes");

  // Wider than JPEG allows: libjpeg itself refuses.
  cDIBSection wide;
  ASSERT_TRUE(wide.Create(70000, 1));
  expectSaveFails(wide, old.string());
  EXPECT_EQ(readBytes(old), "older bytes");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

TEST(JpegFileTest, readerReturnsThePixelsWritten)
{
  ScratchDir dir;
  const std::string path = dir.file("back.jpg").string();
  ASSERT_TRUE(saveJPG(redOverBlue(555, 400), path, 100));
  const JpegPicture picture = readJpegFile(path);
  ASSERT_TRUE(picture.ok()) << picture.error;
  EXPECT_EQ(picture.width, 555);
  EXPECT_EQ(picture.height, 400);
  EXPECT_EQ(picture.rgb, decodeWithLibjpeg(readBytes(path)).rgb);
  const auto size = jpegPixelSize(path);
  ASSERT_TRUE(size);
  EXPECT_EQ(size->width, 555);
  EXPECT_EQ(size->height, 400);
}

// The reduced decode picks the smallest libjpeg scale that still covers the
// size asked for, keeps the colours, and refuses what the full decode refuses.
TEST(JpegFileTest, reducedDecodeCoversTheSizeAskedFor)
{
  ScratchDir dir;
  const std::string path = dir.file("big.jpg").string();
  ASSERT_TRUE(saveJPG(redOverBlue(800, 600), path, 95));
  const struct {
    int leastWidth, leastHeight, width, height;
  } cases[] = {
    {100, 75, 100, 75},  {101, 75, 200, 150}, {100, 76, 200, 150},
    {400, 1, 400, 300},  {401, 1, 800, 600},  {0, 0, 100, 75},
  };
  for (const auto& c : cases) {
    const JpegPicture picture = readJpegFileReduced(path, c.leastWidth, c.leastHeight);
    const std::string where = std::to_string(c.leastWidth) + " x " + std::to_string(c.leastHeight);
    ASSERT_TRUE(picture.ok()) << where << ": " << picture.error;
    EXPECT_EQ(picture.width, c.width) << where;
    EXPECT_EQ(picture.height, c.height) << where;
    ASSERT_EQ(picture.rgb.size(), std::size_t{3} * c.width * c.height) << where;
    expectNear(picture.rgb.data(), 255, 0, 0, where + " top");
    expectNear(picture.rgb.data() + picture.rgb.size() - 3, 0, 0, 255, where + " bottom");
  }
  const std::string whole = readBytes(path);
  const std::string half = dir.write("half.jpg", whole.substr(0, whole.size() / 2)).string();
  EXPECT_FALSE(readJpegFileReduced(half, 10, 10).ok());
}

// A baseline JPEG header claiming width x height pixels (65,500 x 65,500
// unless told), with no scan data after it.
std::string hugeHeader(unsigned width = 65500, unsigned height = 65500)
{
  std::string bytes = {'\xff', '\xd8'};
  // A quantisation table of ones.
  bytes += std::string("\xff\xdb\x00\x43\x00", 5) + std::string(64, '\x01');
  // Start of frame: 8 bits, height then width, one component.
  bytes += std::string("\xff\xc0\x00\x0b\x08", 5);
  for (const unsigned side : {height, width})
    bytes += {static_cast<char>(side >> 8), static_cast<char>(side & 0xff)};
  bytes += std::string("\x01\x01\x11\x00", 4);
  // Start of scan, then the end of the file.
  bytes += std::string("\xff\xda\x00\x08\x01\x01\x00\x00\x3f\x00", 10);
  return bytes;
}

TEST(JpegFileTest, hostileFilesGiveAMessageWithoutACrash)
{
  ScratchDir dir;
  // Noise, so that the scan data outweighs the header.
  cDIBSection noise;
  ASSERT_TRUE(noise.Create(200, 150));
  RandomSource random(3);
  noise.RandomiseBits(false, random);
  const std::string good = dir.file("good.jpg").string();
  ASSERT_TRUE(saveJPG(noise, good, 90));
  const std::string whole = readBytes(good);
  const std::string png = std::string("\x89PNG\r\n\x1a\n", 8) + std::string(40, '\0');
  const struct {
    const char* name;
    std::string bytes;
    bool sizeKnown;
  } cases[] = {
    {"empty.jpg", "", false},
    {"half.jpg", whole.substr(0, whole.size() / 2), true},
    {"png.jpg", png, false},
    {"huge.jpg", hugeHeader(), true},
    // A small progressive picture whose last scan comes 200 times over.
    {"scans.jpg", readBytes(std::string(TARVEK_TEST_SOURCE_DIR) + "/fixtures/images/scan-bomb.jpg"),
     true},
  };
  for (const auto& c : cases) {
    const std::string path = dir.write(c.name, c.bytes).string();
    const JpegPicture picture = readJpegFile(path);
    EXPECT_FALSE(picture.ok()) << c.name;
    EXPECT_TRUE(picture.rgb.empty()) << c.name;
    EXPECT_NE(picture.error.find(c.name), std::string::npos) << picture.error;
    EXPECT_EQ(jpegPixelSize(path).has_value(), c.sizeKnown) << c.name;
  }
  EXPECT_EQ(readJpegFile(dir.file("huge.jpg").string()).error,
            "huge.jpg is 65500 \u00D7 65500 pixels; pictures up to 32767 pixels on a side can be read.");
  EXPECT_EQ(jpegPixelSize(dir.file("huge.jpg").string())->width, 65500);
  EXPECT_NE(readJpegFile(dir.file("scans.jpg").string()).error.find("more than 100 scans"),
            std::string::npos);
  EXPECT_FALSE(readJpegFile(dir.file("none.jpg").string()).ok());
}

// The reader holds the picture budget by the picture's own size, reduced
// decoding or not, before anything is decoded.
TEST(JpegFileTest, picturesOverTheBudgetAreRefusedWithItsSentence)
{
  ScratchDir dir;
  const std::string over = dir.write("6000x6000.jpg", hugeHeader(6000, 6000)).string();
  const std::string sentence = "6000x6000.jpg is 36 megapixels; pictures up to 32 megapixels can be read.";
  EXPECT_EQ(readJpegFile(over).error, sentence);
  EXPECT_EQ(readJpegFileReduced(over, 100, 100).error, sentence);
  // At the limit the header passes and the missing scan data is what fails.
  const std::string at = dir.write("8000x4000.jpg", hugeHeader(8000, 4000)).string();
  const JpegPicture picture = readJpegFile(at);
  EXPECT_FALSE(picture.ok());
  EXPECT_EQ(picture.error.find("megapixels"), std::string::npos) << picture.error;
}

} // namespace
} // namespace tarvek
