/* The report page written by libharu, for the report benchmark. */
#pragma once

#ifdef __cplusplus
extern "C" {
#endif

/* Texts in code page 1252. 0 when the file was written, else libharu's
   first error code. */
unsigned long libharuReportPage(const char* pdfPath, const char* fontPath, const char* jpegPath,
                                const char* title, const char* description, const char* footer);

/* A page of `count` lines of 10-point text under a picture drawn 500 x 375
   points, with the TrueType font not embedded. */
unsigned long libharuTextPage(const char* pdfPath, const char* fontPath, const char* jpegPath,
                              const char* const* lines, int count);

#ifdef __cplusplus
}
#endif
