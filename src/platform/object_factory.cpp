#include "platform/object_factory.h"

#include "quillet/quillet.h"
#include "runtime/line_reader.h"
#include "runtime/path_util.h"

#include <cstdio>
#include <cstdlib>
#include <dlfcn.h>
#include <mutex>
#include <utility>
#include <unistd.h>

namespace tarvek {

namespace {

struct BuiltIn {
  const char* progId;
  GUID clsid;
  const char* library;
};

constexpr BuiltIn kBuiltIns[] = {
    {"QuilletLib.Quillet", CLSID_Quillet, "libquillet.so"},
    {"QuilletLib.Quillet.1", CLSID_Quillet, "libquillet.so"},
    {"QuilletLib.QuilletFactory", CLSID_QuilletFactory, "libquillet.so"},
    {"QuilletLib.QuilletFactory.1", CLSID_QuilletFactory, "libquillet.so"},
};

char upper(char c)
{
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool equalBlind(const std::string& a, const std::string& b)
{
  if (a.size() != b.size())
    return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (upper(a[i]) != upper(b[i]))
      return false;
  return true;
}

std::string hex(HRESULT hr)
{
  char text[16];
  std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(hr));
  return text;
}

bool parseGuid(const std::string& text, GUID& guid)
{
  unsigned d1, d2, d3, b[8];
  char close = 0;
  if (std::sscanf(text.c_str(), "{%8x-%4x-%4x-%2x%2x-%2x%2x%2x%2x%2x%2x%c", &d1, &d2, &d3, &b[0],
                  &b[1], &b[2], &b[3], &b[4], &b[5], &b[6], &b[7], &close) != 12 ||
      close != '}' || text.size() != 38)
    return false;
  guid.Data1 = d1;
  guid.Data2 = static_cast<std::uint16_t>(d2);
  guid.Data3 = static_cast<std::uint16_t>(d3);
  for (int i = 0; i < 8; ++i)
    guid.Data4[i] = static_cast<std::uint8_t>(b[i]);
  return true;
}

std::string classFilePath()
{
  if (const char* config = std::getenv("XDG_CONFIG_HOME"); config && *config)
    return std::string(config) + "/progid/classes.ini";
  if (const char* home = std::getenv("HOME"); home && *home)
    return std::string(home) + "/.config/progid/classes.ini";
  return {};
}

// The class file's lines, read once per creation; empty when absent.
std::vector<std::string> readClassFile(const std::string& path)
{
  std::vector<std::string> lines;
  if (path.empty())
    return lines;
  LineReader in(path);
  std::string line;
  while (in.next(line))
    lines.push_back(line);
  return lines;
}

// The default value of a section of the class file; "" when absent.
std::string defaultValue(const std::vector<std::string>& classFile, const std::string& key)
{
  bool inSection = false;
  for (const std::string& line : classFile) {
    if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
      inSection = equalBlind(line.substr(1, line.size() - 2), key);
      continue;
    }
    if (inSection && line.rfind("@=", 0) == 0)
      return line.substr(2);
  }
  return {};
}

// The library each ProgID was last created from, for its error texts.
struct LoadedServers {
  std::mutex mutex;
  std::vector<std::pair<std::string, void*>> byProgId;
};

LoadedServers& loadedServers()
{
  static LoadedServers servers;
  return servers;
}

void rememberServer(const std::string& progId, void* handle)
{
  LoadedServers& servers = loadedServers();
  const std::lock_guard lock(servers.mutex);
  for (auto& entry : servers.byProgId)
    if (equalBlind(entry.first, progId)) {
      entry.second = handle;
      return;
    }
  servers.byProgId.emplace_back(progId, handle);
}

void* serverOf(const std::string& progId)
{
  LoadedServers& servers = loadedServers();
  const std::lock_guard lock(servers.mutex);
  for (const auto& entry : servers.byProgId)
    if (equalBlind(entry.first, progId))
      return entry.second;
  return nullptr;
}

// The library handle, or null with the loader's reason in `reason`. Never
// closed: objects of the library may outlive any one caller.
void* load(const std::string& path, std::string& reason)
{
  void* handle = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!handle) {
    const char* error = ::dlerror();
    reason = error ? error : "cannot be loaded";
  }
  return handle;
}

