// The complex image workspace: a grey picture, its 2-D spectrum and views of both.
#include "tools/complex_image.h"

#include "platform/prompts.h"
#include "runtime/int_convert.h"
#include "runtime/math_util.h"
#include "runtime/number_format.h"
#include "runtime/path_util.h"
#include "runtime/print_form.h"
#include "runtime/random_source.h"
#include "runtime/runtime_error.h"
#include "tools/fourier_transform.h"
#include "tools/pixel_canvas.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <numbers>

namespace tarvek {

namespace {

constexpr double kDegree = 0.017453292522222223;
constexpr int kSpectrumMode = 1;
constexpr int kPictureMode = 0;

int roundToInt(double x)
{
  return static_cast<int>(std::nearbyint(x));
}

double magnitude(const clComplexImage::Element& e)
{
  return std::sqrt(static_cast<double>(e.re) * e.re + static_cast<double>(e.im) * e.im);
}

// The hue index 0..239 of a phase of 0..360 degrees; 0 for a NaN phase.
int phaseHue(float phase)
{
  const double hue = phase / 1.506;
  return hue >= 0.0 && hue < 239.5 ? roundToInt(hue) : 0;
}

// The unrounded hue position (phase / 1.506) of re + i·im, from a polynomial
// arctangent whose error stays below 2e-8 rad, several times faster than the
// library's.
double approximateHue(float re, float im)
{
  const double x = std::fabs(static_cast<double>(re));
  const double y = std::fabs(static_cast<double>(im));
  if (x == 0.0 && y == 0.0)
    return 0.0;
  const double t = std::min(x, y) / std::max(x, y);
  const double t2 = t * t;
  const double p =
    ((((((((0.0028662257 * t2 - 0.0161657367) * t2 + 0.0429096138) * t2 - 0.0752896400) * t2 +
         0.1065626393) * t2 - 0.1420889944) * t2 + 0.1999355085) * t2 - 0.3333314528) * t2 + 1.0);
  double angle = t * p;
  if (y > x)
    angle = std::numbers::pi / 2.0 - angle;
  if (re < 0.0f)
    angle = std::numbers::pi - angle;
  if (im < 0.0f)
    angle = 2.0 * std::numbers::pi - angle;
  return angle * (180.0 / std::numbers::pi / 1.506);
}

// "<what> n × n elements, not N × N."
std::string sizeMismatch(const std::string& what, std::int32_t n, std::int32_t grid)
{
  return what + std::to_string(n) + " × " + std::to_string(n) + " elements, not " + std::to_string(grid) +
         " × " + std::to_string(grid) + ".";
}

int wrap(std::int64_t value, std::int32_t n)
{
  return static_cast<int>(((value % n) + n) % n);
}

} // namespace

FTArray::FTArray(std::int32_t n) : m_n(std::max(n, 0)), m_values(static_cast<std::size_t>(m_n) * m_n * 2, 0.0f) {}

std::size_t FTArray::offset(std::int32_t x, std::int32_t y, std::int32_t part) const
{
  if (x < 0 || y < 0 || part < 0 || x >= m_n || y >= m_n || part > 1)
    throw RuntimeError("The spectrum array has no element (" + std::to_string(x) + ", " +
                       std::to_string(y) + ", " + std::to_string(part) + ").");
  return (static_cast<std::size_t>(x) * m_n + y) * 2 + part;
}

float& FTArray::at(std::int32_t x, std::int32_t y, std::int32_t part)
{
  return m_values[offset(x, y, part)];
}

float FTArray::at(std::int32_t x, std::int32_t y, std::int32_t part) const
{
  return m_values[offset(x, y, part)];
}

clComplexImage::clComplexImage(Prompts& prompts, RandomSource& random)
    : m_prompts(prompts), m_random(random)
{
  for (int i = 0; i <= 255; ++i) {
    greyTable[i] = static_cast<std::uint32_t>(i) * 0x010101u;
    hueTable[i] = HSLtoRGB(roundToInt(i / 255.0 * 239), 239, 128, true);
    realTable[255 + i] = HSLtoRGB(239, 239, i, true);
    realTable[255 - i] = HSLtoRGB(120, 239, i, true);
    imagTable[255 + i] = HSLtoRGB(90, 239, i, true);
    imagTable[255 - i] = HSLtoRGB(209, 239, i, true);
  }
  currentTable = greyTable;
  // View kind 1 colours every pixel by hue 0..239 and level 0..255.
  phaseLightTable.resize(240 * 256);
  for (int hue = 0; hue < 240; ++hue)
    for (int level = 0; level < 256; ++level)
      phaseLightTable[static_cast<std::size_t>(hue) * 256 + level] =
        HSLtoRGB(hue, 239, roundToInt(level / 255.0 * 239.0), true);
}

std::uint32_t clComplexImage::HSLtoRGB(int hue, int saturation, int lightness, bool pixelOrder)
{
  const double h = hue / 239.0;
  const double s = saturation / 239.0;
  const double l = lightness / 239.0;
  double rgb[3] = {l, l, l};
  if (s != 0.0) {
    const double q = l < 0.5 ? l * (1.0 + s) : l + s - l * s;
    const double p = 2.0 * l - q;
    const double targets[3] = {h + 1.0 / 3.0, h, h - 1.0 / 3.0};
    for (int c = 0; c < 3; ++c) {
      double t = targets[c];
      if (t < 0.0)
        t += 1.0;
      if (t > 1.0)
        t -= 1.0;
      if (6.0 * t < 1.0)
        rgb[c] = p + (q - p) * 6.0 * t;
      else if (2.0 * t < 1.0)
        rgb[c] = q;
      else if (3.0 * t < 2.0)
        rgb[c] = p + (q - p) * (2.0 / 3.0 - t) * 6.0;
      else
        rgb[c] = p;
    }
  }
  std::uint32_t part[3];
  for (int c = 0; c < 3; ++c)
    part[c] = static_cast<std::uint32_t>(std::clamp(roundToInt(rgb[c] * 255.0), 0, 255));
  return pixelOrder ? (part[0] << 16) | (part[1] << 8) | part[2]
                    : (part[2] << 16) | (part[1] << 8) | part[0];
}

int clComplexImage::elementHue(const Element& e)
{
  // The fast position rounds like the exact phase unless it lies within
  // 0.001 of a rounding boundary (its error is below 1e-5); NaN fails the
  // test as well.
  const double hue = approximateHue(e.re, e.im);
  if (std::fabs(hue - std::floor(hue) - 0.5) >= 1e-3 && hue >= 0.0 && hue < 239.5)
    return roundToInt(hue);
  return phaseHue(phaseDegrees(e.re, e.im));
}

float clComplexImage::phaseDegrees(float re, float im)
{
  float degrees = static_cast<float>(angle2pi(im, re) / kDegree);
  if (degrees < 0.0f)
    degrees += 360.0f;
  return degrees;
}

std::string clComplexImage::getVXY(float x, float y)
{
  if (gridWidth == 0)
    return {};
  const int ix = wrap(CLng(gridWidth / 2 + static_cast<double>(x)), gridWidth);
  const int iy = wrap(CLng(gridHeight / 2 + static_cast<double>(y)), gridHeight);
  const Element& e = spectrum[at(ix, iy)];
  switch (FTViewKind) {
  case 0:
  case 1:
    return " M= " + Format(magnitude(e), "0.0#");
  case 2:
    return " Ph= " + Format(phaseDegrees(e.re, e.im), "0.0#");
  case 3:
    return " Re= " + Format(e.re, "0.0#");
  case 4:
    return " Im= " + Format(e.im, "0.0#");
  default:
    return {};
  }
}

void clComplexImage::SetFTView(std::int16_t kind, bool noRedraw)
{
  FTViewKind = kind;
  rebuildCurrentTable();
  if (noRedraw)
    return;
  RedrawFT(1, 0.0f);
  if (resultCanvas->Tag == "3D")
    draw3DFT();
}

void clComplexImage::SetLUT(std::int16_t which, std::span<const std::uint32_t> table, bool noRedraw)
{
  if (table.size() < greyTable.size())
    throw RuntimeError("A colour table needs 256 colours, not " + std::to_string(table.size()) + ".");
  if (which == 1)
    std::copy_n(table.begin(), greyTable.size(), greyTable.begin());
  else if (which == 2)
    std::copy_n(table.begin(), hueTable.size(), hueTable.begin());
  rebuildCurrentTable();
  if (!noRedraw)
    RedrawFT(1, 0.0f);
}

void clComplexImage::SetDrawMode(std::int16_t mode)
{
  DrawMode = mode;
}

void clComplexImage::SetScale(std::int16_t kind)
{
  sqrtScale = kind == 1;
  RedrawFT(1, -1.0f);
}

void clComplexImage::SetCanvas(PixelCanvas& image, PixelCanvas& spectrumView, PixelCanvas& result)
{
  imageCanvas = &image;
  spectrumCanvas = &spectrumView;
  resultCanvas = &result;
}

void clComplexImage::SetMessageLabel(std::function<void(const std::string&)> label)
{
  messageLabel = std::move(label);
}

void clComplexImage::SetDimensionFFT(std::int32_t n)
{
  if (n < 2 || n > 2048 || (n & (n - 1)) != 0)
    throw RuntimeError("The transform size " + std::to_string(n) +
                       " is not a power of two from 2 to 2048.");
  gridWidth = n;
  gridHeight = n;
  pointCount = n * n;
  spectrum.assign(static_cast<std::size_t>(pointCount), Element{});
  resultPlane.assign(static_cast<std::size_t>(pointCount), Element{});
  // The display map depends on N alone, so it is built once here.
  displayIndex.assign(static_cast<std::size_t>(pointCount), IndexPair{});
  for (int x = 0; x < n; ++x)
    for (int y = 0; y < n; ++y)
      displayIndex[at(displayPosition(x), displayPosition(y))] = {static_cast<std::int16_t>(x),
                                                                 static_cast<std::int16_t>(y)};
}

void clComplexImage::SetInvert(std::int16_t view, bool flag)
{
  if (view < 0 || view > 2)
    throw RuntimeError("The view " + std::to_string(view) + " is not 0, 1 or 2.");
  invertFlags[view] = flag;
}

bool clComplexImage::GetInvert(std::int16_t view) const
{
  if (view < 0 || view > 2)
    throw RuntimeError("The view " + std::to_string(view) + " is not 0, 1 or 2.");
  return invertFlags[view];
}

void clComplexImage::PaintAll() {}

void clComplexImage::InvertImage(bool flag)
{
  invertImageFlag = flag;
}

void clComplexImage::ShowHistogram(bool flag)
{
  showHistogramFlag = flag;
}

void clComplexImage::ShowColorImage(bool flag)
{
  showColorImageFlag = flag;
}

void clComplexImage::SetImageSize(float width, float height)
{
  const std::int16_t w = CInt(width);
  const std::int16_t h = CInt(height);
  ImageWidth = w;
  ImageHeight = h;
}

void clComplexImage::Msg(const std::string& text)
{
  if (!messageLabel)
    throw RuntimeError("The image workspace has no canvas yet.");
  messageLabel(text);
}

void clComplexImage::runFOURN(std::int16_t direction, bool resetBrightness)
{
  requireBound();
  if (gridWidth == 0)
    throw RuntimeError("The image workspace has no size yet.");
  WaitCursor wait(m_prompts);
  if (resetBrightness)
    brightness = 0.0f;
  if (!FilterOn)
    Msg("");
  if (FilterLowPass)
    Msg(" (Low-pass filter r=" + numberText(FilterRadius) + ")");
  if (FilterHighPass)
    Msg(" (High-pass filter r=" + numberText(FilterRadius) + ")");
  if (FilterCustom)
    Msg(" (Custom filter)");

  const int n = gridWidth;
  const std::int32_t lengths[2] = {n, n};
  const auto count = static_cast<std::size_t>(pointCount);
  std::vector<float> buffer(2 * count + 1, 0.0f);

  if (direction < 1) {
    resultPlane.assign(count, Element{});
    bool anyReal = false;
    for (std::size_t k = 0; k < count; ++k) {
      buffer[2 * k + 1] = spectrum[k].re / static_cast<float>(pointCount);
      buffer[2 * k + 2] = spectrum[k].im / static_cast<float>(pointCount);
      anyReal = anyReal || buffer[2 * k + 1] != 0.0f;
    }
    if (!anyReal)
      return;
    applyFilters(buffer);
    fourn(buffer, lengths, -1);
    for (std::size_t k = 0; k < count; ++k)
      resultPlane[k].re = buffer[2 * k + 1];
    DrawFT(resultPlane, n, n, *resultCanvas, kPictureMode, invertFlags[2]);
    resultCanvas->Tag = "!";
    imageCanvas->Tag = "!";
    return;
  }

  spectrum.assign(count, Element{});
  // The grey level is the low byte; black beyond a canvas smaller than N × N.
  const std::span<const std::uint32_t> words = imageCanvas->words();
  const int columns = std::min(n, imageCanvas->width());
  const int rows = std::min(n, imageCanvas->height());
  std::int64_t sum = 0;
  for (int i = 0; i < columns; ++i) {
    for (int j = 0; j < rows; ++j) {
      const auto level = static_cast<int>(words[static_cast<std::size_t>(j) * imageCanvas->width() + i] & 0xFFu);
      buffer[2 * at(i, j) + 1] = static_cast<float>(level);
      sum += level;
    }
  }
  if (sum == 0)
    return;
  ContrastColor = roundToInt(static_cast<double>(sum) / pointCount) >= 128 ? 0u : 0xFFFFFFu;
  fourn(buffer, lengths, 1);
  for (std::size_t k = 0; k < count; ++k)
    spectrum[k] = {buffer[2 * k + 1], buffer[2 * k + 2]};
  DrawFT(spectrum, n, n, *spectrumCanvas, kSpectrumMode, invertFlags[1]);
  spectrumCanvas->Tag = "!";
  imageCanvas->Tag = "!";
}

void clComplexImage::ChangeBrightness(std::int16_t step)
{
  const float factor = step <= 0 ? 0.9f : 1.11f;
  if (sqrtScale)
    gain *= factor;
  else
    brightness *= factor;
  brightness = std::max(brightness, 0.5f);
  gain = std::max(gain, 0.5f);
  RedrawFT(1, brightness);
}

void clComplexImage::RedrawFT(std::int16_t which, float newBrightness)
{
  if (newBrightness > 0.0f)
    brightness = newBrightness;
  if (which == 0) {
    requireBound();
    DrawFT(resultPlane, gridWidth, gridHeight, *resultCanvas, kPictureMode, invertFlags[2]);
  } else if (which == 1) {
    requireBound();
    DrawFT(spectrum, gridWidth, gridHeight, *spectrumCanvas, kSpectrumMode, invertFlags[1]);
  }
}

void clComplexImage::UpdateFTImage() {}

void clComplexImage::GetProfile(std::span<float> profile, float& max, [[maybe_unused]] float x, float y)
{
  if (profile.size() < static_cast<std::size_t>(gridWidth))
    throw RuntimeError("The profile holds " + std::to_string(profile.size()) + " places, not " +
                       std::to_string(gridWidth) + ".");
  if (gridWidth > 0) {
    const int iy = wrap(CLng(gridHeight / 2 + static_cast<double>(y)), gridHeight);
    for (int i = 0; i < gridWidth; ++i) {
      const int ix = (gridWidth / 2 + i) % gridWidth;
      profile[i] = static_cast<float>(magnitude(spectrum[at(ix, iy)]));
      max = std::max(max, profile[i]);
    }
  }
  if (max == 0.0f)
    max = 1.0f;
}

void clComplexImage::draw3DFT()
{
  requireBound();
  try {
    paint3D();
  } catch (const std::exception& e) {
    m_prompts.message(std::string("Error in Draw3DFT: ") + e.what(), "", MessageIcon::None);
  }
}

void clComplexImage::requireBound() const
{
  if (imageCanvas == nullptr || spectrumCanvas == nullptr || resultCanvas == nullptr || !messageLabel)
    throw RuntimeError("The image workspace has no canvas yet.");
}

// FFT index x is shown at x + N/2 − 1 up to N/2, at x − N/2 − 1 beyond: zero
// frequency lands at N/2 − 1.
int clComplexImage::displayPosition(int index) const
{
  const int half = gridWidth / 2;
  return index <= half ? index + half - 1 : index - half - 1;
}

std::size_t clComplexImage::at(int x, int y) const
{
  return static_cast<std::size_t>(x) * static_cast<std::size_t>(gridHeight) + static_cast<std::size_t>(y);
}

int clComplexImage::spectrumLevel(double value, double largest, bool invert) const
{
  double v;
  if (sqrtScale && FTViewKind != 2) {
    v = value / largest * 255.0;
    v = v < 1.0 ? 0.0 : std::sqrt(v);
    v *= gain;
  } else {
    v = value / largest * 255.0 * brightness;
  }
  // A NaN value gives 255.
  const int g = roundToInt(v < 255.0 ? v : 255.0);
  return invert ? 255 - g : g;
}

std::uint32_t clComplexImage::viewColour(const Element& e, int level) const
{
  switch (FTViewKind) {
  case 0:
    return currentTable[level];
  case 1:
    // Lightness 0 is black and 239 white whatever the hue: no phase needed.
    if (level == 0 || level == 255)
      return phaseLightTable[level];
    return phaseLightTable[static_cast<std::size_t>(elementHue(e)) * 256 + level];
  case 2:
    return hueTable[elementHue(e)];
  case 3:
    return e.re >= 0.0f ? realTable[255 + level] : realTable[255 - level];
  case 4:
    return e.im >= 0.0f ? imagTable[255 + level] : imagTable[255 - level];
  default:
    return 0;
  }
}

void clComplexImage::DrawFT(const BigVector<Element>& plane, int w, int h, PixelCanvas& canvas,
                            int mode, bool invert)
{
  try {
    paint(plane, w, h, canvas, mode, invert);
  } catch (const std::exception& e) {
    m_prompts.message(std::string("Error in DrawFT: ") + e.what(), "", MessageIcon::None);
  }
}

// The whole view is built in one buffer and written in one block, so an error
// leaves the canvas as it was.
void clComplexImage::paint(const BigVector<Element>& plane, int w, int h, PixelCanvas& canvas,
                           int mode, bool invert)
{
  if (mode == kSpectrumMode && gain == 0.0f)
    gain = 1.0f;
  std::vector<std::uint32_t> pixels(static_cast<std::size_t>(w) * static_cast<std::size_t>(h), 0u);
  // The largest magnitude (or its square root) is the root of the largest
  // square: the roots are monotonic, so the first pass needs none.
  double maxSquare = 0.0;
  double minRe = 0.0;
  double maxRe = 0.0;
  for (const Element& e : plane) {
    maxSquare = std::max(maxSquare, static_cast<double>(e.re) * e.re + static_cast<double>(e.im) * e.im);
    minRe = std::min(minRe, static_cast<double>(e.re));
    maxRe = std::max(maxRe, static_cast<double>(e.re));
  }
  double maxM = std::sqrt(maxSquare);
  if (sqrtScale)
    maxM = std::sqrt(maxM);
  if (maxM == 0.0)
    return;
  if (!(minRe < maxRe)) {
    minRe -= 0.01;
    maxRe += 0.01;
  }
  // Columns in bands of 16, so that both the plane (column by column) and the
  // pixels (row by row) are walked a cache line at a time.
  constexpr int kBand = 16;
  for (int x0 = 0; x0 < w; x0 += kBand) {
    const int x1 = std::min(x0 + kBand, w);
    for (int y = 0; y < h; ++y) {
      if (mode == kSpectrumMode) {
        const std::size_t row = static_cast<std::size_t>(displayPosition(y)) * w;
        for (int x = x0; x < x1; ++x) {
          const Element& e = plane[at(x, y)];
          // The phase view's colour does not depend on the level.
          const int level = FTViewKind == 2 ? 0 : spectrumLevel(magnitude(e), maxM, invert);
          pixels[row + displayPosition(x)] = viewColour(e, level);
        }
      } else {
        const std::size_t row = static_cast<std::size_t>(y) * w;
        for (int x = x0; x < x1; ++x) {
          // CLng refuses a NaN value, which ends the painting with a message.
          int level = std::max(static_cast<int>(CLng((plane[at(x, y)].re - minRe) * 255.0 / (maxRe - minRe))), 0);
          if (invert)
            level = 255 - level;
          pixels[row + x] = static_cast<std::uint32_t>(level) * 0x010101u;
        }
      }
    }
  }
  canvas.writeBlock(w, h, pixels);
  canvas.refresh();
  if (mode != kSpectrumMode)
    resultCanvas->Tag = "!";
}

void clComplexImage::paint3D()
{
  if (gain == 0.0f)
    gain = 1.0f;
  const int n = gridWidth;
  const auto count = static_cast<std::size_t>(pointCount);
  std::vector<std::uint32_t> pixels(count, 0u);
  std::vector<std::int16_t> heights(count, 0);

  double value = 0.0;
  // Other view kinds keep the previous value.
  const auto updateValue = [this, &value](const Element& e) {
    switch (FTViewKind) {
    case 0:
    case 1:
      value = magnitude(e);
      break;
    case 2:
      value = phaseDegrees(e.re, e.im);
      break;
    case 3:
      value = std::fabs(e.re);
      break;
    case 4:
      value = std::fabs(e.im);
      break;
    default:
      break;
    }
  };

  double maxV = 0.0;
  for (int x = 0; x < n; ++x) {
    for (int y = 0; y < n; ++y) {
      updateValue(spectrum[at(x, y)]);
      maxV = maxD(maxV, sqrtScale ? std::sqrt(value) : value);
    }
  }
  if (maxV == 0.0)
    return;
  for (int x = 0; x < n; ++x) {
    for (int y = 0; y < n; ++y) {
      const Element& e = spectrum[at(x, y)];
      updateValue(e);
      const int level = spectrumLevel(value, maxV, invertFlags[1]);
      const std::size_t k = static_cast<std::size_t>(displayPosition(y)) * n + displayPosition(x);
      pixels[k] = viewColour(e, level);
      heights[k] = static_cast<std::int16_t>(level);
    }
  }

  // Rows back to front, each column a bar leaning half a pixel left per row.
  spectrumCanvas->clear(0);
  for (int y = 0; y < n; ++y) {
    for (int x = 0; x < n; ++x) {
      const std::size_t k = static_cast<std::size_t>(y) * n + x;
      const int px = roundToInt(x + 60 - y * 0.5);
      const int py = roundToInt(y + 90 - y * 0.5);
      const int z = roundToInt(heights[k] / 2.0);
      spectrumCanvas->verticalLine(px, py, py - z, pixels[k]);
    }
  }
  spectrumCanvas->refresh();
  spectrumCanvas->Tag = "3D";
}

void clComplexImage::applyFilters(std::span<float> buffer)
{
  SpectrumFilter filter;
  filter.radial = FilterRadial;
  filter.lowPass = FilterLowPass;
  filter.highPass = FilterHighPass;
  filter.custom = FilterCustom;
  filter.radius = FilterRadius;
  filter.centerX = FilterCenterX;
  filter.centerY = FilterCenterY;
  filter.masks = std::span<const SpectrumMask>(masks).first(
    static_cast<std::size_t>(std::clamp<int>(MaskCount, 0, kMaxMasks)));
  applySpectrumFilter(buffer, gridWidth, displayIndex, filter);
}

void clComplexImage::NoFilterFT()
{
  FilterOn = false;
  FilterCustom = false;
  FilterLowPass = false;
  FilterHighPass = false;
  FilterRadial = false;
  MaskCount = 0;
}

void clComplexImage::SetFilterFT(std::int16_t kind)
{
  NoFilterFT();
  if (kind == 2 || kind == 3) {
    FilterOn = true;
    FilterRadial = true;
    FilterLowPass = kind == 2;
    FilterHighPass = kind == 3;
  } else if (kind == 4) {
    FilterOn = true;
    FilterCustom = true;
  }
}

void clComplexImage::SetFilterRad(float radius)
{
  FilterRadius = radius;
  FilterCenterX = static_cast<float>(gridWidth - 1) / 2.0f;
  FilterCenterY = FilterCenterX;
}

void clComplexImage::AddMask(std::int16_t x1, std::int16_t y1, std::int16_t x2, std::int16_t y2)
{
  if (MaskCount < 0 || MaskCount >= kMaxMasks)
    throw RuntimeError("No room for mask " + std::to_string(MaskCount + 1) + ": at most " +
                       std::to_string(kMaxMasks) + " masks.");
  masks[MaskCount] = {std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2)};
  ++MaskCount;
}

