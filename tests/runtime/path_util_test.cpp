#include "runtime/path_util.h"

#include "support/scoped_env.h"
#include "support/scratch_dir.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>

namespace tarvek {
namespace {

using test::ScratchDir;

struct PathCase {
  const char* path;
  const char* expected;
};

TEST(PathUtilTest, splitsPathsAtTheLastSlash)
{
  const PathCase addSlash[] = {{"", "/"}, {"/a/b", "/a/b/"}, {"/a/b/", "/a/b/"}};
  for (const auto& c : addSlash)
    EXPECT_EQ(addBackslash(c.path), c.expected) << "addBackslash \"" << c.path << "\"";

  const PathCase name[] = {{"/a/b/c.xyz", "c.xyz"}, {"/a/b/", ""}, {"c.xyz", "c.xyz"}, {"", ""}};
  for (const auto& c : name)
    EXPECT_EQ(getFileName(c.path), c.expected) << "getFileName \"" << c.path << "\"";

  const PathCase folder[] = {{"/a/b/c.xyz", "/a/b/"}, {"c.xyz", "c.xyz"}, {"", ""}, {"/x", "/"}};
  for (const auto& c : folder)
    EXPECT_EQ(getFilePath(c.path), c.expected) << "getFilePath \"" << c.path << "\"";
}

// A dot in a folder name must not cut the path (the old search ran over the
// whole path and would give "/home/u/v1").
TEST(PathUtilTest, stripFileExtRemovesOneExtensionOfTheLastComponent)
{
  const PathCase cases[] = {
    {"/a/b/tube.xyz", "/a/b/tube"},
    {"tube.tar.gz", "tube.tar"},
    {"/home/u/v1.2/tube", "/home/u/v1.2/tube"},
    {"tube", "tube"},
    {"", ""},
  };
  for (const auto& c : cases)
    EXPECT_EQ(stripFileExt(c.path), c.expected) << "stripFileExt \"" << c.path << "\"";
}

TEST(PathUtilTest, appPathPrefersOverrideThenInstallThenSourceData)
{
  ScratchDir dir;
  const std::string prefix = dir.path().string();
  std::filesystem::create_directories(dir.file("share/tarvek"));
  std::filesystem::create_directories(dir.file("bin"));
  std::filesystem::create_directories(dir.file("build/bin"));

  EXPECT_EQ(chooseAppPath("/opt/data", prefix + "/bin"), "/opt/data/");
  EXPECT_EQ(chooseAppPath("", prefix + "/bin"), prefix + "/share/tarvek/");
  EXPECT_EQ(chooseAppPath("", prefix + "/build/bin"), TARVEK_SOURCE_DATA_DIR "/");
  EXPECT_EQ(chooseAppPath("", ""), TARVEK_SOURCE_DATA_DIR "/");
}

// The test binary sits in the build tree, where no share/tarvek exists.
TEST(PathUtilTest, appPathReadsTheEnvironment)
{
  {
    test::ScopedEnv env("TARVEK_DATA_DIR", "/srv/tarvek");
    EXPECT_EQ(appPath(), "/srv/tarvek/");
  }
  test::ScopedEnv env("TARVEK_DATA_DIR", std::nullopt);
  EXPECT_EQ(appPath(), TARVEK_SOURCE_DATA_DIR "/");
}

TEST(PathUtilTest, executableFolderHoldsTheRunningTest)
{
  const std::string folder = executableFolder();
  ASSERT_FALSE(folder.empty());
  EXPECT_NE(folder.back(), '/');
  EXPECT_TRUE(std::filesystem::is_regular_file(std::filesystem::path(folder)
                                               / program_invocation_short_name));
}

} // namespace
} // namespace tarvek
