// The save dialog as the commands use it: extension, overwrite question, the
// saved text.
#include "platform/save_dialog.h"
#include "platform/utilities.h"
#include "support/fake_abort.h"
#include "support/fake_file_dialogs.h"
#include "support/fake_prompts.h"
#include "support/scratch_dir.h"

#include <gtest/gtest.h>

namespace tarvek {
namespace {

using test::FakeAbort;
using test::FakeFileDialogs;
using test::FakePrompts;

constexpr const char* kFilter = "XMOL File (*.xmol)|*.xmol|";

struct SaveRig {
  test::ScratchDir dir;
  FakeFileDialogs dialogs;
  FakePrompts prompts;
  FakeAbort pump;

  std::optional<FileChoice> ask()
  {
    return askSavePath(dialogs, prompts, pump, "Save", dir.path().string(), kFilter, "Nanotube_CC");
  }
};

// The suggested name and a typed one both get the extension before the
// question looks at them; the events run once after the dialog.
TEST(SaveDialogTest, theExtensionComesBeforeTheOverwriteQuestion)
{
  SaveRig rig;
  const std::string suggested = rig.dir.file("Nanotube_CC.xmol").string();
  rig.dialogs.acceptSuggestion();
  EXPECT_EQ(rig.ask()->path, suggested);
  EXPECT_TRUE(rig.prompts.calls.empty());
  EXPECT_EQ(rig.pump.pumps, 1);

  rig.dir.write("Nanotube_CC.xmol", "old");
  for (const bool yes : {false, true}) {
    rig.dialogs.answer(FileChoice{rig.dir.file("Nanotube_CC").string(), 1});
    rig.prompts.answerYesNo(yes);
    const std::optional<FileChoice> choice = rig.ask();
    EXPECT_EQ(choice.has_value(), yes);
    ASSERT_FALSE(rig.prompts.calls.empty());
    EXPECT_EQ(rig.prompts.calls.back().text,
              "File already exists. Do you want to overwrite it?\r\n" + suggested);
  }

  rig.dialogs.answer(std::nullopt);
  EXPECT_FALSE(rig.ask());
  rig.dialogs.answer(FileChoice{"", 1});
  EXPECT_FALSE(rig.ask());
  EXPECT_EQ(rig.prompts.calls.size(), 2u);
  EXPECT_EQ(savedText("/e/t.xmol"), "Saved /e/t.xmol");
}

// A set of files written together is asked about once, naming the first
// file that exists and how many more do.
TEST(ConfirmOverwriteTest, aSetOfFilesIsAskedAboutOnce)
{
  test::ScratchDir dir;
  const std::vector<std::string> frames = {
      dir.file("s_001.jpg").string(), dir.file("s_002.jpg").string(), dir.file("s.gif").string()};
  FakePrompts none;
  EXPECT_TRUE(confirmOverwrite(frames, none));
  EXPECT_TRUE(none.calls.empty());

  dir.write("s_002.jpg", "x");
  dir.write("s.gif", "x");
  for (const bool yes : {false, true}) {
    FakePrompts prompts;
    prompts.answerYesNo(yes);
    EXPECT_EQ(confirmOverwrite(frames, prompts), yes);
    ASSERT_EQ(prompts.calls.size(), 1u);
    EXPECT_EQ(prompts.calls[0].text, "File already exists. Do you want to overwrite it?\r\n"
                                         + frames[1] + "\r\n(and 1 more of this set)");
  }
}

} // namespace
} // namespace tarvek
