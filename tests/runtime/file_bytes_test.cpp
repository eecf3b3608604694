// A file's bytes read whole: exact bytes, empty and missing files, files
// whose size the system misreports or that shrink while they are read, and
// moves.
#include "runtime/file_bytes.h"

#include "runtime/file_util.h"
#include "support/scratch_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <utility>

namespace tarvek {
namespace {

using test::ScratchDir;

std::string rows(std::size_t bytes)
{
  std::string text;
  for (int i = 0; text.size() < bytes; ++i)
    text += "C " + std::to_string(i) + " 0.5 -1.25\r\n";
  return text;
}

// Small files come from the heap, large ones from mapped blocks.
TEST(FileBytesTest, givesTheFileBytesExactly)
{
  ScratchDir dir;
  const struct {
    const char* name;
    std::string bytes;
  } cases[] = {
      {"one.xyz", "1"},
      {"lines.xyz", "2\r\ncomment\nC 1 2 3\rC 4 5 6"},
      {"nul.xyz", std::string("a\0b\n", 4)},
      {"medium.xyz", rows(300'000)},
      {"large.xyz", rows(5'000'000)},
  };
  for (const auto& c : cases) {
    FileBytes file;
    ASSERT_TRUE(file.open(dir.write(c.name, c.bytes).string())) << c.name;
    EXPECT_EQ(file.bytes(), c.bytes) << c.name;
  }
}

TEST(FileBytesTest, emptyAndMissingFiles)
{
  ScratchDir dir;
  FileBytes file;
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

// A pipe reports no size and brings more than the first block; a sysfs file
// reports a page and holds less, as a file shortened after its size was
// asked does.
TEST(FileBytesTest, filesWithoutATrueSize)
{
  ScratchDir dir;
  const std::string pipePath = dir.file("pipe.xyz").string();
  ASSERT_EQ(::mkfifo(pipePath.c_str(), 0600), 0);
  const std::string piped = rows(200'000);
  std::thread writer([&] {
    const int fd = ::open(pipePath.c_str(), O_WRONLY | O_CLOEXEC);
    for (std::size_t at = 0; fd >= 0 && at < piped.size();) {
      const ssize_t n = ::write(fd, piped.data() + at, piped.size() - at);
      if (n <= 0)
        break;
      at += static_cast<std::size_t>(n);
    }
    ::close(fd);
  });
  FileBytes file;
  const FileStatus status = file.open(pipePath);
  writer.join();
  ASSERT_TRUE(status) << status.error();
  EXPECT_EQ(file.bytes(), piped);

  const std::string sysfsPath = "/sys/kernel/mm/transparent_hugepage/enabled";
  struct stat info {};
  if (::stat(sysfsPath.c_str(), &info) != 0)
    GTEST_SKIP() << sysfsPath << " is missing";
  const std::string sysfs = readFileText(sysfsPath);
  ASSERT_LT(sysfs.size(), static_cast<std::size_t>(info.st_size));
  ASSERT_TRUE(file.open(sysfsPath));
  EXPECT_EQ(file.bytes(), sysfs);
}

// Another process cutting the file to half its length and writing the rest
// back, over and over: every read gives at least the half it never cuts,
// and every byte it gives can be read.
TEST(FileBytesTest, aFileShortenedWhileReadIsReadToWhereItEnds)
{
  ScratchDir dir;
  const std::string full = rows(1'000'000);
  const std::size_t half = full.size() / 2;
  const auto lines = std::count(full.begin(), full.end(), '\n');
  const std::string path = dir.write("shrinking.xyz", full).string();
  const int fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC);
  ASSERT_GE(fd, 0);
  std::atomic<bool> done = false;
  std::thread cutter([&] {
    while (!done && ::ftruncate(fd, static_cast<off_t>(half)) == 0
           && ::pwrite(fd, full.data() + half, full.size() - half, static_cast<off_t>(half)) > 0) {
    }
  });
  FileBytes file;
  for (int i = 0; i < 300; ++i) {
    const FileStatus status = file.open(path);
    const std::string_view bytes = file.bytes();
    EXPECT_TRUE(status) << status.error();
    EXPECT_GE(bytes.size(), half);
    EXPECT_LE(bytes.size(), full.size());
    EXPECT_EQ(bytes.substr(0, half), std::string_view(full).substr(0, half));
    EXPECT_LE(std::count(bytes.begin(), bytes.end(), '\n'), lines);
    if (::testing::Test::HasFailure())
      break;
  }
  done = true;
  cutter.join();
  ::close(fd);
}

// A short read sits in the heap, a long one in a mapped block: a move
// keeps the bytes either way.
TEST(FileBytesTest, bytesSurviveMoves)
{
  ScratchDir dir;
  const std::string large = rows(3'000'000);
  for (const std::string& bytes : {std::string("3\r\nC 0 0 0\r\n"), large}) {
    const std::string path = dir.write("moved.xyz", bytes).string();
    FileBytes first;
    ASSERT_TRUE(first.open(path));
    FileBytes second(std::move(first));
    EXPECT_EQ(second.bytes(), bytes);
    EXPECT_TRUE(first.bytes().empty());
    FileBytes third;
    ASSERT_TRUE(third.open(dir.write("other.xyz", "1\n").string()));
    third = std::move(second);
    EXPECT_EQ(third.bytes(), bytes);
  }
}

} // namespace
} // namespace tarvek
