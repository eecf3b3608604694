#pragma once

#include "platform/abort.h"
#include "platform/clock.h"
#include "platform/colour_chooser.h"
#include "platform/file_dialogs.h"
#include "platform/processes.h"
#include "platform/prompts.h"
#include "platform/settings_store.h"
#include "platform/shell_open.h"
#include "platform/system_colors.h"
#include "platform/temp_folder.h"

namespace tarvek {

// Everything the program asks of the desktop, one reference per layer. The
// application owns the real layers; tests fill it with fakes.
struct Platform {
  Prompts& prompts;
  FileDialogs& fileDialogs;
  ShellOpen& shellOpen;
  Processes& processes;
  AbortToken& abort;
  EventPump& pump;
  SystemColors& systemColors;
  Clock& clock;
  TempFolder& tempFolder;
  SettingsStore& settings;
  ColourChooser& colourChooser;
};

} // namespace tarvek
