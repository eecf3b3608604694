#include "scene/gl_host.h"

#include <gtest/gtest.h>

namespace tarvek {
namespace {

TEST(GlHostEventsTest, qtEventsInTheScenesCodes)
{
  const std::vector<std::pair<int, int>> keys{{Qt::Key_Left, 37}, {Qt::Key_Up, 38},   {Qt::Key_Right, 39},
                                              {Qt::Key_Down, 40}, {Qt::Key_Shift, 0}, {Qt::Key_A, 0},
                                              {Qt::Key_Plus, 0},  {Qt::Key_PageUp, 0}};
  for (const auto& [key, code] : keys)
    EXPECT_EQ(sceneKeyCode(key), code) << "key " << key;

  const std::vector<std::pair<const char*, int>> chars{{"+", 43}, {"-", 45}, {"=", 61}, {" ", 32},
                                                       {"", 0},   {"a", 0},  {"++", 0}, {"\t", 0}};
  for (const auto& [text, code] : chars)
    EXPECT_EQ(sceneCharCode(QString::fromLatin1(text)), code) << "text '" << text << "'";

  const std::vector<std::pair<Qt::KeyboardModifiers, int>> modifiers{
      {Qt::NoModifier, 0},
      {Qt::ShiftModifier, 1},
      {Qt::ControlModifier, 2},
      {Qt::AltModifier, 4},
      {Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier, 7},
      {Qt::MetaModifier | Qt::KeypadModifier, 0}};
  for (const auto& [mods, state] : modifiers)
    EXPECT_EQ(sceneShiftState(mods), state) << "modifiers " << mods.toInt();

  const std::vector<std::pair<Qt::MouseButtons, int>> buttons{{Qt::NoButton, 0},
                                                              {Qt::LeftButton, 1},
                                                              {Qt::RightButton, 2},
                                                              {Qt::MiddleButton, 4},
                                                              {Qt::LeftButton | Qt::RightButton, 3},
                                                              {Qt::BackButton, 0}};
  for (const auto& [b, mask] : buttons)
    EXPECT_EQ(sceneButtons(b), mask) << "buttons " << b.toInt();
}

} // namespace
} // namespace tarvek
