#pragma once

// The small COM-style binary interface that the Quillet library and the
// programs that load it share: result codes, identities, the base interfaces
// and the exports of an in-process server. Interfaces are plain vtables; they
// have no virtual destructor, since that would shift every slot after it, and
// objects die through Release.

#include <cstdint>

using HRESULT = std::int32_t;
using VARIANT_BOOL = std::int16_t;
// 0x00BBGGRR
using OLE_COLOR = std::uint32_t;

constexpr VARIANT_BOOL VARIANT_TRUE = -1;
constexpr VARIANT_BOOL VARIANT_FALSE = 0;

constexpr HRESULT S_OK = 0;
constexpr HRESULT S_FALSE = 1;
constexpr HRESULT E_NOTIMPL = static_cast<HRESULT>(0x80004001u);
constexpr HRESULT E_NOINTERFACE = static_cast<HRESULT>(0x80004002u);
constexpr HRESULT E_POINTER = static_cast<HRESULT>(0x80004003u);
constexpr HRESULT E_FAIL = static_cast<HRESULT>(0x80004005u);
constexpr HRESULT E_UNEXPECTED = static_cast<HRESULT>(0x8000FFFFu);
constexpr HRESULT E_OUTOFMEMORY = static_cast<HRESULT>(0x8007000Eu);
constexpr HRESULT E_INVALIDARG = static_cast<HRESULT>(0x80070057u);
constexpr HRESULT CLASS_E_NOAGGREGATION = static_cast<HRESULT>(0x80040110u);
constexpr HRESULT CLASS_E_CLASSNOTAVAILABLE = static_cast<HRESULT>(0x80040111u);
constexpr HRESULT SELFREG_E_CLASS = static_cast<HRESULT>(0x80040201u);

constexpr bool SUCCEEDED(HRESULT hr)
{
  return hr >= 0;
}
constexpr bool FAILED(HRESULT hr)
{
  return hr < 0;
}

struct GUID {
  std::uint32_t Data1;
  std::uint16_t Data2;
  std::uint16_t Data3;
  std::uint8_t Data4[8];
};

constexpr bool operator==(const GUID& a, const GUID& b)
{
  if (a.Data1 != b.Data1 || a.Data2 != b.Data2 || a.Data3 != b.Data3)
    return false;
  for (int i = 0; i < 8; ++i)
    if (a.Data4[i] != b.Data4[i])
      return false;
  return true;
}

constexpr GUID IID_IUnknown = {0x00000000, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
constexpr GUID IID_IClassFactory = {0x00000001, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
constexpr GUID IID_IDispatch = {0x00020400, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
constexpr GUID IID_ISupportErrorInfo = {
    0xDF0B3D60, 0x548F, 0x101B, {0x8E, 0x65, 0x08, 0x00, 0x2B, 0x2B, 0xF1, 0x9B}};

struct IUnknown {
  virtual HRESULT QueryInterface(const GUID* riid, void** object) = 0;
  virtual std::uint32_t AddRef() = 0;
  virtual std::uint32_t Release() = 0;
};

struct IClassFactory : IUnknown {
  // outer must be null: no class here aggregates.
  virtual HRESULT CreateInstance(IUnknown* outer, const GUID* riid, void** object) = 0;
  // A non-zero lock keeps the server loaded until the matching unlock.
  virtual HRESULT LockServer(std::int32_t lock) = 0;
};

// Late binding is not offered: every member returns E_NOTIMPL. The slots are
// there so that the members after them sit where callers expect.
struct IDispatch : IUnknown {
  virtual HRESULT GetTypeInfoCount(std::uint32_t* count) = 0;
  virtual HRESULT GetTypeInfo(std::uint32_t index, std::uint32_t locale, void** info) = 0;
  virtual HRESULT GetIDsOfNames(const GUID* riid, char** names, std::uint32_t count,
                                std::uint32_t locale, std::int32_t* ids) = 0;
  virtual HRESULT Invoke(std::int32_t id, const GUID* riid, std::uint32_t locale,
                         std::uint16_t flags, void* params, void* result, void* exception,
                         std::uint32_t* argumentError) = 0;
};

struct ISupportErrorInfo : IUnknown {
  // S_OK when failures of the interface come with an error description.
  virtual HRESULT InterfaceSupportsErrorInfo(const GUID* riid) = 0;
};

#define QUILLET_EXPORT extern "C" __attribute__((visibility("default")))

// The exports every in-process server has, as the loader calls them.
using DllCanUnloadNowFn = HRESULT (*)();
using DllGetClassObjectFn = HRESULT (*)(const GUID* clsid, const GUID* riid, void** object);
using DllRegisterServerFn = HRESULT (*)();
using DllUnregisterServerFn = HRESULT (*)();
