#include "support/fake_file_dialogs.h"
#include "support/fake_processes.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

namespace tarvek {
namespace {

using test::FakeFileDialogs;
using test::FakeProcesses;

// Tests script what the user picks; a dialog the test did not expect is a fault.
TEST(FakeLayersTest, fileDialogsAnswerFromScriptAndRecord)
{
  FakeFileDialogs dialogs;
  dialogs.answer(FileChoice{"/x/tube.xyz", 2});
  dialogs.answer(std::nullopt);
  auto first = dialogs.save("Export", "/x", "XYZ|*.xyz|PDB|*.pdb", "tube", 1);
  auto second = dialogs.open("Import", "/y", "XYZ|*.xyz", "", 1);
  ASSERT_TRUE(first);
  EXPECT_EQ(first->path, "/x/tube.xyz");
  EXPECT_EQ(first->filterIndex, 2);
  EXPECT_FALSE(second);
  ASSERT_EQ(dialogs.calls.size(), 2u);
  EXPECT_EQ(dialogs.calls[0].kind, FakeFileDialogs::Kind::Save);
  EXPECT_EQ(dialogs.calls[0].suggestedName, "tube");
  EXPECT_EQ(dialogs.calls[1].kind, FakeFileDialogs::Kind::Open);
  EXPECT_EQ(dialogs.calls[1].folder, "/y");

  EXPECT_NONFATAL_FAILURE(EXPECT_FALSE(dialogs.open("Import", "", "", "", 1)),
                          "unscripted file dialog: Import");
}

TEST(FakeLayersTest, processesAnswerFromScriptAndRecord)
{
  FakeProcesses processes;
  processes.installed["povray"] = "/usr/bin/povray";
  processes.answerRun(ProcessResult::finished(3));
  EXPECT_EQ(processes.findExecutable("povray"), "/usr/bin/povray");
  EXPECT_EQ(processes.findExecutable("java"), "");
  auto result = processes.run("povray", {"+Iscene.pov"}, "/w", "Rendering...");
  EXPECT_EQ(result.outcome, ProcessResult::Outcome::Finished);
  EXPECT_EQ(result.exitCode, 3);
  EXPECT_FALSE(result.succeeded());
  EXPECT_TRUE(processes.startDetached("viewer", {"a.pdb"}, ""));
  ASSERT_EQ(processes.calls.size(), 2u);
  EXPECT_EQ(processes.calls[0].args, std::vector<std::string>{"+Iscene.pov"});
  EXPECT_EQ(processes.calls[0].waitText, "Rendering...");
  EXPECT_TRUE(processes.calls[1].detached);

  ProcessResult unscripted;
  EXPECT_NONFATAL_FAILURE(unscripted = processes.run("java", {}, "", ""), "unscripted run of java");
  EXPECT_EQ(unscripted.outcome, ProcessResult::Outcome::FailedToStart);
}

} // namespace
} // namespace tarvek
