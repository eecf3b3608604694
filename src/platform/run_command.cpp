#include "platform/run_command.h"

#include "runtime/runtime_error.h"

namespace tarvek {

bool runCommand(Prompts& prompts, const std::function<void()>& action)
{
  try {
    action();
    return true;
  } catch (const RuntimeError& e) {
    prompts.message(e.what(), {}, MessageIcon::Critical);
    return false;
  }
}

} // namespace tarvek
