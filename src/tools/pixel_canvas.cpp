// A picture surface of 32-bit pixels that the tools paint into and windows show.
#include "tools/pixel_canvas.h"

#include "runtime/runtime_error.h"

#include <algorithm>
#include <string>

namespace tarvek {

namespace {

constexpr std::uint32_t kOpaque = 0xFF000000u;
constexpr std::uint32_t kColourBits = 0x00FFFFFFu;

} // namespace

PixelCanvas::PixelCanvas(int width, int height) : m_width(width), m_height(height)
{
  if (width < 0 || height < 0)
    throw RuntimeError("A picture of " + std::to_string(width) + " x " + std::to_string(height) +
                       " pixels cannot be made.");
  m_pixels.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), kOpaque);
}

std::uint32_t PixelCanvas::pixel(int x, int y) const
{
  if (!contains(x, y))
    throw RuntimeError("The point (" + std::to_string(x) + ", " + std::to_string(y) +
                       ") lies outside the picture.");
  return m_pixels[static_cast<std::size_t>(y) * m_width + x] & kColourBits;
}

void PixelCanvas::setPixel(int x, int y, std::uint32_t colour)
{
  if (contains(x, y))
    m_pixels[static_cast<std::size_t>(y) * m_width + x] = colour | kOpaque;
}

void PixelCanvas::clear(std::uint32_t colour)
{
  std::fill(m_pixels.begin(), m_pixels.end(), colour | kOpaque);
}

void PixelCanvas::writeBlock(int w, int h, std::span<const std::uint32_t> block)
{
  if (w < 0 || h < 0 || block.size() < static_cast<std::size_t>(w) * static_cast<std::size_t>(h))
    throw RuntimeError("The picture block does not hold " + std::to_string(w) + " x " +
                       std::to_string(h) + " pixels.");
  const int rows = std::min(h, m_height);
  const int columns = std::min(w, m_width);
  for (int y = 0; y < rows; ++y) {
    const std::uint32_t* from = block.data() + static_cast<std::size_t>(y) * w;
    std::uint32_t* to = m_pixels.data() + static_cast<std::size_t>(y) * m_width;
    for (int x = 0; x < columns; ++x)
      to[x] = from[x] | kOpaque;
  }
}

void PixelCanvas::verticalLine(int x, int y0, int y1, std::uint32_t colour)
{
  if (x < 0 || x >= m_width)
    return;
  const int top = std::max(std::min(y0, y1), 0);
  const int bottom = std::min(std::max(y0, y1), m_height - 1);
  for (int y = top; y <= bottom; ++y)
    m_pixels[static_cast<std::size_t>(y) * m_width + x] = colour | kOpaque;
}

void PixelCanvas::refresh() const
{
  if (onChange)
    onChange();
}

} // namespace tarvek
