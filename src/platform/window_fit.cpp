// Fitting hand-placed windows to their texts.
#include "platform/window_fit.h"

#include "platform/plain_tool_tip.h"

#include <QApplication>
#include <QCheckBox>
#include <QEvent>
#include <QLabel>
#include <QRadioButton>
#include <QScreen>

#include <algorithm>

namespace tarvek {

void holdTitle(QWidget& window)
{
  // Window managers draw the title in bold.
  QFont bold = QApplication::font();
  bold.setBold(true);
  int need = QFontMetrics(bold).horizontalAdvance(window.windowTitle()) + kTitleBarRoom;
  if (const QScreen* screen = window.screen())
    need = std::min(need, screen->availableGeometry().width());
  const QSize least = window.minimumSizeHint().expandedTo(window.minimumSize());
  window.setMinimumSize(std::max(least.width(), need), least.height());
}

void fitToScreen(QWidget& window)
{
  const QScreen* screen = window.screen();
  if (screen == nullptr)
    return;
  const QRect room = screen->availableGeometry();
  const QSize frame = window.frameGeometry().size() - window.geometry().size();
  const QSize fits = window.size().boundedTo(room.size() - frame);
  if (fits != window.size())
    window.resize(fits);
  const QRect placed = window.frameGeometry();
  if (!room.contains(placed))
    window.move(std::clamp(placed.x(), room.left(), std::max(room.left(), room.right() + 1 - placed.width())),
                std::clamp(placed.y(), room.top(), std::max(room.top(), room.bottom() + 1 - placed.height())));
}

void widenToText(QWidget& root)
{
  for (QWidget* w : root.findChildren<QWidget*>()) {
    const auto* label = qobject_cast<QLabel*>(w);
    const bool textControl = (label != nullptr && !label->wordWrap() && !label->text().isEmpty()) ||
                             qobject_cast<QCheckBox*>(w) != nullptr ||
                             qobject_cast<QRadioButton*>(w) != nullptr;
    if (textControl && w->sizeHint().width() > w->width())
      w->resize(w->sizeHint().width(), w->height());
  }
}

namespace {

constexpr char kFullText[] = "tarvekFullText";
constexpr char kHint[] = "tarvekElidedHint";

void elide(QLabel& label)
{
  const QString text = label.property(kFullText).toString();
  const QString hint = label.property(kHint).toString();
  const int room = label.contentsRect().width() - 2 * label.margin() - std::max(label.indent(), 0);
  const QString shown = label.fontMetrics().elidedText(text, Qt::ElideMiddle, std::max(room, 0));
  label.setText(shown);
  if (shown == text)
    setPlainToolTip(&label, hint);
  else
    setPlainToolTip(&label, hint.isEmpty() ? text : text + QLatin1Char('\n') + hint);
}

// Shortens the label's whole text again whenever the label changes size.
class ElideOnResize : public QObject {
public:
  using QObject::QObject;

  bool eventFilter(QObject* watched, QEvent* event) override
  {
    if (event->type() == QEvent::Resize)
      elide(*static_cast<QLabel*>(watched));
    return false;
  }
};

} // namespace

void showElided(QLabel& label, const QString& text, const QString& hint)
{
  if (label.findChild<ElideOnResize*>(QString(), Qt::FindDirectChildrenOnly) == nullptr) {
    label.setSizePolicy(QSizePolicy::Ignored, label.sizePolicy().verticalPolicy());
    label.installEventFilter(new ElideOnResize(&label));
  }
  label.setProperty(kFullText, text);
  label.setProperty(kHint, hint);
  elide(label);
}

QString elidedWhole(const QLabel& label)
{
  const QVariant whole = label.property(kFullText);
  return whole.isValid() ? whole.toString() : label.text();
}

} // namespace tarvek
