#include "platform/utilities.h"

#include <filesystem>
#include <system_error>

namespace tarvek {

namespace {

// An empty file counts as absent, as everywhere in the program.
bool fileHasContent(const std::string& path)
{
  std::error_code ec;
  auto size = std::filesystem::file_size(path, ec);
  return !ec && size >= 1;
}

} // namespace

bool confirmOverwrite(const std::string& path, Prompts& prompts)
{
  if (!fileHasContent(path))
    return true;
  return prompts.yesNo("File already exists. Do you want to overwrite it?\r\n" + path, {},
                       MessageIcon::Question);
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
