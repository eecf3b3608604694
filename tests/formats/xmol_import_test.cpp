#include "formats/structure_readers.h"
#include "formats/structure_writers.h"
#include "model/built_tube.h"
#include "runtime/file_status.h"
#include "runtime/number_format.h"
#include "support/fake_abort.h"
#include "support/fake_prompts.h"
#include "support/model_filler.h"
#include "support/scratch_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <functional>
#include <numbers>

namespace tarvek::test {
namespace {

constexpr const char* kNoAxis =
    "No tube axis found: the centre of the structure lies on none of the x, y and z axes.";
constexpr const char* kNoBond =
    "No bond length found: no two atoms lie within 1.5 A of the centre's height.";
constexpr const char* kNotZ = "Application of distortions is disabled";

// XMOL text of a model's atoms, each moved by place first.
std::string xmolText(const Model& model,
                     const std::function<void(float&, float&, float&)>& place = {})
{
  std::string text = std::to_string(model.atomCount) + "\r\ntube\r\n";
  for (std::int32_t i = 0; i < model.atomCount; ++i) {
    float x = model.atomX[i], y = model.atomY[i], z = model.atomZ[i];
    if (place)
      place(x, y, z);
    text += "C " + Format(x, "0.000000") + " " + Format(y, "0.000000") + " "
            + Format(z, "0.000000") + "\r\n";
  }
  return text;
}

// One import with scripted answers; the model starts with a known last tube.
struct XmolRig {
  Model model;
  FakePrompts prompts;
  FakeAbort abort;
  std::optional<XmolImport> result;

  XmolRig()
  {
    model.tubeLength = 111.0f;
    model.tubeDiameter = 22.0f;
    model.bondLength = 1.3f;
    model.lastTubeDiameter = 22.0f;
    model.lastTubeRadius = 11.0f;
  }

  XmolRig& run(const std::string& text, std::initializer_list<bool> answers, bool quiet = false,
               bool previousIsTube = false)
  {
    for (bool a : answers)
      prompts.answerYesNo(a);
    result = importCoordinateBytes(model, text, "/data/tube.xmol", quiet, previousIsTube, prompts,
                                   abort);
    return *this;
  }

