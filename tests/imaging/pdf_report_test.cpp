// The PDF report's texts, layout and calls, over a recording library object.
#include "imaging/pdf_report.h"
#include "support/fake_prompts.h"
#include "support/fake_shell_open.h"
#include "support/recording_quillet.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace tarvek {
namespace {

using test::FakePrompts;
using test::FakeShellOpen;
using test::RecordingQuillet;

const std::string kFile = "/home/user/tarvek/PDF/tube.pdf";
const std::string kImage = "/tmp/tarvek-1/tmp.jpg";
const std::string kFooter = "tarvek (https://tarvek.example.org/)";
const std::string kTubeText =
    "Chirality Indices (6,0), Tube-Length 12.3 \xC3\x85 (zig-zag structure)";

ReportContext tube60()
{
  ReportContext c;
  c.structureKind = 1;
  c.tubeN = 6;
  c.tubeM = 0;
  c.tubeLength = 12.3f;
  c.imageFile = kImage;
  c.imageWidth = 555;
  c.imageHeight = 400;
  c.homeAddress = "https://tarvek.example.org/";
  c.junctionAddress = "https://junction.example.org/";
  return c;
}

// A report over the recording object, with its prompts and opener.
struct ReportRig {
  RecordingQuillet pdf;
  FakePrompts prompts;
  FakeShellOpen shellOpen;
  PdfReport report{prompts, shellOpen, pdf.server()};

  explicit ReportRig(const ReportContext& context) { report.context() = context; }

  void run(int kindIndex)
  {
    if (report.openPDF(kFile, kindIndex))
      report.writePDF(kindIndex);
  }

  // The log from the first line starting with `from`.
  std::vector<std::string> logFrom(const std::string& from) const
  {
    auto at = std::find_if(pdf.log.begin(), pdf.log.end(),
                           [&](const std::string& line) { return line.rfind(from, 0) == 0; });
    return {at, pdf.log.end()};
  }

