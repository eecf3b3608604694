#pragma once

// The Quillet object behind IQuillet: it drives one PdfDocument through the
// interface's members and OpenFile. Private to the library and its tests.

#include "pdfwriter/image_loader.h"
#include "pdfwriter/pdf_document.h"
#include "pdfwriter/pdf_font.h"
#include "pdfwriter/pdf_image.h"
#include "pdfwriter/pdf_output.h"
#include "pdfwriter/pdf_page.h"
#include "pdfwriter/pdf_security.h"
#include "pdfwriter/pdf_text.h"
#include "pdfwriter/picture_budget.h"
#include "pdfwriter/text_encoding.h"
#include "quillet/quillet.h"

#include <atomic>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <new>
#include <string>
#include <utility>

namespace quillet {

// Live objects and server locks: while either is above 0 the library must
// stay loaded. This count is what DllCanUnloadNow reports on, so it is the
// one piece of process-wide state the server needs.
std::atomic<long>& serverReferences();

// Records the calling thread's error info and returns hr.
HRESULT raise(HRESULT hr, const GUID& source, const GUID& iid, std::string description);

// A malloc'ed copy for an out-parameter, freed by QuilletFreeString.
char* copyString(const std::string& text);

// One 0..1 channel of a colour value (red at shift 0).
float component(OLE_COLOR c, int shift);

// The system's text for an error number; "the output failed" for 0.
std::string systemReason(int errorNumber);

// Why v, called `what`, cannot be written, for a failure's description.
std::string describeNumberRefusal(double v, const std::string& what = "the value");

// A number as a description shows it: the shortest text that reads back
// as v.
std::string numberText(double v);

// Every member runs through here: no exception leaves the interface.
template <typename Body>
HRESULT guarded(const char* member, Body body) noexcept
{
  try {
    return body();
  } catch (const std::bad_alloc&) {
    return raise(E_OUTOFMEMORY, CLSID_Quillet, IID_IQuillet,
                 std::string(member) + ": out of memory");
  } catch (...) {
    return raise(E_FAIL, CLSID_Quillet, IID_IQuillet, std::string(member) + " failed");
  }
}

// Reference counting, the unimplemented IDispatch members and the rich-error
// answer for Derived::kIid, shared by the library's objects. Each counts as a
// live object of the server until Release deletes it as Derived.
template <typename Derived, typename Interface, typename... Extra>
class ServerObject : public Interface, public Extra..., public ISupportErrorInfo {
public:
  ServerObject() { ++serverReferences(); }

  std::uint32_t AddRef() override { return ++m_references; }

  std::uint32_t Release() override
  {
    const std::uint32_t left = --m_references;
    if (left == 0)
      delete static_cast<Derived*>(this);
    return left;
  }

  HRESULT GetTypeInfoCount(std::uint32_t*) override { return E_NOTIMPL; }
  HRESULT GetTypeInfo(std::uint32_t, std::uint32_t, void**) override { return E_NOTIMPL; }
  HRESULT GetIDsOfNames(const GUID*, char**, std::uint32_t, std::uint32_t, std::int32_t*) override
  {
    return E_NOTIMPL;
  }
  HRESULT Invoke(std::int32_t, const GUID*, std::uint32_t, std::uint16_t, void*, void*, void*,
                 std::uint32_t*) override
  {
    return E_NOTIMPL;
  }

  HRESULT InterfaceSupportsErrorInfo(const GUID* riid) override
  {
    return riid && *riid == Derived::kIid ? S_OK : S_FALSE;
  }

protected:
  ~ServerObject() { --serverReferences(); }

private:
  std::atomic<std::uint32_t> m_references{1};
};

class Quillet final : public ServerObject<Quillet, IQuillet, IResetDefaults> {
public:
  static constexpr GUID kIid = IID_IQuillet;

  HRESULT QueryInterface(const GUID* riid, void** object) override
  {
    if (!object || !riid)
      return E_POINTER;
    *object = nullptr;
    if (*riid == IID_IUnknown || *riid == IID_IDispatch || *riid == IID_IQuillet)
      *object = static_cast<IQuillet*>(this);
    else if (*riid == IID_IResetDefaults)
      *object = static_cast<IResetDefaults*>(this);
    else if (*riid == IID_ISupportErrorInfo)
      *object = static_cast<ISupportErrorInfo*>(this);
    else
      return E_NOINTERFACE;
    AddRef();
    return S_OK;
  }

