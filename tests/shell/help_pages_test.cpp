// The manual's pages link only to pages and anchors that exist.
#include "help_pages.h"

#include "support/scratch_dir.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace tarvek {
namespace {

namespace fs = std::filesystem;

TEST(HelpPagesTest, relativeLinksAndAnchorsResolve)
{
  const auto pages = test::manualPages();
  ASSERT_FALSE(pages.empty());
  ASSERT_TRUE(fs::exists(test::manualFolder() / "index.html"));
  std::map<std::string, std::set<std::string>> ids;
  std::map<std::string, std::string> html;
  for (const auto& page : pages) {
    const std::string name = page.filename().string();
    html[name] = test::readBytes(page);
    for (const auto& id : test::attributeValues(html[name], "id"))
      EXPECT_TRUE(ids[name].insert(id).second) << name << ": id " << id << " twice";
  }
  int links = 0;
  for (const auto& [name, text] : html) {
    for (const auto& href : test::attributeValues(text, "href")) {
      if (href.find("://") != std::string::npos || href.rfind("mailto:", 0) == 0)
        continue;
      ++links;
      const auto hash = href.find('#');
      const std::string file = hash == 0 ? name : href.substr(0, hash);
      ASSERT_TRUE(fs::exists(test::manualFolder() / file)) << name << " links to " << href;
      if (hash != std::string::npos && file.size() > 5 && file.substr(file.size() - 5) == ".html") {
        EXPECT_EQ(ids[file].count(href.substr(hash + 1)), 1u) << name << " links to " << href;
      }
    }
  }
  EXPECT_GT(links, 0);
}

} // namespace
} // namespace tarvek
