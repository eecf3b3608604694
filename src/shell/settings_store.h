#pragma once

#include "model/display_settings.h"
#include "platform/settings_store.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace tarvek {

// Where loadSettings puts what it read: the options window's controls.
class OptionSetters {
public:
  virtual ~OptionSetters() = default;

  virtual void setColorOption(int index, std::uint32_t colour) = 0;
  virtual void setToolPath(int index, const std::string& path) = 0;
  virtual void setInpOption(int index, const std::string& text) = 0;
  virtual void setAxis(std::int16_t axis) = 0;
  // Every option check box from optionFlags.
  virtual void setWhites() = 0;
};

// The main window's place in pixels and its state: 0 normal, 1 minimised,
// 2 maximised.
struct WindowPlacement {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  int state = 0;
};

// What the settings routines work on. loadRetryCount counts the loads of
// the run: only the first may fall back to the defaults.
struct SettingsContext {
  Preferences& preferences;
  SettingsStore& store;
  OptionSetters& setters;
  std::string manifestPath;
  std::string programPath;
  std::function<WindowPlacement()> placement = [] { return WindowPlacement{}; };
  int loadRetryCount = 0;
};

// The record before anything is loaded: all zero but the CIF padding.
Preferences blankPreferences();

// Reads every value into the record and pushes it to the setters. A missing
// COL0 writes the defaults first; a value that does not fit its field
// rewrites the defaults and loads once more, in the first load of a run only.
void loadSettings(SettingsContext& context);
// Writes every value; WNDO only while the window is in its normal state.
void SaveRegistry(SettingsContext& context);
// Writes WNDO (in the normal state only) and WNDS.
void saveWindowPlacement(SettingsContext& context);
// Default colours, everything saved, the marker written, all flags off.
void writeDefaultSettings(SettingsContext& context);
// Empties the values, then writes the defaults and loads them.
void clearRegistry(SettingsContext& context);
// What clearRegistry changed and what it kept, for the user.
inline constexpr const char* kSettingsClearedText =
    "The colours and the option boxes are back to their defaults.\r\n"
    "The viewer programs, the rotation step, the default axis, the CIF padding and the window's "
    "place were kept.";
// The message for settings that did not reach their file.
std::string settingsNotSavedMessage(const std::string& location);

// " 100  80  848  700": each number with a blank before it when not
// negative, joined by one blank.
std::string windowPlacementText(const WindowPlacement& placement);
// A screen's usable area, in the same units as a placement.
struct ScreenArea {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};
// The stored place and size to restore: none for a text that is not four
// whole numbers, a size below 100 x 100, or a place whose title strip (its
// top 30 units, 100 of them wide) does not lie on one of the screens.
std::optional<WindowPlacement> restorablePlacement(const std::string& text,
                                                   const std::vector<ScreenArea>& screens);
// A number typed in a field, "," read as ".": no number, or one too large
// for a float, gives 0.
float optionNumber(const std::string& text);
// The three paddings read from "x y z"; fewer numbers keep the others.
void readPadding(const std::string& text, std::array<float, 3>& padding);
// The first three blank-separated parts of a padding text, "," read as ".";
// none for a blank text.
std::vector<std::string> paddingParts(const std::string& text);
std::string paddingText(const std::array<float, 3>& padding);

} // namespace tarvek