  HRESULT resetDefaults() override
  {
    return guarded("resetDefaults", [&] {
      discardDocument();
      m_title.clear();
      m_keywords.clear();
      m_charSpace = m_wordSpace = m_textRise = m_textLeading = 0;
      m_textRotation = m_imageRotation = 0;
      m_fontId = 0;
      m_fontSize = 10;
      m_fontBold = m_fontEmbed = VARIANT_FALSE;
      m_fontItalicAngle = 0;
      m_paperWidth = 595;
      m_paperHeight = 842;
      m_imageScaleX = m_imageScaleY = 1;
      m_imageQuality = 75;
      m_strokePending = false;
      return S_OK;
    });
  }

  HRESULT get_Author(char** v) override { return getText("Author", m_author, v); }
  HRESULT put_Author(const char* v) override { return putInfo("Author", m_author, v); }
  HRESULT get_Title(char** v) override { return getText("Title", m_title, v); }
  HRESULT put_Title(const char* v) override { return putInfo("Title", m_title, v); }
  HRESULT get_Keywords(char** v) override { return getText("Keywords", m_keywords, v); }
  HRESULT put_Keywords(const char* v) override { return putInfo("Keywords", m_keywords, v); }
  HRESULT get_Subject(char** v) override { return getText("Subject", m_subject, v); }
  HRESULT put_Subject(const char* v) override { return putInfo("Subject", m_subject, v); }
  HRESULT get_Creator(char** v) override { return getText("Creator", m_creator, v); }
  HRESULT put_Creator(const char* v) override { return putInfo("Creator", m_creator, v); }

