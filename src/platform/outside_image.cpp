// Qt's image readers used on files from outside, within the memory budget.
#include "platform/outside_image.h"

#include "platform/image_file_check.h"

#include <QImageReader>

namespace tarvek {

std::string prepareOutsideImage(const std::string& path)
{
  QImageReader::setAllocationLimit(kQtImageLimitMiB);
  return imageFileProblem(path);
}

} // namespace tarvek
