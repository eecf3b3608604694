#pragma once

class QWidget;

namespace tarvek {

// Lets the style draw the hot look of the window's push buttons (plain and
// checkable) under the mouse; option buttons and check boxes stay as they
// are.
void installXPButtons(QWidget* window);

// The look of this start, before any window exists: the desktop's style
// while the marker is present, Fusion without it.
void chooseStartStyle(bool manifestPresent);

} // namespace tarvek
