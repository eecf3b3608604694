#pragma once

#include "model/main_window_services.h"

namespace tarvek {

// The main window's public methods that other windows and the scene call.
class MainWindowSlots : public MainWindowServices {
public:
  // The scene asks the host to lay out again; nothing to do.
  virtual void remoteResize() = 0;
  // Shows the current structure again after a change of preferences.
  virtual void Apply() = 0;
};

} // namespace tarvek
