#include "platform/temp_folder.h"
#include "runtime/runtime_error.h"
#include "support/scoped_env.h"
#include "support/scratch_dir.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <sys/stat.h>

namespace tarvek {
namespace {

namespace fs = std::filesystem;

using test::ScopedEnv;

mode_t permissions(const fs::path& p)
{
  struct stat st {};
  EXPECT_EQ(::stat(p.c_str(), &st), 0) << p;
  return st.st_mode & 07777;
}

// Each process gets its own private folder, so fixed file names never clash.
TEST(TempFolderTest, privateFolderPerObjectUnderTmp)
{
  test::ScratchDir tmp;
  ScopedEnv env("TMP", tmp.path().string());
  TempFolder a;
  TempFolder b;
  EXPECT_NE(a.folder(), b.folder());
  for (const TempFolder* t : {&a, &b}) {
    EXPECT_EQ(t->folder().parent_path(), tmp.path());
    EXPECT_TRUE(fs::is_directory(t->folder()));
    EXPECT_EQ(permissions(t->folder()), 0700u) << t->folder();
  }
  EXPECT_EQ(a.path("tmp.xyz"), (a.folder() / "tmp.xyz").string());
}

TEST(TempFolderTest, destructionRemovesFolderAndContents)
{
  test::ScratchDir tmp;
  ScopedEnv env("TMP", tmp.path().string());
  fs::path folder;
  {
    TempFolder t;
    folder = t.folder();
    std::ofstream(t.path("tmp.xyz")) << "C 0 0 0\r\n";
    fs::create_directory(t.path("sub"));
    std::ofstream(fs::path(t.path("sub")) / "x") << "x";
    ASSERT_TRUE(fs::exists(fs::path(t.path("sub")) / "x"));
  }
  EXPECT_FALSE(fs::exists(folder));
  EXPECT_TRUE(fs::is_directory(tmp.path()));
}

// $TMP counts only when it names a folder; then $TMPDIR, then /tmp.
TEST(TempFolderTest, fallsBackWhenTmpNamesNoFolder)
{
  test::ScratchDir system;
  test::ScratchDir other;
  std::string file = other.write("plain-file", "x").string();
  std::string missing = (other.path() / "missing").string();
  for (const auto& tmp : {missing, file, std::string()}) {
    ScopedEnv envTmp("TMP", tmp);
    {
      ScopedEnv envTmpdir("TMPDIR", system.path().string());
      TempFolder t;
      EXPECT_EQ(t.folder().parent_path(), system.path()) << "TMP=" << tmp;
    }
    ScopedEnv envTmpdir("TMPDIR", missing);
    TempFolder t;
    EXPECT_EQ(t.folder().parent_path(), fs::path("/tmp")) << "TMP=" << tmp;
  }
}

// A folder nobody may create anything in, root included.
TEST(TempFolderTest, failureIsReportedNamingTheFolder)
{
  ScopedEnv env("TMP", std::string("/proc"));
  try {
    TempFolder t;
    FAIL() << "made a folder in /proc: " << t.folder();
  } catch (const RuntimeError& e) {
    EXPECT_NE(std::string(e.what()).find("/proc"), std::string::npos) << e.what();
  }
}

// A $TMP folder the user may not write is passed over like a missing one.
// The check runs in a child as an ordinary user, as root may write anywhere.
TEST(TempFolderTest, fallsBackWhenTheUserCannotWriteTmp)
{
  test::ScratchDir scratch;
  fs::permissions(scratch.path(), fs::perms::all);
  const fs::path readOnly = scratch.path() / "read-only";
  const fs::path open = scratch.path() / "open";
  fs::create_directory(readOnly);
  fs::create_directory(open);
  fs::permissions(readOnly, fs::perms::owner_read | fs::perms::owner_exec |
                                fs::perms::group_read | fs::perms::group_exec |
                                fs::perms::others_read | fs::perms::others_exec);
  fs::permissions(open, fs::perms::all);
  ScopedEnv envTmp("TMP", readOnly.string());
  ScopedEnv envTmpdir("TMPDIR", open.string());
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0))
      ::_exit(2);
    try {
      TempFolder t;
      ::_exit(t.folder().parent_path() == open ? 0 : 1);
    } catch (const RuntimeError&) {
      ::_exit(3);
    }
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFEXITED(status)) << status;
  EXPECT_EQ(WEXITSTATUS(status), 0) << "1: made in the read-only folder, 3: not made at all";
}

