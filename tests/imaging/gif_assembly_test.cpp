// The animated GIF: frame times, the writer's file read back with giflib, and
// the assembly's failures, which keep the frames and an older GIF.
#include "imaging/gif_assembly.h"
#include "imaging/gif_writer.h"

#include "gif_frames.h"
#include "support/fake_prompts.h"
#include "support/scratch_dir.h"

#include <gif_lib.h>
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace tarvek {
namespace {

using test::FakePrompts;
using test::readBytes;
using test::Rgb;
using test::ScratchDir;
using test::writeFlatJpeg;

namespace fs = std::filesystem;

struct GifClose {
  void operator()(GifFileType* gif) const { DGifCloseFile(gif, nullptr); }
};
using GifHandle = std::unique_ptr<GifFileType, GifClose>;

GifHandle slurp(const std::string& path)
{
  int error = 0;
  GifHandle gif(DGifOpenFileName(path.c_str(), &error));
  if (gif && DGifSlurp(gif.get()) != GIF_OK)
    gif.reset();
  return gif;
}

// Frames start one frame delay apart; each lasts until the next starts, the
// last as long as the one before it.
TEST(GifAssemblyTest, framesStartOneFrameDelayApart)
{
  EXPECT_EQ(frameTimes(2, 250), (std::vector<std::int32_t>{0, 250}));
  EXPECT_EQ(frameTimes(3, 150), (std::vector<std::int32_t>{0, 150, 300}));
  const std::vector<std::int32_t> hundred = frameTimes(100, 250);
  ASSERT_EQ(hundred.size(), 100u);
  EXPECT_EQ(hundred.back(), 24750);
  EXPECT_TRUE(frameTimes(0, 250).empty());
  EXPECT_EQ(gifDelays(frameTimes(3, 150)), (std::vector<std::int32_t>{15, 15, 15}));
  EXPECT_EQ(gifDelays({0, 250, 500}), (std::vector<std::int32_t>{25, 25, 25}));
  EXPECT_EQ(gifDelays({0, 100, 100}), (std::vector<std::int32_t>{10, 1, 1}));
  EXPECT_EQ(gifDelays({0}), (std::vector<std::int32_t>{25}));
}

const Rgb kFrameColours[] = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}};

std::vector<std::string> writeFrames(const ScratchDir& dir, int count = 3)
{
  std::vector<std::string> frames;
  for (int i = 0; i < count; ++i) {
    frames.push_back(dir.file("movie_00" + std::to_string(i + 1) + ".jpg").string());
    writeFlatJpeg(frames.back(), 64, 48, kFrameColours[i % 3], 100);
  }
  return frames;
}

// Three frames read back: three images at 250 ms, looping for ever, in
// their own colours; the frames are gone and nothing was said.
TEST(GifAssemblyTest, threeFramesBecomeALoopingGif)
{
  ScratchDir dir;
  const std::vector<std::string> frames = writeFrames(dir);
  const std::string output = dir.file("movie.gif").string();
  FakePrompts prompts;
  ASSERT_TRUE(makeAnimatedGIF(frames, output, 250, prompts));
  EXPECT_TRUE(prompts.calls.empty());
  EXPECT_EQ(readBytes(output).substr(0, 6), "GIF89a");
  for (const std::string& frame : frames)
    EXPECT_FALSE(fs::exists(frame)) << frame;

  const GifHandle gif = slurp(output);
  ASSERT_TRUE(gif);
  EXPECT_EQ(gif->SWidth, 64);
  EXPECT_EQ(gif->SHeight, 48);
  EXPECT_EQ(gif->SColorMap, nullptr);
  ASSERT_EQ(gif->ImageCount, 3);
  bool loops = false;
  const SavedImage& first = gif->SavedImages[0];
  for (int b = 0; b + 1 < first.ExtensionBlockCount; ++b) {
    const ExtensionBlock& name = first.ExtensionBlocks[b];
    const ExtensionBlock& data = first.ExtensionBlocks[b + 1];
    if (name.Function == APPLICATION_EXT_FUNC_CODE && name.ByteCount == 11
        && std::memcmp(name.Bytes, "NETSCAPE2.0", 11) == 0 && data.ByteCount == 3)
      loops = data.Bytes[0] == 1 && data.Bytes[1] == 0 && data.Bytes[2] == 0;
  }
  EXPECT_TRUE(loops);
  for (int i = 0; i < 3; ++i) {
    GraphicsControlBlock control{};
    ASSERT_EQ(DGifSavedExtensionToGCB(gif.get(), i, &control), GIF_OK) << "frame " << i;
    EXPECT_EQ(control.DelayTime, 25);
    EXPECT_EQ(control.DisposalMode, DISPOSE_DO_NOT);
    EXPECT_EQ(control.TransparentColor, NO_TRANSPARENT_COLOR);
    const SavedImage& image = gif->SavedImages[i];
    ASSERT_NE(image.ImageDesc.ColorMap, nullptr);
    EXPECT_EQ(image.ImageDesc.Width, 64);
    for (const int at : {0, 64 * 24 + 32, 64 * 48 - 1}) {
      const GifColorType c = image.ImageDesc.ColorMap->Colors[image.RasterBits[at]];
      EXPECT_NEAR(c.Red, kFrameColours[i].r, 8) << "frame " << i << " pixel " << at;
      EXPECT_NEAR(c.Green, kFrameColours[i].g, 8) << "frame " << i << " pixel " << at;
      EXPECT_NEAR(c.Blue, kFrameColours[i].b, 8) << "frame " << i << " pixel " << at;
    }
  }
}

