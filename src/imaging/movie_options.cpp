// The animation options' rules, free of widgets.
#include "imaging/movie_options.h"

#include "runtime/number_format.h"
#include "runtime/number_parse.h"

#include <algorithm>
#include <cmath>

namespace tarvek {

namespace {

// keyRotate turns the view by this many degrees per unit of its angle.
constexpr float kKeyRotateFactor = 5.0f;

} // namespace

float rotationStepDegrees(std::int32_t rotationRange, std::int32_t frameCount)
{
  if (frameCount < 2)
    return static_cast<float>(rotationRange);
  // A whole turn ends where it began: its last frame stops one step short,
  // so the looping animation shows no picture twice.
  if (rotationRange >= 360)
    return static_cast<float>(rotationRange) / static_cast<float>(frameCount);
  return static_cast<float>(rotationRange) / static_cast<float>(frameCount - 1);
}

std::string movieSummary(std::int32_t quality, std::int32_t frames, std::int32_t range)
{
  return "Quality:  " + std::to_string(quality) + " %\r\nFrames:  " + std::to_string(frames)
         + "\r\nRange:   " + std::to_string(range) + " deg\r\nStep:   "
         + Format(rotationStepDegrees(range, frames), "0.0#") + " deg";
}

std::int32_t customSliderValue(const std::optional<std::string>& answer, std::int32_t minimum,
                               std::int32_t maximum, std::int32_t current)
{
  if (!answer || answer->empty())
    return current;
  std::string text = *answer;
  std::replace(text.begin(), text.end(), ',', '.');
  const std::optional<double> value = leadingNumber(text);
  const double rounded = std::nearbyint(value.value_or(0.0));
  if (!(rounded >= minimum && rounded <= maximum))
    return current;
  return static_cast<std::int32_t>(rounded);
}

RotationTurn rotationTurn(std::int32_t rotationDirection)
{
  switch (rotationDirection) {
  case 1:
    return {2, -1};
  case 2:
    return {1, 1};
  case 3:
    return {2, 1};
  default:
    return {1, -1};
  }
}

float keyRotateAngle(float degrees)
{
  return degrees / kKeyRotateFactor;
}

} // namespace tarvek
