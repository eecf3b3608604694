#pragma once

// Internal to the PDF writer: the interface's UTF-8 texts turned into the
// bytes the document writer takes.

#include <optional>
#include <string>
#include <string_view>

namespace quillet {

// Code page 1252 bytes for drawn text; "?" for a character the code page
// lacks and for each byte of invalid UTF-8.
std::string utf8ToCp1252(std::string_view text);

// The Windows code page of a CJK character set: 128 gives 932, 129 949,
// 134 936 and 136 950; any other set 0.
int codePageOf(int characterSet);

// True when the byte starts a two-byte character of the code page: 0x81 to
// 0x9F and 0xE0 to 0xFC in 932, 0x81 to 0xFE in 936, 949 and 950.
bool isLeadByte(int codePage, unsigned char byte);

// Bytes of a Windows CJK code page (932, 936, 949 or 950; any other gives
// an empty result) through the C library's iconv; "?" for a character the
// code page lacks and for each byte of invalid UTF-8.
std::string utf8ToCodePage(std::string_view text, int codePage);

// UTF-16 units of the text; "?" for a character beyond the Basic
// Multilingual Plane and for each byte of invalid UTF-8.
std::u16string utf8ToUtf16Units(std::string_view text);

// PDFDocEncoding bytes of the text, or nothing when a character (or an
// invalid UTF-8 byte) has no code there.
std::optional<std::string> utf8ToPdfDocEncoding(std::string_view text);

// An Info text: PDFDocEncoding bytes when every character has a code there,
// otherwise UTF-16BE behind the byte-order mark FE FF. Invalid UTF-8 bytes
// become U+FFFD.
std::string utf8ToPdfText(std::string_view text);

} // namespace quillet
