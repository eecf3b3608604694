#include "shell/multilayer_graphene.h"

#include "model/graphene_cell.h"
#include "runtime/number_parse.h"
#include "runtime/runtime_error.h"
#include "runtime/split.h"
#include "support/fake_abort.h"
#include "support/scratch_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>

namespace tarvek {
namespace {

namespace fs = std::filesystem;

constexpr float kA = 1.421f;

struct Layer {
  BigVector<float> x, y, z;
  BigVector<std::int16_t> type;
  std::int32_t count = 0;
  AtomSetRef ref() { return {x, y, z, type, count}; }
};

GrapheneLayers sized(float w, float h, float layers)
{
  GrapheneLayers g;
  g.width = w;
  g.height = h;
  g.layers = layers;
  return g;
}

// Atom counts per layer, computed independently of the builder.
TEST(MultiLayerGrapheneTest, layerCountsFollowTheFilter)
{
  const struct {
    float w, h;
    std::int32_t atoms;
  } cases[] = {{15, 15, 98}, {20, 15, 128}, {40, 40, 628}, {100, 100, 3854}};
  for (const auto& c : cases) {
    Layer layer;
    EXPECT_EQ(buildGrapheneLayer(layer.ref(), sized(c.w, c.h, 1), kA), c.atoms) << c.w;
    EXPECT_EQ(layer.count, c.atoms);
    EXPECT_EQ(layer.x.size(), std::size_t(c.atoms));
    EXPECT_TRUE(std::all_of(layer.type.begin(), layer.type.end(), [](auto t) { return t == 3; }));
    // Centred: every atom inside [-w/2, w/2] x [-h/2, h/2] (plus the margin).
    for (std::int32_t p = 0; p < layer.count; ++p) {
      EXPECT_GT(layer.x[p], -c.w / 2 - 0.011f);
      EXPECT_LE(layer.x[p], c.w / 2 + 1e-4f);
      EXPECT_LE(layer.y[p], c.h / 2 + 1e-4f);
    }
  }
}

// An atom exactly at x = W is kept; the filter's lower bound is strict at
// -0.01.
TEST(MultiLayerGrapheneTest, edgeAtomsBelongToTheLayer)
{
  const GrapheneCell cell = grapheneCell(Model{}, kA);
  Layer layer;
  const GrapheneLayers narrow = sized(cell.x[1], 10.0f, 1);
  buildGrapheneLayer(layer.ref(), narrow, kA);
  const float right = narrow.width / 2.0f;
  EXPECT_TRUE(std::any_of(layer.x.begin(), layer.x.end(), [&](float x) { return x == right; }));
  const GrapheneLayers box = sized(10, 10, 1);
  EXPECT_TRUE(insideLayer(10.0, 10.0, box));
  EXPECT_TRUE(insideLayer(-0.005, 0.0, box));
  EXPECT_FALSE(insideLayer(-0.02, 0.0, box));
  EXPECT_FALSE(insideLayer(0.0, -0.01, box));
  EXPECT_FALSE(insideLayer(10.001, 0.0, box));
}

// Odd layers shift by a with the graphite option, turn (and never shift)
// with a rotation; even layers lie exactly above layer 0.
TEST(MultiLayerGrapheneTest, stackingShiftsOrTurnsOddLayers)
{
  Layer layer, stack;
  GrapheneLayers g = sized(20, 15, 3);
  g.graphiteShift = 1;
  buildGrapheneLayer(layer.ref(), g, kA);
  stackGrapheneLayers(layer.ref(), stack.ref(), g, kA);
  const std::int32_t P = layer.count;
  ASSERT_EQ(stack.count, 3 * P);
  EXPECT_EQ(stack.x.size(), std::size_t(3 * P));
  for (std::int32_t p = 0; p < P; ++p) {
    EXPECT_EQ(stack.x[P + p], layer.x[p]);
    EXPECT_FLOAT_EQ(stack.y[P + p], layer.y[p] + kA);
    EXPECT_FLOAT_EQ(stack.z[P + p], 3.395f);
    EXPECT_EQ(stack.y[2 * P + p], layer.y[p]);
    EXPECT_FLOAT_EQ(stack.z[2 * P + p], 6.79f);
  }

  g.rotation = -30.0f;
  stackGrapheneLayers(layer.ref(), stack.ref(), g, kA);
  const double c = std::cos(-30.0 * M_PI / 180.0), s = std::sin(-30.0 * M_PI / 180.0);
  for (std::int32_t p = 0; p < P; ++p) {
    EXPECT_NEAR(stack.x[P + p], layer.x[p] * c - layer.y[p] * s, 1e-5);
    EXPECT_NEAR(stack.y[P + p], layer.x[p] * s + layer.y[p] * c, 1e-5);
    EXPECT_EQ(stack.y[2 * P + p], layer.y[p]);
  }
}

// Refused stacks give their sentence and leave no file.
TEST(MultiLayerGrapheneTest, refusesWhatCannotBeBuilt)
{
  EXPECT_EQ(checkGrapheneLayers(sized(15, 15, 2.4f)), 2);
  const struct {
    GrapheneLayers layers;
    const char* message;
  } cases[] = {
      {sized(15, 15, 0.4f), "The number of layers must be at least 1."},
      {sized(15, 15, -3), "The number of layers must be at least 1."},
      {sized(15, 15, 1e6f), "The number 1e+06 is too large (allowed: -32768 to 32767)."},
      {sized(10000, 10000, 1),
       "Each layer would have about 39062500 atoms; at most 20000000 can be built."},
      {sized(NAN, 15, 1), "The layer values must be finite numbers."},
  };
  for (const auto& c : cases) {
    test::FakeAbort abort;
    test::ScratchDir dir;
    try {
      writeMultiLayerGraphene(c.layers, kA, (dir.path() / "x.txt").string(), abort, false);
      ADD_FAILURE() << c.message;
    } catch (const RuntimeError& e) {
      EXPECT_STREQ(e.what(), c.message);
    }
    EXPECT_TRUE(fs::is_empty(dir.path())) << c.message;
  }
  test::FakeAbort abort;
  test::ScratchDir dir;
  const std::string path = (dir.path() / "x.txt").string();
  EXPECT_THROW(writeMultiLayerGraphene(sized(15, 15, 1), 0.0f, path, abort, false), RuntimeError);
  EXPECT_THROW(checkGrapheneLayers(sized(15, 15, 0)), RuntimeError);
}

// The file read back: the count line, as many "C" rows, every z at L times
// the distance for its layer L; CR LF throughout.
TEST(MultiLayerGrapheneTest, fileHoldsEveryLayerInPrintZones)
{
  test::ScratchDir dir;
  test::FakeAbort abort;
  const std::string path = (dir.path() / "Export" / "stack.txt").string();
  const GrapheneLayers g = sized(100, 100, 6);
  const auto written = writeMultiLayerGraphene(g, kA, path, abort, false);
  ASSERT_TRUE(written.has_value());
  EXPECT_EQ(*written, 23124);
  const std::string bytes = test::readBytes(path);
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = bytes.find("\r\n", start)) != std::string::npos; start = end + 2)
    lines.push_back(bytes.substr(start, end - start));
  EXPECT_EQ(start, bytes.size());
  ASSERT_EQ(lines.size(), 23125u);
  EXPECT_EQ(lines[0], " 23124    ");
  EXPECT_EQ(lines[1], "C             -50.0000      -50.0000      0.0000");
  for (std::size_t i = 1; i < lines.size(); ++i) {
    const auto fields = splitSpaces(lines[i]);
    ASSERT_EQ(fields.size(), 4u) << i;
    ASSERT_EQ(fields[0], "C") << i;
    const std::size_t L = (i - 1) / 3854;
    ASSERT_EQ(Val(fields[3]), std::stod(std::to_string(L * 3395)) / 1000.0) << i;
  }
}

