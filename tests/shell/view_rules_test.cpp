#include "shell/view_rules.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace tarvek {
namespace {

TEST(ViewRulesTest, stereoModesHaveTheirNamesAndOthersClearThePanel)
{
  const struct {
    std::int16_t mode;
    const char* name;
  } cases[] = {{0, ""},
               {1, "Stereo-Pair (Relaxed-Eye)"},
               {2, "Stereo-Pair (Cross-Eye)"},
               {3, "Color Anaglyph"},
               {4, "Greyscale Anaglyph"},
               {5, ""},
               {-1, ""}};
  for (const auto& c : cases)
    EXPECT_EQ(stereoModeName(c.mode), c.name) << c.mode;
}

// The wrap lands on the first or last item; it never carries the remainder.
TEST(ViewRulesTest, listStepsWrapToTheEndsWithoutCarrying)
{
  const struct {
    int index, step, expected;
  } cases[] = {{4, 1, 5},   {0, -1, 19}, {1, -2, 19}, {0, -2, 19}, {18, 2, 0},
               {19, 2, 0},  {19, 1, 0},  {17, 2, 19}, {2, -2, 0},  {10, -1, 9}};
  for (const auto& c : cases)
    EXPECT_EQ(stepListIndex(c.index, c.step, 20), c.expected)
        << c.index << " by " << c.step;
}

TEST(ViewRulesTest, statusPanelsSplitAtTheLeftEdgesOfPanelsTwoAndFour)
{
  const struct {
    int x, panel;
  } cases[] = {{0, 1}, {538, 1}, {539, 0}, {540, 2}, {735, 2}, {736, 0}, {737, 4}, {900, 4}};
  for (const auto& c : cases)
    EXPECT_EQ(statusPanelAt(c.x, 539, 736), c.panel) << c.x;
}

TEST(ViewRulesTest, linkTableSkipsCommentsAndIncompleteRows)
{
  const LinkTable links = parseLinkTable("# key\tcaption\taddress\r\n"
                                         "home\tHome Page\thttps://a.example/\r\n"
                                         "\n"
                                         "short\tno address\n"
                                         "\tno key\thttps://b.example/\n"
                                         "parts\tParts\thttps://c.example/p?a=1\n");
  ASSERT_EQ(links.size(), 2u);
  EXPECT_EQ(links.at("home").caption, "Home Page");
  EXPECT_EQ(linkAddress(links, "home"), "https://a.example/");
  EXPECT_EQ(linkAddress(links, "parts"), "https://c.example/p?a=1");
  EXPECT_EQ(linkAddress(links, "short"), "");
  EXPECT_TRUE(loadLinkTable("/nonexistent/links.dat").empty());
}

TEST(ViewRulesTest, shippedLinkTableHoldsTheThreeAddresses)
{
  const LinkTable links = loadLinkTable(std::string(TARVEK_TEST_SOURCE_DIR) + "/../data/links.dat");
  for (const char* key : {"home", "parts", "junction"})
    EXPECT_NE(linkAddress(links, key).find("://"), std::string::npos) << key;
}

} // namespace
} // namespace tarvek
