// The coordinate readers on files built to exhaust memory or time: refused
// or read with the memory they need, measured in a forked child.
#include "formats/structure_readers.h"
#include "model/bond_search.h"
#include "model/neighbour_distance.h"
#include "runtime/runtime_error.h"
#include "support/child_peak_memory.h"
#include "support/fake_abort.h"
#include "support/fake_prompts.h"
#include "support/scratch_dir.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sys/resource.h>
#include <fcntl.h>
#include <functional>
#include <string>
#include <unistd.h>

namespace tarvek::test {
namespace {

constexpr long kMiB = 1024;
constexpr off_t kTwoGiB = off_t{2} << 30;
constexpr std::int32_t kMillion = 1'000'000;

// Writes head and makes the file `size` bytes long, the rest a hole of
// zeros that takes no disk.
void writeSparse(const std::filesystem::path& path, const std::string& head, off_t size)
{
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(::write(fd, head.data(), head.size()), static_cast<ssize_t>(head.size()));
  ASSERT_EQ(::ftruncate(fd, size), 0);
  ::close(fd);
}

// An XYZ/XMOL file of count carbon atoms on a sheet, with line 2 a comment.
void writeSheet(const std::filesystem::path& path, std::int32_t count, const std::string& comment)
{
  std::FILE* out = std::fopen(path.c_str(), "wb");
  ASSERT_NE(out, nullptr);
  std::fprintf(out, "%d\r\n%s\r\n", count, comment.c_str());
  for (std::int32_t i = 0; i < count; ++i)
    std::fprintf(out, "C %.6f %.6f 0.000000\r\n", 1.23 * (i % 1000), 2.13 * (i / 1000));
  std::fclose(out);
}

// The atoms a reader stored, or -1 for a refusal.
using Reader = std::function<std::int32_t(const std::string& path)>;

std::int32_t viaXYZ(const std::string& path)
{
  Model model;
  try {
    importXYZ(model, path);
  } catch (const RuntimeError&) {
    return -1;
  }
  return model.atomCount;
}

std::int32_t viaCC1(const std::string& path)
{
  Model model;
  try {
    openCC1(model, path);
  } catch (const RuntimeError&) {
    return -1;
  }
  return model.atomCount;
}

std::int32_t viaXMOL(const std::string& path)
{
  Model model;
  FakePrompts prompts;
  prompts.answerYesNo(false);
  FakeAbort abort;
  return importCoordinates(model, path, false, false, prompts, abort) ? model.atomCount : -1;
}

// Each file is refused, or read to the atoms it holds, within its memory:
// huge counts, zeros and lines never size anything by themselves.
TEST(ReaderLimitsTest, hugeFilesAreReadWithinTheirMemory)
{
  ScratchDir dir;
  const auto zeros = dir.file("zeros.xyz");
  writeSparse(zeros, "", kTwoGiB);
  const auto shortHeader = dir.file("short.xyz");
  writeSparse(shortHeader, "3\n", kTwoGiB);
  const auto million = dir.file("million.xyz");
  writeSheet(million, kMillion, "sheet");
  const auto millionCC1 = dir.file("million.cc1");
  {
    std::FILE* out = std::fopen(millionCC1.c_str(), "wb");
    ASSERT_NE(out, nullptr);
    std::fprintf(out, "%d\n", kMillion);
    for (std::int32_t i = 0; i < kMillion; ++i)
      std::fprintf(out, "C %d %.6f %.6f 0.000000 2 1 2 3\n", i + 1, 1.23 * (i % 1000),
                   2.13 * (i / 1000));
    std::fclose(out);
  }
  const auto longComment = dir.file("comment.xyz");
  writeSheet(longComment, 3, std::string(100 << 20, 'x'));
  // The model holds x, y, z and a 16-bit type an atom. The XMOL import
  // goes on to measure the bond length, whose grid needs more; its reading
  // is the same as XYZ's.
  const long modelKiB = kMillion * 14L / 1024;

  const struct {
    const char* name;
    std::filesystem::path file;
    Reader read;
    std::int32_t atoms;
    long mostKiB;
  } cases[] = {
      {"zeros, XYZ", zeros, viaXYZ, -1, 64 * kMiB},
      {"zeros, .cc1", zeros, viaCC1, -1, 64 * kMiB},
      {"zeros, XMOL", zeros, viaXMOL, -1, 64 * kMiB},
      {"3 atoms over zeros, XYZ", shortHeader, viaXYZ, -1, 64 * kMiB},
      {"3 atoms over zeros, XMOL", shortHeader, viaXMOL, -1, 64 * kMiB},
      {"10^6 atoms, XYZ", million, viaXYZ, kMillion, modelKiB + 16 * kMiB},
      {"10^6 atoms, .cc1", millionCC1, viaCC1, kMillion, modelKiB + 16 * kMiB},
      {"100 MB comment, XYZ", longComment, viaXYZ, 3, 100 * kMiB},
      {"100 MB comment, XMOL", longComment, viaXMOL, 3, 100 * kMiB},
  };
  for (const auto& c : cases) {
    const ChildRun run = runInChild([&] { return c.read(c.file.string()) == c.atoms; });
    ASSERT_TRUE(run.ended) << c.name;
    EXPECT_TRUE(run.answer) << c.name;
    EXPECT_LE(run.peakKiB, c.mostKiB) << c.name;
  }
}

// A count far beyond what the file's size holds sizes nothing: the rows
// refuse the file when they run out.
TEST(ReaderLimitsTest, countBeyondTheFileIsRefusedByItsRows)
{
  ScratchDir dir;
  const auto file = dir.write("claims.xyz", "2000000000\r\n\r\nC 0 0 0\r\nC 1 0 0\r\n");
  Model model;
  const ChildRun run = runInChild([&] {
    try {
      importXYZ(model, file.string());
    } catch (const RuntimeError& error) {
      return std::string(error.what()).ends_with("ends after 2 of its 2000000000 atoms.");
    }
    return false;
  });
  ASSERT_TRUE(run.ended);
  EXPECT_TRUE(run.answer);
  EXPECT_LE(run.peakKiB, 64 * kMiB);
}

// A file whose atoms the memory cannot hold is refused with a sentence that
// says so, not a crash: here the child's address space ends 96 MiB above
// what it holds, and the file's 8 million rows need more.
TEST(ReaderLimitsTest, atomsBeyondTheMemoryAreRefused)
{
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "the address sanitizer maps its shadow beyond any address-space limit";
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
  GTEST_SKIP() << "the address sanitizer maps its shadow beyond any address-space limit";
#endif
#endif
  ScratchDir dir;
  const auto file = dir.file("many.xyz");
  {
    std::FILE* out = std::fopen(file.c_str(), "wb");
    ASSERT_NE(out, nullptr);
    std::fprintf(out, "8000000\n\n");
    for (int i = 0; i < 8000000; ++i)
      std::fputs("C 0 0 0\n", out);
    std::fclose(out);
  }
  const ChildRun run = runInChild([&] {
    std::ifstream status("/proc/self/status");
    long heldKiB = 0;
    for (std::string line; std::getline(status, line);)
      if (line.rfind("VmSize:", 0) == 0)
        heldKiB = std::stol(line.substr(7));
    const rlimit limit{static_cast<rlim_t>((heldKiB + 96 * kMiB) * 1024),
                       static_cast<rlim_t>((heldKiB + 96 * kMiB) * 1024)};
    if (::setrlimit(RLIMIT_AS, &limit) != 0)
      return false;
    Model model;
    try {
      importXYZ(model, file.string());
    } catch (const RuntimeError& error) {
      return std::string(error.what()).ends_with("holds more atoms than the memory can take.");
    }
    return false;
  });
  ASSERT_TRUE(run.ended);
  EXPECT_TRUE(run.answer);
}

// Escape while a file is read refuses it and leaves the model alone.
TEST(ReaderLimitsTest, escapeStopsTheRead)
{
  ScratchDir dir;
  const auto file = dir.file("million.xyz");
  writeSheet(file, kMillion, "sheet");
  Model model;
  model.atomCount = 0;
  FakeAbort abort(1);
  EXPECT_THROW(importXYZ(model, file.string(), &abort), RuntimeError);
  EXPECT_EQ(model.atomCount, 0);
  EXPECT_GE(abort.polls, 1);

  FakePrompts prompts;
  FakeAbort xmolAbort(1);
  EXPECT_FALSE(importCoordinates(model, file.string(), false, false, prompts, xmolAbort));
  ASSERT_EQ(prompts.messages().size(), 1u);
  EXPECT_NE(prompts.messages()[0].text.find("stopped by Escape"), std::string::npos);
  EXPECT_EQ(model.atomCount, 0);
}

// 200,000 atoms 1e-7 Å apart along x: near-repeats. Whatever the answers,
// the import never takes their spacing as the bond length and the bond
// search refuses them as too close together, within bounded memory.
TEST(ReaderLimitsTest, nearRepeatsAreRefusedAsTooCloseTogether)
{
  std::string text = "200000\r\nnear repeats\r\n";
  for (int i = 0; i < 200000; ++i) {
    char row[64];
    std::snprintf(row, sizeof row, "C %.7f 0 0\r\n", i * 1e-7);
    text += row;
  }
  const struct {
    const char* name;
    std::initializer_list<bool> answers;
    bool quiet;
    bool previousIsTube;
  } cases[] = {
      {"a tube", {true, true}, false, false},
      {"quiet, a tube before", {true}, true, true},
      {"quiet, no tube before", {true}, true, false},
  };
  for (const auto& c : cases) {
    Model model;
    FakePrompts prompts;
    for (const bool a : c.answers)
      prompts.answerYesNo(a);
    FakeAbort abort;
    const ChildRun run = runInChild([&] {
      const auto result = importCoordinateBytes(model, text, "/data/near.xmol", c.quiet,
                                                c.previousIsTube, prompts, abort);
      const auto messages = prompts.messages();
      return result && model.atomCount == 200000 && model.bondCount == 0
             && model.bondLength > kRepeatDistance && !messages.empty()
             && messages.back().text == kTooDenseMessage;
    });
    ASSERT_TRUE(run.ended) << c.name;
    EXPECT_TRUE(run.answer) << c.name;
    EXPECT_LE(run.peakKiB, 128 * kMiB) << c.name;
  }
}

} // namespace
} // namespace tarvek::test
