#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tarvek {

// Turns a "desc|pattern|desc|pattern" filter into the dialog's name filters:
// ";"-separated patterns become blank-separated, "*.*" becomes "*" (else
// only names with a dot would match), and the patterns go in parentheses
// after the description, replacing a parenthesised list it already ends in
// (the dialog reads the patterns from the last parentheses). A description
// without its pattern is dropped; a pair with no pattern matches everything.
std::vector<std::string> toNameFilters(std::string_view filter);

// The name filter a 1-based index selects; an index out of range selects the
// first. "" when there are no filters.
std::string nameFilterAt(const std::vector<std::string>& filters, int index);

// The 1-based index of a selected name filter; 1 when it is not in the list.
int nameFilterIndex(const std::vector<std::string>& filters, const std::string& selected);

// The extensions of the "desc|pattern" pair a 1-based index selects, with
// their dots: "*.txt;*.dat" gives ".txt" and ".dat"; "*" and "*.*" give none.
// An index out of range selects the first pair.
std::vector<std::string> filterExtensions(std::string_view filter, int index);

// path with the first extension of the selected filter added when its file
// name ends in none of that filter's extensions (compared without regard to
// case, so "shot.JPG" stays "shot.JPG"); unchanged when the filter has none.
std::string withFilterExtension(const std::string& path, std::string_view filter, int index);

} // namespace tarvek
