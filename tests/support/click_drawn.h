// Clicking a control as a user does: with the mouse at its drawn centre.
#pragma once

#include <QAction>
#include <QTest>
#include <QToolBar>
#include <QWidget>

#include <gtest/gtest.h>

namespace tarvek::test {

// Clicks whatever the window shows at the control's centre, so a control
// that another covers does not get the click (and the test says so).
inline void clickDrawn(QWidget& control, Qt::MouseButton button = Qt::LeftButton)
{
  QWidget* window = control.window();
  const QPoint centre = control.mapTo(window, control.rect().center());
  QWidget* hit = window->childAt(centre);
  if (hit == nullptr)
    hit = window;
  if (hit != &control && !control.isAncestorOf(hit))
    ADD_FAILURE() << "a " << hit->metaObject()->className() << " covers the centre of the "
                  << control.metaObject()->className();
  QTest::mouseClick(hit, button, {}, hit->mapFrom(window, centre));
}

// Clicks the toolbar's button of the action at its drawn centre.
inline void clickDrawn(QToolBar& bar, QAction& action)
{
  QWidget* button = bar.widgetForAction(&action);
  if (button == nullptr) {
    ADD_FAILURE() << "the toolbar shows no button for " << action.text().toStdString();
    return;
  }
  clickDrawn(*button);
}

} // namespace tarvek::test