  HRESULT get_CharSpace(float* v) override { return get(m_charSpace, v); }
  HRESULT put_CharSpace(float v) override
  {
    return putReal("CharSpace", m_charSpace, v, [&] { setCharSpacing(m_doc, v); });
  }
  HRESULT get_WordSpace(float* v) override { return get(m_wordSpace, v); }
  HRESULT put_WordSpace(float v) override
  {
    return putReal("WordSpace", m_wordSpace, v, [&] { setWordSpacing(m_doc, v); });
  }
  HRESULT get_LineWidth(float* v) override { return get(m_lineWidth, v); }
  HRESULT put_LineWidth(float v) override
  {
    return putReal("LineWidth", m_lineWidth, v, [&] { setLineWidth(m_doc, v); });
  }
  HRESULT get_PaperWidth(float* v) override { return get(m_paperWidth, v); }
  HRESULT put_PaperWidth(float v) override { return putPaperSide("PaperWidth", m_paperWidth, v); }
  HRESULT get_PaperHeight(float* v) override { return get(m_paperHeight, v); }
  HRESULT put_PaperHeight(float v) override
  {
    return putPaperSide("PaperHeight", m_paperHeight, v);
  }
  HRESULT get_TextRise(float* v) override { return get(m_textRise, v); }
  HRESULT put_TextRise(float v) override
  {
    return putReal("TextRise", m_textRise, v, [&] { setTextRise(m_doc, v); });
  }
  HRESULT get_TextLeading(float* v) override { return get(m_textLeading, v); }
  HRESULT put_TextLeading(float v) override
  {
    return putReal("TextLeading", m_textLeading, v, [&] { setLeading(m_doc, v); });
  }
  HRESULT get_FontID(std::int32_t* v) override { return get(m_fontId, v); }
  HRESULT put_FontID(std::int32_t v) override
  {
    return put(m_fontId, v, [&] { selectFont(m_doc, m_fontId, m_fontSize); });
  }
  HRESULT get_FontSize(float* v) override { return get(m_fontSize, v); }
  HRESULT put_FontSize(float v) override
  {
    return putReal("FontSize", m_fontSize, v, [&] { selectFont(m_doc, m_fontId, m_fontSize); });
  }
  HRESULT get_FontBold(VARIANT_BOOL* v) override { return get(m_fontBold, v); }
  HRESULT put_FontBold(VARIANT_BOOL v) override
  {
    return put(m_fontBold, v, [] {});
  }
  HRESULT get_FontItalicAngle(std::int32_t* v) override { return get(m_fontItalicAngle, v); }
  HRESULT put_FontItalicAngle(std::int32_t v) override
  {
    return put(m_fontItalicAngle, v, [] {});
  }
  HRESULT get_TextColor(OLE_COLOR* v) override { return get(m_textColor, v); }
  HRESULT put_TextColor(OLE_COLOR v) override
  {
    return put(m_textColor, v, [&] { applyFill(v); });
  }
  HRESULT get_StrokeColor(OLE_COLOR* v) override { return get(m_strokeColor, v); }
  HRESULT put_StrokeColor(OLE_COLOR v) override
  {
    m_strokePending = true;
    return put(m_strokeColor, v, [&] { applyStroke(v); });
  }
  HRESULT get_FillColor(OLE_COLOR* v) override { return get(m_fillColor, v); }
  HRESULT put_FillColor(OLE_COLOR v) override
  {
    return put(m_fillColor, v, [&] { applyFill(v); });
  }
  HRESULT get_LineCap(std::int32_t* v) override { return get(m_lineCap, v); }
  HRESULT put_LineCap(std::int32_t v) override
  {
    return put(m_lineCap, v, [&] { setLineCap(m_doc, v); });
  }
  HRESULT get_LineJoin(std::int32_t* v) override { return get(m_lineJoin, v); }
  HRESULT put_LineJoin(std::int32_t v) override
  {
    return put(m_lineJoin, v, [&] { setLineJoin(m_doc, v); });
  }
  HRESULT get_TextRotation(float* v) override { return get(m_textRotation, v); }
  HRESULT put_TextRotation(float v) override
  {
    return putReal("TextRotation", m_textRotation, v, [&] { setTextRotation(m_doc, v); });
  }
  HRESULT get_LineMiterLength(float* v) override { return get(m_lineMiterLength, v); }
  HRESULT put_LineMiterLength(float v) override
  {
    return putReal("LineMiterLength", m_lineMiterLength, v, [&] { setMiterLimit(m_doc, v); });
  }
  HRESULT get_TextUnderLine(VARIANT_BOOL* v) override { return get(m_textUnderLine, v); }
  HRESULT put_TextUnderLine(VARIANT_BOOL v) override
  {
    m_textUnderLine = v;
    // A document flag: it holds between pages too.
    if (m_doc)
      setUnderline(m_doc, v != VARIANT_FALSE);
    return S_OK;
  }
  HRESULT get_ImageScaleX(float* v) override { return get(m_imageScaleX, v); }
  HRESULT put_ImageScaleX(float v) override
  {
    return putReal("ImageScaleX", m_imageScaleX, v, [] {});
  }
  HRESULT get_ImageScaleY(float* v) override { return get(m_imageScaleY, v); }
  HRESULT put_ImageScaleY(float v) override
  {
    return putReal("ImageScaleY", m_imageScaleY, v, [] {});
  }
  HRESULT get_ImageRotation(float* v) override { return get(m_imageRotation, v); }
  HRESULT put_ImageRotation(float v) override
  {
    return putReal("ImageRotation", m_imageRotation, v, [] {});
  }
  HRESULT get_ImageQuality(std::int32_t* v) override { return get(m_imageQuality, v); }
  HRESULT put_ImageQuality(std::int32_t v) override
  {
    return put(m_imageQuality, v, [] {});
  }
  HRESULT get_FontEmbed(VARIANT_BOOL* v) override { return get(m_fontEmbed, v); }
  HRESULT put_FontEmbed(VARIANT_BOOL v) override
  {
    return put(m_fontEmbed, v, [] {});
  }

  HRESULT NewPage() override
  {
    return guarded("NewPage", [&] {
      if (!m_doc)
        return raise(E_UNEXPECTED, CLSID_Quillet, IID_IQuillet,
                     "NewPage: no document is open; call Open first");
      if (m_pageOpen)
        EndPage();
      beginPage(m_doc, m_paperWidth, m_paperHeight);
      m_pageOpen = m_doc->state == kPageInProgress;
      if (!m_pageOpen)
        return raise(E_FAIL, CLSID_Quillet, IID_IQuillet,
                     "NewPage: no page could be begun: " +
                         (m_doc->failed ? "writing the document failed, " +
                                              systemReason(m_doc->errorNumber)
                                        : std::string("the document does not accept one")));
      carryStateToPage();
      return S_OK;
    });
  }

