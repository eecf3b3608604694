// The order of the main window's Tools menu.
#include "shell/tools_menu.h"

#include <QAction>
#include <QMenu>
#include <QVariant>

namespace tarvek {

namespace {

constexpr const char* kPlaceProperty = "toolPlace";

int placeOf(const QAction* action)
{
  const QVariant place = action->property(kPlaceProperty);
  return place.isValid() ? place.toInt() : static_cast<int>(ToolItem::Preferences);
}

int blockOf(int place)
{
  if (place < static_cast<int>(ToolItem::XySheetGenerator))
    return 0;
  return place < static_cast<int>(ToolItem::Preferences) ? 1 : 2;
}

} // namespace

QAction* addToolItem(QMenu& tools, ToolItem item, const QString& caption)
{
  const int place = static_cast<int>(item);
  auto* action = new QAction(caption, &tools);
  action->setProperty(kPlaceProperty, place);

  QAction* before = nullptr;
  for (QAction* existing : tools.actions()) {
    if (existing->isSeparator())
      delete existing;
    else if (before == nullptr && placeOf(existing) > place)
      before = existing;
  }
  tools.insertAction(before, action);

  int previous = -1;
  for (QAction* existing : tools.actions()) {
    const int block = blockOf(placeOf(existing));
    if (previous >= 0 && block != previous)
      tools.insertSeparator(existing);
    previous = block;
  }
  return action;
}

} // namespace tarvek
