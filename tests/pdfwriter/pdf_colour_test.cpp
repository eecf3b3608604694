// CMYK, spot and pattern colours, colour-space objects and resources, dashes,
// flatness and the drawing-state reset.

#include "pdfwriter/pdf_colour.h"
#include "pdfwriter/pdf_output.h"
#include "pdfwriter/pdf_page.h"
#include "pdfwriter/pdf_test_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

namespace quillet {
namespace {

using test::countOf;
using test::PdfBytes;
using test::writeDocument;

// The page's content, uncompressed, after the document's first setup.
std::string contentOf(const std::function<void(PdfDocument*)>& draw)
{
  PdfBytes pdf(writeDocument([&](PdfDocument* doc) {
    beginPage(doc, 595, 842);
    draw(doc);
    writePageObject(doc);
  }, 0));
  return pdf.pageContents();
}

TEST(ColourByNameTest, operatorsWrittenAtOnce)
{
  const float nan = std::nanf("");
  const struct {
    const char* which;
    const char* kind;
    float c[4];
    int times;
    const char* expected;
  } cases[] = {
    {"fill", "cmyk", {0, 0, 0, 1}, 2, "0 0 0 1 k\n"},
    {"stroke", "cmyk", {1, 0, 0.5f, 0}, 1, "1 0 0.5 0 K\n"},
    {"fill", "cmyk", {1.2f, 0, 0, 0}, 1, ""},
    {"fill", "cmyk", {0, nan, 0, 0}, 1, ""},
    {"both", "rgb", {0.5f, 0.5f, 0.5f, 0}, 1, "0.5 g\n0.5 G\n"},
    {"both", "rgb", {1, 0, 0.25f, 0}, 2, "1 0 0.25 rg\n1 0 0.25 RG\n"},
    {"fill", "rgb", {1, 0, 1.01f, 0}, 1, ""},
    {"stroke", "gray", {0.25f, 0, 0, 0}, 1, "0.25 G\n"},
    {"Fill", "rgb", {1, 0, 0, 0}, 1, ""},
    {"fill", "RGB", {1, 0, 0, 0}, 1, ""},
    {"fill", "spot", {0.9f, 0.5f, 0, 0}, 1, ""},
    {"fill", "pattern", {0, 0, 0, 0}, 1, ""},
  };
  for (const auto& c : cases) {
    std::string content = contentOf([&](PdfDocument* doc) {
      for (int i = 0; i < c.times; ++i)
        setColorByName(doc, c.which, c.kind, c.c[0], c.c[1], c.c[2], c.c[3]);
    });
    EXPECT_EQ(content, c.expected) << c.which << " " << c.kind << " " << c.c[0];
  }
}

// An operator written at once leaves no older lazy "rg" behind it.
TEST(ColourByNameTest, immediateSettersClearPendingColours)
{
  const struct {
    const char* what;
    std::function<void(PdfDocument*)> draw;
    const char* expected;
  } cases[] = {
    {"cmyk after a lazy RGB",
     [](PdfDocument* doc) {
       setFillRGB(doc, 1, 0, 0);
       setCMYK(doc, "fill", 0, 0, 0, 1);
       pathRectangle(doc, 0, 0, 5, 5);
       fillPath(doc);
     },
     "0 0 0 1 k\n0 0 5 5 re\nf*\n"},
    {"gray after a lazy RGB stroke",
     [](PdfDocument* doc) {
       setStrokeRGB(doc, 0, 1, 0);
       setGray(doc, "stroke", 0.5f);
       pathMoveTo(doc, 0, 0);
       strokePath(doc);
     },
     "0.5 G\n0 0 m\n1 w\nS\n"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(contentOf(c.draw), c.expected) << c.what;
}

TEST(SpotColourTest, selectionAndSeparationObject)
{
  std::int32_t spaceObject = 0;
  PdfBytes pdf(writeDocument([&](PdfDocument* doc) {
    beginPage(doc, 595, 842);
    setRGBColor(doc, "fill", 1, 0, 0);
    ASSERT_EQ(addColorSpace(doc, kSeparation, "Brand_Red"), 0);
    spaceObject = doc->colourSpaces[0].objectNumber;
    setColorByName(doc, "fill", "spot", 0.9f, 0.5f, 0, 0);
    setSpotColor(doc, "fill", 0, 0.5f);
    setSpotColor(doc, "stroke", 0, 1);
    setSpotColor(doc, "fill", 1, 0.5f);
    setSpotColor(doc, "fill", 0, 1.5f);
    EXPECT_EQ(addColorSpace(doc, kSeparation, "Other"), -1) << "over a spot colour";
    EXPECT_EQ(addColorSpace(doc, kPattern, ""), -1) << "over a spot colour";
    EXPECT_EQ(addColorSpace(doc, kLab, ""), -1);
    writePageObject(doc);
  }, 6));
  EXPECT_NE(pdf.pageContents().find("1 0 0 rg\n/CS0 cs 0.5 scn\n/CS0 CS 1 SCN\n"),
            std::string::npos)
      << pdf.pageContents();
  EXPECT_EQ(countOf(pdf.pageContents(), "scn"), 1);
  EXPECT_EQ(pdf.object(spaceObject),
            std::to_string(spaceObject)
                + " 0 obj\n[/Separation/Brand_Red/DeviceRGB<<\n/Range[0 1 0 1 0 1]\n/C0[1 1 1]\n"
                  "/C1[1 0 0]\n/FunctionType 2\n/Domain[0 1]\n/N 1\n>>\n]\nendobj\n");
}

TEST(SpotColourTest, tintFunctionPerAlternateSpace)
{
  const struct {
    const char* kind;
    float c[4];
    const char* expected;
  } cases[] = {
    {"gray", {0.25f, 0, 0, 0}, "[/Separation/S\n/DeviceGray<<\n/Range[0 1]\n/C0[1]\n/C1[0.25]\n"},
    {"cmyk", {0, 1, 1, 0}, "[/Separation/S\n/DeviceCMYK<<\n/Range[0 1 0 1 0 1 0 1]\n/C0[0 0 0 0]\n"
                           "/C1[0 1 1 0]\n"},
  };
  for (const auto& c : cases) {
    PdfBytes pdf(writeDocument([&](PdfDocument* doc) {
      beginPage(doc, 595, 842);
      setColorByName(doc, "fill", c.kind, c.c[0], c.c[1], c.c[2], c.c[3]);
      ASSERT_EQ(addColorSpace(doc, kSeparation, "S"), 0);
      writePageObject(doc);
    }, 0));
    EXPECT_NE(pdf.bytes().find(c.expected), std::string::npos) << c.kind;
  }
}

// An entry is named in the resources of every page that used it and
// written once, after the fonts and before the page tree.
TEST(ColourResourcesTest, usedEntriesPerPageWrittenOnce)
{
  std::string entry;
  PdfBytes pdf(writeDocument([&](PdfDocument* doc) {
    beginPage(doc, 595, 842);
    ASSERT_EQ(addColorSpace(doc, kSeparation, "Ink"), 0);
    entry = "/ColorSpace<<\n/CS0 " + std::to_string(doc->colourSpaces[0].objectNumber) + " 0 R\n>>\n";
    setSpotColor(doc, "fill", 0, 1);
    writePageObject(doc);
    beginPage(doc, 595, 842);
    pathRectangle(doc, 0, 0, 1, 1);
    fillPath(doc);
    writePageObject(doc);
    beginPage(doc, 595, 842);
    setSpotColor(doc, "fill", 0, 0.5f);
    writePageObject(doc);
  }, 0));
  const std::string& bytes = pdf.bytes();
  std::vector<std::string> resources;
  for (int page : pdf.pageObjects()) {
    const std::string dict = pdf.object(int(PdfBytes::intEntry(pdf.object(page), "/Resources")));
    const std::size_t at = dict.find("/ColorSpace");
    resources.push_back(at == std::string::npos ? "" : dict.substr(at, dict.find(">>\n", at) + 3 - at));
  }
  ASSERT_EQ(resources.size(), 3u);
  EXPECT_EQ(resources[0], entry);
  EXPECT_EQ(resources[1], "");
  EXPECT_EQ(resources[2], entry);
  EXPECT_EQ(countOf(bytes, "[/Separation/Ink"), 1);
  EXPECT_EQ(bytes.find("/Pattern"), std::string::npos);
  EXPECT_LT(bytes.find("[/Separation/Ink"), bytes.find("/Type /Pages"));
}

TEST(PatternTest, colouredAndUncolouredSelection)
{
  std::int32_t coloured = 0, uncoloured = 0;
  PdfBytes pdf(writeDocument([&](PdfDocument* doc) {
    beginPage(doc, 595, 842);
    EXPECT_EQ(definePattern(doc, 3, 10, 10, ""), -1);
    EXPECT_EQ(definePattern(doc, 1, 0, 10, ""), -1);
    EXPECT_EQ(definePattern(doc, 1, 10, std::nanf(""), ""), -1);
    ASSERT_EQ(definePattern(doc, 1, 10, 10, "0 1 0 rg 0 0 5 5 re f\n"), 0);
    ASSERT_EQ(definePattern(doc, 2, 8, 6, "0 0 4 4 re f\n"), 1);
    coloured = doc->patterns[0].objectNumber;
    uncoloured = doc->patterns[1].objectNumber;
    setRGBColor(doc, "fill", 0.5f, 0.2f, 0.1f);
    setPatternColor(doc, "fill", 1);
    setPatternColor(doc, "stroke", 0);
    setPatternColor(doc, "fill", 2);
    setColorByName(doc, "fill", "pattern", 1.5f, 0, 0, 0);
    pathRectangle(doc, 0, 0, 100, 100);
    fillPath(doc);
    writePageObject(doc);
  }, 0));
  const std::string content = pdf.pageContents();
  EXPECT_NE(content.find("0.5 0.2 0.1 rg\n/CS0 cs\n0.5 0.2 0.1/P1 scn\n/Pattern CS\n/P0 SCN\n"
                         "/CS1 cs\n0.5 0.2 0.1/P1 scn\n0 0 100 100 re\nf*\n"),
            std::string::npos)
      << content;
  EXPECT_EQ(countOf(pdf.bytes(), "[/Pattern/DeviceRGB]\n"), 2) << "one entry per use";
  EXPECT_NE(pdf.bytes().find("/Pattern<<\n/P0 " + std::to_string(coloured) + " 0 R\n/P1 "
                             + std::to_string(uncoloured) + " 0 R\n>>\n"),
            std::string::npos);
  const std::string def = pdf.object(uncoloured);
  EXPECT_NE(def.find("<<\n/Type /Pattern\n/PatternType 1\n/PaintType 2\n/TilingType 1\n"
                     "/BBox [0 0 8 6]\n/XStep 8\n/YStep 6\n/Resources<<>>\n/Length "),
            std::string::npos)
      << def;
  EXPECT_EQ(pdf.streamData(uncoloured), "0 0 4 4 re f\n");
  // The page's stream paused round the definitions.
  EXPECT_EQ(pdf.contentsOf(pdf.pageObjects().at(0)).size(), 3u);
}

TEST(LineExtrasTest, dashFlatnessAndReset)
{
  const struct {
    const char* what;
    std::function<void(PdfDocument*)> draw;
    const char* expected;
  } cases[] = {
    {"no dash to end", [](PdfDocument* doc) { setDash(doc, 0, 0); }, ""},
    {"dash and its end",
     [](PdfDocument* doc) {
       setDash(doc, 3, 2);
       setDash(doc, -1, 2);
       setDash(doc, 0, 0);
       setDash(doc, 0, 0);
     },
     "[3 2] 0 d\n[] 0 d\n"},
    {"flatness once, in range",
     [](PdfDocument* doc) {
       setFlatness(doc, 1);
       setFlatness(doc, 1);
       setFlatness(doc, 101);
       setFlatness(doc, -1);
     },
     "1 i\n"},
    {"reset",
     [](PdfDocument* doc) {
       setRGBColor(doc, "both", 1, 0, 0);
       setLineWidth(doc, 3);
       setLineCap(doc, 1);
       setDash(doc, 2, 2);
       resetDrawingState(doc);
       pathMoveTo(doc, 0, 0);
       strokePath(doc);
     },
     "1 0 0 rg\n1 0 0 RG\n1 J\n[2 2] 0 d\n0 g\n0 G\n0 J\n[] 0 d\n0 0 m\n1 w\nS\n"},
    {"reset after flatness",
     [](PdfDocument* doc) {
       setFlatness(doc, 5);
       resetDrawingState(doc);
     },
     "5 i\n1 i\n"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(contentOf(c.draw), c.expected) << c.what;
}

TEST(ColourNamesTest, tableByKind)
{
  EXPECT_STREQ(colourSpaceName(kGray), "DeviceGray");
  EXPECT_STREQ(colourSpaceName(kCMYK), "DeviceCMYK");
  EXPECT_STREQ(colourSpaceName(kPattern), "Pattern");
  EXPECT_STREQ(colourSpaceName(kSeparation), "Separation");
  EXPECT_STREQ(colourSpaceName(9), "Invalid_CS");
  EXPECT_STREQ(colourSpaceName(-1), "Invalid_CS");
}

} // namespace
} // namespace quillet
