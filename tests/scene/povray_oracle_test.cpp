#include "fake_host.h"
#include "scene/pov_rig.h"

#include "model/bond_search.h"
#include "model/c60_builder.h"
#include "support/fake_prompts.h"
#include "support/require_tool.h"
#include "support/run_tool.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>

namespace tarvek {
namespace {

namespace fs = std::filesystem;
using test::PovRig;

const fs::path glassInclude = "/usr/share/povray-3.7/include/glass.inc";

// POV-Ray 3.7 and its include files; under CI=true their absence fails.
bool requirePovray()
{
  if (!test::findTool("povray").empty() && fs::exists(glassInclude))
    return true;
  const std::string why = "POV-Ray 3.7 or its glass.inc is missing: install the Debian packages "
                          "povray and povray-includes";
  if (test::ciMode())
    ADD_FAILURE() << why;
  else
    [&] { GTEST_SKIP() << why; }();
  return false;
}

// The scenes and renderings stay in the build tree for a reviewer; POV-Ray
// writes only below its working directory.
fs::path outputFolder()
{
  const fs::path folder = fs::path(TARVEK_TEST_BINARY_DIR) / "pov";
  fs::create_directories(folder);
  return folder;
}

struct Picture {
  int width = 0;
  int height = 0;
  std::string pixels;

  double nonWhiteShare() const
  {
    std::size_t nonWhite = 0;
    for (std::size_t i = 0; i + 2 < pixels.size(); i += 3) {
      if (pixels.compare(i, 3, "\xff\xff\xff") != 0)
        ++nonWhite;
    }
    return pixels.empty() ? 0.0 : static_cast<double>(nonWhite) / static_cast<double>(pixels.size() / 3);
  }
  bool white(int x, int y) const
  {
    return pixels.compare(static_cast<std::size_t>((y * width + x) * 3), 3, "\xff\xff\xff") == 0;
  }
  // Nothing drawn touches the picture's edge: the structure is seen whole.
  bool edgesWhite() const
  {
    for (int x = 0; x < width; ++x)
      if (!white(x, 0) || !white(x, height - 1))
        return false;
    for (int y = 0; y < height; ++y)
      if (!white(0, y) || !white(width - 1, y))
        return false;
    return true;
  }
  // The drawn part's width or height, whichever is the larger share of the
  // picture's smaller side.
  double span() const
  {
    int left = width, right = -1, top = height, bottom = -1;
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) {
        if (white(x, y))
          continue;
        left = std::min(left, x);
        right = std::max(right, x);
        top = std::min(top, y);
        bottom = std::max(bottom, y);
      }
    }
    return right < 0 ? 0.0 : std::max(right - left + 1, bottom - top + 1) / double(std::min(width, height));
  }
};

// A view of the rendering's 160 x 120 shape, so the camera frames as it does.
struct PovView {
  test::FakeHost host;
  explicit PovView(PovRig& rig)
  {
    host.width = 160;
    host.height = 120;
    rig.scene.attachHost(host);
  }
};

// A binary PPM with maximum 255; comment lines may stand in the header.
Picture readPpm(const fs::path& path)
{
  const std::string bytes = test::readBytes(path);
  Picture picture;
  std::size_t at = 0;
  auto token = [&]() {
    for (;;) {
      while (at < bytes.size() && std::isspace(static_cast<unsigned char>(bytes[at])))
        ++at;
      if (at < bytes.size() && bytes[at] == '#') {
        while (at < bytes.size() && bytes[at] != '\n')
          ++at;
        continue;
      }
      break;
    }
    const std::size_t start = at;
    while (at < bytes.size() && !std::isspace(static_cast<unsigned char>(bytes[at])))
      ++at;
    return bytes.substr(start, at - start);
  };
  if (token() != "P6")
    return picture;
  picture.width = std::stoi(token());
  picture.height = std::stoi(token());
  if (token() != "255")
    return {};
  picture.pixels = bytes.substr(at + 1);
  return picture;
}

