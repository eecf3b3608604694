// A view stand-in whose grab writes a fixed small picture, for tests of the
// commands that save or copy the view.
#pragma once

#include "runtime/atomic_file.h"
#include "scene/frame_grab.h"
#include "scene/gl_host.h"

#include <QColor>
#include <QImage>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace tarvek::test {

// Its context counts as current, so the scene issues its GL calls to the
// recording GL. grabToBmp runs onGrab (where a test notes what it must know
// at the moment of the grab: a window's visibility, the GL log), then writes
// a width x height picture (image() by default) as a 24-bit bitmap through
// the frame grab's encoder, or, with `writes` false, nothing.
class GrabViewStub : public ViewStub {
public:
  static constexpr int kWidth = 4;
  static constexpr int kHeight = 3;

  bool makeCurrent() override { return true; }

  bool grabToBmp(const std::string& path) override
  {
    ++grabs;
    if (onGrab)
      onGrab();
    return writes && writeFileAtomic(path, bitmap(width, height)).ok();
  }

  // The pixel at (x, y), y from the top: a different colour for each.
  static QColor pixel(int x, int y)
  {
    return QColor((40 * x + 20) & 0xFF, (60 * y + 10) & 0xFF, (200 - 30 * x) & 0xFF);
  }

  // The picture as the grab's bitmap file holds it.
  static std::string bitmap(int width = kWidth, int height = kHeight)
  {
    std::vector<std::uint8_t> rgb;
    for (int row = height - 1; row >= 0; --row)
      for (int x = 0; x < width; ++x) {
        const QColor c = pixel(x, row);
        rgb.insert(rgb.end(), {static_cast<std::uint8_t>(c.red()), static_cast<std::uint8_t>(c.green()),
                               static_cast<std::uint8_t>(c.blue())});
      }
    return encodeBmp24(rgb, width, height);
  }

  // The picture upright, as the clipboard gets it.
  static QImage image()
  {
    QImage picture(kWidth, kHeight, QImage::Format_RGB32);
    for (int y = 0; y < kHeight; ++y)
      for (int x = 0; x < kWidth; ++x)
        picture.setPixelColor(x, y, pixel(x, y));
    return picture;
  }

  std::function<void()> onGrab;
  bool writes = true;
  int width = kWidth;
  int height = kHeight;
  int grabs = 0;
};

} // namespace tarvek::test
