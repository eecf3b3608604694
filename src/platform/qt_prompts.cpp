#include "platform/qt_prompts.h"

#include "platform/window_fit.h"

#include <QApplication>
#include <QInputDialog>
#include <QLayout>
#include <QMessageBox>

namespace tarvek {

namespace {

QString displayText(const std::string& text)
{
  QString s = QString::fromStdString(text);
  s.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  s.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return s;
}

QString displayTitle(const std::string& title)
{
  return title.empty() ? QStringLiteral("tarvek") : QString::fromStdString(title);
}

QMessageBox::Icon boxIcon(MessageIcon icon)
{
  switch (icon) {
  case MessageIcon::Information:
    return QMessageBox::Information;
  case MessageIcon::Question:
    return QMessageBox::Question;
  case MessageIcon::Exclamation:
    return QMessageBox::Warning;
  case MessageIcon::Critical:
    return QMessageBox::Critical;
  case MessageIcon::None:
    break;
  }
  return QMessageBox::NoIcon;
}

int showBox(const std::string& text, const std::string& title, MessageIcon icon,
            QMessageBox::StandardButtons buttons, QMessageBox::StandardButton defaultButton)
{
  QMessageBox box(boxIcon(icon), displayTitle(title), displayText(text), buttons,
                  QApplication::activeWindow());
  box.setTextFormat(Qt::PlainText);
  box.setDefaultButton(defaultButton);
  return box.exec();
}

} // namespace

void QtPrompts::message(const std::string& text, const std::string& title, MessageIcon icon)
{
  showBox(text, title, icon, QMessageBox::Ok, QMessageBox::Ok);
}

bool QtPrompts::yesNo(const std::string& text, const std::string& title, MessageIcon icon)
{
  return showBox(text, title, icon, QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes)
         == QMessageBox::Yes;
}

std::optional<std::string> QtPrompts::input(const std::string& prompt, const std::string& title,
                                            const std::string& defaultText)
{
  QInputDialog box(QApplication::activeWindow());
  box.setWindowTitle(displayTitle(title));
  box.setLabelText(displayText(prompt));
  box.setTextValue(QString::fromStdString(defaultText));
  holdTitle(box);
  // The box lays itself out when first asked for its size (above); left as it
  // is, that layout would reset the least width to the prompt's at show.
  if (QLayout* layout = box.layout())
    layout->setSizeConstraint(QLayout::SetDefaultConstraint);
  if (box.exec() != QDialog::Accepted)
    return std::nullopt;
  return box.textValue().toStdString();
}

void QtPrompts::beep()
{
  QApplication::beep();
}

void QtPrompts::beginWait()
{
  QApplication::setOverrideCursor(Qt::WaitCursor);
}

void QtPrompts::endWait()
{
  QApplication::restoreOverrideCursor();
}

} // namespace tarvek
