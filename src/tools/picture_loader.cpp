// Loads a picture file onto a pixel canvas for the complex image workspace.
#include "tools/picture_loader.h"

#include "platform/outside_image.h"
#include "runtime/picture_budget.h"
#include "runtime/runtime_error.h"
#include "tools/pixel_canvas.h"

#include <QImage>
#include <QImageReader>

#include <algorithm>
#include <vector>

namespace tarvek {

namespace {

[[noreturn]] void refuse(const std::string& path, const std::string& reason)
{
  throw RuntimeError("The picture \"" + path + "\" cannot be loaded: " + reason);
}

void refuseOutsideBudget(const std::string& path, const QSize& size)
{
  if (std::string refusal = pictureBudgetRefusal(pictureFileName(path), size.width(), size.height());
      !refusal.empty())
    throw RuntimeError(refusal);
}

} // namespace

void loadPictureOntoCanvas(const std::string& path, PixelCanvas& canvas)
{
  if (const std::string problem = prepareOutsideImage(path); !problem.empty())
    throw RuntimeError(problem);
  QImageReader reader(QString::fromStdString(path));
  // The header's size is checked before anything is decoded.
  const QSize size = reader.size();
  if (!reader.canRead())
    refuse(path, reader.errorString().toStdString() + ".");
  refuseOutsideBudget(path, size);
  QImage picture;
  if (!reader.read(&picture) || picture.isNull())
    refuse(path, reader.errorString().toStdString() + ".");
  refuseOutsideBudget(path, picture.size());

  const int w = canvas.width();
  const int h = canvas.height();
  // Only the part the canvas shows is converted, not a copy of the whole.
  picture = picture.copy(0, 0, std::min(w, picture.width()), std::min(h, picture.height()))
                .convertToFormat(QImage::Format_RGB32);
  std::vector<std::uint32_t> block(static_cast<std::size_t>(w) * static_cast<std::size_t>(h), 0u);
  const int columns = std::min(w, picture.width());
  const int rows = std::min(h, picture.height());
  for (int y = 0; y < rows; ++y) {
    const auto* line = reinterpret_cast<const std::uint32_t*>(picture.constScanLine(y));
    for (int x = 0; x < columns; ++x)
      block[static_cast<std::size_t>(y) * w + x] = line[x] & 0xFFFFFFu;
  }
  canvas.writeBlock(w, h, block);
}

} // namespace tarvek
