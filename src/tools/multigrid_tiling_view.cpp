// Paints a generated rhombus tiling into a picture.
#include "tools/multigrid_tiling_view.h"

#include "tools/multigrid_tiling.h"

#include <QBrush>
#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPen>
#include <QPoint>

namespace tarvek {

void paintTiling(QImage& image, const TilingResult& tiling)
{
  image.fill(Qt::black);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setPen(QPen(QColor::fromRgb(tiling.gridColour)));
  for (const Tile& tile : tiling.tiles) {
    painter.setBrush(QBrush(QColor::fromRgb(tiling.tileColours.at(tile.type))));
    QPoint points[4];
    for (int n = 0; n < 4; ++n)
      points[n] = QPoint(tile.corners[n].x, tile.corners[n].y);
    painter.drawPolygon(points, 4);
  }
}

} // namespace tarvek
