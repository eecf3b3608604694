// The save dialog as every command that writes a file the user names uses it.
#include "platform/save_dialog.h"

#include "platform/file_filter.h"
#include "platform/utilities.h"

namespace tarvek {

std::optional<FileChoice> askSaveName(FileDialogs& dialogs, EventPump& pump,
                                      const std::string& title, const std::string& folder,
                                      const std::string& filter, const std::string& suggestedName,
                                      int filterIndex)
{
  std::optional<FileChoice> choice =
      dialogs.save(title, folder, filter, suggestedName, filterIndex);
  pump.pumpEvents();
  if (!choice || choice->path.empty())
    return std::nullopt;
  choice->path = withFilterExtension(choice->path, filter, choice->filterIndex);
  return choice;
}

std::optional<FileChoice> askSavePath(FileDialogs& dialogs, Prompts& prompts, EventPump& pump,
                                      const std::string& title, const std::string& folder,
                                      const std::string& filter, const std::string& suggestedName,
                                      int filterIndex)
{
  std::optional<FileChoice> choice =
      askSaveName(dialogs, pump, title, folder, filter, suggestedName, filterIndex);
  if (!choice || !confirmOverwrite(choice->path, prompts))
    return std::nullopt;
  return choice;
}

std::optional<FileChoice> askSavePath(FileDialogs& dialogs, Prompts& prompts,
                                      const std::string& title, const std::string& folder,
                                      const std::string& filter, const std::string& suggestedName,
                                      int filterIndex)
{
  struct NoEvents : EventPump {
    void runPendingEvents() override {}
  } none;
  return askSavePath(dialogs, prompts, none, title, folder, filter, suggestedName, filterIndex);
}

std::string savedText(const std::string& path)
{
  return "Saved " + path;
}

} // namespace tarvek
