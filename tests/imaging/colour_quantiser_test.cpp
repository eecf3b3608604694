// The GIF's colours: a rendered picture keeps its background exactly and
// stays close to its source, a picture of few colours keeps them all.
#include "imaging/colour_quantiser.h"
#include "imaging/gif_writer.h"

#include "support/scratch_dir.h"

#include <gif_lib.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <memory>
#include <vector>

namespace tarvek {
namespace {

constexpr int kWidth = 240;
constexpr int kHeight = 180;
constexpr std::array<std::uint8_t, 3> kBackground{35, 50, 83};

struct Ball {
  double x, y, z;
  std::array<double, 3> colour;
};

using Picture = std::vector<std::uint8_t>;

// Lambert shading with a highlight, as the 3-D view lights its spheres.
std::array<double, 3> shade(const std::array<double, 3>& colour, double nx, double ny, double nz)
{
  const double lx = -0.4, ly = -0.5, lz = 0.768;
  const double diffuse = std::max(0.0, nx * lx + ny * ly + nz * lz);
  const double rz = 2.0 * diffuse * nz - lz;
  const double highlight = std::pow(std::max(0.0, rz), 24.0);
  std::array<double, 3> out{};
  for (std::size_t c = 0; c < 3; ++c)
    out[c] = std::min(255.0, colour[c] * (0.2 + 0.8 * diffuse) + 200.0 * highlight);
  return out;
}

void put(Picture& picture, int x, int y, const std::array<double, 3>& colour)
{
  for (std::size_t c = 0; c < 3; ++c)
    picture[3 * (static_cast<std::size_t>(y) * kWidth + x) + c] =
        static_cast<std::uint8_t>(std::lround(colour[c]));
}

// Mixes a lit colour toward the background with depth, as the view's fog
// does: z from -1 (far) to 1 (near).
std::array<double, 3> fogged(const std::array<double, 3>& colour, double z)
{
  const double keep = 0.35 + 0.65 * (z + 1.0) / 2.0;
  std::array<double, 3> out{};
  for (std::size_t c = 0; c < 3; ++c)
    out[c] = keep * colour[c] + (1.0 - keep) * kBackground[c];
  return out;
}

// A helix of sixteen atoms of four kinds joined by grey sticks, turned by
// the given angle about the vertical axis, fogged with depth, on a flat
// background.
Picture ballAndStick(double turn)
{
  const std::array<double, 3> kinds[] = {{144, 144, 144}, {255, 13, 13}, {48, 80, 248}, {230, 230, 230}};
  std::vector<Ball> turned;
  for (int i = 0; i < 16; ++i) {
    const double a = 0.7 * i + turn;
    turned.push_back({kWidth / 2.0 + 80.0 * std::cos(a), 20.0 + 9.0 * i, 80.0 * std::sin(a),
                      kinds[static_cast<std::size_t>(i % 4)]});
  }
  Picture picture(3 * kWidth * kHeight);
  for (std::size_t i = 0; i < picture.size(); ++i)
    picture[i] = kBackground[i % 3];
  const double stickRadius = 5.0;
  for (std::size_t k = 0; k + 1 < turned.size(); ++k) {
    const Ball& a = turned[k];
    const Ball& b = turned[k + 1];
    const double dx = b.x - a.x, dy = b.y - a.y, length = std::hypot(dx, dy);
    for (int y = 0; y < kHeight; ++y) {
      for (int x = 0; x < kWidth; ++x) {
        const double along = ((x - a.x) * dx + (y - a.y) * dy) / (length * length);
        const double across = ((x - a.x) * dy - (y - a.y) * dx) / length / stickRadius;
        if (along < 0.0 || along > 1.0 || std::abs(across) >= 1.0)
          continue;
        const double z = (a.z + along * (b.z - a.z)) / 80.0;
        put(picture, x, y,
            fogged(shade(kinds[0], across * dy / length, -across * dx / length,
                         std::sqrt(1.0 - across * across)), z));
      }
    }
  }
  std::sort(turned.begin(), turned.end(), [](const Ball& p, const Ball& q) { return p.z < q.z; });
  for (const Ball& ball : turned) {
    const double radius = ball.colour == kinds[3] ? 11.0 : 16.0;
    for (int y = 0; y < kHeight; ++y) {
      for (int x = 0; x < kWidth; ++x) {
        const double nx = (x - ball.x) / radius, ny = (y - ball.y) / radius;
        if (nx * nx + ny * ny < 1.0)
          put(picture, x, y,
              fogged(shade(ball.colour, nx, ny, std::sqrt(1.0 - nx * nx - ny * ny)), ball.z / 80.0));
      }
    }
  }
  return picture;
}

struct GifClose {
  void operator()(GifFileType* gif) const { DGifCloseFile(gif, nullptr); }
};

// Peak signal to noise of the decoded picture against its source, in dB.
double psnr(const Picture& source, const Picture& decoded)
{
  double squares = 0.0;
  for (std::size_t i = 0; i < source.size(); ++i) {
    const double d = double(source[i]) - double(decoded[i]);
    squares += d * d;
  }
  return squares == 0.0 ? 99.0 : 10.0 * std::log10(255.0 * 255.0 * double(source.size()) / squares);
}

// Three frames of a rendered molecule through the GIF writer and back: each
// at least 38 dB from its source and every background pixel exactly the
// background colour, so no speckle shows on the plain area.
TEST(ColourQuantiserTest, renderedFramesKeepTheirBackgroundAndStayCloseToTheSource)
{
  test::ScratchDir dir;
  const std::string path = dir.file("molecule.gif").string();
  std::vector<Picture> frames;
  GifWriter writer(path);
  for (int i = 0; i < 3; ++i) {
    frames.push_back(ballAndStick(0.4 * i));
    ASSERT_TRUE(writer.addFrame(kWidth, kHeight, frames.back().data(), 15)) << writer.error();
  }
  ASSERT_TRUE(writer.finish()) << writer.error();

  int error = 0;
  const std::unique_ptr<GifFileType, GifClose> gif(DGifOpenFileName(path.c_str(), &error));
  ASSERT_TRUE(gif);
  ASSERT_EQ(DGifSlurp(gif.get()), GIF_OK);
  ASSERT_EQ(gif->ImageCount, 3);
  for (int i = 0; i < 3; ++i) {
    const SavedImage& image = gif->SavedImages[i];
    Picture decoded(frames[0].size());
    for (std::size_t p = 0; p < decoded.size() / 3; ++p) {
      const GifColorType c = image.ImageDesc.ColorMap->Colors[image.RasterBits[p]];
      decoded[3 * p] = c.Red;
      decoded[3 * p + 1] = c.Green;
      decoded[3 * p + 2] = c.Blue;
    }
    EXPECT_GE(psnr(frames[static_cast<std::size_t>(i)], decoded), 38.0) << "frame " << i;
    std::size_t wrong = 0;
    for (std::size_t p = 0; p < decoded.size(); p += 3) {
      const bool background = std::equal(kBackground.begin(), kBackground.end(),
                                         frames[static_cast<std::size_t>(i)].begin() + long(p));
      if (background && !std::equal(kBackground.begin(), kBackground.end(), decoded.begin() + long(p)))
        ++wrong;
    }
    EXPECT_EQ(wrong, 0u) << "frame " << i << ": background pixels changed";
  }
}

// A picture of at most 256 colours, and one of a single colour, come back
// exactly; a picture of no pixels gives nothing.
TEST(ColourQuantiserTest, fewColoursAreKeptExactly)
{
  Picture picture(3 * 64 * 8);
  for (std::size_t p = 0; p < picture.size() / 3; ++p) {
    picture[3 * p] = static_cast<std::uint8_t>(p % 256);
    picture[3 * p + 1] = static_cast<std::uint8_t>(255 - p % 256);
    picture[3 * p + 2] = 7;
  }
  for (const int width : {64, 1}) {
    const int height = width == 64 ? 8 : 1;
    const QuantisedPicture q = quantiseColours(picture.data(), width, height);
    ASSERT_LE(q.palette.size(), 256u);
    ASSERT_EQ(q.indices.size(), static_cast<std::size_t>(width * height));
    for (std::size_t p = 0; p < q.indices.size(); ++p) {
      const auto& entry = q.palette[q.indices[p]];
      EXPECT_TRUE(std::equal(entry.begin(), entry.end(), picture.begin() + long(3 * p))) << p;
    }
  }
  EXPECT_TRUE(quantiseColours(picture.data(), 0, 8).indices.empty());
}

// Of more than 256 colours, the one most pixels share takes the first entry,
// exactly: among the colours of the fullest cell (5 bits a channel) the most
// frequent, and of two as frequent the one met first, whichever of them is
// the larger value.
TEST(ColourQuantiserTest, theCommonestColourTakesTheFirstEntryAndTiesGoToTheFirstMet)
{
  using Rgb = std::array<std::uint8_t, 3>;
  // One cell's colours: high differs in its red's low bits, low in its blue's.
  const Rgb high{15, 8, 8};
  const Rgb low{8, 8, 15};
  const Rgb fewer{9, 10, 11};
  struct Case {
    const char* name;
    Rgb met;
    Rgb other;
    int extraOther;
    Rgb want;
  };
  const Case cases[] = {
      {"high met first", high, low, 0, high},
      {"low met first", low, high, 0, low},
      {"one more of the one met later", high, low, 1, low},
  };
  for (const Case& c : cases) {
    std::vector<Rgb> pixels;
    for (int i = 0; i < 100; ++i) {
      pixels.push_back(c.met);
      pixels.push_back(c.other);
      if (i < 60)
        pixels.push_back(fewer);
    }
    for (int i = 0; i < c.extraOther; ++i)
      pixels.push_back(c.other);
    // 300 colours of a pixel each, every one in a cell of its own.
    for (int k = 0; k < 300; ++k)
      pixels.push_back({static_cast<std::uint8_t>(16 + 8 * (k % 30)),
                        static_cast<std::uint8_t>(16 + 8 * (k / 30)), 200});
    Picture picture;
    for (const Rgb& p : pixels)
      picture.insert(picture.end(), p.begin(), p.end());
    const QuantisedPicture q = quantiseColours(picture.data(), static_cast<std::int32_t>(pixels.size()), 1);
    ASSERT_FALSE(q.palette.empty()) << c.name;
    EXPECT_EQ(q.palette[0], c.want) << c.name;
    for (std::size_t p = 0; p < pixels.size(); ++p) {
      if (pixels[p] == c.want) {
        EXPECT_EQ(q.indices[p], 0) << c.name << ", pixel " << p;
      }
    }
  }
}

} // namespace
} // namespace tarvek
