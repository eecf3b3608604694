#include "model/mwnt_definition.h"

#include "model/display_settings.h"
#include "model/model.h"
#include "support/fake_main_window.h"
#include "support/fake_prompts.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace tarvek {
namespace {

using Walls = std::vector<std::array<std::int16_t, 2>>;

const char* const kPrompt =
    "Enter indices n,m for all nanotubes.\r\nMind the tube length (too many atoms?)";

// A model whose stored list is the single wall (20,5).
Model withOneWall()
{
  Model model;
  model.mwntIndices = {{0, 0}, {20, 5}};
  model.mwntCount = 1;
  return model;
}

TEST(MwntDefinitionTest, acceptedListsAreStoredAndComputed)
{
  const struct {
    const char* text;
    Walls rows;
  } cases[] = {
      {"(10,0) (15,5)", {{0, 0}, {10, 0}, {15, 5}}},
      {"10,0 15,5", {{0, 0}, {10, 0}, {15, 5}}},
      {"10 0 15 5", {{0, 0}, {10, 0}, {15, 5}}},
      {"  10,10  ", {{0, 0}, {10, 10}}},
      {"10.5,0", {{0, 0}, {10, 0}}},
      {"11.5,-2", {{0, 0}, {12, -2}}},
      {"500,500 3,0", {{0, 0}, {500, 500}, {3, 0}}},
  };
  for (const auto& c : cases) {
    Model model = withOneWall();
    test::FakePrompts prompts;
    test::FakeMainWindow window;
    DisplaySettings display;
    std::string text = c.text;
    manualMWNT(model, text, display, prompts, window);
    EXPECT_EQ(model.mwntIndices, c.rows) << c.text;
    EXPECT_EQ(model.mwntCount, static_cast<std::int16_t>(c.rows.size() - 1)) << c.text;
    EXPECT_EQ(window.calls, std::vector<std::string>{"CALCULATE 1"}) << c.text;
    EXPECT_TRUE(prompts.calls.empty()) << c.text;
  }
}

// A bad list shows one critical message and leaves the stored list whole.
TEST(MwntDefinitionTest, rejectedListsKeepTheStoredOne)
{
  const struct {
    const char* text;
    const char* message;
  } cases[] = {
      {"10,0 15", "Unbalanced index pair (n,m)"},
      {", ( ) ,", "Unbalanced index pair (n,m)"},
      {"2,0", "Input error: n<3"},
      {"501,0", "Input error: n>500"},
      {"10,11", "Input error: m>n if chiral vector (n,m)"},
      {"abc,0", "Input error: n<3"},
      {"40000,0", "Input error: n>500"},
      {"10,40000", "Input error: m>n if chiral vector (n,m)"},
      {"3,-6", "Input error: 2n+m=0 in chiral vector (n,m)"},
      {"10,0 15,5 2,0", "Input error: n<3"},
      {"10,0 3e9,0", "The number 3e+09 is too large (allowed: -2147483648 to 2147483647)."},
      {"10,-40000", "The number -40000 is too large (allowed: -32768 to 32767)."},
  };
  for (const auto& c : cases) {
    Model model = withOneWall();
    const Model before = model;
    test::FakePrompts prompts;
    test::FakeMainWindow window;
    DisplaySettings display;
    display.orthoProjection = false;
    std::string text = c.text;
    manualMWNT(model, text, display, prompts, window);
    EXPECT_TRUE(model == before) << c.text;
    EXPECT_TRUE(window.calls.empty()) << c.text;
    ASSERT_EQ(prompts.calls.size(), 1u) << c.text;
    EXPECT_EQ(prompts.calls[0].kind, test::FakePrompts::Kind::Message) << c.text;
    EXPECT_EQ(prompts.calls[0].text, c.message) << c.text;
    EXPECT_EQ(prompts.calls[0].title, "") << c.text;
    EXPECT_EQ(prompts.calls[0].icon, MessageIcon::Critical) << c.text;
  }
}

TEST(MwntDefinitionTest, emptyTextAsksForTheList)
{
  // Stored walls are offered, each pair followed by a blank.
  {
    Model model;
    model.mwntIndices = {{0, 0}, {10, 0}, {15, 5}};
    model.mwntCount = 2;
    test::FakePrompts prompts;
    prompts.answerInput("(20,0)");
    test::FakeMainWindow window;
    std::string text;
    manualMWNT(model, text, DisplaySettings{}, prompts, window);
    ASSERT_EQ(prompts.calls.size(), 1u);
    EXPECT_EQ(prompts.calls[0].kind, test::FakePrompts::Kind::Input);
    EXPECT_EQ(prompts.calls[0].text, kPrompt);
    EXPECT_EQ(prompts.calls[0].title, "Manual MWNT Definition");
    EXPECT_EQ(prompts.calls[0].defaultText, "10,0 15,5 ");
    EXPECT_EQ(model.mwntIndices, (Walls{{0, 0}, {20, 0}}));
    EXPECT_EQ(window.calls, std::vector<std::string>{"CALCULATE 1"});
  }
  // Nothing stored: the default list, and a short tube.
  {
    Model model;
    test::FakePrompts prompts;
    prompts.answerInput("29,0 38,0 47,0 48,13 55,16 63,17 70,20");
    test::FakeMainWindow window;
    std::string text;
    manualMWNT(model, text, DisplaySettings{}, prompts, window);
    ASSERT_EQ(prompts.calls.size(), 1u);
    EXPECT_EQ(prompts.calls[0].defaultText, "29,0 38,0 47,0 48,13 55,16 63,17 70,20");
    EXPECT_EQ(model.mwntCount, 7);
    EXPECT_EQ(model.mwntIndices.back(), (std::array<std::int16_t, 2>{70, 20}));
    EXPECT_EQ(window.calls, (std::vector<std::string>{"tubeLength 5", "CALCULATE 1"}));
  }
}

TEST(MwntDefinitionTest, cancelOrAnEmptyAnswerDoesNothing)
{
  for (const std::optional<std::string>& answer :
       {std::optional<std::string>{}, std::optional<std::string>{""}}) {
    Model model = withOneWall();
    const Model before = model;
    test::FakePrompts prompts;
    prompts.answerInput(answer);
    test::FakeMainWindow window;
    std::string text;
    manualMWNT(model, text, DisplaySettings{}, prompts, window);
    EXPECT_TRUE(model == before);
    EXPECT_TRUE(window.calls.empty());
    EXPECT_EQ(prompts.calls.size(), 1u);
  }
}

TEST(MwntDefinitionTest, switchesToOrthographicViewOnlyFromPerspective)
{
  for (const bool ortho : {false, true}) {
    Model model;
    test::FakePrompts prompts;
    test::FakeMainWindow window;
    DisplaySettings display;
    display.orthoProjection = ortho;
    std::string text = "10,0";
    manualMWNT(model, text, display, prompts, window);
    const std::vector<std::string> expected =
        ortho ? std::vector<std::string>{"CALCULATE 1"}
              : std::vector<std::string>{"toggleProjection", "CALCULATE 1"};
    EXPECT_EQ(window.calls, expected) << "ortho " << ortho;
  }
}

} // namespace
} // namespace tarvek
