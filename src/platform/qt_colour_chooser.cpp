#include "platform/qt_colour_chooser.h"

#include "platform/qt_colour.h"

#include <QApplication>
#include <QColorDialog>

namespace tarvek {

std::optional<std::uint32_t> QtColourChooser::choose(std::uint32_t initial,
                                                     const std::string& title)
{
  const QColor chosen =
      QColorDialog::getColor(toQColor(initial), QApplication::activeWindow(), QString::fromStdString(title));
  if (!chosen.isValid())
    return std::nullopt;
  return fromQColor(chosen);
}

} // namespace tarvek
