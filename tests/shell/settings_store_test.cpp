#include "shell/settings_store.h"

#include "platform/qt_settings_store.h"
#include "support/scoped_env.h"
#include "support/scratch_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <memory>
#include <vector>

namespace tarvek {
namespace {

namespace fs = std::filesystem;

// Records what the load pushes into the options window.
struct RecordingSetters : OptionSetters {
  std::map<int, std::uint32_t> colours;
  std::map<int, std::string> paths;
  std::map<int, std::string> inputs;
  std::vector<int> axes;
  int whites = 0;
  void setColorOption(int index, std::uint32_t colour) override { colours[index] = colour; }
  void setToolPath(int index, const std::string& path) override { paths[index] = path; }
  void setInpOption(int index, const std::string& text) override { inputs[index] = text; }
  void setAxis(std::int16_t axis) override { axes.push_back(axis); }
  void setWhites() override { ++whites; }
};

// The real settings file in a configuration folder of its own, as the
// program finds it.
struct SettingsRig {
  test::ScratchDir config;
  test::ScopedEnv env{"XDG_CONFIG_HOME", config.path().string()};
  Preferences preferences = blankPreferences();
  RecordingSetters setters;
  std::unique_ptr<QtSettingsStore> store;
  std::unique_ptr<SettingsContext> context;

