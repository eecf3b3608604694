// A fixed-size widget that shows a picture or a pixel canvas and reports the mouse.
#include "tools/pixel_view.h"

#include "tools/pixel_canvas.h"

#include <QMouseEvent>
#include <QPainter>

namespace tarvek {

PixelView::PixelView(int width, int height, QWidget* parent)
    : QWidget(parent), m_image(width, height, QImage::Format_RGB32)
{
  m_image.fill(Qt::black);
  setFixedSize(width, height);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void PixelView::showCanvas(PixelCanvas& canvas)
{
  m_canvas = &canvas;
  canvas.onChange = [this] { update(); };
}

QImage PixelView::canvasImage() const
{
  const auto words = m_canvas->words();
  return QImage(reinterpret_cast<const uchar*>(words.data()), m_canvas->width(), m_canvas->height(),
                m_canvas->width() * 4, QImage::Format_RGB32);
}

QImage PixelView::picture() const
{
  return m_canvas != nullptr ? canvasImage().copy() : m_image;
}

void PixelView::paintEvent(QPaintEvent*)
{
  QPainter painter(this);
  painter.drawImage(0, 0, m_canvas != nullptr ? canvasImage() : m_image);
}

void PixelView::mousePressEvent(QMouseEvent* event)
{
  if (onPress)
    onPress(*event);
}

void PixelView::mouseMoveEvent(QMouseEvent* event)
{
  if (onMove)
    onMove(*event);
}

void PixelView::mouseReleaseEvent(QMouseEvent* event)
{
  if (onRelease)
    onRelease(*event);
}

} // namespace tarvek
