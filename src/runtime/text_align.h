#pragma once

#include <string>
#include <string_view>

namespace tarvek {

// Fixed-width fields for the structure writers' columns. Widths count
// characters, not bytes, of UTF-8 text. The result is exactly width
// characters: the text padded with blanks on the left (alignRight) or right
// (alignLeft); a longer text keeps its first width characters, never cutting
// a character apart. A width of 0 or less gives "".
std::string alignRight(std::string_view text, int width);
std::string alignLeft(std::string_view text, int width);

} // namespace tarvek
