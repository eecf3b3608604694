#include "runtime/print_form.h"
#include "runtime/text_file_writer.h"
#include "runtime/text_fixups.h"

#include "support/require_tool.h"
#include "support/run_tool.h"
#include "support/scratch_dir.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>

namespace tarvek {
namespace {

using test::ScratchDir;

// Benzene as the program writes XYZ-style text: a count line, a title, then
// one print-zone line per atom (symbol, x, y, z in Å), CR LF line ends.
FileStatus writeBenzene(const std::string& path)
{
  TextFileWriter writer(path);
  writer.writeLine((PrintLine() << std::int32_t{12}).str());
  writer.writeLine("benzene");
  const struct {
    const char* symbol;
    double radius;
  } rings[] = {{"C", 1.39}, {"H", 2.47}};
  for (const auto& ring : rings) {
    for (int k = 0; k < 6; ++k) {
      const double angle = k * 60.0 * std::acos(-1.0) / 180.0;
      PrintLine line;
      line << ring.symbol << static_cast<float>(ring.radius * std::cos(angle))
           << static_cast<float>(ring.radius * std::sin(angle)) << 0.0f;
      writer.writeLine(line.str());
    }
  }
  return writer.commit();
}

// Another program must perceive what we meant: six carbons, six hydrogens
// and the twelve bonds of the ring, with and without CR line ends.
TEST(RuntimeOracleTest, openBabelReadsBenzeneWrittenInPrintZones)
{
  if (!test::requireTool("obabel", "openbabel"))
    return;
  ScratchDir dir;
  const std::string path = dir.file("f.xyz").string();
  FileStatus written = writeBenzene(path);
  ASSERT_TRUE(written) << written.error();

  for (const char* form : {"CR LF", "LF after stripCarriageReturns"}) {
    auto result = test::runTool("obabel", {path, "-otxt", "--append", "formula atoms bonds"});
    ASSERT_FALSE(result.timedOut) << form;
    EXPECT_EQ(result.exitCode, 0) << form << ": " << result.err;
    EXPECT_NE(result.out.find("benzene C6H6 12 12"), std::string::npos)
      << form << ": \"" << result.out << "\"\n" << test::readBytes(path);
    EXPECT_NE(result.err.find("1 molecule converted"), std::string::npos)
      << form << ": \"" << result.err << "\"";

    FileStatus stripped = stripCarriageReturns(path, true);
    ASSERT_TRUE(stripped) << stripped.error();
    EXPECT_EQ(test::readBytes(path).find('\r'), std::string::npos);
  }
}

} // namespace
} // namespace tarvek
