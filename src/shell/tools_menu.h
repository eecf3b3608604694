// The order of the main window's Tools menu: each item has its fixed place,
// whichever part of the window adds it first.
#pragma once

class QAction;
class QMenu;
class QString;

namespace tarvek {

// The items in menu order. Outside programs and image output come first, then
// the structure tools, then the settings, each block after a separator.
enum class ToolItem {
  LaunchPovRay,
  LaunchViewer, // the structure viewers, in the order they are added
  SaveImageSequence,
  BrowseImageFolder,
  XySheetGenerator,
  RadiusCalculator,
  RecalculateBonds,
  NanoHoleArray,
  MultiLayerGraphene,
  VirusGeometries,
  Preferences,
};

// A new item of the Tools menu, placed after every item whose place comes
// before its own or equals it; separators are kept between blocks only.
QAction* addToolItem(QMenu& tools, ToolItem item, const QString& caption);

} // namespace tarvek
