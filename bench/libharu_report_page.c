/* The report page written by libharu, as the yardstick of the report
   benchmark: the same title, picture, frame and texts at the same places. */
#include "libharu_report_page.h"

#include <hpdf.h>

/* Records the first error instead of jumping out of the library. */
static void recordError(HPDF_STATUS error, HPDF_STATUS detail, void* data)
{
  HPDF_STATUS* first = (HPDF_STATUS*)data;
  (void)detail;
  if (*first == HPDF_OK)
    *first = error;
}

static void textAt(HPDF_Page page, HPDF_Font font, float size, float x, float y, const char* text)
{
  HPDF_Page_BeginText(page);
  HPDF_Page_SetFontAndSize(page, font, size);
  HPDF_Page_TextOut(page, x, y, text);
  HPDF_Page_EndText(page);
}

/* Compressed streams, the TrueType font in WinAnsi encoding and one A4
   page; a font that does not load is noted in status. */
static HPDF_Page a4PageWithFont(HPDF_Doc pdf, const char* fontPath, HPDF_BOOL embed,
                                HPDF_Font* font, HPDF_STATUS* status)
{
  HPDF_SetCompressionMode(pdf, HPDF_COMP_ALL);
  const char* fontName = HPDF_LoadTTFontFromFile(pdf, fontPath, embed);
  *font = fontName ? HPDF_GetFont(pdf, fontName, "WinAnsiEncoding") : NULL;
  if (!*font && *status == HPDF_OK)
    *status = HPDF_INVALID_FONT_NAME;
  HPDF_Page page = HPDF_AddPage(pdf);
  HPDF_Page_SetSize(page, HPDF_PAGE_SIZE_A4, HPDF_PAGE_PORTRAIT);
  return page;
}

unsigned long libharuReportPage(const char* pdfPath, const char* fontPath, const char* jpegPath,
                                const char* title, const char* description, const char* footer)
{
  HPDF_STATUS status = HPDF_OK;
  HPDF_Doc pdf = HPDF_New(recordError, &status);
  if (!pdf)
    return HPDF_FAILD_TO_ALLOC_MEM;
  HPDF_SetInfoAttr(pdf, HPDF_INFO_TITLE, title);
  HPDF_Font font = NULL;
  HPDF_Page page = a4PageWithFont(pdf, fontPath, HPDF_TRUE, &font, &status);
  if (font && status == HPDF_OK) {
    const float pw = HPDF_Page_GetWidth(page), ph = HPDF_Page_GetHeight(page);
    HPDF_Page_SetFontAndSize(page, font, 25);
    textAt(page, font, 25, (pw - HPDF_Page_TextWidth(page, title)) / 2, ph - 50, title);
    HPDF_Image image = HPDF_LoadJpegImageFromFile(pdf, jpegPath);
    if (image)
      HPDF_Page_DrawImage(page, image, 20, 372, 555, 400);
    HPDF_Page_SetLineWidth(page, 1);
    HPDF_Page_Rectangle(page, 20, 372, 555, 400);
    HPDF_Page_Stroke(page);
    textAt(page, font, 10, 20, 352, description);
    textAt(page, font, 7, 20, 15, footer);
    HPDF_SaveToFile(pdf, pdfPath);
  }
  HPDF_Free(pdf);
  return status;
}

unsigned long libharuTextPage(const char* pdfPath, const char* fontPath, const char* jpegPath,
                              const char* const* lines, int count)
{
  HPDF_STATUS status = HPDF_OK;
  HPDF_Doc pdf = HPDF_New(recordError, &status);
  if (!pdf)
    return HPDF_FAILD_TO_ALLOC_MEM;
  HPDF_Font font = NULL;
  HPDF_Page page = a4PageWithFont(pdf, fontPath, HPDF_FALSE, &font, &status);
  if (font && status == HPDF_OK) {
    HPDF_Image image = HPDF_LoadJpegImageFromFile(pdf, jpegPath);
    if (image)
      HPDF_Page_DrawImage(page, image, 47, 420, 500, 375);
    for (int i = 0; i < count; ++i)
      textAt(page, font, 10, 47, 400 - 12 * (float)i, lines[i]);
    HPDF_SaveToFile(pdf, pdfPath);
  }
  HPDF_Free(pdf);
  return status;
}
