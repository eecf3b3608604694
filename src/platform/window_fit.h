// Fitting hand-placed windows to their texts.
#pragma once

#include <QString>

class QLabel;
class QWidget;

namespace tarvek {

// Room a title bar takes beside its text: the window icon and three buttons.
inline constexpr int kTitleBarRoom = 100;

// Raises the window's least width so its title bar shows the whole title in
// bold, never past the screen's width; the least height stays what the
// window's layout asks. Call again after the title changes.
void holdTitle(QWidget& window);

// Widens every label, check box and radio button under root
// that is narrower than its text needs, keeping its left edge; for windows
// whose controls are placed by hand rather than by a layout.
void widenToText(QWidget& root);

// Shrinks the window, frame included, to the free area of its screen when
// its size does not fit there (a small screen or a large scaling), and moves
// it into that area.
void fitToScreen(QWidget& window);

// Shows text in the label, shortened with "…" to the label's width when it
// does not fit, again whenever the label is resized; the whole text is then
// the label's tooltip, with hint on the line below. A text that fits has the
// hint alone as its tooltip. The label no longer asks for its text's width.
void showElided(QLabel& label, const QString& text, const QString& hint = {});

// The whole text last given to showElided(), else the label's text.
QString elidedWhole(const QLabel& label);

} // namespace tarvek
