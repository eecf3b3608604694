#include "runtime/file_util.h"

#include "runtime/runtime_error.h"
#include "support/scratch_dir.h"

#include <gtest/gtest.h>

#include <filesystem>

#include <sys/stat.h>
#include <unistd.h>

namespace tarvek {
namespace {

using test::ScratchDir;

// Callers test FileExists before opening and rely on it never throwing; an
// empty file counts as absent.
TEST(FileUtilTest, fileExistsNeedsAtLeastOneByteAndNeverThrows)
{
  ScratchDir dir;
  const auto empty = dir.write("empty.xyz", "");
  const auto one = dir.write("one.xyz", "x");
  const struct {
    std::string path;
    bool exists;
  } cases[] = {
    {empty.string(), false},
    {dir.path().string(), false},
    {dir.file("missing.xyz").string(), false},
    {(one / "x").string(), false},
    {"", false},
    {one.string(), true},
  };
  for (const auto& c : cases)
    EXPECT_EQ(FileExists(c.path), c.exists) << "path \"" << c.path << "\"";

  EXPECT_TRUE(DirExists(dir.path().string()));
  EXPECT_FALSE(DirExists(one.string()));
  EXPECT_FALSE(DirExists(dir.file("missing").string()));
}

TEST(FileUtilTest, killFileDeletesOnlyFilesWithContent)
{
  ScratchDir dir;
  const auto empty = dir.write("empty.xyz", "");
  const auto one = dir.write("one.xyz", "x");
  killFile(empty.string());
  killFile(one.string());
  killFile(dir.file("missing.xyz").string());
  EXPECT_TRUE(std::filesystem::exists(empty));
  EXPECT_FALSE(std::filesystem::exists(one));
}

// A refused deletion reaches the caller; root may delete anything.
TEST(FileUtilTest, killFileReportsARefusedDeletion)
{
  if (::geteuid() == 0)
    GTEST_SKIP() << "root may delete from a read-only folder";
  ScratchDir dir;
  std::filesystem::create_directory(dir.file("locked"));
  const auto file = dir.write("locked/kept.xyz", "x");
  ::chmod(dir.file("locked").c_str(), 0555);
  try {
    killFile(file.string());
    ADD_FAILURE() << "no error for a refused deletion";
  } catch (const RuntimeError& e) {
    EXPECT_NE(std::string(e.what()).find(file.string()), std::string::npos) << e.what();
  }
  ::chmod(dir.file("locked").c_str(), 0755);
  EXPECT_TRUE(std::filesystem::exists(file));
}

TEST(FileUtilTest, readFileTextReturnsTheBytesOrNothing)
{
  ScratchDir dir;
  const std::string bytes("a\r\nb\0c\xC3\x85\n", 9);
  const auto file = dir.write("data.txt", bytes);
  EXPECT_EQ(readFileText(file.string()), bytes);
  EXPECT_EQ(readFileText(dir.file("missing.txt").string()), "");
  EXPECT_EQ(readFileText(dir.path().string()), "");

  std::string read = "stale";
  EXPECT_FALSE(readFileBytes(dir.path().string(), read));
  EXPECT_EQ(read, "");
}

} // namespace
} // namespace tarvek
