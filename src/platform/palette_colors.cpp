#include "platform/palette_colors.h"

#include <QGuiApplication>
#include <QPalette>

namespace tarvek {

namespace {

struct ColorEntry {
  int index;
  QPalette::ColorGroup group;
  QPalette::ColorRole role;
};

constexpr ColorEntry colorTable[] = {
    {4, QPalette::Active, QPalette::Window},           // menu
    {5, QPalette::Active, QPalette::Base},             // window
    {7, QPalette::Active, QPalette::WindowText},       // menu text
    {8, QPalette::Active, QPalette::Text},             // window text
    {13, QPalette::Active, QPalette::Highlight},       // selection
    {14, QPalette::Active, QPalette::HighlightedText}, // selected text
    {15, QPalette::Active, QPalette::Button},          // button face
    {16, QPalette::Active, QPalette::Mid},             // button shadow
    {17, QPalette::Disabled, QPalette::Text},          // grey text
    {18, QPalette::Active, QPalette::ButtonText},      // button text
    {20, QPalette::Active, QPalette::Light},           // button highlight
    {21, QPalette::Active, QPalette::Shadow},          // dark 3-D shadow
    {22, QPalette::Active, QPalette::Midlight},        // 3-D light
    {23, QPalette::Active, QPalette::ToolTipText},     // tooltip text
    {24, QPalette::Active, QPalette::ToolTipBase},     // tooltip background
};

} // namespace

std::uint32_t PaletteColors::sysColor(int index)
{
  for (const auto& entry : colorTable) {
    if (entry.index != index)
      continue;
    QColor c = QGuiApplication::palette().color(entry.group, entry.role);
    return static_cast<std::uint32_t>(c.red()) | static_cast<std::uint32_t>(c.green()) << 8
           | static_cast<std::uint32_t>(c.blue()) << 16;
  }
  return 0;
}

} // namespace tarvek
