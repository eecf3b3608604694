#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tarvek {

// The fourteen parameter fields of the main window, by field index.
using ParameterFields = std::array<std::string, 14>;

// What the field check reads besides the texts.
struct ParameterContext {
  std::int16_t structureKind = 1;
  std::int16_t tubeVariant = 0;
  bool unitCellMode = false;
  bool autoCapTicked = false;
  // The user's wall list, row 0 unused.
  std::vector<std::array<std::int16_t, 2>> mwntIndices;
};

// The distortion settings, written only for tubes and coordinate imports.
struct DistortionSettings {
  float stretchFactor = 1.0f;
  float ellipseRatio = 1.0f;
  float twistRate = 0.0f;
  float bendAngle = 0.0f;
  bool distortionActive = false;
  std::int16_t wideBondWindow = 0;
};

struct ParameterCheck {
  ParameterFields fields;
  // Empty for kinds whose distortions stay as they were (distortionActive
  // then becomes false).
  std::optional<DistortionSettings> distortions;
  // An ångström length above 999 was cut to 10: the user is told once.
  bool longTubeMessageDue = false;
};

// The text that tells the user to count long tubes in unit cells.
extern const char* const kLongTubeMessage;

// Clamps every field to its range, in field order, each step seeing the
// earlier clamps. Commas become points; fields in range keep their text.
// Throws RuntimeError for a number beyond the double range.
ParameterCheck checkParameterFields(ParameterFields fields, const ParameterContext& context);

// A field's number: the leading number of its text, "," read as ".".
double fieldNumber(const std::string& text);

// Shortest text that reads back as the same number, "." as decimal sign.
std::string plainNumber(double value);
std::string plainNumber(float value);

} // namespace tarvek
