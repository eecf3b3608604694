#include "shell/collapsible_frame.h"

#include <QEvent>
#include <QLabel>
#include <QMouseEvent>

namespace tarvek {

CollapsibleFrame::CollapsibleFrame(const QString& caption, QWidget* parent)
    : QFrame(parent), m_caption(new QLabel(caption, this))
{
  setFrameShape(QFrame::StyledPanel);
  QFont bold = m_caption->font();
  bold.setBold(true);
  m_caption->setFont(bold);
  m_caption->move(6, 1);
  m_caption->adjustSize();
  m_caption->setCursor(Qt::PointingHandCursor);
  m_caption->installEventFilter(this);
}

QString CollapsibleFrame::caption() const
{
  return m_caption->text();
}

void CollapsibleFrame::setCaption(const QString& caption)
{
  m_caption->setText(caption);
  m_caption->adjustSize();
}

bool CollapsibleFrame::eventFilter(QObject* watched, QEvent* event)
{
  if (watched == m_caption && event->type() == QEvent::MouseButtonRelease &&
      static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton && onCaptionClick) {
    onCaptionClick();
    return true;
  }
  return QFrame::eventFilter(watched, event);
}

} // namespace tarvek
