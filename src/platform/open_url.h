#pragma once

#include "platform/prompts.h"
#include "platform/shell_open.h"

#include <string>

namespace tarvek {

// Opens a target in the desktop's default handler: one with a scheme
// ("https://...", "mailto:...") as an address, anything else as a file.
// Returns at once and ignores every failure.
void openURL(const std::string& target, ShellOpen& shellOpen) noexcept;

// The message for a target the desktop could not open: it names the target
// and what is missing, the desktop's opener or a program for its kind.
std::string noOpenerText(const std::string& target);

// openURL, and when the desktop could not take the target, noOpenerText in
// a message. True when the target was handed over.
bool openOrTell(const std::string& target, ShellOpen& shellOpen, Prompts& prompts);

} // namespace tarvek
