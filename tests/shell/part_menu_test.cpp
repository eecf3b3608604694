#include "form1_rig.h"

#include "runtime/path_util.h"
#include "scene/scene_object.h"
#include "shell/atom_colour_dialog.h"
#include "shell/file_commands.h"
#include "shell/special_commands.h"
#include "support/scoped_env.h"
#include "support/scratch_dir.h"

#include <QApplication>
#include <QMenu>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace tarvek {
namespace {

namespace fs = std::filesystem;
using test::Form1Rig;

// One line of the generator's table: file, caption, formula, atoms and the
// elements in order of first appearance.
struct PartRow {
  std::string file, caption, formula, elements;
  int atoms = 0;
};

std::vector<PartRow> partTable()
{
  std::ifstream in(std::string(TARVEK_TEST_SOURCE_DIR) + "/shell/fixtures/parts/library_table.txt");
  std::vector<PartRow> rows;
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#')
      continue;
    std::vector<std::string> f;
    std::size_t start = 0;
    for (std::size_t bar; (bar = line.find('|', start)) != std::string::npos; start = bar + 1)
      f.push_back(line.substr(start, bar - start));
    f.push_back(line.substr(start));
    rows.push_back({f.at(0), f.at(1), f.at(2), f.at(4), std::stoi(f.at(3))});
  }
  return rows;
}

std::uint32_t rgb(std::uint32_t r, std::uint32_t g, std::uint32_t b)
{
  return packColor(r, g, b);
}

QStringList texts(const QMenu* menu)
{
  QStringList out;
  for (QAction* a : menu->actions())
    out << (a->isSeparator() ? QStringLiteral("-") : a->text());
  return out;
}

TEST(PartMenuTest, shippedLibraryFillsTheSubmenu)
{
  Form1Rig rig;
  SpecialCommands& special = rig.form->specialCommands();
  ASSERT_NE(special.mnuIMMHeader, nullptr);
  EXPECT_TRUE(special.mnuIMMHeader->menuAction()->isVisible());
  EXPECT_EQ(special.mnuIMMHeader->menuAction()->text(), "Import IMM PDB");
  EXPECT_TRUE(rig.form->fileCommands().mnuImportStructure->actions().contains(
      special.mnuIMMHeader->menuAction()));
  const auto table = partTable();
  ASSERT_GE(table.size(), 5u);
  QStringList expected;
  for (const auto& row : table)
    expected << QString::fromStdString(row.caption);
  expected << "-" << "Edit Colors";
  EXPECT_EQ(texts(special.mnuIMMHeader), expected);
  for (std::size_t i = 0; i < special.mnuIMM.size(); ++i)
    EXPECT_EQ(special.mnuIMM[i]->data().toInt(), int(i));
}

// Each part: its atoms, elements, title and path; the first three also set
// their element colours, on every import.
TEST(PartMenuTest, partsReplaceTheShownStructure)
{
  Form1Rig rig;
  SpecialCommands& special = rig.form->specialCommands();
  const auto table = partTable();
  for (std::size_t i = 0; i < table.size(); ++i) {
    special.mnuIMM[i]->trigger();
    const PartRow& row = table[i];
    EXPECT_TRUE(rig.model.partsFlag) << row.file;
    EXPECT_EQ(rig.model.atomCount, row.atoms) << row.file;
    EXPECT_EQ(rig.form->titleText().toStdString(), row.caption + " (IMM)");
    EXPECT_EQ(rig.status(2), std::to_string(row.atoms) + " Atoms");
    EXPECT_EQ(rig.status(3), row.elements);
    EXPECT_EQ(rig.status(1), "Atom Radius 100%");
    EXPECT_EQ(rig.status(0), rig.form->state().partFile);
    EXPECT_EQ(fs::path(rig.status(0)).filename(), row.file);
    EXPECT_EQ(rig.form->scene().drawnAtomCount, row.atoms);
    EXPECT_EQ(rig.form->scene().drawnBondCount, 0);
    if (i == 0) {
      EXPECT_EQ(rig.form->scene().getAtomColor(6), rgb(135, 135, 240));
      EXPECT_EQ(rig.form->scene().getAtomColor(15), rgb(255, 229, 82));
    }
    if (i == 1) {
      EXPECT_EQ(rig.form->scene().getAtomColor(13), rgb(133, 158, 158));
    }
    if (i == 2) {
      EXPECT_EQ(rig.form->scene().getAtomColor(6), rgb(0, 0, 255));
      EXPECT_EQ(rig.form->scene().getAtomColor(8), rgb(255, 255, 0));
    }
  }
  EXPECT_TRUE(rig.prompts.calls.empty());
}

