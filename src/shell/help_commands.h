// The main window's Help menu: the manual, the links, and the About window.
#pragma once

#include <QObject>

#include <string>
#include <vector>

class QAction;
class QMenu;

namespace tarvek {

class Form1;

// Fills the Help menu around "Clear Settings": "Contents ...", the "Links"
// submenu and "&About". Built once the window's other menus exist; the
// window owns it.
class HelpCommands : public QObject {
public:
  // programFolder ends in "/" and holds help/index.html.
  HelpCommands(Form1& form, std::string programFolder);

  // Opens help/index.html of the program folder, by its absolute path, in the
  // desktop's browser; a missing manual or a failing opener gives "The manual
  // could not be opened: " and the path.
  void ShowHelp();
  // Stops the scene's animation and shows the About window, modal.
  void showAbout();

  // The link table's keys of the "Links" items in menu order; "" stands for
  // a separator.
  static const std::vector<std::string>& linkKeys();

  QAction* mnuContents = nullptr;
  QMenu* mnuLinks = nullptr;
  QAction* mnuAbout = nullptr;

private:
  void buildMenu();
  void buildLinks();

  Form1& m_form;
  std::string m_programFolder;
};

} // namespace tarvek
