#include "shell/parameter_check.h"

#include <gtest/gtest.h>

namespace tarvek {
namespace {

ParameterFields defaultFields()
{
  return {"10", "0", "25", "1.41", "1", "2", "1", "20", "1", "5", "1", "0", "0", "0"};
}

struct FieldCase {
  // Field texts set on top of the defaults.
  std::vector<std::pair<int, std::string>> input;
  std::vector<std::pair<int, std::string>> expected;
  bool unitCellMode = false;
  std::int16_t kind = 1;
};

// Every clamp in order, each later step seeing the earlier ones.
TEST(ParameterCheckTest, clampsEachFieldToItsRange)
{
  const FieldCase cases[] = {
      {{{0, "-12"}}, {{0, "12"}}},
      {{{0, "150"}}, {{0, "100"}}},
      {{{0, "0.4"}}, {{0, "1"}}},
      {{{0, "abc"}}, {{0, "1"}}},
      {{{0, "1 5"}}, {{0, "1"}}},
      {{{0, "5abc"}}, {{0, "5"}}},
      {{{0, "8"}, {1, "10"}}, {{0, "8"}, {1, "8"}}},
      {{{0, "150"}, {1, "120"}}, {{0, "100"}, {1, "100"}}},
      {{{3, "1,5"}}, {{3, "1.5"}}},
      {{{3, "6,2"}}, {{3, "5"}}},
      {{{2, "999"}}, {{2, "999"}}},
      {{{2, "2"}}, {{2, "3"}}},
      {{{2, "12.5"}}, {{2, "12"}}, true},
      {{{2, "13.5"}}, {{2, "14"}}, true},
      {{{2, "0"}}, {{2, "1"}}, true},
      {{{2, "80000"}}, {{2, "70000"}}, true},
      {{{13, "3"}, {5, "2"}}, {{13, "2"}}},
      {{{13, "-1"}}, {{13, "0"}}},
      {{{5, "0"}}, {{5, "1"}}},
      {{{5, "11"}}, {{5, "10"}}},
      {{{4, "25"}}, {{4, "20"}}},
      {{{4, "5abc"}}, {{4, "5abc"}}},
      {{{7, "300"}}, {{7, "250"}}},
      {{{8, "0"}}, {{8, "1"}}},
      {{{9, "30"}}, {{9, "20"}}},
      {{{6, "20"}}, {{6, "20"}}, false, 3},
      {{{6, "20"}}, {{6, "10"}}, false, 1},
      {{{10, "0.1"}, {11, "60"}, {12, "91"}}, {{10, "0.5"}, {11, "50"}, {12, "90"}}, false, 7},
  };
  for (const auto& c : cases) {
    ParameterFields fields = defaultFields();
    std::string label;
    for (const auto& [i, text] : c.input) {
      fields[i] = text;
      label += "field " + std::to_string(i) + " \"" + text + "\" ";
    }
    ParameterContext context;
    context.unitCellMode = c.unitCellMode;
    context.structureKind = c.kind;
    const auto check = checkParameterFields(fields, context);
    for (const auto& [i, text] : c.expected)
      EXPECT_EQ(check.fields[i], text) << label << "kind " << c.kind << " unit " << c.unitCellMode;
    EXPECT_FALSE(check.longTubeMessageDue) << label;
  }
}

TEST(ParameterCheckTest, overlongAngstromTubeBecomesTenWithTheMessage)
{
  ParameterFields fields = defaultFields();
  fields[2] = "1000";
  const auto check = checkParameterFields(fields, {});
  EXPECT_EQ(check.fields[2], "10");
  EXPECT_TRUE(check.longTubeMessageDue);
  EXPECT_EQ(std::string(kLongTubeMessage),
            "For extra long tubes please switch to \r\n'Create tubes by number of translational "
            "units'\r\nunder [Tools][Preferences]");
}

TEST(ParameterCheckTest, distortionsOnlyForTubesAndImports)
{
  ParameterFields fields = defaultFields();
  fields[6] = "20";
  ParameterContext cone;
  cone.structureKind = 3;
  EXPECT_FALSE(checkParameterFields(fields, cone).distortions.has_value());

  ParameterContext tube;
  fields = defaultFields();
  auto neutral = checkParameterFields(fields, tube);
  ASSERT_TRUE(neutral.distortions.has_value());
  EXPECT_FALSE(neutral.distortions->distortionActive);
  EXPECT_EQ(neutral.distortions->wideBondWindow, 0);

  fields[12] = "0.001";
  tube.autoCapTicked = true;
  auto bent = checkParameterFields(fields, tube);
  EXPECT_TRUE(bent.distortions->distortionActive);
  EXPECT_FLOAT_EQ(bent.distortions->bendAngle, 0.001f);
  EXPECT_EQ(bent.distortions->wideBondWindow, 1);

  fields = defaultFields();
  fields[6] = "2";
  fields[10] = "3";
  fields[11] = "4";
  auto d = *checkParameterFields(fields, tube).distortions;
  EXPECT_FLOAT_EQ(d.stretchFactor, 2.0f);
  EXPECT_FLOAT_EQ(d.ellipseRatio, 3.0f);
  EXPECT_FLOAT_EQ(d.twistRate, 4.0f);
}

TEST(ParameterCheckTest, listedWallsPutTheFirstWallIntoTheIndexFields)
{
  ParameterContext context;
  context.tubeVariant = 8;
  context.mwntIndices = {{0, 0}, {17, 4}, {22, 6}};
  const auto check = checkParameterFields(defaultFields(), context);
  EXPECT_EQ(check.fields[0], "17");
  EXPECT_EQ(check.fields[1], "4");
}

} // namespace
} // namespace tarvek
