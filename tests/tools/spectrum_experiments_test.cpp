// Tests of the spectrum experiments, the array exchange and the text export of the complex image workspace.
#include "complex_image_probe.h"

#include "runtime/runtime_error.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <vector>

namespace tarvek {
namespace {

using Probe = ComplexImageProbe;
using test::BoundWorkspace;
using Element = ComplexImageProbe::Element;

double length(const Element& e)
{
  return std::hypot(static_cast<double>(e.re), static_cast<double>(e.im));
}

// A seeded random grey picture, transformed forward, with element 3 of the
// spectrum set to zero so that the zero rules show.
void seededSpectrum(BoundWorkspace& w, std::uint32_t seed)
{
  RandomSource random(seed);
  const int n = w.image.width();
  for (int y = 0; y < n; ++y)
    for (int x = 0; x < n; ++x)
      w.image.setPixel(x, y, static_cast<std::uint32_t>(random.uniform() * 256.0) * 0x010101u);
  w.workspace.runFOURN(1, false);
  Probe::spectrum(w.workspace)[3] = {};
}

// Each experiment is a no-op before the first transform.
TEST(SpectrumExperimentTest, nothingBeforeTheFirstTransform)
{
  BoundWorkspace w(8);
  auto& c = w.workspace;
  Probe::spectrum(c)[0] = {3.0f, 4.0f};
  const float gainBefore = Probe::gain(c);
  c.DiscardPhases();
  c.DiscardMagnitudes();
  c.RandomizePhases();
  c.RandomizeMagnitudes();
  c.SwapPhases(FTArray(8));
  EXPECT_EQ(Probe::spectrum(c)[0].re, 3.0f);
  EXPECT_EQ(Probe::spectrum(c)[0].im, 4.0f);
  EXPECT_EQ(Probe::gain(c), gainBefore);
  EXPECT_TRUE(w.label.empty()) << "no transform ran";
}

TEST(SpectrumExperimentTest, discardingKeepsTheOtherHalf)
{
  BoundWorkspace w(16);
  seededSpectrum(w, 11);
  const auto before = Probe::spectrum(w.workspace);
  w.workspace.DiscardPhases();
  const auto& afterPhases = Probe::spectrum(w.workspace);
  for (std::size_t k = 0; k < before.size(); ++k) {
    ASSERT_EQ(afterPhases[k].im, 0.0f) << k;
    ASSERT_NEAR(afterPhases[k].re, k == 3 ? 1.0 : length(before[k]), 1e-3) << k;
  }

  BoundWorkspace v(16);
  seededSpectrum(v, 11);
  v.workspace.DiscardMagnitudes();
  const auto& afterMagnitudes = Probe::spectrum(v.workspace);
  for (std::size_t k = 0; k < before.size(); ++k) {
    if (k == 3) {
      EXPECT_EQ(length(afterMagnitudes[k]), 0.0);
      continue;
    }
    ASSERT_NEAR(length(afterMagnitudes[k]), 1.0, 1e-6) << k;
    // The direction stays.
    ASSERT_NEAR(afterMagnitudes[k].re * before[k].im - afterMagnitudes[k].im * before[k].re, 0.0,
                1e-3 * length(before[k])) << k;
  }
  // Both repaint the spectrum and transform back.
  EXPECT_EQ(v.result.Tag, "!");
}

// New phases keep each magnitude, and the same seed gives the same phases.
TEST(SpectrumExperimentTest, randomPhasesKeepMagnitudesAndRepeat)
{
  BigVector<Element> runs[2];
  for (auto& run : runs) {
    BoundWorkspace w(16);
    seededSpectrum(w, 4);
    const auto before = Probe::spectrum(w.workspace);
    w.workspace.RandomizePhases();
    run = Probe::spectrum(w.workspace);
    for (std::size_t k = 0; k < before.size(); ++k) {
      const double m = k == 3 ? 1.0 : length(before[k]);
      ASSERT_NEAR(length(run[k]), m, 1e-4 * m) << k;
    }
  }
  for (std::size_t k = 0; k < runs[0].size(); ++k) {
    ASSERT_EQ(runs[0][k].re, runs[1][k].re) << k;
    ASSERT_EQ(runs[0][k].im, runs[1][k].im) << k;
  }
}

// A zero source element gives no phase: the own one stays. Elsewhere the
// source's phase is taken with the own magnitude.
TEST(SpectrumExperimentTest, swapPhasesTakesTheSourcePhase)
{
  BoundWorkspace w(8);
  seededSpectrum(w, 2);
  const auto before = Probe::spectrum(w.workspace);
  FTArray source(8);
  for (int x = 0; x < 8; ++x)
    for (int y = 0; y < 8; ++y)
      source.at(x, y, 1) = 2.0f;
  source.at(0, 5, 1) = 0.0f;
  w.workspace.SwapPhases(source);
  const auto& after = Probe::spectrum(w.workspace);
  EXPECT_EQ(after[5].re, before[5].re);
  EXPECT_EQ(after[5].im, before[5].im);
  EXPECT_EQ(after[9].re, 0.0f);
  EXPECT_NEAR(after[9].im, length(before[9]), 1e-3);
  EXPECT_THROW(w.workspace.SwapPhases(FTArray(4)), RuntimeError);
}

// Random magnitudes set a new gain; when every new magnitude is zero (an
// all-zero spectrum has amplitude 0) the gain stays.
TEST(SpectrumExperimentTest, randomMagnitudesAndTheGain)
{
  BoundWorkspace w(8);
  seededSpectrum(w, 9);
  const float gainBefore = Probe::gain(w.workspace);
  w.workspace.RandomizeMagnitudes();
  EXPECT_NE(Probe::gain(w.workspace), gainBefore);
  EXPECT_TRUE(std::isfinite(Probe::gain(w.workspace)));

  BoundWorkspace z(8);
  seededSpectrum(z, 9);
  for (auto& e : Probe::spectrum(z.workspace))
    e = {};
  const float zeroGain = Probe::gain(z.workspace);
  z.workspace.RandomizeMagnitudes();
  EXPECT_EQ(Probe::gain(z.workspace), zeroGain);
  for (const auto& e : Probe::spectrum(z.workspace))
    ASSERT_EQ(length(e), 0.0);
}

// The exchange round trip changes no bit and repaints both views.
TEST(SpectrumExperimentTest, arrayExchangeRoundTrip)
{
  BoundWorkspace w(16);
  seededSpectrum(w, 6);
  const auto before = Probe::spectrum(w.workspace);
  FTArray copy(16);
  w.workspace.GetFTArray(copy);
  EXPECT_EQ(copy.at(0, 3, 1), before[3].im);
  EXPECT_EQ(copy.at(1, 2, 0), before[18].re);
  w.spectrumView.clear(0);
  w.result.clear(0);
  w.workspace.SetFTArray(copy);
  const auto& after = Probe::spectrum(w.workspace);
  for (std::size_t k = 0; k < before.size(); ++k) {
    ASSERT_EQ(std::bit_cast<std::uint32_t>(after[k].re), std::bit_cast<std::uint32_t>(before[k].re));
    ASSERT_EQ(std::bit_cast<std::uint32_t>(after[k].im), std::bit_cast<std::uint32_t>(before[k].im));
  }
  bool spectrumPainted = false;
  bool resultPainted = false;
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) {
      spectrumPainted = spectrumPainted || w.spectrumView.pixel(x, y) != 0;
      resultPainted = resultPainted || w.result.pixel(x, y) != 0;
    }
  EXPECT_TRUE(spectrumPainted);
  EXPECT_TRUE(resultPainted);

