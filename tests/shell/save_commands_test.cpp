// The main window's save commands: the chosen filter's extension, the overwrite
// question, write-protected and linked targets, and the saved path in panel 1.
#include "form1_rig.h"
#include "user_folders.h"

#include "shell/coordinate_list.h"
#include "shell/file_commands.h"
#include "support/grab_view_stub.h"

#include <QAction>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <optional>

#include <unistd.h>

namespace tarvek {
namespace {

namespace fs = std::filesystem;
using test::Form1Rig;
using test::readBytes;
using test::UserFolders;

const std::string kOverwrite = "File already exists. Do you want to overwrite it?\r\n";

// One save command of the main window: how it is started, the questions it
// asks after the overwrite question, the extension of its first filter and
// the name it suggests.
struct SaveCommand {
  const char* name;
  std::function<void(Form1&)> run;
  std::function<void(test::FakePrompts&)> answer;
  const char* extension;
  const char* suggested;
};

void noQuestions(test::FakePrompts&) {}

const SaveCommand kCommands[] = {
    {"MOL", [](Form1& f) { f.fileCommands().mnuFile_1->trigger(); },
     [](test::FakePrompts& p) { p.answerInput("1"); }, ".mol", "Nanotube_CC"},
    {"XMOL", [](Form1& f) { f.fileCommands().mnuFile_10->trigger(); }, noQuestions, ".xmol",
     "Nanotube_CC"},
    {"PDB", [](Form1& f) { f.fileCommands().mnuFile_2->trigger(); },
     [](test::FakePrompts& p) { p.answerYesNo(true); }, ".pdb", "Nanotube_CC"},
    {"CIF", [](Form1& f) { f.fileCommands().mnuFile_3->trigger(); }, noQuestions, ".cif",
     "Nanotube_CC"},
    {"VRML", [](Form1& f) { f.fileCommands().mnuFile_4->trigger(); }, noQuestions, ".wrl",
     "Nanotube_CC"},
    {"Bonds", [](Form1& f) { f.fileCommands().mnuFile_45->trigger(); }, noQuestions, ".txt",
     "Nanotube_CC_Bonds"},
    {"MLM", [](Form1& f) { f.fileCommands().mnuFile_mlm->trigger(); }, noQuestions, ".mlm",
     "Nanotube_CC"},
    {"XYZ table", [](Form1& f) { f.fileCommands().mnuFile_51->trigger(); }, noQuestions, ".txt",
     "Nanotube_CC"},
    {"coordinates", [](Form1& f) { f.coordinateList().saveCoordinatesAs(); }, noQuestions, ".txt",
     "Nanotube_CC_25"},
    {"image", [](Form1& f) { f.fileCommands().mnuFile_5->trigger(); }, noQuestions, ".jpg",
     "Nanotube_CC"},
};

// The main window over the grab stand-in, its user folders in a scratch
// folder.
struct SaveRig {
  UserFolders folders;
  Form1Rig rig{{}, new test::GrabViewStub, folders.startup};

  // The folder a command's dialog opens in.
  std::string folderOf(const SaveCommand& c) const
  {
    return std::string(c.name) == "image" ? folders.startup.imagesFolder
                                          : folders.startup.exportFolder;
  }
  // A file of the command's kind in its folder, holding bytes.
  std::string existing(const SaveCommand& c, const std::string& name, const std::string& bytes)
  {
    const std::string path = folderOf(c) + name + c.extension;
    folders.dir.write(fs::relative(path, folders.dir.path()).string(), bytes);
    return path;
  }
  // Runs the command with typed in its dialog; replace answers the overwrite
  // question, and the command's own questions are answered unless it is No.
  void run(const SaveCommand& c, const std::string& typed, std::optional<bool> replace = {})
  {
    rig.dialogs.answer(FileChoice{typed, 1});
    if (replace)
      rig.prompts.answerYesNo(*replace);
    if (replace.value_or(true))
      c.answer(rig.prompts);
    c.run(*rig.form);
  }
};

// A typed name and the suggested one both get the filter's extension; a
// name that has it keeps one. Panel 1 says where the file went.
TEST(SaveCommandsTest, everyFileGetsTheExtensionOfItsFilter)
{
  for (const SaveCommand& c : kCommands) {
    SCOPED_TRACE(c.name);
    SaveRig r;
    const std::string folder = r.folderOf(c);

    r.rig.dialogs.acceptSuggestion();
    c.answer(r.rig.prompts);
    c.run(*r.rig.form);
    const std::string suggested = folder + c.suggested + c.extension;
    EXPECT_EQ(r.rig.dialogs.calls.back().suggestedName, c.suggested);
    EXPECT_TRUE(fs::exists(suggested));
    EXPECT_EQ(r.rig.status(0), "Saved " + suggested);

    r.run(c, folder + "typed");
    EXPECT_TRUE(fs::exists(folder + "typed" + c.extension));
    EXPECT_EQ(r.rig.status(0), "Saved " + folder + "typed" + c.extension);

    r.run(c, folder + "kept" + c.extension);
    EXPECT_TRUE(fs::exists(folder + "kept" + c.extension));
    EXPECT_FALSE(fs::exists(folder + "kept" + c.extension + c.extension));
    EXPECT_TRUE(r.rig.prompts.messages().empty());
  }
}

// An existing file is asked about under the name with its extension: No
// keeps its bytes and the panel, Yes replaces them.
TEST(SaveCommandsTest, anExistingFileIsReplacedOnlyAfterYes)
{
  for (const SaveCommand& c : kCommands) {
    SCOPED_TRACE(c.name);
    SaveRig r;
    const std::string target = r.existing(c, "old", "old bytes");
    const std::string typed = r.folderOf(c) + "old";

    r.run(c, typed, false);
    ASSERT_EQ(r.rig.prompts.calls.size(), 1u);
    EXPECT_EQ(r.rig.prompts.calls[0].text, kOverwrite + target);
    EXPECT_EQ(readBytes(target), "old bytes");
    EXPECT_EQ(r.rig.status(0).rfind("Saved", 0), std::string::npos);

    r.run(c, typed, true);
    EXPECT_NE(readBytes(target), "old bytes");
    EXPECT_EQ(r.rig.status(0), "Saved " + target);
    EXPECT_TRUE(r.rig.prompts.messages().empty());
  }
}

// A write-protected target gives one message naming it and keeps its bytes;
// a linked target is written through and the link stays a link.
TEST(SaveCommandsTest, protectedTargetsStayAndLinksAreWrittenThrough)
{
  for (const SaveCommand& c : kCommands) {
    SCOPED_TRACE(c.name);
    SaveRig r;
    if (::geteuid() != 0) {
      const std::string locked = r.existing(c, "locked", "locked bytes");
      fs::permissions(locked, fs::perms::owner_read);
      r.run(c, locked, true);
      const auto messages = r.rig.prompts.messages();
      ASSERT_EQ(messages.size(), 1u);
      EXPECT_NE(messages[0].text.find(locked), std::string::npos) << messages[0].text;
      EXPECT_EQ(readBytes(locked), "locked bytes");
    }

    const std::string real = r.folders.dir.write("elsewhere.dat", "old bytes").string();
    const std::string link = r.folderOf(c) + "link" + c.extension;
    fs::create_symlink(real, link);
    r.run(c, link, true);
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_NE(readBytes(real), "old bytes");
  }
}

} // namespace
} // namespace tarvek
