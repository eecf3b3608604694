// The imaging toolkit: decoding picture files, resampling, drawing, the
// clipboard and animated GIF files, for the image browser and the GIF
// assembly.
#pragma once

#include <QImage>
#include <QSize>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class QPainter;

namespace tarvek {

// One toolkit per user (a window, one GIF assembly). Pictures are values:
// a read hands back a QImage, and nothing has to be released. A call that
// fails keeps its reason in lastErrorText() until the next call that can fail.
class ImageToolkit {
public:
  // Decodes the picture at path, its format told by its content (JPEG, PNG,
  // GIF, BMP and whatever else Qt reads; the first frame of an animation).
  // Refused, with the reason kept: a file that does not decode, a truncated
  // or damaged JPEG, an uncompressed bitmap cut short, and a picture outside
  // the picture budget (told from the header before decoding wherever the
  // header gives the size).
  std::optional<QImage> read(const std::string& path);

  // As read, decoded straight at the size that fits box keeping the aspect
  // (see fittedSize): a large JPEG is decoded at 1/2, 1/4 or 1/8 of its size
  // and then resampled, so it costs a fraction of a full decode. The size
  // limits apply to the picture's own size.
  std::optional<QImage> readScaled(const std::string& path, const QSize& box);

  // Colour depth of the last file read or read scaled, in bits per pixel, as
  // its file stores it: a colour JPEG 24, a grey JPEG 8, an RGB PNG 24, an
  // RGBA PNG 32, a palette PNG or a GIF 8, a 24-bit BMP 24. 0 after a failed
  // read.
  int bitsPerPixel() const { return m_bitsPerPixel; }

  // How many times read and readScaled were called, failed calls included.
  int readCount() const { return m_readCount; }

  // The image at w x h pixels, smoothly resampled; a null image for a size
  // below 1 x 1.
  static QImage resample(const QImage& image, int w, int h);

  // Draws image at its own pixel size with its top-left corner at (x, y).
  static void draw(QPainter& painter, const QImage& image, int x, int y);

  // Puts image on the clipboard; false (the clipboard untouched) for a null
  // image.
  bool copyToClipboard(const QImage& image);

  // Writes frames as a looping animated GIF at path through GifWriter, frame
  // i shown from times[i] milliseconds (the last for 250 ms). False, with the
  // reason kept and no file written, when the lists differ in length, a
  // frame is null or of another size than the first, or the file cannot be
  // saved.
  bool writeAnimatedGIF(const std::vector<QImage>& frames, const std::vector<std::int32_t>& times,
                        const std::string& path);

  const std::string& lastErrorText() const { return m_lastErrorText; }

private:
  std::optional<QImage> decode(const std::string& path, const std::optional<QSize>& box);
  std::optional<QImage> refuse(std::string reason);

  std::string m_lastErrorText;
  int m_bitsPerPixel = 0;
  int m_readCount = 0;
};

// The size of a w x h picture fitted into box keeping its aspect: as wide as
// the box when that fits its height, else as high as the box; the other side
// rounded half to even and at least 1. Small pictures grow to the box.
QSize fittedSize(const QSize& picture, const QSize& box);

} // namespace tarvek
