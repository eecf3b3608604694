// Reading a window as a user does: text widths and covered controls.
#include "window_reading.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QTabBar>
#include <QToolButton>
#include <QTreeView>

#include <algorithm>

namespace tarvek::test {
namespace {

// Room a title bar takes beside its text: the window icon and three buttons.
constexpr int kTitleBarButtons = 100;

QString plainCaption(QString text)
{
  text.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
  text.remove(QLatin1Char('&'));
  text.replace(QLatin1Char('\x01'), QLatin1Char('&'));
  return text;
}

class Reader {
public:
  explicit Reader(QWidget& window) : m_window(window) {}

  std::vector<std::string> read()
  {
    const int title = QFontMetrics(QApplication::font()).horizontalAdvance(m_window.windowTitle());
    const int minimum = std::max(m_window.minimumWidth(), m_window.minimumSizeHint().width());
    if (!m_window.windowTitle().trimmed().isEmpty() && minimum < title + kTitleBarButtons)
      fault(m_window, "minimum width " + std::to_string(minimum) + " cannot hold its title (" +
                          std::to_string(title + kTitleBarButtons) + ")");
    readFrameTitle();
    for (QWidget* w : m_window.findChildren<QWidget*>()) {
      if (w->window() != &m_window || !w->isVisibleTo(&m_window))
        continue;
      readText(*w);
      readReach(*w);
    }
    return m_faults;
  }

private:
  QWidget& m_window;

  // Under a window manager the title bar is as wide as the frame, and its
  // title is drawn in bold.
  void readFrameTitle()
  {
    const QRect frame = m_window.frameGeometry();
    // No frame, or one the manager has not yet put round the window.
    if (m_window.windowTitle().trimmed().isEmpty() || frame.size() == m_window.geometry().size() ||
        frame.width() < m_window.width())
      return;
    QFont bold = QApplication::font();
    bold.setBold(true);
    const int need = QFontMetrics(bold).horizontalAdvance(m_window.windowTitle()) + kTitleBarButtons;
    if (frame.width() < need)
      fault(m_window, "frame width " + std::to_string(frame.width()) + " cannot hold its title (" +
                          std::to_string(need) + ")");
  }
  std::vector<std::string> m_faults;

  std::string name(const QWidget& w, const QString& text) const
  {
    QString id = w.objectName().isEmpty() ? QString::fromLatin1(w.metaObject()->className())
                                          : w.objectName();
    if (!text.isEmpty())
      id += QStringLiteral(" \"") + text + QStringLiteral("\"");
    else if (!w.toolTip().isEmpty())
      id += QStringLiteral(" (") + w.toolTip() + QStringLiteral(")");
    return id.toStdString();
  }

  void fault(const QWidget& w, const std::string& what, const QString& text = {})
  {
    const QString title = m_window.windowTitle().isEmpty()
                              ? QString::fromLatin1(m_window.metaObject()->className())
                              : m_window.windowTitle();
    m_faults.push_back("[" + title.trimmed().toStdString() + "] " +
                       (&w == &m_window ? std::string("window") : name(w, text)) + ": " + what);
  }

  void needs(const QWidget& w, const QString& text, int need, int given)
  {
    if (need > given)
      fault(w, "needs " + std::to_string(need) + " px, has " + std::to_string(given), text);
  }

