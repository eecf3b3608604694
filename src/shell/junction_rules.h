// How the hetero-junction command calls the tube-joining program and names its result.
#pragma once

#include "tools/builder_dialog_values.h"

#include <string>
#include <vector>

namespace tarvek {

// The Java arguments for the archive at jarPath: headless, the archive as
// class path, the main class "nt", then the six values in dialog order as
// plain integers, each its own argument.
std::vector<std::string> junctionArguments(const JunctionValues& values, const std::string& jarPath);

// "(n1,m1)-(n2,m2) Hetero-Junction".
std::string junctionTitle(const JunctionValues& values);

} // namespace tarvek
