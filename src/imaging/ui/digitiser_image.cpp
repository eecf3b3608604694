// Reading a picture file for the digitiser.
#include "imaging/ui/digitiser_image.h"

#include <QImageReader>

#include <cstdint>

namespace tarvek {

namespace {

constexpr int kLargestSide = 32767;
constexpr std::int64_t kLargestPixelCount = 64'000'000;

bool tooLarge(const QSize& size)
{
  return size.width() > kLargestSide || size.height() > kLargestSide
         || std::int64_t{size.width()} * size.height() > kLargestPixelCount;
}

DigitiserImage refused(std::string sentence)
{
  DigitiserImage result;
  result.error = std::move(sentence);
  return result;
}

std::string tooLargeSentence(const std::string& path, const QSize& size)
{
  return "The picture " + path + " is too large (" + std::to_string(size.width()) + " x "
         + std::to_string(size.height())
         + " pixels): at most 32767 pixels wide and high and 64 megapixels.";
}

} // namespace

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
  QImageReader reader(QString::fromStdString(path));
  reader.setDecideFormatFromContent(true);
  if (const QSize header = reader.size(); header.isValid() && tooLarge(header))
    return refused(tooLargeSentence(path, header));
  QImage image = reader.read();
  if (image.isNull())
    return refused("The picture " + path + " cannot be read: "
                   + reader.errorString().toStdString() + ".");
  if (tooLarge(image.size()))
    return refused(tooLargeSentence(path, image.size()));
  DigitiserImage result;
  result.red = redLevelsOverWhite(image);
  result.image = std::move(image);
  return result;
}

} // namespace tarvek
