// Loads a picture file onto a pixel canvas for the complex image workspace.
#pragma once

#include <string>

namespace tarvek {

class PixelCanvas;

// Draws the picture at the top left of the canvas on black, cropped or
// padded. A file that is missing, not a picture or truncated throws
// RuntimeError naming the file and the reason, and one outside the picture
// budget (told from its header before decoding where it can be) throws the
// budget's sentence; the canvas then keeps its picture.
void loadPictureOntoCanvas(const std::string& path, PixelCanvas& canvas);

} // namespace tarvek
