// The main window's File menu: exports, imports, tables, folders and Exit.
#include "shell/file_commands.h"

#include "formats/structure_readers.h"
#include "formats/structure_writers.h"
#include "model/bond_search.h"
#include "platform/run_command.h"
#include "platform/save_dialog.h"
#include "runtime/file_util.h"
#include "runtime/int_convert.h"
#include "runtime/number_format.h"
#include "runtime/path_util.h"
#include "runtime/runtime_error.h"
#include "scene/scene_object.h"
#include "shell/coordinate_list.h"
#include "shell/file_naming.h"
#include "shell/form1.h"
#include "shell/xy_import.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>

#include <utility>

namespace tarvek {

FileCommands::FileCommands(Form1& form, std::string programFolder)
    : QObject(&form), m_form(form), m_programFolder(std::move(programFolder))
{
  buildMenu();
}

QAction* FileCommands::addCommand(QMenu* menu, const char* caption, std::function<void()> command)
{
  auto* action = menu->addAction(QString::fromLatin1(caption));
  connect(action, &QAction::triggered, this, [this, command = std::move(command)] {
    runCommand(m_form.m_platform, command);
  });
  return action;
}

void FileCommands::buildMenu()
{
  mnuFile = new QMenu(QStringLiteral("&File"), m_form.menuBar());
  m_form.menuBar()->insertMenu(m_form.mnuView->menuAction(), mnuFile);
  const Form1Seams& seams = m_form.m_seams;

  mnuExportStructure = mnuFile->addMenu(QStringLiteral("Export Structure"));
  QMenu* e = mnuExportStructure;
  mnuFile_1 = addCommand(e, "Export &MOL ", [this] { exportMOL(); });
  mnuFile_10 = addCommand(e, "Export XMOL ", [this] { exportXMOL(); });
  mnuFile_2 = addCommand(e, "Export &PDB", [this] { exportPDB(); });
  mnuFile_3 = addCommand(e, "Export &CIF", [this] { exportCIF(); });
  mnuFile_4 = addCommand(e, "Export &VRML", [this] { exportVRML(); });
  mnuFile_41 = addCommand(e, "Export P&DF", [this] { exportPDF(); });
  mnuFile_41->setEnabled(static_cast<bool>(seams.exportPdfPage));
  mnuFile_45 = addCommand(e, "Export &Bonds", [this] { exportBonds(); });
  mnuFile_mlm = addCommand(e, "Export MLM", [this] { exportMLM(); });

  mnuImportStructure = mnuFile->addMenu(QStringLiteral("Import Structure"));
  QMenu* i = mnuImportStructure;
  mnuFile_42 = addCommand(i, "Import &Fullerene", [this] { importFullerene(); });
  mnuFile_421 = addCommand(i, "Import Xmol Data", [this] { importXmolData(); });
  // Its reader takes plain atom tables, not CIF files: shown, it would
  // mislead.
  mnuFile_422 = addCommand(i, "Import CIF Data", [this] { importCifData(); });
  mnuFile_422->setVisible(false);
  mnuFile_43 = addCommand(i, "Import XY Data", [this] { importXYData(); });
  mnuFile->addSeparator();

  CoordinateList& list = m_form.coordinateList();
  mnuFile_5 = addCommand(mnuFile, "&Save Image", [this] {
    if (m_form.m_seams.savePicture)
      m_form.m_seams.savePicture();
  });
  mnuFile_5->setEnabled(static_cast<bool>(seams.savePicture));
  mnuFile_51 = addCommand(mnuFile, "Save XYZ Table", [&list] { list.saveXyzTable(); });
  mnuFile->addSeparator();
  mnuFile_6 = addCommand(mnuFile, "&Copy Image", [this] {
    if (!m_form.m_seams.copyImage)
      return;
    m_form.m_platform.pump.pumpEvents();
    m_form.m_seams.copyImage();
  });
  mnuFile_6->setEnabled(static_cast<bool>(seams.copyImage));
  mnuFile_7 = addCommand(mnuFile, "Copy XYZ &Table", [&list] { list.copyXyzTable(); });
  mnuFile->addSeparator();
  const char* const folders[] = {"View Export Folder", "View Import Folder", "View Image Folder",
                                 "View PDF Folder"};
  for (int k = 0; k < 4; ++k)
    mnuDir[static_cast<std::size_t>(k)] =
        addCommand(mnuFile, folders[k], [this, k] { viewFolder(k); });
  mnuFile->addSeparator();
  mnuFile_8 = addCommand(mnuFile, "E&xit", [this] { exit(); });
}

std::string FileCommands::defaultExportName() const
{
  return tarvek::defaultExportName({m_form.cmb1->currentText().toStdString(),
                                    m_form.m_model.structureKind, m_form.m_model.tubeVariant,
                                    m_form.m_state.importedTitle, m_form.m_state.virusTitle,
                                    m_form.titleText().toStdString(),
                                    m_form.m_state.junctionShown, m_form.m_state.junctionTitle});
}

std::string FileCommands::askExportPath(const std::string& folder, const char* filter,
                                        const std::string& name, int* filterIndex)
{
  Platform& platform = m_form.m_platform;
  const auto choice =
      askSavePath(platform.fileDialogs, platform.prompts, platform.pump, {}, folder, filter, name);
  if (!choice)
    return {};
  if (filterIndex != nullptr)
    *filterIndex = choice->filterIndex;
  return choice->path;
}

std::string FileCommands::exportPath(const char* filter, int* filterIndex)
{
  return askExportPath(m_form.m_startup.exportFolder, filter, defaultExportName(), filterIndex);
}

void FileCommands::exportMOL()
{
  const ExportContext ctx = m_form.exportContext();
  const MolTables tables = molTables(ctx);
  if (const auto refusal = molLimitMessage(tables)) {
    m_form.m_platform.prompts.message(*refusal, {}, MessageIcon::None);
    return;
  }
  if (const std::string path = exportPath(kMolFilter); !path.empty()) {
    tarvek::exportMOL(ctx, tables, path);
    m_form.setStatusPanel(1, savedText(path));
  }
}

void FileCommands::exportXMOL()
{
  if (const std::string path = exportPath(kXmolFilter); !path.empty()) {
    tarvek::exportXMOL(m_form.exportContext(), path);
    m_form.setStatusPanel(1, savedText(path));
  }
}

void FileCommands::exportPDB()
{
  if (const std::string path = exportPath(kPdbFilter); !path.empty()) {
    tarvek::exportPDB(m_form.exportContext(), path);
    m_form.setStatusPanel(1, savedText(path));
  }
}

void FileCommands::exportCIF()
{
  if (const std::string path = exportPath(kCifFilter); !path.empty()) {
    tarvek::exportCIF(m_form.exportContext(), path);
    m_form.setStatusPanel(1, savedText(path));
  }
}

void FileCommands::exportVRML()
{
  int index = 1;
  if (const std::string path = exportPath(kVrmlFilter, &index); !path.empty()) {
    tarvek::exportVRML(m_form.exportContext(),
                       {m_form.m_display, m_form.m_preferences, *m_form.m_scene}, path,
                       index == 2 ? VrmlVersion::Vrml1 : VrmlVersion::Vrml2);
    m_form.setStatusPanel(1, savedText(path));
  }
}

void FileCommands::exportPDF()
{
  if (!m_form.m_seams.exportPdfPage)
    return;
  const std::string path =
      askExportPath(m_form.m_startup.pdfFolder, kPdfFilter, defaultExportName());
  if (path.empty())
    return;
  if (m_form.m_seams.exportPdfPage(path))
    m_form.setStatusPanel(1, savedText(path));
}

void FileCommands::exportBonds()
{
  if (const std::string path = askExportPath(m_form.m_startup.exportFolder, kBondsFilter,
                                             defaultExportName() + "_Bonds");
      !path.empty()) {
    tarvek::exportBonds(m_form.exportContext(), path);
    m_form.setStatusPanel(1, savedText(path));
  }
}

void FileCommands::exportMLM()
{
  if (const std::string path = exportPath(kMlmFilter); !path.empty()) {
    tarvek::exportMLM(m_form.exportContext(), path);
    m_form.setStatusPanel(1, savedText(path));
  }
}

void FileCommands::importFullerene()
{
  Form1& form = m_form;
  MainWindowState& state = form.m_state;
  const std::string folder = state.lastFullereneFile.empty()
                                 ? fullereneLibraryFolder(m_programFolder)
                                 : getFilePath(state.lastFullereneFile);
  const auto choice = form.m_platform.fileDialogs.open({}, folder, kFullereneFilter, {}, 1);
  if (!choice || choice->path.empty())
    return;
  const std::string& path = choice->path;
  const long stopsBefore = form.m_platform.abort.stops();
  // The filter chosen, not the extension, picks the reader.
  const ImportedStructure read =
      choice->filterIndex == 2 ? importXYZ(form.m_model, path, &form.m_platform.abort)
                               : openCC1(form.m_model, path, &form.m_platform.abort);
  state.fullereneLibraryMode = true;
  state.xyImportFlag = false;
  form.m_model.partsFlag = false;
  state.coordinateImportFlag = false;
  state.junctionShown = false;
  enableTypeList(5);
  state.lastFullereneFile = path;
  state.importedTitle = read.title;
  form.showImportedStructure();
  form.m_seams.fillXyzList(0);
  form.stbPanel[0]->setText(QString::fromStdString(form.escapeNote(stopsBefore, path)));
}

void FileCommands::openXMOL(const std::string& fileName, bool quiet)
{
  Form1& form = m_form;
  MainWindowState& state = form.m_state;
  Model& model = form.m_model;
  Platform& platform = form.m_platform;
  state.fullereneLibraryMode = false;
  state.xyImportFlag = false;
  state.coordinateImportFlag = false;
  model.partsFlag = false;
  enableTypeList(6);
  state.lastXmolFile = fileName;
  if (!fileName.empty()) {
    const long stopsBefore = platform.abort.stops();
    model.tubeDiameter = 0.0f;
    form.checkParameterFields();
    // The import's search and the retry below ask and tell once.
    const OneBondQuestion once(model);
    const auto read = importCoordinates(model, fileName, quiet, state.xmolIsTube,
                                        platform.prompts, platform.abort);
    if (!read) {
      handleImportError();
      return;
    }
    state.xmolComment = read->comment;
    state.importedTitle = read->title;
    state.xmolIsTube = read->isTube;
    if (model.bondCount == 0)
      createBonds(model, 0.0f, 0.0f, platform.prompts, platform.abort);
    CXXX& scene = *form.m_scene;
    scene.clearScene();
    scene.setBackground();
    form.setData(false);
    scene.frameStructure();
    state.coordinateImportFlag = true;
    form.m_seams.fillXyzList(0);
    std::string panel1 = fileName;
    if (model.tubeDiameter != 0.0f)
      panel1 = "Xmol: Nanotube, Length " + Format(model.tubeLength, "0.0##") + " A, Diameter " +
               Format(model.tubeDiameter, "0.0##") + " A, Bond length " +
               Format(model.bondLength, "0.0##") + " A";
    form.stbPanel[0]->setText(QString::fromStdString(form.escapeNote(stopsBefore, panel1)));
    form.stbPanel[2]->setText(QString::number(scene.drawnAtomCount) + QStringLiteral(" Atoms"));
    form.stbPanel[3]->setText(QString::number(scene.drawnBondCount) + QStringLiteral(" Bonds"));
    form.showAtomRadius();
  }
  form.showPanelsForType();
}

void FileCommands::openCIF(const std::string& fileName)
{
  if (!FileExists(fileName))
    return;
  Form1& form = m_form;
  MainWindowState& state = form.m_state;
  Model& model = form.m_model;
  CXXX& scene = *form.m_scene;
  const ImportedStructure read = importAtomTable(model, fileName, scene, form.m_random);
  model.partsFlag = true;
  state.xyImportFlag = false;
  state.fullereneLibraryMode = false;
  state.coordinateImportFlag = false;
  state.junctionShown = false;
  state.partFile = fileName;
  state.importedElements = read.elements;
  state.importedTitle = read.title;
  state.captionOverride = " (CIF)";
  form.setTitleAndStatus();
  form.updateDisplayControls();
  // Element table index = atomic number - 1.
  const std::pair<std::int16_t, std::uint32_t> colours[] = {
      {0, packColor(255, 255, 255)}, {5, packColor(103, 103, 103)},
      {6, packColor(135, 135, 240)}, {7, packColor(255, 0, 0)},
      {15, packColor(255, 229, 82)}, {14, packColor(255, 142, 17)}};
  for (const auto& [element, colour] : colours)
    scene.setAtomColor(element, colour);
  scene.clearScene();
  form.applyBackgroundColor();
  form.setData(false);
  model.placementX = model.placementY = model.placementZ = 0.0f;
  scene.frameStructure();
  form.stbPanel[2]->setText(QString::number(model.atomCount) + QStringLiteral(" Atoms"));
  form.stbPanel[3]->setText(QString::fromStdString(state.importedElements));
  form.showAtomRadius();
  form.stbPanel[0]->clear();
  form.m_platform.pump.pumpEvents();
  form.m_seams.fillXyzList(0);
  form.stbPanel[0]->setText(QString::fromStdString(fileName));
}

void FileCommands::importXYData()
{
  Form1& form = m_form;
  MainWindowState& state = form.m_state;
  Model& model = form.m_model;
  Platform& platform = form.m_platform;
  const std::string folder = state.xyFileName.empty() ? form.m_startup.importFolder
                                                       : getFilePath(state.xyFileName);
  const auto choice = platform.fileDialogs.open({}, folder, kXyFilter, {}, 1);
  if (!choice || choice->path.empty())
    return;
  const std::string path = choice->path;

  // Everything that can refuse the file comes before the first change.
  const XYReadResult read = readXYPoints(path);
  if (!read.ok())
    throw RuntimeError(read.error);
  const XYSheet sheet = sheetOf(read.points);
  const XYScale scale = checkXYSheet(path, sheet);

  // The type list's handler does nothing while the list is disabled.
  QComboBox* types = form.cmbTYP;
  types->setEnabled(false);
  const bool roll = platform.prompts.yesNo("Do you want to roll this XY-sheet into a tube?", {},
                                           MessageIcon::Question);
  types->setCurrentIndex(roll ? 0 : 1);
  model.structureKind = roll ? 1 : 2;
  types->setEnabled(true);
  // Likewise the display boxes': both ticked without a redraw.
  for (QCheckBox* box : form.cbOP) {
    box->setEnabled(false);
    box->setChecked(true);
  }
  form.m_display.atomsShown = true;
  form.m_display.bondsShown = true;
  for (QCheckBox* box : form.cbOP)
    box->setEnabled(true);

  form.checkParameterFields();
  const XYBuildFields fields{CInt(form.field(0)), CInt(form.field(1)),
                             static_cast<float>(form.field(2)),
                             static_cast<float>(form.field(3))};
  state.xyImportFlag = true;
  state.coordinateImportFlag = false;
  model.partsFlag = false;
  state.fullereneLibraryMode = false;
  state.junctionShown = false;
  state.xyFileName = path;
  form.setTitleAndStatus();
  form.updateDisplayControls();
  const long stopsBefore = platform.abort.stops();
  const XYBuild build =
      buildFromXYData(model, sheet, scale, fields, platform.prompts, platform.abort);

  CXXX& scene = *form.m_scene;
  scene.clearScene();
  scene.setBackground();
  form.setData(false);
  model.placementX = model.placementY = model.placementZ = 0.0f;
  scene.zoomReset(0);
  // The list first: its title refresh would put "XY - Import" over the size.
  form.m_seams.fillXyzList(0);
  form.stbPanel[2]->setText(QString::number(scene.drawnAtomCount) + QStringLiteral(" Atoms"));
  form.stbPanel[3]->setText(QString::number(scene.drawnBondCount) + QStringLiteral(" Bonds"));
  form.showAtomRadius();
  const std::string size = roll ? "(?,?) Tube Diameter " + Format(build.diameter, "0.0##") + " A"
                                : "Sheet Width " + Format(build.width, "0.0##") + " A";
  form.stbPanel[0]->setText(QString::fromStdString(form.escapeNote(stopsBefore, size)));
  platform.pump.pumpEvents();
}

void FileCommands::enableTypeList(int index)
{
  QComboBox* list = m_form.cmbTYP;
  list->setEnabled(false);
  list->setCurrentIndex(index);
  list->setEnabled(true);
}

void FileCommands::handleImportError()
{
  enableTypeList(0);
  m_form.m_model.tubeVariant = 0;
  m_form.m_model.structureKind = 1;
  m_form.CALCULATE(true);
}

std::string FileCommands::importFolderOr(const std::string& lastFile) const
{
  return lastFile.empty() ? m_form.m_startup.importFolder : getFilePath(lastFile);
}

void FileCommands::importXmolData()
{
  const bool sw = m_form.m_startup.commandLine.find("/sw") != std::string::npos;
  const auto choice =
      m_form.m_platform.fileDialogs.open({}, importFolderOr(m_form.m_state.lastXmolFile),
                                         sw ? kXmolImportFilterSw : kXmolImportFilter, {}, 1);
  if (choice)
    openXMOL(choice->path, false);
}

void FileCommands::importCifData()
{
  const auto choice = m_form.m_platform.fileDialogs.open(
      {}, importFolderOr(m_form.m_state.lastXmolFile), kAtomTableFilter, {}, 1);
  if (choice)
    openCIF(choice->path);
}

void FileCommands::viewFolder(int which)
{
  const StartupState& startup = m_form.m_startup;
  const std::string* const folders[] = {&startup.exportFolder, &startup.importFolder,
                                        &startup.imagesFolder, &startup.pdfFolder};
  const std::string& folder = *folders[which];
  if (DirExists(folder))
    m_form.m_platform.shellOpen.openFolder(folder);
}

void FileCommands::exit()
{
  m_form.m_state.appClosing = true;
  m_form.close();
}

} // namespace tarvek
