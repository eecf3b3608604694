#include "export_rig.h"

#include "formats/structure_writers.h"
#include "runtime/number_parse.h"
#include "runtime/split.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

namespace tarvek::test {
namespace {

// structure.txt: "kind k", "atom x y z type", "sheet x y z type", "bond a b".
void loadStructure(ExportRig& rig, const std::string& text)
{
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line)) {
    const auto f = splitSpaces(line);
    if (f.empty())
      continue;
    const auto num = [&](std::size_t i) { return Val(f.at(i)); };
    if (f[0] == "kind")
      rig.model.structureKind = static_cast<std::int16_t>(num(1));
    else if (f[0] == "atom")
      rig.addAtom(float(num(1)), float(num(2)), float(num(3)), std::int16_t(num(4)));
    else if (f[0] == "sheet")
      rig.addSheetAtom(float(num(1)), float(num(2)), float(num(3)), std::int16_t(num(4)));
    else if (f[0] == "bond")
      rig.addBond(std::int32_t(num(1)), std::int32_t(num(2)));
  }
}

// No outside program reads bond tables: each case folder holds a structure
// and the exact bytes expected.
TEST(BondTableGoldenTest, everyCaseFolderGivesItsExpectedBytes)
{
  const std::filesystem::path root =
      std::filesystem::path(TARVEK_TEST_SOURCE_DIR) / "fixtures/formats/bond_table";
  int cases = 0;
  for (const auto& entry : std::filesystem::directory_iterator(root)) {
    ExportRig rig;
    loadStructure(rig, readBytes(entry.path() / "structure.txt"));
    const std::string path = rig.path("out.txt");
    exportBonds(rig.ctx, path);
    EXPECT_EQ(readBytes(path), readBytes(entry.path() / "expected.txt")) << entry.path();
    ++cases;
  }
  EXPECT_GT(cases, 0);
}

} // namespace
} // namespace tarvek::test
