#include "model/colour_helpers.h"

#include "platform/system_colors.h"
#include "runtime/int_convert.h"

#include <cmath>

namespace tarvek {

namespace {

// Every step is computed in double and rounded to float once when stored;
// rounding each sub-expression to float instead changes results such as
// (40, 239, 160).
float channel(float c, float t1, float t2)
{
  if (c < 0.0f)
    c = static_cast<float>(c + 1.0);
  if (c > 1.0f)
    c = static_cast<float>(c - 1.0);
  // The comparisons test the products as floats.
  if (static_cast<float>(6.0 * c) < 1.0f)
    return static_cast<float>(((static_cast<double>(t2) - t1) * 6.0) * c + t1);
  if (static_cast<float>(2.0 * c) < 1.0f)
    return t2;
  if (static_cast<float>(3.0 * c) < 2.0f)
    return static_cast<float>(((2.0 / 3.0 - c) * (static_cast<double>(t2) - t1)) * 6.0 + t1);
  return t1;
}

// Floored, not rounded; CInt only checks the range of the whole number.
std::int16_t part(float c)
{
  return CInt(std::floor(c * 255.0));
}

std::int32_t resolved(std::int32_t colour, SystemColors& systemColors)
{
  return colour < 0 ? translateSysColor(colour, systemColors) : colour;
}

} // namespace

RGBParts HSBtoRGB(std::int16_t hue, std::int16_t saturation, std::int16_t brightness)
{
  const float h = static_cast<float>(hue / 239.0);
  const float s = static_cast<float>(saturation / 239.0);
  const float l = static_cast<float>(brightness / 239.0);
  float r = l;
  float g = l;
  float b = l;
  if (s != 0.0f) {
    const float t2 = l < 0.5f ? static_cast<float>(l * (1.0 + s))
                              : static_cast<float>((static_cast<double>(l) + s) - static_cast<double>(l) * s);
    const float t1 = static_cast<float>(2.0 * l - t2);
    r = channel(static_cast<float>(h + 1.0 / 3.0), t1, t2);
    g = channel(h, t1, t2);
    b = channel(static_cast<float>(h - 1.0 / 3.0), t1, t2);
  }
  return {part(r), part(g), part(b)};
}

std::int32_t translateSysColor(std::int32_t colour, SystemColors& systemColors)
{
  const int index = colour & 0x7FFFFFFF;
  return static_cast<std::int32_t>(systemColors.sysColor(index) & 0xFFFFFFu);
}

std::int16_t getRed(std::int32_t colour, SystemColors& systemColors)
{
  return static_cast<std::int16_t>(resolved(colour, systemColors) & 0xFF);
}

std::int16_t getGreen(std::int32_t colour, SystemColors& systemColors)
{
  return static_cast<std::int16_t>((resolved(colour, systemColors) >> 8) & 0xFF);
}

std::int16_t getBlue(std::int32_t colour, SystemColors& systemColors)
{
  return static_cast<std::int16_t>((resolved(colour, systemColors) >> 16) & 0xFF);
}

} // namespace tarvek
