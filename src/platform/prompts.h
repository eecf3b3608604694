#pragma once

#include <optional>
#include <string>

namespace tarvek {

enum class MessageIcon { None, Information, Question, Exclamation, Critical };

// Message boxes, yes/no questions and the one-line input box. An empty title
// means the program's default title "tarvek". CR LF in a text shows as a
// line break.
class Prompts {
public:
  virtual ~Prompts() = default;

  virtual void message(const std::string& text, const std::string& title, MessageIcon icon) = 0;
  virtual bool yesNo(const std::string& text, const std::string& title, MessageIcon icon) = 0;
  // The typed text, or nothing when the user cancels.
  virtual std::optional<std::string> input(const std::string& prompt, const std::string& title,
                                           const std::string& defaultText) = 0;
  virtual void beep() = 0;

  // Wait cursor on and off; use WaitCursor rather than calling these.
  virtual void beginWait() = 0;
  virtual void endWait() = 0;
};

// Shows the wait cursor for the lifetime of the object.
class WaitCursor {
public:
  explicit WaitCursor(Prompts& prompts) : m_prompts(prompts) { m_prompts.beginWait(); }
  ~WaitCursor() { m_prompts.endWait(); }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;

private:
  Prompts& m_prompts;
};

} // namespace tarvek
