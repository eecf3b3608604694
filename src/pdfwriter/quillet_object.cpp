// The class objects and exports of libquillet.so: QuilletFactory makes
// Quillet objects, and the exports hand out the class objects and register
// them.

#include "pdfwriter/quillet_object.h"

#include "pdfwriter/class_file.h"

#include <charconv>
#include <cmath>

#include <dlfcn.h>

namespace quillet {
namespace {

// The last failure of the calling thread, as error info would hold it.
struct ErrorInfo {
  bool set = false;
  std::string description;
  GUID source{};
  GUID iid{};
};

thread_local ErrorInfo t_error;

} // namespace

std::atomic<long>& serverReferences()
{
  static std::atomic<long> count{0};
  return count;
}

HRESULT raise(HRESULT hr, const GUID& source, const GUID& iid, std::string description)
{
  t_error.set = true;
  t_error.description = std::move(description);
  t_error.source = source;
  t_error.iid = iid;
  return hr;
}

char* copyString(const std::string& text)
{
  char* out = static_cast<char*>(std::malloc(text.size() + 1));
  if (out)
    std::memcpy(out, text.c_str(), text.size() + 1);
  return out;
}

float component(OLE_COLOR c, int shift)
{
  return static_cast<float>((c >> shift) & 0xFF) * (1.0f / 255.0f);
}

std::string systemReason(int errorNumber)
{
  char buffer[256];
  return errorNumber ? ::strerror_r(errorNumber, buffer, sizeof buffer) : "the output failed";
}

std::string numberText(double v)
{
  // Positions and sizes read best without an exponent.
  char digits[64];
  const auto end = std::isfinite(v) && std::fabs(v) < 1e15
                       ? std::to_chars(digits, digits + sizeof digits, v, std::chars_format::fixed).ptr
                       : std::to_chars(digits, digits + sizeof digits, v).ptr;
  return std::string(digits, end);
}

std::string describeNumberRefusal(double v, const std::string& what)
{
  return what + " " + numberText(v) +
         " cannot be written to a PDF 1.3 file, whose numbers are finite and at most "
         "2147483647 in size";
}

namespace {

class QuilletFactory final
    : public ServerObject<QuilletFactory, IQuilletFactory> {
public:
  static constexpr GUID kIid = IID_IQuilletFactory;

  HRESULT QueryInterface(const GUID* riid, void** object) override
  {
    if (!object || !riid)
      return E_POINTER;
    *object = nullptr;
    if (*riid == IID_IUnknown || *riid == IID_IDispatch || *riid == IID_IQuilletFactory)
      *object = static_cast<IQuilletFactory*>(this);
    else if (*riid == IID_ISupportErrorInfo)
      *object = static_cast<ISupportErrorInfo*>(this);
    else
      return E_NOINTERFACE;
    AddRef();
    return S_OK;
  }

  HRESULT CreateQuillet(IQuillet** slot) override
  {
    if (!slot)
      return raise(E_POINTER, CLSID_QuilletFactory, IID_IQuilletFactory,
                   "ppSlot is an invalid pointer");
    *slot = nullptr;
    Quillet* object = new (std::nothrow) Quillet;
    if (!object)
      return E_OUTOFMEMORY;
    IResetDefaults* reset = nullptr;
    HRESULT hr = object->QueryInterface(&IID_IResetDefaults, reinterpret_cast<void**>(&reset));
    if (SUCCEEDED(hr)) {
      hr = reset->resetDefaults();
      reset->Release();
    }
    if (SUCCEEDED(hr))
      hr = object->QueryInterface(&IID_IQuillet, reinterpret_cast<void**>(slot));
    static_cast<IQuillet*>(object)->Release();
    return hr;
  }

private:
  friend ServerObject;

  ~QuilletFactory() = default;
};

// The class object of one class; it lives as long as the library.
template <typename Class, typename Interface>
class ClassObject final : public IClassFactory {
public:
  HRESULT QueryInterface(const GUID* riid, void** object) override
  {
    if (!object || !riid)
      return E_POINTER;
    *object = nullptr;
    if (!(*riid == IID_IUnknown || *riid == IID_IClassFactory))
      return E_NOINTERFACE;
    *object = static_cast<IClassFactory*>(this);
    return S_OK;
  }
  std::uint32_t AddRef() override { return 2; }
  std::uint32_t Release() override { return 1; }

