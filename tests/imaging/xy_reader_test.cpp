// Reading XY point files: line rules, line ends, refusals and hostile files.
#include "imaging/xy_file.h"

#include "support/scratch_dir.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <limits>
#include <string>
#include <vector>

namespace tarvek {
namespace {

using test::readBytes;
using test::ScratchDir;
using Points = std::vector<std::pair<float, float>>;

Points pairsOf(const XYReadResult& result)
{
  Points points;
  for (const XYPoint& p : result.points)
    points.emplace_back(p.x, p.y);
  return points;
}

// The rules every writer relies on, one file per case.
TEST(XYReaderTest, readsLinesByTheFileRules)
{
  const struct {
    const char* bytes;
    Points expected;
  } cases[] = {
    {"1,5 2\r\n", {{1.5f, 2.0f}}},
    {"2.5D-01 1d2\r\n", {{0.25f, 100.0f}}},
    {"3 \t4\r\n", {{3.0f, 4.0f}}},
    {"5\r\n6 7\r\n", {{6.0f, 7.0f}}},
    {"1 2\r\n\r\n3 4\r\n", {{1.0f, 2.0f}}},
    {"1 2\r\n   \r\n3 4\r\n", {{1.0f, 2.0f}}},
    {"\t\r\n1 2\r\n", {{1.0f, 2.0f}}},
    {".5 1e2\r\n", {{0.5f, 100.0f}}},
    {"3 4 5\r\n", {{3.0f, 4.0f}}},
    {"  -1.5    -2E-1  \r\n", {{-1.5f, -0.2f}}},
    {"a b\r\n", {{0.0f, 0.0f}}},
    {"nan inf\r\n", {{0.0f, 0.0f}}},
    {"1 2\r\n3", {{1.0f, 2.0f}}},
    {"1 2", {{1.0f, 2.0f}}},
    {"", {}},
    {"\r\n1 2\r\n", {}},
  };
  ScratchDir dir;
  for (const auto& c : cases) {
    const auto path = dir.write("case.xy", c.bytes).string();
    const XYReadResult result = readXYPoints(path);
    EXPECT_TRUE(result.ok()) << result.error << " for " << c.bytes;
    EXPECT_EQ(pairsOf(result), c.expected) << "for \"" << c.bytes << "\"";
  }
}

// Files saved with Unix or old Mac line ends read in full, and the reader
// leaves every byte where it was.
TEST(XYReaderTest, everyLineEndReadsTheSamePointsAndTheFileStays)
{
  const Points expected = {{1.0f, 2.0f}, {3.5f, -4.0f}, {0.5f, 6.0f}};
  ScratchDir dir;
  for (const char* end : {"\r\n", "\n", "\r"}) {
    const std::string bytes = std::string(" 1  2 ") + end + "3.5 -4" + end + " .5 \t6 " + end;
    const auto path = dir.write("ends.xy", bytes);
    const auto written = std::filesystem::last_write_time(path);
    const XYReadResult result = readXYPoints(path.string());
    EXPECT_TRUE(result.ok()) << result.error;
    EXPECT_EQ(pairsOf(result), expected);
    EXPECT_EQ(readBytes(path), bytes);
    EXPECT_EQ(std::filesystem::last_write_time(path), written);
  }
}

// A number beyond the double range cannot be read: the message names the
// file and the line, and no points come back.
TEST(XYReaderTest, refusesANumberBeyondTheDoubleRangeNamingItsLine)
{
  // Two numbers run together after the comma rule are no coordinate either.
  const std::pair<const char*, const char*> cases[] = {
      {"1 2\r\n5\r\n3 4\r\n1e999 2\r\n", "line 4"},
      {"1 2\r\n3 1,234.5\r\n", "line 2"},
  };
  ScratchDir dir;
  for (const auto& [bytes, line] : cases) {
    const std::string path = dir.write("big.xy", bytes).string();
    const XYReadResult result = readXYPoints(path);
    EXPECT_FALSE(result.ok());
    EXPECT_TRUE(result.points.empty());
    EXPECT_NE(result.error.find(path), std::string::npos) << result.error;
    EXPECT_NE(result.error.find(line), std::string::npos) << result.error;
  }
}

// Beyond the float range a coordinate is an infinity of its sign, for the
// caller to refuse by point number; it never wraps or turns into NaN.
TEST(XYReaderTest, aValueBeyondTheFloatRangeIsAnInfinity)
{
  ScratchDir dir;
  const XYReadResult result = readXYPoints(dir.write("wide.xy", "1e39 -1e39\r\n3.4e38 1e-50\r\n").string());
  ASSERT_TRUE(result.ok()) << result.error;
  ASSERT_EQ(result.points.size(), 2u);
  EXPECT_EQ(result.points[0].x, std::numeric_limits<float>::infinity());
  EXPECT_EQ(result.points[0].y, -std::numeric_limits<float>::infinity());
  EXPECT_FLOAT_EQ(result.points[1].x, 3.4e38f);
  EXPECT_EQ(result.points[1].y, 0.0f);
}

TEST(XYReaderTest, aFileThatCannotBeReadGivesTheSystemsReason)
{
  ScratchDir dir;
  for (const std::string& path : {dir.file("missing.xy").string(), dir.path().string()}) {
    const XYReadResult result = readXYPoints(path);
    EXPECT_FALSE(result.ok()) << path;
    EXPECT_TRUE(result.points.empty());
    EXPECT_NE(result.error.find(path), std::string::npos) << result.error;
  }
}

// Far more points than the old fixed tables held, and binary junk between
// them, read without a limit and without a crash.
TEST(XYReaderTest, readsManyPointsAndSurvivesBinaryJunk)
{
  std::string bytes;
  constexpr int kCount = 100000;
  for (int i = 0; i < kCount; ++i)
    bytes += std::to_string(i) + " " + std::to_string(-i) + (i % 3 == 0 ? "\n" : "\r\n");
  bytes += std::string("\x01\x00\xff 7\r\n", 6);
  ScratchDir dir;
  const XYReadResult result = readXYPoints(dir.write("many.xy", bytes).string());
  ASSERT_TRUE(result.ok()) << result.error;
  ASSERT_EQ(result.points.size(), static_cast<std::size_t>(kCount) + 1);
  EXPECT_EQ(result.points[kCount - 1].x, static_cast<float>(kCount - 1));
  EXPECT_EQ(result.points[kCount - 1].y, static_cast<float>(1 - kCount));
  EXPECT_EQ(result.points[kCount].x, 0.0f);
  EXPECT_EQ(result.points[kCount].y, 7.0f);
}

} // namespace
} // namespace tarvek
