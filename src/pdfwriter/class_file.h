#pragma once

// Internal to the PDF writer: the per-user class file that stands in for the
// system's class registry. UTF-8 text, one "[key]" section per registry key,
// then one "name=value" line per value, "@" naming the default value.

#include "quillet/com_types.h"

#include <string>
#include <vector>

namespace quillet {

struct ServerClass {
  GUID clsid;
  std::string description;
  // Version-independent; the versioned one adds ".1".
  std::string progId;
  GUID typeLib;
};

// "{473A37FD-7824-4459-87D9-7329BB7BF929}"
std::string guidText(const GUID& guid);

// ${XDG_CONFIG_HOME:-$HOME/.config}/progid/classes.ini; "" when neither is set.
std::string classFilePath();

// Writes the sections of every class, replacing older ones of the same keys
// and keeping every other section. The file is replaced atomically; false
// when it could not be.
bool registerClasses(const std::string& path, const std::vector<ServerClass>& classes,
                     const std::string& libraryPath);
// Removes the ProgID and class sections of every class, keeping the rest.
bool unregisterClasses(const std::string& path, const std::vector<ServerClass>& classes);

} // namespace quillet
