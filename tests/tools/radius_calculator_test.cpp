// The tube radius table, its sort, the multi-wall finder and the list texts.
#include "tools/radius_calculator.h"

#include "model/display_settings.h"
#include "model/model.h"
#include "runtime/runtime_error.h"
#include "support/fake_main_window.h"
#include "support/fake_prompts.h"

#include <gtest/gtest.h>

#include <sstream>

namespace tarvek {
namespace {

RadiusInputs inputs(std::int16_t lowN, std::int16_t highN, float d = 3.89f, float s = 3.4f,
                    std::int16_t walls = 5)
{
  return {1.41f, lowN, highN, d, s, walls};
}

std::string pairOf(const RadiusRow& row)
{
  return "(" + std::to_string(int(row[1])) + "," + std::to_string(int(row[2])) + ")";
}

// Generation order, the float radii of the builder's formula, and the stop
// before row 9,999.
TEST(RadiusTableTest, generationRowsAndTheirLimit)
{
  const RadiusTable table = buildRadiusTable(1.41f, 5, 70);
  ASSERT_EQ(table.rowCount, 2541);
  const RadiusRow& first = table.radiusTable[0];
  EXPECT_EQ(first[0], 1.0f);
  EXPECT_EQ(pairOf(first), "(5,0)");
  EXPECT_FLOAT_EQ(first[3], 1.9434344f);
  EXPECT_FLOAT_EQ(first[4], 3.8868687f);
  EXPECT_EQ(first[4], first[3] + first[3]);
  EXPECT_EQ(pairOf(table.radiusTable[2540]), "(70,70)");

  const RadiusTable full = buildRadiusTable(1.41f, 5, 200);
  ASSERT_EQ(full.rowCount, kMaxRadiusRows);
  EXPECT_EQ(full.radiusTable.size(), std::size_t(kMaxRadiusRows));
  EXPECT_EQ(pairOf(full.radiusTable[kMaxRadiusRows - 1]), "(141,1)");
  EXPECT_EQ(buildRadiusTable(1.41f, 5, 140).rowCount, 9996);

  EXPECT_EQ(buildRadiusTable(1.41f, 71, 70).rowCount, 0);
  // The degenerate (0,0) never enters, whatever the range.
  for (const auto& range : {std::pair{0, 3}, std::pair{-5, 2}, std::pair{0, 0}}) {
    const RadiusTable t = buildRadiusTable(1.41f, range.first, range.second);
    for (std::int32_t i = 0; i < t.rowCount; ++i)
      EXPECT_NE(pairOf(t.radiusTable[std::size_t(i)]), "(0,0)") << range.first;
    EXPECT_EQ(t.rowCount, range.second == 0 ? 0 : (range.second == 3 ? 9 : 5)) << range.first;
  }
}

// Sorted by radius, the first rows include the tie of (5,3) and (7,0),
// whose order comes from the partition sort's swaps.
TEST(RadiusTableTest, radiusOrderKeepsThePartitionSortsTieOrder)
{
  RadiusCalculator calculator;
  calculator.calcAll(0, true, inputs(5, 70));
  const auto& rows = calculator.list();
  ASSERT_EQ(rows.size(), 2541u);
  const char* const expected[][2] = {{"( 5 , 0 )", "1.943"}, {"( 5 , 1 )", "2.164"},
                                     {"( 6 , 0 )", "2.332"}, {"( 5 , 2 )", "2.427"},
                                     {"( 6 , 1 )", "2.549"}, {"( 5 , 3 )", "2.721"},
                                     {"( 7 , 0 )", "2.721"}};
  for (std::size_t i = 0; i < std::size(expected); ++i) {
    EXPECT_EQ(rows[i].position, std::to_string(i + 1));
    EXPECT_EQ(rows[i].pair, expected[i][0]) << i;
    EXPECT_EQ(rows[i].radius, expected[i][1]) << i;
  }
  EXPECT_EQ(calculator.table().radiusTable[5][3], calculator.table().radiusTable[6][3]);
  for (std::size_t i = 1; i < rows.size(); ++i)
    ASSERT_LE(calculator.table().radiusTable[i - 1][3], calculator.table().radiusTable[i][3]) << i;
}

// The middle row (half to even) is the pivot, order 1 ascends, any other
// descends, and high below 1 returns untouched.
TEST(RadiusTableTest, sortPivotOrderAndEarlyReturn)
{
  const auto column = [](const std::vector<RadiusRow>& table) {
    std::ostringstream out;
    for (const RadiusRow& row : table)
      out << row[0] << ':' << row[1] << ' ';
    return out.str();
  };
  // Keys 5 4 3 2 1 0 with a second column riding along.
  std::vector<RadiusRow> table;
  for (int k = 5; k >= 0; --k)
    table.push_back({float(k), float(10 * k), 0, 0, 0});
  std::vector<RadiusRow> ascending = table;
  Sort_S(ascending, 0, 5, 1, 0, 1);
  EXPECT_EQ(column(ascending), "0:0 1:10 2:20 3:30 4:40 5:50 ");
  std::vector<RadiusRow> descending = ascending;
  Sort_S(descending, 0, 5, 1, 0, 2);
  EXPECT_EQ(column(descending), "5:50 4:40 3:30 2:20 1:10 0:0 ");
  // Only columns up to lastColumn move.
  std::vector<RadiusRow> keyOnly = table;
  Sort_S(keyOnly, 0, 5, 0, 0, 1);
  EXPECT_EQ(column(keyOnly), "0:50 1:40 2:30 3:20 4:10 5:0 ");

  std::vector<RadiusRow> untouched = table;
  Sort_S(untouched, 0, 0, 4, 0, 1);
  EXPECT_EQ(column(untouched), column(table));

  // The pivot is row 2 of 0..5 and row 4 of 0..7: with equal keys but one,
  // the first partition's swaps show which row it took.
  const auto firstSwap = [](std::int32_t high, std::size_t pivotRow) {
    std::vector<RadiusRow> rows(std::size_t(high) + 1, RadiusRow{1, 0, 0, 0, 0});
    for (std::size_t i = 0; i < rows.size(); ++i)
      rows[i][1] = float(i);
    rows[pivotRow][0] = 0.0f;
    Sort_S(rows, 0, high, 1, 0, 1);
    return rows[0][1];
  };
  EXPECT_EQ(firstSwap(5, 2), 2.0f);
  EXPECT_EQ(firstSwap(7, 4), 4.0f);
}

// The walls grow by the spacing from the requested inner radius.
TEST(RadiusFinderTest, wallsOfTheDefaultTable)
{
  RadiusCalculator calculator;
  calculator.calcAll(1, false, inputs(5, 70));
  EXPECT_EQ(calculator.mwntSequence(), " (5,0) (12,3) (18,7) (20,16) (36,7)");
  const auto& rows = calculator.list();
  ASSERT_EQ(rows.size(), 5u);
  const char* const radii[] = {"1.943", "5.344", "8.683", "12.143", "15.533"};
  for (std::size_t i = 0; i < rows.size(); ++i) {
    EXPECT_EQ(rows[i].position, std::to_string(i + 1));
    EXPECT_EQ(rows[i].radius, radii[i]);
    EXPECT_FALSE(rows[i].blue);
  }
  // The marks are gone and the table stays sorted by radius.
  const RadiusTable& table = calculator.table();
  for (std::int32_t i = 0; i < table.rowCount; ++i)
    ASSERT_GT(table.radiusTable[std::size_t(i)][0], 0.0f) << i;
  EXPECT_EQ(pairOf(table.radiusTable[0]), "(5,0)");
}

TEST(RadiusFinderTest, wallCountsSpacingsAndDiametersOutsideTheTable)
{
  const struct {
    float d;
    float s;
    std::int16_t walls;
    const char* sequence;
  } cases[] = {
      {3.89f, 3.4f, 1, " (5,0)"},
      {3.89f, 3.4f, 0, " (5,0)"},
      {3.89f, 3.4f, -2, " (5,0)"},
      {3.89f, 0.0f, 3, " (5,0)"},
      {3.0f, 3.4f, 5, ""},
      {500.0f, 3.4f, 5, ""},
  };
  for (const auto& c : cases) {
    RadiusCalculator calculator;
    calculator.calcAll(1, false, inputs(5, 70, c.d, c.s, c.walls));
    EXPECT_EQ(calculator.mwntSequence(), c.sequence) << c.d << " " << c.s << " " << c.walls;
  }

  // 12 walls fit below the largest radius (47.1 Å); of 20 only 14 do
  // (1.945 + 13 × 3.4 <= 47.1).
  for (const auto& [requested, found] : {std::pair{12, 12u}, std::pair{20, 14u}}) {
    RadiusCalculator many;
    many.calcAll(1, false, inputs(5, 70, 3.89f, 3.4f, std::int16_t(requested)));
    EXPECT_EQ(many.list().size(), found) << requested;
  }

  RadiusCalculator empty;
  empty.calcAll(1, false, inputs(71, 70));
  EXPECT_EQ(empty.mwntSequence(), "");
  EXPECT_TRUE(empty.list().empty());
}

// Header clicks flip between radius and generation order; an empty list
// ignores them.
TEST(RadiusListTest, headerClicksFlipTheOrder)
{
  RadiusCalculator calculator;
  calculator.calcAll(0, false, inputs(5, 70));
  EXPECT_EQ(calculator.list()[6].pair, "( 6 , 0 )");
  ASSERT_TRUE(calculator.headerClick());
  EXPECT_TRUE(calculator.sortState());
  EXPECT_EQ(calculator.list()[6].pair, "( 7 , 0 )");
  EXPECT_EQ(calculator.list()[6].position, "7");
  ASSERT_TRUE(calculator.headerClick());
  EXPECT_EQ(calculator.list()[6].pair, "( 6 , 0 )");
  EXPECT_TRUE(calculator.list()[0].blue);
  EXPECT_FALSE(calculator.list()[1].blue);

  RadiusCalculator empty;
  empty.calcAll(0, false, inputs(71, 70));
  EXPECT_FALSE(empty.headerClick());
  EXPECT_FALSE(empty.sortState());
}

TEST(RadiusListTest, clipboardTextAndFieldReading)
{
  RadiusCalculator calculator;
  calculator.calcAll(0, false, inputs(5, 70));
  const std::string text = clipboardText(calculator.list());
  EXPECT_EQ(text.substr(0, 25), "1\t( 5 , 0 )\t1.943\t3.887\r\n");
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 2541);
  EXPECT_EQ(clipboardText({}), "");

