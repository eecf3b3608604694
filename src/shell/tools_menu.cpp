// The order of the main window's Tools menu.
#include "shell/tools_menu.h"

#include <QAction>
#include <QMenu>
#include <QVariant>

namespace tarvek {

namespace {

constexpr const char* kGroupProperty = "toolGroup";

int groupOf(const QAction* action)
{
  const QVariant group = action->property(kGroupProperty);
  return group.isValid() ? group.toInt() : static_cast<int>(ToolGroup::Settings);
}

} // namespace

QAction* addToolItem(QMenu& tools, ToolGroup group, const QString& caption)
{
  auto* item = new QAction(caption, &tools);
  item->setProperty(kGroupProperty, static_cast<int>(group));

  QAction* before = nullptr;
  for (QAction* action : tools.actions()) {
    if (action->isSeparator())
      delete action;
    else if (before == nullptr && groupOf(action) > static_cast<int>(group))
      before = action;
  }
  tools.insertAction(before, item);

  int previous = -1;
  for (QAction* action : tools.actions()) {
    const int current = groupOf(action);
    if (previous >= 0 && current != previous)
      tools.insertSeparator(action);
    previous = current;
  }
  return item;
}

} // namespace tarvek
