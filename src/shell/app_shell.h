#pragma once

#include "platform/escape_watch.h"
#include "platform/palette_colors.h"
#include "platform/platform.h"
#include "platform/qt_file_dialogs.h"
#include "platform/qt_processes.h"
#include "platform/qt_prompts.h"
#include "platform/qt_shell_open.h"
#include "platform/steady_clock.h"
#include "platform/temp_folder.h"
#include "shell/form1.h"

#include <memory>

namespace tarvek {

// What the running program owns: the private temporary folder, the real
// platform layers and the main window. Needs the QApplication. Members go
// in reverse order, so the window closes before the layers and the
// temporary folder goes last.
class AppShell {
public:
  // Throws RuntimeError when the temporary folder cannot be made.
  AppShell();
  AppShell(const AppShell&) = delete;
  AppShell& operator=(const AppShell&) = delete;

  Platform& platform() { return m_platform; }
  Form1& form1() { return m_form1; }

private:
  TempFolder m_tempFolder;
  SteadyClock m_clock;
  QtPrompts m_prompts;
  QtFileDialogs m_fileDialogs;
  QtShellOpen m_shellOpen;
  QtProcesses m_processes;
  EscapeWatch m_escape;
  PaletteColors m_systemColors;
  Platform m_platform;
  Form1 m_form1;
};

// Builds the program and shows its main window. When that fails, the reason
// goes to one critical message box and the result is empty.
std::unique_ptr<AppShell> startProgram(Prompts& prompts);

} // namespace tarvek
