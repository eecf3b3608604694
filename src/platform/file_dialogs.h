#pragma once

#include <optional>
#include <string>

namespace tarvek {

// What the user chose in a file dialog: the full path and the 1-based index
// of the filter that was selected.
struct FileChoice {
  std::string path;
  int filterIndex = 1;
};

// The open and save dialogs. A filter is written "desc|pattern|desc|pattern"
// with ";" between several patterns ("Structure Files|*.xyz;*.pdb"); index
// selects a filter, counted from 1. The save dialog never asks about
// overwriting: callers use confirmOverwrite. Nothing means Cancel.
class FileDialogs {
public:
  virtual ~FileDialogs() = default;

  virtual std::optional<FileChoice> open(const std::string& title, const std::string& folder,
                                         const std::string& filter, const std::string& suggestedName,
                                         int filterIndex) = 0;
  virtual std::optional<FileChoice> save(const std::string& title, const std::string& folder,
                                         const std::string& filter, const std::string& suggestedName,
                                         int filterIndex) = 0;
};

} // namespace tarvek
