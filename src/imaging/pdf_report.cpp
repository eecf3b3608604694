// The one-page PDF report: its texts, its layout and its calls to the PDF
// library.
#include "imaging/pdf_report.h"

#include "platform/open_url.h"
#include "quillet/quillet.h"
#include "runtime/math_util.h"
#include "runtime/number_format.h"
#include "runtime/path_util.h"
#include "runtime/print_form.h"

#include <stdexcept>
#include <utility>

namespace tarvek {

namespace {

// The report's own texts. Addresses come with the context.
struct ReportTexts {
  const char* fullereneCredit;
  const char* partsCredit;
  const char* junction1;
  const char* junction2;
  const char* referencePrefix;
  const char* footerPrefix;
  const char* footerSuffix;
  const char* font;
  const char* openFailed;
  const char* fontFailed;
  const char* writeFailed;
  const char* generated;
  const char* xyPrompt;
  const char* xyCaption;
  const char* xyDefault;
};

constexpr ReportTexts kTexts = {
    "Fullerene coordinates from the tarvek fullerene library",
    "Structure part from the tarvek structure-part library",
    "XYZ created by the CoNTub Applet.",
    "CoNTub: an algorithm for connecting two arbitrary carbon nanotubes.",
    "Reference: ",
    "tarvek (",
    ")",
    "Arial",
    "Could not open PDF file : ",
    "Could not init font : ",
    "The PDF file could not be written: ",
    "PDF generated, do you want to view it?",
    "Please enter a title",
    "PDF Caption",
    "XY-Data Import",
};

constexpr const char* kAngstrom = " \xC3\x85";
constexpr const char* kDegree = "\xC2\xB0";
constexpr double kRadian = 0.017453292522222223;

// A library call that failed; ends the report.
struct CallFailed : std::runtime_error {
  using std::runtime_error::runtime_error;
};

void check(HRESULT hr)
{
  if (FAILED(hr))
    throw CallFailed("call failed");
}

} // namespace

std::string reportTitle(const ReportContext& c, const std::string& xyAnswer)
{
  std::string title;
  switch (c.structureKind) {
  case 1: title = "Nanotube"; break;
  case 2: title = "Nanotube-Sheet"; break;
  case 3: title = "Nanocone"; break;
  case 4: title = "Nanocone-Sheet"; break;
  default: break;
  }
  if (c.atomTypeLabel1 != "C" || c.atomTypeLabel2 != "C")
    title = c.atomTypeLabel1 + c.atomTypeLabel2 + " " + title;
  else
    title = "Carbon " + title;
  if (c.tubeVariant == 2)
    title += " Bundle";

  switch (c.structureKind) {
  case 5: title = "Bucky Ball C60"; break;
  case 6: title = "Fullerene " + c.importedTitle; break;
  case 7: title = "Xmol-Import"; break;
  case 8: title = "Virus Geometry"; break;
  default: break;
  }
  if (c.xyImportFlag)
    title = xyAnswer;
  if (c.junctionShown)
    title = c.junctionTitle;
  if (c.partsFlag)
    title = c.captionOverride;
  return title;
}

std::string reportDescription(const ReportContext& c, int kindIndex)
{
  std::string d = "Chirality Indices (" + std::to_string(c.tubeN) + "," + std::to_string(c.tubeM) +
                  "), Tube-Length " + Format(c.tubeLength, "0.0#") + kAngstrom;
  if (c.tubeM == 0)
    d += " (zig-zag structure)";
  if (c.tubeN == c.tubeM)
    d += " (armchair structure)";
  if (kindIndex == 3 || kindIndex == 4)
    d = "Disclination Angle " + numberText(c.coneDisclination) + kDegree + ", Apex Angle " +
        Format(static_cast<double>(c.coneApexAngle) / kRadian, "0.0") + kDegree +
        ", Cone-Height " + numberText(c.coneHeight) + kAngstrom;
  if (kindIndex == 5)
    d = "C60";
  // Cap code 66 gets no remark, as the cap codes are read here.
  if (c.tubeVariant == 1)
    d += " (MWNT)";
  else if (c.tubeVariant == 2)
    d += " (Tube Bundle)";
  else if (c.tubeVariant == 90 || c.tubeVariant == 55)
    d += " (Bucky-Ball Caps)";
  else if (c.tubeVariant > 90)
    d += " (Caps)";
  switch (c.structureKind) {
  case 5: d = "C60"; break;
  case 6: d = kTexts.fullereneCredit; break;
  case 7: d = c.xmolComment; break;
  case 8: d = c.virusTitle; break;
  default: break;
  }
  if (c.xyImportFlag)
    d = getFileName(c.xyFileName);
  if (c.partsFlag)
    d = kTexts.partsCredit;
  return d;
}

ReportLayout reportLayout(double paperWidth, double paperHeight, double width, double height)
{
  ReportLayout layout;
  if (width > 0 && height > 0)
    layout.s = minD((paperWidth - 40) / width, paperHeight * 0.6 / height);
  layout.x = (paperWidth - width * layout.s) / 2;
  layout.y = paperHeight - (height * layout.s + 70);
  return layout;
}

std::string reportFooter(const ReportContext& context)
{
  return kTexts.footerPrefix + context.homeAddress + kTexts.footerSuffix;
}

JunctionLines junctionLines(const ReportContext& context)
{
  return {{kTexts.junction1, kTexts.junction2, kTexts.referencePrefix + context.junctionAddress}};
}

QuilletServer quilletServer(std::vector<std::string> searchFolders)
{
  static constexpr const char* kProgId = "QuilletLib.Quillet";
  return {[folders = std::move(searchFolders)] {
            return createObject(kProgId, IID_IQuillet, folders);
          },
          [] { return lastObjectError(kProgId); }};
}

PdfReport::PdfReport(Prompts& prompts, ShellOpen& shellOpen, QuilletServer server)
    : m_prompts(prompts), m_shellOpen(shellOpen), m_server(std::move(server))
{
}

PdfReport::~PdfReport()
{
  release();
}

void PdfReport::release()
{
  if (m_pdf)
    m_pdf->Release();
  m_pdf = nullptr;
}

void PdfReport::fail(const std::string& description)
{
  // Released with its document still open, the object writes nothing.
  release();
  m_openResult = -1;
  m_prompts.message(kTexts.writeFailed + description, {}, MessageIcon::Exclamation);
}

bool PdfReport::openPDF(const std::string& fileName, int /*kindIndex*/)
{
  m_fileName = fileName;
  m_openResult = -1;
  release();
  const CreatedObject created = m_server.create();
  if (!created.object) {
    m_prompts.message(kTexts.writeFailed + created.message, {}, MessageIcon::Exclamation);
    return false;
  }
  m_pdf = static_cast<IQuillet*>(created.object);
  try {
    check(m_pdf->get_Open(fileName.c_str(), &m_openResult));
    if (m_openResult < 0) {
      // The library says why on a line of its own, such as a folder that
      // may not be written.
      std::string text = kTexts.openFailed + fileName;
      if (const std::string reason = m_server.lastError(); !reason.empty())
        text += "\r\n" + reason;
      m_prompts.message(text, {}, MessageIcon::None);
      return false;
    }
    std::string answer;
    if (m_context.xyImportFlag)
      answer = m_prompts.input(kTexts.xyPrompt, kTexts.xyCaption, kTexts.xyDefault).value_or("");
    m_title = reportTitle(m_context, answer);
    check(m_pdf->put_Title(m_title.c_str()));
  } catch (const CallFailed&) {
    fail(m_server.lastError());
    return false;
  }
  return true;
}

bool PdfReport::writePDF(int kindIndex)
{
  if (!m_pdf || m_openResult < 0)
    return false;
  bool written = false;
  try {
    written = write(kindIndex);
  } catch (const CallFailed&) {
    fail(m_server.lastError());
    return false;
  }
  m_openResult = -1;
  if (written && m_prompts.yesNo(kTexts.generated, {}, MessageIcon::Question))
    openOrTell(m_fileName, m_shellOpen, m_prompts);
  return true;
}

bool PdfReport::write(int kindIndex)
{
  const ReportContext& c = m_context;
  IQuillet& pdf = *m_pdf;
  check(pdf.NewPage());
  check(pdf.get_InitFont(kTexts.font, &m_fontIndex));
  if (m_fontIndex < 0) {
    m_prompts.message(kTexts.fontFailed + std::string(kTexts.font), {}, MessageIcon::None);
    check(pdf.Close());
    return false;
  }

  // Title; the italic angle stays for every later text of the page.
  check(pdf.put_TextColor(0));
  check(pdf.put_FontSize(25));
  check(pdf.put_FontItalicAngle(-15));
  float paperWidth = 0, paperHeight = 0, titleWidth = 0;
  check(pdf.get_PaperWidth(&paperWidth));
  check(pdf.get_StringWidth(m_title.c_str(), &titleWidth));
  check(pdf.get_PaperHeight(&paperHeight));
  const double pw = paperWidth, ph = paperHeight;
  check(pdf.TextOutXY(static_cast<float>((pw - titleWidth) / 2), static_cast<float>(ph - 50),
                      m_title.c_str()));

  const double w = c.imageWidth, h = c.imageHeight;
  const ReportLayout at = reportLayout(pw, ph, w, h);
  const auto x = static_cast<float>(at.x), y = static_cast<float>(at.y);
  const bool hasImage = at.s > 0;
  if (hasImage) {
    check(pdf.put_ImageQuality(100));
    check(pdf.put_ImageScaleX(static_cast<float>(at.s)));
    check(pdf.put_ImageScaleY(static_cast<float>(at.s)));
    check(pdf.ImageOut(x, y, c.imageFile.c_str()));
    if (c.anaglyphMode == 0 && !c.whiteBackground) {
      check(pdf.put_StrokeColor(0));
      check(pdf.SetRect(x, y, static_cast<float>(w * at.s), static_cast<float>(h * at.s)));
      check(pdf.Stroke());
    }
  }

  const std::string d = reportDescription(c, kindIndex);
  check(pdf.put_FontSize(10));
  if (c.junctionShown) {
    check(pdf.put_FontSize(6));
    const JunctionLines junction = junctionLines(c);
    for (int k = 0; k < 3; ++k)
      check(pdf.TextOutXY(x, static_cast<float>(at.y - 80 - 10 * k), junction.lines[k].c_str()));
  } else if (c.whiteBackground) {
    float textWidth = 0;
    check(pdf.get_StringWidth(d.c_str(), &textWidth));
    check(pdf.TextOutXY(static_cast<float>((pw - textWidth) / 2), static_cast<float>(at.y - 20),
                        d.c_str()));
  } else {
    check(pdf.TextOutXY(x, static_cast<float>(at.y - 20), d.c_str()));
  }

  const std::string footer = reportFooter(c);
  check(pdf.put_FontID(m_fontIndex));
  check(pdf.put_TextColor(0));
  check(pdf.put_FontSize(7));
  check(pdf.TextOutXY(x, 15, footer.c_str()));
  check(pdf.EndPage());
  check(pdf.Close());
  return true;
}

} // namespace tarvek
