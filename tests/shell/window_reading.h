// Reading a window as a user does: every text fits its control and every
// clickable control answers the mouse at its centre.
#pragma once

#include <string>
#include <vector>

class QWidget;

namespace tarvek::test {

// The faults of one shown window, each naming the window and the control: a
// label, button, check box, tab, combo box item or header section whose text
// needs more width than it is given; a clickable control that a sibling
// covers at its centre; a window whose minimum width cannot hold its title.
std::vector<std::string> readingFaults(QWidget& window);

} // namespace tarvek::test
