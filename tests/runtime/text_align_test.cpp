#include "runtime/text_align.h"

#include <gtest/gtest.h>

namespace tarvek {
namespace {

TEST(TextAlignTest, padsOrCutsToExactlyWidthCharacters)
{
  const struct {
    const char* text;
    int width;
    const char* right;
    const char* left;
  } cases[] = {
    {"C", 3, "  C", "C  "},
    {"12345", 3, "123", "123"},
    {"abc", 3, "abc", "abc"},
    {"C", 0, "", ""},
    {"C", -2, "", ""},
    {"", 2, "  ", "  "},
    // Å and Ä are two bytes each but one character.
    {"\xC3\x85", 3, "  \xC3\x85", "\xC3\x85  "},
    {"\xC3\x85\xC3\x84x", 2, "\xC3\x85\xC3\x84", "\xC3\x85\xC3\x84"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(alignRight(c.text, c.width), c.right) << "\"" << c.text << "\", " << c.width;
    EXPECT_EQ(alignLeft(c.text, c.width), c.left) << "\"" << c.text << "\", " << c.width;
  }
}

} // namespace
} // namespace tarvek
