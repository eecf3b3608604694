// Golden files of the structure writers: each case folder's structure against its expected bytes.
#include "scene_walls.h"

#include "formats/structure_writers.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

namespace tarvek::test {
namespace {

using Writer = std::function<void(ExportRig&, const ExportScene&, const std::string&)>;

// No outside program reads bond tables or MLM files, and exact bytes pin the
// CIF and VRML layouts: each case folder holds a structure and the bytes
// expected from it.
void everyCaseGivesItsExpectedBytes(const std::string& folder, const std::string& expected,
                                    const Writer& write)
{
  const std::filesystem::path root =
      std::filesystem::path(TARVEK_TEST_SOURCE_DIR) / "fixtures/formats" / folder;
  int cases = 0;
  for (const auto& entry : std::filesystem::directory_iterator(root)) {
    ExportRig rig;
    ExportScene scene(rig);
    loadStructure(rig, readBytes(entry.path() / "structure.txt"), scene.display, scene.preferences);
    // The inserted cylinder or ball comes with the atoms' list.
    if (scene.display.insertFlag)
      scene.scene.setAtomData();
    const std::string path = rig.path("out" + std::filesystem::path(expected).extension().string());
    write(rig, scene, path);
    EXPECT_EQ(readBytes(path), readBytes(entry.path() / expected)) << entry.path();
    ++cases;
  }
  EXPECT_GT(cases, 0);
}

TEST(WriterGoldenTest, bondTable)
{
  everyCaseGivesItsExpectedBytes("bond_table", "expected.txt",
                                 [](ExportRig& r, const ExportScene&, const std::string& p) {
                                   exportBonds(r.ctx, p);
                                 });
}

TEST(WriterGoldenTest, mlm)
{
  everyCaseGivesItsExpectedBytes("mlm", "expected.mlm",
                                 [](ExportRig& r, const ExportScene&, const std::string& p) {
                                   exportMLM(r.ctx, p);
                                 });
}

TEST(WriterGoldenTest, cif)
{
  everyCaseGivesItsExpectedBytes("cif", "expected.cif",
                                 [](ExportRig& r, const ExportScene&, const std::string& p) {
                                   exportCIF(r.ctx, p);
                                 });
}

TEST(WriterGoldenTest, vrml)
{
  for (const auto& dialect :
       {std::pair{"vrml2", VrmlVersion::Vrml2}, std::pair{"vrml1", VrmlVersion::Vrml1}}) {
    const VrmlVersion version = dialect.second;
    everyCaseGivesItsExpectedBytes(dialect.first, "expected.wrl",
                                   [version](ExportRig& r, const ExportScene& s,
                                             const std::string& p) {
                                     exportVRML(r.ctx, s.vrml(), p, version);
                                   });
  }
}

} // namespace
} // namespace tarvek::test
