// Paints a generated rhombus tiling into a picture.
#pragma once

class QImage;

namespace tarvek {

struct TilingResult;

// Black background, then every tile filled with its type's colour and
// outlined in the grid colour, without antialiasing.
void paintTiling(QImage& image, const TilingResult& tiling);

} // namespace tarvek
