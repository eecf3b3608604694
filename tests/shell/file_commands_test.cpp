#include "form1_rig.h"
#include "user_folders.h"

#include "runtime/file_util.h"
#include "shell/file_commands.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace tarvek {
namespace {

namespace fs = std::filesystem;
using test::FakeFileDialogs;
using test::Form1Rig;
using test::readBytes;
using test::UserFolders;

// The menu's captions in order, "-" for a separator, "[hidden]" and
// "[disabled]" appended, submenus indented.
std::vector<std::string> tree(const QMenu* menu, const std::string& indent = {})
{
  std::vector<std::string> out;
  for (const QAction* a : menu->actions()) {
    if (a->isSeparator()) {
      out.push_back(indent + "-");
      continue;
    }
    std::string line = indent + a->text().toStdString();
    // A hidden action also counts as disabled.
    if (!a->isVisible())
      line += " [hidden]";
    else if (!a->isEnabled())
      line += " [disabled]";
    out.push_back(line);
    if (a->menu() != nullptr) {
      const auto sub = tree(a->menu(), indent + "  ");
      out.insert(out.end(), sub.begin(), sub.end());
    }
  }
  return out;
}

struct FileRig {
  UserFolders folders;
  Form1Rig rig;
  FileCommands& file;

  explicit FileRig(Form1Seams seams = {})
      : rig(std::move(seams), nullptr, folders.startup), file(rig.form->fileCommands())
  {
  }

