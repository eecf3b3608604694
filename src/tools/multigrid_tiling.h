// The multigrid (dual grid) generator of quasi-periodic rhombus tilings.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace tarvek {

class PixelCanvas;
class RandomSource;

// What a tiling run reads from the window's controls.
struct TilingParameters {
  int foldCount = 5;             // F, number of grids, 5..20
  int loopOrder = 6;             // N, lines per grid on each side of the origin, 1..40
  int zoom = 8;                  // tile edge 3·zoom pixels, 1..10
  int shiftOption = 0;           // 0 symmetric shift 1/F, 1 shift (F − 1)/2F, 2 random shifts
  int tileBrightness = 120;      // lightness of the tile colours, 100..220 on the 0..239 scale
  std::uint32_t gridColour = 0;  // outline colour, 0x00RRGGBB
  int canvasWidth = 512;
  int canvasHeight = 512;
};

struct TilePoint {
  int x = 0;
  int y = 0;
};

// One rhombus: its rounded corners in drawing order, and its type 1..T.
struct Tile {
  std::array<TilePoint, 4> corners;
  int type = 0;
};

struct TilingResult {
  int tileTypeCount = 0;                  // T
  std::vector<std::uint32_t> tileColours; // index 1..T (index 0 unused), 0x00RRGGBB
  std::uint32_t gridColour = 0;           // outline colour of the run, 0x00RRGGBB
  std::vector<int> legendHues;            // hue of types 1..T on the 0..239 scale
  std::vector<Tile> tiles;                // in drawing order
  float tileMargin = 0.0f;                // pixels
  std::int32_t tileCount = 0;
  std::int32_t vertexCount = 0;
  std::vector<float> vertexX;             // canvas pixels, unrounded, in recording order
  std::vector<float> vertexY;
  std::array<std::string, 4> statusTexts;
};

// Builds the tiling of F grids for the canvas. The holes canvas (same size as
// the parameters' canvas) is cleared to black and gets one white pixel per
// unique vertex strictly inside it; vertices that round to an already white
// pixel are merged. Random shifts draw from random. Parameters outside their
// ranges or a holes canvas of another size throw RuntimeError.
TilingResult generateTiling(const TilingParameters& parameters, PixelCanvas& holes,
                            RandomSource& random);

// t truncated for t ≥ 0, truncated minus 1 below 0: −2.0 gives −3.
std::int32_t floorIndex(double t);

} // namespace tarvek
