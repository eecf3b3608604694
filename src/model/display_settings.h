#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace tarvek {

// A colour as red + 256 × green + 65536 × blue, each 0 .. 255.
constexpr std::uint32_t packColor(std::uint32_t red, std::uint32_t green, std::uint32_t blue)
{
  return red + 256u * green + 65536u * blue;
}

// The main window's display switches, read by the scene when it compiles
// and draws. The main window owns one and keeps it current.
struct DisplaySettings {
  bool atomsShown = true;
  bool bondsShown = true;
  // Add the inserted cylinder (tube) or ball (C60).
  bool insertFlag = false;
  // Draw the inserted objects without lighting.
  bool flatInserts = false;
  // Colour atoms and bonds by height.
  bool rainbowMode = false;
  // Orthographic view when true, perspective when false.
  bool orthoProjection = true;
  // Sphere radius = atomRadiusScale × the element's radius; bond radius =
  // bondWidthScale × 0.3 Å.
  float atomRadiusScale = 0.5f;
  float bondWidthScale = 0.5f;
  // Shift is held: a drag pans.
  bool shiftKeyDown = false;
  // The system writes numbers with a decimal comma.
  bool decimalComma = false;
  // The scene atom and bond files ("tmp.xyz", "tmp.zyx" in the program's
  // private temporary folder), filled in by the application.
  std::string sceneAtomFilePath;
  std::string sceneBondFilePath;
};

// The user's settings that the model and the scene read. Kept by the main
// window; read-only elsewhere.
struct Preferences {
  std::uint32_t backgroundColor = packColor(0, 122, 185);
  std::uint32_t site1Color = packColor(255, 0, 0);
  std::uint32_t site2Color = packColor(0, 255, 0);
  std::uint32_t carbonColor = packColor(193, 193, 193);
  std::uint32_t bondColor = packColor(255, 255, 255);
  // External viewers for MOL, PDB, CIF and VRML files.
  std::array<std::string, 4> viewerPaths{};
  // Option switches; entry 8 counts tube length in unit cells, entry 9 draws
  // bonds as lines above 2000 bonds.
  std::array<bool, 20> optionFlags{};
  // An arrow key turns the view by 5 × rotationStep degrees.
  float rotationStep = 1.0f;
  // Start pose of the view: 0, 1 or 2.
  std::int16_t defaultAxis = 0;
  // Axial shift of the walls of a protruding multi-wall tube, Å.
  float protrudeDz = 0.0f;
  // Padding of the bounding box along x, y, z of the PDB and CIF writers, Å.
  std::array<float, 3> cifPadding{5.0f, 5.0f, 0.0f};
};

} // namespace tarvek
