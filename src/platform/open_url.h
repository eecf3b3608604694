#pragma once

#include "platform/shell_open.h"

#include <string>

namespace tarvek {

// Opens a target in the desktop's default handler: one with a scheme
// ("https://...", "mailto:...") as an address, anything else as a file.
// Returns at once and ignores every failure.
void openURL(const std::string& target, ShellOpen& shellOpen) noexcept;

} // namespace tarvek
