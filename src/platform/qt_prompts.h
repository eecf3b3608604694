#pragma once

#include "platform/prompts.h"

namespace tarvek {

// Prompts as Qt message and input boxes over the active window. Texts are
// shown as plain text, so a path with "<" never turns into markup.
class QtPrompts : public Prompts {
public:
  void message(const std::string& text, const std::string& title, MessageIcon icon) override;
  bool yesNo(const std::string& text, const std::string& title, MessageIcon icon) override;
  std::optional<std::string> input(const std::string& prompt, const std::string& title,
                                   const std::string& defaultText) override;
  void beep() override;
  void beginWait() override;
  void endWait() override;
};

} // namespace tarvek
