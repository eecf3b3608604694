#include "shell/material_list.h"

#include <gtest/gtest.h>

namespace tarvek {
namespace {

std::string fixture(const std::string& name)
{
  return std::string(TARVEK_TEST_SOURCE_DIR) + "/shell/fixtures/" + name;
}

std::string items(const MaterialList& list)
{
  std::string text;
  for (const auto& m : list.materials)
    text += m.item() + "|";
  return text;
}

TEST(MaterialListTest, readsTheFileUpToItsEndOrAShortLine)
{
  const struct {
    const char* file;
    const char* items;
  } cases[] = {
      {"two_lines_empty_end.dat", "C - C|B - N|"},
      {"two_lines.dat", "C - C|B - N|"},
      {"two_lines_crlf.dat", "C - C|B - N|"},
      {"two_lines_cr.dat", "C - C|B - N|"},
      {"spaced.dat", "C - C|"},
      {"blanks.dat", "C - C|"},
      {"short_line_ends.dat", "C - C|"},
      {"twelve.dat", "E1 - X|E2 - X|E3 - X|E4 - X|E5 - X|E6 - X|E7 - X|E8 - X|E9 - X|E10 - X|"},
  };
  for (const auto& c : cases) {
    const auto list = loadMaterialFile(fixture(c.file));
    EXPECT_EQ(items(list), c.items) << c.file;
    EXPECT_TRUE(list.fromFile) << c.file;
    EXPECT_EQ(list.message, "") << c.file;
  }
  const auto two = loadMaterialFile(fixture("two_lines.dat"));
  EXPECT_FLOAT_EQ(two.materials[0].bondLength, 1.421f);
  EXPECT_FLOAT_EQ(two.materials[1].bondLength, 1.47f);
  EXPECT_FLOAT_EQ(loadMaterialFile(fixture("bad_length.dat")).materials.at(0).bondLength, 0.0f);
  // Out of range or not a number: no length rather than an infinite one.
  const auto hostile = loadMaterialFile(fixture("hostile_lengths.dat"));
  ASSERT_EQ(hostile.materials.size(), 3u);
  for (const auto& m : hostile.materials)
    EXPECT_EQ(m.bondLength, 0.0f) << m.item();
}

TEST(MaterialListTest, noMaterialGivesTheBuiltInList)
{
  const std::string path = fixture("short_first_line.dat");
  const auto unreadable = loadMaterialFile(path);
  EXPECT_EQ(items(unreadable), "C - C|B - N|Ga - N|Al - N|");
  EXPECT_FALSE(unreadable.fromFile);
  EXPECT_EQ(unreadable.message,
            "No material could be read from " + path + ". The built-in materials are used.");

  const auto missing = loadMaterialFile(fixture("no_such_file.dat"));
  EXPECT_EQ(items(missing), "C - C|B - N|Ga - N|Al - N|");
  EXPECT_FALSE(missing.fromFile);
  EXPECT_EQ(missing.message, "");
  EXPECT_FLOAT_EQ(missing.materials[2].bondLength, 1.95f);
  EXPECT_FLOAT_EQ(missing.materials[3].bondLength, 1.82f);
}

// The shipped list is the built-in one.
TEST(MaterialListTest, shippedFileHoldsTheFourMaterials)
{
  const auto list = loadMaterialFile(std::string(TARVEK_TEST_SOURCE_DIR) + "/../data/tarvek.dat");
  EXPECT_TRUE(list.fromFile);
  EXPECT_EQ(items(list), "C - C|B - N|Ga - N|Al - N|");
}

} // namespace
} // namespace tarvek