  HRESULT EndPage() override
  {
    return guarded("EndPage", [&] {
      if (!m_doc || !m_pageOpen)
        return S_OK;
      writePageObject(m_doc);
      m_pageOpen = false;
      return S_OK;
    });
  }

  // Opens `path` as get_Open does, for callers holding the object itself:
  // S_OK when the document was opened, S_FALSE when it was not.
  HRESULT OpenFile(const char* path)
  {
    std::int32_t result = -1;
    const HRESULT hr = get_Open(path, &result);
    return SUCCEEDED(hr) && result == 1 ? S_OK : S_FALSE;
  }

  HRESULT get_Open(const char* filename, std::int32_t* result) override
  {
    if (!result)
      return E_POINTER;
    return guarded("Open", [&] {
      *result = -1;
      if (m_doc) {
        const HRESULT closed = Close();
        if (FAILED(closed))
          return closed;
      }
      resetDefaults();
      if (!filename)
        return S_OK;
      // The properties kept by resetDefaults reach a new document only
      // when they are put again.
      int reason = 0;
      m_doc = openDocument(filename, kOpenedVersion, OpenOptions{}, &reason);
      if (!m_doc) {
        // The result says it; the error info says why, for a client that asks.
        raise(S_OK, CLSID_Quillet, IID_IQuillet,
              "Could not open " + std::string(filename) + ": " + systemReason(reason));
        return S_OK;
      }
      *result = 1;
      return S_OK;
    });
  }

  HRESULT Close() override
  {
    return guarded("Close", [&] {
      if (!m_doc)
        return S_OK;
      if (m_pageOpen)
        EndPage();
      // closeDocument refuses a document without a page; only the words
      // for that refusal are chosen here.
      const bool written = closeDocument(m_doc);
      const bool noPage = m_doc->pageCount == 0;
      const int reason = m_doc->errorNumber;
      const std::string path = m_doc->targetPath;
      freeDocument(m_doc);
      m_doc = nullptr;
      if (written)
        return S_OK;
      return raise(E_FAIL, CLSID_Quillet, IID_IQuillet,
                   noPage ? "The document has no page."
                          : "Could not write " + path + ": " + systemReason(reason));
    });
  }

  HRESULT TextOut(const char* text) override
  {
    return guarded("TextOut", [&] {
      if (const HRESULT refused = refuseWithoutPage("TextOut"); FAILED(refused))
        return refused;
      applyFontStyle();
      const std::string bytes = selectedFontBytes(m_doc, text ? text : "");
      if (const HRESULT refused = refuseText("TextOut", bytes, true, 0, 0); FAILED(refused))
        return refused;
      showTextNextLine(m_doc, bytes.c_str(), bytes.size());
      return S_OK;
    });
  }

  HRESULT MoveTo(float x, float y) override
  {
    return draw("MoveTo", {x, y}, [&] {
      if (m_strokePending) {
        applyStroke(m_strokeColor);
        m_strokePending = false;
      }
      pathMoveTo(m_doc, x, y);
    });
  }
  HRESULT LineTo(float x, float y) override
  {
    return draw("LineTo", {x, y}, [&] { pathLineTo(m_doc, x, y); });
  }
  HRESULT CurveTo(float x1, float y1, float x2, float y2, float x3, float y3) override
  {
    return draw("CurveTo", {x1, y1, x2, y2, x3, y3},
                [&] { pathCurveTo(m_doc, x1, y1, x2, y2, x3, y3); });
  }
  HRESULT Stroke() override
  {
    return draw("Stroke", {}, [&] { strokePath(m_doc); });
  }
  HRESULT Fill() override
  {
    return draw("Fill", {}, [&] { fillPath(m_doc); });
  }
  HRESULT StrokeAndFill() override
  {
    return draw("StrokeAndFill", {}, [&] { fillStrokePath(m_doc); });
  }

  HRESULT get_InitFont(const char* fontname, std::int32_t* result) override
  {
    if (!result)
      return E_POINTER;
    return guarded("InitFont", [&] {
      *result = -1;
      if (m_doc && fontname)
        *result = addFont(m_doc, fontname, m_fontEmbed != VARIANT_FALSE);
      return S_OK;
    });
  }

