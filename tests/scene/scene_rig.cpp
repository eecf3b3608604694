#include "scene/scene_rig.h"

#include "runtime/number_parse.h"
#include "runtime/split.h"

namespace tarvek::test {

std::vector<double> fieldsOf(const std::string& line)
{
  std::vector<double> values;
  for (const std::string& field : splitSpaces(line))
    values.push_back(Val(field));
  return values;
}

} // namespace tarvek::test
