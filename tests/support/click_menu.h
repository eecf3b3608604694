// Choosing menu items and list entries as a user does: with the mouse at their drawn places.
#pragma once

#include "support/click_drawn.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QStringList>
#include <QTest>

#include <gtest/gtest.h>

namespace tarvek::test {

inline QAction* actionCaptioned(const QList<QAction*>& actions, const QString& caption)
{
  for (QAction* action : actions)
    if (action->text() == caption)
      return action;
  return nullptr;
}

// Clicks the menu-bar title path[0], then each item of the rest of path in
// its open menu: a submenu opens at its item's click, the last item's
// command runs. False (and a failure) when an item is missing, disabled or
// its menu does not open.
inline bool clickMenuPath(QMainWindow& window, const QStringList& path)
{
  QMenuBar* bar = window.menuBar();
  QAction* top = actionCaptioned(bar->actions(), path.value(0));
  if (top == nullptr || top->menu() == nullptr || !top->isVisible()) {
    ADD_FAILURE() << "no menu " << path.value(0).toStdString();
    return false;
  }
  QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(top).center());
  QMenu* menu = top->menu();
  for (int i = 1; i < path.size(); ++i) {
    if (!QTest::qWaitFor([menu] { return menu->isVisible(); })) {
      ADD_FAILURE() << "the menu " << menu->title().toStdString() << " did not open";
      return false;
    }
    QAction* item = actionCaptioned(menu->actions(), path[i]);
    if (item == nullptr || !item->isEnabled() || !item->isVisible()) {
      ADD_FAILURE() << "no usable item " << path[i].toStdString();
      menu->close();
      return false;
    }
    const QPoint at = menu->actionGeometry(item).center();
    QTest::mouseMove(menu, at);
    QTest::mouseClick(menu, Qt::LeftButton, {}, at);
    if (item->menu() != nullptr)
      menu = item->menu();
  }
  return true;
}

// Opens the list with a click at its drawn centre and clicks the entry
// captioned text in the list that drops down.
inline bool clickListEntry(QComboBox& box, const QString& text)
{
  const int row = box.findText(text);
  if (row < 0) {
    ADD_FAILURE() << "no entry " << text.toStdString();
    return false;
  }
  clickDrawn(box);
  QAbstractItemView* view = box.view();
  if (!QTest::qWaitFor([view] { return view->isVisible(); })) {
    ADD_FAILURE() << "the list did not drop down";
    return false;
  }
  // A release this soon after the list opened counts as the end of the
  // click that opened it.
  QTest::qWait(QApplication::doubleClickInterval() + 50);
  const QRect place = view->visualRect(box.model()->index(row, box.modelColumn()));
  QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, place.center());
  return true;
}

} // namespace tarvek::test
