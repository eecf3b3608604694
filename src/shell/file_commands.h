// The main window's File menu: exports, imports, tables, folders and Exit.
#pragma once

#include <QObject>

#include <array>
#include <functional>
#include <string>

class QAction;
class QMenu;

namespace tarvek {

class Form1;

// The File menu and its commands. Each command runs behind the window's
// error guard: a writer's or reader's RuntimeError shows its one message and
// changes nothing; Cancel in a dialog changes and shows nothing. Built once
// the window's other menus exist; the window owns it.
class FileCommands : public QObject {
public:
  // programFolder ends in "/" and holds DATA/Fullerene.
  FileCommands(Form1& form, std::string programFolder);

  // The exports: save dialog, overwrite question, writer, and the saved
  // path in status panel 1.
  void exportMOL();
  void exportXMOL();
  void exportPDB();
  void exportCIF();
  void exportVRML();
  void exportPDF();
  void exportBonds();
  void exportMLM();

  // Imports a structure file and shows it. openXMOL with an empty name only
  // switches the type list; quiet asks no questions.
  void importFullerene();
  void importXmolData();
  void importCifData();
  // Reads an XY point file, asks whether to roll it, and builds the sheet
  // or tube. A file that cannot build is refused before anything changes.
  void importXYData();
  void openXMOL(const std::string& fileName, bool quiet);
  // An atom table (label, element, x, y, z); a missing or empty file
  // changes nothing.
  void openCIF(const std::string& fileName);
  // After a failed XMOL import: the nanotube of the parameter fields.
  void handleImportError();
  // Selects a type-list entry without a rebuild.
  void enableTypeList(int index);

  // The suggested name of an export (no folder, no extension).
  std::string defaultExportName() const;

  // Opens one of the four per-user folders (0 Export .. 3 PDF) in the file
  // manager when it exists.
  void viewFolder(int which);
  void exit();

  QMenu* mnuFile = nullptr;
  QMenu* mnuExportStructure = nullptr;
  QMenu* mnuImportStructure = nullptr;
  QAction* mnuFile_1 = nullptr;
  QAction* mnuFile_10 = nullptr;
  QAction* mnuFile_2 = nullptr;
  QAction* mnuFile_3 = nullptr;
  QAction* mnuFile_4 = nullptr;
  QAction* mnuFile_41 = nullptr;
  QAction* mnuFile_45 = nullptr;
  QAction* mnuFile_mlm = nullptr;
  QAction* mnuFile_42 = nullptr;
  QAction* mnuFile_421 = nullptr;
  QAction* mnuFile_422 = nullptr;
  QAction* mnuFile_43 = nullptr;
  QAction* mnuFile_5 = nullptr;
  QAction* mnuFile_51 = nullptr;
  QAction* mnuFile_6 = nullptr;
  QAction* mnuFile_7 = nullptr;
  std::array<QAction*, 4> mnuDir{};
  QAction* mnuFile_8 = nullptr;

private:
  void buildMenu();
  QAction* addCommand(QMenu* menu, const char* caption, std::function<void()> command);
  // The save dialog of an export in folder with the suggested name, and the
  // overwrite question; "" on Cancel or No, else the path with the filter's
  // extension and (through filterIndex) the chosen filter.
  std::string askExportPath(const std::string& folder, const char* filter,
                            const std::string& name, int* filterIndex = nullptr);
  // askExportPath in the export folder with the suggested name.
  std::string exportPath(const char* filter, int* filterIndex = nullptr);
  std::string importFolderOr(const std::string& lastFile) const;

  Form1& m_form;
  std::string m_programFolder;
};

} // namespace tarvek
