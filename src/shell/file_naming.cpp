// Suggested export names.
#include "shell/file_naming.h"

#include <algorithm>

namespace tarvek {

std::string defaultExportName(const ExportNameParts& parts)
{
  std::string symbols = parts.materialText;
  std::erase_if(symbols, [](char c) { return c == '-' || c == ' '; });
  std::string name;
  switch (parts.structureKind) {
  case 1:
    name = (parts.tubeVariant == 2 ? "SWNT_Bundle_" : "Nanotube_") + symbols;
    break;
  case 2:
    name = "NanotubeSheet_" + symbols;
    break;
  case 3:
    name = "Nanocone_" + symbols;
    break;
  case 4:
    name = "NanoconeSheet_" + symbols;
    break;
  case 5:
    name = "BuckyBall";
    break;
  case 6:
    name = "Fullerene_" + parts.importedTitle;
    break;
  case 7:
    name = "Xmol Import";
    break;
  case 8:
    name = parts.virusTitle;
    break;
  default:
    break;
  }
  if (parts.titleCaption.find("Multi") != std::string::npos)
    name = parts.titleCaption;
  if (parts.junctionShown)
    name = parts.junctionTitle;
  return name;
}

} // namespace tarvek
