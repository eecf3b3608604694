// The Tools menu's launchers: POV-Ray and the four structure viewers.
#pragma once

#include "shell/outside_program_rules.h"

#include <QObject>

#include <array>
#include <string>

class QAction;

namespace tarvek {

class Form1;

// Puts "Launch &POV-Ray" and the viewer launchers at the top of the Tools
// menu, followed by a separator. Built once the Tools menu exists; the
// window owns it.
class OutsidePrograms : public QObject {
public:
  explicit OutsidePrograms(Form1& form);

  // Asks for the material values, writes the scene to the Export folder's
  // "tarvek.pov" and renders it with POV-Ray from PATH; without POV-Ray the
  // user may save the scene elsewhere and open it.
  void exportPovRay();
  // Writes the structure into the temporary folder and opens it in the
  // stored viewer, a default viewer found on PATH, or the desktop's opener.
  void launchViewer(ViewerKind kind);

  QAction* mnuTool_6 = nullptr;
  // MOL, PDB, CIF and VRML, numbered as viewerPaths.
  std::array<QAction*, 4> mnuViewer{};
  // The separator below the launchers.

private:
  void startPovRay(const std::string& program, const std::string& povFile);
  void offerSceneCopy(const std::string& povFile);

  Form1& m_form;
};

} // namespace tarvek