  HRESULT CreateInstance(IUnknown* outer, const GUID* riid, void** object) override
  {
    if (!object || !riid)
      return E_POINTER;
    *object = nullptr;
    if (outer)
      return CLASS_E_NOAGGREGATION;
    Class* created = new (std::nothrow) Class;
    if (!created)
      return E_OUTOFMEMORY;
    const HRESULT hr = created->QueryInterface(riid, object);
    static_cast<Interface*>(created)->Release();
    return hr;
  }

  HRESULT LockServer(std::int32_t lock) override
  {
    if (lock)
      ++serverReferences();
    else
      --serverReferences();
    return S_OK;
  }
};

IClassFactory* classObjectOf(const GUID& clsid)
{
  static ClassObject<Quillet, IQuillet> quillet;
  static ClassObject<QuilletFactory, IQuilletFactory> factory;
  if (clsid == CLSID_Quillet)
    return &quillet;
  if (clsid == CLSID_QuilletFactory)
    return &factory;
  return nullptr;
}

const std::vector<ServerClass>& serverClasses()
{
  static const std::vector<ServerClass> classes = {
      {CLSID_Quillet, "Quillet Class", "QuilletLib.Quillet", LIBID_QuilletLib},
      {CLSID_QuilletFactory,
       "QuilletFactory Class",
       "QuilletLib.QuilletFactory",
       {0x278223E4, 0x16BE, 0x46EE, {0x93, 0xD3, 0x02, 0x81, 0x56, 0x11, 0x08, 0xEC}}},
  };
  return classes;
}

} // namespace

} // namespace quillet

using namespace quillet;

QUILLET_EXPORT HRESULT DllCanUnloadNow()
{
  return serverReferences().load() > 0 ? S_FALSE : S_OK;
}

QUILLET_EXPORT HRESULT DllGetClassObject(const GUID* clsid, const GUID* riid, void** object)
{
  if (!object)
    return E_POINTER;
  *object = nullptr;
  if (!clsid || !riid)
    return E_POINTER;
  IClassFactory* classObject = classObjectOf(*clsid);
  if (!classObject)
    return CLASS_E_CLASSNOTAVAILABLE;
  return classObject->QueryInterface(riid, object);
}

QUILLET_EXPORT HRESULT DllRegisterServer()
{
  try {
    Dl_info info{};
    if (!::dladdr(reinterpret_cast<void*>(&DllRegisterServer), &info) || !info.dli_fname)
      return SELFREG_E_CLASS;
    char* absolute = ::realpath(info.dli_fname, nullptr);
    if (!absolute)
      return SELFREG_E_CLASS;
    const std::string library = absolute;
    std::free(absolute);
    return registerClasses(classFilePath(), serverClasses(), library) ? S_OK : SELFREG_E_CLASS;
  } catch (...) {
    return SELFREG_E_CLASS;
  }
}

QUILLET_EXPORT HRESULT DllUnregisterServer()
{
  try {
    return unregisterClasses(classFilePath(), serverClasses()) ? S_OK : SELFREG_E_CLASS;
  } catch (...) {
    return SELFREG_E_CLASS;
  }
}

QUILLET_EXPORT void QuilletFreeString(char* text)
{
  std::free(text);
}

QUILLET_EXPORT HRESULT QuilletGetErrorDescription(char** description, GUID* source, GUID* iid)
{
  if (description)
    *description = t_error.set ? copyString(t_error.description) : nullptr;
  if (source)
    *source = t_error.source;
  if (iid)
    *iid = t_error.iid;
  return t_error.set ? S_OK : S_FALSE;
}
