#include "pdfwriter/image_format_fixtures.h"
#include "pdfwriter/image_loader.h"
#include "pdfwriter/image_readers.h"
#include "support/child_peak_memory.h"
#include "support/scratch_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <string_view>

namespace quillet {
namespace {

using tarvek::test::ScratchDir;
using test::ByteWriter;
using test::Bytes;
using test::IndexedPicture;
using test::Picture;

std::string describe(const Bytes& bytes)
{
  std::ostringstream out;
  for (std::size_t i = 0; i < bytes.size() && i < 60; ++i)
    out << int(bytes[i]) << (i % 3 == 2 ? " | " : " ");
  return out.str();
}

// A file and what the loader must make of it: the picture, or an error.
struct Case {
  std::string name; // with the extension that picks the reader
  Bytes file;
  Picture expected;
  int error = kImageOk;
};

void check(const ScratchDir& dir, const Case& c)
{
  const auto path = dir.write(c.name, std::string(c.file.begin(), c.file.end()));
  const auto image = loadImageFile(path);
  if (c.error != kImageOk) {
    EXPECT_FALSE(image) << c.name;
    EXPECT_EQ(lastImageError(), c.error) << c.name;
    return;
  }
  ASSERT_TRUE(image) << c.name << ": error " << lastImageError();
  EXPECT_EQ(image->width, c.expected.width) << c.name;
  EXPECT_EQ(image->height, c.expected.height) << c.name;
  EXPECT_EQ(image->pixels, c.expected.rgb)
      << c.name << "\n got " << describe(image->pixels) << "\nwant " << describe(c.expected.rgb);
}

void checkAll(const std::vector<Case>& cases)
{
  ScratchDir dir;
  for (const Case& c : cases)
    check(dir, c);
}

Picture gray(const Picture& picture)
{
  Picture out{picture.width, picture.height, {}};
  for (std::uint8_t level : test::grayLevels(picture))
    out.rgb.insert(out.rgb.end(), 3, level);
  return out;
}

// What 5-5-5 keeps of each channel.
Picture fiveBits(Picture picture)
{
  for (std::uint8_t& v : picture.rgb)
    v &= 0xF8;
  return picture;
}

Bytes interleave(const Picture& picture, int channels)
{
  if (channels == 1)
    return test::grayLevels(picture);
  Bytes out;
  for (std::size_t i = 0; i < picture.rgb.size(); i += 3) {
    out.insert(out.end(), picture.rgb.begin() + std::ptrdiff_t(i),
               picture.rgb.begin() + std::ptrdiff_t(i + 3));
    if (channels == 4)
      out.push_back(std::uint8_t(i));
  }
  return out;
}

Bytes patched(Bytes bytes, std::size_t at, std::initializer_list<std::uint8_t> values)
{
  for (std::uint8_t v : values)
    bytes.at(at++) = v;
  return bytes;
}

TEST(ImageReadersTest, bmpUncompressedAtEveryDepthAndOrientation)
{
  const Picture picture = test::samplePicture(5, 4);
  // Three pixels of 24 bits leave three pad bytes per row.
  const Picture narrow = test::samplePicture(3, 2);
  std::vector<Case> cases = {
      {"bottom-up24.bmp", test::bmpFile(picture, false), picture},
      {"top-down24.bmp", test::bmpFile(picture, true), picture},
      {"narrow24.bmp", test::bmpFile(narrow, false), narrow},
  };
  EXPECT_EQ(test::bmpFile(narrow, false).size(), 54u + 2 * 12);
  for (int bits : {1, 4, 8}) {
    const IndexedPicture indexed = test::sampleIndexed(9, 3, 1 << std::min(bits, 5));
    for (bool topDown : {false, true})
      cases.push_back({"indexed" + std::to_string(bits) + (topDown ? "-top" : "-bottom") + ".bmp",
                       test::bmpFile(indexed, bits, topDown), indexed.expanded()});
  }
  checkAll(cases);
}

TEST(ImageReadersTest, bmpRunLengthEscapes)
{
  Bytes palette;
  for (int i = 0; i < 16; ++i)
    palette.insert(palette.end(), {std::uint8_t(i * 16 + 5), std::uint8_t(250 - i * 15),
                                   std::uint8_t(i * 8 + 1)});
  auto colour = [&](int i) { return Bytes(palette.begin() + i * 3, palette.begin() + i * 3 + 3); };
  const Bytes black = {0, 0, 0};
  auto rows = [](std::initializer_list<Bytes> pixels) {
    Bytes out;
    for (const Bytes& p : pixels)
      out.insert(out.end(), p.begin(), p.end());
    return out;
  };

  // Bottom row: a run of three, then an absolute run of three of which one
  // pixel fits; end of line; a delta up to the top row; a run; the end.
  // The middle row is never written and stays black.
  const Bytes rle8 = {3, 1, 0, 3, 2, 3, 1, 0, 0, 0, 0, 2, 1, 1, 2, 3, 0, 1};
  const Picture rle8Picture{4, 3,
                            rows({black, colour(3), colour(3), black, black, black, black, black,
                                  colour(1), colour(1), colour(1), colour(2)})};
  // Bottom row: an absolute run of five nibbles (padded), a run of one;
  // end of line; a delta right by two, an absolute run of three, a run of
  // three alternating nibbles cut at the row end.
  const Bytes rle4 = {0, 5, 0x12, 0x34, 0x50, 0, 1, 0x60, 0, 0, 0, 2, 2, 0,
                      0, 3, 0xAB, 0xC0, 3, 0xDE, 0, 1};
  const Picture rle4Picture{6, 2,
                            rows({black, black, colour(10), colour(11), colour(12), colour(13),
                                  colour(1), colour(2), colour(3), colour(4), colour(5),
                                  colour(6)})};
  checkAll({
      {"rle8.bmp", test::bmpFileWithData(4, 3, 8, 1, palette, rle8), rle8Picture},
      {"rle4.bmp", test::bmpFileWithData(6, 2, 4, 2, palette, rle4), rle4Picture},
      {"delta-out.bmp", test::bmpFileWithData(4, 3, 8, 1, palette, {0, 2, 0, 5, 0, 1}), {}, 16},
      {"run-past-top.bmp",
       test::bmpFileWithData(4, 1, 8, 1, palette, {0, 0, 2, 1, 0, 1}),
       {},
       kImageCorrupt},
      {"rle-no-end.bmp", test::bmpFileWithData(4, 3, 8, 1, palette, {2, 1}), {}, kImageReadError},
      {"rle8-on-4-bits.bmp", test::bmpFileWithData(4, 3, 4, 1, palette, rle8), {}, 8},
  });
}

TEST(ImageReadersTest, bmpHeadersThatLie)
{
  const Bytes good = test::bmpFile(test::samplePicture(4, 2), false);
  checkAll({
      {"magic.bmp", patched(good, 0, {'X'}), {}, kImageCorrupt},
      {"planes.bmp", patched(good, 26, {2}), {}, kImageCorrupt},
      {"bits16.bmp", patched(good, 28, {16}), {}, kImageUnsupported},
      {"bitfields.bmp", patched(good, 30, {3}), {}, kImageUnsupported},
      {"core-header.bmp", patched(good, 14, {12}), {}, kImageUnsupported},
      {"negative-width.bmp", patched(good, 18, {0xFC, 0xFF, 0xFF, 0xFF}), {}, kImageCorrupt},
      {"offset-past-file.bmp", patched(good, 10, {0xFF, 0xFF, 0, 0}), {}, kImageCorrupt},
      {"offset-in-palette.bmp",
       patched(test::bmpFile(test::sampleIndexed(4, 2, 16), 4, false), 10, {60}),
       {},
       kImageCorrupt},
  });
}

TEST(ImageReadersTest, tgaTypesDepthsAndOrientations)
{
  const Picture picture = test::samplePicture(6, 4);
  const IndexedPicture indexed = test::sampleIndexed(7, 3, 12);
  Picture indexed16 = fiveBits(indexed.expanded());
  const Picture grayPicture = gray(indexed.expanded());
  IndexedPicture grayIndexed = indexed;
  for (std::size_t i = 0; i < grayIndexed.indices.size(); ++i)
    grayIndexed.indices[i] = indexed.expanded().rgb[i * 3];
  // Stored right to left and bottom row first; both must be undone.
  std::vector<Case> cases;
  for (int descriptor : {0x00, 0x10, 0x20, 0x30})
    for (bool rle : {false, true}) {
      const std::string tag = std::to_string(descriptor) + (rle ? "-rle" : "-raw");
      cases.push_back({"true24-" + tag + ".tga", test::tgaFile(picture, 24, rle, descriptor),
                       picture});
      cases.push_back({"mapped-" + tag + ".tga",
                       test::tgaIndexedFile(indexed, false, rle, descriptor, 24),
                       indexed.expanded()});
    }
  for (bool rle : {false, true}) {
    const std::string tag = rle ? "-rle" : "-raw";
    cases.push_back({"true32" + tag + ".tga", test::tgaFile(picture, 32, rle, 0x20), picture});
    cases.push_back({"true16" + tag + ".tga", test::tgaFile(picture, 16, rle, 0), fiveBits(picture)});
    cases.push_back({"true15" + tag + ".tga", test::tgaFile(picture, 15, rle, 0), fiveBits(picture)});
    cases.push_back({"map16" + tag + ".tga", test::tgaIndexedFile(indexed, false, rle, 0, 16),
                     indexed16});
    cases.push_back({"map32" + tag + ".tga", test::tgaIndexedFile(indexed, false, rle, 0, 32),
                     indexed.expanded()});
    cases.push_back({"gray" + tag + ".tga", test::tgaIndexedFile(grayIndexed, true, rle, 0x20, 0),
                     grayPicture});
  }
  checkAll(cases);
}

TEST(ImageReadersTest, tgaVariantsAndBrokenRuns)
{
  const Bytes good = test::tgaFile(test::samplePicture(2, 2), 24, true, 0x20);
  const IndexedPicture indexed = test::sampleIndexed(3, 2, 4);
  Bytes bigMap = test::tgaIndexedFile(indexed, false, false, 0, 24);
  bigMap = patched(bigMap, 5, {0x2C, 0x01});
  ByteWriter withId;
  const Bytes raw = test::tgaFile(test::samplePicture(2, 2), 24, false, 0x20);
  withId.u8(3).append(Bytes(raw.begin() + 1, raw.begin() + 18)).text("abc");
  withId.append(Bytes(raw.begin() + 18, raw.end()));
  checkAll({
      {"run-past-image.tga", patched(good, 18, {0xFF}), {}, kImageCorrupt},
      {"map-of-300.tga", bigMap, {}, kImageUnsupported},
      {"type0.tga", patched(good, 2, {0}), {}, kImageUnsupported},
      {"type5.tga", patched(good, 2, {5}), {}, kImageUnsupported},
      {"depth12.tga", patched(good, 16, {12}), {}, kImageUnsupported},
      {"with-id.tga", withId.bytes, test::samplePicture(2, 2)},
  });
}

TEST(ImageReadersTest, celBothLayouts)
{
  IndexedPicture indexed = test::sampleIndexed(5, 3, 7);
  // Six-bit levels: the top one reads as 252; entry 1 is pure red.
  indexed.palette[0] = 252;
  indexed.palette[3] = 252;
  indexed.palette[4] = 0;
  indexed.palette[5] = 0;
  for (std::uint8_t& v : indexed.palette)
    v &= 0xFC;
  const Picture picture = indexed.expanded();
  const Bytes colours = test::celSubChunk(4, test::celColourData(indexed.palette));
  const Bytes colours64 = test::celSubChunk(11, test::celColourData(indexed.palette));
  const Bytes copy = test::celSubChunk(16, indexed.indices);
  const Bytes byteRun = test::celSubChunk(15, test::celByteRunData(5, 3, indexed.indices));
  const Bytes clear = test::celSubChunk(13, {});
  const Bytes skipped = test::celSubChunk(18, {1, 2, 3, 4});
  IndexedPicture blank = indexed;
  std::fill(blank.indices.begin(), blank.indices.end(), 0);

  ByteWriter skippingPalette;
  skippingPalette.u16le(2).u8(0).u8(1).append({1, 2, 3}).u8(2).u8(1).append({7, 8, 9});
  Picture skippedEntries{2, 1, {1, 2, 3, 7, 8, 9}};
  checkAll({
      {"simple.cel", test::simpleCelFile(indexed), picture},
      {"flic-copy.cel", test::flicCelFile(5, 3, {colours, copy}, true), picture},
      {"flic-brun.cel", test::flicCelFile(5, 3, {skipped, colours64, byteRun}, false), picture},
      {"flic-clear.cel", test::flicCelFile(5, 3, {colours, clear}, false), blank.expanded()},
      {"flic-palette-skips.cel",
       test::flicCelFile(2, 1, {test::celSubChunk(4, skippingPalette.bytes),
                                test::celSubChunk(16, {0, 3})},
                         false),
       skippedEntries},
      {"flic-copy-size.cel",
       test::flicCelFile(5, 3, {colours, test::celSubChunk(16, Bytes(14, 0))}, false),
       {},
       kImageCorrupt},
      {"flic-colour-size.cel",
       test::flicCelFile(5, 3, {test::celSubChunk(4, {1, 0, 0, 1, 9, 9, 9, 0}), copy}, false),
       {},
       kImageCorrupt},
      {"flic-brun-row-overrun.cel",
       test::flicCelFile(5, 3, {colours, test::celSubChunk(15, {0, 6, 1})}, false),
       {},
       kImageCorrupt},
      {"flic-sub-99.cel", test::flicCelFile(5, 3, {test::celSubChunk(99, {})}, false), {}, 8},
      {"simple-16-bits.cel", patched(test::simpleCelFile(indexed), 10, {16}), {}, 8},
      {"flic-depth-16.cel", patched(test::flicCelFile(5, 3, {copy}, false), 12, {16}), {}, 8},
      {"neither.cel", patched(test::flicCelFile(5, 3, {copy}, false), 4, {0}), {}, 8},
  });
}

TEST(ImageReadersTest, sgiChannelsAndStorage)
{
  const Picture picture = test::samplePicture(6, 5);
  std::vector<Case> cases;
  for (int channels : {1, 3, 4})
    for (bool rle : {false, true})
      cases.push_back({"c" + std::to_string(channels) + (rle ? "-rle" : "-verbatim") + ".rgb",
                       test::sgiFile(6, 5, channels, interleave(picture, channels), rle),
                       channels == 1 ? gray(picture) : picture});
  const Bytes rle = test::sgiFile(6, 5, 3, interleave(picture, 3), true);
  cases.push_back({"offset-past-file.rgb", patched(rle, 512, {0x7F, 0, 0, 0}), {}, kImageCorrupt});
  cases.push_back({"length-past-file.rgb", patched(rle, 512 + 15 * 4, {0x7F, 0, 0, 0}), {},
                   kImageCorrupt});
  // The last row's end mark turned into a run longer than the row.
  cases.push_back({"row-past-width.rgb", patched(rle, rle.size() - 1, {0x7F}), {}, kImageCorrupt});
  cases.push_back({"two-bytes.rgb", patched(rle, 3, {2}), {}, kImageUnsupported});
  cases.push_back({"magic.rgb", patched(rle, 0, {0}), {}, kImageUnsupported});
  cases.push_back({"two-channels.rgb", patched(rle, 11, {2}), {}, kImageUnsupported});
  checkAll(cases);
}

TEST(ImageReadersTest, psdModesAndCompression)
{
  const Picture picture = test::samplePicture(7, 4);
  const IndexedPicture indexed = test::sampleIndexed(7, 4, 9);
  Bytes planes(768, 0);
  for (std::size_t i = 0; i < indexed.palette.size() / 3; ++i)
    for (int c = 0; c < 3; ++c)
      planes[std::size_t(c) * 256 + i] = indexed.palette[i * 3 + std::size_t(c)];
  std::vector<Case> cases;
  for (bool rle : {false, true}) {
    const std::string tag = rle ? "-rle.psd" : "-raw.psd";
    cases.push_back({"rgb" + tag, test::psdFile(7, 4, 3, 3, interleave(picture, 3), rle, {}),
                     picture});
    cases.push_back({"rgba" + tag, test::psdFile(7, 4, 3, 4, interleave(picture, 4), rle, {}),
                     picture});
    cases.push_back({"gray" + tag, test::psdFile(7, 4, 1, 1, interleave(picture, 1), rle, {}),
                     gray(picture)});
    cases.push_back({"duotone" + tag,
                     test::psdFile(7, 4, 8, 1, interleave(picture, 1), rle, {1, 2, 3, 4, 5}),
                     gray(picture)});
    cases.push_back({"indexed" + tag, test::psdFile(7, 4, 2, 1, indexed.indices, rle, planes),
                     indexed.expanded()});
  }
  const Bytes rgb = test::psdFile(7, 4, 3, 3, interleave(picture, 3), false, {});
  cases.push_back({"depth16.psd", patched(rgb, 22, {0, 16}), {}, kImageUnsupported});
  cases.push_back({"cmyk.psd", patched(rgb, 24, {0, 4}), {}, kImageUnsupported});
  cases.push_back({"lab.psd", patched(rgb, 24, {0, 9}), {}, kImageUnsupported});
  cases.push_back({"five-channels.psd", patched(rgb, 12, {0, 5}), {}, kImageUnsupported});
  cases.push_back({"signature.psd", patched(rgb, 0, {'9'}), {}, kImageCorrupt});
  cases.push_back({"version2.psd", patched(rgb, 5, {2}), {}, kImageCorrupt});
  cases.push_back({"compression2.psd", patched(rgb, 38, {0, 2}), {}, kImageUnsupported});
  cases.push_back({"rgb-with-mode-data.psd",
                   test::psdFile(7, 4, 3, 3, interleave(picture, 3), false, {1, 2}),
                   {},
                   kImageUnsupported});
  // The first row's count says 2 bytes; its run needs a third.
  ByteWriter overrun;
  overrun.text("8BPS").u16be(1).zeros(6).u16be(1).u32be(1).u32be(4).u16be(8).u16be(1);
  overrun.u32be(0).u32be(0).u32be(0).u16be(1).u16be(2).append({3, 1, 2, 3, 4});
  cases.push_back({"packbits-past-count.psd", overrun.bytes, {}, kImageCorrupt});
  // 128 is a no-op, as ImageMagick writes at every row end.
  ByteWriter noOp;
  noOp.text("8BPS").u16be(1).zeros(6).u16be(1).u32be(1).u32be(4).u16be(8).u16be(1);
  noOp.u32be(0).u32be(0).u32be(0).u16be(1).u16be(4).append({128, 0xFD, 7, 128});
  cases.push_back({"packbits-no-op.psd", noOp.bytes, Picture{4, 1, Bytes(12, 7)}});
  checkAll(cases);
}

TEST(ImageReadersTest, iffPlanesMaskAndChunks)
{
  const IndexedPicture indexed = test::sampleIndexed(19, 4, 200);
  // Three colours: an odd CMAP that must be padded.
  const IndexedPicture small = test::sampleIndexed(5, 2, 3);
  const Bytes plain = test::ilbmFile(indexed, false);
  // The BMHD's plane count is byte 28, its compression byte 30; the CMAP
  // chunk starts at 40.
  Bytes unknown = test::ilbmFile(small, false);
  std::copy_n("ANNO", 4, unknown.begin() + 40);
  Bytes shortBody = plain;
  const std::string_view bodyTag = "BODY";
  const auto body = std::search(shortBody.begin(), shortBody.end(), bodyTag.begin(), bodyTag.end()) + 7;
  --*body;
  // An empty CMAP leaves every index black.
  IndexedPicture noColours = small;
  noColours.palette.clear();
  const Picture black{small.width, small.height, Bytes(std::size_t(small.width) * small.height * 3, 0)};
  checkAll({
      {"plain.iff", plain, indexed.expanded()},
      {"masked.iff", test::ilbmFile(indexed, true), indexed.expanded()},
      {"odd-cmap.iff", test::ilbmFile(small, false), small.expanded()},
      {"four-planes.iff", patched(plain, 28, {4}), {}, kImageUnsupported},
      {"uncompressed.iff", patched(plain, 30, {0}), {}, kImageUnsupported},
      {"unknown-chunk.iff", unknown, {}, kImageCorrupt},
      {"not-ilbm.iff", patched(plain, 8, {'P'}), {}, kImageCorrupt},
      {"body-size.iff", shortBody, {}, kImageCorrupt},
      {"empty-cmap.iff", test::ilbmFile(noColours, false), black},
  });
}

// Every reader: a short file, a zero width, a size past the cap, no file,
// and a size the file's data cannot fill (refused before the raster is
// made: short, or corrupt where the data's own length says so).
TEST(ImageReadersTest, hostileFilesOfEveryFormat)
{
  const Picture picture = test::samplePicture(4, 3);
  const IndexedPicture indexed = test::sampleIndexed(4, 3, 5);
  struct Format {
    const char* extension;
    Bytes file;
    std::size_t widthAt, heightAt; // byte offsets of the size fields
    bool bigEndian, wide;          // 32-bit fields when wide
    int claimCode;
  };
  const std::vector<Format> formats = {
      {".bmp", test::bmpFile(picture, false), 18, 22, false, true, kImageReadError},
      {".tga", test::tgaFile(picture, 24, false, 0x20), 12, 14, false, false, kImageReadError},
      {"-rle.tga", test::tgaFile(picture, 24, true, 0x20), 12, 14, false, false, kImageReadError},
      {".cel", test::simpleCelFile(indexed), 2, 4, false, false, kImageReadError},
      {"-flic.cel", test::flicCelFile(4, 3, {test::celSubChunk(16, indexed.indices)}, false), 8,
       10, false, false, kImageCorrupt},
      {"-brun.cel",
       test::flicCelFile(4, 3, {test::celSubChunk(15, test::celByteRunData(4, 3, indexed.indices))},
                         false),
       8, 10, false, false, kImageCorrupt},
      {".rgb", test::sgiFile(4, 3, 3, interleave(picture, 3), false), 6, 8, true, false,
       kImageReadError},
      {"-rle.rgb", test::sgiFile(4, 3, 3, interleave(picture, 3), true), 6, 8, true, false,
       kImageReadError},
      {".psd", test::psdFile(4, 3, 3, 3, interleave(picture, 3), false, {}), 18, 14, true, true,
       kImageReadError},
      {"-rle.psd", test::psdFile(4, 3, 3, 3, interleave(picture, 3), true, {}), 18, 14, true, true,
       kImageReadError},
      {".iff", test::ilbmFile(indexed, false), 20, 22, true, false, kImageCorrupt},
  };
  std::vector<Case> cases;
  for (const Format& f : formats) {
    const std::string name = f.extension;
    auto sized = [&](std::uint32_t width, std::uint32_t height) {
      Bytes bytes = f.file;
      for (auto [at, value] : {std::pair{f.widthAt, width}, std::pair{f.heightAt, height}}) {
        const int n = f.wide ? 4 : 2;
        for (int k = 0; k < n; ++k)
          bytes.at(at + std::size_t(f.bigEndian ? n - 1 - k : k)) =
              std::uint8_t(value >> (8 * k));
      }
      return bytes;
    };
    cases.push_back({"header-cut" + name, Bytes(f.file.begin(), f.file.begin() + 12), {},
                     kImageReadError});
    // RLE rows of SGI files are found through their offsets: a row cut off
    // lies past the end of the file, which is corrupt.
    cases.push_back({"data-cut" + name, Bytes(f.file.begin(), f.file.end() - 3), {},
                     name == "-rle.rgb" ? kImageCorrupt : kImageReadError});
    cases.push_back({"zero-width" + name, sized(0, 3), {}, kImageZeroSize});
    cases.push_back({"huge" + name, sized(60000, 60000), {}, kImageOverBudget});
    cases.push_back({"claims-more" + name, sized(4000, 3000), {}, f.claimCode});
  }
  checkAll(cases);
  for (const char* extension : {".bmp", ".tga", ".cel", ".rgb", ".psd", ".iff"}) {
    EXPECT_FALSE(loadImageFile(std::string("/nonexistent/missing") + extension));
    EXPECT_EQ(lastImageError(), kImageCannotOpen) << extension;
  }
}

// A run-length Targa file of width x height pixels, all one colour: 128
// pixels in every packet, so a few megabytes claim a picture of hundreds.
std::string tgaRunsFile(std::uint16_t width, std::uint16_t height, bool gray)
{
  const std::uint8_t type = gray ? 11 : 10;
  const std::uint8_t depth = gray ? 8 : 24;
  std::string file{0, 0, char(type), 0, 0, 0, 0, 0, 0, 0, 0, 0,
                   char(width & 0xFF), char(width >> 8), char(height & 0xFF), char(height >> 8),
                   char(depth), 0x20};
  const std::string packet = gray ? std::string{char(0xFF), char(0x80)}
                                  : std::string{char(0xFF), char(0x10), char(0x20), char(0x30)};
  const std::uint64_t pixels = std::uint64_t(width) * height;
  for (std::uint64_t done = 0; done < pixels; done += 128)
    file += packet;
  return file;
}

// Hostile pictures are refused with the process's peak memory (measured in
// a forked child) far below what their headers claim: run-length Targa
// files whose raster fits the cap but whose decoding buffers and 24-bit
// expansion would not, a progressive JPEG of 200 repeated scans, and a PNG
// whose text chunk claims 1.6 GB.
TEST(ImageReadersTest, hostileFilesStayWithinTheBudget)
{
  ScratchDir dir;
  const std::string fixtures = std::string(TARVEK_TEST_SOURCE_DIR) + "/fixtures/images/";
  const struct {
    std::string path;
    int error;
  } cases[] = {
      {dir.write("rgb-runs.tga", tgaRunsFile(10000, 8000, false)).string(), kImageOverBudget},
      {dir.write("gray-runs.tga", tgaRunsFile(9000, 9000, true)).string(), kImageOverBudget},
      {fixtures + "scan-bomb.jpg", kImageCorrupt},
      {fixtures + "text-claim.png", kImageReadError},
  };
  for (const auto& c : cases) {
    const tarvek::test::ChildRun run = tarvek::test::runInChild([&] {
      return !loadImageFile(c.path) && lastImageError() == c.error;
    });
    ASSERT_TRUE(run.ended) << c.path;
    EXPECT_TRUE(run.answer) << c.path << ": not refused with error " << c.error;
    EXPECT_LT(run.peakKiB, 300L * 1024) << c.path;
  }
}

// The reader's own contract, below the loader: an emptied raster and the
// error kept, or a raster in the stated layout.
TEST(ImageReadersTest, readersEmptyTheRasterOnFailure)
{
  ScratchDir dir;
  const Picture picture = test::samplePicture(4, 3);
  const auto good = dir.write("good.tga", [&] {
    const Bytes b = test::tgaFile(picture, 24, false, 0x20);
    return std::string(b.begin(), b.end());
  }());
  RasterRecord raster;
  ASSERT_EQ(readTGA(good, &raster), kImageOk);
  EXPECT_EQ(raster.bits, 24);
  EXPECT_EQ(raster.swapRedBlue, 1);
  const Bytes cut = test::tgaFile(picture, 24, false, 0x20);
  const auto bad = dir.write("cut.tga", std::string(cut.begin(), cut.end() - 1));
  EXPECT_EQ(readTGA(bad, &raster), kImageReadError);
  EXPECT_EQ(lastImageError(), kImageReadError);
  EXPECT_TRUE(raster.pixels.empty());
  EXPECT_TRUE(raster.palette.empty());
  EXPECT_EQ(raster.width, 0);
  EXPECT_EQ(raster.transparentIndex, -1);
  for (auto reader : {readBMP, readTGA, readCEL, readSGI, readPSD, readIFF})
    EXPECT_EQ(reader(good, nullptr), kImageNoRaster);
}

} // namespace
} // namespace quillet
