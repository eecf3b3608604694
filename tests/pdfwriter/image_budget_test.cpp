// Image files whose headers claim far more than they hold cost no memory.
#include "pdfwriter/image_fixtures.h"
#include "pdfwriter/image_format_fixtures.h"
#include "pdfwriter/image_loader.h"
#include "support/scratch_dir.h"

#include <gtest/gtest.h>

#include <jpeglib.h>
#include <png.h>
#include <zlib.h>

#include <fstream>
#include <string>
#include <vector>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#if defined(__SANITIZE_ADDRESS__)
#define TARVEK_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define TARVEK_ADDRESS_SANITIZER 1
#endif
#endif

namespace quillet {
namespace {

using tarvek::test::ScratchDir;
using test::Bytes;

// Far more than a refused file may cost, less than any of the claims below.
constexpr long kRssLimitKb = 48 * 1024;

// A side whose square is just within the picture budget (about 94 MB as 24
// bits), so that the claims below reach the readers' checks against the
// file's size.
constexpr std::uint32_t kClaimedSide = 5600;

void putBigEndian(std::string& bytes, std::size_t at, std::uint32_t value, int size)
{
  for (int i = 0; i < size; ++i)
    bytes[at + i] = static_cast<char>(value >> (8 * (size - 1 - i)));
}

void putLittleEndian(std::string& bytes, std::uint32_t value, int size)
{
  for (int i = 0; i < size; ++i)
    bytes += static_cast<char>(value >> (8 * i));
}

// A gray TIFF of width x height, one row a strip: the strip tables claim
// height entries at an offset past the end of the file.
std::string tiffWithHugeStripTables(std::uint32_t width, std::uint32_t height)
{
  struct Entry {
    std::uint16_t tag, type;
    std::uint32_t count, value;
  };
  const std::uint32_t pastTheEnd = 0x7FFF0000;
  const Entry entries[] = {{256, 4, 1, width},       {257, 4, 1, height},  {258, 3, 1, 8},
                           {259, 3, 1, 1},           {262, 3, 1, 1},       {273, 4, height, pastTheEnd},
                           {277, 3, 1, 1},           {278, 4, 1, 1},       {279, 4, height, pastTheEnd}};
  std::string bytes = "II*";
  bytes += '\0';
  putLittleEndian(bytes, 8, 4);
  putLittleEndian(bytes, std::size(entries), 2);
  for (const Entry& e : entries) {
    putLittleEndian(bytes, e.tag, 2);
    putLittleEndian(bytes, e.type, 2);
    putLittleEndian(bytes, e.count, 4);
    putLittleEndian(bytes, e.value, 4);
  }
  putLittleEndian(bytes, 0, 4);
  return bytes;
}

// A "Name:   value kB" line of /proc/self/status, in kB (-1 when missing).
long statusKb(const std::string& name)
{
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);)
    if (line.rfind(name, 0) == 0)
      return std::stol(line.substr(name.size()));
  return -1;
}

// Sets the peak resident size (VmHWM) back to the current one.
void resetPeak()
{
  std::ofstream("/proc/self/clear_refs") << "5";
}

struct Hostile {
  const char* name;
  std::string bytes;
  int code;
};

