#pragma once

#include <string>
#include <string_view>

namespace tarvek {

// Paths use "/" as separator. None of these functions touches the disk
// except executableFolder, appPath and chooseAppPath.

// The path with "/" appended unless it already ends in one; "" gives "/".
std::string addBackslash(std::string_view path);

// The text after the last "/": "/a/b/c.xyz" gives "c.xyz", "/a/b/" gives "",
// a path without "/" comes back whole.
std::string getFileName(std::string_view path);

// The path up to and including the last "/": "/a/b/c.xyz" gives "/a/b/".
// A path without "/" comes back whole; "" gives "".
std::string getFilePath(std::string_view path);

// The path without the extension of its last component: "/a/b/tube.xyz"
// gives "/a/b/tube", "tube.tar.gz" gives "tube.tar". A dot in a folder name
// is no extension: "/home/u/v1.2/tube" comes back whole.
std::string stripFileExt(std::string_view path);

// The folder of the running program's executable, without a final "/";
// "" when the system does not tell.
std::string executableFolder();

// The program folder's data (tarvek.dat, lib/, DATA/, help/), ending in "/".
std::string appPath();

// appPath's rule with its inputs given: dataDirOverride (TARVEK_DATA_DIR)
// when not empty; else <programFolder>/../share/tarvek when that folder
// exists (an installed program); else the source tree's data folder, for a
// program run from its build tree.
std::string chooseAppPath(std::string_view dataDirOverride, std::string_view programFolder);

} // namespace tarvek
