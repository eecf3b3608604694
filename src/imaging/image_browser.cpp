// The image browser's rules without widgets.
#include "imaging/image_browser.h"

#include <algorithm>
#include <cctype>
#include <cmath>

namespace tarvek {

namespace {

int roundHalfEven(double v)
{
  return static_cast<int>(std::nearbyint(v));
}

bool continuationByte(char c)
{
  return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

} // namespace

ViewPlacement viewPlacement(int viewWidth, int viewHeight, int imageWidth, int imageHeight)
{
  ViewPlacement placement;
  if (imageWidth < 1 || imageHeight < 1)
    return placement;
  if (imageWidth <= viewWidth && imageHeight <= viewHeight) {
    placement.x = roundHalfEven((viewWidth - imageWidth) / 2.0);
    placement.y = roundHalfEven((viewHeight - imageHeight) / 2.0);
    placement.drawn = {imageWidth, imageHeight};
    return placement;
  }
  const double s = std::min((viewHeight - 10.0) / imageHeight, (viewWidth - 10.0) / imageWidth);
  const double w = imageWidth * s;
  const double h = imageHeight * s;
  placement.x = (viewWidth - w) / 2.0;
  placement.y = (viewHeight - h) / 2.0;
  // A view narrower than its margins leaves nothing to draw.
  placement.drawn = {std::max(0, roundHalfEven(w)), std::max(0, roundHalfEven(h))};
  placement.scale = s;
  placement.scaled = true;
  return placement;
}

PixelSize thumbnailFit(int w, int h, PixelSize box)
{
  if (w < 1 || h < 1 || box.width < 1 || box.height < 1)
    return {};
  const double ratio = static_cast<double>(h) / w;
  double width = box.width;
  double height = std::nearbyint(box.width * ratio);
  if (height > box.height) {
    height = box.height;
    width = std::nearbyint(box.height / ratio);
  }
  return {std::max(1, static_cast<int>(width)), std::max(1, static_cast<int>(height))};
}

std::int32_t stepIndex(std::int32_t index, std::int32_t d, std::int32_t count)
{
  if (count < 1)
    return -1;
  const std::int64_t i = static_cast<std::int64_t>(index) + d;
  if (i < 0)
    return count - 1;
  if (i >= count)
    return 0;
  return static_cast<std::int32_t>(i);
}

std::string sizeText(std::uint64_t length)
{
  return std::to_string(length / 1024) + " KB";
}

std::string pixelSizeText(int width, int height)
{
  return std::to_string(width) + " x " + std::to_string(height);
}

std::string depthText(int bitsPerPixel)
{
  return std::to_string(bitsPerPixel) + " Bits/Pixel";
}

std::string typeText(const std::string& path)
{
  // Three characters, not bytes: a UTF-8 name keeps its last letters whole.
  std::size_t start = path.size();
  for (int characters = 0; characters < 3 && start > 0; ++characters) {
    --start;
    while (start > 0 && continuationByte(path[start]))
      --start;
  }
  std::string type = path.substr(start);
  for (char& c : type)
    c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return type;
}

int thumbnailLeft(std::int32_t i, std::int32_t value, int thumbWidth)
{
  return static_cast<int>((static_cast<std::int64_t>(i) - value) * (thumbWidth + 5) + 2);
}

std::int32_t visibleThumbnails(int stripWidth, int thumbWidth)
{
  return roundHalfEven((static_cast<double>(stripWidth) + thumbWidth) / thumbWidth + 1);
}

bool ThumbnailRun::start(std::int32_t fileCount)
{
  if (m_state != Idle)
    return false;
  // A stop asked of an earlier run must not cut this one short.
  m_stop = false;
  if (fileCount < 1)
    return false;
  m_fileCount = fileCount;
  m_next = 1;
  m_state = Running;
  return true;
}

ThumbnailRun::Step ThumbnailRun::made(bool escape)
{
  Step step;
  step.finished = escape || stopRequested() || m_next >= m_fileCount;
  step.layout = step.finished || m_next % 10 == 0;
  ++m_next;
  return step;
}

bool ThumbnailRun::finish()
{
  const bool newFolderDue = m_state == NewFolder;
  m_state = Idle;
  return newFolderDue;
}

void ThumbnailRun::folderChanged()
{
  if (m_state == Running)
    m_state = NewFolder;
}

void ThumbnailRun::close()
{
  m_stop = true;
  m_state = Idle;
}

} // namespace tarvek