std::array<double, 4> clComplexImage::GetMask(std::int32_t index) const
{
  if (index < 0 || index >= kMaxMasks)
    throw RuntimeError("There is no mask " + std::to_string(index) + ".");
  const SpectrumMask& m = masks[index];
  return {static_cast<double>(m.xMin), static_cast<double>(m.yMin), static_cast<double>(m.xMax),
          static_cast<double>(m.yMax)};
}

bool clComplexImage::spectrumReady() const
{
  return imageCanvas != nullptr && !imageCanvas->Tag.empty() && gridWidth > 0;
}

void clComplexImage::showChangedSpectrum()
{
  DrawFT(spectrum, gridWidth, gridHeight, *spectrumCanvas, kSpectrumMode, invertFlags[1]);
  runFOURN(0, false);
}

// A zero element counts magnitude 1, so no experiment divides by zero.
double clComplexImage::experimentMagnitude(const Element& e)
{
  const double m = magnitude(e);
  return m == 0.0 ? 1.0 : m;
}

template <typename Change>
void clComplexImage::changeEachElement(Change change)
{
  if (!spectrumReady())
    return;
  for (Element& e : spectrum)
    change(e, experimentMagnitude(e));
  showChangedSpectrum();
}

void clComplexImage::DiscardPhases()
{
  changeEachElement([](Element& e, double m) { e = {static_cast<float>(m), 0.0f}; });
}

