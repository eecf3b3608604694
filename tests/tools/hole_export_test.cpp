// Tests of the nano-hole table texts and XY file lines, and of the window's small rules.
#include "imaging/xy_file.h"
#include "runtime/random_source.h"
#include "support/scratch_dir.h"
#include "tools/hole_export.h"
#include "tools/multigrid_tiling.h"
#include "tools/nano_hole_rules.h"
#include "tools/pixel_canvas.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <vector>

namespace tarvek {
namespace {

TEST(HoleExportTest, linesInBothLayouts)
{
  struct Case {
    float x;
    float y;
    HoleLayout layout;
    double factor;
    const char* line;
  };
  const Case cases[] = {
    {256.0f, 300.0f, HoleLayout::Centred, 1.0, "0.000000 \t44.000000\r\n"},
    {300.0f, 200.0f, HoleLayout::Centred, 2.0, "88.000000 \t-112.000000\r\n"},
    {12.3456f, 300.0f, HoleLayout::Plain, 1.0, "12.3456 \t300.0000\r\n"},
    {0.00004f, 511.99997f, HoleLayout::Plain, 1.0, "0.0000 \t512.0000\r\n"},
  };
  for (const Case& c : cases) {
    const float x[] = {c.x};
    const float y[] = {c.y};
    EXPECT_EQ(holeLines(x, y, c.layout, c.factor, false), c.line) << c.x << ", " << c.y;
  }
  EXPECT_EQ(holeLines({}, {}, HoleLayout::Plain, 1.0, false), "");
}

TEST(HoleExportTest, scaleFactorAndProposedName)
{
  const std::pair<const char*, double> replies[] = {
    {"0", 1.0}, {"-3", 1.0}, {"abc", 1.0}, {"", 1.0}, {"2,5", 2.0}, {"0.5", 0.5}, {" 3x", 3.0}, {"1e400", 1.0},
  };
  for (const auto& [reply, factor] : replies)
    EXPECT_EQ(holeScaleFactor(reply), factor) << '"' << reply << '"';
  EXPECT_EQ(proposedHoleFileName(5, 6, 8, 0), "NHA_5-6-8-0.xy");
  EXPECT_EQ(proposedHoleFileName(20, 40, 10, 2), "NHA_20-40-10-2.xy");
  EXPECT_EQ(holeCoordinateText(12.34565f), "12.3457");
}

// The start pattern written in either layout reads back through the XY reader
// to the table's coordinates.
TEST(HoleExportTest, startPatternRoundTrip)
{
  PixelCanvas holes(512, 512);
  RandomSource random;
  const TilingResult tiling = generateTiling(TilingParameters{}, holes, random);
  ASSERT_EQ(tiling.vertexCount, 570);
  test::ScratchDir dir;
  for (const HoleLayout layout : {HoleLayout::Plain, HoleLayout::Centred}) {
    const double shift = layout == HoleLayout::Plain ? 0.0 : 256.0;
    const auto path =
        dir.write("holes.xy", holeLines(tiling.vertexX, tiling.vertexY, layout, 1.0, false));
    const XYReadResult read = readXYPoints(path.string());
    ASSERT_EQ(read.error, "");
    ASSERT_EQ(read.points.size(), 570u);
    for (std::size_t i = 0; i < read.points.size(); ++i) {
      ASSERT_NEAR(read.points[i].x, tiling.vertexX[i] - shift, 1e-4) << i;
      ASSERT_NEAR(read.points[i].y, tiling.vertexY[i] - shift, 1e-4) << i;
    }
  }
}

TEST(NanoHoleRulesTest, profilePointsAndPanelPlace)
{
  const float values[] = {0.0f, 50.0f, 100.0f};
  const std::vector<ProfilePoint> points = profilePoints(values, 100.0f, 100);
  ASSERT_EQ(points.size(), 3u);
  EXPECT_EQ(points[0].x, 0);
  EXPECT_EQ(points[0].y, 100);
  EXPECT_EQ(points[1].x, 1);
  EXPECT_EQ(points[1].y, 52) << "52.5 rounds to even";
  EXPECT_EQ(points[2].y, 5);
  EXPECT_EQ(profilePanelTop(40, 96, 100), 50);
  EXPECT_EQ(profilePanelTop(106, 96, 100), 116);
  EXPECT_EQ(profilePanelTop(107, 96, 100), -3);
  EXPECT_EQ(profilePanelTop(400, 96, 100), 290);
}

TEST(NanoHoleRulesTest, brightnessTickByTag)
{
  EXPECT_EQ(brightnessTick("1"), BrightnessTick::Darker);
  EXPECT_EQ(brightnessTick("2"), BrightnessTick::Brighter);
  EXPECT_EQ(brightnessTick(""), BrightnessTick::Stop);
  EXPECT_EQ(brightnessTick("3"), BrightnessTick::Nothing);
}

} // namespace
} // namespace tarvek
