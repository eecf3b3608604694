// Runs the reviewer's dump of the start pattern and checks the pictures it writes.
#include "model/colour_helpers.h"
#include "support/run_tool.h"

#include <QColor>
#include <QImage>
#include <QString>

#include <gtest/gtest.h>

#include <filesystem>

namespace tarvek {
namespace {

QRgb tileColour(std::int16_t hue)
{
  const RGBParts c = HSBtoRGB(hue, 239, 120);
  return qRgb(c.red, c.green, c.blue);
}

TEST(NanoholeDumpTest, startPatternWritesNinePictures)
{
  const std::filesystem::path out = std::filesystem::path(TARVEK_TEST_BINARY_DIR) / "out";
  std::filesystem::remove_all(out);
  std::filesystem::create_directories(out);
  const test::ToolResult run = test::runTool(NANOHOLE_DUMP, {out.string(), "5", "6", "8", "0"});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.err, "");

  const char* names[] = {"tiling.png",         "holes.png",          "spectrum_kind0.png",
                         "spectrum_kind1.png", "spectrum_kind2.png", "spectrum_kind3.png",
                         "spectrum_kind4.png", "spectrum_sqrt.png",  "spectrum_3d.png"};
  for (const char* name : names) {
    const QImage image(QString::fromStdString((out / name).string()));
    ASSERT_FALSE(image.isNull()) << name;
    EXPECT_EQ(image.size(), QSize(512, 512)) << name;
  }

  // The middle of the tiling is mostly tile fill; the rest is black outline.
  const QImage tiling(QString::fromStdString((out / "tiling.png").string()));
  const QRgb first = tileColour(0);
  const QRgb second = tileColour(158);
  int filled = 0;
  for (int y = 206; y < 306; ++y)
    for (int x = 206; x < 306; ++x) {
      const QRgb c = tiling.pixel(x, y) | 0xFF000000u;
      filled += c == first || c == second;
    }
  EXPECT_GE(filled, 7000);

  const QImage holes(QString::fromStdString((out / "holes.png").string()));
  int white = 0;
  for (int y = 0; y < 512; ++y)
    for (int x = 0; x < 512; ++x)
      white += (holes.pixel(x, y) & 0xFFFFFFu) == 0xFFFFFFu;
  EXPECT_EQ(white, 570);
}

} // namespace
} // namespace tarvek
