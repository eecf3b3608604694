// The main window's save commands: the chosen filter's extension, the overwrite
// question, write-protected and linked targets, the saved path in panel 1,
// and the line ends of every text file they write.
#include "form1_rig.h"
#include "support/click_menu.h"
#include "modal_dialog.h"
#include "user_folders.h"

#include "formats/crc32.h"
#include "imaging/atom_grid.h"
#include "imaging/ui/digitiser_window.h"
#include "shell/coordinate_list.h"
#include "shell/file_commands.h"
#include "shell/outside_programs.h"
#include "shell/special_commands.h"
#include "shell/tool_commands.h"
#include "support/grab_view_stub.h"
#include "tools/builder_dialogs.h"
#include "tools/nano_hole_window.h"

#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
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

// Every file of a folder with the CRC-32 of its bytes.
std::map<std::string, std::string> folderChecksums(const std::string& folder)
{
  const clCRC32 crc;
  std::map<std::string, std::string> files;
  for (const auto& entry : fs::directory_iterator(folder))
    files[entry.path().filename().string()] =
        crc.GetCrc32HexString(entry.path().string()).value_or("unreadable");
  return files;
}

// Names that differ only in case are different files here. The question
// names the file the typed name and the filter make, No leaves every file's
// bytes, and Yes writes exactly that file in the filter's format and no other.
TEST(SaveCommandsTest, savedImageIsTheFileTheQuestionNamed)
{
  SaveRig r;
  Form1& form = *r.rig.form;
  const std::string images = r.folders.startup.imagesFolder;
  for (const char* name : {"shot.jpg", "shot.JPG", "shot.bmp"})
    r.folders.dir.write(std::string("Images/") + name, std::string("old ") + name);
  const struct {
    const char* typed;
    int filter;
    const char* written;
    const char* magic;
  } cases[] = {
      {"shot.JPG", 1, "shot.JPG", "\xFF\xD8"},
      // No "shot.BMP" yet: written without a question, "shot.bmp" untouched.
      {"shot.BMP", 2, "shot.BMP", "BM"},
      {"shot.BMP", 2, "shot.BMP", "BM"},
      {"shot", 1, "shot.jpg", "\xFF\xD8"},
      {"shot", 2, "shot.bmp", "BM"},
      {"shot.jpg", 2, "shot.jpg.bmp", "BM"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.typed) + " in filter " + std::to_string(c.filter));
    const bool existed = fs::exists(images + c.written);
    for (const bool yes : {false, true}) {
      if (!existed && !yes)
        continue;
      const std::map<std::string, std::string> before = folderChecksums(images);
      r.rig.prompts.calls.clear();
      r.rig.dialogs.answer(FileChoice{images + c.typed, c.filter});
      if (existed)
        r.rig.prompts.answerYesNo(yes);
      test::clickMenuItem(*form.menuBar(), *form.fileCommands().mnuFile_5);
      if (existed) {
        ASSERT_EQ(r.rig.prompts.calls.size(), 1u);
        EXPECT_EQ(r.rig.prompts.calls[0].text, kOverwrite + images + c.written);
      } else {
        EXPECT_TRUE(r.rig.prompts.calls.empty());
      }
      std::map<std::string, std::string> after = folderChecksums(images);
      if (yes) {
        EXPECT_EQ(readBytes(images + c.written).substr(0, 2), c.magic);
        EXPECT_EQ(r.rig.status(0), "Saved " + images + c.written);
        if (existed)
          after[c.written] = before.at(c.written);
        else
          after.erase(c.written);
      }
      // No other file is written, replaced or added.
      EXPECT_EQ(after, before);
    }
  }
}

// What is wrong with the line ends of a text file: "" when every line,
// the last one too, ends in LF alone (lf) or in CR LF.
std::string lineEndFault(const std::string& bytes, bool lf)
{
  if (bytes.empty() || bytes.back() != '\n')
    return "the last line has no line end";
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] == '\r' && (lf || i + 1 == bytes.size() || bytes[i + 1] != '\n'))
      return "a CR at byte " + std::to_string(i);
    if (bytes[i] == '\n' && !lf && (i == 0 || bytes[i - 1] != '\r'))
      return "a LF without CR at byte " + std::to_string(i);
  }
  return {};
}