  HRESULT SetRect(float x, float y, float width, float height) override
  {
    return draw("SetRect", {x, y, width, height},
                [&] { pathRectangle(m_doc, x, y, width, height); });
  }

  HRESULT TextOutXY(float x, float y, const char* text) override
  {
    return guarded("TextOutXY", [&] {
      if (const HRESULT refused = refuseNumbers("TextOutXY", {x, y}); FAILED(refused))
        return refused;
      if (const HRESULT refused = refuseWithoutPage("TextOutXY"); FAILED(refused))
        return refused;
      applyFontStyle();
      const std::string bytes = selectedFontBytes(m_doc, text ? text : "");
      if (const HRESULT refused = refuseText("TextOutXY", bytes, false, x, y); FAILED(refused))
        return refused;
      showTextAt(m_doc, bytes.c_str(), bytes.size(), x, y);
      return S_OK;
    });
  }

  HRESULT ImageOut(float x, float y, const char* filename) override
  {
    return guarded("ImageOut", [&] {
      if (const HRESULT refused = refuseNumbers("ImageOut", {x, y}); FAILED(refused))
        return refused;
      if (!filename)
        return raise(E_INVALIDARG, CLSID_Quillet, IID_IQuillet, "ImageOut: no file name was given");
      if (const HRESULT refused = refuseWithoutPage("ImageOut"); FAILED(refused))
        return refused;
      // The rows are compressed as they are read; a picture that turns out
      // unreadable leaves no image written, and its reason outranks any
      // refusal of the placement.
      ImageRows image(filename);
      HRESULT placed = S_OK;
      if (image.width() > 0)
        placed = placeScaled("ImageOut", x, y, image.width(), image.height(), [&] {
          return addImageRows(m_doc, image, image.width(), image.height(), m_imageQuality);
        });
      if (image.finish() != kImageOk)
        return raise(E_FAIL, CLSID_Quillet, IID_IQuillet,
                     "ImageOut: " +
                         describeImageError(filename, lastImageError(), lastImageOpenError()));
      return placed;
    });
  }

  HRESULT ImageOutMem(float x, float y, const std::uint8_t* image, float width,
                      float height) override
  {
    return guarded("ImageOutMem", [&] {
      if (const HRESULT refused = refuseNumbers("ImageOutMem", {x, y}); FAILED(refused))
        return refused;
      // Sizes are whole pixels, held to the picture budget before their
      // product is taken.
      for (const auto& [name, side] : {std::pair{"width", width}, std::pair{"height", height}}) {
        std::string fault;
        if (!std::isfinite(side))
          fault = " is not a finite number";
        else if (!(side >= 1))
          fault = " is less than 1 pixel";
        else if (side > 2147483647.0f)
          fault = " is more than " + std::to_string(kLargestPictureSide) + " pixels";
        if (!fault.empty())
          return raise(E_INVALIDARG, CLSID_Quillet, IID_IQuillet,
                       std::string("ImageOutMem: the ") + name + " " + numberText(side) + fault +
                           "; pictures of 1 to " + std::to_string(kLargestPictureSide) +
                           " pixels on a side and up to " +
                           std::to_string(kLargestPicturePixels / 1'000'000) +
                           " megapixels can be placed");
      }
      const auto w = static_cast<long long>(width), h = static_cast<long long>(height);
      if (const std::string refusal = pictureBudgetRefusal("the picture", w, h); !refusal.empty())
        return raise(E_INVALIDARG, CLSID_Quillet, IID_IQuillet, "ImageOutMem: " + refusal);
      if (!image)
        return raise(E_POINTER, CLSID_Quillet, IID_IQuillet,
                     "ImageOutMem: the image pointer is null; it must point to width \u00D7 "
                     "height \u00D7 3 bytes of RGB pixels");
      if (const HRESULT refused = refuseWithoutPage("ImageOutMem"); FAILED(refused))
        return refused;
      return placeScaled("ImageOutMem", x, y, int(w), int(h), [&] {
        return addImage(m_doc, "raw", "memory", image, std::int64_t(w) * h * 3, int(w), int(h), 3,
                        8, "", m_imageQuality);
      });
    });
  }

