#pragma once

#include "platform/prompts.h"

#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace tarvek::test {

// Prompts answered from a script. Every call is recorded; a yes/no question
// or an input box without a scripted answer fails the current test (and
// answers No or Cancel).
class FakePrompts : public Prompts {
public:
  enum class Kind { Message, YesNo, Input };
  struct Call {
    Kind kind;
    std::string text;
    std::string title;
    MessageIcon icon = MessageIcon::None;
    std::string defaultText;
  };

  void answerYesNo(bool answer) { m_yesNo.push_back(answer); }
  void answerInput(std::optional<std::string> answer) { m_inputs.push_back(std::move(answer)); }

  void message(const std::string& text, const std::string& title, MessageIcon icon) override;
  bool yesNo(const std::string& text, const std::string& title, MessageIcon icon) override;
  std::optional<std::string> input(const std::string& prompt, const std::string& title,
                                   const std::string& defaultText) override;
  void beep() override { ++beeps; }
  void beginWait() override { ++waitDepth; ++waitCount; }
  void endWait() override { --waitDepth; }

  // Only the message boxes (Kind::Message) among the calls.
  std::vector<Call> messages() const;

  std::vector<Call> calls;
  int beeps = 0;
  int waitDepth = 0;
  int waitCount = 0;

private:
  std::deque<bool> m_yesNo;
  std::deque<std::optional<std::string>> m_inputs;
};

} // namespace tarvek::test
