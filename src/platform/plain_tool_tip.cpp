// Tooltips that show text taken from files as the characters it holds.
#include "platform/plain_tool_tip.h"

#include <QTextDocument>
#include <QVariant>
#include <QWidget>

namespace tarvek {

namespace {

constexpr char kPlainText[] = "tarvekPlainToolTip";

} // namespace

void setPlainToolTip(QWidget* widget, const QString& text)
{
  widget->setProperty(kPlainText, text);
  widget->setToolTip(literalToolTip(text));
}

QString literalToolTip(const QString& text)
{
  // Escaped markup inside <qt> is drawn as the characters it stands for.
  return Qt::mightBeRichText(text)
             ? QStringLiteral("<qt>") + text.toHtmlEscaped() + QStringLiteral("</qt>")
             : text;
}

QString plainToolTip(const QWidget* widget)
{
  const QVariant plain = widget->property(kPlainText);
  return plain.isValid() ? plain.toString() : widget->toolTip();
}

} // namespace tarvek