// Folders of earlier runs go when nothing holds their lock and they are
// older than a minute; a folder whose lock is held, one without a lock file
// and anything else stay.
TEST(TempFolderTest, foldersOfDeadRunsAreRemovedAtTheNextStart)
{
  test::ScratchDir tmp;
  ScopedEnv env("TMP", tmp.path().string());
  for (const char* name : {"tarvek-dead01", "tarvek-held01", "tarvek-nolock"}) {
    fs::create_directory(tmp.path() / name);
    tmp.write(std::string(name) + "/tmp.xyz", "scene");
  }
  tmp.write("tarvek-dead01/.lock", "");
  tmp.write("tarvek-held01/.lock", "");
  for (const char* lock : {"tarvek-dead01/.lock", "tarvek-held01/.lock"})
    fs::last_write_time(tmp.path() / lock, fs::file_time_type::clock::now() - std::chrono::minutes(2));
  tmp.write("tarvek-file", "not a folder");
  const int held = ::open((tmp.path() / "tarvek-held01/.lock").c_str(), O_RDONLY | O_CLOEXEC);
  ASSERT_GE(held, 0);
  ASSERT_EQ(::flock(held, LOCK_EX), 0);
  {
    TempFolder t;
    EXPECT_TRUE(fs::exists(t.folder() / ".lock"));
    EXPECT_FALSE(fs::exists(tmp.path() / "tarvek-dead01"));
    EXPECT_TRUE(fs::exists(tmp.path() / "tarvek-held01/tmp.xyz"));
    EXPECT_TRUE(fs::exists(tmp.path() / "tarvek-nolock/tmp.xyz"));
    EXPECT_TRUE(fs::exists(tmp.path() / "tarvek-file"));
    // A second run keeps the first one's folder, whose lock is held.
    TempFolder second;
    EXPECT_TRUE(fs::exists(t.folder()));
  }
  ::close(held);
}

// A run that has made its folder and lock file but not yet locked it (a
// forked child held in that gap) keeps its folder while a second run starts.
TEST(TempFolderTest, aStartingRunsFolderSurvivesARacingStart)
{
  test::ScratchDir tmp;
  ScopedEnv env("TMP", tmp.path().string());
  const fs::path racing = tmp.path() / "tarvek-racing";
  int ready[2];
  int go[2];
  ASSERT_EQ(::pipe(ready), 0);
  ASSERT_EQ(::pipe(go), 0);
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    ::mkdir(racing.c_str(), 0700);
    const int lock = ::open((racing / ".lock").c_str(), O_RDWR | O_CREAT | O_EXCL, 0600);
    char byte = 1;
    static_cast<void>(::write(ready[1], &byte, 1));
    static_cast<void>(::read(go[0], &byte, 1));
    const bool locked = lock >= 0 && ::flock(lock, LOCK_EX) == 0;
    ::_exit(locked && ::access((racing / ".lock").c_str(), F_OK) == 0 ? 0 : 1);
  }
  char byte = 0;
  ASSERT_EQ(::read(ready[0], &byte, 1), 1);
  {
    TempFolder second;
    EXPECT_TRUE(fs::exists(racing / ".lock")) << "the racing run's folder was swept";
  }
  static_cast<void>(::write(go[1], &byte, 1));
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
  for (int fd : {ready[0], ready[1], go[0], go[1]})
    ::close(fd);
}

} // namespace
} // namespace tarvek
