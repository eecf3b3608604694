#include "pdfwriter/pdf_output.h"
#include "pdfwriter/pdf_page.h"
#include "pdfwriter/pdf_test_support.h"

#include <gtest/gtest.h>

#include <functional>

namespace quillet {
namespace {

using test::countOf;
using test::PdfBytes;
using test::writeDocument;

// The content of a single page drawn by `draw`, uncompressed.
std::string contentOf(const std::function<void(PdfDocument*)>& draw)
{
  PdfBytes pdf(writeDocument([&](PdfDocument* doc) {
    beginPage(doc, 595, 842);
    draw(doc);
    writePageObject(doc);
  }, 0));
  return pdf.pageContents();
}

// The document's pending flags start set, so the first stroke and fill write
// black and width 1 even when nothing was chosen.
constexpr const char* kFirstStroke = "0 0 0 RG\n1 w\n";

TEST(BeginPageTest, sizeLimitsPerVersion)
{
  const struct {
    int version;
    float width, height;
    bool accepted;
  } cases[] = {
    {13, 595, 842, true},   {13, 3, 3, true},       {13, 14400, 14400, true}, {13, 2, 842, false},
    {13, 14401, 842, false}, {13, 0, 842, false},   {13, -5, 842, false},     {13, 595, 14401, false},
    {14, 2.5f, 842, false}, {12, 71, 842, false},   {12, 72, 842, true},      {12, 3240, 842, true},
    {12, 3241, 842, false}, {13, 595.5f, 842.25f, true},
  };
  for (const auto& c : cases) {
    std::string bytes = writeDocument([&](PdfDocument* doc) {
      beginPage(doc, c.width, c.height);
      pathMoveTo(doc, 1, 1);
      writePageObject(doc);
    }, 6, c.version);
    if (c.accepted) {
      std::string box = "/MediaBox [0 0 " + formatReal(c.width) + " " + formatReal(c.height) + "]\n";
      EXPECT_NE(bytes.find(box), std::string::npos) << "version " << c.version << " " << c.width << " x " << c.height;
    } else {
      EXPECT_EQ(bytes, "") << "version " << c.version << " " << c.width << " x " << c.height
                           << ": a refused page must begin nothing, so no file is written";
    }
  }
}

TEST(PageObjectTest, pageAndResourcesText)
{
  PdfBytes pdf(writeDocument([](PdfDocument* doc) {
    beginPage(doc, 595, 842);
    writePageObject(doc);
  }, 0));
  EXPECT_EQ(pdf.object(4), "4 0 obj\n<<\n/Type /Page\n/Parent 1 0 R\n/Resources 7 0 R\n"
                           "/MediaBox [0 0 595 842]\n/Contents [5 0 R ]\n>>\nendobj\n");
  EXPECT_EQ(pdf.object(7), "7 0 obj\n<<\n/ProcSet [/PDF]\n>>\nendobj\n");
}

TEST(ColourTest, strokeColourIsWrittenOnceJustBeforeTheStroke)
{
  std::string content = contentOf([](PdfDocument* doc) {
    pathMoveTo(doc, 0, 0);
    pathLineTo(doc, 10, 10);
    strokePath(doc);
    setStrokeRGB(doc, 1, 0, 0);
    setStrokeRGB(doc, 1, 0, 0);
    pathMoveTo(doc, 0, 0);
    pathLineTo(doc, 10, 10);
    strokePath(doc);
    pathMoveTo(doc, 5, 5);
    strokePath(doc);
  });
  EXPECT_EQ(content, std::string("0 0 m\n10 10 l\n") + kFirstStroke + "S\n"
                       + "0 0 m\n10 10 l\n1 0 0 RG\nS\n5 5 m\nS\n");
}

TEST(ColourTest, fillStrokeWritesPendingStrokeWidthFillThenOperator)
{
  std::string content = contentOf([](PdfDocument* doc) {
    setStrokeRGB(doc, 0, 0, 1);
    setLineWidth(doc, 2.5f);
    setFillRGB(doc, 1.5f, -1, 0.5f);
    pathRectangle(doc, 10, 20, 30, 40);
    fillStrokePath(doc);
    setFillRGB(doc, 1.5f, -1, 0.5f);
    pathRectangle(doc, 1, 2, 3, 4);
    fillPath(doc);
  });
  EXPECT_EQ(content, "10 20 30 40 re\n0 0 1 RG\n2.5 w\n1 0 0.5 rg\nB*\n1 2 3 4 re\nf*\n");
}

TEST(ColourTest, clampedFillBeforeEvenOddFill)
{
  std::string content = contentOf([](PdfDocument* doc) {
    setFillRGB(doc, 1.5f, -1, 0.5f);
    pathRectangle(doc, 0, 0, 1, 1);
    fillPath(doc);
  });
  EXPECT_EQ(content, "0 0 1 1 re\n1 0 0.5 rg\nf*\n");
}

TEST(ColourTest, grayIsWrittenAtOnceAndSelectorsAreExact)
{
  const struct {
    const char* which;
    float v;
    const char* content;
  } cases[] = {
    {"both", 0.5f, "0.5 g\n0.5 G\n"}, {"fill", 0.25f, "0.25 g\n"}, {"stroke", 1, "1 G\n"},
    {"Fill", 0.5f, ""},               {"both", 0, ""},            {"both", 1.5f, ""},
    {"fill", -0.1f, ""},
  };
  for (const auto& c : cases)
    EXPECT_EQ(contentOf([&](PdfDocument* doc) { setGray(doc, c.which, c.v); }), c.content)
      << "setGray(" << c.which << ", " << c.v << ")";
}

// A gray written at once ends a pending "rg", which would paint the older
// colour over it.
TEST(ColourTest, grayClearsAPendingRgb)
{
  std::string content = contentOf([](PdfDocument* doc) {
    setFillRGB(doc, 1, 0, 0);
    setGray(doc, "fill", 0.5f);
    pathRectangle(doc, 0, 0, 1, 1);
    fillPath(doc);
  });
  EXPECT_EQ(content, "0.5 g\n0 0 1 1 re\nf*\n");
}

TEST(LineStateTest, immediateAndLazyValues)
{
  std::string content = contentOf([](PdfDocument* doc) {
    setLineCap(doc, 0);
    setLineCap(doc, 1);
    setLineCap(doc, 3);
    setLineJoin(doc, 2);
    setLineJoin(doc, 2);
    setLineJoin(doc, -1);
    setMiterLimit(doc, 0.5f);
    setMiterLimit(doc, 4);
    setLineWidth(doc, 0);
    setLineWidth(doc, -2);
    pathMoveTo(doc, 0, 0);
    strokePath(doc);
    setLineWidth(doc, 3);
    pathMoveTo(doc, 0, 0);
    strokePath(doc);
  });
  EXPECT_EQ(content, std::string("1 J\n2 j\n4 M\n0 0 m\n") + kFirstStroke + "S\n0 0 m\n3 w\nS\n");
}

TEST(PathTest, curvesUseShortFormWhenSecondControlIsTheEnd)
{
  std::string content = contentOf([](PdfDocument* doc) {
    pathMoveTo(doc, 0, 0);
    pathCurveTo(doc, 1, 2, 5, 6, 5, 6);
    pathCurveTo(doc, 1, 2, 3, 4, 5, 6);
    pathLineTo(doc, 0.125f, -7);
  });
  EXPECT_EQ(content, "0 0 m\n1 2 5 6 y\n1 2 3 4 5 6 c\n0.125 -7 l\n");
}

TEST(SaveRestoreTest, depthStopsAtNineAndExtraRestoresDoNothing)
{
  std::string content = contentOf([](PdfDocument* doc) {
    for (int i = 0; i < 10; ++i)
      saveGraphicsState(doc);
    EXPECT_EQ(doc->depth, 9);
    for (int i = 0; i < 12; ++i)
      restoreGraphicsState(doc);
    EXPECT_EQ(doc->depth, 0);
  });
  EXPECT_EQ(countOf(content, "q\n"), 9);
  EXPECT_EQ(countOf(content, "Q\n"), 9);
}

// After Q the reader's colour and width are the outer level's again; the
// writer must know that and write them again when the outer level paints.
TEST(SaveRestoreTest, pendingValuesAreKeptPerLevel)
{
  std::string content = contentOf([](PdfDocument* doc) {
    setStrokeRGB(doc, 1, 0, 0);
    saveGraphicsState(doc);
    pathMoveTo(doc, 0, 0);
    pathLineTo(doc, 1, 1);
    strokePath(doc);
    restoreGraphicsState(doc);
    pathMoveTo(doc, 2, 2);
    pathLineTo(doc, 3, 3);
    strokePath(doc);
  });
  EXPECT_EQ(content, "q\n0 0 m\n1 1 l\n1 0 0 RG\n1 w\nS\nQ\n2 2 m\n3 3 l\n1 0 0 RG\n1 w\nS\n");

  // A colour and width changed inside q...Q are undone by Q, so the outer
  // stroke writes its own again.
  content = contentOf([](PdfDocument* doc) {
    setStrokeRGB(doc, 1, 0, 0);
    pathMoveTo(doc, 0, 0);
    strokePath(doc);
    saveGraphicsState(doc);
    setStrokeRGB(doc, 0, 0, 1);
    setLineWidth(doc, 4);
    pathMoveTo(doc, 0, 0);
    strokePath(doc);
    restoreGraphicsState(doc);
    pathMoveTo(doc, 0, 0);
    strokePath(doc);
  });
  EXPECT_EQ(content, "0 0 m\n1 0 0 RG\n1 w\nS\nq\n0 0 m\n0 0 1 RG\n4 w\nS\nQ\n0 0 m\nS\n");
}

// Each page starts from black: a colour left pending from an earlier page
// is written with the reset components.
TEST(PageResetTest, coloursStartBlackOnEveryPage)
{
  PdfBytes pdf(writeDocument([](PdfDocument* doc) {
    beginPage(doc, 595, 842);
    setFillRGB(doc, 0.2f, 0.4f, 0.6f);
    writePageObject(doc);
    beginPage(doc, 595, 842);
    pathRectangle(doc, 0, 0, 1, 1);
    fillPath(doc);
    writePageObject(doc);
  }, 0));
  EXPECT_EQ(pdf.streamData(pdf.contentsOf(pdf.pageObjects()[1])[0]), "0 0 1 1 re\n0 0 0 rg\nf*\n");
}

} // namespace
} // namespace quillet
