// Tests of the complex image workspace's spectrum views, readouts, brightness and 3-D plot.
#include "complex_image_probe.h"

#include "runtime/random_source.h"
#include "runtime/runtime_error.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>
#include <set>
#include <utility>

namespace tarvek {
namespace {

using Probe = ComplexImageProbe;
using test::BoundWorkspace;

// The non-black pixels of a canvas as (x, y, colour).
std::vector<std::tuple<int, int, std::uint32_t>> litPixels(const PixelCanvas& canvas)
{
  std::vector<std::tuple<int, int, std::uint32_t>> lit;
  for (int y = 0; y < canvas.height(); ++y)
    for (int x = 0; x < canvas.width(); ++x)
      if (canvas.pixel(x, y) != 0)
        lit.emplace_back(x, y, canvas.pixel(x, y));
  return lit;
}

void fillSeededPicture(PixelCanvas& canvas, std::uint32_t seed)
{
  RandomSource random(seed);
  for (int y = 0; y < canvas.height(); ++y)
    for (int x = 0; x < canvas.width(); ++x)
      canvas.setPixel(x, y, static_cast<std::uint32_t>(random.uniform() * 256.0) * 0x010101u);
}

// The phase views' fast hue index equals the rounded phase in degrees / 1.506
// everywhere: on the axes, at zero, across magnitudes and near the rounding
// boundaries of the hue scale.
TEST(ComplexImageViewsTest, hueIndexFollowsThePhaseInDegrees)
{
  auto exact = [](float re, float im) {
    const double hue = Probe::phaseDegrees(re, im) / 1.506;
    return hue < 239.5 ? static_cast<int>(std::nearbyint(hue)) : 0;
  };
  std::vector<std::pair<float, float>> cases = {
    {0.0f, 0.0f}, {1.0f, 0.0f}, {-1.0f, 0.0f}, {0.0f, 1.0f}, {0.0f, -1.0f}, {-0.0f, 3.0f},
    {-5.0f, -0.0f}, {1.0f, -1e-7f}, {1e30f, 1e-30f}, {3e7f, -2.5f}};
  RandomSource random(21);
  for (int i = 0; i < 200000; ++i) {
    const double scale = std::pow(10.0, random.uniform() * 14.0 - 4.0);
    cases.emplace_back(static_cast<float>((random.uniform() * 2.0 - 1.0) * scale),
                       static_cast<float>((random.uniform() * 2.0 - 1.0) * scale));
  }
  // Phases at the middle between two hue steps, (k + 0.5) · 1.506 degrees.
  for (int k = 0; k < 239; ++k) {
    const double radians = (k + 0.5) * 1.506 * std::numbers::pi / 180.0;
    cases.emplace_back(static_cast<float>(std::cos(radians) * 100.0), static_cast<float>(std::sin(radians) * 100.0));
  }
  for (const auto& [re, im] : cases)
    ASSERT_EQ(Probe::elementHue(re, im), exact(re, im)) << re << ", " << im;
  EXPECT_EQ(Probe::elementHue(std::numeric_limits<float>::quiet_NaN(), 1.0f), 0);
}

TEST(ComplexImageViewsTest, displayMapIsABijectionCentredOnZeroFrequency)
{
  BoundWorkspace w;
  std::set<std::pair<int, int>> seen;
  for (int dx = 0; dx < 512; ++dx)
    for (int dy = 0; dy < 512; ++dy)
      seen.insert(Probe::displayIndex(w.workspace, dx, dy));
  EXPECT_EQ(seen.size(), 512u * 512u);
  EXPECT_EQ(Probe::displayIndex(w.workspace, 255, 255), std::make_pair(0, 0));
  EXPECT_EQ(Probe::displayIndex(w.workspace, 511, 511), std::make_pair(256, 256));
  EXPECT_EQ(Probe::displayIndex(w.workspace, 0, 0), std::make_pair(257, 257));
}

// A uniform picture has one bright spectrum pixel, white at the centre; the
// readout sits one pixel right of and below it.
TEST(ComplexImageViewsTest, uniformPictureShowsOneCentrePixel)
{
  BoundWorkspace w;
  w.fillImage(100);
  w.workspace.runFOURN(1, false);
  EXPECT_EQ(w.spectrumView.Tag, "!");
  EXPECT_EQ(w.image.Tag, "!");
  for (const std::int16_t kind : {0, 3}) {
    w.workspace.SetFTView(kind, false);
    const auto lit = litPixels(w.spectrumView);
    ASSERT_EQ(lit.size(), 1u) << "kind " << kind;
    EXPECT_EQ(lit[0], std::make_tuple(255, 255, 0xFFFFFFu)) << "kind " << kind;
  }
  w.workspace.SetFTView(0, false);
  EXPECT_EQ(w.workspace.getVXY(255, 255), " M= 0.0");
  EXPECT_EQ(w.workspace.getVXY(256, 256), " M= 26214400.0");
  EXPECT_EQ(w.workspace.getVXY(256 + 512, -256), " M= 26214400.0") << "coordinates wrap";
}

TEST(ComplexImageViewsTest, readoutPrefixFollowsTheViewKind)
{
  BoundWorkspace w;
  fillSeededPicture(w.image, 5);
  w.workspace.runFOURN(1, false);
  const std::pair<std::int16_t, const char*> kinds[] = {
    {0, " M= "}, {1, " M= "}, {2, " Ph= "}, {3, " Re= "}, {4, " Im= "}};
  for (const auto& [kind, prefix] : kinds) {
    w.workspace.SetFTView(kind, true);
    const std::string text = w.workspace.getVXY(10, 20);
    EXPECT_EQ(text.rfind(prefix, 0), 0u) << kind << ": " << text;
    // One or two decimals.
    const auto point = text.find('.');
    ASSERT_NE(point, std::string::npos) << text;
    EXPECT_GE(text.size() - point - 1, 1u) << text;
    EXPECT_LE(text.size() - point - 1, 2u) << text;
  }
  w.workspace.SetFTView(7, false);
  EXPECT_TRUE(litPixels(w.spectrumView).empty());
  EXPECT_EQ(w.workspace.getVXY(10, 20), "");
}

TEST(ComplexImageViewsTest, impulsePaintsEveryPixelAtFullLevel)
{
  BoundWorkspace w;
  w.image.setPixel(0, 0, 0xFFFFFF);
  w.workspace.runFOURN(1, false);
  for (const std::uint32_t word : w.spectrumView.words())
    ASSERT_EQ(word & 0xFFFFFFu, 0xFFFFFFu);
}

TEST(ComplexImageViewsTest, invertFlagInvertsTheSpectrumLevels)
{
  BoundWorkspace w;
  w.fillImage(100);
  w.workspace.SetInvert(1, true);
  w.workspace.runFOURN(1, false);
  EXPECT_EQ(w.spectrumView.pixel(255, 255), 0u);
  EXPECT_EQ(w.spectrumView.pixel(0, 0), 0xFFFFFFu);
}

TEST(ComplexImageViewsTest, brightnessStepsAndRedraws)
{
  BoundWorkspace w;
  w.fillImage(100);
  w.workspace.runFOURN(1, false);
  for (int i = 0; i < 20; ++i)
    w.workspace.ChangeBrightness(-1);
  EXPECT_FLOAT_EQ(Probe::brightness(w.workspace), 0.5f);
  // The centre pixel shows the level at half brightness.
  EXPECT_EQ(w.spectrumView.pixel(255, 255), 128u * 0x010101u);
  w.workspace.ChangeBrightness(1);
  EXPECT_FLOAT_EQ(Probe::brightness(w.workspace), 0.5f * 1.11f);
  EXPECT_NEAR(Probe::brightness(w.workspace), 0.555, 1e-6);

  w.workspace.RedrawFT(1, 0.0f);
  EXPECT_NEAR(Probe::brightness(w.workspace), 0.555, 1e-6);
  w.workspace.RedrawFT(1, -1.0f);
  EXPECT_NEAR(Probe::brightness(w.workspace), 0.555, 1e-6);

  const std::vector<std::uint32_t> before(w.spectrumView.words().begin(), w.spectrumView.words().end());
  const std::vector<std::uint32_t> resultBefore(w.result.words().begin(), w.result.words().end());
  w.workspace.RedrawFT(2, 3.0f);
  EXPECT_FLOAT_EQ(Probe::brightness(w.workspace), 3.0f);
  EXPECT_TRUE(std::equal(before.begin(), before.end(), w.spectrumView.words().begin()));
  EXPECT_TRUE(std::equal(resultBefore.begin(), resultBefore.end(), w.result.words().begin()));
}

// Under the square-root scale the steps change the gain, which kind 2 (the
// phase, whose plot heights are levels) ignores in favour of the brightness.
TEST(ComplexImageViewsTest, squareRootScaleUsesGainExceptForThePhase)
{
  BoundWorkspace w(64);
  fillSeededPicture(w.image, 8);
  w.workspace.runFOURN(1, false);
  w.workspace.SetScale(1);
  auto snapshot = [&w] {
    return std::vector<std::uint32_t>(w.spectrumView.words().begin(), w.spectrumView.words().end());
  };

  w.workspace.SetFTView(0, false);
  const auto magnitudeBefore = snapshot();
  w.workspace.ChangeBrightness(1);
  EXPECT_FLOAT_EQ(Probe::gain(w.workspace), 1.11f);
  EXPECT_FLOAT_EQ(Probe::brightness(w.workspace), 1.0f);
  EXPECT_NE(snapshot(), magnitudeBefore) << "kind 0 follows the gain";

  w.workspace.SetFTView(2, true);
  w.workspace.draw3DFT();
  const auto phaseAtGain = snapshot();
  w.workspace.ChangeBrightness(1);
  w.workspace.draw3DFT();
  EXPECT_EQ(snapshot(), phaseAtGain) << "kind 2 ignores the gain";
  w.workspace.RedrawFT(1, 0.5f);
  w.workspace.draw3DFT();
  EXPECT_NE(snapshot(), phaseAtGain) << "kind 2 follows the brightness";
}

TEST(ComplexImageViewsTest, profileOfAnEmptySpectrumIsZeroWithMaximumOne)
{
  BoundWorkspace w;
  std::vector<float> profile(513, -1.0f);
  float max = 0.0f;
  w.workspace.GetProfile(profile, max, 3.0f, 40.0f);
  EXPECT_FLOAT_EQ(max, 1.0f);
  for (int i = 0; i < 512; ++i)
    ASSERT_EQ(profile[i], 0.0f) << i;
  EXPECT_EQ(profile[512], -1.0f) << "only N places are written";

  std::vector<float> tooShort(511);
  EXPECT_THROW(w.workspace.GetProfile(tooShort, max, 0.0f, 0.0f), RuntimeError);
}

TEST(ComplexImageViewsTest, profileReadsTheRowBelowTheDisplayRow)
{
  BoundWorkspace w;
  w.fillImage(100);
  w.workspace.runFOURN(1, false);
  std::vector<float> profile(512);
  float max = 0.0f;
  // Display row 256 reads FFT row 0, whose element 0 sits at place 256.
  w.workspace.GetProfile(profile, max, 0.0f, 256.0f);
  EXPECT_FLOAT_EQ(max, 26214400.0f);
  EXPECT_FLOAT_EQ(profile[256], 26214400.0f);
  EXPECT_EQ(profile[255], 0.0f);
}

TEST(ComplexImageViewsTest, lookupTablesReplaceGreyAndHue)
{
  BoundWorkspace w;
  w.fillImage(100);
  w.workspace.runFOURN(1, false);
  std::vector<std::uint32_t> table(256, 0x00FF00u);
  const std::vector<std::uint32_t> before = {w.spectrumView.words().begin(), w.spectrumView.words().end()};
  EXPECT_THROW(w.workspace.SetLUT(1, std::span(table).first(255), false), RuntimeError);
  EXPECT_EQ(Probe::greyTable(w.workspace)[0], 0u);
  EXPECT_TRUE(std::equal(before.begin(), before.end(), w.spectrumView.words().begin()));

  w.workspace.SetLUT(1, table, false);
  EXPECT_EQ(w.spectrumView.pixel(0, 0), 0x00FF00u);
  EXPECT_EQ(Probe::currentTable(w.workspace)[7], 0x00FF00u);
  w.workspace.SetLUT(2, table, true);
  EXPECT_EQ(Probe::hueTable(w.workspace)[7], 0x00FF00u);
}

// A NaN in a plane (which a replaced spectrum could bring) paints as full
// level in the spectrum views and ends a result painting with a message.
TEST(ComplexImageViewsTest, notANumberNeverLeavesTheTables)
{
  BoundWorkspace w(8);
  w.fillImage(50);
  w.workspace.runFOURN(1, false);
  Probe::spectrum(w.workspace)[3].re = std::numeric_limits<float>::quiet_NaN();
  for (std::int16_t kind = 0; kind <= 4; ++kind) {
    w.workspace.SetFTView(kind, false);
    w.workspace.draw3DFT();
  }
  EXPECT_TRUE(w.prompts.messages().empty());

  w.result.clear(0x123456);
  Probe::resultPlane(w.workspace)[0] = {1.0f, 0.0f};
  Probe::resultPlane(w.workspace)[5].re = std::numeric_limits<float>::quiet_NaN();
  w.workspace.RedrawFT(0, 0.0f);
  ASSERT_EQ(w.prompts.messages().size(), 1u);
  EXPECT_EQ(w.prompts.messages()[0].text.rfind("Error in DrawFT: ", 0), 0u);
  EXPECT_EQ(w.result.pixel(0, 0), 0x123456u) << "the view keeps what it showed";
}

// The plot of a uniform picture is one white bar: the zero frequency at
// display (255, 255) goes to column 188, foot at row 218 (drawn over by the
// next pixel of its row), top at row 90.
TEST(ComplexImageViewsTest, plotOfAUniformPictureIsOneBar)
{
  BoundWorkspace w;
  w.fillImage(100);
  w.workspace.runFOURN(1, false);
  w.workspace.draw3DFT();
  EXPECT_EQ(w.spectrumView.Tag, "3D");
  const auto lit = litPixels(w.spectrumView);
  ASSERT_EQ(lit.size(), 128u);
  for (const auto& [x, y, colour] : lit) {
    EXPECT_EQ(x, 188);
    EXPECT_GE(y, 90);
    EXPECT_LE(y, 217);
    EXPECT_EQ(colour, 0xFFFFFFu);
  }
  EXPECT_TRUE(w.prompts.messages().empty());
}

} // namespace
} // namespace tarvek
