// The image browser's thumbnail strip.
#include "imaging/ui/thumbnail_strip.h"

#include "imaging/ui/image_toolkit.h"
#include "platform/abort.h"
#include "platform/plain_tool_tip.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QScrollBar>
#include <QToolTip>

#include <algorithm>
#include <cmath>
#include <limits>

namespace tarvek {

namespace {

// Thumbnails stand one pixel below the strip's top edge.
constexpr int kThumbnailTop = 1;

} // namespace

ThumbnailStrip::ThumbnailStrip(ImageToolkit& toolkit, AbortToken& abort, QWidget* parent)
    : QWidget(parent), m_toolkit(toolkit), m_abort(abort)
{
  scr = new QScrollBar(Qt::Horizontal, this);
  connect(scr, &QScrollBar::valueChanged, this, [this] { layoutThumbnails(); });
  m_ticks.setInterval(0);
  connect(&m_ticks, &QTimer::timeout, this, [this] { thumbnailTick(); });
  setAutoFillBackground(true);
}

void ThumbnailStrip::setThumbSize(float width, float height)
{
  m_thumbWidth = width;
  m_thumbHeight = height;
}

void ThumbnailStrip::createThumbnails(const std::string& folder, const QStringList& names)
{
  if (m_run.running())
    return;
  m_abort.clearEscape();
  clearThumbnails();
  setThumbSize(kThumbnailSize, kThumbnailSize);
  const auto count = static_cast<std::int32_t>(
      std::min<qsizetype>(names.size(), std::numeric_limits<std::int32_t>::max()));
  if (!m_run.start(count))
    return;
  m_folder = folder;
  m_names = names;
  scr->setRange(1, count);
  scr->setValue(1);
  if (!m_ticksByHand)
    m_ticks.start();
}

bool ThumbnailStrip::thumbnailTick()
{
  if (!m_run.running()) {
    m_ticks.stop();
    return false;
  }
  // A stop asked between two ticks ends the run before the next thumbnail.
  if (m_run.stopRequested()) {
    endRun();
    return m_run.running();
  }
  const std::int32_t i = m_run.next();
  const std::int32_t n = m_run.fileCount();
  const QString name = m_names.value(i - 1);
  if (progress)
    progress("Creating thumbnail " + std::to_string(i) + " of " + std::to_string(n)
             + " (ESC to stop) ");
  m_tooltips.push_back(QStringLiteral("%1 [%2/%3]").arg(name).arg(i).arg(n));
  m_thumbnails.emplace_back();
  loadImage(m_folder + name.toStdString(), i);
  update();
  // Polling Escape may let events run, and one of them may delete the window.
  const QPointer<ThumbnailStrip> alive(this);
  const bool escape = m_abort.escapePressed();
  if (!alive)
    return false;
  const ThumbnailRun::Step step = m_run.made(escape);
  if (step.finished) {
    endRun();
    return m_run.running();
  }
  if (step.layout)
    layoutThumbnails();
  return true;
}

void ThumbnailStrip::endRun()
{
  m_ticks.stop();
  const bool newFolderDue = m_run.finish();
  layoutThumbnails();
  if (runEnded)
    runEnded(newFolderDue);
}

void ThumbnailStrip::clearThumbnails()
{
  m_thumbnails.clear();
  m_tooltips.clear();
  update();
}

void ThumbnailStrip::loadImage(const std::string& path, std::int32_t i)
{
  const int w = static_cast<int>(std::nearbyint(m_thumbWidth));
  const int h = static_cast<int>(std::nearbyint(m_thumbHeight));
  QImage box(w, h, QImage::Format_RGB888);
  box.fill(palette().color(backgroundRole()));
  QPainter painter(&box);
  const QImage picture = loadScaledImage(path);
  if (!picture.isNull())
    ImageToolkit::draw(painter, picture,
                       static_cast<int>(std::nearbyint((w - picture.width()) / 2.0)),
                       static_cast<int>(std::nearbyint((h - picture.height()) / 2.0)));
  painter.setPen(Qt::white);
  painter.drawRect(0, 0, w - 1, h - 1);
  painter.end();
  m_thumbnails.at(static_cast<std::size_t>(i - 1)) = std::move(box);
}

QImage ThumbnailStrip::loadScaledImage(const std::string& path)
{
  const QSize fit(static_cast<int>(std::nearbyint(m_thumbWidth)),
                  static_cast<int>(std::nearbyint(m_thumbHeight)));
  return m_toolkit.readScaled(path, fit).value_or(QImage());
}

void ThumbnailStrip::appendThumbnail(QImage thumbnail, QString tooltip)
{
  m_thumbnails.push_back(std::move(thumbnail));
  m_tooltips.push_back(std::move(tooltip));
}

void ThumbnailStrip::layoutThumbnails()
{
  update();
}

std::pair<std::int32_t, std::int32_t> ThumbnailStrip::shownRange() const
{
  const std::int32_t first = std::max(1, scr->value());
  const std::int32_t visible = visibleThumbnails(width(), static_cast<int>(m_thumbWidth));
  const auto last = static_cast<std::int32_t>(std::min<std::int64_t>(
      thumbnailCount(), static_cast<std::int64_t>(first) + visible));
  return {first, last};
}

QRect ThumbnailStrip::thumbnailRect(std::int32_t i) const
{
  const int w = static_cast<int>(std::nearbyint(m_thumbWidth));
  const int h = static_cast<int>(std::nearbyint(m_thumbHeight));
  return QRect(thumbnailLeft(i, scr->value(), w), kThumbnailTop, w, h);
}

std::int32_t ThumbnailStrip::thumbnailAt(const QPoint& pos) const
{
  const auto [first, last] = shownRange();
  for (std::int32_t i = first; i <= last; ++i)
    if (thumbnailRect(i).contains(pos))
      return i;
  return 0;
}

QString ThumbnailStrip::tooltipAt(const QPoint& pos) const
{
  const std::int32_t i = thumbnailAt(pos);
  return i > 0 ? m_tooltips.at(static_cast<std::size_t>(i - 1)) : QString();
}

bool ThumbnailStrip::event(QEvent* event)
{
  if (event->type() == QEvent::ToolTip) {
    auto* help = static_cast<QHelpEvent*>(event);
    const QString tip = tooltipAt(help->pos());
    if (tip.isEmpty())
      QToolTip::hideText();
    else
      QToolTip::showText(help->globalPos(), literalToolTip(tip), this, thumbnailRect(thumbnailAt(help->pos())));
    return true;
  }
  return QWidget::event(event);
}

void ThumbnailStrip::paintEvent(QPaintEvent*)
{
  QPainter painter(this);
  const auto [first, last] = shownRange();
  for (std::int32_t i = first; i <= last; ++i) {
    const QRect place = thumbnailRect(i);
    ImageToolkit::draw(painter, thumbnail(i), place.left(), place.top());
  }
}

void ThumbnailStrip::mouseReleaseEvent(QMouseEvent* event)
{
  if (event->button() != Qt::LeftButton)
    return;
  const std::int32_t i = thumbnailAt(event->position().toPoint());
  if (i > 0) {
    if (thumbnailClicked)
      thumbnailClicked(i);
  } else if (backgroundClicked) {
    backgroundClicked();
  }
}

} // namespace tarvek
