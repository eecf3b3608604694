#pragma once

#include <optional>
#include <string_view>

namespace tarvek {

// Reads the number at the start of a text, the same in every locale.
// Leading blanks and tabs are skipped; then an optional sign, digits with "."
// as the only decimal sign (".5" and "5." read), and an optional exponent
// "E"/"e" with optional sign. Reading stops at the first character that does
// not fit, so "12.5abc" is 12.5 and "1 5" is 1. No number gives 0; so do
// "inf", "nan", "&H10" and "0x10" (0). Callers that accept a decimal comma
// turn "," into "." first.
// Throws RuntimeError when the value lies beyond the double range.
double Val(std::string_view text);

} // namespace tarvek

namespace tarvek {

// The number at the start of a text by Val's rules, or nothing when no number
// starts the text or its value lies beyond the double range, so a reader can
// tell "no number" from 0. Tiny values read as 0.
std::optional<double> leadingNumber(std::string_view text);

} // namespace tarvek