void clComplexImage::DiscardMagnitudes()
{
  changeEachElement([](Element& e, double m) {
    e = {static_cast<float>(e.re / m), static_cast<float>(e.im / m)};
  });
}

void clComplexImage::RandomizePhases()
{
  changeEachElement([this](Element& e, double m) {
    double a = 0.0;
    double b = 0.0;
    double r = 0.0;
    // Both draws exactly 0.5 would leave no direction; draw again.
    while (r == 0.0) {
      a = m_random.uniform() - 0.5;
      b = m_random.uniform() - 0.5;
      r = std::sqrt(a * a + b * b);
    }
    e = {static_cast<float>(a / r * m), static_cast<float>(b / r * m)};
  });
}

void clComplexImage::RandomizeMagnitudes()
{
  if (!spectrumReady())
    return;
  double hi = 0.0;
  double lo = 9999999.0;
  for (const Element& e : spectrum) {
    hi = std::max({hi, static_cast<double>(e.re), static_cast<double>(e.im)});
    lo = std::min({lo, static_cast<double>(e.re), static_cast<double>(e.im)});
  }
  const double amp = (std::fabs(hi) + std::fabs(lo)) / 2.0;
  double sum = 0.0;
  for (Element& e : spectrum) {
    const double f = m_random.uniform() * amp / experimentMagnitude(e);
    e = {static_cast<float>(f * e.re), static_cast<float>(f * e.im)};
    sum += magnitude(e);
  }
  // New magnitudes that all vanish leave the gain as it was.
  if (sum > 0.0)
    gain = static_cast<float>(amp / (sum / gridWidth / gridHeight) / 4.0);
  showChangedSpectrum();
}

