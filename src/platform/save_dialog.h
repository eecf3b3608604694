// The save dialog as every command that writes a file the user names uses it.
#pragma once

#include "platform/abort.h"
#include "platform/file_dialogs.h"
#include "platform/prompts.h"

#include <optional>
#include <string>

namespace tarvek {

// Shows the save dialog, then lets window events run (the dialog's area is
// repainted before any work starts). The one rule for a saved name
// (withFilterExtension): a name without one of the chosen filter's
// extensions gets the filter's first one, typed or suggested alike; a typed
// extension of that filter, whatever its case, stays as typed. The filter
// index chooses the format. The path returned is the file the command
// writes: nothing renames it afterwards, so the overwrite question names that
// file. Nothing on Cancel or an empty name.
std::optional<FileChoice> askSaveName(FileDialogs& dialogs, EventPump& pump,
                                      const std::string& title, const std::string& folder,
                                      const std::string& filter, const std::string& suggestedName,
                                      int filterIndex = 1);

// askSaveName, then the overwrite question for an existing file of that
// name: nothing also when the user says No.
std::optional<FileChoice> askSavePath(FileDialogs& dialogs, Prompts& prompts, EventPump& pump,
                                      const std::string& title, const std::string& folder,
                                      const std::string& filter, const std::string& suggestedName,
                                      int filterIndex = 1);

// The same for a window that lets no events run in between.
std::optional<FileChoice> askSavePath(FileDialogs& dialogs, Prompts& prompts,
                                      const std::string& title, const std::string& folder,
                                      const std::string& filter, const std::string& suggestedName,
                                      int filterIndex = 1);

// What a status panel says once a command has saved a file: "Saved <path>".
std::string savedText(const std::string& path);

} // namespace tarvek
