#include "shell/themed_buttons.h"

#include <QApplication>
#include <QPushButton>

namespace tarvek {

void installXPButtons(QWidget* window)
{
  for (auto* button : window->findChildren<QPushButton*>())
    button->setAttribute(Qt::WA_Hover);
}

void chooseStartStyle(bool manifestPresent)
{
  if (!manifestPresent)
    QApplication::setStyle(QStringLiteral("Fusion"));
}

} // namespace tarvek
