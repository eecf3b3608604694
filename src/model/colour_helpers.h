#pragma once

#include <cstdint>

namespace tarvek {

class SystemColors;

// Red, green and blue parts, each 0..255 for inputs within 0..239.
struct RGBParts {
  std::int16_t red = 0;
  std::int16_t green = 0;
  std::int16_t blue = 0;
};

// Hue, saturation and brightness on a 0..239 scale (239 is a full turn of
// hue, full saturation, full brightness) to red, green and blue. Channels are
// floored, so (40, 239, 160) gives red 254. Inputs are not range-checked; a
// part beyond the 16-bit range throws RuntimeError.
RGBParts HSBtoRGB(std::int16_t hue, std::int16_t saturation, std::int16_t brightness);

// Colour values are 0x00BBGGRR; a negative value refers to a system colour
// whose index is in the low 31 bits. translateSysColor gives that system
// colour (bits 24..31 cleared); a non-negative value is taken as the index.
std::int32_t translateSysColor(std::int32_t colour, SystemColors& systemColors);

// The parts of a colour value, resolving a system colour reference first.
// getGreen takes bits 8..15 of any value.
std::int16_t getRed(std::int32_t colour, SystemColors& systemColors);
std::int16_t getGreen(std::int32_t colour, SystemColors& systemColors);
std::int16_t getBlue(std::int32_t colour, SystemColors& systemColors);

} // namespace tarvek
