#include "platform/file_filter.h"

#include <gtest/gtest.h>

namespace tarvek {
namespace {

using Filters = std::vector<std::string>;

TEST(FileFilterTest, convertsToNameFilters)
{
  struct Case {
    const char* filter;
    Filters expected;
  };
  const Case cases[] = {
      {"XYZ-File (*.xyz)|*.xyz", {"XYZ-File (*.xyz)"}},
      // "*.*" would match only names with a dot.
      {"All Files (*.*)|*.*", {"All Files (*)"}},
      {"Structure Files|*.xyz;*.pdb", {"Structure Files (*.xyz *.pdb)"}},
      // The dialog reads the patterns from the last parentheses, so they must be ours.
      {"Pictures (*.bmp)|*.bmp;*.jpg", {"Pictures (*.bmp *.jpg)"}},
      {"XYZ (Xmol)|*.xyz", {"XYZ (*.xyz)"}},
      {"Tables (v2) text|*.txt", {"Tables (v2) text (*.txt)"}},
      {" Spaced | *.a ; *.b ;; ", {"Spaced (*.a *.b)"}},
      {"XYZ-File (*.xyz)|*.xyz|All Files (*.*)|*.*", {"XYZ-File (*.xyz)", "All Files (*)"}},
      {"No pattern|", {"No pattern (*)"}},
      // A description without its pattern is dropped, as the old dialogs did.
      {"XYZ-File|*.xyz|Dangling", {"XYZ-File (*.xyz)"}},
      {"", {}},
  };
  for (const auto& c : cases)
    EXPECT_EQ(toNameFilters(c.filter), c.expected) << '"' << c.filter << '"';
}

// Index 1 is the first filter both ways; an index the list lacks means the first.
TEST(FileFilterTest, indexIsOneBasedBothWays)
{
  const Filters filters = toNameFilters("XYZ-File|*.xyz|PDB-File|*.pdb|All Files|*.*");
  for (int index = 1; index <= 3; ++index) {
    std::string selected = nameFilterAt(filters, index);
    EXPECT_EQ(selected, filters[static_cast<std::size_t>(index) - 1]);
    EXPECT_EQ(nameFilterIndex(filters, selected), index) << selected;
  }
  for (int outside : {0, -1, 4})
    EXPECT_EQ(nameFilterAt(filters, outside), "XYZ-File (*.xyz)") << outside;
  EXPECT_EQ(nameFilterIndex(filters, "Other (*.txt)"), 1);
  EXPECT_EQ(nameFilterAt({}, 1), "");
}

// The chosen filter's extension joins a name that ends in none of its
// extensions; a name that has one keeps it, whatever its case.
TEST(FileFilterTest, savedNamesGetTheChosenFiltersExtension)
{
  const char* const xmol = "XMOL File (*.xmol)|*.xmol|";
  const char* const images = "JPEG Image (*.jpg)|*.jpg;*.jpeg|Windows Bitmap Image (*.bmp)|*.bmp";
  struct Case {
    const char* path;
    const char* filter;
    int index;
    const char* expected;
  };
  const Case cases[] = {
      {"/e/Nanotube_CC", xmol, 1, "/e/Nanotube_CC.xmol"},
      {"/e/t.xmol", xmol, 1, "/e/t.xmol"},
      {"/e/T.XMOL", xmol, 1, "/e/T.XMOL"},
      {"/e/t.xyz", xmol, 1, "/e/t.xyz.xmol"},
      {"/e/my.dir/t", xmol, 1, "/e/my.dir/t.xmol"},
      {"/e/.xmol", xmol, 1, "/e/.xmol.xmol"},
      {"/e/pic.jpeg", images, 1, "/e/pic.jpeg"},
      {"/e/pic.jpg", images, 2, "/e/pic.jpg.bmp"},
      {"/e/pic", images, 7, "/e/pic.jpg"},
      {"/e/any", "All Files (*.*)|*.*", 1, "/e/any"},
      {"/e/any", "Files|*", 1, "/e/any"},
      {"/e/any", "", 1, "/e/any"},
      {"", xmol, 1, ""},
  };
  for (const Case& c : cases)
    EXPECT_EQ(withFilterExtension(c.path, c.filter, c.index), c.expected)
        << c.path << " " << c.filter << " " << c.index;
  EXPECT_EQ(filterExtensions(images, 1), (std::vector<std::string>{".jpg", ".jpeg"}));
  EXPECT_TRUE(filterExtensions("Frames|frame_*.png;*.*", 1).empty());
}

} // namespace
} // namespace tarvek
