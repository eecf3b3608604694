#include "runtime/atomic_file.h"
#include "runtime/print_form.h"
#include "runtime/text_file_writer.h"

#include "file_size_limit.h"
#include "support/scratch_dir.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <set>
#include <system_error>

#include <sys/stat.h>
#include <unistd.h>

namespace tarvek {
namespace {

namespace fs = std::filesystem;
using test::readBytes;
using test::ScratchDir;

std::set<std::string> namesIn(const fs::path& folder)
{
  std::set<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder))
    names.insert(entry.path().filename().string());
  return names;
}

mode_t permissionsOf(const fs::path& path)
{
  struct stat info {};
  ::stat(path.c_str(), &info);
  return info.st_mode & 07777;
}

class UmaskGuard {
public:
  explicit UmaskGuard(mode_t mask) : m_old(::umask(mask)) {}
  ~UmaskGuard() { ::umask(m_old); }

private:
  mode_t m_old;
};

// The old program wrote CR LF; files must read the same elsewhere.
TEST(TextFileWriterTest, everyLineEndsInCrLf)
{
  ScratchDir dir;
  const auto path = dir.file("out.txt");
  std::string expected;
  {
    TextFileWriter writer(path.string());
    for (const char* line : {"a", "", " 1.5           2 "}) {
      writer.writeLine(line);
      expected += std::string(line) + "\r\n";
    }
    // Enough to pass the writer's buffer several times.
    for (int i = 0; i < 20000; ++i) {
      std::string line = "line " + std::to_string(i);
      writer.writeLine(line);
      expected += line + "\r\n";
    }
    FileStatus status = writer.commit();
    ASSERT_TRUE(status) << status.error();
  }
  EXPECT_EQ(readBytes(path), expected);
  EXPECT_EQ(namesIn(dir.path()), std::set<std::string>{"out.txt"});
}

// The "LINUX / UNIX line breaks" option asks for LF alone.
TEST(TextFileWriterTest, lfLineEndsWhenAskedFor)
{
  ScratchDir dir;
  const auto path = dir.file("out.txt");
  TextFileWriter writer(path.string(), true);
  writer.writeLine("a");
  writer.writeLine("");
  ASSERT_TRUE(writer.commit());
  EXPECT_EQ(readBytes(path), "a\n\n");
}

// Scene-style lines keep their print zones in the file, byte for byte.
TEST(TextFileWriterTest, printLinesReachTheFileUnchanged)
{
  PrintLine atom;
  atom << 1.5f << -2.25f << 12.0f << std::int16_t{3} << std::int32_t{7} << std::int32_t{255};
  PrintLine small;
  small << 1.234568E-05f << std::int16_t{2};
  PrintLine texts;
  texts << "C" << "12345678901234" << "1";

  ScratchDir dir;
  const auto path = dir.file("scene.dat");
  TextFileWriter writer(path.string());
  for (const PrintLine* line : {&atom, &small, &texts})
    writer.writeLine(line->str());
  FileStatus status = writer.commit();
  ASSERT_TRUE(status) << status.error();
  EXPECT_EQ(readBytes(path),
            " 1.5          -2.25          12            3             7             255 \r\n"
            " 1.234568E-05                2 \r\n"
            "C             12345678901234              1\r\n");
}

// A save abandoned half-way (an error, an Escape) must not harm the old file.
TEST(TextFileWriterTest, uncommittedWriterLeavesOldFileAndNoTemporary)
{
  ScratchDir dir;
  const auto old = dir.write("old.xyz", "old\r\ncontent\r\n");
  {
    TextFileWriter writer(old.string());
    writer.writeLine("new");
  }
  {
    TextFileWriter writer(dir.file("fresh.xyz").string());
    writer.writeLine("never committed");
  }
  EXPECT_EQ(readBytes(old), "old\r\ncontent\r\n");
  EXPECT_EQ(namesIn(dir.path()), std::set<std::string>{"old.xyz"});
}

// The user must learn which file failed and why, not just "error".
TEST(AtomicFileTest, unreachableFolderFailsNamingThePathAndReason)
{
  ScratchDir dir;
  const auto file = dir.write("plain.txt", "x");
  fs::create_symlink("b", dir.file("a"));
  fs::create_symlink("a", dir.file("b"));
  const struct {
    std::string path;
    int reason;
  } cases[] = {
    {dir.file("missing/out.xyz").string(), ENOENT},
    {(file / "out.xyz").string(), ENOTDIR},
    {dir.file("a").string(), ELOOP},
    {"", ENOENT},
  };
  for (const auto& c : cases) {
    TextFileWriter writer(c.path);
    writer.writeLine("data");
    FileStatus status = writer.commit();
    ASSERT_FALSE(status) << "path \"" << c.path << "\"";
    EXPECT_NE(status.error().find("\"" + c.path + "\""), std::string::npos) << status.error();
    EXPECT_NE(status.error().find(std::generic_category().message(c.reason)), std::string::npos)
      << status.error();

    FileStatus whole = writeFileAtomic(c.path, "data");
    EXPECT_EQ(whole.error(), status.error()) << "path \"" << c.path << "\"";
  }
  EXPECT_EQ(namesIn(dir.path()), (std::set<std::string>{"a", "b", "plain.txt"}));
}

