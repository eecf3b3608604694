// Clicking a control as a user does: with the mouse at its drawn centre.
#pragma once

#include <QAction>
#include <QMenu>
#include <QMenuBar>
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

// Opens the menus from the menu bar down, each with a click on its entry's
// drawn centre (a submenu also with the Right key, which opens it at once
// where the mouse would wait), and clicks the item.
inline void clickMenuItem(QMenuBar& bar, std::initializer_list<QMenu*> menus, QAction& item)
{
  QWidget* open = &bar;
  for (QMenu* menu : menus) {
    if (open == &bar) {
      QTest::mouseClick(&bar, Qt::LeftButton, {}, bar.actionGeometry(menu->menuAction()).center());
    } else {
      auto* parent = static_cast<QMenu*>(open);
      QTest::mouseClick(parent, Qt::LeftButton, {},
                        parent->actionGeometry(menu->menuAction()).center());
      QTest::keyClick(parent, Qt::Key_Right);
    }
    if (!menu->isVisible()) {
      ADD_FAILURE() << "the menu " << menu->title().toStdString() << " did not open";
      return;
    }
    open = menu;
  }
  auto* last = static_cast<QMenu*>(open);
  QTest::mouseClick(last, Qt::LeftButton, {}, last->actionGeometry(&item).center());
}

} // namespace tarvek::test
