#include "platform/run_command.h"

#include "platform/platform.h"
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

bool runCommand(Platform& platform, const std::function<void()>& action)
{
  return runCommand(platform.prompts, platform.pump, action);
}

} // namespace tarvek
