// A PDF library object that records every call as one text line and
// answers from a script, for tests of the code that drives the library.
#pragma once

#include "imaging/pdf_report.h"
#include "quillet/quillet.h"

#include <charconv>
#include <cstdint>
#include <string>
#include <vector>

namespace tarvek::test {

// Each interface member appends "name(arguments)" to log: numbers in their
// shortest form, texts in double quotes. Puts keep their value, so gets
// read it back. The test keeps the object; Release only counts.
class RecordingQuillet : public IQuillet {
public:
  // The script.
  std::int32_t openResult = 1;
  std::int32_t fontResult = 0;
  float stringWidth = 100.0f;
  // The member (by name) that fails with failure, and the description the
  // server gives for it.
  std::string failOn;
  HRESULT failure = E_FAIL;
  std::string errorDescription;

  std::vector<std::string> log;
  int references = 0;

  // A server whose objects are this one; each creation logs "create".
  QuilletServer server()
  {
    return {[this] {
              log.push_back("create");
              AddRef();
              return CreatedObject{static_cast<IQuillet*>(this), {}};
            },
            [this] { return errorDescription; }};
  }

  HRESULT QueryInterface(const GUID*, void** object) override
  {
    if (object)
      *object = nullptr;
    return E_NOINTERFACE;
  }
  std::uint32_t AddRef() override { return static_cast<std::uint32_t>(++references); }
  std::uint32_t Release() override { return static_cast<std::uint32_t>(--references); }
  HRESULT GetTypeInfoCount(std::uint32_t*) override { return E_NOTIMPL; }
  HRESULT GetTypeInfo(std::uint32_t, std::uint32_t, void**) override { return E_NOTIMPL; }
  HRESULT GetIDsOfNames(const GUID*, char**, std::uint32_t, std::uint32_t,
                        std::int32_t*) override
  {
    return E_NOTIMPL;
  }
  HRESULT Invoke(std::int32_t, const GUID*, std::uint32_t, std::uint16_t, void*, void*, void*,
                 std::uint32_t*) override
  {
    return E_NOTIMPL;
  }

#define RECORDING_TEXT(Name)                                                                     \
  std::string m_##Name;                                                                          \
  HRESULT get_##Name(char** value) override                                                      \
  {                                                                                              \
    if (value)                                                                                   \
      *value = nullptr;                                                                          \
    return call("get_" #Name);                                                                   \
  }                                                                                              \
  HRESULT put_##Name(const char* value) override                                                 \
  {                                                                                              \
    m_##Name = value ? value : "";                                                               \
    return call("put_" #Name, quoted(value));                                                    \
  }
#define RECORDING_VALUE(Type, Name, Initial)                                                     \
  Type m_##Name = Initial;                                                                       \
  HRESULT get_##Name(Type* value) override                                                       \
  {                                                                                              \
    if (value)                                                                                   \
      *value = m_##Name;                                                                         \
    return call("get_" #Name);                                                                   \
  }                                                                                              \
  HRESULT put_##Name(Type value) override                                                        \
  {                                                                                              \
    m_##Name = value;                                                                            \
    return call("put_" #Name, number(value));                                                    \
  }

  RECORDING_TEXT(Author)
  RECORDING_TEXT(Title)
  RECORDING_TEXT(Keywords)
  RECORDING_TEXT(Subject)
  RECORDING_TEXT(Creator)
  RECORDING_VALUE(float, CharSpace, 0.0f)
  RECORDING_VALUE(float, WordSpace, 0.0f)
  RECORDING_VALUE(float, LineWidth, 1.0f)
  RECORDING_VALUE(float, PaperWidth, 595.0f)
  RECORDING_VALUE(float, PaperHeight, 842.0f)
  RECORDING_VALUE(float, TextRise, 0.0f)
  RECORDING_VALUE(float, TextLeading, 0.0f)
  RECORDING_VALUE(std::int32_t, FontID, 0)
  RECORDING_VALUE(float, FontSize, 10.0f)
  RECORDING_VALUE(VARIANT_BOOL, FontBold, VARIANT_FALSE)
  RECORDING_VALUE(std::int32_t, FontItalicAngle, 0)
  RECORDING_VALUE(OLE_COLOR, TextColor, 0u)
  RECORDING_VALUE(OLE_COLOR, StrokeColor, 0u)
  RECORDING_VALUE(OLE_COLOR, FillColor, 0u)
  RECORDING_VALUE(std::int32_t, LineCap, 0)
  RECORDING_VALUE(std::int32_t, LineJoin, 0)
  RECORDING_VALUE(float, TextRotation, 0.0f)
  RECORDING_VALUE(float, LineMiterLength, 0.0f)
  RECORDING_VALUE(VARIANT_BOOL, TextUnderLine, VARIANT_FALSE)
  RECORDING_VALUE(float, ImageScaleX, 1.0f)
  RECORDING_VALUE(float, ImageScaleY, 1.0f)
  RECORDING_VALUE(float, ImageRotation, 0.0f)
  RECORDING_VALUE(std::int32_t, ImageQuality, 75)
  RECORDING_VALUE(VARIANT_BOOL, FontEmbed, VARIANT_FALSE)
#undef RECORDING_TEXT
#undef RECORDING_VALUE

  HRESULT NewPage() override { return call("NewPage"); }
  HRESULT EndPage() override { return call("EndPage"); }
  HRESULT get_Open(const char* filename, std::int32_t* result) override
  {
    if (result)
      *result = openResult;
    return call("get_Open", quoted(filename));
  }
  HRESULT Close() override { return call("Close"); }
  HRESULT TextOut(const char* text) override { return call("TextOut", quoted(text)); }
  HRESULT MoveTo(float x, float y) override { return call("MoveTo", numbers({x, y})); }
  HRESULT LineTo(float x, float y) override { return call("LineTo", numbers({x, y})); }
  HRESULT CurveTo(float x1, float y1, float x2, float y2, float x3, float y3) override
  {
    return call("CurveTo", numbers({x1, y1, x2, y2, x3, y3}));
  }
  HRESULT Stroke() override { return call("Stroke"); }
  HRESULT Fill() override { return call("Fill"); }
  HRESULT StrokeAndFill() override { return call("StrokeAndFill"); }
  HRESULT get_InitFont(const char* fontname, std::int32_t* result) override
  {
    if (result)
      *result = fontResult;
    return call("get_InitFont", quoted(fontname));
  }
  HRESULT SetRect(float x, float y, float width, float height) override
  {
    return call("SetRect", numbers({x, y, width, height}));
  }
  HRESULT TextOutXY(float x, float y, const char* text) override
  {
    return call("TextOutXY", numbers({x, y}) + ", " + quoted(text));
  }
  HRESULT ImageOut(float x, float y, const char* filename) override
  {
    return call("ImageOut", numbers({x, y}) + ", " + quoted(filename));
  }
  HRESULT ImageOutMem(float x, float y, const std::uint8_t*, float width, float height) override
  {
    return call("ImageOutMem", numbers({x, y, width, height}));
  }
  HRESULT Encrypt(std::int32_t permission, const char* ownerPassword,
                  const char* userPassword) override
  {
    return call("Encrypt",
                number(permission) + ", " + quoted(ownerPassword) + ", " + quoted(userPassword));
  }
  HRESULT get_StringWidth(const char* text, float* result) override
  {
    if (result)
      *result = stringWidth;
    return call("get_StringWidth", quoted(text));
  }

  static std::string quoted(const char* text) { return "\"" + std::string(text ? text : "") + "\""; }

  template <typename T>
  static std::string number(T value)
  {
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, value).ptr;
    return std::string(text, end);
  }

  static std::string numbers(std::initializer_list<float> values)
  {
    std::string out;
    for (float value : values)
      out += (out.empty() ? "" : ", ") + number(value);
    return out;
  }

private:
  HRESULT call(const std::string& name, const std::string& arguments = {})
  {
    log.push_back(name + "(" + arguments + ")");
    return name == failOn ? failure : S_OK;
  }
};

} // namespace tarvek::test
