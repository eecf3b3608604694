#pragma once

#include "formats/export_context.h"
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
class QTableView;
class QToolBar;

namespace tarvek {

class CollapsibleFrame;
class CoordinateList;
class CXXX;
class FileCommands;
class GlApi;
class HelpCommands;
class ImageCommands;
class OutsidePrograms;
class PdfPage;
class SpecialCommands;
class ToolCommands;
class ViewCommands;
class ViewHost;
class frmOptions;

// How saving the coordinates of an oversized structure ended.
enum class SaveOutcome { Saved, Cancelled, Failed };

// How saving the view as a picture ended: the file written, or why not.
struct PictureSave {
  SaveOutcome outcome = SaveOutcome::Cancelled;
  std::string path;
  std::string reason;
};

// Calls into commands of other parts of the window. An empty seam of the
// first group gets the window's own command at construction, so a test can
// put a recorder in. In the last group the image and PDF seams get the
// window's own commands too; the others stay empty until their commands
// exist: their menu items are created disabled and an empty seam is never
// called.
struct Form1Seams {
  std::function<void(int)> fillXyzList;
  std::function<void(const std::string&, bool quiet)> openXMOL;
  std::function<SaveOutcome()> saveCoordinatesAs;
  std::function<void()> buildMultiWallTube;
  std::function<void()> buildStackedCones;
  std::function<void()> makeTubeBundle;
  std::function<void()> buildCustomMultiWall;

  std::function<void()> savePicture;
  std::function<void()> copyImage;
  // True when the page was written.
  std::function<bool(const std::string&)> exportPdfPage;
  std::function<void()> browseImageFolder;
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
  // The file of the shown imported part or atom table, and its elements as
  // "C H O ".
  std::string partFile;
  std::string importedElements;
  std::string virusTitle;
  // Virus mode hid the parameter panels; leaving it shows them again.
  bool virusHidControls = false;
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
  friend class ToolCommands;
  friend class ViewCommands;
  friend class HelpCommands;
  friend class ImageCommands;
  friend class OutsidePrograms;
  friend class FileCommands;
  friend class CoordinateList;
  friend class SpecialCommands;
  friend class JunctionCommand;
  friend class PdfPage;

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
  void setStatusPanel(int panel, const std::string& text) override;
  void setVirusMode(int mode, const std::string& title) override;

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
  // The status line after a build: the description, or word that Escape
  // stopped the work when a poll answered it since stopsBefore.
  std::string escapeNote(long stopsBefore, const std::string& description) const;
  // "Atom Radius 50%" in status panel 2.
  void showAtomRadius();
  // The toolbar title, shortened with "…" to the toolbar's room; the whole
  // title and titleHint are then its tooltip.
  void showTitle(const QString& title);
  QString titleText() const;
  // The scene's clear colour from the background colour of the Preferences.
  void applyBackgroundColor();
  // What every structure writer reads, from the model, the Preferences, the
  // scene and the clock.
  ExportContext exportContext() const;
  void mnuView_3_Click();
  void Label2_Click();
  void panelClick(CollapsibleFrame* frame);
  // Tools › Preferences: the options window, modeless.
  void showPreferences();
  // Help › Clear Settings.
  void clearRegistry();
  // Help › Contents: the manual in the desktop's browser. The argument is
  // not read.
  void ShowHelp(std::int32_t context) override;
  // The view as a JPEG or bitmap file. An empty mode shows the save dialog
  // ("Save Image", the Images folder) whose file type chooses JPEG or
  // bitmap; any other mode saves a JPEG without it. An empty fileName means
  // the temporary folder's "tmp.jpg". Without the dialog the extension of
  // the last path component is replaced by ".jpg"; a name from the dialog is
  // written exactly as the overwrite question named it (askSaveName).
  // quality 1..100, 0 for 100.
  // Beeps when the file is written; shows nothing else, so the caller
  // decides what to tell.
  PictureSave SavePIC(const std::string& mode, const std::string& fileName, float quality);
  // Draws the view and writes it to target as a 24-bit bitmap, whole or not
  // at all; false when nothing was written.
  bool SaveOpenGLimage(const std::string& target);
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
  // The toolbar's place of the Bonds box and the bond-width list.
  QAction* bondControls = nullptr;
  QCheckBox* cbCAP = nullptr;
  std::array<QLineEdit*, 14> tf{};
  std::array<QLabel*, 11> Label1{};
  QLabel* Label2 = nullptr;
  QLabel* lbTIT = nullptr;
  std::string titleLink;
  // What a click on the title opens, shown as its tooltip and status text.
  QString titleHint;
  QTableView* lstXYZ = nullptr;
  std::array<QLabel*, 4> stbPanel{};
  QFrame* stb = nullptr;
  std::array<QFrame*, 2> Line1{};
  QAction* runCalculationButton = nullptr;
  QMenu* mnuView = nullptr;
  QMenu* mnuTool = nullptr;
  QMenu* mnuHelp = nullptr;
  ViewCommands& viewCommands() { return *m_viewCommands; }
  FileCommands& fileCommands() { return *m_fileCommands; }
  CoordinateList& coordinateList() { return *m_coordinateList; }
  SpecialCommands& specialCommands() { return *m_specialCommands; }
  HelpCommands& helpCommands() { return *m_helpCommands; }
  ImageCommands& imageCommands() { return *m_imageCommands; }
  OutsidePrograms& outsidePrograms() { return *m_outsidePrograms; }
  ToolCommands& toolCommands() { return *m_toolCommands; }
  PdfPage& pdfPage() { return *m_pdfPage; }
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
  // Widens the panel column when the coordinate list needs more than the
  // design's width to show its columns (listWidth in pixels); never narrower
  // than the design.
  void fitPanelsToList(int listWidth);
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
  int m_fr1Top = 0;
  // True while a Special command selects the type its build needs, so the
  // type's handler keeps the build's variant.
  bool m_typeForSpecialBuild = false;
  ViewCommands* m_viewCommands = nullptr;
  FileCommands* m_fileCommands = nullptr;
  CoordinateList* m_coordinateList = nullptr;
  SpecialCommands* m_specialCommands = nullptr;
  HelpCommands* m_helpCommands = nullptr;
  ImageCommands* m_imageCommands = nullptr;
  OutsidePrograms* m_outsidePrograms = nullptr;
  ToolCommands* m_toolCommands = nullptr;
  PdfPage* m_pdfPage = nullptr;
  frmOptions* m_options = nullptr;
  std::unique_ptr<SettingsContext> m_settings;
};

} // namespace tarvek
