// Open Babel reads every shipped structure part with the formula and atom
// count its generator's table gives.
#include "runtime/split.h"
#include "support/require_tool.h"
#include "support/run_tool.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>

namespace tarvek {
namespace {

TEST(PartLibraryOracleTest, openBabelReadsEachPartsFormula)
{
  if (!test::requireTool("obabel", "openbabel"))
    return;
  const std::string root = std::string(TARVEK_TEST_SOURCE_DIR);
  std::ifstream table(root + "/shell/fixtures/parts/library_table.txt");
  std::string line;
  int parts = 0;
  while (std::getline(table, line)) {
    if (line.empty() || line[0] == '#')
      continue;
    const auto fields = splitBy(line, '|');
    ASSERT_GE(fields.size(), 4u) << line;
    const std::string path = root + "/../data/lib/IMM/" + fields[0];
    const auto result = test::runTool("obabel", {path, "-otxt", "--append", "formula atoms"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const auto words = splitSpaces(trimBlanks(result.out.substr(0, result.out.find('\n'))));
    ASSERT_GE(words.size(), 2u) << result.out;
    EXPECT_EQ(words[words.size() - 2] + " " + words.back(), fields[2] + " " + fields[3])
        << fields[0];
    ++parts;
  }
  EXPECT_GE(parts, 5);
}

} // namespace
} // namespace tarvek
