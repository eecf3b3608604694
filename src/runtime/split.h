#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tarvek {

// The text without leading and trailing blanks (" " only).
std::string_view trimBlanks(std::string_view text);

// Splits on blanks (" " only; a tab is an ordinary character) after trimming
// leading and trailing blanks; runs of blanks count as one separator.
// Always returns at least one element: "" and "   " give {""}.
std::vector<std::string> splitSpaces(std::string_view text);
// The same into items, whose storage is reused: for readers of long files.
void splitSpaces(std::string_view text, std::vector<std::string>& items);

// Splits on a one-character delimiter after trimming blanks at both ends;
// every delimiter ends an item, so "a##b" gives {a, "", b}, but a trailing
// delimiter adds no empty item ("a#" gives {a}). Never empty: "" gives {""}.
std::vector<std::string> splitBy(std::string_view text, char delimiter);

} // namespace tarvek
