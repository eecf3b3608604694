#include "shell/app_shell.h"

#include "platform/window_fit.h"
#include "runtime/path_util.h"
#include "runtime/runtime_error.h"
#include "scene/gl_host.h"

namespace tarvek {

AppShell::AppShell(StartupState startup,
                   const std::function<void(const std::filesystem::path&)>& folderMade)
    : m_settingsStore(userSettingsPath()), m_platform{m_prompts,       m_fileDialogs,  m_shellOpen,
                                                      m_processes,     m_escape,       m_escape,
                                                      m_systemColors,  m_clock,        m_tempFolder,
                                                      m_settingsStore, m_colourChooser}
{
  if (folderMade)
    folderMade(m_tempFolder.folder());
  // The window takes the view as its child.
  auto* view = new GlHost(m_prompts);
  m_form1 = std::make_unique<Form1>(m_platform, m_model, m_display, m_preferences, *view,
                                    view->gl(), std::move(startup), appPath());
}

AppShell::~AppShell() = default;

std::unique_ptr<AppShell> startProgram(
    Prompts& prompts, StartupState startup,
    const std::function<void(const std::filesystem::path&)>& folderMade)
{
  std::unique_ptr<AppShell> shell;
  try {
    shell = std::make_unique<AppShell>(std::move(startup), folderMade);
  } catch (const RuntimeError& e) {
    prompts.message(e.what(), {}, MessageIcon::Critical);
    return nullptr;
  }
  shell->form1().show();
  fitToScreen(shell->form1());
  if (!shell->settingsFileUsable())
    prompts.message(unusableSettingsMessage(shell->platform().settings.location()), {},
                    MessageIcon::Exclamation);
  return shell;
}

} // namespace tarvek
