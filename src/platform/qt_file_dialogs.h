#pragma once

#include "platform/file_dialogs.h"

namespace tarvek {

// File dialogs as QFileDialog over the active window.
class QtFileDialogs : public FileDialogs {
public:
  std::optional<FileChoice> open(const std::string& title, const std::string& folder,
                                 const std::string& filter, const std::string& suggestedName,
                                 int filterIndex) override;
  std::optional<FileChoice> save(const std::string& title, const std::string& folder,
                                 const std::string& filter, const std::string& suggestedName,
                                 int filterIndex) override;
};

} // namespace tarvek
