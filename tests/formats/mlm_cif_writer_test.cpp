// MLM and CIF writers: field layouts, scene lists and the boxes they write.
#include "scene_walls.h"

#include "formats/structure_writers.h"
#include "runtime/number_parse.h"
#include "runtime/runtime_error.h"
#include "runtime/split.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <limits>

namespace tarvek::test {
namespace {

TEST(MlmWriterTest, numberFieldsLineUpSignedAndUnsignedValues)
{
  const std::pair<float, const char*> cases[] = {
      {1.5f, " 1.50000  "},       {-1.5f, "-1.50000  "},      {0.0f, " 0.00000  "},
      {12.345678f, " 12.34568 "}, {-999.99f, "-999.98999"},  {999.99999f, " 1000.0000"},
      {-0.000001f, " 0.00000  "},
  };
  for (const auto& [value, text] : cases)
    EXPECT_EQ(formatMLMNumber(value, 10), text) << value;
  EXPECT_EQ(formatMLMNumber(2.0f, 4), " 2.0");
  EXPECT_EQ(formatMLMNumber(2.0f, 12), " 2.00000    ");
}

// A coordinate keeps as many of its five decimals as its field holds, and a
// blank before a negative neighbour.
TEST(MlmWriterTest, largeCoordinatesGiveUpDecimalsNotTheirValue)
{
  const struct {
    float x, y, z;
    const char* fields;
  } cases[] = {
      {0.0f, 0.0f, 1500.0f, " 0.00000   0.00000   1500.0000"},
      {150.0f, -3.0f, 0.0f, " 150.0000 -3.00000   0.00000  "},
      {-12345.678f, 99999.5f, -1.0f, "-12345.678 99999.50 -1.00000  "},
      // Rounded once from the float (1000.1234741…), not from its shortest
      // text 1000.1235.
      {1000.12346f, -1.0f, 0.0f, " 1000.123 -1.00000   0.00000  "},
      {-2.0f, 0.0f, 0.0f, "-2.00000   0.00000   0.00000  "},
      {9999.99995f, 0.0f, 0.0f, " 10000.000 0.00000   0.00000  "},
      // The largest float within the stated range fits even before a minus.
      {99999992.0f, -99999992.0f, 0.0f, " 99999992 -99999992  0.00000  "},
  };
  for (const auto& c : cases) {
    ExportRig rig;
    rig.addAtom(c.x, c.y, c.z);
    const std::string path = rig.path("m.mlm");
    exportMLM(rig.ctx, path);
    EXPECT_EQ(fileLines(path).at(8).substr(10, 30), c.fields) << c.x << " " << c.y << " " << c.z;
  }
}

// Whatever its neighbours, a coordinate past the range the message names is
// refused and one within it is written.
TEST(MlmWriterTest, coordinatesPastTheStatedRangeAreRefused)
{
  const float refused[][3] = {
      {1.0e8f, 0.0f, 0.0f},        {0.0f, 0.0f, -1.0e8f},
      {123456789.0f, 0.0f, 0.0f},  {0.0f, std::numeric_limits<float>::quiet_NaN(), 0.0f},
      {0.0f, 0.0f, std::numeric_limits<float>::infinity()},
  };
  for (const auto& c : refused) {
    ExportRig rig;
    rig.addAtom(c[0], c[1], c[2]);
    const std::string path = rig.path("m.mlm");
    try {
      exportMLM(rig.ctx, path);
      ADD_FAILURE() << "written: " << c[0] << " " << c[1] << " " << c[2];
    } catch (const RuntimeError& e) {
      EXPECT_STREQ(e.what(), "MLM-File only supports coordinates from -99999999 to 99999999");
    }
  }
}

TEST(MlmWriterTest, rowsAndCountsOfTheTables)
{
  ExportRig rig;
  rig.addAtom(1.5f, -1.5f, 0.0f);
  for (int i = 1; i < 42; ++i)
    rig.addAtom(float(i), 0.0f, 0.0f);
  rig.addBond(0, 1);
  const std::string path = rig.path("a.mlm");
  exportMLM(rig.ctx, path);
  const auto lines = fileLines(path);
  EXPECT_EQ(lines[3], "@Model  a.mlm");
  EXPECT_EQ(lines[5], "@Table Atoms  42 ");
  EXPECT_EQ(lines[8], "0    C     1.50000  -1.50000   0.00000    0.0000 C_nano 0   -   -    -      -        -");
  EXPECT_EQ(lines[8 + 42 + 1], "@Table Bonds  1 ");
  EXPECT_EQ(lines[8 + 42 + 4], "   0    1    a  -        -");
  EXPECT_EQ(rig.prompts.waitCount, 1);
  EXPECT_EQ(rig.prompts.waitDepth, 0);
  // A name with control characters stays on the model's line.
  const std::string broken = rig.path("a\r\n@End\n.mlm");
  exportMLM(rig.ctx, broken);
  EXPECT_EQ(fileLines(broken)[3], "@Model  a  @End .mlm");

  ExportRig gan;
  gan.model.materialIndex = 2;
  gan.ctx.atomTypeLabel1 = "Ga";
  gan.ctx.atomTypeLabel2 = "N";
  gan.addAtom(0.0f, 0.0f, 0.0f, 2);
  gan.addAtom(-0.25f, 2.0f, 12.345678f, 1);
  exportMLM(gan.ctx, path);
  EXPECT_EQ(fileLines(path)[9],
            "1    Ga   -0.25000   2.00000   12.34568   0.0000 Ganano 0   -   -    -      -        -");
  gan.model.materialIndex = 1;
  exportMLM(gan.ctx, path);
  EXPECT_NE(fileLines(path)[9].find(" Ga_nano "), std::string::npos);
}

TEST(MlmWriterTest, theLastIdOfFourDigitsIs9999)
{
  for (const std::int16_t kind : {1, 8}) {
    ExportRig rig;
    rig.model.structureKind = kind;
    for (int i = 0; i < 10000; ++i)
      rig.addAtom(float(i % 100), float(i / 100), 0.0f);
    const std::string path = rig.path("big.mlm");
    exportMLM(rig.ctx, path);
    const auto lines = fileLines(path);
    EXPECT_EQ(lines[5], kind == 8 ? "@Table Atoms  9988 " : "@Table Atoms  10000 ");
    EXPECT_EQ(lines[8 + (kind == 8 ? 9987 : 9999)].substr(0, 10), "9999 C    ");
  }
}

// Two walls of C60: every atom of both lists, IDs running on, and every bond
// of both walls matched to them.
TEST(MlmWriterTest, twoSceneListsGiveAllRowsAndBonds)
{
  ExportRig rig;
  c60(rig.model);
  rig.model.covalentRadius[6] = 0.77f;
  const SceneWalls walls(rig);
  const std::string path = rig.path("walls.mlm");
  exportMLM(rig.ctx, path);
  const auto lines = fileLines(path);
  EXPECT_EQ(lines[5], "@Table Atoms  120 ");
  for (int i = 0; i < 120; ++i)
    EXPECT_EQ(lines[8 + i].substr(0, 5), (std::to_string(i) + "    ").substr(0, 5));
  EXPECT_EQ(lines[8 + 120], "");
  EXPECT_EQ(lines[8 + 121], "@Table Bonds  180 ");
  std::size_t bonds = 0;
  for (std::size_t i = 8 + 124; i < lines.size() && !lines[i].empty(); ++i) {
    const int a = std::stoi(lines[i].substr(0, 4));
    const int b = std::stoi(lines[i].substr(4, 5));
    EXPECT_EQ(a / 60, b / 60) << lines[i];
    ++bonds;
  }
  EXPECT_EQ(bonds, 180u);
  EXPECT_EQ(lines.back(), "@End");
}

// The cell is the padded box; where the padding is less than 1.7 Å (half
// the layer spacing of graphite) 1.7 Å takes its place, and along z the
// margin is at least those of x and y, so no atom comes near an image of
// another. The fractions carry the decimals that keep an atom within
// 0.0005 Å on their edge; each row has its own label.
TEST(CifWriterTest, cellAndRowsOfTheBox)
{
  const struct {
    const char* name;
    std::array<float, 3> padding;
    std::array<float, 3> second;
    const char* edges[3];
    const char* rows[2];
  } cases[] = {
      {"default padding", {5.0f, 5.0f, 0.0f}, {1.42f, 0.0f, 0.0f}, {"11.42", "10.0", "10.0"},
       {"  C1    0.43783   0.50000   0.50000", "  C2    0.56217   0.50000   0.50000"}},
      {"edges of 12 and 12.34567 A", {2.0f, 2.0f, 0.0f}, {8.0f, 8.34567f, 0.0f},
       {"12.0", "12.3457", "4.0"},
       {"  C1    0.16667   0.16200   0.5000", "  C2    0.83333   0.83800   0.5000"}},
      {"1000 A and a negative padding", {0.5f, -2.0f, 0.0f}, {998.58f, 1.0f, 0.0f},
       {"1001.98", "4.4", "3.4"},
       {"  C1    0.0016966   0.3864   0.5000", "  C2    0.9983034   0.6136   0.5000"}},
      {"z margin of the wider of x and y", {2.0f, 6.0f, 0.0f}, {1.42f, 0.0f, 1.0f},
       {"5.42", "12.0", "13.0"},
       {"  C1    0.3690   0.50000   0.46154", "  C2    0.6310   0.50000   0.53846"}},
      {"z padding above x and y", {0.0f, 0.0f, 3.0f}, {1.42f, 0.0f, 0.0f},
       {"4.82", "3.4", "6.0"},
       {"  C1    0.3527   0.5000   0.5000", "  C2    0.6473   0.5000   0.5000"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ExportRig rig;
    rig.ctx.cifPadding = c.padding;
    rig.addAtom(0.0f, 0.0f, 0.0f);
    rig.addAtom(c.second[0], c.second[1], c.second[2]);
    const std::string path = rig.path("a.cif");
    exportCIF(rig.ctx, path);
    const auto lines = fileLines(path);
    ASSERT_EQ(lines.size(), 29u);
    EXPECT_EQ(lines[2], "###                         tarvek CIF File Export                         ###");
    for (std::size_t k = 0; k < 3; ++k)
      EXPECT_EQ(lines[12 + k], std::string("_cell_length_") + char('a' + k)
                                   + "                    " + c.edges[k]);
    EXPECT_EQ(lines[26], c.rows[0]);
    EXPECT_EQ(lines[27], c.rows[1]);
    EXPECT_EQ(lines[28], "");
  }
}

TEST(CifWriterTest, twoSceneListsGiveEveryAtomInsideTheirBox)
{
  ExportRig rig;
  c60(rig.model);
  rig.model.covalentRadius[6] = 0.77f;
  const SceneWalls walls(rig);
  const std::string path = rig.path("walls.cif");
  exportCIF(rig.ctx, path);
  const auto lines = fileLines(path);
  // The walls reach z = 10 Å plus the cage: the cell's c is read from them.
  const auto c = std::find_if(lines.begin(), lines.end(), [](const std::string& l) {
    return l.rfind("_cell_length_c ", 0) == 0;
  });
  ASSERT_NE(c, lines.end());
  EXPECT_GT(Val(c->substr(34)), 10.0);
  const auto header = std::find(lines.begin(), lines.end(), "_atom_site_fract_z");
  ASSERT_NE(header, lines.end());
  int rows = 0;
  for (auto row = header + 1; row != lines.end() && !row->empty(); ++row) {
    const auto fields = splitSpaces(*row);
    ASSERT_EQ(fields.size(), 4u) << *row;
    for (std::size_t k = 1; k < 4; ++k) {
      const double f = Val(fields[k]);
      EXPECT_TRUE(f > 0.0 && f < 1.0) << *row;
    }
    ++rows;
  }
  EXPECT_EQ(rows, 120);
}

} // namespace
} // namespace tarvek::test
