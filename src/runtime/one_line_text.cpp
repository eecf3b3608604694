// Outside text made safe to write inside one line of a file.
#include "runtime/one_line_text.h"

namespace tarvek {

std::string oneLineText(std::string_view text)
{
  std::string line(text);
  for (char& c : line) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F)
      c = ' ';
  }
  return line;
}

} // namespace tarvek