  HRESULT Encrypt(std::int32_t permission, const char* ownerPassword,
                  const char* userPassword) override
  {
    return guarded("Encrypt", [&] {
      const char* refusal = !m_doc            ? "no document is open"
                            : m_doc->security ? "the document is already encrypted"
                            : m_pageOpen || m_doc->pageCount > 0 ? "a page has been written"
                                                                 : nullptr;
      if (refusal)
        return raise(E_UNEXPECTED, CLSID_Quillet, IID_IQuillet,
                     std::string("Encrypt must follow Open before any page: ") + refusal);
      // A password may hold only characters of PDFDocEncoding, the
      // character set of the security handler. Its bytes stay UTF-8: that
      // is what the common readers hash when the password is typed in.
      const std::string owner = ownerPassword ? ownerPassword : "";
      const std::string user = userPassword ? userPassword : "";
      const bool ownerFits = utf8ToPdfDocEncoding(owner).has_value();
      if (!ownerFits || !utf8ToPdfDocEncoding(user))
        return raise(E_INVALIDARG, CLSID_Quillet, IID_IQuillet,
                     std::string("Encrypt: the ") + (ownerFits ? "user" : "owner") +
                         " password holds a character that PDF passwords cannot hold; use "
                         "Latin letters, digits and the common signs of PDFDocEncoding");
      if (!setupEncryption(m_doc, permission, 16, owner, user))
        return raise(E_UNEXPECTED, CLSID_Quillet, IID_IQuillet,
                     "Encrypt must follow Open before any page: the document has already "
                     "written data");
      return S_OK;
    });
  }

  HRESULT get_StringWidth(const char* text, float* result) override
  {
    if (!result)
      return E_POINTER;
    return guarded("StringWidth", [&] {
      *result = 0;
      if (onPage() && text) {
        const std::string bytes = selectedFontBytes(m_doc, text);
        *result = static_cast<float>(stringWidth(m_doc, bytes.data(), bytes.size()));
      }
      return S_OK;
    });
  }

private:
  friend ServerObject;

  // Objects die through Release.
  ~Quillet() { discardDocument(); }

  bool onPage() const { return m_doc && m_pageOpen; }

  // No file is written: an existing one at the path stays as it was.
  void discardDocument()
  {
    if (m_doc)
      freeDocument(m_doc);
    m_doc = nullptr;
    m_pageOpen = false;
  }

  template <typename T>
  HRESULT get(const T& field, T* out)
  {
    if (!out)
      return E_POINTER;
    *out = field;
    return S_OK;
  }

  template <typename T, typename Drive>
  HRESULT put(T& field, T value, Drive drive)
  {
    return guarded("put", [&] {
      field = value;
      if (onPage())
        drive();
      return S_OK;
    });
  }

  template <typename Drive>
  HRESULT draw(const char* member, std::initializer_list<double> numbers, Drive body)
  {
    return guarded(member, [&] {
      if (const HRESULT refused = refuseNumbers(member, numbers); FAILED(refused))
        return refused;
      if (const HRESULT refused = refuseWithoutPage(member); FAILED(refused))
        return refused;
      body();
      return S_OK;
    });
  }

  // A real property: a value the file cannot carry is refused and not kept.
  template <typename Drive>
  HRESULT putReal(const char* member, float& field, float value, Drive drive)
  {
    if (const HRESULT refused = refuseNumbers(member, {value}); FAILED(refused))
      return refused;
    return put(field, value, drive);
  }

  // A page side outside what the documents Open starts accept is refused
  // when it is put, so that NewPage can always begin a page.
  HRESULT putPaperSide(const char* member, float& field, float value)
  {
    const PageSideRange range = pageSideRange(kOpenedVersion);
    if (!(value >= range.smallest && value <= range.largest))
      return raise(E_INVALIDARG, CLSID_Quillet, IID_IQuillet,
                   std::string(member) + ": the value " + numberText(value) +
                       " is outside the page sides from " + numberText(range.smallest) + " to " +
                       numberText(range.largest) + " points that a PDF 1.3 file accepts");
    field = value;
    return S_OK;
  }

  HRESULT refuseWithoutPage(const char* member) const
  {
    if (onPage())
      return S_OK;
    return raise(E_UNEXPECTED, CLSID_Quillet, IID_IQuillet,
                 std::string(member) + (m_doc ? ": no page is open; call NewPage first"
                                              : ": no document is open; call Open and NewPage first"));
  }

