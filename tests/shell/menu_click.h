// Choosing a menu command as a user does: the mouse on the menu bar's title,
// on each submenu's item, then on the command, each at its drawn place.
#pragma once

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

#include <gtest/gtest.h>

#include <vector>

namespace tarvek::test {

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

} // namespace tarvek::test
