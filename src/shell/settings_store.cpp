#include "shell/settings_store.h"

#include "runtime/int_convert.h"
#include "runtime/number_parse.h"
#include "runtime/print_form.h"
#include "runtime/runtime_error.h"
#include "runtime/split.h"
#include "shell/startup.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace tarvek {

namespace {

constexpr std::uint32_t kDefaultColours[5] = {packColor(0, 122, 185), packColor(255, 0, 0),
                                              packColor(0, 255, 0), packColor(193, 193, 193),
                                              packColor(255, 255, 255)};
constexpr int kUsedFlags = 11;

// The colour at index of a Preferences, const or not.
template <class P> auto& colourField(P& p, int index)
{
  const std::array fields{&p.backgroundColor, &p.site1Color, &p.site2Color, &p.carbonColor,
                          &p.bondColor};
  return *fields[index];
}

std::string commaToPoint(std::string text)
{
  std::replace(text.begin(), text.end(), ',', '.');
  return text;
}

// A stored number for a float field; one beyond the float range fails the
// load like any other value that does not fit.
float storedFloat(const std::string& text)
{
  const float value = static_cast<float>(Val(commaToPoint(text)));
  if (!std::isfinite(value))
    throw RuntimeError("The number " + text + " is too large.");
  return value;
}

void readWhites(Preferences& p, std::string text)
{
  if (text.size() < 10)
    text += "10";
  // Flags the text does not reach are off, so no earlier value survives.
  p.optionFlags.fill(false);
  // The pass one beyond the text clears that flag.
  for (std::size_t i = 0; i <= text.size(); ++i) {
    if (i >= p.optionFlags.size())
      throw RuntimeError("The option flags are too long.");
    p.optionFlags[i] = i < text.size() && CInt(Val(text.substr(i, 1))) != 0;
  }
}

// Writes one value; a value that cannot be made is skipped.
template <class Make> void writeValue(SettingsStore& store, const char* name, Make make)
{
  try {
    store.write(name, make());
  } catch (const RuntimeError&) {
  }
}

} // namespace

Preferences blankPreferences()
{
  Preferences p;
  for (int i = 0; i < 5; ++i)
    colourField(p, i) = 0;
  p.rotationStep = 0.0f;
  return p;
}

std::optional<WindowPlacement> restorablePlacement(const std::string& text,
                                                   const std::vector<ScreenArea>& screens)
{
  const std::vector<std::string> parts = splitSpaces(text);
  if (parts.size() != 4)
    return std::nullopt;
  std::array<int, 4> v{};
  for (std::size_t i = 0; i < 4; ++i) {
    const std::optional<double> number = leadingNumber(parts[i]);
    if (!number || std::fabs(*number) > 1e6)
      return std::nullopt;
    v[i] = static_cast<int>(std::lround(*number));
  }
  const WindowPlacement p{v[0], v[1], v[2], v[3], 0};
  if (p.width < 100 || p.height < 100)
    return std::nullopt;
  for (const ScreenArea& s : screens) {
    const int left = std::max(p.left, s.left);
    const int right = std::min(p.left + p.width, s.left + s.width);
    const int top = std::max(p.top, s.top);
    const int bottom = std::min(p.top + 30, s.top + s.height);
    if (right - left >= 100 && bottom - top >= 30)
      return p;
  }
  return std::nullopt;
}

std::string windowPlacementText(const WindowPlacement& w)
{
  std::string text;
  for (const int v : {w.left, w.top, w.width, w.height}) {
    if (!text.empty())
      text += ' ';
    if (v >= 0)
      text += ' ';
    text += std::to_string(v);
  }
  return text;
}

float optionNumber(const std::string& text)
{
  try {
    const float value = static_cast<float>(Val(commaToPoint(text)));
    return std::isfinite(value) ? value : 0.0f;
  } catch (const RuntimeError&) {
    return 0.0f;
  }
}

void readPadding(const std::string& text, std::array<float, 3>& padding)
{
  const std::vector<std::string> parts = paddingParts(text);
  for (std::size_t i = 0; i < parts.size(); ++i)
    padding[i] = storedFloat(parts[i]);
}

std::vector<std::string> paddingParts(const std::string& text)
{
  std::vector<std::string> parts = splitSpaces(commaToPoint(text));
  if (parts.size() == 1 && parts[0].empty())
    return {};
  parts.resize(std::min<std::size_t>(3, parts.size()));
  return parts;
}

