// The stored colour value (red + 256·green + 65536·blue) as a Qt colour and back.
#include "platform/qt_colour.h"

namespace tarvek {

QColor toQColor(std::uint32_t stored)
{
  return {int(stored & 0xFFu), int((stored >> 8) & 0xFFu), int((stored >> 16) & 0xFFu)};
}

std::uint32_t fromQColor(const QColor& colour)
{
  return std::uint32_t(colour.red()) + 256u * std::uint32_t(colour.green()) +
         65536u * std::uint32_t(colour.blue());
}

} // namespace tarvek
