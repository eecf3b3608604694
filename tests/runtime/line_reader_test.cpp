#include "runtime/line_reader.h"

#include "support/scratch_dir.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>

namespace tarvek {
namespace {

using test::readBytes;
using test::ScratchDir;
using Lines = std::vector<std::string>;

Lines readAll(const std::string& path)
{
  LineReader reader(path);
  Lines lines;
  for (std::string line; reader.next(line);)
    lines.push_back(line);
  EXPECT_TRUE(reader.status()) << reader.status().error();
  return lines;
}

// Files come from Windows, Unix and old Mac tools alike.
TEST(LineReaderTest, acceptsEveryLineEnd)
{
  const struct {
    const char* bytes;
    Lines expected;
  } cases[] = {
    {"a\r\nb\nc\rd", {"a", "b", "c", "d"}},
    {"a\r\n", {"a"}},
    {"\r\n\r\n", {"", ""}},
    {"\r\r\n", {"", ""}},
    {"\n\n", {"", ""}},
    {"a\r", {"a"}},
    {"last", {"last"}},
    {"", {}},
    {" 1.5  2 \t3\r\n", {" 1.5  2 \t3"}},
  };
  ScratchDir dir;
  for (const auto& c : cases) {
    auto path = dir.write("in.txt", c.bytes);
    EXPECT_EQ(readAll(path.string()), c.expected) << "bytes \"" << c.bytes << "\"";
    const auto views = splitLines(c.bytes);
    EXPECT_EQ(Lines(views.begin(), views.end()), c.expected)
        << "in memory, bytes \"" << c.bytes << "\"";
  }
}

// A CR LF pair split by the read block must still end one line, not two.
TEST(LineReaderTest, lineEndsAcrossReadBlocksAndLongLines)
{
  ScratchDir dir;
  for (std::size_t first : {65535u, 65536u, 65537u, 200000u}) {
    std::string longLine(first, 'x');
    auto path = dir.write("in.txt", longLine + "\r\ny\r\n");
    Lines lines = readAll(path.string());
    ASSERT_EQ(lines.size(), 2u) << "first line of " << first;
    EXPECT_EQ(lines[0], longLine) << "first line of " << first;
    EXPECT_EQ(lines[1], "y") << "first line of " << first;
  }
}

// Every line's reported start is a place a second reader can take over
// from: it then reads the same lines to the end, whichever line ends came
// before and wherever the read blocks were cut (a CR ending one block).
TEST(LineReaderTest, aLineStartResumesReadingThere)
{
  std::string bytes = "\r\nfirst\rsecond\n\n";
  bytes += std::string(65536 - bytes.size() - 1, 'x') + "\r\nafter a cut pair\r";
  bytes += std::string(70000, 'y') + "\nlast";
  ScratchDir dir;
  const std::string path = dir.write("in.txt", bytes).string();
  const Lines all = readAll(path);
  LineReader reader(path);
  std::size_t index = 0;
  for (std::string line; reader.next(line); ++index) {
    LineReader resumed(path, reader.lineStart());
    Lines rest;
    for (std::string again; resumed.next(again);)
      rest.push_back(again);
    EXPECT_EQ(rest, Lines(all.begin() + static_cast<std::ptrdiff_t>(index), all.end()))
        << "from line " << index + 1 << " at byte " << reader.lineStart();
  }
  EXPECT_EQ(index, all.size());
}

// Readers must never rewrite the file they read.
TEST(LineReaderTest, leavesBytesAndModificationTimeAlone)
{
  ScratchDir dir;
  const std::string bytes = "a\r\nb\nc\rd";
  auto path = dir.write("in.txt", bytes);
  const timespec past[2] = {{1000000000, 0}, {1000000000, 0}};
  ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), past, 0), 0);

  readAll(path.string());

  struct stat info {};
  ASSERT_EQ(::stat(path.c_str(), &info), 0);
  EXPECT_EQ(info.st_mtim.tv_sec, 1000000000);
  EXPECT_EQ(info.st_mtim.tv_nsec, 0);
  EXPECT_EQ(readBytes(path), bytes);
}

TEST(LineReaderTest, unreadablePathReportsWhy)
{
  ScratchDir dir;
  for (const auto& path : {dir.file("missing.txt").string(), dir.path().string()}) {
    LineReader reader(path);
    std::string line;
    EXPECT_FALSE(reader.next(line)) << path;
    ASSERT_FALSE(reader.status()) << path;
    EXPECT_NE(reader.status().error().find("\"" + path + "\""), std::string::npos)
      << reader.status().error();
  }
}

} // namespace
} // namespace tarvek
