#pragma once

#include "platform/file_dialogs.h"

#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace tarvek::test {

// File dialogs answered from a script (a choice, or nothing for Cancel).
// Every call is recorded; a dialog without a scripted answer fails the
// current test and answers Cancel.
class FakeFileDialogs : public FileDialogs {
public:
  enum class Kind { Open, Save };
  struct Call {
    Kind kind;
    std::string title;
    std::string folder;
    std::string filter;
    std::string suggestedName;
    int filterIndex = 1;
  };

  void answer(std::optional<FileChoice> choice) { m_answers.push_back(std::move(choice)); }
  // The user keeps the suggested name: the dialog's folder and that name,
  // with the filter given by index.
  void acceptSuggestion(int filterIndex = 1)
  {
    m_answers.push_back(FileChoice{std::string(kSuggestion), filterIndex});
  }

  std::optional<FileChoice> open(const std::string& title, const std::string& folder,
                                 const std::string& filter, const std::string& suggestedName,
                                 int filterIndex) override;
  std::optional<FileChoice> save(const std::string& title, const std::string& folder,
                                 const std::string& filter, const std::string& suggestedName,
                                 int filterIndex) override;

  std::vector<Call> calls;

private:
  std::optional<FileChoice> next(Call call);

  static constexpr const char* kSuggestion = "\x01suggested name";
  std::deque<std::optional<FileChoice>> m_answers;
};

} // namespace tarvek::test