  // A hand-written settings file, lines of NAME=text.
  explicit SettingsRig(const std::string& fileText = {})
  {
    if (!fileText.empty()) {
      fs::create_directories(config.path() / "tarvek");
      config.write("tarvek/tarvek.conf", "[General]\n" + fileText);
    }
    reopen();
  }
  void reopen()
  {
    store = std::make_unique<QtSettingsStore>(userSettingsPath());
    context = std::make_unique<SettingsContext>(
        SettingsContext{preferences, *store, setters, manifest().string(), "/opt/tarvek/tarvek"});
  }
  fs::path manifest() const { return config.path() / "tarvek/styled_buttons"; }
  fs::path file() const { return config.path() / "tarvek/tarvek.conf"; }
  void load() { loadSettings(*context); }
  std::string stored(const std::string& name) const
  {
    QtSettingsStore fresh(file().string());
    return fresh.read(name);
  }
};

std::string flagText(const Preferences& p, int count)
{
  std::string text;
  for (int i = 0; i < count; ++i)
    text += p.optionFlags[i] ? '1' : '0';
  return text;
}

constexpr std::uint32_t kBlue = 12155392;
// The first twenty flags after the defaults are written: only LF line ends.
const std::string kDefaultFlags = "00000001" + std::string(12, '0');

TEST(SettingsStoreTest, firstStartWritesTheDefaultsAndTheMarker)
{
  SettingsRig rig;
  rig.load();
  ASSERT_TRUE(rig.store->sync());
  const std::map<std::string, std::string> expected = {{"COL0", "12155392"},
                                                       {"COL1", "255"},
                                                       {"COL2", "65280"},
                                                       {"COL3", "12698049"},
                                                       {"COL4", "16777215"},
                                                       {"TOOL1", ""},
                                                       {"TOOL2", ""},
                                                       {"TOOL3", ""},
                                                       {"TOOL4", ""},
                                                       {"INP1", "0"},
                                                       {"INP2", "0"},
                                                       {"INP3", "5 5 0"},
                                                       {"WHITE", "000000010000"},
                                                       {"WNDS", "0"},
                                                       {"XP", ""},
                                                       {"PATH", "/opt/tarvek/tarvek"}};
  for (const auto& [name, text] : expected)
    EXPECT_EQ(rig.stored(name), text) << name;
  EXPECT_TRUE(fs::exists(rig.manifest()));
  const Preferences& p = rig.preferences;
  EXPECT_EQ(p.backgroundColor, kBlue);
  EXPECT_EQ(p.rotationStep, 1.0f);
  EXPECT_EQ(p.cifPadding, (std::array<float, 3>{5, 5, 0}));
  EXPECT_EQ(p.defaultAxis, 0);
  EXPECT_EQ(flagText(p, 20), kDefaultFlags);
  EXPECT_EQ(rig.setters.inputs[0], "1");
  EXPECT_EQ(rig.setters.inputs[1], "5 5 0");
  EXPECT_EQ(rig.setters.colours[0], kBlue);
  EXPECT_EQ(rig.setters.axes, std::vector<int>{0});
  EXPECT_EQ(rig.setters.whites, 1);
}

TEST(SettingsStoreTest, optionFlagsFromWhite)
{
  struct Case {
    const char* file;
    const char* flags; // flags 0 .. 11
  };
  const Case cases[] = {
      {"COL0=1\nWHITE=00000000\n", "000000001000"},     {"COL0=1\n", "100000000000"},
      {"COL0=1\nWHITE=10101010101\n", "101010101010"},  {"COL0=1\nWHITE=19\n", "111000000000"},
      {"COL0=1\nWHITE=0x0000000000\n", "000000000000"},
  };
  for (const Case& c : cases) {
    SettingsRig rig(c.file);
    rig.preferences.optionFlags.fill(true);
    rig.load();
    // Flags beyond the text are off too.
    EXPECT_EQ(flagText(rig.preferences, 20), c.flags + std::string(8, '0')) << c.file;
    EXPECT_EQ(rig.preferences.backgroundColor, 1u) << c.file;
  }
}

TEST(SettingsStoreTest, valuesThatDoNotFitRewriteTheDefaultsInTheFirstLoadOnly)
{
  const std::string ones(20, '1');
  for (const std::string& file : std::vector<std::string>{
           "COL0=1\nCOL1=7\nWHITE=" + ones + "\n", "COL0=1\nCOL1=7\nCOL3=99999999999\n",
           "COL0=1\nCOL1=7\nINP1=1e300\n", "COL0=1\nCOL1=7\nINP2=40000\n"}) {
    SettingsRig rig(file);
    rig.load();
    EXPECT_EQ(rig.preferences.backgroundColor, kBlue) << file;
    EXPECT_EQ(rig.preferences.site1Color, 255u) << file;
    EXPECT_EQ(flagText(rig.preferences, 20), kDefaultFlags) << file;
    EXPECT_EQ(rig.stored("WHITE"), "000000010000") << file;
  }

  // A later load of the run keeps what it read and writes nothing.
  SettingsRig rig("COL0=1\nCOL1=7\nWHITE=" + ones + "\n");
  rig.context->loadRetryCount = 1;
  rig.load();
  EXPECT_EQ(rig.preferences.backgroundColor, 1u);
  EXPECT_EQ(rig.preferences.site1Color, 7u);
  EXPECT_EQ(flagText(rig.preferences, 20), ones);
  EXPECT_EQ(rig.stored("WHITE"), ones);
  EXPECT_EQ(rig.stored("COL2"), "");
}

TEST(SettingsStoreTest, rotationStepAndPadding)
{
  struct Case {
    const char* file;
    float step;
    std::array<float, 3> padding;
    const char* stepText;
  };
  // The record's padding before the load is 1, 2, 3.
  const Case cases[] = {
      {"COL0=1\nINP1=0\nINP3=\n", 1.0f, {1, 2, 3}, "1"},
      {"COL0=1\nINP1=\n", 1.0f, {1, 2, 3}, "1"},
      {"COL0=1\n", 1.0f, {1, 2, 3}, "1"},
      {"COL0=1\nINP1=2.5\n", 2.5f, {1, 2, 3}, "2.5"},
      {"COL0=1\nINP1=2,5\n", 2.5f, {1, 2, 3}, "2.5"},
      {"COL0=1\nINP3=5,5 5 0\n", 1.0f, {5.5f, 5, 0}, "1"},
      {"COL0=1\nINP3=7\n", 1.0f, {7, 2, 3}, "1"},
      {"COL0=1\nINP3=\"  1.5   2 0 9 \"\n", 1.0f, {1.5f, 2, 0}, "1"},
  };
  for (const Case& c : cases) {
    SettingsRig rig(c.file);
    rig.preferences.cifPadding = {1, 2, 3};
    rig.load();
    EXPECT_EQ(rig.preferences.rotationStep, c.step) << c.file;
    EXPECT_EQ(rig.preferences.cifPadding, c.padding) << c.file;
    EXPECT_EQ(rig.setters.inputs[0], c.stepText) << c.file;
  }
}

TEST(SettingsStoreTest, missingBackgroundWritesTheDefaultsBeforeReading)
{
  SettingsRig rig("COL1=7\nTOOL2=/usr/bin/jmol\nINP2=2\n");
  rig.load();
  EXPECT_EQ(rig.preferences.site1Color, 255u);
  EXPECT_EQ(rig.stored("COL1"), "255");
  // The defaults were saved from the blank record.
  EXPECT_EQ(rig.preferences.viewerPaths[1], "");
  EXPECT_EQ(rig.preferences.defaultAxis, 0);
}

TEST(SettingsStoreTest, savedSettingsLoadBackIntoAFreshRecord)
{
  SettingsRig rig("COL0=1\n");
  Preferences& p = rig.preferences;
  p.backgroundColor = 0x010203;
  p.site1Color = 4;
  p.site2Color = 5;
  p.carbonColor = 6;
  p.bondColor = 0xFFFFFF;
  p.viewerPaths = {"/opt/my viewer/mol view", "", "/usr/bin/cif,x", " /x "};
  p.optionFlags = {};
  for (int i : {0, 3, 6, 8, 10})
    p.optionFlags[i] = true;
  p.rotationStep = 2.5f;
  p.defaultAxis = 2;
  p.cifPadding = {1.5f, 2, 0};
  SaveRegistry(*rig.context);
  ASSERT_TRUE(rig.store->sync());
  EXPECT_EQ(rig.stored("INP1"), "2.5");
  EXPECT_EQ(rig.stored("INP3"), "1.5 2 0");
  EXPECT_EQ(rig.stored("WHITE"), "10010010101");
  EXPECT_EQ(rig.stored("XP"), "1");

  const Preferences saved = p;
  p = blankPreferences();
  rig.reopen();
  rig.load();
  EXPECT_EQ(p.backgroundColor, saved.backgroundColor);
  EXPECT_EQ(p.site1Color, saved.site1Color);
  EXPECT_EQ(p.site2Color, saved.site2Color);
  EXPECT_EQ(p.carbonColor, saved.carbonColor);
  EXPECT_EQ(p.bondColor, saved.bondColor);
  EXPECT_EQ(p.viewerPaths, saved.viewerPaths);
  EXPECT_EQ(p.optionFlags, saved.optionFlags);
  EXPECT_EQ(p.rotationStep, 2.5f);
  EXPECT_EQ(p.defaultAxis, 2);
  EXPECT_EQ(p.cifPadding, saved.cifPadding);
}

TEST(SettingsStoreTest, windowPlaceIsWrittenInTheNormalStateOnly)
{
  EXPECT_EQ(windowPlacementText({100, 80, 848, 700, 0}), " 100  80  848  700");
  EXPECT_EQ(windowPlacementText({-4, 0, 848, 700, 0}), "-4  0  848  700");

  SettingsRig rig("COL0=1\n");
  rig.context->placement = [] { return WindowPlacement{100, 80, 848, 700, 0}; };
  SaveRegistry(*rig.context);
  for (const int state : {1, 2}) {
    rig.context->placement = [state] { return WindowPlacement{0, 0, 10, 10, state}; };
    SaveRegistry(*rig.context);
    ASSERT_TRUE(rig.store->sync());
    EXPECT_EQ(rig.stored("WNDO"), " 100  80  848  700") << state;
    EXPECT_EQ(rig.stored("WNDS"), std::to_string(state));
  }
}

TEST(SettingsStoreTest, clearRegistryRestoresColoursAndFlagsOnly)
{
  SettingsRig rig("COL0=1\nCOL4=9\nWNDO=\" 1  2  3  4\"\nWHITE=11111111111\n"
                  "TOOL1=/usr/bin/a b\nINP1=3\nINP2=1\nINP3=1 2 3\n");
  rig.load();
  ASSERT_EQ(rig.preferences.bondColor, 9u);
  // Maximised: the save inside leaves WNDO too.
  rig.context->placement = [] { return WindowPlacement{0, 0, 10, 10, 2}; };
  clearRegistry(*rig.context);
  ASSERT_TRUE(rig.store->sync());
  const Preferences& p = rig.preferences;
  EXPECT_EQ(p.backgroundColor, kBlue);
  EXPECT_EQ(p.bondColor, 16777215u);
  EXPECT_EQ(flagText(p, 20), kDefaultFlags);
  EXPECT_EQ(p.viewerPaths[0], "/usr/bin/a b");
  EXPECT_EQ(p.rotationStep, 3.0f);
  EXPECT_EQ(p.defaultAxis, 1);
  EXPECT_EQ(p.cifPadding, (std::array<float, 3>{1, 2, 3}));
  EXPECT_EQ(rig.stored("WNDO"), " 1  2  3  4");
  EXPECT_TRUE(fs::exists(rig.manifest()));
}

TEST(SettingsStoreTest, typedNumbers)
{
  const std::pair<const char*, float> cases[] = {{"2,5", 2.5f},  {"abc", 0.0f},   {"", 0.0f},
                                                 {" 4.0", 4.0f}, {"1e300", 0.0f}, {"1e999", 0.0f}};
  for (const auto& [text, value] : cases)
    EXPECT_EQ(optionNumber(text), value) << text;
}

// The stored place comes back when its title strip lies on a screen; a
// place off every screen, a tiny size or a text that is no placement does
// not.
TEST(SettingsStoreTest, storedPlacementComesBackOnlyOnAScreen)
{
  const std::vector<ScreenArea> screens{{0, 0, 1600, 1200}, {1600, 0, 1024, 768}};
  struct Case {
    std::string text;
    bool restored;
  };
  const std::vector<Case> cases{{" 100  80  848  700", true},
                                {" 1700  100  848  700", true},
                                {"-500  10  848  700", true},
                                {" 5000  5000  848  700", false},
                                {" 100 -200  848  700", false},
                                {" 2700  10  848  700", false},
                                {" 100  80  50  700", false},
                                {" 100  80  848", false},
                                {"abc def 1 2", false},
                                {"", false}};
  for (const Case& c : cases) {
    const auto placement = restorablePlacement(c.text, screens);
    EXPECT_EQ(placement.has_value(), c.restored) << c.text;
    if (placement && c.restored) {
      EXPECT_EQ(windowPlacementText(*placement), c.text);
    }
  }
}

} // namespace
} // namespace tarvek
