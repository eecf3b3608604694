#include "pdfwriter/encoding_tables.h"

#include <gtest/gtest.h>

#include <string>

namespace quillet {
namespace {

TEST(EncodingTablesTest, glyphNameToUnicodeFindsListedNames)
{
  const struct {
    const char* name;
    std::uint16_t unicode;
  } cases[] = {
    {"A", 0x0041},      {"AE", 0x00C6},       {"Euro", 0x20AC},
    {"bullet", 0x2022}, {"dotlessi", 0x0131}, {"fi", 0xFB01},
    {"afii10017", 0x0410}, {"zeta", 0x03B6},  {"", 0},
    {"notaglyph", 0},   {"a", 0x0061},        {"Zeta", 0x0396},
  };
  for (const auto& c : cases)
    EXPECT_EQ(glyphNameToUnicode(c.name), c.unicode) << "name \"" << c.name << "\"";
}

// The lookup is a binary search: an entry out of byte order would be missed.
TEST(EncodingTablesTest, glyphNameListIsSortedByBytesAndFindsEveryEntry)
{
  ASSERT_FALSE(kGlyphNameList.empty());
  for (std::size_t n = 1; n < kGlyphNameList.size(); ++n)
    ASSERT_LT(std::string_view(kGlyphNameList[n - 1].name), std::string_view(kGlyphNameList[n].name))
        << "entry " << n;
  for (const auto& entry : kGlyphNameList)
    ASSERT_EQ(glyphNameToUnicode(entry.name), entry.unicode) << entry.name;
}

// Code page 1252 with the writer's exceptions, and names that agree with it.
TEST(EncodingTablesTest, winAnsiTableKeepsItsExceptions)
{
  const struct {
    int code;
    std::uint16_t unicode;
    const char* name;
  } cases[] = {
    {0x00, 0x0000, nullptr},    {0x1F, 0x0000, nullptr},       {0x20, 0x0020, "space"},
    {0x41, 0x0041, "A"},        {0x7F, 0x2022, "bullet"},      {0x80, 0x20AC, "Euro"},
    {0x81, 0x2022, "bullet"},   {0x8D, 0x2022, "bullet"},      {0x8F, 0x2022, "bullet"},
    {0x90, 0x2022, "bullet"},   {0x9D, 0x2022, "bullet"},      {0x95, 0x2022, "bullet"},
    {0x92, 0x2019, "quoteright"}, {0xA0, 0x0020, "space"},     {0xAD, 0x002D, "hyphen"},
    {0xB0, 0x00B0, "degree"},   {0xB5, 0x03BC, "mu"},          {0xC5, 0x00C5, "Aring"},
    {0xFF, 0x00FF, "ydieresis"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(kWinAnsiUnicode[c.code], c.unicode) << "code " << c.code;
    EXPECT_STREQ(kWinAnsiGlyphNames[c.code], c.name) << "code " << c.code;
  }
  for (int code = 0x20; code < 256; ++code) {
    ASSERT_NE(kWinAnsiGlyphNames[code], nullptr) << "code " << code;
    if (code != 0xB5) {
      EXPECT_EQ(glyphNameToUnicode(kWinAnsiGlyphNames[code]), kWinAnsiUnicode[code])
          << "code " << code << " " << kWinAnsiGlyphNames[code];
    }
  }
}

} // namespace
} // namespace quillet
