// Outside text (a path, a title) made safe to write inside one line of a file.
#pragma once

#include <string>
#include <string_view>

namespace tarvek {

// The text with every ASCII control character (CR, LF, tab, NUL … and DEL)
// replaced by a blank, so a folder or title cannot end the line it is
// written on and put text of its own on the next. Other bytes, UTF-8
// included, pass through unchanged.
std::string oneLineText(std::string_view text);

} // namespace tarvek
