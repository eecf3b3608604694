#include "runtime/text_align.h"

namespace tarvek {

namespace {

bool isContinuationByte(char c)
{
  return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// The text cut to at most width characters, and how many it kept.
std::string_view firstCharacters(std::string_view text, int width, int& count)
{
  count = 0;
  std::size_t end = 0;
  while (end < text.size() && count < width) {
    ++end;
    while (end < text.size() && isContinuationByte(text[end]))
      ++end;
    ++count;
  }
  return text.substr(0, end);
}

} // namespace

std::string alignRight(std::string_view text, int width)
{
  if (width <= 0)
    return {};
  int count = 0;
  auto kept = firstCharacters(text, width, count);
  std::string result(static_cast<std::size_t>(width - count), ' ');
  result += kept;
  return result;
}

std::string alignLeft(std::string_view text, int width)
{
  if (width <= 0)
    return {};
  int count = 0;
  std::string result(firstCharacters(text, width, count));
  result.append(static_cast<std::size_t>(width - count), ' ');
  return result;
}

} // namespace tarvek