  bool logged(const std::string& line) const
  {
    return std::find(pdf.log.begin(), pdf.log.end(), line) != pdf.log.end();
  }
};

std::string joined(const std::vector<std::string>& lines)
{
  std::string out;
  for (const std::string& line : lines)
    out += line + "\n";
  return out;
}

// The whole call order of a framed tube page, then the question and the
// opened file.
TEST(PdfReportTest, tubePageMakesTheCallsInOrderAndOpensTheFile)
{
  ReportRig rig(tube60());
  rig.pdf.stringWidth = 197.275f;
  rig.prompts.answerYesNo(true);
  rig.run(1);
  const std::vector<std::string> expected = {
      "create",
      "get_Open(\"" + kFile + "\")",
      "put_Title(\"Carbon Nanotube\")",
      "NewPage()",
      "get_InitFont(\"Arial\")",
      "put_TextColor(0)",
      "put_FontSize(25)",
      "put_FontItalicAngle(-15)",
      "get_PaperWidth()",
      "get_StringWidth(\"Carbon Nanotube\")",
      "get_PaperHeight()",
      "TextOutXY(198.8625, 792, \"Carbon Nanotube\")",
      "put_ImageQuality(100)",
      "put_ImageScaleX(1)",
      "put_ImageScaleY(1)",
      "ImageOut(20, 372, \"" + kImage + "\")",
      "put_StrokeColor(0)",
      "SetRect(20, 372, 555, 400)",
      "Stroke()",
      "put_FontSize(10)",
      "TextOutXY(20, 352, \"" + kTubeText + "\")",
      "put_FontID(0)",
      "put_TextColor(0)",
      "put_FontSize(7)",
      "TextOutXY(20, 15, \"" + kFooter + "\")",
      "EndPage()",
      "Close()",
  };
  EXPECT_EQ(joined(rig.pdf.log), joined(expected));
  ASSERT_EQ(rig.prompts.calls.size(), 1u);
  EXPECT_EQ(rig.prompts.calls[0].kind, FakePrompts::Kind::YesNo);
  EXPECT_EQ(rig.prompts.calls[0].text, "PDF generated, do you want to view it?");
  ASSERT_EQ(rig.shellOpen.calls.size(), 1u);
  EXPECT_EQ(rig.shellOpen.calls[0].kind, FakeShellOpen::Kind::File);
  EXPECT_EQ(rig.shellOpen.calls[0].target, kFile);
  // Kept until the next report, which releases it.
  EXPECT_EQ(rig.pdf.references, 1);
  rig.prompts.answerYesNo(false);
  rig.run(1);
  EXPECT_EQ(rig.pdf.references, 1);
  EXPECT_EQ(rig.shellOpen.calls.size(), 1u);
}

// Title and description of each kind of structure, with the overrides in
// their order.
TEST(PdfReportTest, titleAndDescriptionFollowTheStructure)
{
  const std::string angstrom = " \xC3\x85";
  struct Case {
    const char* name;
    void (*change)(ReportContext&);
    int kindIndex;
    std::string title;
    std::string description;
  };
  const Case cases[] = {
      {"armchair", [](ReportContext& c) { c.tubeN = c.tubeM = 5; }, 1, "Carbon Nanotube",
       "Chirality Indices (5,5), Tube-Length 12.3" + angstrom + " (armchair structure)"},
      {"zero pair", [](ReportContext& c) { c.tubeN = c.tubeM = 0; }, 1, "Carbon Nanotube",
       "Chirality Indices (0,0), Tube-Length 12.3" + angstrom +
           " (zig-zag structure) (armchair structure)"},
      {"boron nitride",
       [](ReportContext& c) {
         c.atomTypeLabel1 = "B";
         c.atomTypeLabel2 = "N";
       },
       1, "BN Nanotube", kTubeText},
      {"bundle", [](ReportContext& c) { c.tubeVariant = 2; }, 1, "Carbon Nanotube Bundle",
       kTubeText + " (Tube Bundle)"},
      {"sheet", [](ReportContext& c) { c.structureKind = 2; }, 2, "Carbon Nanotube-Sheet",
       kTubeText},
      {"cone",
       [](ReportContext& c) {
         c.structureKind = 3;
         c.coneDisclination = 60.0f;
         c.coneApexAngle = static_cast<float>(2 * std::asin(5.0 / 6.0));
         c.coneHeight = 10.0f;
       },
       3, "Carbon Nanocone",
       "Disclination Angle 60\xC2\xB0, Apex Angle 112.9\xC2\xB0, Cone-Height 10" + angstrom},
      {"C60", [](ReportContext& c) { c.structureKind = 5; }, 5, "Bucky Ball C60", "C60"},
      {"fullerene",
       [](ReportContext& c) {
         c.structureKind = 6;
         c.importedTitle = "C70";
       },
       6, "Fullerene C70", "Fullerene coordinates from the tarvek fullerene library"},
      {"xmol",
       [](ReportContext& c) {
         c.structureKind = 7;
         c.xmolComment = "benzene ring";
       },
       7, "Xmol-Import", "benzene ring"},
      {"virus",
       [](ReportContext& c) {
         c.structureKind = 8;
         c.virusTitle = "T=3 cage";
       },
       8, "Virus Geometry", "T=3 cage"},
      {"multi-wall", [](ReportContext& c) { c.tubeVariant = 1; }, 1, "Carbon Nanotube",
       kTubeText + " (MWNT)"},
      {"caps 55", [](ReportContext& c) { c.tubeVariant = 55; }, 1, "Carbon Nanotube",
       kTubeText + " (Bucky-Ball Caps)"},
      {"caps 90", [](ReportContext& c) { c.tubeVariant = 90; }, 1, "Carbon Nanotube",
       kTubeText + " (Bucky-Ball Caps)"},
      {"caps 100", [](ReportContext& c) { c.tubeVariant = 100; }, 1, "Carbon Nanotube",
       kTubeText + " (Caps)"},
      {"caps 1010", [](ReportContext& c) { c.tubeVariant = 1010; }, 1, "Carbon Nanotube",
       kTubeText + " (Caps)"},
      {"caps 66", [](ReportContext& c) { c.tubeVariant = 66; }, 1, "Carbon Nanotube", kTubeText},
      {"cone after caps",
       [](ReportContext& c) {
         c.structureKind = 3;
         c.tubeVariant = 1;
         c.coneDisclination = 120.0f;
         c.coneApexAngle = static_cast<float>(2 * std::asin(2.0 / 3.0));
         c.coneHeight = 7.5f;
       },
       3, "Carbon Nanocone",
       "Disclination Angle 120\xC2\xB0, Apex Angle 83.6\xC2\xB0, Cone-Height 7.5" + angstrom +
           " (MWNT)"},
      {"parts",
       [](ReportContext& c) {
         c.structureKind = 7;
         c.partsFlag = true;
         c.captionOverride = "Benzene";
       },
       7, "Benzene", "Structure part from the tarvek structure-part library"},
      {"junction",
       [](ReportContext& c) {
         c.junctionShown = true;
         c.junctionTitle = "(6,0)-(5,5) Junction";
       },
       1, "(6,0)-(5,5) Junction", kTubeText},
  };
  for (const Case& k : cases) {
    ReportContext c = tube60();
    k.change(c);
    EXPECT_EQ(reportTitle(c, {}), k.title) << k.name;
    EXPECT_EQ(reportDescription(c, k.kindIndex), k.description) << k.name;
  }
}

// XY data: the title is asked for, the description is the file's name.
TEST(PdfReportTest, xyDataAsksForTheTitle)
{
  for (const auto& answer : {std::optional<std::string>("Graphite flake"),
                             std::optional<std::string>()}) {
    ReportContext c = tube60();
    c.xyImportFlag = true;
    c.xyFileName = "/home/user/tarvek/Import/flake.xy";
    ReportRig rig(c);
    rig.prompts.answerInput(answer);
    rig.prompts.answerYesNo(false);
    rig.run(1);
    ASSERT_FALSE(rig.prompts.calls.empty());
    const auto& input = rig.prompts.calls[0];
    EXPECT_EQ(input.kind, FakePrompts::Kind::Input);
    EXPECT_EQ(input.text, "Please enter a title");
    EXPECT_EQ(input.title, "PDF Caption");
    EXPECT_EQ(input.defaultText, "XY-Data Import");
    EXPECT_TRUE(rig.logged("put_Title(\"" + answer.value_or("") + "\")"));
    EXPECT_TRUE(rig.logged("TextOutXY(20, 352, \"flake.xy\")")) << joined(rig.pdf.log);
  }
}

// The frame and the description's place by background and anaglyph mode;
// a tall image is scaled to 60 % of the page height and centred; a junction
// gets three small lines.
TEST(PdfReportTest, frameAndTextPlacementFollowTheOptions)
{
  {
    ReportContext c = tube60();
    c.whiteBackground = true;
    ReportRig rig(c);
    rig.pdf.stringWidth = 255.0f;
    rig.prompts.answerYesNo(false);
    rig.run(1);
    EXPECT_FALSE(rig.logged("Stroke()"));
    EXPECT_FALSE(rig.logged("put_StrokeColor(0)"));
    const auto tail = rig.logFrom("put_FontSize(10)");
    ASSERT_GE(tail.size(), 3u) << joined(rig.pdf.log);
    EXPECT_EQ(tail[1], "get_StringWidth(\"" + kTubeText + "\")");
    EXPECT_EQ(tail[2], "TextOutXY(170, 352, \"" + kTubeText + "\")");
  }
  {
    ReportContext c = tube60();
    c.anaglyphMode = 3;
    ReportRig rig(c);
    rig.prompts.answerYesNo(false);
    rig.run(1);
    EXPECT_FALSE(rig.logged("Stroke()"));
    EXPECT_TRUE(rig.logged("TextOutXY(20, 352, \"" + kTubeText + "\")"));
  }
  {
    ReportContext c = tube60();
    c.imageWidth = 400;
    c.imageHeight = 600;
    ReportRig rig(c);
    rig.prompts.answerYesNo(false);
    rig.run(1);
    EXPECT_TRUE(rig.logged("put_ImageScaleX(0.842)")) << joined(rig.pdf.log);
    EXPECT_TRUE(rig.logged("ImageOut(129.1, 266.8, \"" + kImage + "\")"));
    EXPECT_TRUE(rig.logged("SetRect(129.1, 266.8, 336.8, 505.2)"));
    EXPECT_TRUE(rig.logged("TextOutXY(129.1, 246.8, \"" + kTubeText + "\")"));
  }
  {
    ReportContext c = tube60();
    c.junctionShown = true;
    ReportRig rig(c);
    rig.prompts.answerYesNo(false);
    rig.run(1);
    const auto tail = rig.logFrom("put_FontSize(10)");
    ASSERT_GE(tail.size(), 5u) << joined(rig.pdf.log);
    EXPECT_EQ(tail[1], "put_FontSize(6)");
    EXPECT_EQ(tail[2], "TextOutXY(20, 292, \"XYZ created by the CoNTub Applet.\")");
    EXPECT_EQ(tail[3], "TextOutXY(20, 282, \"CoNTub: an algorithm for connecting two arbitrary "
                       "carbon nanotubes.\")");
    EXPECT_EQ(tail[4], "TextOutXY(20, 272, \"Reference: https://junction.example.org/\")");
  }
  {
    // Only a direct call can pass an image without pixels: no image, no
    // frame, the text where an image of height 0 would leave it.
    ReportContext c = tube60();
    c.imageWidth = 0;
    ReportRig rig(c);
    rig.prompts.answerYesNo(false);
    rig.run(1);
    EXPECT_TRUE(rig.logFrom("ImageOut").empty());
    EXPECT_FALSE(rig.logged("Stroke()"));
    EXPECT_TRUE(rig.logged("TextOutXY(297.5, 752, \"" + kTubeText + "\")")) << joined(rig.pdf.log);
  }
}

TEST(PdfReportTest, layoutKeepsTheImageWithinTheMargins)
{
  const struct {
    double w, h, s, x, y;
  } cases[] = {
      {555, 400, 1.0, 20, 372},
      {400, 600, 0.842, 129.1, 266.8},
      {1110, 800, 0.5, 20, 372},
      {100, 100, 5.052, 44.9, 266.8},
  };
  for (const auto& k : cases) {
    const ReportLayout at = reportLayout(595, 842, k.w, k.h);
    EXPECT_NEAR(at.s, k.s, 1e-9) << k.w << " x " << k.h;
    EXPECT_NEAR(at.x, k.x, 1e-9) << k.w << " x " << k.h;
    EXPECT_NEAR(at.y, k.y, 1e-9) << k.w << " x " << k.h;
    EXPECT_LE(k.w * at.s, 555 + 1e-9);
    EXPECT_LE(k.h * at.s, 842 * 0.6 + 1e-9);
  }
}

// Each failure ends the report with its message, asks nothing and leaves
// no half-written document behind.
TEST(PdfReportTest, failuresEndTheReportWithAMessage)
{
  {
    ReportRig rig(tube60());
    rig.pdf.openResult = -1;
    rig.run(1);
    EXPECT_EQ(joined(rig.pdf.log), "create\nget_Open(\"" + kFile + "\")\n");
    ASSERT_EQ(rig.prompts.calls.size(), 1u);
    EXPECT_EQ(rig.prompts.calls[0].kind, FakePrompts::Kind::Message);
    EXPECT_EQ(rig.prompts.calls[0].text, "Could not open PDF file : " + kFile);
    // Nothing more when the caller writes all the same.
    rig.report.writePDF(1);
    EXPECT_EQ(rig.pdf.log.size(), 2u);
  }
  {
    // The library's reason follows on a line of its own.
    ReportRig rig(tube60());
    rig.pdf.openResult = -1;
    rig.pdf.errorDescription = "Could not open " + kFile + ": Read-only file system";
    rig.run(1);
    ASSERT_EQ(rig.prompts.calls.size(), 1u);
    EXPECT_EQ(rig.prompts.calls[0].text, "Could not open PDF file : " + kFile + "\r\nCould not open " +
                                             kFile + ": Read-only file system");
  }
  {
    ReportRig rig(tube60());
    rig.pdf.fontResult = -1;
    rig.run(1);
    EXPECT_EQ(joined(rig.logFrom("get_InitFont")), "get_InitFont(\"Arial\")\nClose()\n");
    ASSERT_EQ(rig.prompts.calls.size(), 1u);
    EXPECT_EQ(rig.prompts.calls[0].text, "Could not init font : Arial");
  }
  for (const char* failing : {"Close", "ImageOut", "put_Title"}) {
    ReportRig rig(tube60());
    rig.pdf.failOn = failing;
    rig.pdf.errorDescription = "The disk is full.";
    rig.run(1);
    EXPECT_EQ(rig.pdf.log.back().rfind(failing, 0), 0u) << joined(rig.pdf.log);
    ASSERT_EQ(rig.prompts.calls.size(), 1u) << failing;
    EXPECT_EQ(rig.prompts.calls[0].kind, FakePrompts::Kind::Message);
    EXPECT_EQ(rig.prompts.calls[0].text, "The PDF file could not be written: The disk is full.");
    EXPECT_EQ(rig.pdf.references, 0) << failing;
    EXPECT_TRUE(rig.shellOpen.calls.empty());
  }
  {
    FakePrompts prompts;
    FakeShellOpen shellOpen;
    PdfReport report(prompts, shellOpen,
                     {[] { return CreatedObject{nullptr, "Cannot create \"QuilletLib.Quillet\""}; },
                      [] { return std::string(); }});
    EXPECT_FALSE(report.openPDF(kFile, 1));
    report.writePDF(1);
    ASSERT_EQ(prompts.calls.size(), 1u);
    EXPECT_EQ(prompts.calls[0].text,
              "The PDF file could not be written: Cannot create \"QuilletLib.Quillet\"");
  }
}

} // namespace
} // namespace tarvek
