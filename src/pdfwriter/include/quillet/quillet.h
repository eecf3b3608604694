#pragma once

// The public interface of libquillet.so, the PDF writer.
//
// Make an object through DllGetClassObject (or by its ProgID
// "QuilletLib.Quillet"), then: Open → [NewPage → drawing → EndPage]* → Close,
// as often as wanted. Units are points, origin at the lower left of the page.
// Texts are UTF-8; a null text is a missing text. Text gets return a copy the
// caller frees with QuilletFreeString. A failure comes with a description for
// the calling thread, read with QuilletGetErrorDescription. An object is used
// on the thread that made it; separate objects on separate threads do not
// interfere.

#include "quillet/com_types.h"

constexpr GUID CLSID_Quillet = {
    0x473A37FD, 0x7824, 0x4459, {0x87, 0xD9, 0x73, 0x29, 0xBB, 0x7B, 0xF9, 0x29}};
constexpr GUID CLSID_QuilletFactory = {
    0xCDA7C534, 0x2AB0, 0x4F90, {0xBE, 0x5C, 0x8D, 0x16, 0x56, 0xF6, 0x07, 0x00}};
constexpr GUID IID_IQuillet = {
    0xC1458A41, 0x8374, 0x4DBD, {0xA6, 0xE5, 0x7E, 0x9F, 0x20, 0x68, 0x3B, 0xC0}};
constexpr GUID IID_IQuilletFactory = {
    0xE9F1897C, 0xD2E2, 0x4801, {0x86, 0xB4, 0x4E, 0x52, 0x93, 0xD9, 0xA6, 0x68}};
constexpr GUID IID_IResetDefaults = {
    0xC95AC7FC, 0x7DB4, 0x4BBE, {0xBE, 0xD8, 0x0F, 0xC3, 0xFF, 0xC9, 0xF3, 0x12}};
constexpr GUID LIBID_QuilletLib = {
    0x0BBBF62F, 0xD287, 0x4647, {0xBF, 0x96, 0x74, 0x96, 0x61, 0xD4, 0xBE, 0xE4}};

