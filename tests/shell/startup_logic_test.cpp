#include "shell/startup.h"

#include "support/fake_prompts.h"
#include "support/scratch_dir.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>

namespace tarvek {
namespace {

namespace fs = std::filesystem;

const char* const kSetupText =
    "The following user folder will be created:\r\n%s\r\n\r\nIt holds the folders Export, Import, "
    "Images and PDF, with the sample files of the program folder.";

std::string setupText(const std::string& folder)
{
  std::string text = kSetupText;
  text.replace(text.find("%s"), 2, folder);
  return text;
}

// Prompts that look at the disk when the message comes.
class WatchingPrompts : public test::FakePrompts {
public:
  std::string watched;
  bool existedAtMessage = true;
  void message(const std::string& text, const std::string& title, MessageIcon icon) override
  {
    if (calls.empty())
      existedAtMessage = fs::exists(watched);
    FakePrompts::message(text, title, icon);
  }
};

TEST(StartupLogicTest, firstRunTellsTheUserThenMakesAndFillsTheFolders)
{
  test::ScratchDir tmp;
  const std::string config = (tmp.path() / "cfg").string();
  fs::create_directory(config);
  const fs::path program = tmp.path() / "program";
  for (const char* sub : {"EXPORT", "IMPORT", "IMAGES", "PDF"}) {
    fs::create_directories(program / sub / "nested");
    std::ofstream(program / sub / (std::string(sub) + ".txt")) << sub;
  }
  WatchingPrompts prompts;
  prompts.watched = (tmp.path() / "tarvek").string();
  const auto state = startUp(config, program.string(), false, prompts);

  const std::string user = (tmp.path() / "tarvek").string() + "/";
  EXPECT_EQ(state.userFolder, user);
  EXPECT_EQ(state.exportFolder, user + "Export/");
  EXPECT_EQ(state.importFolder, user + "Import/");
  EXPECT_EQ(state.imagesFolder, user + "Images/");
  EXPECT_EQ(state.pdfFolder, user + "PDF/");
  ASSERT_EQ(prompts.calls.size(), 1u);
  EXPECT_EQ(prompts.calls[0].title, "Folder Setup");
  EXPECT_EQ(prompts.calls[0].text, setupText(user));
  EXPECT_EQ(prompts.calls[0].icon, MessageIcon::Information);
  EXPECT_FALSE(prompts.existedAtMessage);
  EXPECT_EQ(test::readBytes(user + "Export/EXPORT.txt"), "EXPORT");
  EXPECT_EQ(test::readBytes(user + "Import/IMPORT.txt"), "IMPORT");
  EXPECT_EQ(test::readBytes(user + "Images/IMAGES.txt"), "IMAGES");
  EXPECT_EQ(test::readBytes(user + "PDF/PDF.txt"), "PDF");
  EXPECT_FALSE(fs::exists(user + "Export/nested"));

  // The second start asks nothing and copies nothing, even for a lost folder.
  fs::remove_all(user + "Export");
  test::FakePrompts again;
  startUp(config, program.string(), false, again);
  EXPECT_TRUE(again.calls.empty());
  EXPECT_FALSE(fs::exists(user + "Export"));
}

TEST(StartupLogicTest, missingProgramFoldersStillGiveTheUserFolders)
{
  test::ScratchDir tmp;
  test::FakePrompts prompts;
  const auto state =
      startUp((tmp.path() / "cfg").string(), (tmp.path() / "none").string(), true, prompts);
  EXPECT_TRUE(state.decimalComma);
  EXPECT_EQ(prompts.calls.size(), 1u);
  for (const auto& folder :
       {state.exportFolder, state.importFolder, state.imagesFolder, state.pdfFolder})
    EXPECT_TRUE(fs::is_directory(folder)) << folder;
}

TEST(StartupLogicTest, copyKeepsNonEmptyTargetsAndReplacesEmptyOnes)
{
  test::ScratchDir tmp;
  const fs::path source = tmp.path() / "src";
  fs::create_directories(source / "sub");
  std::ofstream(source / "kept.txt") << "new";
  std::ofstream(source / "empty.txt") << "new";
  std::ofstream(source / "sub" / "inner.txt") << "new";
  const fs::path target = tmp.path() / "dst";
  fs::create_directory(target);
  std::ofstream(target / "kept.txt") << "old";
  std::ofstream(target / "empty.txt");

  ASSERT_TRUE(copyFolderFiles(source.string() + "/", target.string() + "/").ok());
  EXPECT_EQ(test::readBytes(target / "kept.txt"), "old");
  EXPECT_EQ(test::readBytes(target / "empty.txt"), "new");
  EXPECT_FALSE(fs::exists(target / "sub"));

  const fs::path fresh = tmp.path() / "fresh";
  EXPECT_TRUE(copyFolderFiles((tmp.path() / "missing/").string(), fresh.string() + "/").ok());
  EXPECT_TRUE(fs::is_directory(fresh));
}

// The styled-buttons marker lives beside the settings, counts only when it
// holds something, and is no visual-style manifest.
TEST(StartupLogicTest, buttonMarkerCountsOnlyWhenNotEmpty)
{
  test::ScratchDir tmp;
  const std::string config = (tmp.path() / "cfg").string();
  fs::create_directories(config + "/tarvek");
  fs::create_directory(tmp.path() / "tarvek");
  std::ofstream(config + "/tarvek/styled_buttons");
  test::FakePrompts prompts;
  auto state = startUp(config, tmp.path().string(), false, prompts);
  EXPECT_FALSE(state.manifestPresent);
  EXPECT_EQ(state.manifestPath, config + "/tarvek/styled_buttons");

  ASSERT_TRUE(writeManifest(state.manifestPath).ok());
  EXPECT_EQ(test::readBytes(state.manifestPath).find("<assembly"), std::string::npos);
  EXPECT_TRUE(startUp(config, tmp.path().string(), false, prompts).manifestPresent);

  deleteManifest(state.manifestPath);
  EXPECT_FALSE(fs::exists(state.manifestPath));
}

TEST(StartupLogicTest, folderThatCannotBeMadeIsReportedAndTheStartGoesOn)
{
  test::ScratchDir tmp;
  const fs::path file = tmp.write("plain", "x");
  test::FakePrompts prompts;
  const auto state = startUp((file / "cfg").string(), tmp.path().string(), false, prompts);
  EXPECT_FALSE(state.manifestPresent);
  ASSERT_EQ(prompts.calls.size(), 2u);
  EXPECT_NE(prompts.calls[1].text.find(state.userFolder), std::string::npos)
      << prompts.calls[1].text;
  EXPECT_NE(prompts.calls[1].text.find(std::strerror(ENOTDIR)), std::string::npos)
      << prompts.calls[1].text;
}

} // namespace
} // namespace tarvek
