#pragma once

#include <string>

namespace tarvek::test {

// True when the environment says this is a CI run (CI=true).
bool ciMode();

// Full path of an outside program found on PATH (or the path itself when it
// contains a "/"), or "" when it is missing.
std::string findTool(const std::string& program);

// For oracle tests: true when the program is there. When it is missing the
// current test fails under CI=true and is skipped elsewhere, with a message
// naming the Debian package to install; the caller then returns.
[[nodiscard]] bool requireTool(const std::string& program, const std::string& package);

// The same for a Python module that /usr/bin/python3 (where Debian's
// modules load) must import.
[[nodiscard]] bool requirePythonModule(const std::string& module, const std::string& package);

} // namespace tarvek::test