// The member order is a binary contract: callers reach each member by its
// slot. Without a document, or between pages, puts only store their value,
// and the drawing, text and image members fail with E_UNEXPECTED. A number
// that a PDF 1.3 file cannot carry (not finite, or beyond +-2147483647 once
// written) fails the call with E_INVALIDARG, writing nothing and keeping the
// property as it was; for text this includes the numbers the text makes
// with the spacing, rise, size and rotation in force (its end, its lines).
// Every failure comes with a description naming the value and the limit.
// A null out pointer gives E_POINTER.
struct IQuillet : IDispatch {
  // Document information, written when the document is closed.
  virtual HRESULT get_Author(char** value) = 0;
  virtual HRESULT put_Author(const char* value) = 0;
  virtual HRESULT get_Title(char** value) = 0;
  virtual HRESULT put_Title(const char* value) = 0;
  virtual HRESULT get_Keywords(char** value) = 0;
  virtual HRESULT put_Keywords(const char* value) = 0;
  virtual HRESULT get_Subject(char** value) = 0;
  virtual HRESULT put_Subject(const char* value) = 0;
  virtual HRESULT get_Creator(char** value) = 0;
  virtual HRESULT put_Creator(const char* value) = 0;
  virtual HRESULT get_CharSpace(float* value) = 0;
  virtual HRESULT put_CharSpace(float value) = 0;
  virtual HRESULT get_WordSpace(float* value) = 0;
  virtual HRESULT put_WordSpace(float value) = 0;
  virtual HRESULT get_LineWidth(float* value) = 0;
  virtual HRESULT put_LineWidth(float value) = 0;
  // The size of the pages NewPage begins: 3 to 14400 points. Other values
  // fail with E_INVALIDARG and the size stays as it was.
  virtual HRESULT get_PaperWidth(float* value) = 0;
  virtual HRESULT put_PaperWidth(float value) = 0;
  virtual HRESULT get_PaperHeight(float* value) = 0;
  virtual HRESULT put_PaperHeight(float value) = 0;
  virtual HRESULT get_TextRise(float* value) = 0;
  virtual HRESULT put_TextRise(float value) = 0;
  virtual HRESULT get_TextLeading(float* value) = 0;
  virtual HRESULT put_TextLeading(float value) = 0;
  // An ID from InitFont.
  virtual HRESULT get_FontID(std::int32_t* value) = 0;
  virtual HRESULT put_FontID(std::int32_t value) = 0;
  virtual HRESULT get_FontSize(float* value) = 0;
  virtual HRESULT put_FontSize(float value) = 0;
  virtual HRESULT get_FontBold(VARIANT_BOOL* value) = 0;
  virtual HRESULT put_FontBold(VARIANT_BOOL value) = 0;
  // Degrees; not 0 draws the text in an italic variant of the font.
  virtual HRESULT get_FontItalicAngle(std::int32_t* value) = 0;
  virtual HRESULT put_FontItalicAngle(std::int32_t value) = 0;
  virtual HRESULT get_TextColor(OLE_COLOR* value) = 0;
  virtual HRESULT put_TextColor(OLE_COLOR value) = 0;
  virtual HRESULT get_StrokeColor(OLE_COLOR* value) = 0;
  virtual HRESULT put_StrokeColor(OLE_COLOR value) = 0;
  virtual HRESULT get_FillColor(OLE_COLOR* value) = 0;
  virtual HRESULT put_FillColor(OLE_COLOR value) = 0;
  virtual HRESULT get_LineCap(std::int32_t* value) = 0;
  virtual HRESULT put_LineCap(std::int32_t value) = 0;
  virtual HRESULT get_LineJoin(std::int32_t* value) = 0;
  virtual HRESULT put_LineJoin(std::int32_t value) = 0;
  // Degrees, counterclockwise.
  virtual HRESULT get_TextRotation(float* value) = 0;
  virtual HRESULT put_TextRotation(float value) = 0;
  virtual HRESULT get_LineMiterLength(float* value) = 0;
  virtual HRESULT put_LineMiterLength(float value) = 0;
  virtual HRESULT get_TextUnderLine(VARIANT_BOOL* value) = 0;
  virtual HRESULT put_TextUnderLine(VARIANT_BOOL value) = 0;
  virtual HRESULT get_ImageScaleX(float* value) = 0;
  virtual HRESULT put_ImageScaleX(float value) = 0;
  virtual HRESULT get_ImageScaleY(float* value) = 0;
  virtual HRESULT put_ImageScaleY(float value) = 0;
  // Degrees, counterclockwise about the image's lower left corner.
  virtual HRESULT get_ImageRotation(float* value) = 0;
  virtual HRESULT put_ImageRotation(float value) = 0;
  // JPEG quality 0..100 of placed images.
  virtual HRESULT get_ImageQuality(std::int32_t* value) = 0;
  virtual HRESULT put_ImageQuality(std::int32_t value) = 0;
  virtual HRESULT get_FontEmbed(VARIANT_BOOL* value) = 0;
  virtual HRESULT put_FontEmbed(VARIANT_BOOL value) = 0;
  // Ends a page still open, then begins one of PaperWidth x PaperHeight.
  // E_UNEXPECTED without an open document; E_FAIL when no page could be
  // begun (the document's output has failed).
  virtual HRESULT NewPage() = 0;
  virtual HRESULT EndPage() = 0;
  // Starts a PDF 1.3 file at filename (closing an open one first); *result
  // is 1 when it opened and -1 when not, with S_OK in both cases.
  virtual HRESULT get_Open(const char* filename, std::int32_t* result) = 0;
  // Ends a page still open and writes the file; E_FAIL when it could not.
  virtual HRESULT Close() = 0;
  // One leading below the line of the last text.
  virtual HRESULT TextOut(const char* text) = 0;
  virtual HRESULT MoveTo(float x, float y) = 0;
  virtual HRESULT LineTo(float x, float y) = 0;
  virtual HRESULT CurveTo(float x1, float y1, float x2, float y2, float x3, float y3) = 0;
  virtual HRESULT Stroke() = 0;
  // Even-odd rule.
  virtual HRESULT Fill() = 0;
  virtual HRESULT StrokeAndFill() = 0;
  // Adds a system font by name; *result is its ID, or -1 when it cannot be
  // added (also without an open document). Drawn text goes out in code page
  // 1252, or for a Chinese, Japanese or Korean font (by the code pages it
  // declares) in its own code page; such a font added with FontEmbed and
  // TrueType outlines embeds only the characters drawn with it. Characters a
  // font's code page lacks become "?".
  virtual HRESULT get_InitFont(const char* fontname, std::int32_t* result) = 0;
  virtual HRESULT SetRect(float x, float y, float width, float height) = 0;
  virtual HRESULT TextOutXY(float x, float y, const char* text) = 0;
  // A JPEG, PNG, GIF, TIFF, BMP, Targa (TGA), CEL, SGI (RGB), Photoshop
  // (PSD) or IFF ILBM file at (x, y), scaled by ImageScaleX and
  // ImageScaleY. A file that cannot be read fails with E_FAIL and draws
  // nothing; the description names the file and why (for a TIFF file that
  // libtiff refuses, libtiff's reason). Pictures are read up to 32767 pixels
  // on a side and 32 megapixels; a larger one is refused with the sentence
  // "<name> is <M> megapixels; pictures up to 32 megapixels can be read."
  // or "<name> is <W> × <H> pixels; pictures up to 32767 pixels on a side
  // can be read." PNG text chunks are skipped. A null file name gives
  // E_INVALIDARG.
  virtual HRESULT ImageOut(float x, float y, const char* filename) = 0;
  // width x height RGB pixels, 3 bytes each, top row first; the caller
  // keeps them. Sizes are truncated to whole pixels and held to the same
  // limits as ImageOut's pictures: a side that is not finite, below 1 or
  // beyond them fails with E_INVALIDARG, a null image with E_POINTER.
  virtual HRESULT ImageOutMem(float x, float y, const std::uint8_t* image, float width,
                              float height) = 0;
  // RC4 with a 128-bit key; only right after Open, and once. E_UNEXPECTED
  // otherwise, with nothing encrypted. Passwords may hold the characters of
  // PDFDocEncoding (E_INVALIDARG otherwise) and are used as their UTF-8
  // bytes. qpdf and poppler open a document with any such password typed as
  // text; pypdf opens one with a character outside Latin-1 (such as "€"),
  // but not a Latin-1-only password such as "Åü" given as text, which it
  // opens only when given its UTF-8 bytes.
  virtual HRESULT Encrypt(std::int32_t permission, const char* ownerPassword,
                          const char* userPassword) = 0;
  // Width of the text in the current font and size; 0 without a page. Every
  // character of a Chinese, Japanese or Korean font is 1 em wide.
  virtual HRESULT get_StringWidth(const char* text, float* result) = 0;
};