std::string withoutCarriageReturns(std::string bytes)
{
  std::erase(bytes, '\r');
  return bytes;
}

// A command that writes a text file: run starts it as the user does, the
// file going into folder, and gives the path it wrote.
struct TextCommand {
  const char* name;
  std::function<std::string(Form1Rig&, const std::string& folder)> run;
};

// A File menu command answered with folder + file in filter index.
TextCommand fileMenu(const char* name, QAction* FileCommands::*item, const char* file,
                     int index = 1, std::function<void(test::FakePrompts&)> answer = noQuestions)
{
  return {name, [=](Form1Rig& rig, const std::string& folder) {
            rig.dialogs.answer(FileChoice{folder + file, index});
            answer(rig.prompts);
            test::clickMenuItem(*rig.form->menuBar(), *(rig.form->fileCommands().*item));
            return folder + file;
          }};
}

// CALCULATE on a tube over 500 A, Yes to saving its coordinates, then the
// format of filter index (not MOL: such a tube has more atoms than a MOL
// file holds).
TextCommand oversizedTube(const char* name, const char* file, int index,
                          std::function<void(test::FakePrompts&)> answer = noQuestions)
{
  return {name, [=](Form1Rig& rig, const std::string& folder) {
            rig.setField(2, "600");
            rig.prompts.answerYesNo(true);
            rig.dialogs.answer(FileChoice{folder + file, index});
            answer(rig.prompts);
            rig.pressCalculate();
            return folder + file;
          }};
}

void answerMol(test::FakePrompts& p) { p.answerInput("1"); }
void answerPdb(test::FakePrompts& p) { p.answerYesNo(true); }

// A Tools menu viewer command: the temporary file it hands to a stored
// viewer program (a script that is never run).
TextCommand viewer(const char* name, std::size_t k, const char* file,
                   std::function<void(test::FakePrompts&)> answer = noQuestions)
{
  return {name, [=](Form1Rig& rig, const std::string& folder) {
            const std::string program = folder + "viewer.sh";
            std::ofstream(program) << "#!/bin/sh\n";
            rig.preferences.viewerPaths[k] = program;
            answer(rig.prompts);
            test::clickMenuItem(*rig.form->menuBar(),
                                *rig.form->outsidePrograms().mnuViewer[k]);
            return rig.temp.path(file);
          }};
}

// Tools › Nano-Hole Array, its Save Coordinates button in layout index (2
// asks for a scale factor), the window closed again.
TextCommand nanoHoles(const char* name, const char* file, int index,
                      std::function<void(test::FakePrompts&)> answer = noQuestions)
{
  return {name, [=](Form1Rig& rig, const std::string& folder) {
            rig.dialogs.answer(FileChoice{folder + file, index});
            answer(rig.prompts);
            test::clickMenuItem(*rig.form->menuBar(), *rig.form->toolCommands().mnuTool_12);
            frmNanoHoles& window = *rig.form->toolCommands().nanoHoleWindow();
            test::clickDrawn(*window.tb1, *window.tbButton[2]);
            window.close();
            return folder + file;
          }};
}

// Tools › XY sheet generator: a grid picture opened, its atoms searched and
// saved as an XY file.
std::string digitisedAtoms(Form1Rig& rig, const std::string& folder)
{
  const std::string picture = folder + "grid.bmp";
  EXPECT_TRUE(test::writeGridBmp(picture));
  test::clickMenuItem(*rig.form->menuBar(), *rig.form->toolCommands().mnuTool_7);
  frmXY& window = *rig.form->toolCommands().digitiserWindow();
  rig.dialogs.answer(FileChoice{picture, 1});
  QTest::mouseClick(window.bt[0], Qt::LeftButton);
  window.Text1->setText(QStringLiteral("6"));
  QTest::mouseClick(window.bt[2], Qt::LeftButton);
  rig.dialogs.answer(FileChoice{folder + "atoms.xy", 1});
  QTest::mouseClick(window.bt[1], Qt::LeftButton);
  window.close();
  return folder + "atoms.xy";
}

