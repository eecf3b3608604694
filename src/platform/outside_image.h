#pragma once

// Qt's image readers used on files from outside, within the memory budget.

#include <string>

namespace tarvek {

// What one picture decoded by Qt's readers may take, MiB: with the copies a
// caller converts it into, the process stays within the images' budget.
inline constexpr int kQtImageLimitMiB = 128;

// To be called before a QImageReader reads the file at path: caps what
// Qt's decoders may allocate for a picture, and returns why the file must
// not reach them at all (imageFileProblem), or "" to go on.
std::string prepareOutsideImage(const std::string& path);

} // namespace tarvek
