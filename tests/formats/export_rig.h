#pragma once

#include "formats/export_context.h"
#include "model/display_settings.h"
#include "runtime/number_parse.h"
#include "runtime/split.h"
#include "support/fake_prompts.h"
#include "support/model_filler.h"
#include "support/scratch_dir.h"

#include <sstream>
#include <string>
#include <vector>

namespace tarvek::test {

// A model filled atom by atom, fake prompts and a scratch folder, with the
// context the writers take.
struct ExportRig : ModelFiller {
  FakePrompts prompts;
  ScratchDir dir;
  ExportContext ctx{.model = model, .prompts = prompts};

  ExportRig()
  {
    model.structureKind = 1;
    model.bondLength = 1.42f;
    model.elementSymbols[0] = "H";
    model.elementSymbols[5] = "C";
    model.elementSymbols[6] = "N";
    model.elementSymbols[16] = "Cl";
    model.elementSymbols[30] = "Ga";
    ctx.atomTypeLabel1 = "C";
    ctx.atomTypeLabel2 = "C";
    ctx.createdText = "10.12.2026 14:00";
  }

  std::string path(const std::string& name) const { return dir.file(name).string(); }
};

// structure.txt of the golden cases, one setting per line:
//   kind k | atom x y z type | sheet x y z type | bond a b | material m
//   labels l1 l2 | parts 1 | elements e1 e2 (of types 1 and 2)
//   radius element r | atomScale s | bondScale s | atoms 0 | bonds 0
//   colour background|site1|site2|carbon|bond r g b | white 1
//   insert placementZ length radius | icsd 1 | padding x y z
// Display and colour settings go to display and preferences.
inline void loadStructure(ExportRig& rig, const std::string& text, DisplaySettings& display,
                          Preferences& preferences)
{
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line)) {
    const auto f = splitSpaces(line);
    if (f.empty())
      continue;
    const auto num = [&](std::size_t i) { return Val(f.at(i)); };
    const auto real = [&](std::size_t i) { return static_cast<float>(num(i)); };
    const auto whole = [&](std::size_t i) { return static_cast<std::int16_t>(num(i)); };
    Model& m = rig.model;
    const std::string& key = f[0];
    if (key == "kind")
      m.structureKind = whole(1);
    else if (key == "atom")
      rig.addAtom(real(1), real(2), real(3), whole(4));
    else if (key == "sheet")
      rig.addSheetAtom(real(1), real(2), real(3), whole(4));
    else if (key == "bond")
      rig.addBond(std::int32_t(num(1)), std::int32_t(num(2)));
    else if (key == "material")
      m.materialIndex = whole(1);
    else if (key == "labels")
      rig.ctx.atomTypeLabel1 = f.at(1), rig.ctx.atomTypeLabel2 = f.at(2);
    else if (key == "parts")
      m.partsFlag = num(1) != 0.0;
    else if (key == "elements")
      m.siteElement1 = whole(1), m.siteElement2 = whole(2);
    else if (key == "radius")
      m.covalentRadius.at(static_cast<std::size_t>(num(1))) = real(2);
    else if (key == "atomScale")
      display.atomRadiusScale = real(1);
    else if (key == "bondScale")
      display.bondWidthScale = real(1);
    else if (key == "atoms")
      display.atomsShown = num(1) != 0.0;
    else if (key == "bonds")
      display.bondsShown = num(1) != 0.0;
    else if (key == "white")
      preferences.optionFlags[1] = num(1) != 0.0;
    else if (key == "icsd")
      rig.ctx.cifIcsdStyle = num(1) != 0.0;
    else if (key == "padding")
      rig.ctx.cifPadding = {real(1), real(2), real(3)};
    else if (key == "insert") {
      display.insertFlag = true;
      m.placementZ = real(1);
      m.tubeLength = real(2);
      m.lastTubeRadius = real(3);
    } else if (key == "colour") {
      const auto rgb = packColor(std::uint32_t(num(2)), std::uint32_t(num(3)), std::uint32_t(num(4)));
      const std::string& which = f.at(1);
      (which == "background" ? preferences.backgroundColor
       : which == "site1"    ? preferences.site1Color
       : which == "site2"    ? preferences.site2Color
       : which == "carbon"   ? preferences.carbonColor
                             : preferences.bondColor) = rgb;
    }
  }
}

inline void loadStructure(ExportRig& rig, const std::string& text)
{
  DisplaySettings display;
  Preferences preferences;
  loadStructure(rig, text, display, preferences);
}

// A file's lines without their line ends (CR LF or LF).
inline std::vector<std::string> fileLines(const std::string& path)
{
  const std::string bytes = readBytes(path);
  std::vector<std::string> out;
  std::size_t start = 0;
  while (start < bytes.size()) {
    std::size_t end = bytes.find('\n', start);
    if (end == std::string::npos)
      end = bytes.size();
    std::size_t stop = end;
    if (stop > start && bytes[stop - 1] == '\r')
      --stop;
    out.push_back(bytes.substr(start, stop - start));
    start = end + 1;
  }
  return out;
}

} // namespace tarvek::test
