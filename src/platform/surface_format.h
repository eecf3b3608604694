#pragma once

namespace tarvek {

// Makes the 3-D view's context the default: OpenGL compatibility profile
// 2.1, 24-bit depth, no multisampling (glReadPixels must read the frame as
// drawn). Call before the QApplication exists.
void setDefaultSurfaceFormat();

} // namespace tarvek
