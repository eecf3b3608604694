#pragma once

// Internal to the PDF writer: the interface's UTF-8 texts turned into the
// bytes the document writer takes.

#include <string>
#include <string_view>

namespace quillet {

// Code page 1252 bytes for drawn text; "?" for a character the code page
// lacks and for each byte of invalid UTF-8.
std::string utf8ToCp1252(std::string_view text);

// An Info text: PDFDocEncoding bytes when every character has a code there,
// otherwise UTF-16BE behind the byte-order mark FE FF. Invalid UTF-8 bytes
// become U+FFFD.
std::string utf8ToPdfText(std::string_view text);

} // namespace quillet
