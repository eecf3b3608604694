#include "shell/app_shell.h"
#include "support/fake_prompts.h"
#include "support/scoped_env.h"
#include "support/scratch_dir.h"

#include <QOpenGLWidget>
#include <QTest>
#include <gtest/gtest.h>

#include <sys/stat.h>

namespace tarvek {
namespace {

namespace fs = std::filesystem;

// The program's start: its window and its private temporary folder live and
// go together.
TEST(StartupTest, showsMainWindowWithPrivateFolderRemovedAtTheEnd)
{
  test::ScratchDir tmp;
  test::ScopedEnv env("TMP", tmp.path().string());
  test::FakePrompts prompts;
  auto program = startProgram(prompts, {});
  ASSERT_NE(program, nullptr);
  EXPECT_TRUE(prompts.calls.empty());

  Form1& form = program->form1();
  EXPECT_TRUE(QTest::qWaitForWindowExposed(&form));
  EXPECT_EQ(form.windowTitle(), "tarvek");
  EXPECT_EQ(form.client()->size(), QSize(848, 637));

  const fs::path folder = program->platform().tempFolder.folder();
  EXPECT_EQ(folder.parent_path(), tmp.path());
  struct stat st {};
  ASSERT_EQ(::stat(folder.c_str(), &st), 0);
  EXPECT_TRUE(S_ISDIR(st.st_mode));
  EXPECT_EQ(st.st_mode & 07777, 0700u);

  program.reset();
  EXPECT_FALSE(fs::exists(folder));
}

// The program's first frame shows the default tube on the background.
TEST(StartupTest, firstFrameShowsTheTube)
{
  test::FakePrompts prompts;
  auto program = startProgram(prompts, {});
  ASSERT_NE(program, nullptr);
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&program->form1()));
  auto* view = qobject_cast<QOpenGLWidget*>(program->form1().viewWidget());
  ASSERT_NE(view, nullptr);
  QTest::qWait(100);
  const QImage image = view->grabFramebuffer().convertToFormat(QImage::Format_RGB888);
  ASSERT_FALSE(image.isNull());
  auto differs = [&image](int x, int y, int limit) {
    const QColor c = image.pixelColor(x, y);
    return std::abs(c.red() - 0) > limit || std::abs(c.green() - 122) > limit ||
           std::abs(c.blue() - 185) > limit;
  };
  const int w = image.width();
  const int h = image.height();
  int drawn = 0;
  int total = 0;
  // The start pose looks down the tube's axis, so the middle third holds
  // the rings around the hollow.
  for (int y = h / 3; y < 2 * h / 3; ++y)
    for (int x = w / 3; x < 2 * w / 3; ++x, ++total)
      drawn += differs(x, y, 8) ? 1 : 0;
  EXPECT_GE(drawn * 10, total) << drawn << " of " << total;
  EXPECT_FALSE(differs(2, 2, 2));
}

// No folder, no program: the user reads why, and nothing is shown.
TEST(StartupTest, folderFailureShowsOneCriticalMessage)
{
  test::ScopedEnv env("TMP", std::string("/proc"));
  test::FakePrompts prompts;
  EXPECT_EQ(startProgram(prompts, {}), nullptr);
  ASSERT_EQ(prompts.calls.size(), 1u);
  EXPECT_EQ(prompts.calls[0].icon, MessageIcon::Critical);
  EXPECT_NE(prompts.calls[0].text.find("/proc"), std::string::npos) << prompts.calls[0].text;
}

} // namespace
} // namespace tarvek
