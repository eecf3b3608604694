// JPEG frames of one colour each, for the GIF tests and the benchmark.
#pragma once

#include "imaging/dib_section.h"
#include "imaging/jpeg_file.h"

#include <cstdint>
#include <string>

namespace tarvek::test {

struct Rgb {
  std::uint8_t r, g, b;
};

// Saves a w x h JPEG of one colour at path.
inline void writeFlatJpeg(const std::string& path, int w, int h, Rgb colour, int quality)
{
  cDIBSection dib;
  dib.Create(w, h);
  for (int y = 0; y < h; ++y) {
    std::uint8_t* row = dib.DIBSectionBitsPtr() + static_cast<std::size_t>(y) * dib.BytesPerScanLine();
    for (int x = 0; x < w; ++x) {
      row[3 * x] = colour.b;
      row[3 * x + 1] = colour.g;
      row[3 * x + 2] = colour.r;
    }
  }
  saveJPG(dib, path, quality);
}

} // namespace tarvek::test
