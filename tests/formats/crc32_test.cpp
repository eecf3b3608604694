#include "formats/crc32.h"
#include "support/scratch_dir.h"

#include <gtest/gtest.h>

#include <random>
#include <zlib.h>

namespace tarvek::test {
namespace {

std::vector<std::uint8_t> bytesOf(const std::string& text)
{
  return {text.begin(), text.end()};
}

TEST(Crc32Test, knownValuesInEveryForm)
{
  const clCRC32 crc;
  struct Case {
    std::string bytes;
    std::string hex;
    std::string decimal;
  };
  const Case cases[] = {
      {"123456789", "cbf43926", "73187034"},
      {std::string(1, '\0'), "d202ef8d", "71559539"},
      {"a", "e8b7be43", "90611389"},
      {"62", "0012d20a", "01233418"},
      {"665", "00081566", "00529766"},
  };
  ScratchDir dir;
  for (const Case& c : cases) {
    EXPECT_EQ(crc.GetCrc32HexStringBytes(bytesOf(c.bytes)), c.hex) << c.hex;
    EXPECT_EQ(crc.GetCrc32LngStringBytes(bytesOf(c.bytes)), c.decimal) << c.hex;
    const std::string file = dir.write("part", c.bytes).string();
    EXPECT_EQ(crc.GetCrc32HexString(file), c.hex);
  }
  const std::string file = dir.write("check", "123456789").string();
  EXPECT_EQ(crc.GetCrc32(file), -873187034);
}

TEST(Crc32Test, emptyAndMissingFilesAndEmptyArrays)
{
  const clCRC32 crc;
  ScratchDir dir;
  const std::string empty = dir.write("empty", "").string();
  EXPECT_EQ(crc.getFileBytes(empty), std::vector<std::uint8_t>{0});
  EXPECT_EQ(crc.GetCrc32HexString(empty), "d202ef8d");
  const std::string missing = dir.file("missing").string();
  EXPECT_TRUE(crc.getFileBytes(missing).empty());
  EXPECT_EQ(crc.GetCrc32(missing), std::nullopt);
  EXPECT_EQ(crc.GetCrc32HexString(missing), std::nullopt);
  EXPECT_EQ(crc.GetCrc32HexString(dir.path().string()), std::nullopt);
  EXPECT_EQ(crc.GetCrc32HexStringBytes({}), std::nullopt);
  EXPECT_EQ(crc.GetCrc32LngStringBytes({}), std::nullopt);
}

TEST(Crc32Test, randomBuffersMatchZlib)
{
  const clCRC32 crc;
  std::mt19937 random(12);
  ScratchDir dir;
  for (const std::size_t size : {1u, 2u, 3u, 255u, 4096u, 100000u}) {
    std::vector<std::uint8_t> bytes(size);
    for (auto& b : bytes)
      b = static_cast<std::uint8_t>(random());
    const auto expected = static_cast<std::uint32_t>(
        crc32(crc32(0L, Z_NULL, 0), bytes.data(), static_cast<uInt>(bytes.size())));
    const std::string file = dir.write("random", std::string(bytes.begin(), bytes.end())).string();
    EXPECT_EQ(crc.GetCrc32(file), static_cast<std::int32_t>(expected)) << size;
    EXPECT_EQ(crc.GetCrc32HexStringBytes(bytes), crc.GetCrc32HexString(file)) << size;
  }
}

} // namespace
} // namespace tarvek::test
