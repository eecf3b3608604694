#pragma once

// Creating an object of an in-process server by its ProgID, in place of the
// system's class registry: the per-user class file
// ${XDG_CONFIG_HOME:-$HOME/.config}/progid/classes.ini is read first, then
// the ProgIDs built into the program ("QuilletLib.Quillet", ...). ProgIDs are
// case-blind. A library once loaded stays loaded for the run.

#include "quillet/com_types.h"

#include <string>
#include <vector>

namespace tarvek {

struct CreatedObject {
  // The interface asked for, with one reference for the caller; null on
  // failure.
  void* object = nullptr;
  // Why not, naming the ProgID; empty on success.
  std::string message;
};

// searchFolders, when given, replace the folders where a built-in server's
// library is looked for (by default beside the program, then in its
// installed library folder, then by the loader's own search).
CreatedObject createObject(const std::string& progId, const GUID& iid,
                           const std::vector<std::string>& searchFolders = {});

// The calling thread's last error description from the server that last
// created an object of progId (its QuilletGetErrorDescription), "" when
// there is none or no object of that ProgID was made.
std::string lastObjectError(const std::string& progId);

// Load the library and call its DllRegisterServer or DllUnregisterServer.
// False with a message naming the library and the reason.
bool registerServer(const std::string& libraryPath, std::string* message = nullptr);
bool unregisterServer(const std::string& libraryPath, std::string* message = nullptr);

} // namespace tarvek
