// Fitting windows to their texts and to the screen.
#include "platform/window_fit.h"

#include <QApplication>
#include <QLabel>
#include <QScreen>
#include <QTest>

#include <gtest/gtest.h>

namespace tarvek {
namespace {

// A window larger than the screen's free area shrinks into it and is moved
// inside; one that fits keeps its size.
TEST(WindowFitTest, aWindowLargerThanTheScreenShrinksIntoIt)
{
  QWidget window;
  const QRect room = window.screen()->availableGeometry();
  window.resize(room.width() + 200, room.height() + 150);
  window.move(room.topLeft() + QPoint(300, 200));
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  fitToScreen(window);
  EXPECT_TRUE(room.contains(window.frameGeometry()))
      << window.frameGeometry().width() << " x " << window.frameGeometry().height();

  QWidget small;
  small.resize(200, 100);
  small.show();
  fitToScreen(small);
  EXPECT_EQ(small.size(), QSize(200, 100));
}

// The least width holds the title; a long status text is shortened to its
// label, again after the label grows, and is whole in the tooltip.
TEST(WindowFitTest, titlesAreHeldAndLongTextsElided)
{
  QWidget window;
  window.setWindowTitle(QStringLiteral("A title of some length for a window"));
  holdTitle(window);
  EXPECT_GE(window.minimumWidth(),
            QFontMetrics(QApplication::font()).horizontalAdvance(window.windowTitle()) + kTitleBarRoom);

  QLabel label;
  label.resize(80, 20);
  label.show();
  const QString text = QStringLiteral("Saved /a/rather/long/path/to/the/saved/file.xy");
  showElided(label, text);
  EXPECT_TRUE(label.text().contains(QChar(0x2026))) << label.text().toStdString();
  EXPECT_LE(label.fontMetrics().horizontalAdvance(label.text()), 80);
  EXPECT_EQ(label.toolTip(), text);
  label.resize(1000, 20);
  EXPECT_EQ(label.text(), text);
  EXPECT_TRUE(label.toolTip().isEmpty());
}

} // namespace
} // namespace tarvek
