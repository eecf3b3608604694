// Every picture reader outside the PDF library held to the picture budget:
// the digitiser, the image browser's view, its thumbnail strip and the
// nano-hole workspace answer the same sentence for the same file, in a
// forked child whose memory is measured.
#include "hostile_png.h"
#include "imaging/ui/digitiser_image.h"
#include "imaging/ui/image_toolkit.h"
#include "runtime/runtime_error.h"
#include "support/child_peak_memory.h"
#include "support/scratch_dir.h"
#include "tools/picture_loader.h"
#include "tools/pixel_canvas.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>

namespace tarvek {
namespace {

using test::ScratchDir;

// What a reader answers for the file at path: its refusal, or "" when it
// read the picture.
using Reader = std::function<std::string(const std::string& path)>;

const struct {
  const char* name;
  Reader read;
} kReaders[] = {
    {"digitiser", [](const std::string& path) { return readDigitiserImage(path).error; }},
    {"image browser",
     [](const std::string& path) {
       ImageToolkit toolkit;
       return toolkit.read(path) ? std::string() : toolkit.lastErrorText();
     }},
    {"thumbnail strip",
     [](const std::string& path) {
       ImageToolkit toolkit;
       return toolkit.readScaled(path, QSize(96, 72)) ? std::string() : toolkit.lastErrorText();
     }},
    {"nano-hole picture",
     [](const std::string& path) {
       PixelCanvas canvas(512, 512);
       try {
         loadPictureOntoCanvas(path, canvas);
         return std::string();
       } catch (const RuntimeError& error) {
         return std::string(error.what());
       }
     }},
};

constexpr long kMemoryBudgetKiB = 320L * 1024;

// Text chunks bounded in total, a last chunk cut short, and pictures over
// the pixel and the side limit. Times are printed for the record, never
// asserted.
TEST(PictureBudgetPathsTest, everyReaderRefusesWithTheSharedSentenceWithinTheMemoryBudget)
{
  ScratchDir dir;
  const std::string fixtures = std::string(TARVEK_TEST_SOURCE_DIR) + "/fixtures/images/";
  const std::size_t sevenAndAHalfMiB = std::size_t{15} << 19;
  const std::string manyTexts = dir.write("ztxt-60.png", test::pngWithTexts(60, sevenAndAHalfMiB)).string();
  const std::string moreTexts = dir.write("ztxt-200.png", test::pngWithTexts(200, sevenAndAHalfMiB)).string();
  const std::string cut = fixtures + "text-claim-cut.png";
  const std::string textsTooMuch =
      " cannot be read: its zTXt chunk and the text chunks before it unpack to more than 8 MiB.";
  const struct {
    std::string path;
    std::string refusal;
  } cases[] = {
      {manyTexts, "The picture " + manyTexts + textsTooMuch},
      {moreTexts, "The picture " + moreTexts + textsTooMuch},
      {cut, "The picture " + cut
                + " cannot be read: its tEXt chunk claims 1600000000 bytes, more than the file holds."},
      {dir.write("6000x6000.png", test::blackPng(6000, 6000)).string(),
       "6000x6000.png is 36 megapixels; pictures up to 32 megapixels can be read."},
      {dir.write("7000x6000.png", test::blackPng(7000, 6000)).string(),
       "7000x6000.png is 42 megapixels; pictures up to 32 megapixels can be read."},
      {dir.write("wide.png", test::pngClaiming(40000, 10)).string(),
       "wide.png is 40000 \u00D7 10 pixels; pictures up to 32767 pixels on a side can be read."},
  };
  for (const auto& c : cases) {
    for (const auto& reader : kReaders) {
      const test::ChildRun run = test::runInChild([&] {
        const std::string answer = reader.read(c.path);
        if (answer != c.refusal)
          std::fprintf(stderr, "answered: %s\n", answer.c_str());
        return answer == c.refusal;
      });
      const std::string what = reader.name + std::string(" on ") + c.path;
      ASSERT_TRUE(run.ended) << what;
      EXPECT_TRUE(run.answer) << what << " should answer \"" << c.refusal << "\"";
      EXPECT_LT(run.peakKiB, kMemoryBudgetKiB) << what;
      std::printf("%-18s %-18s %6.3f s, %6ld KiB added, %6ld KiB peak\n", reader.name,
                  std::filesystem::path(c.path).filename().c_str(), run.seconds, run.peakKiB,
                  run.maxRssKiB);
    }
  }
}

// A picture of exactly the largest size is read by every path, and one of
// 16 bits a channel, which Qt decodes at 8 bytes a pixel, by the browser:
// the limit the refusals state is the one the readers hold. Read in this
// process, as Qt converts pictures this large on its thread pool, which a
// forked child does not have.
TEST(PictureBudgetPathsTest, everyReaderReadsAPictureAtTheLimit)
{
  ScratchDir dir;
  const std::string path = dir.write("8000x4000.png", test::blackPng(8000, 4000)).string();
  for (const auto& reader : kReaders)
    EXPECT_EQ(reader.read(path), "") << reader.name;
  const std::string deep = dir.write("deep.png", test::blackPng(8000, 4000, 16, 2)).string();
  EXPECT_EQ(kReaders[1].read(deep), "");
}

} // namespace
} // namespace tarvek