// A failed assembly writes no GIF, keeps an older one byte for byte and every
// frame, and says why and where the frames are, once.
TEST(GifAssemblyTest, failuresKeepTheFramesAndTheOlderGif)
{
  const std::string older = "GIF89a older animation";
  const struct {
    const char* name;
    bool removeSecond;
    bool smallThird;
    bool missingFolder;
  } cases[] = {
    {"second frame missing", true, false, false},
    {"third frame smaller", false, true, false},
    {"output folder missing", false, false, true},
  };
  for (const auto& c : cases) {
    ScratchDir dir;
    std::vector<std::string> frames = writeFrames(dir);
    if (c.removeSecond)
      fs::remove(frames[1]);
    if (c.smallThird)
      writeFlatJpeg(frames[2], 32, 48, kFrameColours[2], 100);
    const std::string output = c.missingFolder ? dir.file("gone/movie.gif").string()
                                               : dir.write("movie.gif", older).string();
    FakePrompts prompts;
    EXPECT_FALSE(makeAnimatedGIF(frames, output, 250, prompts)) << c.name;
    if (c.missingFolder)
      EXPECT_FALSE(fs::exists(output)) << c.name;
    else
      EXPECT_EQ(readBytes(output), older) << c.name;
    for (std::size_t i = 0; i < frames.size(); ++i)
      EXPECT_EQ(fs::exists(frames[i]), !(c.removeSecond && i == 1)) << c.name << " " << frames[i];
    ASSERT_EQ(prompts.calls.size(), 1u) << c.name;
    const std::string& text = prompts.calls[0].text;
    EXPECT_EQ(text.rfind("Error - ", 0), 0u) << text;
    const std::string named = c.removeSecond  ? frames[1]
                              : c.smallThird  ? frames[2]
                                              : output;
    EXPECT_NE(text.find(named), std::string::npos) << c.name << ": " << text;
    const std::size_t lineEnd = text.find("\r\n");
    ASSERT_NE(lineEnd, std::string::npos) << text;
    EXPECT_NE(text.find(dir.path().string(), lineEnd), std::string::npos) << text;
  }
}

// The writer refuses an empty animation and a frame of no pixels, and
// leaves no file.
TEST(GifAssemblyTest, writerRefusesEmptyAnimationsAndFrames)
{
  ScratchDir dir;
  const std::string path = dir.file("empty.gif").string();
  {
    GifWriter writer(path);
    EXPECT_FALSE(writer.finish());
    EXPECT_NE(writer.error().find(path), std::string::npos) << writer.error();
  }
  {
    GifWriter writer(path);
    const std::uint8_t pixel[3] = {1, 2, 3};
    EXPECT_FALSE(writer.addFrame(0, 1, pixel, 25));
    EXPECT_FALSE(writer.finish());
  }
  {
    GifWriter writer(path);
    const std::uint8_t pixel[3] = {1, 2, 3};
    EXPECT_TRUE(writer.addFrame(1, 1, pixel, 25));
  }
  EXPECT_FALSE(fs::exists(path));
  FakePrompts prompts;
  EXPECT_FALSE(makeAnimatedGIF({}, path, 250, prompts));
  EXPECT_FALSE(fs::exists(path));
}

} // namespace
} // namespace tarvek
