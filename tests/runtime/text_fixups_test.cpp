#include "runtime/text_fixups.h"

#include "file_size_limit.h"
#include "support/scratch_dir.h"

#include <gtest/gtest.h>

#include <filesystem>

#include <fcntl.h>
#include <sys/stat.h>

namespace tarvek {
namespace {

using test::readBytes;
using test::ScratchDir;

// Writers call both, strip first, then comma.
FileStatus fixUp(const std::string& path, bool lfLineEnds, bool decimalComma)
{
  if (auto status = stripCarriageReturns(path, lfLineEnds); !status)
    return status;
  return fixDecimalComma(path, decimalComma);
}

TEST(TextFixupsTest, rewritesLineEndsAndCommasAsBytes)
{
  const struct {
    const char* bytes;
    bool lfLineEnds;
    bool decimalComma;
    const char* expected;
  } cases[] = {
    {"a,b\r\nc\r\n", true, true, "a.b\nc\n"},
    {"x\ry", true, false, "xy"},
    {"1,5\r\n", false, true, "1.5\r\n"},
    // UTF-8 passes through untouched: no code page conversion.
    {"\xC3\x85,1\r\n", true, true, "\xC3\x85.1\n"},
    {"date 1,2,3\r\n\r\n", true, true, "date 1.2.3\n\n"},
  };
  ScratchDir dir;
  for (const auto& c : cases) {
    auto path = dir.write("out.xyz", c.bytes);
    FileStatus status = fixUp(path.string(), c.lfLineEnds, c.decimalComma);
    EXPECT_TRUE(status) << status.error();
    EXPECT_EQ(readBytes(path), c.expected)
      << "bytes \"" << c.bytes << "\", lf " << c.lfLineEnds << ", comma " << c.decimalComma;
  }

  // Larger than one read block, with a CR LF pair on the block border.
  std::string big(65535, 'x');
  std::string expected = big;
  for (int i = 0; i < 30000; ++i) {
    big += "\r\n1,5";
    expected += "\n1.5";
  }
  auto path = dir.write("big.xyz", big);
  EXPECT_TRUE(fixUp(path.string(), true, true));
  EXPECT_TRUE(readBytes(path) == expected) << "a file of " << big.size() << " bytes";
}

// "Nothing happens" must mean no rewrite at all, not an identical copy.
TEST(TextFixupsTest, nothingToDoLeavesTheFileAsItIs)
{
  ScratchDir dir;
  const timespec past[2] = {{1000000000, 0}, {1000000000, 0}};
  const struct {
    const char* name;
    const char* bytes;
    bool lfLineEnds;
    bool decimalComma;
  } cases[] = {
    {"both off", "a,b\r\nc\r\n", false, false},
    {"empty file", "", true, true},
    {"nothing to change", "a.b\nc\n", true, true},
  };
  for (const auto& c : cases) {
    auto path = dir.write("out.xyz", c.bytes);
    ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), past, 0), 0);
    struct stat before {};
    ::stat(path.c_str(), &before);

    FileStatus status = fixUp(path.string(), c.lfLineEnds, c.decimalComma);
    EXPECT_TRUE(status) << c.name << ": " << status.error();

    struct stat after {};
    ::stat(path.c_str(), &after);
    EXPECT_EQ(after.st_ino, before.st_ino) << c.name;
    EXPECT_EQ(after.st_mtim.tv_sec, 1000000000) << c.name;
    EXPECT_EQ(readBytes(path), c.bytes) << c.name;
  }

  const auto missing = dir.file("missing.xyz");
  EXPECT_TRUE(fixUp(missing.string(), true, true));
  EXPECT_FALSE(std::filesystem::exists(missing));
}

// The old fix-ups rewrote in place and could lose the file on a full disk.
TEST(TextFixupsTest, failedRewriteReportsAndKeepsTheFile)
{
  ScratchDir dir;
  std::string bytes;
  for (int i = 0; i < 800; ++i)
    bytes += "1,5\r\n";
  const auto path = dir.write("big.xyz", bytes);

  const struct {
    const char* name;
    FileStatus (*fixup)(const std::string&, bool);
  } cases[] = {
    {"stripCarriageReturns", stripCarriageReturns},
    {"fixDecimalComma", fixDecimalComma},
  };
  for (const auto& c : cases) {
    auto error = test::runWithFileSizeLimit(1024, [&] { return c.fixup(path.string(), true).error(); });
    ASSERT_TRUE(error.has_value()) << c.name << ": the child did not finish";
    EXPECT_NE(error->find(path.string()), std::string::npos) << c.name << ": \"" << *error << "\"";
    EXPECT_EQ(readBytes(path), bytes) << c.name;
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()),
                            std::filesystem::directory_iterator()),
              1)
      << c.name << ": a temporary file was left";
  }
}

} // namespace
} // namespace tarvek
