// Writing XY point files: the line layout, the save command and the round
// trip through the reader.
#include "imaging/xy_file.h"

#include "runtime/random_source.h"
#include "support/fake_abort.h"
#include "support/fake_file_dialogs.h"
#include "support/fake_prompts.h"
#include "support/scratch_dir.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace tarvek {
namespace {

using test::FakeFileDialogs;
using test::FakePrompts;
using test::readBytes;
using test::ScratchDir;

std::string blanks(int n)
{
  return std::string(static_cast<std::size_t>(n), ' ');
}

// Column layout, sign position, no zero before the point, the flipped y.
TEST(XYFileTest, linesFollowThePrintZones)
{
  const struct {
    std::vector<XYPoint> points;
    std::string expected;
  } cases[] = {
    {{{120, 40}, {0, 300}}, " 120" + blanks(11) + "260 \r\n 0" + blanks(13) + "0 \r\n"},
    {{{0.5f, 0}, {1, 37.5f}}, " .5" + blanks(12) + "37.5 \r\n 1" + blanks(13) + "0 \r\n"},
    {{{-3, 5}}, "-3" + blanks(13) + "0 \r\n"},
    {{{37.5f, 2}}, " 37.5" + blanks(10) + "0 \r\n"},
    {{{1, -2}, {2, 0}, {3, -0.25f}}, " 1" + blanks(13) + "2 \r\n 2" + blanks(13) + "0 \r\n 3"
                                         + blanks(13) + ".25 \r\n"},
    {{}, ""},
  };
  for (const auto& c : cases)
    EXPECT_EQ(xyFileText(c.points, false), c.expected);
  EXPECT_EQ(xyFileText(cases[0].points, false).find("\r\n") + 2, 21u);
}

TEST(XYFileTest, unixLineEndsDropOnlyTheCarriageReturns)
{
  const std::vector<XYPoint> points = {{120, 40}, {0.5f, 300}, {-3, 1}};
  std::string expected = xyFileText(points, false);
  std::erase(expected, '\r');
  EXPECT_EQ(xyFileText(points, true), expected);

  ScratchDir dir;
  ASSERT_TRUE(writeXYFile(dir.file("unix.xy").string(), points, true));
  EXPECT_EQ(readBytes(dir.file("unix.xy")), expected);
  ASSERT_TRUE(writeXYFile(dir.file("empty.xy").string(), {}, false));
  EXPECT_EQ(readBytes(dir.file("empty.xy")), "");
}

// A NaN would read back as 0: it is refused and the old file stays.
TEST(XYFileTest, aCoordinateThatCannotBeWrittenLeavesTheOldFile)
{
  ScratchDir dir;
  const auto path = dir.write("old.xy", "old");
  const float nan = std::numeric_limits<float>::quiet_NaN();
  EXPECT_ANY_THROW((void)writeXYFile(path.string(), {{1, 2}, {nan, 3}}, false));
  EXPECT_EQ(readBytes(path), "old");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

// The number a field holds, read independently of the program's reader.
float fieldValue(std::string_view field)
{
  while (!field.empty() && field.front() == ' ')
    field.remove_prefix(1);
  double v = 0;
  const auto [end, ec] = std::from_chars(field.data(), field.data() + field.size(), v);
  EXPECT_EQ(ec, std::errc()) << field;
  return static_cast<float>(v);
}

// What the writer prints, the reader takes back exactly.
TEST(XYFileTest, randomPointsRoundTripThroughTheReader)
{
  RandomSource random(20261210);
  std::vector<XYPoint> points;
  for (int i = 0; i < 1000; ++i) {
    const double scale = i % 4 == 0 ? 1e-3 : (i % 4 == 1 ? 1.0 : 4000.0);
    points.push_back({static_cast<float>((random.uniform() - 0.3) * scale),
                      static_cast<float>((random.uniform() - 0.3) * scale)});
  }
  ScratchDir dir;
  const std::string path = dir.file("round.xy").string();
  ASSERT_TRUE(writeXYFile(path, points, false));
  const XYReadResult result = readXYPoints(path);
  ASSERT_TRUE(result.ok()) << result.error;
  ASSERT_EQ(result.points.size(), points.size());

  const std::string text = readBytes(path);
  std::size_t start = 0;
  for (std::size_t i = 0; i < points.size(); ++i) {
    const std::size_t end = text.find("\r\n", start);
    const std::string line = text.substr(start, end - start);
    start = end + 2;
    const float x = fieldValue(line.substr(0, 14));
    const float y = fieldValue(line.substr(14));
    EXPECT_EQ(result.points[i].x, x) << line;
    EXPECT_EQ(result.points[i].y, y) << line;
    EXPECT_NEAR(x, points[i].x, std::fabs(points[i].x) * 1e-6) << line;
  }
}

struct SaveRig {
  ScratchDir dir;
  FakeFileDialogs dialogs;
  FakePrompts prompts;
  test::FakeAbort pump;
  std::vector<XYPoint> points = {{120, 40}, {0, 300}};
  std::optional<std::string> saved;

  void save()
  {
    saved = saveXYFile(points, dialogs, prompts, pump, dir.path().string() + "/", false);
  }
  void choose(const std::string& name) { dialogs.answer(FileChoice{dir.file(name).string(), 1}); }
};

TEST(XYFileTest, saveAsksForTheFileInTheImportFolder)
{
  SaveRig rig;
  rig.choose("sheet.xy");
  rig.save();
  ASSERT_EQ(rig.dialogs.calls.size(), 1u);
  const auto& call = rig.dialogs.calls[0];
  EXPECT_EQ(call.kind, FakeFileDialogs::Kind::Save);
  EXPECT_EQ(call.title, "Save XY Data");
  EXPECT_EQ(call.filter, "XY-File (*.xy)|*.xy");
  EXPECT_EQ(call.suggestedName, "sheet.xy");
  EXPECT_EQ(call.folder, rig.dir.path().string() + "/");
  EXPECT_TRUE(rig.prompts.calls.empty());
  EXPECT_EQ(readBytes(rig.dir.file("sheet.xy")), xyFileText(rig.points, false));
  EXPECT_EQ(rig.saved, rig.dir.file("sheet.xy").string());

  // A name typed without the extension gets it.
  rig.choose("typed");
  rig.save();
  EXPECT_EQ(readBytes(rig.dir.file("typed.xy")), xyFileText(rig.points, false));
  EXPECT_EQ(rig.saved, rig.dir.file("typed.xy").string());
}

TEST(XYFileTest, saveCancelledWritesNothingAndAsksNothing)
{
  SaveRig rig;
  rig.dialogs.answer(std::nullopt);
  rig.save();
  EXPECT_TRUE(rig.prompts.calls.empty());
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(rig.dir.path()), {}), 0);
}

