// The complex image workspace: a grey picture, its 2-D spectrum and views of both.
#pragma once

#include "runtime/big_buffer.h"
#include "tools/spectrum_filters.h"

#include <array>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

namespace tarvek {

class PixelCanvas;
class Prompts;
class RandomSource;

// A copy of a spectrum: n × n elements, each a real and an imaginary part,
// in (x, y, part) order; part 0 is the real part.
class FTArray {
public:
  explicit FTArray(std::int32_t n = 0);

  std::int32_t size() const { return m_n; }
  // Outside 0..n−1, 0..n−1, 0..1 throws RuntimeError.
  float& at(std::int32_t x, std::int32_t y, std::int32_t part);
  float at(std::int32_t x, std::int32_t y, std::int32_t part) const;

private:
  std::size_t offset(std::int32_t x, std::int32_t y, std::int32_t part) const;

  std::int32_t m_n = 0;
  BigVector<float> m_values;
};

// The choices of the spectrum text export: ok 0 cancels; b3 nonzero writes
// one line per element (x, y, value) instead of one line per column; bs
// nonzero starts at the centre; bi nonzero writes whole numbers; m is the
// value: 0 real and imaginary part, 1 magnitude, 2 phase in degrees, 3 real
// part, 4 imaginary part.
struct FTExportOptions {
  int ok = 0;
  int b3 = 0;
  int bs = 0;
  int bi = 0;
  int m = 0;
};

// An N × N complex workspace over three canvases: the image canvas holds the
// grey picture that the forward transform grabs, the spectrum canvas shows
// the spectrum centred (zero frequency at display position (N/2 − 1, N/2 − 1)),
// the result canvas the back-transformed picture.
//
// Order of use: SetMessageLabel, SetCanvas and SetDimensionFFT, then
// runFOURN(1, …) to transform and paint, then the view operations. Painting,
// transforming or Msg before the canvases and the label are bound throw
// RuntimeError. Colours are 0x00RRGGBB (blue in bits 0..7), as the canvases
// store them. Grid element (x, y), x the column, is element N·x + y of the
// planes.
class clComplexImage {
public:
  // One element of a plane.
  struct Element {
    float re = 0.0f;
    float im = 0.0f;
  };

  // Loads a picture file onto a canvas; throws RuntimeError naming the file
  // and the reason when it cannot.
  using PictureLoader = std::function<void(const std::string& path, PixelCanvas& canvas)>;

  static constexpr int kMaxMasks = 1000;

  clComplexImage(Prompts& prompts, RandomSource& random);

  std::string ImageFile;
  std::string ImageTitle;
  std::int16_t ImageWidth = 0;
  std::int16_t SpareValue1 = 0;
  std::int16_t ImageHeight = 0;
  std::int16_t SpareValue2 = 0;
  bool FilterOn = false;
  bool FilterCustom = false;
  bool FilterLowPass = false;
  bool FilterHighPass = false;
  bool FilterRadial = false;
  float FilterRadius = 0.0f;
  float FilterCenterX = 0.0f;
  float FilterCenterY = 0.0f;
  std::int16_t MaskCount = 0;
  // Black when the last grabbed picture is bright on average, else white.
  std::uint32_t ContrastColor = 0;
  std::int16_t DrawMode = 0;
  // 0 magnitude, 1 magnitude with the phase as hue, 2 phase, 3 real part,
  // 4 imaginary part; other kinds paint nothing.
  std::int16_t FTViewKind = 0;

  // The spectrum value under display position (x, y), such as " M= 12.5":
  // " M= ", " Ph= ", " Re= " or " Im= " by view kind, "" for other kinds or
  // before SetDimensionFFT. Reads FFT index (N/2 + x) mod N, one pixel right
  // of and below the painted position.
  std::string getVXY(float x, float y);
  void SetFTView(std::int16_t kind, bool noRedraw);
  // which 1 replaces the grey table, 2 the hue table, with table[0..255].
  // Fewer than 256 colours throw RuntimeError and change nothing.
  void SetLUT(std::int16_t which, std::span<const std::uint32_t> table, bool noRedraw);
  void SetDrawMode(std::int16_t mode);
  // kind 1 shows the spectrum on a square-root scale, others linearly.
  void SetScale(std::int16_t kind);
  void SetCanvas(PixelCanvas& image, PixelCanvas& spectrum, PixelCanvas& result);
  void SetMessageLabel(std::function<void(const std::string&)> label);
  // n a power of two from 2 to 2048, else RuntimeError naming it. Clears the
  // spectrum and the result plane.
  void SetDimensionFFT(std::int32_t n);
  // view 0 source, 1 spectrum, 2 result; others throw RuntimeError.
  void SetInvert(std::int16_t view, bool flag);
  bool GetInvert(std::int16_t view) const;
  void PaintAll();
  void InvertImage(bool flag);
  void ShowHistogram(bool flag);
  void ShowColorImage(bool flag);
  // Rounded half to even; out of the 16-bit range throws RuntimeError.
  void SetImageSize(float width, float height);
  void Msg(const std::string& text);
  // direction ≥ 1: forward transform of the image canvas's N × N top left
  // pixels (black beyond a smaller canvas), painted on the spectrum canvas.
  // direction ≤ 0: back transform of the spectrum, painted on the result
  // canvas. An all-zero input ends quietly.
  void runFOURN(std::int16_t direction, bool resetBrightness);
  // Darker (step ≤ 0, × 0.9) or brighter (× 1.11), never below 0.5; repaints.
  void ChangeBrightness(std::int16_t step);
  // which 1 repaints the spectrum view, 0 the result view, others nothing;
  // newBrightness > 0 replaces the brightness first.
  void RedrawFT(std::int16_t which, float newBrightness);
  void UpdateFTImage();
  // Magnitudes along display row y into profile[0..N−1]; max grows to the
  // largest and is 1 when it stays 0. A shorter profile throws RuntimeError.
  void GetProfile(std::span<float> profile, float& max, float x, float y);
  // An oblique bar plot of the current view on the spectrum canvas.
  void draw3DFT();

