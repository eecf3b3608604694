#include "scene/pov_rig.h"

#include "model/c60_builder.h"
#include "scene/scene_files.h"
#include "support/scratch_dir.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <filesystem>
#include <regex>

namespace tarvek {
namespace {

using test::povLineStarting;
using test::povObjects;
using test::PovRig;
using Lines = std::vector<std::string>;

// The date line follows LC_TIME; the head is compared in the C locale.
class CTimeLocale {
public:
  CTimeLocale() : m_saved(std::setlocale(LC_TIME, nullptr)) { std::setlocale(LC_TIME, "C"); }
  ~CTimeLocale() { std::setlocale(LC_TIME, m_saved.c_str()); }
  CTimeLocale(const CTimeLocale&) = delete;
  CTimeLocale& operator=(const CTimeLocale&) = delete;

private:
  std::string m_saved;
};

std::string join(const Lines& lines)
{
  std::string out;
  for (const std::string& line : lines)
    out += line + "\r\n";
  return out;
}

Lines headLines(const std::string& path, bool glass, float roughness)
{
  Lines head{"// Persistence of Vision Ray Tracer Scene Description File",
             "// File: " + path,
             "// Vers: 3.5",
             "// Desc: tarvek",
             "// Date: 12/10/26 14:03:05",
             "// Auth: tarvek, 2026",
             ""};
  if (glass)
    head.push_back("#include \"glass.inc\"");
  head.insert(head.end(), {"", "//[Global]", " global_settings { ",
                           "//assumed_gamma 1 ambient_light rgb<1,1,1>",
                           glass ? "  max_trace_level 15" : "  max_trace_level 5", " }", "",
                           "//[Material Properties - Atoms]"});
  const Lines finish = [&] {
    Lines f{"   finish {", "     diffuse 0.5", "     ambient 0.25", "     specular 0.5",
            "     reflection 0.0"};
    if (roughness != 0.0f)
      f.push_back("     roughness " + CXXX::povNumber(roughness));
    return f;
  }();
  if (glass) {
    head.insert(head.end(), {"#declare TXatom = texture { finish { F_Glass3 } }", "",
                             "//[Material Properties - Bonds]",
                             "#declare TXbond = texture { finish { F_Glass3 } }", ""});
  } else {
    head.push_back("#declare TXatom = texture {");
    head.insert(head.end(), finish.begin(), finish.end());
    head.insert(head.end(), {"   }", "}", "", "//[Material Properties - Bonds]",
                             " #declare TXbond = texture {"});
    head.insert(head.end(), finish.begin(), finish.end());
    head.insert(head.end(), {"     metallic }", "}", ""});
  }
  head.insert(head.end(), {"//[Scene Background]", "background { <1.0,1.0,1.0> }", ""});
  return head;
}

TEST(PovrayWriterTest, numbersAndColours)
{
  const std::vector<std::pair<float, std::string>> numbers{
    {1.0f, "1.0"},      {0.5f, "0.5"},     {0.005f, "0.005"}, {1.23456f, "1.235"}, {-2.0f, "-2.0"},
    {1.0005f, "1.001"}, {0.1235f, "0.124"}, {-0.0004f, "0.0"}, {-0.0f, "0.0"},     {123456.0f, "123456.0"}};
  for (const auto& [value, text] : numbers)
    EXPECT_EQ(CXXX::povNumber(value), text) << "value " << value;

  const std::vector<std::pair<std::uint32_t, std::string>> colours{
    {packColor(255, 0, 0), " <1.0,0.0,0.0> "},
    {packColor(128, 128, 128), " <0.502,0.502,0.502> "},
    {0u, " <0.0,0.0,0.0> "},
    {packColor(0, 122, 185), " <0.0,0.478,0.725> "}};
  for (const auto& [colour, text] : colours)
    EXPECT_EQ(CXXX::povColor(colour), text) << "colour " << colour;
}

TEST(PovrayWriterTest, headByteExact)
{
  const CTimeLocale cTime;
  struct Case {
    float glass;
    float roughness;
  };
  for (const Case c : {Case{0.0f, 0.005f}, Case{0.6f, 0.005f}, Case{0.0f, 0.0f}, Case{-1.0f, 0.005f}}) {
    PovRig rig;
    rig.preferences.backgroundColor = packColor(12, 34, 56);
    rig.writePov(c.glass, c.roughness);
    const std::string expected = join(headLines(rig.target, c.glass > 0.0f, c.roughness));
    const std::string bytes = test::readBytes(rig.target);
    EXPECT_EQ(bytes.substr(0, expected.size()), expected)
      << "glass " << c.glass << ", roughness " << c.roughness;
  }
}

// A folder or title holding control characters stays inside its comment
// line: nothing of it reaches a line of the scene language.
TEST(PovrayWriterTest, outsideTextStaysOnItsCommentLine)
{
  const CTimeLocale cTime;
  PovRig rig;
  std::filesystem::create_directory(rig.dir.file("a\nb"));
  const std::string target = rig.dir.file("a\nb").string() + "/s\r\n#declare X = 1;.pov";
  rig.scene.POVRAY(target, 0.5f, 0.25f, 0.5f, 0.0f, 0.005f, 0.0f, "T\x01itle\n#include \"x\"\t\x7F",
                   rig.clock);
  const Lines lines = rig.lines(target);
  ASSERT_GE(lines.size(), 4u);
  EXPECT_EQ(lines[1], "// File: " + rig.dir.file("a b").string() + "/s  #declare X = 1;.pov");
  EXPECT_EQ(lines[3], "// Desc: T itle #include \"x\"  ");
  EXPECT_EQ(lines[4], "// Date: 12/10/26 14:03:05");
}

TEST(PovrayWriterTest, arrayPathAtomsAndBonds)
{
  // Sheet set, atom set and the same pair bonded: only the gap before the
  // radius differs between the sets.
  for (const std::int16_t kind : {2, 1}) {
    PovRig rig;
    rig.model.structureKind = kind;
    rig.display.atomRadiusScale = 0.8f;
    rig.preferences.carbonColor = packColor(128, 128, 128);
    if (kind == 2) {
      rig.addSheetAtom(1.234f, 2.0f, -0.5f);
      rig.addSheetAtom(-1.234f, -2.0f, 0.5f);
    } else {
      rig.addAtom(1.234f, 2.0f, -0.5f);
      rig.addAtom(-1.234f, -2.0f, 0.5f);
    }
    rig.addBond(0, 1);
    const std::string gap = kind == 2 ? " > " : " >";
    const std::string texture = " texture { TXatom pigment { rgb  <0.502,0.502,0.502> }}}";
    const Lines expected{"//[Atoms]",
                         "sphere { <1.234, -0.5, 2.0" + gap + "0.616" + texture,
                         "sphere { <-1.234, 0.5, -2.0" + gap + "0.616" + texture,
                         "//[Bonds]",
                         "union {",
                         "cylinder { <1.234, -0.5, 2.0 >,  <-1.234, 0.5, -2.0 >  0.15 }",
                         "texture { TXbond pigment { rgb  <1.0,1.0,1.0> }}",
                         "}"};
    EXPECT_EQ(povObjects(rig.writePov()), expected) << "kind " << kind;
  }
}

TEST(PovrayWriterTest, arrayPathSectionsFollowTheSwitches)
{
  const std::string unionEnd = "texture { TXbond pigment { rgb  <1.0,1.0,1.0> }}";
  {
    PovRig rig;
    rig.addAtom(0, 0, 0);
    rig.display.atomsShown = false;
    EXPECT_EQ(povObjects(rig.writePov()), (Lines{"//[Bonds]", "union {", unionEnd, "}"}));
  }
  {
    PovRig rig;
    rig.model.structureKind = 9;
    rig.addAtom(0, 0, 0);
    rig.display.bondsShown = false;
    EXPECT_EQ(povObjects(rig.writePov()), (Lines{"//[Atoms]"}));
  }
  {
    // Types 1 and 2 take the material's elements; another type keeps the
    // previous atom's colour and radius, black and element 0 first.
    PovRig rig;
    rig.display.bondsShown = false;
    rig.display.atomRadiusScale = 1.0f;
    rig.model.siteElement1 = 5;
    rig.model.siteElement2 = 7;
    rig.model.covalentRadius[5] = 0.82f;
    rig.model.covalentRadius[7] = 0.75f;
    rig.model.covalentRadius[0] = 0.5f;
    for (const std::int16_t type : {0, 1, 9, 2, 3})
      rig.addAtom(0, 0, 0, type);
    const Lines lines = povObjects(rig.writePov());
    ASSERT_EQ(lines.size(), 6u);
    const std::vector<std::string> expected{" >0.5 texture { TXatom pigment { rgb  <0.0,0.0,0.0> }}}",
                                            " >0.82 texture { TXatom pigment { rgb  <1.0,0.0,0.0> }}}",
                                            " >0.82 texture { TXatom pigment { rgb  <1.0,0.0,0.0> }}}",
                                            " >0.75 texture { TXatom pigment { rgb  <0.0,1.0,0.0> }}}",
                                            " >0.77 texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}"};
    for (std::size_t i = 0; i < expected.size(); ++i)
      EXPECT_EQ(lines[i + 1], "sphere { <0.0, 0.0, 0.0" + expected[i]) << "atom " << i;
  }
}

TEST(PovrayWriterTest, partsTakeTheElementTables)
{
  PovRig rig;
  rig.model.partsFlag = true;
  rig.display.bondsShown = false;
  rig.display.atomRadiusScale = 1.0f;
  rig.scene.setAtomRadius(7, 1.5f);
  rig.scene.setAtomColor(7, packColor(0, 0, 255));
  for (const std::int16_t type : {8, 0, 122})
    rig.addAtom(0, 0, 0, type);
  const Lines lines = rig.writePov();
  const std::string sphere = "sphere { <0.0, 0.0, 0.0 >1.5 texture { TXatom pigment { rgb  <0.0,0.0,1.0> }}}";
  EXPECT_EQ(povObjects(lines), (Lines{"//[Atoms]", sphere, sphere, sphere}));
}

TEST(PovrayWriterTest, arrayPathFillObjects)
{
  // Tube: atoms from z 0 to 25 centre the box at z 12.5.
  PovRig tube;
  tube.display.insertFlag = true;
  tube.model.tubeLength = 25;
  tube.model.lastTubeRadius = 3.5f;
  tube.display.atomsShown = false;
  tube.addAtom(-2, -2, 0);
  tube.addAtom(2, 2, 25);
  tube.setData();
  ASSERT_EQ(tube.scene.getNO(), 1);
  ASSERT_GE(tube.scene.getNfill(), 1);
  const std::string cylinder = "cylinder { <0.0, -12.5, 0.0 >,  <0.0, 12.5, 0.0 >  3.4"
                               "texture { TXbond pigment { rgb  <0.0,0.478,0.725> }}}";
  for (const float glass : {0.0f, 0.6f})
    EXPECT_EQ(povObjects(tube.writePov(glass)).back(), cylinder) << "glass " << glass;

  PovRig ball;
  ball.model.structureKind = 5;
  ball.display.insertFlag = true;
  ball.display.bondsShown = false;
  ball.addAtom(1, 1, 1);
  ball.addAtom(3, 3, 3);
  ball.setData();
  ASSERT_GE(ball.scene.getNfill(), 1);
  EXPECT_EQ(povObjects(ball.writePov()).back(),
            "sphere { <-2.0, -2.0, -2.0 > 3.4 texture { TXatom pigment { rgb  <0.0,0.478,0.725> }}}");
  EXPECT_EQ(povObjects(ball.writePov(0.6f)).back(),
            "sphere { <-2.0, -2.0, -2.0 > 3.4 texture { TXatom pigment { rgb  <0.0,0.478,0.725>  "
            "filter 0.6 }} interior{ I_Glass caustics 1 }}");
}

TEST(PovrayWriterTest, glassOnAtomsAndTheBondUnion)
{
  PovRig rig;
  rig.addAtom(0, 0, 0);
  rig.addAtom(1.4f, 0, 0);
  rig.addBond(0, 1);
  const Lines lines = povObjects(rig.writePov(0.6f));
  ASSERT_EQ(lines.size(), 8u);
  EXPECT_EQ(lines[1], "sphere { <-0.7, 0.0, 0.0 >0.385 texture { TXatom pigment { rgb  "
                      "<0.757,0.757,0.757>  filter 0.6 }} interior{ I_Glass caustics 1 }}");
  EXPECT_EQ(lines[6], "texture { TXbond pigment { rgb  <1.0,1.0,1.0>  filter 0.6 }} interior{ I_Glass caustics 1 }");
}

// Two atom lists send the writer to the scene files; the tests then put
// the lines they need into those files.
void twoLists(PovRig& rig, const std::string& atoms, const std::string& bonds)
{
  rig.addAtom(-1, 0, 0);
  rig.addAtom(1, 0, 0);
  rig.setData();
  rig.setData();
  ASSERT_EQ(rig.scene.getNO(), 2);
  rig.dir.write("tmp.xyz", atoms);
  rig.dir.write("tmp.zyx", bonds);
}

TEST(PovrayWriterTest, bodyPathFromTheSceneFiles)
{
  const std::string atoms = "-1 0 0 3 0 255\r\n1 0 0 1 1 65280\r\n0 2 0 2 2\r\n";
  const std::string bonds = "-1 0 0 1 0 0 16777215\r\n"
                            "0 0 -1 0 0 1 255 3.4\r\n"
                            "0 0 0 3.4 65280\r\n"
                            "0.5 0.5 0.5 0.5 0.5 0.5 255\r\n";
  const std::string carbon = " texture { TXatom pigment { rgb  <0.757,0.757,0.757> }}}";
  const std::string red = " texture { TXatom pigment { rgb  <1.0,0.0,0.0> }}}";
  const std::string green = " texture { TXatom pigment { rgb  <0.0,1.0,0.0> }}}";
  const std::string cylinders[] = {
    "cylinder { <-1.0, 0.0, -1.0 >,  <1.0, 0.0, -1.0 >  0.15texture { TXbond pigment { rgb  <1.0,1.0,1.0> }}}",
    "cylinder { <0.0, -1.0, -1.0 >,  <0.0, 1.0, -1.0 >  3.4texture { TXbond pigment { rgb  <1.0,0.0,0.0> }}}"};
  const std::string ball = "sphere { <0.0, 0.0, -1.0 > 3.4" + green;

  for (const std::int16_t variant : {0, 1}) {
    PovRig rig;
    rig.model.tubeVariant = variant;
    rig.model.siteElement1 = 14;
    rig.model.siteElement2 = 7;
    rig.model.covalentRadius[14] = 1.17f;
    rig.model.covalentRadius[7] = 0.75f;
    rig.model.partsFlag = true;
    twoLists(rig, atoms, bonds);
    // The box of (-1..1, 0..2, 0) is centred at (0, 1, 0).
    const Lines expected{
      "sphere { <-1.0, 0.0, -1.0 > 0.385" + (variant == 1 ? red : carbon),
      "sphere { <1.0, 0.0, -1.0 > 0.585" + (variant == 1 ? green : red),
      "sphere { <0.0, 0.0, 1.0 > 0.375" + green,
      cylinders[0],
      cylinders[1],
      ball};
    const Lines lines = rig.writePov();
    EXPECT_EQ(povObjects(lines), expected) << "variant " << variant;
  }

  PovRig glass;
  twoLists(glass, atoms, bonds);
  const Lines lines = povObjects(glass.writePov(0.6f));
  ASSERT_EQ(lines.size(), 6u);
  EXPECT_EQ(lines[3], "cylinder { <-1.0, 0.0, -1.0 >,  <1.0, 0.0, -1.0 >  0.15texture { TXbond pigment { rgb  "
                      "<1.0,1.0,1.0>  filter 0.6 }} interior{ I_Glass caustics 1 }}");
  EXPECT_NE(lines[5].find(" filter 0.6 }} interior{ I_Glass caustics 1 }}"), std::string::npos);

  PovRig noBonds;
  noBonds.display.bondsShown = false;
  twoLists(noBonds, atoms, bonds);
  EXPECT_EQ(povObjects(noBonds.writePov()).size(), 3u);

  PovRig noAtoms;
  noAtoms.display.atomsShown = false;
  twoLists(noAtoms, atoms, bonds);
  EXPECT_EQ(povObjects(noAtoms.writePov()), (Lines{cylinders[0], cylinders[1], ball}));
}

// Long scene files are written in blocks of lines made apart: an atom's
// code passes its colour and element on to the lines after it across the
// blocks, and an error names its line wherever it lies.
TEST(PovrayWriterTest, bodyPathBlocksCarryThePickAndTheLineNumbers)
{
  constexpr int kAtoms = 20000;
  std::string atoms = "0 0 0 2 0\r\n";
  for (int i = 1; i < kAtoms; ++i)
    atoms += std::to_string(i % 97) + ",5 " + std::to_string(i % 89) + " 0 0 " + std::to_string(i) + "\r\n";
  const std::string green = " > 0.375 texture { TXatom pigment { rgb  <0.0,1.0,0.0> }}}";

  PovRig rig;
  rig.model.siteElement2 = 7;
  rig.model.covalentRadius[7] = 0.75f;
  rig.preferences.site2Color = 0x00FF00;
  twoLists(rig, atoms, "");
  const Lines spheres = povObjects(rig.writePov());
  ASSERT_EQ(spheres.size(), static_cast<std::size_t>(kAtoms));
  for (std::size_t i = 0; i < spheres.size(); ++i) {
    ASSERT_TRUE(spheres[i].ends_with(green)) << "atom " << i + 1 << ": " << spheres[i];
  }

  PovRig broken;
  std::string bad = atoms;
  std::size_t at = 0;
  for (int line = 1; line < 17000; ++line)
    at = bad.find("\r\n", at) + 2;
  bad.insert(at, "1.0 2.0\r\n");
  twoLists(broken, bad, "");
  try {
    broken.writePov();
    ADD_FAILURE() << "no error";
  } catch (const SceneError& e) {
    EXPECT_NE(std::string(e.what()).find("Line 17000 of"), std::string::npos) << e.what();
  }
}

// Without a view the camera frames a 10 Å sphere in a square picture: the
// eye distance that fits 11 Å into 22.5 degrees, or in the orthographic view
// the distance at which a 45-degree picture is 22 Å wide.
TEST(PovrayWriterTest, cameraLines)
{
  for (const bool ortho : {false, true}) {
    PovRig rig;
    rig.display.orthoProjection = ortho;
    rig.addAtom(-4, 0, 0);
    rig.addAtom(4, 0, 0);
    const Lines lines = rig.writePov();
    const auto camera = std::find(lines.begin(), lines.end(), "//[Camera Position]");
    ASSERT_NE(camera, lines.end());
    const std::string z = ortho ? "-26.556" : "-28.744";
    const Lines expected{
      "//[Camera Position]",
      "camera {",
      std::string(ortho ? "" : "//") + "  orthographic   //(un)comment to toggle perspective/orthonormal projection",
      "  location <0.0,0.0," + z + ">   //modify this value for zooming & perspective",
      "  look_at <0.0,0.0,0>",
      "  right x*1.0",
      "  angle 45.0   //modify this value for zooming",
      "}",
      "",
      "//[Light Sources]",
      "light_source { <0.0,0.0," + z + "> rgb <1.0,1.0,1.0 > area_light <-20,0,0>, <0,-20,0>, 3, 3  adaptive 1 }",
      "light_source { <60,100,-10> rgb <0.5,0.5,0.5>}",
      ""};
    EXPECT_EQ(Lines(camera, lines.end()), expected) << "ortho " << ortho;
  }
}

TEST(PovrayWriterTest, startPoseLooksAlongTheTube)
{
  // The start pose turns 90 degrees about x: the file holds (x, y, -z), so a
  // tube standing on z points at the camera.
  PovRig rig;
  rig.display.bondsShown = false;
  rig.addAtom(1, 2, -5);
  rig.addAtom(-1, -2, 5);
  rig.scene.viewMatrix().Identity();
  rig.scene.viewMatrix().ActiveAxis(3);
  rig.scene.viewMatrix().KeyDown(90);
  const Lines lines = povObjects(rig.writePov());
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[1].substr(0, 24), "sphere { <1.0, 2.0, 5.0 ");
  EXPECT_EQ(lines[2].substr(0, 27), "sphere { <-1.0, -2.0, -5.0 ");
}

TEST(PovrayWriterTest, coincidentEndsWriteNoCylinder)
{
  PovRig bond;
  bond.addAtom(1, 1, 1);
  bond.addAtom(1.0002f, 1, 1);
  bond.addBond(0, 1);
  for (const std::string& line : povObjects(bond.writePov()))
    EXPECT_NE(line.rfind("cylinder", 0), 0u) << line;

  PovRig fill;
  fill.display.insertFlag = true;
  fill.display.atomsShown = false;
  fill.model.tubeLength = 0;
  fill.model.lastTubeRadius = 3.5f;
  fill.addAtom(-2, -2, 0);
  fill.addAtom(2, 2, 5);
  fill.setData();
  ASSERT_GE(fill.scene.getNfill(), 1);
  for (const std::string& line : povObjects(fill.writePov()))
    EXPECT_NE(line.rfind("cylinder", 0), 0u) << line;

  PovRig body;
  twoLists(body, "-1 0 0 3 0 255\r\n", "0.5 0.5 0.5 0.5 0.5 0.5 255\r\n0 0 0 1 2 3 255\r\n");
  Lines cylinders;
  for (const std::string& line : povObjects(body.writePov()))
    if (line.rfind("cylinder", 0) == 0)
      cylinders.push_back(line);
  EXPECT_EQ(cylinders.size(), 1u);
}

// Runs twice: in the C locale and under the comma-decimal locale.
TEST(PovrayWriterTest, numbersUseAPointInEveryLocale)
{
  PovRig rig;
  rig.display.insertFlag = true;
  rig.model.tubeLength = 12.25f;
  rig.model.lastTubeRadius = 1.55f;
  rig.addAtom(0.5f, -1.25f, 3.125f);
  rig.addAtom(1.75f, 0.25f, -2.5f);
  rig.addBond(0, 1);
  rig.setData();
  rig.scene.viewMatrix().ActiveAxis(0);
  rig.scene.viewMatrix().KeyDown(7);
  const Lines lines = rig.writePov(0.0f, 0.005f);
  const std::regex number("-?[0-9]+([.,][0-9]+)?");
  const std::regex decimal("-?[0-9]+\\.[0-9]{1,3}");
  int checked = 0;
  for (const std::string& line : lines) {
    std::string numbers;
    if (line.rfind("sphere", 0) == 0 || line.rfind("cylinder", 0) == 0)
      numbers = line;
    else if (line.rfind("  location <", 0) == 0 || line.rfind("light_source { <0", 0) == 0)
      numbers = line.substr(line.find('<') + 1, line.find('>') - line.find('<') - 1);
    else if (line.rfind("  angle ", 0) == 0)
      numbers = line.substr(8, line.find(' ', 8) - 8);
    else
      continue;
    for (std::sregex_iterator it(numbers.begin(), numbers.end(), number), end; it != end; ++it) {
      EXPECT_TRUE(std::regex_match(it->str(), decimal)) << it->str() << " in " << line;
      ++checked;
    }
  }
  EXPECT_GT(checked, 20);
}

TEST(PovrayWriterTest, failuresLeaveTheTargetAlone)
{
  {
    PovRig rig;
    rig.addAtom(0, 0, 0);
    const std::string target = rig.dir.file("missing/scene.pov").string();
    try {
      rig.scene.POVRAY(target, 0.5f, 0.5f, 0.5f, 0.5f, 0.005f, 0.0f, "tarvek", rig.clock);
      ADD_FAILURE() << "no error";
    } catch (const SceneError& e) {
      EXPECT_NE(std::string(e.what()).find(target), std::string::npos) << e.what();
    }
    EXPECT_FALSE(std::filesystem::exists(target));
  }
  {
    PovRig rig;
    rig.addAtom(0, 0, 0);
    rig.addBond(0, 1);
    rig.dir.write("scene.pov", "earlier");
    EXPECT_THROW(rig.writePov(), SceneError);
    EXPECT_EQ(test::readBytes(rig.target), "earlier");
  }
  struct Case {
    const char* name;
    bool removeAtomFile;
    std::string atoms;
  };
  for (const Case& c : {Case{"atom file deleted", true, ""}, Case{"two-field line", false, "1.0 2.0\r\n"}}) {
    PovRig rig;
    twoLists(rig, "-1 0 0 3 0 255\r\n", "");
    rig.dir.write("scene.pov", "earlier");
    if (c.removeAtomFile)
      std::filesystem::remove(rig.atomPath);
    else
      rig.dir.write("tmp.xyz", c.atoms);
    try {
      rig.writePov();
      ADD_FAILURE() << c.name << ": no error";
    } catch (const SceneError& e) {
      EXPECT_NE(std::string(e.what()).find(rig.atomPath), std::string::npos) << c.name << ": " << e.what();
    }
    EXPECT_EQ(test::readBytes(rig.target), "earlier") << c.name;
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(rig.dir.path()),
                            std::filesystem::directory_iterator()),
              c.removeAtomFile ? 2 : 3)
      << c.name << ": a temporary file is left";
  }
}

} // namespace
} // namespace tarvek
