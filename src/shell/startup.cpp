#include "shell/startup.h"

#include "platform/prompts.h"
#include "runtime/atomic_file.h"
#include "runtime/file_util.h"
#include "runtime/path_util.h"

#include <cerrno>
#include <filesystem>
#include <system_error>

namespace tarvek {

namespace fs = std::filesystem;

namespace {

FileStatus makeFolder(const std::string& folder)
{
  std::error_code error;
  fs::create_directory(folder, error);
  if (error)
    return FileStatus::failure("Could not create the folder \"" + folder +
                               "\": " + error.message() + ".");
  return FileStatus::success();
}

} // namespace

FileStatus copyFolderFiles(const std::string& source, const std::string& target)
{
  if (!DirExists(target)) {
    if (auto status = makeFolder(target); !status)
      return status;
  }
  if (!DirExists(source))
    return FileStatus::success();
  std::error_code error;
  for (fs::directory_iterator it(source, error), end; !error && it != end; it.increment(error)) {
    const std::string name = it->path().filename().string();
    if (name.empty() || name[0] == '.' || !it->is_regular_file())
      continue;
    const std::string to = addBackslash(target) + name;
    if (FileExists(to))
      continue;
    std::error_code copyError;
    fs::copy_file(it->path(), to, fs::copy_options::overwrite_existing, copyError);
    if (copyError)
      return FileStatus::failure("Could not copy \"" + it->path().string() + "\" to \"" + to +
                                 "\": " + copyError.message() + ".");
  }
  if (error)
    return FileStatus::failure("Could not list the folder \"" + source + "\": " + error.message() +
                               ".");
  return FileStatus::success();
}

StartupState startUp(const std::string& configFolder, const std::string& programFolder,
                     bool decimalComma, Prompts& prompts)
{
  StartupState state;
  // Present while the styled buttons are chosen; the next start reads it.
  state.manifestPath = addBackslash(configFolder) + "tarvek/styled_buttons";
  state.manifestPresent = FileExists(state.manifestPath);
  state.decimalComma = decimalComma;
  const std::string appDataFolder = addBackslash(getFilePath(configFolder));
  state.userFolder = appDataFolder + "tarvek/";
  state.exportFolder = state.userFolder + "Export/";
  state.importFolder = state.userFolder + "Import/";
  state.imagesFolder = state.userFolder + "Images/";
  state.pdfFolder = state.userFolder + "PDF/";

  if (DirExists(state.userFolder))
    return state;
  prompts.message("The following user folder will be created:\r\n" + state.userFolder +
                      "\r\n\r\nIt holds the folders Export, Import, Images and PDF, with the "
                      "sample files of the program folder.",
                  "Folder Setup", MessageIcon::Information);
  if (auto status = makeFolder(state.userFolder); !status) {
    prompts.message(status.error(), {}, MessageIcon::Exclamation);
    return state;
  }
  const std::string program = addBackslash(programFolder);
  const std::pair<const char*, const std::string*> copies[] = {{"EXPORT/", &state.exportFolder},
                                                               {"IMPORT/", &state.importFolder},
                                                               {"IMAGES/", &state.imagesFolder},
                                                               {"PDF/", &state.pdfFolder}};
  for (const auto& [from, to] : copies) {
    if (auto status = copyFolderFiles(program + from, *to); !status)
      prompts.message(status.error(), {}, MessageIcon::Exclamation);
  }
  return state;
}

FileStatus writeManifest(const std::string& manifestPath)
{
  std::error_code error;
  fs::create_directories(fs::path(manifestPath).parent_path(), error);
  return writeFileAtomic(manifestPath, "styled buttons\n");
}

void deleteManifest(const std::string& manifestPath)
{
  if (FileExists(manifestPath))
    killFile(manifestPath);
}

} // namespace tarvek