std::vector<Hostile> hostileFiles(const ScratchDir& dir)
{
  std::vector<Hostile> files;

  test::PngFixture png{8, 8, PNG_COLOR_TYPE_RGB, 8, false, std::vector<std::uint16_t>(8 * 8 * 3, 7),
                       {}, {}};
  test::writePngFile(dir.file("small.png"), png);
  const std::string pngBytes = tarvek::test::readBytes(dir.file("small.png"));
  // A text chunk whose length field claims a gigabyte the file lacks.
  files.push_back({"chunk.png", test::pngCutInChunk(pngBytes, 1u << 30), kImageReadError});
  // 200 zTXt chunks that unpack to 7.5 MiB each, 1.5 GB in all: skipped.
  files.push_back({"text.png", test::pngWithTextChunks(pngBytes, 200, std::size_t(15) << 19),
                   kImageOk});
  // Headers claiming more pixels than the budget, or more than 8 x 8 pixels
  // can fill.
  files.push_back({"budget.png", test::pngClaiming(pngBytes, 6000, 6000), kImageOverBudget});
  files.push_back({"rows.png", test::pngClaiming(pngBytes, kClaimedSide, kClaimedSide),
                   kImageReadError});

  test::GifFixture gif{4, 4, 0, {0, 0, 0, 255, 255, 255}, 0, 0, 4, 4, false, {}, Bytes(16, 1)};
  test::writeGifFile(dir.file("small.gif"), gif);
  const std::string gifBytes = tarvek::test::readBytes(dir.file("small.gif"));
  const std::size_t desc = gifBytes.find('\x2C', 13);
  auto gifClaiming = [&](std::uint16_t width, std::uint16_t height) {
    std::string bytes = gifBytes;
    for (std::size_t at : {std::size_t(6), desc + 5}) {
      bytes[at] = static_cast<char>(width & 0xFF);
      bytes[at + 1] = static_cast<char>(width >> 8);
      bytes[at + 2] = static_cast<char>(height & 0xFF);
      bytes[at + 3] = static_cast<char>(height >> 8);
    }
    return bytes;
  };
  files.push_back({"screen.gif", gifClaiming(14433, 14599), kImageOverBudget});
  files.push_back({"image.gif", gifClaiming(kClaimedSide, kClaimedSide), kImageReadError});

  test::writeJpegFile(dir.file("small.jpg"), 32, 32, 3, JCS_RGB, Bytes(32 * 32 * 3, 90), 90);
  const std::string jpgBytes = tarvek::test::readBytes(dir.file("small.jpg"));
  const std::size_t frame = jpgBytes.find("\xFF\xC0");
  auto jpegClaiming = [&](std::uint16_t width, std::uint16_t height) {
    std::string bytes = jpgBytes;
    putBigEndian(bytes, frame + 5, height, 2);
    putBigEndian(bytes, frame + 7, width, 2);
    return bytes;
  };
  files.push_back({"frame.jpg", jpegClaiming(18183, 19024), kImageOverBudget});
  files.push_back({"scan.jpg", jpegClaiming(kClaimedSide, kClaimedSide), kImageReadError});
  // Without its end marker the data ends at the end of the file instead.
  files.push_back({"cut.jpg",
                   jpegClaiming(kClaimedSide, kClaimedSide).substr(0, jpgBytes.size() - 2),
                   kImageReadError});

  files.push_back({"strips.tif", tiffWithHugeStripTables(4, 20000000), kImageNotTiff});
  files.push_back({"rows.tif", tiffWithHugeStripTables(kClaimedSide, kClaimedSide), kImageNotTiff});

  // The own readers' formats, each a small file whose header claims
  // kClaimedSide x kClaimedSide pixels.
  const test::Picture picture = test::samplePicture(4, 3);
  const test::IndexedPicture indexed = test::sampleIndexed(4, 3, 5);
  auto claiming = [](Bytes bytes, std::size_t widthAt, std::size_t heightAt, bool bigEndian,
                     int size) {
    std::string out(bytes.begin(), bytes.end());
    for (std::size_t at : {widthAt, heightAt}) {
      if (bigEndian) {
        putBigEndian(out, at, kClaimedSide, size);
        continue;
      }
      for (int i = 0; i < size; ++i)
        out[at + i] = static_cast<char>(kClaimedSide >> (8 * i));
    }
    return out;
  };
  Bytes rgb = picture.rgb;
  files.push_back({"rows.bmp", claiming(test::bmpFile(picture, false), 18, 22, false, 4),
                   kImageReadError});
  files.push_back({"runs.tga", claiming(test::tgaFile(picture, 24, true, 0), 12, 14, false, 2),
                   kImageReadError});
  files.push_back({"simple.cel", claiming(test::simpleCelFile(indexed), 2, 4, false, 2),
                   kImageReadError});
  files.push_back({"runs.cel",
                   claiming(test::flicCelFile(4, 3, {test::celSubChunk(15, test::celByteRunData(
                                                                               4, 3, indexed.indices))},
                                              false),
                            8, 10, false, 2),
                   kImageCorrupt});
  files.push_back({"runs.rgb", claiming(test::sgiFile(4, 3, 3, rgb, true), 6, 8, true, 2),
                   kImageReadError});
  files.push_back({"runs.psd", claiming(test::psdFile(4, 3, 3, 3, rgb, true, {}), 18, 14, true, 4),
                   kImageReadError});
  files.push_back({"planes.iff", claiming(test::ilbmFile(indexed, false), 20, 22, true, 2),
                   kImageCorrupt});
  return files;
}

// Each file is loaded in a forked child whose address space is capped (not
// under AddressSanitizer, which reserves terabytes of it) and whose peak
// resident memory is measured from the fork, so an allocation made from a
// claim fails the test.
TEST(ImageBudgetTest, claimsBeyondTheFileAreRefusedWithoutTheirMemory)
{
  ScratchDir dir;
  const std::vector<Hostile> files = hostileFiles(dir);
  for (const Hostile& file : files)
    dir.write(file.name, file.bytes);

  int channel[2];
  ASSERT_EQ(::pipe(channel), 0);
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
#ifndef TARVEK_ADDRESS_SANITIZER
    const rlimit cap{768L << 20, 768L << 20};
    ::setrlimit(RLIMIT_AS, &cap);
#endif
    // The peak starts at what the child has now, not at the parent's.
    const long before = statusKb("VmRSS:");
    resetPeak();
    for (const Hostile& file : files) {
      const bool loaded = loadImageFile(dir.file(file.name)) != nullptr;
      const int code = loaded ? 0 : lastImageError();
      if (::write(channel[1], &code, sizeof code) != sizeof code)
        ::_exit(2);
    }
    const long grown = statusKb("VmHWM:") - before;
    if (::write(channel[1], &grown, sizeof grown) != sizeof grown)
      ::_exit(2);
    ::_exit(0);
  }
  ::close(channel[1]);
  for (const Hostile& file : files) {
    int code = -1;
    ASSERT_EQ(::read(channel[0], &code, sizeof code), ssize_t(sizeof code))
        << "the child died loading " << file.name;
    EXPECT_EQ(code, file.code) << file.name;
  }
  long grown = -1;
  ASSERT_EQ(::read(channel[0], &grown, sizeof grown), ssize_t(sizeof grown));
  ::close(channel[0]);
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "status " << status;
  EXPECT_GE(grown, 0);
  EXPECT_LT(grown, kRssLimitKb) << "growth of the loading child's peak memory in kB";
}

} // namespace
} // namespace quillet
