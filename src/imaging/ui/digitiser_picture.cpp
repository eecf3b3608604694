// One picture of the digitiser: layers, painting and forwarded input.
#include "imaging/ui/digitiser_picture.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace tarvek {

DigitiserPicture::DigitiserPicture(QColor background, bool textIsDrawing, QWidget* parent)
    : QWidget(parent), m_background(background), m_textIsDrawing(textIsDrawing)
{
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void DigitiserPicture::setPicture(const QImage& picture)
{
  m_picture = picture;
  update();
}

void DigitiserPicture::removePicture()
{
  m_picture = QImage();
  m_textShown = false;
  update();
}

void DigitiserPicture::setInstructions(const QStringList& lines)
{
  m_text = lines;
  m_textShown = true;
  update();
}

void DigitiserPicture::clearDrawings()
{
  m_drawingsShown = false;
  if (m_textIsDrawing)
    m_textShown = false;
  update();
}

void DigitiserPicture::showDrawings()
{
  m_drawingsShown = true;
  update();
}

void DigitiserPicture::paintEvent(QPaintEvent*)
{
  QPainter painter(this);
  painter.fillRect(rect(), m_background);
  if (!m_picture.isNull())
    painter.drawImage(0, 0, m_picture);
  if (m_textShown) {
    painter.setPen(QColor(0, 0, 255));
    const int ascent = painter.fontMetrics().ascent();
    for (int i = 0; i < m_text.size(); ++i)
      painter.drawText(20, 20 * (i + 1) + ascent, m_text[i]);
  }
  if (m_drawingsShown && paintDrawings) {
    painter.setPen(Qt::black);
    paintDrawings(painter);
  }
}

void DigitiserPicture::mousePressEvent(QMouseEvent* event)
{
  if (mousePressed)
    mousePressed(event);
}

void DigitiserPicture::mouseReleaseEvent(QMouseEvent* event)
{
  if (mouseReleased)
    mouseReleased(event);
}

void DigitiserPicture::mouseMoveEvent(QMouseEvent* event)
{
  if (mouseMoved)
    mouseMoved(event);
}

void DigitiserPicture::keyPressEvent(QKeyEvent* event)
{
  if (keyPressed)
    keyPressed(event);
  else
    QWidget::keyPressEvent(event);
}

} // namespace tarvek