// "Edit Colors" opens the atom colours modally over the main window; a
// colour set there gives way to the part's own on its next import.
TEST(PartMenuTest, editColorsThenThePartsOwnColours)
{
  Form1Rig rig;
  SpecialCommands& special = rig.form->specialCommands();
  special.mnuIMM[0]->trigger();
  rig.colourChooser.answer(rgb(10, 20, 30));
  QString title;
  QWidget* owner = nullptr;
  QTimer::singleShot(0, [&] {
    auto* dialog = dynamic_cast<dlgATCOL*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    title = dialog->windowTitle();
    owner = dialog->parentWidget();
    emit dialog->table->cellClicked(0, 1);
    dialog->bt[1]->click();
  });
  special.mnuIMM.back()->trigger();
  EXPECT_EQ(title, " Atom Colors");
  EXPECT_EQ(owner, rig.form.get());
  EXPECT_EQ(rig.form->scene().getAtomColor(0), rgb(10, 20, 30));
  special.mnuIMM[0]->trigger();
  EXPECT_EQ(rig.form->scene().getAtomColor(0), rgb(255, 255, 255));
}

// A library whose part differs from its checksum is hidden for the run.
TEST(PartMenuTest, changedPartHidesTheSubmenu)
{
  test::ScratchDir dir;
  const fs::path data = fs::path(TARVEK_TEST_SOURCE_DIR) / ".." / "data";
  fs::copy(data / "lib", dir.path() / "lib", fs::copy_options::recursive);
  for (const char* file : {"tarvek.dat", "links.dat"}) {
    if (fs::exists(data / file))
      fs::copy_file(data / file, dir.path() / file);
  }
  const fs::path part = dir.path() / "lib" / "IMM" / partTable().at(1).file;
  std::string bytes = test::readBytes(part);
  bytes[bytes.size() / 2] ^= 1;
  dir.write("lib/IMM/" + part.filename().string(), bytes);
  test::ScopedEnv env("TARVEK_DATA_DIR", dir.path().string());
  Form1Rig rig({}, nullptr, {}, appPath());
  EXPECT_FALSE(rig.form->specialCommands().mnuIMMHeader->menuAction()->isVisible());
}

// A part that cannot be read gives the reader's message and leaves the
// shown structure.
TEST(PartMenuTest, unreadablePartChangesNothing)
{
  test::ScratchDir dir;
  const fs::path data = fs::path(TARVEK_TEST_SOURCE_DIR) / ".." / "data";
  fs::copy(data / "lib", dir.path() / "lib", fs::copy_options::recursive);
  fs::copy_file(data / "tarvek.dat", dir.path() / "tarvek.dat");
  Form1Rig rig({}, nullptr, {}, dir.path().string() + "/");
  const fs::path part = dir.path() / "lib" / "IMM" / partTable().at(3).file;
  dir.write("lib/IMM/" + part.filename().string(), "COMPND    NOTHING\nEND\n");
  const std::int32_t atoms = rig.model.atomCount;
  rig.form->specialCommands().mnuIMM[3]->trigger();
  ASSERT_EQ(rig.prompts.messages().size(), 1u);
  EXPECT_NE(rig.prompts.messages()[0].text.find("holds no ATOM or HETATM records"),
            std::string::npos);
  EXPECT_FALSE(rig.model.partsFlag);
  EXPECT_EQ(rig.model.atomCount, atoms);
}

} // namespace
} // namespace tarvek
