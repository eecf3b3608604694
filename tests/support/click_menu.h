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

#include <vector>

namespace tarvek::test {

inline QAction* actionCaptioned(const QList<QAction*>& actions, const QString& caption)
{
  for (QAction* action : actions)
    if (action->text() == caption)
      return action;
  return nullptr;
}

namespace detail {

// The menus from one that holds item (directly or in a submenu) down to the
// one that shows it; empty when none does.
inline std::vector<QMenu*> menuPath(QMenu& menu, const QAction& item)
{
  for (QAction* a : menu.actions()) {
    if (a == &item)
      return {&menu};
    if (QMenu* sub = a->menu()) {
      std::vector<QMenu*> path = menuPath(*sub, item);
      if (!path.empty()) {
        path.insert(path.begin(), &menu);
        return path;
      }
    }
  }
  return {};
}

inline bool opened(QMenu& menu)
{
  return QTest::qWaitFor([&menu] { return menu.isVisible(); });
}

} // namespace detail

// Clicks the menu bar title that leads to item, each submenu on the way and
// item itself; the command runs before this returns unless it opens a
// modal window of its own. Fails the test when a menu does not open.
inline void clickMenuItem(QMenuBar& bar, QAction& item)
{
  std::vector<QMenu*> path;
  for (QAction* top : bar.actions())
    if (top->menu() != nullptr && path.empty())
      path = detail::menuPath(*top->menu(), item);
  if (path.empty()) {
    ADD_FAILURE() << "no menu holds " << item.text().toStdString();
    return;
  }
  QTest::mouseClick(&bar, Qt::LeftButton, {},
                    bar.actionGeometry(path.front()->menuAction()).center());
  for (std::size_t k = 0; k < path.size(); ++k) {
    QMenu& menu = *path[k];
    if (!detail::opened(menu)) {
      ADD_FAILURE() << "the menu " << menu.title().toStdString() << " did not open";
      return;
    }
    QAction& next = k + 1 < path.size() ? *path[k + 1]->menuAction() : item;
    QTest::mouseClick(&menu, Qt::LeftButton, {}, menu.actionGeometry(&next).center());
  }
}

// Clicks the menu-bar title path[0], then each item of the rest of path in
// its open menu, as clickMenuItem does: a submenu opens at its item's
// click, the last item's command runs. False (and a failure) when an item
// is missing, hidden or disabled, or its menu does not open.
inline bool clickMenuPath(QMainWindow& window, const QStringList& path)
{
  QAction* item = actionCaptioned(window.menuBar()->actions(), path.value(0));
  for (int i = 0; i < path.size(); ++i) {
    if (item == nullptr || !item->isEnabled() || !item->isVisible()
        || (i + 1 < path.size() && item->menu() == nullptr)) {
      ADD_FAILURE() << "no usable item " << path.value(i).toStdString();
      return false;
    }
    if (i + 1 < path.size())
      item = actionCaptioned(item->menu()->actions(), path[i + 1]);
  }
  if (path.size() < 2) {
    ADD_FAILURE() << "no item below the menu " << path.value(0).toStdString();
    return false;
  }
  clickMenuItem(*window.menuBar(), *item);
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
