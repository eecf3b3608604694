// Tests of the complex image workspace: colour tables, settings and the transform runs.
#include "complex_image_probe.h"

#include "runtime/random_source.h"
#include "runtime/runtime_error.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace tarvek {
namespace {

using Probe = ComplexImageProbe;
using test::BoundWorkspace;
using test::FakePrompts;

std::uint32_t red(std::uint32_t c) { return (c >> 16) & 0xFF; }
std::uint32_t green(std::uint32_t c) { return (c >> 8) & 0xFF; }
std::uint32_t blue(std::uint32_t c) { return c & 0xFF; }

// The tables are built at construction from the 0..239 colour conversion.
TEST(ComplexImageTablesTest, constructionBuildsTheColourTables)
{
  FakePrompts prompts;
  RandomSource random;
  const clComplexImage c(prompts, random);
  for (std::uint32_t i = 0; i < 256; ++i)
    ASSERT_EQ(Probe::greyTable(c)[i], i * 0x010101u) << i;
  EXPECT_EQ(Probe::currentTable(c), Probe::greyTable(c));
  // Hue 0 at lightness 128/239 is not pure red: p = 2l − 1 gives 18.
  const std::uint32_t hue0 = Probe::hueTable(c)[0];
  EXPECT_EQ(red(hue0), 255u);
  EXPECT_EQ(green(hue0), 18u);
  EXPECT_EQ(blue(hue0), 18u);
  EXPECT_EQ(Probe::realTable(c)[255], 0u);
  EXPECT_EQ(Probe::imagTable(c)[255], 0u);
  // Lightness 255/239 is above 1 and clamps to white.
  EXPECT_EQ(Probe::realTable(c)[0], 0xFFFFFFu);
  EXPECT_EQ(Probe::realTable(c)[510], 0xFFFFFFu);
  EXPECT_FLOAT_EQ(Probe::brightness(c), 1.0f);
  EXPECT_FLOAT_EQ(Probe::gain(c), 1.0f);
}

TEST(ComplexImageTablesTest, hslConversionPlacesChannelsByOrder)
{
  EXPECT_EQ(Probe::HSLtoRGB(0, 0, 239, true), 0xFFFFFFu);
  EXPECT_EQ(Probe::HSLtoRGB(0, 0, 0, true), 0u);
  const std::uint32_t ordinary = Probe::HSLtoRGB(0, 239, 120, false);
  const std::uint32_t pixel = Probe::HSLtoRGB(0, 239, 120, true);
  EXPECT_EQ(ordinary & 0xFF, 255u);
  EXPECT_EQ(red(pixel), 255u);
  // The other channels are p = 2·120/239 − 1 of 255, about 1; the blue test
  // 3t < 2 sits on a tie, so allow one step.
  EXPECT_NEAR(static_cast<double>(green(ordinary)), 1.0, 1.0);
  EXPECT_NEAR(static_cast<double>(red(ordinary)), 1.0, 1.0);
  EXPECT_NEAR(static_cast<double>(green(pixel)), 1.0, 1.0);
  EXPECT_NEAR(static_cast<double>(blue(pixel)), 1.0, 1.0);
}

TEST(ComplexImageSettingsTest, storesSizesAndInvertFlags)
{
  FakePrompts prompts;
  RandomSource random;
  clComplexImage c(prompts, random);
  c.SetImageSize(10.5f, 11.5f);
  EXPECT_EQ(c.ImageWidth, 10);
  EXPECT_EQ(c.ImageHeight, 12);
  EXPECT_THROW(c.SetImageSize(1.0f, 40000.0f), RuntimeError);
  EXPECT_EQ(c.ImageWidth, 10);
  EXPECT_EQ(c.ImageHeight, 12);

  EXPECT_FALSE(c.GetInvert(1));
  c.SetInvert(1, true);
  EXPECT_TRUE(c.GetInvert(1));
  EXPECT_FALSE(c.GetInvert(0));
  EXPECT_FALSE(c.GetInvert(2));
  for (const std::int16_t view : {-1, 3}) {
    EXPECT_THROW(c.SetInvert(view, true), RuntimeError) << view;
    EXPECT_THROW(c.GetInvert(view), RuntimeError) << view;
  }
  c.SetDrawMode(4);
  EXPECT_EQ(c.DrawMode, 4);
}

TEST(ComplexImageSettingsTest, dimensionMustBeAPowerOfTwoUpTo2048)
{
  FakePrompts prompts;
  RandomSource random;
  clComplexImage c(prompts, random);
  for (const std::int32_t n : {500, 0, 1, -2, 4096, 3}) {
    try {
      c.SetDimensionFFT(n);
      ADD_FAILURE() << n << " was accepted";
    } catch (const RuntimeError& e) {
      EXPECT_NE(std::string(e.what()).find(std::to_string(n)), std::string::npos) << e.what();
    }
  }
  for (const std::int32_t n : {2, 64, 2048})
    EXPECT_NO_THROW(c.SetDimensionFFT(n)) << n;
}

// Nothing paints, transforms or writes a message before it is bound.
TEST(ComplexImageSettingsTest, unboundWorkspaceRefusesToPaint)
{
  FakePrompts prompts;
  PixelCanvas canvas(8, 8);
  RandomSource random;
  clComplexImage c(prompts, random);
  c.SetDimensionFFT(8);
  EXPECT_THROW(c.runFOURN(1, false), RuntimeError);
  EXPECT_THROW(c.Msg("text"), RuntimeError);
  EXPECT_THROW(c.RedrawFT(1, 0.0f), RuntimeError);
  EXPECT_THROW(c.draw3DFT(), RuntimeError);
  c.SetCanvas(canvas, canvas, canvas);
  EXPECT_THROW(c.runFOURN(1, false), RuntimeError) << "no label yet";
  EXPECT_EQ(prompts.waitDepth, 0);
}

TEST(ComplexImageTransformTest, impulseAtOriginGivesAFlatSpectrum)
{
  BoundWorkspace w;
  w.image.setPixel(0, 0, 0xFFFFFF);
  w.workspace.runFOURN(1, false);
  for (const auto& e : Probe::spectrum(w.workspace)) {
    ASSERT_EQ(e.re, 255.0f);
    ASSERT_EQ(e.im, 0.0f);
  }
  // Dark on average: the contrast colour is white.
  EXPECT_EQ(w.workspace.ContrastColor, 0xFFFFFFu);
  EXPECT_EQ(w.prompts.waitDepth, 0);
  EXPECT_EQ(w.prompts.waitCount, 1);
}

TEST(ComplexImageTransformTest, uniformGreyHasOnlyTheZeroFrequency)
{
  BoundWorkspace w;
  w.fillImage(100);
  w.workspace.runFOURN(1, false);
  const auto& s = Probe::spectrum(w.workspace);
  EXPECT_EQ(s[0].re, 26214400.0f);
  EXPECT_EQ(s[0].im, 0.0f);
  for (std::size_t k = 1; k < s.size(); ++k) {
    ASSERT_EQ(s[k].re, 0.0f) << k;
    ASSERT_EQ(s[k].im, 0.0f) << k;
  }
  w.fillImage(200);
  w.workspace.runFOURN(1, false);
  EXPECT_EQ(w.workspace.ContrastColor, 0u) << "bright on average";
}

// Only the blue byte is the level; the grab takes exactly N × N pixels,
// cropping a larger canvas and reading black beyond a smaller one.
TEST(ComplexImageTransformTest, grabTakesTheLowByteOfNByNPixels)
{
  for (const int side : {16, 4}) {
    FakePrompts prompts;
    PixelCanvas image(side, side);
    PixelCanvas view(8, 8);
    RandomSource random;
    clComplexImage c(prompts, random);
    c.SetMessageLabel([](const std::string&) {});
    c.SetCanvas(image, view, view);
    c.SetDimensionFFT(8);
    image.clear(0xABCD07);
    c.runFOURN(1, false);
    const int inside = std::min(side, 8);
    EXPECT_EQ(Probe::spectrum(c)[0].re, 7.0f * inside * inside) << side;
  }
}

TEST(ComplexImageTransformTest, forwardThenBackReturnsThePicture)
{
  BoundWorkspace w;
  RandomSource random(99);
  std::vector<int> levels(512 * 512);
  for (int y = 0; y < 512; ++y) {
    for (int x = 0; x < 512; ++x) {
      const int level = static_cast<int>(random.uniform() * 256.0);
      levels[static_cast<std::size_t>(x) * 512 + y] = level;
      w.image.setPixel(x, y, static_cast<std::uint32_t>(level) * 0x010101u);
    }
  }
  w.workspace.runFOURN(1, false);
  w.workspace.runFOURN(0, false);
  const auto& plane = Probe::resultPlane(w.workspace);
  for (std::size_t k = 0; k < plane.size(); ++k) {
    ASSERT_NEAR(plane[k].re, levels[k], 1e-3) << k;
    ASSERT_EQ(plane[k].im, 0.0f);
  }
  EXPECT_EQ(w.result.Tag, "!");
  EXPECT_EQ(w.image.Tag, "!");
  // The result view stretches the levels between 0 and the largest.
  const int largest = *std::max_element(levels.begin(), levels.end());
  for (const int x : {0, 17, 300}) {
    const std::uint32_t shown = w.result.pixel(x, 5);
    EXPECT_EQ(shown, (shown & 0xFF) * 0x010101u);
    EXPECT_NEAR(static_cast<double>(shown & 0xFF), levels[static_cast<std::size_t>(x) * 512 + 5] * 255.0 / largest, 1.0);
  }
}

// A black picture or an empty spectrum ends quietly: nothing painted, no
// marker set, the contrast colour kept.
TEST(ComplexImageTransformTest, allZeroInputEndsQuietly)
{
  BoundWorkspace w;
  w.spectrumView.clear(0x123456);
  w.result.clear(0x123456);
  w.workspace.ContrastColor = 0x42;
  w.workspace.runFOURN(1, false);
  w.workspace.runFOURN(0, false);
  EXPECT_EQ(w.spectrumView.pixel(100, 100), 0x123456u);
  EXPECT_EQ(w.result.pixel(100, 100), 0x123456u);
  EXPECT_EQ(w.image.Tag, "");
  EXPECT_EQ(w.spectrumView.Tag, "");
  EXPECT_EQ(w.result.Tag, "");
  EXPECT_EQ(w.workspace.ContrastColor, 0x42u);
  EXPECT_TRUE(w.prompts.messages().empty());
  EXPECT_EQ(w.prompts.waitDepth, 0);
}

TEST(ComplexImageTransformTest, statusTextNamesTheFilter)
{
  struct Case {
    bool on, low, high, custom;
    const char* text;
  };
  const Case cases[] = {
    {false, false, false, false, ""},
    {true, true, false, false, " (Low-pass filter r=12.5)"},
    {true, false, true, false, " (High-pass filter r=12.5)"},
    {true, false, false, true, " (Custom filter)"},
  };
  for (const Case& c : cases) {
    BoundWorkspace w(8);
    w.workspace.FilterOn = c.on;
    w.workspace.FilterLowPass = c.low;
    w.workspace.FilterHighPass = c.high;
    w.workspace.FilterCustom = c.custom;
    w.workspace.FilterRadius = 12.5f;
    w.workspace.runFOURN(1, false);
    ASSERT_FALSE(w.label.empty());
    EXPECT_EQ(w.label.back(), c.text);
  }
}

// A failing repaint of the window ends the painting with one message.
TEST(ComplexImageTransformTest, paintingErrorBecomesOneMessage)
{
  BoundWorkspace w(8);
  w.fillImage(50);
  w.spectrumView.onChange = [] { throw RuntimeError("no surface"); };
  w.workspace.runFOURN(1, false);
  const auto messages = w.prompts.messages();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].text, "Error in DrawFT: no surface");
}

} // namespace
} // namespace tarvek
