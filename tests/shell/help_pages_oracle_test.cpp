// xmllint reads every page of the manual both as XML and as HTML without a
// word of complaint.
#include "help_pages.h"

#include "support/require_tool.h"
#include "support/run_tool.h"

#include <gtest/gtest.h>

namespace tarvek {
namespace {

TEST(HelpPagesOracleTest, xmllintReadsEveryPageSilently)
{
  if (!test::requireTool("xmllint", "libxml2-utils"))
    return;
  for (const auto& page : test::manualPages()) {
    // The HTML parser exits 0 even after "Tag … invalid": its silence is the check.
    for (const std::vector<std::string>& mode :
         {std::vector<std::string>{"--noout"}, std::vector<std::string>{"--html", "--noout"}}) {
      std::vector<std::string> args = mode;
      args.push_back(page.string());
      const auto result = test::runTool("xmllint", args);
      EXPECT_EQ(result.exitCode, 0) << page << ' ' << mode.front();
      EXPECT_EQ(result.out + result.err, "") << page << ' ' << mode.front();
    }
  }
}

} // namespace
} // namespace tarvek
