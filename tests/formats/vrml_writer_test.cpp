// VRML writers: geometry helpers, colours and the scene-file path.
#include "scene_walls.h"

#include "formats/structure_writers.h"

#include <gtest/gtest.h>

#include <cmath>

namespace tarvek::test {
namespace {

const VrmlVersion versions[] = {VrmlVersion::Vrml2, VrmlVersion::Vrml1};

std::size_t countOf(const std::string& text, const std::string& part)
{
  std::size_t n = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
    ++n;
  return n;
}

TEST(VrmlGeometryTest, coloursVectorsAndRotations)
{
  EXPECT_EQ(colorToRGBString(packColor(193, 193, 193)), "0.76 0.76 0.76");
  EXPECT_EQ(colorToRGBString(packColor(255, 0, 0)), "1.0 0.0 0.0");
  EXPECT_EQ(colorToRGBString(packColor(0, 122, 185)), "0.0 0.48 0.73");

  std::array<float, 3> v{3.0f, 0.0f, -4.0f};
  normalizeVector(v);
  EXPECT_EQ(v, (std::array<float, 3>{0.6f, 0.0f, -0.8f}));
  std::array<float, 3> zero{0.0f, -0.0f, 0.0f};
  normalizeVector(zero);
  EXPECT_FALSE(std::signbit(zero[1]));

  // d = p1 - p2 of a bond from the origin up the z axis.
  std::array<float, 3> d{0.0f, 0.0f, -1.42f};
  std::array<float, 3> y{0.0f, 2.0f, 0.0f};
  std::array<float, 3> axis{};
  bondRotationAxis(d, y, axis);
  EXPECT_EQ(d, (std::array<float, 3>{0.0f, 0.0f, -1.0f}));
  EXPECT_EQ(y, (std::array<float, 3>{0.0f, 1.0f, 0.0f}));
  EXPECT_EQ(axis, (std::array<float, 3>{1.0f, 0.0f, 0.0f}));
  EXPECT_FLOAT_EQ(bondRotationAngle(d, y), 1.5707964f);

  std::array<float, 3> down{0.0f, -3.0f, 0.0f};
  std::array<float, 3> up{0.0f, 1.0f, 0.0f};
  EXPECT_FLOAT_EQ(bondRotationAngle(down, up), 3.1415927f);
  bondRotationAxis(down, up, axis);
  EXPECT_EQ(axis, (std::array<float, 3>{0.0f, 0.0f, 0.0f}));
}

// Imported parts take the scene's element colours and radii; an atom whose
// type names no colour keeps the one before it.
TEST(VrmlWriterTest, elementColoursOfAnImportedPart)
{
  ExportRig rig;
  ExportScene scene(rig);
  rig.model.partsFlag = true;
  scene.scene.setAtomColor(16, packColor(0, 255, 0));
  scene.scene.setAtomRadius(16, 2.0f);
  rig.addAtom(0.0f, 0.0f, 0.0f, 17);
  rig.addAtom(1.0f, 0.0f, 0.0f, 500);
  scene.display.bondsShown = false;
  const std::string path = rig.path("part.wrl");
  exportVRML(rig.ctx, scene.vrml(), path, VrmlVersion::Vrml2);
  const std::string text = readBytes(path);
  EXPECT_EQ(countOf(text, "Sphere { radius 1.0 }"), 2u) << text;
  EXPECT_EQ(countOf(text, "diffuseColor 0.0 1.0 0.0  specularColor"), 2u) << text;
}

// Two walls of C60 in both dialects: every sphere and cylinder from the
// scene files, spheres in the wall colour of their lines.
TEST(VrmlWriterTest, twoSceneListsGiveEverySphereAndCylinder)
{
  for (const VrmlVersion version : versions) {
    ExportRig rig;
    c60(rig.model);
    rig.model.covalentRadius[6] = 0.77f;
    rig.model.tubeVariant = 1;
    SceneWalls walls(rig);
    walls.preferences.carbonColor = packColor(255, 0, 0);
    const std::string path = rig.path("walls.wrl");
    exportVRML(rig.ctx, walls.vrml(), path, version);
    const std::string text = readBytes(path);
    SCOPED_TRACE(int(version));
    EXPECT_EQ(countOf(text, "Sphere {"), 120u);
    EXPECT_EQ(countOf(text, "Cylinder {"), 180u);
    // The wall colour of the lines is the bond colour, white.
    EXPECT_EQ(countOf(text, "diffuseColor 1.0 1.0 1.0  specularColor"), 120u);
    EXPECT_EQ(countOf(text, "radius 0.385"), 120u);
  }
}

// From the scene bond file a bond along -y keeps its half turn, and a fill
// ball and fill cylinder come out as a sphere and a cylinder with both caps.
TEST(VrmlWriterTest, sceneBondLinesKeepTheirTurn)
{
  ExportRig rig;
  ExportScene scene(rig);
  rig.ctx.sceneListCount = 2;
  rig.dir.write("tmp.xyz", " 0 -1.42  0  3  0  255 \r\n 0  0  0  3  1  255 \r\n");
  rig.dir.write("tmp.zyx", " 0 -1.42  0  0  0  0  65280 \r\n"
                           " 0  0  0  0  0  4  255  2.5 \r\n"
                           " 0  0  0  3.4  16711680 \r\n");
  const std::string path = rig.path("scene.wrl");
  exportVRML(rig.ctx, scene.vrml(), path, VrmlVersion::Vrml2);
  const auto lines = fileLines(path);
  ASSERT_EQ(lines.size(), 4u + 3u * 5u);
  EXPECT_EQ(lines[10], "Transform { translation 0.0 -0.71 0.0  rotation 0.0 0.0 0.0 -3.1416 ");
  EXPECT_EQ(lines[12], "appearance Appearance { material Material { diffuseColor 0.0 1.0 0.0 "
                       "specularColor 1 1 1 shininess 1 } } } ] }");
  EXPECT_EQ(lines[14], "children [ Shape{ geometry Cylinder {  height 4.0 radius 2.5 }");
  EXPECT_EQ(lines[16], "Transform { translation 0.0 0.0 0.0");
  EXPECT_EQ(lines[17], "children [ Shape{ geometry Sphere { radius 3.4 }");

  exportVRML(rig.ctx, scene.vrml(), path, VrmlVersion::Vrml1);
  const auto v1 = fileLines(path);
  ASSERT_EQ(v1.size(), 1u + 2u * 2u + 3u * 2u + 2u);
  EXPECT_EQ(v1[5], "Material {diffuseColor 0.0 1.0 0.0 specularColor 1 1 1 shininess 1 }");
  EXPECT_EQ(v1[6], "Separator{ Transform { translation 0.0 -0.71 0.0  rotation 0.0 0.0 0.0 -3.1416  }");
  EXPECT_EQ(v1[11], "Separator { Material { diffuseColor 0.0 0.0 1.0  specularColor 1 1 1 shininess 1 } ");
}

} // namespace
} // namespace tarvek::test
