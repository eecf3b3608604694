#pragma once

#include "runtime/file_status.h"

#include <cstddef>
#include <functional>
#include <span>
#include <string>

namespace tarvek {

// True when path names a file of at least one byte. A file of length 0 counts
// as absent, as callers rely on. Never throws: a missing file, a folder or a
// path through a file all give false.
bool FileExists(const std::string& path);

// True when path names a directory (a file is no folder to write into).
bool DirExists(const std::string& path);

// Deletes the file when FileExists holds; a missing or empty file is left
// alone. Throws RuntimeError when the deletion itself fails.
void killFile(const std::string& path);

// The file's bytes unchanged (line ends and UTF-8 included); "" when the path
// is missing, a folder, or cannot be read.
std::string readFileText(const std::string& path);

// The file's bytes into bytes, or why they could not be read.
FileStatus readFileBytes(const std::string& path, std::string& bytes);

// Opens path for reading: the descriptor, or -1 with errno set. expected
// gets the size of a regular file, 0 for anything whose size is not known
// ahead (a pipe, a /proc file); the reader reads on to the end either way.
int openForReading(const std::string& path, std::size_t& expected);

// Reads the open descriptor to its end into memory that room gives:
// room(got) returns the free space after the first `got` bytes, growing the
// memory first when it is full. Returns 0 with got the bytes read, or the
// errno of the read that failed.
int readToEnd(int fd, std::size_t& got, const std::function<std::span<char>(std::size_t)>& room);

} // namespace tarvek
