#pragma once

#include "shell/startup.h"

namespace tarvek {

class Prompts;

// True when the user's locale writes 3.1415 with a decimal comma.
bool probeDecimalComma();

// The program's start before the main window: the marker, the locale probe
// and the per-user folders beside the user's configuration folder, and the
// command line.
StartupState Main(Prompts& prompts);

} // namespace tarvek
