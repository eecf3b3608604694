#include "shell/start_main.h"

#include "support/fake_prompts.h"
#include "support/scoped_env.h"
#include "support/scratch_dir.h"

#include <QLocale>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace tarvek {
namespace {

namespace fs = std::filesystem;

TEST(StartMainTest, decimalCommaFollowsTheLocale)
{
  const QLocale old;
  QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
  EXPECT_TRUE(probeDecimalComma());
  QLocale::setDefault(QLocale::c());
  EXPECT_FALSE(probeDecimalComma());
  QLocale::setDefault(old);
}

// The per-user folder goes beside the configuration folder, filled from the
// program folder.
TEST(StartMainTest, userFolderBesideTheConfiguration)
{
  test::ScratchDir tmp;
  fs::create_directories(tmp.path() / "program" / "IMPORT");
  std::ofstream(tmp.path() / "program" / "IMPORT" / "sample.xyz") << "1\n\nC 0 0 0\n";
  test::ScopedEnv config("XDG_CONFIG_HOME", (tmp.path() / "cfg").string());
  test::ScopedEnv data("TARVEK_DATA_DIR", (tmp.path() / "program").string());
  test::FakePrompts prompts;
  const auto state = Main(prompts);
  EXPECT_EQ(state.userFolder, (tmp.path() / "tarvek").string() + "/");
  EXPECT_EQ(state.manifestPath, (tmp.path() / "cfg" / "tarvek" / "styled_buttons").string());
  ASSERT_EQ(prompts.calls.size(), 1u);
  EXPECT_EQ(prompts.calls[0].title, "Folder Setup");
  EXPECT_TRUE(fs::exists(state.importFolder + "sample.xyz"));
}

// A first start over the program folder as shipped gives the user
// something to import in each of the folders its message names samples for.
TEST(StartMainTest, firstStartCopiesTheShippedSamples)
{
  test::ScratchDir tmp;
  test::ScopedEnv config("XDG_CONFIG_HOME", (tmp.path() / "cfg").string());
  test::ScopedEnv data("TARVEK_DATA_DIR", std::string(TARVEK_TEST_SOURCE_DIR) + "/../data");
  test::FakePrompts prompts;
  const auto state = Main(prompts);
  ASSERT_EQ(prompts.calls.size(), 1u);
  EXPECT_NE(prompts.calls[0].text.find("sample files"), std::string::npos) << prompts.calls[0].text;
  for (const std::string& file : {state.importFolder + "tube_10_0.xmol",
                                  state.importFolder + "sheet_10_0.xy",
                                  state.imagesFolder + "lattice_10_0.jpg"})
    EXPECT_GT(fs::file_size(file), 0u) << file;
}

} // namespace
} // namespace tarvek
