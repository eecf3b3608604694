#include "support/fake_file_dialogs.h"

#include <gtest/gtest.h>

namespace tarvek::test {

std::optional<FileChoice> FakeFileDialogs::open(const std::string& title, const std::string& folder,
                                                const std::string& filter,
                                                const std::string& suggestedName, int filterIndex)
{
  return next({Kind::Open, title, folder, filter, suggestedName, filterIndex});
}

std::optional<FileChoice> FakeFileDialogs::save(const std::string& title, const std::string& folder,
                                                const std::string& filter,
                                                const std::string& suggestedName, int filterIndex)
{
  return next({Kind::Save, title, folder, filter, suggestedName, filterIndex});
}

std::optional<FileChoice> FakeFileDialogs::next(Call call)
{
  calls.push_back(call);
  if (m_answers.empty()) {
    ADD_FAILURE() << "unscripted file dialog: " << call.title;
    return std::nullopt;
  }
  auto answer = m_answers.front();
  m_answers.pop_front();
  if (answer && answer->path == kSuggestion) {
    const bool slash = !call.folder.empty() && call.folder.back() != '/';
    answer->path = call.folder + (slash ? "/" : "") + call.suggestedName;
  }
  return answer;
}

} // namespace tarvek::test
