#include "shell/outside_programs.h"

#include "formats/structure_writers.h"
#include "platform/open_url.h"
#include "platform/run_command.h"
#include "platform/save_dialog.h"
#include "platform/utilities.h"
#include "runtime/atomic_file.h"
#include "runtime/file_util.h"
#include "runtime/runtime_error.h"
#include "runtime/text_fixups.h"
#include "scene/scene_object.h"
#include "shell/form1.h"
#include "shell/tools_menu.h"
#include "shell/view_commands.h"

#include <QAction>
#include <QGuiApplication>
#include <QMenu>

#include <filesystem>
#include <optional>

namespace tarvek {

namespace {

const char* const kMaterialPrompt = "All values range from 0.0-1.0\r\n"
                                    "diffuse\r\n"
                                    "ambient\r\n"
                                    "specular \r\n"
                                    "reflection\r\n"
                                    "glassfilter (0.6-1)";

// The roughness of every finish; the input box does not ask for it.
constexpr float kRoughness = 0.005f;

// POV-Ray's preview window needs a window system.
bool displayPresent()
{
  const QString platform = QGuiApplication::platformName();
  return platform == QStringLiteral("xcb") || platform == QStringLiteral("wayland");
}

} // namespace

OutsidePrograms::OutsidePrograms(Form1& form) : QObject(&form), m_form(form)
{
  const auto add = [this](ToolItem item, const char* caption, std::function<void()> command) {
    QAction* action = addToolItem(*m_form.mnuTool, item, QString::fromLatin1(caption));
    connect(action, &QAction::triggered, this, [this, command = std::move(command)] {
      m_form.m_platform.pump.pumpEvents();
      runCommand(m_form.m_platform, command);
    });
    return action;
  };
  mnuTool_6 = add(ToolItem::LaunchPovRay, "Launch &POV-Ray", [this] { exportPovRay(); });
  const char* const viewers[] = {"Launch &MOL Viewer", "Launch &PDB Viewer", "Launch &CIF Viewer",
                                 "Launch &VRML Viewer"};
  for (std::size_t i = 0; i < mnuViewer.size(); ++i) {
    const auto kind = static_cast<ViewerKind>(i);
    mnuViewer[i] = add(ToolItem::LaunchViewer, viewers[i], [this, kind] { launchViewer(kind); });
  }
}

void OutsidePrograms::exportPovRay()
{
  Platform& platform = m_form.m_platform;
  const auto answer =
      platform.prompts.input(kMaterialPrompt, "POV-Ray [Material Properties]", "0.5 0.25 0.5 0.0 0.0");
  if (!answer || answer->empty())
    return;
  const auto values = povMaterialValues(*answer);
  if (!values) {
    platform.prompts.message(
        "Please enter five values: diffuse, ambient, specular, reflection and glass filter.", {},
        MessageIcon::Exclamation);
    return;
  }
  const std::string exportFolder = m_form.m_startup.exportFolder;
  std::error_code ec;
  std::filesystem::create_directories(exportFolder, ec);
  const std::string povFile = exportFolder + "tarvek.pov";
  const PovMaterial& v = *values;
  m_form.m_scene->POVRAY(povFile, v[0], v[1], v[2], v[3], kRoughness, v[4],
                         m_form.windowTitle().toStdString(), platform.clock);
  // The scene is a text file like the exports; its saved copy keeps its bytes.
  if (FileStatus ends = stripCarriageReturns(povFile, m_form.m_preferences.optionFlags[7]); !ends)
    throw RuntimeError(ends.error());
  const std::string program = platform.processes.findExecutable("povray");
  if (program.empty())
    offerSceneCopy(povFile);
  else
    startPovRay(program, povFile);
}

void OutsidePrograms::startPovRay(const std::string& program, const std::string& povFile)
{
  const std::string exportFolder = m_form.m_startup.exportFolder;
  // Debian's POV-Ray reads and writes only below a few folders, the Export
  // folder among them: it works there.
  Prompts& prompts = m_form.m_platform.prompts;
  if (!m_form.m_platform.processes.startWatched(
          program, povrayArguments(povFile, exportFolder + "tarvek.png", displayPresent(),
                          povRenderSize(m_form.m_scene->viewportAspect())),
          exportFolder, [&prompts](const std::string& why) {
            prompts.message("POV-Ray ended with an error:\r\n" + why, {}, MessageIcon::Exclamation);
          }))
    m_form.m_platform.prompts.message("POV-Ray " + program + " could not be started.", {},
                                      MessageIcon::Exclamation);
}

void OutsidePrograms::offerSceneCopy(const std::string& povFile)
{
  Platform& platform = m_form.m_platform;
  platform.prompts.message("POV-Ray path not found! If POV-Ray is not installed yet\r\n"
                           "you may download it from " +
                               m_form.viewCommands().address("povray-download"),
                           {}, MessageIcon::None);
  const auto choice =
      askSavePath(platform.fileDialogs, platform.prompts, platform.pump, "Save as POV-Ray file",
                  m_form.m_startup.exportFolder, "POV-Ray File (*.pov)|*.pov", "tarvek");
  if (!choice)
    return;
  const std::string& target = choice->path;
  std::string scene;
  if (FileStatus read = readFileBytes(povFile, scene); !read)
    throw RuntimeError(read.error());
  if (FileStatus written = writeFileAtomic(target, scene); !written)
    throw RuntimeError(written.error());
  m_form.setStatusPanel(1, savedText(target));
  openOrTell(target, platform.shellOpen, platform.prompts);
}

void OutsidePrograms::launchViewer(ViewerKind kind)
{
  Platform& platform = m_form.m_platform;
  const ExportContext ctx = m_form.exportContext();
  std::optional<MolTables> mol;
  if (kind == ViewerKind::Mol) {
    mol = molTables(ctx);
    if (const auto refusal = molLimitMessage(*mol)) {
      platform.prompts.message(*refusal, {}, MessageIcon::None);
      return;
    }
  }
  const std::string path = platform.tempFolder.path(viewerFileName(kind));
  switch (kind) {
  case ViewerKind::Mol:
    exportMOL(ctx, *mol, path);
    break;
  case ViewerKind::Pdb:
    exportPDB(ctx, path);
    break;
  case ViewerKind::Cif:
    exportCIF(ctx, path);
    break;
  case ViewerKind::Vrml:
    exportVRML(ctx, {m_form.m_display, m_form.m_preferences, *m_form.m_scene}, path,
               VrmlVersion::Vrml2);
    break;
  }
  const std::string viewer = chooseViewer(
      kind, m_form.m_preferences.viewerPaths[static_cast<std::size_t>(kind)], platform.processes);
  if (viewer.empty()) {
    platform.prompts.message(viewerReminder(kind), {}, MessageIcon::None);
    openOrTell(path, platform.shellOpen, platform.prompts);
    return;
  }
  const std::string folder = std::filesystem::path(viewer).parent_path().string();
  if (!platform.processes.startDetached(viewer, {path}, folder))
    platform.prompts.message("The viewer " + viewer + " could not be started.", {},
                             MessageIcon::Exclamation);
}

} // namespace tarvek
