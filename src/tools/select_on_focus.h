// Text fields that select their whole text when they receive the focus.
#pragma once

class QLineEdit;

namespace tarvek {

// From now on the field selects its whole text each time it gets the focus,
// also when a mouse click gave it.
void selectAllOnFocus(QLineEdit& field);

} // namespace tarvek
