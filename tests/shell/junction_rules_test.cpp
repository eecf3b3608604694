// The hetero-junction command's program arguments and title.
#include "shell/junction_rules.h"

#include <gtest/gtest.h>

namespace tarvek {
namespace {

// Each value is its own argument behind the headless switch, the class path
// and the main class, so no blank or quote in the path can split it.
TEST(JunctionRulesTest, argumentsAndTitleFromTheDialogValues)
{
  const JunctionValues defaults{5, 5, 15, 10, 10, 15};
  const std::string jar = "/home/u/tarvek/Import dir/contub.jar";
  EXPECT_EQ(junctionArguments(defaults, jar),
            (std::vector<std::string>{"-Djava.awt.headless=true", "-cp", jar, "nt", "5", "5", "15",
                                      "10", "10", "15"}));
  EXPECT_EQ(junctionTitle(defaults), "(5,5)-(10,10) Hetero-Junction");

  const JunctionValues negative{12, 0, 5, 7, -3, 32767};
  EXPECT_EQ(junctionArguments(negative, "j").back(), "32767");
  EXPECT_EQ(junctionArguments(negative, "j")[8], "-3");
  EXPECT_EQ(junctionTitle(negative), "(12,0)-(7,-3) Hetero-Junction");
}

} // namespace
} // namespace tarvek