bool callExport(const std::string& libraryPath, const char* name, std::string* message)
{
  auto report = [&](const std::string& reason) {
    if (message)
      *message = "Cannot run " + std::string(name) + " of " + libraryPath + ": " + reason;
    return false;
  };
  std::string reason;
  void* handle = load(libraryPath, reason);
  if (!handle)
    return report(reason);
  auto entry = reinterpret_cast<DllRegisterServerFn>(::dlsym(handle, name));
  if (!entry)
    return report("the library has no export " + std::string(name));
  const HRESULT hr = entry();
  if (FAILED(hr))
    return report("it returned " + hex(hr));
  if (message)
    message->clear();
  return true;
}

} // namespace

CreatedObject createObject(const std::string& progId, const GUID& iid,
                           const std::vector<std::string>& searchFolders)
{
  CreatedObject result;
  auto failure = [&](const std::string& reason) {
    result.message = "Cannot create \"" + progId + "\": " + reason;
    return result;
  };

  GUID clsid{};
  void* handle = nullptr;
  std::string reason;
  const std::vector<std::string> classFile = readClassFile(classFilePath());
  const std::string registered = defaultValue(classFile, progId + "\\CLSID");
  if (!registered.empty()) {
    if (!parseGuid(registered, clsid))
      return failure("the class file gives the malformed class id " + registered);
    const std::string library =
        defaultValue(classFile, "CLSID\\" + registered + "\\InprocServer32");
    if (library.empty())
      return failure("the class file names no library for " + registered);
    handle = load(library, reason);
    if (!handle)
      return failure("the library " + library + " cannot be loaded: " + reason);
  } else {
    const BuiltIn* builtIn = nullptr;
    for (const BuiltIn& candidate : kBuiltIns)
      if (equalBlind(candidate.progId, progId))
        builtIn = &candidate;
    if (!builtIn)
      return failure("no such class is registered");
    clsid = builtIn->clsid;
    std::vector<std::string> folders = searchFolders;
    if (folders.empty()) {
      const std::string here = executableFolder();
      if (!here.empty()) {
        folders.push_back(here);
        folders.push_back(here + "/../lib");
      }
    }
    for (const std::string& folder : folders) {
      const std::string candidate = folder + "/" + builtIn->library;
      if (::access(candidate.c_str(), F_OK) == 0) {
        handle = load(candidate, reason);
        if (!handle)
          return failure("the library " + candidate + " cannot be loaded: " + reason);
        break;
      }
    }
    if (!handle && searchFolders.empty())
      handle = load(builtIn->library, reason);
    if (!handle)
      return failure("the library " + std::string(builtIn->library) + " was not found" +
                     (reason.empty() ? std::string() : ": " + reason));
  }

  auto getClassObject = reinterpret_cast<DllGetClassObjectFn>(::dlsym(handle, "DllGetClassObject"));
  if (!getClassObject)
    return failure("the library has no export DllGetClassObject");
  IClassFactory* classObject = nullptr;
  HRESULT hr = getClassObject(&clsid, &IID_IClassFactory, reinterpret_cast<void**>(&classObject));
  if (FAILED(hr) || !classObject)
    return failure("DllGetClassObject returned " + hex(hr));
  hr = classObject->CreateInstance(nullptr, &iid, &result.object);
  classObject->Release();
  if (FAILED(hr) || !result.object) {
    result.object = nullptr;
    return failure("CreateInstance returned " + hex(hr));
  }
  rememberServer(progId, handle);
  return result;
}

std::string lastObjectError(const std::string& progId)
{
  void* handle = serverOf(progId);
  if (!handle)
    return {};
  auto describe = reinterpret_cast<QuilletGetErrorDescriptionFn>(
      ::dlsym(handle, "QuilletGetErrorDescription"));
  auto release = reinterpret_cast<QuilletFreeStringFn>(::dlsym(handle, "QuilletFreeString"));
  if (!describe || !release)
    return {};
  char* text = nullptr;
  if (describe(&text, nullptr, nullptr) != S_OK || !text) {
    release(text);
    return {};
  }
  std::string description = text;
  release(text);
  return description;
}

bool registerServer(const std::string& libraryPath, std::string* message)
{
  return callExport(libraryPath, "DllRegisterServer", message);
}

bool unregisterServer(const std::string& libraryPath, std::string* message)
{
  return callExport(libraryPath, "DllUnregisterServer", message);
}

} // namespace tarvek