  FTArray other(8);
  EXPECT_THROW(w.workspace.GetFTArray(other), RuntimeError);
  EXPECT_THROW(w.workspace.SetFTArray(other), RuntimeError);
  EXPECT_THROW(copy.at(16, 0, 0), RuntimeError);
  EXPECT_THROW(copy.at(0, 0, 2), RuntimeError);
  EXPECT_THROW(copy.at(-1, 0, 0), RuntimeError);
}

struct ExportRun {
  std::string clipboard;
  int clipboardCalls = 0;
};

ExportRun exportWith(BoundWorkspace& w, FTExportOptions options)
{
  ExportRun run;
  w.workspace.SetExportOptionsSource([options] { return options; });
  w.workspace.SetClipboardText([&run](const std::string& text) {
    run.clipboard = text;
    ++run.clipboardCalls;
  });
  w.workspace.CopyData();
  return run;
}

// A 4 × 4 spectrum with known values: element (x, y) = (10x + y + 0.5, −y).
void knownSpectrum(BoundWorkspace& w)
{
  for (int x = 0; x < 4; ++x)
    for (int y = 0; y < 4; ++y)
      Probe::spectrum(w.workspace)[static_cast<std::size_t>(4 * x + y)] = {10.0f * x + y + 0.5f,
                                                                           -static_cast<float>(y)};
}

TEST(SpectrumExportTest, copyDataLayouts)
{
  BoundWorkspace w(4);
  knownSpectrum(w);

  // One line per column, whole numbers half to even: 0.5 → 0, 1.5 → 2.
  ExportRun table = exportWith(w, {1, 0, 0, 1, 3});
  EXPECT_EQ(table.clipboard, "0\t2\t2\t4\t\r\n"
                             "10\t12\t12\t14\t\r\n"
                             "20\t22\t22\t24\t\r\n"
                             "30\t32\t32\t34\t\r\n");
  ASSERT_EQ(w.prompts.messages().size(), 1u);
  EXPECT_EQ(w.prompts.messages()[0].text, "Data copied to clipboard.");
  EXPECT_EQ(w.prompts.messages()[0].title, "FT Export");
  EXPECT_EQ(w.prompts.messages()[0].icon, MessageIcon::Information);

  // One line per element in print zones: x at column 1, y at 15, text at 29.
  ExportRun lines = exportWith(w, {1, 1, 0, 0, 0});
  const std::string first = lines.clipboard.substr(0, lines.clipboard.find("\r\n"));
  const std::string zone(12, ' ');
  EXPECT_EQ(first, " 0" + zone + " 0" + zone + "0.5, 0.0\t");
  EXPECT_EQ(std::count(lines.clipboard.begin(), lines.clipboard.end(), '\n'), 16);
  EXPECT_NE(lines.clipboard.find(" 3" + zone + " 2" + zone + "32.5, -2.0\t\r\n"), std::string::npos);

  // Centred order starts at element (2, 2).
  ExportRun centred = exportWith(w, {1, 0, 1, 0, 4});
  EXPECT_EQ(centred.clipboard.substr(0, centred.clipboard.find('\t')), "-2.0");
  ExportRun magnitude = exportWith(w, {1, 0, 0, 0, 1});
  EXPECT_EQ(magnitude.clipboard.substr(0, magnitude.clipboard.find('\t')), "0.5");
  ExportRun unknown = exportWith(w, {1, 0, 0, 0, 9});
  EXPECT_EQ(unknown.clipboard, "\r\n\r\n\r\n\r\n");

  const std::size_t messagesBefore = w.prompts.messages().size();
  ExportRun cancelled = exportWith(w, {0, 1, 1, 1, 1});
  EXPECT_EQ(cancelled.clipboardCalls, 0);
  EXPECT_EQ(w.prompts.messages().size(), messagesBefore);
}

} // namespace
} // namespace tarvek
