// Test access to the private state of the complex image workspace, and a bound workspace.
#pragma once

#include "runtime/random_source.h"
#include "support/fake_prompts.h"
#include "tools/complex_image.h"
#include "tools/pixel_canvas.h"

#include <string>
#include <vector>

namespace tarvek {

class ComplexImageProbe {
public:
  using Element = clComplexImage::Element;

  static std::uint32_t HSLtoRGB(int hue, int saturation, int lightness, bool pixelOrder)
  {
    return clComplexImage::HSLtoRGB(hue, saturation, lightness, pixelOrder);
  }
  static float phaseDegrees(float re, float im) { return clComplexImage::phaseDegrees(re, im); }
  static int elementHue(float re, float im) { return clComplexImage::elementHue({re, im}); }
  static const auto& greyTable(const clComplexImage& c) { return c.greyTable; }
  static const auto& hueTable(const clComplexImage& c) { return c.hueTable; }
  static const auto& realTable(const clComplexImage& c) { return c.realTable; }
  static const auto& imagTable(const clComplexImage& c) { return c.imagTable; }
  static const auto& currentTable(const clComplexImage& c) { return c.currentTable; }
  static float brightness(const clComplexImage& c) { return c.brightness; }
  static float gain(const clComplexImage& c) { return c.gain; }
  static BigVector<Element>& spectrum(clComplexImage& c) { return c.spectrum; }
  static BigVector<Element>& resultPlane(clComplexImage& c) { return c.resultPlane; }
  // The FFT index shown at display position (dx, dy).
  static std::pair<int, int> displayIndex(const clComplexImage& c, int dx, int dy)
  {
    const auto& p = c.displayIndex.at(c.at(dx, dy));
    return {p.x, p.y};
  }
};

namespace test {

// A workspace bound to three canvases of n × n pixels and a recording label.
struct BoundWorkspace {
  explicit BoundWorkspace(int n = 512) : image(n, n), spectrumView(n, n), result(n, n), workspace(prompts, random)
  {
    workspace.SetMessageLabel([this](const std::string& text) { label.push_back(text); });
    workspace.SetCanvas(image, spectrumView, result);
    workspace.SetDimensionFFT(n);
  }

  // Paints a grey picture of one level everywhere.
  void fillImage(std::uint32_t level) { image.clear(level * 0x010101u); }

  FakePrompts prompts;
  RandomSource random{7};
  PixelCanvas image;
  PixelCanvas spectrumView;
  PixelCanvas result;
  std::vector<std::string> label;
  clComplexImage workspace;
};

} // namespace test
} // namespace tarvek