  void readText(QWidget& w)
  {
    if (auto* label = qobject_cast<QLabel*>(&w)) {
      if (label->text().isEmpty())
        return;
      if (label->wordWrap()) {
        const int height = label->heightForWidth(label->width());
        if (height > label->height())
          fault(w, "wrapped text needs " + std::to_string(height) + " px of height, has " +
                       std::to_string(label->height()), label->text().left(30));
        return;
      }
      const int shown = shownWidth(*label);
      if (shown > 0)
        needs(w, label->text(), label->sizeHint().width(), std::min(label->width(), shown));
    } else if (auto* box = qobject_cast<QCheckBox*>(&w)) {
      needs(w, box->text(), box->sizeHint().width(), box->width());
    } else if (auto* radio = qobject_cast<QRadioButton*>(&w)) {
      needs(w, radio->text(), radio->sizeHint().width(), radio->width());
    } else if (auto* button = qobject_cast<QPushButton*>(&w)) {
      readButton(*button);
    } else if (auto* tool = qobject_cast<QToolButton*>(&w)) {
      if (!tool->text().isEmpty() && tool->toolButtonStyle() != Qt::ToolButtonIconOnly)
        needs(w, tool->text(), tool->sizeHint().width(), tool->width());
    } else if (auto* combo = qobject_cast<QComboBox*>(&w)) {
      readCombo(*combo);
    } else if (auto* tabs = qobject_cast<QTabBar*>(&w)) {
      readTabs(*tabs);
    } else if (auto* header = qobject_cast<QHeaderView*>(&w)) {
      readHeader(*header);
    } else if (auto* view = qobject_cast<QAbstractItemView*>(&w)) {
      readCurrentItem(*view);
    } else if (auto* group = qobject_cast<QGroupBox*>(&w)) {
      if (!group->title().isEmpty())
        needs(w, group->title(),
              group->fontMetrics().horizontalAdvance(plainCaption(group->title())) + 12,
              group->width());
    }
  }

  // The width of the control that its parents leave on show: a control
  // wider than the panel it sits in is cut at the panel's edge. 0 when
  // nothing of it is shown (a collapsed panel).
  int shownWidth(const QWidget& w) const
  {
    QRect shown = w.rect();
    for (const QWidget* inner = &w; inner != &m_window && inner->parentWidget() != nullptr;
         inner = inner->parentWidget()) {
      shown = shown.translated(inner->pos()).intersected(inner->parentWidget()->rect());
      if (shown.isEmpty())
        return 0;
    }
    return shown.width();
  }

  // The chosen row of a list or tree: every cell shows its whole text and
  // lies in the list's view, so the user sees what is chosen.
  void readCurrentItem(QAbstractItemView& view)
  {
    const QModelIndex current = view.currentIndex();
    if (!current.isValid())
      return;
    const auto* tree = qobject_cast<const QTreeView*>(&view);
    const QRect port = view.viewport()->rect();
    for (int column = 0; column < view.model()->columnCount(current.parent()); ++column) {
      if (tree != nullptr && tree->isColumnHidden(column))
        continue;
      const QModelIndex cell = current.siblingAtColumn(column);
      const QString text = cell.data().toString();
      if (text.isEmpty())
        continue;
      const QRect rect = view.visualRect(cell);
      if (!port.contains(QRect(rect.left(), rect.top(), 1, rect.height()))) {
        fault(view, "chosen item lies outside the list's view", text);
        continue;
      }
      needs(view, text, view.sizeHintForIndex(cell).width(), rect.intersected(port).width());
    }
  }

  // A push button's text with the style's margins; the style's usual
  // minimum width of a button is a matter of looks, not of reading.
  void readButton(QPushButton& button)
  {
    if (button.text().isEmpty())
      return;
    QStyle* style = button.style();
    const int margin = style->pixelMetric(QStyle::PM_ButtonMargin, nullptr, &button);
    const int frame = style->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, &button);
    int need = button.fontMetrics().horizontalAdvance(plainCaption(button.text())) + margin + 2 * frame;
    if (!button.icon().isNull())
      need += button.iconSize().width() + 4;
    needs(button, button.text(), need, button.width());
  }

