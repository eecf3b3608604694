#include "shell/image_commands.h"

#include "imaging/dib_section.h"
#include "imaging/jpeg_file.h"
#include "imaging/ui/dib_section_qt.h"
#include "imaging/ui/image_browser_window.h"
#include "platform/run_command.h"
#include "platform/save_dialog.h"
#include "runtime/path_util.h"
#include "runtime/runtime_error.h"
#include "scene/gl_host.h"
#include "scene/scene_object.h"
#include "shell/file_commands.h"
#include "shell/image_sequence.h"
#include "shell/options_window.h"
#include "shell/outside_programs.h"
#include "shell/tools_menu.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMenu>

#include <algorithm>
#include <cmath>
#include <filesystem>

namespace tarvek {

namespace {

const char* const kNotCaptured = "The view could not be captured.";

// The options window out of the picture for one grab. Its hide handler
// clears optionsWindowOpen, so whether to show it again is noted first.
class OptionsHidden {
public:
  OptionsHidden(Form1& form, EventPump& pump)
      : m_form(form), m_wasOpen(form.state().optionsWindowOpen)
  {
    if (!m_wasOpen)
      return;
    m_form.optionsWindow()->hide();
    pump.pumpEvents();
  }
  ~OptionsHidden()
  {
    if (m_wasOpen)
      m_form.showPreferences();
  }
  OptionsHidden(const OptionsHidden&) = delete;
  OptionsHidden& operator=(const OptionsHidden&) = delete;

private:
  Form1& m_form;
  bool m_wasOpen;
};

// Removes an intermediate file on every way out.
class RemovedAtEnd {
public:
  explicit RemovedAtEnd(std::string path) : m_path(std::move(path)) {}
  ~RemovedAtEnd()
  {
    std::error_code ignored;
    std::filesystem::remove(m_path, ignored);
  }
  RemovedAtEnd(const RemovedAtEnd&) = delete;
  RemovedAtEnd& operator=(const RemovedAtEnd&) = delete;

private:
  std::string m_path;
};

// Quality 0 asks for the best; others round half to even into 1..100.
std::int32_t jpegQuality(float quality)
{
  if (quality == 0.0f || !std::isfinite(quality))
    return 100;
  return static_cast<std::int32_t>(std::clamp(std::nearbyint(quality), 1.0f, 100.0f));
}

PictureSave failed(std::string reason)
{
  return {SaveOutcome::Failed, {}, std::move(reason)};
}

} // namespace

ImageCommands::ImageCommands(Form1& form) : QObject(&form), m_form(form)
{
  mnuTool_9 = addToolItem(*m_form.mnuTool, ToolItem::SaveImageSequence, QStringLiteral("Save Image Sequence"));
  connect(mnuTool_9, &QAction::triggered, this, [this] {
    runCommand(m_form.m_platform,
               [this] { saveImageSequence(m_form, m_form.m_platform, m_form.m_model); });
  });
  mnuTool_10 = addToolItem(*m_form.mnuTool, ToolItem::BrowseImageFolder, QStringLiteral("Browse Image Folder"));
  mnuTool_10->setEnabled(static_cast<bool>(m_form.m_seams.browseImageFolder));
  connect(mnuTool_10, &QAction::triggered, this, [this] {
    if (m_form.m_seams.browseImageFolder)
      runCommand(m_form.m_platform, m_form.m_seams.browseImageFolder);
  });
}

ImageCommands::~ImageCommands() = default;

void ImageCommands::browseImageFolder()
{
  if (m_browser) {
    m_browser->close();
    m_browser.reset();
    m_form.m_platform.pump.pumpEvents();
  }
  m_browser = std::make_unique<frmAIL>(m_form.m_platform);
  m_browser->setGeometry(m_form.geometry());
  m_browser->setWindowIcon(m_form.windowIcon());
  m_browser->setPath(m_form.m_startup.imagesFolder);
  m_browser->doShow();
}

PictureSave ImageCommands::SavePIC(const std::string& mode, const std::string& fileName,
                                   float quality)
{
  Platform& platform = m_form.m_platform;
  std::string target = fileName.empty() ? platform.tempFolder.path("tmp.jpg") : fileName;
  bool jpeg = true;
  if (mode.empty()) {
    const auto choice =
        askSavePath(platform.fileDialogs, platform.prompts, platform.pump, "Save Image",
                    m_form.m_startup.imagesFolder,
                    "JPEG Image (*.jpg)|*.jpg|Windows Bitmap Image (*.bmp)|*.bmp",
                    m_form.fileCommands().defaultExportName());
    if (!choice)
      return {SaveOutcome::Cancelled, {}, {}};
    // The path the overwrite question named is the file written.
    target = choice->path;
    jpeg = choice->filterIndex != 2;
  } else {
    target = stripFileExt(target) + ".jpg";
  }
  const OptionsHidden hidden(m_form, m_form.m_platform.pump);
  if (jpeg) {
    const std::string bitmap = platform.tempFolder.path("tmp.bmp");
    const RemovedAtEnd removed(bitmap);
    if (!SaveOpenGLimage(bitmap))
      return failed(kNotCaptured);
    const QImage picture(QString::fromStdString(bitmap));
    cDIBSection dib;
    CreateFromPicture(dib, picture);
    if (!dib.isValid())
      return failed(kNotCaptured);
    try {
      saveJPG(dib, target, jpegQuality(quality));
    } catch (const JpegError& e) {
      return failed(std::string(e.what()) + "\r\n" + e.detail());
    }
  } else if (!SaveOpenGLimage(target)) {
    return failed(kNotCaptured);
  }
  platform.prompts.beep();
  return {SaveOutcome::Saved, target, {}};
}

bool ImageCommands::SaveOpenGLimage(const std::string& target)
{
  m_form.m_platform.pump.pumpEvents();
  return m_form.m_view.grabToBmp(target);
}

void ImageCommands::copyImageToClipboard()
{
  QClipboard* clipboard = QGuiApplication::clipboard();
  clipboard->clear();
  const OptionsHidden hidden(m_form, m_form.m_platform.pump);
  const std::string name = m_form.m_platform.tempFolder.path("clipboard.bmp");
  const RemovedAtEnd removed(name);
  bool grabbed = false;
  if (m_form.m_preferences.optionFlags[2]) {
    CXXX& scene = *m_form.m_scene;
    scene.setBackColorGL(1, 1, 1);
    scene.Refresh();
    grabbed = SaveOpenGLimage(name);
    m_form.applyBackgroundColor();
    scene.Refresh();
  } else {
    grabbed = SaveOpenGLimage(name);
  }
  const QImage picture = grabbed ? QImage(QString::fromStdString(name)) : QImage();
  if (picture.isNull())
    throw RuntimeError(kNotCaptured);
  clipboard->setImage(picture);
}

void ImageCommands::savePicture()
{
  const PictureSave result = SavePIC("", "", 0.0f);
  if (result.outcome == SaveOutcome::Failed)
    m_form.m_platform.prompts.message(result.reason, {}, MessageIcon::Exclamation);
  else if (result.outcome == SaveOutcome::Saved)
    m_form.setStatusPanel(1, savedText(result.path));
}

} // namespace tarvek