void clComplexImage::SwapPhases(const FTArray& source)
{
  if (!spectrumReady())
    return;
  if (source.size() != gridWidth)
    throw RuntimeError(sizeMismatch("The phase source holds ", source.size(), gridWidth));
  for (int x = 0; x < gridWidth; ++x) {
    for (int y = 0; y < gridHeight; ++y) {
      Element& e = spectrum[at(x, y)];
      const double sr = source.at(x, y, 0);
      const double si = source.at(x, y, 1);
      const double p = std::sqrt(sr * sr + si * si);
      // A source element without a phase keeps the own one.
      if (p == 0.0)
        continue;
      const double m = experimentMagnitude(e);
      e = {static_cast<float>(sr / p * m), static_cast<float>(si / p * m)};
    }
  }
  showChangedSpectrum();
}

void clComplexImage::GetFTArray(FTArray& target) const
{
  if (target.size() != gridWidth)
    throw RuntimeError(sizeMismatch("The spectrum array holds ", target.size(), gridWidth));
  for (int x = 0; x < gridWidth; ++x) {
    for (int y = 0; y < gridHeight; ++y) {
      target.at(x, y, 0) = spectrum[at(x, y)].re;
      target.at(x, y, 1) = spectrum[at(x, y)].im;
    }
  }
}