struct IQuilletFactory : IDispatch {
  // A new object with the defaults; E_POINTER for a null slot.
  virtual HRESULT CreateQuillet(IQuillet** slot) = 0;
};

struct IResetDefaults : IUnknown {
  // Page, text, font and image properties, Title and Keywords back to their
  // defaults; Author, Subject, Creator, line and colour properties stay.
  virtual HRESULT resetDefaults() = 0;
};

QUILLET_EXPORT HRESULT DllCanUnloadNow();
QUILLET_EXPORT HRESULT DllGetClassObject(const GUID* clsid, const GUID* riid, void** object);
// Writes the classes into the per-user class file
// ${XDG_CONFIG_HOME:-$HOME/.config}/progid/classes.ini, or removes them;
// other servers' entries stay. S_OK or SELFREG_E_CLASS.
QUILLET_EXPORT HRESULT DllRegisterServer();
QUILLET_EXPORT HRESULT DllUnregisterServer();
// Frees a text that a get returned; null is allowed.
QUILLET_EXPORT void QuilletFreeString(char* text);
// The last failure's description on the calling thread (a copy to free with
// QuilletFreeString), the class that raised it and the interface. S_FALSE,
// with a null description, when there was none. Any pointer may be null.
QUILLET_EXPORT HRESULT QuilletGetErrorDescription(char** description, GUID* source, GUID* iid);

using QuilletFreeStringFn = void (*)(char*);
using QuilletGetErrorDescriptionFn = HRESULT (*)(char**, GUID*, GUID*);
