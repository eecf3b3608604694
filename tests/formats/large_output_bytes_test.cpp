// A 10^4-atom tube's XMOL, PDB, POV-Ray and scene files keep their first writers' bytes.
#include "scene_walls.h"

#include "model/built_tube.h"
#include "runtime/file_util.h"
#include "scene/povray_writer.h"
#include "support/fake_clock.h"

#include <gtest/gtest.h>

#include <zlib.h>

#include <iomanip>
#include <sstream>

namespace tarvek::test {
namespace {

std::string sizeAndCrc(const std::string& bytes)
{
  const auto crc =
      crc32(0L, reinterpret_cast<const Bytef*>(bytes.data()), static_cast<uInt>(bytes.size()));
  std::ostringstream text;
  text << bytes.size() << " " << std::hex << std::setw(8) << std::setfill('0') << crc;
  return text.str();
}

// Size and CRC-32 of a file's lines, each ended by LF, leaving out the
// POV-Ray header lines that name the scratch path and the locale's date.
std::string fingerprint(const std::string& path)
{
  std::string bytes;
  for (const std::string& line : fileLines(path)) {
    if (line.rfind("// File: ", 0) == 0 || line.rfind("// Date: ", 0) == 0)
      continue;
    bytes += line;
    bytes += '\n';
  }
  return sizeAndCrc(bytes);
}

// Size and CRC-32 of a file's bytes as they stand.
std::string rawFingerprint(const std::string& path)
{
  std::string bytes;
  EXPECT_TRUE(readFileBytes(path, bytes)) << path;
  return sizeAndCrc(bytes);
}

// A (10,10) tube of 10,000 atoms with its bonds: coordinates of every size
// from 0 to 600 Å, negative and positive, on the tube's irregular floats.
struct TubeRig : ExportRig {
  TubeRig()
  {
    model = builtTube(10, 10, 614.5f, 1.42f);
    FakeAbort abort;
    prompts.answerYesNo(true);
    createBonds(model, 0.0f, 0.0f, prompts, abort);
  }
};

// The expected fingerprints were taken from the writers before they built
// their lines in place; a change means a file changed for its readers.
TEST(LargeOutputBytesTest, tubeFilesKeepTheirBytes)
{
  TubeRig rig;
  ASSERT_EQ(rig.model.atomCount, 10000);
  FakeClock clock;

  exportXMOL(rig.ctx, rig.path("tube.xyz"));
  EXPECT_EQ(fingerprint(rig.path("tube.xyz")), "400007 78ec5727") << "XMOL";

  rig.prompts.answerYesNo(true);
  exportPDB(rig.ctx, rig.path("tube.pdb"));
  EXPECT_EQ(fingerprint(rig.path("tube.pdb")), "1059996 6e403f80") << "PDB";

  ExportScene single(rig);
  single.scene.setAtomData();
  single.scene.setBondData();
  EXPECT_EQ(fingerprint(rig.path("tmp.xyz")), "823048 65fcab9b") << "scene atoms";
  EXPECT_EQ(fingerprint(rig.path("tmp.zyx")), "1461992 e4a0ce59") << "scene bonds";
  single.scene.POVRAY(rig.path("arrays.pov"), 0.5f, 0.25f, 0.5f, 0.0f, 0.005f, 0.0f, "tube", clock);
  EXPECT_EQ(fingerprint(rig.path("arrays.pov")), "2013738 0cb47d1f") << "POV-Ray from the model";

  TubeRig twice;
  SceneWalls walls(twice);
  walls.scene.POVRAY(twice.path("body.pov"), 0.5f, 0.25f, 0.5f, 0.0f, 0.005f, 0.4f, "tube", clock);
  EXPECT_EQ(fingerprint(twice.path("body.pov")), "7602969 62d45b5f")
      << "POV-Ray from the scene files";
}

// The two walls' 20,000 atoms read back from the scene files, so PDB's
// second list starts inside a block of lines made apart; LF ends.
TEST(LargeOutputBytesTest, sceneListsWithLfEndsKeepTheirBytes)
{
  TubeRig rig;
  SceneWalls walls(rig);
  rig.ctx.lfLineEnds = true;

  exportXMOL(rig.ctx, rig.path("walls.xyz"));
  EXPECT_EQ(rawFingerprint(rig.path("walls.xyz")), "800007 32447a55") << "XMOL";
  rig.prompts.answerYesNo(true);
  exportPDB(rig.ctx, rig.path("walls.pdb"));
  EXPECT_EQ(rawFingerprint(rig.path("walls.pdb")), "2119800 4d91acab") << "PDB";
}

} // namespace
} // namespace tarvek::test
