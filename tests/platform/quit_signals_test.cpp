// The watchdog of the quit signals, in forked children of a process with no
// Qt application of its own: each child makes its own.
#include "platform/quit_signals.h"
#include "support/scratch_dir.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <system_error>

#include <sys/wait.h>
#include <unistd.h>

namespace tarvek {
namespace {

namespace fs = std::filesystem;

// A child whose main thread never comes back to an event loop (it waits for
// signals, telling the parent after each one it has taken): the watchdog
// removes the folder and ends it by the signal, at the deadline after one
// signal, at once on a second one.
TEST(QuitSignalsTest, aBusyMainThreadIsEndedAndItsFolderRemoved)
{
  using namespace std::chrono_literals;
  struct Case {
    const char* name;
    std::chrono::milliseconds deadline;
    int signalCount;
  };
  const Case cases[] = {
      {"one signal, the deadline passes", 3s, 1},
      {"a second signal, the deadline an hour off", 1h, 2},
  };
  for (const auto& c : cases) {
    test::ScratchDir scratch;
    const fs::path folder = scratch.path() / "private";
    fs::create_directory(folder);
    scratch.write("private/tmp.xyz", "scene");
    int taken[2];
    ASSERT_EQ(::pipe(taken), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      int argc = 1;
      char name[] = "quit_signals_child";
      char* argv[] = {name, nullptr};
      QCoreApplication app(argc, argv);
      QuitSignals quit([] {}, c.deadline);
      quit.setLastRites([folder] {
        std::error_code ignored;
        fs::remove_all(folder, ignored);
      });
      // SIGTERM stays blocked but while the thread waits, so one that
      // comes before the wait is taken by it instead of being lost.
      sigset_t term;
      sigset_t waiting;
      sigemptyset(&term);
      sigaddset(&term, SIGTERM);
      ::sigprocmask(SIG_BLOCK, &term, &waiting);
      char byte = 1;
      static_cast<void>(::write(taken[1], &byte, 1));
      for (;;) {
        ::sigsuspend(&waiting);
        static_cast<void>(::write(taken[1], &byte, 1));
      }
    }
    char byte = 0;
    ASSERT_EQ(::read(taken[0], &byte, 1), 1) << c.name;
    for (int i = 0; i < c.signalCount; ++i) {
      ASSERT_EQ(::kill(child, SIGTERM), 0);
      if (i + 1 < c.signalCount) {
        ASSERT_EQ(::read(taken[0], &byte, 1), 1) << c.name;
      }
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM) << c.name << ": " << status;
    EXPECT_FALSE(fs::exists(folder)) << c.name;
    ::close(taken[0]);
    ::close(taken[1]);
  }
}

} // namespace
} // namespace tarvek
