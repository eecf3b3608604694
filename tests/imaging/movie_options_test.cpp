// The animation options' rules: the summary and its step, typed slider
// values, and the turn each direction button applies.
#include "imaging/movie_options.h"

#include <gtest/gtest.h>

#include <string>

namespace tarvek {
namespace {

// A part turn spreads its range from the first frame to the last; a whole
// turn stops one step short of the first picture again.
TEST(MovieOptionsTest, summaryShowsTheStepBetweenFrames)
{
  const MovieOptions opening;
  EXPECT_EQ(movieSummary(opening.jpegQuality, opening.frameCount, opening.rotationRange),
            "Quality:  90 %\r\nFrames:  10\r\nRange:   45 deg\r\nStep:   5.0 deg");
  const struct {
    int range, frames;
    const char* step;
  } cases[] = {
    {360, 7, "51.43 deg"}, {360, 36, "10.0 deg"}, {355, 72, "5.0 deg"}, {90, 2, "90.0 deg"},
    {5, 100, "0.05 deg"},
  };
  for (const auto& c : cases) {
    const std::string summary = movieSummary(70, c.frames, c.range);
    const std::string last = summary.substr(summary.rfind("\r\n") + 2);
    EXPECT_EQ(last, std::string("Step:   ") + c.step) << c.range << " / " << c.frames;
  }
}

TEST(MovieOptionsTest, typedValuesRoundHalfToEvenWithinTheSliderRange)
{
  const struct {
    std::optional<std::string> answer;
    int expected;
  } cases[] = {
    {"12.6", 13}, {"12.5", 12}, {"13.5", 14}, {"12,6", 13}, {" 40 frames", 40},
    {"", 10},     {std::nullopt, 10}, {"150", 10}, {"1", 10}, {"abc", 10},
    {"100.4", 100}, {"1.5", 2},  {"1e400", 10},
  };
  for (const auto& c : cases)
    EXPECT_EQ(customSliderValue(c.answer, 2, 100, 10), c.expected)
        << (c.answer ? "\"" + *c.answer + "\"" : std::string("Cancel"));
}

// Each button turns as the arrow key of its name; t is a fifth of the step,
// since the scene turns by five times the angle it gets.
TEST(MovieOptionsTest, directionsTurnAsTheArrowKeysOfTheirNames)
{
  const struct {
    int direction;
    int axis, sign;
  } table[] = {{0, 1, -1}, {1, 2, -1}, {2, 1, 1}, {3, 2, 1}};
  for (const auto& row : table) {
    const RotationTurn turn = rotationTurn(row.direction);
    EXPECT_EQ(turn.axis, row.axis) << row.direction;
    EXPECT_EQ(turn.sign, row.sign) << row.direction;
  }
  EXPECT_FLOAT_EQ(keyRotateAngle(rotationStepDegrees(45, 10)), 1.0f);
  EXPECT_FLOAT_EQ(keyRotateAngle(rotationStepDegrees(90, 2)), 18.0f);
}

} // namespace
} // namespace tarvek
