#pragma once

#include <cstdint>
#include <string>

namespace tarvek {

// What the model, the scene and the tools ask of the main window. The main
// window implements it; tests use a recorder.
class MainWindowServices {
public:
  virtual ~MainWindowServices() = default;

  // Runs the calculation command: clamps the parameter fields, builds the
  // structure of the current kind with its bonds and shows it; resetView
  // also resets the pose.
  virtual void CALCULATE(bool resetView) = 0;
  // Switches between orthographic and perspective view.
  virtual void toggleProjection() = 0;
  // Hands the current atoms and bonds to the scene without clearing it, so
  // successive calls accumulate (walls of a multi-wall tube); noFill leaves
  // out the inserted fill object.
  virtual void setData(bool noFill) = 0;
  // Clears the scene and shows the current atoms and bonds again (after a
  // new bond search).
  virtual void RemoteSetData() = 0;
  // Writes the tube-length parameter field.
  virtual void setTubeLengthField(const std::string& text) = 0;
  // Opens the manual; the context is not read.
  virtual void ShowHelp(std::int32_t context) = 0;
  // Writes status bar panel 1 .. 4.
  virtual void setStatusPanel(int panel, const std::string& text) = 0;
  // Virus mode around a cage build: mode 1 (before) selects the virus
  // geometry type and structure kind 8; any other mode (after) fills the
  // coordinate list and the status panels with the scene's counts and hides
  // the control panels. Both show title as the structure's title.
  virtual void setVirusMode(int mode, const std::string& title) = 0;
};

} // namespace tarvek
