#include "support/fake_prompts.h"

#include <gtest/gtest.h>

namespace tarvek::test {

void FakePrompts::message(const std::string& text, const std::string& title, MessageIcon icon)
{
  calls.push_back({Kind::Message, text, title, icon, {}});
}

bool FakePrompts::yesNo(const std::string& text, const std::string& title, MessageIcon icon)
{
  calls.push_back({Kind::YesNo, text, title, icon, {}});
  if (m_yesNo.empty()) {
    ADD_FAILURE() << "unscripted yes/no question: " << text;
    return false;
  }
  bool answer = m_yesNo.front();
  m_yesNo.pop_front();
  return answer;
}

std::optional<std::string> FakePrompts::input(const std::string& prompt, const std::string& title,
                                              const std::string& defaultText)
{
  calls.push_back({Kind::Input, prompt, title, MessageIcon::None, defaultText});
  if (m_inputs.empty()) {
    ADD_FAILURE() << "unscripted input box: " << prompt;
    return std::nullopt;
  }
  auto answer = m_inputs.front();
  m_inputs.pop_front();
  return answer;
}

std::vector<FakePrompts::Call> FakePrompts::messages() const
{
  std::vector<Call> out;
  for (const auto& c : calls)
    if (c.kind == Kind::Message)
      out.push_back(c);
  return out;
}

} // namespace tarvek::test
