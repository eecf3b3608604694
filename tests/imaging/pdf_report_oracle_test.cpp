// The PDF report written through the real library, read back by qpdf and
// poppler's tools. The files stay in out/ for a reviewer.
#include "imaging/pdf_report.h"
#include "pdfwriter/fixture_font_locator.h"
#include "pdfwriter/image_fixtures.h"
#include "pdfwriter/oracle_tools.h"
#include "pdfwriter/pdf_test_support.h"
#include "support/fake_prompts.h"
#include "support/fake_shell_open.h"
#include "support/require_tool.h"
#include "support/run_tool.h"
#include "support/scratch_dir.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <sstream>

namespace tarvek {
namespace {

namespace fs = std::filesystem;
using quillet::test::collapseBlanks;
using quillet::test::outDir;
using quillet::test::PdfBytes;
using test::readBytes;
using test::requireTool;
using test::runTool;
using test::ScratchDir;

const std::string kDescription =
    "Chirality Indices (6,0), Tube-Length 12.3 \xC3\x85 (zig-zag structure)";
const std::string kFooter = "tarvek (https://tarvek.example.org/)";

bool haveOracles()
{
  return requireTool("qpdf", "qpdf") && requireTool("pdfinfo", "poppler-utils") &&
         requireTool("pdffonts", "poppler-utils") && requireTool("pdfimages", "poppler-utils") &&
         requireTool("pdftotext", "poppler-utils") &&
         quillet::test::requireFontFile(quillet::test::kLiberationSans, "fonts-liberation2");
}

// A quality-100 JPEG of a colour ramp, as the view's capture would be.
std::string viewImage(const ScratchDir& dir, int width, int height)
{
  quillet::test::Bytes pixels;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      pixels.insert(pixels.end(), {static_cast<std::uint8_t>(x * 255 / width),
                                   static_cast<std::uint8_t>(y * 255 / height), 160});
  const fs::path path = dir.file("tmp.jpg");
  quillet::test::writeJpegFile(path, width, height, 3, 2, pixels, 100);
  return path.string();
}

ReportContext tube60(const std::string& image)
{
  ReportContext c;
  c.structureKind = 1;
  c.tubeN = 6;
  c.tubeLength = 12.3f;
  c.imageFile = image;
  c.imageWidth = 555;
  c.imageHeight = 400;
  c.homeAddress = "https://tarvek.example.org/";
  c.junctionAddress = "https://junction.example.org/";
  return c;
}

// Writes the report to out/name through an object made by ProgID from the
// build's library; no message but the closing question, answered No.
fs::path writeReport(const std::string& name, const ReportContext& context, int kindIndex)
{
  test::FakePrompts prompts;
  test::FakeShellOpen shellOpen;
  PdfReport report(prompts, shellOpen, quilletServer({QUILLET_LIBRARY_DIR}));
  report.context() = context;
  const fs::path pdf = outDir() / name;
  prompts.answerYesNo(false);
  EXPECT_TRUE(report.openPDF(pdf.string(), kindIndex));
  report.writePDF(kindIndex);
  EXPECT_EQ(prompts.messages().size(), 0u) << prompts.messages().at(0).text;
  return pdf;
}

std::string output(const std::string& program, const std::vector<std::string>& args)
{
  const auto result = runTool(program, args);
  EXPECT_EQ(result.exitCode, 0) << program << ": " << result.err;
  return collapseBlanks(result.out);
}

bool hasLine(const std::string& text, const std::string& line)
{
  return ("\n" + text).find("\n" + line + "\n") != std::string::npos;
}

TEST(PdfReportOracleTest, tubeReportReadsRightInEveryTool)
{
  if (!haveOracles())
    return;
  ScratchDir dir;
  const fs::path pdf = writeReport("report-tube.pdf", tube60(viewImage(dir, 555, 400)), 1);
  EXPECT_EQ(runTool("qpdf", {"--check", pdf.string()}).exitCode, 0);
  const std::string info = output("pdfinfo", {pdf.string()});
  for (const char* line : {"Title: Carbon Nanotube", "Pages: 1", "Page size: 595 x 842 pts (A4)",
                           "PDF version: 1.3"})
    EXPECT_TRUE(hasLine(info, line)) << line << " not in\n" << info;

  const std::string fonts = output("pdffonts", {pdf.string()});
  std::vector<std::string> rows;
  std::istringstream lines(fonts);
  for (std::string line; std::getline(lines, line);)
    rows.push_back(line);
  ASSERT_EQ(rows.size(), 4u) << fonts;
  EXPECT_EQ(rows[2], "Arial TrueType WinAnsi no no no 7 0");
  EXPECT_EQ(rows[3], "Arial,Italic TrueType WinAnsi no no no 8 0");

  const std::string images = output("pdfimages", {"-list", pdf.string()});
  EXPECT_EQ(images.find(" image "), images.rfind(" image ")) << images;
  EXPECT_NE(images.find(" image 555 400 rgb 3 8 jpeg no 9 0 "), std::string::npos) << images;

  const std::string text = output("pdftotext", {pdf.string(), "-"});
  for (const std::string& expected : {std::string("Carbon Nanotube"), kDescription, kFooter})
    EXPECT_NE(text.find(expected), std::string::npos) << expected << " not in\n" << text;

  // The same page contents as the library's own replay of the report.
  const PdfBytes bytes(readBytes(pdf));
  EXPECT_EQ(bytes.contentsOf(4), (std::vector<int>{5, 11}));
  EXPECT_EQ(bytes.streamData(5),
            "BT\n0 0 0 rg\n/F1 25 Tf\n1 0 0 1 198.8625 792 Tm 25 TL\n(Carbon Nanotube)Tj\nET\n");
  EXPECT_EQ(bytes.streamData(11),
            "q\n555 0 0 400 20 372 cm\n/I0 Do\nQ\n20 372 555 400 re\n0 0 0 RG\n1 w\nS\nBT\n"
            "/F1 10 Tf\n1 0 0 1 20 352 Tm 10 TL\n(Chirality Indices \\(6,0\\), Tube-Length 12.3 "
            "\xC5 \\(zig-zag structure\\))Tj\n/F1 7 Tf\n1 0 0 1 20 15 Tm 7 TL\n(tarvek \\(https://tarvek.example.org/\\))Tj\nET\n");
}

// A white-background cone: the tall image scaled and centred, no frame, the
// description centred.
TEST(PdfReportOracleTest, whiteBackgroundConeIsCentredAndUnframed)
{
  if (!haveOracles())
    return;
  ScratchDir dir;
  ReportContext c = tube60(viewImage(dir, 400, 600));
  c.structureKind = 3;
  c.coneDisclination = 60.0f;
  c.coneApexAngle = static_cast<float>(2 * std::asin(5.0 / 6.0));
  c.coneHeight = 10.0f;
  c.imageWidth = 400;
  c.imageHeight = 600;
  c.whiteBackground = true;
  const fs::path pdf = writeReport("report-cone.pdf", c, 3);
  EXPECT_EQ(runTool("qpdf", {"--check", pdf.string()}).exitCode, 0);
  const PdfBytes bytes(readBytes(pdf));
  const std::vector<int> streams = bytes.contentsOf(bytes.pageObjects().at(0));
  ASSERT_EQ(streams.size(), 2u);
  const std::string second = bytes.streamData(streams[1]);
  EXPECT_EQ(second.rfind("q\n336.8 0 0 505.2 129.1 266.8 cm\n/I0 Do\nQ\n", 0), 0u) << second;
  EXPECT_EQ(second.find(" re"), std::string::npos) << second;

  const std::string boxes = runTool("pdftotext", {"-bbox", pdf.string(), "-"}).out;
  const std::size_t word = boxes.rfind("<word", boxes.find(">Disclination</word>"));
  ASSERT_NE(word, std::string::npos) << boxes;
  const std::size_t at = boxes.find("xMin=\"", word) + 6;
  double xMin = NAN;
  std::from_chars(boxes.data() + at, boxes.data() + boxes.size(), xMin);
  EXPECT_NEAR(xMin, 162.14, 0.01) << boxes;
}

TEST(PdfReportOracleTest, junctionPageShowsItsThreeLines)
{
  if (!haveOracles())
    return;
  ScratchDir dir;
  ReportContext c = tube60(viewImage(dir, 555, 400));
  c.junctionShown = true;
  c.junctionTitle = "Tube Junction (6,0)-(5,5)";
  const fs::path pdf = writeReport("report-junction.pdf", c, 1);
  EXPECT_EQ(runTool("qpdf", {"--check", pdf.string()}).exitCode, 0);
  const std::string text = output("pdftotext", {pdf.string(), "-"});
  for (const char* line :
       {"Tube Junction (6,0)-(5,5)", "XYZ created by the CoNTub Applet.",
        "CoNTub: an algorithm for connecting two arbitrary carbon nanotubes.",
        "Reference: https://junction.example.org/"})
    EXPECT_NE(text.find(line), std::string::npos) << line << " not in\n" << text;
}

// A file that cannot be written is reported, and nothing is announced.
TEST(PdfReportOracleTest, unwritableFolderIsReported)
{
  ScratchDir dir;
  test::FakePrompts prompts;
  test::FakeShellOpen shellOpen;
  PdfReport report(prompts, shellOpen, quilletServer({QUILLET_LIBRARY_DIR}));
  report.context() = tube60(viewImage(dir, 555, 400));
  const std::string pdf = dir.file("missing/report.pdf").string();
  if (report.openPDF(pdf, 1))
    report.writePDF(1);
  ASSERT_EQ(prompts.calls.size(), 1u);
  EXPECT_EQ(prompts.calls[0].kind, test::FakePrompts::Kind::Message);
  EXPECT_FALSE(fs::exists(pdf));
}

} // namespace
} // namespace tarvek
