// The string-based number output the writers first used: the reference for their bytes.
#pragma once

#include <string>
#include <string_view>

namespace tarvek::test::reference {

// Format(value, mask) and printForm(value) as they were written first:
// to_chars' shortest scientific digits, rounded and laid out as strings.
std::string format(float value, std::string_view mask);
std::string format(double value, std::string_view mask);
std::string printForm(float value);
std::string numberText(float value);

} // namespace tarvek::test::reference
