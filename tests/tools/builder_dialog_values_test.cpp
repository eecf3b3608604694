#include "tools/builder_dialog_values.h"

#include "runtime/runtime_error.h"

#include <gtest/gtest.h>

namespace tarvek {
namespace {

// The first selected option wins; none selected counts as both ends.
TEST(BuilderDialogValuesTest, capChoiceIsTheFirstSelectedOption)
{
  EXPECT_EQ(capChoiceOf({true, false, false}), 0);
  EXPECT_EQ(capChoiceOf({false, true, false}), 1);
  EXPECT_EQ(capChoiceOf({false, false, true}), 2);
  EXPECT_EQ(capChoiceOf({false, false, false}), 0);
}

// Fields read by their leading number with a decimal comma accepted; the
// angle only counts (negated) with the rotation option.
TEST(BuilderDialogValuesTest, grapheneFieldsAndOptions)
{
  const std::array<std::string, 5> initial{"15", "15", "2", "3.395", "30"};
  const struct {
    std::array<std::string, 5> fields;
    int option;
    GrapheneDialogValues expected;
  } cases[] = {
      {initial, 0, {15, 15, 2, 3.395f, 0, 0}},
      {initial, 1, {15, 15, 2, 3.395f, 1, 0}},
      {initial, 2, {15, 15, 2, 3.395f, 0, -30}},
      {{"20.5", "abc", "", "3,395", "-45"}, 2, {20.5f, 0, 0, 3.395f, 0, 45}},
      {{" 7x", "1e1", "2.6", "-1", "30"}, 0, {7, 10, 2.6f, -1, 0, 0}},
  };
  for (const auto& c : cases) {
    const GrapheneDialogValues v = readGrapheneDialog(c.fields, c.option);
    const std::string row = c.fields[0] + " " + c.fields[3] + " option " + std::to_string(c.option);
    EXPECT_EQ(v.layerWidth, c.expected.layerWidth) << row;
    EXPECT_EQ(v.layerHeight, c.expected.layerHeight) << row;
    EXPECT_EQ(v.layerCount, c.expected.layerCount) << row;
    EXPECT_EQ(v.layerDistance, c.expected.layerDistance) << row;
    EXPECT_EQ(v.graphiteShift, c.expected.graphiteShift) << row;
    EXPECT_EQ(v.layerRotation, c.expected.layerRotation) << row;
  }
}

// A value beyond the float (or double) range is refused with its text.
TEST(BuilderDialogValuesTest, valuesBeyondTheFloatRangeAreRefused)
{
  for (const char* text : {"1e39", "-4e38", "1e400"}) {
    try {
      readGrapheneDialog({"15", text, "2", "3.395", "30"}, 0);
      ADD_FAILURE() << text;
    } catch (const RuntimeError& e) {
      EXPECT_EQ(std::string(e.what()), "The number " + std::string(text) + " is too large.");
    }
  }
}

// Empty n and length fields become 5, empty m fields stay 0; halves round
// to even, a decimal comma reads as a point.
TEST(BuilderDialogValuesTest, junctionValuesWithTheZeroRule)
{
  const auto values = [](const std::array<std::string, 6>& fields) {
    const JunctionValues v = junctionValues(fields);
    return std::array<int, 6>{v.junctionN1, v.junctionM1, v.junctionLength1,
                              v.junctionN2, v.junctionM2, v.junctionLength2};
  };
  EXPECT_EQ(values({"", "", "", "", "", ""}), (std::array<int, 6>{5, 0, 5, 5, 0, 5}));
  EXPECT_EQ(values({"5", "5", "15", "10", "10", "15"}), (std::array<int, 6>{5, 5, 15, 10, 10, 15}));
  EXPECT_EQ(values({"7.5", "6.5", "3,5", "x", "-2", "0"}), (std::array<int, 6>{8, 6, 4, 5, -2, 5}));
  EXPECT_EQ(values({"6.5", "0", "15,5", "10", "10", "15"})[0], 6);
  EXPECT_EQ(values({"6.5", "0", "15,5", "10", "10", "15"})[2], 16);
  EXPECT_THROW(junctionValues({"5", "5", "15", "40000", "10", "15"}), RuntimeError);
}

} // namespace
} // namespace tarvek
