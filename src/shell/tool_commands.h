// The main window's Tools menu commands that open tool windows.
#pragma once

#include <QObject>

#include <memory>
#include <string>

class QAction;

namespace tarvek {

class Form1;
class frmVirus;
class frmXY;

// Adds its items to the main window's Tools menu and keeps the tool windows
// they open. Built once the window's menus exist; the window owns it.
class ToolCommands : public QObject {
public:
  explicit ToolCommands(Form1& form);
  ~ToolCommands() override;

  // Tools › XY-Sheet Generator: the digitiser, made at first use over the
  // main window's place and size as a window of its own, then shown and
  // raised at every choice.
  void showDigitiser();

  frmXY* digitiserWindow() const { return m_digitiser.get(); }

  // Tools › Virus Geometries and the type list's "Virus Geometry": the
  // virus geometry window, made at first use as a tool window of the main
  // window and kept, then shown and raised.
  void showVirusWindow();
  frmVirus* virusWindow() const { return m_virus; }
  // The main window's side of a cage build (MainWindowServices::setVirusMode).
  void setVirusMode(int mode, const std::string& title);

  QAction* mnuTool_7 = nullptr;
  QAction* mnuTool_14 = nullptr;

private:
  Form1& m_form;
  std::unique_ptr<frmXY> m_digitiser;
  frmVirus* m_virus = nullptr;
};

} // namespace tarvek