  // Text whose end, position or lines would pass the file's number range
  // is refused before anything of it is written.
  HRESULT refuseText(const char* member, const std::string& bytes, bool nextLine, float x, float y)
  {
    if (const auto number =
            unwritableTextNumber(m_doc, bytes.c_str(), bytes.size(), nextLine, x, y))
      return raise(E_INVALIDARG, CLSID_Quillet, IID_IQuillet,
                   std::string(member) + ": " + describeNumberRefusal(number->value, number->what));
    return S_OK;
  }

  static HRESULT refuseNumbers(const char* member, std::initializer_list<double> numbers)
  {
    for (double v : numbers)
      if (!fitsPdfNumber(v))
        return raise(E_INVALIDARG, CLSID_Quillet, IID_IQuillet,
                     std::string(member) + ": " + describeNumberRefusal(v));
    return S_OK;
  }

  HRESULT getText(const char* member, const std::string& field, char** out)
  {
    if (!out)
      return E_POINTER;
    *out = copyString(field);
    if (!*out)
      return raise(E_OUTOFMEMORY, CLSID_Quillet, IID_IQuillet,
                   std::string(member) + ": out of memory");
    return S_OK;
  }

  HRESULT putInfo(const char* name, std::string& field, const char* value)
  {
    return guarded(name, [&] {
      field = value ? value : "";
      writeInfo(name, field);
      return S_OK;
    });
  }

  void writeInfo(const std::string& name, const std::string& utf8)
  {
    if (!m_doc)
      return;
    // An empty text leaves the entry as it was.
    setInfoEntry(m_doc, name, utf8ToPdfText(utf8));
  }

  void applyFill(OLE_COLOR c)
  {
    setFillRGB(m_doc, component(c, 0), component(c, 8), component(c, 16));
  }

  void applyStroke(OLE_COLOR c)
  {
    setStrokeRGB(m_doc, component(c, 0), component(c, 8), component(c, 16));
  }

  void applyFontStyle()
  {
    selectFontStyle(m_doc, m_fontBold != VARIANT_FALSE, static_cast<float>(m_fontItalicAngle));
  }

  // A new page starts with black colours and the default line state; a
  // StrokeColor put before it comes back at the next MoveTo. The selected
  // font is carried over, so that text is never dropped for want of one.
  void carryStateToPage()
  {
    if (m_fontId >= 0 && static_cast<std::size_t>(m_fontId) < m_doc->fonts.size())
      selectFont(m_doc, m_fontId, m_fontSize);
  }

  // Places the image slot that `add` makes of a width x height picture.
  template <typename Add>
  HRESULT placeScaled(const char* member, float x, float y, int width, int height, Add add)
  {
    // The placement matrix carries the scaled sides.
    if (const HRESULT refused = refuseNumbers(
            member, {double(m_imageScaleX) * width, double(m_imageScaleY) * height});
        FAILED(refused))
      return refused;
    const int slot = add();
    if (slot >= 0)
      placeImage(m_doc, slot, x, y, m_imageScaleX, m_imageScaleY, m_imageRotation);
    return S_OK;
  }

  // The PDF version of the documents Open starts: 1.3.
  static constexpr int kOpenedVersion = 13;

  PdfDocument* m_doc = nullptr;
  bool m_pageOpen = false;
  std::string m_title, m_keywords, m_author, m_subject, m_creator;
  float m_charSpace = 0, m_wordSpace = 0, m_lineWidth = 1, m_paperWidth = 595;
  float m_paperHeight = 842, m_textRise = 0, m_textLeading = 0;
  std::int32_t m_fontId = 0;
  float m_fontSize = 10;
  VARIANT_BOOL m_fontBold = VARIANT_FALSE, m_fontEmbed = VARIANT_FALSE;
  VARIANT_BOOL m_textUnderLine = VARIANT_FALSE;
  std::int32_t m_fontItalicAngle = 0;
  OLE_COLOR m_textColor = 0, m_strokeColor = 0, m_fillColor = 0;
  std::int32_t m_lineCap = 0, m_lineJoin = 0;
  float m_textRotation = 0, m_lineMiterLength = 10;
  float m_imageScaleX = 1, m_imageScaleY = 1, m_imageRotation = 0;
  std::int32_t m_imageQuality = 75;
  // StrokeColor is applied again at the next MoveTo.
  bool m_strokePending = false;
};

} // namespace quillet
