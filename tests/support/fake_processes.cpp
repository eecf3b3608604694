#include "support/fake_processes.h"

#include <gtest/gtest.h>

namespace tarvek::test {

std::string FakeProcesses::findExecutable(const std::string& name)
{
  auto it = installed.find(name);
  return it == installed.end() ? std::string() : it->second;
}

bool FakeProcesses::startDetached(const std::string& program, const std::vector<std::string>& args,
                                  const std::string& folder)
{
  calls.push_back({program, args, folder, {}, true});
  return detachedStarts;
}

bool FakeProcesses::startWatched(const std::string& program, const std::vector<std::string>& args,
                                 const std::string& folder,
                                 std::function<void(const std::string&)> onError)
{
  calls.push_back({program, args, folder, {}, true});
  watchedError = std::move(onError);
  return detachedStarts;
}

ProcessResult FakeProcesses::run(const std::string& program, const std::vector<std::string>& args,
                                 const std::string& folder, const std::string& waitText)
{
  calls.push_back({program, args, folder, waitText, false});
  if (onRun)
    onRun(calls.back());
  if (m_results.empty()) {
    ADD_FAILURE() << "unscripted run of " << program;
    return ProcessResult::failedToStart("unscripted run of " + program);
  }
  auto result = m_results.front();
  m_results.pop_front();
  return result;
}

} // namespace tarvek::test
