#include "scene_walls.h"

#include "formats/structure_writers.h"
#include "runtime/number_parse.h"
#include "runtime/split.h"
#include "support/require_tool.h"
#include "support/run_tool.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <set>
#include <sstream>

namespace tarvek::test {
namespace {

bool tools()
{
  return requireTool("obabel", "openbabel") && requireTool("gemmi", "gemmi");
}

// Open Babel's "-otxt --append 'atoms bonds'": the title, then the counts.
std::string babelCounts(const std::string& format, const std::string& path, bool noBonding = false)
{
  std::vector<std::string> args{"-i" + format, path};
  if (noBonding)
    args.push_back("-ab");
  for (const char* a : {"-otxt", "--append", "atoms bonds"})
    args.push_back(a);
  const ToolResult r = runTool("obabel", args);
  EXPECT_NE(r.err.find("1 molecule converted"), std::string::npos) << r.err.substr(0, 2000);
  const std::vector<std::string> fields = splitSpaces(r.out.substr(0, r.out.find('\n')));
  if (fields.size() < 2)
    return r.out;
  return fields[fields.size() - 2] + " " + fields.back();
}

// gemmi's _atom_site rows: serial and element of every atom.
std::vector<std::pair<std::string, std::string>> gemmiAtoms(const ScratchDir& dir,
                                                            const std::string& pdb)
{
  const std::string cif = dir.file("out.cif").string();
  const ToolResult r = runTool("gemmi", {"convert", pdb, cif});
  EXPECT_EQ(r.err, "");
  std::vector<std::pair<std::string, std::string>> atoms;
  std::istringstream in(readBytes(cif));
  std::string line;
  bool rows = false;
  while (std::getline(in, line)) {
    if (line.rfind("_atom_site.", 0) == 0) {
      rows = true;
      continue;
    }
    if (rows && (line.empty() || line[0] == '#' || line[0] == '_' || line.rfind("loop_", 0) == 0))
      break;
    if (rows) {
      const auto fields = splitSpaces(line);
      atoms.emplace_back(fields[0], fields[1]);
    }
  }
  return atoms;
}

TEST(ExportOracleTest, c60ReadsBackWithEveryAtomAndBond)
{
  if (!tools())
    return;
  ExportRig rig;
  c60(rig.model);
  const std::string xmol = rig.path("c60.xmol");
  const std::string mol = rig.path("c60.mol");
  const std::string pdb = rig.path("c60.pdb");
  const std::string bare = rig.path("bare.pdb");
  exportXMOL(rig.ctx, xmol);
  rig.prompts.answerInput("1");
  exportMOL(rig.ctx, mol);
  rig.prompts.answerYesNo(true);
  exportPDB(rig.ctx, pdb);
  rig.prompts.answerYesNo(false);
  exportPDB(rig.ctx, bare);
  EXPECT_EQ(babelCounts("xyz", xmol), "60 90");
  EXPECT_EQ(babelCounts("mol", mol), "60 90");
  EXPECT_EQ(babelCounts("pdb", pdb, true), "60 90");
  EXPECT_EQ(babelCounts("pdb", bare, true), "60 0");
  EXPECT_EQ(gemmiAtoms(rig.dir, pdb).size(), 60u);
}

TEST(ExportOracleTest, twoSceneListsReadAsTwoResiduesWithBondsOfBondLength)
{
  if (!tools())
    return;
  ExportRig rig;
  c60(rig.model);
  rig.model.covalentRadius[6] = 0.77f;
  const SceneWalls walls(rig);
  rig.prompts.answerYesNo(true);
  const std::string pdb = rig.path("walls.pdb");
  exportPDB(rig.ctx, pdb);
  EXPECT_EQ(babelCounts("pdb", pdb, true), "120 180");

  const ToolResult sdf = runTool("obabel", {"-ipdb", pdb, "-ab", "-osdf"});
  std::istringstream in(sdf.out);
  std::string line;
  for (int i = 0; i < 4; ++i)
    std::getline(in, line);
  std::vector<std::array<double, 3>> points;
  for (int i = 0; i < 120 && std::getline(in, line); ++i)
    points.push_back({Val(line.substr(0, 10)), Val(line.substr(10, 10)), Val(line.substr(20, 10))});
  ASSERT_EQ(points.size(), 120u);
  int bonds = 0;
  while (std::getline(in, line) && line.rfind("M  END", 0) != 0) {
    const auto a = static_cast<std::size_t>(Val(line.substr(0, 3))) - 1;
    const auto b = static_cast<std::size_t>(Val(line.substr(3, 3))) - 1;
    ASSERT_LT(a, 120u);
    ASSERT_LT(b, 120u);
    const double d = std::hypot(points[a][0] - points[b][0], points[a][1] - points[b][1],
                                points[a][2] - points[b][2]);
    EXPECT_TRUE(d > 1.3 && d < 1.6) << line << ": " << d;
    ++bonds;
  }
  EXPECT_EQ(bonds, 180);

  const ToolResult residues = runTool("gemmi", {"residues", pdb});
  std::set<std::string> numbers;
  std::istringstream rows(residues.out);
  while (std::getline(rows, line)) {
    const auto fields = splitSpaces(line);
    if (fields.size() >= 2 && fields[0] == "A")
      numbers.insert(fields[1]);
  }
  EXPECT_EQ(numbers, (std::set<std::string>{"1", "2"})) << residues.out;
}

TEST(ExportOracleTest, galliumNitrideKeepsItsElements)
{
  if (!tools())
    return;
  ExportRig rig;
  rig.ctx.atomTypeLabel1 = "Ga";
  rig.ctx.atomTypeLabel2 = "N";
  rig.addAtom(0.0f, 0.0f, 0.0f, 1);
  rig.addAtom(1.9f, 0.0f, 0.0f, 2);
  rig.addBond(0, 1);
  const std::string mol = rig.path("gan.mol");
  const std::string pdb = rig.path("gan.pdb");
  rig.prompts.answerInput("1");
  exportMOL(rig.ctx, mol);
  rig.prompts.answerYesNo(true);
  exportPDB(rig.ctx, pdb);
  for (const auto& [format, path] : {std::pair{"mol", mol}, std::pair{"pdb", pdb}}) {
    const ToolResult xyz = runTool("obabel", {std::string("-i") + format, path, "-ab", "-oxyz"});
    std::istringstream in(xyz.out);
    std::string line;
    std::vector<std::string> elements;
    std::getline(in, line);
    std::getline(in, line);
    while (std::getline(in, line) && !splitSpaces(line).empty())
      elements.push_back(splitSpaces(line)[0]);
    EXPECT_EQ(elements, (std::vector<std::string>{"Ga", "N"})) << format << xyz.out;
  }
  const auto atoms = gemmiAtoms(rig.dir, pdb);
  ASSERT_EQ(atoms.size(), 2u);
  // gemmi writes element symbols in capitals.
  EXPECT_EQ(atoms[0].second, "GA");
  EXPECT_EQ(atoms[1].second, "N");
}

// The element columns name every atom, so Open Babel reads the formula
// without guessing from atom names and prints no warning.
TEST(ExportOracleTest, tubesReadAsTheirFormulaWithoutWarnings)
{
  if (!tools())
    return;
  for (const bool galliumNitride : {false, true}) {
    SCOPED_TRACE(galliumNitride ? "Ga-N" : "C");
    ExportRig rig;
    FakeAbort abort;
    // Any material but carbon gives the two sites types 1 and 2.
    rig.model.materialIndex = galliumNitride ? 2 : 0;
    buildTubes(rig.model, 10, 10, 25.0f, 1.42f, rig.prompts, abort);
    const std::string half = std::to_string(rig.model.atomCount / 2);
    const std::string formula = galliumNitride ? "Ga" + half + "N" + half
                                               : "C" + std::to_string(rig.model.atomCount);
    if (galliumNitride) {
      rig.ctx.atomTypeLabel1 = "Ga";
      rig.ctx.atomTypeLabel2 = "N";
    }
    rig.prompts.answerYesNo(true);
    const std::string pdb = rig.path("tube.pdb");
    exportPDB(rig.ctx, pdb);
    // XYZ adds no hydrogens to the open ends, so its element column is the
    // formula read. Single bonds only ("-as"): Open Babel cannot assign
    // double bonds to a Ga-N network and says so, whatever the file.
    const ToolResult r = runTool("obabel", {"-ipdb", pdb, "-as", "-oxyz"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.err, "1 molecule converted\n");
    std::map<std::string, int> elements;
    std::istringstream in(r.out);
    std::string line;
    std::getline(in, line);
    std::getline(in, line);
    while (std::getline(in, line) && !splitSpaces(line).empty())
      ++elements[splitSpaces(line)[0]];
    std::string read;
    for (const auto& [symbol, count] : elements)
      read += symbol + std::to_string(count);
    EXPECT_EQ(read, formula);
  }
}

// A structure of several scene lists reaches Open Babel whole.
TEST(ExportOracleTest, everyListShownReadsBackFromXmolAndMol)
{
  if (!tools())
    return;
  for (const auto& tubes : {threeWalls(), sevenTubeBundle()}) {
    ExportRig rig;
    const SceneTubes shown(rig, tubes, 10.0f);
    const std::string xmol = rig.path("s.xmol");
    const std::string mol = rig.path("s.mol");
    exportXMOL(rig.ctx, xmol);
    rig.prompts.answerInput("1");
    exportMOL(rig.ctx, mol);
    const std::string counts =
        std::to_string(shown.shownAtoms) + " " + std::to_string(shown.shownBonds);
    EXPECT_EQ(babelCounts("mol", mol), counts);
    EXPECT_EQ(splitSpaces(babelCounts("xyz", xmol)).at(0), std::to_string(shown.shownAtoms));
  }
}

TEST(ExportOracleTest, gemmiDecodesHybrid36Serials)
{
  if (!tools())
    return;
  ExportRig rig;
  for (int i = 0; i < 100010; ++i)
    rig.addAtom(float(i % 100), float(i / 100 % 100), float(i / 10000));
  rig.prompts.answerYesNo(false);
  const std::string pdb = rig.path("big.pdb");
  exportPDB(rig.ctx, pdb);
  const auto atoms = gemmiAtoms(rig.dir, pdb);
  ASSERT_EQ(atoms.size(), 100010u);
  EXPECT_EQ(atoms[99999], (std::pair<std::string, std::string>{"100000", "C"}));
  EXPECT_EQ(atoms.back().first, "100010");
}

} // namespace
} // namespace tarvek::test