  void save(const std::string& path, int filterIndex = 1)
  {
    rig.dialogs.answer(FileChoice{path, filterIndex});
  }
};

TEST(FileCommandsTest, fileMenuComesFirstWithTheListedTree)
{
  FileRig f;
  QMenuBar* bar = f.rig.form->menuBar();
  std::vector<std::string> titles;
  for (const QAction* a : bar->actions())
    titles.push_back(a->text().toStdString());
  ASSERT_EQ(titles.size(), 6u);
  EXPECT_EQ(titles[0], "&File");
  EXPECT_EQ(titles[1], "&View");
  EXPECT_EQ(titles[2], "&Tools");
  EXPECT_EQ(titles[3], "&Special");
  EXPECT_EQ(titles[4], "&Help");
  EXPECT_EQ(bar->actions()[0]->menu(), f.file.mnuFile);

  const std::vector<std::string> expected = {
      "Export Structure",
      "  Export &MOL ",
      "  Export XMOL ",
      "  Export &PDB",
      "  Export &CIF",
      "  Export &VRML",
      "  Export P&DF",
      "  Export &Bonds",
      "  Export MLM",
      "Import Structure",
      "  Import &Fullerene",
      "  Import Xmol Data",
      "  Import CIF Data [hidden]",
      "  Import XY Data",
      "  Import IMM PDB",
      "    Cysteine",
      "    (3-Aminopropyl)trimethoxysilane",
      "    4-(Trifluoromethyl)benzenethiol",
      "    Benzene",
      "    Pyrene",
      "    -",
      "    Edit Colors",
      "-",
      "&Save Image",
      "Save XYZ Table",
      "-",
      "&Copy Image",
      "Copy XYZ &Table",
      "-",
      "View Export Folder",
      "View Import Folder",
      "View Image Folder",
      "View PDF Folder",
      "-",
      "E&xit",
  };
  EXPECT_EQ(tree(f.file.mnuFile), expected);
  EXPECT_EQ(f.file.mnuImportStructure->title(), "Import Structure");
}

// With their seams bound the image and PDF items work and call them.
TEST(FileCommandsTest, boundSeamsEnableTheirItems)
{
  int pictures = 0;
  int copies = 0;
  std::vector<std::string> pages;
  Form1Seams seams;
  seams.savePicture = [&] { ++pictures; };
  seams.copyImage = [&] { ++copies; };
  seams.exportPdfPage = [&](const std::string& path) {
    pages.push_back(path);
    return false;
  };
  FileRig f(seams);
  f.rig.dialogs.answer(std::nullopt);
  for (QAction* a : {f.file.mnuFile_5, f.file.mnuFile_6, f.file.mnuFile_41}) {
    EXPECT_TRUE(a->isEnabled()) << a->text().toStdString();
    a->trigger();
  }
  EXPECT_EQ(pictures, 1);
  EXPECT_EQ(copies, 1);
  ASSERT_EQ(pages.size(), 0u);
  ASSERT_EQ(f.rig.dialogs.calls.size(), 1u);
  const auto& call = f.rig.dialogs.calls[0];
  EXPECT_EQ(call.folder, f.folders.startup.pdfFolder);
  EXPECT_EQ(call.filter, "Adobe PDF File (*.pdf)|*.pdf|");
  EXPECT_EQ(call.suggestedName, "Nanotube_CC");

  // An existing page is asked about and, with No, handed nothing.
  const std::string pdf = f.folders.startup.pdfFolder + "page.pdf";
  f.folders.dir.write("PDF/page.pdf", "%PDF-1.4");
  f.save(pdf);
  f.rig.prompts.answerYesNo(false);
  f.file.mnuFile_41->trigger();
  EXPECT_TRUE(pages.empty());
  f.save(pdf);
  f.rig.prompts.answerYesNo(true);
  f.file.mnuFile_41->trigger();
  EXPECT_EQ(pages, std::vector<std::string>{pdf});
  EXPECT_EQ(readBytes(pdf), "%PDF-1.4");
  EXPECT_EQ(f.rig.status(0).rfind("Saved", 0), std::string::npos) << "nothing was written";
}

// Export PDF adds ".pdf" and tells where a page that was written went.
TEST(FileCommandsTest, aWrittenPdfPageIsNamedInTheFirstPanel)
{
  Form1Seams seams;
  seams.exportPdfPage = [](const std::string& path) {
    std::ofstream(path) << "%PDF-1.4";
    return true;
  };
  FileRig f(seams);
  f.rig.dialogs.acceptSuggestion();
  f.file.mnuFile_41->trigger();
  const std::string pdf = f.folders.startup.pdfFolder + "Nanotube_CC.pdf";
  EXPECT_EQ(readBytes(pdf), "%PDF-1.4");
  EXPECT_EQ(f.rig.status(0), "Saved " + pdf);
}

struct ExportCase {
  const char* name;
  QAction* FileCommands::*item;
  const char* filter;
  const char* suggested;
  const char* file;
  const char* firstLine;
};

// Every export on the default tube: one save dialog in the export folder with
// its filter and name, then its file. The MOL writer asks for the bond order,
// the PDB writer about the connection table.
TEST(FileCommandsTest, exportsWriteTheShownTube)
{
  const ExportCase cases[] = {
      {"MOL", &FileCommands::mnuFile_1, "MOL File (*.mol)|*.mol|", "Nanotube_CC", "t.mol", nullptr},
      {"XMOL", &FileCommands::mnuFile_10, "XMOL File (*.xmol)|*.xmol|", "Nanotube_CC", "t.xmol",
       "240"},
      {"PDB", &FileCommands::mnuFile_2, "PDB File (*.pdb)|*.pdb|", "Nanotube_CC", "t.pdb", nullptr},
      {"CIF", &FileCommands::mnuFile_3, "CIF File (*.cif)|*.cif|", "Nanotube_CC", "t.cif",
       nullptr},
      {"VRML", &FileCommands::mnuFile_4, "VRML2.0 File (*.wrl)|*.wrl|VRML1.0 File (*.wrl)|*.wrl|",
       "Nanotube_CC", "t.wrl", "#VRML V2.0 utf8"},
      {"Bonds", &FileCommands::mnuFile_45, "Bonds/Connections File (*.txt)|*.txt|",
       "Nanotube_CC_Bonds", "b.txt", nullptr},
      {"MLM", &FileCommands::mnuFile_mlm, "MolMeccano File (*.mlm)|*.mlm|", "Nanotube_CC",
       "t.mlm", nullptr},
  };
  for (const auto& c : cases) {
    FileRig f;
    const std::string path = f.folders.exportFile(c.file);
    f.save(path);
    f.rig.prompts.answerInput("1");
    f.rig.prompts.answerYesNo(true);
    (f.file.*c.item)->trigger();
    ASSERT_EQ(f.rig.dialogs.calls.size(), 1u) << c.name;
    const FakeFileDialogs::Call& call = f.rig.dialogs.calls[0];
    EXPECT_EQ(call.kind, FakeFileDialogs::Kind::Save) << c.name;
    EXPECT_EQ(call.folder, f.folders.startup.exportFolder) << c.name;
    EXPECT_EQ(call.filter, c.filter) << c.name;
    EXPECT_EQ(call.suggestedName, c.suggested) << c.name;
    const std::string bytes = readBytes(path);
    EXPECT_FALSE(bytes.empty()) << c.name;
    if (c.firstLine != nullptr) {
      EXPECT_EQ(bytes.substr(0, bytes.find_first_of("\r\n")), c.firstLine) << c.name;
    }
    EXPECT_TRUE(f.rig.prompts.messages().empty()) << c.name;
  }
}

// The VRML filter's second entry picks VRML 1.0.
TEST(FileCommandsTest, vrmlVersionFollowsTheFilter)
{
  FileRig f;
  const std::string path = f.folders.exportFile("v1.wrl");
  f.save(path, 2);
  f.file.mnuFile_4->trigger();
  const std::string bytes = readBytes(path);
  EXPECT_EQ(bytes.substr(0, bytes.find_first_of("\r\n")), "#VRML V1.0 ascii");
}

// An existing non-empty file is asked about, the bond table's too; No keeps
// its bytes; Cancel writes nothing; a missing folder gives one message and no
// file.
TEST(FileCommandsTest, exportsAskBeforeReplacingAndReportFailures)
{
  FileRig f;
  f.rig.useCrLf();
  const std::string xmol = f.folders.exportFile("old.xmol");
  f.folders.dir.write("Export/old.xmol", "old bytes");
  f.save(xmol);
  f.rig.prompts.answerYesNo(false);
  f.file.mnuFile_10->trigger();
  ASSERT_EQ(f.rig.prompts.calls.size(), 1u);
  EXPECT_EQ(f.rig.prompts.calls[0].text,
            "File already exists. Do you want to overwrite it?\r\n" + xmol);
  EXPECT_EQ(readBytes(xmol), "old bytes");

  f.save(xmol);
  f.rig.prompts.answerYesNo(true);
  f.file.mnuFile_10->trigger();
  EXPECT_EQ(readBytes(xmol).substr(0, 5), "240\r\n");

  const std::string bonds = f.folders.exportFile("old.txt");
  f.folders.dir.write("Export/old.txt", "old bonds");
  f.save(bonds);
  f.rig.prompts.answerYesNo(false);
  f.file.mnuFile_45->trigger();
  EXPECT_EQ(f.rig.prompts.calls.back().text,
            "File already exists. Do you want to overwrite it?\r\n" + bonds);
  EXPECT_EQ(readBytes(bonds), "old bonds");
  const auto asked = f.rig.prompts.calls.size();

  f.rig.dialogs.answer(std::nullopt);
  f.file.mnuFile_2->trigger();
  EXPECT_EQ(f.rig.prompts.calls.size(), asked);

  const std::string lost = f.folders.exportFile("missing/t.xmol");
  f.save(lost);
  f.file.mnuFile_10->trigger();
  const auto messages = f.rig.prompts.messages();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_NE(messages[0].text.find(lost), std::string::npos) << messages[0].text;
  EXPECT_FALSE(fs::exists(lost));
  EXPECT_EQ(std::distance(fs::directory_iterator(f.folders.startup.exportFolder),
                          fs::directory_iterator()),
            2);
}

// The MOL limit is checked on the set the MOL writer writes, before the
// dialog.
TEST(FileCommandsTest, molExportRefusesMoreThan999AtomsBeforeItsDialog)
{
  for (const int atoms : {1000, 999}) {
    FileRig f;
    Model& model = f.rig.model;
    model.structureKind = 2;
    model.bondCount = 0;
    model.bondAtom1.clear();
    model.bondAtom2.clear();
    model.sheetCount = 0;
    model.sheetX.clear();
    model.sheetY.clear();
    model.sheetZ.clear();
    model.sheetType.clear();
    for (int i = 0; i < atoms; ++i) {
      model.sheetX.push_back(static_cast<float>(i) * 2.0f);
      model.sheetY.push_back(0.0f);
      model.sheetZ.push_back(0.0f);
      model.sheetType.push_back(3);
      ++model.sheetCount;
    }
    f.rig.dialogs.answer(std::nullopt);
    f.file.mnuFile_1->trigger();
    if (atoms == 1000) {
      ASSERT_EQ(f.rig.prompts.calls.size(), 1u);
      EXPECT_EQ(f.rig.prompts.calls[0].text, "MOL-File only supports up to 999 atoms");
      EXPECT_TRUE(f.rig.dialogs.calls.empty());
    } else {
      EXPECT_TRUE(f.rig.prompts.calls.empty());
      EXPECT_EQ(f.rig.dialogs.calls.size(), 1u);
    }
  }
}

TEST(FileCommandsTest, folderCommandsOpenExistingFoldersOnly)
{
  FileRig f;
  for (QAction* a : f.file.mnuDir)
    a->trigger();
  const StartupState& s = f.folders.startup;
  const std::string expected[] = {s.exportFolder, s.importFolder, s.imagesFolder, s.pdfFolder};
  ASSERT_EQ(f.rig.shellOpen.calls.size(), 4u);
  for (int k = 0; k < 4; ++k) {
    EXPECT_EQ(f.rig.shellOpen.calls[k].kind, test::FakeShellOpen::Kind::Folder) << k;
    EXPECT_EQ(f.rig.shellOpen.calls[k].target, expected[k]) << k;
  }
  fs::remove_all(s.imagesFolder);
  f.file.mnuDir[2]->trigger();
  EXPECT_EQ(f.rig.shellOpen.calls.size(), 4u);
  EXPECT_TRUE(f.rig.prompts.calls.empty());
}

TEST(FileCommandsTest, exitClosesTheWindowAndRemovesTheSceneFiles)
{
  FileRig f;
  ASSERT_TRUE(fs::exists(f.rig.display.sceneAtomFilePath));
  f.file.mnuFile_8->trigger();
  EXPECT_FALSE(f.rig.form->isVisible());
  EXPECT_TRUE(f.rig.form->state().appClosing);
  EXPECT_FALSE(fs::exists(f.rig.display.sceneAtomFilePath));
  EXPECT_FALSE(fs::exists(f.rig.display.sceneBondFilePath));
}

} // namespace
} // namespace tarvek
