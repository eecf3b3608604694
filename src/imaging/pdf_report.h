// The one-page PDF report of the current view: title, view image, frame,
// description and footer, written through the PDF library's interface.
#pragma once

#include "platform/object_factory.h"
#include "platform/prompts.h"
#include "platform/shell_open.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

struct IQuillet;

namespace tarvek {

// Everything the report reads of the model, the main window and the scene,
// filled in by the main window before each report.
struct ReportContext {
  std::int16_t structureKind = 0;
  std::int16_t tubeVariant = 0;
  std::int16_t tubeN = 0;
  std::int16_t tubeM = 0;
  // Å.
  float tubeLength = 0.0f;
  // Degrees.
  float coneDisclination = 0.0f;
  // Radians.
  float coneApexAngle = 0.0f;
  // Å.
  float coneHeight = 0.0f;
  std::string atomTypeLabel1 = "C";
  std::string atomTypeLabel2 = "C";
  std::string importedTitle;
  bool xyImportFlag = false;
  // The XY file the structure was built from; its name is the description.
  std::string xyFileName;
  bool junctionShown = false;
  std::string junctionTitle;
  bool partsFlag = false;
  std::string captionOverride;
  std::string xmolComment;
  std::string virusTitle;
  // The Preferences' white background for the PDF export: no frame, the
  // description centred.
  bool whiteBackground = false;
  std::int16_t anaglyphMode = 0;
  // The saved view and its size in pixels.
  std::string imageFile;
  std::int32_t imageWidth = 0;
  std::int32_t imageHeight = 0;
  // The program's home page (footer) and the junction algorithm's page
  // (reference line).
  std::string homeAddress;
  std::string junctionAddress;
};

// The document title; xyAnswer is the title typed for a structure from XY
// data (empty when cancelled), read only when xyImportFlag is set.
std::string reportTitle(const ReportContext& context, const std::string& xyAnswer);

// The description line under the image. kindIndex is the geometry list's
// index + 1 (1 tube, 2 sheet, 3 cone, 4 cone sheet, 5 C60, ...).
std::string reportDescription(const ReportContext& context, int kindIndex);

// Where the image goes on a page of paperWidth x paperHeight points: scale
// s, so that the image is at most the page width less 40 points wide and 60 %
// of the page high, centred, its top 70 points below the page's; (x, y) is
// its lower left corner. An image without pixels gets s = 0.
struct ReportLayout {
  double s = 0.0;
  double x = 0.0;
  double y = 0.0;
};
ReportLayout reportLayout(double paperWidth, double paperHeight, double width, double height);

// The footer, naming the program's home page.
std::string reportFooter(const ReportContext& context);

// The lines under the image of a tube junction.
struct JunctionLines {
  std::string lines[3];
};
JunctionLines junctionLines(const ReportContext& context);

// How the report reaches the PDF library: an object maker (an IQuillet with
// one reference, or null with the reason) and the library's description of
// the calling thread's last failure.
struct QuilletServer {
  std::function<CreatedObject()> create;
  std::function<std::string()> lastError;
};

// The library made by its ProgID "QuilletLib.Quillet"; searchFolders as for
// createObject.
QuilletServer quilletServer(std::vector<std::string> searchFolders = {});

// Writes the report: openPDF, then writePDF when it opened. Each report
// makes a new object; after a complete report the object is kept until the
// next one. A failed library call ends the report with a message and
// releases the object at once, discarding the unfinished document.
class PdfReport {
public:
  PdfReport(Prompts& prompts, ShellOpen& shellOpen, QuilletServer server = quilletServer());
  ~PdfReport();
  PdfReport(const PdfReport&) = delete;
  PdfReport& operator=(const PdfReport&) = delete;

  // What the next report shows; set before openPDF.
  ReportContext& context() { return m_context; }

  // Makes the object, opens fileName and puts the title (asking for one for
  // XY data). False, after a message, when the report cannot go on.
  bool openPDF(const std::string& fileName, int kindIndex);
  // Writes the page and closes the file, then offers to open it. Does
  // nothing unless openPDF succeeded. True when the file was written, which
  // it is with its page left blank when the font could not be added.
  bool writePDF(int kindIndex);

private:
  // False when the font could not be added: the document is closed without
  // its page.
  bool write(int kindIndex);
  void fail(const std::string& description);
  void release();

  Prompts& m_prompts;
  ShellOpen& m_shellOpen;
  QuilletServer m_server;
  ReportContext m_context;
  IQuillet* m_pdf = nullptr;
  std::int32_t m_fontIndex = -1;
  std::int32_t m_openResult = -1;
  std::string m_fileName;
  std::string m_title;
};

} // namespace tarvek