  // kind 1 no filter, 2 low-pass disc, 3 high-pass disc, 4 masks (the mask
  // list starts empty); others no filter. The back transform applies it.
  void SetFilterFT(std::int16_t kind);
  void NoFilterFT();
  // The disc radius in display positions; the centre is (N − 1)/2.
  void SetFilterRad(float radius);
  // Stores the rectangle with its corners ordered. With kMaxMasks in use it
  // throws RuntimeError and changes nothing.
  void AddMask(std::int16_t x1, std::int16_t y1, std::int16_t x2, std::int16_t y2);
  // xMin, yMin, xMax, yMax of any stored rectangle 0..999, in use or not;
  // other indices throw RuntimeError.
  std::array<double, 4> GetMask(std::int32_t index) const;

  // The experiments change the spectrum, repaint it and transform back; they
  // do nothing before the first transform. Zero elements count magnitude 1.
  void DiscardPhases();
  void DiscardMagnitudes();
  void RandomizeMagnitudes();
  void RandomizePhases();
  // The source's phase with the own magnitude; where the source element is
  // zero the own phase stays. A source of another size throws RuntimeError.
  void SwapPhases(const FTArray& source);
  // Copies the spectrum out and in; another size throws RuntimeError.
  // SetFTArray repaints the spectrum and transforms back.
  void GetFTArray(FTArray& target) const;
  void SetFTArray(const FTArray& source);

  void SetPictureLoader(PictureLoader loader);
  // Sets ImageFile and ImageTitle, then loads the picture onto the image
  // canvas; a picture that cannot be loaded throws RuntimeError and leaves
  // the canvas as it was.
  void LoadImageFile(const std::string& path);
  // Forward and back transform of the image canvas.
  void CalculateAll();

  void SetExportOptionsSource(std::function<FTExportOptions()> source);
  void SetClipboardText(std::function<void(const std::string&)> clipboard);
  // Asks for the export choices and puts the spectrum as text on the
  // clipboard, lines ended by CR LF, then tells the user.
  void CopyData();

private:
  friend class ComplexImageProbe;

  using IndexPair = SpectrumIndex;

  static std::uint32_t HSLtoRGB(int hue, int saturation, int lightness, bool pixelOrder);
  static float phaseDegrees(float re, float im);
  // "0.0##", or the whole number rounded half to even.
  static std::string formatNumber(double value, bool asWholeNumber);
  std::string elementText(const Element& e, int kind, bool whole) const;
  // False before the first transform.
  bool spectrumReady() const;
  static double experimentMagnitude(const Element& e);
  // change(element, its magnitude or 1) on every element, then the repaint
  // and back transform; nothing before the first transform.
  template <typename Change>
  void changeEachElement(Change change);
  // Repaints the spectrum view and transforms back after a change.
  void showChangedSpectrum();
  // phaseDegrees(re, im) / 1.506 rounded: the index 0..239 of the element's
  // phase on the hue scale (0 for NaN).
  static int elementHue(const Element& e);

  void requireBound() const;
  int displayPosition(int index) const;
  std::size_t at(int x, int y) const;
  // The level 0..255 of one spectrum value scaled by the largest.
  int spectrumLevel(double value, double largest, bool invert) const;
  std::uint32_t viewColour(const Element& e, int level) const;
  void DrawFT(const BigVector<Element>& plane, int w, int h, PixelCanvas& canvas, int mode,
              bool invert);
  void paint(const BigVector<Element>& plane, int w, int h, PixelCanvas& canvas, int mode,
             bool invert);
  void paint3D();
  void applyFilters(std::span<float> buffer);
  void rebuildCurrentTable();

  Prompts& m_prompts;
  RandomSource& m_random;
  PictureLoader pictureLoader;
  std::function<FTExportOptions()> exportOptionsSource;
  std::function<void(const std::string&)> clipboardText;
  std::array<SpectrumMask, kMaxMasks> masks = {};
  std::array<bool, 3> invertFlags = {};
  bool invertImageFlag = false;
  bool showHistogramFlag = false;
  bool showColorImageFlag = false;
  bool sqrtScale = false;
  PixelCanvas* imageCanvas = nullptr;
  PixelCanvas* spectrumCanvas = nullptr;
  PixelCanvas* resultCanvas = nullptr;
  std::function<void(const std::string&)> messageLabel;
  float brightness = 1.0f;
  float gain = 1.0f;
  std::int32_t gridWidth = 0;
  std::int32_t gridHeight = 0;
  std::int32_t pointCount = 0;
  BigVector<Element> spectrum;
  BigVector<Element> resultPlane;
  // For each display position (dx, dy), at N·dx + dy, the FFT index shown there.
  std::vector<IndexPair> displayIndex;
  std::array<std::uint32_t, 256> greyTable = {};
  std::array<std::uint32_t, 256> hueTable = {};
  std::array<std::uint32_t, 511> realTable = {};
  std::array<std::uint32_t, 511> imagTable = {};
  std::array<std::uint32_t, 256> currentTable = {};
  // HSLtoRGB(hue, 239, level / 255 · 239 rounded) at 256·hue + level.
  std::vector<std::uint32_t> phaseLightTable;
};

} // namespace tarvek
