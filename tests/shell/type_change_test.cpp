// Choosing a structure type after a special build: the chosen type alone is shown and built.
#include "form1_rig.h"

#include "scene/scene_object.h"
#include "shell/collapsible_frame.h"
#include "shell/special_commands.h"
#include "support/click_menu.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace tarvek {
namespace {

using test::clickDrawn;
using test::clickListEntry;
using test::clickMenuPath;
using test::Form1Rig;

// Types a value into a parameter field with the mouse and keyboard, its
// panel expanded first, and ends it with Enter (which recomputes).
void enterField(Form1Rig& rig, int index, const QString& text)
{
  QLineEdit& field = *rig.form->tf[index];
  auto* panel = dynamic_cast<CollapsibleFrame*>(field.parentWidget());
  ASSERT_NE(panel, nullptr);
  if (!panel->expandedCaption())
    clickDrawn(*panel->captionLabel());
  ASSERT_TRUE(panel->expandedCaption());
  clickDrawn(field);
  QTest::keyClick(&field, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClicks(&field, text);
  QTest::keyClick(&field, Qt::Key_Return);
}

struct SpecialBuild {
  const char* name;
  // The type list's entry while the build is shown.
  const char* shownType;
  std::int16_t variant;
  // Atom lists the scene holds for the build: one per wall, cone or tube.
  std::int32_t passes;
  std::function<void(Form1Rig&)> run;
};

const SpecialBuild kBuilds[] = {
    {"bundle", "Nano - Tube", 2, 7,
     [](Form1Rig& rig) {
       rig.prompts.answerInput("1");
       clickMenuPath(*rig.form, {"&Special", "Tube Bundle"});
     }},
    {"capped preset", "Nano - Tube", 90, 1,
     [](Form1Rig& rig) {
       rig.form->specialCommands().capChooser = [] { return std::int16_t(0); };
       clickMenuPath(*rig.form, {"&Special", "Capped Tube", "Capped (9,0) Tube"});
     }},
    {"custom wall list", "Nano - Tube", 8, 3,
     [](Form1Rig& rig) {
       rig.prompts.answerInput("(5,5) (10,10) (15,15)");
       clickMenuPath(*rig.form, {"&Special", "Custom MWNT"});
     }},
    {"multi-wall", "Nano - Tube", 1, 3, [](Form1Rig& rig) { enterField(rig, 4, "3"); }},
    {"stacked cones", "Nano - Cone", 1, 3,
     [](Form1Rig& rig) {
       clickListEntry(*rig.form->cmbTYP, "Nano - Cone");
       enterField(rig, 8, "3");
     }},
};

const char* const kNextTypes[] = {"Nano - Tube", "Graphene Sheet", "Nano - Cone", "Cone - Sheet",
                                  "Bucky - Ball"};

// Every special build followed by every other computed type: the chosen
// type is the one shown and titled, it is built as one structure without a
// question of the build before, and the toolbar's Run builds the same.
TEST(TypeChangeTest, theChosenTypeEndsTheSpecialBuild)
{
  for (const SpecialBuild& build : kBuilds) {
    for (const char* next : kNextTypes) {
      if (std::string(next) == build.shownType)
        continue;
      const std::string pair = std::string(build.name) + " -> " + next;
      Form1Rig rig;
      Form1& form = *rig.form;
      build.run(rig);
      ASSERT_EQ(rig.model.tubeVariant, build.variant) << pair;
      ASSERT_EQ(form.scene().getNO(), build.passes) << pair;
      ASSERT_EQ(form.cmbTYP->currentText().toStdString(), build.shownType) << pair;

      const std::size_t asked = rig.prompts.calls.size();
      ASSERT_TRUE(clickListEntry(*form.cmbTYP, next)) << pair;
      EXPECT_EQ(form.cmbTYP->currentText().toStdString(), next) << pair;
      EXPECT_EQ(form.titleText().toStdString(), next) << pair;
      EXPECT_EQ(rig.model.structureKind, form.cmbTYP->findText(next) + 1) << pair;
      EXPECT_EQ(form.scene().getNO(), 1) << pair;
      EXPECT_EQ(rig.prompts.calls.size(), asked) << pair;
      const std::int32_t atoms = form.scene().drawnAtomCount;
      EXPECT_EQ(rig.status(2), std::to_string(atoms) + " Atoms") << pair;
      if (std::string(next) == "Nano - Cone") {
        EXPECT_EQ(atoms, 180) << pair;
      }
      if (std::string(next) == "Bucky - Ball") {
        EXPECT_EQ(atoms, 60) << pair;
      }

      rig.pressCalculate();
      EXPECT_EQ(form.cmbTYP->currentText().toStdString(), next) << pair;
      EXPECT_EQ(form.scene().getNO(), 1) << pair;
      EXPECT_EQ(form.scene().drawnAtomCount, atoms) << pair;
      EXPECT_EQ(rig.prompts.calls.size(), asked) << pair;
    }
  }
}

// The Special commands still select the type their build needs and keep
// their own structure: a bundle or a capped tube asked for while a cone is
// shown turns into that tube structure.
TEST(TypeChangeTest, specialCommandsFromAnotherTypeKeepTheirBuild)
{
  {
    Form1Rig rig;
    ASSERT_TRUE(clickListEntry(*rig.form->cmbTYP, "Nano - Cone"));
    rig.prompts.answerInput("1");
    clickMenuPath(*rig.form, {"&Special", "Tube Bundle"});
    EXPECT_EQ(rig.form->cmbTYP->currentText(), "Nano - Tube");
    EXPECT_EQ(rig.model.tubeVariant, 2);
    EXPECT_EQ(rig.form->scene().getNO(), 7);
    EXPECT_EQ(rig.form->scene().drawnAtomCount, 7 * 240);
  }
  {
    Form1Rig rig;
    ASSERT_TRUE(clickListEntry(*rig.form->cmbTYP, "Graphene Sheet"));
    rig.form->specialCommands().capChooser = [] { return std::int16_t(0); };
    clickMenuPath(*rig.form, {"&Special", "Capped Tube", "Capped (5,5) Tube"});
    EXPECT_EQ(rig.form->cmbTYP->currentText(), "Nano - Tube");
    EXPECT_EQ(rig.model.tubeVariant, 55);
    EXPECT_EQ(rig.model.tubeN, 5);
    EXPECT_EQ(rig.model.tubeM, 5);
  }
  {
    Form1Rig rig;
    ASSERT_TRUE(clickListEntry(*rig.form->cmbTYP, "Cone - Sheet"));
    rig.prompts.answerInput("(5,5) (10,10)");
    clickMenuPath(*rig.form, {"&Special", "Custom MWNT"});
    EXPECT_EQ(rig.form->cmbTYP->currentText(), "Nano - Tube");
    EXPECT_EQ(rig.model.tubeVariant, 8);
    EXPECT_EQ(rig.form->scene().getNO(), 2);
  }
}

} // namespace
} // namespace tarvek
