#include "scene/pov_rig.h"

#include "model/bond_search.h"
#include "model/c60_builder.h"
#include "support/require_tool.h"
#include "support/run_tool.h"

#include <gtest/gtest.h>

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
  rig.scene.POVRAY(scene.string(), 0.5f, 0.25f, 0.5f, 0.0f, 0.005f, glassFilter, "Kelvarin", rig.clock);
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
  findBonds(rig.model, rig.abort);
  rig.scene.viewMatrix().Identity();
  rig.scene.viewMatrix().ActiveAxis(3);
  rig.scene.viewMatrix().KeyDown(90);
}

TEST(PovrayOracleTest, c60RendersPlainGlassAndOrthographic)
{
  if (!requirePovray())
    return;
  PovRig rig;
  c60(rig);
  ASSERT_GT(rig.model.bondCount, 0);
  rig.display.orthoProjection = false;
  EXPECT_GT(render(rig, "c60").nonWhiteShare(), 0.1);
  EXPECT_GT(render(rig, "c60_glass", 0.6f).nonWhiteShare(), 0.0);
  rig.display.orthoProjection = true;
  EXPECT_GT(render(rig, "c60_ortho").nonWhiteShare(), 0.0);
}

TEST(PovrayOracleTest, twoListsRenderFromTheSceneFiles)
{
  if (!requirePovray())
    return;
  PovRig rig;
  c60(rig);
  rig.setData();
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

  // A band 200 Å across the view: the camera angle is held at 150 degrees,
  // and the atoms are drawn larger so that the band is wider than a pixel.
  PovRig wide;
  wide.display.atomRadiusScale = 2.0f;
  for (int row = 0; row < 8; ++row) {
    for (int i = 0; i <= 140; ++i) {
      wide.addAtom(-100.0f + static_cast<float>(i) * 200.0f / 140.0f, 0, static_cast<float>(row) * 1.42f);
      if (i > 0)
        wide.addBond(wide.model.atomCount - 2, wide.model.atomCount - 1);
    }
  }
  EXPECT_GT(render(wide, "wide").nonWhiteShare(), 0.0);
  EXPECT_EQ(test::povLineStarting(test::SceneRig::lines(outputFolder() / "wide.pov"), "  angle "),
            "  angle 150.0   //modify this value for zooming");
}

} // namespace
} // namespace tarvek
