// The main window's Tools menu commands that open tool windows.
#pragma once

#include <QObject>

#include <memory>

class QAction;

namespace tarvek {

class Form1;
class frmNanoHoles;
class dlgBondUser;
class dlgRCALC;
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

  QAction* mnuTool_7 = nullptr;
  QAction* mnuTool_12 = nullptr;
  QAction* mnuTool_8 = nullptr;
  QAction* mnuTool_11 = nullptr;

private:
  Form1& m_form;
  std::unique_ptr<frmXY> m_digitiser;
  std::unique_ptr<frmNanoHoles> m_nanoHoles;
  dlgRCALC* m_radiusCalculator = nullptr;
  dlgBondUser* m_bondRange = nullptr;
};

} // namespace tarvek
