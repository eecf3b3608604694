// What the builder dialogs hand back, read from their fields and options without Qt.
#include "tools/builder_dialog_values.h"

#include "runtime/int_convert.h"
#include "runtime/number_parse.h"
#include "runtime/runtime_error.h"

#include <algorithm>
#include <cmath>

namespace tarvek {

namespace {

float fieldValue(std::string text)
{
  std::replace(text.begin(), text.end(), ',', '.');
  const double value = Val(text);
  const auto single = static_cast<float>(value);
  if (!std::isfinite(single))
    throw RuntimeError("The number " + text + " is too large.");
  return single;
}

} // namespace

std::int16_t capChoiceOf(const std::array<bool, 3>& selected)
{
  for (std::int16_t i = 0; i < 3; ++i) {
    if (selected[static_cast<std::size_t>(i)])
      return i;
  }
  return 0;
}

GrapheneDialogValues readGrapheneDialog(const std::array<std::string, 5>& fields, int option)
{
  GrapheneDialogValues values;
  values.layerWidth = fieldValue(fields[0]);
  values.layerHeight = fieldValue(fields[1]);
  values.layerCount = fieldValue(fields[2]);
  values.layerDistance = fieldValue(fields[3]);
  values.graphiteShift = option == 1 ? 1 : 0;
  const float angle = fieldValue(fields[4]);
  values.layerRotation = option == 2 ? -angle : 0.0f;
  return values;
}

JunctionValues junctionValues(const std::array<std::string, 6>& fields)
{
  std::array<std::int16_t, 6> read{};
  for (std::size_t i = 0; i < fields.size(); ++i) {
    std::string text = fields[i];
    std::replace(text.begin(), text.end(), ',', '.');
    read[i] = CInt(Val(text));
    const bool mField = i == 1 || i == 4;
    if (read[i] == 0 && !mField)
      read[i] = 5;
  }
  return {read[0], read[1], read[2], read[3], read[4], read[5]};
}

} // namespace tarvek
