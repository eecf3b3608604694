// The nano-hole array window "Nano-Hole Array Generator (Multi-Grid Method)".
#pragma once

#include "model/display_settings.h"
#include "tools/complex_image.h"
#include "tools/multigrid_tiling.h"
#include "tools/pixel_canvas.h"
#include "tools/pixel_view.h"

#include <QImage>
#include <QLabel>
#include <QWidget>

#include <array>
#include <functional>
#include <memory>
#include <string>

class QAbstractTableModel;
class QAction;
class QFrame;
class QGroupBox;
class QRadioButton;
class QScrollBar;
class QStackedWidget;
class QStatusBar;
class QTabBar;
class QTableView;
class QTimer;
class QToolBar;

namespace tarvek {

class FileDialogs;
class MainWindowServices;
class Prompts;
class RandomSource;

// A label that reports presses and releases, for the brightness buttons.
class PressLabel : public QLabel {
public:
  PressLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {}

  std::function<void()> onPress;
  std::function<void()> onRelease;

protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
};

// Generates quasi-periodic multigrid tilings and shows them in four tabs:
// the coloured tiling, the holes (one white pixel per unique vertex), the
// table of hole coordinates and the magnitude of the holes' Fourier
// transform, computed once per pattern when its tab is first shown. Saves
// the holes as an XY file. A top-level window; closing it hides it and
// brings a minimised main window back.
class frmNanoHoles : public QWidget {
public:
  // mainWindow, when given, lends its icon and is restored on close. The
  // XY file's line ends follow the preferences' line-end option.
  frmNanoHoles(Prompts& prompts, FileDialogs& dialogs, MainWindowServices& services,
               const Preferences& preferences, std::string exportFolder, RandomSource& random,
               QWidget* mainWindow);
  ~frmNanoHoles() override;

  // A new pattern from the controls; from tab 3 or 4 tab 1 is selected first.
  void generateTiling();
  void tabChanged(int index);
  void showFourierView();
  void fillCoordinateList();
  // The probe under (x, y) of the Fourier view: the red line and the profile panel.
  void showProfile(int x, int y);
  void copyViewImage();
  void saveXYData();
  void brightnessPressed(int index);
  void brightnessReleased();
  void timerTick();

  clComplexImage& workspace() { return m_workspace; }
  const TilingResult& tiling() const { return m_tiling; }
  int currentTab = 1;
  int fourierDone = 0;
  // Forward transforms run for the Fourier view.
  int fourierRuns = 0;
  std::string timerTag;

  QTabBar* tab1 = nullptr;
  QStackedWidget* views = nullptr;
  PixelView* pb = nullptr;
  PixelView* pb2 = nullptr;
  PixelView* pb3 = nullptr;
  PixelView* dummy = nullptr;
  QFrame* Line1 = nullptr;
  QTableView* lst = nullptr;
  QGroupBox* Frame1 = nullptr;
  std::array<QRadioButton*, 3> rb{};
  QScrollBar* scrF = nullptr;
  QScrollBar* scrN = nullptr;
  QScrollBar* scrZoom = nullptr;
  QScrollBar* scrB = nullptr;
  std::array<QLabel*, 10> lb{};
  std::array<QLabel*, 10> lt{};
  std::array<QLabel*, 10> lbcol{};
  std::array<PressLabel*, 2> lbBR1{};
  QLabel* lbMSG = nullptr;
  QTimer* Timer1 = nullptr;
  QStatusBar* stb = nullptr;
  std::array<QLabel*, 4> stbPanel{};
  QToolBar* tb1 = nullptr;
  std::array<QAction*, 6> tbButton{};

protected:
  void closeEvent(QCloseEvent* event) override;

private:
  void buildControls();
  void loadWindow();
  void probeAt(QMouseEvent& event);
  int shiftOptionChosen() const;

  Prompts& m_prompts;
  FileDialogs& m_dialogs;
  MainWindowServices& m_services;
  const Preferences& m_preferences;
  std::string m_exportFolder;
  RandomSource& m_random;
  QWidget* m_mainWindow;
  PixelCanvas m_holes{512, 512};
  PixelCanvas m_fourier{512, 512};
  PixelCanvas m_profile{512, 100};
  clComplexImage m_workspace;
  TilingResult m_tiling;
  int m_shiftOption = 0;
  std::unique_ptr<QAbstractTableModel> m_rows;
};

} // namespace tarvek
