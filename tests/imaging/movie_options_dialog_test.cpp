// The animation options dialog as a user meets it: its opening settings,
// typed values, Cancel and OK.
#include "imaging/ui/movie_options_dialog.h"

#include "support/fake_prompts.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

namespace tarvek {
namespace {

using test::FakePrompts;

QString shownSummary(int quality, int frames, int range)
{
  return QString::fromStdString(movieSummary(quality, frames, range))
      .replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

TEST(MovieOptionsDialogTest, opensWithTheTableSettings)
{
  FakePrompts prompts;
  dlgMOVIE dialog(nullptr, prompts);
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("  Animation Options"));
  const struct {
    QSlider* slider;
    int minimum, maximum, value, single, page, ticks;
  } sliders[] = {
    {dialog.slN, 2, 100, 10, 1, 5, 10},
    {dialog.slQ, 70, 100, 90, 5, 10, 5},
    {dialog.slR, 5, 360, 45, 5, 10, 50},
    {dialog.slD, 50, 1000, 150, 50, 50, 100},
  };
  for (const auto& s : sliders) {
    const std::string name = s.slider->toolTip().toStdString();
    EXPECT_EQ(s.slider->minimum(), s.minimum) << name;
    EXPECT_EQ(s.slider->maximum(), s.maximum) << name;
    EXPECT_EQ(s.slider->value(), s.value) << name;
    EXPECT_EQ(s.slider->singleStep(), s.single) << name;
    EXPECT_EQ(s.slider->pageStep(), s.page) << name;
    EXPECT_EQ(s.slider->tickInterval(), s.ticks) << name;
  }
  EXPECT_EQ(dialog.Frame1->title(), QStringLiteral("Number Of Frames"));
  EXPECT_EQ(dialog.Frame3->toolTip(), QStringLiteral("Click for text input"));
  EXPECT_TRUE(dialog.Frame4->toolTip().isEmpty());
  EXPECT_TRUE(dialog.cb1->isChecked());
  EXPECT_EQ(dialog.tf->text(), QStringLiteral("Enter Title"));
  EXPECT_TRUE(dialog.ta->isReadOnly());
  EXPECT_EQ(dialog.ta->toPlainText(), shownSummary(90, 10, 45));
  const char* const tooltips[] = {"Rotate to the left", "Rotate up", "Rotate to the right",
                                  "Rotate down"};
  for (std::size_t i = 0; i < dialog.op.size(); ++i) {
    EXPECT_EQ(dialog.op[i]->toolTip(), QString::fromLatin1(tooltips[i]));
    EXPECT_TRUE(dialog.op[i]->text().isEmpty());
    EXPECT_EQ(dialog.op[i]->isChecked(), i == 0);
  }
}

// A click on a frame asks for the value; a good answer moves the slider and
// the summary, a bad one or Cancel leaves both.
TEST(MovieOptionsDialogTest, clickOnAFrameTakesATypedValue)
{
  FakePrompts prompts;
  dlgMOVIE dialog(nullptr, prompts);
  dialog.show();
  prompts.answerInput("12.6");
  QTest::mouseClick(dialog.Frame1, Qt::LeftButton);
  EXPECT_EQ(dialog.slN->value(), 13);
  EXPECT_EQ(dialog.ta->toPlainText(), shownSummary(90, 13, 45));
  ASSERT_EQ(prompts.calls.size(), 1u);
  EXPECT_EQ(prompts.calls[0].text, "Enter value [2-100]");
  EXPECT_EQ(prompts.calls[0].title, "Custom Value");
  EXPECT_EQ(prompts.calls[0].defaultText, "10");

  prompts.answerInput("400");
  QTest::mouseClick(dialog.Frame3, Qt::LeftButton);
  EXPECT_EQ(dialog.slR->value(), 45);
  prompts.answerInput(std::nullopt);
  QTest::mouseClick(dialog.Frame2, Qt::LeftButton);
  EXPECT_EQ(dialog.slQ->value(), 90);
  EXPECT_EQ(prompts.calls[2].text, "Enter value [70-100]");
  // The delay takes no typed value.
  QTest::mouseClick(dialog.Frame4, Qt::LeftButton);
  EXPECT_EQ(prompts.calls.size(), 3u);
}

TEST(MovieOptionsDialogTest, cancelAndOkHandBackTheirValues)
{
  FakePrompts prompts;
  {
    dlgMOVIE dialog(nullptr, prompts);
    dialog.show();
    dialog.slN->setValue(40);
    QTest::mouseClick(dialog.CancelButton, Qt::LeftButton);
    EXPECT_EQ(dialog.options().frameCount, -1);
  }
  dlgMOVIE dialog(nullptr, prompts);
  dialog.show();
  QTest::mouseClick(dialog.op[1], Qt::LeftButton);
  dialog.tf->setText(QStringLiteral(" My Tube "));
  dialog.slN->setValue(20);
  dialog.slQ->setValue(75);
  dialog.slR->setValue(180);
  dialog.slD->setValue(300);
  dialog.cb1->setChecked(false);
  QTest::mouseClick(dialog.OKButton, Qt::LeftButton);
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  const MovieOptions& options = dialog.options();
  EXPECT_EQ(options.rotationDirection, 1);
  EXPECT_EQ(options.movieTitle, "My Tube");
  EXPECT_EQ(options.frameCount, 20);
  EXPECT_EQ(options.jpegQuality, 75);
  EXPECT_EQ(options.rotationRange, 180);
  EXPECT_EQ(options.frameDelay, 300);
  EXPECT_EQ(options.includeAtomTable, 0);
  EXPECT_FALSE(dialog.op[0]->isChecked());
}

} // namespace
} // namespace tarvek
