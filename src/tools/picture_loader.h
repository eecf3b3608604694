// Loads a picture file onto a pixel canvas for the complex image workspace.
#pragma once

#include <string>

namespace tarvek {

class PixelCanvas;

// Pictures reporting more pixels than this on a side are refused before
// they are decoded.
inline constexpr int kMaxPictureSide = 8192;

// Draws the picture at the top left of the canvas on black, cropped or
// padded. A file that is missing, not a picture, truncated or too large
// throws RuntimeError naming the file and the reason; the canvas then keeps
// its picture.
void loadPictureOntoCanvas(const std::string& path, PixelCanvas& canvas);

} // namespace tarvek
