#include "scene/scene_rig.h"

#include "model/colour_helpers.h"
#include "scene/scene_files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <filesystem>
#include <fstream>

namespace tarvek {
namespace {

using test::fieldsOf;
using test::SceneRig;
using V3 = std::array<float, 3>;

std::uint32_t rgbOf(const SphereRecord& s) { return packColor(s.rgba[0], s.rgba[1], s.rgba[2]); }
std::uint32_t rgbOf(const std::array<std::uint8_t, 3>& c) { return packColor(c[0], c[1], c[2]); }

std::uint32_t hsb(std::int16_t hue)
{
  const RGBParts p = HSBtoRGB(hue, 239, 160);
  return packColor(static_cast<std::uint32_t>(p.red), static_cast<std::uint32_t>(p.green),
                   static_cast<std::uint32_t>(p.blue));
}

std::uintmax_t sizeOf(const std::string& path)
{
  std::error_code ec;
  const auto size = std::filesystem::file_size(path, ec);
  return ec ? static_cast<std::uintmax_t>(-1) : size;
}

// Everything a failed operation must leave alone.
struct SceneState {
  std::size_t lists;
  std::uintmax_t atomFile, bondFile;
  std::int32_t atoms, bonds;
  std::vector<float> fill;
  bool operator==(const SceneState&) const = default;
};

SceneState stateOf(const SceneRig& rig)
{
  SceneState s{rig.scene.lists().size(), sizeOf(rig.atomPath), sizeOf(rig.bondPath),
               rig.scene.drawnAtomCount, rig.scene.drawnBondCount, {}};
  for (int i = 0; i <= 20; ++i) {
    for (int j = 0; j <= 8; ++j)
      s.fill.push_back(rig.scene.getFill(i, j));
  }
  s.fill.push_back(rig.scene.getNfill());
  return s;
}

// A ring of n carbon atoms at height z, bonded around.
void addRing(SceneRig& rig, int n, float z)
{
  const std::int32_t first = rig.model.atomCount;
  for (int i = 0; i < n; ++i)
    rig.addAtom(static_cast<float>(std::cos(2 * std::numbers::pi * i / n)), static_cast<float>(std::sin(2 * std::numbers::pi * i / n)), z);
  for (int i = 0; i < n; ++i)
    rig.addBond(first + i, first + (i + 1) % n);
}

TEST(SceneCompileTest, sphereDetailFollowsTheAtomSetCount)
{
  struct Case {
    std::int16_t kind;
    std::int32_t atoms;
    std::int16_t detail;
  };
  for (const Case c : {Case{1, 4000, 16}, Case{1, 4001, 8}, Case{1, 10000, 8}, Case{1, 10001, 4},
                       Case{2, 20000, 4}}) {
    SceneRig rig;
    rig.model.structureKind = c.kind;
    for (int i = 0; i < c.atoms; ++i)
      rig.addAtom(0, 0, static_cast<float>(i));
    for (int i = 0; i < 10; ++i)
      rig.addSheetAtom(static_cast<float>(i), 0, 0);
    rig.scene.setAtomData();
    const SceneRecord& r = rig.record(0);
    ASSERT_FALSE(r.spheres.empty()) << c.atoms;
    EXPECT_EQ(r.spheres.front().slices, c.detail) << "kind " << c.kind << ", " << c.atoms << " atoms";
    EXPECT_EQ(r.spheres.front().stacks, c.detail) << "kind " << c.kind << ", " << c.atoms << " atoms";
    EXPECT_EQ(rig.scene.drawnAtomCount, c.kind == 2 ? 10 : c.atoms);
  }
}

TEST(SceneCompileTest, whichAtomsAreDrawnWrittenAndCounted)
{
  // Virus cage: the icosahedron's corners are skipped, bonds to them drawn.
  SceneRig cage;
  cage.model.structureKind = 8;
  for (int i = 0; i < 14; ++i)
    cage.addAtom(static_cast<float>(i), 0, 0);
  cage.addBond(0, 12);
  cage.setData();
  EXPECT_EQ(cage.record(0).spheres.size(), 2u);
  ASSERT_EQ(cage.atomLines().size(), 2u);
  EXPECT_EQ(fieldsOf(cage.atomLines()[0])[4], 12);
  EXPECT_EQ(cage.record(1).cylinders.size(), 1u);
  EXPECT_EQ(cage.scene.drawnAtomCount, 2);

  // An unknown kind draws no atoms but still takes a list and the file.
  SceneRig none;
  none.model.structureKind = 0;
  none.addAtom(1, 1, 1);
  none.scene.setAtomData();
  EXPECT_EQ(none.scene.lists().size(), 1u);
  EXPECT_TRUE(std::filesystem::exists(none.atomPath));
  EXPECT_EQ(sizeOf(none.atomPath), 0u);
  EXPECT_EQ(none.scene.drawnAtomCount, 0);

  // Type 0: no sphere in the atom set, but written and counted; sheet atoms
  // are drawn whatever their type.
  SceneRig typeless;
  typeless.addAtom(0, 0, 0, 0);
  typeless.addSheetAtom(0, 0, 0, 0);
  typeless.scene.setAtomData();
  EXPECT_TRUE(typeless.record(0).spheres.empty());
  EXPECT_EQ(typeless.atomLines().size(), 1u);
  EXPECT_EQ(typeless.scene.drawnAtomCount, 1);
  typeless.model.structureKind = 2;
  typeless.scene.setAtomData();
  EXPECT_EQ(typeless.record(1).spheres.size(), 1u);
}

TEST(SceneCompileTest, placementMovesAtomSetNotSheet)
{
  SceneRig rig;
  rig.addAtom(0, 0, 0);
  rig.addAtom(2, 4, 6);
  rig.addBond(0, 1);
  rig.model.placementX = 2;
  rig.model.placementY = -1;
  rig.model.placementZ = 5;
  rig.setData();
  // The box comes from the arrays without placement: centre (1, 2, 3).
  EXPECT_EQ(rig.scene.getBox(0), 1.0f);
  EXPECT_EQ(rig.scene.getBox(2), 3.0f);
  EXPECT_EQ(rig.record(0).spheres[1].centre, (V3{3, 1, 8}));
  EXPECT_EQ(fieldsOf(rig.atomLines()[1]), (std::vector<double>{4, 3, 11, 3, 1, 12698049}));
  EXPECT_EQ(rig.record(1).cylinders.at(0).origin, (V3{1, -3, 2}));
  EXPECT_EQ(fieldsOf(rig.bondLines()[0]), (std::vector<double>{2, -1, 5, 4, 3, 11, 16777215}));

  SceneRig sheet;
  sheet.model.structureKind = 2;
  sheet.model.placementX = 2;
  sheet.addSheetAtom(0, 0, 0);
  sheet.addSheetAtom(2, 4, 6);
  sheet.scene.setAtomData();
  EXPECT_EQ(sheet.record(0).spheres[1].centre, (V3{1, 2, 3}));
  EXPECT_EQ(fieldsOf(sheet.atomLines()[1]), (std::vector<double>{2, 4, 6, 3, 1}));
}

TEST(SceneCompileTest, atomColoursAndRadii)
{
  SceneRig rig;
  Preferences& p = rig.preferences;
  p.site1Color = 0x0000FF;
  p.site2Color = 0x00FF00;
  p.carbonColor = 0xC1C1C1;
  p.bondColor = 0x123456;
  rig.model.siteElement1 = 14;
  rig.model.siteElement2 = 7;
  rig.model.covalentRadius[14] = 1.1f;
  rig.model.covalentRadius[7] = 0.7f;
  rig.display.atomRadiusScale = 0.5f;
  // Type 4 before any typed atom is black with radius 0; later it repeats
  // the atom before.
  for (const std::int16_t type : {4, 1, 9, 2, 3})
    rig.addAtom(0, 0, static_cast<float>(rig.model.atomCount), type);

  struct Expect {
    std::uint32_t colour;
    float radius;
  };
  const Expect plain[] = {{0, 0}, {0x0000FF, 0.55f}, {0x0000FF, 0.55f}, {0x00FF00, 0.35f}, {0xC1C1C1, 0.385f}};
  rig.scene.setAtomData();
  for (std::size_t i = 0; i < 5; ++i) {
    const SphereRecord& s = rig.record(0).spheres[i];
    EXPECT_EQ(rgbOf(s), plain[i].colour) << "atom " << i;
    EXPECT_EQ(s.radius, plain[i].radius) << "atom " << i;
    EXPECT_EQ(fieldsOf(rig.atomLines()[i])[5], plain[i].colour) << "atom " << i;
  }

  for (const std::int16_t variant : {1, 2}) {
    rig.model.tubeVariant = variant;
    rig.scene.setAtomData();
    const SceneRecord& r = rig.scene.lists().back().record;
    for (std::size_t i = 0; i < 5; ++i)
      EXPECT_EQ(rgbOf(r.spheres[i]), 0x123456u) << "variant " << variant << ", atom " << i;
  }
  rig.model.tubeVariant = 0;

  // Parts: types are element numbers; 0 and 130 lie outside the tables and
  // repeat the atom before.
  rig.model.partsFlag = true;
  rig.scene.setAtomColor(5, 0x445566);
  rig.scene.setAtomRadius(5, 1.5f);
  rig.scene.setAtomColor(0, 0x010203);
  rig.scene.setAtomRadius(0, 0.25f);
  rig.clearModel();
  for (const std::int16_t type : {6, 0, 130, 1})
    rig.addAtom(0, 0, static_cast<float>(rig.model.atomCount), type);
  rig.scene.setAtomData();
  const SceneRecord& parts = rig.scene.lists().back().record;
  ASSERT_EQ(parts.spheres.size(), 3u) << "type 0 is not drawn";
  EXPECT_EQ(rgbOf(parts.spheres[0]), 0x445566u);
  EXPECT_EQ(parts.spheres[0].radius, 0.75f);
  EXPECT_EQ(rgbOf(parts.spheres[1]), 0x445566u) << "type 130";
  EXPECT_EQ(parts.spheres[1].radius, 0.75f) << "type 130";
  EXPECT_EQ(rgbOf(parts.spheres[2]), 0x010203u);
  EXPECT_EQ(parts.spheres[2].radius, 0.125f);
  const auto lines = rig.atomLines();
  EXPECT_EQ(fieldsOf(lines[lines.size() - 3])[5], 0x445566) << "type 0 written with the colour before";
}

TEST(SceneCompileTest, rainbowSpansTheHeight)
{
  SceneRig rig;
  rig.display.rainbowMode = true;
  rig.preferences.optionFlags[9] = true;
  rig.model.placementZ = 100;
  for (const float z : {0.0f, 10.0f, 5.0f})
    rig.addAtom(0, 0, z);
  rig.addBond(0, 1);
  rig.setData();
  const SceneRecord& atoms = rig.record(0);
  EXPECT_EQ(rgbOf(atoms.spheres[0]), hsb(0));
  EXPECT_EQ(rgbOf(atoms.spheres[1]), hsb(239));
  EXPECT_EQ(rgbOf(atoms.spheres[2]), hsb(120)) << "119.5 rounds to even";
  // Bonds are placed, so they lie above the box: the hue stops at the top.
  EXPECT_EQ(rgbOf(rig.record(1).cylinders.at(0).rgb), hsb(239));
  EXPECT_EQ(fieldsOf(rig.bondLines()[0])[6], hsb(239));

  SceneRig flat;
  flat.display.rainbowMode = true;
  flat.addAtom(0, 0, 3);
  flat.addAtom(1, 0, 3);
  flat.scene.setAtomData();
  EXPECT_EQ(rgbOf(flat.record(0).spheres[1]), hsb(0)) << "no height extent";
}

TEST(SceneCompileTest, bondsBecomeLinesAbove2000WithTheOption)
{
  struct Case {
    int bonds;
    bool option;
    bool lines;
  };
  for (const Case c : {Case{2001, true, true}, Case{2000, true, false}, Case{2001, false, false}}) {
    SceneRig rig;
    rig.display.rainbowMode = true;
    rig.preferences.optionFlags[9] = c.option;
    rig.preferences.bondColor = 0x0A0B0C;
    for (int i = 0; i <= c.bonds; ++i)
      rig.addAtom(0, 0, static_cast<float>(i));
    for (int i = 0; i < c.bonds; ++i)
      rig.addBond(i, i + 1);
    rig.scene.setAtomData();
    rig.gl.clear();
    rig.scene.setBondData();
    const SceneRecord& r = rig.record(1);
    const auto& calls = rig.gl.calls;
    const bool culled = std::find(calls.begin(), calls.end(), "enable(CULL_FACE)") != calls.end();
    EXPECT_EQ(r.lineColors.size(), c.lines ? c.bonds : 0u) << c.bonds << " " << c.option;
    EXPECT_EQ(r.cylinders.size(), c.lines ? 0u : c.bonds) << c.bonds << " " << c.option;
    EXPECT_EQ(culled, !c.lines) << c.bonds << " " << c.option;
    EXPECT_EQ(rig.scene.drawnBondCount, c.bonds);
    // Lines are drawn in height colours but written with the bond colour.
    EXPECT_EQ(fieldsOf(rig.bondLines().back())[6], c.lines ? 0x0A0B0C : hsb(239)) << c.bonds;
    if (c.lines) {
      EXPECT_EQ(rgbOf(r.lineColors.back()), hsb(239));
    }
  }
}

// A cage's outline starts at cageBondStart, which may be the first bond (a
// cage whose own bond search found nothing); -1 means no outline.
TEST(SceneCompileTest, cageOutlineBondsStayThinCylinders)
{
  for (const bool lineMode : {false, true}) {
    for (const std::int32_t start : {5, 0, -1}) {
      SceneRig rig;
      rig.model.structureKind = 8;
      rig.model.cageBondStart = start;
      rig.model.cageColor = {200, 100, 50};
      rig.preferences.optionFlags[9] = lineMode;
      for (int i = 0; i <= 2010; ++i)
        rig.addAtom(0, 0, static_cast<float>(i));
      for (int i = 0; i < 2010; ++i)
        rig.addBond(i, i + 1);
      rig.scene.setBondData();
      const SceneRecord& r = rig.record(0);
      std::size_t thin = 0;
      for (const CylinderRecord& cyl : r.cylinders) {
        if (cyl.radius == 0.03f) {
          ++thin;
          EXPECT_EQ(rgbOf(cyl.rgb), packColor(200, 100, 50));
        }
      }
      const std::string what = std::string(lineMode ? "lines" : "cylinders") + ", start " + std::to_string(start);
      const std::size_t outline = start < 0 ? 0u : 2010u - static_cast<std::size_t>(start);
      EXPECT_EQ(thin, outline) << what;
      EXPECT_EQ(r.lineColors.size(), lineMode ? 2010u - outline : 0u) << what;
      EXPECT_EQ(fieldsOf(rig.bondLines()[2009])[6], 0xFFFFFF) << what;
    }
  }
}

TEST(SceneCompileTest, cylinderPoseAndCoincidentEnds)
{
  SceneRig rig;
  rig.addAtom(0, 0, 0);
  rig.addAtom(0, 0, 2);
  rig.addAtom(0, 0, -2);
  rig.addAtom(2, 0, 0);
  rig.addAtom(0, 0, 0);
  for (const std::int32_t b : {1, 2, 3, 4})
    rig.addBond(0, b);
  rig.scene.setBondData();
  const auto& cyl = rig.record(0).cylinders;
  ASSERT_EQ(cyl.size(), 3u) << "coincident ends draw nothing";
  EXPECT_EQ(cyl[0].angle, 0.0f);
  EXPECT_EQ(cyl[0].length, 2.0f);
  EXPECT_EQ(cyl[1].angle, -180.0f);
  EXPECT_EQ(cyl[1].axis, (V3{0, 1, 0}));
  EXPECT_EQ(cyl[2].angle, -90.0f);
  EXPECT_EQ(cyl[2].axis, (V3{0, -1, 0}));
  EXPECT_EQ(rig.bondLines().size(), 4u);
  EXPECT_EQ(rig.scene.drawnBondCount, 4);
}

TEST(SceneCompileTest, insertedFillObjects)
{
  SceneRig tube;
  tube.display.insertFlag = true;
  tube.preferences.backgroundColor = 0x654321;
  tube.model.tubeLength = 25;
  tube.model.lastTubeRadius = 3.5f;
  tube.model.placementX = 1;
  tube.model.placementY = 2;
  tube.model.placementZ = 3;
  addRing(tube, 6, 0);
  tube.setData();
  ASSERT_EQ(tube.scene.getNfill(), 1);
  const std::vector<float> expected{1, 2, 3, 1, 2, 28, 3.4f, 0x654321, 0};
  for (int j = 0; j <= 8; ++j)
    EXPECT_EQ(tube.scene.getFill(0, j), expected[static_cast<std::size_t>(j)]) << "field " << j;
  const SceneRecord& fill = tube.record(2);
  EXPECT_EQ(fill.kind, ListKind::Fill);
  ASSERT_EQ(fill.cylinders.size(), 1u);
  EXPECT_EQ(fill.cylinders[0].length, 25.0f);
  EXPECT_EQ(fieldsOf(tube.bondLines().back()), (std::vector<double>{1, 2, 3, 1, 2, 28, 0x654321, 3.4}));

  // C60 with atoms hidden: both compile calls add the ball.
  SceneRig ball;
  ball.model.structureKind = 5;
  ball.display.insertFlag = true;
  ball.display.atomsShown = false;
  addRing(ball, 5, 0);
  ball.setData();
  ASSERT_EQ(ball.scene.getNfill(), 2);
  for (int j = 0; j <= 8; ++j)
    EXPECT_EQ(ball.scene.getFill(0, j), ball.scene.getFill(1, j)) << "field " << j;
  EXPECT_EQ(ball.scene.getFill(0, 6), 3.4f);
  EXPECT_EQ(ball.record(2).balls.size(), 2u);
  EXPECT_EQ(fieldsOf(ball.bondLines().back()), (std::vector<double>{0, 0, 0, 3.4, packColor(0, 122, 185)}));
  // A second setFillData writes the table again.
  ball.scene.setFillData();
  EXPECT_EQ(ball.bondLines().size(), 5u + 4u);
}

TEST(SceneCompileTest, fillTableKeepsTwentyAndASpare)
{
  SceneRig rig;
  rig.display.insertFlag = true;
  rig.model.tubeLength = 10;
  addRing(rig, 3, 0);
  for (int i = 0; i < 21; ++i) {
    rig.model.lastTubeRadius = static_cast<float>(i + 1);
    rig.scene.setAtomData();
  }
  EXPECT_EQ(rig.scene.getNfill(), 20);
  EXPECT_EQ(rig.scene.getFill(20, 6), static_cast<float>(21 - 0.1));
  rig.scene.setFillData();
  EXPECT_EQ(rig.scene.lists().back().record.cylinders.size(), 20u) << "the spare is not drawn";

  SceneRig empty;
  empty.scene.setFillData();
  EXPECT_TRUE(empty.scene.lists().empty());
  EXPECT_FALSE(std::filesystem::exists(empty.bondPath));
}

TEST(SceneCompileTest, boxFromArraysOrFromTheAtomFile)
{
  SceneRig rig;
  rig.model.placementZ = 100;
  rig.addAtom(0, 0, 0);
  rig.addAtom(2, 2, 2);
  rig.scene.setAtomData();
  EXPECT_EQ(rig.scene.getRange(2, 1), 2.0f) << "arrays, without placement";
  rig.scene.setAtomData();
  EXPECT_EQ(rig.scene.getRange(2, 1), 2.0f) << "one list so far: still the arrays";
  rig.clearModel();
  rig.addAtom(5, 5, 5);
  rig.scene.setAtomData();
  // The third list measures the first two from the file, placement included.
  EXPECT_EQ(rig.scene.getRange(2, 0), 100.0f);
  EXPECT_EQ(rig.scene.getRange(2, 1), 102.0f);

  // Kept until the next compile: the file is not read again.
  rig.scene.computeBox();
  const float centre = rig.scene.getBox(2);
  std::filesystem::rename(rig.atomPath, rig.atomPath + ".away");
  rig.scene.computeBox();
  rig.scene.computeBox();
  EXPECT_EQ(rig.scene.getBox(2), centre);
  std::filesystem::rename(rig.atomPath + ".away", rig.atomPath);
  std::ofstream(rig.atomPath, std::ios::app) << " 0 0 500 3 0 0\r\n";
  rig.scene.setBondData();
  rig.scene.computeBox();
  EXPECT_EQ(rig.scene.getRange(2, 1), 500.0f) << "a compile makes it read again";

  rig.model.tubeVariant = 2;
  rig.scene.setAtomData();
  EXPECT_EQ(rig.scene.getRange(2, 1), 5.0f) << "bundles measure the arrays";
}

// Hand-over after hand-over the file's box takes in every earlier list, and
// a cleared scene starts from nothing, even when its file grows past the
// old size again.
TEST(SceneCompileTest, atomFileBoxFollowsEachHandOverAndStartsAgainAfterAClear)
{
  SceneRig rig;
  const auto handOver = [&rig](float z) {
    rig.clearModel();
    rig.addAtom(0, 0, z);
    rig.scene.setAtomData();
    return std::array<float, 2>{rig.scene.getRange(2, 0), rig.scene.getRange(2, 1)};
  };
  handOver(1);
  handOver(10);
  EXPECT_EQ(handOver(-3), (std::array<float, 2>{1, 10}));
  EXPECT_EQ(handOver(4), (std::array<float, 2>{-3, 10}));
  EXPECT_EQ(handOver(0), (std::array<float, 2>{-3, 10}));

  rig.scene.clearScene();
  handOver(2);
  handOver(3);
  EXPECT_EQ(handOver(5), (std::array<float, 2>{2, 3}));
  for (float z = 6; z < 12; ++z)
    handOver(z);
  EXPECT_EQ(handOver(0), (std::array<float, 2>{2, 11}));
}

TEST(SceneCompileTest, escapeStopsAfterTheCurrentAtom)
{
  for (const std::int16_t kind : {1, 2}) {
    SceneRig rig;
    rig.model.structureKind = kind;
    for (int i = 0; i < 10; ++i) {
      rig.addAtom(0, 0, static_cast<float>(i));
      rig.addSheetAtom(0, 0, static_cast<float>(i));
    }
    rig.abort.pressAfter = 4;
    rig.scene.setAtomData();
    EXPECT_EQ(rig.atomLines().size(), 4u) << "kind " << kind;
    EXPECT_EQ(rig.scene.drawnAtomCount, 4) << "kind " << kind;
    EXPECT_EQ(rig.record(0).spheres.size(), 4u) << "kind " << kind;
    EXPECT_NE(rig.scene.lists()[0].glId, 0u) << "kind " << kind;
    EXPECT_EQ(rig.abort.clears, 1);
    EXPECT_EQ(rig.abort.pumps, 1);
  }
}

TEST(SceneCompileTest, clearSceneDeletesListsAndFilesButKeepsAnEmptyAtomFile)
{
  SceneRig rig;
  rig.scene.clearScene();
  EXPECT_TRUE(rig.gl.calls.empty());

  addRing(rig, 4, 0);
  rig.setData();
  rig.scene.setAtomData();
  rig.gl.clear();
  rig.scene.clearScene();
  EXPECT_EQ(rig.gl.calls, (std::vector<std::string>{"deleteList(3)", "deleteList(2)", "deleteList(1)"}));
  EXPECT_FALSE(std::filesystem::exists(rig.atomPath));
  EXPECT_FALSE(std::filesystem::exists(rig.bondPath));
  EXPECT_EQ(rig.scene.drawnAtomCount, 0);
  EXPECT_EQ(rig.scene.getNO(), 0);

  rig.clearModel();
  rig.scene.setAtomData();
  rig.scene.clearScene();
  EXPECT_TRUE(std::filesystem::exists(rig.atomPath));
  addRing(rig, 4, 0);
  rig.scene.setAtomData();
  EXPECT_EQ(rig.atomLines().size(), 4u);
}

TEST(SceneCompileTest, listsWaitForAContextAndCompileAgainAfterALoss)
{
  SceneRig rig;
  rig.context.available = false;
  addRing(rig, 5, 0);
  for (int i = 0; i < 60; ++i) {
    rig.model.placementZ = static_cast<float>(i);
    rig.setData(true);
  }
  EXPECT_TRUE(rig.gl.calls.empty());
  EXPECT_EQ(rig.scene.lists().size(), 120u);
  EXPECT_EQ(rig.scene.getNO(), 60);

  rig.context.available = true;
  rig.scene.compilePendingLists();
  const std::vector<std::string> first = rig.gl.calls;
  for (std::size_t i = 0; i < 120; ++i)
    EXPECT_EQ(rig.scene.lists()[i].glId, i + 1) << "list " << i;
  EXPECT_EQ(std::count(first.begin(), first.end(), "endList()"), 120);

  rig.scene.dropGlLists();
  rig.gl.clear();
  rig.scene.compilePendingLists();
  EXPECT_EQ(rig.gl.calls, first);
  rig.scene.compilePendingLists();
  EXPECT_EQ(rig.gl.calls, first) << "compiled lists are not compiled twice";

  // File lines match the counts.
  rig.scene.clearScene();
  rig.display.insertFlag = true;
  rig.model.tubeLength = 5;
  rig.setData();
  rig.setData();
  EXPECT_EQ(static_cast<std::int32_t>(rig.atomLines().size()), rig.scene.drawnAtomCount);
  EXPECT_EQ(static_cast<std::int32_t>(rig.bondLines().size()), rig.scene.drawnBondCount + 1 + 2);
}

TEST(SceneCompileTest, listFrameInTheGl)
{
  SceneRig rig;
  rig.addAtom(0, 0, 0);
  rig.scene.setAtomData();
  EXPECT_EQ(rig.gl.calls, (std::vector<std::string>{"genLists() = 1", "newList(1)", "pushMatrix()",
                                                    "drawBatch(TRIANGLES,289 vertices,1536 indices)",
                                                    "popMatrix()", "enable(CULL_FACE)", "endList()"}));
}

TEST(SceneCompileTest, badInputChangesNothing)
{
  SceneRig rig;
  addRing(rig, 240, 0);
  rig.setData();
  rig.scene.setAtomData();
  auto expectError = [&](const char* what, const std::string& needle, auto&& call) {
    const SceneState before = stateOf(rig);
    try {
      call();
      ADD_FAILURE() << what << ": no error";
    } catch (const SceneError& e) {
      EXPECT_NE(std::string(e.what()).find(needle), std::string::npos) << what << ": " << e.what();
    }
    EXPECT_EQ(stateOf(rig), before) << what;
  };

  rig.model.bondAtom2[17] = 250;
  expectError("bond to a missing atom", "Bond 17", [&] { rig.scene.setBondData(); });
  rig.model.bondAtom2[17] = 18;

  // The third atom list needs the atom file.
  const std::string bytes = test::readBytes(rig.atomPath);
  std::filesystem::remove(rig.atomPath);
  expectError("atom file deleted", "tmp.xyz", [&] { rig.scene.setAtomData(); });
  std::ofstream(rig.atomPath, std::ios::binary) << bytes << "1 2\r\n";
  expectError("a 2-field line", "Line 481", [&] { rig.scene.setAtomData(); });
}

TEST(SceneCompileTest, sceneFilesInAMissingFolder)
{
  SceneRig base;
  const std::string missing = (base.dir.path() / "gone" / "tmp.xyz").string();
  test::FakeAbort abort;
  CXXX scene(base.model, base.display, base.preferences, abort, abort, base.gl, base.context, missing,
             missing);
  base.addAtom(0, 0, 0);
  base.addAtom(1, 0, 0);
  base.addBond(0, 1);
  EXPECT_THROW(scene.setAtomData(), SceneError);
  EXPECT_THROW(scene.setBondData(), SceneError);
  EXPECT_TRUE(scene.lists().empty());
  EXPECT_EQ(scene.drawnAtomCount, 0);
  EXPECT_TRUE(base.gl.calls.empty());
}

// Escape polling lets events run; one of them may try to clear the scene.
TEST(SceneCompileTest, clearSceneDuringACompileIsRefused)
{
  struct ClearingAbort : test::FakeAbort {
    CXXX* scene = nullptr;
    int refused = 0;
    bool escapePressed() override
    {
      try {
        scene->clearScene();
      } catch (const SceneError&) {
        ++refused;
      }
      return FakeAbort::escapePressed();
    }
  };
  SceneRig rig;
  ClearingAbort abort;
  CXXX scene(rig.model, rig.display, rig.preferences, abort, abort, rig.gl, rig.context, rig.atomPath,
             rig.bondPath);
  abort.scene = &scene;
  addRing(rig, 3, 0);
  scene.setAtomData();
  scene.setBondData();
  EXPECT_EQ(abort.refused, 6);
  EXPECT_EQ(scene.lists().size(), 2u);
  EXPECT_EQ(scene.drawnAtomCount, 3);
  EXPECT_EQ(test::SceneRig::lines(rig.atomPath).size(), 3u);
  scene.clearScene();
  EXPECT_TRUE(scene.lists().empty());
}

} // namespace
} // namespace tarvek
