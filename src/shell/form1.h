#pragma once

#include "model/display_settings.h"
#include "model/model.h"
#include "platform/platform.h"
#include "runtime/random_source.h"
#include "shell/main_window_slots.h"
#include "shell/material_list.h"
#include "shell/settings_store.h"
#include "shell/startup.h"

#include <QMainWindow>

#include <array>
#include <functional>
#include <memory>
#include <string>

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class QStandardItemModel;
class QTableView;
class QToolBar;

namespace tarvek {

class CollapsibleFrame;
class CXXX;
class GlApi;
class SpecialCommands;
class ViewCommands;
class ViewHost;
class frmOptions;

// How saving the coordinates of an oversized structure ended.
enum class SaveOutcome { Saved, Cancelled, Failed };

// Calls into commands that later parts of the window provide. Each default
// is harmless: adds nothing, reads nothing, saves nothing. An empty builder
// gets the window's own at construction, so a test can put a recorder in.
struct Form1Seams {
  std::function<void(int)> fillXyzList = [](int) {};
  std::function<void()> buildMultiWallTube;
  std::function<void()> buildStackedCones;
  std::function<void()> makeTubeBundle;
  std::function<void()> buildCustomMultiWall;
  std::function<void(const std::string&, bool quiet)> openXMOL = [](const std::string&, bool) {};
  std::function<SaveOutcome()> saveCoordinatesAs = [] { return SaveOutcome::Failed; };
};

// Where the shown structure came from, and what the window keeps beside
// the model.
struct MainWindowState {
  bool junctionShown = false;
  bool xyImportFlag = false;
  bool coordinateImportFlag = false;
  bool fullereneLibraryMode = false;
  bool xmolIsTube = false;
  std::string lastXmolFile;
  std::string xmolComment;
  std::string importedTitle;
  std::string lastFullereneFile;
  std::string captionOverride;
  std::string junctionTitle;
  std::string xyFileName;
  // Walls (or stacked cones) and their index steps, for the variant builders.
  std::int32_t wallCount = 0;
  float wallIncrementN = 0.0f;
  float wallIncrementM = 0.0f;
  bool appClosing = false;
  bool optionsWindowOpen = false;
  std::string atomTypeLabel1;
  std::string atomTypeLabel2;
};

// The main window: the parameter column, the toolbar with the title, the
// 3-D view and the status bar.
class Form1 : public QMainWindow, public MainWindowSlots {
  friend class ViewCommands;
  friend class SpecialCommands;

public:
  // The view is placed in the window and owned by it; the scene is built
  // over gl and drawn in the view. programFolder ends in "/".
  Form1(Platform& platform, Model& model, DisplaySettings& display, Preferences& preferences,
        ViewHost& view, GlApi& gl, StartupState startup, std::string programFolder,
        Form1Seams seams = {});
  ~Form1() override;

  // Slots.
  void remoteResize() override {}
  void CALCULATE(bool resetView) override;
  void setData(bool noFill) override;
  void RemoteSetData() override;
  void toggleProjection() override;
  void Apply() override;
  void setTubeLengthField(const std::string& text) override;

  // User commands: CALCULATE behind the error guard.
  void runCalculation();
  void showImportedStructure();
  bool refreshTitle(bool skipTitle);
  void setTitleAndStatus();
  void updateDisplayControls();
  void showPanelsForType();
  void setLengthCaptions();
  void resetImportMode();
  void setStatusText(const std::string& text);
  void mnuView_3_Click();
  void Label2_Click();
  void panelClick(CollapsibleFrame* frame);
  // Tools › Preferences: the options window, modeless.
  void showPreferences();
  // Help › Clear Registry.
  void clearRegistry();
  void SaveRegistry();

  // Controls, for the tests and the later parts of the window.
  CXXX& scene() { return *m_scene; }
  MainWindowState& state() { return m_state; }
  const StartupState& startup() const { return m_startup; }
  QWidget* client() const { return m_client; }
  QToolBar* Toolbar1 = nullptr;
  CollapsibleFrame* fr1 = nullptr;
  CollapsibleFrame* fr2 = nullptr;
  CollapsibleFrame* fr3 = nullptr;
  CollapsibleFrame* fr4 = nullptr;
  CollapsibleFrame* fr5 = nullptr;
  QComboBox* cmbTYP = nullptr;
  QComboBox* cmb1 = nullptr;
  QComboBox* cmb2 = nullptr;
  std::array<QComboBox*, 2> cmbRAD{};
  std::array<QCheckBox*, 2> cbOP{};
  QCheckBox* cbCAP = nullptr;
  std::array<QLineEdit*, 14> tf{};
  std::array<QLabel*, 11> Label1{};
  QLabel* Label2 = nullptr;
  QLabel* lbTIT = nullptr;
  std::string titleLink;
  QTableView* lstXYZ = nullptr;
  std::array<QLabel*, 4> stbPanel{};
  QFrame* stb = nullptr;
  std::array<QFrame*, 2> Line1{};
  QAction* runCalculationButton = nullptr;
  QMenu* mnuView = nullptr;
  QMenu* mnuTool = nullptr;
  ViewCommands& viewCommands() { return *m_viewCommands; }
  SpecialCommands& specialCommands() { return *m_specialCommands; }
  QWidget* viewWidget() const;
  frmOptions* optionsWindow() const { return m_options; }
  const Preferences& preferences() const { return m_preferences; }

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void changeEvent(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

private:
  void buildControls();
  void formLoad();
  void formResize();
  void buildSettingsMenus();
  void loadPreferences();
  void loadMaterialList();
  void cmb1_Click();
  void cmbTYP_Click();
  void checkParameterFields();
  // Builds the structure of the current kind, asking about oversized tubes.
  void buildStructure();
  // The user wants the oversized structure saved before it is dropped.
  void saveOverlongStructure();
  bool keyDown(QKeyEvent* event);
  bool keyUp(QKeyEvent* event);
  double field(int index) const;
  QString typeText() const;

  Platform& m_platform;
  Model& m_model;
  DisplaySettings& m_display;
  Preferences& m_preferences;
  ViewHost& m_view;
  StartupState m_startup;
  std::string m_programFolder;
  Form1Seams m_seams;
  RandomSource m_random;
  MainWindowState m_state;
  std::vector<Material> m_materials;
  std::unique_ptr<CXXX> m_scene;
  QWidget* m_client = nullptr;
  QStandardItemModel* m_xyzModel = nullptr;
  int m_fr1Top = 0;
  ViewCommands* m_viewCommands = nullptr;
  SpecialCommands* m_specialCommands = nullptr;
  frmOptions* m_options = nullptr;
  std::unique_ptr<SettingsContext> m_settings;
};

} // namespace tarvek
