// Runs a user command: its failure shown, a command started inside a long one refused.
#pragma once

#include "platform/abort.h"
#include "platform/prompts.h"

#include <functional>

namespace tarvek {

struct Platform;

// Runs one user command. A RuntimeError ends it and its sentence is shown in
// one critical message box; false then, true when the action completed.
// While `pump` lets pending events run inside a long operation, a command
// those events start is refused with a beep and false: it would rebuild,
// search or write over what the running operation is still using.
bool runCommand(Prompts& prompts, const EventPump& pump, const std::function<void()>& action);
// The same with the platform's prompts and event pump.
bool runCommand(Platform& platform, const std::function<void()>& action);

} // namespace tarvek
