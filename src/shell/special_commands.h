// The Special menu and its builders, the multi-layer graphene command and the part submenu.
#pragma once

#include "shell/part_library.h"

#include <QObject>

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class QAction;
class QMenu;

namespace tarvek {

class Form1;
class JunctionCommand;
class dlgATCOL;

// The Special menu (bundles, capped tubes, the bucky ball, the inserted
// cylinder or ball, custom multi-wall tubes), the builders the calculation
// calls after it has shown the first tube or cone, the multi-layer graphene
// command and the structure-part submenu of File › Import Structure. Each command runs behind the
// window's error guard. Built once the window's controls exist; the window
// owns it.
class SpecialCommands : public QObject {
public:
  // programFolder ends in "/" and holds lib/.
  SpecialCommands(Form1& form, std::string programFolder);

  void itmFX_Click(int index);
  void itmCap_Click(int index);
  // Shows a new cap dialog over the view's top-left corner, modal; its
  // choice (0 both ends, 1 cap #1, 2 cap #2).
  std::int16_t showCapsDialog();

  // The builders: each further wall, cone or tube is moved with the model's
  // placement and handed to the scene once more. The bond colour of the
  // Preferences is swapped per pass and restored on every way out.
  void buildMultiWallTube();
  void buildCustomMultiWall();
  void buildStackedCones();
  void makeTubeBundle();

  // Tools › Multi-Layer Graphene.
  void mnuTool_13_Click();

  // The "Import IMM PDB" submenu from the vetted part library: once, before
  // the first calculation. Hidden when the library does not pass.
  void buildImmMenu();
  // Item index of the submenu: "Edit Colors" opens the atom colours;
  // a part replaces the shown structure (a part that cannot be read changes
  // nothing and throws RuntimeError with the reader's sentence).
  void mnuIMM_Click(int index);

  // Asks which ends get caps; showCapsDialog unless a test puts its own in.
  std::function<std::int16_t()> capChooser;
  // Hands the moved atom set to the scene (the window's setData); a test may
  // wrap it to watch each pass.
  std::function<void(bool noFill)> handOver;

  JunctionCommand& junctionCommand() { return *m_junction; }

  QMenu* mnuSpecial = nullptr;
  // Items 0 .. 6 in menu order; 2 is the separator.
  std::array<QAction*, 7> itmFX{};
  QMenu* mnuCap = nullptr;
  std::array<QAction*, 9> itmCap{};
  QAction* mnuTool_13 = nullptr;
  QMenu* mnuIMMHeader = nullptr;
  // By record index; a missing part leaves a null gap. The separator and
  // "Edit Colors" follow the last record.
  std::vector<QAction*> mnuIMM;

private:
  void buildSpecialMenu();
  void addGrapheneItem();
  void selectNanoTube();
  // Selects the type a build needs; its handler runs and keeps the variant
  // the command set.
  void selectTypeForBuild(int index);
  // Walls 2 .. count: index steps (or the listed pairs), a rebuild, the
  // wall's colour and protrusion, a hand-over.
  void buildWalls(std::int32_t count, bool fromList);
  // Colours 0 .. count, each the bond colour, then the ramp over 1 .. count
  // when the option is on.
  std::vector<std::uint32_t> passColours(std::int32_t count, bool ramp) const;

  void showPart(const PartItem& part);

  Form1& m_form;
  std::string m_programFolder;
  PartLibrary m_parts;
  dlgATCOL* m_colourDialog = nullptr;
  JunctionCommand* m_junction = nullptr;
};

} // namespace tarvek
