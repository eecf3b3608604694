#include "model/display_settings.h"
#include "model/model.h"
#include "support/fake_main_window.h"

#include <gtest/gtest.h>

namespace tarvek {
namespace {

TEST(StructureModelTest, redimAtomSetKeepsEntriesAndLeavesTheCount)
{
  for (const AtomSetId id : {AtomSetId::Atom, AtomSetId::Sheet, AtomSetId::Work}) {
    Model model;
    AtomSetRef set = model.atomSet(id);
    set.x = {1, 2, 3};
    set.y = {4, 5, 6};
    set.z = {7, 8, 9};
    set.type = {1, 2, 3};
    set.count = 3;

    model.redimAtomSet(id, 4);
    EXPECT_EQ(set.x, (std::vector<float>{1, 2, 3, 0, 0}));
    EXPECT_EQ(set.y, (std::vector<float>{4, 5, 6, 0, 0}));
    EXPECT_EQ(set.z, (std::vector<float>{7, 8, 9, 0, 0}));
    EXPECT_EQ(set.type, (std::vector<std::int16_t>{1, 2, 3, 0, 0}));
    EXPECT_EQ(set.count, 3);

    model.redimAtomSet(id, 0);
    EXPECT_EQ(set.x, std::vector<float>{1});
    EXPECT_EQ(set.type, std::vector<std::int16_t>{1});
    EXPECT_EQ(set.count, 3);
  }
  // Each set is its own: resizing one leaves the others.
  Model model;
  model.redimAtomSet(AtomSetId::Sheet, 9);
  EXPECT_EQ(model.sheetZ.size(), 10u);
  EXPECT_TRUE(model.atomX.empty());
  EXPECT_TRUE(model.workType.empty());
}

TEST(StructureModelTest, startValues)
{
  const Model model;
  EXPECT_EQ(model.cageBondStart, -1);
  ASSERT_EQ(model.mwntIndices.size(), 1u) << "row 0 exists and stays empty";
  EXPECT_EQ(model.mwntCount, 0);

  const Preferences preferences;
  EXPECT_EQ(preferences.backgroundColor, 0u + 256u * 122 + 65536u * 185);
  EXPECT_EQ(preferences.site1Color, 255u);
  EXPECT_EQ(preferences.site2Color, 256u * 255);
  EXPECT_EQ(preferences.carbonColor, 193u + 256u * 193 + 65536u * 193);
  EXPECT_EQ(preferences.bondColor, 0xFFFFFFu);
  EXPECT_EQ(preferences.rotationStep, 1.0f);
}

TEST(StructureModelTest, mainWindowRecorderKeepsCallsInOrder)
{
  test::FakeMainWindow window;
  MainWindowServices& services = window;
  services.setTubeLengthField("5");
  services.toggleProjection();
  services.CALCULATE(true);
  services.setData(false);
  services.RemoteSetData();
  services.setStatusPanel(4, "12 Bonds");
  EXPECT_EQ(window.calls, (std::vector<std::string>{"tubeLength 5", "toggleProjection",
                                                    "CALCULATE 1", "setData 0",
                                                    "RemoteSetData", "status 4 12 Bonds"}));
  EXPECT_EQ(window.tubeLengthField, "5");
}

} // namespace
} // namespace tarvek
