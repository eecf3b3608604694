#include "scene/frame_grab.h"

#include "platform/prompts.h"
#include "runtime/atomic_file.h"
#include "scene/gl_api.h"

#include <cstddef>

namespace tarvek {
namespace {

constexpr std::size_t kPixelOffset = 58;

std::size_t rowBytes(int width) { return (static_cast<std::size_t>(width) * 3 + 3) / 4 * 4; }

void put16(std::string& out, std::size_t at, std::uint32_t v)
{
  out[at] = static_cast<char>(v & 0xFF);
  out[at + 1] = static_cast<char>((v >> 8) & 0xFF);
}

void put32(std::string& out, std::size_t at, std::uint32_t v)
{
  put16(out, at, v & 0xFFFF);
  put16(out, at + 2, v >> 16);
}

} // namespace

std::string encodeBmp24(const std::vector<std::uint8_t>& rgb, int width, int height)
{
  const std::size_t row = rowBytes(width);
  const std::size_t image = row * static_cast<std::size_t>(height);
  std::string out(kPixelOffset + image, '\0');
  put16(out, 0, 19778);
  put32(out, 2, static_cast<std::uint32_t>(kPixelOffset + image));
  put32(out, 10, kPixelOffset);
  put32(out, 14, 40);
  put32(out, 18, static_cast<std::uint32_t>(width));
  put32(out, 22, static_cast<std::uint32_t>(height));
  put16(out, 26, 1);
  put16(out, 28, 24);
  put32(out, 34, static_cast<std::uint32_t>(image));
  put32(out, 38, 2952);
  put32(out, 42, 2952);
  // Bytes 30, 46, 50 (compression, colours) and the colour entry at 54 stay 0.
  for (std::size_t r = 0; r < static_cast<std::size_t>(height); ++r) {
    for (std::size_t c = 0; c < static_cast<std::size_t>(width); ++c) {
      const std::size_t from = r * row + 3 * c;
      char* to = &out[kPixelOffset + from];
      to[0] = static_cast<char>(rgb[from + 2]);
      to[1] = static_cast<char>(rgb[from + 1]);
      to[2] = static_cast<char>(rgb[from]);
    }
  }
  return out;
}

bool grabGLImage(GlApi& gl, Prompts& prompts, std::int16_t stereoMode, const std::string& file, int x, int y,
                 int w, int h)
{
  WaitCursor wait(prompts);
  const std::array<int, 4> viewport = gl.viewportQuery();
  int width = w + 1;
  if (x + width > viewport[2])
    width = viewport[2] - x;
  const int height = y + h > viewport[3] ? viewport[3] - y : h;
  // The viewport is the right half of a side-by-side pair.
  if (stereoMode == 1 || stereoMode == 2)
    width *= 2;
  if (width <= 0 || height <= 0)
    return false;
  std::vector<std::uint8_t> rgb(rowBytes(width) * static_cast<std::size_t>(height), 0);
  gl.packAlignment(4);
  gl.readPixelsRgb(x, y, width, height, rgb.data());
  if (gl.error() != 0)
    return false;
  return writeFileAtomic(file, encodeBmp24(rgb, width, height)).ok();
}

void padMenuCaption(std::string& text, CaptionField& field)
{
  text += "     ";
  if (field.caption() != text)
    field.setCaption(text);
}

} // namespace tarvek