// A full disk must not leave a truncated file in place of the old one.
TEST(AtomicFileTest, failedWriteKeepsOldFileAndRemovesTemporary)
{
  ScratchDir dir;
  const auto path = dir.write("scene.dat", "old\r\n");
  const std::string fourKb(4096, 'x');

  const struct {
    const char* how;
    std::function<FileStatus()> save;
  } cases[] = {
    {"TextFileWriter",
     [&] {
       TextFileWriter writer(path.string());
       for (int i = 0; i < 64; ++i)
         writer.writeLine(fourKb.substr(0, 62));
       return writer.commit();
     }},
    {"writeFileAtomic", [&] { return writeFileAtomic(path.string(), fourKb); }},
  };
  for (const auto& c : cases) {
    auto error = test::runWithFileSizeLimit(1024, [&] { return c.save().error(); });
    ASSERT_TRUE(error.has_value()) << c.how << ": the child did not finish";
    EXPECT_NE(error->find(path.string()), std::string::npos) << c.how << ": " << *error;
    EXPECT_NE(error->find(std::generic_category().message(EFBIG)), std::string::npos)
      << c.how << ": " << *error;
    EXPECT_EQ(readBytes(path), "old\r\n") << c.how;
    EXPECT_EQ(namesIn(dir.path()), std::set<std::string>{"scene.dat"}) << c.how;
  }
}

// A temporary file starts as 0600; the saved file must look like any other.
TEST(AtomicFileTest, newFileGetsUmaskModeAndReplacedFileKeepsItsMode)
{
  ScratchDir dir;
  for (mode_t mask : {mode_t(022), mode_t(027), mode_t(0)}) {
    UmaskGuard guard(mask);
    const auto path = dir.file("new-" + std::to_string(mask));
    ASSERT_TRUE(writeFileAtomic(path.string(), "x"));
    EXPECT_EQ(permissionsOf(path), 0666 & ~mask) << "umask " << std::oct << mask;
  }

  const auto old = dir.write("shared.xyz", "old");
  ::chmod(old.c_str(), 0604);
  ASSERT_TRUE(writeFileAtomic(old.string(), "new"));
  EXPECT_EQ(permissionsOf(old), 0604u);
  EXPECT_EQ(readBytes(old), "new");
}

// A rename could replace a file the user protected; root may write anything.
TEST(AtomicFileTest, writeProtectedFileIsRefused)
{
  if (::geteuid() == 0)
    GTEST_SKIP() << "root may write a write-protected file";
  ScratchDir dir;
  const auto path = dir.write("kept.xyz", "old");
  ::chmod(path.c_str(), 0444);
  FileStatus status = writeFileAtomic(path.string(), "new");
  ASSERT_FALSE(status);
  EXPECT_NE(status.error().find(std::generic_category().message(EACCES)), std::string::npos)
    << status.error();
  EXPECT_EQ(readBytes(path), "old");
  EXPECT_EQ(namesIn(dir.path()), std::set<std::string>{"kept.xyz"});
}

// Renaming over a link would turn it into a plain file and orphan its target.
TEST(AtomicFileTest, symbolicLinkStaysALinkToTheNewContent)
{
  ScratchDir dir;
  fs::create_directory(dir.file("real"));
  const auto target = dir.write("real/data.xyz", "old");
  const auto absoluteLink = dir.file("absolute.xyz");
  const auto relativeLink = dir.file("relative.xyz");
  const auto chained = dir.file("chained.xyz");
  fs::create_symlink(target, absoluteLink);
  fs::create_symlink("real/data.xyz", relativeLink);
  fs::create_symlink("relative.xyz", chained);

  for (const auto& link : {absoluteLink, relativeLink, chained}) {
    const std::string content = "saved through " + link.filename().string();
    TextFileWriter writer(link.string());
    writer.writeLine(content);
    ASSERT_TRUE(writer.commit()) << link;
    EXPECT_TRUE(fs::is_symlink(link)) << link;
    EXPECT_EQ(readBytes(target), content + "\r\n") << link;
  }
  EXPECT_EQ(fs::read_symlink(relativeLink), "real/data.xyz");
  EXPECT_EQ(namesIn(dir.file("real")), std::set<std::string>{"data.xyz"});
}

} // namespace
} // namespace tarvek
