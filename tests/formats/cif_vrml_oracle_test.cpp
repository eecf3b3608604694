// gemmi, ASE, Coin and the VRML converter read the written CIF and VRML files back.
#include "scene_walls.h"

#include "formats/structure_writers.h"
#include "formats/structure_readers.h"
#include "model/cone_builder.h"
#include "model/tube_builder.h"
#include "runtime/number_parse.h"
#include "runtime/split.h"
#include "support/require_tool.h"
#include "support/run_tool.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <optional>
#include <sstream>

namespace tarvek::test {
namespace {

using Point = std::array<double, 3>;

std::string text(double value)
{
  char buffer[32];
  return {buffer, std::to_chars(buffer, buffer + sizeof buffer, value).ptr};
}

double distance(const Point& a, const Point& b)
{
  return std::hypot(a[0] - b[0], a[1] - b[1], a[2] - b[2]);
}

Point pointOf(const ExportAtom& a) { return {a.x, a.y, a.z}; }

void tube(ExportRig& rig)
{
  FakeAbort abort;
  rig.model.structureKind = 1;
  buildTubes(rig.model, 5, 5, 25.0f, 1.42f, rig.prompts, abort);
}

void ball(ExportRig& rig) { c60(rig.model); }

void tube1010(ExportRig& rig)
{
  FakeAbort abort;
  rig.model.structureKind = 1;
  buildTubes(rig.model, 10, 10, 25.0f, 1.42f, rig.prompts, abort);
}

void cappedTube1010(ExportRig& rig)
{
  rig.model.tubeVariant = 1010;
  tube1010(rig);
}

void c70(ExportRig& rig)
{
  openCC1(rig.model, std::string(FULLERENE_FOLDER) + "C70.cc1");
  rig.model.bondLength = 1.42f;
}

void cone(ExportRig& rig)
{
  rig.model.structureKind = 3;
  buildCone(rig.model, 60.0f, 15.0f, 1.42f, 0.0f);
}

void unitCellTube1010(ExportRig& rig)
{
  FakeAbort abort;
  rig.model.structureKind = 1;
  rig.model.unitCellMode = true;
  buildTubes(rig.model, 10, 10, 12.0f, 1.42f, rig.prompts, abort);
}

void sheet(ExportRig& rig)
{
  tube(rig);
  rig.model.structureKind = 2;
}

// The three cell edges as the file has them.
Point writtenCell(const std::string& path)
{
  Point cell{};
  for (const std::string& line : fileLines(path)) {
    for (std::size_t k = 0; k < 3; ++k) {
      if (line.rfind(std::string("_cell_length_") + char('a' + k), 0) == 0)
        cell[k] = Val(splitSpaces(line).at(1));
    }
  }
  return cell;
}

struct CifCase {
  const char* name;
  void (*build)(ExportRig&);
  bool icsd;
  const char* formula;
};

TEST(CifOracleTest, gemmiAndAseReadEveryAtomInPlace)
{
  if (!requireTool("gemmi", "gemmi"))
    return;
  const CifCase cases[] = {
      {"C60", ball, false, "C60"},
      {"(5,5) tube", tube, false, nullptr},
      {"sheet", sheet, false, nullptr},
      {"C60 ICSD", ball, true, "C60"},
      {"(10,10) tube", tube1010, false, nullptr},
      {"capped (10,10) tube", cappedTube1010, false, nullptr},
      {"C70", c70, false, "C70"},
      {"3-wall tube", nullptr, false, nullptr},
  };
  for (const CifCase& c : cases) {
    SCOPED_TRACE(c.name);
    ExportRig rig;
    std::optional<SceneTubes> walls;
    if (c.build != nullptr)
      c.build(rig);
    else
      walls.emplace(rig, threeWalls(), 10.0f);
    rig.ctx.cifIcsdStyle = c.icsd;
    const std::string path = rig.path("f.cif");
    exportCIF(rig.ctx, path);
    const ExportAtoms set = exportAtoms(rig.ctx, ExportUse::Cif);
    const Point cell = writtenCell(path);
    const std::size_t count = set.atoms.size();
    ASSERT_GT(count, 0u);

    const ToolResult validate = runTool("gemmi", {"validate", path});
    EXPECT_EQ(validate.exitCode, 0);
    EXPECT_EQ(validate.out + validate.err, "");
    const ToolResult rows = runTool("gemmi", {"grep", "-c", "_atom_site_fract_x", path});
    EXPECT_EQ(rows.out, "tarvek:" + std::to_string(count) + "\n");

    const ToolResult fractions =
        runTool("gemmi", {"grep", "-O", "-d", " ", "-a", "_atom_site_fract_y", "-a",
                          "_atom_site_fract_z", "_atom_site_fract_x", path});
    // The places read, in Å from the cell's corner; the model's atoms lie
    // at them shifted by one vector, the corner.
    std::vector<Point> read;
    std::istringstream in(fractions.out);
    std::string line;
    while (std::getline(in, line)) {
      const auto f = splitSpaces(line);
      ASSERT_EQ(f.size(), 4u) << line;
      read.push_back({Val(f[1]) * cell[0], Val(f[2]) * cell[1], Val(f[3]) * cell[2]});
    }
    ASSERT_EQ(read.size(), count);
    Point corner{};
    for (std::size_t i = 0; i < count; ++i) {
      const Point p = pointOf(set.atoms[i]);
      for (std::size_t k = 0; k < 3; ++k)
        corner[k] += (p[k] - read[i][k]) / double(count);
    }
    std::string reference;
    if (c.formula)
      reference += std::string("formula ") + c.formula + "\n";
    reference += "cell " + text(cell[0]) + " " + text(cell[1]) + " " + text(cell[2]) + "\n";
    for (std::size_t i = 0; i < count; ++i) {
      const Point p = pointOf(set.atoms[i]);
      reference += "atom";
      for (std::size_t k = 0; k < 3; ++k) {
        const double place = p[k] - corner[k];
        EXPECT_LE(std::fabs(read[i][k] - place), 0.0005) << "atom " << i << " axis " << k;
        EXPECT_TRUE(place > 0.0 && place < cell[k]) << "atom " << i << " axis " << k;
        reference += " " + text(place / cell[k]);
      }
      reference += "\n";
    }

    if (c.formula) {
      for (const ExportBond& b : writtenBonds(rig.ctx, set)) {
        reference += "bond " + std::to_string(b.a) + " " + std::to_string(b.b) + " "
                     + text(distance(pointOf(set.atoms[b.a]), pointOf(set.atoms[b.b]))) + "\n";
      }
    }
    const std::string refPath = rig.dir.write("reference.txt", reference).string();
    const ToolResult ase = runTool("/usr/bin/python3", {ASE_CIF_SCRIPT, path, refPath});
    if (ase.exitCode == 77) {
      GTEST_SKIP() << ase.out;
    }
    EXPECT_EQ(ase.exitCode, 0) << ase.out << ase.err;
  }
}

// Read as a periodic code reads it, with the cell repeated along all three
// edges: a structure that does not repeat keeps clear of its images, and a
// tube of whole unit cells runs on into them with the bonds of its lattice.
TEST(CifOracleTest, periodicImagesBondOnlyWhereTheLatticeContinues)
{
  if (!requireTool("gemmi", "gemmi"))
    return;
  // Twelve translation periods of an armchair tube, sqrt(3) bond lengths each.
  const std::string period = text(12.0 * std::sqrt(3.0) * 1.42);
  const struct {
    const char* name;
    void (*build)(ExportRig&);
    bool closed;
    const char* period;
  } cases[] = {
      {"C70", c70, true, nullptr},
      {"capped (10,10) tube", cappedTube1010, true, nullptr},
      {"cone", cone, false, nullptr},
      {"(10,10) tube of 12 unit cells", unitCellTube1010, true, period.c_str()},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ExportRig rig;
    c.build(rig);
    const std::string path = rig.path("p.cif");
    exportCIF(rig.ctx, path);
    const std::size_t count = exportAtoms(rig.ctx, ExportUse::Cif).atoms.size();
    ASSERT_GT(count, 0u);

    const ToolResult validate = runTool("gemmi", {"validate", path});
    EXPECT_EQ(validate.exitCode, 0);
    EXPECT_EQ(validate.out + validate.err, "");
    const ToolResult rows = runTool("gemmi", {"grep", "-c", "_atom_site_label", path});
    EXPECT_EQ(rows.out, "tarvek:" + std::to_string(count) + "\n");

    std::vector<std::string> args{ASE_CIF_NEIGHBOURS_SCRIPT, path, c.closed ? "1" : "0"};
    if (c.period != nullptr)
      args.emplace_back(c.period);
    const ToolResult ase = runTool("/usr/bin/python3", args);
    if (ase.exitCode == 77) {
      GTEST_SKIP() << ase.out;
    }
    EXPECT_EQ(ase.exitCode, 0) << ase.out << ase.err;
  }
}

// What a VRML file should hold: spheres, bond cylinders and fill cylinders.
struct Expected {
  std::vector<Point> spheres;
  std::vector<std::array<Point, 2>> bonds;
  std::vector<std::array<Point, 2>> fills;
};

Expected expectedOf(const ExportRig& rig, const CXXX& scene)
{
  Expected e;
  if (rig.ctx.sceneListCount >= 2) {
    const ExportAtoms set = exportAtoms(rig.ctx, ExportUse::Pdb);
    for (const ExportAtom& a : set.atoms)
      e.spheres.push_back(pointOf(a));
    for (const ExportBond& b : sceneBonds(rig.ctx, set))
      e.bonds.push_back({pointOf(set.atoms[b.a]), pointOf(set.atoms[b.b])});
    return e;
  }
  for (const ExportAtom& a : exportAtoms(rig.ctx, ExportUse::Vrml).atoms)
    e.spheres.push_back(pointOf(a));
  const ExportAtoms all = exportAtoms(rig.ctx, ExportUse::BondTable);
  for (const ExportBond& b : writtenBonds(rig.ctx, all))
    e.bonds.push_back({pointOf(all.atoms[b.a]), pointOf(all.atoms[b.b])});
  for (std::int16_t i = 0; i < scene.getNfill(); ++i) {
    if (std::lround(scene.getFill(i, 8)) == 0) {
      e.fills.push_back({Point{scene.getFill(i, 0), scene.getFill(i, 1), scene.getFill(i, 2)},
                         Point{scene.getFill(i, 3), scene.getFill(i, 4), scene.getFill(i, 5)}});
    }
  }
  return e;
}

bool endsMatch(const std::array<Point, 2>& got, const std::array<Point, 2>& want, double bound)
{
  return (distance(got[0], want[0]) <= bound && distance(got[1], want[1]) <= bound)
         || (distance(got[0], want[1]) <= bound && distance(got[1], want[0]) <= bound);
}

void checkWithCoin(const std::string& path, const Expected& e)
{
  const ToolResult r = runTool(VRML_COIN_CHECK, {path});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  std::vector<Point> spheres;
  std::vector<std::array<Point, 2>> cylinders;
  std::istringstream in(r.out);
  std::string line;
  while (std::getline(in, line)) {
    const auto f = splitSpaces(line);
    const auto at = [&](std::size_t i) { return Val(f.at(i)); };
    if (f.at(0) == "sphere")
      spheres.push_back({at(1), at(2), at(3)});
    else
      cylinders.push_back({Point{at(1), at(2), at(3)}, Point{at(4), at(5), at(6)}});
  }
  ASSERT_EQ(spheres.size(), e.spheres.size());
  ASSERT_EQ(cylinders.size(), e.bonds.size() + e.fills.size());
  for (std::size_t i = 0; i < spheres.size(); ++i)
    EXPECT_LE(distance(spheres[i], e.spheres[i]), 1e-4) << "sphere " << i;
  for (std::size_t i = 0; i < e.bonds.size(); ++i)
    EXPECT_TRUE(endsMatch(cylinders[i], e.bonds[i], 1e-3)) << "bond cylinder " << i;
  for (std::size_t i = 0; i < e.fills.size(); ++i)
    EXPECT_TRUE(endsMatch(cylinders[e.bonds.size() + i], e.fills[i], 5e-3)) << "fill " << i;
}

void checkWithConverter(const std::string& path, const Expected& e)
{
  const ToolResult r = runTool("tovrmlx3d", {path, "--encoding", "xml"});
  // The converter always warns that it keeps VRML 1.0 nodes as they are in
  // XML; anything else on stderr is a complaint about the file.
  std::string err = r.err;
  const std::string keptNodes =
      "tovrmlx3d: Warning: VRML/X3D: Converting VRML 1.0 or Inventor to X3D is not implemented. "
      "You will get VRML 1.0/Inventor nodes encoded like for X3D, which probably is not much "
      "useful.\n";
  if (const auto at = err.find(keptNodes); at != std::string::npos)
    err.erase(at, keptNodes.size());
  EXPECT_EQ(err, "");
  std::size_t spheres = 0;
  std::size_t cylinders = 0;
  for (std::size_t at = r.out.find("<Sphere"); at != std::string::npos; at = r.out.find("<Sphere", at + 1))
    ++spheres;
  for (std::size_t at = r.out.find("<Cylinder"); at != std::string::npos;
       at = r.out.find("<Cylinder", at + 1))
    ++cylinders;
  EXPECT_EQ(spheres, e.spheres.size());
  EXPECT_EQ(cylinders, e.bonds.size() + e.fills.size());
}

bool vrmlTools()
{
#ifdef VRML_COIN_CHECK
  const bool coin = requireTool(VRML_COIN_CHECK, "libcoin-dev");
#else
  // Built only when CMake finds Coin.
  const bool coin = requireTool("vrml_coin_check", "libcoin-dev");
#endif
  return coin && requireTool("tovrmlx3d", "view3dscene");
}

TEST(VrmlOracleTest, coinAndTheConverterReadEverySphereAndCylinder)
{
  if (!vrmlTools())
    return;
#ifdef VRML_COIN_CHECK
  for (const VrmlVersion version : {VrmlVersion::Vrml2, VrmlVersion::Vrml1}) {
    for (const char* name : {"C60", "two walls", "tube with cylinder"}) {
      SCOPED_TRACE(std::string(name) + (version == VrmlVersion::Vrml1 ? ", VRML 1.0" : ", VRML 2.0"));
      ExportRig rig;
      const std::string which = name;
      if (which == "tube with cylinder")
        tube(rig);
      else
        c60(rig.model);
      rig.model.covalentRadius[6] = 0.77f;
      std::optional<SceneWalls> walls;
      std::optional<ExportScene> single;
      if (which == "two walls") {
        walls.emplace(rig);
      } else {
        single.emplace(rig);
        single->display.insertFlag = which == "tube with cylinder";
        single->scene.setAtomData();
      }
      const ExportScene& scene = walls ? static_cast<const ExportScene&>(*walls) : *single;
      const std::string path = rig.path("f.wrl");
      exportVRML(rig.ctx, scene.vrml(), path, version);
      const Expected e = expectedOf(rig, scene.scene);
      if (which == "C60") {
        ASSERT_EQ(e.spheres.size(), 60u);
        ASSERT_EQ(e.bonds.size(), 90u);
      }
      if (which == "tube with cylinder") {
        ASSERT_EQ(e.fills.size(), 1u);
      }
      checkWithCoin(path, e);
      checkWithConverter(path, e);
    }
  }
#endif
}

// Coin is strict: VRML 1.0 has no Background node.
TEST(VrmlOracleTest, coinRefusesABackgroundInVrml1)
{
  if (!vrmlTools())
    return;
#ifdef VRML_COIN_CHECK
  const ToolResult r = runTool(
      VRML_COIN_CHECK, {std::string(TARVEK_TEST_SOURCE_DIR) + "/fixtures/formats/vrml1_with_background.wrl"});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_NE(r.err.find("Background"), std::string::npos) << r.err;
#endif
}

} // namespace
} // namespace tarvek::test
