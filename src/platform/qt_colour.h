// The stored colour value (red + 256·green + 65536·blue) as a Qt colour and back.
#pragma once

#include <QColor>

#include <cstdint>

namespace tarvek {

// Bits above the blue byte are ignored.
QColor toQColor(std::uint32_t stored);
std::uint32_t fromQColor(const QColor& colour);

} // namespace tarvek
