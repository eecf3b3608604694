// Saves killed at any point, and the sweep of temporary files left by dead writers.
#include "runtime/atomic_file.h"
#include "runtime/pending_file.h"

#include "support/kill_point.h"
#include "support/scratch_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace tarvek {
namespace {

namespace fs = std::filesystem;
using test::readBytes;
using test::ScratchDir;

std::set<std::string> namesIn(const fs::path& folder)
{
  std::set<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder))
    names.insert(entry.path().filename().string());
  return names;
}

constexpr std::size_t kChunk = 1 << 20;
constexpr int kChunks = 16;

std::string chunk(int i)
{
  return std::string(kChunk, static_cast<char>('a' + i % 26));
}

std::string wholeNewFile()
{
  std::string all;
  for (int i = 0; i < kChunks; ++i)
    all += chunk(i);
  return all;
}

// A child writes 16 MB over an existing file and is killed at the named
// point; the folder then holds the old file alone, or after a finished save
// the complete new one alone.
TEST(PendingFileTest, aKilledSaveLeavesTheOldFileAndNothingElse)
{
  enum Point { kBeforeFirstWrite, kMidWrite, kBeforeCommit, kNever };
  const struct {
    Point point;
    const char* name;
  } cases[] = {{kBeforeFirstWrite, "before the first write"},
               {kMidWrite, "half-way through the writes"},
               {kBeforeCommit, "just before the commit"},
               {kNever, "not at all"}};
  for (const auto& c : cases) {
    ScratchDir dir;
    const fs::path target = dir.write("structure.xyz", "old contents\r\n");
    const bool killed = test::killAtStopPoint([&](const std::function<void()>& stop) {
      AtomicFile file(target.string());
      for (int i = 0; i < kChunks; ++i) {
        if ((c.point == kBeforeFirstWrite && i == 0) || (c.point == kMidWrite && i == kChunks / 2))
          stop();
        file.write(chunk(i));
      }
      if (c.point == kBeforeCommit)
        stop();
      ASSERT_TRUE(file.commit().ok());
    });
    EXPECT_EQ(killed, c.point != kNever) << c.name;
    EXPECT_EQ(namesIn(dir.path()), std::set<std::string>{"structure.xyz"}) << c.name;
    const std::string now = readBytes(target);
    if (c.point == kNever)
      EXPECT_TRUE(now == wholeNewFile()) << c.name << ": " << now.size() << " bytes";
    else
      EXPECT_EQ(now, "old contents\r\n") << c.name;
  }
}

// A named temporary file (what a filesystem without unnamed files gets) is
// removed by the next save once no writer holds its lock; one that a living
// writer holds and every other file stay.
TEST(PendingFileTest, theNextSaveSweepsOnlyUnheldTemporaryFilesOfThisUser)
{
  ScratchDir dir;
  const fs::path dead = dir.write(".tarvek-save-dead01", "left by a killed writer");
  const fs::path held = dir.write(".tarvek-save-held01", "being written");
  dir.write(".tarvek-saved-notes", "not a temporary file");
  dir.write("notes.txt", "the user's");
  const int lock = ::open(held.c_str(), O_RDONLY | O_CLOEXEC);
  ASSERT_GE(lock, 0);
  ASSERT_EQ(::flock(lock, LOCK_EX), 0);

  ASSERT_TRUE(writeFileAtomic(dir.file("out.txt").string(), "saved").ok());
  EXPECT_EQ(namesIn(dir.path()), (std::set<std::string>{".tarvek-save-held01",
                                                         ".tarvek-saved-notes", "notes.txt",
                                                         "out.txt"}));
  ::close(lock);
  sweepStaleSaves(dir.path().string());
  EXPECT_FALSE(fs::exists(held));
  EXPECT_EQ(readBytes(dir.file("out.txt")), "saved");
}

// The file under way is invisible in the folder until the commit.
TEST(PendingFileTest, theDataHasNoNameUntilTheCommit)
{
  ScratchDir dir;
  PendingFile file;
  ASSERT_EQ(file.open(dir.file("target").string()), 0);
  ASSERT_EQ(::write(file.fd(), "abc", 3), 3);
  EXPECT_TRUE(namesIn(dir.path()).empty());
  ASSERT_EQ(file.commitTo(dir.file("target").string()), 0);
  EXPECT_EQ(file.fd(), -1);
  EXPECT_EQ(namesIn(dir.path()), std::set<std::string>{"target"});
  EXPECT_EQ(readBytes(dir.file("target")), "abc");

  PendingFile dropped;
  ASSERT_EQ(dropped.open(dir.file("target").string()), 0);
  dropped.discard();
  EXPECT_EQ(namesIn(dir.path()), std::set<std::string>{"target"});
  EXPECT_EQ(dropped.commitTo(dir.file("target").string()), EBADF);
}

} // namespace
} // namespace tarvek
