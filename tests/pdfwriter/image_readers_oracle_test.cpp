#include "pdfwriter/image_format_fixtures.h"
#include "pdfwriter/image_loader.h"
#include "support/require_tool.h"
#include "support/run_tool.h"
#include "support/scratch_dir.h"

#include <gtest/gtest.h>

#include <cctype>
#include <charconv>
#include <cstdlib>
#include <fstream>

namespace quillet {
namespace {

namespace fs = std::filesystem;
using tarvek::test::requireTool;
using tarvek::test::runTool;
using tarvek::test::ScratchDir;
using test::Bytes;
using test::Picture;

void writeFile(const fs::path& path, const Bytes& bytes)
{
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

void writePpm(const fs::path& path, const Picture& picture)
{
  const std::string head =
      "P6\n" + std::to_string(picture.width) + " " + std::to_string(picture.height) + "\n255\n";
  Bytes bytes(head.begin(), head.end());
  bytes.insert(bytes.end(), picture.rgb.begin(), picture.rgb.end());
  writeFile(path, bytes);
}

// The pixels of a binary PPM with maximum 255 as netpbm writes it.
Bytes ppmPixels(const std::string& ppm)
{
  std::size_t at = 0;
  auto field = [&] {
    while (at < ppm.size() && std::isspace(static_cast<unsigned char>(ppm[at])))
      ++at;
    int value = 0;
    const auto [end, error] = std::from_chars(ppm.data() + at, ppm.data() + ppm.size(), value);
    at = std::size_t(end - ppm.data());
    return error == std::errc() ? value : -1;
  };
  if (ppm.compare(0, 2, "P6") != 0)
    return {};
  at = 2;
  const int width = field(), height = field();
  if (field() != 255 || width < 0 || height < 0)
    return {};
  ++at;
  return Bytes(ppm.begin() + std::ptrdiff_t(at), ppm.end());
}

// Runs a converter, expecting success.
void make(const std::string& program, const std::vector<std::string>& args)
{
  const auto result = runTool(program, args);
  EXPECT_EQ(result.exitCode, 0) << program << ": " << result.err;
}

// A netpbm converter that writes its result to stdout.
void makeInto(const fs::path& path, const std::string& program, std::vector<std::string> args)
{
  const auto result = runTool(program, args);
  EXPECT_EQ(result.exitCode, 0) << program << ": " << result.err;
  writeFile(path, Bytes(result.out.begin(), result.out.end()));
}

void expectSame(const fs::path& path, const Bytes& theirs, const std::string& reader)
{
  const auto image = loadImageFile(path);
  ASSERT_TRUE(image) << path.filename() << ": error " << lastImageError();
  ASSERT_FALSE(theirs.empty()) << path.filename() << ": " << reader << " read nothing";
  EXPECT_EQ(image->pixels, theirs) << path.filename() << " differs from " << reader;
}

// A picture of few colours, for the palette forms, and one of many.
Picture fewColours(int width, int height)
{
  const std::uint8_t colours[][3] = {{250, 10, 10}, {10, 250, 10}, {10, 10, 250},
                                     {200, 200, 0}, {0, 0, 0},     {255, 255, 255}};
  Picture out{width, height, {}};
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const auto& c = colours[(x * 3 + y * 5 + x * y) % 6];
      out.rgb.insert(out.rgb.end(), c, c + 3);
    }
  return out;
}

TEST(ImageReadersOracleTest, filesImageMagickWritesReadAlike)
{
  if (!requireTool("convert", "imagemagick"))
    return;
  ScratchDir dir;
  const fs::path many = dir.file("many.ppm"), few = dir.file("few.ppm");
  writePpm(many, test::samplePicture(13, 9));
  writePpm(few, fewColours(13, 9));
  const struct {
    const char* name;
    const fs::path& source;
    std::vector<std::string> options;
    const char* coder;
  } files[] = {
      {"true24.bmp", many, {"-type", "TrueColor"}, "BMP3"},
      {"palette4.bmp", few, {"-type", "Palette"}, "BMP3"},
      {"mono1.bmp", few, {"-monochrome"}, "BMP3"},
      {"rle8.bmp", few, {"-type", "Palette", "-compress", "RLE"}, "BMP3"},
      {"gray-verbatim.rgb", many, {"-type", "Grayscale", "-compress", "None"}, "SGI"},
      {"gray-rle.rgb", many, {"-type", "Grayscale", "-compress", "RLE"}, "SGI"},
      {"rgb-verbatim.rgb", many, {"-type", "TrueColor", "-compress", "None"}, "SGI"},
      {"rgb-rle.rgb", many, {"-type", "TrueColor", "-compress", "RLE"}, "SGI"},
      {"rgba-verbatim.rgb", many, {"-alpha", "set", "-compress", "None"}, "SGI"},
      {"rgba-rle.rgb", many, {"-alpha", "set", "-compress", "RLE"}, "SGI"},
      {"rgb-raw.psd", many, {"-compress", "None"}, "PSD"},
      {"rgb-rle.psd", many, {"-compress", "RLE"}, "PSD"},
      {"rgba.psd", many, {"-alpha", "set", "-compress", "RLE"}, "PSD"},
      {"gray.psd", many, {"-type", "Grayscale", "-compress", "None"}, "PSD"},
      {"indexed-raw.psd", few, {"-type", "Palette", "-compress", "None"}, "PSD"},
      {"indexed-rle.psd", few, {"-type", "Palette", "-compress", "RLE"}, "PSD"},
  };
  for (const auto& f : files) {
    std::vector<std::string> args = {f.source.string()};
    args.insert(args.end(), f.options.begin(), f.options.end());
    args.push_back(std::string(f.coder) + ":" + dir.file(f.name).string());
    make("convert", args);
  }
  // ImageMagick writes its own TGAs top row first without saying so; a
  // file that says so is read alike.
  writeFile(dir.file("top-down.tga"), test::tgaFile(test::samplePicture(13, 9), 24, true, 0x20));

  for (const char* name : {"true24.bmp", "palette4.bmp", "mono1.bmp", "rle8.bmp",
                           "gray-verbatim.rgb", "gray-rle.rgb", "rgb-verbatim.rgb", "rgb-rle.rgb",
                           "rgba-verbatim.rgb", "rgba-rle.rgb", "rgb-raw.psd", "rgb-rle.psd",
                           "rgba.psd", "gray.psd", "top-down.tga"}) {
    // The first image of a PSD is the merged picture; its layer follows.
    const auto theirs =
        runTool("convert", {dir.file(name).string() + "[0]", "-depth", "8", "rgb:-"});
    EXPECT_EQ(theirs.exitCode, 0) << name << ": " << theirs.err;
    expectSame(dir.file(name), Bytes(theirs.out.begin(), theirs.out.end()), "ImageMagick");
  }
  // ImageMagick cannot read back its indexed PSDs; they hold the picture it
  // was given.
  for (const char* name : {"indexed-raw.psd", "indexed-rle.psd"})
    expectSame(dir.file(name), fewColours(13, 9).rgb, "the PPM written");
}

TEST(ImageReadersOracleTest, bottomUpTargaAndIlbmReadAsNetpbmReadsThem)
{
  if (!requireTool("ppmtotga", "netpbm") || !requireTool("tgatoppm", "netpbm") ||
      !requireTool("ppmtoilbm", "netpbm") || !requireTool("ilbmtoppm", "netpbm"))
    return;
  ScratchDir dir;
  const fs::path many = dir.file("many.ppm"), few = dir.file("few.ppm");
  writePpm(many, test::samplePicture(21, 11));
  writePpm(few, fewColours(21, 11));
  makeInto(dir.file("plain.tga"), "ppmtotga", {"-rgb", "-norle", many.string()});
  makeInto(dir.file("rle.tga"), "ppmtotga", {"-rgb", many.string()});
  makeInto(dir.file("cmap.tga"), "ppmtotga", {"-cmap", few.string()});
  makeInto(dir.file("mono.tga"), "ppmtotga", {"-mono", many.string()});
  for (const char* name : {"plain.tga", "rle.tga", "cmap.tga", "mono.tga"}) {
    const auto theirs = runTool("tgatoppm", {dir.file(name).string()});
    EXPECT_EQ(theirs.exitCode, 0) << name << ": " << theirs.err;
    expectSame(dir.file(name), ppmPixels(theirs.out), "tgatoppm");
  }

  // A mask of a diagonal band, stored as its own plane.
  std::string mask = "P1\n21 11\n";
  for (int y = 0; y < 11; ++y)
    for (int x = 0; x < 21; ++x)
      mask += std::abs(x - 2 * y) < 4 ? "1 " : "0 ";
  writeFile(dir.file("mask.pbm"), Bytes(mask.begin(), mask.end()));
  makeInto(dir.file("planes.iff"), "ppmtoilbm", {"-fixplanes", "8", many.string()});
  makeInto(dir.file("masked.iff"), "ppmtoilbm",
           {"-fixplanes", "8", "-maskfile", dir.file("mask.pbm").string(), "-mmethod",
            "maskplane", few.string()});
  for (const char* name : {"planes.iff", "masked.iff"}) {
    const auto theirs = runTool("ilbmtoppm", {dir.file(name).string()});
    EXPECT_EQ(theirs.exitCode, 0) << name << ": " << theirs.err;
    expectSame(dir.file(name), ppmPixels(theirs.out), "ilbmtoppm");
  }
}

} // namespace
} // namespace quillet
