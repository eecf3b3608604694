#include "platform/run_command.h"

#include "runtime/runtime_error.h"

namespace tarvek {

bool runCommand(Prompts& prompts, const EventPump& pump, const std::function<void()>& action)
{
  if (pump.pumping()) {
    prompts.beep();
    return false;
  }
  try {
    action();
    return true;
  } catch (const RuntimeError& e) {
    prompts.message(e.what(), {}, MessageIcon::Critical);
    return false;
  }
}

} // namespace tarvek
