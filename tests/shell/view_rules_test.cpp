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

// Hostile tables: a cut-off last row, NUL bytes, old Mac line ends, an
// empty file and a huge one.
TEST(ViewRulesTest, linkTableSurvivesHostileText)
{
  EXPECT_EQ(parseLinkTable("home\tHome\thttps://a.example/\nparts\tPar").size(), 1u);
  const LinkTable nul = parseLinkTable(std::string("k\0y\tc\0p\thttps://\0/\n", 18));
  ASSERT_EQ(nul.size(), 1u);
  EXPECT_EQ(nul.begin()->first, std::string("k\0y", 3));
  // CR alone ends no line: the whole text is one row whose address runs on.
  const LinkTable mac = parseLinkTable("a\tA\thttps://a/\rb\tB\thttps://b/\r");
  ASSERT_EQ(mac.size(), 1u);
  EXPECT_EQ(mac.at("a").address, "https://a/\rb\tB\thttps://b/");
  EXPECT_TRUE(parseLinkTable("").empty());
  std::string huge;
  for (int i = 0; i < 100000; ++i)
    huge += "key" + std::to_string(i) + "\tCaption\thttps://example.org/" + std::to_string(i) + "\n";
  const LinkTable many = parseLinkTable(huge);
  EXPECT_EQ(many.size(), 100000u);
  EXPECT_EQ(linkAddress(many, "key99999"), "https://example.org/99999");
}

// The rows the menus, the title link and the windows look up; outside
// pages exactly as published, the maker's own on placeholders.
TEST(ViewRulesTest, shippedLinkTableHoldsEveryRowTheProgramUses)
{
  const LinkTable links = loadLinkTable(std::string(TARVEK_TEST_SOURCE_DIR) + "/../data/links.dat");
  for (const char* key : {"povray", "maker", "home", "bugreport", "library", "author", "fullerenes",
                          "junction", "tubegen", "jmol", "parts", "povray-download", "virus"}) {
    ASSERT_EQ(links.count(key), 1u) << key;
    EXPECT_NE(linkAddress(links, key).find("://"), std::string::npos) << key;
    EXPECT_FALSE(links.at(key).caption.empty()) << key;
  }
  const struct {
    const char* key;
    const char* caption;
  } captions[] = {{"maker", "tarvek Developers"},
                  {"home", "tarvek"},
                  {"bugreport", "Submit Bug Report"},
                  {"junction", "CoNTub Website"},
                  {"tubegen", "tubegen"}};
  for (const auto& c : captions)
    EXPECT_EQ(links.at(c.key).caption, c.caption) << c.key;
  const struct {
    const char* key;
    const char* address;
  } outside[] = {{"povray", "https://www.povray.org/"},
                 {"junction", "http://www.ugr.es/~gmdm/contub.htm"},
                 {"tubegen", "https://turin.nss.udel.edu/research/tubegenonline.html"},
                 {"jmol", "https://jmol.sourceforge.net/"},
                 {"povray-download", "https://www.povray.org/download/"},
                 {"virus", "http://viperdb.scripps.edu/icos_server.php?icspage=paradigm"}};
  for (const auto& o : outside)
    EXPECT_EQ(linkAddress(links, o.key), o.address) << o.key;
}

} // namespace
} // namespace tarvek
