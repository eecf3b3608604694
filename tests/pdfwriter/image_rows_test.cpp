// Pictures read as rows while they are compressed: the JPEG reader's worker
// thread must give the bytes of a one-thread pipeline, and a picture that
// fails part way must give no data and the loader's own reason.

#include "pdfwriter/image_fixtures.h"
#include "pdfwriter/image_loader.h"
#include "pdfwriter/jpeg_memory.h"
#include "support/scratch_dir.h"

#include <gtest/gtest.h>

#include <jpeglib.h>

#include <cerrno>
#include <filesystem>
#include <string>

namespace quillet {
namespace {

using tarvek::test::readBytes;
using tarvek::test::ScratchDir;
using test::Bytes;

Bytes texture(int width, int height, int components)
{
  Bytes samples(std::size_t(width) * height * components);
  for (std::size_t i = 0; i < samples.size(); ++i)
    samples[i] = static_cast<std::uint8_t>((i * 7 + i / 97 * 13) ^ (i >> 5));
  return samples;
}

// What ImageOut compresses for the file.
Bytes compressedRows(const std::filesystem::path& path, int quality, int& code)
{
  ImageRows rows(path);
  const JpegData data = compressJpeg({nullptr, rows.width(), rows.height(), 3, quality, &rows});
  code = rows.finish();
  return data.bytes ? Bytes(data.bytes.get(), data.bytes.get() + data.size) : Bytes{};
}

TEST(ImageRowsTest, jpegRowsCompressAsLibjpegDoesInOneThread)
{
  ScratchDir dir;
  const struct {
    const char* name;
    int width, height, components;
    std::function<void(jpeg_compress_struct&)> adjust;
  } cases[] = {
      {"baseline 4-2-0", 300, 200, 3, {}},
      {"sides off the block grid", 37, 23, 3, {}},
      {"one pixel", 1, 1, 3, {}},
      {"two wide rows", 1000, 2, 3, {}},
      {"tall and narrow", 3, 300, 3, {}},
      {"gray", 61, 45, 1, {}},
      {"progressive", 200, 150, 3, [](jpeg_compress_struct& c) { jpeg_simple_progression(&c); }},
      {"arithmetic coded", 120, 90, 3, [](jpeg_compress_struct& c) { c.arith_code = TRUE; }},
      {"restart markers", 160, 160, 3, [](jpeg_compress_struct& c) { c.restart_interval = 3; }},
      {"no subsampling", 90, 70, 3,
       [](jpeg_compress_struct& c) {
         for (int i = 0; i < 3; ++i)
           c.comp_info[i].h_samp_factor = c.comp_info[i].v_samp_factor = 1;
       }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const auto path = dir.file(std::string(c.name) + ".jpg");
    test::writeJpegFile(path, c.width, c.height, c.components,
                        c.components == 1 ? JCS_GRAYSCALE : JCS_RGB,
                        texture(c.width, c.height, c.components), 90, c.adjust);
    for (const int quality : {100, 40}) {
      int code = -1;
      const Bytes ours = compressedRows(path, quality, code);
      EXPECT_EQ(code, kImageOk);
      const Bytes reference = test::recompressJpeg(path, quality);
      ASSERT_FALSE(reference.empty());
      EXPECT_TRUE(ours == reference) << "quality " << quality << ": " << ours.size()
                                     << " bytes against " << reference.size();
    }
  }
}

// A file broken at any stage fails as loadImageFile fails on it, and the
// compressor, which got rows before the fault, returns nothing.
TEST(ImageRowsTest, aPictureThatFailsPartWayGivesNoData)
{
  ScratchDir dir;
  const auto good = dir.file("good.jpg");
  test::writeJpegFile(good, 400, 300, 3, JCS_RGB, texture(400, 300, 3), 95);
  const std::string bytes = readBytes(good);
  const std::size_t end = bytes.rfind("\xFF\xD9");
  // A second frame header after the scan is met only once every row is
  // decoded, when the reader finishes the file.
  const std::string frame = bytes.substr(bytes.find("\xFF\xC0"), 19);
  std::string corruptScan = bytes;
  corruptScan.replace(bytes.size() / 2, 2, "\xFF\xC4");
  const std::string fixtures = std::string(TARVEK_TEST_SOURCE_DIR) + "/fixtures/images/";

  const struct {
    const char* name;
    std::filesystem::path path;
    int code;
  } cases[] = {
      {"cut in the middle of its scan", dir.write("cut.jpg", bytes.substr(0, bytes.size() * 3 / 5)),
       kImageReadError},
      {"a marker in its scan", dir.write("marker.jpg", corruptScan), kImageReadError},
      {"a second frame after its rows",
       dir.write("frame.jpg", bytes.substr(0, end) + frame + bytes.substr(end)),
       kImageLibraryFailed},
      {"more scans than any picture", fixtures + "scan-bomb.jpg", kImageCorrupt},
      {"missing", dir.file("missing.jpg"), kImageCannotOpen},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_FALSE(loadImageFile(c.path));
    ASSERT_EQ(lastImageError(), c.code);
    int code = -1;
    EXPECT_TRUE(compressedRows(c.path, 90, code).empty());
    EXPECT_EQ(code, c.code);
    EXPECT_EQ(lastImageError(), c.code);
    EXPECT_EQ(lastImageOpenError(), c.code == kImageCannotOpen ? ENOENT : 0);
  }
}

// Rows left untaken: the reader stops and its thread ends with the object.
TEST(ImageRowsTest, readingLeftPartWayEndsWithTheObject)
{
  ScratchDir dir;
  const auto path = dir.file("large.jpg");
  test::writeJpegFile(path, 1200, 900, 3, JCS_RGB, texture(1200, 900, 3), 95);
  for (const int taken : {0, 1, 450}) {
    ImageRows rows(path);
    ASSERT_EQ(rows.height(), 900);
    for (int y = 0; y < taken; ++y)
      ASSERT_NE(rows.row(y), nullptr) << "row " << y;
  }
}

} // namespace
} // namespace quillet
