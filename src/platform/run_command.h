#pragma once

#include "platform/abort.h"
#include "platform/prompts.h"

#include <functional>

namespace tarvek {

// Runs one user command. A RuntimeError ends it and its sentence is shown in
// one critical message box; false then, true when the action completed.
// While `pump` lets pending events run inside a long operation, a command
// those events start is refused with a beep and false: it would rebuild,
// search or write over what the running operation is still using.
bool runCommand(Prompts& prompts, const EventPump& pump, const std::function<void()>& action);

} // namespace tarvek
