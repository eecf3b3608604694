#include "scene_walls.h"

#include "formats/structure_writers.h"
#include "runtime/runtime_error.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace tarvek::test {
namespace {

using Prepare = std::function<void(ExportRig&)>;
using Writer = std::function<void(ExportRig&, const std::string&)>;

void xmol(ExportRig& r, const std::string& p) { exportXMOL(r.ctx, p); }
void mol(ExportRig& r, const std::string& p)
{
  r.prompts.answerInput("1");
  exportMOL(r.ctx, p);
}
void pdb(ExportRig& r, const std::string& p)
{
  r.prompts.answerYesNo(true);
  exportPDB(r.ctx, p);
}
void bonds(ExportRig& r, const std::string& p) { exportBonds(r.ctx, p); }
void mlm(ExportRig& r, const std::string& p) { exportMLM(r.ctx, p); }
void cif(ExportRig& r, const std::string& p) { exportCIF(r.ctx, p); }
void vrml2(ExportRig& r, const std::string& p)
{
  const ExportScene scene(r);
  exportVRML(r.ctx, scene.vrml(), p, VrmlVersion::Vrml2);
}
void vrml1(ExportRig& r, const std::string& p)
{
  const ExportScene scene(r);
  exportVRML(r.ctx, scene.vrml(), p, VrmlVersion::Vrml1);
}

// count atoms in a row along x, of the given kind.
Prepare atomRow(int count, std::int16_t kind = 1)
{
  return [count, kind](ExportRig& r) {
    r.model.structureKind = kind;
    for (int i = 0; i < count; ++i)
      r.addAtom(float(i % 100), 0.0f, 0.0f);
  };
}

// Two scene lists without their atom file.
void noSceneFile(ExportRig& r)
{
  r.ctx.sceneListCount = 2;
  r.ctx.sceneAtomFile = r.path("tmp.xyz");
}

// Two scene lists whose files hold the given lines.
Prepare sceneFiles(std::string atomLines, std::string bondLines)
{
  return [atomLines, bondLines](ExportRig& r) {
    r.ctx.sceneListCount = 2;
    r.ctx.sceneAtomFile = r.dir.write("tmp.xyz", atomLines).string();
    r.ctx.sceneBondFile = r.dir.write("tmp.zyx", bondLines).string();
  };
}

Prepare atomAt(float x, float y = 0.0f)
{
  return [x, y](ExportRig& r) {
    r.addAtom(0.0f, 0.0f, 0.0f);
    r.addAtom(x, y, 1.0f);
    r.addBond(0, 1);
  };
}

const float nan = std::numeric_limits<float>::quiet_NaN();
const std::string xmolRange = "XMOL-File only supports coordinates from -999.999999 to 9999.999999";
const std::string molRange = "MOL-File only supports coordinates from -9999.9999 to 99999.9999";
const std::string pdbRange = "PDB-File only supports coordinates from -999.999 to 9999.999";
const std::string bondRange = "Bonds-File only supports coordinates from -999.9999 to 9999.9999";
const std::string mlmRange = "MLM-File only supports coordinates from -99999999 to 99999999";
const std::string cifRange = "CIF-File only supports finite coordinates";
const std::string vrmlRange = "VRML-File only supports finite coordinates";
const float inf = std::numeric_limits<float>::infinity();
const std::string threeFields = " 1  2  3  3  0 \r\n 1  2  3 \r\n";

std::vector<std::string> folderEntries(const std::filesystem::path& dir)
{
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(dir))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

TEST(ExportFailureTest, badInputLeavesThePreviousFile)
{
  struct Case {
    const char* name;
    Prepare setup;
    Writer write;
    std::string message;
  };
  const Case cases[] = {
      {"XMOL low", atomAt(-1000.0f), xmol, xmolRange},
      {"XMOL high", atomAt(10000.0f), xmol, xmolRange},
      {"XMOL NaN", atomAt(0.0f, nan), xmol, xmolRange},
      {"MOL high", atomAt(100000.0f), mol, molRange},
      {"MOL low", atomAt(-10000.0f), mol, molRange},
      {"MOL NaN", atomAt(nan), mol, molRange},
      {"PDB low", atomAt(-1000.0f), pdb, pdbRange},
      {"PDB high", atomAt(10000.0f), pdb, pdbRange},
      {"PDB NaN", atomAt(nan), pdb, pdbRange},
      {"bonds low", atomAt(-1000.0f), bonds, bondRange},
      {"bonds high", atomAt(10000.0f), bonds, bondRange},
      {"bonds NaN", atomAt(0.0f, nan), bonds, bondRange},
      {"MOL atoms",
       [](ExportRig& r) {
         for (int i = 0; i < 1000; ++i)
           r.addAtom(0.0f, 0.0f, 0.0f);
       },
       mol, "MOL-File only supports up to 999 atoms"},
      {"MOL bond order", atomAt(1.0f),
       [](ExportRig& r, const std::string& p) {
         r.prompts.answerInput("100");
         exportMOL(r.ctx, p);
       },
       "MOL-File only supports bond orders up to 99"},
      {"MOL huge bond order", atomAt(1.0f),
       [](ExportRig& r, const std::string& p) {
         r.prompts.answerInput("1e999");
         exportMOL(r.ctx, p);
       },
       "MOL-File only supports bond orders up to 99"},
      {"PDB part",
       [](ExportRig& r) {
         r.model.partsFlag = true;
         r.ctx.partFile = r.path("gone.pdb");
       },
       pdb, ""},
      {"MOL bond outside", [](ExportRig& r) { atomAt(1.0f)(r), r.addBond(1, 5); }, mol,
       "Bond 2 names atom 6, outside the 2 atoms of the structure"},
      {"PDB bond outside", [](ExportRig& r) { atomAt(1.0f)(r), r.addBond(-1, 1); }, pdb,
       "Bond 2 names atom 0, outside the 2 atoms of the structure"},
      {"bonds bond outside", [](ExportRig& r) { atomAt(1.0f)(r), r.addBond(1, 2); }, bonds,
       "Bond 2 names atom 3, outside the 2 atoms of the structure"},
      {"PDB three fields",
       [](ExportRig& r) {
         r.ctx.sceneListCount = 2;
         r.ctx.sceneAtomFile = r.dir.write("tmp.xyz", " 1  2  3  3  0 \r\n 1  2  3 \r\n").string();
       },
       pdb, ""},
      {"PDB scene file missing", noSceneFile, pdb, ""},
      {"MLM 10001 atoms", atomRow(10001), mlm, "MLM-File only supports atom IDs up to 9999"},
      {"MLM cage to ID 10000", atomRow(10001, 8), mlm, "MLM-File only supports atom IDs up to 9999"},
      {"MLM x of 10^9", atomAt(1e9f), mlm, mlmRange},
      {"MLM x of 10^8 before a y of -3", atomAt(1e8f, -3.0f), mlm, mlmRange},
      {"MLM NaN", atomAt(nan), mlm, mlmRange},
      {"MLM bond outside", [](ExportRig& r) { atomAt(1.0f)(r), r.addBond(0, 2); }, mlm,
       "Bond 2 names atom 3, outside the 2 atoms of the structure"},
      {"CIF NaN", atomAt(nan), cif, cifRange},
      {"VRML 2.0 infinity", atomAt(0.0f, inf), vrml2, vrmlRange},
      {"VRML 1.0 infinity", atomAt(inf), vrml1, vrmlRange},
      {"VRML bond outside", [](ExportRig& r) { atomAt(1.0f)(r), r.addBond(2, 0); }, vrml2,
       "Bond 2 names atom 3, outside the 2 atoms of the structure"},
      {"MLM three fields", sceneFiles(threeFields, ""), mlm, ""},
      {"CIF three fields", sceneFiles(threeFields, ""), cif, ""},
      {"VRML three fields", sceneFiles(threeFields, ""), vrml2,
       "Line 2 of the scene file \"{dir}/tmp.xyz\" has 3 fields; 5 are needed."},
      {"VRML six bond fields", sceneFiles(" 1  2  3  3  0 \r\n", " 0  0  0  1  1  1 \r\n"), vrml1,
       "Line 1 of the scene file \"{dir}/tmp.zyx\" has 6 fields; 5, 7 or 8 are expected."},
      {"MLM scene file missing", noSceneFile, mlm, ""},
      {"CIF scene file missing", noSceneFile, cif, ""},
      {"VRML scene file missing", noSceneFile, vrml2, ""},
  };
  for (const Case& c : cases) {
    ExportRig rig;
    c.setup(rig);
    const std::string path = rig.dir.write("target.txt", "old bytes\r\n").string();
    const auto before = folderEntries(rig.dir.path());
    try {
      c.write(rig, path);
      ADD_FAILURE() << c.name << ": no error";
    } catch (const RuntimeError& e) {
      std::string message = c.message;
      if (const auto at = message.find("{dir}"); at != std::string::npos)
        message.replace(at, 5, rig.dir.path().string());
      if (!message.empty())
        EXPECT_EQ(std::string(e.what()), message) << c.name;
      else if (rig.model.partsFlag)
        EXPECT_EQ(std::string(e.what()), "Could not read " + rig.ctx.partFile) << c.name;
      else
        EXPECT_NE(std::string(e.what()).find(rig.ctx.sceneAtomFile), std::string::npos)
            << c.name << ": " << e.what();
    }
    EXPECT_EQ(readBytes(path), "old bytes\r\n") << c.name;
    EXPECT_EQ(folderEntries(rig.dir.path()), before) << c.name;
    EXPECT_EQ(rig.prompts.waitDepth, 0) << c.name;
  }
}

TEST(ExportFailureTest, aTargetThatCannotBeWrittenNamesThePath)
{
  const std::pair<const char*, Writer> writers[] = {
      {"XMOL", xmol}, {"MOL", mol},   {"PDB", pdb},         {"bonds", bonds},
      {"MLM", mlm},   {"CIF", cif},   {"VRML 2.0", vrml2}, {"VRML 1.0", vrml1}};
  for (const auto& [name, write] : writers) {
    ExportRig rig;
    atomAt(1.0f)(rig);
    std::filesystem::create_directory(rig.path("folder"));
    for (const std::string& path : {rig.path("missing/a.txt"), rig.path("folder")}) {
      try {
        write(rig, path);
        ADD_FAILURE() << name << " " << path << ": no error";
      } catch (const RuntimeError& e) {
        EXPECT_NE(std::string(e.what()).find(path), std::string::npos) << name << ": " << e.what();
      }
      EXPECT_EQ(folderEntries(rig.dir.path()), std::vector<std::string>{"folder"}) << name;
      EXPECT_TRUE(std::filesystem::is_empty(rig.path("folder"))) << name;
      EXPECT_EQ(rig.prompts.waitDepth, 0) << name;
    }
  }
}

// A file size limit makes the write fail part-way; the limit stays in a
// forked child so the test program keeps its own.
TEST(ExportFailureTest, aWriteFailingPartWayKeepsTheOldFile)
{
  const std::pair<const char*, Writer> writers[] = {
      {"XMOL", xmol}, {"MOL", mol},   {"PDB", pdb},         {"bonds", bonds},
      {"MLM", mlm},   {"CIF", cif},   {"VRML 2.0", vrml2}, {"VRML 1.0", vrml1}};
  for (const auto& [name, write] : writers) {
    ExportRig rig;
    for (int i = 0; i < 900; ++i) {
      rig.addAtom(float(i % 30), float(i / 30), 0.0f);
      if (i > 0)
        rig.addBond(i - 1, i);
    }
    const std::string path = rig.dir.write("target.txt", "old bytes\r\n").string();
    const pid_t child = fork();
    ASSERT_NE(child, -1);
    if (child == 0) {
      signal(SIGXFSZ, SIG_IGN);
      const rlimit limit{4096, 4096};
      setrlimit(RLIMIT_FSIZE, &limit);
      int code = 1;
      try {
        write(rig, path);
      } catch (const RuntimeError& e) {
        code = std::string(e.what()).find(path) != std::string::npos && rig.prompts.waitDepth == 0
                   ? 0
                   : 2;
      }
      _exit(code);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status)) << name;
    EXPECT_EQ(WEXITSTATUS(status), 0) << name;
    EXPECT_EQ(readBytes(path), "old bytes\r\n") << name;
    EXPECT_EQ(folderEntries(rig.dir.path()), std::vector<std::string>{"target.txt"}) << name;
  }
}

} // namespace
} // namespace tarvek::test
