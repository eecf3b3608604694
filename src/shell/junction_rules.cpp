// How the hetero-junction command calls the tube-joining program and names its result.
#include "shell/junction_rules.h"

namespace tarvek {

std::vector<std::string> junctionArguments(const JunctionValues& values, const std::string& jarPath)
{
  std::vector<std::string> args{"-Djava.awt.headless=true", "-cp", jarPath, "nt"};
  for (const std::int16_t value : {values.junctionN1, values.junctionM1, values.junctionLength1,
                                   values.junctionN2, values.junctionM2, values.junctionLength2})
    args.push_back(std::to_string(value));
  return args;
}

std::string junctionTitle(const JunctionValues& values)
{
  return "(" + std::to_string(values.junctionN1) + "," + std::to_string(values.junctionM1) + ")-(" +
         std::to_string(values.junctionN2) + "," + std::to_string(values.junctionM2) +
         ") Hetero-Junction";
}

} // namespace tarvek
