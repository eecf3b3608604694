#include "scene/scene_rig.h"

#include "model/element_tables.h"
#include "runtime/random_source.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <stdexcept>

namespace tarvek {
namespace {

using test::SceneRig;

TEST(SceneObjectTest, newSceneHoldsNothing)
{
  SceneRig rig;
  EXPECT_EQ(rig.scene.getNO(), 0);
  EXPECT_EQ(rig.scene.getNfill(), 0);
  EXPECT_EQ(rig.scene.getAtomRadius(7), 0.0f);
  EXPECT_EQ(rig.scene.getAtomColor(120), 0u);
  CMatrix::Matrix m;
  rig.scene.viewMatrix().GetMatrix(m);
  EXPECT_EQ(m, (CMatrix::Matrix{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}));
  EXPECT_TRUE(rig.gl.calls.empty());
}

TEST(SceneObjectTest, accessorsRefuseIndicesOutsideTheTables)
{
  SceneRig rig;
  EXPECT_THROW(rig.scene.setAtomRadius(121, 1.0f), std::out_of_range);
  EXPECT_THROW(rig.scene.setAtomColor(-1, 1), std::out_of_range);
  EXPECT_THROW(rig.scene.getAtomRadius(121), std::out_of_range);
  EXPECT_THROW(rig.scene.getBox(3), std::out_of_range);
  EXPECT_THROW(rig.scene.getRange(0, 2), std::out_of_range);
  EXPECT_THROW(rig.scene.getFill(21, 0), std::out_of_range);
  // Fields beyond the record give 0 without looking at the record number.
  for (int i : {0, 25, -3})
    EXPECT_EQ(rig.scene.getFill(i, 9), 0.0f) << "record " << i;
}

TEST(SceneObjectTest, elementTablesArePushedIntoTheScene)
{
  SceneRig rig;
  RandomSource random(1);
  initElementTable(rig.model, rig.scene, random);
  // Carbon is index 5 with a fixed display colour and radius.
  EXPECT_GT(rig.scene.getAtomRadius(5), 0.0f);
  EXPECT_NE(rig.scene.getAtomColor(5), 0u);
}

TEST(SceneObjectTest, fillColourReadsAsItsIntegerValue)
{
  SceneRig rig;
  rig.model.structureKind = 5;
  rig.display.insertFlag = true;
  rig.preferences.backgroundColor = 0xFF0000;
  rig.addAtom(0, 0, 0);
  rig.scene.setAtomData();
  ASSERT_EQ(rig.scene.getNfill(), 1);
  EXPECT_EQ(rig.scene.getFill(0, 7), 16711680.0f);
  EXPECT_EQ(rig.scene.getFill(0, 8), 1.0f);
  EXPECT_EQ(rig.scene.getFill(0, 6), 3.4f);
}

TEST(SceneObjectTest, backgroundFollowsSettingsOrAnaglyphWhite)
{
  SceneRig rig;
  rig.preferences.backgroundColor = packColor(0, 122, 185);
  rig.scene.setBackground();
  rig.scene.anaglyphMode = 3;
  rig.scene.setBackground();
  // 185 / 255 as a float is 0.72549021, shortest 0.7254902.
  static_assert(0.72549021f == 0.7254902f);
  EXPECT_EQ(rig.gl.calls, (std::vector<std::string>{"clearColor(0,0.47843137,0.7254902,0)",
                                                    "clearColor(1,1,1,0)"}));
  EXPECT_EQ(rig.scene.getFogColor(), (std::array<float, 4>{1, 1, 1, 1}));
}

TEST(SceneObjectTest, backColourWithoutContextKeepsOnlyTheFogColour)
{
  SceneRig rig;
  rig.context.available = false;
  rig.scene.setBackColorGL(1, 1, 1);
  EXPECT_TRUE(rig.gl.calls.empty());
  EXPECT_EQ(rig.scene.getFogColor(), (std::array<float, 4>{1, 1, 1, 1}));
  EXPECT_EQ(rig.context.doneCurrentCalls, 0);

  rig.context.available = true;
  rig.scene.setBackColorGL(0.25, 0.5, 1);
  EXPECT_EQ(rig.gl.calls, std::vector<std::string>{"clearColor(0.25,0.5,1,0)"});
  EXPECT_EQ(rig.context.doneCurrentCalls, 1);
}

TEST(SceneObjectTest, initStartsRotatingDrags)
{
  SceneRig rig;
  EXPECT_EQ(rig.scene.getDragMode(), 0);
  rig.scene.init();
  EXPECT_EQ(rig.scene.getDragMode(), 1);
}

TEST(SceneObjectTest, vectorMethods)
{
  using V3 = CXXX::V3;
  V3 zero{0, 0, 0};
  CXXX::UNITYVECTOR(zero);
  EXPECT_EQ(zero, (V3{0, 0, 0}));
  CXXX::V3Normalizef(zero);
  EXPECT_EQ(zero, (V3{0, 0, 0}));

  V3 v{3, 0, 4};
  CXXX::UNITYVECTOR(v);
  EXPECT_EQ(v, (V3{0.6f, 0, 0.8f}));
  V3 w{0, 0, 2};
  CXXX::V3Normalizef(w);
  EXPECT_EQ(w, (V3{0, 0, 1}));

  V3 a{2, 0, 0}, b{0, 5, 0};
  EXPECT_NEAR(CXXX::angle(a, b), std::numbers::pi / 2, 1e-6);
  EXPECT_EQ(a, (V3{1, 0, 0})) << "angle makes its arguments unit vectors";
  EXPECT_EQ(b, (V3{0, 1, 0}));

  V3 r;
  CXXX::V3Crossf(r, {1, 0, 0}, {0, 1, 0});
  EXPECT_EQ(r, (V3{0, 0, 1}));
  CXXX::V3Subf(r, {1, 2, 3}, {3, 2, 1});
  EXPECT_EQ(r, (V3{-2, 0, 2}));
  float length = 0, dot = 0;
  CXXX::V3Lengthf(length, {3, 4, 12});
  EXPECT_EQ(length, 13.0f);
  CXXX::V3Dotf(dot, {1, 2, 3}, {4, -5, 6});
  EXPECT_EQ(dot, 12.0f);
  V3 p{1, 2, 3}, q{4, 5, 6};
  CXXX::V3Swapf(p, q);
  EXPECT_EQ(p, (V3{4, 5, 6}));
  EXPECT_EQ(q, (V3{1, 2, 3}));
  EXPECT_TRUE(CXXX::V3IsEqualf(p, {4, 5, 6}));
  EXPECT_FALSE(CXXX::V3IsEqualf(p, {4, 5, 6.0000005f}));
}

} // namespace
} // namespace tarvek
