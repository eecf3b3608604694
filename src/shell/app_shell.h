#pragma once

#include "model/display_settings.h"
#include "model/model.h"
#include "platform/escape_watch.h"
#include "platform/palette_colors.h"
#include "platform/platform.h"
#include "platform/qt_colour_chooser.h"
#include "platform/qt_file_dialogs.h"
#include "platform/qt_processes.h"
#include "platform/qt_prompts.h"
#include "platform/qt_settings_store.h"
#include "platform/qt_shell_open.h"
#include "platform/steady_clock.h"
#include "platform/temp_folder.h"
#include "shell/form1.h"
#include "shell/startup.h"

#include <filesystem>
#include <functional>
#include <memory>

namespace tarvek {

// What the running program owns: the private temporary folder, the real
// platform layers, the shared model and the main window. Needs the
// QApplication. Members go in reverse order, so the window closes before
// the layers and the temporary folder goes last.
class AppShell {
public:
  // Throws RuntimeError when the temporary folder cannot be made.
  // folderMade, when set, learns the temporary folder before the window is
  // built, so a quit that cannot wait for the normal close still removes it.
  explicit AppShell(StartupState startup,
                    const std::function<void(const std::filesystem::path&)>& folderMade = {});
  AppShell(const AppShell&) = delete;
  AppShell& operator=(const AppShell&) = delete;
  ~AppShell();

  Platform& platform() { return m_platform; }
  // False when the settings file was passed over as not a regular file.
  bool settingsFileUsable() const { return m_settingsStore.fileUsable(); }
  Form1& form1() { return *m_form1; }

private:
  TempFolder m_tempFolder;
  SteadyClock m_clock;
  QtPrompts m_prompts;
  QtFileDialogs m_fileDialogs;
  QtShellOpen m_shellOpen;
  QtProcesses m_processes;
  EscapeWatch m_escape;
  PaletteColors m_systemColors;
  QtSettingsStore m_settingsStore;
  QtColourChooser m_colourChooser;
  Platform m_platform;
  Model m_model;
  DisplaySettings m_display;
  Preferences m_preferences;
  std::unique_ptr<Form1> m_form1;
};

// Builds the program and shows its main window. When that fails, the reason
// goes to one critical message box and the result is empty.
std::unique_ptr<AppShell> startProgram(
    Prompts& prompts, StartupState startup,
    const std::function<void(const std::filesystem::path&)>& folderMade = {});

} // namespace tarvek
