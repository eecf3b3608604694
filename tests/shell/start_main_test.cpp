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

} // namespace
} // namespace tarvek
