#include "formats/structure_readers.h"
#include "model/element_display_recorder.h"
#include "runtime/file_status.h"
#include "runtime/number_parse.h"
#include "runtime/random_source.h"
#include "runtime/runtime_error.h"
#include "runtime/split.h"
#include "support/model_filler.h"
#include "support/scratch_dir.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <sstream>

#include <sys/stat.h>

namespace tarvek::test {
namespace {

namespace fs = std::filesystem;

// expected.txt: "error <text>" with <path> for the quoted input path; or
// "title t", an optional "elements e" (rest of the line, trailing blank
// kept), then "type x y z" per atom.
struct Expected {
  std::string error;
  std::string title;
  std::string elements;
  std::vector<std::array<double, 4>> atoms;
};

Expected loadExpected(const std::string& text, const std::string& path)
{
  Expected e;
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line)) {
    if (line.starts_with("error ")) {
      e.error = line.substr(6);
      const auto at = e.error.find("<path>");
      if (at != std::string::npos)
        e.error.replace(at, 6, "\"" + path + "\"");
    } else if (line.starts_with("title ")) {
      e.title = line.substr(6);
    } else if (line.starts_with("elements ")) {
      e.elements = line.substr(9);
    } else if (!line.empty()) {
      const auto f = splitSpaces(line);
      e.atoms.push_back({Val(f.at(0)), Val(f.at(1)), Val(f.at(2)), Val(f.at(3))});
    }
  }
  return e;
}

// The reader for a file, by its extension.
ImportedStructure readInto(Model& model, const fs::path& file)
{
  static ElementDisplayRecorder display;
  static RandomSource random;
  const std::string ext = file.extension().string();
  if (ext == ".xyz")
    return importXYZ(model, file.string());
  if (ext == ".cc1")
    return openCC1(model, file.string());
  if (ext == ".pdb")
    return importPDB(model, file.string(), display, random);
  return importAtomTable(model, file.string(), display, random);
}

// A model that already shows something, so a refusal can be seen to keep it.
Model filledModel()
{
  ModelFiller f;
  f.addAtom(1.0f, 2.0f, 3.0f, 1);
  f.addAtom(2.0f, 2.0f, 3.0f, 2);
  f.addAtom(9.0f, 9.0f, 9.0f, 3);
  f.addBond(0, 1);
  f.model.structureKind = 1;
  f.model.bondLength = 1.42f;
  return f.model;
}

struct FileStamp {
  std::string bytes;
  timespec modified{};
  bool operator==(const FileStamp& o) const
  {
    return bytes == o.bytes && modified.tv_sec == o.modified.tv_sec
           && modified.tv_nsec == o.modified.tv_nsec;
  }
};

FileStamp stampOf(const fs::path& file)
{
  FileStamp s;
  s.bytes = readBytes(file);
  struct stat st {};
  ::stat(file.c_str(), &st);
  s.modified = st.st_mtim;
  return s;
}

// Each case folder holds one input file and what reading it must give;
// the reader never changes its input, and a refusal never changes the model.
TEST(ReaderCasesTest, everyCaseFolderReadsAsExpected)
{
  const fs::path root = fs::path(TARVEK_TEST_SOURCE_DIR) / "fixtures/formats/readers";
  int cases = 0;
  for (const auto& folder : fs::directory_iterator(root)) {
    fs::path input;
    for (const auto& f : fs::directory_iterator(folder.path()))
      if (f.path().filename() != "expected.txt")
        input = f.path();
    const std::string name = folder.path().filename().string();
    ASSERT_FALSE(input.empty()) << name;
    ++cases;
    const Expected expected =
        loadExpected(readBytes(folder.path() / "expected.txt"), input.string());
    const FileStamp before = stampOf(input);

    Model model = filledModel();
    const Model copy = model;
    if (!expected.error.empty()) {
      try {
        readInto(model, input);
        ADD_FAILURE() << name << ": read without the expected refusal";
      } catch (const RuntimeError& e) {
        EXPECT_EQ(e.what(), expected.error) << name;
      }
      EXPECT_TRUE(model == copy) << name << ": a refusal changed the model";
    } else {
      const ImportedStructure got = readInto(model, input);
      EXPECT_EQ(got.title, expected.title) << name;
      EXPECT_EQ(got.elements, expected.elements) << name;
      ASSERT_EQ(model.atomCount, static_cast<std::int32_t>(expected.atoms.size())) << name;
      EXPECT_EQ(model.atomX.size(), expected.atoms.size()) << name;
      EXPECT_EQ(model.atomType.size(), expected.atoms.size()) << name;
      EXPECT_EQ(model.structureKind, 6) << name;
      EXPECT_EQ(model.bondCount, 0) << name;
      EXPECT_TRUE(model.bondAtom1.empty()) << name;
      for (std::size_t i = 0; i < expected.atoms.size(); ++i) {
        const auto& a = expected.atoms[i];
        EXPECT_EQ(model.atomType[i], a[0]) << name << " atom " << i;
        EXPECT_NEAR(model.atomX[i], a[1], 1e-5) << name << " atom " << i;
        EXPECT_NEAR(model.atomY[i], a[2], 1e-5) << name << " atom " << i;
        EXPECT_NEAR(model.atomZ[i], a[3], 1e-5) << name << " atom " << i;
      }
    }
    EXPECT_TRUE(stampOf(input) == before) << name << ": the input changed";
  }
  EXPECT_GT(cases, 0);
}

// A path that cannot be read gives the runtime's sentence and keeps the model.
TEST(ReaderCasesTest, unreadablePathNamesTheFile)
{
  ScratchDir dir;
  const std::string missing = dir.file("gone.xyz").string();
  Model model = filledModel();
  const Model copy = model;
  try {
    importXYZ(model, missing);
    ADD_FAILURE() << "read a missing file";
  } catch (const RuntimeError& e) {
    EXPECT_EQ(std::string(e.what()), fileErrorText("Could not read", missing, ENOENT));
  }
  EXPECT_TRUE(model == copy);
}

} // namespace
} // namespace tarvek::test
