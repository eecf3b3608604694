#pragma once

// Tooltips that show text taken from files as the characters it holds.

#include <QString>

class QWidget;

namespace tarvek {

// Sets the widget's tooltip to show text literally: a tooltip that looks
// like markup would otherwise be drawn as rich text, loading any picture an
// <img> tag names. The text itself stays readable through plainToolTip().
void setPlainToolTip(QWidget* widget, const QString& text);

// The text given to setPlainToolTip(), else the widget's tooltip.
QString plainToolTip(const QWidget* widget);

// The tooltip text that shows text literally, for QToolTip::showText.
QString literalToolTip(const QString& text);

} // namespace tarvek
