// The digitiser tests' picture of atoms: a 200 × 160 white field with a 5 × 4
// grid of black discs of radius 6 centred at (25 + 36 i, 25 + 36 j), drawn
// pixel by pixel.
#pragma once

#include <QImage>
#include <QPoint>
#include <QString>

#include <cstdint>
#include <filesystem>
#include <set>
#include <utility>
#include <vector>

namespace tarvek::test {

inline constexpr int kGridWidth = 200;
inline constexpr int kGridHeight = 160;
inline constexpr int kGridDiscRadius = 6;

// Row by row, top first.
inline std::vector<QPoint> gridCentres()
{
  std::vector<QPoint> centres;
  for (int j = 0; j < 4; ++j) {
    for (int i = 0; i < 5; ++i)
      centres.emplace_back(25 + 36 * i, 25 + 36 * j);
  }
  return centres;
}

inline std::set<std::pair<int, int>> gridCentreSet()
{
  std::set<std::pair<int, int>> centres;
  for (const QPoint& c : gridCentres())
    centres.emplace(c.x(), c.y());
  return centres;
}

// 1 where a pixel lies within a disc, else 0; top row first.
inline std::vector<std::uint8_t> gridMask()
{
  std::vector<std::uint8_t> mask(static_cast<std::size_t>(kGridWidth) * kGridHeight, 0);
  constexpr int r = kGridDiscRadius;
  for (const QPoint& c : gridCentres()) {
    for (int y = c.y() - r; y <= c.y() + r; ++y) {
      for (int x = c.x() - r; x <= c.x() + r; ++x) {
        if ((x - c.x()) * (x - c.x()) + (y - c.y()) * (y - c.y()) <= r * r)
          mask[static_cast<std::size_t>(y) * kGridWidth + x] = 1;
      }
    }
  }
  return mask;
}

// The picture as a BMP file; false when it cannot be saved.
inline bool writeGridBmp(const std::filesystem::path& path)
{
  QImage image(kGridWidth, kGridHeight, QImage::Format_RGB32);
  const std::vector<std::uint8_t> mask = gridMask();
  for (int y = 0; y < kGridHeight; ++y) {
    for (int x = 0; x < kGridWidth; ++x) {
      const bool inside = mask[static_cast<std::size_t>(y) * kGridWidth + x] != 0;
      image.setPixel(x, y, inside ? 0xFF000000u : 0xFFFFFFFFu);
    }
  }
  return image.save(QString::fromStdString(path.string()), "BMP");
}

} // namespace tarvek::test
