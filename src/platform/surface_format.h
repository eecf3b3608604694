#pragma once

#include <QSurfaceFormat>

namespace tarvek {

// The 3-D view's context: OpenGL compatibility profile 2.1, 24-bit depth, no
// multisampling (glReadPixels must read the frame as drawn).
QSurfaceFormat viewSurfaceFormat();

// Makes viewSurfaceFormat() the default. Call before the QApplication exists.
void setDefaultSurfaceFormat();

} // namespace tarvek
