// cDIBSection: one 24-bit bottom-up bitmap in memory, as a DIB lays it out.
#pragma once

#include "runtime/big_buffer.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace tarvek {

class RandomSource;

// The bitmap header a DIB carries; only the fields below are ever non-zero.
struct DibHeader {
  std::int32_t biSize = 40;
  std::int32_t biWidth = 0;
  std::int32_t biHeight = 0;
  std::int16_t biPlanes = 1;
  std::int16_t biBitCount = 24;
  std::int32_t biCompression = 0;
  std::int32_t biSizeImage = 0;
};

// One 24-bit image: pixels blue, green, red; each row padded to
// BytesPerScanLine() = (3 * width + 3) with the two low bits cleared; the
// bottom image row first in memory; byte column x of memory row y at
// y * BytesPerScanLine() + x. The Qt side (dib_section_qt.h) copies pictures
// in and out and paints it; the JPEG writer reads its bits.
//
// Order of use: Create, then fill and read the bits; ClearUp (also run by the
// destructor) frees them but keeps width() and height().
class cDIBSection {
public:
  cDIBSection() = default;
  cDIBSection(const cDIBSection&) = delete;
  cDIBSection& operator=(const cDIBSection&) = delete;
  cDIBSection(cDIBSection&&) = default;
  cDIBSection& operator=(cDIBSection&&) = default;

  // Makes a black image of the size, replacing any former one. Refuses (false,
  // the object left empty with size 0 x 0) a width or height below 1 and a
  // size whose padded bytes exceed 2^31 - 1, the header's 32-bit size field.
  bool Create(std::int32_t width, std::int32_t height);
  void ClearUp();

  std::int32_t BytesPerScanLine() const;
  std::int32_t width() const { return m_header.biWidth; }
  std::int32_t height() const { return m_header.biHeight; }
  const DibHeader& header() const { return m_header; }

  // The first byte of the bottom row; null while the object holds no image.
  std::uint8_t* DIBSectionBitsPtr() { return m_bits.empty() ? nullptr : m_bits.data(); }
  const std::uint8_t* DIBSectionBitsPtr() const { return m_bits.empty() ? nullptr : m_bits.data(); }
  bool isValid() const { return !m_bits.empty(); }

  // Fills every pixel with round(u * 255), u uniform from random: grey when
  // gray (one value for blue, green and red), else blue 0 and green and red
  // drawn each on its own.
  void RandomiseBits(bool gray, RandomSource& random);

  // A copy of newWidth x newHeight pixels (height first): an exact copy at the
  // own size, else bilinear. Nothing when the new size is refused by Create,
  // when the object holds no image, or when a source 1 pixel wide or high
  // would need a neighbour it does not have.
  std::unique_ptr<cDIBSection> Resample(std::int32_t newHeight, std::int32_t newWidth) const;

private:
  void ResampleInto(cDIBSection& target) const;

  DibHeader m_header;
  BigVector<std::uint8_t> m_bits;
};

} // namespace tarvek