  const RadiusInputs read = readRadiusFields({"1,41", "5.5", "6.5", "3,89", "3.4x", ""});
  EXPECT_EQ(read.a, 1.41f);
  EXPECT_EQ(read.lowN, 6);
  EXPECT_EQ(read.highN, 6);
  EXPECT_EQ(read.d, 3.89f);
  EXPECT_EQ(read.s, 3.4f);
  EXPECT_EQ(read.walls, 0);
  for (const char* bad : {"40000", "1e39"}) {
    EXPECT_THROW(readRadiusFields({"1.41", "5", bad, "3.89", "3.4", "5"}), RuntimeError) << bad;
  }
}

// View trims the wall text; an empty one changes nothing, any other sets
// the variant before the walls are checked.
TEST(RadiusViewTest, wallTextGoesToTheMultiWallBuilder)
{
  Model model;
  DisplaySettings display;
  display.orthoProjection = true;
  test::FakePrompts prompts;
  test::FakeMainWindow window;
  RadiusCalculator calculator;

  calculator.view("   ", model, display, prompts, window);
  EXPECT_EQ(model.tubeVariant, 0);
  EXPECT_TRUE(window.calls.empty());

  calculator.view("  (10,10) (15,15) ", model, display, prompts, window);
  EXPECT_EQ(calculator.mwntSequence(), "(10,10) (15,15)");
  EXPECT_EQ(model.tubeVariant, 8);
  EXPECT_EQ(model.mwntCount, 2);
  EXPECT_EQ(window.calls, std::vector<std::string>{"CALCULATE 1"});

  model.tubeVariant = 0;
  calculator.view(" (2,0)", model, display, prompts, window);
  EXPECT_EQ(model.tubeVariant, 8);
  EXPECT_EQ(model.mwntCount, 2);
  ASSERT_EQ(prompts.messages().size(), 1u);
}

} // namespace
} // namespace tarvek
