#include "shell/parameter_check.h"

#include "runtime/int_convert.h"
#include "runtime/number_parse.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace tarvek {

const char* const kLongTubeMessage = "For extra long tubes please switch to \r\n"
                                     "'Create tubes by number of translational units'\r\n"
                                     "under [Tools][Preferences]";

double fieldNumber(const std::string& text)
{
  std::string copy = text;
  std::replace(copy.begin(), copy.end(), ',', '.');
  return Val(copy);
}

namespace {

template <class T> std::string shortestText(T value)
{
  if (value == T(0))
    value = T(0); // no "-0"
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

} // namespace

std::string plainNumber(double value)
{
  return shortestText(value);
}

std::string plainNumber(float value)
{
  return shortestText(value);
}

namespace {

// Below lower (strictly) gives lowText, above upper gives upperText.
void clampField(std::string& text, double lower, const char* lowText, double upper,
                const char* upperText)
{
  const double v = fieldNumber(text);
  if (v < lower)
    text = lowText;
  else if (v > upper)
    text = upperText;
}

void clampLow(std::string& text, double lower, const char* lowText)
{
  if (fieldNumber(text) < lower)
    text = lowText;
}

} // namespace

ParameterCheck checkParameterFields(ParameterFields f, const ParameterContext& context)
{
  ParameterCheck check;
  for (auto& text : f)
    std::replace(text.begin(), text.end(), ',', '.');

  f[0] = plainNumber(std::fabs(fieldNumber(f[0])));
  clampField(f[0], 1, "1", 100, "100");

  f[1] = plainNumber(std::fabs(fieldNumber(f[1])));
  if (fieldNumber(f[0]) < fieldNumber(f[1]))
    f[1] = f[0];

  if (context.unitCellMode) {
    clampField(f[2], 1, "1", 70000, "70000");
    f[2] = std::to_string(CLng(fieldNumber(f[2])));
  } else {
    clampLow(f[2], 3, "3");
    if (fieldNumber(f[2]) > 999) {
      f[2] = "10";
      check.longTubeMessageDue = true;
    }
  }

  clampField(f[3], 1, "1", 5, "5");
  clampField(f[4], 1, "1", 20, "20");
  clampField(f[5], 1, "1", 10, "10");
  clampLow(f[13], 0, "0");
  if (fieldNumber(f[5]) < fieldNumber(f[13]))
    f[13] = f[5];
  clampField(f[7], 1, "1", 250, "250");
  clampField(f[8], 1, "1", 10, "10");
  clampField(f[9], 1, "1", 20, "20");

  if (context.structureKind == 1 || context.structureKind == 7) {
    DistortionSettings d;
    clampField(f[6], 0.5, "0.5", 10, "10");
    d.stretchFactor = static_cast<float>(fieldNumber(f[6]));
    clampField(f[10], 0.5, "0.5", 20, "20");
    d.ellipseRatio = static_cast<float>(fieldNumber(f[10]));
    clampField(f[11], 0, "0", 50, "50");
    d.twistRate = static_cast<float>(fieldNumber(f[11]));
    clampField(f[12], 0, "0", 90, "90");
    d.bendAngle = static_cast<float>(fieldNumber(f[12]));
    d.distortionActive = fieldNumber(f[6]) != 1 || fieldNumber(f[10]) != 1 ||
                         fieldNumber(f[11]) != 0 || fieldNumber(f[12]) != 0;
    d.wideBondWindow = context.autoCapTicked ? 1 : 0;
    if (context.tubeVariant == 8 && context.mwntIndices.size() > 1) {
      f[0] = std::to_string(context.mwntIndices[1][0]);
      f[1] = std::to_string(context.mwntIndices[1][1]);
    }
    check.distortions = d;
  }
  check.fields = std::move(f);
  return check;
}

} // namespace tarvek
