// cDIBSection and Qt pictures: copying in and out, painting, the clipboard.
#pragma once

#include <cstdint>

class QImage;
class QPainter;

namespace tarvek {

class Prompts;
class cDIBSection;

// Makes the DIB the picture's size and copies the picture in; a picture with
// alpha is drawn over white first. Leaves the DIB empty when Create refuses
// the size.
void CreateFromPicture(cDIBSection& dib, const QImage& picture);

// Copies w x h pixels from (sx, sy) of the source to the DIB's top left
// corner (w or h below 0: the DIB's own width or height), clipped to both.
void LoadPictureBlt(cDIBSection& dib, const QImage& source, std::int32_t sx, std::int32_t sy,
                    std::int32_t w, std::int32_t h);

// Copies w x h pixels from (sx, sy) of the DIB to (tx, ty) of the painter's
// device, replacing what was there (w or h below 0: the DIB's own size).
void PaintPicture(const cDIBSection& dib, QPainter& painter, std::int32_t tx, std::int32_t ty,
                  std::int32_t w, std::int32_t h, std::int32_t sx, std::int32_t sy);

// mode false: puts the picture on the clipboard; true when the DIB holds an
// image and the application has a clipboard. mode true: shows "Noch nicht
// verfügbar!" and returns false, the clipboard untouched.
bool CopyToClipboard(const cDIBSection& dib, bool mode, Prompts& prompts);

// The picture upright in RGB888; a null image when the DIB holds none.
QImage toQImage(const cDIBSection& dib);

} // namespace tarvek
