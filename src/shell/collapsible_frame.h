#pragma once

#include <QFrame>

#include <functional>

class QLabel;

namespace tarvek {

// A panel of the parameter column: a bold caption that starts with "<<"
// while the panel is expanded and ">>" while it is collapsed, and the
// height the panel takes when expanded. A click on the caption calls
// onCaptionClick.
class CollapsibleFrame : public QFrame {
public:
  // A collapsed panel's height.
  static constexpr int kCollapsedHeight = 18;

  CollapsibleFrame(const QString& caption, QWidget* parent);

  QString caption() const;
  void setCaption(const QString& caption);
  bool expandedCaption() const { return caption().contains(QStringLiteral("<<")); }
  QLabel* captionLabel() const { return m_caption; }

  // The expanded height; 0 marks the panel that stretches to the status bar
  // while not collapsed.
  int expandedHeight = 0;
  // For the stretching panel: collapsed by the user.
  bool collapsedByUser = false;

  std::function<void()> onCaptionClick;

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  QLabel* m_caption;
};

} // namespace tarvek