// Six layers of 100 x 100 are too many to show: Yes writes them to the
// Export folder's file of that size, replacing an earlier one.
std::string writeLargeGraphene(Form1Rig& rig, const std::string&)
{
  const std::string path = rig.form->startup().exportFolder + "MultiLayer_100x100x6 layers.txt";
  test::whenShown<dlgGRAPHENE>([](dlgGRAPHENE& d) {
    d.tf[0]->setText("100");
    d.tf[1]->setText("100");
    d.tf[2]->setText("6");
    d.rb[0]->click();
    d.OKButton->click();
  });
  rig.prompts.answerYesNo(true);
  if (fs::exists(path))
    rig.prompts.answerYesNo(true);
  test::clickMenuItem(*rig.form->menuBar(), *rig.form->specialCommands().mnuTool_13);
  return path;
}

// With the "LINUX / UNIX line breaks" option ticked no written text file
// holds a CR; unticked every line ends in CR LF. Nothing else differs.
TEST(SaveCommandsTest, everyTextFileFollowsTheLineEndOption)
{
  const TextCommand commands[] = {
      fileMenu("MOL", &FileCommands::mnuFile_1, "t.mol", 1, answerMol),
      fileMenu("XMOL", &FileCommands::mnuFile_10, "t.xmol"),
      fileMenu("PDB", &FileCommands::mnuFile_2, "t.pdb", 1, answerPdb),
      fileMenu("CIF", &FileCommands::mnuFile_3, "t.cif"),
      fileMenu("VRML 2.0", &FileCommands::mnuFile_4, "t2.wrl", 1),
      fileMenu("VRML 1.0", &FileCommands::mnuFile_4, "t1.wrl", 2),
      fileMenu("Bonds", &FileCommands::mnuFile_45, "t_Bonds.txt"),
      fileMenu("MLM", &FileCommands::mnuFile_mlm, "t.mlm"),
      fileMenu("XYZ table", &FileCommands::mnuFile_51, "table.txt"),
      oversizedTube("coordinates", "c.txt", 1),
      oversizedTube("coordinates as XMOL", "c.xmol", 3),
      oversizedTube("coordinates as PDB", "c.pdb", 4, answerPdb),
      oversizedTube("coordinates as CIF", "c.cif", 5),
      oversizedTube("coordinates as VRML", "c.vrml", 6),
      viewer("MOL viewer", 0, "tmp.mol", answerMol),
      viewer("PDB viewer", 1, "tmp.pdb", answerPdb),
      viewer("CIF viewer", 2, "tmp.cif"),
      viewer("VRML viewer", 3, "tmp.wrl"),
      nanoHoles("nano-hole XY file", "holes.xy", 1),
      nanoHoles("centred nano-hole XY file", "centred.xy", 2,
                [](test::FakePrompts& p) { p.answerInput("2"); }),
      {"POV-Ray scene", [](Form1Rig& rig, const std::string&) {
         rig.processes.installed["povray"] = "/usr/bin/povray";
         rig.prompts.answerInput("0.5 0.25 0.5 0.0 0.0");
         test::clickMenuItem(*rig.form->menuBar(), *rig.form->outsidePrograms().mnuTool_6);
         return rig.form->startup().exportFolder + "tarvek.pov";
       }},
      {"digitised XY file", digitisedAtoms},
      {"multi-layer graphene", writeLargeGraphene},
  };
  SaveRig r;
  for (const char* folder : {"crlf", "lf"})
    fs::create_directory(r.folders.dir.file(folder));
  for (const TextCommand& c : commands) {
    SCOPED_TRACE(c.name);
    std::map<bool, std::string> bytes;
    for (const bool lf : {false, true}) {
      r.rig.preferences.optionFlags[7] = lf;
      const std::string folder = r.folders.dir.file(lf ? "lf" : "crlf").string() + "/";
      r.rig.prompts.calls.clear();
      const std::string path = c.run(r.rig, folder);
      bytes[lf] = readBytes(path);
      EXPECT_EQ(lineEndFault(bytes[lf], lf), "") << "LF option " << lf;
      // Only the graphene file's report of what it saved.
      for (const auto& told : r.rig.prompts.messages())
        EXPECT_EQ(told.icon, MessageIcon::Information) << told.text;
    }
    EXPECT_EQ(bytes[true], withoutCarriageReturns(bytes[false]));
  }
}

} // namespace
} // namespace tarvek
