#include "shell/material_list.h"

#include "runtime/line_reader.h"
#include "runtime/number_parse.h"
#include "runtime/runtime_error.h"
#include "runtime/split.h"

#include <algorithm>
#include <cmath>

namespace tarvek {

std::vector<Material> builtInMaterials()
{
  return {{"C", "C", 1.421f}, {"B", "N", 1.47f}, {"Ga", "N", 1.95f}, {"Al", "N", 1.82f}};
}

namespace {

float bondLengthOf(const std::string& text)
{
  try {
    const auto value = static_cast<float>(Val(text));
    return std::isfinite(value) ? value : 0.0f;
  } catch (const RuntimeError&) {
    return 0.0f;
  }
}

} // namespace

MaterialList loadMaterialFile(const std::string& path)
{
  MaterialList list;
  LineReader reader(path);
  std::string line;
  while (static_cast<int>(list.materials.size()) < kMaterialCapacity && reader.next(line)) {
    std::replace(line.begin(), line.end(), '-', ' ');
    std::replace(line.begin(), line.end(), ':', ' ');
    std::replace(line.begin(), line.end(), '\t', ' ');
    const auto fields = splitSpaces(trimBlanks(line));
    if (fields.size() < 3)
      break;
    list.materials.push_back({fields[0], fields[1], bondLengthOf(fields[2])});
  }
  const bool opened = reader.status().ok() || !list.materials.empty();
  if (list.materials.empty()) {
    list.materials = builtInMaterials();
    if (opened)
      list.message =
          "No material could be read from " + path + ". The built-in materials are used.";
    return list;
  }
  list.fromFile = true;
  return list;
}

} // namespace tarvek
