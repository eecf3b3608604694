// JPEG files as ImageMagick reads them: the size and the quality asked for.
#include "imaging/dib_section.h"
#include "imaging/jpeg_file.h"
#include "runtime/random_source.h"
#include "support/require_tool.h"
#include "support/run_tool.h"
#include "support/scratch_dir.h"

#include <gtest/gtest.h>

#include <string>

namespace tarvek {
namespace {

TEST(JpegOracleTest, identifyReportsSizeAndQuality)
{
  if (!test::requireTool("identify", "imagemagick"))
    return;
  cDIBSection dib;
  ASSERT_TRUE(dib.Create(37, 23));
  RandomSource random(11);
  dib.RandomiseBits(false, random);
  test::ScratchDir dir;
  for (const int quality : {100, 90, 75, 70}) {
    const std::string path = dir.file("q" + std::to_string(quality) + ".jpg").string();
    ASSERT_TRUE(saveJPG(dib, path, quality));
    const test::ToolResult result = test::runTool("identify", {"-format", "%w %h %Q", path});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, "37 23 " + std::to_string(quality));
  }
}

} // namespace
} // namespace tarvek
