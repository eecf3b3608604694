// cDIBSection and Qt pictures: copying in and out, painting, the clipboard.
#include "imaging/ui/dib_section_qt.h"

#include "imaging/dib_section.h"
#include "platform/prompts.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cstring>

namespace tarvek {

namespace {

// The picture as blue, green, red bytes; alpha is laid over white, as a DIB
// has none.
QImage bgrOf(const QImage& picture)
{
  if (!picture.hasAlphaChannel())
    return picture.convertToFormat(QImage::Format_BGR888);
  QImage opaque(picture.size(), QImage::Format_BGR888);
  opaque.fill(Qt::white);
  QPainter painter(&opaque);
  painter.drawImage(0, 0, picture);
  painter.end();
  return opaque;
}

} // namespace

void CreateFromPicture(cDIBSection& dib, const QImage& picture)
{
  if (dib.Create(picture.width(), picture.height()))
    LoadPictureBlt(dib, picture, 0, 0, -1, -1);
}

void LoadPictureBlt(cDIBSection& dib, const QImage& source, std::int32_t sx, std::int32_t sy,
                    std::int32_t w, std::int32_t h)
{
  if (!dib.isValid() || source.isNull())
    return;
  if (w < 0)
    w = dib.width();
  if (h < 0)
    h = dib.height();
  // Clip the rectangle to the source; what moves in from the left or top
  // moves the target corner with it.
  std::int32_t tx = 0;
  std::int32_t ty = 0;
  if (sx < 0) {
    tx = -sx;
    w += sx;
    sx = 0;
  }
  if (sy < 0) {
    ty = -sy;
    h += sy;
    sy = 0;
  }
  w = std::min({w, source.width() - sx, dib.width() - tx});
  h = std::min({h, source.height() - sy, dib.height() - ty});
  if (w <= 0 || h <= 0)
    return;
  const QImage bgr = bgrOf(source.copy(sx, sy, w, h));
  const std::size_t stride = static_cast<std::size_t>(dib.BytesPerScanLine());
  for (std::int32_t y = 0; y < h; ++y) {
    const std::size_t memoryRow = static_cast<std::size_t>(dib.height() - 1 - (ty + y));
    std::memcpy(dib.DIBSectionBitsPtr() + memoryRow * stride + 3 * static_cast<std::size_t>(tx),
                bgr.constScanLine(y), 3 * static_cast<std::size_t>(w));
  }
}

void PaintPicture(const cDIBSection& dib, QPainter& painter, std::int32_t tx, std::int32_t ty,
                  std::int32_t w, std::int32_t h, std::int32_t sx, std::int32_t sy)
{
  if (!dib.isValid())
    return;
  if (w < 0)
    w = dib.width();
  if (h < 0)
    h = dib.height();
  painter.save();
  painter.setCompositionMode(QPainter::CompositionMode_Source);
  painter.drawImage(QPoint(tx, ty), toQImage(dib), QRect(sx, sy, w, h));
  painter.restore();
}

bool CopyToClipboard(const cDIBSection& dib, bool mode, Prompts& prompts)
{
  if (mode) {
    prompts.message("Noch nicht verfügbar!", "", MessageIcon::None);
    return false;
  }
  QClipboard* clipboard = QGuiApplication::clipboard();
  if (!dib.isValid() || clipboard == nullptr)
    return false;
  clipboard->setImage(toQImage(dib));
  return true;
}

QImage toQImage(const cDIBSection& dib)
{
  if (!dib.isValid())
    return QImage();
  QImage bgr(dib.width(), dib.height(), QImage::Format_BGR888);
  const std::size_t stride = static_cast<std::size_t>(dib.BytesPerScanLine());
  for (std::int32_t y = 0; y < dib.height(); ++y) {
    const std::size_t memoryRow = static_cast<std::size_t>(dib.height() - 1 - y);
    std::memcpy(bgr.scanLine(y), dib.DIBSectionBitsPtr() + memoryRow * stride,
                3 * static_cast<std::size_t>(dib.width()));
  }
  return bgr.convertToFormat(QImage::Format_RGB888);
}

} // namespace tarvek