  std::vector<std::string> messageTexts() const
  {
    std::vector<std::string> out;
    for (const auto& c : prompts.messages())
      out.push_back(c.text);
    return out;
  }
  bool lastTubeKept() const
  {
    return model.tubeLength == 111.0f && model.tubeDiameter == 22.0f
           && model.lastTubeDiameter == 22.0f && model.lastTubeRadius == 11.0f;
  }
};

// The builder's (10,0) tube, 25 Å long along z from z = 0.
const Model& zigzagTube()
{
  static const Model tube = builtTube(10, 0, 25.0f, 1.42f);
  return tube;
}

// Symbols and element numbers pick the material's two atom kinds; the
// number tests come last and win.
TEST(XmolImportTest, firstFieldGivesTheAtomType)
{
  XmolRig rig;
  rig.run("7\r\n\tcomment\twith tabs \r\nB 0 0 0\nn 1 0 0\n5 2 0 0\nGA 3 0 0\n7 4 0 0\nC 5 0 0\n"
          "Si 6 0 0\n",
          {false});
  ASSERT_TRUE(rig.result);
  EXPECT_EQ(rig.model.atomType, (std::vector<std::int16_t>{1, 2, 1, 1, 2, 3, 3}));
  EXPECT_EQ(rig.result->comment, "comment with tabs");
  EXPECT_EQ(rig.result->title, "tube");
  EXPECT_FALSE(rig.result->isTube);
  EXPECT_EQ(rig.model.structureKind, 7);
  EXPECT_EQ(rig.model.atomCount, 7);
  EXPECT_FLOAT_EQ(rig.model.atomX[6], 6.0f);
}

// No to the tube question ends the import with the atoms read: no fit, no
// bonds, but the bond length measured. No to the distortion question does
// the same but keeps the answer.
TEST(XmolImportTest, declinedQuestionsLeaveTheTubeUnmeasuredAndUnbonded)
{
  const std::string text = xmolText(zigzagTube());
  {
    XmolRig rig;
    rig.model.bondCount = 1;
    rig.model.bondAtom1 = {0};
    rig.model.bondAtom2 = {1};
    rig.run(text, {false});
    EXPECT_FALSE(rig.result->isTube);
    EXPECT_EQ(rig.model.bondCount, 0);
    EXPECT_TRUE(rig.model.bondAtom1.empty());
    EXPECT_TRUE(rig.lastTubeKept());
    EXPECT_NEAR(rig.model.bondLength, 1.4156, 1e-3);
    EXPECT_EQ(rig.prompts.calls.size(), 1u);
    EXPECT_EQ(rig.prompts.calls[0].text, "Is this data for a nanotube?");
    EXPECT_EQ(rig.prompts.calls[0].title, "Import Nanotube?");
    EXPECT_EQ(rig.prompts.calls[0].icon, MessageIcon::Question);
  }
  {
    XmolRig rig;
    rig.model.twistRate = 1.0f;
    rig.run(text, {true, false});
    ASSERT_EQ(rig.prompts.calls.size(), 2u);
    EXPECT_EQ(rig.prompts.calls[1].text, "Do you want to apply distortions?");
    EXPECT_EQ(rig.prompts.calls[1].title, "Import Nanotube?");
    EXPECT_TRUE(rig.result->isTube);
    EXPECT_FALSE(rig.model.distortionActive);
    EXPECT_EQ(rig.model.bondCount, 0);
    EXPECT_TRUE(rig.lastTubeKept());
    EXPECT_NEAR(rig.model.bondLength, 1.4156, 1e-3);
    for (std::int32_t i = 0; i < rig.model.atomCount; ++i)
      EXPECT_NEAR(rig.model.atomZ[i], zigzagTube().atomZ[i], 1e-6) << i;
  }
}

// Quiet re-imports ask nothing and keep the earlier answer.
TEST(XmolImportTest, quietImportAsksNothingAndKeepsThePreviousAnswer)
{
  for (const bool previous : {true, false}) {
    XmolRig rig;
    rig.model.stretchFactor = 2.0f;
    rig.run(xmolText(zigzagTube()), {}, true, previous);
    EXPECT_TRUE(rig.prompts.calls.empty()) << previous;
    EXPECT_EQ(rig.result->isTube, previous);
    EXPECT_EQ(rig.model.bondCount, 340) << previous;
    const float top = *std::max_element(rig.model.atomZ.begin(), rig.model.atomZ.end());
    EXPECT_NEAR(top, previous ? 49.70f : 24.85f, 1e-3) << previous;
  }
}

// Every refused file leaves the model as it was.
TEST(XmolImportTest, refusedFilesLeaveTheModelUnchanged)
{
  const struct {
    const char* text;
    const char* message;
  } cases[] = {
      {"", "Wrong File Format"},
      {"0\r\n\r\nC 0 0 0\r\n", "Wrong File Format"},
      {"abc\r\n\r\nC 0 0 0\r\n", "Wrong File Format"},
      {"-5\r\n\r\nC 0 0 0\r\n", "Wrong File Format"},
      {"3\ncomment\nC 0 0 0\nC 1 0 0\n", "\"/data/tube.xmol\" ends after 2 of its 3 atoms."},
      {"2\ncomment\nC 0 0 0\nC 1 nan 0\n",
       "\"/data/tube.xmol\", line 4: atom 2 has no x, y and z."},
  };
  for (const auto& c : cases) {
    XmolRig rig;
    ModelFiller filler;
    filler.addAtom(1, 2, 3);
    filler.addAtom(4, 5, 6);
    filler.addBond(0, 1);
    rig.model = filler.model;
    const Model before = rig.model;
    rig.run(c.text, {});
    EXPECT_FALSE(rig.result) << c.text;
    EXPECT_TRUE(rig.model == before) << c.text;
    ASSERT_EQ(rig.prompts.calls.size(), 1u) << c.text;
    EXPECT_EQ(rig.prompts.calls[0].text, c.message);
    EXPECT_EQ(rig.prompts.calls[0].icon, MessageIcon::Critical);
  }
}

// The fit finds a z tube off the origin and one centred on it, tells a y
// tube it gets no distortions, and stores nothing when it finds no axis or
// no bond length.
TEST(XmolImportTest, fitMeasuresZTubesAndStoresNothingWhenItFails)
{
  const Model& tube = zigzagTube();
  const auto shiftZ = [](float dz) { return [dz](float&, float&, float& z) { z += dz; }; };
  {
    XmolRig rig;
    rig.run(xmolText(tube, shiftZ(20.0f - 12.425f)), {true});
    EXPECT_TRUE(rig.messageTexts().empty());
    EXPECT_TRUE(rig.result->isTube);
    EXPECT_NEAR(rig.model.tubeLength, 24.85, 1e-3);
    EXPECT_NEAR(rig.model.tubeDiameter, 7.8289, 1e-3);
    EXPECT_NEAR(rig.model.bondLength, 1.4156, 1e-3);
    EXPECT_NEAR(rig.model.lastTubeRadius, 7.8289 / 2, 1e-3);
    EXPECT_EQ(rig.model.bondCount, 340);
  }
  {
    XmolRig rig;
    rig.run(xmolText(tube, shiftZ(-12.425f)), {true});
    EXPECT_TRUE(rig.messageTexts().empty());
    EXPECT_TRUE(rig.result->isTube);
    EXPECT_NEAR(rig.model.tubeLength, 24.85, 1e-3);
    EXPECT_NEAR(rig.model.tubeDiameter, 7.8289, 1e-3);
  }
  {
    XmolRig rig;
    rig.run(xmolText(tube, [](float&, float& y, float& z) { std::swap(y, z); y -= 12.425f; }),
            {true});
    EXPECT_EQ(rig.messageTexts(), std::vector<std::string>{kNotZ});
    EXPECT_EQ(rig.prompts.messages()[0].title, "Not a tube along Z-Axis");
    EXPECT_EQ(rig.prompts.messages()[0].icon, MessageIcon::Exclamation);
    EXPECT_FALSE(rig.result->isTube);
    EXPECT_NEAR(rig.model.tubeLength, 24.85, 1e-3);
  }
  // The bond length is the shortest distance measured, as after a fit; with
  // no distance to measure the last one stays.
  const struct {
    const char* name;
    std::string text;
    const char* message;
    float bondLength;
  } failures[] = {
      {"off every axis", xmolText(tube, [](float& x, float&, float&) { x += 5.0f; }), kNoAxis,
       1.4156f},
      {"single atom", "1\n\nC 0 0 0\n", kNoBond, 1.3f},
      {"duplicates only", "2\n\nC 0 0 0\nC 0 0 0\n", kNoBond, 1.3f},
  };
  for (const auto& f : failures) {
    for (const bool quiet : {false, true}) {
      XmolRig rig;
      rig.run(f.text, quiet ? std::initializer_list<bool>{} : std::initializer_list<bool>{true},
              quiet, true);
      EXPECT_EQ(rig.messageTexts(), std::vector<std::string>{f.message}) << f.name;
      EXPECT_EQ(rig.prompts.messages()[0].title, "Import Nanotube?") << f.name;
      EXPECT_FALSE(rig.result->isTube) << f.name;
      EXPECT_TRUE(rig.lastTubeKept()) << f.name;
      EXPECT_NEAR(rig.model.bondLength, f.bondLength, 1e-3) << f.name;
    }
    XmolRig rig;
    rig.run(f.text, {}, true, false);
    EXPECT_TRUE(rig.messageTexts().empty()) << f.name << ", no tube answer";
  }
}

// Too thin or too short for a tube: the fit stores its values but vetoes the
// distortions without a word.
TEST(XmolImportTest, thinOrShortStructuresAreVetoedSilently)
{
  // Rings of 12 atoms stacked along z about the height zMid.
  const auto ring = [](double radius, int rings, double step, double zMid) {
    std::string text = std::to_string(rings * 12) + "\n\n";
    for (int r = 0; r < rings; ++r)
      for (int k = 0; k < 12; ++k) {
        const double phi = 2.0 * std::numbers::pi * k / 12.0;
        text += "C " + Format(radius * std::cos(phi), "0.000000") + " "
                + Format(radius * std::sin(phi), "0.000000") + " "
                + Format(zMid + step * r - step * (rings - 1) / 2.0, "0.000000") + "\n";
      }
    return text;
  };
  const struct {
    const char* name;
    std::string text;
    double diameter;
  } cases[] = {
      {"diameter 2.2", ring(1.1, 20, 1.0, 0.0), 2.2},
      {"length below diameter", ring(4.0, 3, 1.2, 10.0), 8.0},
  };
  for (const auto& c : cases) {
    XmolRig rig;
    rig.model.bendAngle = 30.0f;
    rig.run(c.text, {true, true});
    EXPECT_TRUE(rig.messageTexts().empty()) << c.name;
    EXPECT_FALSE(rig.result->isTube) << c.name;
    EXPECT_NEAR(rig.model.tubeDiameter, c.diameter, 1e-4) << c.name;
    EXPECT_TRUE(rig.model.distortionActive) << c.name;
    // Not a tube: the bend is not applied, every x stays on its ring.
    for (std::int32_t i = 0; i < rig.model.atomCount; ++i)
      EXPECT_NEAR(std::hypot(rig.model.atomX[i], rig.model.atomY[i]), c.diameter / 2.0, 1e-4)
          << c.name << " atom " << i;
  }
}

// The four distortions on an imported (10,0) tube, bonded first.
TEST(XmolImportTest, distortionsActOnTheImportedTubeAfterItsBonds)
{
  const std::string text = xmolText(zigzagTube());
  const auto imported = [&](const std::function<void(Model&)>& set) {
    XmolRig rig;
    set(rig.model);
    const bool on = rig.model.stretchFactor != 1.0f || rig.model.ellipseRatio != 1.0f
                    || rig.model.twistRate != 0.0f || rig.model.bendAngle != 0.0f;
    rig.run(text, on ? std::initializer_list<bool>{true, true} : std::initializer_list<bool>{true});
    EXPECT_TRUE(rig.messageTexts().empty());
    EXPECT_TRUE(rig.result->isTube);
    return rig.model;
  };
  const Model plain = imported([](Model&) {});
  ASSERT_EQ(plain.bondCount, 340);

  const Model stretched = imported([](Model& m) { m.stretchFactor = 2.0f; });
  for (std::int32_t i = 0; i < plain.atomCount; ++i)
    EXPECT_NEAR(stretched.atomZ[i], 2.0f * plain.atomZ[i], 1e-4) << i;

  const Model elliptic = imported([](Model& m) { m.ellipseRatio = 2.0f; });
  float xMax = 0.0f, yMax = 0.0f;
  for (std::int32_t i = 0; i < plain.atomCount; ++i) {
    xMax = std::max(xMax, std::fabs(elliptic.atomX[i]));
    yMax = std::max(yMax, std::fabs(elliptic.atomY[i]));
  }
  EXPECT_NEAR(xMax, 5.0772, 1e-3);
  EXPECT_NEAR(yMax, 2.5386, 1e-3);

  const Model twisted = imported([](Model& m) { m.twistRate = 1.0f; });
  for (std::int32_t i = 0; i < plain.atomCount; ++i) {
    const double turn = (std::atan2(twisted.atomY[i], twisted.atomX[i])
                         - std::atan2(plain.atomY[i], plain.atomX[i]))
                        * 180.0 / std::numbers::pi;
    EXPECT_NEAR(std::remainder(turn - plain.atomZ[i], 360.0), 0.0, 1e-3) << i;
  }

  const Model bent = imported([](Model& m) { m.bendAngle = 90.0f; });
  EXPECT_NEAR(*std::min_element(bent.atomX.begin(), bent.atomX.end()),
              *std::min_element(plain.atomX.begin(), plain.atomX.end()), 1e-4);

  for (const Model* m : {&stretched, &elliptic, &twisted, &bent}) {
    EXPECT_EQ(m->bondAtom1, plain.bondAtom1);
    EXPECT_EQ(m->bondAtom2, plain.bondAtom2);
  }
}

// The file reader: the path's file is read and never changed; a missing
// file is reported.
TEST(XmolImportTest, readsFilesByPathAndReportsMissingOnes)
{
  ScratchDir dir;
  const auto path = dir.write("ring.xyz", "1\n\nN 0 0 0\n");
  XmolRig rig;
  rig.prompts.answerYesNo(false);
  const auto result = importCoordinates(rig.model, path.string(), false, false, rig.prompts,
                                        rig.abort);
  ASSERT_TRUE(result);
  EXPECT_EQ(result->title, "ring");
  EXPECT_EQ(rig.model.atomType, std::vector<std::int16_t>{2});
  EXPECT_EQ(readBytes(path), "1\n\nN 0 0 0\n");

  XmolRig missing;
  const std::string gone = dir.file("gone.xmol").string();
  EXPECT_FALSE(importCoordinates(missing.model, gone, false, false, missing.prompts, missing.abort));
  EXPECT_EQ(missing.messageTexts(),
            std::vector<std::string>{fileErrorText("Could not read", gone, ENOENT)});
}

} // namespace
} // namespace tarvek::test
