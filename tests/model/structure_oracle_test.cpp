#include "support/require_tool.h"
#include "support/run_tool.h"
#include "support/scratch_dir.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace tarvek {
namespace {

// Output of an outside program, stdout and stderr together.
struct CommandResult {
  int status;
  std::string output;
};

CommandResult run(const std::string& program, const std::vector<std::string>& args)
{
  const test::ToolResult r = test::runTool(program, args);
  return {r.exitCode, r.out + r.err};
}

// The bonds of Open Babel's MOL2 of an XYZ file: the count and each atom's
// number of bonds. found is false when the output has no BOND section.
struct Mol2Bonds {
  CommandResult result;
  bool found = false;
  int bonds = 0;
  std::map<int, int> degree;
};

Mol2Bonds mol2Bonds(const std::string& xyz)
{
  Mol2Bonds out;
  out.result = run("obabel", {"-ixyz", xyz, "-as", "-omol2"});
  const auto bondsAt = out.result.output.find("@<TRIPOS>BOND");
  if (bondsAt == std::string::npos)
    return out;
  out.found = true;
  std::istringstream lines(out.result.output.substr(bondsAt));
  std::string line;
  std::getline(lines, line);
  while (std::getline(lines, line) && !line.empty() && line[0] != '@') {
    std::istringstream fields(line);
    int id = 0, a = 0, b = 0;
    if (!(fields >> id >> a >> b))
      break;
    ++out.degree[a];
    ++out.degree[b];
    ++out.bonds;
  }
  return out;
}

// The C60 we write is read back as 60 carbon atoms with 90 bonds, each atom
// bonded to three others.
TEST(StructureOracleTest, openBabelReadsTheC60As60AtomsAnd90Bonds)
{
  if (!test::requireTool("obabel", "openbabel"))
    return;
  test::ScratchDir dir;
  const std::string xyz = dir.file("c60.xyz").string();
  const CommandResult dump = run(MODEL_DUMP, {xyz, "c60"});
  ASSERT_EQ(dump.status, 0) << dump.output;

  // -as: single bonds only; bond-order perception is slow and not asked for.
  const CommandResult counts =
      run("obabel", {"-ixyz", xyz, "-as", "-otxt", "--append", "formula atoms bonds"});
  ASSERT_EQ(counts.status, 0) << counts.output;
  EXPECT_NE(counts.output.find("1 molecule converted"), std::string::npos) << counts.output;
  EXPECT_NE(counts.output.find("C60 60 90"), std::string::npos) << counts.output;

  const Mol2Bonds mol2 = mol2Bonds(xyz);
  ASSERT_EQ(mol2.result.status, 0) << mol2.result.output;
  ASSERT_TRUE(mol2.found) << mol2.result.output;
  EXPECT_EQ(mol2.bonds, 90);
  ASSERT_EQ(mol2.degree.size(), 60u);
  for (const auto& [atom, n] : mol2.degree)
    EXPECT_EQ(n, 3) << "atom " << atom;
}

// A written cone is read back whole: every atom, all carbon.
TEST(StructureOracleTest, openBabelReadsEveryAtomOfACone)
{
  if (!test::requireTool("obabel", "openbabel"))
    return;
  test::ScratchDir dir;
  const std::string xyz = dir.file("cone.xyz").string();
  const CommandResult dump = run(MODEL_DUMP, {xyz, "cone", "60", "10", "1.42"});
  ASSERT_EQ(dump.status, 0) << dump.output;
  const CommandResult counts =
      run("obabel", {"-ixyz", xyz, "-as", "-otxt", "--append", "formula atoms"});
  ASSERT_EQ(counts.status, 0) << counts.output;
  EXPECT_NE(counts.output.find("1 molecule converted"), std::string::npos) << counts.output;
  EXPECT_NE(counts.output.find("C320 320"), std::string::npos) << counts.output;
}

// Open Babel's own bond perception finds the bonds our search finds in
// rolled tubes: same atom and bond counts.
TEST(StructureOracleTest, openBabelCountsTheAtomsAndBondsOfTubes)
{
  if (!test::requireTool("obabel", "openbabel"))
    return;
  const struct {
    const char* indices;
    int atoms, bonds;
    const char* n;
    const char* m;
  } cases[] = {{"10 0", 240, 340, "10", "0"}, {"6 3", 189, 273, "6", "3"}, {"5 5", 210, 305, "5", "5"}};
  test::ScratchDir dir;
  for (const auto& c : cases) {
    const std::string xyz = dir.file("tube.xyz").string();
    const CommandResult dump = run(MODEL_DUMP, {xyz, "tube", c.n, c.m, "25", "1.42"});
    ASSERT_EQ(dump.status, 0) << dump.output;
    const std::string ours = "atoms " + std::to_string(c.atoms) + " bonds "
                             + std::to_string(c.bonds);
    const CommandResult counts =
        run("obabel", {"-ixyz", xyz, "-as", "-otxt", "--append", "atoms bonds"});
    EXPECT_NE(counts.output.find("1 molecule converted"), std::string::npos) << counts.output;
    // The title carries our counts; Open Babel appends its own.
    EXPECT_NE(counts.output.find(ours + " " + std::to_string(c.atoms) + " "
                                 + std::to_string(c.bonds) + "\n"),
              std::string::npos)
        << c.indices << ": " << counts.output;
  }
}

// Capped tubes read back as closed cages: every atom with three bonds,
// 1.5 bonds per atom.
TEST(StructureOracleTest, openBabelSeesCappedTubesAsClosedCages)
{
  if (!test::requireTool("obabel", "openbabel"))
    return;
  // Two lengths per preset; for (10,10) and (11,11) one odd and one even
  // ring count.
  const struct {
    const char* code;
    const char* length;
    int atoms;
  } cases[] = {{"55", "10", 140},   {"55", "25", 260},   {"66", "15", 204},  {"66", "25", 300},
               {"90", "9.94", 132}, {"90", "24.14", 258}, {"100", "15", 180}, {"100", "25", 260},
               {"1010", "3", 280},  {"1010", "4", 300}, {"1111", "3", 302}, {"1111", "4", 324}};
  test::ScratchDir dir;
  for (const auto& c : cases) {
    const std::string label = std::string(c.code) + " at " + c.length;
    const std::string xyz = dir.file("cage.xyz").string();
    const CommandResult dump =
        run(MODEL_DUMP, {xyz, "tube", "1", "0", c.length, "1.42", "--cap", c.code, "--ends", "0"});
    ASSERT_EQ(dump.status, 0) << label << ": " << dump.output;

    const CommandResult counts =
        run("obabel", {"-ixyz", xyz, "-as", "-otxt", "--append", "atoms bonds"});
    EXPECT_NE(counts.output.find("1 molecule converted"), std::string::npos) << counts.output;
    EXPECT_NE(counts.output.find(" " + std::to_string(c.atoms) + " "
                                 + std::to_string(c.atoms * 3 / 2) + "\n"),
              std::string::npos)
        << label << ": " << counts.output;

    const Mol2Bonds mol2 = mol2Bonds(xyz);
    ASSERT_TRUE(mol2.found) << label << ": " << mol2.result.output;
    EXPECT_EQ(mol2.degree.size(), static_cast<std::size_t>(c.atoms)) << label;
    for (const auto& [atom, n] : mol2.degree)
      EXPECT_EQ(n, 3) << label << ": atom " << atom;
  }
}

} // namespace
} // namespace tarvek
