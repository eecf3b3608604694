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

} // namespace
} // namespace tarvek
