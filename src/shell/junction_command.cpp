// The Special menu's hetero-junction: two tubes joined by the outside Java program.
#include "shell/junction_command.h"

#include "formats/structure_readers.h"
#include "model/bond_search.h"
#include "runtime/file_util.h"
#include "runtime/runtime_error.h"
#include "scene/scene_object.h"
#include "shell/form1.h"
#include "shell/junction_rules.h"
#include "shell/view_commands.h"
#include "tools/builder_dialogs.h"

#include <QLabel>

#include <filesystem>
#include <system_error>

namespace tarvek {

namespace {

const char* const kArchive = "contub.jar";
const char* const kResult = "contub.xyz";

void removeFile(const std::string& path)
{
  std::error_code ignored;
  std::filesystem::remove(path, ignored);
}

// Deletes the archive's working copy however the command ends.
class CopyRemover {
public:
  explicit CopyRemover(std::string path) : m_path(std::move(path)) {}
  ~CopyRemover() { removeFile(m_path); }
  CopyRemover(const CopyRemover&) = delete;
  CopyRemover& operator=(const CopyRemover&) = delete;

private:
  std::string m_path;
};

std::string notFound(const std::string& xyzFile, const std::string& reason)
{
  std::string text = "Hetero-Junction\r\n" + xyzFile +
                     " not found.\r\nMake sure a Java Runtime is installed on your computer.";
  if (!reason.empty())
    text += "\r\n" + reason;
  return text;
}

} // namespace

JunctionCommand::JunctionCommand(Form1& form, std::string programFolder)
    : QObject(&form), m_form(form), m_programFolder(std::move(programFolder))
{
}

bool JunctionCommand::archiveInstalled() const
{
  return FileExists(m_programFolder + "lib/" + kArchive);
}

void JunctionCommand::buildHeteroJunction()
{
  Form1& form = m_form;
  Prompts& prompts = form.m_platform.prompts;
  Processes& processes = form.m_platform.processes;
  JunctionValues values;
  {
    dlgCONTUB dialog(prompts, form.viewCommands().address("junction"), &form);
    dialog.exec();
    if (dialog.okPressed == 0)
      return;
    values = {dialog.junctionN1, dialog.junctionM1, dialog.junctionLength1,
              dialog.junctionN2, dialog.junctionM2, dialog.junctionLength2};
  }
  const std::string source = m_programFolder + "lib/" + kArchive;
  if (!FileExists(source)) {
    prompts.message("File contub.jar not found", "", MessageIcon::Critical);
    return;
  }
  const std::string folder = form.m_startup.importFolder;
  const std::string xyzFile = folder + kResult;
  const std::string java = processes.findExecutable("java");
  if (java.empty()) {
    prompts.message(notFound(xyzFile, "(Debian package default-jre-headless)"), "",
                    MessageIcon::Exclamation);
    return;
  }

  const std::string jarCopy = folder + kArchive;
  CopyRemover remover(jarCopy);
  removeFile(xyzFile);
  removeFile(jarCopy);
  std::error_code copyError;
  std::filesystem::copy_file(source, jarCopy, copyError);
  if (copyError)
    throw RuntimeError("The file " + source + " could not be copied to " + folder + ": " +
                       copyError.message() + ".");

  ProcessResult result;
  {
    WaitCursor wait(prompts);
    result = processes.run(java, junctionArguments(values, jarCopy), folder, "Joining the tubes ...");
  }
  if (result.outcome == ProcessResult::Outcome::Cancelled) {
    removeFile(xyzFile);
    return;
  }
  std::string reason;
  if (result.outcome == ProcessResult::Outcome::FailedToStart)
    reason = result.message;
  else if (result.exitCode != 0)
    reason = "java ended with exit code " + std::to_string(result.exitCode) + ".";
  // Only a clean end with a result counts: a failed run's file may be half
  // written.
  if (!reason.empty() || !FileExists(xyzFile)) {
    removeFile(xyzFile);
    prompts.message(notFound(xyzFile, reason), "", MessageIcon::Exclamation);
    return;
  }
  WaitCursor wait(prompts);
  showJunction(xyzFile, junctionTitle(values));
}

void JunctionCommand::showJunction(const std::string& xyzFile, const std::string& title)
{
  Form1& form = m_form;
  Model& model = form.m_model;
  MainWindowState& state = form.m_state;
  const ImportedStructure read = importXYZ(model, xyzFile);
  state.importedTitle = read.title;
  // Cleared before the search: the bond search leaves a part's list alone.
  model.partsFlag = false;
  const long stopsBefore = form.m_platform.abort.stops();
  createBonds(model, 0.9f, 1.9f, form.m_platform.prompts, form.m_platform.abort);
  state.junctionShown = true;
  state.junctionTitle = title;
  state.xyFileName = xyzFile;
  state.xyImportFlag = false;
  state.coordinateImportFlag = false;
  state.fullereneLibraryMode = false;
  model.placementX = model.placementY = model.placementZ = 0.0f;
  form.setTitleAndStatus();
  form.updateDisplayControls();

  CXXX& scene = form.scene();
  scene.clearScene();
  form.applyBackgroundColor();
  form.setData(false);
  scene.frameStructure();
  form.stbPanel[2]->setText(QString::number(scene.drawnAtomCount) + QStringLiteral(" Atoms"));
  form.stbPanel[3]->setText(QString::number(scene.drawnBondCount) + QStringLiteral(" Bonds"));
  form.showAtomRadius();
  form.stbPanel[0]->setText(QString::fromStdString(form.escapeNote(stopsBefore, {})));
  form.m_seams.fillXyzList(0);
}

} // namespace tarvek
