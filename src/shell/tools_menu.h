// The order of the main window's Tools menu: commands sit in groups, each
// group after a separator, whichever part of the window adds them first.
#pragma once

class QAction;
class QMenu;
class QString;

namespace tarvek {

enum class ToolGroup {
  OutsidePrograms, // POV-Ray and the structure viewers
  Images,          // image folder and image sequence
  ToolWindows,     // calculators, generators, the digitiser
  Builders,        // structures built from a dialog
  Settings,        // Preferences
};

// A new item of the Tools menu, placed after the items of its group and of
// the groups before it; separators are kept between groups only.
QAction* addToolItem(QMenu& tools, ToolGroup group, const QString& caption);

} // namespace tarvek
