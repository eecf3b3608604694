#include "form1_rig.h"

#include "runtime/line_reader.h"
#include "runtime/split.h"
#include "support/require_tool.h"
#include "support/run_tool.h"
#include "support/scratch_dir.h"

#include <QApplication>

#include <gtest/gtest.h>

namespace tarvek {
namespace {

// Open Babel perceives the default tube's atoms and bonds from the scene
// atom file alone.
TEST(Form1OracleTest, defaultTubeSceneFileReadsAsTheTube)
{
  if (!test::requireTool("obabel", "openbabel"))
    return;
  qputenv("QT_QPA_PLATFORM", "offscreen");
  int argc = 1;
  char name[] = "form1_oracle";
  char* argv[] = {name, nullptr};
  QApplication app(argc, argv);
  test::Form1Rig rig;

  std::string body;
  int atoms = 0;
  LineReader reader(rig.display.sceneAtomFilePath);
  std::string line;
  while (reader.next(line)) {
    const auto fields = splitSpaces(trimBlanks(line));
    ASSERT_EQ(fields.size(), 6u) << line;
    body += "C " + fields[0] + " " + fields[1] + " " + fields[2] + "\n";
    ++atoms;
  }
  test::ScratchDir dir;
  const auto xyz = dir.write("t.xyz", std::to_string(atoms) + "\ntube\n" + body);
  const auto result = test::runTool("obabel", {xyz.string(), "-otxt", "--append", "atoms bonds"});
  ASSERT_EQ(result.exitCode, 0) << result.err;
  // The line is the title followed by the two counts.
  const auto words = splitSpaces(trimBlanks(result.out.substr(0, result.out.find('\n'))));
  ASSERT_GE(words.size(), 2u) << result.out;
  EXPECT_EQ(words[words.size() - 2] + " " + words.back(), "240 340") << result.out;
}

} // namespace
} // namespace tarvek
