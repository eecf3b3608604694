#include "shell/app_shell.h"

#include "runtime/runtime_error.h"

namespace tarvek {

AppShell::AppShell()
    : m_platform{m_prompts, m_fileDialogs, m_shellOpen, m_processes, m_escape,
                 m_escape,  m_systemColors, m_clock,    m_tempFolder}
{
}

std::unique_ptr<AppShell> startProgram(Prompts& prompts)
{
  std::unique_ptr<AppShell> shell;
  try {
    shell = std::make_unique<AppShell>();
  } catch (const RuntimeError& e) {
    prompts.message(e.what(), {}, MessageIcon::Critical);
    return nullptr;
  }
  shell->form1().show();
  return shell;
}

} // namespace tarvek
