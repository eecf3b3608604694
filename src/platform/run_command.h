#pragma once

#include "platform/prompts.h"

#include <functional>

namespace tarvek {

// Runs one user command. A RuntimeError ends it and its sentence is shown in
// one critical message box; false then, true when the action completed.
bool runCommand(Prompts& prompts, const std::function<void()>& action);

} // namespace tarvek
