#include "platform/qt_colour_chooser.h"

#include <QApplication>
#include <QColorDialog>

namespace tarvek {

std::optional<std::uint32_t> QtColourChooser::choose(std::uint32_t initial,
                                                     const std::string& title)
{
  const QColor start(int(initial & 0xFFu), int((initial >> 8) & 0xFFu),
                     int((initial >> 16) & 0xFFu));
  const QColor chosen =
      QColorDialog::getColor(start, QApplication::activeWindow(), QString::fromStdString(title));
  if (!chosen.isValid())
    return std::nullopt;
  return std::uint32_t(chosen.red()) + 256u * std::uint32_t(chosen.green()) +
         65536u * std::uint32_t(chosen.blue());
}

} // namespace tarvek