void clComplexImage::SetFTArray(const FTArray& source)
{
  if (source.size() != gridWidth || gridWidth == 0)
    throw RuntimeError(sizeMismatch("The spectrum array holds ", source.size(), gridWidth));
  requireBound();
  for (int x = 0; x < gridWidth; ++x)
    for (int y = 0; y < gridHeight; ++y)
      spectrum[at(x, y)] = {source.at(x, y, 0), source.at(x, y, 1)};
  showChangedSpectrum();
}

void clComplexImage::SetPictureLoader(PictureLoader loader)
{
  pictureLoader = std::move(loader);
}

void clComplexImage::LoadImageFile(const std::string& path)
{
  ImageFile = path;
  ImageTitle = getFileName(path);
  if (!pictureLoader || imageCanvas == nullptr)
    throw RuntimeError("The image workspace cannot load \"" + path + "\": it has no picture loader or canvas.");
  pictureLoader(path, *imageCanvas);
  imageCanvas->refresh();
}

void clComplexImage::CalculateAll()
{
  ImageTitle = getFileName(ImageFile);
  if (brightness == 0.0f)
    brightness = 100.0f;
  if (gain == 0.0f)
    gain = 1.0f;
  runFOURN(1, false);
  runFOURN(0, false);
}

void clComplexImage::SetExportOptionsSource(std::function<FTExportOptions()> source)
{
  exportOptionsSource = std::move(source);
}

