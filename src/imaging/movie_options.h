// The options of a rotating image sequence: values, summary, typed values and
// the direction of turn.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace tarvek {

// What the animation options dialog hands back. The defaults are the values
// every showing of the dialog starts from.
struct MovieOptions {
  std::int32_t frameCount = 10;    // 2..100; -1 after Cancel
  std::int32_t jpegQuality = 90;   // 70..100
  std::int32_t rotationRange = 45; // degrees, 5..360
  std::int32_t frameDelay = 150;   // milliseconds, 50..1000
  std::int32_t includeAtomTable = 1;
  std::string movieTitle;
  std::int32_t rotationDirection = 0; // 0 left, 1 up, 2 right, 3 down
};

// The turn in degrees between two frames: the range over the gaps between
// the frames, so the first and last frames lie the whole range apart; a
// whole turn (360) over the frames, so its last frame does not repeat the
// first and the loop runs on smoothly.
float rotationStepDegrees(std::int32_t rotationRange, std::int32_t frameCount);

// The dialog's four summary lines, joined by CR LF, with no line end after
// the last: quality, frames, range and the step with one or two decimals.
std::string movieSummary(std::int32_t quality, std::int32_t frames, std::int32_t range);

// A slider value typed by the user: "," reads as ".", the leading number is
// rounded half to even. Cancel (nothing), an empty answer, or a value outside
// minimum..maximum gives current back.
std::int32_t customSliderValue(const std::optional<std::string>& answer, std::int32_t minimum,
                               std::int32_t maximum, std::int32_t current);

// The view's turn for a direction button: the same turn as the arrow key of
// that name, keyRotate(axis, sign * angle).
struct RotationTurn {
  std::int16_t axis;
  int sign;
};

// Button 0 "Rotate to the left", 1 "Rotate up", 2 "Rotate to the right",
// 3 "Rotate down"; other values turn as 0.
RotationTurn rotationTurn(std::int32_t rotationDirection);

// The keyRotate angle that turns the view by degrees: the scene turns by
// five times the angle it is given.
float keyRotateAngle(float degrees);

} // namespace tarvek
