// The imaging toolkit: decoding, depths, the size limits, reduced decoding,
// resampling, drawing and the clipboard.
#include "imaging/ui/image_toolkit.h"

#include "hostile_png.h"
#include "imaging/gif_writer.h"

#include "pdfwriter/image_fixtures.h"
#include "imaging/ui/digitiser_image.h"
#include "support/child_peak_memory.h"
#include "support/scratch_dir.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>

namespace tarvek {
namespace {

using quillet::test::Bytes;
using test::pngClaiming;
using test::readBytes;
using test::ScratchDir;

// w x h pixels of one colour, for writeJpegFile.
Bytes flat(int w, int h, std::initializer_list<std::uint8_t> colour)
{
  Bytes samples;
  for (int i = 0; i < w * h; ++i)
    samples.insert(samples.end(), colour);
  return samples;
}

std::string writeColourJpeg(const ScratchDir& dir, const std::string& name, int w, int h)
{
  const std::string path = dir.file(name).string();
  quillet::test::writeJpegFile(path, w, h, 3, 2, flat(w, h, {200, 40, 10}), 95);
  return path;
}

std::string writePng(const ScratchDir& dir, const std::string& name, int colourType,
                     int channels)
{
  quillet::test::PngFixture png;
  png.width = 5;
  png.height = 4;
  png.colourType = colourType;
  png.samples.assign(static_cast<std::size_t>(5 * 4 * channels), 1);
  if (colourType == 3)
    png.palette = {0, 0, 0, 255, 0, 0};
  const std::string path = dir.file(name).string();
  quillet::test::writePngFile(path, png);
  return path;
}

// Each format reads at its size, with the depth its file stores.
TEST(ImageToolkitTest, readsEachFormatWithItsStoredDepth)
{
  ScratchDir dir;
  const std::string grey = dir.file("grey.jpg").string();
  quillet::test::writeJpegFile(grey, 6, 3, 1, 1, Bytes(18, 128), 90);
  quillet::test::GifFixture gif;
  gif.screenWidth = gif.width = 7;
  gif.screenHeight = gif.height = 2;
  gif.globalMap = {0, 0, 0, 255, 255, 255};
  gif.indices = Bytes(14, 1);
  const std::string gifPath = dir.file("pic.gif").string();
  quillet::test::writeGifFile(gifPath, gif);
  const std::string bmp = dir.file("pic.bmp").string();
  QImage rgb(9, 8, QImage::Format_RGB888);
  rgb.fill(Qt::red);
  ASSERT_TRUE(rgb.save(QString::fromStdString(bmp), "BMP"));
  const struct {
    std::string path;
    int width, height, depth;
  } cases[] = {
    {writeColourJpeg(dir, "colour.jpg", 10, 7), 10, 7, 24},
    {grey, 6, 3, 8},
    {gifPath, 7, 2, 8},
    {bmp, 9, 8, 24},
    {writePng(dir, "rgb.png", 2, 3), 5, 4, 24},
    {writePng(dir, "rgba.png", 6, 4), 5, 4, 32},
    {writePng(dir, "palette.png", 3, 1), 5, 4, 8},
  };
  ImageToolkit toolkit;
  for (const auto& c : cases) {
    const std::optional<QImage> image = toolkit.read(c.path);
    ASSERT_TRUE(image) << c.path << ": " << toolkit.lastErrorText();
    EXPECT_EQ(image->size(), QSize(c.width, c.height)) << c.path;
    EXPECT_EQ(toolkit.bitsPerPixel(), c.depth) << c.path;
    EXPECT_TRUE(toolkit.lastErrorText().empty()) << c.path;
  }
  EXPECT_EQ(toolkit.readCount(), 7);
}

// Nothing decodes from a foreign, empty, cut-short or oversized file, and the
// reason names the file; the depth of an earlier read does not linger.
TEST(ImageToolkitTest, refusesHostileFilesWithAReason)
{
  ScratchDir dir;
  const std::string jpeg = readBytes(writeColourJpeg(dir, "whole.jpg", 64, 64));
  QImage rows(30, 20, QImage::Format_RGB888);
  rows.fill(Qt::blue);
  ASSERT_TRUE(rows.save(dir.file("whole.bmp").c_str(), "BMP"));
  const std::string bmp = readBytes(dir.file("whole.bmp"));
  const struct {
    const char* name;
    std::string bytes;
  } cases[] = {
    {"empty.jpg", ""},
    {"text.png", "this is no picture"},
    {"half.jpg", jpeg.substr(0, jpeg.size() / 2)},
    {"cut.bmp", bmp.substr(0, bmp.size() - 200)},
    // A two-colour GIF whose screen and image claim 65,535 x 65,535 pixels.
    {"huge.gif", std::string("GIF89a\xff\xff\xff\xff\x80\0\0\0\0\0\xff\xff\xff,\0\0\0\0"
                             "\xff\xff\xff\xff\0\x02\x02\x44\x01\0;",
                             35)},
    {"huge.png", pngClaiming(40000, 40000)},
    {"wide.png", pngClaiming(40000, 10)},
  };
  ImageToolkit toolkit;
  for (const auto& c : cases) {
    const std::string path = dir.write(c.name, c.bytes).string();
    ASSERT_TRUE(toolkit.read(dir.file("whole.jpg").string()));
    EXPECT_FALSE(toolkit.read(path)) << c.name;
    EXPECT_NE(toolkit.lastErrorText().find(c.name), std::string::npos) << toolkit.lastErrorText();
    EXPECT_EQ(toolkit.bitsPerPixel(), 0) << c.name;
    EXPECT_FALSE(toolkit.readScaled(path, QSize(100, 100))) << c.name;
    EXPECT_FALSE(toolkit.lastErrorText().empty()) << c.name;
  }
  EXPECT_EQ(toolkit.lastErrorText(),
            "wide.png is 40000 \u00D7 10 pixels; pictures up to 32767 pixels on a side can be read.");
  EXPECT_FALSE(toolkit.read(dir.file("missing.png").string()));
}

// Pictures that would make a decoder hold far more than their size are
// refused, by the toolkit and by the digitiser's reader, with the peak
// memory of the process (a forked child) well within the budget: a PNG
// whose text chunk claims 1.6 GB, compressed text chunks that unpack to
// 16 MiB, and a progressive JPEG of 200 repeated scans. A PNG with a short
// compressed note still reads.
TEST(ImageToolkitTest, hostilePicturesAreRefusedWithinTheBudget)
{
  const std::string fixtures = std::string(TARVEK_TEST_SOURCE_DIR) + "/fixtures/images/";
  for (const char* name : {"text-claim.png", "ztxt-bomb.png", "itxt-bomb.png", "scan-bomb.jpg"}) {
    const std::string path = fixtures + name;
    const test::ChildRun run = test::runInChild([&] {
      ImageToolkit toolkit;
      const bool toolkitRefused = !toolkit.read(path) && !toolkit.readScaled(path, QSize(64, 64))
                                  && toolkit.lastErrorText().find(path) != std::string::npos;
      const DigitiserImage digitised = readDigitiserImage(path);
      return toolkitRefused && digitised.image.isNull() && !digitised.error.empty();
    });
    ASSERT_TRUE(run.ended) << name;
    EXPECT_TRUE(run.answer) << name << " was read";
    EXPECT_LT(run.peakKiB, 300L * 1024) << name;
  }
  ImageToolkit toolkit;
  EXPECT_TRUE(toolkit.read(fixtures + "ztxt-note.png")) << toolkit.lastErrorText();
}

// The fitted size keeps the aspect, fills the box on one side and grows
// small pictures.
TEST(ImageToolkitTest, fittedSizeFillsTheBoxKeepingTheAspect)
{
  const struct {
    QSize picture, box, fitted;
  } cases[] = {
    {{400, 100}, {100, 100}, {100, 25}}, {{50, 200}, {100, 100}, {25, 100}},
    {{40, 40}, {100, 100}, {100, 100}},  {{3000, 1}, {100, 100}, {100, 1}},
    {{800, 600}, {100, 50}, {67, 50}},   {{0, 5}, {100, 100}, {}},
  };
  for (const auto& c : cases)
    EXPECT_EQ(fittedSize(c.picture, c.box), c.fitted)
        << c.picture.width() << " x " << c.picture.height();
}

// A scaled read of a large JPEG and of other formats comes out at the fitted
// size with the picture's colours.
TEST(ImageToolkitTest, readScaledDecodesAtTheFittedSize)
{
  ScratchDir dir;
  ImageToolkit toolkit;
  const std::optional<QImage> jpeg =
      toolkit.readScaled(writeColourJpeg(dir, "big.jpg", 1600, 1200), QSize(100, 100));
  ASSERT_TRUE(jpeg) << toolkit.lastErrorText();
  EXPECT_EQ(jpeg->size(), QSize(100, 75));
  EXPECT_EQ(toolkit.bitsPerPixel(), 24);
  const QColor centre = jpeg->pixelColor(50, 37);
  EXPECT_NEAR(centre.red(), 200, 8);
  EXPECT_NEAR(centre.green(), 40, 8);
  const std::optional<QImage> png =
      toolkit.readScaled(writePng(dir, "small.png", 2, 3), QSize(100, 100));
  ASSERT_TRUE(png) << toolkit.lastErrorText();
  EXPECT_EQ(png->size(), QSize(100, 80));
  EXPECT_FALSE(toolkit.readScaled(dir.file("big.jpg").string(), QSize(0, 100)));
  EXPECT_EQ(toolkit.readCount(), 3);
}

TEST(ImageToolkitTest, resamplesDrawsAndCopies)
{
  QImage picture(20, 10, QImage::Format_RGB888);
  picture.fill(QColor(10, 200, 30));
  picture.setPixelColor(0, 0, QColor(250, 0, 0));
  const QImage resampled = ImageToolkit::resample(picture, 37, 11);
  EXPECT_EQ(resampled.size(), QSize(37, 11));
  EXPECT_TRUE(ImageToolkit::resample(picture, 0, 11).isNull());

  QImage canvas(40, 30, QImage::Format_RGB32);
  canvas.fill(Qt::white);
  {
    QPainter painter(&canvas);
    ImageToolkit::draw(painter, picture, 5, 7);
  }
  EXPECT_EQ(canvas.pixelColor(5, 7), QColor(250, 0, 0));
  EXPECT_EQ(canvas.pixelColor(24, 16), QColor(10, 200, 30));
  EXPECT_EQ(canvas.pixelColor(25, 17), QColor(Qt::white));
  EXPECT_EQ(canvas.pixelColor(4, 6), QColor(Qt::white));

  ImageToolkit toolkit;
  QGuiApplication::clipboard()->clear();
  EXPECT_FALSE(toolkit.copyToClipboard(QImage()));
  EXPECT_TRUE(QGuiApplication::clipboard()->image().isNull());
  ASSERT_TRUE(toolkit.copyToClipboard(picture));
  EXPECT_EQ(QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB888), picture);
}

// The toolkit's GIF is the writer's file, byte for byte, and Qt's reader
// sees three frames of 250 ms looping for ever.
TEST(ImageToolkitTest, writesTheAnimatedGifOfTheWriter)
{
  ScratchDir dir;
  std::vector<QImage> frames;
  for (const QColor colour : {QColor(255, 0, 0), QColor(0, 255, 0), QColor(0, 0, 255)}) {
    QImage frame(21, 13, QImage::Format_RGB32);
    frame.fill(colour);
    frame.setPixelColor(3, 4, QColor(Qt::white));
    frames.push_back(frame);
  }
  const std::string viaToolkit = dir.file("toolkit.gif").string();
  ImageToolkit toolkit;
  ASSERT_TRUE(toolkit.writeAnimatedGIF(frames, {0, 250, 500}, viaToolkit))
      << toolkit.lastErrorText();

  const std::string viaWriter = dir.file("writer.gif").string();
  GifWriter writer(viaWriter);
  for (const QImage& frame : frames) {
    const QImage rgb = frame.convertToFormat(QImage::Format_RGB888);
    Bytes packed;
    for (int y = 0; y < rgb.height(); ++y)
      packed.insert(packed.end(), rgb.constScanLine(y), rgb.constScanLine(y) + 3 * rgb.width());
    ASSERT_TRUE(writer.addFrame(rgb.width(), rgb.height(), packed.data(), 25)) << writer.error();
  }
  ASSERT_TRUE(writer.finish()) << writer.error();
  EXPECT_EQ(readBytes(viaToolkit), readBytes(viaWriter));

  QImageReader reader(QString::fromStdString(viaToolkit));
  EXPECT_EQ(reader.imageCount(), 3);
  EXPECT_EQ(reader.loopCount(), -1);
  const QImage first = reader.read();
  EXPECT_EQ(first.size(), QSize(21, 13));
  EXPECT_EQ(reader.nextImageDelay(), 250);

  // Frames of two sizes, a null frame or a missing time write nothing.
  const std::string refused = dir.file("refused.gif").string();
  std::vector<QImage> mixed = frames;
  mixed[1] = frames[1].scaled(10, 13);
  EXPECT_FALSE(toolkit.writeAnimatedGIF(mixed, {0, 250, 500}, refused));
  EXPECT_NE(toolkit.lastErrorText().find("frame 2"), std::string::npos) << toolkit.lastErrorText();
  EXPECT_FALSE(toolkit.writeAnimatedGIF({QImage()}, {0}, refused));
  EXPECT_FALSE(toolkit.writeAnimatedGIF(frames, {0, 250}, refused));
  EXPECT_FALSE(std::filesystem::exists(refused));
}

} // namespace
} // namespace tarvek
