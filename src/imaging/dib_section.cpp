// cDIBSection: creation, random fill and bilinear resampling.
#include "imaging/dib_section.h"

#include "runtime/random_source.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace tarvek {

namespace {

std::int64_t strideOf(std::int64_t width)
{
  return (width * 3 + 3) & ~std::int64_t{3};
}

std::uint8_t randomLevel(RandomSource& random)
{
  return static_cast<std::uint8_t>(std::nearbyint(random.uniform() * 255.0));
}

} // namespace

bool cDIBSection::Create(std::int32_t width, std::int32_t height)
{
  ClearUp();
  m_header = DibHeader();
  if (width < 1 || height < 1)
    return false;
  const std::int64_t size = strideOf(width) * height;
  if (size > std::numeric_limits<std::int32_t>::max())
    return false;
  m_bits.assign(static_cast<std::size_t>(size), 0);
  m_header.biWidth = width;
  m_header.biHeight = height;
  m_header.biSizeImage = static_cast<std::int32_t>(size);
  return true;
}

void cDIBSection::ClearUp()
{
  m_bits.clear();
  m_bits.shrink_to_fit();
}

std::int32_t cDIBSection::BytesPerScanLine() const
{
  return static_cast<std::int32_t>(strideOf(m_header.biWidth));
}

void cDIBSection::RandomiseBits(bool gray, RandomSource& random)
{
  if (!isValid())
    return;
  const std::size_t stride = static_cast<std::size_t>(BytesPerScanLine());
  const std::size_t w = static_cast<std::size_t>(width());
  const std::size_t h = static_cast<std::size_t>(height());
  if (gray) {
    for (std::size_t y = 0; y < h; ++y) {
      for (std::size_t x = 0; x < w; ++x) {
        std::uint8_t* p = &m_bits[y * stride + 3 * x];
        p[0] = p[1] = p[2] = randomLevel(random);
      }
    }
    return;
  }
  for (std::size_t x = 0; x < w; ++x) {
    for (std::size_t y = 0; y < h; ++y) {
      std::uint8_t* p = &m_bits[y * stride + 3 * x];
      p[0] = 0;
      p[1] = randomLevel(random);
      p[2] = randomLevel(random);
    }
  }
}

std::unique_ptr<cDIBSection> cDIBSection::Resample(std::int32_t newHeight,
                                                   std::int32_t newWidth) const
{
  if (!isValid())
    return nullptr;
  const bool sameSize = newWidth == width() && newHeight == height();
  if (!sameSize && (width() < 2 || height() < 2))
    return nullptr;
  auto target = std::make_unique<cDIBSection>();
  if (!target->Create(newWidth, newHeight))
    return nullptr;
  if (sameSize)
    target->m_bits = m_bits;
  else
    ResampleInto(*target);
  return target;
}

// Single precision and halves to even throughout, so a resampled picture
// comes out the same on every machine.
void cDIBSection::ResampleInto(cDIBSection& target) const
{
  const float xScale = static_cast<float>(width() - 1) / static_cast<float>(target.width());
  const float yScale = static_cast<float>(height() - 1) / static_cast<float>(target.height());
  const std::size_t stride = static_cast<std::size_t>(BytesPerScanLine());
  const std::size_t targetStride = static_cast<std::size_t>(target.BytesPerScanLine());
  // The scales keep every neighbour inside the source; the clamps hold that
  // even where float rounding of a huge target would reach the last pixel.
  const std::int64_t lastX = width() - 2;
  const std::int64_t lastY = height() - 2;
  for (std::int32_t y = 0; y < target.height(); ++y) {
    const float fy = static_cast<float>(y) * yScale;
    const std::int64_t iy = std::min(static_cast<std::int64_t>(std::floor(fy)), lastY);
    const float dy = fy - static_cast<float>(iy);
    const std::uint8_t* row0 = &m_bits[static_cast<std::size_t>(iy) * stride];
    const std::uint8_t* row1 = row0 + stride;
    std::uint8_t* out = &target.m_bits[static_cast<std::size_t>(y) * targetStride];
    for (std::int32_t x = 0; x < target.width(); ++x) {
      const float fx = static_cast<float>(x) * xScale;
      const std::int64_t ix = std::min(static_cast<std::int64_t>(std::floor(fx)), lastX);
      const float dx = fx - static_cast<float>(ix);
      const std::size_t left = static_cast<std::size_t>(ix) * 3;
      for (std::size_t c = 0; c < 3; ++c) {
        const float a = std::nearbyint((1.0f - dy) * row0[left + c] + dy * row1[left + c]);
        const float b = std::nearbyint((1.0f - dy) * row0[left + 3 + c] + dy * row1[left + 3 + c]);
        const float v = std::nearbyint((1.0f - dx) * a + dx * b);
        out[3 * static_cast<std::size_t>(x) + c] =
            static_cast<std::uint8_t>(std::clamp(v, 0.0f, 255.0f));
      }
    }
  }
}

} // namespace tarvek
