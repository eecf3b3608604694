#include "platform/utilities.h"

#include "runtime/file_util.h"

namespace tarvek {

bool confirmOverwrite(const std::string& path, Prompts& prompts)
{
  return confirmOverwrite(std::vector<std::string>{path}, prompts);
}

bool confirmOverwrite(const std::vector<std::string>& paths, Prompts& prompts)
{
  std::vector<const std::string*> existing;
  for (const std::string& path : paths) {
    if (FileExists(path))
      existing.push_back(&path);
  }
  if (existing.empty())
    return true;
  std::string text = "File already exists. Do you want to overwrite it?\r\n" + *existing.front();
  if (existing.size() > 1)
    text += "\r\n(and " + std::to_string(existing.size() - 1) + " more of this set)";
  return prompts.yesNo(text, {}, MessageIcon::Question);
}

void pause(float seconds, Clock& clock, EventPump& pump)
{
  const double start = clock.seconds();
  auto elapsed = [&] { return static_cast<float>(clock.seconds() - start); };
  // Written as "not less" so that NaN ends the wait instead of looping forever.
  if (!(elapsed() < seconds))
    return;
  do
    pump.pumpEvents();
  while (elapsed() < seconds);
}

} // namespace tarvek
