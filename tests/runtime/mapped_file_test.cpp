// A file's bytes seen in place: exact bytes, empty and missing files, files
// the system reports without a size, and moves.
#include "runtime/mapped_file.h"

#include "runtime/file_util.h"
#include "support/scratch_dir.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace tarvek {
namespace {

using test::ScratchDir;

TEST(MappedFileTest, givesTheFileBytesExactly)
{
  ScratchDir dir;
  std::string large;
  for (int i = 0; large.size() < 300'000; ++i)
    large += "C " + std::to_string(i) + " 0.5 -1.25\r\n";
  const struct {
    const char* name;
    std::string bytes;
  } cases[] = {
      {"one.xyz", "1"},
      {"lines.xyz", "2\r\ncomment\nC 1 2 3\rC 4 5 6"},
      {"nul.xyz", std::string("a\0b\n", 4)},
      {"large.xyz", large},
  };
  for (const auto& c : cases) {
    MappedFile file;
    ASSERT_TRUE(file.open(dir.write(c.name, c.bytes).string())) << c.name;
    EXPECT_EQ(file.bytes(), c.bytes) << c.name;
  }
}

TEST(MappedFileTest, emptyAndMissingFiles)
{
  ScratchDir dir;
  MappedFile file;
  EXPECT_TRUE(file.open(dir.write("empty.xyz", "").string()));
  EXPECT_TRUE(file.bytes().empty());

  const std::string missing = dir.file("missing.xyz").string();
  const FileStatus status = file.open(missing);
  ASSERT_FALSE(status);
  EXPECT_NE(status.error().find("Could not read"), std::string::npos) << status.error();
  EXPECT_NE(status.error().find(missing), std::string::npos) << status.error();
  EXPECT_TRUE(file.bytes().empty());
  EXPECT_FALSE(file.open(dir.path().string()));
}

// /proc files report no size: they are read instead of mapped. A short text
// sits inside its string, so a move must point the view at the new copy.
TEST(MappedFileTest, readFilesAndMappedFilesSurviveMoves)
{
  ScratchDir dir;
  const std::string mappedPath = dir.write("mapped.xyz", "3\r\nC 0 0 0\r\n").string();
  const std::string readPath = "/proc/self/comm";
  const std::string readBytes = readFileText(readPath);
  ASSERT_FALSE(readBytes.empty());
  for (const auto& [path, bytes] :
       {std::pair{mappedPath, std::string("3\r\nC 0 0 0\r\n")}, std::pair{readPath, readBytes}}) {
    MappedFile first;
    ASSERT_TRUE(first.open(path)) << path;
    MappedFile second(std::move(first));
    EXPECT_EQ(second.bytes(), bytes) << path;
    EXPECT_TRUE(first.bytes().empty()) << path;
    MappedFile third;
    ASSERT_TRUE(third.open(mappedPath));
    third = std::move(second);
    EXPECT_EQ(third.bytes(), bytes) << path;
  }
}

} // namespace
} // namespace tarvek
