#pragma once

#include "runtime/file_status.h"

#include <string>

namespace tarvek {

class Prompts;

// Set once at start and read for the rest of the run. Folder paths end in
// "/".
struct StartupState {
  // The styled-buttons marker existed, non-empty, at start.
  bool manifestPresent = false;
  // The user's locale writes numbers with a decimal comma.
  bool decimalComma = false;
  std::string manifestPath;
  std::string userFolder;
  std::string exportFolder;
  std::string importFolder;
  std::string imagesFolder;
  std::string pdfFolder;
  // The program's arguments joined by blanks.
  std::string commandLine;
};

// The start-up with its inputs given: the per-user configuration folder
// (settings and the marker live in its "tarvek/"), the program folder and
// the locale probe. The per-user folder goes beside the configuration
// folder. On the first run (no per-user folder yet) the user is told, the
// folder is made and the program folder's EXPORT, IMPORT, IMAGES and PDF
// files are copied in. A folder that cannot be made or a failed copy is
// reported by a message; the start goes on.
StartupState startUp(const std::string& configFolder, const std::string& programFolder,
                     bool decimalComma, Prompts& prompts);

// Makes target (one level) when missing, then copies each plain file of
// source that the target lacks or holds empty. Sub-folders are not copied;
// a missing source copies nothing. The first failure ends the copy.
FileStatus copyFolderFiles(const std::string& source, const std::string& target);

// The styled-buttons marker, one line, written atomically.
FileStatus writeManifest(const std::string& manifestPath);
// Removes the marker when it exists.
void deleteManifest(const std::string& manifestPath);

} // namespace tarvek
