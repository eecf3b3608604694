// File › Export Structure › Export PDF: capture and report.
#include "shell/pdf_page.h"

#include "imaging/jpeg_file.h"
#include "scene/scene_object.h"
#include "shell/form1.h"
#include "shell/view_commands.h"

#include <QComboBox>

#include <cstdint>
#include <filesystem>

namespace tarvek {

namespace {

constexpr const char* kNotCaptured = "The view could not be captured, so no PDF was written.";

// Puts the background colour back however the capture ends.
class KeptBackground {
public:
  explicit KeptBackground(std::uint32_t& colour) : m_colour(colour), m_kept(colour) {}
  ~KeptBackground() { m_colour = m_kept; }
  KeptBackground(const KeptBackground&) = delete;
  KeptBackground& operator=(const KeptBackground&) = delete;

private:
  std::uint32_t& m_colour;
  std::uint32_t m_kept;
};

} // namespace

PdfPage::PdfPage(Form1& form)
    : QObject(&form), m_form(form),
      m_report(std::make_unique<PdfReport>(form.m_platform.prompts, form.m_platform.shellOpen))
{
}

void PdfPage::useServer(QuilletServer server)
{
  m_report = std::make_unique<PdfReport>(m_form.m_platform.prompts, m_form.m_platform.shellOpen,
                                         std::move(server));
}

bool PdfPage::exportPdfPage(const std::string& fileName)
{
  const std::string image = m_form.m_platform.tempFolder.path("tmp.jpg");
  if (!capture(image))
    return false;
  const int kindIndex = m_form.cmbTYP->currentIndex() + 1;
  m_report->context() = reportContext(image);
  return m_report->openPDF(fileName, kindIndex) && m_report->writePDF(kindIndex);
}

bool PdfPage::capture(const std::string& image)
{
  // A picture of an earlier structure must never reach this report.
  std::error_code ignored;
  std::filesystem::remove(image, ignored);
  PictureSave saved;
  if (m_form.m_preferences.optionFlags[0]) {
    CXXX& scene = *m_form.m_scene;
    const bool inserts = m_form.m_display.flatInserts && m_form.m_display.insertFlag;
    if (inserts) {
      // Flat inserts take the background colour when they are built.
      const KeptBackground kept(m_form.m_preferences.backgroundColor);
      m_form.m_preferences.backgroundColor = 0xFFFFFF;
      m_form.CALCULATE(false);
      scene.Refresh();
    }
    scene.setBackColorGL(1, 1, 1);
    scene.Refresh();
    saved = m_form.SavePIC("screenshot", "", 0.0f);
    m_form.applyBackgroundColor();
    if (inserts)
      m_form.CALCULATE(false);
    scene.Refresh();
  } else {
    saved = m_form.SavePIC("screenshot", "", 0.0f);
  }
  if (saved.outcome == SaveOutcome::Saved && std::filesystem::file_size(image, ignored) > 0 &&
      !ignored)
    return true;
  std::string text = kNotCaptured;
  if (!saved.reason.empty())
    text += "\r\n" + saved.reason;
  m_form.m_platform.prompts.message(text, {}, MessageIcon::Exclamation);
  return false;
}

ReportContext PdfPage::reportContext(const std::string& image) const
{
  const Model& model = m_form.m_model;
  const MainWindowState& state = m_form.m_state;
  ReportContext c;
  c.structureKind = model.structureKind;
  c.tubeVariant = model.tubeVariant;
  c.tubeN = model.tubeN;
  c.tubeM = model.tubeM;
  c.tubeLength = model.tubeLength;
  c.coneDisclination = model.coneDisclination;
  c.coneApexAngle = model.coneApexAngle;
  c.coneHeight = model.coneHeight;
  c.atomTypeLabel1 = state.atomTypeLabel1;
  c.atomTypeLabel2 = state.atomTypeLabel2;
  c.importedTitle = state.importedTitle;
  c.xyImportFlag = state.xyImportFlag;
  c.xyFileName = state.xyFileName;
  c.junctionShown = state.junctionShown;
  c.junctionTitle = state.junctionTitle;
  c.partsFlag = model.partsFlag;
  c.captionOverride = state.captionOverride;
  c.xmolComment = state.xmolComment;
  c.virusTitle = state.virusTitle;
  c.whiteBackground = m_form.m_preferences.optionFlags[0];
  c.anaglyphMode = m_form.m_scene->anaglyphMode;
  c.imageFile = image;
  if (const auto size = jpegPixelSize(image)) {
    c.imageWidth = size->width;
    c.imageHeight = size->height;
  }
  c.homeAddress = m_form.viewCommands().address("home");
  c.junctionAddress = m_form.viewCommands().address("junction");
  return c;
}

} // namespace tarvek
