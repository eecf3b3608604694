#include "platform/open_url.h"

namespace tarvek {

namespace {

bool isAsciiLetter(char c)
{
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool isSchemeChar(char c)
{
  return isAsciiLetter(c) || (c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.';
}

// A URI scheme and its ":" at the start.
bool hasUrlScheme(const std::string& target)
{
  auto colon = target.find(':');
  if (colon == std::string::npos || colon == 0 || !isAsciiLetter(target[0]))
    return false;
  for (std::size_t i = 1; i < colon; ++i)
    if (!isSchemeChar(target[i]))
      return false;
  return true;
}

bool handOver(const std::string& target, ShellOpen& shellOpen) noexcept
{
  try {
    return hasUrlScheme(target) ? shellOpen.openAddress(target) : shellOpen.openFile(target);
  } catch (...) {
    // Opening a document is a courtesy: nothing the handler does may stop the caller.
    return false;
  }
}

} // namespace

void openURL(const std::string& target, ShellOpen& shellOpen) noexcept
{
  handOver(target, shellOpen);
}

std::string noOpenerText(const std::string& target)
{
  return target + "\r\ncould not be opened: the desktop has no opener (xdg-open) or no program "
                  "for this kind of file.";
}

bool openOrTell(const std::string& target, ShellOpen& shellOpen, Prompts& prompts)
{
  if (handOver(target, shellOpen))
    return true;
  prompts.message(noOpenerText(target), {}, MessageIcon::Exclamation);
  return false;
}

} // namespace tarvek
