// The assembled GIF as giflib's giftext and ImageMagick read it: three
// frames of 25 hundredths, looping for ever.
#include "imaging/gif_assembly.h"

#include "gif_frames.h"
#include "support/fake_prompts.h"
#include "support/require_tool.h"
#include "support/run_tool.h"
#include "support/scratch_dir.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tarvek {
namespace {

std::size_t count(const std::string& text, const std::string& part)
{
  std::size_t n = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
    ++n;
  return n;
}

TEST(GifOracleTest, outsideReadersSeeThreeLoopingFramesOf25Hundredths)
{
  if (!test::requireTool("giftext", "giflib-tools") || !test::requireTool("identify", "imagemagick"))
    return;
  test::ScratchDir dir;
  std::vector<std::string> frames;
  const test::Rgb colours[] = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}};
  for (int i = 0; i < 3; ++i) {
    frames.push_back(dir.file("f_00" + std::to_string(i + 1) + ".jpg").string());
    test::writeFlatJpeg(frames.back(), 64, 48, colours[i], 100);
  }
  const std::string gif = dir.file("movie.gif").string();
  test::FakePrompts prompts;
  ASSERT_TRUE(makeAnimatedGIF(frames, gif, 250, prompts));

  const test::ToolResult text = test::runTool("giftext", {gif});
  ASSERT_EQ(text.exitCode, 0) << text.err;
  for (const char* image : {"Image #1", "Image #2", "Image #3"})
    EXPECT_NE(text.out.find(image), std::string::npos) << image << "\n" << text.out;
  EXPECT_EQ(count(text.out, "Image #"), 3u) << text.out;
  EXPECT_EQ(count(text.out, "DelayTime: 25"), 3u) << text.out;
  EXPECT_NE(text.out.find("application block"), std::string::npos) << text.out;

  const test::ToolResult frameList = test::runTool("identify", {"-format", "%n %T\n", gif});
  ASSERT_EQ(frameList.exitCode, 0) << frameList.err;
  EXPECT_EQ(frameList.out, "3 25\n3 25\n3 25\n");
  const test::ToolResult verbose = test::runTool("identify", {"-verbose", gif});
  EXPECT_NE(verbose.out.find("Iterations: 0"), std::string::npos) << verbose.out.substr(0, 2000);
}

} // namespace
} // namespace tarvek
