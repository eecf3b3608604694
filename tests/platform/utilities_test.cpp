#include "platform/open_url.h"
#include "platform/run_command.h"
#include "platform/utilities.h"
#include "runtime/int_convert.h"
#include "support/fake_abort.h"
#include "support/fake_clock.h"
#include "support/fake_prompts.h"
#include "support/fake_shell_open.h"
#include "support/scratch_dir.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <stdexcept>
#include <vector>

namespace tarvek {
namespace {

using test::FakeAbort;
using test::FakeClock;
using test::FakePrompts;
using test::FakeShellOpen;

// Only a file with content is worth a question; the answer decides.
TEST(ConfirmOverwriteTest, asksForNonEmptyFileAndReturnsTheAnswer)
{
  test::ScratchDir dir;
  std::string path = dir.write("tube.xyz", "x").string();
  for (bool answer : {true, false}) {
    FakePrompts prompts;
    prompts.answerYesNo(answer);
    EXPECT_EQ(confirmOverwrite(path, prompts), answer);
    ASSERT_EQ(prompts.calls.size(), 1u);
    const auto& call = prompts.calls[0];
    EXPECT_EQ(call.kind, FakePrompts::Kind::YesNo);
    EXPECT_EQ(call.text, "File already exists. Do you want to overwrite it?\r\n" + path);
    EXPECT_EQ(call.title, "");
    EXPECT_EQ(call.icon, MessageIcon::Question);
  }
}

// An empty file counts as absent, and a bad path is no reason to fail.
TEST(ConfirmOverwriteTest, asksNothingWhenThereIsNothingToOverwrite)
{
  test::ScratchDir dir;
  dir.write("empty.xyz", "");
  dir.write("file", "x");
  for (const auto& path : {dir.file("empty.xyz"), dir.file("missing.xyz"), dir.path(),
                           dir.file("file") / "x"}) {
    FakePrompts prompts;
    EXPECT_TRUE(confirmOverwrite(path.string(), prompts)) << path;
    EXPECT_TRUE(prompts.calls.empty()) << path;
  }
}

// The wait ends as soon as the elapsed time reaches the request, measured
// after each pump; nothing is pumped when no wait is needed.
TEST(PauseTest, pumpsUntilTheTimeHasPassed)
{
  struct Case {
    float seconds;
    double stepPerPump;
    long pumps;
  };
  const Case cases[] = {
      {0.0f, 0.125, 0},
      {0.25f, 0.125, 2},
      {0.3f, 0.125, 3},
      {-1.0f, 0.125, 0},
      {std::numeric_limits<float>::quiet_NaN(), 0.125, 0},
  };
  for (const auto& c : cases) {
    FakeClock clock;
    clock.stepPerPump = c.stepPerPump;
    pause(c.seconds, clock, clock);
    EXPECT_EQ(clock.pumps, c.pumps) << "pause(" << c.seconds << ") stepping " << c.stepPerPump;
  }
}

// A clock that already moved past the time while being read needs no pump.
TEST(PauseTest, readsElapsedTimeBeforeTheFirstPump)
{
  FakeClock clock;
  clock.stepPerRead = 0.5;
  clock.stepPerPump = 0.125;
  pause(0.25f, clock, clock);
  EXPECT_EQ(clock.pumps, 0);
}

TEST(RunCommandTest, runtimeErrorEndsTheCommandWithOneCriticalMessage)
{
  FakePrompts prompts;
  FakeClock pump;
  bool finished = false;
  EXPECT_FALSE(runCommand(prompts, pump, [&] {
    CInt(40000.0);
    finished = true;
  }));
  EXPECT_FALSE(finished);
  ASSERT_EQ(prompts.calls.size(), 1u);
  EXPECT_EQ(prompts.calls[0].kind, FakePrompts::Kind::Message);
  EXPECT_EQ(prompts.calls[0].text, "The number 40000 is too large (allowed: -32768 to 32767).");
  EXPECT_EQ(prompts.calls[0].icon, MessageIcon::Critical);
}

TEST(RunCommandTest, completedCommandShowsNothing)
{
  FakePrompts prompts;
  FakeClock pump;
  bool finished = false;
  EXPECT_TRUE(runCommand(prompts, pump, [&] { finished = true; }));
  EXPECT_TRUE(finished);
  EXPECT_TRUE(prompts.calls.empty());
}

// A command that the events of a long operation's pump would start is
// refused with a beep: from a pump, from a poll of Escape that pumps, from a
// pump inside a pump and after that inner one has returned. Once the pumps
// are over, the same command runs.
TEST(RunCommandTest, commandsStartedFromInsideAPumpAreRefused)
{
  FakePrompts prompts;
  FakeAbort pump;
  int runs = 0;
  bool nest = false;
  std::vector<bool> answers;
  const auto command = [&] { ++runs; };
  pump.onPump = [&] {
    if (nest) {
      nest = false;
      pump.pumpEvents();
    }
    answers.push_back(runCommand(prompts, pump, command));
  };
  EXPECT_TRUE(runCommand(prompts, pump, [&] {
    pump.pumpEvents();
    nest = true;
    pump.pumpOnPoll = true;
    pump.escapePressed();
  }));
  EXPECT_EQ(answers, (std::vector<bool>{false, false, false}));
  EXPECT_EQ(runs, 0);
  EXPECT_EQ(prompts.beeps, 3);
  EXPECT_FALSE(pump.pumping());

  EXPECT_TRUE(runCommand(prompts, pump, command));
  EXPECT_EQ(runs, 1);
  EXPECT_EQ(prompts.beeps, 3);
}

// A scheme makes an address; everything else is a file, even with a colon later on.
TEST(OpenUrlTest, schemeDecidesBetweenAddressAndFile)
{
  struct Case {
    const char* target;
    FakeShellOpen::Kind kind;
  };
  const Case cases[] = {
      {"https://example.org/x?y=1", FakeShellOpen::Kind::Address},
      {"mailto:someone@example.org", FakeShellOpen::Kind::Address},
      {"svn+ssh://host/repo", FakeShellOpen::Kind::Address},
      {"/tmp/some file.txt", FakeShellOpen::Kind::File},
      {"help/index.html", FakeShellOpen::Kind::File},
      {"/home/u/a:b.txt", FakeShellOpen::Kind::File},
      {"1a:b", FakeShellOpen::Kind::File},
      {":x", FakeShellOpen::Kind::File},
      {"my file:1.txt", FakeShellOpen::Kind::File},
  };
  for (const auto& c : cases) {
    FakeShellOpen shell;
    openURL(c.target, shell);
    ASSERT_EQ(shell.calls.size(), 1u) << c.target;
    EXPECT_EQ(shell.calls[0].kind, c.kind) << c.target;
    EXPECT_EQ(shell.calls[0].target, c.target);
  }
}

TEST(OpenUrlTest, failuresNeverReachTheCaller)
{
  FakeShellOpen refusing;
  refusing.succeed = false;
  openURL("https://example.org", refusing);
  EXPECT_EQ(refusing.calls.size(), 1u);

  struct ThrowingShellOpen : ShellOpen {
    bool openAddress(const std::string&) override { throw std::runtime_error("no opener"); }
    bool openFile(const std::string&) override { throw std::runtime_error("no opener"); }
    bool openFolder(const std::string&) override { throw std::runtime_error("no opener"); }
  } throwing;
  EXPECT_NO_THROW(openURL("https://example.org", throwing));
  EXPECT_NO_THROW(openURL("readme.txt", throwing));

  // openOrTell says what is missing when nothing could take the target.
  for (ShellOpen* shell : std::initializer_list<ShellOpen*>{&refusing, &throwing}) {
    FakePrompts prompts;
    EXPECT_FALSE(openOrTell("/tmp/report.pdf", *shell, prompts));
    ASSERT_EQ(prompts.messages().size(), 1u);
    EXPECT_EQ(prompts.messages()[0].text, noOpenerText("/tmp/report.pdf"));
    EXPECT_EQ(prompts.messages()[0].icon, MessageIcon::Exclamation);
  }
  EXPECT_EQ(noOpenerText("/tmp/report.pdf"),
            "/tmp/report.pdf\r\ncould not be opened: the desktop has no opener (xdg-open) or no "
            "program for this kind of file.");
  FakeShellOpen opening;
  FakePrompts quiet;
  EXPECT_TRUE(openOrTell("https://example.org", opening, quiet));
  EXPECT_TRUE(quiet.calls.empty());
}

} // namespace
} // namespace tarvek
