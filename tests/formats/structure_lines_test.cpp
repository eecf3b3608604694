// The block reader of coordinate files against the whole-text line split.
#include "formats/structure_lines.h"
#include "runtime/line_reader.h"
#include "runtime/runtime_error.h"
#include "support/scratch_dir.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tarvek::test {
namespace {

constexpr std::size_t kBlock = StructureLines::kBlockBytes;

std::vector<std::string> linesOf(StructureLines& lines)
{
  std::vector<std::string> out;
  std::string_view line;
  while (lines.next(line))
    out.emplace_back(line);
  return out;
}

// Rows of `width` bytes plus the line end, enough to pass the first block.
std::string rows(std::size_t width, const std::string& end, std::size_t bytes)
{
  std::string text;
  for (std::size_t i = 0; text.size() < bytes; ++i) {
    std::string row = "C " + std::to_string(i) + " 0 0";
    row.resize(width, ' ');
    text += row + end;
  }
  return text;
}

// Line ends that straddle a block's end, lone CRs and a byte-order mark
// give the lines the whole-text split gives, from a file as from memory.
TEST(StructureLinesTest, blocksGiveTheLinesOfTheWholeText)
{
  // A CR LF whose CR ends the first block, whose LF starts the second.
  std::string straddle(kBlock - 1, 'a');
  straddle += "\r\nnext\r\nlast";
  const struct {
    const char* name;
    std::string text;
  } cases[] = {
      {"CR LF rows", rows(37, "\r\n", kBlock + 4096)},
      {"LF rows", rows(29, "\n", 2 * kBlock + 100)},
      {"lone CR rows", rows(31, "\r", kBlock + 777)},
      {"CR LF across the block end", straddle},
      {"byte-order mark and no end", "\xEF\xBB\xBF" "2\r\n\r\nC 0 0 0\nC 1 0 0"},
      {"empty lines", "\n\n\r\r\n"},
  };
  for (const auto& c : cases) {
    const BigVector<std::string_view> split =
        splitLines(std::string_view(c.text).starts_with("\xEF\xBB\xBF")
                       ? std::string_view(c.text).substr(3)
                       : std::string_view(c.text));
    const std::vector<std::string> want(split.begin(), split.end());
    ScratchDir dir;
    const auto file = dir.write("rows.xyz", c.text);
    StructureLines fromFile(file.string(), nullptr);
    EXPECT_EQ(linesOf(fromFile), want) << c.name;
    StructureLines fromBytes(c.text);
    EXPECT_EQ(linesOf(fromBytes), want) << c.name;
  }
}

// A line longer than a block gives its first block; the next line follows
// it as usual, in a file and in memory alike.
TEST(StructureLinesTest, overLongLinesGiveTheirFirstBlock)
{
  const std::string text = "3\r\n" + std::string(3 * kBlock + 5, 'x') + "\r\nC 0 0 0\r\n";
  ScratchDir dir;
  const auto file = dir.write("long.xyz", text);
  StructureLines fromFile(file.string(), nullptr);
  StructureLines fromBytes(text);
  for (StructureLines* lines : {&fromFile, &fromBytes}) {
    const std::vector<std::string> got = linesOf(*lines);
    ASSERT_EQ(got.size(), 3u);
    EXPECT_EQ(got[0], "3");
    EXPECT_EQ(got[1], std::string(kBlock, 'x'));
    EXPECT_EQ(got[2], "C 0 0 0");
    EXPECT_EQ(lines->lineNumber(), 3u);
  }
}

TEST(StructureLinesTest, unreadableFileThrows)
{
  ScratchDir dir;
  EXPECT_THROW(StructureLines(dir.file("missing.xyz").string(), nullptr), RuntimeError);
  StructureLines folder(dir.path().string(), nullptr);
  std::string_view line;
  EXPECT_THROW(folder.next(line), RuntimeError);
}

} // namespace
} // namespace tarvek::test
