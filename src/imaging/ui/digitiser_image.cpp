// Reading a picture file for the digitiser.
#include "imaging/ui/digitiser_image.h"

#include "imaging/jpeg_file.h"
#include "platform/outside_image.h"
#include "runtime/picture_budget.h"

#include <QImageReader>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace tarvek {

namespace {

std::uint32_t littleEndian(const std::string& bytes, std::size_t at, std::size_t width)
{
  std::uint32_t value = 0;
  for (std::size_t i = width; i-- > 0;)
    value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
  return value;
}

DigitiserImage refused(std::string sentence)
{
  DigitiserImage result;
  result.error = std::move(sentence);
  return result;
}

// A JPEG through the program's own reader, which refuses a truncated or
// damaged file where Qt's fills the missing part with grey.
QImage decodeJpeg(const std::string& path, std::string& error)
{
  const JpegPicture picture = readJpegFile(path);
  if (!picture.ok()) {
    error = picture.error;
    return QImage();
  }
  return jpegImage(picture);
}

} // namespace

QImage jpegImage(const JpegPicture& picture)
{
  QImage image(picture.width, picture.height, QImage::Format_RGB888);
  const std::size_t rowBytes = static_cast<std::size_t>(picture.width) * 3;
  for (int y = 0; y < picture.height; ++y)
    std::copy_n(picture.rgb.data() + static_cast<std::size_t>(y) * rowBytes, rowBytes,
                image.scanLine(y));
  return image;
}

std::string pictureSizeRefusal(const std::string& path, const QSize& size)
{
  return pictureBudgetRefusal(pictureFileName(path), size.width(), size.height());
}

bool bitmapCutShort(const std::string& path)
{
  std::ifstream in(path, std::ios::binary);
  std::string head(54, '\0');
  in.read(head.data(), static_cast<std::streamsize>(head.size()));
  if (in.gcount() < 26 || head.compare(0, 2, "BM") != 0)
    return false;
  const std::uint32_t infoSize = littleEndian(head, 14, 4);
  std::int64_t width = 0;
  std::int64_t height = 0;
  std::int64_t bits = 0;
  if (infoSize == 12) {
    width = littleEndian(head, 18, 2);
    height = littleEndian(head, 20, 2);
    bits = littleEndian(head, 24, 2);
  } else if (infoSize >= 40 && in.gcount() >= 34) {
    width = static_cast<std::int32_t>(littleEndian(head, 18, 4));
    height = std::abs(std::int64_t{static_cast<std::int32_t>(littleEndian(head, 22, 4))});
    bits = littleEndian(head, 28, 2);
    const std::uint32_t compression = littleEndian(head, 30, 4);
    if (compression != 0 && compression != 3 && compression != 6)
      return false;
  } else {
    return false;
  }
  const std::int64_t stride = (width * bits + 31) / 32 * 4;
  // In doubles: a hostile header's rows times stride overflow 64 bits, and a
  // claim beyond 2^53 bytes is cut short whatever its rounding.
  const double needed = static_cast<double>(littleEndian(head, 10, 4))
                        + static_cast<double>(stride) * static_cast<double>(height);
  std::error_code error;
  const std::uintmax_t size = std::filesystem::file_size(path, error);
  return !error && width > 0 && static_cast<double>(size) < needed;
}

RedLevels redLevelsOverWhite(const QImage& image)
{
  const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
  RedLevels red;
  red.width = argb.width();
  red.height = argb.height();
  red.red.resize(static_cast<std::size_t>(red.width) * static_cast<std::size_t>(red.height));
  std::uint8_t* out = red.red.data();
  for (int y = 0; y < red.height; ++y) {
    const auto* row = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
    for (int x = 0; x < red.width; ++x) {
      const int alpha = qAlpha(row[x]);
      *out++ = static_cast<std::uint8_t>((qRed(row[x]) * alpha + 255 * (255 - alpha) + 127) / 255);
    }
  }
  return red;
}

DigitiserImage readDigitiserImage(const std::string& path)
{
  if (std::string problem = prepareOutsideImage(path); !problem.empty())
    return refused(std::move(problem));
  QImageReader reader(QString::fromStdString(path));
  reader.setDecideFormatFromContent(true);
  if (std::string tooLarge = pictureSizeRefusal(path, reader.size()); !tooLarge.empty())
    return refused(std::move(tooLarge));
  std::string error;
  QImage image;
  if (reader.format() == "jpeg") {
    image = decodeJpeg(path, error);
  } else if (bitmapCutShort(path)) {
    error = "The picture " + path + " cannot be read: the file ends before its last row.";
  } else {
    image = reader.read();
    if (image.isNull())
      error = "The picture " + path + " cannot be read: " + reader.errorString().toStdString()
              + ".";
  }
  if (!error.empty())
    return refused(std::move(error));
  if (std::string tooLarge = pictureSizeRefusal(path, image.size()); !tooLarge.empty())
    return refused(std::move(tooLarge));
  DigitiserImage result;
  result.red = redLevelsOverWhite(image);
  result.image = std::move(image);
  return result;
}

} // namespace tarvek