void clComplexImage::SetClipboardText(std::function<void(const std::string&)> clipboard)
{
  clipboardText = std::move(clipboard);
}

std::string clComplexImage::formatNumber(double value, bool asWholeNumber)
{
  if (asWholeNumber)
    return Format(std::nearbyint(value), "0");
  return Format(value, "0.0##");
}

std::string clComplexImage::elementText(const Element& e, int kind, bool whole) const
{
  switch (kind) {
  case 0:
    return formatNumber(e.re, whole) + ", " + formatNumber(e.im, whole) + "\t";
  case 1:
    return formatNumber(magnitude(e), whole) + "\t";
  case 2:
    return formatNumber(phaseDegrees(e.re, e.im), whole) + "\t";
  case 3:
    return formatNumber(e.re, whole) + "\t";
  case 4:
    return formatNumber(e.im, whole) + "\t";
  default:
    return {};
  }
}

void clComplexImage::CopyData()
{
  if (!exportOptionsSource || !clipboardText)
    throw RuntimeError("The spectrum export has no options or clipboard.");
  const FTExportOptions options = exportOptionsSource();
  if (options.ok == 0)
    return;
  const bool whole = options.bi != 0;
  const auto element = [&](int x, int y) -> const Element& {
    if (options.bs == 0)
      return spectrum[at(x, y)];
    return spectrum[at((gridWidth / 2 + x) % gridWidth, (gridHeight / 2 + y) % gridHeight)];
  };
  std::string text;
  for (int x = 0; x < gridWidth; ++x) {
    if (options.b3 != 0) {
      for (int y = 0; y < gridHeight; ++y) {
        PrintLine line;
        line << static_cast<std::int32_t>(x) << static_cast<std::int32_t>(y)
             << elementText(element(x, y), options.m, whole);
        text += line.str();
        text += "\r\n";
      }
    } else {
      for (int y = 0; y < gridHeight; ++y)
        text += elementText(element(x, y), options.m, whole);
      text += "\r\n";
    }
  }
  clipboardText(text);
  m_prompts.message("Data copied to clipboard.", "FT Export", MessageIcon::Information);
}

void clComplexImage::rebuildCurrentTable()
{
  if (FTViewKind == 0 || FTViewKind == 1)
    currentTable = greyTable;
  else if (FTViewKind == 2)
    currentTable = hueTable;
}

} // namespace tarvek