// A small count is padded to ten characters; Escape leaves no file; a file
// in place of the folder gives a message naming the path.
TEST(MultiLayerGrapheneTest, countLineAndEscapeAndUnwritableFolder)
{
  test::ScratchDir dir;
  test::FakeAbort abort;
  GrapheneLayers small = sized(5.2f, 5.2f, 1);
  Layer layer;
  const std::int32_t P = buildGrapheneLayer(layer.ref(), small, kA);
  const std::string one = (dir.path() / "one.txt").string();
  ASSERT_EQ(writeMultiLayerGraphene(small, kA, one, abort, false), P);
  const std::string digits = std::to_string(P);
  EXPECT_EQ(test::readBytes(one).substr(0, 12),
            " " + digits + std::string(9 - digits.size(), ' ') + "\r\n");

  test::FakeAbort escape(1);
  const std::string cancelled = (dir.path() / "cancelled.txt").string();
  EXPECT_FALSE(writeMultiLayerGraphene(small, kA, cancelled, escape, false).has_value());
  EXPECT_FALSE(std::filesystem::exists(cancelled));

  dir.write("Export", "a file where the folder should be");
  const std::string blocked = (dir.path() / "Export" / "x.txt").string();
  try {
    writeMultiLayerGraphene(small, kA, blocked, abort, false);
    ADD_FAILURE() << "no error for a file in place of the folder";
  } catch (const RuntimeError& e) {
    EXPECT_NE(std::string(e.what()).find(blocked), std::string::npos) << e.what();
  }
}

} // namespace
} // namespace tarvek
