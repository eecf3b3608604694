// The main window's Tools menu commands that open tool windows.
#pragma once

#include <QObject>

#include <memory>
#include <string>

class QAction;

namespace tarvek {

class Form1;
class frmNanoHoles;
class dlgBondUser;
class dlgRCALC;
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

  // Tools › Radius-Calculator and Tools › Recalculate Bonds: one window
  // each, made at first use as a window of the main window's own, shown and
  // raised at every choice.
  void showRadiusCalculator();
  void showBondRange();

  frmXY* digitiserWindow() const { return m_digitiser.get(); }
  dlgRCALC* radiusCalculatorWindow() const { return m_radiusCalculator; }
  dlgBondUser* bondRangeWindow() const { return m_bondRange; }

  // Tools › Nano-Hole Array: minimises the main window, then shows the one
  // nano-hole window (made at first use) and raises it.
  void showNanoHoles();

  frmNanoHoles* nanoHoleWindow() const { return m_nanoHoles.get(); }

  // Tools › Virus Geometries and the type list's "Virus Geometry": the
  // virus geometry window, made at first use as a tool window of the main
  // window and kept, then shown and raised.
  void showVirusWindow();
  frmVirus* virusWindow() const { return m_virus; }
  // Shows again the panels virus mode hid, when it hid them.
  void leaveVirusMode();
  // The main window's side of a cage build (MainWindowServices::setVirusMode).
  void setVirusMode(int mode, const std::string& title);

  QAction* mnuTool_7 = nullptr;
  QAction* mnuTool_12 = nullptr;
  QAction* mnuTool_8 = nullptr;
  QAction* mnuTool_11 = nullptr;
  QAction* mnuTool_14 = nullptr;

private:
  Form1& m_form;
  std::unique_ptr<frmXY> m_digitiser;
  std::unique_ptr<frmNanoHoles> m_nanoHoles;
  dlgRCALC* m_radiusCalculator = nullptr;
  dlgBondUser* m_bondRange = nullptr;
  frmVirus* m_virus = nullptr;
};

} // namespace tarvek
