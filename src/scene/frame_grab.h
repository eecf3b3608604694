#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tarvek {

class GlApi;
class Prompts;

// An uncompressed 24-bit bitmap file of width x height pixels. rgb holds
// the rows bottom-up as GL reads them: red, green, blue per pixel, each row
// padded to a multiple of 4 bytes. The padding is written as zeros.
std::string encodeBmp24(const std::vector<std::uint8_t>& rgb, int width, int height);

// Reads the frame the view last drew (context current) from (0, 0), w x h
// clipped to the viewport; in the side-by-side stereo modes 1 and 2 the
// viewport is the right half and the width is doubled. Writes it as a
// bitmap file, replacing the file whole or not at all. False on any
// failure. The wait cursor shows meanwhile.
bool grabGLImage(GlApi& gl, Prompts& prompts, std::int16_t stereoMode, const std::string& file, int x, int y,
                 int w, int h);

// The menu-bar message field.
class CaptionField {
public:
  virtual ~CaptionField() = default;
  virtual std::string caption() const = 0;
  virtual void setCaption(const std::string& caption) = 0;
};

// Appends five blanks to text and shows it unless the field already shows
// it, so a repeated hint does not flicker.
void padMenuCaption(std::string& text, CaptionField& field);

} // namespace tarvek