TEST(XYFileTest, saveOverAnExistingFileAsksFirst)
{
  for (const bool yes : {false, true}) {
    SaveRig rig;
    rig.dir.write("sheet.xy", "keep me\r\n");
    rig.choose("sheet");
    rig.prompts.answerYesNo(yes);
    rig.save();
    ASSERT_EQ(rig.prompts.calls.size(), 1u);
    EXPECT_EQ(rig.prompts.calls[0].kind, FakePrompts::Kind::YesNo);
    EXPECT_EQ(rig.prompts.calls[0].text, "File already exists. Do you want to overwrite it?\r\n"
                                             + rig.dir.file("sheet.xy").string());
    EXPECT_EQ(rig.prompts.calls[0].icon, MessageIcon::Question);
    EXPECT_EQ(rig.saved.has_value(), yes);
    EXPECT_EQ(readBytes(rig.dir.file("sheet.xy")),
              yes ? xyFileText(rig.points, false) : "keep me\r\n");
  }

  SaveRig empty;
  empty.dir.write("sheet.xy", "");
  empty.choose("sheet.xy");
  empty.save();
  EXPECT_TRUE(empty.prompts.calls.empty());
  EXPECT_EQ(readBytes(empty.dir.file("sheet.xy")), xyFileText(empty.points, false));
}

TEST(XYFileTest, aFailedSaveIsReportedWithThePath)
{
  SaveRig rig;
  const std::string path = rig.dir.file("missing/sheet.xy").string();
  rig.dialogs.answer(FileChoice{path, 1});
  rig.save();
  const auto messages = rig.prompts.messages();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_NE(messages[0].text.find(path), std::string::npos) << messages[0].text;
}

} // namespace
} // namespace tarvek
