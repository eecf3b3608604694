// The main window's Tools menu commands that open tool windows.
#pragma once

#include <QObject>

#include <memory>

class QAction;

namespace tarvek {

class Form1;
class frmNanoHoles;
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

  // Tools › Nano-Hole Array: minimises the main window, then shows the one
  // nano-hole window (made at first use) and raises it.
  void showNanoHoles();

  frmNanoHoles* nanoHoleWindow() const { return m_nanoHoles.get(); }

  QAction* mnuTool_7 = nullptr;
  QAction* mnuTool_12 = nullptr;

private:
  Form1& m_form;
  std::unique_ptr<frmXY> m_digitiser;
  std::unique_ptr<frmNanoHoles> m_nanoHoles;
};

} // namespace tarvek
