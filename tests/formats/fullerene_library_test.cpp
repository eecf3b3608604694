#include "formats/structure_readers.h"
#include "runtime/path_util.h"
#include "runtime/split.h"
#include "support/cage_check.h"
#include "support/scratch_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <sstream>

namespace tarvek::test {
namespace {

namespace fs = std::filesystem;

// index.txt: name, atoms, isomer, IPR flag, pentagon bonds, spiral.
std::map<std::string, int> indexedAtoms(const fs::path& folder)
{
  std::map<std::string, int> atoms;
  std::istringstream in(readBytes(folder / "index.txt"));
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r')
      line.pop_back();
    if (line.empty() || line.front() == '#')
      continue;
    const auto f = splitSpaces(line);
    EXPECT_EQ(f.size(), 17u) << line;
    atoms[f.at(0)] = std::stoi(f.at(1));
  }
  return atoms;
}

// Every cage the program ships reads through openCC1 as a closed fullerene,
// is listed in the index with its atom count, and the isolated-pentagon
// isomers are all there.
TEST(FullereneLibraryTest, everyFileIsAClosedCageListedInTheIndex)
{
  const fs::path folder = fullereneLibraryFolder(appPath());
  ASSERT_TRUE(fs::is_directory(folder)) << folder;
  const auto index = indexedAtoms(folder);
  std::map<std::string, int> files;
  std::map<int, int> isomersBySize;
  for (const auto& entry : fs::directory_iterator(folder)) {
    if (entry.path().extension() != ".cc1")
      continue;
    const std::string name = entry.path().stem().string();
    Model model;
    const ImportedStructure read = openCC1(model, entry.path().string());
    EXPECT_EQ(read.title, name);
    files[name] = model.atomCount;
    const CageReport report =
        checkCage(model.atomX, model.atomY, model.atomZ, model.atomCount, 1.42, 0.0, 0.0);
    EXPECT_TRUE(report.closed()) << name << ": " << report.summary();
    const auto dash = name.find('-');
    if (dash != std::string::npos || name == "C60" || name == "C70"
        || (model.atomCount >= 72 && model.atomCount <= 100))
      ++isomersBySize[model.atomCount];
  }
  EXPECT_EQ(files, index);
  const std::map<int, int> expected = {
      {60, 1},  {70, 1},  {72, 1},  {74, 1},  {76, 2},   {78, 5},   {80, 7},   {82, 9},   {84, 24},
      {86, 19}, {88, 35}, {90, 46}, {92, 86}, {94, 134}, {96, 187}, {98, 259}, {100, 450}};
  EXPECT_EQ(isomersBySize, expected);
  // One file per smaller size from C20 (none for C22) and the five giants.
  for (int n = 20; n <= 68; n += 2) {
    if (n != 22 && n != 60) {
      EXPECT_EQ(files.count("C" + std::to_string(n)), 1u) << n;
    }
  }
  for (int n : {180, 240, 320, 540, 720})
    EXPECT_EQ(files["C" + std::to_string(n)], n);
}

} // namespace
} // namespace tarvek::test