// Writes the scene as name.pov beside the other renderings, renders it at
// 160 x 120 and returns the picture; a failed render fails the test.
Picture render(PovRig& rig, const std::string& name, float glassFilter = 0.0f)
{
  const fs::path folder = outputFolder();
  const fs::path scene = folder / (name + ".pov");
  const fs::path image = folder / (name + ".ppm");
  fs::remove(image);
  rig.scene.POVRAY(scene.string(), 0.5f, 0.25f, 0.5f, 0.0f, 0.005f, glassFilter, "tarvek", rig.clock);
  const test::ToolResult run =
    test::runTool("povray", {"-D", "+I" + name + ".pov", "+O" + name + ".ppm", "+W160", "+H120", "+FP"},
                  std::chrono::seconds(300), folder.string());
  EXPECT_EQ(run.exitCode, 0) << name << ":\n" << run.err;
  const Picture picture = readPpm(image);
  EXPECT_EQ(picture.width, 160) << name;
  EXPECT_EQ(picture.height, 120) << name;
  EXPECT_EQ(picture.pixels.size(), 160u * 120u * 3u) << name;
  return picture;
}

// The C60 with its bonds in the start pose of the view.
void c60(PovRig& rig)
{
  rig.model.structureKind = 5;
  rig.model.bondLength = 1.42f;
  buildC60(rig.model);
  test::FakePrompts prompts;
  findBonds(rig.model, prompts, rig.abort);
  rig.setData();
  rig.scene.viewMatrix().Identity();
  rig.scene.viewMatrix().ActiveAxis(3);
  rig.scene.viewMatrix().KeyDown(90);
}

TEST(PovrayOracleTest, c60RendersPlainGlassAndOrthographic)
{
  if (!requirePovray())
    return;
  PovRig rig;
  const PovView view(rig);
  c60(rig);
  ASSERT_GT(rig.model.bondCount, 0);
  for (const bool ortho : {false, true}) {
    rig.display.orthoProjection = ortho;
    const Picture picture = render(rig, ortho ? "c60_ortho" : "c60");
    EXPECT_GT(picture.nonWhiteShare(), 0.1) << ortho;
    EXPECT_TRUE(picture.edgesWhite()) << ortho;
    EXPECT_GT(picture.span(), 0.6) << ortho;
  }
  rig.display.orthoProjection = false;
  EXPECT_GT(render(rig, "c60_glass", 0.6f).nonWhiteShare(), 0.0);
}

TEST(PovrayOracleTest, twoListsRenderFromTheSceneFiles)
{
  if (!requirePovray())
    return;
  PovRig rig;
  const PovView view(rig);
  c60(rig);
  rig.model.placementX = 12;
  rig.setData();
  ASSERT_EQ(rig.scene.getNO(), 2);
  EXPECT_GT(render(rig, "c60_pair").nonWhiteShare(), 0.0);
}

TEST(PovrayOracleTest, coincidentBondEndsAndWideSets)
{
  if (!requirePovray())
    return;
  PovRig close;
  close.addAtom(0, 0, 0);
  close.addAtom(0.0002f, 0, 0);
  close.addAtom(1.4f, 0, 0);
  close.addBond(0, 1);
  close.addBond(1, 2);
  EXPECT_GT(render(close, "coincident_bond").nonWhiteShare(), 0.0);

  // A band 200 Å across is seen whole and wide; the atoms are drawn larger
  // so that the band is wider than a pixel.
  PovRig wide;
  const PovView wideView(wide);
  wide.display.atomRadiusScale = 2.0f;
  for (int row = 0; row < 8; ++row) {
    for (int i = 0; i <= 140; ++i) {
      wide.addAtom(-100.0f + static_cast<float>(i) * 200.0f / 140.0f, 0, static_cast<float>(row) * 1.42f);
      if (i > 0)
        wide.addBond(wide.model.atomCount - 2, wide.model.atomCount - 1);
    }
  }
  wide.setData();
  const Picture band = render(wide, "wide");
  EXPECT_TRUE(band.edgesWhite());
  EXPECT_GT(band.span(), 0.8);
}

} // namespace
} // namespace tarvek
