#include "platform/surface_format.h"

namespace tarvek {

QSurfaceFormat viewSurfaceFormat()
{
  QSurfaceFormat format;
  format.setRenderableType(QSurfaceFormat::OpenGL);
  format.setProfile(QSurfaceFormat::CompatibilityProfile);
  format.setVersion(2, 1);
  format.setDepthBufferSize(24);
  format.setSamples(0);
  return format;
}

void setDefaultSurfaceFormat() { QSurfaceFormat::setDefaultFormat(viewSurfaceFormat()); }

} // namespace tarvek
