#pragma once

// Qt's image readers used on files from outside, within the memory budget.

#include "runtime/picture_budget.h"

#include <string>

namespace tarvek {

// What one picture decoded by Qt's readers may take, MiB: the largest
// picture of the budget at 8 bytes a pixel, the deepest format Qt decodes
// into (16 bits a channel), so every picture the budget lets through can be
// decoded, and nothing the budget refuses reaches that far.
inline constexpr int kQtImageLimitMiB =
    static_cast<int>((kLargestPicturePixels * 8 + (1 << 20) - 1) >> 20);

// To be called before a QImageReader reads the file at path: caps what
// Qt's decoders may allocate for a picture, and returns why the file must
// not reach them at all (imageFileProblem), or "" to go on.
std::string prepareOutsideImage(const std::string& path);

} // namespace tarvek
