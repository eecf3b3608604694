#include "shell/part_library.h"

#include "formats/crc32.h"

#include <gtest/gtest.h>

#include <string>

namespace tarvek {
namespace {

std::string fixture(const std::string& name)
{
  return std::string(TARVEK_TEST_SOURCE_DIR) + "/shell/fixtures/parts/" + name + "/";
}

std::string hex(const std::string& bytes)
{
  static const char* const digits = "0123456789abcdef";
  std::string out;
  for (unsigned char c : bytes) {
    out += digits[c >> 4];
    out += digits[c & 15];
  }
  return out;
}

// The scrambling is its own inverse over any bytes, NUL included, and
// matches the shipped key's bytes.
TEST(PartLibraryTest, xorWithTheKeyScramblesAndUnscrambles)
{
  const std::string clear = "x|Test part|test.pdb|cbf43926#";
  const std::string scrambled = xorWithKey(clear, kPartMenuKey);
  EXPECT_EQ(hex(scrambled), "080d2629121a452f5941040d0629121a4b2f5c510c12102a555d5c6d0e10");
  EXPECT_EQ(xorWithKey(scrambled, kPartMenuKey), clear);
  const std::string withNul("a\0b\0pqrLane_83", 14);
  EXPECT_EQ(xorWithKey(xorWithKey(withNul, kPartMenuKey), kPartMenuKey), withNul);
  EXPECT_EQ(xorWithKey(clear, ""), clear);
}

// Records split at "#" and "|"; a last piece under 10 characters is a
// remainder, not a record.
TEST(PartLibraryTest, parsesRecordsAndDropsTheShortRemainder)
{
  const auto records = parsePartMenu("1|One|one.pdb|0000000a#2|Two|two.pdb|0000000b#\r\n");
  ASSERT_EQ(records.size(), 2u);
  EXPECT_EQ(records[1], (std::vector<std::string>{"2", "Two", "two.pdb", "0000000b"}));
  EXPECT_EQ(parsePartMenu("1|One|one.pdb|0000000a").size(), 1u);
  EXPECT_EQ(parsePartMenu("1|One|one.pdb|0000000a#x|y").size(), 1u);
  EXPECT_TRUE(parsePartMenu("").empty());
}

// Hostile menus give records and no crash: truncated, NUL bytes, no "|",
// and a hundred thousand records.
TEST(PartLibraryTest, hostileMenusParse)
{
  EXPECT_EQ(parsePartMenu("1|One|one.p").size(), 1u);
  using namespace std::string_literals;
  const auto nul = parsePartMenu("1|O\0e|one.pdb|0\0"s + "00000a#");
  ASSERT_EQ(nul.size(), 1u);
  EXPECT_EQ(nul[0][1], std::string("O\0e", 3));
  const auto bare = parsePartMenu("no separators at all here#");
  ASSERT_EQ(bare.size(), 1u);
  EXPECT_EQ(bare[0].size(), 1u);
  std::string many;
  for (int i = 0; i < 100000; ++i)
    many += std::to_string(i) + "|Part|part.pdb|00000000#";
  const auto records = parsePartMenu(xorWithKey(xorWithKey(many, kPartMenuKey), kPartMenuKey));
  ASSERT_EQ(records.size(), 100000u);
  EXPECT_EQ(records.back()[0], "99999");
}

// Items keep their record's index, so a missing part leaves a gap before
// the separator and "Edit Colors"; a CRC written in capitals matches.
TEST(PartLibraryTest, vetsThePartsInRecordOrder)
{
  const clCRC32 crc;
  const PartLibrary gap = vetPartLibrary(fixture("second_missing"), crc);
  ASSERT_TRUE(gap.shown);
  ASSERT_EQ(gap.items.size(), 2u);
  EXPECT_EQ(gap.items[0].index, 0);
  EXPECT_EQ(gap.items[0].caption, "Part A");
  EXPECT_EQ(gap.items[0].path, fixture("second_missing") + "lib/IMM/a.pdb");
  EXPECT_EQ(gap.items[1].index, 2);
  EXPECT_EQ(gap.items[1].caption, "Part C");
  EXPECT_EQ(gap.recordCount, 3);

  const PartLibrary upper = vetPartLibrary(fixture("upper_case_crc"), crc);
  EXPECT_TRUE(upper.shown);
  EXPECT_EQ(upper.items.size(), 1u);
}

TEST(PartLibraryTest, hiddenWithoutAMenuACompleteRecordOrAMatchingCrc)
{
  const clCRC32 crc;
  for (const char* name : {"wrong_crc", "empty_menu", "no_menu", "no_complete_record"}) {
    const PartLibrary library = vetPartLibrary(fixture(name), crc);
    EXPECT_FALSE(library.shown) << name;
    EXPECT_TRUE(library.items.empty()) << name;
  }
  EXPECT_FALSE(vetPartLibrary(fixture("no_such_folder"), crc).shown);
}

} // namespace
} // namespace tarvek
