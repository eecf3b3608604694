// The real program ended by SIGTERM, SIGHUP or SIGINT closes as a user's close would.
#include "support/scratch_dir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <thread>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace tarvek {
namespace {

namespace fs = std::filesystem;

std::set<std::string> namesIn(const fs::path& folder)
{
  std::set<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder))
    names.insert(entry.path().filename().string());
  return names;
}

// The program with its temporary folder under tmp and its configuration
// beside it; the user folder exists, so no first-start message waits.
pid_t startProgram(const fs::path& tmp, const fs::path& config)
{
  fs::create_directories(config);
  fs::create_directories(config.parent_path() / "tarvek");
  const pid_t child = ::fork();
  if (child == 0) {
    ::setenv("TMP", tmp.c_str(), 1);
    ::setenv("XDG_CONFIG_HOME", config.c_str(), 1);
    ::execl(TARVEK_PROGRAM, TARVEK_PROGRAM, static_cast<char*>(nullptr));
    ::_exit(127);
  }
  return child;
}

// Waits until the program has made its private folder (the signal handlers
// are in place before it); false when the program ended first.
bool waitForOwnFolder(pid_t child, const fs::path& tmp, const std::set<std::string>& before)
{
  for (;;) {
    for (const auto& name : namesIn(tmp))
      if (!before.count(name) && name.rfind("tarvek-", 0) == 0 &&
          fs::exists(tmp / name / ".lock"))
        return true;
    int status = 0;
    if (::waitpid(child, &status, WNOHANG) == child)
      return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
}

// Waits until the program's main thread has sat in poll() for a quarter of
// a second, as it does in its event loop once started: a start slowed down
// by a busy machine would otherwise meet the signal before the loop that
// takes it. False when the program ended first.
bool waitForEventLoop(pid_t child)
{
  const std::string wchan = "/proc/" + std::to_string(child) + "/wchan";
  for (int idle = 0; idle < 5;) {
    std::ifstream in(wchan);
    std::string where;
    in >> where;
    idle = where.find("poll") != std::string::npos ? idle + 1 : 0;
    int status = 0;
    if (::waitpid(child, &status, WNOHANG) == child)
      return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return true;
}

TEST(QuitSignalTest, eachSignalEndsTheProgramThroughItsNormalClose)
{
  for (int number : {SIGTERM, SIGHUP, SIGINT}) {
    test::ScratchDir scratch;
    const fs::path tmp = scratch.path() / "tmp";
    fs::create_directory(tmp);
    // A stored place too small to restore: the close stores the real one.
    fs::create_directories(scratch.path() / "config/tarvek");
    scratch.write("config/tarvek/tarvek.conf", "[General]\nCOL0=12155392\nWNDO=\" 1  2  3  4\"\n");
    const pid_t child = startProgram(tmp, scratch.path() / "config");
    ASSERT_GT(child, 0);
    ASSERT_TRUE(waitForOwnFolder(child, tmp, {})) << strsignal(number);
    ASSERT_TRUE(waitForEventLoop(child)) << strsignal(number);
    ASSERT_EQ(::kill(child, number), 0);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0)
        << strsignal(number) << ": status " << status;
    EXPECT_TRUE(namesIn(tmp).empty()) << strsignal(number);
    const std::string stored = test::readBytes(scratch.path() / "config/tarvek/tarvek.conf");
    EXPECT_EQ(stored.find("1  2  3  4"), std::string::npos) << strsignal(number) << stored;
    EXPECT_NE(stored.find("WNDO="), std::string::npos) << strsignal(number) << stored;
  }
}

// A folder left by a run that died (its lock free) is gone after the next
// start; one whose lock a living process holds stays.
TEST(QuitSignalTest, theNextStartRemovesOnlyFoldersOfDeadRuns)
{
  test::ScratchDir scratch;
  const fs::path tmp = scratch.path() / "tmp";
  for (const char* name : {"tarvek-dead01", "tarvek-live01"}) {
    fs::create_directories(tmp / name);
    scratch.write(std::string("tmp/") + name + "/.lock", "");
    scratch.write(std::string("tmp/") + name + "/tmp.xyz", "scene");
    fs::last_write_time(tmp / name / ".lock", fs::file_time_type::clock::now() - std::chrono::minutes(2));
  }
  const int held = ::open((tmp / "tarvek-live01/.lock").c_str(), O_RDONLY | O_CLOEXEC);
  ASSERT_GE(held, 0);
  ASSERT_EQ(::flock(held, LOCK_EX), 0);

  const pid_t child = startProgram(tmp, scratch.path() / "config");
  ASSERT_GT(child, 0);
  ASSERT_TRUE(waitForOwnFolder(child, tmp, {"tarvek-dead01", "tarvek-live01"}));
  ASSERT_TRUE(waitForEventLoop(child));
  ASSERT_EQ(::kill(child, SIGTERM), 0);
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ::close(held);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "status " << status;
  EXPECT_EQ(namesIn(tmp), std::set<std::string>{"tarvek-live01"});
  EXPECT_TRUE(fs::exists(tmp / "tarvek-live01/tmp.xyz"));
}

// A FIFO in place of the settings file is never opened: the program starts
// on its defaults (its notice waiting) and a signal ends it normally. Were
// it opened, the start would block there until the watchdog killed it.
TEST(QuitSignalTest, aFifoAsTheSettingsFileIsPassedOver)
{
  test::ScratchDir scratch;
  const fs::path tmp = scratch.path() / "tmp";
  const fs::path config = scratch.path() / "config";
  fs::create_directories(tmp);
  fs::create_directories(config / "tarvek");
  const fs::path fifo = config / "tarvek/tarvek.conf";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const pid_t child = startProgram(tmp, config);
  ASSERT_GT(child, 0);
  ASSERT_TRUE(waitForOwnFolder(child, tmp, {}));
  ASSERT_TRUE(waitForEventLoop(child)) << "the start did not get past the settings file";
  ASSERT_EQ(::kill(child, SIGTERM), 0);
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "status " << status;
  EXPECT_TRUE(namesIn(tmp).empty());
  EXPECT_EQ(fs::status(fifo).type(), fs::file_type::fifo);
}

} // namespace
} // namespace tarvek
