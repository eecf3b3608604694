// A picture surface of 32-bit pixels that the tools paint into and windows show.
#pragma once

#include "runtime/big_buffer.h"

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

namespace tarvek {

// Width × height pixels, row 0 at the top. Each word is 0xFFRRGGBB, the layout
// of QImage::Format_RGB32, so a window can show the buffer without copying.
// Colours passed in and read back are 0x00RRGGBB (blue in bits 0..7): the top
// byte is set on writing and dropped on reading.
//
// Tag is free text that the owners of a canvas use as a marker; onChange, when
// set, is called by refresh() so the window repaints.
class PixelCanvas {
public:
  PixelCanvas(int width, int height);

  int width() const { return m_width; }
  int height() const { return m_height; }
  bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < m_width && y < m_height; }

  // The colour at (x, y); throws RuntimeError outside the canvas.
  std::uint32_t pixel(int x, int y) const;
  // Outside the canvas nothing is painted.
  void setPixel(int x, int y, std::uint32_t colour);
  void clear(std::uint32_t colour);
  // Copies a w × h block (row by row, 0x00RRGGBB) to the top left corner;
  // what falls beyond the canvas is left out.
  void writeBlock(int w, int h, std::span<const std::uint32_t> block);
  // The pixels of column x from row y0 to row y1, both included, in either
  // order; clipped to the canvas.
  void verticalLine(int x, int y0, int y1, std::uint32_t colour);

  void refresh() const;

  // The raw 0xFFRRGGBB words, row by row.
  std::span<const std::uint32_t> words() const { return m_pixels; }

  std::string Tag;
  std::function<void()> onChange;

private:
  int m_width;
  int m_height;
  BigVector<std::uint32_t> m_pixels;
};

} // namespace tarvek
