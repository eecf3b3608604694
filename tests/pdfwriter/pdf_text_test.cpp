#include "pdfwriter/fixture_font_locator.h"
#include "pdfwriter/pdf_font.h"
#include "pdfwriter/pdf_page.h"
#include "pdfwriter/pdf_test_support.h"
#include "pdfwriter/pdf_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

namespace quillet {
namespace {

using test::countOf;
using test::PdfBytes;

// Uncompressed content of one page drawn with "Arial" (Liberation Sans) as
// font 0 of a fresh document.
std::string contentWithArial(const std::function<void(PdfDocument*)>& draw)
{
  auto fonts = std::make_shared<test::FixtureFontLocator>();
  fonts->addFile("Arial", test::kLiberationSans);
  OpenOptions options = test::fixedOptions(0);
  options.fontLocator = fonts;
  PdfBytes pdf(test::writeDocument([&](PdfDocument* doc) {
    EXPECT_EQ(addFont(doc, "Arial", false), 0);
    beginPage(doc, 595, 842);
    draw(doc);
    writePageObject(doc);
  }, options));
  return pdf.pageContents();
}

bool haveArial()
{
  return test::requireFontFile(test::kLiberationSans, "fonts-liberation2");
}

// Selection opens the text object with the pending fill colour; positioned
// text writes font, matrix and the text state once; next lines go down one
// leading each in the same text object.
TEST(TextOutputTest, positionedTextThenNextLines)
{
  if (!haveArial())
    return;
  const std::string content = contentWithArial([](PdfDocument* doc) {
    selectFont(doc, 0, 12);
    showTextAt(doc, "ab", 0, 100, 700);
    showTextNextLine(doc, "cd", 0);
    showTextNextLine(doc, "ef", 1);
  });
  EXPECT_EQ(content, "BT\n0 0 0 rg\n/F0 12 Tf\n1 0 0 1 100 700 Tm 12 TL\n(ab)Tj\n"
                     "/F0 12 Tf\n1 0 0 1 100 688 Tm (cd)Tj\n"
                     "/F0 12 Tf\n1 0 0 1 100 676 Tm (e)Tj\nET\n");
}

// Setters: spacing waits for the next text except 0, which is written at
// once; rise is written at once; the state is written once per text object.
TEST(TextOutputTest, settersWriteWhenTheTextStateSays)
{
  if (!haveArial())
    return;
  const std::string content = contentWithArial([](PdfDocument* doc) {
    selectFont(doc, 0, 12);
    const std::size_t before = doc->end;
    setCharSpacing(doc, 2);
    setWordSpacing(doc, 3);
    EXPECT_EQ(doc->end, before);
    showTextAt(doc, "a(b)", 0, 10, 20);
    setCharSpacing(doc, 0);
    setTextRise(doc, 3);
    setTextRise(doc, 3);
    showTextAt(doc, "x", 0, 10, 10);
  });
  EXPECT_EQ(content, "BT\n0 0 0 rg\n/F0 12 Tf\n1 0 0 1 10 20 Tm 12 TL\n3 Tw\n2 Tc\n(a\\(b\\))Tj\n"
                     "0 Tc\n3 Ts\n/F0 12 Tf\n1 0 0 1 10 10 Tm 12 TL\n3 Tw\n(x)Tj\nET\n");
}

// Without a selected font there is nothing to show or to name in Tf; each
// page starts without one.
TEST(TextOutputTest, noFontWritesNothing)
{
  if (!haveArial())
    return;
  const std::string content = contentWithArial([](PdfDocument* doc) {
    showTextAt(doc, "ab", 0, 100, 700);
    showTextNextLine(doc, "cd", 0);
    setTextRotation(doc, 90);
    EXPECT_EQ(stringWidth(doc, "Hello", 5), 0);
    selectFont(doc, 0, 12);
    writePageObject(doc);
    beginPage(doc, 595, 842);
    showTextAt(doc, "ab", 0, 100, 700);
  });
  EXPECT_EQ(content, "BT\n0 0 0 rg\nET\n");
}

// Rotation turns the text matrix counterclockwise and scales widths by cos.
TEST(TextOutputTest, rotationWritesTheMatrixAtOnce)
{
  if (!haveArial())
    return;
  const std::string content = contentWithArial([](PdfDocument* doc) {
    selectFont(doc, 0, 12);
    showTextAt(doc, nullptr, 0, 50, 60);
    setTextRotation(doc, 90);
    EXPECT_LT(std::fabs(stringWidth(doc, "Hello", 5)), 0.0001);
  });
  EXPECT_EQ(content, "BT\n0 0 0 rg\n/F0 12 Tf\n0 1 -1 0 50 60 Tm ET\n");
}

// Widths from the font's /Widths, spacing per byte and word spacing per
// blank; values computed by hand from Liberation Sans.
TEST(TextWidthTest, widthsWithSpacing)
{
  if (!haveArial())
    return;
  contentWithArial([](PdfDocument* doc) {
    EXPECT_EQ(stringWidth(doc, "Hello", 5), 0);
    selectFont(doc, 0, 12);
    EXPECT_NEAR(stringWidth(doc, "Hello", 5), 27.336, 1e-9);
    EXPECT_EQ(stringWidth(doc, "", 0), 0);
    EXPECT_EQ(stringWidth(doc, nullptr, 0), 0);
    setCharSpacing(doc, 1);
    setWordSpacing(doc, 2);
    EXPECT_NEAR(textWidth(doc, "A B", 3, 0, 10), 21.09, 1e-9);
    EXPECT_EQ(textWidth(doc, "A B", 3, 1, 10), 0);
  });
}

// The report's centred title: an italic variant measured and placed in the
// middle of the page.
TEST(TextOutputTest, centredItalicTitle)
{
  if (!haveArial())
    return;
  const std::string content = contentWithArial([](PdfDocument* doc) {
    setGray(doc, "fill", 0);
    selectFont(doc, 0, 25);
    selectFontStyle(doc, false, -15);
    const double width = stringWidth(doc, "Carbon Nanotube", 15);
    EXPECT_NEAR(width, 197.275, 1e-9);
    showTextAt(doc, "Carbon Nanotube", 0, float((595 - width) / 2), 792);
  });
  EXPECT_NE(content.find("/F1 25 Tf\n1 0 0 1 198.8625 792 Tm 25 TL\n(Carbon Nanotube)Tj\n"),
            std::string::npos)
      << content;
}

// The underline is stroked between q and Q before the text, one text
// object closed for it.
TEST(UnderlineTest, strokedBeforeTheText)
{
  if (!haveArial())
    return;
  const std::string content = contentWithArial([](PdfDocument* doc) {
    selectFont(doc, 0, 12);
    setUnderline(doc, true);
    showTextAt(doc, "Hello", 0, 100, 700);
  });
  EXPECT_EQ(content, "BT\n0 0 0 rg\nET\nq\n100 699.604 m\n127.336 699.604 l\n0 0 0 RG\n0.876 w\nS\n"
                     "Q\nBT\n/F0 12 Tf\n1 0 0 1 100 700 Tm 12 TL\n(Hello)Tj\nET\n");
}

// The underline's stroke colour is written inside its q ... Q, so the
// page's next stroke must write it again.
TEST(UnderlineTest, pendingStrokeColourSurvivesTheUnderline)
{
  if (!haveArial())
    return;
  const std::string content = contentWithArial([](PdfDocument* doc) {
    setUnderline(doc, true);
    setStrokeRGB(doc, 1, 0, 0);
    selectFont(doc, 0, 12);
    showTextAt(doc, "Hello", 0, 100, 700);
    pathRectangle(doc, 10, 10, 50, 50);
    strokePath(doc);
  });
  const auto restore = content.find("Q\n");
  ASSERT_NE(restore, std::string::npos);
  EXPECT_EQ(countOf(content, "1 0 0 RG\n"), 2) << content;
  const auto again = content.find("1 0 0 RG\n", restore);
  ASSERT_NE(again, std::string::npos) << content;
  EXPECT_LT(content.find("re\n"), again);
  EXPECT_LT(again, content.rfind("S\n"));
}

// Text state belongs to the save level: Q brings back the outer font.
TEST(TextStateTest, restoreBringsBackTheOuterLevel)
{
  if (!haveArial())
    return;
  contentWithArial([](PdfDocument* doc) {
    selectFont(doc, 0, 12);
    saveGraphicsState(doc);
    selectFont(doc, 0, 20);
    setCharSpacing(doc, 4);
    EXPECT_EQ(doc->level().text.fontSize, 20);
    restoreGraphicsState(doc);
    EXPECT_EQ(doc->level().text.fontSize, 12);
    EXPECT_EQ(doc->level().text.charSpacing, 0);
    EXPECT_EQ(doc->level().text.leading, 12);
  });
}

// Overline at the ascent above the underline's offset, strike-through at half
// the ascent, both after the underline and before the text: at size 10 with
// ascent 800 and underline position -100, y + 9 and y + 3.
TEST(TextLinesTest, overlineAndStrikeThroughFollowTheUnderline)
{
  auto draw = [](bool zeroWidths) {
    return PdfBytes(test::writeDocument(
                        [&](PdfDocument* doc) {
                          const int font = test::addFontRecord(doc, kType1Font, "Helvetica");
                          if (zeroWidths)
                            doc->fonts[std::size_t(font)].widths.fill(0);
                          beginPage(doc, 595, 842);
                          selectFont(doc, font, 10);
                          setUnderline(doc, true);
                          setOverline(doc, true);
                          setStrikeThrough(doc, true);
                          showTextAt(doc, "Hi", 2, 100, 700);
                          showTextNextLine(doc, "Hi", 2);
                          writePageObject(doc);
                        },
                        0))
        .pageContents();
  };
  const std::string content = draw(false);
  // "Hi" is (572 + 605) / 1000 em wide.
  std::size_t at = 0;
  for (const char* line : {"q\n100 699 m\n111.77 699 l\n0 0 0 RG\n0.5 w\nS\nQ\n",
                           "q\n100 709 m\n111.77 709 l\n0 0 0 RG\n0.5 w\nS\nQ\n",
                           "q\n100 703 m\n111.77 703 l\n0 0 0 RG\n0.5 w\nS\nQ\n", "(Hi)Tj",
                           "q\n100 689 m\n", "q\n100 699 m\n", "q\n100 693 m\n", "(Hi)Tj"}) {
    const std::size_t next = content.find(line, at);
    ASSERT_NE(next, std::string::npos) << line << " after " << at << " in\n" << content;
    at = next + 1;
  }
  const std::string none = draw(true);
  EXPECT_EQ(none.find(" m\n"), std::string::npos) << none;
  EXPECT_EQ(countOf(none, "(Hi)Tj"), 2) << none;
}

} // namespace
} // namespace quillet