  // Every item of a closed list box, since any of them may become the shown one.
  void readCombo(QComboBox& combo)
  {
    if (combo.isEditable())
      return;
    QStyleOptionComboBox option;
    option.initFrom(&combo);
    option.editable = false;
    option.frame = combo.hasFrame();
    option.subControls = QStyle::SC_All;
    const QRect field =
        combo.style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, &combo);
    QString widest;
    int need = 0;
    for (int i = 0; i < combo.count(); ++i) {
      const int width = combo.fontMetrics().horizontalAdvance(combo.itemText(i)) + 2;
      if (width > need) {
        need = width;
        widest = combo.itemText(i);
      }
    }
    needs(combo, widest, need, field.width());
  }

  void readTabs(QTabBar& tabs)
  {
    const int space = tabs.style()->pixelMetric(QStyle::PM_TabBarTabHSpace, nullptr, &tabs);
    for (int i = 0; i < tabs.count(); ++i) {
      const QRect rect = tabs.tabRect(i);
      const QString text = plainCaption(tabs.tabText(i));
      needs(tabs, text, tabs.fontMetrics().horizontalAdvance(text) + space, rect.width());
      if (rect.right() >= tabs.width() || rect.left() < 0)
        fault(tabs, "tab lies outside the tab bar", text);
    }
  }

  void readHeader(QHeaderView& header)
  {
    if (header.model() == nullptr)
      return;
    const int margin = header.style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, &header);
    QFont font = header.font();
    const QFontMetrics metrics(font);
    const int extent = header.orientation() == Qt::Horizontal ? header.viewport()->width()
                                                              : header.viewport()->height();
    const int count = header.count();
    for (int i = 0; i < count; ++i) {
      if (header.isSectionHidden(i))
        continue;
      const QString text = header.model()->headerData(i, header.orientation()).toString();
      const int size = header.sectionSize(i);
      if (!text.isEmpty())
        needs(header, text, metrics.horizontalAdvance(text) + 2 * margin, size);
      const int start = header.sectionViewportPosition(i);
      if (!text.isEmpty() && (start < 0 || start + size > extent))
        fault(header, "section lies outside the list's width", text);
    }
  }

  // A control that takes clicks must be what the window finds at its centre.
  void readReach(QWidget& w)
  {
    const bool clickable = qobject_cast<QAbstractButton*>(&w) != nullptr ||
                           qobject_cast<QComboBox*>(&w) != nullptr ||
                           qobject_cast<QLineEdit*>(&w) != nullptr ||
                           qobject_cast<QAbstractSpinBox*>(&w) != nullptr ||
                           (qobject_cast<QAbstractSlider*>(&w) != nullptr &&
                            qobject_cast<QScrollBar*>(&w) == nullptr) ||
                           qobject_cast<QTabBar*>(&w) != nullptr;
    if (!clickable || w.testAttribute(Qt::WA_TransparentForMouseEvents))
      return;
    if (auto* edit = qobject_cast<QLineEdit*>(&w);
        edit != nullptr && (qobject_cast<QComboBox*>(w.parentWidget()) != nullptr ||
                            qobject_cast<QAbstractSpinBox*>(w.parentWidget()) != nullptr))
      return;
    // A control its parent clips away (a collapsed panel) is not drawn at all.
    for (const QWidget* inner = &w; inner->parentWidget() != &m_window; inner = inner->parentWidget()) {
      const QWidget* parent = inner->parentWidget();
      if (!parent->rect().contains(w.mapTo(parent, w.rect().center())))
        return;
    }
    const QPoint centre = w.mapTo(&m_window, w.rect().center());
    QWidget* hit = m_window.childAt(centre);
    if (hit == &w || (hit != nullptr && w.isAncestorOf(hit)))
      return;
    QString text;
    if (auto* button = qobject_cast<QAbstractButton*>(&w))
      text = button->text();
    fault(w, hit == nullptr ? std::string("its centre lies outside the window")
                            : "covered at its centre by " + name(*hit, {}),
          text);
  }
};

} // namespace

std::vector<std::string> readingFaults(QWidget& window)
{
  return Reader(window).read();
}

} // namespace tarvek::test
