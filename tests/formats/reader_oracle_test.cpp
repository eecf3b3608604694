#include "export_rig.h"

#include "formats/structure_readers.h"
#include "formats/structure_writers.h"
#include "model/built_tube.h"
#include "model/element_display_recorder.h"
#include "model/tube_builder.h"
#include "runtime/number_format.h"
#include "runtime/path_util.h"
#include "runtime/random_source.h"
#include "runtime/split.h"
#include "support/fake_abort.h"
#include "support/require_tool.h"
#include "support/run_tool.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace tarvek::test {
namespace {

struct FitRow {
  int n, m;
  double length, diameter, bondLength;
  std::int32_t bonds;
};

// An XMOL file imported with Yes and neutral distortions.
Model importTube(const std::string& path, FakePrompts& prompts)
{
  Model model;
  FakeAbort abort;
  prompts.answerYesNo(true);
  const auto result = importCoordinates(model, path, false, false, prompts, abort);
  EXPECT_TRUE(result && result->isTube) << path;
  EXPECT_TRUE(prompts.messages().empty()) << path;
  return model;
}

// The (n, m) whose diameter lies nearest the fitted one.
std::pair<int, int> nearestIndices(double diameter)
{
  std::pair<int, int> best{0, 0};
  double gap = std::numeric_limits<double>::infinity();
  for (int n = 3; n <= 30; ++n)
    for (int m = 0; m <= n; ++m) {
      const double d = std::fabs(2.0 * tubeRadius(n, m, 1.42f) - diameter);
      if (d < gap) {
        gap = d;
        best = {n, m};
      }
    }
  return best;
}

void expectFit(const Model& model, const FitRow& row, std::int32_t bonds, const char* source)
{
  const std::string what = std::string(source) + " (" + std::to_string(row.n) + ","
                           + std::to_string(row.m) + ")";
  EXPECT_NEAR(model.tubeLength, row.length, 1e-3) << what;
  EXPECT_NEAR(model.tubeDiameter, row.diameter, 1e-3) << what;
  EXPECT_NEAR(model.bondLength, row.bondLength, 1e-3) << what;
  EXPECT_EQ(model.bondCount, bonds) << what;
  EXPECT_EQ(nearestIndices(model.tubeDiameter), std::make_pair(row.n, row.m)) << what;
}

// ASE's tubes and our builder's, written as XMOL, measure as the tubes they
// are, and their diameter names their indices.
TEST(ReaderOracleTest, tubeFitMeasuresAseAndBuiltTubes)
{
  if (!requireTool("/usr/bin/python3", "python3"))
    return;
  ExportRig rig;
  const ToolResult r =
      runTool("/usr/bin/python3", {std::string(TARVEK_TEST_SOURCE_DIR) + "/oracle/ase_tube_xmol.py",
                                   rig.dir.path().string()});
  if (r.exitCode == 77) {
    EXPECT_FALSE(ciMode()) << r.out;
    GTEST_SKIP() << r.out;
  }
  ASSERT_EQ(r.exitCode, 0) << r.out << r.err;

  const FitRow ase[] = {
      {10, 0, 24.85, 7.8289, 1.4156, 340},   {5, 5, 24.5951, 6.7429, 1.4096, 286},
      {6, 3, 22.2734, 6.1966, 1.4085, 240},  {7, 2, 34.6961, 6.4064, 1.4105, 391},
      {12, 3, 19.057, 10.7596, 1.4167, 360},
  };
  for (const FitRow& row : ase) {
    FakePrompts prompts;
    const Model model = importTube(
        rig.path("ase_" + std::to_string(row.n) + "_" + std::to_string(row.m) + ".xmol"), prompts);
    expectFit(model, row, row.bonds, "ASE");
  }

  const struct {
    FitRow row;
    float length;
  } built[] = {
      {{10, 0, 24.85, 7.8289, 1.4156, 0}, 25.0f},   {{5, 5, 24.5951, 6.7429, 1.4096, 0}, 25.0f},
      {{6, 3, 24.957, 6.1966, 1.4085, 0}, 25.0f},   {{7, 2, 35.2166, 6.4064, 1.4105, 0}, 35.0f},
      {{12, 3, 19.9866, 10.7596, 1.4167, 0}, 20.0f},
  };
  for (const auto& b : built) {
    const Model tube = builtTube(b.row.n, b.row.m, b.length, 1.42f);
    FakePrompts writePrompts;
    const ExportContext ctx{.model = tube, .prompts = writePrompts};
    const std::string path = rig.path("ours.xmol");
    exportXMOL(ctx, path);
    FakePrompts prompts;
    const Model model = importTube(path, prompts);
    EXPECT_EQ(model.atomCount, tube.atomCount);
    expectFit(model, b.row, tube.bondCount, "builder");
  }
}

bool babel()
{
  return requireTool("obabel", "openbabel");
}

ToolResult obabel(const std::vector<std::string>& args)
{
  const ToolResult r = runTool("obabel", args);
  EXPECT_EQ(r.exitCode, 0) << r.err;
  return r;
}

// Open Babel's ".cc1" and XYZ output read back with every atom where it was.
TEST(ReaderOracleTest, openBabelCoordinateFilesReadBack)
{
  if (!babel())
    return;
  ScratchDir dir;
  const std::string xyz = dir.write("f.xyz",
                                    "4\nmixed\nC 0.1234 -1.5 2.25\nC 1.3 0.0001 -7.125\n"
                                    "C -3.5 2.0 0.75\nC 0.0 0.0 1.42\n")
                              .string();
  const std::string cc1 = dir.file("f.cc1").string();
  obabel({"-ixyz", xyz, "-oc3d1", "-O", cc1});
  const std::string again = dir.file("g.xyz").string();
  obabel({"-ixyz", xyz, "-oxyz", "-O", again});
  const float expected[4][3] = {
      {0.1234f, -1.5f, 2.25f}, {1.3f, 0.0001f, -7.125f}, {-3.5f, 2.0f, 0.75f}, {0.0f, 0.0f, 1.42f}};
  for (const std::string& path : {cc1, again}) {
    Model model;
    if (path == cc1)
      openCC1(model, path);
    else
      importXYZ(model, path);
    ASSERT_EQ(model.atomCount, 4) << path << "\n" << readBytes(path);
    for (int i = 0; i < 4; ++i) {
      EXPECT_NEAR(model.atomX[i], expected[i][0], 1e-4) << path << " atom " << i;
      EXPECT_NEAR(model.atomY[i], expected[i][1], 1e-4) << path << " atom " << i;
      EXPECT_NEAR(model.atomZ[i], expected[i][2], 1e-4) << path << " atom " << i;
    }
  }
}

// Open Babel's PDB records give the elements they name.
TEST(ReaderOracleTest, openBabelPdbGivesItsElements)
{
  if (!babel())
    return;
  ScratchDir dir;
  const std::string xyz = dir.write("mix.xyz",
                                    "6\nmix\nC 0 0 0\nH 1.09 0 0\nO -1.2 0.5 0\nN 0 1.4 0\n"
                                    "Cl 0 -1.8 0\nSi 0 0 2.3\n")
                              .string();
  const std::string pdb = dir.file("mix.pdb").string();
  obabel({"-ixyz", xyz, "-opdb", "-O", pdb});
  Model model;
  ElementDisplayRecorder display;
  RandomSource random;
  const ImportedStructure read = importPDB(model, pdb, display, random);
  EXPECT_EQ(read.elements, "C H O N Cl Si ") << readBytes(pdb);
  EXPECT_EQ(model.atomType, (std::vector<std::int16_t>{6, 1, 8, 7, 17, 14}));
  EXPECT_EQ(read.title, "mix");
}

// Open Babel perceives our library's cages with three bonds per atom.
TEST(ReaderOracleTest, openBabelReadsLibraryCages)
{
  if (!babel())
    return;
  const std::string folder = fullereneLibraryFolder(appPath());
  for (const char* name : {"C20", "C60", "C78-5", "C100-450", "C540", "C720"}) {
    const ToolResult r = obabel(
        {"-ic3d1", folder + name + ".cc1", "-otxt", "--append", "atoms bonds"});
    const auto fields = splitSpaces(r.out.substr(0, r.out.find('\n')));
    ASSERT_GE(fields.size(), 2u) << name << r.out << r.err;
    const int atoms = std::stoi(std::string(name).substr(1));
    EXPECT_EQ(fields[fields.size() - 2], std::to_string(atoms)) << name;
    EXPECT_EQ(fields.back(), std::to_string(atoms * 3 / 2)) << name;
  }
}

} // namespace
} // namespace tarvek::test