std::string paddingText(const std::array<float, 3>& padding)
{
  return numberText(padding[0]) + " " + numberText(padding[1]) + " " + numberText(padding[2]);
}

void loadSettings(SettingsContext& context)
{
  Preferences& p = context.preferences;
  SettingsStore& store = context.store;
  OptionSetters& setters = context.setters;
  ++context.loadRetryCount;
  try {
    if (store.read("COL0").empty())
      writeDefaultSettings(context);
    for (int i = 0; i < 5; ++i) {
      const std::string text = store.read("COL" + std::to_string(i));
      colourField(p, i) = static_cast<std::uint32_t>(CLng(Val(commaToPoint(text))));
      setters.setColorOption(i, colourField(p, i));
    }
    for (int i = 0; i < 4; ++i) {
      p.viewerPaths[i] = store.read("TOOL" + std::to_string(i + 1));
      setters.setToolPath(i, p.viewerPaths[i]);
    }
    readWhites(p, store.read("WHITE"));
    setters.setWhites();
    p.rotationStep = storedFloat(store.read("INP1"));
    if (p.rotationStep == 0.0f)
      p.rotationStep = 1.0f;
    setters.setInpOption(0, numberText(p.rotationStep));
    readPadding(store.read("INP3"), p.cifPadding);
    setters.setInpOption(1, paddingText(p.cifPadding));
    p.defaultAxis = CInt(Val(commaToPoint(store.read("INP2"))));
    setters.setAxis(p.defaultAxis);
  } catch (const RuntimeError&) {
    if (context.loadRetryCount < 2) {
      writeDefaultSettings(context);
      loadSettings(context);
    }
  }
}

void saveWindowPlacement(SettingsContext& context)
{
  SettingsStore& store = context.store;
  const WindowPlacement placement = context.placement();
  if (placement.state == 0)
    writeValue(store, "WNDO", [&] { return windowPlacementText(placement); });
  writeValue(store, "WNDS", [&] { return std::to_string(placement.state); });
}

void SaveRegistry(SettingsContext& context)
{
  const Preferences& p = context.preferences;
  SettingsStore& store = context.store;
  saveWindowPlacement(context);
  writeValue(store, "PATH", [&] { return context.programPath; });
  const char* const colours[] = {"COL0", "COL1", "COL2", "COL3", "COL4"};
  for (int i = 0; i < 5; ++i)
    writeValue(store, colours[i], [&] { return std::to_string(colourField(p, i)); });
  const char* const tools[] = {"TOOL1", "TOOL2", "TOOL3", "TOOL4"};
  for (int i = 0; i < 4; ++i)
    writeValue(store, tools[i], [&] { return p.viewerPaths[i]; });
  writeValue(store, "INP1", [&] { return numberText(p.rotationStep); });
  writeValue(store, "INP2", [&] { return std::to_string(p.defaultAxis); });
  writeValue(store, "INP3", [&] { return paddingText(p.cifPadding); });
  writeValue(store, "WHITE", [&] {
    std::string digits;
    for (int i = 0; i < kUsedFlags; ++i)
      digits += p.optionFlags[i] ? '1' : '0';
    return digits;
  });
  writeValue(store, "XP", [&] { return std::string(p.optionFlags[6] ? "1" : ""); });
}

void writeDefaultSettings(SettingsContext& context)
{
  for (int i = 0; i < 5; ++i)
    colourField(context.preferences, i) = kDefaultColours[i];
  SaveRegistry(context);
  // Only the look of the next start depends on the marker.
  static_cast<void>(writeManifest(context.manifestPath));
  // Text files are written with LF line ends until the user unticks the option.
  context.store.write("WHITE", "000000010000");
}

void clearRegistry(SettingsContext& context)
{
  SettingsStore& store = context.store;
  store.write("WNDS", "");
  store.write("PATH", context.programPath);
  for (const char* name : {"COL0", "COL1", "COL2", "COL3", "COL4", "TOOL1", "TOOL2", "TOOL3",
                           "TOOL4", "INP1", "INP2", "INP3", "WHITE", "XP"})
    store.write(name, "");
  writeDefaultSettings(context);
  loadSettings(context);
}

std::string settingsNotSavedMessage(const std::string& location)
{
  return "The settings could not be saved to " + location + ".";
}

} // namespace tarvek
