#include "platform/temp_folder.h"
#include "runtime/runtime_error.h"
#include "support/scoped_env.h"
#include "support/scratch_dir.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sys/stat.h>

namespace tarvek {
namespace {

namespace fs = std::filesystem;

using test::ScopedEnv;

mode_t permissions(const fs::path& p)
{
  struct stat st {};
  EXPECT_EQ(::stat(p.c_str(), &st), 0) << p;
  return st.st_mode & 07777;
}

// Each process gets its own private folder, so fixed file names never clash.
TEST(TempFolderTest, privateFolderPerObjectUnderTmp)
{
  test::ScratchDir tmp;
  ScopedEnv env("TMP", tmp.path().string());
  TempFolder a;
  TempFolder b;
  EXPECT_NE(a.folder(), b.folder());
  for (const TempFolder* t : {&a, &b}) {
    EXPECT_EQ(t->folder().parent_path(), tmp.path());
    EXPECT_TRUE(fs::is_directory(t->folder()));
    EXPECT_EQ(permissions(t->folder()), 0700u) << t->folder();
  }
  EXPECT_EQ(a.path("tmp.xyz"), (a.folder() / "tmp.xyz").string());
}

TEST(TempFolderTest, destructionRemovesFolderAndContents)
{
  test::ScratchDir tmp;
  ScopedEnv env("TMP", tmp.path().string());
  fs::path folder;
  {
    TempFolder t;
    folder = t.folder();
    std::ofstream(t.path("tmp.xyz")) << "C 0 0 0\r\n";
    fs::create_directory(t.path("sub"));
    std::ofstream(fs::path(t.path("sub")) / "x") << "x";
    ASSERT_TRUE(fs::exists(fs::path(t.path("sub")) / "x"));
  }
  EXPECT_FALSE(fs::exists(folder));
  EXPECT_TRUE(fs::is_directory(tmp.path()));
}

// $TMP counts only when it names a folder; then $TMPDIR, then /tmp.
TEST(TempFolderTest, fallsBackWhenTmpNamesNoFolder)
{
  test::ScratchDir system;
  test::ScratchDir other;
  std::string file = other.write("plain-file", "x").string();
  std::string missing = (other.path() / "missing").string();
  for (const auto& tmp : {missing, file, std::string()}) {
    ScopedEnv envTmp("TMP", tmp);
    {
      ScopedEnv envTmpdir("TMPDIR", system.path().string());
      TempFolder t;
      EXPECT_EQ(t.folder().parent_path(), system.path()) << "TMP=" << tmp;
    }
    ScopedEnv envTmpdir("TMPDIR", missing);
    TempFolder t;
    EXPECT_EQ(t.folder().parent_path(), fs::path("/tmp")) << "TMP=" << tmp;
  }
}

// A folder nobody may create anything in, root included.
TEST(TempFolderTest, failureIsReportedNamingTheFolder)
{
  ScopedEnv env("TMP", std::string("/proc"));
  try {
    TempFolder t;
    FAIL() << "made a folder in /proc: " << t.folder();
  } catch (const RuntimeError& e) {
    EXPECT_NE(std::string(e.what()).find("/proc"), std::string::npos) << e.what();
  }
}

} // namespace
} // namespace tarvek
