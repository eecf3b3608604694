// The program started as a user starts it, with its settings in a scratch folder.
#pragma once

#include "platform/qt_settings_store.h"
#include "shell/app_shell.h"
#include "shell/start_main.h"
#include "support/fake_prompts.h"
#include "support/scoped_env.h"
#include "support/scratch_dir.h"

#include <QTest>
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

namespace tarvek::test {

// The program started as a user starts it, its configuration folder in a
// scratch folder (the per-user folder goes beside it).
struct StartRig {
  ScratchDir scratch;
  std::filesystem::path config = scratch.path() / "config";
  ScopedEnv env{"XDG_CONFIG_HOME", config.string()};
  FakePrompts prompts;
  std::unique_ptr<AppShell> program;

  Form1& start()
  {
    program = startProgram(prompts, Main(prompts));
    EXPECT_NE(program, nullptr);
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&program->form1()));
    return program->form1();
  }
  std::filesystem::path file() const { return config / "tarvek/tarvek.conf"; }
  std::string stored(const std::string& name) const
  {
    QtSettingsStore store(file().string());
    return store.read(name);
  }
  void handWrite(const std::string& text) const
  {
    std::filesystem::create_directories(config / "tarvek");
    scratch.write("config/tarvek/tarvek.conf", "[General]\n" + text);
  }
};

} // namespace tarvek::test
