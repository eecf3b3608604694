#include "scene/frame_grab.h"

#include "scene/gl_recording.h"
#include "support/fake_prompts.h"
#include "support/scratch_dir.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace tarvek {
namespace {

std::uint32_t le32(const std::string& b, std::size_t at)
{
  return static_cast<std::uint8_t>(b[at]) | static_cast<std::uint8_t>(b[at + 1]) << 8
         | static_cast<std::uint8_t>(b[at + 2]) << 16
         | static_cast<std::uint32_t>(static_cast<std::uint8_t>(b[at + 3])) << 24;
}

std::uint32_t le16(const std::string& b, std::size_t at)
{
  return static_cast<std::uint8_t>(b[at]) | static_cast<std::uint8_t>(b[at + 1]) << 8;
}

std::string fileBytes(const std::string& path)
{
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

// The headers, the row padding and the byte order of the pixels.
TEST(FrameGrabTest, encodeBmp24LaysOutHeadersAndPaddedRows)
{
  struct Case {
    int width;
    std::size_t row;
  };
  for (const Case c : {Case{301, 904}, Case{400, 1200}, Case{1, 4}, Case{2, 8}}) {
    const int height = 3;
    std::vector<std::uint8_t> rgb(c.row * height, 0);
    // Bottom-left pixel red, top-right pixel (1, 2, 3).
    rgb[0] = 255;
    const std::size_t last = c.row * 2 + 3 * static_cast<std::size_t>(c.width - 1);
    rgb[last] = 1;
    rgb[last + 1] = 2;
    rgb[last + 2] = 3;
    const std::string b = encodeBmp24(rgb, c.width, height);
    const std::string what = "width " + std::to_string(c.width);
    ASSERT_EQ(b.size(), 58 + c.row * height) << what;
    EXPECT_EQ(b.substr(0, 2), "BM") << what;
    EXPECT_EQ(le32(b, 2), 58 + c.row * height) << what;
    EXPECT_EQ(le32(b, 6), 0u) << what;
    EXPECT_EQ(le32(b, 10), 58u) << what;
    EXPECT_EQ(le32(b, 14), 40u) << what;
    EXPECT_EQ(le32(b, 18), static_cast<std::uint32_t>(c.width)) << what;
    EXPECT_EQ(le32(b, 22), 3u) << what;
    EXPECT_EQ(le16(b, 26), 1u) << what;
    EXPECT_EQ(le16(b, 28), 24u) << what;
    EXPECT_EQ(le32(b, 30), 0u) << what;
    EXPECT_EQ(le32(b, 34), c.row * height) << what;
    EXPECT_EQ(le32(b, 38), 2952u) << what;
    EXPECT_EQ(le32(b, 42), 2952u) << what;
    EXPECT_EQ(le32(b, 46), 0u) << what;
    EXPECT_EQ(le32(b, 50), 0u) << what;
    EXPECT_EQ(le32(b, 54), 0u) << what;
    EXPECT_EQ(b.substr(58, 3), std::string("\0\0\xff", 3)) << what;
    EXPECT_EQ(b.substr(58 + last, 3), std::string("\3\2\1", 3)) << what;
    for (std::size_t r = 0; r < 3; ++r) {
      for (std::size_t pad = 3 * static_cast<std::size_t>(c.width); pad < c.row; ++pad)
        EXPECT_EQ(b[58 + r * c.row + pad], '\0') << what << " row " << r;
    }
  }
}

struct GrabRig {
  RecordingGl gl;
  test::FakePrompts prompts;
  test::ScratchDir dir;
  std::string path = dir.file("frame.bmp").string();
};

// The width read is the viewport's, doubled for the side-by-side pairs
// whose right half is the viewport at that moment.
TEST(FrameGrabTest, grabReadsTheViewportWidth)
{
  struct Case {
    std::array<int, 4> viewport;
    std::int16_t stereo;
    int w, h;
    std::string read;
  };
  const std::vector<Case> cases{
      {{0, 0, 400, 300}, 0, 400, 300, "readPixelsRgb(0,0,400,300)"},
      {{400, 0, 400, 300}, 1, 800, 300, "readPixelsRgb(0,0,800,300)"},
      {{400, 0, 400, 300}, 2, 800, 300, "readPixelsRgb(0,0,800,300)"},
      {{0, 0, 801, 300}, 0, 801, 300, "readPixelsRgb(0,0,801,300)"},
      {{0, 0, 301, 200}, 3, 301, 250, "readPixelsRgb(0,0,301,200)"},
  };
  for (const Case& c : cases) {
    GrabRig rig;
    rig.gl.scriptedViewport = c.viewport;
    rig.gl.scriptedPixel = {255, 0, 0};
    ASSERT_TRUE(grabGLImage(rig.gl, rig.prompts, c.stereo, rig.path, 0, 0, c.w, c.h)) << c.read;
    EXPECT_EQ(rig.gl.calls, (std::vector<std::string>{"viewportQuery()", "packAlignment(4)", c.read}));
    const std::string b = fileBytes(rig.path);
    ASSERT_GE(b.size(), 61u);
    EXPECT_EQ(le32(b, 18), static_cast<std::uint32_t>(std::stoi(c.read.substr(18)))) << c.read;
    EXPECT_EQ(b.substr(58, 3), std::string("\0\0\xff", 3));
    EXPECT_EQ(rig.prompts.waitCount, 1);
    EXPECT_EQ(rig.prompts.waitDepth, 0);
  }
}

// A failed grab leaves no file and an earlier file as it was, and the wait
// cursor goes back in every case.
TEST(FrameGrabTest, failedGrabLeavesFilesAlone)
{
  GrabRig rig;
  rig.gl.scriptedViewport = {0, 0, 40, 30};
  const std::string missing = rig.dir.file("no/such/folder/frame.bmp").string();
  EXPECT_FALSE(grabGLImage(rig.gl, rig.prompts, 0, missing, 0, 0, 40, 30));
  EXPECT_FALSE(std::ifstream(missing).good());
  EXPECT_EQ(rig.prompts.waitDepth, 0);

  {
    std::ofstream(rig.path, std::ios::binary) << "earlier";
  }
  rig.gl.scriptedViewport = {0, 0, 0, 0};
  EXPECT_FALSE(grabGLImage(rig.gl, rig.prompts, 0, rig.path, 0, 0, 40, 30));
  EXPECT_EQ(fileBytes(rig.path), "earlier");
  EXPECT_EQ(rig.prompts.waitDepth, 0);

  // A read that GL refuses writes nothing.
  rig.gl.scriptedViewport = {0, 0, 40, 30};
  rig.gl.scriptedError = 0x0502;
  EXPECT_FALSE(grabGLImage(rig.gl, rig.prompts, 0, rig.path, 0, 0, 40, 30));
  EXPECT_EQ(fileBytes(rig.path), "earlier");
  EXPECT_EQ(rig.prompts.waitDepth, 0);

  // A successful grab replaces the earlier file whole.
  rig.gl.scriptedViewport = {0, 0, 4, 2};
  EXPECT_TRUE(grabGLImage(rig.gl, rig.prompts, 0, rig.path, 0, 0, 4, 2));
  EXPECT_EQ(fileBytes(rig.path).size(), 58u + 12u * 2u);
}

struct Field : CaptionField {
  std::string caption() const override { return text; }
  void setCaption(const std::string& c) override
  {
    text = c;
    ++sets;
  }
  std::string text;
  int sets = 0;
};

TEST(FrameGrabTest, padMenuCaptionSetsOnlyANewText)
{
  Field field;
  std::string hint = "Right Mouse Button Drag for <Zoom>";
  padMenuCaption(hint, field);
  EXPECT_EQ(hint, "Right Mouse Button Drag for <Zoom>     ");
  EXPECT_EQ(field.text, hint);
  std::string again = "Right Mouse Button Drag for <Zoom>";
  padMenuCaption(again, field);
  EXPECT_EQ(field.sets, 1);
}

} // namespace
} // namespace tarvek
