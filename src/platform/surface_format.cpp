#include "platform/surface_format.h"

#include <QSurfaceFormat>

namespace tarvek {

void setDefaultSurfaceFormat()
{
  QSurfaceFormat format;
  format.setRenderableType(QSurfaceFormat::OpenGL);
  format.setProfile(QSurfaceFormat::CompatibilityProfile);
  format.setVersion(2, 1);
  format.setDepthBufferSize(24);
  format.setSamples(0);
  QSurfaceFormat::setDefaultFormat(format);
}

} // namespace tarvek
