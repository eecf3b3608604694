// Per-user folders in a scratch folder, for the window's file commands.
#pragma once

#include "shell/startup.h"
#include "support/scratch_dir.h"

#include <filesystem>
#include <string>

namespace tarvek::test {

// Export, Import, Images and PDF folders under a scratch folder, and the
// start-up state that names them.
struct UserFolders {
  ScratchDir dir;
  StartupState startup;

  UserFolders()
  {
    const char* const names[] = {"Export", "Import", "Images", "PDF"};
    std::string* const paths[] = {&startup.exportFolder, &startup.importFolder,
                                  &startup.imagesFolder, &startup.pdfFolder};
    for (int k = 0; k < 4; ++k) {
      std::filesystem::create_directory(dir.file(names[k]));
      *paths[k] = dir.file(names[k]).string() + "/";
    }
  }

  std::string exportFile(const std::string& name) const { return startup.exportFolder + name; }
};

} // namespace tarvek::test
