// Outside readers on documents with annotations, outlines, page extras,
// spot colours and patterns.

#include "pdfwriter/oracle_tools.h"
#include "pdfwriter/pdf_annotations.h"
#include "pdfwriter/pdf_colour.h"
#include "pdfwriter/pdf_outlines.h"
#include "pdfwriter/pdf_page.h"
#include "pdfwriter/pdf_security.h"
#include "support/require_tool.h"
#include "support/scratch_dir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

namespace quillet {
namespace {

namespace fs = std::filesystem;
using tarvek::test::readBytes;
using tarvek::test::requirePythonModule;
using tarvek::test::requireTool;
using test::collapseBlanks;
using test::outDir;
using test::run;

constexpr std::int32_t kAllowCopy = 16;
const char* const kAttachedBytes = "attached bytes\nsecond line\n";

fs::path attachedFile()
{
  const fs::path path = outDir() / "data.txt";
  std::ofstream(path, std::ios::binary) << kAttachedBytes;
  return path;
}

// Two pages with every annotation type, boxes, a Wipe of 5 s, a three-level
// outline with a closed branch and the catalog and Info extras.
fs::path writeExtras(const std::string& name, bool encrypt)
{
  const fs::path data = attachedFile();
  return test::writeOutFile(name, [&](PdfDocument* doc) {
    // Copying allowed, so that text extractors read the outline.
    if (encrypt) {
      ASSERT_TRUE(setupEncryption(doc, kAllowCopy, 16, "owner", "user"));
    }
    setInfoEntry(doc, "Company", "Example Company");
    setInfoEntry(doc, "Trapped", "True");
    setPageMode(doc, kUseOutlines);
    setOpenAction(doc, 1);
    setUriBase(doc, "http://example.org/");
    setTransition(doc, 4);
    setDisplayDuration(doc, 5);

    beginPage(doc, 595, 842);
    setPageBox(doc, kCropBox, {10, 10, 585, 832});
    setPageBox(doc, kTrimBox, {20, 20, 575, 822});
    EXPECT_TRUE(addTextNote(doc, {50, 700, 70, 720}, "A note", "Ann", kIconNote, true));
    EXPECT_TRUE(addPageLink(doc, {50, 650, 150, 670}, 1, kDestFit));
    EXPECT_TRUE(addUriLink(doc, {50, 600, 150, 620}, "http://example.org/page",
                           BorderStyle{1, 2, {1, 0, 0}, {3, 3}}));
    EXPECT_TRUE(addRemoteLink(doc, {50, 550, 150, 570}, "other.pdf", 3, kDestFit));
    EXPECT_TRUE(addLaunchLink(doc, {50, 500, 150, 520}, "run.sh"));
    EXPECT_TRUE(addFileAttachment(doc, {50, 450, 70, 470}, data.string(), "Data", "The data"));
    writePageObject(doc);
    beginPage(doc, 595, 842);
    EXPECT_TRUE(addPageLink(doc, {50, 650, 150, 670}, 1, kDestXYZ));
    writePageObject(doc);

    const int one = addOutlineItem(doc, 0, "Chapter one", 1, kDestFit, true);
    const int section = addOutlineItem(doc, one, "Section one", 1, kDestXYZ, true);
    addOutlineItem(doc, section, "Detail", 2, kDestFitH, true);
    addOutlineItem(doc, one, "Section two", 2, kDestFit, true);
    const int two = addOutlineItem(doc, 0, "Chapter two", 2, kDestFit, false);
    addOutlineItem(doc, two, "Hidden section", 2, kDestFit, true);
  });
}

struct ExtrasFile {
  fs::path path;
  std::vector<std::string> password;
};

std::vector<ExtrasFile> extrasFiles()
{
  return {{writeExtras("extras.pdf", false), {}},
          {writeExtras("extras-encrypted.pdf", true), {"user"}}};
}

void expectLines(const std::string& text, const std::vector<std::string>& lines,
                 const std::string& context)
{
  for (const std::string& line : lines)
    EXPECT_NE(("\n" + text).find("\n" + line + "\n"), std::string::npos)
        << context << ": no line \"" << line << "\" in\n"
        << text;
}

TEST(ExtrasOracleTest, qpdfAndPopplerReadTheExtras)
{
  if (!requireTool("qpdf", "qpdf") || !requireTool("pdfinfo", "poppler-utils"))
    return;
  for (const ExtrasFile& f : extrasFiles()) {
    const std::string file = f.path.string();
    std::vector<std::string> pw;
    std::vector<std::string> upw;
    if (!f.password.empty()) {
      pw = {"--password=" + f.password[0]};
      upw = {"-upw", f.password[0]};
    }
    auto with = [](std::vector<std::string> head, const std::vector<std::string>& tail) {
      head.insert(head.end(), tail.begin(), tail.end());
      return head;
    };
    test::ToolRun check = run("qpdf", with(with({"--check"}, pw), {file}));
    EXPECT_EQ(check.status, 0) << file << "\n" << check.output;

    expectLines(collapseBlanks(run("pdfinfo", with(with({"-box"}, upw), {file})).output),
                {"MediaBox: 0.00 0.00 595.00 842.00", "CropBox: 10.00 10.00 585.00 832.00",
                 "TrimBox: 20.00 20.00 575.00 822.00"},
                file);
    expectLines(collapseBlanks(run("pdfinfo", with(with({"-url"}, upw), {file})).output),
                {"1 Annotation http://example.org/page"}, file);
    expectLines(collapseBlanks(run("pdfinfo", with(with({"-custom"}, upw), {file})).output),
                {"Company: Example Company"}, file);

    expectLines(run("pdfdetach", with(with({"-list"}, upw), {file})).output,
                {"1 embedded files", "1: data.txt"}, file);
    tarvek::test::ScratchDir dir;
    const fs::path saved = dir.file("saved.txt");
    run("pdfdetach", with(with({"-save", "1", "-o", saved.string()}, upw), {file}));
    EXPECT_EQ(readBytes(saved), kAttachedBytes) << file;

    const std::string xml =
        run("pdftohtml", with(with({"-xml", "-stdout", "-i", "-q"}, upw), {file})).output;
    const std::string tree =
        "<outline>\n<item page=\"1\">Chapter one</item>\n<outline>\n"
        "<item page=\"1\">Section one</item>\n<outline>\n<item page=\"2\">Detail</item>\n"
        "</outline>\n<item page=\"2\">Section two</item>\n</outline>\n"
        "<item page=\"2\">Chapter two</item>\n<outline>\n"
        "<item page=\"2\">Hidden section</item>\n</outline>\n</outline>";
    EXPECT_NE(xml.find(tree), std::string::npos) << file << "\n" << xml;
  }
}

TEST(ExtrasOracleTest, pypdfReadsOutlineAnnotationsAndCatalog)
{
  if (!requirePythonModule("pypdf", "python3-pypdf"))
    return;
  const std::string expected =
      "catalog PageMode /UseOutlines\n"
      "catalog OpenAction page 0 /Fit\n"
      "catalog URI Base http://example.org/\n"
      "info Company Example Company\n"
      "info Title Writer check: NAME\n"
      "info Trapped /True\n"
      "outline Chapter one page=0 count=3 type=/Fit\n"
      "  outline Section one page=0 count=1 type=/XYZ\n"
      "    outline Detail page=1 count=None type=/FitH\n"
      "  outline Section two page=1 count=None type=/Fit\n"
      "outline Chapter two page=1 count=-1 type=/Fit\n"
      "  outline Hidden section page=1 count=None type=/Fit\n"
      "page 0\n"
      "  cropbox 10 10 585 832\n"
      "  trimbox 20 20 575 822\n"
      "  transition /Wipe\n"
      "  duration 5\n"
      "  annotation /Text rect=50 700 70 720 contents=A note title=Ann\n"
      "  annotation /Link rect=50 650 150 670 dest=page 0 /Fit\n"
      "  annotation /Link rect=50 600 150 620 action=/URI uri=http://example.org/page\n"
      "  annotation /Link rect=50 550 150 570 action=/GoToR dest=remote page 2 /Fit "
      "file=other.pdf\n"
      "  annotation /Link rect=50 500 150 520 action=/Launch file=run.sh\n"
      "  annotation /FileAttachment rect=50 450 70 470 file=data.txt bytes=27 "
      "contents=The data title=Data\n"
      "page 1\n"
      "  transition /Wipe\n"
      "  duration 5\n"
      "  annotation /Link rect=50 650 150 670 dest=page 0 /XYZ null null 0\n";
  const fs::path script = fs::path(TARVEK_TEST_SOURCE_DIR) / "pdfwriter/check_pdf_extras.py";
  for (const ExtrasFile& f : extrasFiles()) {
    std::vector<std::string> args = {script.string(), f.path.string()};
    args.insert(args.end(), f.password.begin(), f.password.end());
    const auto result = tarvek::test::runTool("/usr/bin/python3", args);
    EXPECT_EQ(result.exitCode, 0) << result.err;
    std::string want = expected;
    want.replace(want.find("NAME"), 4, f.path.filename().string());
    EXPECT_EQ(result.out, want) << f.path;
  }
}

// Rendered colours: spot tints, CMYK, both pattern kinds and a dash.
TEST(ExtrasOracleTest, coloursRenderAsPainted)
{
  if (!requireTool("qpdf", "qpdf") || !requireTool("pdftoppm", "poppler-utils"))
    return;
  const fs::path file = test::writeOutFile("colours.pdf", [](PdfDocument* doc) {
    beginPage(doc, 595, 842);
    setRGBColor(doc, "fill", 1, 0, 0);
    ASSERT_EQ(addColorSpace(doc, kSeparation, "Brand_Red"), 0);
    const float tints[] = {1, 0.5f, 0};
    for (int i = 0; i < 3; ++i) {
      setSpotColor(doc, "fill", 0, tints[i]);
      pathRectangle(doc, 10 + 60.0f * i, 700, 50, 50);
      fillPath(doc);
    }
    setCMYK(doc, "fill", 0, 0, 0, 1);
    pathRectangle(doc, 190, 700, 50, 50);
    fillPath(doc);
    setCMYK(doc, "fill", 1, 0, 0, 0);
    pathRectangle(doc, 250, 700, 50, 50);
    fillPath(doc);

    ASSERT_EQ(definePattern(doc, 1, 10, 10, "0 0.5 0 rg 0 0 5 5 re f 0 g 5 5 5 5 re f\n"), 0);
    ASSERT_EQ(definePattern(doc, 2, 10, 10, "0 0 5 5 re f\n"), 1);
    setPatternColor(doc, "fill", 0);
    pathRectangle(doc, 10, 500, 100, 100);
    fillPath(doc);
    setRGBColor(doc, "fill", 0, 0, 1);
    setPatternColor(doc, "fill", 1);
    pathRectangle(doc, 150, 500, 100, 100);
    fillPath(doc);

    setLineWidth(doc, 4);
    setDash(doc, 3, 2);
    pathMoveTo(doc, 10, 400);
    pathLineTo(doc, 200, 400);
    strokePath(doc);
    writePageObject(doc);
  });
  test::ToolRun check = run("qpdf", {"--check", file.string()});
  EXPECT_EQ(check.status, 0) << check.output;
  tarvek::test::ScratchDir dir;
  const fs::path prefix = dir.file("colours");
  ASSERT_EQ(run("pdftoppm", {"-r", "72", file.string(), prefix.string()}).status, 0);
  const test::Ppm ppm = test::readPpm(prefix.string() + "-1.ppm");
  ASSERT_EQ(ppm.width, 595);
  auto near = [](std::array<int, 3> got, std::array<int, 3> want, int tolerance) {
    for (int i = 0; i < 3; ++i)
      if (std::abs(got[i] - want[i]) > tolerance)
        return false;
    return true;
  };
  auto show = [](std::array<int, 3> p) {
    return std::to_string(p[0]) + " " + std::to_string(p[1]) + " " + std::to_string(p[2]);
  };
  const struct {
    const char* what;
    int x, y;
    std::array<int, 3> rgb;
    int tolerance;
  } points[] = {
    {"spot tint 1", 35, 725, {255, 0, 0}, 2},
    {"spot tint 0.5", 95, 725, {255, 128, 128}, 2},
    {"spot tint 0", 155, 725, {255, 255, 255}, 5},
    {"coloured pattern, green cell part", 22, 502, {0, 128, 0}, 3},
    {"coloured pattern, black cell part", 27, 507, {0, 0, 0}, 3},
    {"coloured pattern, unpainted", 27, 502, {255, 255, 255}, 3},
    {"uncoloured pattern, painted", 162, 502, {0, 0, 255}, 3},
    {"uncoloured pattern, unpainted", 167, 507, {255, 255, 255}, 3},
    {"dash on", 11, 400, {0, 0, 0}, 3},
    {"dash gap", 13, 400, {255, 255, 255}, 3},
    {"dash gap end", 14, 400, {255, 255, 255}, 3},
    {"dash on again", 16, 400, {0, 0, 0}, 3},
  };
  for (const auto& p : points)
    EXPECT_TRUE(near(ppm.rgbAt(p.x, p.y), p.rgb, p.tolerance))
        << p.what << ": " << show(ppm.rgbAt(p.x, p.y));
  const std::array<int, 3> black = ppm.rgbAt(215, 725);
  EXPECT_TRUE(black[0] < 48 && black[1] < 48 && black[2] < 48) << "0 0 0 1 k: " << show(black);
  const std::array<int, 3> cyan = ppm.rgbAt(275, 725);
  EXPECT_TRUE(cyan[0] < 16 && cyan[1] > 150 && cyan[2] > 200) << "1 0 0 0 k: " << show(cyan);
}

} // namespace
} // namespace quillet
