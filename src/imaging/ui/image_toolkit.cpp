// The imaging toolkit over Qt's image readers and the program's JPEG reader.
#include "imaging/ui/image_toolkit.h"

#include "imaging/gif_writer.h"
#include "imaging/image_browser.h"
#include "imaging/jpeg_file.h"
#include "imaging/ui/digitiser_image.h"
#include "platform/outside_image.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImageReader>
#include <QPainter>
#include <QPixelFormat>

#include <algorithm>

namespace tarvek {

namespace {

// The depth the file stores, told by the format its reader decodes into:
// Qt widens 24-bit colour to 32-bit formats that ignore their alpha byte.
int storedBitsPerPixel(QImage::Format format)
{
  const QPixelFormat pixels = QImage::toPixelFormat(format);
  const int bits = static_cast<int>(pixels.bitsPerPixel());
  if (bits == 32 && pixels.alphaUsage() == QPixelFormat::IgnoresAlpha)
    return 24;
  return bits;
}

} // namespace

QSize fittedSize(const QSize& picture, const QSize& box)
{
  const PixelSize fit =
      thumbnailFit(picture.width(), picture.height(), {box.width(), box.height()});
  return fit.width > 0 ? QSize(fit.width, fit.height) : QSize();
}

std::optional<QImage> ImageToolkit::read(const std::string& path)
{
  return decode(path, std::nullopt);
}

std::optional<QImage> ImageToolkit::readScaled(const std::string& path, const QSize& box)
{
  return decode(path, box);
}

std::optional<QImage> ImageToolkit::refuse(std::string reason)
{
  m_lastErrorText = std::move(reason);
  m_bitsPerPixel = 0;
  return std::nullopt;
}

std::optional<QImage> ImageToolkit::decode(const std::string& path,
                                           const std::optional<QSize>& box)
{
  ++m_readCount;
  m_lastErrorText.clear();
  m_bitsPerPixel = 0;
  if (box && box->isEmpty())
    return refuse("No picture fits into " + std::to_string(box->width()) + " x "
                  + std::to_string(box->height()) + " pixels.");
  if (std::string problem = prepareOutsideImage(path); !problem.empty())
    return refuse(std::move(problem));
  QImageReader reader(QString::fromStdString(path));
  reader.setDecideFormatFromContent(true);
  // Asked first: a reader that failed on the size forgets its format.
  const QByteArray format = reader.format();
  const QSize header = reader.size();
  if (std::string tooLarge = pictureSizeRefusal(path, header); !tooLarge.empty())
    return refuse(std::move(tooLarge));
  const QImage::Format stored = reader.imageFormat();
  const bool scaleWhileDecoding = box && header.isValid() && !header.isEmpty();
  QImage image;
  if (format == "jpeg") {
    // The program's reader refuses a truncated or damaged file, where Qt's
    // fills the missing part with grey.
    const QSize least = scaleWhileDecoding ? fittedSize(header, *box) : QSize();
    const JpegPicture picture = scaleWhileDecoding
                                    ? readJpegFileReduced(path, least.width(), least.height())
                                    : readJpegFile(path);
    if (!picture.ok())
      return refuse(picture.error);
    image = jpegImage(picture);
  } else if (bitmapCutShort(path)) {
    return refuse("The picture " + path + " cannot be read: the file ends before its last row.");
  } else {
    if (scaleWhileDecoding)
      reader.setScaledSize(fittedSize(header, *box));
    image = reader.read();
    if (image.isNull())
      return refuse("The picture " + path + " cannot be read: "
                    + reader.errorString().toStdString() + ".");
  }
  // Formats whose header tells no size are checked once decoded.
  if (!scaleWhileDecoding) {
    if (std::string tooLarge = pictureSizeRefusal(path, image.size()); !tooLarge.empty())
      return refuse(std::move(tooLarge));
  }
  if (box) {
    const QSize fitted = fittedSize(scaleWhileDecoding ? header : image.size(), *box);
    if (image.size() != fitted)
      image = resample(image, fitted.width(), fitted.height());
  }
  // A GIF holds at most 256 colours, whatever Qt decodes it into.
  m_bitsPerPixel = format == "gif" ? 8
                   : storedBitsPerPixel(stored != QImage::Format_Invalid ? stored : image.format());
  return image;
}

QImage ImageToolkit::resample(const QImage& image, int w, int h)
{
  if (w < 1 || h < 1)
    return QImage();
  return image.scaled(w, h, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

void ImageToolkit::draw(QPainter& painter, const QImage& image, int x, int y)
{
  painter.drawImage(x, y, image);
}

bool ImageToolkit::copyToClipboard(const QImage& image)
{
  if (image.isNull()) {
    m_lastErrorText = "There is no picture to copy.";
    return false;
  }
  QGuiApplication::clipboard()->setImage(image);
  return true;
}

bool ImageToolkit::writeAnimatedGIF(const std::vector<QImage>& frames,
                                    const std::vector<std::int32_t>& times,
                                    const std::string& path)
{
  m_lastErrorText.clear();
  if (frames.size() != times.size()) {
    m_lastErrorText = "Could not write " + path + ": " + std::to_string(frames.size())
                      + " frames and " + std::to_string(times.size()) + " frame times.";
    return false;
  }
  const std::vector<std::int32_t> delays = gifDelays(times);
  GifWriter writer(path);
  for (std::size_t i = 0; i < frames.size(); ++i) {
    const QImage rgb = frames[i].convertToFormat(QImage::Format_RGB888);
    // Qt pads rows to 4 bytes; the writer takes them packed.
    std::vector<std::uint8_t> packed(static_cast<std::size_t>(rgb.width()) * 3
                                     * static_cast<std::size_t>(rgb.height()));
    const std::size_t rowBytes = static_cast<std::size_t>(rgb.width()) * 3;
    for (int y = 0; y < rgb.height(); ++y)
      std::copy_n(rgb.constScanLine(y), rowBytes, packed.data() + rowBytes * y);
    if (!writer.addFrame(rgb.width(), rgb.height(), packed.data(), delays[i])) {
      m_lastErrorText = writer.error();
      return false;
    }
  }
  if (!writer.finish()) {
    m_lastErrorText = writer.error();
    return false;
  }
  return true;
}

} // namespace tarvek
