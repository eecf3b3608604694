#include "shell/coordinate_rows.h"

#include "runtime/runtime_error.h"
#include "scene/scene_files.h"
#include "support/model_filler.h"
#include "support/scratch_dir.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace tarvek {
namespace {

using test::readBytes;
using test::ScratchDir;

// Row number, label and x text of every row.
std::vector<std::string> summary(const XyzRows& rows)
{
  std::vector<std::string> out;
  for (std::size_t r = 0; r < rows.size(); ++r)
    out.push_back(rows.text(r, 0) + " " + rows.label(r) + " " + rows.text(r, 1));
  return out;
}

struct RowsRig : test::ModelFiller {
  RowsRig()
  {
    model.structureKind = 1;
    model.elementSymbols[0] = "H";
    model.elementSymbols[16] = "Cl";
  }
  XyzRows rows(std::int32_t lists = 1, bool import = false, std::string file = {})
  {
    return buildXyzRows({model, "B", "N", lists, import, std::move(file)});
  }
};

// Kinds pick the set; typeless atoms leave gaps in the atom set's numbers
// but stay in a sheet; a virus cage starts at atom 12 and numbers afresh.
TEST(CoordinateRowsTest, modelRowsFollowTheKind)
{
  const struct {
    std::int16_t kind;
    std::vector<std::string> expected;
  } cases[] = {
      {1, {"1 B 1.0000", "3 C 3.0000", "4 N 4.0000"}},
      {3, {"1 B 1.0000", "3 C 3.0000", "4 N 4.0000"}},
      {7, {"1 B 1.0000", "3 C 3.0000", "4 N 4.0000"}},
      {2, {"1 C -1.0000", "2  -2.0000"}},
      {4, {"1 C -1.0000", "2  -2.0000"}},
      {0, {}},
      {9, {}},
  };
  for (const auto& c : cases) {
    RowsRig rig;
    rig.model.structureKind = c.kind;
    rig.addAtom(1, 0, 0, 1);
    rig.addAtom(2, 0, 0, 0);
    rig.addAtom(3, 0, 0, 3);
    rig.addAtom(4, 0, 0, 2);
    rig.addSheetAtom(-1, 0, 0, 3);
    rig.addSheetAtom(-2, 0, 0, 0);
    EXPECT_EQ(summary(rig.rows()), c.expected) << "kind " << c.kind;
  }

  RowsRig virus;
  virus.model.structureKind = 8;
  for (int i = 0; i < 15; ++i)
    virus.addAtom(static_cast<float>(i), 0, 0, i == 13 ? 0 : 3);
  EXPECT_EQ(summary(virus.rows()),
            (std::vector<std::string>{"1  12.0000", "2  14.0000"}));
}

// An imported part labels by element number, mixed case, whatever the
// scene's list count.
TEST(CoordinateRowsTest, partsAreLabelledByElementFromTheModel)
{
  RowsRig rig;
  rig.model.partsFlag = true;
  rig.model.structureKind = 6;
  rig.addAtom(0, 0, 0, 17);
  rig.addAtom(1, 0, 0, 1);
  rig.addAtom(2, 0, 0, 200);
  EXPECT_EQ(summary(rig.rows(3, true)),
            (std::vector<std::string>{"1 Cl 0.0000", "2 H 1.0000", "3  2.0000"}));
}

// Two or more lists of a built structure list the scene atom file, line by
// line, its type code as label; an import never does.
TEST(CoordinateRowsTest, severalListsComeFromTheSceneAtomFile)
{
  ScratchDir dir;
  const auto file = dir.write("tmp.xyz", atomLine(1.5f, -2.0f, 3.0f, 2, 0, 7) + "\r\n" +
                                             atomLine(0.25f, 0, 0, 3, 1, 7) + "\r\n" +
                                             sheetLine(-7.125f, 1, 0, 0, 5) + "\r\n");
  RowsRig rig;
  rig.addAtom(9, 9, 9, 3);
  const XyzRows rows = rig.rows(2, false, file.string());
  EXPECT_EQ(summary(rows), (std::vector<std::string>{"1 N 1.5000", "2 C 0.2500",
                                                     "3  -7.1250"}));
  EXPECT_EQ(rows.text(0, 2), "-2.0000");
  EXPECT_EQ(summary(rig.rows(2, true, file.string())),
            (std::vector<std::string>{"1 C 9.0000"}));
  EXPECT_EQ(summary(rig.rows(0, false, file.string())).size(), 3u);

  const auto shortLine = dir.write("short.xyz", " 1  2  3 \r\n");
  EXPECT_THROW(rig.rows(2, false, shortLine.string()), RuntimeError);
  EXPECT_THROW(rig.rows(2, false, dir.file("missing.xyz").string()), RuntimeError);
  const auto huge = dir.write("huge.xyz", " 1E+39  2  3  3 \r\n");
  EXPECT_THROW(rig.rows(2, false, huge.string()), RuntimeError);
}

TEST(CoordinateRowsTest, nonFiniteAtomsAreRefusedBeforeAnyText)
{
  RowsRig rig;
  rig.addAtom(0, 0, 0);
  rig.addAtom(std::numeric_limits<float>::quiet_NaN(), 0, 0);
  try {
    rig.rows();
    FAIL() << "no error";
  } catch (const RuntimeError& e) {
    EXPECT_STREQ(e.what(), "Atom 2 has a coordinate that is not a finite number.");
  }
}

// The clipboard text and both table files of the two-atom B-N model.
TEST(CoordinateRowsTest, tablesHaveTheirExactBytes)
{
  RowsRig rig;
  rig.addAtom(1, -2.5f, 0, 3);
  rig.addAtom(-0.00004f, 3.14159f, 10, 1);
  rig.addAtom(5, 5, 5, 0);
  const XyzRows rows = rig.rows();
  EXPECT_EQ(xyzTableText(rows),
            "2\r\nC\t1.0000\t-2.5000\t0.0000\r\nB\t0.0000\t3.1416\t10.0000\r\n");

  ScratchDir dir;
  const std::string table = dir.file("table.txt").string();
  writeXyzTable(table, rows, false);
  const std::string row1 = "C" + std::string(13, ' ') + "1.0000" + std::string(8, ' ') +
                           "-2.5000" + std::string(7, ' ') + "0.0000\r\n";
  const std::string row2 = "B" + std::string(13, ' ') + "0.0000" + std::string(8, ' ') +
                           "3.1416" + std::string(8, ' ') + "10.0000\r\n";
  EXPECT_EQ(readBytes(table), " 2 \r\n" + row1 + row2);

  const std::string coordinates = dir.file("coordinates.txt").string();
  writeCoordinateTable(coordinates, atomSetRows(rig.model, rows.labels()), false);
  EXPECT_EQ(readBytes(coordinates), " 2 \r\n " + row1.substr(0, 13) + row1.substr(14) + " " +
                                        row2.substr(0, 13) + row2.substr(14));

  const XyzRows none = RowsRig().rows();
  EXPECT_EQ(xyzTableText(none), "0\r\n");
  writeXyzTable(table, none, false);
  EXPECT_EQ(readBytes(table), " 0 \r\n");
}

// A failed save names the path and leaves the old file.
TEST(CoordinateRowsTest, failedSavesThrowAndKeepTheOldFile)
{
  ScratchDir dir;
  RowsRig rig;
  rig.addAtom(1, 2, 3);
  const XyzRows rows = rig.rows();
  const std::string missing = dir.file("no/such/folder/t.txt").string();
  for (const auto write : {writeXyzTable, writeCoordinateTable}) {
    try {
      write(missing, rows, false);
      FAIL() << "no error";
    } catch (const RuntimeError& e) {
      EXPECT_NE(std::string(e.what()).find(missing), std::string::npos) << e.what();
    }
  }
}

// The widest texts come from the extremes: a negative minimum can be wider
// than the maximum.
TEST(CoordinateRowsTest, widestTextsComeFromTheExtremes)
{
  RowsRig rig;
  rig.addAtom(-12.5f, 3, 0, 1);
  rig.addAtom(7, 100.25f, 0, 3);
  const auto texts = rig.rows().widestTexts();
  EXPECT_EQ(texts[0], (std::vector<std::string>{"2"}));
  EXPECT_EQ(texts[1], (std::vector<std::string>{"-12.5000", "7.0000"}));
  EXPECT_EQ(texts[2], (std::vector<std::string>{"3.0000", "100.2500"}));
  EXPECT_EQ(texts[4], (std::vector<std::string>{"", "B", "N", "C"}));
  EXPECT_TRUE(RowsRig().rows().widestTexts()[1].empty());
}

} // namespace
} // namespace tarvek
